#include "engine/draw.h"

#include "gdl/gdl.h"
#include "platform/graphics.h"

namespace {

constexpr uint32_t kLightEdge = 255;
constexpr uint32_t kDarkEdge = 254;

}  // namespace

uint32_t PointInRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t px,
                     int32_t py) {
    return left <= px && px < right && top <= py && py < bottom ? 1 : 0;
}

void DrawBox(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour, int32_t filled) {
    GDL_Surface* previous = GDL_makeCurrent(textTarget);
    GDL_setColor(colour);
    if (filled) {
        GDL_fillRect(x, y, x + w, y + h);
    } else {
        GDL_drawRect(x, y, x + w, y + h);
    }
    GDL_makeCurrent(previous);
}

void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) {
    GDL_setColor(colour);
    GDL_line(x1, y1, x2, y2);
}

void DrawPanel(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    DrawBox(x + 1, y + 1, w - 1, h - 1, colour, 1);
    DrawBox(x + 1, y + 1, w - 1, h - 1, kDarkEdge, 0);
    DrawBox(x, y, w - 1, h - 1, kLightEdge, 0);
}

void ClearDisplay() {
    GDL_Surface* previous = GDL_makeCurrent(displaySurface);
    GDL_setColor(0);
    GDL_clearDevice();
    GDL_makeCurrent(previous);
}

void ClearBackPage() {
    GDL_Surface* previous = GDL_makeCurrent(backPage);
    GDL_setColor(0);
    GDL_fillRect(0, 0, 640, 480);
    GDL_makeCurrent(previous);
}
