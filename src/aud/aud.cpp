// The sound library over SDL2 audio: handles, the mixer, the device or the
// virtual output of the headless backend, and the end notices.
#include "aud/aud.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "aud/wav.h"
#include "sys/backend.h"
#include "sys/clock.h"
#include "sys/replay.h"

namespace {

struct SampleRec {
    bool allocated = false;
    uint32_t status = AUD_SMP_DONE;
    std::vector<int16_t> mix;     // signed 16-bit mono at the output rate
    std::vector<uint8_t> source;  // the image's own frames, for a change of rate
    uint16_t sourceChannels = 0;
    uint16_t sourceBits = 0;
    int32_t playbackRate = 0;
    size_t position = 0;  // next frame of `mix`
    int32_t loopCount = 1;
    int32_t playsLeft = 1;
    int32_t volume = 127;
    int32_t gain = 100;  // percent, over the volume: the player's sound or music level
    AudEobCallback callback = nullptr;
    bool endPending = false;  // played out; the callback is still to be called
};

enum class Output { None, Device, Virtual };

constexpr int32_t kMaxVolume = 127;
constexpr int32_t kFullScale = kMaxVolume * kMaxVolume;
constexpr AudDriver kTheDriver = 1;
constexpr int kChunkFrames = 256;
// The most virtual time one catch-up mixes; a jump of the clock beyond it is
// skipped rather than mixed.
constexpr uint64_t kMaxCatchUpMs = 60000;

bool started = false;
std::array<int32_t, AUD_PREFERENCE_COUNT> preferences{};
Output output = Output::None;
SDL_AudioDeviceID device = 0;
bool viaAudioInit = false;  // the fallback opened SDL's audio with SDL_AudioInit
std::string defaultDriverTried;
uint32_t outRate = 22050;
uint16_t outBits = 16;
int32_t masterVolume = kMaxVolume;
std::array<SampleRec, AUD_MAX_SAMPLES> samples;
std::atomic<bool> anyPending{false};
bool delivering = false;
// The device rests (is paused) while nothing plays: the audio thread counts
// the whole buffers of silence it handed over since the last start, and the
// main thread, which alone starts sounds, pauses and wakes the device. SDL's
// audio thread still runs a paused device, once a buffer, so a longer rest
// closes it (`device` 0 while `output` is the device) and the next start
// opens it again.
std::atomic<uint32_t> quietBuffers{0};
bool resting = false;
std::chrono::steady_clock::time_point restSince;
bool reopenFailed = false;  // told once; every later start tries again
// Closing waits for SDL's audio thread and lets the stream drain (on a
// PulseAudio null sink up to two seconds), so it is done on a thread of its
// own, which the library waits for only as it shuts down; the next start
// opens a new device meanwhile.
std::atomic<int> closing{0};
AudLogger logger = nullptr;
std::string lastError;

// The virtual output's account of time.
bool haveNow = false;
uint32_t lastNow = 0;
uint64_t elapsedMs = 0;
uint64_t mixedFrames = 0;
bool keepMixed = false;
std::vector<uint8_t> kept;

void SetError(const char* format, ...) __attribute__((format(printf, 1, 2)));
void SetError(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    lastError = text;
}

// The audio thread mixes under SDL's device lock; the main thread takes it
// before touching anything the mixer reads. A closed device has no thread.
// A start that opens the device again locks the new one (see Reopen), which
// the Unlock that follows releases.
void Lock() {
    if (output == Output::Device && device != 0) {
        SDL_LockAudioDevice(device);
    }
}

void Unlock() {
    if (output == Output::Device && device != 0) {
        SDL_UnlockAudioDevice(device);
    }
}

// A line for the game's log, or standard error when none is set.
void Tell(const std::string& text) {
    if (logger != nullptr) {
        logger(text.c_str());
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

SampleRec* Find(AudSample sample) {
    if (sample < 1 || sample > AUD_MAX_SAMPLES || !samples[sample - 1].allocated) {
        return nullptr;
    }
    return &samples[sample - 1];
}

int BytesPerFrame() {
    return outBits / 8;
}

void ReachedEnd(SampleRec& s) {
    if (s.loopCount == 0 || --s.playsLeft > 0) {
        s.position = 0;
        return;
    }
    s.status = AUD_SMP_DONE;
    s.endPending = true;
    anyPending = true;
}

// Mixes `frames` frames of every playing sample into `out` in the output's
// format. Runs on the audio thread with the lock held, or on the main thread.
void MixFrames(uint8_t* out, int frames) {
    int32_t acc[kChunkFrames];
    while (frames > 0) {
        int n = std::min(frames, kChunkFrames);
        std::fill(acc, acc + n, 0);
        for (SampleRec& s : samples) {
            int32_t scale = s.volume * masterVolume * s.gain / 100;
            int i = 0;
            while (i < n && s.status == AUD_SMP_PLAYING) {
                if (s.position >= s.mix.size()) {
                    ReachedEnd(s);
                    if (s.mix.empty()) {
                        s.status = AUD_SMP_DONE;
                    }
                    continue;
                }
                size_t take = std::min(static_cast<size_t>(n - i), s.mix.size() - s.position);
                const int16_t* from = s.mix.data() + s.position;
                for (size_t k = 0; k < take; ++k) {
                    acc[i + static_cast<int>(k)] += from[k] * scale / kFullScale;
                }
                i += static_cast<int>(take);
                s.position += take;
                if (s.position >= s.mix.size()) {
                    ReachedEnd(s);
                }
            }
        }
        for (int i = 0; i < n; ++i) {
            int32_t v = std::clamp(acc[i], -32768, 32767);
            if (outBits == 16) {
                out[0] = static_cast<uint8_t>(v & 0xFF);
                out[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
                out += 2;
            } else {
                *out++ = static_cast<uint8_t>((v >> 8) + 128);
            }
        }
        frames -= n;
    }
}

bool AnyPlaying() {
    return std::any_of(samples.begin(), samples.end(),
                       [](const SampleRec& s) { return s.status == AUD_SMP_PLAYING; });
}

void DeviceCallback(void*, Uint8* stream, int len) {
    const bool quiet = !AnyPlaying();
    MixFrames(stream, len / BytesPerFrame());
    if (quiet) {
        quietBuffers.fetch_add(1, std::memory_order_relaxed);
    }
}

SDL_AudioSpec WantedSpec() {
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(outRate);
    want.format = outBits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    want.channels = 1;
    want.samples = AUD_BUFFER_FRAMES;
    want.callback = DeviceCallback;
    return want;
}

// The audio backends beneath SDL (ALSA, JACK and the like) write their own
// complaints straight to standard error while a device is looked for. The
// game says in one line of its own when there is none, so standard error
// points at /dev/null for the length of the search only.
struct QuietStderr {
    int saved = -1;
    QuietStderr() {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~QuietStderr() {
        if (saved >= 0) {
            std::fflush(stderr);
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
};

// While no device is open the clock's time is mixed instead (see CatchUp),
// from the moment it closed.
void MixOnTheClock() {
    haveNow = false;
    elapsedMs = 0;
    mixedFrames = 0;
}

int32_t CloseAfterMs() {
    const int32_t after = preferences[AUD_CLOSE_DEVICE_AFTER];
#if defined(__EMSCRIPTEN__)
    // The page's Web Audio starts only within a click the page itself
    // handles, which the next sound's start is not: the page keeps it open.
    if (after == 0) {
        return -1;
    }
#endif
    return after == 0 ? AUD_CLOSE_AFTER_MS : after;
}

// Pauses the device once it has handed over a whole buffer of silence with
// nothing playing: the end of the last sound is then in the device already.
// A device that rested long enough closes; nothing plays while it rests.
void MaybeRest() {
    if (output != Output::Device || device == 0 || preferences[AUD_KEEP_DEVICE_AWAKE] != 0) {
        return;
    }
    if (!resting) {
        if (quietBuffers.load(std::memory_order_relaxed) == 0) {
            return;
        }
        Lock();
        if (!AnyPlaying()) {
            SDL_PauseAudioDevice(device, 1);
            resting = true;
            restSince = std::chrono::steady_clock::now();
        }
        Unlock();
        return;
    }
    const int32_t after = CloseAfterMs();
    if (after < 0 ||
        std::chrono::steady_clock::now() - restSince < std::chrono::milliseconds(after)) {
        return;
    }
#if defined(__EMSCRIPTEN__)
    SDL_CloseAudioDevice(device);  // the page's device closes at once
#else
    closing.fetch_add(1);
    std::thread([id = device] {
        SDL_CloseAudioDevice(id);
        closing.fetch_sub(1);
    }).detach();
#endif
    device = 0;
    MixOnTheClock();
}

// Opens the closed device again with the same format, from the caller's
// critical section: the new device comes locked and awake, so its first
// buffer begins with what the caller just started. When it cannot be opened,
// the samples play on the clock, silently.
void Reopen() {
    SDL_AudioSpec want = WantedSpec();
    SDL_AudioDeviceID opened = 0;
    {
        const QuietStderr quiet;
        opened = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    }
    if (opened == 0) {
        SetError("the sound device cannot be opened again: %s", SDL_GetError());
        if (!reopenFailed) {
            reopenFailed = true;
            Tell("ERROR: " + lastError +
                 "; the game goes on without sound and tries again at the next sound");
        }
        return;
    }
    SDL_LockAudioDevice(opened);
    device = opened;
    SDL_PauseAudioDevice(device, 0);
    if (reopenFailed) {
        reopenFailed = false;
        Tell("The sound device is open again.");
    }
}

// Called with the lock held, as a sample starts playing: the count of quiet
// buffers starts again and a resting device wakes, a closed one opens. The
// mixer's next buffer begins with the sample's first frame.
void Wake() {
    quietBuffers.store(0, std::memory_order_relaxed);
    if (output != Output::Device) {
        return;
    }
    if (resting && device != 0) {
        SDL_PauseAudioDevice(device, 0);
    }
    resting = false;
    if (device == 0) {
        Reopen();
    }
}

// Headless, or while no device is open: mixes every frame due between the
// last reading of the clock and `now`.
void CatchUp(uint32_t now) {
    if (output != Output::Virtual && !(output == Output::Device && device == 0)) {
        return;
    }
    if (!haveNow) {
        haveNow = true;
        lastNow = now;
        return;
    }
    uint32_t delta = now - lastNow;
    lastNow = now;
    if (delta >= 0x80000000u) {
        delta = 0;  // the clock was set back
    }
    elapsedMs += delta;
    uint64_t target = elapsedMs * outRate / 1000;
    uint64_t frames = std::min(target - mixedFrames, kMaxCatchUpMs * outRate / 1000);
    mixedFrames = target;
    if (!keepMixed && !AnyPlaying()) {
        return;
    }
    uint8_t block[kChunkFrames * 2];
    while (frames > 0) {
        int n = static_cast<int>(std::min<uint64_t>(frames, kChunkFrames));
        MixFrames(block, n);
        if (keepMixed) {
            kept.insert(kept.end(), block, block + n * BytesPerFrame());
        }
        frames -= static_cast<uint64_t>(n);
    }
}

// Calls the end callbacks of samples that played out, on the calling (main)
// thread, one at a time so that a callback that restarts another sample
// cancels that sample's stale notice.
// What the sound library tells the game depends on how far the device has
// played: a replay hands out the answers recorded instead.
uint32_t Answer(ReplayRecord kind, uint32_t live) {
    if (SysReplayPlaying()) {
        uint32_t recorded = live;
        SysReplayTakeValue(kind, &recorded);
        return recorded;
    }
    SysReplayPutValue(kind, live);
    return live;
}

// A replay's end notices come from the tape, at the calls that delivered them.
void DeliverFromTape() {
    Lock();
    for (SampleRec& s : samples) {
        s.endPending = false;
    }
    anyPending = false;
    Unlock();
    delivering = true;
    while (SysReplayNext() == ReplayRecord::SoundEnd) {
        uint32_t handle = 0;
        if (!SysReplayTakeValue(ReplayRecord::SoundEnd, &handle) || handle == 0 ||
            handle > samples.size()) {
            break;
        }
        if (samples[handle - 1].callback != nullptr) {
            samples[handle - 1].callback(static_cast<AudSample>(handle));
        }
    }
    delivering = false;
}

void Deliver() {
    if (SysReplayPlaying() && !delivering) {
        DeliverFromTape();
        return;
    }
    if (delivering || !anyPending.load()) {
        return;
    }
    delivering = true;
    for (;;) {
        AudSample handle = 0;
        AudEobCallback callback = nullptr;
        Lock();
        for (size_t i = 0; i < samples.size(); ++i) {
            if (samples[i].endPending) {
                samples[i].endPending = false;
                handle = static_cast<AudSample>(i + 1);
                callback = samples[i].callback;
                break;
            }
        }
        if (handle == 0) {
            anyPending = false;
        }
        Unlock();
        if (handle == 0) {
            break;
        }
        SysReplayPutValue(ReplayRecord::SoundEnd, handle);
        if (callback != nullptr) {
            callback(handle);
        }
    }
    delivering = false;
}

// What a busy wait polls: one read of the clock, mixing up to it, the end notices.
uint32_t Poll() {
    uint32_t now = SysMilliseconds();
    CatchUp(now);
    Deliver();
    MaybeRest();
    return now;
}

// The display's event calls: mixes up to the present without taking time,
// then delivers.
void PumpListener() {
    CatchUp(SysPeekMilliseconds());
    Deliver();
    MaybeRest();
}

// SDL's default audio driver (which honours SDL_AUDIODRIVER).
bool OpenDefaultDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        SetError("no audio driver: %s", SDL_GetError());
        return false;
    }
    const char* name = SDL_GetCurrentAudioDriver();
    defaultDriverTried = name != nullptr ? name : "";
    SDL_AudioSpec want = WantedSpec();
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0) {
        SetError("%s: %s", defaultDriverTried.c_str(), SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    viaAudioInit = false;
    return true;
}

// The fallback: the first other driver that opens a device. The silent and
// the file-writing drivers would only pretend to play, so they are skipped.
bool OpenFallbackDevice() {
    int count = SDL_GetNumAudioDrivers();
    for (int i = 0; i < count; ++i) {
        const char* name = SDL_GetAudioDriver(i);
        if (name == nullptr || std::strcmp(name, "dummy") == 0 || std::strcmp(name, "disk") == 0 ||
            defaultDriverTried == name) {
            continue;
        }
        if (SDL_AudioInit(name) != 0) {
            SetError("%s: %s", name, SDL_GetError());
            continue;
        }
        SDL_AudioSpec want = WantedSpec();
        device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
        if (device != 0) {
            viaAudioInit = true;
            return true;
        }
        SetError("%s: %s", name, SDL_GetError());
        SDL_AudioQuit();
    }
    if (lastError.empty()) {
        SetError("no fallback audio driver");
    }
    return false;
}

void CloseOutput() {
    while (closing.load() != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (output == Output::Device) {
        if (device != 0) {
            SDL_CloseAudioDevice(device);
        }
        if (viaAudioInit) {
            SDL_AudioQuit();
        } else {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    device = 0;
    output = Output::None;
    resting = false;
    reopenFailed = false;
    quietBuffers = 0;
}

void ResetState() {
    preferences.fill(0);
    defaultDriverTried.clear();
    outRate = 22050;
    outBits = 16;
    masterVolume = kMaxVolume;
    samples.fill(SampleRec{});
    anyPending = false;
    delivering = false;
    quietBuffers = 0;
    resting = false;
    reopenFailed = false;
    logger = nullptr;
    lastError.clear();
    haveNow = false;
    lastNow = 0;
    elapsedMs = 0;
    mixedFrames = 0;
    keepMixed = false;
    kept.clear();
    kept.shrink_to_fit();
}

bool FormatError(const AudWaveFormat& format) {
    if (format.formatTag != 1 || format.channels != 1 ||
        (format.bitsPerSample != 8 && format.bitsPerSample != 16) || format.samplesPerSec < 8000 ||
        format.samplesPerSec > 48000 ||
        format.blockAlign != format.channels * format.bitsPerSample / 8 ||
        format.avgBytesPerSec != format.samplesPerSec * format.blockAlign) {
        SetError("unsupported output format");
        return true;
    }
    return false;
}

}  // namespace

void AUD_startup() {
    if (started) {
        return;
    }
    ResetState();
    started = true;
}

void AUD_shutdown() {
    if (!started) {
        return;
    }
    CloseOutput();
    SysRemovePumpListener(PumpListener);
    ResetState();
    started = false;
}

int32_t AUD_set_preference(uint32_t number, int32_t value) {
    if (number >= AUD_PREFERENCE_COUNT) {
        return 0;
    }
    int32_t former = preferences[number];
    preferences[number] = value;
    return former;
}

int32_t AUD_waveOutOpen(AudDriver* driver, uint32_t deviceId, const AudWaveFormat* format) {
    if (driver != nullptr) {
        *driver = 0;
    }
    if (!started) {
        SetError("the sound library is not started");
        return 1;
    }
    if (driver == nullptr || format == nullptr || FormatError(*format)) {
        if (driver == nullptr || format == nullptr) {
            SetError("no driver or format given");
        }
        return 1;
    }
    if (output != Output::None) {
        SetError("the wave output is already open");
        return 1;
    }
    if (deviceId != 0) {
        SetError("no wave device %u", deviceId);
        return 1;
    }
    outRate = format->samplesPerSec;
    outBits = format->bitsPerSample;
    if (SysHeadless()) {
        output = Output::Virtual;
        haveNow = false;
        elapsedMs = 0;
        mixedFrames = 0;
    } else {
        lastError.clear();
        bool opened = false;
        {
            const QuietStderr quiet;
            opened = preferences[AUD_USE_FALLBACK_DEVICE] != 0 ? OpenFallbackDevice()
                                                               : OpenDefaultDevice();
        }
        if (!opened) {
            return 1;
        }
        output = Output::Device;
        SDL_PauseAudioDevice(device, 0);
    }
    SysAddPumpListener(PumpListener);
    *driver = kTheDriver;
    return 0;
}

const char* AUD_last_error() {
    return lastError.c_str();
}

AudSample AUD_allocate_sample_handle(AudDriver driver) {
    if (output == Output::None || driver != kTheDriver) {
        SetError("no wave output open");
        return 0;
    }
    for (size_t i = 0; i < samples.size(); ++i) {
        if (!samples[i].allocated) {
            Lock();
            samples[i] = SampleRec{};
            samples[i].allocated = true;
            Unlock();
            return static_cast<AudSample>(i + 1);
        }
    }
    SetError("no more sample handles");
    return 0;
}

void AUD_init_sample(AudSample sample) {
    Deliver();
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    SampleRec fresh;
    fresh.allocated = true;
    Lock();
    std::swap(*s, fresh);
    Unlock();
    // The old data is freed here, outside the lock.
}

int32_t AUD_set_sample_file(AudSample sample, const void* image, uint32_t size) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        SetError("bad sample handle");
        return 0;
    }
    WavInfo info;
    const char* error = "";
    std::vector<int16_t> mix;
    std::vector<uint8_t> source;
    bool ok = ParseWav(static_cast<const uint8_t*>(image), size, &info, &error) &&
              ConvertPcm(info.data, info.dataSize, info.channels, info.bitsPerSample, info.rate,
                         outRate, &mix, &error);
    if (ok && mix.empty()) {
        error = "no frames";
        ok = false;
    }
    if (!ok) {
        SetError("refused wave image: %s", error);
        mix.clear();
    } else {
        source.assign(info.data, info.data + info.dataSize);
    }
    Lock();
    s->status = AUD_SMP_DONE;
    s->endPending = false;
    s->position = 0;
    s->mix.swap(mix);
    s->source.swap(source);
    s->sourceChannels = info.channels;
    s->sourceBits = info.bitsPerSample;
    s->playbackRate = static_cast<int32_t>(info.rate);
    Unlock();
    return ok ? 1 : 0;
}

void AUD_start_sample(AudSample sample) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    if (!s->mix.empty()) {
        s->position = 0;
        s->playsLeft = std::max(s->loopCount, 1);
        s->endPending = false;
        s->status = AUD_SMP_PLAYING;
        Wake();
    }
    Unlock();
}

void AUD_stop_sample(AudSample sample) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    if (s->status == AUD_SMP_PLAYING) {
        s->status = AUD_SMP_STOPPED;
    }
    Unlock();
}

void AUD_resume_sample(AudSample sample) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    if (s->status == AUD_SMP_STOPPED) {
        s->status = AUD_SMP_PLAYING;
        Wake();
    }
    Unlock();
}

void AUD_end_sample(AudSample sample) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    s->status = AUD_SMP_DONE;
    s->endPending = false;
    Unlock();
}

void AUD_set_sample_loop_count(AudSample sample, int32_t count) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    s->loopCount = std::max(count, 0);
    s->playsLeft = std::max(count, 1);
    Unlock();
}

AudEobCallback AUD_register_EOB_callback(AudSample sample, AudEobCallback callback) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return nullptr;
    }
    Lock();
    AudEobCallback former = s->callback;
    s->callback = callback;
    Unlock();
    return former;
}

uint32_t AUD_sample_status(AudSample sample) {
    Poll();
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return AUD_SMP_FREE;
    }
    Lock();
    uint32_t status = s->status;
    Unlock();
    return Answer(ReplayRecord::SoundStatus, status);
}

void AUD_set_sample_volume(AudSample sample, int32_t volume) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    s->volume = std::clamp(volume, 0, kMaxVolume);
    Unlock();
}

void AUD_set_sample_gain(AudSample sample, int32_t percent) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return;
    }
    Lock();
    s->gain = std::clamp(percent, 0, 100);
    Unlock();
}

int32_t AUD_sample_volume(AudSample sample) {
    SampleRec* s = Find(sample);
    return s == nullptr ? 0 : s->volume;
}

void AUD_set_digital_master_volume(AudDriver driver, int32_t volume) {
    if (driver != kTheDriver || output == Output::None) {
        return;
    }
    Lock();
    masterVolume = std::clamp(volume, 0, kMaxVolume);
    Unlock();
}

int32_t AUD_digital_master_volume(AudDriver driver) {
    return driver == kTheDriver && output != Output::None ? masterVolume : 0;
}

void AUD_set_sample_playback_rate(AudSample sample, int32_t rate) {
    SampleRec* s = Find(sample);
    if (s == nullptr || s->source.empty()) {
        return;
    }
    uint32_t clamped = static_cast<uint32_t>(std::clamp<int32_t>(
        rate, static_cast<int32_t>(kWavMinRate), static_cast<int32_t>(kWavMaxRate)));
    // Playing the frames at another rate is converting them as if they had been
    // recorded at it.
    std::vector<int16_t> mix;
    const char* error = "";
    if (!ConvertPcm(s->source.data(), static_cast<uint32_t>(s->source.size()), s->sourceChannels,
                    s->sourceBits, clamped, outRate, &mix, &error) ||
        mix.empty()) {
        SetError("cannot change the rate: %s", error);
        return;
    }
    Lock();
    size_t oldSize = s->mix.size();
    s->position =
        oldSize == 0 ? 0 : static_cast<size_t>(uint64_t{s->position} * mix.size() / oldSize);
    s->mix.swap(mix);
    s->playbackRate = static_cast<int32_t>(clamped);
    Unlock();
}

int32_t AUD_sample_playback_rate(AudSample sample) {
    SampleRec* s = Find(sample);
    return s == nullptr ? 0 : s->playbackRate;
}

uint32_t AUD_sample_ms_left(AudSample sample) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return 0;
    }
    Lock();
    uint64_t frames = 0;
    if (s->status == AUD_SMP_PLAYING && s->loopCount != 0 && s->position < s->mix.size()) {
        frames = s->mix.size() - s->position +
                 uint64_t{s->mix.size()} * static_cast<uint64_t>(std::max(s->playsLeft - 1, 0));
    }
    Unlock();
    // Rounded up: waking a millisecond early would find it still playing.
    return Answer(ReplayRecord::SoundLeft,
                  static_cast<uint32_t>((frames * 1000 + outRate - 1) / outRate));
}

uint32_t AUD_sample_position(AudSample sample) {
    SampleRec* s = Find(sample);
    if (s == nullptr) {
        return 0;
    }
    Lock();
    uint32_t bytes = 0;
    if (!s->mix.empty()) {
        uint32_t blockAlign = s->sourceChannels * s->sourceBits / 8u;
        uint64_t frames = s->source.size() / blockAlign;
        bytes = static_cast<uint32_t>(uint64_t{s->position} * frames / s->mix.size() * blockAlign);
    }
    Unlock();
    return bytes;
}

uint32_t AUD_ms_count() {
    return Poll();
}

bool AUD_device_resting() {
    return resting;
}

bool AUD_device_closed() {
    return output == Output::Device && device == 0;
}

void AUD_set_logger(AudLogger to) {
    logger = to;
}

void AUD_keep_mixed(bool on) {
    keepMixed = on;
    if (!on) {
        kept.clear();
    }
}

std::vector<uint8_t> AUD_take_mixed() {
    std::vector<uint8_t> out;
    out.swap(kept);
    return out;
}
