// The reel strip of the payout cabinet and its coins. Every picture of the
// strip is a card lit like the curved face of a drum as the reel window shows
// it when the reel stops; between cards runs the same dark seam with a groove.
#include <cmath>
#include <functional>

#include "items.h"
#include "payout_art.h"
#include "scenery.h"

namespace {

constexpr uint32_t kInk = 0x1a120c;

// The drum's light down the window, top to bottom (the bkg_07 reel windows).
void DrumGradient(cairo_pattern_t* p) {
    cairo_pattern_add_color_stop_rgb(p, 0, 0.45, 0.4, 0.32);
    cairo_pattern_add_color_stop_rgb(p, 0.45, 0.98, 0.95, 0.86);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.4, 0.36, 0.3);
}

// The seam below a card, rows kReelFace..107 of every picture: it darkens into
// a groove and comes up again to the top of the next card.
void Seam(cairo_t* cr, double x, double y) {
    double top = y + kReelFace, groove = y + 97, bottom = y + kReelPicture;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.4, 0.36, 0.3);
    cairo_pattern_add_color_stop_rgb(p, (groove - top) / (bottom - top), 0.2, 0.17, 0.13);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.5, 0.45, 0.37);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, top, kReelW, bottom - top);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    Rectangle(cr, x, groove, kReelW, 1, 0x0e0a06);
    Rectangle(cr, x, groove + 1, kReelW, 1, 0xb0a080, 0.6);
}

struct Bird {
    int species;  // Mallard, Pintail, Redhead, Canvasback
    int sex;      // hen 0, drake 1
};

// Pictures 1..8 of the strip; 0 is the resting face.
constexpr Bird kReelBirds[kReelPictures] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1},
                                            {1, 1}, {2, 1}, {3, 1}, {0, 0}};

// The canvasback's long sloping profile, over the store's round head: clear
// what rises above the slope, then draw the wedge of head and bill.
void CanvasbackHead(cairo_t* cr, bool drake) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_move_to(cr, 146, 10);
    cairo_line_to(cr, 146, -20);
    cairo_line_to(cr, 240, -20);
    cairo_line_to(cr, 240, 10 + 94 * 0.58);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_move_to(cr, 130, 54);
    cairo_curve_to(cr, 124, 36, 128, 14, 146, 10);
    cairo_line_to(cr, 178, 28.5);
    cairo_line_to(cr, 176, 44);
    cairo_curve_to(cr, 170, 56, 150, 60, 130, 54);
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    FillVertical(cr, 10, 58, drake ? 0xb8441c : 0xbc9c78, drake ? 0x5a1806 : 0x76583e);
    // The long black bill carries the slope of the forehead on to its tip.
    cairo_move_to(cr, 176, 27.5);
    cairo_line_to(cr, 208, 46);
    cairo_line_to(cr, 200, 49);
    cairo_line_to(cr, 175, 42);
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    SetColour(cr, 0x1c1c1e);
    cairo_fill(cr);
    SetColour(cr, drake ? 0xd02818 : 0x2a1a10);
    cairo_arc(cr, 158, 26, 3.2, 0, 2 * M_PI);
    cairo_fill(cr);
    SetColour(cr, kInk);
    cairo_arc(cr, 158, 26, 1.5, 0, 2 * M_PI);
    cairo_fill(cr);
}

// The marks the store's duck leaves out, in its 200 by 120 frame.
void SpeciesMarks(cairo_t* cr, const Bird& b) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (b.species) {
        case 0:
            if (b.sex == 0) {  // the hen's dark eye line and the bill's saddle
                SetColour(cr, 0x4a3018, 0.85);
                cairo_set_line_width(cr, 2.2);
                cairo_move_to(cr, 168, 28);
                cairo_line_to(cr, 146, 24);
                cairo_stroke(cr);
                SetColour(cr, kInk);
                cairo_arc(cr, 158, 26, 3, 0, 2 * M_PI);
                cairo_fill(cr);
                Rectangle(cr, 178, 28, 10, 6, 0x4a3018, 0.8);
            }
            break;
        case 1:
            if (b.sex == 1) {  // the drake's white stripe up the neck from the breast
                cairo_move_to(cr, 141, 66);
                cairo_curve_to(cr, 136, 54, 137, 40, 145, 28);
                cairo_curve_to(cr, 146, 40, 150, 49, 161, 53);
                cairo_line_to(cr, 166, 62);
                cairo_close_path(cr);
                SetColour(cr, 0xf4f2ec);
                cairo_fill(cr);
            }
            break;
        case 2:  // the black tip of the blue bill, the drake's golden eye
            SetColour(cr, kInk);
            cairo_move_to(cr, 190, 29);
            cairo_curve_to(cr, 196, 31, 199, 33, 198, 37);
            cairo_line_to(cr, 189, 39);
            cairo_close_path(cr);
            cairo_fill(cr);
            if (b.sex == 1) {
                SetColour(cr, 0xf0c020);
                cairo_arc(cr, 158, 26, 3.4, 0, 2 * M_PI);
                cairo_fill(cr);
                SetColour(cr, kInk);
                cairo_arc(cr, 158, 26, 1.5, 0, 2 * M_PI);
                cairo_fill(cr);
            }
            break;
        default:
            CanvasbackHead(cr, b.sex == 1);
            break;
    }
}

// A head-and-breast portrait: the front of the store's duck, scaled so that its
// head fills the card, with the marks of its kind.
void Portrait(cairo_t* cr, double x, double y, const Bird& b) {
    constexpr double kScale = 0.68, kLeft = 104, kTop = 10;
    cairo_save(cr);
    cairo_translate(cr, x - kLeft * kScale, y + 8 - kTop * kScale);
    cairo_scale(cr, kScale, kScale);
    PaintDuck(cr, b.species, b.sex, 0, 0, 200, 120);
    SpeciesMarks(cr, b);
    cairo_restore(cr);
}

// Something drawn on a card, darkened towards the card's ends like the card.
void OnDrum(cairo_t* cr, double y, const std::function<void(cairo_t*)>& subject) {
    cairo_push_group(cr);
    subject(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_pattern_t* p =
        cairo_pattern_create_linear(0, y + kStoppedShown, 0, y + kStoppedShown + kReelWindowH);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.1, 0.06, 0.02, 0.5);
    cairo_pattern_add_color_stop_rgba(p, 0.45, 0.1, 0.06, 0.02, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.06, 0.02, 0.55);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

}  // namespace

void PaintReelPicture(Canvas& c, double x, double y, int k) {
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, kReelW, kReelPicture);
    cairo_clip(cr);
    // The card, lit as the window shows it when the reel stops on it.
    cairo_pattern_t* p =
        cairo_pattern_create_linear(0, y + kStoppedShown, 0, y + kStoppedShown + kReelWindowH);
    DrumGradient(p);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, y, kReelW, kReelFace);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    Seam(cr, x, y);
    // The subject keeps to the card.
    cairo_rectangle(cr, x, y, kReelW, kReelFace);
    cairo_clip(cr);
    if (k == 0) {
        SetColour(cr, 0x6a5a40, 0.7);
        DuckSilhouette(cr, x + kReelW / 2.0, y + 41.5, 1.6, true, false);
    } else {
        OnDrum(cr, y, [&](cairo_t* g) { Portrait(g, x, y, kReelBirds[k]); });
    }
    cairo_restore(cr);
}

Picture ReelStrip() {
    Canvas c(kReelW, kReelPicture * kReelPictures);
    for (int k = 0; k < kReelPictures; k++) {
        PaintReelPicture(c, 0, k * kReelPicture, k);
    }
    return Quantize(c, 0, 0, c.width, c.height, false, 8);
}

namespace {

constexpr int kCoinW = 124, kCoinH = 66;
constexpr double kCoinR = 61, kTilt = 0.47, kEdge = 6;

// Fills `motif` in relief on the coin's face: a dark lower edge, a bright
// upper one and the face colour between.
void Emboss(cairo_t* cr, const std::function<void(cairo_t*)>& motif, uint32_t face) {
    const struct {
        double dx, dy;
        uint32_t rgb;
        double alpha;
    } layers[] = {{1.4, 1.4, 0x30343c, 0.8}, {-1, -1, 0xffffff, 0.9}, {0, 0, face, 1}};
    for (const auto& l : layers) {
        cairo_save(cr);
        cairo_translate(cr, l.dx, l.dy);
        cairo_push_group(cr);
        motif(cr);
        cairo_pattern_t* mask = cairo_pop_group(cr);
        SetColour(cr, l.rgb, l.alpha);
        cairo_mask(cr, mask);
        cairo_pattern_destroy(mask);
        cairo_restore(cr);
    }
}

void CoinFaceDesign(cairo_t* cr, int kind) {
    switch (kind) {
        case 0:  // heads: a drake on the water over three ripples
            Emboss(
                cr,
                [](cairo_t* m) {
                    PaintDuck(m, 0, 1, -40, -34, 80, 48);
                    cairo_set_line_width(m, 3);
                    for (int i = 0; i < 3; i++) {
                        cairo_move_to(m, -30 + i * 6, 22 + i * 8);
                        cairo_line_to(m, 30 - i * 6, 22 + i * 8);
                    }
                    cairo_stroke(m);
                },
                0xb8bcc4);
            break;
        case 1:  // tails: the one and a wreath of cattails
            Emboss(
                cr,
                [](cairo_t* m) {
                    UseFont(m, "DejaVuSerif-Bold.ttf", 54);
                    cairo_move_to(m, -15, 19);
                    cairo_show_text(m, "1");
                    cairo_set_line_width(m, 3.5);
                    for (int side : {-1, 1}) {
                        cairo_move_to(m, side * 10, 42);
                        cairo_curve_to(m, side * 40, 34, side * 46, 0, side * 36, -30);
                        cairo_stroke(m);
                        for (int i = 0; i < 4; i++) {
                            double t = 0.2 + i * 0.22, a = M_PI * (0.65 - t * 0.55);
                            double px = side * (16 + 30 * std::sin(M_PI * t * 0.9)),
                                   py = 40 - 66 * t;
                            cairo_save(m);
                            cairo_translate(m, px, py);
                            cairo_rotate(m, side * (a - M_PI / 2));
                            cairo_scale(m, 3, 7);
                            cairo_arc(m, 0, 0, 1, 0, 2 * M_PI);
                            cairo_restore(m);
                            cairo_fill(m);
                        }
                    }
                },
                0xbcc0c8);
            break;
        default:  // a second reverse: a duck rising over the reeds, two stars
            Emboss(
                cr,
                [](cairo_t* m) {
                    DuckSilhouette(m, 4, -4, 3.2, true, false);
                    cairo_set_line_width(m, 2.5);
                    for (int i = 0; i < 5; i++) {
                        double bx = -30 + i * 8;
                        cairo_move_to(m, bx, 44);
                        cairo_curve_to(m, bx + 2, 30, bx + 1, 20, bx + 6 - i, 10 + i * 3);
                    }
                    cairo_stroke(m);
                    for (int side : {-1, 1}) {
                        cairo_arc(m, side * 36, -22, 3.5, 0, 2 * M_PI);
                        cairo_fill(m);
                    }
                },
                0xb4b8c0);
            break;
    }
}

// A silver dollar of our own lying on the felt, seen from the player's seat.
void Coin(cairo_t* cr, int kind) {
    const double cx = kCoinW / 2.0, cy = kCoinR * kTilt + 1;
    auto ellipse = [&](double y, double r, double a0, double a1, bool negative) {
        cairo_save(cr);
        cairo_translate(cr, cx, y);
        cairo_scale(cr, 1, kTilt);
        if (negative) {
            cairo_arc_negative(cr, 0, 0, r, a0, a1);
        } else {
            cairo_arc(cr, 0, 0, r, a0, a1);
        }
        cairo_restore(cr);
    };
    // The milled edge: a band under the front half of the face.
    cairo_new_path(cr);
    ellipse(cy + kEdge, kCoinR, 0, M_PI, false);
    ellipse(cy, kCoinR, M_PI, 0, true);
    cairo_close_path(cr);
    cairo_pattern_t* side = cairo_pattern_create_linear(cx - kCoinR, 0, cx + kCoinR, 0);
    cairo_pattern_add_color_stop_rgb(side, 0, 0.32, 0.34, 0.38);
    cairo_pattern_add_color_stop_rgb(side, 0.35, 0.78, 0.8, 0.84);
    cairo_pattern_add_color_stop_rgb(side, 1, 0.26, 0.27, 0.3);
    cairo_set_source(cr, side);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(side);
    SetColour(cr, 0x202228);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int i = 1; i < 40; i++) {
        double a = M_PI * i / 40, px = cx + kCoinR * std::cos(a),
               py = cy + kCoinR * kTilt * std::sin(a);
        SetColour(cr, 0x202228, 0.45);
        cairo_move_to(cr, px, py + 1);
        cairo_line_to(cr, px, py + kEdge);
        cairo_stroke(cr);
    }
    // The face, in its own round frame squashed by the view.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, kTilt);
    cairo_arc(cr, 0, 0, kCoinR, 0, 2 * M_PI);
    cairo_pattern_t* face = cairo_pattern_create_linear(-kCoinR, -kCoinR, kCoinR, kCoinR);
    cairo_pattern_add_color_stop_rgb(face, 0, 0.96, 0.97, 0.98);
    cairo_pattern_add_color_stop_rgb(face, 0.5, 0.74, 0.76, 0.8);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.52, 0.54, 0.6);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    SetColour(cr, 0x2a2c32);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // The raised rim and its ring of beads.
    cairo_set_line_width(cr, 2);
    SetColour(cr, 0x5a5e66);
    cairo_arc(cr, 0.8, 0.8, kCoinR - 6, 0, 2 * M_PI);
    cairo_stroke(cr);
    SetColour(cr, 0xf4f6f8);
    cairo_arc(cr, -0.6, -0.6, kCoinR - 6, 0, 2 * M_PI);
    cairo_stroke(cr);
    for (int i = 0; i < 36; i++) {
        double a = 2 * M_PI * i / 36;
        SetColour(cr, 0x6a6e76);
        cairo_arc(cr, (kCoinR - 11) * std::cos(a), (kCoinR - 11) * std::sin(a), 1.6, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    CoinFaceDesign(cr, kind);
    // A sheen across the face.
    cairo_arc(cr, 0, 0, kCoinR - 1, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(-kCoinR, -kCoinR, kCoinR, kCoinR);
    cairo_pattern_add_color_stop_rgba(sheen, 0.25, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(sheen, 0.38, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 0.5, 1, 1, 1, 0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
}

}  // namespace

Picture CoinPicture(int kind) {
    static_assert(kCoinW <= kCoinMaxW && kCoinH <= kCoinMaxH, "coins stay in the tray");
    Canvas c(kCoinW, kCoinH);
    Coin(c.cr, kind);
    return Quantize(c, 0, 0, kCoinW, kCoinH, true, 0);
}
