// The hunt's two overlays: the regulations (bkg_05 the text page, bkg_09 the
// picture page, a chart of the ducks) and the game bag (bkg_06 the bag page,
// bkg_10 the picture page, a painting of a blind on the marsh).
#include <cmath>
#include <cstdio>

#include "canvas.h"
#include "items.h"
#include "scenery.h"
#include "screens/game_bag.h"

namespace {

// Buttons of the regulations overlay. Both overlays' exit buttons light with
// the shared icon 15, 74 x 46, the size that fits both; their faces match it.
constexpr Rect kRegsToggle = {254, 387, 140, 45};
constexpr Rect kRegsExit = {513, 387, 74, 51};
// Buttons of the game bag overlay.
constexpr Rect kBagToggle = {10, 424, 76, 46};
constexpr int kExitFaceW = 74, kExitFaceH = 46;
constexpr Rect kBagExit = {553, 424, 76, 46};

const char* const kSpecies[4] = {"Mallard", "Pintail", "Redhead", "Canvasback"};

void Parchment(Canvas& c, int x, int y, int w, int h, uint32_t seed) {
    SoftShadow(
        c,
        [&](cairo_t* m) {
            cairo_rectangle(m, x, y, w, h);
            cairo_fill(m);
        },
        5, 7, 5, 0.6);
    cairo_t* cr = c.cr;
    cairo_rectangle(cr, x, y, w, h);
    FillVertical(cr, y, y + h, 0xf4e8c8, 0xe2cfa0);
    Grain(c, x, y, w, h, 0.07, 9.0, seed);
    // Edges browned with age.
    cairo_pattern_t* p = cairo_pattern_create_radial(x + w / 2.0, y + h / 2.0, h * 0.3, x + w / 2.0,
                                                     y + h / 2.0, w * 0.62);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.5, 0.3, 0.1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.5, 0.3, 0.1, 0.35);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Four brass tacks.
    for (auto [tx, ty] : {std::pair{x + 10, y + 10},
                          {x + w - 10, y + 10},
                          {x + 10, y + h - 10},
                          {x + w - 10, y + h - 10}}) {
        SetColour(cr, 0x2a1a08, 0.6);
        cairo_arc(cr, tx + 1, ty + 1, 4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_t* b = cairo_pattern_create_radial(tx - 1, ty - 1, 0.5, tx, ty, 4);
        cairo_pattern_add_color_stop_rgb(b, 0, 1, 0.95, 0.7);
        cairo_pattern_add_color_stop_rgb(b, 1, 0.6, 0.42, 0.1);
        cairo_set_source(cr, b);
        cairo_arc(cr, tx, ty, 4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(b);
    }
}

void Rule(cairo_t* cr, double x0, double x1, double y) {
    SetColour(cr, 0x6a4a2a, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x0, y + 0.5);
    cairo_line_to(cr, x1, y + 0.5);
    cairo_stroke(cr);
}

void Wall(Canvas& c, uint32_t seed) {
    PaintPanelling(c, 0, 0, 640, 480, 64, 0x3e2412, 0x7e5230, seed);
    Vignette(c, 0.5);
}

// The text page: the game writes the club's rules at the places of its
// regulations screen, so the parchment is left clear there.
void RegsText(Canvas& c) {
    Wall(c, 601);
    Parchment(c, 24, 22, 592, 354, 602);
    cairo_t* cr = c.cr;
    UseFont(cr, "DejaVuSerif-Italic.ttf", 13);
    SetColour(cr, 0x5a3a1a);
    const char* heading = "Waterfowl Regulations";
    cairo_move_to(cr, 590 - TextWidth(cr, heading), 66);
    cairo_show_text(cr, heading);
    Rule(cr, 44, 596, 84);
    Rule(cr, 44, 596, 272);
    // An official seal in the corner.
    SetColour(cr, 0x9a2418, 0.8);
    cairo_arc(cr, 548, 318, 30, 0, 2 * M_PI);
    cairo_fill(cr);
    SetColour(cr, 0xe8b040, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, 548, 318, 24, 0, 2 * M_PI);
    cairo_stroke(cr);
    SetColour(cr, 0xf4e0b0);
    DuckSilhouette(cr, 548, 318, 1.2, true, false);
    WoodButton(c, kRegsToggle.x, kRegsToggle.y, kRegsToggle.w, kRegsToggle.h, "Picture", false, 28);
    WoodButton(c, kRegsExit.x, kRegsExit.y, kExitFaceW, kExitFaceH, "Exit", false, 15);
}

// The picture page: a chart of the four species, hens and drakes.
void RegsPicture(Canvas& c) {
    Wall(c, 611);
    Parchment(c, 24, 22, 592, 354, 612);
    cairo_t* cr = c.cr;
    CentredText(cr, "DejaVuSerif-Bold.ttf", 22, 320, 56, "Know Your Ducks", 0x4a2a10, 0xfff4dc);
    CentredText(cr, "DejaVuSerif-Italic.ttf", 13, 225, 80, "Hen", 0x5a3a1a, 0xfff4dc);
    CentredText(cr, "DejaVuSerif-Italic.ttf", 13, 470, 80, "Drake", 0x5a3a1a, 0xfff4dc);
    for (int s = 0; s < 4; s++) {
        double y = 90 + s * 70;
        UseFont(cr, "DejaVuSerif-Bold.ttf", 15);
        SetColour(cr, 0x3a2010);
        cairo_move_to(cr, 48, y + 40);
        cairo_show_text(cr, kSpecies[s]);
        for (int sex = 0; sex < 2; sex++) {
            double x = 170 + sex * 245;
            SetColour(cr, 0x2a4a5a, 0.25);  // a ripple under each bird
            cairo_save(cr);
            cairo_translate(cr, x + 55, y + 58);
            cairo_scale(cr, 60, 6);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_fill(cr);
            PaintDuck(cr, s, sex, x, y, 110, 64);
        }
        if (s < 3) {
            Rule(cr, 44, 596, y + 68);
        }
    }
    WoodButton(c, kRegsToggle.x, kRegsToggle.y, kRegsToggle.w, kRegsToggle.h, "Rules", false, 29);
    WoodButton(c, kRegsExit.x, kRegsExit.y, kExitFaceW, kExitFaceH, "Exit", false, 15);
}

// The bag page: a canvas bag laid open, a leather-edged pocket for each of the
// eight places where the game shows a kind of duck with its count.
void BagPage(Canvas& c) {
    cairo_t* cr = c.cr;
    Rectangle(cr, 0, 0, 640, 480, 0x8a8058);
    Grain(c, 0, 0, 640, 480, 0.12, 1.6, 621);  // canvas weave
    SetColour(cr, 0x000000, 0.06);
    for (int i = 0; i < 640; i += 3) {
        cairo_rectangle(cr, i, 0, 1, 480);
    }
    for (int j = 0; j < 480; j += 3) {
        cairo_rectangle(cr, 0, j, 640, 1);
    }
    cairo_fill(cr);
    PaintWood(c, 0, 0, 640, 56, 0x3a200c, 0x7a4a22, 622);
    Bevel(cr, 0, 0, 640, 56, 3, 1.0);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 28, 320, 38, "Game Bag", 0xf8dc90);
    for (int i = 0; i < 8; i++) {
        const BagPocket pocket = BagPocketRect(i);
        const double x = pocket.x, y = pocket.y, w = pocket.w, h = pocket.h;
        RoundedRect(cr, x, y, w, h, 8);
        SetColour(cr, 0x6a4a24);
        cairo_set_line_width(cr, 5);
        cairo_stroke_preserve(cr);
        SetColour(cr, 0x000000, 0.12);
        cairo_fill(cr);
        RoundedRect(cr, x + 5, y + 5, w - 10, h - 10, 5);  // stitching
        SetColour(cr, 0xe8d8a8, 0.7);
        cairo_set_line_width(cr, 1);
        double dash[] = {4, 3};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    // The bag's leather bottom seam, on which the buttons sit.
    cairo_rectangle(cr, 0, 416, 640, 64);
    FillVertical(cr, 416, 480, 0x6a4424, 0x3a2210);
    Grain(c, 0, 416, 640, 64, 0.15, 2.5, 623);
    Rectangle(cr, 0, 416, 640, 2, 0x1a0e06);
    Rectangle(cr, 0, 418, 640, 1, 0xd8a868, 0.35);
    SetColour(cr, 0xe8d0a0, 0.6);
    cairo_set_line_width(cr, 1);
    double dash[] = {5, 3};
    cairo_set_dash(cr, dash, 2, 0);
    for (double y : {423.5, 474.5}) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, 640, y);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    Vignette(c, 0.4);
    WoodButton(c, kBagToggle.x, kBagToggle.y, kBagToggle.w, kBagToggle.h, "Page", false, 30);
    WoodButton(c, kBagExit.x, kBagExit.y, kExitFaceW, kExitFaceH, "Exit", false, 15);
}

// The picture page: a framed painting of a blind at first light.
void BagPicture(Canvas& c) {
    cairo_t* cr = c.cr;
    PaintPanelling(c, 0, 0, 640, 480, 64, 0x3e2412, 0x7e5230, 631);
    Vignette(c, 0.5);
    PaintFramedBoard(c, 40, 20, 560, 392, 22, 0x000000, 632);
    Canvas art(516, 348);
    PaintDawnSky(art, 0, 0, 516, 200, 150, 633);
    PaintClouds(art, 0, 20, 516, 120, 150, 634);
    PaintTreeline(art, 0, 516, 200, 20, 0x3a2e48, 635);
    PaintWater(art, 0, 516, 200, 348, 150, 636);
    // The blind: a reed hut on stilts with its shooting window.
    cairo_t* a = art.cr;
    SetColour(a, 0x2a2016);
    for (double px : {300.0, 396.0}) {
        cairo_rectangle(a, px, 250, 6, 40);
    }
    cairo_fill(a);
    cairo_rectangle(a, 290, 190, 120, 64);
    FillVertical(a, 190, 254, 0x8a7444, 0x4a3a20);
    SetColour(a, 0x2a2010, 0.6);
    cairo_set_line_width(a, 1);
    for (int i = 0; i < 40; i++) {
        double x = 292 + i * 3;
        cairo_move_to(a, x, 254);
        cairo_line_to(a, x + (Hash01(i, 0, 637) - 0.5) * 4, 184 - Hash01(i, 1, 637) * 8);
    }
    cairo_stroke(a);
    Rectangle(a, 310, 204, 80, 14, 0x140e08);
    SetColour(a, 0x1e1620);
    DuckSilhouette(a, 140, 110, 1.5, true, false);
    DuckSilhouette(a, 176, 96, 1.3, false, false);
    DuckSilhouette(a, 206, 120, 1.2, true, false);
    PaintReeds(art, 230, 520, 350, 150, true, 638);
    PaintReeds(art, -10, 120, 350, 110, true, 639);
    cairo_set_source_surface(cr, art.surface, 62, 42);
    cairo_paint(cr);
    Grain(c, 62, 42, 516, 348, 0.05, 2.0, 640);
    WoodButton(c, kBagToggle.x, kBagToggle.y, kBagToggle.w, kBagToggle.h, "Page", false, 30);
    WoodButton(c, kBagExit.x, kBagExit.y, kExitFaceW, kExitFaceH, "Exit", false, 15);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    bool ok = WritePaintedBackground(argv[1], "bkg_05.256", RegsText) &&
              WritePaintedBackground(argv[1], "bkg_09.256", RegsPicture) &&
              WritePaintedBackground(argv[1], "bkg_06.256", BagPage) &&
              WritePaintedBackground(argv[1], "bkg_10.256", BagPicture);
    return ok ? 0 : 1;
}
