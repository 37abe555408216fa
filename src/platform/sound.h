#pragma once
// The game's sound module: one wave output, up to 16 channels and a table of
// 27 numbered sounds loaded from sound banks. Silent (every call does nothing)
// until SoundInit opens the output, and for good when it cannot.
#include <cstdint>

#include "platform/sound_numbers.h"

constexpr int kMaxChannels = 16;
// A bank states at most this many entries.
constexpr int kBankEntries = 128;

// Opens the output (22050 Hz mono, 8 or 16 bits by the 8bitSound setting) and
// takes up to 16 channels. Returns 1 when sound is on.
uint32_t SoundInit();

// Releases every sound, ends every channel and shuts the library down.
void SoundExit();

// Loads entry `entry` of bank `bank` (data directory + name + ".16b"/".8b")
// into sound `n`. Returns the entry's size in bytes, 0 on failure.
uint32_t SoundSeek(const char* bank, int entry, int n);

// Loads a whole music file into sound `n`. Returns 1 on success.
uint32_t SoundLoad(const char* name, int n);

// Starts sound `n` once on the first channel that is not playing.
void SoundPlay(int n);

// Starts sound `n` on the first channel that is done, repeating without end.
void SoundLoop(int n);

// Stops sound `n` if it is playing.
void SoundStop(int n);

// Stops sound `n` and releases its image.
void SoundFree(int n);

// SoundStop for every sound number.
void StopAllSounds();

// 1 while sound `n` plays on its channel.
uint32_t IsSoundPlaying(int n);

// Busy-waits until sound `n` has finished.
void WaitSound(int n);

// Loads and plays music once through in sound 12, unless music is playing.
void PlayMusic(const char* name);
void StopMusic();
// Busy-waits while the music plays.
void WaitMusic();

// Plays entry `entry` of `bank` as the voice line in sound 13, unless a voice
// line is still playing (then the request is dropped).
void PlayVoice(const char* bank, int entry);

// Output volume in percent, 0 to 100.
void SetMasterVolume(int percent);
int GetMasterVolume();

// The player's levels in percent (the settings' SoundVolume and MusicVolume),
// over every sound's own volume: the music's for sound 12, the other's for
// the rest; they hold for sounds playing and sounds to come.
void SetSoundLevels(int effects, int music);
// Silence (true) while the window is away, without losing the levels.
void SetSoundMuted(bool silent);
bool SoundMuted();

// Halting and continuing sound `n` where it is.
void SoundPause(int n);
void SoundResume(int n);

// Fades sound `n` out over a second (volume 99 % down to 0, one step every
// 10 ms, a busy wait) and stops it.
void SoundFade(int n);

// One sound's volume in percent and its playback rate in frames per second
// (0 when it is not on a channel).
int GetSoundVolume(int n);
void SetSoundVolume(int n, int percent);
int32_t GetSoundRate(int n);
void SetSoundRate(int n, int32_t rate);

// Converting between percent and the library's volume 0 to 127 (by 1.27,
// truncating).
int32_t PercentToVolume(int percent);
int VolumeToPercent(int32_t volume);

// The loaded image of sound `n` (the bank entry as read, header included) and
// its size in bytes; null and 0 when nothing is loaded. The talking heads read
// the voice line's loudness from it.
const uint8_t* SoundData(int n, uint32_t* size);

// Milliseconds until sound `n` will have played to its end; 0 when it is not
// playing.
uint32_t SoundMsLeft(int n);

// Asks the main loop to wake when sound `n` will have played to its end (for a
// screen that waits on it); nothing when it is not playing.
void WakeAtSoundEnd(int n);

// 1 after a successful SoundInit; 1 from PlayMusic until the music ends.
uint32_t SoundIsOn();
uint32_t MusicIsPlaying();

// Releases every image and shuts the library down, as at the start of a run.
void SoundReset();
