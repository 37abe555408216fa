// The main screen: bkg_03, a painted map of the four hunting clubs with the
// store, the roster and the way out, and its bank spr_03 (slots 31 to 36): the
// same spots lit. The money is printed by the game at (350, 437).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "canvas.h"
#include "scenery.h"

namespace {

struct Club {
    Rect spot;
    const char* name;
    const char* fee;
    uint32_t roof;
};

// The hot spots of the game's main button list.
constexpr Club kClubs[4] = {
    {{70, 302, 104, 84}, "Public Grounds", "Free", 0x8a3a22},
    {{244, 186, 110, 84}, "Al's Duck Club", "$4", 0x3a5a8a},
    {{64, 164, 114, 86}, "Green Club", "$10", 0x2e6a3a},
    {{442, 231, 116, 96}, "Millionaire Club", "$50", 0x6a2a6a},
};
constexpr Rect kStore = {520, 360, 102, 50};
constexpr Rect kRoster = {514, 411, 94, 45};
constexpr Rect kQuit = {3, 420, 76, 55};  // lit by the shared icon 11
constexpr Rect kMoney = {300, 430, 140, 38};

uint32_t* PixelAt(Canvas& c, int x, int y) {
    auto* base = cairo_image_surface_get_data(c.surface);
    return reinterpret_cast<uint32_t*>(base + static_cast<ptrdiff_t>(y) *
                                                  cairo_image_surface_get_stride(c.surface)) +
           x;
}

// Water is wherever the terrain dips or a club's pond lies.
double Terrain(double x, double y) {
    double t = Fractal(x / 150.0, y / 150.0, 31, 4);
    for (const Club& club : kClubs) {
        double cx = club.spot.x + club.spot.w * 0.58, cy = club.spot.y + club.spot.h * 0.42;
        double dx = (x - cx) / (club.spot.w * 0.36), dy = (y - cy) / (club.spot.h * 0.26);
        t -= 0.5 * std::exp(-(dx * dx + dy * dy) * 1.6);
    }
    // A river wandering from the top right to the lower left.
    double river = std::abs(y - (90 + x * 0.45 + 40 * std::sin(x / 70.0)));
    t -= 0.35 * std::exp(-river * river / 60.0);
    return t;
}

void PaintLand(Canvas& c) {
    cairo_surface_flush(c.surface);
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            double t = Terrain(x, y);
            double paper = Fractal(x / 40.0, y / 40.0, 33, 3);
            double r, g, b;
            if (t < 0.3) {  // open water
                double d = std::clamp((0.3 - t) * 4, 0.0, 1.0);
                r = 110 - 50 * d;
                g = 150 - 40 * d;
                b = 170 - 20 * d;
            } else if (t < 0.36) {  // marsh edge
                r = 132;
                g = 140;
                b = 90;
            } else {
                double f = Fractal(x / 18.0, y / 18.0, 34, 2);
                double dry = std::clamp((t - 0.36) * 3, 0.0, 1.0);
                r = 168 + 40 * dry - 40 * f;
                g = 168 + 12 * dry - 30 * f;
                b = 100 + 10 * dry - 20 * f;
                if (t > 0.6) {  // the floor of the woods, trees drawn over it
                    r = 120 - 20 * f;
                    g = 136 - 10 * f;
                    b = 72;
                }
            }
            double k = 0.9 + 0.2 * paper;
            auto c8 = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
            *PixelAt(c, x, y) = 0xFF000000u | c8(r * k) << 16 | c8(g * k) << 8 | c8(b * k);
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

// Tufts of reeds round the water's edge.
void PaintMarshTufts(Canvas& c) {
    cairo_t* cr = c.cr;
    cairo_set_line_width(cr, 1.2);
    for (int k = 0; k < 2600; k++) {
        double x = Hash01(k, 0, 35) * 640, y = 60 + Hash01(k, 1, 35) * 420;
        double t = Terrain(x, y);
        if (t < 0.29 || t > 0.4) {
            continue;
        }
        SetColour(cr, Hash01(k, 2, 35) < 0.5 ? 0x4a5a20 : 0x6a6a2a);
        for (int s = -1; s <= 1; s++) {
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + s * 2, y - 5);
        }
        cairo_stroke(cr);
    }
}

// Round-topped trees, painted with a shadow side, scattered over high ground
// and kept off the clubs' spots.
void PaintTrees(Canvas& c) {
    cairo_t* cr = c.cr;
    for (int k = 0; k < 5200; k++) {
        double x = Hash01(k, 10, 39) * 660 - 10, y = 50 + Hash01(k, 11, 39) * 440;
        if (Terrain(x, y) < 0.6 + 0.1 * Hash01(k, 12, 39)) {
            continue;
        }
        bool onSpot = false;
        for (const Club& club : kClubs) {
            const Rect& r = club.spot;
            onSpot =
                onSpot || (x > r.x - 6 && x < r.x + r.w + 6 && y > r.y - 6 && y < r.y + r.h + 10);
        }
        if (onSpot) {
            continue;
        }
        double size = 3 + 2.5 * Hash01(k, 13, 39);
        SetColour(cr, 0x1a2410, 0.45);
        cairo_arc(cr, x + 2, y + 2, size, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_t* p =
            cairo_pattern_create_radial(x - size * 0.4, y - size * 0.4, 0.5, x, y, size);
        double tone = Hash01(k, 14, 39) * 0.15;
        cairo_pattern_add_color_stop_rgb(p, 0, 0.42 + tone, 0.56 + tone, 0.22);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.14, 0.26 + tone, 0.1);
        cairo_set_source(cr, p);
        cairo_arc(cr, x, y, size, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void Lodge(cairo_t* cr, double x, double y, uint32_t roof) {
    SetColour(cr, 0x000000, 0.3);
    cairo_rectangle(cr, x + 3, y + 3, 26, 16);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y, 26, 16);
    FillVertical(cr, y, y + 16, 0xb07844, 0x6a4420);
    SetColour(cr, 0x1a100a);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, 25, 15);
    cairo_stroke(cr);
    cairo_move_to(cr, x - 4, y + 1);
    cairo_line_to(cr, x + 13, y - 11);
    cairo_line_to(cr, x + 30, y + 1);
    cairo_close_path(cr);
    SetColour(cr, roof);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x1a100a);
    cairo_stroke(cr);
    Rectangle(cr, x + 4, y + 5, 5, 5, 0xf8d870);
    Rectangle(cr, x + 16, y + 6, 6, 10, 0x3a2010);
}

// A name board on two posts across the bottom of a spot.
void Sign(Canvas& c, const Rect& r, const char* name, const char* fee, bool lit) {
    cairo_t* cr = c.cr;
    int w = r.w - 6, h = 30;
    int x = r.x + 3, y = r.y + r.h - h - 3;
    PaintWood(c, x, y, w, h, lit ? 0x8a5a2c : 0x5a3616, lit ? 0xe6b878 : 0xa87444,
              static_cast<uint32_t>(r.x * 7 + r.y));
    SetColour(cr, 0x1a0e06);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    Bevel(cr, x + 1, y + 1, w - 2, h - 2, 2, 1.0);
    UseFont(cr, "DejaVuSans-Bold.ttf", 11);
    double size = 11;
    while (TextWidth(cr, name) > w - 6 && size > 7) {
        size -= 0.5;
        UseFont(cr, "DejaVuSans-Bold.ttf", size);
    }
    uint32_t ink = lit ? 0xffe070 : 0xf4e6c8;
    CentredText(cr, "DejaVuSans-Bold.ttf", size, x + w / 2.0, y + 13, name, ink);
    CentredText(cr, "DejaVuSans-Bold.ttf", 10, x + w / 2.0, y + 25, fee, lit ? 0xfff4c0 : 0xe8c870);
}

void Glow(Canvas& c, const Rect& r) {
    cairo_t* cr = c.cr;
    cairo_pattern_t* p = cairo_pattern_create_radial(r.x + r.w / 2.0, r.y + r.h / 2.0, 4,
                                                     r.x + r.w / 2.0, r.y + r.h / 2.0, r.w * 0.7);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.95, 0.7, 0.25);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.85, 0.5, 0.04);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    SetColour(cr, 0xffd040);
    cairo_set_line_width(cr, 2);
    double dash[] = {6, 3};
    cairo_set_dash(cr, dash, 2, 0);
    RoundedRect(cr, r.x + 1.5, r.y + 1.5, r.w - 3, r.h - 3, 6);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void Compass(cairo_t* cr, double cx, double cy, double r) {
    SetColour(cr, 0xe8d8b0, 0.92);  // a clearing of parchment under the rose
    cairo_arc(cr, cx, cy - 4, r * 1.75, 0, 2 * M_PI);
    cairo_fill(cr);
    SetColour(cr, 0x3a2a18, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_stroke(cr);
    for (int k = 0; k < 4; k++) {
        double a = k * M_PI / 2 - M_PI / 2;
        cairo_move_to(cr, cx + std::cos(a) * r * 1.2, cy + std::sin(a) * r * 1.2);
        cairo_line_to(cr, cx + std::cos(a + 0.4) * r * 0.3, cy + std::sin(a + 0.4) * r * 0.3);
        cairo_line_to(cr, cx + std::cos(a - 0.4) * r * 0.3, cy + std::sin(a - 0.4) * r * 0.3);
        cairo_close_path(cr);
        SetColour(cr, k == 0 ? 0x9a2a1a : 0x3a2a18);
        cairo_fill(cr);
    }
    CentredText(cr, "DejaVuSerif-Bold.ttf", 12, cx, cy - r * 1.3 - 2, "N", 0x3a2a18, 0xf0e0c0);
}

void DrawScreen(Canvas& c, bool lit) {
    cairo_t* cr = c.cr;
    PaintLand(c);
    PaintMarshTufts(c);
    PaintTrees(c);
    // Little flights of ducks over the water.
    SetColour(cr, 0x2a2418, 0.8);
    DuckSilhouette(cr, 400, 120, 0.7, true, true);
    DuckSilhouette(cr, 418, 130, 0.6, false, true);
    DuckSilhouette(cr, 200, 300, 0.6, true, false);
    Compass(cr, 596, 110, 18);
    SetColour(cr, 0x3a2a18, 0.7);  // the map's ruled border
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 5, 57, 630, 418);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 9.5, 61.5, 621, 409);
    cairo_stroke(cr);
    // The title scroll across the top.
    PaintWood(c, 0, 0, 640, 52, 0x3a200c, 0x7a4a22, 36);
    Bevel(cr, 0, 0, 640, 52, 3, 1.0);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 26, 320, 36, "Choose a Hunting Club", 0xf8dc90);
    for (const Club& club : kClubs) {
        const Rect& r = club.spot;
        if (lit) {
            Glow(c, r);
        }
        Lodge(cr, r.x + 8, r.y + 14, club.roof);
        Sign(c, r, club.name, club.fee, lit);
    }
    // The store and the roster as buttons, the way out in the corner.
    WoodButton(c, kStore.x, kStore.y, kStore.w, kStore.h, "Store", lit, 37, 17);
    WoodButton(c, kRoster.x, kRoster.y, kRoster.w, kRoster.h, "Hunters", lit, 38);
    WoodButton(c, kQuit.x, kQuit.y, kQuit.w, kQuit.h, "Quit", lit, 11);
    // The money box: the game prints the amount at (350, 437).
    RoundedRect(cr, kMoney.x, kMoney.y, kMoney.w, kMoney.h, 6);
    FillVertical(cr, kMoney.y, kMoney.y + kMoney.h, 0xf4d078, 0x6a4810);
    RoundedRect(cr, kMoney.x + 4, kMoney.y + 4, kMoney.w - 8, kMoney.h - 8, 4);
    SetColour(cr, 0x16100a);
    cairo_fill(cr);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 20, 330, 457, "$", 0xf0c050);
    Vignette(c, 0.35);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    Canvas plain(640, 480);
    DrawScreen(plain, false);
    Canvas lit(640, 480);
    DrawScreen(lit, true);
    std::vector<Picture> bank;
    for (const Club& club : kClubs) {
        bank.push_back(Crop(lit, club.spot));  // 31 to 34
    }
    bank.push_back(Crop(lit, kStore));   // 35
    bank.push_back(Crop(lit, kRoster));  // 36
    Picture background = Quantize(plain, 0, 0, 640, 480, false, 8);
    bool ok = WriteBackground(OutPath(argv[1], "bkg_03.256"), MasterPalette(), background) &&
              WriteBank(OutPath(argv[1], "spr_03.256"), MasterPalette(), bank, true);
    return ok ? 0 : 1;
}
