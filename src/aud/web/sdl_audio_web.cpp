// The browser's stand-in for SDL's audio calls (see SDL.h): the device is
// the page's Web Audio (web/pre.js), which asks for each buffer of sound
// while the game yields; and the one conversion the game's banks need.
#include <SDL.h>
#include <emscripten.h>

#include <cstring>
#include <vector>

namespace {

const char* lastError = "";
SDL_AudioSpec spec{};
bool deviceOpen = false;
bool paused = true;
std::vector<int16_t> block;

// clang-format off
EM_JS(int, WebAudioOpen, (int rate), {
    return Module.openAudio ? Module.openAudio(rate) : 0;
});
EM_JS(void, WebAudioClose, (), {
    if (Module.closeAudio) Module.closeAudio();
});
// clang-format on

}  // namespace

// The page's audio callback: `frames` mono frames of the mix as floats in
// `out`, silence while the device is paused.
extern "C" EMSCRIPTEN_KEEPALIVE void WebAudioFill(float* out, int frames) {
    if (!deviceOpen || paused || spec.callback == nullptr) {
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(frames));
        return;
    }
    block.resize(static_cast<size_t>(frames));
    spec.callback(spec.userdata, reinterpret_cast<Uint8*>(block.data()), frames * 2);
    for (int i = 0; i < frames; ++i) {
        out[i] = block[static_cast<size_t>(i)] / 32768.0f;
    }
}

const char* SDL_GetError() {
    return lastError;
}

int SDL_InitSubSystem(uint32_t) {
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
    lastError = "the page has its one sound output only";
    return -1;
}

void SDL_AudioQuit() {}

SDL_AudioDeviceID SDL_OpenAudioDevice(const char*, int, const SDL_AudioSpec* want,
                                      SDL_AudioSpec* have, int) {
    // Signed 16-bit mono is what the mixer makes for the page.
    if (deviceOpen || want == nullptr || want->channels != 1 || want->format != AUDIO_S16LSB) {
        lastError = "the page plays only one signed 16-bit mono output";
        return 0;
    }
    if (WebAudioOpen(want->freq) == 0) {
        lastError = "the browser gives no Web Audio";
        return 0;
    }
    spec = *want;
    if (have != nullptr) {
        *have = spec;
    }
    deviceOpen = true;
    paused = true;
    return 1;
}

void SDL_CloseAudioDevice(SDL_AudioDeviceID) {
    if (deviceOpen) {
        WebAudioClose();
    }
    deviceOpen = false;
    spec = SDL_AudioSpec{};
}

void SDL_PauseAudioDevice(SDL_AudioDeviceID, int pause) {
    paused = pause != 0;
}
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
