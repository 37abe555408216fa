#pragma once
// Sound building blocks for the audio tools: oscillators, noise, filters and
// envelopes over mono float buffers at the game's rate (22050 Hz, full scale
// +-1.0). Everything is deterministic: noise comes from a seeded generator.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace synth {

constexpr int kRate = 22050;

using Buffer = std::vector<float>;

// Frames in `seconds`, rounded to the nearest frame.
size_t Frames(double seconds);
double Seconds(const Buffer& buffer);

// A small xorshift generator: the same seed gives the same noise everywhere.
struct Rng {
    uint32_t state;
    uint32_t Next();
    // 0 to 1, and -1 to 1.
    float Uniform();
    float Bipolar();
};

enum class Wave { Sine, Square, Saw, Triangle, Pulse25 };

// One value of `wave` at `phase` (in cycles, any real number).
float WaveAt(Wave wave, double phase);

// A tone of `seconds` whose frequency in Hz is freq(t) for t in seconds.
Buffer Osc(double seconds, const std::function<double(double)>& freq, Wave wave);
// A steady tone, and one sliding exponentially from f0 to f1.
Buffer Tone(double seconds, double freq, Wave wave);
Buffer Sweep(double seconds, double f0, double f1, Wave wave);
// White noise.
Buffer Noise(double seconds, Rng& rng);

// Two-pole filters (cookbook biquads), applied in place. `q` 0.707 is flat.
void LowPass(Buffer& buffer, double cutoff, double q = 0.707);
void HighPass(Buffer& buffer, double cutoff, double q = 0.707);
void BandPass(Buffer& buffer, double centre, double q);
// A low pass whose cutoff in Hz is cutoff(t), recomputed every 32 frames.
void SweepLowPass(Buffer& buffer, const std::function<double(double)>& cutoff, double q = 0.707);
// Several band passes of the same input summed with their gains: a vowel-like
// colour over a buzzy source.
Buffer Formants(const Buffer& source, const std::vector<double>& centres, double q,
                const std::vector<double>& gains);

// Envelopes, in place: linear attack then exponential decay with time
// constant `tau` seconds; attack, hold and linear release; and a gain curve.
void Decay(Buffer& buffer, double attack, double tau);
void AttackRelease(Buffer& buffer, double attack, double release);
void Shape(Buffer& buffer, const std::function<double(double)>& gain);

// Adds `source` times `gain` into `target` starting `at` seconds, growing it.
void MixInto(Buffer& target, const Buffer& source, double at, double gain = 1.0);
// Appends `source` after `seconds` of silence.
void Append(Buffer& target, const Buffer& source, double gap = 0.0);
// Adds an echo `delay` seconds later at `gain`, `repeats` times.
void Echo(Buffer& buffer, double delay, double gain, int repeats);
// Soft saturation, for grit.
void Drive(Buffer& buffer, double amount);

// Largest absolute value, and root mean square.
float Peak(const Buffer& buffer);
float Rms(const Buffer& buffer);
// Scales so that the peak is `peak` (nothing for a silent buffer).
void Normalise(Buffer& buffer, float peak);
// Drops leading and trailing frames below `threshold`, keeping `margin`
// seconds of them on each side.
void Trim(Buffer& buffer, float threshold, double margin);

}  // namespace synth
