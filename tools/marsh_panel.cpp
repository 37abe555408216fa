// The hunt's panel along the bottom of each marsh, rows 420 to 479: the blind's
// shelf with the quit and game-bag buttons, the clock on the pause button, the
// sockets the player's goods are set into, and the two shell counters. Every
// place lines up with the icon bar's buttons and the icons drawn over them.
#include <cmath>

#include "marsh.h"

namespace {

struct Socket {
    Rect r;
    const char* label;
};

// Where the licence, decoy, call, gun and shell-box icons go, at their sizes.
constexpr Socket kSockets[] = {
    {{157, 422, 66, 45}, "LICENSE"}, {{297, 422, 66, 45}, "DECOYS"}, {{371, 422, 66, 45}, "CALL"},
    {{442, 422, 81, 45}, "GUN"},     {{528, 422, 56, 45}, "SHELLS"},
};
constexpr Rect kQuit = {7, 429, 74, 45};
constexpr Rect kPause = {86, 429, 66, 45};
constexpr Rect kGameBag = {228, 429, 66, 45};
// The counters: shells in the gun (inside the gun's socket) and in the box.
constexpr Rect kLoaded = {490, 436, 32, 32};
constexpr Rect kBox = {586, 436, 48, 32};
constexpr double kClockX = 119.5, kClockY = 447.5;

// An empty hollow in the shelf, lined with worn felt.
void PaintSocket(Canvas& c, const Socket& s) {
    cairo_t* cr = c.cr;
    Rect r = s.r;
    RoundedRect(cr, r.x, r.y, r.w, r.h, 4);
    FillVertical(cr, r.y, r.y + r.h, 0x0c0e08, 0x1c2414);
    Grain(c, r.x + 2, r.y + 2, r.w - 4, r.h - 4, 0.25, 2.0, 300 + r.x);
    // The shelf's edge casts a shadow into it; its lower lip catches the light.
    Rectangle(cr, r.x + 2, r.y, r.w - 4, 3, 0x000000, 0.6);
    Rectangle(cr, r.x, r.y + 2, 3, r.h - 4, 0x000000, 0.45);
    Rectangle(cr, r.x + 3, r.y + r.h - 1, r.w - 6, 1, 0xe0b070, 0.45);
    Rectangle(cr, r.x + r.w - 1, r.y + 3, 1, r.h - 6, 0xe0b070, 0.3);
    // What belongs here, stamped dimly into the felt.
    double cx = r.x + r.w / 2.0;
    if (r.x < kLoaded.x && kLoaded.x < r.x + r.w) {
        cx = r.x + (kLoaded.x - r.x) / 2.0;  // left of the counter
    }
    UseFont(cr, "DejaVuSans-Bold.ttf", 8.5);
    SetColour(cr, 0x6a5a30, 0.8);
    cairo_move_to(cr, std::round(cx - TextWidth(cr, s.label) / 2), r.y + r.h / 2.0 + 3);
    cairo_show_text(cr, s.label);
}

// The clock on the pause button: a brass bezel round a pale enamel face, so
// that the hands, drawn in the darkest colour, stand out.
void PaintClock(Canvas& c) {
    cairo_t* cr = c.cr;
    SetColour(cr, 0x000000, 0.5);
    cairo_arc(cr, kClockX + 1, kClockY + 1.5, 21.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_t* rim =
        cairo_pattern_create_linear(kClockX - 20, kClockY - 20, kClockX + 20, kClockY + 20);
    cairo_pattern_add_color_stop_rgb(rim, 0, 1.0, 0.92, 0.6);
    cairo_pattern_add_color_stop_rgb(rim, 0.5, 0.78, 0.58, 0.2);
    cairo_pattern_add_color_stop_rgb(rim, 1, 0.4, 0.26, 0.06);
    cairo_set_source(cr, rim);
    cairo_arc(cr, kClockX, kClockY, 21.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    cairo_pattern_t* face =
        cairo_pattern_create_radial(kClockX - 5, kClockY - 6, 2, kClockX, kClockY, 19);
    cairo_pattern_add_color_stop_rgb(face, 0, 1.0, 0.99, 0.94);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.9, 0.85, 0.72);
    cairo_set_source(cr, face);
    cairo_arc(cr, kClockX, kClockY, 18.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Hour marks beyond the reach of the hands, bold at the quarters.
    for (int h = 0; h < 12; h++) {
        double a = h * M_PI / 6;
        bool quarter = h % 3 == 0;
        SetColour(cr, quarter ? 0x7a2a18 : 0x6a5a48);
        cairo_set_line_width(cr, quarter ? 2.2 : 1.2);
        cairo_move_to(cr, kClockX + std::sin(a) * 15.8, kClockY - std::cos(a) * 15.8);
        cairo_line_to(cr, kClockX + std::sin(a) * 18.2, kClockY - std::cos(a) * 18.2);
        cairo_stroke(cr);
    }
    SetColour(cr, 0x6a5a48);
    cairo_arc(cr, kClockX, kClockY, 1.5, 0, 2 * M_PI);
    cairo_fill(cr);
}

// A counter window: near black behind a thin bronze frame, for bright digits.
void PaintCounter(Canvas& c, Rect r, bool framed) {
    cairo_t* cr = c.cr;
    if (framed) {
        Rectangle(cr, r.x - 2, r.y - 2, r.w + 4, r.h + 4, 0x8a6a30);
        Rectangle(cr, r.x - 1, r.y - 1, r.w + 2, r.h + 2, 0x2a1c0c);
    }
    Rectangle(cr, r.x, r.y, r.w, r.h, 0x0a0806);
    Rectangle(cr, r.x, r.y, r.w, 2, 0x000000, 0.8);
}

}  // namespace

void PaintPanel(Marsh& m, uint32_t seed) {
    Canvas& c = m.paint;
    cairo_t* cr = c.cr;
    // The shelf: dark planks under a heavy top rail.
    PaintWood(c, 0, kPanelTop, 640, 480 - kPanelTop, 0x24160a, 0x5a3c20, seed);
    Rectangle(cr, 0, kPanelTop, 640, 1, 0x0a0604);
    Rectangle(cr, 0, kPanelTop + 1, 640, 1, 0xd8a868, 0.5);
    Rectangle(cr, 0, 477, 640, 3, 0x000000, 0.5);
    for (const Socket& s : kSockets) {
        PaintSocket(c, s);
    }
    // The loaded-shell counter sits in the gun's socket, under the gun.
    PaintCounter(c, kLoaded, false);
    PaintCounter(c, kBox, true);
    // The same grain as the lit quit face, so that lighting it only brightens.
    WoodButton(c, kQuit.x, kQuit.y, kQuit.w, kQuit.h, "Quit", false, 12);
    WoodButton(c, kPause.x, kPause.y, kPause.w, kPause.h, "", false, seed + 1);
    PaintClock(c);
    WoodButton(c, kGameBag.x, kGameBag.y, kGameBag.w, kGameBag.h, "Game Bag", false, seed + 2, 12);
    for (int y = kPanelTop; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            m.Set(x, y, kPanelDepth, Ground::Land);
        }
    }
    cairo_surface_mark_dirty(m.depthSurface);
    cairo_surface_mark_dirty(m.groundSurface);
}
