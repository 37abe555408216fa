#pragma once
#include <cstring>
#include <vector>

#include "gdl/gdl.h"
#include "support/temp_dir.h"

inline uint8_t& Pixel(GDL_Surface* surface, int x, int y) {
    return surface->pixels[static_cast<size_t>(y) * static_cast<size_t>(surface->bytesPerLine) +
                           static_cast<size_t>(x)];
}

inline void Fill(GDL_Surface* surface, uint8_t value) {
    for (int y = 0; y <= surface->maxY; ++y) {
        std::memset(&Pixel(surface, 0, y), value, static_cast<size_t>(surface->maxX) + 1);
    }
}

// Pixels other than 0 in columns left to right - 1 of rows top to bottom - 1.
inline int Drawn(GDL_Surface* surface, int left = 0, int top = 0, int right = 640,
                 int bottom = 480) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += Pixel(surface, x, y) != 0;
        }
    }
    return count;
}

// The 640 by 480 pixels of a page, rows packed.
inline std::vector<uint8_t> Snapshot(GDL_Surface* surface) {
    std::vector<uint8_t> pixels(640 * 480);
    for (int y = 0; y < 480; ++y) {
        std::memcpy(pixels.data() + y * 640, &Pixel(surface, 0, y), 640);
    }
    return pixels;
}

// A scratch test on the headless display: the display library and the pages
// start from nothing, the application instance is handed over, and all of it
// is taken down again afterwards. Tests bring the display up themselves
// (GraphicsInit) when they need it.
class DisplayTest : public ScratchTest {
protected:
    void SetUp() override;
    void TearDown() override;
};
