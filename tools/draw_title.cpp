// bkg_01, the title: a marsh at dawn with the game's name over the sky. The
// lower right corner stays dark for the version number the game prints there.
#include <cmath>
#include <cstdio>

#include "canvas.h"
#include "scenery.h"

namespace {

// Large lettering: a soft shadow, a dark outline and a gold gradient face.
void TitleText(Canvas& c, const char* file, double size, double cx, double baseline,
               const char* text, uint32_t top, uint32_t bottom) {
    cairo_t* cr = c.cr;
    UseFont(cr, file, size);
    double x = cx - TextWidth(cr, text) / 2;
    auto path = [&](cairo_t* t) {
        UseFont(t, file, size);
        cairo_move_to(t, x, baseline);
        cairo_text_path(t, text);
        cairo_fill(t);
    };
    SoftShadow(c, path, 5, 6, 5, 0.75);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text);
    SetColour(cr, 0x22140a);
    cairo_set_line_width(cr, size / 11);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    FillVertical(cr, baseline - size * 0.75, baseline, top, bottom);
    // A thin highlight along the upper edges.
    cairo_move_to(cr, x - 0.8, baseline - 0.8);
    cairo_text_path(cr, text);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, 0xfff8e0, 0.5);
    cairo_stroke(cr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    Canvas c(640, 480);
    cairo_t* cr = c.cr;
    constexpr int kHorizon = 300;
    constexpr double kSunX = 430;
    PaintDawnSky(c, 0, 0, 640, kHorizon, kSunX, 11);
    PaintClouds(c, 0, 20, 640, 170, kSunX, 12);
    // The sun rising behind the far trees.
    cairo_pattern_t* sun =
        cairo_pattern_create_radial(kSunX, kHorizon - 16, 4, kSunX, kHorizon - 16, 34);
    cairo_pattern_add_color_stop_rgba(sun, 0, 1, 0.98, 0.86, 1);
    cairo_pattern_add_color_stop_rgba(sun, 0.7, 1, 0.86, 0.5, 1);
    cairo_pattern_add_color_stop_rgba(sun, 1, 1, 0.8, 0.45, 0);
    cairo_set_source(cr, sun);
    cairo_arc(cr, kSunX, kHorizon - 16, 34, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(sun);
    PaintTreeline(c, 0, 640, kHorizon, 26, 0x4a3a5a, 13);
    PaintTreeline(c, 0, 640, kHorizon + 2, 12, 0x2e2438, 14);
    PaintWater(c, 0, 640, kHorizon + 2, 480, kSunX, 15);
    // A far bank of reeds across the water, then the near reeds framing it.
    PaintReeds(c, 0, 260, kHorizon + 22, 40, true, 16);
    PaintReeds(c, 520, 640, kHorizon + 26, 50, true, 17);
    // Ducks coming in over the water.
    SetColour(cr, 0x1e1620);
    const double flock[][3] = {{300, 226, 1.3},  {330, 214, 1.15}, {352, 236, 1.05},
                               {384, 222, 0.95}, {410, 242, 0.85}, {250, 208, 1.4}};
    for (int i = 0; i < 6; i++) {
        DuckSilhouette(cr, flock[i][0], flock[i][1], flock[i][2], i % 2 == 0, false);
    }
    PaintReeds(c, -20, 170, 486, 230, true, 18);
    PaintReeds(c, 470, 660, 486, 200, true, 19);
    Grain(c, 0, 0, 640, 480, 0.05, 3.0, 20);
    // The name over the sky.
    TitleText(c, "DejaVuSerif-Bold.ttf", 30, 320, 62, "Talmadge", 0xfff0c0, 0xe8b860);
    TitleText(c, "DejaVuSerif-Bold.ttf", 66, 320, 134, "REED GUNNER", 0xfff0a0, 0xc87a20);
    CentredText(cr, "DejaVuSerif-BoldItalic.ttf", 16, 320, 166, "Waterfowl hunting on the marsh",
                0xfce8c8);
    Picture picture = Quantize(c, 0, 0, 640, 480, false, 10);
    return WriteBackground(OutPath(argv[1], "bkg_01.256"), MasterPalette(), picture) ? 0 : 1;
}
