// The jail, seen from inside the cell at nightfall: the sheriff's office
// beyond the bars (a barred window, a desk under a lamp, the rack of taken
// guns, posters and the keys on their hook), and the bars in front, which the
// depth map keeps in front of the sheriff.
#include <cmath>

#include "heads.h"
#include "jail.h"
#include "scenery.h"

namespace {

constexpr int kFloorY = 352;  // where the back wall meets the floor
constexpr int kBarWidth = 11;
constexpr int kBars[] = {45, 155, 265, 375, 485, 595};  // left edges; he stands between 265 and 375
constexpr Rect kBands[] = {{0, 52, 640, 12}, {0, 404, 640, 12}};
constexpr uint8_t kBarDepth = 200;

void Wall(Canvas& c) {
    cairo_t* cr = c.cr;
    cairo_rectangle(cr, 0, 0, 640, kFloorY);
    FillVertical(cr, 0, kFloorY, 0x6a7058, 0x8a8a68);
    Grain(c, 0, 0, 640, kFloorY, 0.12, 9.0, 3101);
    // Wainscot and its rail.
    PaintPanelling(c, 0, 262, 640, kFloorY - 262, 40, 0x3a200c, 0x7a4a22, 3102);
    PaintWood(c, 0, 256, 640, 8, 0x3a200c, 0x8a5a2a, 3103);
    Rectangle(cr, 0, 264, 640, 2, 0x120a04, 0.6);
    // The floor boards running away from the cell.
    PaintWood(c, 0, kFloorY, 640, 480 - kFloorY, 0x2a1608, 0x6a4420, 3104);
    for (int i = 0; i < 14; i++) {
        double x = -300 + i * 95;
        cairo_move_to(cr, 320 + (x - 320) * 0.35, kFloorY);
        cairo_line_to(cr, x, 480);
    }
    SetColour(cr, 0x120a04, 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    Rectangle(cr, 0, kFloorY, 640, 5, 0x1a0e06, 0.7);
}

void Window(Canvas& c) {
    cairo_t* cr = c.cr;
    Rect w = {36, 70, 150, 150};
    PaintWood(c, w.x - 10, w.y - 10, w.w + 20, w.h + 20, 0x3a200c, 0x7a4a22, 3110);
    Bevel(cr, w.x - 10, w.y - 10, w.w + 20, w.h + 20, 3, 0.8);
    // Night over the town: deep blue, a moon, the roofs across the street.
    cairo_rectangle(cr, w.x, w.y, w.w, w.h);
    FillVertical(cr, w.y, w.y + w.h, 0x0e1430, 0x3a3a5a);
    cairo_arc(cr, w.x + 104, w.y + 40, 12, 0, 2 * M_PI);
    SetColour(cr, 0xf0ecd0);
    cairo_fill(cr);
    cairo_move_to(cr, w.x, w.y + w.h);
    cairo_line_to(cr, w.x, w.y + 104);
    cairo_line_to(cr, w.x + 30, w.y + 84);
    cairo_line_to(cr, w.x + 60, w.y + 104);
    cairo_line_to(cr, w.x + 60, w.y + 96);
    cairo_line_to(cr, w.x + 110, w.y + 96);
    cairo_line_to(cr, w.x + 110, w.y + 110);
    cairo_line_to(cr, w.x + w.w, w.y + 110);
    cairo_line_to(cr, w.x + w.w, w.y + w.h);
    cairo_close_path(cr);
    SetColour(cr, 0x0a0a14);
    cairo_fill(cr);
    Rectangle(cr, w.x + 76, w.y + 118, 8, 8, 0xf0c060, 0.9);
    Rectangle(cr, w.x + 20, w.y + 120, 6, 8, 0xe8b050, 0.8);
    // Mullions and the window's own bars.
    Rectangle(cr, w.x + w.w / 2 - 3, w.y, 6, w.h, 0x3a200c);
    Rectangle(cr, w.x, w.y + w.h / 2 - 3, w.w, 6, 0x3a200c);
    for (int i = 1; i < 5; i++) {
        Rectangle(cr, w.x + i * w.w / 5 - 1.5, w.y, 3, w.h, 0x202228);
    }
}

void Poster(Canvas& c, double x, double y, double w, double h, const char* title, const char* line,
            uint32_t seed) {
    cairo_t* cr = c.cr;
    SoftShadow(
        c,
        [&](cairo_t* m) {
            cairo_rectangle(m, x, y, w, h);
            cairo_fill(m);
        },
        3, 4, 3, 0.5);
    cairo_rectangle(cr, x, y, w, h);
    FillVertical(cr, y, y + h, 0xeadcb4, 0xc8b488);
    Grain(c, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h),
          0.1, 3, seed);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 11, x + w / 2, y + 15, title, 0x3a2410, 0xeadcb4);
    SetColour(cr, 0x4a3018, 0.85);
    DuckSilhouette(cr, x + w / 2, y + h * 0.52, 1.4, true, false);
    UseFont(cr, "DejaVuSerif.ttf", 7.5);
    cairo_move_to(cr, x + w / 2 - TextWidth(cr, line) / 2, y + h - 9);
    cairo_show_text(cr, line);
    cairo_arc(cr, x + w / 2, y + 4, 1.8, 0, 2 * M_PI);
    SetColour(cr, 0x8a1a10);
    cairo_fill(cr);
}

void Props(Canvas& c) {
    cairo_t* cr = c.cr;
    Poster(c, 228, 90, 66, 84, "WANTED", "for poaching", 3120);
    Poster(c, 306, 98, 58, 70, "NOTICE", "bag limits", 3121);
    // The rack of guns taken from hunters who broke the law.
    PaintWood(c, 430, 120, 150, 12, 0x3a200c, 0x8a5a2a, 3122);
    PaintWood(c, 430, 226, 150, 12, 0x3a200c, 0x8a5a2a, 3123);
    for (int i = 0; i < 4; i++) {
        double x = 446 + i * 36;
        cairo_move_to(cr, x - 3, 232);
        cairo_line_to(cr, x + 3, 232);
        cairo_line_to(cr, x + 2, 150);
        cairo_line_to(cr, x - 2, 150);
        cairo_close_path(cr);
        SetColour(cr, 0x30343c);
        cairo_fill(cr);
        cairo_move_to(cr, x - 6, 236);
        cairo_line_to(cr, x + 6, 236);
        cairo_line_to(cr, x + 4, 190);
        cairo_line_to(cr, x - 3, 190);
        cairo_close_path(cr);
        SetColour(cr, 0x6a3a18);
        cairo_fill(cr);
        Rectangle(cr, x - 1, 116, 2, 36, 0x50545c);
    }
    // A clock over the desk.
    cairo_arc(cr, 600, 60, 18, 0, 2 * M_PI);
    FillRadial(cr, 600, 60, 18, 0xf0e8d0, 0xa89870);
    cairo_arc(cr, 600, 60, 18, 0, 2 * M_PI);
    SetColour(cr, 0x3a200c);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_move_to(cr, 600, 60);
    cairo_line_to(cr, 600, 47);
    cairo_move_to(cr, 600, 60);
    cairo_line_to(cr, 609, 64);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // The keys on their hook by the cell.
    cairo_arc(cr, 206, 282, 2, 0, 2 * M_PI);
    SetColour(cr, 0x202020);
    cairo_fill(cr);
    cairo_arc(cr, 206, 292, 8, 0, 2 * M_PI);
    SetColour(cr, 0x8a7a40);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int k = 0; k < 3; k++) {
        double a = 1.2 + k * 0.35;
        double kx = 206 + 8 * std::cos(a), ky = 292 + 8 * std::sin(a);
        cairo_move_to(cr, kx, ky);
        cairo_line_to(cr, kx + 14 * std::cos(a), ky + 14 * std::sin(a));
        SetColour(cr, 0xc8a850);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    // The desk with the lamp lit on it.
    SoftShadow(
        c,
        [](cairo_t* m) {
            cairo_rectangle(m, 420, 300, 220, 120);
            cairo_fill(m);
        },
        -4, 6, 6, 0.6);
    PaintWood(c, 420, 296, 220, 12, 0x4a2810, 0xa06a34, 3124);
    PaintPanelling(c, 430, 308, 210, 110, 52, 0x2a1608, 0x6a4020, 3125);
    Rectangle(cr, 420, 306, 220, 3, 0x120a04, 0.6);
    Rectangle(cr, 500, 284, 44, 12, 0xf0ece0);  // papers
    Rectangle(cr, 503, 282, 40, 12, 0xe4dcc8);
    cairo_rectangle(cr, 456, 280, 12, 16);  // a mug
    FillVertical(cr, 280, 296, 0xd8d4cc, 0x8a8680);
    Rectangle(cr, 577, 258, 4, 38, 0x2a3020);
    cairo_move_to(cr, 558, 262);
    cairo_curve_to(cr, 566, 246, 592, 246, 600, 262);
    cairo_close_path(cr);
    SetColour(cr, 0x1e5a34);
    cairo_fill(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(579, 268, 4, 579, 280, 120);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.9, 0.6, 0.6);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.8, 0.4, 0);
    cairo_set_source(cr, glow);
    cairo_rectangle(cr, 440, 160, 200, 240);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void Light(Canvas& c) {
    cairo_t* cr = c.cr;
    // A hanging lamp over where he stands; the corners fall into the night.
    Rectangle(cr, 324, 0, 2, 24, 0x202020);
    cairo_move_to(cr, 308, 34);
    cairo_curve_to(cr, 312, 22, 338, 22, 342, 34);
    cairo_close_path(cr);
    SetColour(cr, 0x2a3a2a);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(325, 40, 10, 325, 200, 330);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.92, 0.7, 0.35);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 0.8, 0.5, 0.08);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0.05, 0.45);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    Vignette(c, 0.5);
}

void Bars(Canvas& c) {
    cairo_t* cr = c.cr;
    for (int x : kBars) {
        // Round iron: a highlight off the lamp, dark at the edges.
        cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + kBarWidth, 0);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.06, 0.06, 0.07);
        cairo_pattern_add_color_stop_rgb(p, 0.35, 0.5, 0.5, 0.52);
        cairo_pattern_add_color_stop_rgb(p, 0.55, 0.28, 0.28, 0.3);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.04, 0.04, 0.05);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, x, 0, kBarWidth, 480);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    for (const Rect& b : kBands) {
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        FillVertical(cr, b.y, b.y + b.h, 0x5a5c60, 0x101012);
        Rectangle(cr, b.x, b.y, b.w, 1, 0x8a8c90);
        for (int x : kBars) {
            cairo_arc(cr, x + kBarWidth / 2.0, b.y + b.h / 2.0, 2.2, 0, 2 * M_PI);
            SetColour(cr, 0x9a9ca0);
            cairo_fill(cr);
        }
    }
    Grain(c, 0, 0, 640, 480, 0.04, 2.0, 3130);
}

bool InBars(int x, int y) {
    for (int bx : kBars) {
        if (x >= bx && x < bx + kBarWidth) {
            return true;
        }
    }
    for (const Rect& b : kBands) {
        if (y >= b.y && y < b.y + b.h) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<Picture> JailBank() {
    Canvas c(640, 480);
    Wall(c);
    Window(c);
    Props(c);
    Light(c);
    Bars(c);
    Picture picture = Quantize(c, 0, 0, 640, 480, false, 8);
    // Nothing stands in front of him but the bars.
    Picture depth;
    depth.width = 640;
    depth.height = 480;
    depth.pixels.assign(640 * 480, 0);
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            if (InBars(x, y)) {
                depth.pixels[static_cast<size_t>(y) * 640 + x] = kBarDepth;
            }
        }
    }
    return {picture, depth};
}
