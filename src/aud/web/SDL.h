#pragma once
// The browser build's answer to the few SDL calls of the sound library
// (aud.cpp, wav.cpp): the same mixer compiles unchanged. Headless (the script
// runner in the page) the mixer runs on the virtual clock as natively; in
// play its device is the page's Web Audio (sdl_audio_web.cpp, web/pre.js).
#include <cstdint>

using Uint8 = uint8_t;
using Uint16 = uint16_t;
using Uint32 = uint32_t;
using SDL_AudioFormat = uint16_t;
using SDL_AudioDeviceID = uint32_t;
using SDL_AudioCallback = void (*)(void* userdata, Uint8* stream, int len);

constexpr uint32_t SDL_INIT_AUDIO = 0x10;
constexpr SDL_AudioFormat AUDIO_U8 = 0x0008;
constexpr SDL_AudioFormat AUDIO_S16LSB = 0x8010;
constexpr SDL_AudioFormat AUDIO_S16SYS = AUDIO_S16LSB;

struct SDL_AudioSpec {
    int freq;
    SDL_AudioFormat format;
    Uint8 channels;
    Uint8 silence;
    Uint16 samples;
    Uint16 padding;
    Uint32 size;
    SDL_AudioCallback callback;
    void* userdata;
};

struct SDL_AudioCVT {
    int needed;
    Uint8* buf;
    int len;
    int len_cvt;
    int len_mult;
    double len_ratio;
    // What the conversion does (only unsigned 8-bit to signed 16-bit, mono,
    // at the same rate: the game's banks need no more).
    bool fromU8;
};

const char* SDL_GetError();
int SDL_InitSubSystem(uint32_t flags);
void SDL_QuitSubSystem(uint32_t flags);
const char* SDL_GetCurrentAudioDriver();
int SDL_GetNumAudioDrivers();
const char* SDL_GetAudioDriver(int index);
int SDL_AudioInit(const char* driver);
void SDL_AudioQuit();
SDL_AudioDeviceID SDL_OpenAudioDevice(const char* device, int capture, const SDL_AudioSpec* want,
                                      SDL_AudioSpec* have, int changes);
void SDL_CloseAudioDevice(SDL_AudioDeviceID device);
void SDL_PauseAudioDevice(SDL_AudioDeviceID device, int pause);
void SDL_LockAudioDevice(SDL_AudioDeviceID device);
void SDL_UnlockAudioDevice(SDL_AudioDeviceID device);
int SDL_BuildAudioCVT(SDL_AudioCVT* cvt, SDL_AudioFormat srcFormat, Uint8 srcChannels, int srcRate,
                      SDL_AudioFormat dstFormat, Uint8 dstChannels, int dstRate);
int SDL_ConvertAudio(SDL_AudioCVT* cvt);
