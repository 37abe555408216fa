#pragma once
// Wave file images as the game's banks hold them: PCM, mono, 22050 Hz, a plain
// 44-byte header (the lip sync reads samples from byte 44), 16-bit signed or
// 8-bit unsigned.
#include <cstdint>
#include <vector>

#include "synth.h"

constexpr uint32_t kWavHeaderSize = 44;

// The image of `samples` (full scale +-1.0, clipped beyond) at 16 or 8 bits.
// Conversion rounds to nearest without dither, so the bytes are always the same.
std::vector<uint8_t> WavImage(const synth::Buffer& samples, int bits);

// One sample converted as WavImage does it.
int16_t To16(float x);
uint8_t To8(float x);
