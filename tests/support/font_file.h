#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds fonts.dat images for tests, byte by byte as the loader expects them.
struct TestFont {
    uint32_t signature = 0x14643;
    uint16_t bytesPerRow = 8;  // 16 pixels a row
    uint16_t height = 4;
    uint8_t byte37 = 0;
    uint16_t offsets[129] = {};
    uint16_t advances[129] = {};
    uint8_t colours[16][3] = {};  // red, green, blue (stored blue, green, red)
    std::vector<uint8_t> pixels;  // colour numbers 0 to 15, 2 * bytesPerRow per row
};

// A 16 by 4 font: "A" to "H" are glyphs 2 pixels wide side by side, every other
// character has no columns; all advance 3. Row 0 holds colour (column % 15) + 1,
// the last row 15 - column % 15, the rows between are transparent.
TestFont SimpleTestFont();

// The whole file: count, 514 unread bytes, then the records.
std::string FontFileBytes(const std::vector<TestFont>& fonts, int16_t count);
std::string FontFileBytes(const std::vector<TestFont>& fonts);
