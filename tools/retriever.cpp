// The retriever: a black Labrador built from rounded parts, posed for the four
// moments of its fetch, and the bird it brings back, drawn over its jaws.
#include "retriever.h"

#include <algorithm>

#include "canvas.h"
#include "sdf.h"

namespace {

enum Material {
    kCoat,
    kNose,
    kEye,
    kMouth,
    kTongue,
    kDuckBody,
    kDuckHead,
    kDuckNeck,
    kDuckBill,
    kDuckTail,
    kDuckWing,
    kDuckEye,
    kDuckFoot,
};

constexpr int kDog = 0;   // part group of the dog
constexpr int kBird = 1;  // and of the bird it carries

// The dog's body frame: x forward, y up, z its left side. Angles in degrees;
// a leg segment's angle is measured from straight down, forward positive.
struct Pose {
    double pitch;  // nose up
    double yaw;    // 0 side on facing right; positive turns it away from us
    double tilt;   // how far we look down on it
    double front[2][3];
    double hind[2][3];
    double tail[3];  // from straight back, up positive
    double neck;     // above the body's forward line
    double head;     // the head's nose above the body's forward line
    double jaw;      // mouth opening
    double ears;     // ears blown back from hanging
};

// Where the head sits in the view when it must be the same in two pictures.
struct HeadPlace {
    Vec3 centre;
    Mat3 frame;
};

Vec3 LegDir(double degrees) {
    double a = degrees * M_PI / 180;
    return {std::sin(a), -std::cos(a), 0};
}

struct Builder {
    std::vector<Part> parts;
    Mat3 view;
    Vec3 shift;

    Vec3 At(Vec3 model) const { return ToOuter(view, model) + shift; }
    void Add(Part p, int group = kDog) {
        p.group = group;
        parts.push_back(p);
    }
    void ConeM(Vec3 a, Vec3 b, double ra, double rb, int material, double blend) {
        Add(Cone(At(a), At(b), ra, rb, material, blend, ToOuter(view, {0, 1, 0})));
    }
    void EllM(Vec3 c, Vec3 radii, int material, double blend) {
        Add(Ellipsoid(At(c), view, radii, material, blend));
    }
    // A leg from the joint down: three segments and a paw.
    void Leg(Vec3 root, const double angles[3], const double lengths[3], const double radii[4],
             double paw) {
        Vec3 p = root;
        for (int s = 0; s < 3; s++) {
            Vec3 q = p + LegDir(angles[s]) * lengths[s];
            ConeM(p, q, radii[s], radii[s + 1], kCoat, s == 0 ? 6 : 2.5);
            p = q;
        }
        // The paw turns forward from the pastern.
        Vec3 toe = LegDir(angles[2] + 70);
        Mat3 pf = FrameFacing(ToOuter(view, toe), ToOuter(view, LegDir(angles[2] + 160)));
        Add(Ellipsoid(At(p + toe * 2.5), pf, {paw, paw * 0.55, paw * 0.75}, kCoat, 2));
    }
};

// The head in its own frame (x the muzzle, y up, z the dog's left).
void BuildHead(Builder& b, Vec3 s, const Mat3& f, double jaw, double ears) {
    auto at = [&](double x, double y, double z) { return s + ToOuter(f, {x, y, z}); };
    b.Add(Ellipsoid(s, f, {12.5, 10.5, 10}, kCoat, 0));
    b.Add(Ellipsoid(at(3, 3, 0), f, {9, 7, 8.5}, kCoat, 4));  // the broad brow
    b.Add(Cone(at(7, -3, 0), at(21, -4.5, 0), 7.4, 6.0, kCoat, 5, f.y));
    b.Add(Ellipsoid(at(24.8, -3.0, 0), f, {3.0, 3.3, 4.4}, kNose, 1.5));
    // The lower jaw hinges below the eyes.
    double a = jaw * M_PI / 180;
    Vec3 hinge = at(4, -7, 0);
    Vec3 dir = f.x * std::cos(a) - f.y * std::sin(a);
    b.Add(Cone(hinge, hinge + dir * 18, 5.2, 3.8, kCoat, 2.5, f.y));
    if (jaw > 4) {
        Vec3 mid = hinge + dir * 9 + f.y * (1.5 + jaw * 0.06);
        Mat3 mf = FrameFacing(dir, f.y);
        b.Add(Ellipsoid(mid + f.x * 4, mf, {10, 2.2, 4.6}, kMouth, 0));
        b.Add(Ellipsoid(mid + dir * 2 - f.y * 1, mf, {8, 1.6, 4.0}, kTongue, 0.8));
    }
    for (int side = -1; side <= 1; side += 2) {
        b.Add(Ellipsoid(at(8.5, 2.2, side * 6.4), f, {1.9, 1.9, 1.9}, kEye, 0));
        // Ears hang from the top of the skull, blown back by the leap.
        double e = ears * M_PI / 180;
        Vec3 hang = f.y * -std::cos(e) - f.x * std::sin(e);
        Vec3 root = at(-2, 4.5, side * 8.5);
        Vec3 outward = f.z * side;
        Mat3 ef = FrameFacing(hang, outward * -1);
        b.Add(Ellipsoid(root + hang * 7.5 + outward * 0.6, ef, {9, 1.6, 5.5}, kCoat, 1.5));
    }
}

// Builds the whole dog; with `place`, the head goes exactly there and the body
// follows it.
std::vector<Part> BuildDog(const Pose& p, const HeadPlace* place, HeadPlace* headOut) {
    Builder b;
    b.view = Compose(TurnX(p.tilt), Compose(TurnY(p.yaw), TurnZ(p.pitch)));
    b.shift = {0, 0, 0};
    const Vec3 chest = {20, 0, 0}, rump = {-26, 3, 0};
    Vec3 neckRoot = chest + Vec3{9, 7, 0};
    double n = p.neck * M_PI / 180, h = p.head * M_PI / 180;
    Vec3 headBase = neckRoot + Vec3{std::cos(n), std::sin(n), 0} * 15;
    Mat3 headModel = {{std::cos(h), std::sin(h), 0}, {-std::sin(h), std::cos(h), 0}, {0, 0, 1}};
    Vec3 skullModel = headBase + ToOuter(headModel, {4, 5, 0});
    HeadPlace head = {b.At(skullModel), Compose(b.view, headModel)};
    if (place != nullptr) {
        b.shift = place->centre - ToOuter(b.view, skullModel);
        head = *place;
    }
    if (headOut != nullptr) {
        *headOut = head;
    }
    b.EllM(chest, {19, 18, 14}, kCoat, 0);
    b.EllM(rump, {16, 15.5, 13.5}, kCoat, 9);
    b.ConeM(chest + Vec3{-5, -3, 0}, rump + Vec3{6, -1, 0}, 14.5, 12.5, kCoat, 10);
    // The neck joins the chest to wherever the head is.
    Vec3 base = head.centre - ToOuter(head.frame, {6, 4, 0});
    b.Add(Cone(b.At(neckRoot), base, 11.5, 9.5, kCoat, 7, ToOuter(b.view, {0, 1, 0})));
    BuildHead(b, head.centre, head.frame, p.jaw, p.ears);
    const double frontLen[3] = {15, 17, 7}, frontR[4] = {7.5, 4.6, 3.6, 3.1};
    const double hindLen[3] = {17, 18, 10}, hindR[4] = {9.5, 5.0, 3.3, 2.9};
    for (int leg = 0; leg < 2; leg++) {
        double z = leg == 0 ? 8.0 : -8.0;
        b.Leg(chest + Vec3{6, -5, z}, p.front[leg], frontLen, frontR, 5.2);
        b.Leg(rump + Vec3{-4, -2, z}, p.hind[leg], hindLen, hindR, 5.2);
    }
    // The otter tail: thick at the root, tapering.
    Vec3 t = rump + Vec3{-13, 5, 0};
    const double tailR[4] = {5.5, 4.2, 2.8, 1.4};
    for (int s = 0; s < 3; s++) {
        double a = p.tail[s] * M_PI / 180;
        Vec3 q = t + Vec3{-std::cos(a), std::sin(a), 0} * 13;
        b.ConeM(t, q, tailR[s], tailR[s + 1], kCoat, s == 0 ? 5 : 2);
        t = q;
    }
    return b.parts;
}

// The bird: proportions of each species, for a limp bird held across the jaws.
struct DuckBuild {
    double length, girth, head, neck, bill, tail;
    bool slopingHead;
};

constexpr DuckBuild kDucks[4] = {
    {20, 10, 6.8, 13, 8.5, 7, false},    // Mallard
    {19, 8.5, 6.0, 16, 8.0, 16, false},  // Pintail: slim, long neck and tail
    {18, 10, 7.4, 12, 7.0, 6, false},    // Redhead: round head
    {21, 11, 6.8, 13, 10, 6, true},      // Canvasback: heavy, wedge head
};

struct BirdInfo {
    int species, sex;
};

void BuildBird(Builder& b, Vec3 mouth, const BirdInfo& bird) {
    const DuckBuild& d = kDucks[bird.species];
    // Across the jaws, the head end to our left and sagging; its side to us.
    Mat3 f = FrameFacing({-1, -0.3, 0.1}, {0, 1, 0.45});
    Vec3 c = mouth + Vec3{3, -3, 0};
    auto at = [&](double x, double y, double z) { return c + ToOuter(f, {x, y, z}); };
    b.Add(Ellipsoid(c, f, {d.length, d.girth, d.girth * 1.05}, kDuckBody, 0), kBird);
    b.Add(Ellipsoid(at(-d.length * 0.95, 1, 0), f, {d.tail * 0.8 + 3, 2.2, 4}, kDuckTail, 2),
          kBird);
    if (d.tail > 10) {  // the pintail's long central feathers
        b.Add(Cone(at(-d.length * 1.1, 1, 0), at(-d.length * 1.1 - d.tail, -3, 0), 1.6, 0.5,
                   kDuckTail, 1),
              kBird);
    }
    b.Add(
        Ellipsoid(at(-1, d.girth * 0.35, d.girth * 0.75), f, {d.length * 0.8, 6, 3}, kDuckWing, 2),
        kBird);
    // The neck hangs straight down from the breast; the head at its end.
    Vec3 root = at(d.length * 0.85, 2, 0);
    Vec3 drop = Normalise({-0.25, -1, 0.15});
    Vec3 headC = root + drop * d.neck;
    b.Add(Cone(root, headC, d.girth * 0.55, d.head * 0.62, kDuckNeck, 3, {1, 0, 0}), kBird);
    Vec3 billDir = Normalise(drop + Vec3{0.45, 0, 0.2});
    Mat3 hf = FrameFacing(billDir, {1, 0, 0.3});
    double stretch = d.slopingHead ? 1.35 : 1.1;
    b.Add(Ellipsoid(headC, hf, {d.head * stretch, d.head * 0.95, d.head * 0.85}, kDuckHead, 2),
          kBird);
    Vec3 billRoot = headC + billDir * (d.head * (stretch - 0.15));
    b.Add(Ellipsoid(billRoot + billDir * (d.bill * 0.5), hf, {d.bill * 0.55, 1.6, 2.6}, kDuckBill,
                    d.slopingHead ? 2.5 : 1),
          kBird);
    b.Add(Ellipsoid(headC + ToOuter(hf, {d.head * 0.35, d.head * 0.35, d.head * 0.7}), hf,
                    {1.1, 1.1, 1.1}, kDuckEye, 0),
          kBird);
    // The feet dangle under the tail.
    for (int k = 0; k < 2; k++) {
        Vec3 hip = at(-d.length * 0.45, -d.girth * 0.7, (k == 0 ? 1 : -1) * 4);
        Vec3 foot = hip + Vec3{2.0 + k * 2, -8, 0};
        b.Add(Cone(hip, foot, 1.3, 1.0, kDuckFoot, 0.5, {1, 0, 0}), kBird);
        b.Add(Ellipsoid(foot + Vec3{0.5, -2.5, 0}, FrameFacing({0.2, -1, 0}, {0, 0, 1}),
                        {3.2, 2.6, 0.7}, kDuckFoot, 0.6),
              kBird);
    }
}

double Fur(const Hit& h, double scale, uint32_t seed) {
    return Fractal(h.p.x * scale + h.p.z * 0.3, h.p.y * scale - h.p.z * 0.2, seed, 2);
}

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour PaintDog(const Hit& h, const void*, double* alpha) {
    *alpha = 1;
    switch (h.material) {
        case kNose:
            return Shade(h, {FromHex(0x1c1816), 0.5, 40, 0.1});
        case kEye:
            return Shade(h, {FromHex(0x3a2210), 1.6, 90, 0.1});
        case kMouth:
            return Shade(h, {FromHex(0x3a1214), 0.1, 10, 0});
        case kTongue:
            return Shade(h, {FromHex(0xc05a62), 0.4, 30, 0});
        default: {
            // Short glossy hair: the sheen comes and goes with the lie of the coat.
            double n = Fur(h, 0.45, 7);
            double streak = Fractal(h.p.x * 0.9 + h.p.y * 0.25, h.p.y * 0.9, 9, 2);
            Colour coat = FromHex(0x141312);
            coat = {coat.r * (0.8 + 0.4 * n), coat.g * (0.8 + 0.4 * n), coat.b * (0.85 + 0.4 * n)};
            return Shade(h, {coat, 0.5, 14, 0.22, 0.3 + 1.1 * streak * n});
        }
    }
}

// The colours of one kind of bird, by region.
struct Plumage {
    unsigned breast, flank, back, tail, head, crown, bill, wing, speculum, foot;
    int neckMark;  // 0 none, 1 the mallard's white ring, 2 the pintail's white stripe
    double mottle;
};

constexpr Plumage kPlumage[2][4] = {
    // Hens: Mallard, Pintail, Redhead, Canvasback.
    {{0x9a7450, 0x8a6442, 0x6a4c32, 0x7a5a3e, 0x9c7c58, 0x4a3420, 0xd07a30, 0x6a4c34, 0x3050b0,
      0xe08030, 0, 0.45},
     {0xb0946e, 0xa08260, 0x7a6048, 0x7a6048, 0xa88c6a, 0x7a6048, 0x4a5058, 0x7a6650, 0x5a5a40,
      0x7a7a80, 0, 0.4},
     {0x8a6a48, 0x7e6042, 0x5e4834, 0x5e4834, 0x8e6e4c, 0x4e3a28, 0x5a6478, 0x6a5440, 0x8a8a8a,
      0x6a7080, 0, 0.2},
     {0xa89c8c, 0xa49888, 0x8a7e70, 0x6a5c4c, 0x8a6a4a, 0x6a4e34, 0x222222, 0x8a8276, 0x8a8276,
      0x6a7080, 0, 0.15}},
    // Drakes.
    {{0x6a2c14, 0xb8b4aa, 0x6c6254, 0x1a1a1a, 0x1a7a48, 0x0c4a2a, 0xd8c040, 0x7a7266, 0x3050c0,
      0xe88030, 1, 0.0},
     {0xf0eee8, 0xbcbcb8, 0x8a8a88, 0x161616, 0x5a3a22, 0x3a2414, 0x4a5a6a, 0x7a7a78, 0x3a6a40,
      0x6a6a70, 2, 0.0},
     {0x161414, 0xa8acb0, 0x84888c, 0x161616, 0xb84a1c, 0x8a2a0c, 0x8aa0c0, 0x7a7e84, 0x9a9ea4,
      0x6a7080, 0, 0.0},
     {0x161412, 0xeeeeea, 0xdcdcd8, 0x161616, 0x9a3412, 0x5a1a08, 0x1a1a1a, 0xcacac6, 0xcacac6,
      0x6a7080, 0, 0.0}},
};

Colour PaintBird(const Hit& h, const void* data, double* alpha) {
    const BirdInfo& bird = *static_cast<const BirdInfo*>(data);
    if (h.material < kDuckBody) {
        *alpha = 0;  // the dog: already in its own picture
        return {0, 0, 0};
    }
    *alpha = 1;
    const Plumage& p = kPlumage[bird.sex][bird.species];
    const Vec3& l = h.local;
    double mottle = p.mottle * (Fur(h, 0.9, 11) - 0.5) * 2;
    auto feather = [&](unsigned hex) {
        Colour c = FromHex(hex);
        double k = 1 + mottle;
        return Colour{c.r * k, c.g * k, c.b * k};
    };
    Finish f{{0, 0, 0}, 0.12, 12, 0.2};
    switch (h.material) {
        case kDuckBody: {
            // Breast at the head end, the back on top, flanks below.
            Colour c = feather(p.flank);
            c = Mix(c, feather(p.back), (l.y - 0.35) * 3);
            c = Mix(c, feather(p.breast), (l.x - 0.45) * 5);
            c = Mix(c, feather(p.tail), (-l.x - 0.72) * 5);
            f.albedo = c;
            break;
        }
        case kDuckTail:
            f.albedo = feather(p.tail);
            break;
        case kDuckWing: {
            Colour c = feather(p.wing);
            if (l.x < -0.05 && l.x > -0.45 && l.y < 0.1) {
                c = FromHex(p.speculum);
                f.gloss = 0.4;
            }
            f.albedo = c;
            break;
        }
        case kDuckNeck: {
            // t runs from the body (0) to the head (1).
            Colour c = feather(p.head);
            if (p.neckMark == 1) {
                c = l.x < 0.3 ? feather(p.breast) : (l.x < 0.45 ? FromHex(0xf0ece4) : c);
            } else if (p.neckMark == 2) {
                c = l.x < 0.25 || (l.y < -0.1 && l.x < 0.85) ? FromHex(0xf0eee8) : c;
            } else if (bird.species == 2 && bird.sex == 1) {
                c = l.x < 0.3 ? feather(p.breast) : c;  // black breast, rufous neck
            } else if (bird.species == 3 && bird.sex == 1) {
                c = l.x < 0.3 ? feather(p.breast) : c;
            }
            f.albedo = c;
            f.gloss = p.neckMark == 1 ? 0.45 : 0.15;
            break;
        }
        case kDuckHead: {
            Colour c = Mix(feather(p.head), feather(p.crown), l.y * 1.5);
            if (bird.sex == 0 && bird.species == 0 && std::abs(l.y - 0.3) < 0.12 && l.x > 0) {
                c = FromHex(0x3a2818);  // the hen mallard's eye stripe
            }
            f.albedo = c;
            f.gloss = bird.sex == 1 && bird.species == 0 ? 0.7 : 0.15;
            f.shininess = 25;
            break;
        }
        case kDuckBill: {
            Colour c = FromHex(p.bill);
            if (bird.sex == 0 && bird.species == 0 && l.y > 0.1) {
                c = FromHex(0x2a1e18);  // the dark saddle of the hen's orange bill
            }
            if ((bird.species == 2 || bird.species == 1) && l.x > 0.65) {
                c = FromHex(0x1a1a1a);  // black nail
            }
            f.albedo = c;
            f.gloss = 0.3;
            break;
        }
        case kDuckEye:
            f.albedo = FromHex(bird.species == 2 && bird.sex == 1   ? 0xd8a020
                               : bird.species == 3 && bird.sex == 1 ? 0xb01808
                                                                    : 0x161210);
            f.gloss = 1.2;
            f.shininess = 60;
            break;
        default:
            f.albedo = FromHex(p.foot);
            break;
    }
    return Shade(h, f);
}

// The four moments of the fetch.
constexpr Pose kOut = {28,
                       128,
                       -4,
                       {{125, 140, 150}, {115, 135, 145}},
                       {{-55, -85, -100}, {-45, -80, -95}},
                       {5, 12, 18},
                       30,
                       12,
                       4,
                       45};
constexpr Pose kDive = {-38,
                        128,
                        -6,
                        {{100, 95, 90}, {92, 88, 85}},
                        {{-110, -125, -135}, {-100, -120, -130}},
                        {25, 35, 40},
                        10,
                        -8,
                        2,
                        100};
constexpr Pose kBack = {22,
                        -78,
                        6,
                        {{110, -50, -20}, {100, -60, -30}},
                        {{-50, -85, -95}, {-40, -80, -90}},
                        {-10, -5, 0},
                        20,
                        8,
                        22,
                        25};
constexpr Pose kLand = {-15,
                        -78,
                        6,
                        {{62, 52, 42}, {55, 45, 38}},
                        {{20, -40, -10}, {10, -50, -20}},
                        {-35, -30, -25},
                        35,
                        8,
                        22,
                        25};

// Coming back the dog looks at the blind, the same in 962 and 963, so that the
// bird pictures fit both.
constexpr Vec3 kSkull = {0, 30, 0};
const Vec3 kMuzzle = {0.3, -0.28, 1};

constexpr double kScale = 1.5;  // model units to pixels

std::vector<Part> Scaled(std::vector<Part> parts) {
    for (Part& p : parts) {
        p.a = p.a * kScale;
        p.b = p.b * kScale;
        p.centre = p.centre * kScale;
        p.ra *= kScale;
        p.rb *= kScale;
        p.radii = p.radii * kScale;
        p.blend *= kScale;
    }
    return parts;
}

}  // namespace

std::vector<Picture> DrawRetriever() {
    constexpr int kSamples = 3;
    const Painter dog{PaintDog, nullptr};
    std::vector<Picture> out;
    // Going out, anchored on the middle of the body.
    out.push_back(RenderFigure(Scaled(BuildDog(kOut, nullptr, nullptr)), dog, kSamples, 0.0));
    out.push_back(RenderFigure(Scaled(BuildDog(kDive, nullptr, nullptr)), dog, kSamples, 0.0));
    // Coming back: one head, placed the same in both pictures.
    HeadPlace head = {kSkull, FrameFacing(kMuzzle, {0, 1, 0})};
    out.push_back(RenderFigure(Scaled(BuildDog(kBack, &head, nullptr)), dog, kSamples, 0.0));
    out.push_back(RenderFigure(Scaled(BuildDog(kLand, &head, nullptr)), dog, kSamples, 0.0));
    // The birds: the head is rendered with them so the jaws close over them,
    // but only the bird's own pixels are kept.
    Builder jaws;
    jaws.view = kIdentity;
    jaws.shift = {0, 0, 0};
    BuildHead(jaws, head.centre, head.frame, kBack.jaw, kBack.ears);
    Vec3 mouth = head.centre + ToOuter(head.frame, {10, -8, 0});
    for (int species = 0; species < 4; species++) {
        for (int sex = 0; sex < 2; sex++) {
            BirdInfo info{species, sex};
            Builder b = jaws;
            BuildBird(b, mouth, info);
            out.push_back(RenderFigure(Scaled(b.parts), Painter{PaintBird, &info}, kSamples, 0.35));
        }
    }
    return out;
}
