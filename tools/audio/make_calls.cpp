// make_calls OUTDIR: synthesises the duck calls into the bank "calls", two
// entries per call (the upper and the lower part of the call icon): mallard
// quacks and a feeding chuckle, pintail whistles, diver purrs and growls.
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "bank_writer.h"
#include "platform/sound_numbers.h"
#include "synth.h"

using namespace synth;

namespace {

constexpr double kPi = std::numbers::pi;

// A reed voice: a buzzy source whose pitch goes from f0 to f1 with a little
// jitter, coloured by formants, with a rasp of noise.
Buffer Reed(double seconds, double f0, double f1, std::vector<double> formants, double rasp,
            uint32_t seed) {
    Rng rng{seed};
    double wobble = 0.0;
    Buffer src = Osc(
        seconds,
        [&](double t) {
            wobble = wobble * 0.995 + rng.Bipolar() * 0.004;
            double k = t / seconds;
            // Most of the fall comes at the end, as a quack breaks off.
            return (f0 + (f1 - f0) * k * k) * (1.0 + wobble);
        },
        Wave::Saw);
    Buffer noise = Noise(seconds, rng);
    MixInto(src, noise, 0.0, rasp);
    Buffer out = Formants(src, formants, 5.0, {1.0, 0.7, 0.35});
    Drive(out, 2.0);
    return out;
}

Buffer Quack(double seconds, double pitch, uint32_t seed) {
    // The closed "qu" glides into the open, nasal "aa" over the first 60 ms.
    Buffer u = Reed(seconds, pitch, pitch * 0.72, {550, 1100, 2400}, 0.25, seed);
    Buffer q = Reed(seconds, pitch, pitch * 0.72, {1050, 1700, 2700}, 0.25, seed);
    for (size_t i = 0; i < q.size(); i++) {
        float k = std::min(1.0f, static_cast<float>(i) / (0.06f * kRate));
        q[i] = q[i] * k + u[i] * (1.0f - k);
    }
    // The "qu" opens fast, the "ack" stops short.
    Shape(q, [seconds](double t) {
        double a = std::min(1.0, t / 0.018);
        double r = std::min(1.0, (seconds - t) / 0.05);
        return a * std::max(0.0, r) * (1.0 - 0.35 * t / seconds);
    });
    return q;
}

Buffer MallardHail() {
    // QUAANK quank quank quank quank: each shorter, lower and softer.
    Buffer out;
    const double length[] = {0.34, 0.24, 0.21, 0.2, 0.22};
    for (int i = 0; i < 5; i++) {
        Buffer q = Quack(length[i], 430.0 * (1.0 - 0.05 * i), 100 + i);
        MixInto(out, q, Seconds(out) + (i == 0 ? 0.0 : 0.07), 1.0 - 0.12 * i);
    }
    return out;
}

Buffer MallardChuckle() {
    // "tikka-tikka-tukka": quick short notes in threes, the last of each lower.
    Buffer out;
    double at = 0.0;
    for (int i = 0; i < 18; i++) {
        int beat = i % 3;
        double pitch = beat == 2 ? 300.0 : 360.0;
        std::vector<double> formants = beat == 2 ? std::vector<double>{700, 1200, 2400}
                                                 : std::vector<double>{1300, 2100, 3000};
        Buffer n = Reed(0.05, pitch, pitch * 0.85, formants, 0.35, 200 + i);
        AttackRelease(n, 0.004, 0.02);
        MixInto(out, n, at, 0.9 - 0.02 * (i % 6));
        at += beat == 2 ? 0.11 : 0.065;
    }
    return out;
}

// A fluted whistle from f0 to f1 over `seconds`, trilled at `trill` Hz.
Buffer Whistle(double seconds, double f0, double f1, double trill, uint32_t seed) {
    Buffer w = Osc(
        seconds,
        [=](double t) {
            double k = t / seconds;
            return f0 + (f1 - f0) * std::sin(kPi * 0.5 * k);
        },
        Wave::Sine);
    Buffer h = Osc(
        seconds, [=](double t) { return 2 * (f0 + (f1 - f0) * std::sin(kPi * 0.5 * t / seconds)); },
        Wave::Sine);
    MixInto(w, h, 0.0, 0.12);
    Rng rng{seed};
    Buffer breath = Noise(seconds, rng);
    BandPass(breath, (f0 + f1) / 2, 3.0);
    MixInto(w, breath, 0.0, 0.5);
    Shape(w, [=](double t) {
        double roll = trill > 0 ? 0.55 + 0.45 * std::sin(2 * kPi * trill * t) : 1.0;
        return roll * std::sin(kPi * t / seconds);
    });
    return w;
}

Buffer PintailTrills() {
    // "prrip, prrip, prrreep": trilled whistles, the last one longer.
    Buffer out;
    Append(out, Whistle(0.22, 1900, 2500, 32, 300));
    Append(out, Whistle(0.22, 1900, 2500, 32, 301), 0.16);
    Append(out, Whistle(0.42, 1850, 2650, 30, 302), 0.2);
    return out;
}

Buffer PintailSoft() {
    // Two soft falling "pee-oo" whistles and a low chatter.
    Buffer out;
    Append(out, Whistle(0.3, 2400, 1600, 0, 310));
    Append(out, Whistle(0.3, 2300, 1550, 0, 311), 0.18);
    for (int i = 0; i < 5; i++) {
        Buffer c = Whistle(0.045, 1500, 1300, 0, 320 + i);
        MixInto(out, c, Seconds(out) + (i == 0 ? 0.2 : 0.025), 0.6);
    }
    return out;
}

// A rolled note: a reed voice chopped by the tongue at `roll` Hz.
Buffer Rolled(double seconds, double f0, double f1, double roll, std::vector<double> formants,
              double rasp, uint32_t seed) {
    Buffer r = Reed(seconds, f0, f1, formants, rasp, seed);
    Shape(r, [=](double t) {
        double chop = 0.5 + 0.5 * std::sin(2 * kPi * roll * t);
        return chop * chop * std::sin(kPi * std::min(1.0, t / seconds));
    });
    return r;
}

Buffer RedheadPurr() {
    // "rrrrrr, rrrr, rrrr": purrs falling a little each time.
    Buffer out;
    Append(out, Rolled(0.55, 240, 200, 26, {650, 1150, 2300}, 0.2, 400));
    Append(out, Rolled(0.4, 225, 190, 26, {650, 1150, 2300}, 0.2, 401), 0.15);
    Append(out, Rolled(0.4, 215, 180, 26, {650, 1150, 2300}, 0.2, 402), 0.15);
    return out;
}

Buffer CanvasbackGrowl() {
    // "grrrt, grrrt, grrrrt": lower and rougher than the purr.
    Buffer out;
    for (int i = 0; i < 3; i++) {
        double len = i == 2 ? 0.5 : 0.34;
        Append(out, Rolled(len, 135, 110, 19, {480, 950, 2100}, 0.6, 500 + i), i ? 0.14 : 0.0);
    }
    LowPass(out, 3000);
    return out;
}

using Maker = Buffer (*)();
// Entry n of the bank, played by the hunt as sound kFirstCallSound + n.
constexpr std::array<Maker, kCallSoundCount> kMakers = {
    MallardHail, MallardChuckle, PintailTrills, PintailSoft, RedheadPurr, CanvasbackGrowl};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::vector<Buffer> calls;
    for (Maker make : kMakers) {
        Buffer call = make();
        HighPass(call, 90);
        AttackRelease(call, 0.003, 0.01);
        Normalise(call, kEffectPeak);
        calls.push_back(call);
    }
    return WriteBankSets(argv[1], "calls", calls) ? 0 : 1;
}
