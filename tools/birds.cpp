// The close birds, the far flocks and the decoys of the sprite bank, each
// drawn from the small 3D models of bird_kinds.h: posed, lit from above and
// seen a little from below and behind, as a bird crossing the marsh is.
#include "birds.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "bird_kinds.h"
#include "engine/graphic_slots.h"
#include "palette.h"

namespace {

constexpr int kCanvasW = 128, kCanvasH = 160;
constexpr int kSupersample = 3;
constexpr double kPixelsPerCm = 1.55;
// The eye a little below the bird and behind it.
constexpr double kElevation = -28;
constexpr double kYaw = 20;
// Nose angle of poses 0 (steep descent) to 4 (steep climb), degrees.
constexpr double kPitch[kBirdPoses] = {-30, -14, 0, 14, 30};
// Roll of tilts 0, 1 (level) and 2, degrees; positive shows the back.
constexpr double kRoll[3] = {-24, 0, 24};

struct WingPose {
    double shoulder;  // degrees above level at the body
    double wrist;     // further bend of the hand
    double sweep;     // how far the hand is swept back, 0..1
};

// Positions 0 (up) to 3 (down), played 0, 1, 2, 3, 2.
constexpr WingPose kBeat[4] = {{56, 22, 0.35}, {26, 10, 0.15}, {-6, -4, 0.0}, {-34, -12, 0.12}};

double Smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// One wing on side s (+1 the bird's left, toward the eye).
void DrawWing(Render& r, const Build& b, int s, WingPose w) {
    constexpr int nu = 17, nv = 6;
    Vec3 shoulder = {0.22 * b.body.x, 0.5 * b.body.y, s * 0.55 * b.body.z};
    std::vector<Vec3> grid;
    grid.reserve(nu * nv);
    double step = b.wingSpan / (nu - 1);
    double y = 0, z = 0;
    for (int i = 0; i < nu; i++) {
        double u = static_cast<double>(i) / (nu - 1);
        double angle = (w.shoulder + w.wrist * Smooth(0.3, 0.6, u)) * M_PI / 180;
        if (i > 0) {
            double um = (i - 0.5) / (nu - 1);
            double am = (w.shoulder + w.wrist * Smooth(0.3, 0.6, um)) * M_PI / 180;
            y += step * std::sin(am);
            z += step * std::cos(am);
        }
        // Leading edge forward to the wrist, then swept back to a point.
        double hand = Smooth(0.42, 1.0, u);
        double lead = b.wingChord * (0.3 + 0.18 * Smooth(0.0, 0.45, u) -
                                     (0.75 + 0.5 * w.sweep) * std::pow(hand, 1.3));
        double chord =
            b.wingChord * (u < 0.42 ? 1.0 - 0.08 * u : (1 - std::pow(hand, 1.5)) * 0.86 + 0.1);
        Vec3 up = {0, std::cos(angle), -s * std::sin(angle)};
        for (int j = 0; j < nv; j++) {
            double v = static_cast<double>(j) / (nv - 1);
            double camber = 4 * v * (1 - v) * 0.1 * chord;
            grid.push_back(shoulder + Vec3{lead - v * chord, y, s * z} + up * camber);
        }
    }
    r.Surface(kWing, grid, nu, nv, s > 0);
}

// A whole bird. `droop` bends the neck down (a downed bird), degrees.
void DrawBird(Render& r, Look& look, WingPose left, WingPose right, double droop) {
    const Build& b = BuildOf(look.species, look.sex);
    r.Ellipsoid(kBody, {0, 0, 0}, Columns({b.body.x, 0, 0}, {0, b.body.y, 0}, {0, 0, b.body.z}));
    Vec3 base = {0.68 * b.body.x, 0.3 * b.body.y, 0};
    Vec3 head = base + RotZ(-droop) * (b.headCentre - base);
    look.neckFrom = base;
    look.neckTo = head;
    Vec3 neck = head - base;
    // A tube tapering from the body into the head.
    constexpr int nu = 8, nv = 16;
    Vec3 d = Normalised(neck), perp = {-d.y, d.x, 0};
    std::vector<Vec3> tube;
    for (int i = 0; i < nu; i++) {
        double u = static_cast<double>(i) / (nu - 1);
        double radius = b.neckBase + (b.neckTop - b.neckBase) * Smooth(0.0, 1.0, u);
        for (int j = 0; j < nv; j++) {
            double a = 2 * M_PI * j / (nv - 1);
            tube.push_back(base + neck * u + perp * (radius * std::cos(a)) +
                           Vec3{0, 0, radius * 0.95 * std::sin(a)});
        }
    }
    r.Surface(kNeck, tube, nu, nv, true, false);
    Mat3 headTurn = RotZ(b.headPitch - droop * 0.6);
    Vec3 f = headTurn * Vec3{1, 0, 0}, up = headTurn * Vec3{0, 1, 0};
    r.Ellipsoid(kHead, head, Columns(f * b.head.x, up * b.head.y, {0, 0, b.head.z}));
    Mat3 billTurn = RotZ(b.billPitch - droop * 0.6);
    Vec3 bf = billTurn * Vec3{1, 0, 0}, bu = billTurn * Vec3{0, 1, 0};
    Vec3 billCentre =
        head + f * (b.head.x * 0.72) + bf * (b.bill.x * 0.9) + up * (b.billRise * b.head.y);
    r.Ellipsoid(kBill, billCentre, Columns(bf * b.bill.x, bu * b.bill.y, {0, 0, b.bill.z}));
    // Tail: a thin fan, a little raised.
    constexpr int tu = 9, tv = 7;
    std::vector<Vec3> tail;
    Vec3 root = {-0.78 * b.body.x, 0.22 * b.body.y, 0};
    for (int i = 0; i < tu; i++) {
        double u = static_cast<double>(i) / (tu - 1);
        for (int j = 0; j < tv; j++) {
            double v = static_cast<double>(j) / (tv - 1);
            tail.push_back(root + Vec3{-u * b.tailLength, u * b.tailLength * 0.1,
                                       (v - 0.5) * 2 * b.tailWidth});
        }
    }
    r.Surface(kTail, tail, tu, tv, false);
    DrawWing(r, b, 1, left);
    DrawWing(r, b, -1, right);
}

Mat3 ViewOf(double pitch, double roll, double yaw = kYaw) {
    return RotX(kElevation) * RotY(yaw) * RotZ(pitch) * RotX(roll);
}

Picture DrawClose(int species, int sex, int pose, int frame) {
    Look look{species, sex, {}, {}, false, false};
    if (frame < 12) {
        int tilt = frame / 4, wing = frame % 4;
        Render r(kCanvasW, kCanvasH, kSupersample, kCanvasW / 2, kCanvasH / 2, kPixelsPerCm,
                 ViewOf(kPitch[pose], kRoll[tilt]), PaintBird, &look);
        DrawBird(r, look, kBeat[wing], kBeat[wing], 0);
        return r.Finish(60, 60, 0.42);
    }
    // Tumbling: limp, one wing flung up and the other trailing, the head
    // hanging, the whole bird turning over a little more each frame.
    double k = frame - 12;
    double spin = -50 - 38 * k + 6 * pose;
    Render r(kCanvasW, kCanvasH, kSupersample, kCanvasW / 2, kCanvasH / 2, kPixelsPerCm,
             ViewOf(spin, 60 + 28 * k, kYaw + 8 * k), PaintBird, &look);
    WingPose flung = {70 - 10 * k, -50 + 8 * k, 0.6};
    WingPose trailing = {-30 + 12 * k, 40 - 6 * k, 0.8};
    DrawBird(r, look, flung, trailing, 55 + 10 * k);
    return r.Finish(60, 60, 0.42);
}

// NearestIndex fills its cache on first use; filling it before the workers
// start keeps them from writing to it at once.
void WarmPalette() {
    for (int r = 0; r < 256; r += 4) {
        for (int g = 0; g < 256; g += 4) {
            for (int b = 0; b < 256; b += 4) {
                NearestIndex(r, g, b);
            }
        }
    }
}

}  // namespace

std::vector<Picture> DrawBirds() {
    constexpr int kCount = kSpeciesCount * 2 * kBirdPoses * kBirdFrames;
    static_assert(kCount == kBirdGraphics);
    static_assert(BirdPicture(1, 1, 1) == 160 + 80 + kBirdFrames);
    WarmPalette();
    std::vector<Picture> birds(kCount);
    // Every picture stands alone, so two workers take alternate ones; each
    // writes only its own entries and the result does not depend on timing.
    auto work = [&birds](int first) {
        for (int i = first; i < kCount; i += 2) {
            birds[static_cast<size_t>(i)] =
                DrawClose(i / 160, i / 80 % 2, i / kBirdFrames % kBirdPoses, i % kBirdFrames);
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();
    return birds;
}

std::vector<Picture> DrawFarFlocks() {
    // Where each bird flies in its formation (pixels from the anchor), how
    // large it looks and whether its wings beat against the others'.
    struct FarBird {
        double x, y, size;
        bool against;
    };
    static const std::vector<FarBird> kFormations[2] = {
        // A loose V, the leader in front.
        {{40, 0, 1.0, false},
         {25, -9, 0.95, true},
         {11, -17, 0.92, false},
         {-4, -26, 0.9, true},
         {27, 10, 1.02, true},
         {12, 19, 1.0, false},
         {-3, 27, 0.97, true}},
        // A wavering line strung out across the sky.
        {{44, -4, 1.0, false},
         {27, 3, 0.94, true},
         {10, -1, 0.98, false},
         {-8, 7, 0.9, true},
         {-26, 2, 0.95, false},
         {-44, 9, 0.88, true}},
    };
    WarmPalette();
    std::vector<Picture> frames;
    for (const auto& formation : kFormations) {
        for (int frame = 0; frame < 4; frame++) {
            Look look{kMallard, kDrake, {}, {}, true, false};
            Render r(128, 80, 4, 64, 40, 0.26, ViewOf(0, 0), PaintBird, &look);
            for (size_t i = 0; i < formation.size(); i++) {
                const FarBird& bird = formation[i];
                r.anchorX = 64 + bird.x;
                r.anchorY = 40 + bird.y;
                r.scale = 0.26 * bird.size;
                r.view = ViewOf(4.0 * std::sin(i * 1.9), 6.0 * std::cos(i * 2.3));
                int wing = bird.against ? 3 - frame : frame;
                DrawBird(r, look, kBeat[wing], kBeat[wing], 0);
            }
            r.anchorX = 64;
            r.anchorY = 40;
            frames.push_back(r.Finish(60, 60, 0.0));
        }
    }
    return frames;
}

namespace {

// A decoy's carving, its painted colours and the ripple ring round it; the
// part of it under the waterline is not drawn, its mirror image below is.
struct DecoyLook {
    Look look;
    bool reflection;
};

constexpr int kRipple = 10;

Paint PaintDecoy(const void* context, const Surfel& s) {
    const DecoyLook& d = *static_cast<const DecoyLook*>(context);
    if (s.part == kRipple) {
        double r = std::sqrt(s.local.x * s.local.x + s.local.y * s.local.y);
        if (r < 0.9 || r > 1.0 || d.reflection) {
            Paint cut{0, 0, 0};
            cut.cut = true;
            return cut;
        }
        return {120, 146, 154, 0, false};
    }
    if (s.model.y < 0) {
        Paint cut{0, 0, 0};
        cut.cut = true;
        return cut;
    }
    Paint p = PaintBird(&d.look, s);
    p.gloss = std::max(p.gloss, 0.25);  // painted wood
    if (d.reflection) {
        // Darker and drawn toward the water's own colour.
        p = {p.r * 0.45 + 30, p.g * 0.45 + 44, p.b * 0.45 + 50, 0, p.cut};
    }
    return p;
}

void DrawDecoyBody(Render& r, DecoyLook& d) {
    const Build& b = BuildOf(d.look.species, d.look.sex);
    // Floating: a third of the body under water.
    Vec3 centre = {0, 0.38 * b.body.y, 0};
    r.Ellipsoid(kBody, centre, Columns({b.body.x, 0, 0}, {0, b.body.y, 0}, {0, 0, b.body.z}));
    Vec3 head = {0.8 * b.body.x, centre.y + 1.12 * b.body.y, 0};
    Vec3 base = {0.62 * b.body.x, centre.y + 0.4 * b.body.y, 0};
    d.look.neckFrom = base;
    d.look.neckTo = head;
    r.Ellipsoid(kNeck, (base + head) * 0.5,
                Columns({b.neckBase * 0.9, 0, 0}, {0, (head.y - base.y) * 0.6, 0},
                        {0, 0, b.neckBase * 0.9}));
    r.Ellipsoid(kHead, head,
                Columns(RotZ(b.headPitch) * Vec3{b.head.x, 0, 0},
                        RotZ(b.headPitch) * Vec3{0, b.head.y, 0}, {0, 0, b.head.z}));
    Mat3 billTurn = RotZ(b.billPitch);
    Vec3 f = RotZ(b.headPitch) * Vec3{1, 0, 0}, up = RotZ(b.headPitch) * Vec3{0, 1, 0};
    Vec3 bf = billTurn * Vec3{1, 0, 0}, bu = billTurn * Vec3{0, 1, 0};
    r.Ellipsoid(kBill,
                head + f * (b.head.x * 0.72) + bf * (b.bill.x * 0.9) + up * (b.billRise * b.head.y),
                Columns(bf * b.bill.x, bu * b.bill.y, {0, 0, b.bill.z}));
    // The tail tipped up, the folded wing a raised panel along the side.
    std::vector<Vec3> tail;
    for (int i = 0; i < 5; i++) {
        for (int j = 0; j < 5; j++) {
            double u = i / 4.0, v = j / 4.0;
            tail.push_back(Vec3{-0.8 * b.body.x - u * b.tailLength * 0.7,
                                centre.y + 0.3 * b.body.y + u * 3, (v - 0.5) * 2 * b.tailWidth});
        }
    }
    r.Surface(kTail, tail, 5, 5, false, false);
    std::vector<Vec3> ring;
    for (int i = 0; i < 9; i++) {
        for (int j = 0; j < 9; j++) {
            double u = i / 4.0 - 1, v = j / 4.0 - 1;
            ring.push_back(Vec3{u * b.body.x * 1.3, 0.05, v * b.body.z * 1.9});
        }
    }
    r.Surface(kRipple, ring, 9, 9, false, false);
}

}  // namespace

std::vector<Picture> DrawDecoys() {
    constexpr int kW = 128, kH = 96, kAnchorY = 56;
    constexpr double kDecoyScale = 2.05;
    // Seen from the blind: from above and a little from the front.
    const Mat3 view = RotX(18) * RotY(-12);
    const Mat3 mirrored = view * Mat3{{{1, 0, 0}, {0, -1, 0}, {0, 0, 1}}};
    const int kinds[3][2] = {{kMallard, kDrake}, {kMallard, kHen}, {kCanvasback, kDrake}};
    WarmPalette();
    std::vector<Picture> decoys;
    for (const auto& kind : kinds) {
        DecoyLook d{{kind[0], kind[1], {}, {}, false, true}, false};
        Render body(kW, kH, kSupersample, kW / 2, kAnchorY, kDecoyScale, view, PaintDecoy, &d);
        DrawDecoyBody(body, d);
        DecoyLook dr = d;
        dr.reflection = true;
        Render below(kW, kH, kSupersample, kW / 2, kAnchorY, kDecoyScale, mirrored, PaintDecoy,
                     &dr);
        DrawDecoyBody(below, dr);
        std::vector<double> rgb, rgbBelow;
        std::vector<bool> covered, coveredBelow;
        body.Resolve(rgb, covered);
        below.Resolve(rgbBelow, coveredBelow);
        // The reflection shows where the decoy does not, broken by ripples
        // into bands that thin out away from the waterline.
        for (int y = kAnchorY; y < kH; y++) {
            for (int x = 0; x < kW; x++) {
                size_t p = static_cast<size_t>(y) * kW + x;
                int dy = y - kAnchorY;
                bool gap = (dy % 4 == 3) || (dy > 8 && dy % 4 == 2) || dy > 16;
                if (!covered[p] && coveredBelow[p] && !gap) {
                    covered[p] = true;
                    for (int c = 0; c < 3; c++) {
                        rgb[p * 3 + c] = rgbBelow[p * 3 + c];
                    }
                }
            }
        }
        decoys.push_back(CropPicture(rgb, covered, kW, kH, kW / 2, kAnchorY, 64, 64));
    }
    return decoys;
}
