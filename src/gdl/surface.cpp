// Display and memory surfaces, the current surface and colour, clip rectangles.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdl/gdl.h"
#include "gdl/gdl_internal.h"

namespace {

// Every live surface, so GDL_exit can free them and bad pointers are refused.
std::vector<GDL_Surface*> surfaces;
GDL_Surface* current = nullptr;
GDL_Surface* display = nullptr;
uint8_t color = 0;
int64_t displayBytesCopied = 0;

// Side of a memory surface beyond which we refuse (keeps sizes in 32 bits).
constexpr int32_t kMaxSide = 16384;

GDL_Surface* NewSurface(int32_t width, int32_t height, bool isDisplay) {
    auto* surface = static_cast<GDL_Surface*>(std::calloc(1, sizeof(GDL_Surface)));
    auto* pixels = static_cast<uint8_t*>(
        std::calloc(static_cast<size_t>(width) * static_cast<size_t>(height), 1));
    if (surface == nullptr || pixels == nullptr) {
        std::free(surface);
        std::free(pixels);
        GdlSetResult(GDL_ERR_NO_MEMORY);
        return nullptr;
    }
    surface->pixels = pixels;
    surface->bytesPerLine = width;
    surface->maxX = width - 1;
    surface->maxY = height - 1;
    surface->bitsPerPixel = 8;
    // Every surface starts with the palette the display shows.
    std::memcpy(surface->palette, GdlShownPalette(), sizeof(surface->palette));
    surface->clipLeft = 0;
    surface->clipTop = 0;
    surface->clipRight = width;
    surface->clipBottom = height;
    surface->isDisplay = isDisplay;
    surfaces.push_back(surface);
    return surface;
}

void FreeSurface(GDL_Surface* surface) {
    if (surface == current) {
        current = nullptr;
    }
    if (surface == display) {
        display = nullptr;
    }
    std::free(surface->pixels);
    std::free(surface);
}

}  // namespace

GDL_Surface* GdlCurrent() {
    return current;
}
GDL_Surface* GdlDisplay() {
    return display;
}
uint8_t GdlColor() {
    return color;
}

bool GdlKnownSurface(const GDL_Surface* surface) {
    return surface != nullptr &&
           std::find(surfaces.begin(), surfaces.end(), surface) != surfaces.end();
}

void GdlDestroyAllSurfaces() {
    for (GDL_Surface* surface : surfaces) {
        FreeSurface(surface);
    }
    surfaces.clear();
    current = nullptr;
    display = nullptr;
}

void GdlResetSurfaces() {
    GdlDestroyAllSurfaces();
    color = 0;
    displayBytesCopied = 0;
}

void GdlCountDisplayCopy(int64_t bytes) {
    displayBytesCopied += bytes;
}

int64_t GDL_displayBytesCopied() {
    return displayBytesCopied;
}

GDL_Surface* GDL_createDisplaySurface(int32_t extraPages) {
    (void)extraPages;  // no page flipping: the game never asks for pages
    if (!GdlInitialized()) {
        GdlSetResult(GDL_ERR_NOT_INITIALIZED);
        return nullptr;
    }
    if (display != nullptr) {
        return display;
    }
    if (GdlFailHere(GDL_FailPoint::DisplaySurface)) {
        GdlSetResult(GDL_ERR_NO_MEMORY);
        return nullptr;
    }
    display = NewSurface(kGdlWidth, kGdlHeight, true);
    return display;
}

GDL_Surface* GDL_createMemorySurface(int32_t width, int32_t height, int32_t bitsPerPixel,
                                     const GDL_PixelFormat* format) {
    (void)format;  // only 8-bit surfaces, which need no format
    if (bitsPerPixel != 8) {
        GdlSetResult(GDL_ERR_BAD_MODE);
        return nullptr;
    }
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        GdlSetResult(GDL_ERR_BAD_ARGUMENT);
        return nullptr;
    }
    if (GdlFailHere(GDL_FailPoint::MemorySurface)) {
        GdlSetResult(GDL_ERR_NO_MEMORY);
        return nullptr;
    }
    return NewSurface(width, height, false);
}

int32_t GDL_destroySurface(GDL_Surface* surface) {
    auto found = std::find(surfaces.begin(), surfaces.end(), surface);
    if (surface == nullptr || found == surfaces.end()) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return 0;
    }
    surfaces.erase(found);
    FreeSurface(surface);
    return 1;
}

GDL_Surface* GDL_makeCurrent(GDL_Surface* surface) {
    GDL_Surface* previous = current;
    current = surface;
    return previous;
}

void GDL_setClipRect(GDL_Surface* surface, int32_t left, int32_t top, int32_t right,
                     int32_t bottom) {
    if (surface == nullptr) {
        GdlSetResult(GDL_ERR_BAD_SURFACE);
        return;
    }
    // Kept inside the surface, so drawing never needs to check twice.
    surface->clipLeft = std::clamp(left, 0, surface->maxX + 1);
    surface->clipTop = std::clamp(top, 0, surface->maxY + 1);
    surface->clipRight = std::clamp(right, surface->clipLeft, surface->maxX + 1);
    surface->clipBottom = std::clamp(bottom, surface->clipTop, surface->maxY + 1);
}

void GDL_getPixelFormat(GDL_Surface* surface, GDL_PixelFormat* format) {
    if (format == nullptr) {
        return;
    }
    format->bitsPerPixel = surface != nullptr ? surface->bitsPerPixel : 8;
}

void GDL_setColor(uint32_t colour) {
    color = static_cast<uint8_t>(colour);
}
