#include "support/font_file.h"

#include <algorithm>

#include "engine/test_banks.h"

using test_banks::PutU16;

TestFont SimpleTestFont() {
    TestFont font;
    const int rowPixels = 2 * font.bytesPerRow;
    for (int ch = 0; ch < 129; ++ch) {
        font.offsets[ch] = static_cast<uint16_t>(std::clamp(2 * (ch - 'A'), 0, rowPixels));
        font.advances[ch] = 3;
    }
    for (int j = 0; j < 16; ++j) {
        font.colours[j][0] = static_cast<uint8_t>(16 * j);
        font.colours[j][1] = static_cast<uint8_t>(8 * j);
        font.colours[j][2] = static_cast<uint8_t>(4 * j);
    }
    font.pixels.assign(static_cast<size_t>(rowPixels) * font.height, 0);
    for (int x = 0; x < rowPixels; ++x) {
        font.pixels[x] = static_cast<uint8_t>(x % 15 + 1);
        font.pixels[(font.height - 1) * rowPixels + x] = static_cast<uint8_t>(15 - x % 15);
    }
    return font;
}

std::string FontFileBytes(const std::vector<TestFont>& fonts, int16_t count) {
    std::string out;
    PutU16(out, static_cast<uint16_t>(count));
    out.append(514, '\x77');
    for (const TestFont& font : fonts) {
        test_banks::PutU32(out, font.signature);
        out.append(20, '\x11');
        PutU16(out, font.bytesPerRow);
        PutU16(out, font.height);
        out.append(9, '\x22');
        out.push_back(static_cast<char>(font.byte37));
        for (uint16_t offset : font.offsets) {
            PutU16(out, offset);
        }
        for (uint16_t advance : font.advances) {
            PutU16(out, advance);
        }
        for (const auto& colour : font.colours) {
            out.push_back(static_cast<char>(colour[2]));
            out.push_back(static_cast<char>(colour[1]));
            out.push_back(static_cast<char>(colour[0]));
            out.push_back('\x33');
        }
        for (size_t i = 0; i + 1 < font.pixels.size(); i += 2) {
            out.push_back(
                static_cast<char>((font.pixels[i] & 0x0F) << 4 | (font.pixels[i + 1] & 0x0F)));
        }
    }
    return out;
}

std::string FontFileBytes(const std::vector<TestFont>& fonts) {
    return FontFileBytes(fonts, static_cast<int16_t>(fonts.size()));
}
