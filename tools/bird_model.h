#pragma once
// A small renderer for the birds: ellipsoids and thin feathered surfaces in a
// depth buffer, seen orthographically, lit from above, supersampled and then
// brought down to a palette picture with a dark edge.
#include <cstdint>
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
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalised(Vec3 a);

// Rows of a 3 x 3 matrix; a rotation maps column vectors.
struct Mat3 {
    double m[3][3];
};
Mat3 Identity();
Mat3 RotX(double degrees);  // y toward z
Mat3 RotY(double degrees);  // z toward x
Mat3 RotZ(double degrees);  // x toward y
Mat3 operator*(const Mat3& a, const Mat3& b);
Vec3 operator*(const Mat3& a, Vec3 v);
// A matrix whose columns are the three given vectors.
Mat3 Columns(Vec3 a, Vec3 b, Vec3 c);

// What the paint callback learns about a visible point.
struct Surfel {
    int part;
    Vec3 model;  // the point in the bird's own frame, the same in every pose
    Vec3 local;  // on an ellipsoid: the point of the unit sphere; on a surface: (u, v, 0)
    bool under;  // a surface seen from its underside
};

// A point's own colour (0..255 a channel) and shine; `cut` makes a hole.
struct Paint {
    double r, g, b;
    double gloss = 0;
    bool cut = false;
};

using PaintFn = Paint (*)(const void* context, const Surfel& s);

// One picture being drawn: model units to pixels by `scale`, the model's
// origin at pixel (anchorX, anchorY), `view` turning the model frame (x
// forward, y up, z left) into the screen frame (x right, y up, z toward the
// eye).
struct Render {
    Render(int width, int height, int supersample, double anchorX, double anchorY, double scale,
           const Mat3& view, PaintFn paint, const void* context);

    // An ellipsoid whose semi-axes are the columns of `axes`, in model units.
    void Ellipsoid(int part, Vec3 centre, const Mat3& axes);
    // A thin surface through a grid of nu by nv model points (u major); its
    // upper side faces along (grid[u+1]-grid[u]) x (grid[v+1]-grid[v]),
    // turned round by `flip`. An `outlined` surface gets a dark line where it
    // passes in front of something well behind it.
    void Surface(int part, const std::vector<Vec3>& grid, int nu, int nv, bool flip,
                 bool outlined = true);

    // The finished picture: covered pixels quantised, a darker edge round the
    // shape, cropped to what is drawn, with the offsets placing the anchor;
    // never wider than `maxLeft` left and `maxRight` right of it.
    Picture Finish(int maxLeft, int maxRight, double edgeDarken) const;
    // Each pixel's colour before quantising and whether it is covered, for
    // callers that add to the picture (reflections).
    void Resolve(std::vector<double>& rgb, std::vector<bool>& covered) const;

    int width, height, ss;
    double anchorX, anchorY, scale;
    Mat3 view;
    PaintFn paint;
    const void* context;
    std::vector<float> depth;   // toward the eye; -1e9 where nothing is drawn
    std::vector<float> colour;  // 3 per sample
    std::vector<uint8_t> thin;  // 1 where a surface (wing, tail) was drawn
};

// Turns resolved colours into a cropped picture anchored at (anchorX, anchorY).
Picture CropPicture(const std::vector<double>& rgb, const std::vector<bool>& covered, int width,
                    int height, int anchorX, int anchorY, int maxLeft, int maxRight);
