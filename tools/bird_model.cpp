#include "bird_model.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 Normalised(Vec3 a) {
    double len = std::sqrt(Dot(a, a));
    return len > 1e-12 ? a * (1.0 / len) : Vec3{0, 0, 1};
}

Mat3 Identity() {
    return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
}

namespace {

constexpr double kPi = 3.14159265358979323846;

double Rad(double degrees) {
    return degrees * kPi / 180.0;
}

Mat3 Inverse(const Mat3& a) {
    const auto& m = a.m;
    double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                 m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                 m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    double k = 1.0 / det;
    Mat3 r;
    r.m[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * k;
    r.m[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * k;
    r.m[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * k;
    r.m[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * k;
    r.m[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * k;
    r.m[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * k;
    r.m[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * k;
    r.m[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * k;
    r.m[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * k;
    return r;
}

Mat3 Transposed(const Mat3& a) {
    Mat3 r;
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) {
            r.m[i][j] = a.m[j][i];
        }
    }
    return r;
}

// Light from above, a little from the front and from the eye's side, so the
// colours read on the side we see and the belly falls into shade.
const Vec3 kLight = Normalised({0.25, 1.0, 0.55});
const Vec3 kHalf = Normalised(kLight + Vec3{0, 0, 1});

void Shade(const Paint& p, Vec3 n, float* out) {
    double diffuse = std::max(0.0, Dot(n, kLight));
    double light = 0.5 + 0.62 * diffuse;
    double spec = p.gloss > 0 ? p.gloss * std::pow(std::max(0.0, Dot(n, kHalf)), 18) * 150 : 0;
    out[0] = static_cast<float>(p.r * light + spec);
    out[1] = static_cast<float>(p.g * light + spec);
    out[2] = static_cast<float>(p.b * light + spec);
}

}  // namespace

Mat3 RotX(double degrees) {
    double c = std::cos(Rad(degrees)), s = std::sin(Rad(degrees));
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}

Mat3 RotY(double degrees) {
    double c = std::cos(Rad(degrees)), s = std::sin(Rad(degrees));
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}

Mat3 RotZ(double degrees) {
    double c = std::cos(Rad(degrees)), s = std::sin(Rad(degrees));
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 r;
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) {
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    return r;
}

Vec3 operator*(const Mat3& a, Vec3 v) {
    return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z,
            a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
            a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

Mat3 Columns(Vec3 a, Vec3 b, Vec3 c) {
    return {{{a.x, b.x, c.x}, {a.y, b.y, c.y}, {a.z, b.z, c.z}}};
}

Render::Render(int w, int h, int supersample, double ax, double ay, double s, const Mat3& v,
               PaintFn p, const void* ctx)
    : width(w),
      height(h),
      ss(supersample),
      anchorX(ax),
      anchorY(ay),
      scale(s),
      view(v),
      paint(p),
      context(ctx),
      depth(static_cast<size_t>(w) * h * supersample * supersample, -1e9f),
      colour(static_cast<size_t>(w) * h * supersample * supersample * 3, 0.0f),
      thin(static_cast<size_t>(w) * h * supersample * supersample, 0) {}

void Render::Ellipsoid(int part, Vec3 centre, const Mat3& axes) {
    Mat3 a = view * axes;
    Vec3 c = view * centre;
    Mat3 inv = Inverse(a);
    Mat3 invT = Transposed(inv);
    Vec3 dir = {inv.m[0][2], inv.m[1][2], inv.m[2][2]};
    double aa = Dot(dir, dir);
    double ex = std::sqrt(a.m[0][0] * a.m[0][0] + a.m[0][1] * a.m[0][1] + a.m[0][2] * a.m[0][2]);
    double ey = std::sqrt(a.m[1][0] * a.m[1][0] + a.m[1][1] * a.m[1][1] + a.m[1][2] * a.m[1][2]);
    int sw = width * ss, sh = height * ss;
    double k = scale * ss;
    int x0 = std::max(0, static_cast<int>(std::floor((anchorX + (c.x - ex) * scale) * ss)));
    int x1 = std::min(sw - 1, static_cast<int>(std::ceil((anchorX + (c.x + ex) * scale) * ss)));
    int y0 = std::max(0, static_cast<int>(std::floor((anchorY - (c.y + ey) * scale) * ss)));
    int y1 = std::min(sh - 1, static_cast<int>(std::ceil((anchorY - (c.y - ey) * scale) * ss)));
    for (int j = y0; j <= y1; j++) {
        double Y = (anchorY * ss - (j + 0.5)) / k;
        for (int i = x0; i <= x1; i++) {
            double X = ((i + 0.5) - anchorX * ss) / k;
            Vec3 b = inv * Vec3{X - c.x, Y - c.y, -c.z};
            double ab = Dot(dir, b);
            double disc = ab * ab - aa * (Dot(b, b) - 1.0);
            if (disc < 0) {
                continue;
            }
            double t = (-ab + std::sqrt(disc)) / aa;
            size_t at = static_cast<size_t>(j) * sw + i;
            if (t <= depth[at]) {
                continue;
            }
            Vec3 q = b + dir * t;
            Surfel s{part, centre + axes * q, q, false};
            Paint p = paint(context, s);
            if (p.cut) {
                continue;
            }
            depth[at] = static_cast<float>(t);
            thin[at] = 0;
            Shade(p, Normalised(invT * q), &colour[at * 3]);
        }
    }
}

void Render::Surface(int part, const std::vector<Vec3>& grid, int nu, int nv, bool flip,
                     bool outlined) {
    auto at = [&](int u, int v) { return grid[static_cast<size_t>(u) * nv + v]; };
    std::vector<Vec3> screen(grid.size()), normal(grid.size());
    for (int u = 0; u < nu; u++) {
        for (int v = 0; v < nv; v++) {
            Vec3 p = view * at(u, v);
            screen[static_cast<size_t>(u) * nv + v] = {(anchorX + p.x * scale) * ss,
                                                       (anchorY - p.y * scale) * ss, p.z};
            Vec3 du = at(std::min(u + 1, nu - 1), v) - at(std::max(u - 1, 0), v);
            Vec3 dv = at(u, std::min(v + 1, nv - 1)) - at(u, std::max(v - 1, 0));
            Vec3 n = Normalised(view * Cross(du, dv));
            normal[static_cast<size_t>(u) * nv + v] = flip ? n * -1.0 : n;
        }
    }
    int sw = width * ss, sh = height * ss;
    auto triangle = [&](int ia, int ib, int ic, Vec3 ta, Vec3 tb, Vec3 tc) {
        const size_t idx[3] = {static_cast<size_t>(ia), static_cast<size_t>(ib),
                               static_cast<size_t>(ic)};
        const Vec3 uv[3] = {ta, tb, tc};
        Vec3 p0 = screen[idx[0]], p1 = screen[idx[1]], p2 = screen[idx[2]];
        double area = (p1.x - p0.x) * (p2.y - p0.y) - (p2.x - p0.x) * (p1.y - p0.y);
        if (std::fabs(area) < 1e-9) {
            return;
        }
        int x0 = std::max(0, static_cast<int>(std::floor(std::min({p0.x, p1.x, p2.x}))));
        int x1 = std::min(sw - 1, static_cast<int>(std::ceil(std::max({p0.x, p1.x, p2.x}))));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min({p0.y, p1.y, p2.y}))));
        int y1 = std::min(sh - 1, static_cast<int>(std::ceil(std::max({p0.y, p1.y, p2.y}))));
        for (int j = y0; j <= y1; j++) {
            double py = j + 0.5;
            for (int i = x0; i <= x1; i++) {
                double px = i + 0.5;
                double w1 = ((px - p0.x) * (p2.y - p0.y) - (p2.x - p0.x) * (py - p0.y)) / area;
                double w2 = ((p1.x - p0.x) * (py - p0.y) - (px - p0.x) * (p1.y - p0.y)) / area;
                double w0 = 1 - w1 - w2;
                if (w0 < -1e-9 || w1 < -1e-9 || w2 < -1e-9) {
                    continue;
                }
                double z = w0 * p0.z + w1 * p1.z + w2 * p2.z;
                size_t s = static_cast<size_t>(j) * sw + i;
                if (z <= depth[s]) {
                    continue;
                }
                Vec3 n = normal[idx[0]] * w0 + normal[idx[1]] * w1 + normal[idx[2]] * w2;
                Vec3 model = grid[idx[0]] * w0 + grid[idx[1]] * w1 + grid[idx[2]] * w2;
                Vec3 local = uv[0] * w0 + uv[1] * w1 + uv[2] * w2;
                bool under = n.z < 0;
                Paint p = paint(context, Surfel{part, model, local, under});
                if (p.cut) {
                    continue;
                }
                depth[s] = static_cast<float>(z);
                thin[s] = outlined ? 1 : 0;
                Shade(p, Normalised(under ? n * -1.0 : n), &colour[s * 3]);
            }
        }
    };
    double fu = 1.0 / (nu - 1), fv = 1.0 / (nv - 1);
    for (int u = 0; u + 1 < nu; u++) {
        for (int v = 0; v + 1 < nv; v++) {
            int a = u * nv + v, b = (u + 1) * nv + v, c = (u + 1) * nv + v + 1, d = u * nv + v + 1;
            Vec3 ta{u * fu, v * fv, 0}, tb{(u + 1) * fu, v * fv, 0};
            Vec3 tc{(u + 1) * fu, (v + 1) * fv, 0}, td{u * fu, (v + 1) * fv, 0};
            triangle(a, b, c, ta, tb, tc);
            triangle(a, c, d, ta, tc, td);
        }
    }
}

void Render::Resolve(std::vector<double>& rgb, std::vector<bool>& covered) const {
    int sw = width * ss;
    rgb.assign(static_cast<size_t>(width) * height * 3, 0.0);
    covered.assign(static_cast<size_t>(width) * height, false);
    // Where a wing or tail and what is next to it lie well apart in depth, a
    // thin dark line: wings over the body, the head over a wing. The round
    // parts blend into each other without one.
    int reach = std::max(1, ss / 2);
    auto behind = [&](int i, int j, float d, bool surface) {
        if (i < 0 || j < 0 || i >= sw || j >= height * ss) {
            return false;
        }
        size_t n = static_cast<size_t>(j) * sw + i;
        float o = depth[n];
        return o > -1e8f && o < d - 2.5f && (surface || thin[n] != 0);
    };
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            int count = 0;
            double sum[3] = {0, 0, 0};
            for (int j = y * ss; j < (y + 1) * ss; j++) {
                for (int i = x * ss; i < (x + 1) * ss; i++) {
                    size_t s = static_cast<size_t>(j) * sw + i;
                    float d = depth[s];
                    if (d < -1e8f) {
                        continue;
                    }
                    double k = 1.0;
                    bool t = thin[s] != 0;
                    if (behind(i + reach, j, d, t) || behind(i - reach, j, d, t) ||
                        behind(i, j + reach, d, t) || behind(i, j - reach, d, t)) {
                        k = 0.62;
                    }
                    count++;
                    for (int c = 0; c < 3; c++) {
                        sum[c] += colour[s * 3 + c] * k;
                    }
                }
            }
            size_t p = static_cast<size_t>(y) * width + x;
            if (count * 2 >= ss * ss) {
                covered[p] = true;
                for (int c = 0; c < 3; c++) {
                    rgb[p * 3 + c] = sum[c] / count;
                }
            }
        }
    }
}

Picture Render::Finish(int maxLeft, int maxRight, double edgeDarken) const {
    std::vector<double> rgb;
    std::vector<bool> covered;
    Resolve(rgb, covered);
    std::vector<double> edged = rgb;
    auto open = [&](int x, int y) {
        return x < 0 || y < 0 || x >= width || y >= height ||
               !covered[static_cast<size_t>(y) * width + x];
    };
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            size_t p = static_cast<size_t>(y) * width + x;
            if (covered[p] &&
                (open(x - 1, y) || open(x + 1, y) || open(x, y - 1) || open(x, y + 1))) {
                for (int c = 0; c < 3; c++) {
                    edged[p * 3 + c] = rgb[p * 3 + c] * (1.0 - edgeDarken);
                }
            }
        }
    }
    return CropPicture(edged, covered, width, height, static_cast<int>(anchorX),
                       static_cast<int>(anchorY), maxLeft, maxRight);
}

Picture CropPicture(const std::vector<double>& rgb, const std::vector<bool>& covered, int width,
                    int height, int anchorX, int anchorY, int maxLeft, int maxRight) {
    int left = std::max(0, anchorX - maxLeft), right = std::min(width, anchorX + maxRight);
    // The box always holds the anchor, so the offsets straddle it.
    int x0 = anchorX, x1 = anchorX + 1, y0 = anchorY, y1 = anchorY + 1;
    for (int y = 0; y < height; y++) {
        for (int x = left; x < right; x++) {
            if (covered[static_cast<size_t>(y) * width + x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x + 1);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y + 1);
            }
        }
    }
    Picture pic;
    pic.width = x1 - x0;
    pic.height = y1 - y0;
    pic.xoff = x0 - anchorX;
    pic.yoff = y0 - anchorY;
    pic.pixels.assign(static_cast<size_t>(pic.width) * pic.height, 0);
    for (int y = y0; y < y1; y++) {
        for (int x = x0; x < x1; x++) {
            size_t p = static_cast<size_t>(y) * width + x;
            if (covered[p]) {
                pic.pixels[static_cast<size_t>(y - y0) * pic.width + (x - x0)] =
                    NearestIndex(static_cast<int>(std::lround(rgb[p * 3])),
                                 static_cast<int>(std::lround(rgb[p * 3 + 1])),
                                 static_cast<int>(std::lround(rgb[p * 3 + 2])));
            }
        }
    }
    return pic;
}
