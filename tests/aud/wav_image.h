#pragma once
// Builds wave file images, and the sound banks that hold them, for the sound tests.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/test_banks.h"
#include "platform/sound.h"

using test_banks::PutU16;
using test_banks::PutU32;

// A RIFF WAVE image with a format chunk and `data` as its data chunk.
inline std::string WavImage(uint16_t channels, uint16_t bits, uint32_t rate,
                            const std::string& data, uint16_t tag = 1) {
    std::string fmt;
    uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    PutU16(fmt, tag);
    PutU16(fmt, channels);
    PutU32(fmt, rate);
    PutU32(fmt, rate * blockAlign);
    PutU16(fmt, blockAlign);
    PutU16(fmt, bits);
    std::string out = "RIFF";
    PutU32(out, static_cast<uint32_t>(4 + 8 + fmt.size() + 8 + data.size()));
    out += "WAVEfmt ";
    PutU32(out, static_cast<uint32_t>(fmt.size()));
    out += fmt;
    out += "data";
    PutU32(out, static_cast<uint32_t>(data.size()));
    out += data;
    return out;
}

// Signed 16-bit little-endian frames.
inline std::string Pcm16(const std::vector<int16_t>& frames) {
    std::string out;
    for (int16_t v : frames) {
        PutU16(out, static_cast<uint16_t>(v));
    }
    return out;
}

// A 16-bit mono image at 22050 Hz of `count` frames, frame i holding value(i).
template <typename F>
inline std::string MonoWav(int count, F value) {
    std::vector<int16_t> frames;
    for (int i = 0; i < count; ++i) {
        frames.push_back(static_cast<int16_t>(value(i)));
    }
    return WavImage(1, 16, 22050, Pcm16(frames));
}

// Mixed 16-bit output bytes as values.
inline std::vector<int16_t> Samples16(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return out;
}

// A sound bank: count, an unused word, 128 end offsets, the entries.
inline std::string SoundBank(const std::vector<std::string>& entries) {
    std::string out;
    PutU16(out, static_cast<uint16_t>(entries.size()));
    PutU16(out, 0);
    uint32_t end = 0;
    for (size_t i = 0; i < static_cast<size_t>(kBankEntries); ++i) {
        end += i < entries.size() ? static_cast<uint32_t>(entries[i].size()) : 0;
        PutU32(out, i < entries.size() ? end : 0);
    }
    for (const std::string& e : entries) {
        out += e;
    }
    return out;
}
