// Drawing on surfaces: fills, outlines, lines, block copies and saved areas.
// Every operation clips: copies to both surfaces, drawing to the clip
// rectangle of the surface it draws on.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdl/gdl.h"
#include "gdl/gdl_internal.h"

namespace {

// Block copy operations; the game only ever uses replace.
constexpr int32_t kOpReplace = 0;
constexpr int32_t kOpAnd = 1;
constexpr int32_t kOpOr = 2;
constexpr int32_t kOpXor = 3;

// Saved areas start with their left, top, width and height.
constexpr size_t kAreaHeader = 4 * sizeof(int32_t);

uint8_t* PixelAt(GDL_Surface* surface, int64_t x, int64_t y) {
    return surface->pixels + y * surface->bytesPerLine + x;
}

// A source rectangle and where it lands, both cut down to what lies inside
// the source and inside the destination's clip rectangle. False when nothing does.
struct Copy {
    int64_t srcX, srcY, dstX, dstY, width, height;
};

bool ClipCopy(const GDL_Surface* destination, const GDL_Surface* source, int32_t left, int32_t top,
              int32_t right, int32_t bottom, int32_t destinationX, int32_t destinationY,
              Copy* copy) {
    int64_t l = left, t = top, r = right, b = bottom;
    int64_t dx = destinationX, dy = destinationY;
    // Inside the source.
    if (l < 0) {
        dx -= l;
        l = 0;
    }
    if (t < 0) {
        dy -= t;
        t = 0;
    }
    r = std::min<int64_t>(r, source->maxX + 1);
    b = std::min<int64_t>(b, source->maxY + 1);
    // Inside the destination's clip rectangle.
    if (dx < destination->clipLeft) {
        l += destination->clipLeft - dx;
        dx = destination->clipLeft;
    }
    if (dy < destination->clipTop) {
        t += destination->clipTop - dy;
        dy = destination->clipTop;
    }
    r = std::min<int64_t>(r, l + (destination->clipRight - dx));
    b = std::min<int64_t>(b, t + (destination->clipBottom - dy));
    if (r <= l || b <= t) {
        return false;
    }
    *copy = {l, t, dx, dy, r - l, b - t};
    return true;
}

// Rows of the source as they were before the copy began: a copy within one
// surface may overlap itself.
struct SourceRows {
    std::vector<uint8_t> held;
    const uint8_t* first;
    int64_t pitch;
};

SourceRows ReadSource(GDL_Surface* destination, GDL_Surface* source, const Copy& copy) {
    SourceRows rows;
    rows.first = PixelAt(source, copy.srcX, copy.srcY);
    rows.pitch = source->bytesPerLine;
    if (source == destination) {
        rows.held.resize(static_cast<size_t>(copy.width * copy.height));
        for (int64_t y = 0; y < copy.height; ++y) {
            std::memcpy(rows.held.data() + y * copy.width, rows.first + y * rows.pitch,
                        static_cast<size_t>(copy.width));
        }
        rows.first = rows.held.data();
        rows.pitch = copy.width;
    }
    return rows;
}

bool BadPair(GDL_Surface* destination, GDL_Surface* source) {
    if (destination == nullptr || source == nullptr || destination->pixels == nullptr ||
        source->pixels == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return true;
    }
    return false;
}

void FillClipped(GDL_Surface* surface, int64_t left, int64_t top, int64_t right, int64_t bottom,
                 uint8_t value) {
    left = std::max<int64_t>(left, surface->clipLeft);
    top = std::max<int64_t>(top, surface->clipTop);
    right = std::min<int64_t>(right, surface->clipRight);
    bottom = std::min<int64_t>(bottom, surface->clipBottom);
    if (right <= left || bottom <= top) {
        return;
    }
    for (int64_t y = top; y < bottom; ++y) {
        std::memset(PixelAt(surface, left, y), value, static_cast<size_t>(right - left));
    }
}

void PlotClipped(GDL_Surface* surface, int64_t x, int64_t y, uint8_t value) {
    if (x >= surface->clipLeft && x < surface->clipRight && y >= surface->clipTop &&
        y < surface->clipBottom) {
        *PixelAt(surface, x, y) = value;
    }
}

// Cuts a line to the clip rectangle (inclusive corners) so a line with far-off
// ends does not walk billions of pixels. False when nothing is left.
bool ClipLine(const GDL_Surface* surface, double* x1, double* y1, double* x2, double* y2) {
    const double lo[2] = {static_cast<double>(surface->clipLeft),
                          static_cast<double>(surface->clipTop)};
    const double hi[2] = {static_cast<double>(surface->clipRight - 1),
                          static_cast<double>(surface->clipBottom - 1)};
    const double start[2] = {*x1, *y1};
    const double delta[2] = {*x2 - *x1, *y2 - *y1};
    double enter = 0.0, leave = 1.0;
    for (int axis = 0; axis < 2; ++axis) {
        if (delta[axis] == 0.0) {
            if (start[axis] < lo[axis] || start[axis] > hi[axis]) {
                return false;
            }
            continue;
        }
        double a = (lo[axis] - start[axis]) / delta[axis];
        double b = (hi[axis] - start[axis]) / delta[axis];
        if (a > b) {
            std::swap(a, b);
        }
        enter = std::max(enter, a);
        leave = std::min(leave, b);
    }
    if (enter > leave) {
        return false;
    }
    *x2 = std::round(start[0] + delta[0] * leave);
    *y2 = std::round(start[1] + delta[1] * leave);
    *x1 = std::round(start[0] + delta[0] * enter);
    *y1 = std::round(start[1] + delta[1] * enter);
    return true;
}

// Lines this long are cut to the clip rectangle before they are walked.
constexpr int64_t kLongLine = 1 << 16;

}  // namespace

void GDL_clearDevice() {
    GDL_Surface* surface = GdlCurrent();
    if (surface == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return;
    }
    // The whole surface, whatever the clip rectangle.
    for (int32_t y = 0; y <= surface->maxY; ++y) {
        std::memset(PixelAt(surface, 0, y), 0, static_cast<size_t>(surface->maxX + 1));
    }
}

void GDL_fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    GDL_Surface* surface = GdlCurrent();
    if (surface == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return;
    }
    FillClipped(surface, left, top, right, bottom, GdlColor());
}

void GDL_drawRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    GDL_Surface* surface = GdlCurrent();
    if (surface == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return;
    }
    if (right <= left || bottom <= top) {
        return;
    }
    const int64_t l = left, t = top, r = right, b = bottom;
    const uint8_t value = GdlColor();
    FillClipped(surface, l, t, r, t + 1, value);
    FillClipped(surface, l, b - 1, r, b, value);
    FillClipped(surface, l, t, l + 1, b, value);
    FillClipped(surface, r - 1, t, r, b, value);
}

void GDL_line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    GDL_Surface* surface = GdlCurrent();
    if (surface == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return;
    }
    int64_t ax = x1, ay = y1, bx = x2, by = y2;
    if (std::llabs(bx - ax) > kLongLine || std::llabs(by - ay) > kLongLine) {
        double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
        if (!ClipLine(surface, &fx1, &fy1, &fx2, &fy2)) {
            return;
        }
        ax = static_cast<int64_t>(fx1), ay = static_cast<int64_t>(fy1);
        bx = static_cast<int64_t>(fx2), by = static_cast<int64_t>(fy2);
    }
    // Bresenham, both ends drawn.
    const int64_t dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
    const int64_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    int64_t error = dx + dy;
    const uint8_t value = GdlColor();
    for (;;) {
        PlotClipped(surface, ax, ay, value);
        if (ax == bx && ay == by) {
            break;
        }
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            ax += sx;
        }
        if (twice <= dx) {
            error += dx;
            ay += sy;
        }
    }
}

void GDL_bitBlt(GDL_Surface* destination, GDL_Surface* source, int32_t left, int32_t top,
                int32_t right, int32_t bottom, int32_t destinationX, int32_t destinationY,
                int32_t operation) {
    if (BadPair(destination, source)) {
        return;
    }
    Copy copy;
    if (!ClipCopy(destination, source, left, top, right, bottom, destinationX, destinationY,
                  &copy)) {
        return;
    }
    const SourceRows rows = ReadSource(destination, source, copy);
    const auto width = static_cast<size_t>(copy.width);
    if (destination->isDisplay) {
        GdlCountDisplayCopy(copy.width * copy.height);
    }
    for (int64_t y = 0; y < copy.height; ++y) {
        const uint8_t* from = rows.first + y * rows.pitch;
        uint8_t* to = PixelAt(destination, copy.dstX, copy.dstY + y);
        switch (operation) {
            case kOpAnd:
                for (size_t x = 0; x < width; ++x) {
                    to[x] &= from[x];
                }
                break;
            case kOpOr:
                for (size_t x = 0; x < width; ++x) {
                    to[x] |= from[x];
                }
                break;
            case kOpXor:
                for (size_t x = 0; x < width; ++x) {
                    to[x] ^= from[x];
                }
                break;
            case kOpReplace:
            default:
                std::memcpy(to, from, width);
                break;
        }
    }
}

void GDL_transBlt(GDL_Surface* destination, GDL_Surface* source, int32_t left, int32_t top,
                  int32_t right, int32_t bottom, int32_t destinationX, int32_t destinationY,
                  uint32_t transparent, int32_t sourceTransparent) {
    if (BadPair(destination, source)) {
        return;
    }
    Copy copy;
    if (!ClipCopy(destination, source, left, top, right, bottom, destinationX, destinationY,
                  &copy)) {
        return;
    }
    const SourceRows rows = ReadSource(destination, source, copy);
    const auto key = static_cast<uint8_t>(transparent);
    for (int64_t y = 0; y < copy.height; ++y) {
        const uint8_t* from = rows.first + y * rows.pitch;
        uint8_t* to = PixelAt(destination, copy.dstX, copy.dstY + y);
        for (int64_t x = 0; x < copy.width; ++x) {
            // Source keying skips the key colour in the source; otherwise the
            // key marks the destination pixels that may be painted over.
            if (sourceTransparent != 0 ? from[x] != key : to[x] == key) {
                to[x] = from[x];
            }
        }
    }
}

int32_t GDL_saveAreaSize(GDL_Surface* surface, int32_t left, int32_t top, int32_t right,
                         int32_t bottom) {
    if (surface == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return 0;
    }
    const int64_t l = std::max(left, 0), t = std::max(top, 0);
    const int64_t r = std::min(right, surface->maxX + 1), b = std::min(bottom, surface->maxY + 1);
    const int64_t area = (r > l && b > t) ? (r - l) * (b - t) : 0;
    return static_cast<int32_t>(kAreaHeader + area);
}

void GDL_saveArea(GDL_Surface* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  void* buffer) {
    if (surface == nullptr || buffer == nullptr) {
        GdlSetResult(GDL_ERR_BAD_ARGUMENT);
        return;
    }
    // Only what lies on the surface is kept.
    const int32_t l = std::max(left, 0), t = std::max(top, 0);
    const int32_t r = std::max(l, std::min(right, surface->maxX + 1));
    const int32_t b = std::max(t, std::min(bottom, surface->maxY + 1));
    const int32_t header[4] = {l, t, r - l, b - t};
    auto* bytes = static_cast<uint8_t*>(buffer);
    std::memcpy(bytes, header, kAreaHeader);
    bytes += kAreaHeader;
    for (int32_t y = t; y < b; ++y) {
        std::memcpy(bytes, PixelAt(surface, l, y), static_cast<size_t>(r - l));
        bytes += r - l;
    }
}

void GDL_restoreArea(GDL_Surface* surface, const void* buffer) {
    if (surface == nullptr || buffer == nullptr) {
        GdlSetResult(GDL_ERR_BAD_ARGUMENT);
        return;
    }
    int32_t header[4];
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    std::memcpy(header, bytes, kAreaHeader);
    bytes += kAreaHeader;
    const int32_t left = header[0], top = header[1], width = header[2], height = header[3];
    if (width <= 0 || height <= 0 || left < 0 || top < 0) {
        return;
    }
    // The surface may be smaller than the one saved from: put back what fits.
    const int32_t fitWidth = std::min(width, surface->maxX + 1 - left);
    const int32_t fitHeight = std::min(height, surface->maxY + 1 - top);
    for (int32_t y = 0; y < fitHeight && fitWidth > 0; ++y) {
        std::memcpy(PixelAt(surface, left, top + y), bytes + static_cast<int64_t>(y) * width,
                    static_cast<size_t>(fitWidth));
    }
}
