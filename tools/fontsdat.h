#pragma once
// Writer of fonts.dat: a count, 514 unused bytes, then one record per font with
// its glyph strip stored at 4 bits a pixel.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "palette.h"

constexpr int kFontDatChars = 129;  // offsets and advances for characters 0 to 128
constexpr uint32_t kFontSignature = 0x14643;

struct FontData {
    int height = 0;
    int rowPixels = 0;  // a multiple of 16, so that the bytes per row are a multiple of 8
    std::array<uint16_t, kFontDatChars> offsets{};   // glyph start columns; [128] ends glyph 127
    std::array<uint16_t, kFontDatChars> advances{};  // pen movement per character
    std::array<Rgb, 16> colours{};                   // colour 0 is transparent
    std::vector<uint8_t> pixels;                     // rowPixels * height colour numbers 0 to 15
};

// Writes the fonts in order; false (with a message on stderr) when a font does
// not fit the format or the file cannot be written.
bool WriteFontsDat(const std::string& path, const std::vector<FontData>& fonts);
