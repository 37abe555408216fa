#include "engine/blit.h"

#include <algorithm>
#include <cstring>

#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "platform/graphics.h"

namespace {

// The part of the screen a surface really has: a smaller surface clips sooner.
int ClipRight(const GDL_Surface* surface) {
    return std::min(kScreenWidth, surface->maxX + 1);
}

int ClipBottom(const GDL_Surface* surface) {
    return std::min(kScreenHeight, surface->maxY + 1);
}

bool Drawable(const GDL_Surface* surface) {
    return surface != nullptr && surface->pixels != nullptr;
}

// A slot the blitters can read: pixels present and no wider than lineBuffer
// holds (the loader guarantees it; this keeps a hand-filled slot harmless).
const GraphicSlot* Usable(int32_t num) {
    const GraphicSlot& slot = Graphic[static_cast<size_t>(num)];
    if (slot.data == nullptr || slot.width <= 0 || slot.height <= 0 || slot.width > kScreenWidth) {
        return nullptr;
    }
    return &slot;
}

// The depth map, or null (logged) when it is missing or not screen-sized.
const uint8_t* DepthMap(const char* missing, const char* caller) {
    const GraphicSlot& map = Graphic[kDepthMapSlot];
    if (map.data == nullptr) {
        LogPrintf("%s", missing);
        return nullptr;
    }
    if (map.width != kScreenWidth || map.height < kScreenHeight) {
        LogPrintf("ERROR: %s: z_map is %dx%d, not 640x480", caller, map.width, map.height);
        return nullptr;
    }
    return map.data;
}

// Float to int by truncation toward zero, held inside the int range.
int Trunc(float value) {
    if (!(value > -2147483648.0f)) {
        return value != value ? 0 : INT32_MIN;
    }
    if (value >= 2147483648.0f) {
        return INT32_MAX;
    }
    return static_cast<int>(value);
}

enum class Test { kTransparent, kDepth, kShadow };

// Placement and clipping shared by BlitGraphic, BlitGraphicLayer and BlitShadow.
template <Test test>
void BlitUnscaled(const GraphicSlot& g, int32_t x, int32_t y, GDL_Surface* surface,
                  const uint8_t* depth, int32_t layer, uint8_t colour) {
    const int w = g.width;
    const int h = g.height;
    int64_t left = int64_t{x} + g.xoff;
    const int64_t top = int64_t{y} + g.yoff;
    if (left + w < 0 || top + h < 0 || left >= kScreenWidth || top >= kScreenHeight) {
        return;
    }
    int skip = 0;
    int64_t visible = w;
    if (left < 0) {
        visible = w + left;
        skip = static_cast<int>(-left);
        left = 0;
    }
    visible = std::min<int64_t>(visible, ClipRight(surface) - left);
    const int64_t firstRow = top < 0 ? -top : 0;
    const int64_t endRow = std::min<int64_t>(h, ClipBottom(surface) - top);
    if (visible <= 0) {
        return;
    }
    const auto count = static_cast<size_t>(visible);
    for (int64_t r = firstRow; r < endRow; ++r) {
        std::memcpy(lineBuffer.data(), g.data + r * w + skip, count);
        const int64_t row = top + r;
        uint8_t* out = surface->pixels + row * surface->bytesPerLine + left;
        const uint8_t* in = lineBuffer.data();
        if constexpr (test == Test::kTransparent) {
            for (size_t c = 0; c < count; ++c) {
                if (in[c] != 0) {
                    out[c] = in[c];
                }
            }
        } else if constexpr (test == Test::kDepth) {
            const uint8_t* z = depth + row * kScreenWidth + left;
            for (size_t c = 0; c < count; ++c) {
                if (in[c] != 0 && z[c] < layer) {
                    out[c] = in[c];
                }
            }
        } else {
            for (size_t c = 0; c < count; ++c) {
                if (in[c] != 0) {
                    out[c] = colour;
                }
            }
        }
    }
}

// The scaled draw behind ScaleGraphic and BlitDecoy. Every float is 32 bits and
// the running sums decide which source rows and columns show, so the look of
// shrinking birds depends on this exact arithmetic.
void ScaleCore(const GraphicSlot& g, int32_t xIn, int32_t yIn, int32_t layer, int32_t percent,
               bool mirror, GDL_Surface* surface, const uint8_t* depth) {
    if (percent <= 0) {
        return;  // no size at all, and the left clip would divide by it
    }
    const int w = g.width;
    const int h = g.height;
    float sw = static_cast<float>(int64_t{percent} * w) / 100.0f;
    const float sh = static_cast<float>(int64_t{percent} * h) / 100.0f;
    const float xstep = static_cast<float>(w) / sw;
    const float ystep = static_cast<float>(h) / sh;

    int64_t y = yIn + int64_t{g.yoff} * percent / 100;
    int64_t x = xIn;
    if (mirror) {
        x -= int64_t{percent} * (w + g.xoff) / 100;
    } else {
        x += int64_t{g.xoff} * percent / 100;
    }
    if (x + Trunc(sw) < 0 || y + Trunc(sh) < 0 || x >= kScreenWidth || y >= kScreenHeight) {
        return;
    }
    int64_t skip = 0;
    if (x < 0) {
        sw = sw + static_cast<float>(x);
        skip = -(x * 100 / percent);
        x = 0;
    }
    const int right = ClipRight(surface);
    const int bottom = ClipBottom(surface);
    // Columns past the screen edge neither draw nor advance fx.
    const int64_t columns = std::min<int64_t>(Trunc(sw), right - x);
    const int64_t pitch = surface->bytesPerLine;

    int64_t row = y;
    float fy = 0.0f;
    for (int r = 0; r < h; ++r) {
        if (Trunc(fy) != r) {
            continue;  // a dropped row: no need to fetch it
        }
        const uint8_t* source = g.data + static_cast<ptrdiff_t>(r) * w;
        if (mirror) {
            std::reverse_copy(source, source + w, lineBuffer.data());  // pixel i lands at w - 1 - i
        } else {
            std::memcpy(lineBuffer.data(), source, static_cast<size_t>(w));
        }
        while (Trunc(fy) == r) {
            if (row >= bottom) {
                return;  // the rest lies below the screen
            }
            if (row >= 0) {
                uint8_t* out = surface->pixels + row * pitch + x;
                const uint8_t* z = depth + row * kScreenWidth + x;
                float fx = 0.0f;
                for (int64_t col = 0; col < columns; ++col) {
                    if (z[col] < layer) {
                        // Float sums can creep past the row's last pixel at
                        // extreme sizes; what lies beyond is not this graphic.
                        const int64_t at = skip + Trunc(fx);
                        if (at >= w) {
                            break;
                        }
                        const uint8_t pixel = lineBuffer[static_cast<size_t>(at)];
                        if (pixel != 0) {
                            out[col] = pixel;
                        }
                    }
                    fx = fx + xstep;
                }
            }
            fy = fy + ystep;
            ++row;
        }
    }
}

// The rectangle SaveImage and RestoreImage move, after their adjustments and
// cut to the surface. False when nothing is left.
bool ImageRect(const GDL_Surface* surface, int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
    x = std::max(x, 0);
    y = std::max(y, 0);
    // 479 and 639, not 480 and 640: the last row and column are never moved.
    if (int64_t{y} + h > kScreenHeight - 1) {
        h = kScreenHeight - 1 - y;
    }
    if (int64_t{x} + w > kScreenWidth - 1) {
        w = kScreenWidth - 1 - x;
    }
    // Only a surface smaller than the screen cuts further.
    w = std::min(w, surface->maxX + 1 - x);
    h = std::min(h, surface->maxY + 1 - y);
    return w > 0 && h > 0;
}

}  // namespace

void BlitGraphic(int32_t num, int32_t x, int32_t y, GDL_Surface* surface) {
    if (num > maxGraphic || num < 0) {
        LogPrintf("BlitGraphic: num=%d exceeds maximum", num);
        return;
    }
    const GraphicSlot* g = Usable(num);
    if (g == nullptr || !Drawable(surface)) {
        return;
    }
    BlitUnscaled<Test::kTransparent>(*g, x, y, surface, nullptr, 0, 0);
}

void BlitGraphic2(int32_t num, int32_t x, int32_t y, int32_t rows, GDL_Surface* surface) {
    if (num > maxGraphic || num < 0) {
        LogPrintf("BlitGraphic2: num=%d exceeds maximum", num);
        return;
    }
    const GraphicSlot* g = Usable(num);
    if (g == nullptr || !Drawable(surface)) {
        return;
    }
    // Clipped like the others, though the game's callers stay inside the page.
    const int w = g->width;
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + w, ClipRight(surface));
    if (left >= right) {
        return;
    }
    const int64_t skip = left - x;
    const int64_t endRow =
        std::min<int64_t>(std::min<int32_t>(rows, g->height), int64_t{ClipBottom(surface)} - y);
    for (int64_t r = std::max<int64_t>(0, -int64_t{y}); r < endRow; ++r) {
        std::memcpy(lineBuffer.data(), g->data + r * w, static_cast<size_t>(w));
        std::memcpy(surface->pixels + (y + r) * surface->bytesPerLine + left,
                    lineBuffer.data() + skip, static_cast<size_t>(right - left));
    }
}

void BlitGraphicLayer(int32_t num, int32_t x, int32_t y, int32_t layer) {
    if (num > maxGraphic || num < 0) {
        LogPrintf("BlitGraphicLayer: num=%d exceeds maximum", num);
        return;
    }
    const uint8_t* depth = DepthMap("BlitGraphicLayer: z_map = NULL", "BlitGraphicLayer");
    if (depth == nullptr) {
        return;
    }
    const GraphicSlot* g = Usable(num);
    if (g == nullptr) {
        LogPrintf("BlitGraphicLayer: Graphic[%d].data = NULL", num);
        return;
    }
    if (!Drawable(backPage)) {
        return;
    }
    BlitUnscaled<Test::kDepth>(*g, x, y, backPage, depth, layer, 0);
}

void BlitShadow(int32_t num, int32_t x, int32_t y, uint8_t colour, GDL_Surface* surface) {
    if (num > maxGraphic || num < 0) {
        LogPrintf("BlitShadow: num=%d exceeds maximum", num);
        return;
    }
    const GraphicSlot* g = Usable(num);
    if (g == nullptr) {
        LogPrintf("BlitShadow: Graphic[%d].data = NULL", num);
        return;
    }
    if (!Drawable(surface)) {
        return;
    }
    BlitUnscaled<Test::kShadow>(*g, x, y, surface, nullptr, 0, colour);
}

void ScaleGraphic(int32_t num, int32_t x, int32_t y, int32_t layer, int32_t percent,
                  int32_t mirror) {
    if (percent < 5) {
        return;
    }
    if (num > maxGraphic || num < 0) {
        LogPrintf("ScaleGraphic: num=%d", num);
        return;
    }
    const GraphicSlot* g = Usable(num);
    if (g == nullptr) {
        LogPrintf("ShowGraphic: graphic %d = NULL!", num);
        return;
    }
    const uint8_t* depth = DepthMap("ScaleGraphic: z_map = NULL", "ScaleGraphic");
    if (depth == nullptr || !Drawable(backPage)) {
        return;
    }
    ScaleCore(*g, x, y, layer, percent, mirror != 0, backPage, depth);
}

void BlitDecoy(int32_t num, int32_t x, int32_t y, int32_t percent) {
    // The decoys come from fixed slots; a wrong number must still not read
    // outside the table.
    if (num > maxGraphic || num < 0) {
        LogPrintf("ERROR: BlitDecoy: num=%d", num);
        return;
    }
    const GraphicSlot* g = Usable(num);
    if (g == nullptr) {
        LogPrintf("BlitDecoy: graphic %d = NULL!", num);
        return;
    }
    const uint8_t* depth = DepthMap("BlitDecoy:layer_map = NULL", "BlitDecoy");
    if (depth == nullptr || !Drawable(workPage)) {
        return;
    }
    ScaleCore(*g, x, y, 100, percent, false, workPage, depth);
}

void SaveImage(GDL_Surface* surface, uint8_t* buffer, int32_t x, int32_t y, int32_t w, int32_t h) {
    Trace("SaveImage(%d,%d,%d,%d)", x, y, w, h);
    if (!Drawable(surface) || buffer == nullptr || !ImageRect(surface, x, y, w, h)) {
        return;
    }
    for (int32_t r = 0; r < h; ++r) {
        std::memcpy(buffer + static_cast<ptrdiff_t>(r) * w,
                    surface->pixels + static_cast<ptrdiff_t>(y + r) * surface->bytesPerLine + x,
                    static_cast<size_t>(w));
    }
}

void RestoreImage(const uint8_t* buffer, GDL_Surface* surface, int32_t x, int32_t y, int32_t w,
                  int32_t h) {
    Trace("RestoreImage(%d,%d,%d,%d)", x, y, w, h);
    if (!Drawable(surface) || buffer == nullptr || !ImageRect(surface, x, y, w, h)) {
        return;
    }
    for (int32_t r = 0; r < h; ++r) {
        std::memcpy(surface->pixels + static_cast<ptrdiff_t>(y + r) * surface->bytesPerLine + x,
                    buffer + static_cast<ptrdiff_t>(r) * w, static_cast<size_t>(w));
    }
}
