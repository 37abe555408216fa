#include "platform/sound.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "aud/aud.h"
#include "engine/config.h"
#include "engine/files.h"
#include "engine/log.h"
#include "engine/timer.h"
#include "gdl/gdl.h"

namespace {

// Bank header: i16 count, i16 unused, 128 end offsets counted from its end.
constexpr uint32_t kBankHeaderSize = 4 + 4 * kBankEntries;
static_assert(kBankHeaderSize == 516);

constexpr uint32_t kOutputRate = 22050;

uint32_t soundOn = 0;
AudDriver soundDriver = 0;
std::array<AudSample, kMaxChannels> channels{};
int channelCount = 0;
std::array<void*, kSoundCount> soundImage{};
std::array<uint32_t, kSoundCount> soundSize{};
std::array<int, kSoundCount> soundChannel{};  // channel it was last started on, -1 none
// The sound each channel was last given, -1 none: a sound started twice plays
// on two channels, and both must stop before its image goes.
std::array<int, kMaxChannels> channelSound{};
uint32_t musicPlaying = 0;
// The player's levels in percent, and silence while the window is away.
int effectsLevel = 100;
int musicLevel = 100;
bool muted = false;

// Music that could not be loaded this run: the roster asks for its tune at every
// refresh, and one log line says enough.
std::vector<std::string> missingMusic;

bool ValidSound(int n) {
    return n >= 0 && n < kSoundCount;
}

std::string SoundFileName(const char* name) {
    return dataDir + name + (eightBitSound != 0 ? ".8b" : ".16b");
}

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void EndChannel(int c) {
    AUD_stop_sample(channels[c]);
    AUD_end_sample(channels[c]);
    channelSound[c] = -1;
}

// Stops every channel that plays sound n.
void StopChannelsOf(int n) {
    for (int c = 0; c < channelCount; ++c) {
        if (channelSound[c] == n) {
            EndChannel(c);
        }
    }
    soundChannel[n] = -1;
}

void ReleaseImage(int n) {
    if (soundImage[n] == nullptr) {
        return;
    }
    StopChannelsOf(n);
    GDL_free(soundImage[n]);
    soundImage[n] = nullptr;
    soundSize[n] = 0;
}

// End callback of every sound but the music: the sound is no longer on its channel.
int32_t SampleEnded(AudSample handle) {
    for (int c = 0; c < channelCount; ++c) {
        if (channels[c] != handle) {
            continue;
        }
        for (int n = 0; n < kSoundCount; ++n) {
            if (soundChannel[n] == c) {
                soundChannel[n] = -1;
                break;
            }
        }
        break;
    }
    return 0;
}

// End callback of the music, also called by StopMusic: music plays once and
// is then released.
int32_t MusicEnded(AudSample) {
    if (musicPlaying != 0) {
        SoundStop(kMusicSound);
    }
    SoundFree(kMusicSound);
    musicPlaying = 0;
    return 0;
}

// Puts sound n on channel c, `loops` times (0 without end). False when the
// library refuses the image.
int LevelOf(int n) {
    if (muted) {
        return 0;
    }
    return n == kMusicSound ? musicLevel : effectsLevel;
}

// What the sound library tells of its device (lost, back again) goes to the log.
void LogSoundLine(const char* line) {
    LogPrintf("%s", line);
}

bool StartOn(int c, int n, int32_t loops) {
    AudSample channel = channels[c];
    AUD_init_sample(channel);
    if (AUD_set_sample_file(channel, soundImage[n], soundSize[n]) == 0) {
        LogPrintf("ERROR: sound %d cannot be played: %s", n, AUD_last_error());
        return false;
    }
    if (loops != 1) {
        AUD_set_sample_loop_count(channel, loops);
    }
    AUD_set_sample_gain(channel, LevelOf(n));
    AUD_start_sample(channel);
    AUD_register_EOB_callback(channel, SampleEnded);
    // A sound halted on this channel loses it to the new one.
    for (int m = 0; m < kSoundCount; ++m) {
        if (soundChannel[m] == c) {
            soundChannel[m] = -1;
        }
    }
    soundChannel[n] = c;
    channelSound[c] = n;
    return true;
}

// The first channel whose status is (wantDone) or is not (!wantDone) done /
// playing, -1 when none.
int FindChannel(bool wantDone) {
    for (int c = 0; c < channelCount; ++c) {
        uint32_t status = AUD_sample_status(channels[c]);
        if (wantDone ? status == AUD_SMP_DONE : status != AUD_SMP_PLAYING) {
            return c;
        }
    }
    return -1;
}

void Start(int n, bool loop) {
    if (soundOn == 0 || !ValidSound(n) || soundImage[n] == nullptr) {
        return;
    }
    int c = FindChannel(loop);
    if (c < 0) {
        LogPrintf("no slot available for %d", n);
        return;
    }
    StartOn(c, n, loop ? 0 : 1);
}

AudSample ChannelOf(int n) {
    if (soundOn == 0 || !ValidSound(n) || soundChannel[n] < 0) {
        return 0;
    }
    return channels[soundChannel[n]];
}

void ForgetState() {
    soundOn = 0;
    soundDriver = 0;
    channels.fill(0);
    channelCount = 0;
    soundImage.fill(nullptr);
    soundSize.fill(0);
    soundChannel.fill(-1);
    channelSound.fill(-1);
    musicPlaying = 0;
    missingMusic.clear();
    // The levels the settings ask for, until the settings dialog changes them.
    effectsLevel = static_cast<int>(std::min<uint32_t>(soundVolume, 100));
    musicLevel = static_cast<int>(std::min<uint32_t>(musicVolume, 100));
    muted = false;
}

}  // namespace

uint32_t SoundInit() {
    if (soundOn != 0) {
        SoundExit();  // opened twice: start over rather than fail on the open output
    }
    ForgetState();
    AUD_startup();
    AUD_set_logger(LogSoundLine);
    const uint16_t bits = eightBitSound != 0 ? 8 : 16;
    const uint16_t blockAlign = bits / 8;
    const AudWaveFormat format{1, 1, kOutputRate, kOutputRate * blockAlign, blockAlign, bits};
    if (DirectSound == 0) {
        AUD_set_preference(AUD_USE_FALLBACK_DEVICE, 1);
    }
    int32_t result = AUD_waveOutOpen(&soundDriver, 0, &format);
    if (result != 0) {
        AUD_set_preference(AUD_USE_FALLBACK_DEVICE, 1);
        result = AUD_waveOutOpen(&soundDriver, 0, &format);
    }
    if (result != 0) {
        // One line, with what the sound library last said.
        LogPrintf("ERROR: wave_init_driver failed: %s", AUD_last_error());
        soundOn = 0;
        return 0;
    }
    while (channelCount < kMaxChannels) {
        AudSample channel = AUD_allocate_sample_handle(soundDriver);
        if (channel == 0) {
            break;
        }
        channels[channelCount++] = channel;
    }
    soundOn = 1;
    return 1;
}

void SoundExit() {
    if (soundOn != 0) {
        for (int c = 0; c < channelCount; ++c) {
            AUD_end_sample(channels[c]);
        }
        for (int n = 0; n < kSoundCount; ++n) {
            if (soundImage[n] != nullptr) {
                GDL_free(soundImage[n]);
            }
        }
    }
    AUD_shutdown();
    ForgetState();
}

uint32_t SoundSeek(const char* bank, int entry, int n) {
    Trace("SoundSeek( %s, %d, %d )", bank != nullptr ? bank : "", entry, n);
    if (soundOn == 0 || bank == nullptr || bank[0] == '\0') {
        return 0;
    }
    if (!ValidSound(n)) {
        LogPrintf("ERROR: SoundSeek(), too many sounds!");
        return 0;
    }
    FileHandle file = FileOpen(SoundFileName(bank).c_str());
    if (file == INVALID_FILE) {
        LogPrintf("unable to open %s", bank);
        return 0;
    }
    ReleaseImage(n);

    uint8_t header[kBankHeaderSize];
    if (FileRead(file, header, kBankHeaderSize) != kBankHeaderSize) {
        FileClose(file);
        LogPrintf("ERROR: SoundSeek: %s is too short for a sound bank", bank);
        return 0;
    }
    const int count = static_cast<int16_t>(header[0] | (header[1] << 8));
    if (count > kBankEntries) {
        FileClose(file);
        LogPrintf("ERROR: SoundSeek: %s states %d entries, more than %d", bank, count,
                  kBankEntries);
        return 0;
    }
    if (entry < 0 || entry > count - 1) {
        FileClose(file);
        LogPrintf("ERROR: SoundSeek: file overrun. seek=%d, entries=%d", entry, count);
        return 0;
    }
    std::array<uint32_t, kBankEntries> ends{};
    uint32_t previous = 0;
    for (int i = 0; i < count; ++i) {
        ends[i] = Read32(header + 4 + 4 * i);
        if (ends[i] <= previous) {
            FileClose(file);
            LogPrintf("ERROR: SoundSeek: %s has an end offset that does not increase at entry %d",
                      bank, i);
            return 0;
        }
        previous = ends[i];
    }
    const uint32_t fileSize = FileSize(file);
    const uint32_t start = entry > 0 ? ends[entry - 1] : 0;
    const uint32_t size = ends[entry] - start;
    if (fileSize > 0x7FFFFFFFu || ends[entry] > fileSize - kBankHeaderSize) {
        FileClose(file);
        LogPrintf("ERROR: SoundSeek: entry %d of %s reaches beyond the file", entry, bank);
        return 0;
    }
    FileSeek(file, static_cast<int32_t>(kBankHeaderSize + start), 0);
    void* image = GDL_malloc(size);
    if (image == nullptr) {
        LogPrintf("ERROR! Out of memory! SoundSeek: num=%d, size=%d", n, static_cast<int>(size));
        FileClose(file);
        return 0;
    }
    if (FileRead(file, image, size) != size) {
        GDL_free(image);
        FileClose(file);
        LogPrintf("ERROR: SoundSeek: cannot read entry %d of %s", entry, bank);
        return 0;
    }
    FileClose(file);
    soundImage[n] = image;
    soundSize[n] = size;
    Trace("SoundSeek: filesize=%d", static_cast<int>(size));
    return size;
}

uint32_t SoundLoad(const char* name, int n) {
    Trace("SoundLoad( %s, %d )", name != nullptr ? name : "", n);
    if (soundOn == 0 || name == nullptr) {
        return 0;
    }
    if (!ValidSound(n)) {
        LogPrintf("ERROR: SoundLoad(), too many sounds!");
        return 0;
    }
    FileHandle file = FileOpen(SoundFileName(name).c_str());
    if (file == INVALID_FILE) {
        LogPrintf("SoundLoad: unable to load %s", name);
        return 0;
    }
    ReleaseImage(n);
    const uint32_t size = FileSize(file);
    if (size == 0) {
        FileClose(file);
        LogPrintf("ERROR: SoundLoad: %s is empty", name);
        return 0;
    }
    void* image = GDL_malloc(size);
    if (image == nullptr) {
        LogPrintf("ERROR! Out of memory! SoundLoad: num=%d, size=%d", n, static_cast<int>(size));
        FileClose(file);
        return 0;
    }
    if (FileRead(file, image, size) != size) {
        GDL_free(image);
        FileClose(file);
        LogPrintf("ERROR: SoundLoad: cannot read %s", name);
        return 0;
    }
    FileClose(file);
    soundImage[n] = image;
    soundSize[n] = size;
    return 1;
}

void SoundPlay(int n) {
    Trace("SoundPlay( %d )", n);
    Start(n, false);
}

void SoundLoop(int n) {
    Trace("SoundLoop( %d )", n);
    Start(n, true);
}

void SoundStop(int n) {
    Trace("SoundStop( %d )", n);
    if (soundOn == 0 || !ValidSound(n) || soundChannel[n] < 0) {
        return;
    }
    EndChannel(soundChannel[n]);
    soundChannel[n] = -1;
}

void SoundFree(int n) {
    Trace("SoundFree( %d )", n);
    if (soundOn == 0 || !ValidSound(n) || soundImage[n] == nullptr) {
        return;
    }
    if (soundChannel[n] >= 0) {
        SoundStop(n);
    }
    ReleaseImage(n);
}

void StopAllSounds() {
    for (int n = 0; n < kSoundCount; ++n) {
        SoundStop(n);
        if (soundOn != 0) {
            StopChannelsOf(n);  // older copies of a sound started twice
        }
    }
}

uint32_t IsSoundPlaying(int n) {
    AudSample channel = ChannelOf(n);
    return channel != 0 && AUD_sample_status(channel) == AUD_SMP_PLAYING ? 1 : 0;
}

void WaitSound(int n) {
    AudSample channel = ChannelOf(n);
    if (channel == 0) {
        return;
    }
    while (AUD_sample_status(channel) == AUD_SMP_PLAYING) {
        TimerIdle();
    }
    soundChannel[n] = -1;
}

void PlayMusic(const char* name) {
    if (musicPlaying != 0) {
        return;
    }
    Trace("music_playing=%d", static_cast<int>(musicPlaying));
    if (soundOn == 0 || name == nullptr ||
        std::find(missingMusic.begin(), missingMusic.end(), name) != missingMusic.end()) {
        return;
    }
    if (SoundLoad(name, kMusicSound) == 0) {
        missingMusic.emplace_back(name);
        return;
    }
    SoundPlay(kMusicSound);
    AudSample channel = ChannelOf(kMusicSound);
    if (channel == 0) {
        // Not started (no file, no free channel): nothing will end it, so it
        // must not count as playing.
        SoundFree(kMusicSound);
        return;
    }
    AUD_register_EOB_callback(channel, MusicEnded);
    musicPlaying = 1;
}

void StopMusic() {
    Trace("StopMusic");
    if (musicPlaying != 0) {
        MusicEnded(0);
    }
}

void WaitMusic() {
    while (IsSoundPlaying(kMusicSound) != 0) {
        TimerIdle();
    }
}

void PlayVoice(const char* bank, int entry) {
    if (IsSoundPlaying(kVoiceSound) != 0) {
        return;
    }
    SoundStop(kVoiceSound);
    SoundFree(kVoiceSound);
    if (SoundSeek(bank, entry, kVoiceSound) != 0) {
        SoundPlay(kVoiceSound);
    }
}

int32_t PercentToVolume(int percent) {
    return std::clamp(percent, 0, 100) * 127 / 100;
}

int VolumeToPercent(int32_t volume) {
    return std::clamp(volume, 0, 127) * 100 / 127;
}

void SetMasterVolume(int percent) {
    if (soundOn != 0) {
        AUD_set_digital_master_volume(soundDriver, PercentToVolume(percent));
    }
}

void SetSoundLevels(int effects, int music) {
    effectsLevel = std::clamp(effects, 0, 100);
    musicLevel = std::clamp(music, 0, 100);
    for (int c = 0; c < channelCount; ++c) {
        if (channelSound[c] >= 0) {
            AUD_set_sample_gain(channels[c], LevelOf(channelSound[c]));
        }
    }
}

void SetSoundMuted(bool silent) {
    muted = silent;
    SetSoundLevels(effectsLevel, musicLevel);
}

bool SoundMuted() {
    return muted;
}

int GetMasterVolume() {
    return soundOn != 0 ? VolumeToPercent(AUD_digital_master_volume(soundDriver)) : 0;
}

void SoundPause(int n) {
    AudSample channel = ChannelOf(n);
    if (channel != 0) {
        AUD_stop_sample(channel);
    }
}

void SoundResume(int n) {
    AudSample channel = ChannelOf(n);
    if (channel != 0) {
        AUD_resume_sample(channel);
    }
}

void SoundFade(int n) {
    if (ChannelOf(n) == 0) {
        return;
    }
    for (int percent = 99; percent >= 0; --percent) {
        SetSoundVolume(n, percent);
        // A wait of its own: the shared TimerWait mark may be in use.
        const uint32_t step = TimerCount();
        while (TimerCount() - step < 10) {
            TimerIdle();
        }
    }
    SoundStop(n);
}

int GetSoundVolume(int n) {
    AudSample channel = ChannelOf(n);
    return channel != 0 ? VolumeToPercent(AUD_sample_volume(channel)) : 0;
}

void SetSoundVolume(int n, int percent) {
    AudSample channel = ChannelOf(n);
    if (channel != 0) {
        AUD_set_sample_volume(channel, PercentToVolume(percent));
    }
}

int32_t GetSoundRate(int n) {
    AudSample channel = ChannelOf(n);
    return channel != 0 ? AUD_sample_playback_rate(channel) : 0;
}

void SetSoundRate(int n, int32_t rate) {
    AudSample channel = ChannelOf(n);
    if (channel != 0) {
        AUD_set_sample_playback_rate(channel, rate);
    }
}

const uint8_t* SoundData(int n, uint32_t* size) {
    const bool loaded = ValidSound(n) && soundImage[n] != nullptr;
    if (size != nullptr) {
        *size = loaded ? soundSize[n] : 0;
    }
    return loaded ? static_cast<const uint8_t*>(soundImage[n]) : nullptr;
}

uint32_t SoundMsLeft(int n) {
    // Without asking for the status, which reads the clock: the speech loops
    // look at this between their own reads.
    AudSample channel = ChannelOf(n);
    return channel != 0 ? AUD_sample_ms_left(channel) : 0;
}

void WakeAtSoundEnd(int n) {
    AudSample channel = ChannelOf(n);
    if (channel != 0 && AUD_sample_status(channel) == AUD_SMP_PLAYING) {
        WakeAt(TimerCount() + AUD_sample_ms_left(channel));
    }
}

uint32_t SoundIsOn() {
    return soundOn;
}

uint32_t MusicIsPlaying() {
    return musicPlaying;
}

void SoundReset() {
    for (void* image : soundImage) {
        if (image != nullptr) {
            GDL_free(image);
        }
    }
    AUD_shutdown();
    ForgetState();
}
