// make_sounds OUTDIR: synthesises the twelve interface sounds into the bank
// "sounds" (".16b" and ".8b"), entry i for sound number i.
#include <array>
#include <cmath>
#include <cstdio>

#include "bank_writer.h"
#include "platform/sound_numbers.h"
#include "synth.h"

using namespace synth;

namespace {

// A struck bell-like partial set: `partials` frequency ratios over `freq`, each
// decaying faster the higher it is.
Buffer Bell(double seconds, double freq, std::initializer_list<double> partials, double tau) {
    Buffer out(Frames(seconds), 0.0f);
    double gain = 1.0;
    for (double ratio : partials) {
        Buffer p = Tone(seconds, freq * ratio, Wave::Sine);
        Decay(p, 0.002, tau / ratio);
        MixInto(out, p, 0.0, gain);
        gain *= 0.6;
    }
    return out;
}

// A short filtered noise tick.
Buffer Tick(double seconds, double centre, double q, uint32_t seed) {
    Rng rng{seed};
    Buffer n = Noise(seconds, rng);
    BandPass(n, centre, q);
    Decay(n, 0.0008, seconds / 5.0);
    return n;
}

Buffer Click() {
    Buffer out = Tick(0.04, 2600, 1.5, 11);
    Buffer blip = Tone(0.03, 1800, Wave::Sine);
    Decay(blip, 0.001, 0.006);
    MixInto(out, blip, 0.0, 0.6);
    return out;
}

Buffer IconChanged() {
    // Two wooden knocks, the second higher.
    Buffer out;
    for (double f : {820.0, 1230.0}) {
        Buffer k = Tone(0.07, f, Wave::Triangle);
        Decay(k, 0.001, 0.018);
        MixInto(k, Tick(0.02, f * 2, 2.0, 7), 0.0, 0.5);
        Append(out, k, out.empty() ? 0.0 : -0.01);
    }
    return out;
}

Buffer Confirm() {
    // A bright two-note ding, short enough to repeat for every coin.
    Buffer out = Bell(0.12, 1568, {1.0, 2.0, 3.01}, 0.08);
    MixInto(out, Bell(0.16, 2093, {1.0, 2.0, 3.01}, 0.09), 0.06);
    return out;
}

Buffer Question() {
    // A soft "hm?": two notes rising, with a little vibrato.
    Buffer out;
    double notes[2][2] = {{440, 0.16}, {622, 0.22}};
    for (auto& n : notes) {
        double f = n[0];
        Buffer t = Osc(
            n[1], [f](double s) { return f * (1.0 + 0.012 * std::sin(2 * 3.14159 * 6 * s)); },
            Wave::Triangle);
        Buffer s = Tone(n[1], f * 2, Wave::Sine);
        MixInto(t, s, 0.0, 0.25);
        LowPass(t, 2500);
        AttackRelease(t, 0.015, 0.06);
        Append(out, t, 0.02);
    }
    return out;
}

Buffer Purchase() {
    // A till: a drawer clack, then the bell.
    Buffer out = Tick(0.06, 1400, 1.2, 21);
    Buffer clack = Tick(0.05, 3000, 2.0, 22);
    MixInto(out, clack, 0.05, 0.8);
    MixInto(out, Bell(0.7, 2489, {1.0, 1.5, 2.76}, 0.25), 0.1, 0.8);
    return out;
}

Buffer Refusal() {
    // Two low buzzes, the second lower.
    Buffer out;
    for (double f : {196.0, 147.0}) {
        Buffer b = Tone(0.16, f, Wave::Square);
        MixInto(b, Tone(0.16, f * 1.01, Wave::Saw), 0.0, 0.5);
        // Twice: a steeper slope keeps the buzz dull.
        LowPass(b, 1400);
        LowPass(b, 1400);
        AttackRelease(b, 0.006, 0.03);
        Append(out, b, 0.03);
    }
    return out;
}

Buffer MoneyAppears() {
    // A rising sparkle of four bells.
    Buffer out;
    const double notes[] = {1047, 1319, 1568, 2093};
    for (int i = 0; i < 4; i++) {
        MixInto(out, Bell(0.35, notes[i], {1.0, 2.0, 3.0}, 0.12), 0.07 * i, 0.7);
    }
    return out;
}

Buffer Swish() {
    Rng rng{31};
    Buffer n = Noise(0.22, rng);
    SweepLowPass(
        n, [](double t) { return 600 + 5000 * t / 0.22; }, 2.0);
    Shape(n, [](double t) { return std::sin(3.14159 * t / 0.22); });
    return n;
}

Buffer ShellLoaded() {
    // The shell slides in, then the action closes: two metallic clicks.
    Buffer out = Tick(0.05, 3800, 3.0, 41);
    Rng rng{42};
    Buffer slide = Noise(0.07, rng);
    BandPass(slide, 2200, 1.0);
    AttackRelease(slide, 0.03, 0.03);
    MixInto(out, slide, 0.03, 0.25);
    Buffer close = Tick(0.08, 1700, 2.5, 43);
    MixInto(close, Tick(0.05, 4500, 4.0, 44), 0.004, 0.7);
    MixInto(out, close, 0.13);
    return out;
}

Buffer Shot() {
    // The blast: noise closing from bright to dull, a low thump, and the
    // report coming back off the far side of the marsh.
    Rng rng{51};
    Buffer blast = Noise(1.0, rng);
    SweepLowPass(blast, [](double t) { return 300 + 7000 * std::exp(-t / 0.05); });
    Decay(blast, 0.001, 0.12);
    Drive(blast, 2.5);
    Buffer thump = Sweep(0.7, 110, 40, Wave::Sine);
    Decay(thump, 0.002, 0.09);
    MixInto(blast, thump, 0.0, 0.9);
    Buffer echo = blast;
    LowPass(echo, 900);
    MixInto(blast, echo, 0.28, 0.22);
    MixInto(blast, echo, 0.61, 0.08);
    return blast;
}

Buffer FineDollar() {
    // One small coin tick: quick enough to repeat a hundred times.
    Buffer out = Bell(0.07, 2637, {1.0, 2.4}, 0.02);
    MixInto(out, Tick(0.01, 5000, 2.0, 61), 0.0, 0.3);
    return out;
}

Buffer Reels() {
    // A ratchet every 60 ms over a motor hum, for as long as a reel can turn.
    const double seconds = 3.1;
    Buffer hum = Tone(seconds, 92, Wave::Saw);
    LowPass(hum, 400);
    MixInto(hum, Tone(seconds, 184, Wave::Triangle), 0.0, 0.2);
    for (float& x : hum) {
        x *= 0.18f;
    }
    for (int i = 0; i * 0.06 < seconds - 0.05; i++) {
        MixInto(hum, Tick(0.03, i % 2 ? 3200 : 2600, 3.0, 70 + i), i * 0.06, 0.9);
    }
    AttackRelease(hum, 0.02, 0.05);
    return hum;
}

// Each effect with its peak as a share of kEffectPeak: the shot is the
// loudest thing in the game, clicks and ticks sit well under it. Row i is
// entry i of the bank, loaded by the game into sound i.
struct Effect {
    int sound;
    Buffer (*make)();
    float peak;
};

constexpr std::array<Effect, kInterfaceSoundCount> kEffects = {{
    {kClickSound, Click, 0.6f},
    {kIconSound, IconChanged, 0.6f},
    {kConfirmSound, Confirm, 0.7f},
    {kQuestionSound, Question, 0.7f},
    {kTillSound, Purchase, 0.8f},
    {kRefusalSound, Refusal, 0.6f},
    {kMoneySound, MoneyAppears, 0.7f},
    {kSwishSound, Swish, 0.6f},
    {kShellLoadSound, ShellLoaded, 0.8f},
    {kShotSound, Shot, 1.0f},
    {kFineDollarSound, FineDollar, 0.6f},
    {kReelSound, Reels, 0.6f},
}};

constexpr bool InSoundOrder() {
    for (size_t i = 0; i < kEffects.size(); i++) {
        if (kEffects[i].sound != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(InSoundOrder(), "the bank's entries go in sound number order");

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::vector<Buffer> sounds;
    for (const Effect& effect : kEffects) {
        Buffer sound = effect.make();
        Normalise(sound, kEffectPeak * effect.peak);
        sounds.push_back(sound);
    }
    return WriteBankSets(argv[1], "sounds", sounds) ? 0 : 1;
}
