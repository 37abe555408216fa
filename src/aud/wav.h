#pragma once
// Wave file images: reading the header of a PCM image and converting its frames
// to the mixer's format. Internal to the sound library.
#include <cstdint>
#include <vector>

// What a wave image holds, with `data` pointing into the image.
struct WavInfo {
    uint16_t channels = 0;       // 1 or 2
    uint16_t bitsPerSample = 0;  // 8 (unsigned) or 16 (signed)
    uint32_t rate = 0;           // frames per second
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;  // whole frames only
};

// Limits of what an image may state.
constexpr uint32_t kWavMinRate = 1000;
constexpr uint32_t kWavMaxRate = 192000;

// The longest sound the mixer holds: 2^26 frames (50 minutes at 22050 Hz).
constexpr uint64_t kMaxMixFrames = uint64_t{1} << 26;

// Reads a RIFF WAVE image of `size` bytes. Returns true and fills *info for PCM
// of 8 or 16 bits, mono or stereo, kWavMinRate to kWavMaxRate; false with the
// reason in *error otherwise. Never reads outside the image.
bool ParseWav(const uint8_t* image, uint32_t size, WavInfo* info, const char** error);

// Converts PCM frames (`channels`, `bitsPerSample`, played at `rate`) into
// signed 16-bit mono at `outRate` with SDL's converter, replacing *out. False
// (with *error) when SDL refuses or the result would be longer than
// kMaxMixFrames.
bool ConvertPcm(const uint8_t* data, uint32_t size, uint16_t channels, uint16_t bitsPerSample,
                uint32_t rate, uint32_t outRate, std::vector<int16_t>* out, const char** error);
