// The partner in the blind, "char04", loaded at graphic 200: a hunter in a
// camouflage jacket and a canvas cap, head and shoulders above the blind's
// edge, turned three-quarters toward the player. 200 is the figure; 201 and
// 202 the mouth shut and open, 207 and 208 the eyes open and blinking, each an
// exact cut of the face so they can be laid over it; 203 to 206 are unused.
#include <algorithm>
#include <cstdio>

#include "canvas.h"
#include "sdf.h"

namespace {

enum Material { kJacket, kCollar, kSkin, kEye, kHair, kCap, kPatch };

// The face's frame: x out of the face, y up, z the side.
struct Head {
    Vec3 centre;
    Mat3 frame;
};

struct Look {
    Head head;
    bool mouthOpen;
    bool blink;
};

const Head kHead = {{4, 128, 10}, FrameFacing({0.52, -0.1, 0.85}, {0.04, 1, 0})};
const Vec3 kGaze = Normalise({0.22, -0.02, 1});  // he looks at the player

// The rows below the blind's edge are hidden by the panel; the figure stops
// above it so the area he redraws never touches the panel.
constexpr int kPanelTop = 420 - 470;

constexpr double kHeadScale = 1.3;

std::vector<Part> BuildPartner() {
    std::vector<Part> parts;
    const Vec3 h = kHead.centre;
    const Mat3& f = kHead.frame;
    const double k = kHeadScale;
    auto at = [&](double x, double y, double z) { return h + ToOuter(f, Vec3{x, y, z} * k); };
    auto ell = [&](Vec3 c, const Mat3& frame, Vec3 r, int material, double blend) {
        parts.push_back(Ellipsoid(c, frame, r * k, material, blend * k));
    };
    // Shoulders and chest, turned a little less than the head.
    Mat3 body = FrameFacing({0.3, 0, 0.95}, {0, 1, 0});
    auto bodyAt = [&](double x, double y, double z) { return ToOuter(body, {x, y, z}); };
    parts.push_back(Ellipsoid(bodyAt(0, 36, 0), body, {24, 50, 42}, kJacket, 0));
    parts.push_back(Cone(bodyAt(0, 76, 30), bodyAt(0, 76, -30), 17, 17, kJacket, 14));
    for (int side = -1; side <= 1; side += 2) {
        parts.push_back(
            Cone(bodyAt(0, 70, side * 40.0), bodyAt(6, -10, side * 46.0), 15, 13, kJacket, 8));
    }
    // The collar turned up round the neck.
    Mat3 collar = FrameFacing(ToOuter(body, {0, 0, 1}), {0, 1, 0});
    parts.push_back(Ellipsoid(bodyAt(2, 92, 0), collar, {18, 7, 14}, kCollar, 3));
    parts.push_back(Cone(at(-3, -12, 0), bodyAt(0, 88, 0), 9.5 * k, 11 * k, kSkin, 4));
    // The head.
    ell(h, f, {14.5, 17, 13}, kSkin, 0);
    ell(at(5, -6, 0), f, {11, 14, 11.5}, kSkin, 6);
    ell(at(9, -18, 0), f, {6, 5, 7}, kSkin, 5);
    ell(at(11, 5, 0), f, {4, 2.8, 10}, kSkin, 3);
    parts.push_back(Cone(at(12.5, 2.5, 0), at(17, -4, 0), 2.0 * k, 2.9 * k, kSkin, 2 * k));
    ell(at(16.5, -4.8, 0), f, {2.5, 2.4, 3.1}, kSkin, 2);
    for (int side = -1; side <= 1; side += 2) {
        ell(at(10.6, 1, side * 5.6), f, {2.6, 2.3, 3.2}, kEye, 0);
        ell(at(-1, -1, side * 13.2), f, {4.5, 7, 2.5}, kSkin, 1.5);
    }
    ell(at(14.5, -9, 0), f, {3, 2.2, 7}, kHair, 1.5);  // moustache
    ell(at(-4, 1, 0), f, {13, 12.5, 14}, kHair, 2);    // under the cap
    // The cap: crown, bill and the patch on its front.
    ell(at(-1, 8, 0), f, {16.5, 11.5, 14.8}, kCap, 1);
    ell(at(15, 10, 0), Compose(f, TurnZ(-12)), {11.5, 1.6, 12.5}, kCap, 1);
    ell(at(12.2, 12.2, 0), Compose(f, TurnZ(-40)), {2.2, 3.2, 4.6}, kPatch, 0.4);
    return parts;
}

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Woodland camouflage: blotches of olive, brown and near-black on khaki.
Colour Camo(const Hit& hit) {
    double a = Fractal(hit.p.x / 13 + hit.p.z / 40, hit.p.y / 13, 21, 3);
    double b = Fractal(hit.p.x / 9 + 50, hit.p.y / 9 + hit.p.z / 30, 22, 3);
    double c = Fractal(hit.p.x / 6, hit.p.y / 6 + 20, 23, 2);
    Colour col = FromHex(0x8e8258);
    if (a > 0.56) {
        col = FromHex(0x4e5a2a);
    }
    if (b > 0.6) {
        col = FromHex(0x5e4226);
    }
    if (c > 0.68 || a < 0.3) {
        col = FromHex(0x27261a);
    }
    double weave =
        0.9 + 0.2 * Hash01(static_cast<int>(hit.p.x * 3), static_cast<int>(hit.p.y * 3), 5);
    return {col.r * weave, col.g * weave, col.b * weave};
}

Colour PaintPartner(const Hit& hit, const void* data, double* alpha) {
    const Look& look = *static_cast<const Look*>(data);
    *alpha = 1;
    Vec3 q = ToLocal(look.head.frame, hit.p - look.head.centre) * (1 / kHeadScale);
    switch (hit.material) {
        case kJacket:
            return Shade(hit, {Camo(hit), 0.08, 8, 0.15});
        case kCollar: {
            double rib = 0.85 + 0.15 * std::sin(hit.p.x * 2.2);
            Colour c = FromHex(0x5a3a1e);
            return Shade(hit, {{c.r * rib, c.g * rib, c.b * rib}, 0.1, 8, 0.1});
        }
        case kCap:
        case kPatch: {
            double n = Fractal(hit.p.x / 3, hit.p.y / 3, 31, 2);
            Colour c = hit.material == kCap ? FromHex(0x7a5a32) : FromHex(0xa89268);
            c = {c.r * (0.85 + 0.3 * n), c.g * (0.85 + 0.3 * n), c.b * (0.85 + 0.3 * n)};
            if (hit.material == kPatch && std::abs(hit.local.y) < 0.25 &&
                std::abs(hit.local.z) < 0.5) {
                c = FromHex(0x2a5a3a);  // a green mallard head stitched on
            }
            return Shade(hit, {c, 0.1, 10, 0.15});
        }
        case kHair:
            return Shade(hit, {FromHex(0x4a3020), 0.25, 12, 0.15});
        case kEye: {
            double toward = Dot(hit.n, kGaze);
            Colour c = FromHex(0xe6dcd0);
            if (toward > 0.84) {
                c = FromHex(0x4a6270);
            }
            if (toward > 0.95) {
                c = FromHex(0x101010);
            }
            if (look.blink) {
                // The lid: skin with the dark line of the lashes.
                c = std::abs(hit.local.y + 0.15) < 0.22 ? FromHex(0x3a2218) : FromHex(0xc88a68);
                return Shade(hit, {c, 0.12, 10, 0.1});
            }
            if (hit.local.y > 0.55) {
                c = FromHex(0x5a3a28);  // the upper lid's shadow
            }
            return Shade(hit, {c, 0.9, 60, 0.05});
        }
        default:
            break;
    }
    // Skin: weathered, a shadow of stubble on the jaw, brows, and the mouth.
    Colour skin = FromHex(0xc8927a);
    if (q.y < -9 && q.x > 2) {
        skin = Mix(skin, FromHex(0x9a7058), 0.35);
    }
    if (q.x > 9 && q.y > 3.5 && q.y < 7 && std::abs(q.z) > 1.8 && std::abs(q.z) < 9) {
        skin = FromHex(0x4a3020);  // eyebrows
    }
    double my = q.y + 13.2;
    if (q.x > 8 && std::abs(q.z) < 6.2) {
        double w = 1 - (q.z * q.z) / (6.2 * 6.2);
        if (look.mouthOpen) {
            double open = 2.6 * w;
            if (my < 0.9 && my > -open) {
                skin = my > -0.5 ? FromHex(0xe0d8c8) : FromHex(0x3a1010);  // teeth, then dark
            } else if (std::abs(my + open + 0.6) < 0.8 || std::abs(my - 1.2) < 0.5) {
                skin = FromHex(0x9a4a40);  // lips
            }
        } else {
            // Shut, with the corners turned up a little: a friendly face.
            double line = my - 0.8 * (1 - w);
            if (std::abs(line) < 0.55) {
                skin = FromHex(0x5a2a22);
            } else if (line < 0 && line > -1.8) {
                skin = FromHex(0xa85a48);
            }
        }
    }
    return Shade(hit, {skin, 0.18, 14, 0.12});
}

Picture Render(const std::vector<Part>& parts, const Look& look, const Window* only) {
    return RenderFigure(parts, Painter{PaintPartner, &look}, 3, 0.3, only);
}

// A window round a point of the face, in pixels from the anchor.
Window Around(double x, double y, double z, int w, int h) {
    Vec3 p = kHead.centre + ToOuter(kHead.frame, Vec3{x, y, z} * kHeadScale);
    return {static_cast<int>(std::lround(p.x)) - w / 2, static_cast<int>(std::lround(-p.y)) - h / 2,
            w, h};
}

// Cuts the figure off at the top of the panel.
void StopAbovePanel(Picture& pic) {
    int rows = std::min(pic.height, kPanelTop - pic.yoff);
    pic.height = std::max(rows, 1);
    pic.pixels.resize(static_cast<size_t>(pic.width) * pic.height);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::vector<Part> parts = BuildPartner();
    const Look plain = {kHead, false, false};
    const Look talking = {kHead, true, false};
    const Look blinking = {kHead, false, true};
    std::vector<Picture> bank(9, Picture{1, 1, 0, 0, {0}});
    bank[0] = Render(parts, plain, nullptr);
    StopAbovePanel(bank[0]);
    Window mouth = Around(14, -13, 0, 22, 14);
    Window eyes = Around(11, 2, 0, 32, 14);
    bank[1] = Render(parts, plain, &mouth);
    bank[2] = Render(parts, talking, &mouth);
    bank[7] = Render(parts, plain, &eyes);
    bank[8] = Render(parts, blinking, &eyes);
    return WriteBank(OutPath(argv[1], "char04.256"), MasterPalette(), bank, true) ? 0 : 1;
}
