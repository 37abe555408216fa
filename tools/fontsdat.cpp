#include "fontsdat.h"

#include <cstdio>

namespace {

void Put16(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

bool Valid(const FontData& font) {
    if (font.height <= 0 || font.height > 65535 || font.rowPixels <= 0 ||
        font.rowPixels % 16 != 0 || font.rowPixels / 2 > 65535 ||
        font.pixels.size() != static_cast<size_t>(font.rowPixels) * font.height) {
        return false;
    }
    for (int ch = 0; ch < kFontDatChars; ch++) {
        if (font.offsets[ch] > font.rowPixels ||
            (ch > 0 && font.offsets[ch] < font.offsets[ch - 1])) {
            return false;
        }
    }
    for (uint8_t p : font.pixels) {
        if (p > 15) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteFontsDat(const std::string& path, const std::vector<FontData>& fonts) {
    std::vector<uint8_t> out;
    Put16(out, static_cast<int>(fonts.size()));
    out.resize(516, 0);
    for (size_t f = 0; f < fonts.size(); f++) {
        const FontData& font = fonts[f];
        if (!Valid(font)) {
            std::fprintf(stderr, "%s: font %zu does not fit the format\n", path.c_str(), f);
            return false;
        }
        size_t start = out.size();
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<uint8_t>((kFontSignature >> shift) & 0xFF));
        }
        out.resize(start + 24, 0);
        Put16(out, font.rowPixels / 2);
        Put16(out, font.height);
        out.resize(start + 37, 0);
        out.push_back(static_cast<uint8_t>(f));  // byte 37: nothing reads it; the font's number
        for (uint16_t v : font.offsets) {
            Put16(out, v);
        }
        for (uint16_t v : font.advances) {
            Put16(out, v);
        }
        for (const Rgb& c : font.colours) {
            out.insert(out.end(), {c.b, c.g, c.r, 0});
        }
        // Two pixels a byte, the left one in the high four bits.
        for (size_t i = 0; i < font.pixels.size(); i += 2) {
            out.push_back(static_cast<uint8_t>(font.pixels[i] << 4 | font.pixels[i + 1]));
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}
