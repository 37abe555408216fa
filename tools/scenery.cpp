#include "scenery.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

struct Key {
    double at;
    uint32_t rgb;
};

double Ch(uint32_t rgb, int shift) {
    return (rgb >> shift) & 0xFF;
}

// The colour of a gradient made of keys at position t (0..1).
void Gradient(const Key* keys, int n, double t, double out[3]) {
    int k = 0;
    while (k < n - 2 && t > keys[k + 1].at) {
        k++;
    }
    double f = std::clamp((t - keys[k].at) / (keys[k + 1].at - keys[k].at), 0.0, 1.0);
    for (int i = 0; i < 3; i++) {
        int s = 16 - 8 * i;
        out[i] = Ch(keys[k].rgb, s) + (Ch(keys[k + 1].rgb, s) - Ch(keys[k].rgb, s)) * f;
    }
}

uint32_t* PixelAt(Canvas& c, int x, int y) {
    auto* base = cairo_image_surface_get_data(c.surface);
    return reinterpret_cast<uint32_t*>(base + static_cast<ptrdiff_t>(y) *
                                                  cairo_image_surface_get_stride(c.surface)) +
           x;
}

uint32_t Pack(double r, double g, double b) {
    auto c8 = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
    return 0xFF000000u | c8(r) << 16 | c8(g) << 8 | c8(b);
}

constexpr Key kSky[] = {{0.0, 0x1c2458}, {0.35, 0x4a4a8c}, {0.6, 0xa86a96},
                        {0.8, 0xec9a6a}, {0.93, 0xf8c878}, {1.0, 0xfce6b0}};

}  // namespace

void PaintDawnSky(Canvas& c, int x, int y, int w, int horizon, double sunX, uint32_t seed) {
    cairo_surface_flush(c.surface);
    for (int j = y; j < horizon && j < c.height; j++) {
        double t = static_cast<double>(j - y) / std::max(1, horizon - y);
        for (int i = x; i < x + w && i < c.width; i++) {
            double rgb[3];
            double n = (Fractal(i / 160.0, j / 40.0, seed, 3) - 0.5) * 0.06;
            Gradient(kSky, 6, std::clamp(t + n, 0.0, 1.0), rgb);
            double dx = (i - sunX) / 260.0, dy = (horizon - j) / 120.0;
            double glow = std::exp(-(dx * dx + dy * dy)) * 0.55;
            rgb[0] += (255 - rgb[0]) * glow;
            rgb[1] += (236 - rgb[1]) * glow;
            rgb[2] += (180 - rgb[2]) * glow;
            *PixelAt(c, i, j) = Pack(rgb[0], rgb[1], rgb[2]);
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

void PaintClouds(Canvas& c, int x, int y, int w, int h, double sunX, uint32_t seed) {
    cairo_surface_flush(c.surface);
    for (int j = y; j < y + h && j < c.height; j++) {
        double band = static_cast<double>(j - y) / h;
        for (int i = x; i < x + w && i < c.width; i++) {
            double n = Fractal(i / 140.0, j / 18.0, seed, 4);
            double density = std::clamp((n - 0.52) * 4.0, 0.0, 1.0) * std::sin(band * M_PI);
            if (density <= 0) {
                continue;
            }
            // Lit from below: pink at the lower edge, violet grey above.
            double under =
                std::clamp(Fractal(i / 140.0, (j + 6) / 18.0, seed, 4) - n + 0.5, 0.0, 1.0);
            double near = std::exp(-std::pow((i - sunX) / 300.0, 2));
            double r = 110 + 120 * under + 40 * near, g = 80 + 70 * under + 40 * near,
                   b = 120 + 30 * under;
            uint32_t* p = PixelAt(c, i, j);
            double a = density * 0.85;
            *p = Pack(Ch(*p, 16) * (1 - a) + r * a, Ch(*p, 8) * (1 - a) + g * a,
                      Ch(*p, 0) * (1 - a) + b * a);
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

void PaintTreeline(Canvas& c, int x, int w, int horizon, int height, uint32_t colour,
                   uint32_t seed) {
    cairo_t* cr = c.cr;
    cairo_move_to(cr, x, horizon + 1);
    for (int i = x; i <= x + w; i += 2) {
        double n = Fractal(i / 60.0, 0.5, seed, 4);
        double bumps = Fractal(i / 9.0, 3.5, seed + 9, 2);
        cairo_line_to(cr, i, horizon - height * (0.35 + 0.65 * n) - bumps * 5);
    }
    cairo_line_to(cr, x + w, horizon + 1);
    cairo_close_path(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
}

void PaintWater(Canvas& c, int x, int w, int horizon, int bottom, double sunX, uint32_t seed) {
    cairo_surface_flush(c.surface);
    for (int j = horizon; j < bottom && j < c.height; j++) {
        double depth = static_cast<double>(j - horizon) / std::max(1, bottom - horizon);
        for (int i = x; i < x + w && i < c.width; i++) {
            // Reflection: the sky mirrored, darkened with depth, broken by ripples.
            double ripple = Fractal(i / 90.0, j / (2.0 + depth * 6), seed, 3);
            double t = std::clamp(1.0 - depth * 0.9 + (ripple - 0.5) * 0.25, 0.0, 1.0);
            double rgb[3];
            Gradient(kSky, 6, t, rgb);
            double shade = 0.78 - depth * 0.35;
            double sun = std::exp(-std::pow((i - sunX) / (18 + depth * 60), 2)) *
                         std::clamp((ripple - 0.45) * 3, 0.0, 1.0) * (1 - depth * 0.7);
            double streak =
                std::clamp((Fractal(i / 200.0, j / 1.5, seed + 5, 2) - 0.62) * 5, 0.0, 1.0);
            rgb[0] = rgb[0] * shade + 120 * sun + 40 * streak;
            rgb[1] = rgb[1] * shade + 100 * sun + 30 * streak;
            rgb[2] = rgb[2] * shade * 1.05 + 60 * sun + 30 * streak;
            *PixelAt(c, i, j) = Pack(rgb[0], rgb[1], rgb[2]);
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

void PaintReeds(Canvas& c, double x0, double x1, double baseY, double height, bool dark,
                uint32_t seed) {
    cairo_t* cr = c.cr;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    int count = static_cast<int>((x1 - x0) / 5);
    for (int k = 0; k < count; k++) {
        double x = x0 + Hash01(k, 1, seed) * (x1 - x0);
        double h = height * (0.45 + 0.55 * Hash01(k, 2, seed));
        double lean = (Hash01(k, 3, seed) - 0.5) * h * 0.35;
        double shade = Hash01(k, 4, seed);
        uint32_t colour = dark ? (shade < 0.5 ? 0x1c1a16 : 0x2a2418)
                               : (shade < 0.33 ? 0x6a7a30 : (shade < 0.66 ? 0x8c8a44 : 0xb8a060));
        SetColour(cr, colour);
        cairo_set_line_width(cr, 1.4 + 2.2 * Hash01(k, 5, seed));
        cairo_move_to(cr, x, baseY);
        cairo_curve_to(cr, x, baseY - h * 0.5, x + lean * 0.4, baseY - h * 0.8, x + lean,
                       baseY - h);
        cairo_stroke(cr);
        if (Hash01(k, 6, seed) < 0.18) {  // a cattail head on a straight stalk
            double hx = x + lean * 0.85, hy = baseY - h * 0.88;
            SetColour(cr, dark ? 0x141008 : 0x5a3418);
            cairo_set_line_width(cr, 5.5);
            cairo_move_to(cr, hx, hy);
            cairo_line_to(cr, hx + lean * 0.06, hy - h * 0.12);
            cairo_stroke(cr);
            if (!dark) {
                SetColour(cr, 0xa06838, 0.7);
                cairo_set_line_width(cr, 1.5);
                cairo_move_to(cr, hx - 1, hy - 1);
                cairo_line_to(cr, hx - 1 + lean * 0.06, hy - h * 0.11);
                cairo_stroke(cr);
            }
        }
    }
}

void DuckSilhouette(cairo_t* cr, double x, double y, double s, bool wingsUp, bool mirrored) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, mirrored ? -s : s, s);
    // Body, neck and head stretched out in flight.
    cairo_move_to(cr, -10, 0);
    cairo_curve_to(cr, -6, -3, 4, -3, 8, -1.5);
    cairo_curve_to(cr, 10, -2.5, 12, -2.5, 13, -1.5);
    cairo_line_to(cr, 15.5, -1);
    cairo_line_to(cr, 13, 0);
    cairo_curve_to(cr, 10, 1, 6, 2.5, 0, 2.5);
    cairo_curve_to(cr, -5, 2.5, -9, 1.5, -10, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Wings.
    double tip = wingsUp ? -11 : 9;
    cairo_move_to(cr, -3, -1);
    cairo_curve_to(cr, -4, tip * 0.5, -6, tip * 0.9, -9, tip);
    cairo_curve_to(cr, -2, tip * 0.7, 3, tip * 0.4, 4, -0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}
