// Man-made things of the marsh: the far lodge and shack, a line of poles, and
// the near edge: the reed bank the dog leaps over and the blind itself.
#include <algorithm>
#include <cmath>

#include "marsh.h"

namespace {

// A filled polygon into the picture and the maps at the far shore's depth.
void FarPolygon(Marsh& m, std::initializer_list<std::pair<double, double>> pts, uint32_t colour,
                int depth = kFarShoreDepth) {
    Mark(m, depth, Ground::Land, [&](cairo_t* cr, bool col) {
        bool first = true;
        for (auto [x, y] : pts) {
            if (first) {
                cairo_move_to(cr, x, y);
                first = false;
            } else {
                cairo_line_to(cr, x, y);
            }
        }
        cairo_close_path(cr);
        if (col) {
            SetColour(cr, colour);
        }
        cairo_fill(cr);
    });
}

void FarRect(Marsh& m, double x, double y, double w, double h, uint32_t colour) {
    FarPolygon(m, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, colour);
}

// Warm lamplight in a window (picture only: it lies on a wall already marked).
void Window(Marsh& m, double x, double y, double w, double h, bool lit) {
    cairo_t* cr = m.paint.cr;
    Rectangle(cr, x, y, w, h, lit ? 0xf8c860 : 0x2a2a30);
    if (lit) {
        Rectangle(cr, x, y + h * 0.55, w, h * 0.45, 0xe08a30);
    }
}

// Smoke drifting from a chimney (picture only).
void Smoke(Marsh& m, double x, double y, uint32_t seed) {
    cairo_t* cr = m.paint.cr;
    for (int k = 0; k < 14; k++) {
        double t = k / 14.0;
        double px = x + t * 40 + (Hash01(k, 1, seed) - 0.5) * 4;
        double py = y - t * 34;
        SetColour(cr, 0xd8ccd0, 0.3 * (1 - t));
        cairo_arc(cr, px, py, 2 + t * 7, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

}  // namespace

void PaintLodge(Marsh& m, double cx, double baseY, double s, uint32_t seed) {
    // A great log lodge on a stone footing: a tall centre hall with wings,
    // steep roofs, a porch along the front and a boathouse on the water.
    uint32_t log = 0x6a4a2e, logLit = 0x9a6a3c, roof = 0x3a3e46, stone = 0x8a8276;
    double hw = 34 * s;  // half the hall's width
    // Wings.
    for (int side : {-1, 1}) {
        double wx = cx + side * hw * 1.9;
        FarRect(m, wx - hw * 0.9, baseY - 20 * s, hw * 1.8, 20 * s, side > 0 ? logLit : log);
        FarPolygon(m,
                   {{wx - hw * 1.0, baseY - 20 * s},
                    {wx - hw * 0.75, baseY - 31 * s},
                    {wx + hw * 0.75, baseY - 31 * s},
                    {wx + hw * 1.0, baseY - 20 * s}},
                   roof);
        for (int w = 0; w < 4; w++) {
            Window(m, wx - hw * 0.75 + w * hw * 0.42, baseY - 15 * s, 4 * s, 6 * s, w % 2 == 0);
        }
    }
    // The hall.
    FarRect(m, cx - hw, baseY - 34 * s, hw * 2, 34 * s, logLit);
    FarRect(m, cx - hw, baseY - 34 * s, hw * 0.9, 34 * s, log);
    FarPolygon(
        m,
        {{cx - hw * 1.15, baseY - 33 * s}, {cx, baseY - 58 * s}, {cx + hw * 1.15, baseY - 33 * s}},
        roof);
    // The sunlit slope of the roof.
    FarPolygon(
        m,
        {{cx, baseY - 58 * s}, {cx + hw * 1.15, baseY - 33 * s}, {cx + hw * 0.7, baseY - 33 * s}},
        0x5a5e68);
    for (int w = 0; w < 5; w++) {
        Window(m, cx - hw * 0.8 + w * hw * 0.36, baseY - 27 * s, 4 * s, 8 * s, w != 2);
        Window(m, cx - hw * 0.8 + w * hw * 0.36, baseY - 13 * s, 4 * s, 8 * s, w % 2 == 1);
    }
    Window(m, cx - 3 * s, baseY - 46 * s, 6 * s, 7 * s, true);  // the gable's window
    // The seams between the logs.
    cairo_t* cr = m.paint.cr;
    SetColour(cr, 0x2a1a10, 0.35);
    cairo_set_line_width(cr, 0.6);
    for (double y = baseY - 33 * s; y < baseY - 4 * s; y += 2.5 * s) {
        double wide = y > baseY - 20 * s ? hw * 2.8 : hw;
        cairo_move_to(cr, cx - wide, y);
        cairo_line_to(cr, cx + wide, y);
    }
    cairo_stroke(cr);
    // Stone chimneys and smoke.
    for (double off : {-0.55, 0.6}) {
        FarRect(m, cx + off * hw * 2 - 3 * s, baseY - 62 * s, 6 * s, 30 * s, stone);
    }
    Smoke(m, cx + 0.6 * hw * 2, baseY - 63 * s, seed);
    // Stone footing and porch roof along the front.
    FarRect(m, cx - hw * 2.9, baseY - 4 * s, hw * 5.8, 4 * s, stone);
    FarPolygon(m,
               {{cx - hw * 1.1, baseY - 11 * s},
                {cx + hw * 1.1, baseY - 11 * s},
                {cx + hw * 1.25, baseY - 6 * s},
                {cx - hw * 1.25, baseY - 6 * s}},
               0x4a4e56);
    // A flag on a tall pole.
    double fx = cx + hw * 3.4;
    FarRect(m, fx, baseY - 70 * s, 1.2, 70 * s, 0xd8d0c0);
    FarPolygon(m,
               {{fx + 1, baseY - 70 * s}, {fx + 13 * s, baseY - 67 * s}, {fx + 1, baseY - 63 * s}},
               0xc03828);
    // A boathouse and a dock reaching out on the water.
    double bx = cx - hw * 3.8;
    FarRect(m, bx - 12 * s, baseY - 12 * s, 24 * s, 13 * s, 0x7a5234);
    FarPolygon(m,
               {{bx - 14 * s, baseY - 11 * s}, {bx, baseY - 20 * s}, {bx + 14 * s, baseY - 11 * s}},
               0x4a3a34);
    Rectangle(m.paint.cr, bx - 6 * s, baseY - 8 * s, 12 * s, 8 * s, 0x1a1410);
    FarRect(m, cx - hw * 0.3, baseY, hw * 0.6, 3 * s, 0x8a6a48);
}

void PaintShack(Marsh& m, double cx, double baseY, double s, uint32_t seed) {
    // The club's weathered clubhouse on stilts by the water, a tin roof and a
    // lit window, a short dock.
    uint32_t board = 0x7a6248, boardLit = 0xa8865c;
    FarRect(m, cx - 22 * s, baseY - 22 * s, 44 * s, 18 * s, board);
    FarRect(m, cx, baseY - 22 * s, 22 * s, 18 * s, boardLit);
    FarPolygon(m,
               {{cx - 26 * s, baseY - 21 * s},
                {cx - 18 * s, baseY - 32 * s},
                {cx + 18 * s, baseY - 32 * s},
                {cx + 26 * s, baseY - 21 * s}},
               0x8a3a2a);
    FarPolygon(m,
               {{cx, baseY - 32 * s},
                {cx + 18 * s, baseY - 32 * s},
                {cx + 26 * s, baseY - 21 * s},
                {cx + 4 * s, baseY - 21 * s}},
               0xa84e34);
    for (double px : {-20.0, -8.0, 8.0, 20.0}) {
        FarRect(m, cx + px * s - 1, baseY - 4 * s, 2, 5 * s, 0x3a2a1c);
    }
    Window(m, cx - 14 * s, baseY - 17 * s, 6 * s, 6 * s, true);
    Window(m, cx + 8 * s, baseY - 17 * s, 6 * s, 6 * s, false);
    FarRect(m, cx + 22 * s, baseY - 3 * s, 30 * s, 2 * s, 0x8a6a48);
    FarRect(m, cx - 16 * s, baseY - 38 * s, 4 * s, 8 * s, 0x5a4a3a);
    Smoke(m, cx - 14 * s, baseY - 39 * s, seed);
}

void PaintPowerLine(Marsh& m, double baseY, uint32_t seed) {
    // Poles along the public ground's far road, wires sagging between them.
    double prevX = -40, prevY = 0;
    for (int k = 0; k < 7; k++) {
        double x = 20 + k * 104 + Hash01(k, 1, seed) * 10;
        double h = 46 + Hash01(k, 2, seed) * 4;
        double top = baseY - h;
        FarRect(m, x - 1, top, 2, h, 0x3a3038);
        FarRect(m, x - 8, top + 3, 16, 1.5, 0x3a3038);
        if (k > 0) {
            cairo_t* cr = m.paint.cr;
            SetColour(cr, 0x2a2430, 0.7);
            cairo_set_line_width(cr, 0.7);
            for (double off : {-7.0, 7.0}) {
                cairo_move_to(cr, prevX + off, prevY + 3);
                cairo_curve_to(cr, prevX + off + 30, prevY + 12, x + off - 30, top + 12, x + off,
                               top + 3);
                cairo_stroke(cr);
            }
        }
        prevX = x;
        prevY = top;
    }
}

void PaintBerm(Marsh& m, double x0, double x1, double top, const ReedLook& reeds, uint32_t mud,
               uint32_t seed) {
    // A mound of mud and flattened sedge right in front of the blind, thick
    // with reeds: solid enough that a dog beyond it is hidden.
    double base = 420;
    double mid = (x0 + x1) / 2, half = (x1 - x0) / 2;
    auto crest = [&](double x) {
        double t = (x - mid) / half;
        double hump = std::sqrt(std::max(0.0, 1 - t * t * t * t));
        return base - (base - top) * hump * (0.85 + 0.3 * Fractal(x / 30.0, 4, seed, 2));
    };
    Mark(m, kBermDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
        cairo_move_to(cr, x0, base);
        for (double x = x0; x <= x1; x += 2) {
            cairo_line_to(cr, x, crest(x));
        }
        cairo_line_to(cr, x1, base);
        cairo_close_path(cr);
        if (colour) {
            FillVertical(cr, top, base, Mix(mud, 0xfff0c0, 0.15), Scale(mud, 0.55));
        } else {
            cairo_fill(cr);
        }
    });
    // Sedge tufts on the mound.
    cairo_t* cr = m.paint.cr;
    for (int k = 0; k < (x1 - x0) * 1.4; k++) {
        double x = x0 + Hash01(k, 1, seed) * (x1 - x0);
        double y0 = crest(x) + Hash01(k, 2, seed) * (base - crest(x));
        double h = 4 + Hash01(k, 3, seed) * 10;
        SetColour(cr, Mix(reeds.dark, reeds.lit, Hash01(k, 4, seed)), 0.9);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, x, y0);
        cairo_line_to(cr, x + (Hash01(k, 5, seed) - 0.5) * h, y0 - h);
        cairo_stroke(cr);
    }
    // The reeds standing on it, tallest on the crest.
    for (int band = 0; band < 3; band++) {
        double bx0 = x0 + half * 0.15 + band * 6, bx1 = x1 - half * 0.15 - band * 6;
        double root = top + 12 + band * 8;
        PaintReeds(m, bx0, bx1, root, 70 + band * 25, 0.45, reeds, kBermDepth, seed + 17 * band,
                   false);
    }
}

void PaintBlindEdge(Marsh& m, const BlindLook& look, uint32_t seed) {
    double rail = look.railY;
    // Brush tied along the front of the blind: bundles of grass and sedge
    // fanning out from where they are lashed, a few sticks among them.
    auto brushLine = [&](double x0, double x1, double y, double h, int count, uint32_t s) {
        for (int k = 0; k < count; k++) {
            double x = x0 + Hash01(k, 1, s) * (x1 - x0);
            double bh = h * (0.35 + 0.65 * Hash01(k, 2, s));
            int blades = 3 + static_cast<int>(Hash01(k, 3, s) * 5);
            double tone = Hash01(k, 5, s);
            Mark(m, kBlindDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                for (int b = 0; b < blades; b++) {
                    double spread = (Hash01(k * 8 + b, 6, s) - 0.5) * 2;
                    double len = bh * (0.6 + 0.4 * Hash01(k * 8 + b, 7, s));
                    double lean = spread * len * 0.55;
                    double droop = Hash01(k * 8 + b, 8, s) < 0.25 ? len * 0.35 : 0;
                    if (colour) {
                        double t =
                            std::clamp(tone + (Hash01(k * 8 + b, 9, s) - 0.5) * 0.5, 0.0, 1.0);
                        SetColour(cr, Mix(look.brushDark, look.brushLight, t));
                    }
                    cairo_set_line_width(cr, 1 + Hash01(k * 8 + b, 10, s) * 1.6);
                    cairo_move_to(cr, x + spread * 2, y + 6);
                    cairo_curve_to(cr, x + spread * 3, y - len * 0.4, x + lean * 0.6,
                                   y - len * 0.85, x + lean * (droop > 0 ? 1.4 : 1),
                                   y - len + droop);
                    cairo_stroke(cr);
                }
            });
        }
    };
    // The side screens of the blind, higher at the corners.
    auto sideScreen = [&](double xIn, double xOut, double topY, uint32_t s) {
        auto edgeY = [&](double t) { return topY + (rail - topY) * t * t; };
        auto outline = [&](cairo_t* cr) {
            cairo_move_to(cr, xOut, kPanelTop);
            cairo_line_to(cr, xOut, topY + 8);
            for (int k = 0; k <= 12; k++) {
                double t = k / 12.0;
                cairo_line_to(cr, xOut + (xIn - xOut) * t, edgeY(t) + 8);
            }
            cairo_line_to(cr, xIn, kPanelTop);
            cairo_close_path(cr);
        };
        Mark(m, kBlindDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
            outline(cr);
            if (colour) {
                FillVertical(cr, topY, rail, Mix(look.brushDark, look.brushLight, 0.25),
                             Scale(look.brushDark, 0.7));
            } else {
                cairo_fill(cr);
            }
        });
        // Straw and twigs woven through the screen.
        cairo_t* cr = m.paint.cr;
        cairo_save(cr);
        outline(cr);
        cairo_clip(cr);
        double lo = std::min(xIn, xOut), hi = std::max(xIn, xOut);
        for (int k = 0; k < (hi - lo) * 4; k++) {
            double x = lo + Hash01(k, 1, s) * (hi - lo);
            double y = topY + Hash01(k, 2, s) * (kPanelTop - topY);
            double len = 8 + Hash01(k, 3, s) * 18;
            SetColour(cr, Mix(look.brushDark, look.brushLight, Hash01(k, 4, s)), 0.8);
            cairo_set_line_width(cr, 1 + Hash01(k, 5, s));
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + (Hash01(k, 6, s) - 0.5) * len * 0.8, y - len);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        for (int k = 0; k <= 24; k++) {
            double t = k / 24.0;
            double x = xOut + (xIn - xOut) * t;
            brushLine(x - 4, x + 4, edgeY(t) + 14, 44, 3, s + 10 + k);
        }
    };
    sideScreen(70, -10, 300, seed + 100);
    sideScreen(572, 650, 290, seed + 200);
    // The rail: a heavy plank along the front.
    brushLine(0, 640, rail + 2, 30, 230, seed + 1);
    Mark(m, kBlindDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
        cairo_rectangle(cr, 0, rail, 640, kPanelTop - rail);
        if (!colour) {
            cairo_fill(cr);
        }
        cairo_new_path(cr);
    });
    PaintWood(m.paint, 0, static_cast<int>(rail), 640, kPanelTop - static_cast<int>(rail),
              look.woodDark, look.woodLight, seed + 2);
    cairo_t* cr = m.paint.cr;
    Rectangle(cr, 0, rail, 640, 2, 0xfff0c8, 0.35);  // its sunlit top edge
    Rectangle(cr, 0, kPanelTop - 3, 640, 3, 0x000000, 0.45);
    // Grass hanging over the plank.
    brushLine(0, 640, rail + 12, 18, 110, seed + 3);
}
