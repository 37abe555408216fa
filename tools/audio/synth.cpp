#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    float Step(float x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return static_cast<float>(y);
    }
};

enum class Kind { Low, High, Band };

// Coefficients after the audio-EQ cookbook; the state is kept.
void Design(Biquad& f, Kind kind, double freq, double q) {
    freq = std::clamp(freq, 10.0, kRate * 0.45);
    double w = kTwoPi * freq / kRate;
    double cw = std::cos(w);
    double alpha = std::sin(w) / (2.0 * q);
    double a0 = 1.0 + alpha;
    double b0 = 0, b1 = 0, b2 = 0;
    switch (kind) {
        case Kind::Low:
            b0 = (1.0 - cw) / 2.0;
            b1 = 1.0 - cw;
            b2 = b0;
            break;
        case Kind::High:
            b0 = (1.0 + cw) / 2.0;
            b1 = -(1.0 + cw);
            b2 = b0;
            break;
        case Kind::Band:
            b0 = alpha;
            b1 = 0;
            b2 = -alpha;
            break;
    }
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = -2.0 * cw / a0;
    f.a2 = (1.0 - alpha) / a0;
}

void Filter(Buffer& buffer, Kind kind, double freq, double q) {
    Biquad f;
    Design(f, kind, freq, q);
    for (float& x : buffer) {
        x = f.Step(x);
    }
}

}  // namespace

size_t Frames(double seconds) {
    return seconds <= 0 ? 0 : static_cast<size_t>(std::lround(seconds * kRate));
}

double Seconds(const Buffer& buffer) {
    return static_cast<double>(buffer.size()) / kRate;
}

uint32_t Rng::Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Rng::Uniform() {
    return static_cast<float>(Next() >> 8) / static_cast<float>(1u << 24);
}

float Rng::Bipolar() {
    return Uniform() * 2.0f - 1.0f;
}

float WaveAt(Wave wave, double phase) {
    double p = phase - std::floor(phase);
    switch (wave) {
        case Wave::Sine:
            return static_cast<float>(std::sin(kTwoPi * p));
        case Wave::Square:
            return p < 0.5 ? 1.0f : -1.0f;
        case Wave::Saw:
            return static_cast<float>(2.0 * p - 1.0);
        case Wave::Triangle:
            return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
        case Wave::Pulse25:
            return p < 0.25 ? 1.0f : -0.33f;
    }
    return 0.0f;
}

Buffer Osc(double seconds, const std::function<double(double)>& freq, Wave wave) {
    Buffer out(Frames(seconds));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); i++) {
        out[i] = WaveAt(wave, phase);
        phase += freq(static_cast<double>(i) / kRate) / kRate;
    }
    return out;
}

Buffer Tone(double seconds, double freq, Wave wave) {
    return Osc(
        seconds, [freq](double) { return freq; }, wave);
}

Buffer Sweep(double seconds, double f0, double f1, Wave wave) {
    double ratio = std::log(f1 / f0);
    return Osc(
        seconds, [=](double t) { return f0 * std::exp(ratio * t / seconds); }, wave);
}

Buffer Noise(double seconds, Rng& rng) {
    Buffer out(Frames(seconds));
    for (float& x : out) {
        x = rng.Bipolar();
    }
    return out;
}

void LowPass(Buffer& buffer, double cutoff, double q) {
    Filter(buffer, Kind::Low, cutoff, q);
}

void HighPass(Buffer& buffer, double cutoff, double q) {
    Filter(buffer, Kind::High, cutoff, q);
}

void BandPass(Buffer& buffer, double centre, double q) {
    Filter(buffer, Kind::Band, centre, q);
}

void SweepLowPass(Buffer& buffer, const std::function<double(double)>& cutoff, double q) {
    Biquad f;
    for (size_t i = 0; i < buffer.size(); i++) {
        if (i % 32 == 0) {
            Design(f, Kind::Low, cutoff(static_cast<double>(i) / kRate), q);
        }
        buffer[i] = f.Step(buffer[i]);
    }
}

Buffer Formants(const Buffer& source, const std::vector<double>& centres, double q,
                const std::vector<double>& gains) {
    Buffer out(source.size(), 0.0f);
    for (size_t k = 0; k < centres.size(); k++) {
        Buffer band = source;
        BandPass(band, centres[k], q);
        double gain = k < gains.size() ? gains[k] : 1.0;
        for (size_t i = 0; i < out.size(); i++) {
            out[i] += static_cast<float>(band[i] * gain);
        }
    }
    return out;
}

void Decay(Buffer& buffer, double attack, double tau) {
    Shape(buffer, [=](double t) {
        if (t < attack) {
            return t / attack;
        }
        return std::exp(-(t - attack) / tau);
    });
}

void AttackRelease(Buffer& buffer, double attack, double release) {
    double total = Seconds(buffer);
    Shape(buffer, [=](double t) {
        double g = 1.0;
        if (attack > 0 && t < attack) {
            g = t / attack;
        }
        if (release > 0 && t > total - release) {
            g = std::min(g, std::max(0.0, (total - t) / release));
        }
        return g;
    });
}

void Shape(Buffer& buffer, const std::function<double(double)>& gain) {
    for (size_t i = 0; i < buffer.size(); i++) {
        buffer[i] = static_cast<float>(buffer[i] * gain(static_cast<double>(i) / kRate));
    }
}

void MixInto(Buffer& target, const Buffer& source, double at, double gain) {
    size_t start = Frames(at);
    if (target.size() < start + source.size()) {
        target.resize(start + source.size(), 0.0f);
    }
    for (size_t i = 0; i < source.size(); i++) {
        target[start + i] += static_cast<float>(source[i] * gain);
    }
}

void Append(Buffer& target, const Buffer& source, double gap) {
    MixInto(target, source, Seconds(target) + gap);
}

void Echo(Buffer& buffer, double delay, double gain, int repeats) {
    Buffer dry = buffer;
    double g = gain;
    for (int r = 1; r <= repeats; r++) {
        MixInto(buffer, dry, delay * r, g);
        g *= gain;
    }
}

void Drive(Buffer& buffer, double amount) {
    double norm = std::tanh(amount);
    for (float& x : buffer) {
        x = static_cast<float>(std::tanh(x * amount) / norm);
    }
}

float Peak(const Buffer& buffer) {
    float peak = 0.0f;
    for (float x : buffer) {
        peak = std::max(peak, std::fabs(x));
    }
    return peak;
}

float Rms(const Buffer& buffer) {
    if (buffer.empty()) {
        return 0.0f;
    }
    double sum = 0.0;
    for (float x : buffer) {
        sum += static_cast<double>(x) * x;
    }
    return static_cast<float>(std::sqrt(sum / static_cast<double>(buffer.size())));
}

void Normalise(Buffer& buffer, float peak) {
    float current = Peak(buffer);
    if (current <= 0.0f) {
        return;
    }
    float scale = peak / current;
    for (float& x : buffer) {
        x *= scale;
    }
}

void Trim(Buffer& buffer, float threshold, double margin) {
    auto loud = [threshold](float x) { return std::fabs(x) >= threshold; };
    auto first = std::find_if(buffer.begin(), buffer.end(), loud);
    if (first == buffer.end()) {
        buffer.clear();
        return;
    }
    auto last = std::find_if(buffer.rbegin(), buffer.rend(), loud).base();
    size_t keep = Frames(margin);
    size_t begin = static_cast<size_t>(first - buffer.begin());
    size_t end = static_cast<size_t>(last - buffer.begin());
    begin = begin > keep ? begin - keep : 0;
    end = std::min(buffer.size(), end + keep);
    buffer = Buffer(buffer.begin() + static_cast<std::ptrdiff_t>(begin),
                    buffer.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace synth
