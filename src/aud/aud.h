#pragma once
// The sound library: one wave output, up to 16 sample handles that play wave
// file images from memory, end-of-sample callbacks and the millisecond counter.
// The game calls only these operations; how they work (over SDL2 audio, or
// mixed in virtual time under the headless backend) stays inside src/aud.
#include <cstdint>
#include <vector>

// An opened wave output; 0 is none.
using AudDriver = int32_t;

// A sample handle (one playback channel); 0 is none.
using AudSample = int32_t;

// Called on the main thread with the handle of a sample that played to its end.
using AudEobCallback = int32_t (*)(AudSample sample);

// The standard PCM wave format record.
struct AudWaveFormat {
    uint16_t formatTag;       // 1: PCM
    uint16_t channels;        // 1: mono, the only layout the output takes
    uint32_t samplesPerSec;   // frames per second
    uint32_t avgBytesPerSec;  // samplesPerSec * blockAlign
    uint16_t blockAlign;      // channels * bytes per sample
    uint16_t bitsPerSample;   // 8 (unsigned) or 16 (signed)
};

// Sample status values.
constexpr uint32_t AUD_SMP_FREE = 1;     // no handle
constexpr uint32_t AUD_SMP_DONE = 2;     // played to its end, ended or never started
constexpr uint32_t AUD_SMP_PLAYING = 4;  // being mixed
constexpr uint32_t AUD_SMP_STOPPED = 8;  // halted, can be resumed

// Preference 15: 0 opens SDL's default audio driver, 1 the first other driver
// that opens (the fallback; the silent "dummy" and file-writing "disk"
// drivers are never taken as a fallback).
constexpr uint32_t AUD_USE_FALLBACK_DEVICE = 15;
// Preference 14: 0 lets the device rest while nothing plays (see
// AUD_device_resting), 1 keeps it mixing silence as it always did.
constexpr uint32_t AUD_KEEP_DEVICE_AWAKE = 14;
// Preference 13: milliseconds a resting device stays paused before it is
// closed, which ends the audio thread too (see AUD_device_closed); 0 takes
// AUD_CLOSE_AFTER_MS, a negative value keeps it open.
constexpr uint32_t AUD_CLOSE_DEVICE_AFTER = 13;
constexpr int32_t AUD_CLOSE_AFTER_MS = 2000;
constexpr uint32_t AUD_PREFERENCE_COUNT = 16;

// The most sample handles the library hands out.
constexpr int32_t AUD_MAX_SAMPLES = 16;

// Output buffer in frames: 256 at 22050 Hz is 11.6 ms, so a sound starts well
// within 25 ms of its request.
constexpr uint16_t AUD_BUFFER_FRAMES = 256;

// Brings the library up and down. Shutting down closes the output (after a
// rested device still closing), frees every handle; callbacks still queued
// are dropped.
void AUD_startup();
void AUD_shutdown();

// Sets a preference, returns its former value (0 for an unknown number).
int32_t AUD_set_preference(uint32_t number, int32_t value);

// Opens the one output in `format` for wave device `deviceId` (0 is the only
// one). Returns 0 and the driver in *driver on success, nonzero on failure with
// the reason in AUD_last_error. Headless: a virtual output that mixes in
// virtual time, and never fails for a valid format.
int32_t AUD_waveOutOpen(AudDriver* driver, uint32_t deviceId, const AudWaveFormat* format);

// Text of the last failure ("" when none).
const char* AUD_last_error();

// One more sample handle of `driver`, or 0 when all 16 are taken.
AudSample AUD_allocate_sample_handle(AudDriver driver);

// Resets a handle: halts it, drops its data and any end notice, loop count 1,
// volume 127, status done.
void AUD_init_sample(AudSample sample);

// Gives the handle a complete wave file image of `size` bytes: PCM, 8 or 16 bits,
// mono or stereo, 1000 to 192000 Hz; it is converted to the output's format and
// the image itself is not kept. Returns 1, or 0 for a refused image (the handle
// then has no data and AUD_last_error says why).
int32_t AUD_set_sample_file(AudSample sample, const void* image, uint32_t size);

// Starts the handle's data from its beginning (nothing without data).
void AUD_start_sample(AudSample sample);

// Halts a playing sample where it is (status stopped).
void AUD_stop_sample(AudSample sample);

// Continues a halted sample.
void AUD_resume_sample(AudSample sample);

// Ends the sample at once (status done); no end callback follows.
void AUD_end_sample(AudSample sample);

// How often the data plays: 1 once (the default), 0 without end.
void AUD_set_sample_loop_count(AudSample sample, int32_t count);

// Sets the end callback of a handle (null for none); returns the former one.
AudEobCallback AUD_register_EOB_callback(AudSample sample, AudEobCallback callback);

// AUD_SMP_DONE, AUD_SMP_PLAYING, AUD_SMP_STOPPED, or AUD_SMP_FREE for a bad
// handle. Polled by busy waits: reads the clock, mixes up to it under the
// headless backend and delivers queued end callbacks.
uint32_t AUD_sample_status(AudSample sample);

// Per-sample volume 0 to 127.
void AUD_set_sample_volume(AudSample sample, int32_t volume);
int32_t AUD_sample_volume(AudSample sample);

// A second level over the sample's volume, in percent 0 to 100 (100 after
// AUD_init_sample): the player's own level for the kind of sound it plays.
void AUD_set_sample_gain(AudSample sample, int32_t percent);

// Output volume 0 to 127 (127 at start).
void AUD_set_digital_master_volume(AudDriver driver, int32_t volume);
int32_t AUD_digital_master_volume(AudDriver driver);

// Playback rate in frames per second (the image's own rate after
// AUD_set_sample_file); 1000 to 192000.
void AUD_set_sample_playback_rate(AudSample sample, int32_t rate);
int32_t AUD_sample_playback_rate(AudSample sample);

// Position in the data, in bytes of the image's own format.
uint32_t AUD_sample_position(AudSample sample);

// Milliseconds of output until a playing sample ends (all its plays left
// counted); 0 when it is not playing or loops without end.
uint32_t AUD_sample_ms_left(AudSample sample);

// The program's millisecond clock (one read of it); also mixes under the
// headless backend and delivers queued end callbacks.
uint32_t AUD_ms_count();

// Whether the device rests: paused by the library while no sample plays (it
// wakes as one starts), or closed after a longer rest. Always false for the
// headless output.
bool AUD_device_resting();

// Whether the resting device is closed (or could not be opened again). The
// next sample started opens it again with the same format. While it cannot be
// opened, samples play out silently on the clock, so waits on them end, and
// every later start tries again.
bool AUD_device_closed();

// Where the library tells of a device it could not open again, once until it
// opens, and of its return (standard error until set; null sets that again).
using AudLogger = void (*)(const char* line);
void AUD_set_logger(AudLogger logger);

// Headless output only: while on, every mixed frame is kept in the output's
// own format (8-bit unsigned or 16-bit signed little-endian) for a test to
// read. AUD_take_mixed returns what was kept and empties the store.
void AUD_keep_mixed(bool on);
std::vector<uint8_t> AUD_take_mixed();
