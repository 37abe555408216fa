// draw_app_icon OUTDIR NAME: the desktop's icon of the game, a drake mallard's
// head raised over the reeds against a dusk sky, written as
// OUTDIR/NxN/apps/NAME.png in every size the icon theme is given (NAME is the
// application id, which the desktop entry names as its icon).
// Painted once per size (the shapes scale, the pixels are fresh), then every
// colour is taken through the master palette like the rest of the game's art.
#include <cairo.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "canvas.h"
#include "palette.h"

namespace {

constexpr std::array<int, 6> kSizes = {16, 32, 48, 64, 128, 256};

// Everything is drawn on a 256-unit square.
constexpr double kUnits = 256;
constexpr double kCentre = 128;
constexpr double kRadius = 118;
constexpr double kHorizon = 170;

void ColourStop(cairo_pattern_t* p, double at, uint32_t rgb) {
    cairo_pattern_add_color_stop_rgb(p, at, ((rgb >> 16) & 0xFF) / 255.0,
                                     ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

void Disc(cairo_t* cr, double inset) {
    cairo_new_path(cr);
    cairo_arc(cr, kCentre, kCentre, kRadius - inset, 0, 2 * M_PI);
}

// Dusk over open water: the sky warms towards the horizon, the water holds a
// streak of the low sun.
void PaintSkyAndWater(cairo_t* cr) {
    Disc(cr, 0);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 10, 0, kHorizon);
    ColourStop(sky, 0.0, 0x22406e);
    ColourStop(sky, 0.55, 0x9a6a6a);
    ColourStop(sky, 0.85, 0xe89a48);
    ColourStop(sky, 1.0, 0xf6d070);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);

    cairo_save(cr);
    Disc(cr, 0);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, kHorizon, kUnits, kUnits - kHorizon);
    FillVertical(cr, kHorizon, kUnits - 10, 0x5a5a6a, 0x1a2638);
    SetColour(cr, 0xf6d070, 0.8);
    for (int i = 0; i < 4; ++i) {
        const double y = kHorizon + 6 + i * 9;
        const double half = 44 - i * 9;
        cairo_rectangle(cr, kCentre - 30 - half, y, 2 * half, 2.5);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

// A cattail: a bending stem and, when `head`, its brown seed head.
void Cattail(cairo_t* cr, double x, double top, double lean, bool head) {
    SetColour(cr, 0x2a3018);
    cairo_set_line_width(cr, 4.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x, kUnits);
    cairo_curve_to(cr, x, top + 60, x + lean * 0.5, top + 20, x + lean, top);
    cairo_stroke(cr);
    if (head) {
        cairo_save(cr);
        cairo_translate(cr, x + lean * 0.92, top + 22);
        cairo_rotate(cr, std::atan2(lean, 120.0));
        cairo_scale(cr, 1, 3.2);
        cairo_arc(cr, 0, 0, 6, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, 0x5a3418);
        cairo_fill(cr);
    }
}

// A reed blade: a long thin leaf curving over at the top.
void Blade(cairo_t* cr, double x, double top, double bend) {
    cairo_move_to(cr, x - 4, kUnits);
    cairo_curve_to(cr, x - 3, top + 40, x + bend * 0.3, top + 10, x + bend, top);
    cairo_curve_to(cr, x + bend * 0.3 + 3, top + 14, x + 3, top + 40, x + 4, kUnits);
    cairo_close_path(cr);
    SetColour(cr, 0x3a4420);
    cairo_fill(cr);
}

void PaintReeds(cairo_t* cr) {
    cairo_save(cr);
    Disc(cr, 0);
    cairo_clip(cr);
    Blade(cr, 30, 120, -14);
    Blade(cr, 48, 96, 10);
    Cattail(cr, 40, 78, -8, true);
    Cattail(cr, 62, 110, 12, true);
    Blade(cr, 206, 104, 14);
    Blade(cr, 226, 132, -12);
    Cattail(cr, 216, 84, 10, true);
    Cattail(cr, 196, 120, -6, false);
    cairo_restore(cr);
}

// The head and neck of a drake mallard in profile, facing right, rising out of
// his chestnut breast at the foot of the disc.
void NeckAndHeadPath(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 78, 250);
    cairo_curve_to(cr, 96, 210, 100, 170, 96, 140);    // back of the neck
    cairo_curve_to(cr, 92, 120, 70, 104, 74, 80);      // the nape
    cairo_curve_to(cr, 78, 52, 110, 40, 136, 44);      // back of the crown
    cairo_curve_to(cr, 158, 48, 170, 62, 176, 80);     // crown to forehead
    cairo_curve_to(cr, 178, 88, 180, 92, 184, 96);     // forehead down to the bill
    cairo_line_to(cr, 182, 118);                       // base of the bill
    cairo_curve_to(cr, 168, 128, 150, 134, 142, 146);  // chin and throat
    cairo_curve_to(cr, 136, 176, 146, 214, 170, 250);  // front of the neck
    cairo_close_path(cr);
}

void PaintDrake(cairo_t* cr) {
    // Head and neck, glossy green with the purple sheen of the real bird; the
    // head overlaps the rim, as if he stood up out of the picture.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kUnits, 215);  // below, the breast covers him
    cairo_clip(cr);
    NeckAndHeadPath(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_radial(122, 68, 4, 122, 92, 120);
    ColourStop(gloss, 0.0, 0x62c080);
    ColourStop(gloss, 0.25, 0x22844e);
    ColourStop(gloss, 0.6, 0x125a36);
    ColourStop(gloss, 0.85, 0x0e3e2c);
    ColourStop(gloss, 1.0, 0x2a2454);
    cairo_set_source(cr, gloss);
    cairo_pattern_destroy(gloss);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x0a1a10);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_restore(cr);

    // His chestnut breast and the white collar above it, inside the disc.
    cairo_save(cr);
    Disc(cr, 0);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 124, 292);
    cairo_scale(cr, 1.2, 1.0);
    cairo_arc(cr, 0, 0, 86, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* breast = cairo_pattern_create_radial(112, 214, 4, 124, 250, 70);
    ColourStop(breast, 0.0, 0xa4523a);
    ColourStop(breast, 1.0, 0x4a1e14);
    cairo_set_source(cr, breast);
    cairo_fill(cr);
    cairo_pattern_destroy(breast);
    NeckAndHeadPath(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 124, 292);
    cairo_scale(cr, 1.2, 1.0);
    cairo_arc(cr, 0, 0, 91, M_PI, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, 0xf4f2ea);
    cairo_set_line_width(cr, 9);
    cairo_stroke(cr);
    cairo_restore(cr);

    // The bill: broad, flat, yellow, with a dark nail at the tip.
    cairo_new_path(cr);
    cairo_move_to(cr, 180, 94);
    cairo_curve_to(cr, 200, 92, 222, 96, 238, 104);
    cairo_curve_to(cr, 248, 110, 244, 120, 234, 120);
    cairo_curve_to(cr, 216, 122, 198, 122, 180, 120);
    cairo_close_path(cr);
    cairo_pattern_t* bill = cairo_pattern_create_linear(0, 92, 0, 122);
    ColourStop(bill, 0.0, 0xf2dc6a);
    ColourStop(bill, 1.0, 0xb89a2a);
    cairo_set_source(cr, bill);
    cairo_pattern_destroy(bill);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x3a2c10);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 238, 110, 6, 0, 2 * M_PI);
    SetColour(cr, 0x201810);
    cairo_fill(cr);

    // The eye with a glint of light.
    cairo_arc(cr, 152, 80, 7, 0, 2 * M_PI);
    SetColour(cr, 0x100c08);
    cairo_fill(cr);
    cairo_arc(cr, 154, 78, 2.2, 0, 2 * M_PI);
    SetColour(cr, 0xf0f0e0);
    cairo_fill(cr);
}

// A dark wooden rim round the disc, like the frames of the game's screens.
void PaintRim(cairo_t* cr) {
    Disc(cr, 3);
    cairo_set_line_width(cr, 7);
    SetColour(cr, 0x4a3018);
    cairo_stroke(cr);
    Disc(cr, 0.5);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, 0x1a120c);
    cairo_stroke(cr);
}

// Each pixel's colour becomes its palette entry (lightly dithered in the larger
// sizes, against the banding of the sky); the coverage stays, so the edges blend
// into whatever the desktop draws behind them.
void ThroughPalette(Canvas& c, int dither) {
    const Picture indices = Quantize(c, 0, 0, c.width, c.height, false, dither);
    const Palette& palette = MasterPalette();
    unsigned char* data = cairo_image_surface_get_data(c.surface);
    const int stride = cairo_image_surface_get_stride(c.surface);
    for (int y = 0; y < c.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < c.width; ++x) {
            const uint32_t a = row[x] >> 24;
            const Rgb& rgb = palette[indices.pixels[static_cast<size_t>(y) * c.width + x]];
            auto premultiplied = [&](uint8_t v) { return (v * a + 127) / 255; };
            row[x] = (a << 24) | (premultiplied(rgb.r) << 16) | (premultiplied(rgb.g) << 8) |
                     premultiplied(rgb.b);
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

bool DrawIcon(const std::string& outDir, const std::string& name, int size) {
    Canvas c(size, size);
    cairo_t* cr = c.cr;
    cairo_scale(cr, size / kUnits, size / kUnits);
    PaintSkyAndWater(cr);
    if (size >= 32) {
        PaintReeds(cr);  // at 16 pixels they are only noise
    }
    PaintRim(cr);
    PaintDrake(cr);
    ThroughPalette(c, size >= 64 ? 16 : 0);

    const std::string dir =
        outDir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    const std::string path = dir + "/" + name + ".png";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error || cairo_surface_write_to_png(c.surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || argv[2][0] == '\0') {
        std::fprintf(stderr, "usage: %s OUTDIR NAME\n", argv[0]);
        return 2;
    }
    for (int size : kSizes) {
        if (!DrawIcon(argv[1], argv[2], size)) {
            return 1;
        }
    }
    return 0;
}
