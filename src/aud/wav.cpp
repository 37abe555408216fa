#include "aud/wav.h"

#include <SDL.h>

#include <cstring>

namespace {

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint32_t kChunkHeader = 8;

}  // namespace

bool ParseWav(const uint8_t* image, uint32_t size, WavInfo* info, const char** error) {
    *info = WavInfo{};
    if (image == nullptr || size < 12 || std::memcmp(image, "RIFF", 4) != 0 ||
        std::memcmp(image + 8, "WAVE", 4) != 0) {
        *error = "not a RIFF WAVE image";
        return false;
    }
    // The RIFF size may understate or overstate the image; the image's own end
    // is the limit either way.
    bool haveFormat = false;
    uint16_t blockAlign = 0;
    uint32_t offset = 12;
    while (size - offset >= kChunkHeader) {
        const uint8_t* chunk = image + offset;
        uint32_t chunkSize = Read32(chunk + 4);
        uint32_t room = size - offset - kChunkHeader;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < 16 || chunkSize > room) {
                *error = "damaged format chunk";
                return false;
            }
            const uint8_t* f = chunk + kChunkHeader;
            uint16_t tag = Read16(f);
            info->channels = Read16(f + 2);
            info->rate = Read32(f + 4);
            blockAlign = Read16(f + 12);
            info->bitsPerSample = Read16(f + 14);
            if (tag != kFormatPcm) {
                *error = "not PCM";
                return false;
            }
            if (info->channels != 1 && info->channels != 2) {
                *error = "neither mono nor stereo";
                return false;
            }
            if (info->bitsPerSample != 8 && info->bitsPerSample != 16) {
                *error = "neither 8 nor 16 bits per sample";
                return false;
            }
            if (info->rate < kWavMinRate || info->rate > kWavMaxRate) {
                *error = "sample rate out of range";
                return false;
            }
            if (blockAlign != info->channels * info->bitsPerSample / 8) {
                *error = "block alignment does not match the format";
                return false;
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) {
                *error = "data before the format chunk";
                return false;
            }
            if (chunkSize > room) {
                *error = "data chunk reaches beyond the image";
                return false;
            }
            info->data = chunk + kChunkHeader;
            info->dataSize = chunkSize - chunkSize % blockAlign;
            return true;
        }
        if (chunkSize > room) {
            break;
        }
        // Chunks are padded to an even size.
        uint64_t next = uint64_t{offset} + kChunkHeader + chunkSize + (chunkSize & 1u);
        if (next > size) {
            break;
        }
        offset = static_cast<uint32_t>(next);
    }
    *error = haveFormat ? "no data chunk" : "no format chunk";
    return false;
}

bool ConvertPcm(const uint8_t* data, uint32_t size, uint16_t channels, uint16_t bitsPerSample,
                uint32_t rate, uint32_t outRate, std::vector<int16_t>* out, const char** error) {
    out->clear();
    uint32_t blockAlign = channels * bitsPerSample / 8u;
    if (blockAlign == 0 || rate == 0 || outRate == 0) {
        *error = "bad conversion format";
        return false;
    }
    uint64_t frames = size / blockAlign;
    if (frames * outRate / rate > kMaxMixFrames || frames * blockAlign > 0x3FFFFFFFu) {
        *error = "sound too long";
        return false;
    }
    if (frames == 0) {
        return true;
    }
    SDL_AudioFormat from = bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioCVT cvt;
    int build = SDL_BuildAudioCVT(&cvt, from, static_cast<Uint8>(channels), static_cast<int>(rate),
                                  AUDIO_S16SYS, 1, static_cast<int>(outRate));
    if (build < 0) {
        *error = SDL_GetError();
        return false;
    }
    const size_t bytes = static_cast<size_t>(frames * blockAlign);
    if (build == 0) {
        // Already signed 16-bit mono at the output rate.
        out->resize(static_cast<size_t>(frames));
        for (size_t i = 0; i < out->size(); ++i) {
            (*out)[i] = static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        }
        return true;
    }
    // SDL converts in place in a buffer len_mult times the input.
    std::vector<int16_t> work((bytes * static_cast<size_t>(cvt.len_mult) + 1) / 2 + 1);
    std::memcpy(work.data(), data, bytes);
    cvt.buf = reinterpret_cast<Uint8*>(work.data());
    cvt.len = static_cast<int>(bytes);
    if (SDL_ConvertAudio(&cvt) != 0) {
        *error = SDL_GetError();
        return false;
    }
    work.resize(static_cast<size_t>(cvt.len_cvt) / sizeof(int16_t));
    out->swap(work);
    return true;
}
