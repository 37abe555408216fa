// The browser's stand-in for SDL's audio calls (see SDL.h): no device, and
// the one conversion the game's banks need.
#include <SDL.h>

#include <cstring>

namespace {

const char* lastError = "";

}  // namespace

const char* SDL_GetError() {
    return lastError;
}

int SDL_InitSubSystem(uint32_t flags) {
    if ((flags & SDL_INIT_AUDIO) != 0) {
        lastError = "the browser build has no sound output yet";
        return -1;
    }
    return 0;
}

void SDL_QuitSubSystem(uint32_t) {}

const char* SDL_GetCurrentAudioDriver() {
    return "browser";
}

int SDL_GetNumAudioDrivers() {
    return 0;
}

const char* SDL_GetAudioDriver(int) {
    return nullptr;
}

int SDL_AudioInit(const char*) {
    lastError = "the browser build has no sound output yet";
    return -1;
}

void SDL_AudioQuit() {}

SDL_AudioDeviceID SDL_OpenAudioDevice(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int) {
    lastError = "the browser build has no sound output yet";
    return 0;
}

void SDL_CloseAudioDevice(SDL_AudioDeviceID) {}
void SDL_PauseAudioDevice(SDL_AudioDeviceID, int) {}
void SDL_LockAudioDevice(SDL_AudioDeviceID) {}
void SDL_UnlockAudioDevice(SDL_AudioDeviceID) {}

int SDL_BuildAudioCVT(SDL_AudioCVT* cvt, SDL_AudioFormat srcFormat, Uint8 srcChannels, int srcRate,
                      SDL_AudioFormat dstFormat, Uint8 dstChannels, int dstRate) {
    std::memset(cvt, 0, sizeof(*cvt));
    cvt->len_mult = 1;
    cvt->len_ratio = 1.0;
    if (srcChannels != 1 || dstChannels != 1 || srcRate != dstRate || dstFormat != AUDIO_S16SYS ||
        (srcFormat != AUDIO_U8 && srcFormat != AUDIO_S16LSB)) {
        lastError = "the browser build converts only mono sound at the output rate";
        return -1;
    }
    if (srcFormat == AUDIO_S16LSB) {
        return 0;
    }
    cvt->needed = 1;
    cvt->fromU8 = true;
    cvt->len_mult = 2;
    cvt->len_ratio = 2.0;
    return 1;
}

int SDL_ConvertAudio(SDL_AudioCVT* cvt) {
    if (cvt->buf == nullptr || cvt->len < 0) {
        lastError = "no buffer to convert";
        return -1;
    }
    if (!cvt->fromU8) {
        cvt->len_cvt = cvt->len;
        return 0;
    }
    // Backwards, in place: each byte becomes two.
    for (int i = cvt->len - 1; i >= 0; --i) {
        const int value = (static_cast<int>(cvt->buf[i]) - 128) << 8;
        const auto sample = static_cast<uint16_t>(static_cast<int16_t>(value));
        cvt->buf[2 * i] = static_cast<Uint8>(sample & 0xFF);
        cvt->buf[2 * i + 1] = static_cast<Uint8>(sample >> 8);
    }
    cvt->len_cvt = cvt->len * 2;
    return 0;
}
