#pragma once
#include <cstdint>

struct GDL_Surface;

// Colour fonts from "fonts.dat" (up to 16 colours a glyph, matched to the
// palette once at load) and the built-in 8x16 one-colour font.

constexpr int kFontSlots = 16;
constexpr int kMaxDrawFont = 10;   // drawing takes font numbers 0 to 10
constexpr int kRemappedFonts = 6;  // colour matching covers fonts 0 to 5
constexpr int kFontChars = 129;    // offsets and advances for characters 0 to 128

struct ColorFont {
    uint16_t rowPixels;             // pixels per bitmap row: twice the file's bytes per row
    uint16_t height;                // rows of every glyph
    uint8_t byte37;                 // kept from the record; nothing reads it
    uint8_t colours[16][3];         // blue, green, red; entry 0 black
    uint16_t offsets[kFontChars];   // column where each glyph starts
    uint16_t widths[kFontChars];    // columns of each glyph (0 for 128)
    uint16_t advances[kFontChars];  // pen movement after each character
    uint8_t* bitmap;                // rowPixels x height, colour numbers then palette indices
};

// Loads dataDir + name. Returns 1, or 0 with an "ERROR" log line; fonts loaded
// before a failing one stay loaded (and are not colour-matched).
uint32_t LoadFonts(const char* name);

// Turns the colour numbers of fonts 0 to 5 into the nearest entries of backgroundPalette.
void RemapFonts();

// The first entry 1 to 255 of a 768-byte red, green, blue palette close to the
// colour, widening the tolerance step by step (lighter side first); 255 when none is.
uint8_t FindColor(const uint8_t* palette, int red, int green, int blue);

// Draws onto textTarget with the top-left of the first glyph cell at (x, y),
// clipped to the surface.
void DrawFontText(int font, int x, int y, const char* text);
void DrawFontTextf(int font, int x, int y, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// Sum of the advances of the text's characters; 0 for an empty slot or no text.
int32_t FontTextWidth(int font, const char* text);

// The font in a slot, or null.
const ColorFont* GetFont(int font);

void FreeFont(int font);
void FreeFonts();

// The built-in font: select it (n is not used), choose its colour, draw with it
// (clipped to the surface).
void SelectTextFont(int n);
void SetTextColor(int colour);
void DrawText(int x, int y, const char* text, GDL_Surface* surface);

// The on-screen trace line, while the Debug setting is on: a dark bar across the
// top of the display with the text.
void StatusPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Frees every font and puts the text colour back to 3.
void ResetFonts();
