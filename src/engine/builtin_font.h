#pragma once
#include <cstdint>

// The built-in 8 by 16 font: glyphs for characters 32 to 127, one byte per row,
// bit 7 the left-most pixel. The glyph rows are made at build time from an open
// font by tools/builtin_font; the widths are the game's own.
constexpr int kBuiltinFirstChar = 32;
constexpr int kBuiltinGlyphCount = 96;
constexpr int kBuiltinHeight = 16;

extern const uint8_t kBuiltinGlyphs[kBuiltinGlyphCount][kBuiltinHeight];

// How far the pen moves after a character (and how many columns it draws).
constexpr int BuiltinCharWidth(int ch) {
    switch (ch) {
        case '!':
        case '\'':
        case ',':
        case '.':
        case ':':
        case ';':
        case '[':
        case ']':
            return 6;
        case 'I':
        case 'i':
        case 'l':
            return 5;
        case 'j':
            return 7;
        default:
            return 8;
    }
}
