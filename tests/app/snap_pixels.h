#pragma once
// The pixels of the script runner's snaps, and where two snaps differ.
#include <png.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// The snap's pixels as red, green, blue; empty when it cannot be read.
inline std::vector<uint8_t> Rgb(const std::string& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
        return {};
    }
    return rgb;
}

// How many pixels of the rectangle differ between two snaps (-1 when either
// is not a whole 640 by 480 picture).
inline int Differ(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int x, int y, int w,
                  int h) {
    if (a.size() != 640u * 480 * 3 || b.size() != a.size()) {
        return -1;
    }
    int n = 0;
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            const size_t at = (static_cast<size_t>(row) * 640 + col) * 3;
            n += std::memcmp(&a[at], &b[at], 3) != 0;
        }
    }
    return n;
}
