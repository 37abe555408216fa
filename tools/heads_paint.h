#pragma once
// The brushwork of the talking heads and the partner: paths, outlines, soft
// fills and the features every face is made of. Each character's own file
// holds only its shapes, colours and places.
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "canvas.h"

// Fills what `shape` draws, blurred by `radius`, with a colour; the canvas's
// current transformation and clip apply.
void SoftFill(Canvas& c, const std::function<void(cairo_t*)>& shape, uint32_t rgb, double alpha,
              int radius);
// Fills the current path with a radial gradient from `inner` at (cx, cy) out
// to `outer` at radius r.
void FillRadial(cairo_t* cr, double cx, double cy, double r, uint32_t inner, uint32_t outer);
// A smooth closed curve through the points (x, y pairs), Catmull-Rom style.
void SmoothPath(cairo_t* cr, const std::vector<double>& xy);
// A closed path of Bezier curves: the start point, then three points (two
// controls and the end) for each curve.
void CurvesPath(cairo_t* cr, const std::vector<double>& xy);
// Open curves, one from each eight numbers: a start, two controls and an end.
void CurveLines(cairo_t* cr, const std::vector<std::array<double, 8>>& curves);
// A closed polygon through the points (x, y pairs).
void PolygonPath(cairo_t* cr, const std::vector<double>& xy);
// An ellipse's arc centred at (cx, cy) with radii rx and ry.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double a0 = 0,
                 double a1 = 2 * M_PI);
// A star of `points` points from radius `outer` in to `inner`, one point up.
void StarPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner);

// A band across x0..x1 between two curves that sag by sagTop and sagBottom
// below `top` and `bottom`, their control points `inset` in from the ends (a
// hat band, a belt).
void BandPath(cairo_t* cr, double x0, double x1, double top, double bottom, double inset,
              double sagTop, double sagBottom);
// A pocket flap: square across the top, pointed at the bottom.
void PocketFlapPath(cairo_t* cr, double left, double right, double top, double side, double tip);

// A filled disc: a button, a stud.
void Dot(cairo_t* cr, double x, double y, double r, uint32_t rgb, double alpha = 1.0);
// Strokes the current path.
void Outline(cairo_t* cr, uint32_t rgb, double width, double alpha = 1.0);
// A shape in three layers: `path` filled by `fill` (none leaves it all to
// `inside`), then what `inside` draws clipped to the shape, then its outline.
void PaintShape(cairo_t* cr, const std::function<void(cairo_t*)>& path,
                const std::function<void()>& fill, const std::function<void()>& inside,
                uint32_t line, double width, double alpha = 1.0);
// Fills the current path, then strokes it.
void FillOutlined(cairo_t* cr, uint32_t fill, uint32_t line, double width, double lineAlpha = 1.0);
// Strokes the current path in dashes.
void StrokeDashed(cairo_t* cr, double on, double off);
// One stop of a gradient: where (0..1), then red, green and blue (0..1).
struct GradientStop {
    double at, r, g, b;
};
// Fills the current path with a gradient along (x0, y0) to (x1, y1); with
// `keep` the path stays for an outline.
void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                const std::array<GradientStop, 3>& stops, bool keep = false);

// SoftFill of a disc, a rectangle, an ellipse, and of `shape` moved by
// (dx, dy) as the shadow it casts.
void SoftDisc(Canvas& c, double x, double y, double r, uint32_t rgb, double alpha, int radius);
void SoftRect(Canvas& c, double x, double y, double w, double h, uint32_t rgb, double alpha,
              int radius);
void SoftRects(Canvas& c, const std::vector<std::array<double, 4>>& rects, uint32_t rgb,
               double alpha, int radius);
void SoftEllipse(Canvas& c, double cx, double cy, double rx, double ry, uint32_t rgb, double alpha,
                 int radius);
void DropShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                uint32_t rgb, double alpha, int radius);
// SoftFill of a SmoothPath.
void SoftSmooth(Canvas& c, const std::vector<double>& xy, uint32_t rgb, double alpha, int radius);
// SoftFill of a sliver (the shaded side of a nose, a crease): from the first
// point a curve through the next two to the fourth, straight to the fifth, and
// a curve through the next two to the last.
void SoftSliver(Canvas& c, const std::array<double, 16>& xy, uint32_t rgb, double alpha,
                int radius);

// A neck: the smooth outline `xy` shaded from `dark` at y0 to the skin at y1,
// and the chin's shadow across its top, a soft curve from (x0, y) to (x1, y)
// that sags to `sag`, its control points 10 in from its ends.
struct ChinShadow {
    double x0, x1, y, sag;
    uint32_t rgb;
    double alpha;
};
void PaintNeck(Canvas& c, const std::vector<double>& xy, double y0, double y1, uint32_t dark,
               uint32_t skin, const ChinShadow& chin);
// Collar points on both sides of cx: the quadrilateral `xy` (x as the offset
// from cx on the right), mirrored for the left.
void CollarPoints(cairo_t* cr, double cx, const std::array<double, 8>& xy, uint32_t fill,
                  uint32_t line, double width);

// A name bar on a uniform's pocket: dark frame, pale plate, the name a line
// `line` high.
void NameBar(cairo_t* cr, double x, double y, double w, double h, double line, double alpha);

struct EyeLook {
    double look;      // -1 left, 0 ahead, 1 right (the viewer's)
    double open;      // 0 shut, 1 wide
    double lidSlant;  // + lowers the inner corner of the upper lid (a scowl)
};
// A nostril: a small dark ellipse centred at (x, y).
void Nostril(cairo_t* cr, double x, double y, double rx, double ry, uint32_t rgb, double alpha);

// One eye centred at (cx, cy), w wide; `inner` is +1 when the nose lies to the
// right of it, -1 to the left.
void PaintEye(Canvas& c, double cx, double cy, double w, double inner, const EyeLook& e,
              uint32_t iris, uint32_t skin, double lash);
// A brow from its inner end to its outer end, bowed up by `arch`.
void PaintBrow(cairo_t* cr, double x0, double y0, double x1, double y1, double arch, double thick,
               uint32_t colour);
