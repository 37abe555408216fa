#pragma once
// The one master palette that every picture and font file carries. Entries the
// game's code draws with by number have fixed places; the rest are ramps for
// sky, water, reeds, wood, feathers, skin and metal.
#include <array>
#include <cstdint>

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

using Palette = std::array<Rgb, 256>;

// Entries with a fixed meaning.
constexpr int kTransparent = 0;   // black; see-through in sprites
constexpr int kTextYellow = 3;    // built-in font, before the title
constexpr int kTextCream = 5;     // built-in font, the trace line
constexpr int kRowSelected = 35;  // the chosen roster row
constexpr int kDialogButton = 217;
constexpr int kDialogFrame = 230;
constexpr int kRowPlain = 253;  // the other roster rows
constexpr int kDark = 254;      // shadows, clock hands, panel edges, money box
constexpr int kWhite = 255;

// Steps in each text ramp: colour 1 is the outline, 15 the face of a glyph.
constexpr int kTextRampSteps = 15;

const Palette& MasterPalette();

// Palette indices of the two text ramps, outline first.
const std::array<uint8_t, kTextRampSteps>& CreamTextRamp();
const std::array<uint8_t, kTextRampSteps>& GoldTextRamp();

// Nearest entry 1 to 255 (never 0, so an opaque pixel stays opaque).
uint8_t NearestIndex(int r, int g, int b);
