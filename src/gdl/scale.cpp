// The window's scaling arithmetic: whole-number window sizes, the 4:3 picture
// inside a resized window, and pointer positions between the two.
#include <algorithm>
#include <cstdint>

#include "gdl/gdl_host.h"
#include "gdl/gdl_internal.h"

int32_t GDL_windowScale(int32_t desktopWidth, int32_t desktopHeight) {
    return std::max(1, std::min(desktopWidth / kGdlWidth, desktopHeight / kGdlHeight));
}

GDL_Rect GDL_pictureViewport(int32_t windowWidth, int32_t windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return {0, 0, 0, 0};
    }
    const int64_t w = windowWidth, h = windowHeight;
    int64_t width = w, height = h;
    if (w * kGdlHeight > h * kGdlWidth) {
        width = h * kGdlWidth / kGdlHeight;  // wider than 4:3: bars left and right
    } else {
        height = w * kGdlHeight / kGdlWidth;  // taller: bars above and below
    }
    const int64_t left = (w - width) / 2, top = (h - height) / 2;
    return {static_cast<int32_t>(left), static_cast<int32_t>(top),
            static_cast<int32_t>(left + width), static_cast<int32_t>(top + height)};
}

void GDL_windowToPicture(int32_t windowWidth, int32_t windowHeight, int32_t windowX,
                         int32_t windowY, int32_t* x, int32_t* y) {
    const GDL_Rect view = GDL_pictureViewport(windowWidth, windowHeight);
    const int64_t width = view.right - view.left, height = view.bottom - view.top;
    int64_t px = 0, py = 0;
    if (width > 0 && height > 0) {
        // Floor division, so the bars left of and above the picture land on 0.
        const int64_t dx = static_cast<int64_t>(windowX) - view.left;
        const int64_t dy = static_cast<int64_t>(windowY) - view.top;
        px = dx >= 0 ? dx * kGdlWidth / width : -1;
        py = dy >= 0 ? dy * kGdlHeight / height : -1;
    }
    *x = static_cast<int32_t>(std::clamp<int64_t>(px, 0, kGdlWidth - 1));
    *y = static_cast<int32_t>(std::clamp<int64_t>(py, 0, kGdlHeight - 1));
}

namespace {

// The middle window pixel of those that map back to picture pixel `p`
// (spanning `span` window pixels for `size` picture pixels).
int64_t MiddleOf(int64_t p, int64_t span, int64_t size) {
    const int64_t first = (p * span + size - 1) / size;           // ceil(p * span / size)
    const int64_t last = ((p + 1) * span + size - 1) / size - 1;  // ceil((p + 1) * span / size) - 1
    return (first + std::max(first, last)) / 2;
}

}  // namespace

void GDL_pictureToWindow(int32_t windowWidth, int32_t windowHeight, int32_t x, int32_t y,
                         int32_t* windowX, int32_t* windowY) {
    const GDL_Rect view = GDL_pictureViewport(windowWidth, windowHeight);
    const int64_t px = std::clamp(x, 0, kGdlWidth - 1), py = std::clamp(y, 0, kGdlHeight - 1);
    *windowX = static_cast<int32_t>(view.left + MiddleOf(px, view.right - view.left, kGdlWidth));
    *windowY = static_cast<int32_t>(view.top + MiddleOf(py, view.bottom - view.top, kGdlHeight));
}
