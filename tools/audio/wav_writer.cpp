#include "wav_writer.h"

#include <algorithm>
#include <cmath>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; i++) {
        out.push_back(static_cast<uint8_t>(tag[i]));
    }
}

}  // namespace

// Anything that is not a number is silence.
int16_t To16(float x) {
    if (std::isnan(x)) {
        return 0;
    }
    double v = std::clamp(static_cast<double>(x), -1.0, 1.0) * 32767.0;
    return static_cast<int16_t>(std::lround(v));
}

uint8_t To8(float x) {
    if (std::isnan(x)) {
        return 128;
    }
    double v = std::clamp(static_cast<double>(x), -1.0, 1.0) * 127.0;
    return static_cast<uint8_t>(std::lround(v) + 128);
}

std::vector<uint8_t> WavImage(const synth::Buffer& samples, int bits) {
    const uint32_t bytes = bits == 8 ? 1 : 2;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * bytes;
    std::vector<uint8_t> out;
    out.reserve(kWavHeaderSize + dataSize);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, synth::kRate);
    Put32(out, synth::kRate * bytes);
    Put16(out, bytes);
    Put16(out, bytes * 8);
    PutTag(out, "data");
    Put32(out, dataSize);
    for (float x : samples) {
        if (bytes == 1) {
            out.push_back(To8(x));
        } else {
            Put16(out, static_cast<uint16_t>(To16(x)));
        }
    }
    return out;
}
