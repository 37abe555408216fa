// Renders the built-in 8x16 font from an outline font into a C++ table: each
// glyph one-bit, left-aligned into the columns its width allows, on a baseline
// at row 12. Usage: make_builtin_font FONT.ttf OUT.cpp
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/builtin_font.h"

namespace {

constexpr int kBaseline = 12;
constexpr int kPixelSize = 13;

bool BitAt(const FT_Bitmap& bitmap, int x, int y) {
    const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
    return (row[x >> 3] & (0x80 >> (x & 7))) != 0;
}

// One glyph's 16 row bytes; false when the font cannot render it.
bool RenderGlyph(FT_Face face, int ch, uint8_t rows[kBuiltinHeight]) {
    std::memset(rows, 0, kBuiltinHeight);
    if (ch == ' ' || ch == 127) {
        return true;  // blank; 127 has no printable shape
    }
    if (FT_Load_Char(face, static_cast<FT_ULong>(ch),
                     FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int inkWidth = static_cast<int>(bitmap.width);
    // Leave one column of space on the right; centre the ink in the rest.
    const int room = BuiltinCharWidth(ch) - 1;
    const int left = std::max(0, (room - inkWidth) / 2);
    const int top = kBaseline - slot->bitmap_top;
    for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
        const int row = top + y;
        if (row < 0 || row >= kBuiltinHeight) {
            continue;
        }
        for (int x = 0; x < inkWidth && left + x < room; ++x) {
            if (BitAt(bitmap, x, y)) {
                rows[row] |= static_cast<uint8_t>(0x80 >> (left + x));
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FONT.ttf OUT.cpp\n", argv[0]);
        return 2;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[1], 0, &face) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, kPixelSize) != 0) {
        std::fprintf(stderr, "%s: cannot use font %s\n", argv[0], argv[1]);
        return 1;
    }
    FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    std::fprintf(out,
                 "// Made by tools/builtin_font/make_builtin_font from an open font; do not edit.\n"
                 "#include \"engine/builtin_font.h\"\n\n"
                 "const uint8_t kBuiltinGlyphs[kBuiltinGlyphCount][kBuiltinHeight] = {\n");
    int status = 0;
    for (int i = 0; i < kBuiltinGlyphCount; ++i) {
        const int ch = kBuiltinFirstChar + i;
        uint8_t rows[kBuiltinHeight];
        if (!RenderGlyph(face, ch, rows)) {
            std::fprintf(stderr, "%s: no glyph for character %d\n", argv[0], ch);
            status = 1;
        }
        std::fprintf(out, "    {");
        for (int r = 0; r < kBuiltinHeight; ++r) {
            std::fprintf(out, "0x%02X%s", rows[r], r + 1 < kBuiltinHeight ? ", " : "");
        }
        std::fprintf(out, "},  // %d\n", ch);
    }
    std::fprintf(out, "};\n");
    std::fclose(out);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return status;
}
