// Captures of what the display shows, raw or as a paletted PNG file, for
// tests and for looking at headless runs (the encoder is in png.cpp).
#include <cstdio>
#include <cstring>

#include "gdl/gdl_host.h"
#include "gdl/gdl_internal.h"

bool GDL_captureDisplay(GDL_Capture* capture) {
    const GDL_Surface* display = GdlDisplay();
    if (capture == nullptr || display == nullptr) {
        return false;
    }
    capture->indices.resize(static_cast<size_t>(kGdlWidth) * kGdlHeight);
    for (int32_t y = 0; y < kGdlHeight; ++y) {
        std::memcpy(capture->indices.data() + static_cast<size_t>(y) * kGdlWidth,
                    display->pixels + static_cast<size_t>(y) * display->bytesPerLine, kGdlWidth);
    }
    std::memcpy(capture->palette, GdlShownPalette(), sizeof(capture->palette));
    return true;
}

bool GDL_saveDisplayPng(const char* path) {
    GDL_Capture capture;
    std::vector<uint8_t> png;
    if (path == nullptr || !GDL_captureDisplay(&capture) || !GDL_encodePng(capture, &png)) {
        return false;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
