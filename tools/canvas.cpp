#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

Canvas::Canvas(int w, int h)
    : width(w),
      height(h),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)),
      cr(cairo_create(surface)) {}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void SetColour(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void Rectangle(cairo_t* cr, double x, double y, double w, double h, uint32_t rgb, double alpha) {
    SetColour(cr, rgb, alpha);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(p, 0, ((top >> 16) & 0xFF) / 255.0,
                                     ((top >> 8) & 0xFF) / 255.0, (top & 0xFF) / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 1, ((bottom >> 16) & 0xFF) / 255.0,
                                     ((bottom >> 8) & 0xFF) / 255.0, (bottom & 0xFF) / 255.0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void UseFont(cairo_t* cr, const char* file, double size) {
    // Faces live as long as the tool does.
    static FT_Library library = nullptr;
    static std::map<std::string, cairo_font_face_t*> faces;
    if (library == nullptr && FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "FreeType will not start\n");
        std::exit(1);
    }
    auto found = faces.find(file);
    if (found == faces.end()) {
        FT_Face face;
        std::string path = std::string(kFontDir) + file;
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            std::exit(1);
        }
        found = faces.emplace(file, cairo_ft_font_face_create_for_ft_face(face, 0)).first;
    }
    cairo_set_font_face(cr, found->second);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void CentredText(cairo_t* cr, const char* file, double size, double cx, double y,
                 const std::string& text, uint32_t fill, uint32_t shadow) {
    UseFont(cr, file, size);
    double x = std::round(cx - TextWidth(cr, text) / 2);
    SetColour(cr, shadow, 0.85);
    for (auto [dx, dy] : {std::pair{1.0, 1.0}, {1.5, 1.5}, {-0.7, 0.0}, {0.0, -0.7}}) {
        cairo_move_to(cr, x + dx, y + dy);
        cairo_show_text(cr, text.c_str());
    }
    SetColour(cr, fill);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

double Hash01(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double Noise(double x, double y, uint32_t seed) {
    int xi = static_cast<int>(std::floor(x));
    int yi = static_cast<int>(std::floor(y));
    double fx = x - xi, fy = y - yi;
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double a = Hash01(xi, yi, seed), b = Hash01(xi + 1, yi, seed);
    double c = Hash01(xi, yi + 1, seed), d = Hash01(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double Fractal(double x, double y, uint32_t seed, int octaves) {
    double sum = 0, weight = 0, amp = 1;
    for (int o = 0; o < octaves; o++) {
        sum += Noise(x, y, seed + o * 101) * amp;
        weight += amp;
        amp *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / weight;
}

namespace {

uint32_t* Pixel(Canvas& c, int x, int y) {
    auto* base = cairo_image_surface_get_data(c.surface);
    int stride = cairo_image_surface_get_stride(c.surface);
    return reinterpret_cast<uint32_t*>(base + static_cast<ptrdiff_t>(y) * stride) + x;
}

uint8_t Clamp8(double v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

// Clips a rectangle to the canvas; false when nothing is left.
bool Clip(const Canvas& c, int& x, int& y, int& w, int& h) {
    int x1 = std::min(x + w, c.width), y1 = std::min(y + h, c.height);
    x = std::max(x, 0);
    y = std::max(y, 0);
    w = x1 - x;
    h = y1 - y;
    return w > 0 && h > 0;
}

}  // namespace

void Grain(Canvas& c, int x, int y, int w, int h, double amount, double scale, uint32_t seed) {
    if (!Clip(c, x, y, w, h)) {
        return;
    }
    cairo_surface_flush(c.surface);
    for (int j = y; j < y + h; j++) {
        for (int i = x; i < x + w; i++) {
            uint32_t* p = Pixel(c, i, j);
            double n = (Fractal(i / scale, j / scale, seed, 3) - 0.5) * 2 * amount +
                       (Hash01(i, j, seed) - 0.5) * amount * 0.5;
            double f = 1 + n;
            uint32_t a = *p >> 24;
            uint8_t r = std::min<uint8_t>(Clamp8(((*p >> 16) & 0xFF) * f), a);
            uint8_t g = std::min<uint8_t>(Clamp8(((*p >> 8) & 0xFF) * f), a);
            uint8_t b = std::min<uint8_t>(Clamp8((*p & 0xFF) * f), a);
            *p = a << 24 | r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

void PaintWood(Canvas& c, int x, int y, int w, int h, uint32_t dark, uint32_t light, uint32_t seed,
               bool vertical) {
    int x0 = x, y0 = y;
    if (!Clip(c, x, y, w, h)) {
        return;
    }
    cairo_surface_flush(c.surface);
    auto ch = [](uint32_t rgb, int s) { return static_cast<double>((rgb >> s) & 0xFF); };
    for (int j = y; j < y + h; j++) {
        for (int i = x; i < x + w; i++) {
            double along = vertical ? j - y0 : i - x0;
            double across = vertical ? i - x0 : j - y0;
            double warp = Fractal(along / 90.0, across / 14.0, seed, 3) * 6.0;
            double rings =
                0.5 + 0.5 * std::sin((across + warp) * 1.3 + Noise(along / 40.0, 0, seed + 7) * 3);
            double streak = Fractal(along / 160.0, across / 2.2, seed + 3, 2);
            double t = std::clamp(0.25 + 0.35 * rings * streak + 0.4 * streak, 0.0, 1.0);
            t += (Hash01(i, j, seed) - 0.5) * 0.08;
            t = std::clamp(t, 0.0, 1.0);
            uint8_t r = Clamp8(ch(dark, 16) + (ch(light, 16) - ch(dark, 16)) * t);
            uint8_t g = Clamp8(ch(dark, 8) + (ch(light, 8) - ch(dark, 8)) * t);
            uint8_t b = Clamp8(ch(dark, 0) + (ch(light, 0) - ch(dark, 0)) * t);
            *Pixel(c, i, j) = 0xFFu << 24 | r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(c.surface);
}

void Bevel(cairo_t* cr, double x, double y, double w, double h, double d, double strength) {
    cairo_save(cr);
    // Top and left: light.
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    cairo_line_to(cr, x + w - d, y + d);
    cairo_line_to(cr, x + d, y + d);
    cairo_line_to(cr, x + d, y + h - d);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    SetColour(cr, 0xfff4d8, 0.55 * strength);
    cairo_fill(cr);
    // Bottom and right: dark.
    cairo_move_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_line_to(cr, x + d, y + h - d);
    cairo_line_to(cr, x + w - d, y + h - d);
    cairo_line_to(cr, x + w - d, y + d);
    cairo_line_to(cr, x + w, y);
    cairo_close_path(cr);
    SetColour(cr, 0x120a04, 0.6 * strength);
    cairo_fill(cr);
    cairo_restore(cr);
}

void SoftShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                int radius, double alpha) {
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, c.width, c.height);
    cairo_t* m = cairo_create(mask);
    cairo_translate(m, dx, dy);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    shape(m);
    cairo_destroy(m);
    BlurMask(mask, radius);
    SetColour(c.cr, 0x0c0804, alpha);
    cairo_mask_surface(c.cr, mask, 0, 0);
    cairo_surface_destroy(mask);
}

void BlurMask(cairo_surface_t* mask, int radius) {
    cairo_surface_flush(mask);
    // Three box blurs make a near-Gaussian blur.
    uint8_t* data = cairo_image_surface_get_data(mask);
    int stride = cairo_image_surface_get_stride(mask);
    int width = cairo_image_surface_get_width(mask), height = cairo_image_surface_get_height(mask);
    std::vector<int> line(std::max(width, height));
    for (int pass = 0; pass < 3 && radius > 0; pass++) {
        for (int dir = 0; dir < 2; dir++) {
            int outer = dir == 0 ? height : width;
            int inner = dir == 0 ? width : height;
            for (int o = 0; o < outer; o++) {
                auto at = [&](int i) -> uint8_t& {
                    return dir == 0 ? data[o * stride + i] : data[i * stride + o];
                };
                for (int i = 0; i < inner; i++) {
                    line[i] = at(i);
                }
                int sum = 0;
                for (int i = -radius; i <= radius; i++) {
                    sum += line[std::clamp(i, 0, inner - 1)];
                }
                for (int i = 0; i < inner; i++) {
                    at(i) = static_cast<uint8_t>(sum / (2 * radius + 1));
                    sum +=
                        line[std::min(i + radius + 1, inner - 1)] - line[std::max(i - radius, 0)];
                }
            }
        }
    }
    cairo_surface_mark_dirty(mask);
}

void WoodButton(Canvas& c, int x, int y, int w, int h, const std::string& label, bool lit,
                uint32_t seed, double textSize) {
    PaintWood(c, x, y, w, h, lit ? 0x8a5a2c : 0x5a3616, lit ? 0xe6b878 : 0xa87444, seed);
    cairo_t* cr = c.cr;
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x + w / 2.0, y + h / 2.0, 2,
                                                            x + w / 2.0, y + h / 2.0, w * 0.6);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.9, 0.5, 0.45);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.8, 0.4, 0.0);
        cairo_set_source(cr, glow);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    // A dark rim, then the bevel inside it.
    SetColour(cr, 0x1a0e06);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    Bevel(cr, x + 1, y + 1, w - 2, h - 2, 3, 1.0);
    // Two brass nails.
    for (double nx : {x + 6.5, x + w - 6.5}) {
        SetColour(cr, 0x2a1a08, 0.8);
        cairo_arc(cr, nx + 0.6, y + h / 2.0 + 0.6, 1.8, 0, 2 * M_PI);
        cairo_fill(cr);
        SetColour(cr, lit ? 0xfff0a0 : 0xd8b050);
        cairo_arc(cr, nx, y + h / 2.0, 1.5, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    if (!label.empty()) {
        UseFont(cr, "DejaVuSans-Bold.ttf", textSize);
        double size = textSize;
        while (TextWidth(cr, label) > w - 16 && size > 8) {
            size -= 0.5;
            UseFont(cr, "DejaVuSans-Bold.ttf", size);
        }
        cairo_font_extents_t fe;
        cairo_font_extents(cr, &fe);
        double baseline = std::round(y + h / 2.0 + size * 0.36);
        CentredText(cr, "DejaVuSans-Bold.ttf", size, x + w / 2.0, baseline, label,
                    lit ? 0xffe070 : 0xf4e6c8);
    }
}

Picture Quantize(const Canvas& c, int x, int y, int w, int h, bool transparent, int dither) {
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    Picture pic;
    pic.width = w;
    pic.height = h;
    pic.pixels.assign(static_cast<size_t>(w) * h, 0);
    cairo_surface_flush(c.surface);
    auto* base = cairo_image_surface_get_data(c.surface);
    int stride = cairo_image_surface_get_stride(c.surface);
    for (int j = 0; j < h; j++) {
        for (int i = 0; i < w; i++) {
            int sx = x + i, sy = y + j;
            if (sx < 0 || sy < 0 || sx >= c.width || sy >= c.height) {
                continue;
            }
            uint32_t p =
                reinterpret_cast<const uint32_t*>(base + static_cast<ptrdiff_t>(sy) * stride)[sx];
            uint32_t a = p >> 24;
            if (transparent && a < 128) {
                continue;
            }
            double scale = a == 0 ? 0 : 255.0 / a;
            double d = (kBayer[sy & 3][sx & 3] - 7.5) / 16.0 * dither;
            int r = static_cast<int>(((p >> 16) & 0xFF) * scale + d);
            int g = static_cast<int>(((p >> 8) & 0xFF) * scale + d);
            int b = static_cast<int>((p & 0xFF) * scale + d);
            pic.pixels[static_cast<size_t>(j) * w + i] = NearestIndex(r, g, b);
        }
    }
    return pic;
}

std::string OutPath(const char* dir, const char* name) {
    return std::string(dir) + "/" + name;
}

void PaintPanelling(Canvas& c, int x, int y, int w, int h, int plank, uint32_t dark, uint32_t light,
                    uint32_t seed) {
    for (int px = x, k = 0; px < x + w; px += plank, k++) {
        // Each plank a slightly different tone.
        double tone = 0.85 + 0.3 * Hash01(k, 0, seed);
        auto scale = [tone](uint32_t rgb) {
            auto ch = [&](int s) {
                return static_cast<uint32_t>(std::min(255.0, ((rgb >> s) & 0xFF) * tone));
            };
            return ch(16) << 16 | ch(8) << 8 | ch(0);
        };
        PaintWood(c, px, y, std::min(plank, x + w - px), h, scale(dark), scale(light),
                  seed + k * 13, true);
        Rectangle(c.cr, px, y, 2, h, 0x1a0e06, 0.8);
        Rectangle(c.cr, px + 2, y, 1, h, 0xffe0b0, 0.18);
    }
}

void PaintFramedBoard(Canvas& c, int x, int y, int w, int h, int frame, uint32_t inner,
                      uint32_t seed) {
    cairo_t* cr = c.cr;
    SoftShadow(
        c,
        [&](cairo_t* m) {
            cairo_rectangle(m, x, y, w, h);
            cairo_fill(m);
        },
        6, 8, 6, 0.6);
    PaintWood(c, x, y, w, h, 0x4a2810, 0x9a6430, seed);
    Bevel(cr, x, y, w, h, 3, 1.0);
    // The inner edge of the frame is sunk: dark top-left, light bottom-right.
    int ix = x + frame, iy = y + frame, iw = w - 2 * frame, ih = h - 2 * frame;
    Rectangle(cr, ix, iy, iw, ih, inner);
    Grain(c, ix, iy, iw, ih, 0.12, 6.0, seed + 1);
    Rectangle(cr, ix, iy, iw, 3, 0x000000, 0.45);
    Rectangle(cr, ix, iy, 3, ih, 0x000000, 0.35);
    Rectangle(cr, ix, iy + ih - 2, iw, 2, 0xfff0d0, 0.2);
    Rectangle(cr, ix + iw - 2, iy, 2, ih, 0xfff0d0, 0.15);
}

void Vignette(Canvas& c, double strength) {
    cairo_pattern_t* p = cairo_pattern_create_radial(c.width / 2.0, c.height / 2.0, c.height * 0.35,
                                                     c.width / 2.0, c.height / 2.0, c.width * 0.75);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.05, 0.02, 0, strength);
    cairo_set_source(c.cr, p);
    cairo_paint(c.cr);
    cairo_pattern_destroy(p);
}

Picture Crop(const Canvas& c, Rect r) {
    return Quantize(c, r.x, r.y, r.w, r.h, false, 0);
}

bool WritePaintedBackground(const char* dir, const char* name, void (*draw)(Canvas&)) {
    Canvas c(640, 480);
    draw(c);
    return WriteBackground(OutPath(dir, name), MasterPalette(),
                           Quantize(c, 0, 0, 640, 480, false, 8));
}
