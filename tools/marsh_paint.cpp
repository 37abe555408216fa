// Painters of the marsh: sky, far hills and woods, water with its reflections,
// reeds, banks, mist. Each writes the picture and, through Mark, the depth and
// ground maps with the same shapes.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "marsh.h"

Marsh::Marsh()
    : depthSurface(cairo_image_surface_create(CAIRO_FORMAT_A8, 640, 480)),
      depth(cairo_create(depthSurface)),
      groundSurface(cairo_image_surface_create(CAIRO_FORMAT_A8, 640, 480)),
      ground(cairo_create(groundSurface)) {
    // The maps hold exact values: no blending at the edges of shapes.
    for (cairo_t* cr : {depth, ground}) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_rgba(cr, 0, 0, 0, 0);
        cairo_paint(cr);
    }
}

Marsh::~Marsh() {
    cairo_destroy(depth);
    cairo_surface_destroy(depthSurface);
    cairo_destroy(ground);
    cairo_surface_destroy(groundSurface);
}

namespace {

uint8_t* MapRow(cairo_surface_t* s, int y) {
    return cairo_image_surface_get_data(s) +
           static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
}

double Ch(uint32_t rgb, int shift) {
    return (rgb >> shift) & 0xFF;
}

uint32_t Pack(double r, double g, double b) {
    auto c8 = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
    return 0xFF000000u | c8(r) << 16 | c8(g) << 8 | c8(b);
}

// A colour along keys spread evenly over 0..1.
uint32_t Along(const uint32_t* keys, int n, double t) {
    t = std::clamp(t, 0.0, 1.0) * (n - 1);
    int k = std::min(static_cast<int>(t), n - 2);
    return Mix(keys[k], keys[k + 1], t - k);
}

}  // namespace

uint8_t Marsh::DepthAt(int x, int y) const {
    cairo_surface_flush(depthSurface);
    return MapRow(depthSurface, y)[x];
}

Ground Marsh::GroundAt(int x, int y) const {
    cairo_surface_flush(groundSurface);
    return static_cast<Ground>(MapRow(groundSurface, y)[x]);
}

void Marsh::Set(int x, int y, int d, Ground g) {
    MapRow(depthSurface, y)[x] = static_cast<uint8_t>(d);
    MapRow(groundSurface, y)[x] = static_cast<uint8_t>(g);
}

uint32_t& Marsh::Pixel(int x, int y) {
    return reinterpret_cast<uint32_t*>(MapRow(paint.surface, y))[x];
}

double WaterDepth(double y, int horizon) {
    // Where each close-flight size reaches the water, and its layer.
    constexpr double kRows[8] = {273, 295, 318, 347, 375, 408, 440, 480};
    constexpr double kLayers[8] = {65, 71, 77, 84, 92, 101, 110, 119};
    if (y < kRows[0]) {
        double t = (y - horizon) / std::max(1.0, kRows[0] - horizon);
        return 40 + 25 * std::clamp(t, 0.0, 1.0);
    }
    for (int i = 0; i < 7; i++) {
        if (y < kRows[i + 1]) {
            return kLayers[i] +
                   (kLayers[i + 1] - kLayers[i]) * (y - kRows[i]) / (kRows[i + 1] - kRows[i]);
        }
    }
    return kLayers[7];
}

void SettleFlat(Marsh& m) {
    cairo_surface_flush(m.depthSurface);
    for (int y = 0; y < 480; y++) {
        uint8_t* row = MapRow(m.depthSurface, y);
        int d = std::min(99, static_cast<int>(WaterDepth(y, m.horizon)));
        for (int x = 0; x < 640; x++) {
            if (row[x] == kFlatDepth) {
                row[x] = static_cast<uint8_t>(d);
            }
        }
    }
    cairo_surface_mark_dirty(m.depthSurface);
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return Pack(Ch(a, 16) + (Ch(b, 16) - Ch(a, 16)) * t, Ch(a, 8) + (Ch(b, 8) - Ch(a, 8)) * t,
                Ch(a, 0) + (Ch(b, 0) - Ch(a, 0)) * t) &
           0xFFFFFF;
}

uint32_t Scale(uint32_t rgb, double f) {
    return Pack(Ch(rgb, 16) * f, Ch(rgb, 8) * f, Ch(rgb, 0) * f) & 0xFFFFFF;
}

void PaintSky(Marsh& m, const SkyLook& look, uint32_t seed) {
    cairo_surface_flush(m.paint.surface);
    int h = m.horizon;
    for (int y = 0; y < h + 40 && y < kPanelTop; y++) {
        double t = static_cast<double>(y) / h;
        for (int x = 0; x < 640; x++) {
            double n = (Fractal(x / 180.0, y / 50.0, seed, 3) - 0.5) * 0.05;
            uint32_t c = Along(look.keys, 5, t + n);
            double dx = (x - m.sunX) / 240.0, dy = (y - m.sunY) / 110.0;
            double glow = std::exp(-(dx * dx + dy * dy)) * look.glowStrength;
            c = Mix(c, look.glow, glow);
            // Clouds: long streaks, lit from below where they face the sun.
            double band = std::clamp(1.0 - std::abs(t - 0.45) / 0.5, 0.0, 1.0);
            double cloud = Fractal(x / 200.0 + 3, y / 16.0, seed + 5, 5);
            double dens =
                std::clamp((cloud - (0.62 - 0.22 * look.cloudAmount)) * 5, 0.0, 1.0) * band;
            if (dens > 0) {
                double under = std::clamp(
                    (Fractal(x / 200.0 + 3, (y + 5) / 16.0, seed + 5, 5) - cloud) * 6 + 0.5, 0.0,
                    1.0);
                double near = std::exp(-std::pow((x - m.sunX) / 320.0, 2));
                uint32_t cc = Mix(look.cloudShade, look.cloudLit, under * (0.5 + 0.5 * near));
                c = Mix(c, cc, dens * 0.9);
            }
            m.Pixel(x, y) = 0xFF000000u | c;
        }
    }
    cairo_surface_mark_dirty(m.paint.surface);
    // The sun just clearing the far shore.
    cairo_t* cr = m.paint.cr;
    cairo_pattern_t* sun = cairo_pattern_create_radial(m.sunX, m.sunY, 3, m.sunX, m.sunY, 26);
    cairo_pattern_add_color_stop_rgba(sun, 0, 1, 0.99, 0.9, 1);
    cairo_pattern_add_color_stop_rgba(sun, 0.45, 1, 0.93, 0.66, 1);
    cairo_pattern_add_color_stop_rgba(sun, 1, 1, 0.8, 0.5, 0);
    cairo_set_source(cr, sun);
    cairo_arc(cr, m.sunX, m.sunY, 26, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(sun);
    // Sky writes depth 0 and ground Sky, which the maps already hold.
}

void PaintHills(Marsh& m, int baseY, double height, uint32_t top, uint32_t haze, double jag,
                uint32_t seed) {
    auto ridge = [&](cairo_t* cr, bool colour) {
        cairo_move_to(cr, -2, baseY + 2);
        for (int x = -2; x <= 642; x += 2) {
            double n = Fractal(x / 150.0, 0.3, seed, 4);
            double j = std::abs(Fractal(x / 40.0, 7.7, seed + 3, 3) - 0.5) * jag;
            cairo_line_to(cr, x, baseY - height * (0.3 + 0.8 * n) - j * height);
        }
        cairo_line_to(cr, 642, baseY + 2);
        cairo_close_path(cr);
        if (colour) {
            FillVertical(cr, baseY - height * 1.1, baseY, top, haze);
        } else {
            cairo_fill(cr);
        }
    };
    Mark(m, kFarShoreDepth, Ground::Land, ridge);
    // Sunlit slopes facing the sun.
    cairo_surface_flush(m.paint.surface);
    for (int y = std::max(0, static_cast<int>(baseY - height * 1.3)); y < baseY; y++) {
        for (int x = 0; x < 640; x++) {
            if (m.GroundAt(x, y) != Ground::Land) {
                continue;
            }
            double n = Fractal(x / 30.0, y / 12.0, seed + 9, 3);
            uint32_t& p = m.Pixel(x, y);
            p = 0xFF000000u | Mix(p & 0xFFFFFF, haze, (n - 0.5) * 0.5 + 0.1);
        }
    }
    cairo_surface_mark_dirty(m.paint.surface);
}

namespace {

// One tree of a far wood: a round-topped crown made of leafy clusters, a
// spruce made of drooping tiers, or a bare snag.
void Tree(Marsh& m, double x, double baseY, double h, int kind, const TreeLook& look, uint32_t seed,
          int k) {
    auto rnd = [&](int i) { return Hash01(k, i, seed); };
    double lightSide = m.sunX > x ? 1 : -1;
    if (kind == 2) {  // a snag: trunk and a few bare limbs
        Mark(m, kFarShoreDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
            if (colour) {
                SetColour(cr, Mix(look.dark, look.haze, look.hazeAmount * 0.6));
            }
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(cr, std::max(1.2, h * 0.05));
            cairo_move_to(cr, x, baseY);
            cairo_line_to(cr, x + (rnd(1) - 0.5) * 4, baseY - h);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 1.0);
            for (int b = 0; b < 4; b++) {
                double by = baseY - h * (0.45 + 0.13 * b);
                double dir = rnd(10 + b) < 0.5 ? -1 : 1;
                cairo_move_to(cr, x, by);
                cairo_line_to(cr, x + dir * h * (0.2 + 0.15 * rnd(20 + b)), by - h * 0.18);
                cairo_stroke(cr);
            }
        });
        return;
    }
    if (kind == 1) {  // a spruce: stacked drooping tiers, a spire on top
        double w = h * (0.28 + 0.08 * rnd(2));
        int tiers = 7;
        for (int t = 0; t < tiers; t++) {
            double f = static_cast<double>(t) / tiers;  // 0 at the bottom
            double ty = baseY - h * (0.08 + 0.9 * f);
            double tw = w * (1 - f) * (0.8 + 0.3 * rnd(30 + t)) + 1.2;
            double th = h / tiers * 1.7;
            uint32_t body = Mix(look.dark, look.mid, 0.35 + 0.3 * f);
            Mark(m, kFarShoreDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
                cairo_move_to(cr, x - tw, ty + th * 0.35);
                cairo_curve_to(cr, x - tw * 0.5, ty, x - tw * 0.2, ty - th * 0.5, x,
                               ty - th * 0.75);
                cairo_curve_to(cr, x + tw * 0.2, ty - th * 0.5, x + tw * 0.5, ty, x + tw,
                               ty + th * 0.35);
                cairo_close_path(cr);
                if (colour) {
                    SetColour(cr, Mix(body, look.haze, look.hazeAmount));
                    cairo_fill_preserve(cr);
                    // The sunlit edge of the tier.
                    cairo_clip(cr);
                    cairo_translate(cr, -lightSide * tw * 0.45, th * 0.2);
                    cairo_move_to(cr, x - tw, ty + th * 0.35);
                    cairo_curve_to(cr, x - tw * 0.5, ty, x - tw * 0.2, ty - th * 0.5, x,
                                   ty - th * 0.75);
                    cairo_curve_to(cr, x + tw * 0.2, ty - th * 0.5, x + tw * 0.5, ty, x + tw,
                                   ty + th * 0.35);
                    cairo_close_path(cr);
                    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
                    cairo_rectangle(cr, x - tw * 3, ty - th * 2, tw * 6, th * 4);
                    SetColour(cr, Mix(look.lit, look.haze, look.hazeAmount * 0.8), 0.55);
                    cairo_fill(cr);
                } else {
                    cairo_fill(cr);
                }
            });
        }
        return;
    }
    // A broadleaf crown: a dark mass of leafy lobes, then clusters lighter
    // towards the sun and the sky. Trunks hide in the undergrowth.
    double r = h * (0.36 + 0.12 * rnd(3));
    double cy = baseY - h + r;
    Mark(m, kFarShoreDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
        if (colour) {
            SetColour(cr, Mix(look.dark, look.haze, look.hazeAmount * 0.9));
        }
        cairo_set_line_width(cr, std::max(1.0, h * 0.06));
        cairo_move_to(cr, x, baseY);
        cairo_line_to(cr, x, cy);
        cairo_stroke(cr);
        for (int c = 0; c < 9; c++) {
            double a = rnd(40 + c) * 2 * M_PI;
            double d = r * 0.7 * rnd(50 + c);
            cairo_arc(cr, x + std::cos(a) * d * 1.2, cy + std::sin(a) * d * 0.7 + r * 0.2,
                      r * (0.42 + 0.3 * rnd(60 + c)), 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
    cairo_t* cr = m.paint.cr;
    for (int c = 0; c < 22; c++) {
        double a = rnd(70 + c) * 2 * M_PI;
        double d = r * 0.85 * std::sqrt(rnd(80 + c));
        double px = x + std::cos(a) * d * 1.1, py = cy + std::sin(a) * d * 0.75;
        double light =
            std::clamp(0.45 + 0.5 * ((px - x) * lightSide / r) - (py - cy) / r * 0.6, 0.0, 1.0);
        uint32_t col = light < 0.5 ? Mix(look.dark, look.mid, light * 2)
                                   : Mix(look.mid, look.lit, (light - 0.5) * 2);
        SetColour(cr, Mix(col, look.haze, look.hazeAmount), 0.8);
        cairo_arc(cr, px, py, r * (0.16 + 0.14 * rnd(90 + c)), 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

}  // namespace

void PaintTrees(Marsh& m, double x0, double x1, double baseY, double height, const TreeLook& look,
                double spacing, uint32_t seed) {
    // A low undergrowth band ties the trunks together at the shore.
    Mark(m, kFarShoreDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
        cairo_move_to(cr, x0, baseY + 1);
        for (double x = x0; x <= x1; x += 3) {
            cairo_line_to(cr, x, baseY - height * 0.4 * (0.5 + Fractal(x / 20.0, 1, seed, 2)));
        }
        cairo_line_to(cr, x1, baseY + 1);
        cairo_close_path(cr);
        if (colour) {
            SetColour(cr, Mix(look.dark, look.haze, look.hazeAmount * 0.7));
        }
        cairo_fill(cr);
    });
    int k = 0;
    for (double x = x0; x < x1; x += spacing * (0.6 + 0.8 * Hash01(k, 0, seed)), k++) {
        double roll = Hash01(k, 5, seed);
        int kind = roll < look.snags ? 2 : (roll < look.snags + look.conifers ? 1 : 0);
        double h = height * (0.55 + 0.5 * Fractal(x / 70.0, 2, seed, 2) + 0.2 * Hash01(k, 6, seed));
        Tree(m, x, baseY + 2, h, kind, look, seed, k);
    }
}

void PaintWater(Marsh& m, const WaterLook& look, uint32_t seed) {
    cairo_surface_flush(m.paint.surface);
    cairo_surface_flush(m.depthSurface);
    cairo_surface_flush(m.groundSurface);
    int top = m.horizon;
    for (int y = top; y < kPanelTop; y++) {
        double t = static_cast<double>(y - top) / (kPanelTop - top);
        int d = std::min(99, static_cast<int>(WaterDepth(y, m.horizon)));
        // Ripples get longer and bolder towards the blind.
        double stretch = 2.0 + t * 9;
        for (int x = 0; x < 640; x++) {
            double ripple = Fractal(x / (60.0 + 120 * t), y / stretch, seed, 3);
            double tt = std::clamp(std::pow(t, 0.8) + (ripple - 0.5) * look.ripple, 0.0, 1.0);
            uint32_t c = Mix(look.far, look.near, tt);
            double silt = Fractal(x / 90.0, y / 20.0, seed + 3, 3);
            c = Mix(c, 0x5a4a30, look.murk * std::clamp((silt - 0.35) * 1.5, 0.0, 1.0) * 0.6);
            // The sun's path: broken glints under the sun, widening nearer.
            double dx = (x - m.sunX) / (14 + 70 * t);
            double path = std::exp(-dx * dx) * (1 - t * 0.6);
            double glint =
                std::clamp((Fractal(x / 22.0, y / 1.6, seed + 7, 2) - 0.5) * 4, 0.0, 1.0);
            c = Mix(c, look.glint, path * (0.25 + 0.75 * glint));
            // Light crests and dark troughs of the wavelets.
            double crest = Fractal(x / (30.0 + 60 * t), y / (1.0 + t * 3), seed + 11, 2);
            if (crest > 0.62) {
                c = Mix(c, look.glint, (crest - 0.62) * (0.6 + t));
            } else if (crest < 0.34) {
                c = Mix(c, 0x0a1418, (0.34 - crest) * (0.5 + t));
            }
            m.Pixel(x, y) = 0xFF000000u | c;
            m.Set(x, y, d, Ground::Water);
        }
    }
    cairo_surface_mark_dirty(m.paint.surface);
    cairo_surface_mark_dirty(m.depthSurface);
    cairo_surface_mark_dirty(m.groundSurface);
}

void ReflectShore(Marsh& m, int fromY, int toY, double strength, uint32_t seed) {
    // Mirrors what stands above the water line `fromY` into the water below it,
    // wavering with the ripples and fading away from the shore.
    cairo_surface_flush(m.paint.surface);
    cairo_surface_flush(m.groundSurface);
    for (int y = fromY; y < toY && y < kPanelTop; y++) {
        double fade = 1.0 - static_cast<double>(y - fromY) / (toY - fromY);
        for (int x = 0; x < 640; x++) {
            if (m.GroundAt(x, y) != Ground::Water) {
                continue;
            }
            double wave = (Fractal(x / 40.0, y / 2.5, seed, 2) - 0.5) * (3 + (y - fromY) * 0.08);
            int sx = std::clamp(x + static_cast<int>(wave), 0, 639);
            int sy = 2 * fromY - y - 1;
            if (sy < 0) {
                continue;
            }
            uint32_t src = m.Pixel(sx, sy) & 0xFFFFFF;
            double a = strength * fade;
            if (m.GroundAt(sx, sy) != Ground::Land) {
                a *= 0.35;  // the sky is in the water already
            }
            uint32_t& p = m.Pixel(x, y);
            p = 0xFF000000u | Mix(p & 0xFFFFFF, Scale(src, 0.72), a);
        }
    }
    cairo_surface_mark_dirty(m.paint.surface);
}

void PaintReeds(Marsh& m, double x0, double x1, double baseY, double height, double density,
                const ReedLook& look, int depth, uint32_t seed, bool reflect) {
    int count = std::max(1, static_cast<int>((x1 - x0) * density));
    double lightSide = 1;
    cairo_t* cr = m.paint.cr;
    // The clump's reflection first, a dark wavering smear under it.
    if (reflect) {
        for (int k = 0; k < count; k += 2) {
            double x = x0 + Hash01(k, 1, seed) * (x1 - x0);
            double h = height * (0.4 + 0.6 * Hash01(k, 2, seed)) * 0.45;
            SetColour(cr, Mix(look.dark, 0x102028, 0.5), 0.35);
            cairo_set_line_width(cr, look.width * 1.2);
            cairo_move_to(cr, x, baseY + 1);
            cairo_line_to(cr, x + (Hash01(k, 3, seed) - 0.5) * 3, baseY + h);
            cairo_stroke(cr);
        }
    }
    for (int k = 0; k < count; k++) {
        double x = x0 + Hash01(k, 1, seed) * (x1 - x0);
        // Taller in the middle of the clump.
        double mid = 1 - std::pow((x - (x0 + x1) / 2) / ((x1 - x0) / 2 + 1), 2) * 0.5;
        double h = height * mid * (0.45 + 0.55 * Hash01(k, 2, seed));
        double lean = (Hash01(k, 3, seed) - 0.5) * h * 0.3;
        double shade = Hash01(k, 4, seed);
        double b = baseY + Hash01(k, 9, seed) * 3;
        bool blade = Hash01(k, 7, seed) < look.blades;
        bool cattail = !blade && Hash01(k, 6, seed) < look.cattails;
        uint32_t col = shade < 0.4 ? look.dark : Mix(look.mid, look.lit, (shade - 0.4) / 0.6);
        double w = look.width * (0.7 + 0.6 * Hash01(k, 5, seed));
        Mark(m, depth, Ground::Land, [&](cairo_t* c, bool colour) {
            cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
            if (colour) {
                SetColour(c, col);
            }
            if (blade) {
                // A leaf that bends over and droops.
                double dir = Hash01(k, 8, seed) < 0.5 ? -1 : 1;
                cairo_move_to(c, x - w * 0.6, b);
                cairo_curve_to(c, x, b - h * 0.6, x + dir * h * 0.15, b - h * 0.9,
                               x + dir * h * 0.4, b - h * 0.75);
                cairo_curve_to(c, x + dir * h * 0.15, b - h * 0.82, x + w * 0.5, b - h * 0.5,
                               x + w * 0.6, b);
                cairo_close_path(c);
                cairo_fill(c);
                return;
            }
            cairo_set_line_width(c, w);
            cairo_move_to(c, x, b);
            cairo_curve_to(c, x, b - h * 0.5, x + lean * 0.4, b - h * 0.8, x + lean, b - h);
            cairo_stroke(c);
            if (cattail) {
                double hx = x + lean * 0.8, hy = b - h * 0.84;
                if (colour) {
                    SetColour(c, look.head);
                }
                cairo_set_line_width(c, w * 2.6 + 1.5);
                cairo_move_to(c, hx, hy);
                cairo_line_to(c, hx + lean * 0.05, hy - h * 0.13);
                cairo_stroke(c);
            }
        });
        if (!blade && shade > 0.55) {
            // A sunlit edge on the stem.
            SetColour(cr, Mix(look.lit, 0xfff0c0, 0.3), 0.6);
            cairo_set_line_width(cr, std::max(0.6, w * 0.4));
            cairo_move_to(cr, x + lightSide * w * 0.3, b);
            cairo_curve_to(cr, x + lightSide * w * 0.3, b - h * 0.5, x + lean * 0.4, b - h * 0.8,
                           x + lean, b - h);
            cairo_stroke(cr);
        }
        if (cattail) {
            double hx = x + lean * 0.8, hy = b - h * 0.84;
            SetColour(cr, Mix(look.head, 0xffd0a0, 0.35), 0.7);
            cairo_set_line_width(cr, 1.0);
            cairo_move_to(cr, hx + w, hy - 1);
            cairo_line_to(cr, hx + w + lean * 0.05, hy - h * 0.12);
            cairo_stroke(cr);
        }
    }
}

void PaintBank(Marsh& m, double x0, double x1, double y, double h, uint32_t top, uint32_t side,
               uint32_t seed) {
    auto outline = [&](cairo_t* cr) {
        cairo_move_to(cr, x0, y);
        for (double x = x0; x <= x1; x += 3) {
            double t = (x - x0) / (x1 - x0);
            double bump = std::sin(t * M_PI) * h * (0.7 + 0.6 * Fractal(x / 25.0, 0, seed, 2));
            cairo_line_to(cr, x, y - bump);
        }
        cairo_line_to(cr, x1, y);
        for (double x = x1; x >= x0; x -= 3) {
            double t = (x - x0) / (x1 - x0);
            cairo_line_to(cr, x, y + std::sin(t * M_PI) * h * 0.25);
        }
        cairo_close_path(cr);
    };
    MarkFlat(m, [&](cairo_t* cr, bool colour) {
        outline(cr);
        if (colour) {
            FillVertical(cr, y - h, y + h * 0.25, top, side);
        } else {
            cairo_fill(cr);
        }
    });
    // Texture and a wet, light edge along the water.
    cairo_t* cr = m.paint.cr;
    cairo_save(cr);
    outline(cr);
    cairo_clip(cr);
    for (int k = 0; k < (x1 - x0) / 2; k++) {
        double x = x0 + Hash01(k, 1, seed) * (x1 - x0);
        double yy = y - h + Hash01(k, 2, seed) * h * 1.2;
        SetColour(cr, Hash01(k, 3, seed) < 0.5 ? Scale(top, 0.75) : Mix(top, 0xfff0d0, 0.25), 0.6);
        cairo_rectangle(cr, x, yy, 2 + Hash01(k, 4, seed) * 5, 1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    SetColour(cr, 0xd8d0c0, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x0 + 4, y + 0.5);
    cairo_line_to(cr, x1 - 4, y + 0.5);
    cairo_stroke(cr);
}

void PaintMist(Marsh& m, int y0, int y1, uint32_t colour, double alpha, uint32_t seed) {
    cairo_surface_flush(m.paint.surface);
    for (int y = std::max(0, y0); y < y1 && y < kPanelTop; y++) {
        double band = std::sin((y - y0) * M_PI / (y1 - y0));
        for (int x = 0; x < 640; x++) {
            double n = Fractal(x / 120.0, y / 10.0, seed, 3);
            double a = alpha * band * std::clamp((n - 0.3) * 2, 0.0, 1.0);
            uint32_t& p = m.Pixel(x, y);
            p = 0xFF000000u | Mix(p & 0xFFFFFF, colour, a);
        }
    }
    cairo_surface_mark_dirty(m.paint.surface);
}

void PaintLilyPads(Marsh& m, double x0, double x1, double y0, double y1, int count, uint32_t seed) {
    for (int k = 0; k < count; k++) {
        double x = x0 + Hash01(k, 1, seed) * (x1 - x0);
        double y = y0 + Hash01(k, 2, seed) * (y1 - y0);
        if (m.GroundAt(std::clamp(static_cast<int>(x), 0, 639), static_cast<int>(y)) !=
            Ground::Water) {
            continue;
        }
        double r = 2 + (y - m.horizon) * 0.05 * (0.7 + 0.6 * Hash01(k, 3, seed));
        double notch = Hash01(k, 4, seed) * 2 * M_PI;
        MarkFlat(m, [&](cairo_t* cr, bool colour) {
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, 1, 0.38);
            cairo_move_to(cr, 0, 0);
            cairo_arc(cr, 0, 0, r, notch + 0.35, notch + 2 * M_PI - 0.35);
            cairo_close_path(cr);
            cairo_restore(cr);
            if (colour) {
                SetColour(cr, Mix(0x2c5a22, 0x7a9a3a, Hash01(k, 5, seed)));
            }
            cairo_fill(cr);
        });
        if (Hash01(k, 6, seed) < 0.15) {  // a flower
            SetColour(m.paint.cr, 0xf4e8e0);
            cairo_arc(m.paint.cr, x, y - 1, std::max(1.0, r * 0.25), 0, 2 * M_PI);
            cairo_fill(m.paint.cr);
        }
    }
}

void PaintStump(Marsh& m, double x, double baseY, double w, double h, uint32_t colour,
                uint32_t seed) {
    int depth = static_cast<int>(WaterDepth(baseY, m.horizon));
    Mark(m, depth, Ground::Land, [&](cairo_t* cr, bool col) {
        cairo_move_to(cr, x - w / 2, baseY);
        cairo_line_to(cr, x - w * 0.4, baseY - h);
        cairo_line_to(cr, x - w * 0.1, baseY - h - w * 0.3 * Hash01(1, 1, seed));
        cairo_line_to(cr, x + w * 0.15, baseY - h + w * 0.2);
        cairo_line_to(cr, x + w * 0.4, baseY - h - w * 0.2);
        cairo_line_to(cr, x + w / 2, baseY);
        cairo_close_path(cr);
        if (col) {
            SetColour(cr, colour);
        }
        cairo_fill(cr);
    });
    cairo_t* cr = m.paint.cr;
    // Lit on the sun's side, its reflection below.
    SetColour(cr, Mix(colour, 0xffd8a0, 0.35), 0.8);
    cairo_rectangle(cr, x + w * 0.1, baseY - h, w * 0.3, h);
    cairo_fill(cr);
    SetColour(cr, Scale(colour, 0.6), 0.45);
    cairo_rectangle(cr, x - w / 2, baseY + 1, w, h * 0.6);
    cairo_fill(cr);
}
