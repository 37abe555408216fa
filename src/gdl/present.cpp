// What the window backend needs to present cheaply: which parts of the
// picture changed since it was last shown, and those parts scaled sharp into
// the window's pixels. Presenting costs what changed, not the whole frame.
#include <algorithm>
#include <cstring>

#include "gdl/gdl_internal.h"

namespace {

// Rows left alone between two changes before they count as separate bands:
// fewer separate bands would each cost a call to the window system.
constexpr int32_t kBandGap = 16;

// Within a band the rows are looked at in cells of 16 pixels; changes more
// than kCellGap unchanged cells apart go to the window as separate
// rectangles, so a duck on the left and the clock on the right do not make
// the whole width between them repainted.
constexpr int32_t kCellWidth = 16;
constexpr int32_t kCells = kGdlWidth / kCellWidth;
constexpr int32_t kCellGap = 3;
static_assert(kGdlWidth % kCellWidth == 0);

// The changes of the band being gathered, bounded cell by cell.
struct Band {
    bool open = false;
    int32_t lastRow = 0;
    GDL_Rect cells[kCells] = {};  // empty while right == left
};

bool Empty(const GDL_Rect& rect) {
    return rect.right <= rect.left;
}

void Grow(GDL_Rect& rect, const GDL_Rect& more) {
    if (Empty(rect)) {
        rect = more;
        return;
    }
    rect.left = std::min(rect.left, more.left);
    rect.top = std::min(rect.top, more.top);
    rect.right = std::max(rect.right, more.right);
    rect.bottom = std::max(rect.bottom, more.bottom);
}

// The first and one past the last differing column of one cell; false when
// the cell is the same.
bool CellChanged(const uint8_t* was, const uint8_t* now, int32_t* left, int32_t* right) {
    uint64_t a[2], b[2];
    std::memcpy(a, was, sizeof a);
    std::memcpy(b, now, sizeof b);
    if (a[0] == b[0] && a[1] == b[1]) {
        return false;
    }
    int32_t first = 0, last = kCellWidth;
    while (was[first] == now[first]) {
        ++first;
    }
    while (was[last - 1] == now[last - 1]) {
        --last;
    }
    *left = first;
    *right = last;
    return true;
}

// Ends the band: a rectangle for each run of changed cells close enough
// together. Once the rectangles run out, the last one grows over the rest.
int32_t CloseBand(Band& band, GDL_Rect* changes, int32_t count) {
    for (int32_t c = 0; c < kCells;) {
        if (Empty(band.cells[c])) {
            ++c;
            continue;
        }
        GDL_Rect run = band.cells[c];
        int32_t last = c;
        for (int32_t next = c + 1; next < kCells && next - last <= kCellGap; ++next) {
            if (!Empty(band.cells[next])) {
                Grow(run, band.cells[next]);
                last = next;
            }
        }
        c = last + 1;
        if (count < kGdlMaxChanges) {
            changes[count++] = run;
        } else {
            Grow(changes[count - 1], run);
        }
    }
    band = Band{};
    return count;
}

// Window pixels [first, end) along one axis show picture pixels [from, to)
// when `size` picture pixels span `span` window pixels: window pixel w shows
// picture pixel w * size / span, as GDL_windowToPicture maps it back.
void SpanOf(int32_t from, int32_t to, int32_t span, int32_t size, int32_t* first, int32_t* end) {
    *first = static_cast<int32_t>((static_cast<int64_t>(from) * span + size - 1) / size);
    *end = static_cast<int32_t>((static_cast<int64_t>(to) * span + size - 1) / size);
}

}  // namespace

int32_t GdlTakeChanges(uint8_t* shown, const uint8_t* picture, int32_t bytesPerLine,
                       GDL_Rect* changes) {
    int32_t count = 0;
    Band band;
    for (int32_t y = 0; y < kGdlHeight; ++y) {
        uint8_t* was = shown + static_cast<size_t>(y) * kGdlWidth;
        const uint8_t* now = picture + static_cast<size_t>(y) * bytesPerLine;
        if (std::memcmp(was, now, kGdlWidth) == 0) {
            continue;
        }
        if (band.open && y - band.lastRow > kBandGap) {
            count = CloseBand(band, changes, count);
        }
        band.open = true;
        band.lastRow = y;
        for (int32_t c = 0; c < kCells; ++c) {
            const int32_t x = c * kCellWidth;
            int32_t left = 0, right = 0;
            if (CellChanged(was + x, now + x, &left, &right)) {
                std::memcpy(was + x, now + x, kCellWidth);
                Grow(band.cells[c], {x + left, y, x + right, y + 1});
            }
        }
    }
    if (band.open) {
        count = CloseBand(band, changes, count);
    }
    return count;
}

GDL_Rect GdlScaledRect(const GDL_Rect& view, const GDL_Rect& rect) {
    int32_t left, right, top, bottom;
    SpanOf(rect.left, rect.right, view.right - view.left, kGdlWidth, &left, &right);
    SpanOf(rect.top, rect.bottom, view.bottom - view.top, kGdlHeight, &top, &bottom);
    return {view.left + left, view.top + top, view.left + right, view.top + bottom};
}

namespace {

// One picture row through `colours`, each pixel `kScale` times: the window's
// row at a whole scale, four bytes a pixel.
template <int kScale>
void ExpandRow(const uint8_t* from, int32_t count, const uint32_t* colours, uint32_t* out) {
    for (int32_t x = 0; x < count; ++x) {
        const uint32_t colour = colours[from[x]];
        for (int k = 0; k < kScale; ++k) {
            out[x * kScale + k] = colour;
        }
    }
}

// A whole scale (the window at its own size): each changed picture row is
// converted and widened once, and the copies below it are plain copies.
void ScaleWhole(const uint8_t* shown, const uint32_t* colours, int32_t scale, const GDL_Rect& rect,
                uint8_t* target, int32_t pitch) {
    const int32_t count = rect.right - rect.left;
    const size_t rowBytes = static_cast<size_t>(count) * scale * 4;
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        uint8_t* row = target + static_cast<size_t>(y - rect.top) * scale * pitch;
        const uint8_t* from = shown + static_cast<size_t>(y) * kGdlWidth + rect.left;
        auto* out = reinterpret_cast<uint32_t*>(row);
        switch (scale) {
            case 1:
                ExpandRow<1>(from, count, colours, out);
                break;
            case 2:
                ExpandRow<2>(from, count, colours, out);
                break;
            case 3:
                ExpandRow<3>(from, count, colours, out);
                break;
            case 4:
                ExpandRow<4>(from, count, colours, out);
                break;
            default:
                for (int32_t x = 0; x < count; ++x) {
                    std::fill_n(out + static_cast<size_t>(x) * scale, scale, colours[from[x]]);
                }
                break;
        }
        for (int32_t k = 1; k < scale; ++k) {
            std::memcpy(row + static_cast<size_t>(k) * pitch, row, rowBytes);
        }
    }
}

}  // namespace

void GdlScalePicture(const uint8_t* shown, const uint32_t* colours, const GDL_Rect& view,
                     const GDL_Rect& rect, uint8_t* target, int32_t pitch, int32_t bytesPerPixel) {
    const int32_t width = view.right - view.left, height = view.bottom - view.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    const int32_t scale = width / kGdlWidth;
    if (bytesPerPixel == 4 && scale >= 1 && width == scale * kGdlWidth &&
        height == scale * kGdlHeight) {
        ScaleWhole(shown, colours, scale, rect, target, pitch);
        return;
    }
    int32_t left, right, top, bottom;
    SpanOf(rect.left, rect.right, width, kGdlWidth, &left, &right);
    SpanOf(rect.top, rect.bottom, height, kGdlHeight, &top, &bottom);
    const size_t rowBytes = static_cast<size_t>(right - left) * bytesPerPixel;
    // The picture column of the span's first window column, and how far past
    // it that window column lies, in 1/width steps: stepping without dividing.
    const int64_t start = static_cast<int64_t>(left) * kGdlWidth;
    const int32_t firstColumn = static_cast<int32_t>(start / width);
    const int32_t firstRemainder = static_cast<int32_t>(start % width);
    int32_t shownRow = -1;
    uint8_t* previous = nullptr;
    for (int32_t wy = top; wy < bottom; ++wy) {
        uint8_t* out = target + static_cast<size_t>(wy - top) * pitch;
        const int32_t y = static_cast<int32_t>(static_cast<int64_t>(wy) * kGdlHeight / height);
        if (y == shownRow) {
            std::memcpy(out, previous, rowBytes);  // the same picture row again
            continue;
        }
        const uint8_t* from = shown + static_cast<size_t>(y) * kGdlWidth;
        int32_t x = firstColumn, remainder = firstRemainder;
        if (bytesPerPixel == 4) {
            auto* pixel = reinterpret_cast<uint32_t*>(out);
            for (int32_t wx = left; wx < right; ++wx) {
                *pixel++ = colours[from[x]];
                remainder += kGdlWidth;
                while (remainder >= width) {
                    remainder -= width;
                    ++x;
                }
            }
        } else {
            uint8_t* pixel = out;
            for (int32_t wx = left; wx < right; ++wx) {
                std::memcpy(pixel, &colours[from[x]], static_cast<size_t>(bytesPerPixel));
                pixel += bytesPerPixel;
                remainder += kGdlWidth;
                while (remainder >= width) {
                    remainder -= width;
                    ++x;
                }
            }
        }
        shownRow = y;
        previous = out;
    }
}
