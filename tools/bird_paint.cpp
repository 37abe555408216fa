// The ducks' shapes and plumage. Colours are strong, simple masses on
// purpose: the birds are shrunk to 30 % by dropping rows and columns, and only
// broad fields (a green head, a white body, a black breast) survive that.
#include <algorithm>
#include <array>
#include <cmath>

#include "bird_kinds.h"
#include "canvas.h"

namespace {

// species x sex (hen, drake)
constexpr std::array<Build, 8> kBuilds = {{
    // Mallard: the heavy dabbler, broad wings, rounded tail, spoon bill.
    {{15.0, 7.6, 8.4},
     {5.6, 4.4, 3.9},
     {24.5, 5.5, 0},
     0,
     {2.9, 0.9, 1.5},
     -10,
     0.05,
     4.6,
     3.2,
     8.0,
     4.8,
     37,
     12.5},
    {{16.0, 8.2, 9.0},
     {6.0, 4.8, 4.2},
     {26.0, 6.0, 0},
     0,
     {3.0, 0.95, 1.6},
     -10,
     0.05,
     4.9,
     3.4,
     8.0,
     5.0,
     39,
     13.0},
    // Pintail: slim, long neck, long narrow wings; the drake's needle tail.
    {{14.5, 6.2, 6.8},
     {5.1, 3.9, 3.4},
     {27.0, 7.0, 0},
     4,
     {2.6, 0.8, 1.2},
     -10,
     0.0,
     3.6,
     2.5,
     12.0,
     4.0,
     38,
     10.5},
    {{15.5, 6.5, 7.2},
     {5.4, 4.2, 3.6},
     {29.5, 7.5, 0},
     4,
     {2.8, 0.8, 1.25},
     -10,
     0.0,
     3.8,
     2.6,
     23.0,
     4.2,
     40,
     11.0},
    // Redhead: compact diver, short neck, round high-domed head, short bill.
    {{13.6, 7.2, 8.0},
     {5.0, 5.0, 4.3},
     {21.5, 6.0, 0},
     0,
     {2.4, 0.9, 1.45},
     -8,
     -0.05,
     4.6,
     3.8,
     6.0,
     4.2,
     34,
     11.0},
    {{14.2, 7.5, 8.4},
     {5.3, 5.3, 4.6},
     {22.5, 6.5, 0},
     0,
     {2.5, 0.95, 1.5},
     -8,
     -0.05,
     4.8,
     4.0,
     6.0,
     4.4,
     35,
     11.5},
    // Canvasback: heavy body, long head sloping straight into a long bill.
    {{15.0, 8.0, 9.0},
     {7.0, 4.0, 3.9},
     {24.5, 5.6, 0},
     -16,
     {3.6, 0.95, 1.15},
     -22,
     0.38,
     4.8,
     3.6,
     6.0,
     4.4,
     37,
     11.5},
    {{16.0, 8.5, 9.6},
     {7.4, 4.2, 4.1},
     {26.0, 6.0, 0},
     -16,
     {3.8, 1.0, 1.2},
     -22,
     0.38,
     5.0,
     3.8,
     6.0,
     4.6,
     38,
     12.0},
}};

struct Colour {
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Times(Colour a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}

double Smooth(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Paint Solid(Colour c, double gloss = 0) {
    return {c.r, c.g, c.b, gloss, false};
}

Paint Cut() {
    Paint p{0, 0, 0};
    p.cut = true;
    return p;
}

// Feathers of a hen's back and flanks: dark centres in pale edges, rows
// offset like scales, laid out in the bird's own frame so they stay put as
// the bird moves.
Colour Mottle(Vec3 p, Colour base, Colour dark, Colour light, double strength) {
    double fx = p.x / 2.6, fy = (p.y + 0.55 * p.z) / 2.0;
    int row = static_cast<int>(std::floor(fy));
    fx += 0.5 * (row & 1);
    int col = static_cast<int>(std::floor(fx));
    // Each feather its own size and darkness, centred a little off its cell.
    double jx = 0.5 + 0.25 * (Hash01(col, row, 5) - 0.5),
           jy = 0.5 + 0.25 * (Hash01(col, row, 6) - 0.5);
    double cx = fx - col - jx, cy = fy - row - jy;
    double d = std::sqrt(cx * cx * 1.6 + cy * cy);
    double depth = 0.45 + 0.55 * Hash01(col, row, 7);
    Colour c = Mix(base, light, strength * 0.35 * Smooth(0.3, 0.55, d));
    c = Mix(c, dark, strength * depth * (1 - Smooth(0.16, 0.36, d)));
    return Times(c, 0.92 + 0.16 * Noise(p.x * 0.45, p.y * 0.45 + p.z * 0.3, 71));
}

// Fine grey vermiculation of a drake's flanks.
Colour Vermiculate(Vec3 p, Colour base) {
    double n = Noise(p.x * 1.3, p.y * 2.4 + p.z * 1.1, 19);
    return Times(base, 0.94 + 0.1 * n);
}

const Colour kBlack = {26, 24, 26};
const Colour kWhite = {240, 238, 232};

Paint Body(const Look& k, Vec3 q, Vec3 p) {
    bool drake = k.sex == kDrake;
    // A gentle slant: the breast patch reaches further back low down.
    double front = q.x - 0.12 * q.y;
    switch (k.species) {
        case kMallard:
            if (drake) {
                if (q.x < -0.74) {
                    return Solid(kBlack);
                }
                if (front > 0.5 && q.y < 0.6) {
                    return Solid({112, 48, 32});
                }
                if (q.y > 0.5 + 0.15 * q.x) {
                    return Solid({118, 104, 88});
                }
                return Solid(Vermiculate(p, {198, 198, 194}));
            }
            return Solid(Mottle(p, q.y < -0.45 ? Colour{182, 146, 100} : Colour{156, 116, 72},
                                {70, 46, 28}, {216, 184, 134}, 0.8));
        case kPintail:
            if (drake) {
                if (q.x < -0.8) {
                    return Solid(kBlack);
                }
                if (q.x < -0.62 && q.y < 0.35) {
                    return Solid({226, 212, 164});
                }
                if ((front > 0.38 && q.y < 0.62) || q.y < -0.5) {
                    return Solid(kWhite);
                }
                if (q.y > 0.55) {
                    double streak = std::fmod(std::fabs(p.z) * 0.9 + p.x * 0.15, 1.0);
                    return Solid(streak < 0.3 ? Colour{40, 40, 42} : Colour{140, 140, 144});
                }
                return Solid(Vermiculate(p, {178, 180, 184}));
            }
            return Solid(Mottle(p, q.y < -0.45 ? Colour{206, 190, 160} : Colour{178, 156, 124},
                                {122, 102, 80}, {222, 204, 170}, 0.4));
        case kRedhead:
            if (drake) {
                if (front > 0.48 || q.x < -0.66) {
                    return Solid(kBlack);
                }
                if (q.y > 0.5 + 0.1 * q.x) {
                    return Solid(Vermiculate(p, {124, 126, 132}));
                }
                return Solid(Vermiculate(p, {164, 166, 172}));
            }
            // Plain, warm and unmarked.
            if (q.y > 0.5) {
                return Solid({92, 62, 38});
            }
            return Solid({122, 84, 50});
        default:  // canvasback
            if (drake) {
                if (front > 0.48 || q.x < -0.64) {
                    return Solid(kBlack);
                }
                return Solid(Vermiculate(p, {240, 240, 236}));
            }
            if (front > 0.48) {
                return Solid({122, 92, 62});
            }
            if (q.x < -0.64) {
                return Solid({116, 94, 70});
            }
            return Solid(
                Vermiculate(p, q.y > 0.45 ? Colour{164, 154, 138} : Colour{184, 174, 156}));
    }
}

Colour HeadColour(const Look& k, Vec3 q) {
    bool drake = k.sex == kDrake;
    switch (k.species) {
        case kMallard:
            if (drake) {
                return {30, 104, 58};
            }
            if (q.y > 0.5) {
                return {86, 60, 40};
            }
            if (std::fabs(q.y - 0.24) < 0.12 && q.x > -0.5) {
                return {96, 68, 44};  // the dark line through the eye
            }
            return {186, 150, 106};
        case kPintail:
            if (drake) {
                // The white stripe up the back of the cheek.
                if (q.x < -0.05 && q.y < -0.05 && q.y > -0.65 - q.x && std::fabs(q.z) > 0.35) {
                    return kWhite;
                }
                return {98, 64, 42};
            }
            return q.y > 0.5 ? Colour{146, 120, 92} : Colour{188, 164, 132};
        case kRedhead:
            if (drake) {
                return {190, 74, 36};
            }
            if (q.y > 0.4) {
                return {96, 66, 40};
            }
            return q.x > 0.55 ? Colour{176, 140, 100} : Colour{142, 102, 64};
        default:
            if (drake) {
                return q.x > 0.5 ? Colour{74, 28, 16} : Colour{138, 52, 28};
            }
            return q.y > 0.45 ? Colour{136, 100, 66} : Colour{166, 130, 92};
    }
}

Paint Head(const Look& k, Vec3 q) {
    // The eye, a dark dot on each side; red in the canvasback drake, yellow
    // ringed in the redhead drake.
    double ex = q.x - 0.42, ey = q.y - 0.24;
    if (std::fabs(q.z) > 0.55 && ex * ex + ey * ey < 0.03) {
        if (k.sex == kDrake && k.species == kCanvasback) {
            return Solid({190, 30, 24});
        }
        if (k.sex == kDrake && k.species == kRedhead && ex * ex + ey * ey > 0.012) {
            return Solid({236, 196, 60});
        }
        return Solid({20, 16, 14}, 0.5);
    }
    bool glossy = k.sex == kDrake && (k.species == kMallard || k.species == kRedhead);
    return Solid(HeadColour(k, q), glossy ? 0.55 : 0.1);
}

Paint Neck(const Look& k, Vec3 p) {
    Vec3 axis = k.neckTo - k.neckFrom;
    double len2 = Dot(axis, axis);
    double s = Dot(p - k.neckFrom, axis) / len2;
    Vec3 dir = Normalised(axis);
    Vec3 off = (p - k.neckFrom) - dir * (s * std::sqrt(len2));
    double throat = Dot(Normalised(off), {dir.y, -dir.x, 0});  // 1 at the front of the neck
    bool drake = k.sex == kDrake;
    Vec3 q = {0.0, throat > 0 ? -0.3 : 0.6, 0.0};  // the head's colour, crown or cheek
    switch (k.species) {
        case kMallard:
            if (drake) {
                if (s > 0.42) {
                    return Solid(HeadColour(k, q), 0.5);
                }
                return Solid(s > 0.28 ? kWhite : Colour{112, 48, 32});
            }
            return Solid(Mix({150, 112, 74}, HeadColour(k, q), Smooth(0.1, 0.5, s)));
        case kPintail:
            if (drake) {
                if (throat > -0.15 && !(s > 0.75 && throat < 0.5)) {
                    return Solid(kWhite);
                }
                return Solid(s > 0.6 ? Colour{98, 64, 42} : Colour{56, 46, 40});
            }
            return Solid(Mix({178, 156, 124}, HeadColour(k, q), Smooth(0.1, 0.5, s)));
        case kRedhead:
        case kCanvasback:
            if (drake) {
                if (s < 0.2) {
                    return Solid(kBlack);
                }
                return Solid(HeadColour(k, {0.0, 0.0, 0.0}), 0.3);
            }
            return Solid(HeadColour(k, q));
        default:
            return Solid(HeadColour(k, q));
    }
}

Paint Bill(const Look& k, Vec3 q) {
    bool drake = k.sex == kDrake;
    switch (k.species) {
        case kMallard:
            if (drake) {
                return Solid(q.x > 0.8 ? Colour{40, 34, 20} : Colour{226, 196, 62}, 0.3);
            }
            if (q.y > 0.0 && q.x > -0.4 && q.x < 0.7) {
                return Solid({50, 36, 26});
            }
            return Solid({222, 128, 46});
        case kPintail:
            return Solid(q.y > 0.35 || q.x > 0.75 ? Colour{30, 30, 34} : Colour{110, 124, 140});
        case kRedhead:
            if (q.x > 0.72) {
                return Solid({28, 28, 30});
            }
            return Solid(q.x > 0.58 ? Colour{220, 222, 226} : Colour{120, 136, 158});
        default:
            return Solid({30, 30, 32}, 0.3);
    }
}

Paint Tail(const Look& k, double u, double v, bool under) {
    double across = std::fabs(v - 0.5) * 2;
    bool needle = k.species == kPintail && k.sex == kDrake;
    double half;
    if (needle) {
        double fan = (0.55 + 1.1 * u) * std::sqrt(std::max(0.0, 1 - std::pow(u / 0.52, 4)));
        half = std::max(fan, 0.2 * (1 - u) / 0.6);
    } else if (k.species == kPintail) {
        half = (0.6 + 0.4 * u) * (1 - std::pow(u, 1.6));
    } else {
        half = (0.5 + 0.5 * u) * std::sqrt(std::max(0.0, 1 - std::pow(u, 6)));
    }
    if (across > half) {
        return Cut();
    }
    bool drake = k.sex == kDrake;
    double shade = under ? 1.08 : 1.0;
    switch (k.species) {
        case kMallard:
            if (drake) {
                return Solid(
                    Times(across < 0.2 && u < 0.5 ? kBlack : Colour{214, 214, 208}, shade));
            }
            return Solid(
                Times(across > half - 0.15 ? Colour{206, 178, 136} : Colour{132, 98, 64}, shade));
        case kPintail:
            if (drake) {
                return Solid(across < 0.24 ? kBlack : Colour{150, 150, 154});
            }
            return Solid(Times({160, 138, 108}, shade));
        case kRedhead:
            return Solid(Times(drake ? Colour{70, 68, 70} : Colour{108, 86, 62}, shade));
        default:
            return Solid(Times(drake ? Colour{54, 50, 50} : Colour{116, 96, 74}, shade));
    }
}

struct WingColours {
    Colour coverts, primaries, secondaries, bar, trail, under, underFlight;
    double gloss;
};

WingColours WingOf(const Look& k) {
    bool drake = k.sex == kDrake;
    switch (k.species) {
        case kMallard:
            return {drake ? Colour{126, 118, 108} : Colour{124, 94, 64},
                    {92, 84, 76},
                    {46, 72, 206},
                    kWhite,
                    kWhite,
                    {236, 236, 232},
                    {186, 186, 184},
                    0.6};
        case kPintail:
            return {drake ? Colour{140, 140, 144} : Colour{150, 130, 104},
                    {96, 94, 92},
                    drake ? Colour{56, 96, 52} : Colour{98, 82, 62},
                    {206, 164, 100},
                    kWhite,
                    {168, 164, 158},
                    {150, 148, 146},
                    drake ? 0.5 : 0.0};
        case kRedhead:
            return {drake ? Colour{118, 120, 126} : Colour{112, 86, 60},
                    {90, 90, 94},
                    {180, 184, 190},
                    {150, 152, 158},
                    {222, 224, 226},
                    {210, 210, 210},
                    {176, 176, 178},
                    0.0};
        default:
            return {drake ? Colour{206, 206, 204} : Colour{160, 154, 144},
                    {104, 104, 108},
                    {176, 178, 182},
                    {190, 190, 192},
                    {220, 220, 220},
                    {232, 232, 230},
                    {190, 190, 192},
                    0.0};
    }
}

Paint Wing(const Look& k, double u, double v, bool under, Vec3 p) {
    // Feathered trailing edge: long primaries toward the tip, a fine
    // serration along the secondaries.
    if (u > 0.5) {
        double s = (u - 0.5) * 18;
        if (v > 1 - 0.2 * (s - std::floor(s))) {
            return Cut();
        }
    } else {
        double s = u * 22;
        if (v > 1 - 0.08 * (s - std::floor(s))) {
            return Cut();
        }
    }
    WingColours w = WingOf(k);
    bool hen = k.sex == kHen;
    if (under) {
        return Solid(v < 0.45 && u < 0.62 ? w.under : w.underFlight);
    }
    if (u > 0.52 && v > 0.28) {
        return Solid(w.primaries);
    }
    if (u > 0.06 && u <= 0.52 && v > 0.52) {
        if (v < 0.6) {
            return Solid(w.bar);
        }
        if (v > 0.88) {
            return Solid(w.trail);
        }
        return Solid(w.secondaries, w.gloss);
    }
    if (hen && !k.decoy) {
        return Solid(Mottle(p, w.coverts, Times(w.coverts, 0.6), Times(w.coverts, 1.3), 0.5));
    }
    return Solid(w.coverts);
}

}  // namespace

const Build& BuildOf(int species, int sex) {
    return kBuilds[static_cast<size_t>(species * 2 + sex)];
}

Paint PaintBird(const void* context, const Surfel& s) {
    const Look& k = *static_cast<const Look*>(context);
    if (k.silhouette) {
        if (s.part == kWing) {
            double e = (s.local.x - 0.5) * 18;
            if (s.local.x > 0.5 && s.local.y > 1 - 0.2 * (e - std::floor(e))) {
                return Cut();
            }
        }
        if (s.part == kTail && std::fabs(s.local.y - 0.5) * 2 > 1 - s.local.x * 0.6) {
            return Cut();
        }
        return Solid({58, 52, 50});
    }
    switch (s.part) {
        case kBody:
            return Body(k, s.local, s.model);
        case kNeck:
            return Neck(k, s.model);
        case kHead:
            return Head(k, s.local);
        case kBill:
            return Bill(k, s.local);
        case kTail:
            return Tail(k, s.local.x, s.local.y, s.under);
        default:
            return Wing(k, s.local.x, s.local.y, s.under, s.model);
    }
}
