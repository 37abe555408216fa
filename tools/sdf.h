#pragma once
// A small ray marcher for the figures that must look the same from every side
// (the retriever, the bird in its mouth, the partner in the blind): each figure
// is a handful of rounded cones and ellipsoids blended together, posed in 3D,
// lit by the dawn sun and the sky, and cut out as a transparent picture.
#include <cmath>
#include <vector>

#include "format256.h"

struct Vec3 {
    double x, y, z;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Normalise(Vec3 a) {
    double l = Length(a);
    return l > 1e-12 ? a * (1.0 / l) : Vec3{1, 0, 0};
}

// A rotation: rows are the local x, y and z axes expressed in the outer frame.
struct Mat3 {
    Vec3 x, y, z;
};
inline Vec3 ToOuter(const Mat3& m, Vec3 v) {
    return m.x * v.x + m.y * v.y + m.z * v.z;
}
inline Vec3 ToLocal(const Mat3& m, Vec3 v) {
    return {Dot(m.x, v), Dot(m.y, v), Dot(m.z, v)};
}
// a then b: the frame b expressed in a's outer frame.
inline Mat3 Compose(const Mat3& a, const Mat3& b) {
    return {ToOuter(a, b.x), ToOuter(a, b.y), ToOuter(a, b.z)};
}
constexpr Mat3 kIdentity = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
// Turns about one axis, in degrees, counter-clockwise seen from the axis' tip.
Mat3 TurnX(double degrees);
Mat3 TurnY(double degrees);
Mat3 TurnZ(double degrees);
// A frame whose x axis is `forward`, with y as close to `up` as it can be.
Mat3 FrameFacing(Vec3 forward, Vec3 up);

// One part of a figure. A cone runs from a (radius ra) to b (rb), its local x
// along the axis; an ellipsoid has its radii along the frame's axes. `blend` is
// how softly the part melts into those before it.
struct Part {
    bool ellipsoid = false;
    Vec3 a{}, b{};
    double ra = 0, rb = 0;
    Vec3 centre{};
    Mat3 frame = kIdentity;
    Vec3 radii{};
    double blend = 0;
    int material = 0;
    int group = 0;  // parts melt only into parts of their own group (0..3)
};

Part Cone(Vec3 a, Vec3 b, double ra, double rb, int material, double blend, Vec3 up = {0, 1, 0});
Part Ellipsoid(Vec3 centre, const Mat3& frame, Vec3 radii, int material, double blend);

// What a ray found: the point and normal (view space: x right, y up, z toward
// the viewer), the part it belongs to, the point in that part's frame, and how
// open the surroundings are (1 open, 0 shut in).
struct Hit {
    Vec3 p, n, local;
    int material;
    int part;
    double ambient;
};

// Linear RGB, 0..1 and more.
struct Colour {
    double r, g, b;
};
Colour FromHex(unsigned rgb);

// How a material shines: albedo plus gloss.
struct Finish {
    Colour albedo;
    double gloss;      // strength of the sun's and the sky's highlights
    double shininess;  // sharpness of the sun's highlight
    double rim;        // the sky light round the edges
    double sheen = 1;  // how much of the sky the surface mirrors (broken up by fur)
};
// Dawn light: a low warm sun from the front left and a cool sky above.
Colour Shade(const Hit& hit, const Finish& finish);

// Gives a hit its colour; returning alpha 0 leaves the pixel out.
struct Painter {
    Colour (*paint)(const Hit& hit, const void* data, double* alpha);
    const void* data;
};

// A rectangle of the picture in pixels from the anchor (screen y down).
struct Window {
    int x, y, w, h;
};

// Renders the parts seen along -z onto a picture whose offsets place the view
// origin (0, 0) at the anchor; screen y runs down, view y up. `samples` per
// pixel side; edge pixels of the cut-out darken by `edge` so the figure reads
// against the marsh. With `only`, exactly that rectangle is made, pixel for
// pixel the same as the whole figure's (the overlays of a talking face).
Picture RenderFigure(const std::vector<Part>& parts, Painter painter, int samples, double edge,
                     const Window* only = nullptr);
