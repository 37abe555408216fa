#include "heads_paint.h"

#include <algorithm>
#include <cstddef>

void SoftFill(Canvas& c, const std::function<void(cairo_t*)>& shape, uint32_t rgb, double alpha,
              int radius) {
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, c.width, c.height);
    cairo_t* m = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(c.cr, &matrix);
    cairo_set_matrix(m, &matrix);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    shape(m);
    cairo_destroy(m);
    BlurMask(mask, radius);
    cairo_save(c.cr);
    cairo_identity_matrix(c.cr);
    SetColour(c.cr, rgb, alpha);
    cairo_mask_surface(c.cr, mask, 0, 0);
    cairo_restore(c.cr);
    cairo_surface_destroy(mask);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r, uint32_t inner, uint32_t outer) {
    auto ch = [](uint32_t rgb, int s) { return ((rgb >> s) & 0xFF) / 255.0; };
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(p, 0, ch(inner, 16), ch(inner, 8), ch(inner, 0));
    cairo_pattern_add_color_stop_rgb(p, 1, ch(outer, 16), ch(outer, 8), ch(outer, 0));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void SmoothPath(cairo_t* cr, const std::vector<double>& xy) {
    size_t n = xy.size() / 2;
    auto px = [&](size_t i) { return xy[(i % n) * 2]; };
    auto py = [&](size_t i) { return xy[(i % n) * 2 + 1]; };
    cairo_move_to(cr, px(0), py(0));
    for (size_t i = 0; i < n; i++) {
        size_t a = i + n - 1, b = i, c = i + 1, d = i + 2;
        cairo_curve_to(cr, px(b) + (px(c) - px(a)) / 6, py(b) + (py(c) - py(a)) / 6,
                       px(c) - (px(d) - px(b)) / 6, py(c) - (py(d) - py(b)) / 6, px(c), py(c));
    }
    cairo_close_path(cr);
}

void CurvesPath(cairo_t* cr, const std::vector<double>& xy) {
    cairo_move_to(cr, xy[0], xy[1]);
    for (size_t i = 2; i + 5 < xy.size(); i += 6) {
        cairo_curve_to(cr, xy[i], xy[i + 1], xy[i + 2], xy[i + 3], xy[i + 4], xy[i + 5]);
    }
    cairo_close_path(cr);
}

void CurveLines(cairo_t* cr, const std::vector<std::array<double, 8>>& curves) {
    for (const auto& k : curves) {
        cairo_move_to(cr, k[0], k[1]);
        cairo_curve_to(cr, k[2], k[3], k[4], k[5], k[6], k[7]);
    }
}

void PolygonPath(cairo_t* cr, const std::vector<double>& xy) {
    cairo_move_to(cr, xy[0], xy[1]);
    for (size_t i = 2; i + 1 < xy.size(); i += 2) {
        cairo_line_to(cr, xy[i], xy[i + 1]);
    }
    cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double a0, double a1) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, a0, a1);
    cairo_restore(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner) {
    for (int i = 0; i < 2 * points; i++) {
        double a = -M_PI / 2 + i * M_PI / points, r = i % 2 ? inner : outer;
        double px = cx + r * std::cos(a), py = cy + r * std::sin(a);
        i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
    }
    cairo_close_path(cr);
}

void BandPath(cairo_t* cr, double x0, double x1, double top, double bottom, double inset,
              double sagTop, double sagBottom) {
    cairo_move_to(cr, x0, top);
    cairo_curve_to(cr, x0 + inset, top + sagTop, x1 - inset, top + sagTop, x1, top);
    cairo_line_to(cr, x1, bottom);
    cairo_curve_to(cr, x1 - inset, bottom + sagBottom, x0 + inset, bottom + sagBottom, x0, bottom);
    cairo_close_path(cr);
}

void PocketFlapPath(cairo_t* cr, double left, double right, double top, double side, double tip) {
    PolygonPath(cr, {left, top, right, top, right, side, (left + right) / 2, tip, left, side});
}

void Dot(cairo_t* cr, double x, double y, double r, uint32_t rgb, double alpha) {
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetColour(cr, rgb, alpha);
    cairo_fill(cr);
}

void Outline(cairo_t* cr, uint32_t rgb, double width, double alpha) {
    SetColour(cr, rgb, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void PaintShape(cairo_t* cr, const std::function<void(cairo_t*)>& path,
                const std::function<void()>& fill, const std::function<void()>& inside,
                uint32_t line, double width, double alpha) {
    if (fill) {
        path(cr);
        fill();
    }
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    inside();
    cairo_restore(cr);
    path(cr);
    Outline(cr, line, width, alpha);
}

void FillOutlined(cairo_t* cr, uint32_t fill, uint32_t line, double width, double lineAlpha) {
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    Outline(cr, line, width, lineAlpha);
}

void StrokeDashed(cairo_t* cr, double on, double off) {
    cairo_set_dash(cr, std::array<double, 2>{on, off}.data(), 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                const std::array<GradientStop, 3>& stops, bool keep) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (const GradientStop& s : stops) {
        cairo_pattern_add_color_stop_rgb(p, s.at, s.r, s.g, s.b);
    }
    cairo_set_source(cr, p);
    keep ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(p);
}

namespace {

// SoftFill of the path that `path` makes.
void SoftFillPath(Canvas& c, const std::function<void(cairo_t*)>& path, uint32_t rgb, double alpha,
                  int radius) {
    auto fill = [&](cairo_t* m) {
        path(m);
        cairo_fill(m);
    };
    SoftFill(c, fill, rgb, alpha, radius);
}

}  // namespace

void SoftDisc(Canvas& c, double x, double y, double r, uint32_t rgb, double alpha, int radius) {
    auto disc = [&](cairo_t* m) { cairo_arc(m, x, y, r, 0, 2 * M_PI); };
    SoftFillPath(c, disc, rgb, alpha, radius);
}

void SoftRect(Canvas& c, double x, double y, double w, double h, uint32_t rgb, double alpha,
              int radius) {
    SoftRects(c, {{x, y, w, h}}, rgb, alpha, radius);
}

void SoftRects(Canvas& c, const std::vector<std::array<double, 4>>& rects, uint32_t rgb,
               double alpha, int radius) {
    auto path = [&](cairo_t* m) {
        for (const auto& r : rects) {
            cairo_rectangle(m, r[0], r[1], r[2], r[3]);
        }
    };
    SoftFillPath(c, path, rgb, alpha, radius);
}

void SoftEllipse(Canvas& c, double cx, double cy, double rx, double ry, uint32_t rgb, double alpha,
                 int radius) {
    auto ellipse = [&](cairo_t* m) { EllipsePath(m, cx, cy, rx, ry); };
    SoftFillPath(c, ellipse, rgb, alpha, radius);
}

void DropShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                uint32_t rgb, double alpha, int radius) {
    auto moved = [&](cairo_t* m) {
        cairo_translate(m, dx, dy);
        shape(m);
    };
    SoftFillPath(c, moved, rgb, alpha, radius);
}

void SoftSmooth(Canvas& c, const std::vector<double>& xy, uint32_t rgb, double alpha, int radius) {
    auto smooth = [&](cairo_t* m) { SmoothPath(m, xy); };
    SoftFillPath(c, smooth, rgb, alpha, radius);
}

void SoftSliver(Canvas& c, const std::array<double, 16>& xy, uint32_t rgb, double alpha,
                int radius) {
    auto sliver = [&](cairo_t* m) {
        cairo_move_to(m, xy[0], xy[1]);
        cairo_curve_to(m, xy[2], xy[3], xy[4], xy[5], xy[6], xy[7]);
        cairo_line_to(m, xy[8], xy[9]);
        cairo_curve_to(m, xy[10], xy[11], xy[12], xy[13], xy[14], xy[15]);
    };
    SoftFillPath(c, sliver, rgb, alpha, radius);
}

void PaintNeck(Canvas& c, const std::vector<double>& xy, double y0, double y1, uint32_t dark,
               uint32_t skin, const ChinShadow& chin) {
    cairo_t* cr = c.cr;
    SmoothPath(cr, xy);
    FillVertical(cr, y0, y1, dark, skin);
    cairo_save(cr);
    SmoothPath(cr, xy);
    cairo_clip(cr);
    auto shadow = [&](cairo_t* m) {
        cairo_move_to(m, chin.x0, chin.y);
        cairo_curve_to(m, chin.x0 + 10, chin.sag, chin.x1 - 10, chin.sag, chin.x1, chin.y);
    };
    SoftFillPath(c, shadow, chin.rgb, chin.alpha, 4);
    cairo_restore(cr);
}

void CollarPoints(cairo_t* cr, double cx, const std::array<double, 8>& xy, uint32_t fill,
                  uint32_t line, double width) {
    for (int side : {-1, 1}) {
        double s = side;
        PolygonPath(cr, {cx + s * xy[0], xy[1], cx + s * xy[2], xy[3], cx + s * xy[4], xy[5],
                         cx + s * xy[6], xy[7]});
        FillOutlined(cr, fill, line, width);
    }
}

void NameBar(cairo_t* cr, double x, double y, double w, double h, double line, double alpha) {
    Rectangle(cr, x, y, w, h, 0x2a2018);
    Rectangle(cr, x + 1, y + 1, w - 2, h - 2, 0xe8e0c8);
    Rectangle(cr, x + 4, y + 2.5, w - 8, line, 0x3a3028, alpha);
}

namespace {

// The upper and lower lid curves of an almond eye, as Bezier control points.
struct Lids {
    double ox, oy, ix, iy;  // outer and inner corners
    double u1x, u1y, u2x, u2y;
    double l1x, l1y, l2x, l2y;
};

Lids EyeShape(double cx, double cy, double w, double inner, double open, double slant) {
    Lids s;
    double h = w * 0.42 * open;
    s.ox = cx - inner * w / 2;
    s.oy = cy - w * 0.02;
    s.ix = cx + inner * w / 2;
    s.iy = cy + w * 0.04;
    // The upper lid peaks a little toward the inner side.
    s.u1x = cx - inner * w * 0.25;
    s.u1y = cy - h * 1.05 + slant * w * 0.05;
    s.u2x = cx + inner * w * 0.2;
    s.u2y = cy - h * 1.0 + slant * w * 0.22;
    s.l1x = cx + inner * w * 0.2;
    s.l1y = cy + w * 0.26;
    s.l2x = cx - inner * w * 0.2;
    s.l2y = cy + w * 0.24;
    return s;
}

}  // namespace

void PaintEye(Canvas& c, double cx, double cy, double w, double inner, const EyeLook& e,
              uint32_t iris, uint32_t skin, double lash) {
    cairo_t* cr = c.cr;
    cairo_save(cr);  // line caps and widths stay the caller's
    Lids s = EyeShape(cx, cy, w, inner, std::max(e.open, 0.0), e.lidSlant);
    // A socket shadow round the eye and the lid crease above it.
    SoftEllipse(c, cx, cy - w * 0.12, w * 0.62, w * 0.36, 0x6a3424, 0.28, 2);
    if (e.open < 0.15) {
        // Shut: the lid in skin, its lashes a curve bowed down.
        cairo_move_to(cr, s.ox, s.oy);
        cairo_curve_to(cr, s.u1x, cy - w * 0.3, s.u2x, cy - w * 0.3, s.ix, s.iy);
        cairo_curve_to(cr, s.l1x, cy + w * 0.2, s.l2x, cy + w * 0.2, s.ox, s.oy);
        SetColour(cr, skin);
        cairo_fill(cr);
        cairo_move_to(cr, s.ox - inner * 0.5, s.oy);
        cairo_curve_to(cr, s.u1x, cy + w * 0.18, s.u2x, cy + w * 0.18, s.ix, s.iy);
        SetColour(cr, 0x2a1610);
        cairo_set_line_width(cr, lash);
        cairo_stroke(cr);
        cairo_restore(cr);
        return;
    }
    auto almond = [&](cairo_t* t) {
        cairo_move_to(t, s.ox, s.oy);
        cairo_curve_to(t, s.u1x, s.u1y, s.u2x, s.u2y, s.ix, s.iy);
        cairo_curve_to(t, s.l1x, s.l1y, s.l2x, s.l2y, s.ox, s.oy);
        cairo_close_path(t);
    };
    cairo_save(cr);
    almond(cr);
    cairo_clip(cr);
    almond(cr);
    FillVertical(cr, cy - w * 0.3, cy + w * 0.3, 0xb8aaa0, 0xf4eee6);
    double ix = cx + e.look * w * 0.26, iy = cy + w * 0.02, ir = w * 0.23;
    cairo_arc(cr, ix, iy, ir, 0, 2 * M_PI);
    FillRadial(cr, ix, iy + ir * 0.2, ir, iris, 0x1a120c);
    cairo_arc(cr, ix, iy, ir * 0.45, 0, 2 * M_PI);
    SetColour(cr, 0x0a0604);
    cairo_fill(cr);
    // The lid's shadow over the top of the eye.
    cairo_rectangle(cr, cx - w, cy - w, 2 * w, w * 0.85);
    SetColour(cr, 0x3a2018, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, ix - ir * 0.35, iy - ir * 0.35, std::max(ir * 0.28, 0.7), 0, 2 * M_PI);
    SetColour(cr, 0xffffff, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    // Upper lid and lashes, heaviest at the outer corner; a faint lower lid.
    cairo_move_to(cr, s.ox - inner * lash * 0.6, s.oy - lash * 0.3);
    cairo_curve_to(cr, s.u1x, s.u1y, s.u2x, s.u2y, s.ix, s.iy);
    SetColour(cr, 0x24140e);
    cairo_set_line_width(cr, lash);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, s.ox, s.oy);
    cairo_curve_to(cr, s.l2x, s.l2y, s.l1x, s.l1y, s.ix, s.iy);
    SetColour(cr, 0x7a4030, 0.45);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // The crease of the lid.
    cairo_move_to(cr, s.ox + inner * w * 0.1, s.oy - w * 0.12);
    cairo_curve_to(cr, s.u1x, s.u1y - w * 0.22, s.u2x, s.u2y - w * 0.2, s.ix - inner * w * 0.08,
                   s.iy - w * 0.22);
    SetColour(cr, 0x6a3424, 0.4);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Nostril(cairo_t* cr, double x, double y, double rx, double ry, uint32_t rgb, double alpha) {
    EllipsePath(cr, x, y, rx, ry);
    SetColour(cr, rgb, alpha);
    cairo_fill(cr);
}

void PaintBrow(cairo_t* cr, double x0, double y0, double x1, double y1, double arch, double thick,
               uint32_t colour) {
    constexpr int kSteps = 12;
    double mx = (x0 + x1) / 2, my = (y0 + y1) / 2 - arch;
    auto point = [&](double t, double& x, double& y) {
        x = (1 - t) * (1 - t) * x0 + 2 * (1 - t) * t * mx + t * t * x1;
        y = (1 - t) * (1 - t) * y0 + 2 * (1 - t) * t * my + t * t * y1;
    };
    std::vector<double> top, bottom;
    for (int i = 0; i <= kSteps; i++) {
        double t = static_cast<double>(i) / kSteps, x, y;
        point(t, x, y);
        double half = thick * (1 - 0.6 * t) / 2;
        top.push_back(x);
        top.push_back(y - half);
        bottom.push_back(x);
        bottom.push_back(y + half * 0.8);
    }
    cairo_move_to(cr, top[0], top[1]);
    for (size_t i = 2; i < top.size(); i += 2) {
        cairo_line_to(cr, top[i], top[i + 1]);
    }
    for (size_t i = bottom.size(); i >= 2; i -= 2) {
        cairo_line_to(cr, bottom[i - 2], bottom[i - 1]);
    }
    cairo_close_path(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
}
