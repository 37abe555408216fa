// The retriever: a black Labrador painted with cairo from a few posed parts
// (tapered limbs through their joints, the body, a head drawn in profile or
// from the front) for the four moments of its fetch, and the bird it brings
// back, painted over its jaws at the same anchor.
#include "retriever.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <vector>

#include "canvas.h"
#include "heads.h"

namespace {

// Each picture is painted on a canvas with the anchor (the middle of the
// dog's body) at its centre, then cut to what was painted.
constexpr int kCanvas = 300;
constexpr double kMid = kCanvas / 2.0;
constexpr int kDither = 4;
constexpr double kScale = 1.4;  // drawing units to pixels

struct Pt {
    double x, y;
};

// The coat: glossy black. Each part is filled with the sheen of the sky and
// then mostly covered by the black of the coat shifted down and away from the
// light, so that a soft highlight runs along its upper edges; a dark line
// keeps the parts apart. `far` dims the parts on the far side of the body.
void Coat(Canvas& c, const std::function<void(cairo_t*)>& shape, bool far = false) {
    cairo_t* cr = c.cr;
    shape(cr);
    SetColour(cr, far ? 0x3a4048 : 0x6a7888);
    cairo_fill(cr);
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    // The light comes from the upper left of the screen whichever way the
    // part is turned.
    double dx = 3, dy = 4.7;
    cairo_device_to_user_distance(cr, &dx, &dy);
    SoftFill(
        c,
        [&](cairo_t* m) {
            cairo_translate(m, dx, dy);
            shape(m);
            cairo_fill(m);
        },
        far ? 0x0a0a0c : 0x141517, 1, 2);
    cairo_restore(cr);
    shape(cr);
    SetColour(cr, 0x050506, 0.9);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

// A tapered limb (or neck, or tail) through its joints, rounded at both ends.
void TubePath(cairo_t* cr, const std::vector<Pt>& p, const std::vector<double>& r) {
    size_t n = p.size();
    std::vector<double> left, right;
    auto dirAt = [&](size_t i) {
        Pt a = p[i == 0 ? 0 : i - 1], b = p[i + 1 < n ? i + 1 : n - 1];
        double dx = b.x - a.x, dy = b.y - a.y, l = std::hypot(dx, dy);
        return l > 1e-9 ? Pt{dx / l, dy / l} : Pt{1, 0};
    };
    for (size_t i = 0; i < n; i++) {
        Pt d = dirAt(i);
        left.insert(left.end(), {p[i].x - d.y * r[i], p[i].y + d.x * r[i]});
        right.insert(right.end(), {p[i].x + d.y * r[i], p[i].y - d.x * r[i]});
    }
    Pt d0 = dirAt(0), d1 = dirAt(n - 1);
    std::vector<double> xy = left;
    xy.insert(xy.end(), {p[n - 1].x + d1.x * r[n - 1] * 0.9, p[n - 1].y + d1.y * r[n - 1] * 0.9});
    for (size_t i = n; i-- > 0;) {
        xy.insert(xy.end(), {right[2 * i], right[2 * i + 1]});
    }
    xy.insert(xy.end(), {p[0].x - d0.x * r[0] * 0.9, p[0].y - d0.y * r[0] * 0.9});
    SmoothPath(cr, xy);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// A leg from the shoulder or hip through elbow (or stifle) and wrist (or
// hock) to the paw.
struct Leg {
    Pt joint[4];
    bool far;
    bool hind;
};

void PaintLeg(Canvas& c, const Leg& leg) {
    std::vector<Pt> p(leg.joint, leg.joint + 4);
    std::vector<double> r =
        leg.hind ? std::vector<double>{10, 6, 3.8, 3.4} : std::vector<double>{8, 5, 4, 3.6};
    Pt paw = leg.joint[3];
    Pt wrist = leg.joint[2];
    double a = std::atan2(paw.y - wrist.y, paw.x - wrist.x);
    Coat(
        c, [&](cairo_t* m) { TubePath(m, p, r); }, leg.far);
    Coat(
        c,
        [&](cairo_t* m) {
            Ellipse(m, paw.x + std::cos(a) * 1.5, paw.y + std::sin(a) * 1.5, 4.6, 3.4, a);
        },
        leg.far);
}

// The head in profile, drawn along +x from the back of the skull (0, 0) with
// y down: broad skull, the stop, a long square muzzle, the nose, the drop
// ear. `ear` turns the ear back and up in the air of the leap (0 hanging, 1
// flying straight back).
void ProfileHead(Canvas& c, Pt at, double angle, double ear, bool jawOpen) {
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, angle);
    if (std::cos(angle) < 0) {
        cairo_scale(cr, 1, -1);  // keep the top of the head up
    }
    auto skull = [](cairo_t* m) {
        // Skull, brow, the drop of the stop, muzzle to the nose, the jaw and
        // the throat.
        SmoothPath(m, {-11,  -2,   -8, -10,  0, -13, 8, -11, 12,  -7, 15, -5.5, 22, -5, 27,
                       -4.5, 29.5, -1, 28.5, 3, 24,  5, 18,  7.5, 10, 9,  2,    10, -7, 7});
    };
    Coat(c, skull);
    cairo_save(cr);
    skull(cr);
    cairo_clip(cr);
    // The lip line and the shade under the brow.
    cairo_move_to(cr, 28, 3);
    cairo_curve_to(cr, 24, 5, 18, 4.5, 13, 6.5);
    SetColour(cr, 0x000000, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (jawOpen) {
        cairo_move_to(cr, 26, 4);
        cairo_curve_to(cr, 22, 7, 17, 7, 13, 6.5);
        cairo_line_to(cr, 24, 8);
        cairo_close_path(cr);
        SetColour(cr, 0xb04a58);
        cairo_fill(cr);
    }
    SoftFill(
        c,
        [](cairo_t* m) {
            cairo_arc(m, 12, -2, 3.5, 0, 2 * M_PI);
            cairo_fill(m);
        },
        0x000000, 0.6, 2);
    cairo_restore(cr);
    // The eye: warm brown, bright with a catchlight.
    Ellipse(cr, 11.5, -3.5, 2.3, 1.8, -0.2);
    SetColour(cr, 0x6a3a12);
    cairo_fill(cr);
    cairo_arc(cr, 12, -3.5, 1.1, 0, 2 * M_PI);
    SetColour(cr, 0x120804);
    cairo_fill(cr);
    cairo_arc(cr, 11.3, -4.3, 0.8, 0, 2 * M_PI);
    SetColour(cr, 0xffffff);
    cairo_fill(cr);
    // The nose: black leather, a sheen on top, the nostril.
    Ellipse(cr, 27.5, -2, 3.6, 3.2);
    SetColour(cr, 0x0a0a0a);
    cairo_fill(cr);
    Ellipse(cr, 27.2, -3.6, 1.8, 0.9);
    SetColour(cr, 0x8a96a4, 0.8);
    cairo_fill(cr);
    Ellipse(cr, 29.2, -0.8, 0.9, 1.2, 0.4);
    SetColour(cr, 0x303236);
    cairo_fill(cr);
    // The ear, a soft triangle from the top of the skull.
    double e = ear * 1.9;
    cairo_save(cr);
    cairo_translate(cr, 0, -8);
    cairo_rotate(cr, e);
    Coat(c, [](cairo_t* m) { SmoothPath(m, {-3, -1, 4, 0, 5, 6, 3, 13, -1, 16, -5, 12, -6, 5}); });
    cairo_restore(cr);
    cairo_restore(cr);
}

// The head from the front, turned a little to the viewer's right: broad
// skull, both eyes, the muzzle coming at us, ears hanging at the sides. The
// mouth is open round whatever it carries.
constexpr Pt kFrontHead = {4, -40};

void FrontHead(Canvas& c) {
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_translate(cr, kFrontHead.x, kFrontHead.y);
    for (int side : {-1, 1}) {
        double s = side, k = side < 0 ? 1.0 : 0.9;
        Coat(c, [s, k](cairo_t* m) {
            SmoothPath(m, {s * 10 * k, -10, s * 17 * k, -8, s * 19 * k, 2, s * 18 * k, 12,
                           s * 14 * k, 15, s * 11 * k, 8, s * 9 * k, -2});
        });
    }
    // Skull and cheeks.
    Coat(c, [](cairo_t* m) {
        SmoothPath(m, {0, -14, 10, -12.5, 14,  -5, 13,  4,  9,   11,
                       1, 14,  -8, 11,    -13, 4,  -14, -5, -10, -12.5});
    });
    // The muzzle, foreshortened, coming forward below the eyes.
    auto muzzle = [](cairo_t* m) {
        SmoothPath(m, {2, 1, 8, 2, 11, 7, 10.5, 14, 6, 18, 0, 18, -4, 14, -4.5, 7, -2, 2.5});
    };
    Coat(c, muzzle);
    // The stop between the eyes and the brows over them.
    SoftFill(
        c,
        [](cairo_t* m) {
            Ellipse(m, 2.5, -2, 2.5, 4);
            cairo_fill(m);
        },
        0x000000, 0.7, 2);
    for (auto [x, w] : {std::pair{-5.5, 1.0}, {10.0, 0.85}}) {
        SoftFill(
            c,
            [x, w](cairo_t* m) {
                Ellipse(m, x, -6.5, 4.2 * w, 1.6);
                cairo_fill(m);
            },
            0x8a98a8, 0.5, 1);
        Ellipse(cr, x, -2.5, 2.4 * w, 2.0);
        SetColour(cr, 0x6a3a12);
        cairo_fill(cr);
        cairo_arc(cr, x + 0.4, -2.3, 1.1 * w, 0, 2 * M_PI);
        SetColour(cr, 0x120804);
        cairo_fill(cr);
        cairo_arc(cr, x - 0.5, -3.2, 0.8, 0, 2 * M_PI);
        SetColour(cr, 0xffffff);
        cairo_fill(cr);
    }
    // The nose at the end of the muzzle.
    Ellipse(cr, 4, 8.5, 5, 3.6);
    SetColour(cr, 0x080808);
    cairo_fill(cr);
    Ellipse(cr, 3.5, 7, 2.6, 1.1);
    SetColour(cr, 0x8a96a4, 0.8);
    cairo_fill(cr);
    for (double x : {1.6, 6.4}) {
        Ellipse(cr, x, 9.8, 1.1, 0.8);
        SetColour(cr, 0x34363a);
        cairo_fill(cr);
    }
    // The open mouth under the muzzle, the tongue showing.
    cairo_move_to(cr, -3, 15);
    cairo_curve_to(cr, 0, 19, 8, 19, 10, 15);
    cairo_curve_to(cr, 8, 22, 0, 22, -3, 15);
    SetColour(cr, 0x2a0a0e);
    cairo_fill(cr);
    Ellipse(cr, 3.5, 19.5, 3, 1.6);
    SetColour(cr, 0xb04a58);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A body from the rump to the chest through the loin.
void PaintBody(Canvas& c, const std::vector<Pt>& spine, const std::vector<double>& girth) {
    Coat(c, [&](cairo_t* m) { TubePath(m, spine, girth); });
}

void PaintTail(Canvas& c, const std::vector<Pt>& p, bool far = false) {
    Coat(
        c,
        [&](cairo_t* m) {
            TubePath(m, p, {5.5, 4.6, 3.2, 1.4});
        },
        far);
}

// kDogLeapingOut: leaping out over the bank, away from us and up to the left, seen from
// behind its right flank: the rump and the pushing hind legs nearest, the
// tail streaming back, the head up and away with the ears flying.
void LeapOut(Canvas& c) {
    PaintLeg(c, {{{-22, -8}, {-34, -18}, {-44, -24}, {-50, -24}}, true, false});
    PaintLeg(c, {{{14, 10}, {16, 28}, {24, 42}, {30, 52}}, true, true});
    PaintLeg(c, {{{-20, -4}, {-32, -8}, {-44, -12}, {-50, -11}}, false, false});
    Coat(c, [](cairo_t* m) { TubePath(m, {{-20, -14}, {-28, -30}, {-32, -40}}, {13, 11, 9}); });
    PaintBody(c, {{30, 6}, {18, 4}, {0, -4}, {-20, -12}}, {15, 21, 18, 16});
    PaintTail(c, {{36, 6}, {48, 12}, {58, 20}, {66, 26}});
    PaintLeg(c, {{{24, 14}, {30, 30}, {38, 44}, {46, 54}}, false, true});
    ProfileHead(c, {-34, -40}, -2.6, 0.8, false);
}

// kDogLandingBeyond: coming down beyond the bank, nose first into the water, front legs
// reaching, hind legs and tail still up behind. It is drawn right of and a
// little below the anchor, over the bank it leaps, so that it goes down
// behind it rather than past its end.
void ComeDownBeyond(Canvas& c) {
    cairo_translate(c.cr, 40, 6);
    PaintLeg(c, {{{-14, 16}, {-24, 28}, {-30, 40}, {-32, 48}}, true, false});
    PaintLeg(c, {{{18, -12}, {30, -22}, {36, -34}, {42, -40}}, true, true});
    PaintTail(c, {{30, -18}, {38, -30}, {42, -42}, {44, -54}}, true);
    PaintBody(c, {{26, -16}, {14, -10}, {-4, 2}, {-18, 12}}, {14, 19, 18, 16});
    PaintLeg(c, {{{-10, 18}, {-16, 32}, {-20, 44}, {-20, 52}}, false, false});
    PaintLeg(c, {{{22, -8}, {36, -14}, {44, -26}, {52, -30}}, false, true});
    Coat(c, [](cairo_t* m) { TubePath(m, {{-16, 10}, {-26, 18}, {-32, 24}}, {13, 11, 9}); });
    ProfileHead(c, {-30, 20}, 2.3, 1.0, false);
}

// kDogLeapingBack and kDogLandingNear share the head, so the bird fits both.
void NeckToHead(Canvas& c) {
    Coat(c, [](cairo_t* m) { TubePath(m, {{2, -2}, {3, -22}, {4, -34}}, {16, 14, 12}); });
}

// kDogLeapingBack: leaping back toward us with the bird: the chest and the folded front
// legs below the head, the back and the rump beyond, the tail out behind.
void LeapBack(Canvas& c) {
    PaintTail(c, {{-30, -40}, {-40, -48}, {-48, -54}, {-56, -58}}, true);
    PaintLeg(c, {{{-22, -26}, {-34, -24}, {-42, -18}, {-48, -20}}, true, true});
    PaintBody(c, {{-26, -34}, {-16, -24}, {-4, -10}, {2, 2}}, {14, 17, 18, 17});
    PaintLeg(c, {{{8, 2}, {14, 14}, {10, 24}, {14, 28}}, true, false});
    NeckToHead(c);
    PaintLeg(c, {{{-6, 4}, {-10, 18}, {-4, 26}, {0, 30}}, false, false});
    FrontHead(c);
}

// kDogLandingNear: coming down on our side, front legs reaching for the ground, the body
// and the hind legs still up behind.
void ComeDownNear(Canvas& c) {
    PaintTail(c, {{-20, -38}, {-30, -48}, {-36, -58}, {-38, -68}}, true);
    PaintLeg(c, {{{-14, -30}, {-26, -36}, {-34, -46}, {-38, -54}}, true, true});
    PaintBody(c, {{-18, -36}, {-12, -26}, {-4, -12}, {2, 2}}, {13, 16, 18, 17});
    PaintLeg(c, {{{9, 2}, {12, 18}, {13, 32}, {16, 40}}, true, false});
    NeckToHead(c);
    PaintLeg(c, {{{-6, 4}, {-8, 20}, {-8, 34}, {-6, 42}}, false, false});
    FrontHead(c);
}

// The colours of one kind of bird.
struct Plumage {
    uint32_t breast, flank, back, tail, head, crown, bill, wing, speculum;
    int neckMark;  // 0 none, 1 the mallard's white ring, 2 the pintail's white stripe
};

constexpr Plumage kPlumage[2][4] = {
    // Hens: Mallard, Pintail, Redhead, Canvasback.
    {{0x9a7450, 0x8a6442, 0x6a4c32, 0x7a5a3e, 0x9c7c58, 0x4a3420, 0xd07a30, 0x6a4c34, 0x3050b0, 0},
     {0xb0946e, 0xa08260, 0x7a6048, 0x7a6048, 0xa88c6a, 0x7a6048, 0x4a5058, 0x7a6650, 0x5a5a40, 0},
     {0x8a6a48, 0x7e6042, 0x5e4834, 0x5e4834, 0x8e6e4c, 0x4e3a28, 0x5a6478, 0x6a5440, 0x8a8a8a, 0},
     {0xb0a494, 0xa49888, 0x8a7e70, 0x6a5c4c, 0x8a6a4a, 0x6a4e34, 0x222222, 0x8a8276, 0x8a8276, 0}},
    // Drakes.
    {{0x7a3418, 0xbcb8ae, 0x6c6254, 0x1a1a1a, 0x1a7a48, 0x0c4a2a, 0xd8c040, 0x7a7266, 0x3050c0, 1},
     {0xf4f2ec, 0xc4c4c0, 0x8a8a88, 0x161616, 0x6a4428, 0x3a2414, 0x4a5a6a, 0x7a7a78, 0x3a6a40, 2},
     {0x161414, 0xa8acb0, 0x84888c, 0x161616, 0xc24e1c, 0x8a2a0c, 0x8aa0c0, 0x7a7e84, 0x9a9ea4, 0},
     {0x161412, 0xf4f4f0, 0xe4e4e0, 0x161616, 0xa83a14, 0x5a1a08, 0x1a1a1a, 0xd4d4d0, 0xd4d4d0, 0}},
};

// How each species is built, for a limp bird held across the jaws.
struct DuckBuild {
    double length, girth, head, neck, bill, tail;
    bool slopingHead;
};

constexpr DuckBuild kDucks[4] = {
    {17, 8.5, 6.4, 9, 6.5, 5, false},    // Mallard
    {17, 7.5, 5.6, 12, 6.0, 13, false},  // Pintail: slim, long neck and tail
    {16, 8.5, 7.0, 8, 5.5, 4, false},    // Redhead: round head
    {18, 9.5, 6.4, 9, 8.0, 4, true},     // Canvasback: heavy, wedge head
};

void Feathers(Canvas& c, const std::function<void(cairo_t*)>& shape, uint32_t top, uint32_t bottom,
              double y0, double y1) {
    cairo_t* cr = c.cr;
    shape(cr);
    FillVertical(cr, y0, y1, top, bottom);
    shape(cr);
    SetColour(cr, 0x1a120c, 0.8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// The bird across the mouth of the front head: its body to our right, the
// neck hanging on our left with the head at its end, tail and feet beyond
// the body; the muzzle and the nose of the dog stay in front of it.
void CarriedBird(Canvas& c, int species, int sex) {
    cairo_t* cr = c.cr;
    const Plumage& p = kPlumage[sex][species];
    const DuckBuild& d = kDucks[species];
    cairo_save(cr);
    cairo_translate(cr, kFrontHead.x + 4, kFrontHead.y + 18);
    double L = d.length, G = d.girth;
    // Tail and the dangling feet on the far right.
    double tx = L + 6;
    if (d.tail > 8) {
        cairo_move_to(cr, tx, -1);
        cairo_line_to(cr, tx + d.tail, 6);
        cairo_line_to(cr, tx, 2);
        SetColour(cr, 0x161616);
        cairo_fill(cr);
    }
    Feathers(
        c,
        [&](cairo_t* m) {
            SmoothPath(m, {tx - 6, -4, tx + 4, -2, tx + 7, 2, tx + 2, 4, tx - 6, 4});
        },
        p.tail, p.tail, -4, 4);
    for (int k = 0; k < 2; k++) {
        double fx = L * 0.6 + k * 5;
        cairo_move_to(cr, fx, G * 0.6);
        cairo_line_to(cr, fx + 2, G + 8);
        SetColour(cr, 0xe08030);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_move_to(cr, fx - 1, G + 7);
        cairo_line_to(cr, fx + 5, G + 8);
        cairo_line_to(cr, fx + 2, G + 12);
        cairo_close_path(cr);
        SetColour(cr, 0xd87028);
        cairo_fill(cr);
    }
    // The body, belly toward us, back above: breast at the head end.
    auto body = [&](cairo_t* m) { Ellipse(m, L * 0.35, 0, L * 0.8, G, 0.08); };
    body(cr);
    cairo_pattern_t* pat = cairo_pattern_create_linear(-L * 0.5, 0, L * 1.2, 0);
    auto stop = [&](double t, uint32_t rgb) {
        cairo_pattern_add_color_stop_rgb(pat, t, ((rgb >> 16) & 255) / 255.0,
                                         ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0);
    };
    stop(0, p.breast);
    stop(0.32, p.breast);
    stop(0.42, p.flank);
    stop(0.88, p.flank);
    stop(1, p.tail);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    // The back and the folded wing above, with the speculum.
    Ellipse(cr, L * 0.45, -G * 0.8, L * 0.75, G * 0.55, 0.05);
    SetColour(cr, p.back);
    cairo_fill(cr);
    Rectangle(cr, L * 0.55, -G * 0.55, L * 0.35, 2.2, p.speculum);
    SoftFill(
        c,
        [&](cairo_t* m) {
            Ellipse(m, L * 0.35, G * 0.9, L, G * 0.5);
            cairo_fill(m);
        },
        0x000000, 0.35, 2);
    if (sex == 0) {  // hens: mottled
        for (int k = 0; k < 30; k++) {
            double x = -L * 0.4 + L * 1.5 * Hash01(k, species, 51);
            double y = -G + 2 * G * Hash01(k, species, 52);
            Ellipse(cr, x, y, 1.4, 0.8, 0.3);
            SetColour(cr, 0x3a2818, 0.45);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
    body(cr);
    SetColour(cr, 0x1a120c, 0.8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // The neck hangs from the breast on our left; the head at its end.
    double nx = -L * 0.35, hx = nx - 4, hy = d.neck + 5;
    auto neck = [&](cairo_t* m) {
        TubePath(m, {{nx + 2, -1}, {nx - 2, hy * 0.5}, {hx, hy}}, {G * 0.55, 3.2, 3});
    };
    Feathers(c, neck, p.head, p.head, 0, hy);
    cairo_save(cr);
    neck(cr);
    cairo_clip(cr);
    if (p.neckMark == 1) {
        Rectangle(cr, nx - 10, 1, 20, 4, p.breast);
        Rectangle(cr, nx - 10, 5, 20, 1.6, 0xf4f0e8);
    } else if (p.neckMark == 2) {
        Rectangle(cr, nx - 10, -2, 20, hy * 0.5 + 2, 0xf4f2ec);
        cairo_move_to(cr, nx - 3, hy * 0.5);
        cairo_line_to(cr, nx - 2, hy - 2);
        SetColour(cr, 0xf4f2ec);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    } else if (sex == 1) {
        Rectangle(cr, nx - 10, -2, 20, 5, p.breast);  // black breast up the neck
    }
    cairo_restore(cr);
    // The head, upside down at the end of the neck, bill pointing down.
    double hr = d.head;
    auto head = [&](cairo_t* m) {
        if (d.slopingHead) {
            SmoothPath(m, {hx - hr, hy - 1, hx + hr * 0.6, hy - 2, hx + hr * 0.8, hy + hr * 0.8,
                           hx - hr * 0.2, hy + hr * 1.8, hx - hr * 0.9, hy + hr});
        } else {
            Ellipse(m, hx, hy + hr * 0.6, hr * 0.95, hr);
        }
    };
    Feathers(c, head, p.head, p.crown, hy, hy + hr * 2);
    cairo_save(cr);
    head(cr);
    cairo_clip(cr);
    if (sex == 0 && species == 0) {
        cairo_move_to(cr, hx - hr, hy + hr * 0.9);
        cairo_line_to(cr, hx + hr, hy + hr * 0.5);
        SetColour(cr, 0x3a2818, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    if (sex == 1 && species == 0) {
        SoftFill(
            c,
            [&](cairo_t* m) {
                Ellipse(m, hx - hr * 0.3, hy + hr * 0.3, hr * 0.4, hr * 0.5);
                cairo_fill(m);
            },
            0x6ad0a0, 0.6, 1);
    }
    cairo_restore(cr);
    cairo_arc(cr, hx + hr * 0.25, hy + hr * 0.6, 0.9, 0, 2 * M_PI);
    SetColour(cr, species == 2 && sex == 1   ? 0xe0b020
                  : species == 3 && sex == 1 ? 0xc01a0a
                                             : 0x101010);
    cairo_fill(cr);
    // The bill, hanging down.
    double bx = hx + (d.slopingHead ? -hr * 0.2 : 0), by = hy + hr * (d.slopingHead ? 1.7 : 1.5);
    Ellipse(cr, bx, by + d.bill * 0.45, 2.2, d.bill * 0.55, 0.15);
    SetColour(cr, p.bill);
    cairo_fill(cr);
    if ((species == 1 || species == 2) || (species == 0 && sex == 0)) {
        Ellipse(cr, bx + 0.3, by + d.bill * 0.6, 1.6, d.bill * 0.3, 0.15);
        SetColour(cr, species == 0 ? 0x3a2418 : 0x1a1a1a, 0.8);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // The dog's muzzle and nose in front of the bird.
    cairo_save(cr);
    cairo_translate(cr, kFrontHead.x, kFrontHead.y);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    SmoothPath(cr, {2, 1, 8, 2, 11, 7, 10.5, 14, 6, 17, 0, 17, -4, 14, -4.5, 7, -2, 2.5});
    cairo_fill(cr);
    cairo_restore(cr);
}

// Cuts a canvas to what was painted, placed by the anchor at its centre.
Picture Finish(Canvas& c) {
    Grain(c, 0, 0, c.width, c.height, 0.05, 1.5, 960);
    Picture full = Quantize(c, 0, 0, c.width, c.height, true, kDither);
    int x0 = c.width, y0 = c.height, x1 = -1, y1 = -1;
    for (int y = 0; y < full.height; y++) {
        for (int x = 0; x < full.width; x++) {
            if (full.pixels[static_cast<size_t>(y) * full.width + x] != 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) {
        return Picture{1, 1, 0, 0, {0}};
    }
    Picture out;
    out.width = x1 - x0 + 1;
    out.height = y1 - y0 + 1;
    out.xoff = x0 - static_cast<int>(kMid);
    out.yoff = y0 - static_cast<int>(kMid);
    for (int y = y0; y <= y1; y++) {
        auto row = full.pixels.begin() + static_cast<ptrdiff_t>(y) * full.width;
        out.pixels.insert(out.pixels.end(), row + x0, row + x1 + 1);
    }
    return out;
}

// With `mirrored`, the picture is painted mirrored left to right about the
// anchor: the dog coming back turns its body to our right, behind the bank.
Picture Paint(const std::function<void(Canvas&)>& draw, bool mirrored = false) {
    Canvas c(kCanvas, kCanvas);
    cairo_translate(c.cr, kMid, kMid);
    cairo_scale(c.cr, mirrored ? -kScale : kScale, kScale);
    cairo_set_line_join(c.cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(c.cr, CAIRO_LINE_CAP_ROUND);
    draw(c);
    cairo_identity_matrix(c.cr);
    return Finish(c);
}

}  // namespace

std::vector<Picture> DrawRetriever() {
    std::vector<Picture> out;
    out.push_back(Paint(LeapOut));
    out.push_back(Paint(ComeDownBeyond));
    out.push_back(Paint(LeapBack, true));
    out.push_back(Paint(ComeDownNear, true));
    for (int species = 0; species < 4; species++) {
        for (int sex = 0; sex < 2; sex++) {
            out.push_back(Paint([&](Canvas& c) { CarriedBird(c, species, sex); }, true));
        }
    }
    return out;
}
