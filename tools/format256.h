#pragma once
// Writer of the game's .256 picture files: a 776-byte header with the palette,
// then one 16-byte record header and the pixels per graphic, raw or run-length
// encoded.
#include <cstdint>
#include <string>
#include <vector>

#include "palette.h"

// One 8-bit graphic; 0 is transparent. The offsets are added to the position
// the game draws it at (a pointer's hot spot is minus its offset).
struct Picture {
    int width = 0;
    int height = 0;
    int xoff = 0;
    int yoff = 0;
    std::vector<uint8_t> pixels;  // width * height, rows top to bottom
};

// Run-length encodes one picture row by row: runs are 0xC0 | count with the
// value after; a literal below 0xC0 stands for itself. Runs never cross rows.
std::vector<uint8_t> EncodeRle(const Picture& picture);

// Writes a bank; `rle` picks the encoded form. Returns false (with a message on
// stderr) when the file cannot be written or a picture does not fit the format.
bool WriteBank(const std::string& path, const Palette& palette,
               const std::vector<Picture>& pictures, bool rle);

// Writes a 640 by 480 background: one raw record.
bool WriteBackground(const std::string& path, const Palette& palette, const Picture& picture);
