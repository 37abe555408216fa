// The pointer drawn by the windowing system: the game's 8-bit shape through a
// palette, index 0 clear, each pixel grown to the window's whole scale.
#include <algorithm>
#include <vector>

#include "gdl/gdl_internal.h"

namespace {

// The shape as the game gave it, kept to be made again at another scale.
struct Shape {
    std::vector<uint8_t> pixels;  // packed, width bytes a row
    int32_t width = 0, height = 0;
    GDL_PaletteEntry palette[256] = {};
    int32_t hotX = 0, hotY = 0;
};

bool haveShape = false;
Shape shape;
GDL_CursorImage taken;  // what the windowing system shows (headless: keeps)
bool haveTaken = false;
bool shown = false;          // the windowing system shows `taken`
bool headlessTakes = false;  // tests: headless acts as if a window took the shape

void FreeCursor() {
    if (shown) {
        GdlWindowFreeCursor();
        shown = false;
    }
}

// Makes the kept shape at `scale` and hands it over. False when refused.
bool Take(int32_t scale) {
    taken = GDL_makeCursorImage(shape.pixels.data(), shape.width, shape.height, shape.width,
                                shape.palette, shape.hotX, shape.hotY, scale);
    haveTaken = true;
    if (GdlWindowRenderer() == GDL_Renderer::None) {
        // Headless there is no windowing system to draw it: the game's own
        // pointer stays, so captures look as they always did.
        return headlessTakes;
    }
    if (!GdlWindowShowCursor(taken)) {
        return false;
    }
    shown = true;
    return true;
}

}  // namespace

GDL_CursorImage GDL_makeCursorImage(const uint8_t* pixels, int32_t width, int32_t height,
                                    int32_t pitch, const GDL_PaletteEntry* palette, int32_t offsetX,
                                    int32_t offsetY, int32_t scale) {
    GDL_CursorImage image;
    scale = std::clamp(scale, 1, 8);
    if (pixels == nullptr || palette == nullptr || width <= 0 || height <= 0 || pitch < width) {
        return image;
    }
    image.width = width * scale;
    image.height = height * scale;
    // The game draws the shape at the pointer plus its offset: the hot spot is
    // where the pointer falls inside the picture, kept inside it.
    image.hotX = std::clamp(-offsetX, 0, width - 1) * scale;
    image.hotY = std::clamp(-offsetY, 0, height - 1) * scale;
    image.argb.assign(static_cast<size_t>(image.width) * image.height, 0);
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y / scale) * pitch;
        uint32_t* out = image.argb.data() + static_cast<size_t>(y) * image.width;
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t index = row[x / scale];
            if (index != 0) {
                const GDL_PaletteEntry& colour = palette[index];
                out[x] = 0xFF000000u | (static_cast<uint32_t>(colour.red) << 16) |
                         (static_cast<uint32_t>(colour.green) << 8) | colour.blue;
            }
        }
    }
    return image;
}

bool GDL_setHardwareCursor(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                           const GDL_PaletteEntry* palette, int32_t offsetX, int32_t offsetY) {
    if (pixels == nullptr || palette == nullptr || width <= 0 || height <= 0 || pitch < width) {
        return false;
    }
    shape.width = width;
    shape.height = height;
    shape.pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        std::copy_n(pixels + static_cast<size_t>(y) * pitch, width,
                    shape.pixels.begin() + static_cast<size_t>(y) * width);
    }
    std::copy_n(palette, 256, shape.palette);
    shape.hotX = offsetX;
    shape.hotY = offsetY;
    haveShape = true;
    return Take(std::max(GdlWindowWholeScale(), 1));
}

const GDL_CursorImage* GDL_hardwareCursor() {
    return haveTaken ? &taken : nullptr;
}

void GdlCursorRescale() {
    if (haveShape && shown && GdlWindowWholeScale() * shape.width != taken.width) {
        Take(std::max(GdlWindowWholeScale(), 1));
    }
}

void GDL_setHeadlessCursorTaken(bool taken) {
    headlessTakes = taken;
}

void GdlResetCursor() {
    FreeCursor();
    headlessTakes = false;
    haveShape = false;
    haveTaken = false;
    taken = GDL_CursorImage{};
    shape = Shape{};
}
