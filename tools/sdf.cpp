#include "sdf.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "canvas.h"

Mat3 TurnX(double degrees) {
    double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
}

Mat3 TurnY(double degrees) {
    double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
}

Mat3 TurnZ(double degrees) {
    double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
}

Mat3 FrameFacing(Vec3 forward, Vec3 up) {
    Vec3 x = Normalise(forward);
    Vec3 z = Cross(x, up);
    if (Length(z) < 1e-9) {
        z = Cross(x, Vec3{0, 0, 1});
    }
    z = Normalise(z);
    return {x, Cross(z, x), z};
}

Part Cone(Vec3 a, Vec3 b, double ra, double rb, int material, double blend, Vec3 up) {
    Part p;
    p.a = a;
    p.b = b;
    p.ra = ra;
    p.rb = rb;
    p.frame = FrameFacing(b - a, up);
    p.blend = blend;
    p.material = material;
    return p;
}

Part Ellipsoid(Vec3 centre, const Mat3& frame, Vec3 radii, int material, double blend) {
    Part p;
    p.ellipsoid = true;
    p.centre = centre;
    p.frame = frame;
    p.radii = radii;
    p.blend = blend;
    p.material = material;
    return p;
}

Colour FromHex(unsigned rgb) {
    auto lin = [](unsigned v) { return std::pow(v / 255.0, 2.2); };
    return {lin((rgb >> 16) & 0xFF), lin((rgb >> 8) & 0xFF), lin(rgb & 0xFF)};
}

namespace {

struct Bound {
    Vec3 centre;
    double radius;
};

Bound BoundOf(const Part& p) {
    if (p.ellipsoid) {
        return {p.centre, std::max({p.radii.x, p.radii.y, p.radii.z})};
    }
    return {(p.a + p.b) * 0.5, Length(p.b - p.a) * 0.5 + std::max(p.ra, p.rb)};
}

double Distance(const Part& p, Vec3 q) {
    if (p.ellipsoid) {
        Vec3 l = ToLocal(p.frame, q - p.centre);
        Vec3 r = p.radii;
        double k0 = Length({l.x / r.x, l.y / r.y, l.z / r.z});
        double k1 = Length({l.x / (r.x * r.x), l.y / (r.y * r.y), l.z / (r.z * r.z)});
        return k1 < 1e-12 ? -std::min({r.x, r.y, r.z}) : k0 * (k0 - 1) / k1;
    }
    // A cone with round ends, exact.
    Vec3 ba = p.b - p.a;
    double l2 = Dot(ba, ba);
    double rr = p.ra - p.rb;
    double a2 = l2 - rr * rr;
    double il2 = 1.0 / l2;
    Vec3 pa = q - p.a;
    double y = Dot(pa, ba);
    double z = y - l2;
    Vec3 w = pa * l2 - ba * y;
    double x2 = Dot(w, w);
    double y2 = y * y * l2;
    double z2 = z * z * l2;
    double k = (rr > 0 ? 1 : (rr < 0 ? -1 : 0)) * rr * rr * x2;
    if ((z > 0 ? 1 : (z < 0 ? -1 : 0)) * a2 * z2 > k) {
        return std::sqrt(x2 + z2) * il2 - p.rb;
    }
    if ((y > 0 ? 1 : (y < 0 ? -1 : 0)) * a2 * y2 < k) {
        return std::sqrt(x2 + y2) * il2 - p.ra;
    }
    return (std::sqrt(x2 * a2 * il2) + y * rr) * il2 - p.ra;
}

double SmoothMin(double a, double b, double k) {
    if (k <= 0) {
        return std::min(a, b);
    }
    double h = std::max(k - std::abs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}

struct Field {
    const std::vector<Part>& parts;
    const std::vector<int>& use;  // indices into parts, in order

    double At(Vec3 q, int* nearest = nullptr) const {
        double d[4] = {1e9, 1e9, 1e9, 1e9}, best = 1e9;
        for (int i : use) {
            const Part& p = parts[static_cast<size_t>(i)];
            double di = Distance(p, q);
            double& g = d[p.group & 3];
            g = g >= 1e8 ? di : SmoothMin(g, di, p.blend);
            if (nearest != nullptr && di < best) {
                best = di;
                *nearest = i;
            }
        }
        return std::min({d[0], d[1], d[2], d[3]});
    }
};

Vec3 Local(const Part& p, Vec3 q) {
    if (p.ellipsoid) {
        Vec3 l = ToLocal(p.frame, q - p.centre);
        return {l.x / p.radii.x, l.y / p.radii.y, l.z / p.radii.z};
    }
    Vec3 l = ToLocal(p.frame, q - p.a);
    double len = Length(p.b - p.a);
    double t = std::clamp(l.x / len, 0.0, 1.0);
    double r = p.ra + (p.rb - p.ra) * t;
    return {t, l.y / r, l.z / r};
}

uint8_t Encode(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return static_cast<uint8_t>(std::pow(v, 1 / 2.2) * 255 + 0.5);
}

}  // namespace

Colour Shade(const Hit& h, const Finish& f) {
    const Vec3 sun = Normalise({-0.62, 0.55, 0.56});
    const Colour sunColour = {1.55, 1.12, 0.78};
    const Colour sky = {0.34, 0.42, 0.62};
    const Colour ground = {0.10, 0.09, 0.06};
    Vec3 n = h.n;
    double lambert = std::max(0.0, Dot(n, sun));
    double up = 0.5 + 0.5 * n.y;
    Colour amb = {ground.r + (sky.r - ground.r) * up, ground.g + (sky.g - ground.g) * up,
                  ground.b + (sky.b - ground.b) * up};
    double ao = h.ambient;
    Vec3 half = Normalise(sun + Vec3{0, 0, 1});
    double spec = f.gloss * std::pow(std::max(0.0, Dot(n, half)), f.shininess) * lambert;
    // The sky mirrored in the surface: the sheen along a wet dog's back.
    Vec3 refl = n * (2 * n.z) - Vec3{0, 0, 1};
    double facing = 1 - std::max(0.0, n.z);
    double sheen = f.gloss * f.sheen * 0.35 * std::clamp((refl.y - 0.15) * 2.0, 0.0, 1.0) *
                   (0.25 + 0.75 * facing);
    double rim = f.rim * std::pow(facing, 3) * (0.4 + 0.6 * up);
    Colour c;
    c.r = f.albedo.r * (amb.r * ao + sunColour.r * lambert) + spec * sunColour.r +
          (sheen + rim) * sky.r * ao;
    c.g = f.albedo.g * (amb.g * ao + sunColour.g * lambert) + spec * sunColour.g +
          (sheen + rim) * sky.g * ao;
    c.b = f.albedo.b * (amb.b * ao + sunColour.b * lambert) + spec * sunColour.b +
          (sheen + rim) * sky.b * ao;
    return c;
}

Picture RenderFigure(const std::vector<Part>& parts, Painter painter, int samples, double edge,
                     const Window* only) {
    std::vector<Bound> bounds;
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const Part& p : parts) {
        Bound b = BoundOf(p);
        b.radius += p.blend;
        bounds.push_back(b);
        x0 = std::min(x0, b.centre.x - b.radius);
        x1 = std::max(x1, b.centre.x + b.radius);
        y0 = std::min(y0, b.centre.y - b.radius);
        y1 = std::max(y1, b.centre.y + b.radius);
    }
    if (parts.empty()) {
        return Picture{1, 1, 0, 0, {0}};
    }
    // Pixel (i, j) covers view x from left + i and screen y from top + j. The
    // corner sits on a multiple of 4 so that the dither lines up between renders.
    auto down4 = [](int v) { return v >= 0 ? v / 4 * 4 : -((-v + 3) / 4 * 4); };
    int left = down4(static_cast<int>(std::floor(x0)) - 1);
    int top = down4(static_cast<int>(std::floor(-y1)) - 1);
    int w = static_cast<int>(std::ceil(x1)) + 1 - left;
    int h = static_cast<int>(std::ceil(-y0)) + 1 - top;
    if (only != nullptr) {
        // A margin of 4 keeps the cut edge where the whole figure has it.
        left = down4(only->x) - 4;
        top = down4(only->y) - 4;
        w = only->x + only->w + 4 - left;
        h = only->y + only->h + 4 - top;
    }
    std::vector<int> all(parts.size());
    for (size_t i = 0; i < parts.size(); i++) {
        all[i] = static_cast<int>(i);
    }
    Field whole{parts, all};
    std::vector<double> rgba(static_cast<size_t>(w) * h * 4, 0.0);
    std::vector<int> use;
    double inv = 1.0 / samples;
    for (int j = 0; j < h; j++) {
        for (int i = 0; i < w; i++) {
            double* px = &rgba[(static_cast<size_t>(j) * w + i) * 4];
            for (int sj = 0; sj < samples; sj++) {
                for (int si = 0; si < samples; si++) {
                    double x = left + i + (si + 0.5) * inv;
                    double y = -(top + j + (sj + 0.5) * inv);
                    use.clear();
                    double zTop = -1e9, zBottom = 1e9;
                    for (size_t k = 0; k < parts.size(); k++) {
                        const Bound& b = bounds[k];
                        double dx = x - b.centre.x, dy = y - b.centre.y;
                        if (dx * dx + dy * dy < b.radius * b.radius) {
                            use.push_back(static_cast<int>(k));
                            zTop = std::max(zTop, b.centre.z + b.radius);
                            zBottom = std::min(zBottom, b.centre.z - b.radius);
                        }
                    }
                    if (use.empty()) {
                        continue;
                    }
                    Field field{parts, use};
                    double z = zTop;
                    bool found = false;
                    for (int step = 0; step < 160 && z > zBottom; step++) {
                        double d = field.At({x, y, z});
                        if (d < 0.01) {
                            found = true;
                            break;
                        }
                        z -= std::max(d * 0.8, 0.01);
                    }
                    if (!found) {
                        continue;
                    }
                    Hit hit{};
                    hit.p = {x, y, z};
                    const double e = 0.02;
                    Vec3 n = Vec3{1, -1, -1} * field.At(hit.p + Vec3{e, -e, -e}) +
                             Vec3{-1, -1, 1} * field.At(hit.p + Vec3{-e, -e, e}) +
                             Vec3{-1, 1, -1} * field.At(hit.p + Vec3{-e, e, -e}) +
                             Vec3{1, 1, 1} * field.At(hit.p + Vec3{e, e, e});
                    hit.n = Normalise(n);
                    int nearest = use.front();
                    field.At(hit.p, &nearest);
                    hit.part = nearest;
                    hit.material = parts[static_cast<size_t>(nearest)].material;
                    hit.local = Local(parts[static_cast<size_t>(nearest)], hit.p);
                    double occ = 0;
                    for (double dist : {1.5, 3.5, 7.0}) {
                        occ += std::max(0.0, dist - whole.At(hit.p + hit.n * dist)) / dist;
                    }
                    hit.ambient = std::clamp(1 - occ * 0.4, 0.0, 1.0);
                    double alpha = 1;
                    Colour c = painter.paint(hit, painter.data, &alpha);
                    px[0] += c.r * alpha;
                    px[1] += c.g * alpha;
                    px[2] += c.b * alpha;
                    px[3] += alpha;
                }
            }
        }
    }
    // Average, keep what is more than half covered, darken the cut edge.
    double count = samples * samples;
    auto covered = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < w && j < h &&
               rgba[(static_cast<size_t>(j) * w + i) * 4 + 3] >= count * 0.5;
    };
    Canvas canvas(w, h);
    cairo_surface_flush(canvas.surface);
    auto* base = cairo_image_surface_get_data(canvas.surface);
    int stride = cairo_image_surface_get_stride(canvas.surface);
    int bx0 = w, by0 = h, bx1 = -1, by1 = -1;
    for (int j = 0; j < h; j++) {
        auto* row = reinterpret_cast<uint32_t*>(base + static_cast<ptrdiff_t>(j) * stride);
        for (int i = 0; i < w; i++) {
            if (!covered(i, j)) {
                row[i] = 0;
                continue;
            }
            const double* px = &rgba[(static_cast<size_t>(j) * w + i) * 4];
            double k = 1 / px[3];
            if (!covered(i - 1, j) || !covered(i + 1, j) || !covered(i, j - 1) ||
                !covered(i, j + 1)) {
                k *= 1 - edge;
            }
            row[i] = 0xFF000000u | static_cast<uint32_t>(Encode(px[0] * k)) << 16 |
                     static_cast<uint32_t>(Encode(px[1] * k)) << 8 | Encode(px[2] * k);
            bx0 = std::min(bx0, i);
            by0 = std::min(by0, j);
            bx1 = std::max(bx1, i);
            by1 = std::max(by1, j);
        }
    }
    cairo_surface_mark_dirty(canvas.surface);
    if (only != nullptr) {
        Picture pic = Quantize(canvas, only->x - left, only->y - top, only->w, only->h, true, 2);
        pic.xoff = only->x;
        pic.yoff = only->y;
        return pic;
    }
    if (bx1 < 0) {
        return Picture{1, 1, 0, 0, {0}};
    }
    Picture pic = Quantize(canvas, bx0, by0, bx1 - bx0 + 1, by1 - by0 + 1, true, 2);
    pic.xoff = left + bx0;
    pic.yoff = top + by0;
    return pic;
}
