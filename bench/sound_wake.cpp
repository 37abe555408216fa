// How long a sound takes from its start to the device, with the device kept
// awake, resting (paused) in silence and closed after a longer rest: the time
// from AUD_start_sample until the mixer has handed the sound's first frames
// over (its position moves), and how long the start call itself took (opening
// a closed device again is done there). All stay within one device buffer.
// On SDL's silent driver unless SDL_AUDIODRIVER names another:
//   reedgunner_sound_wake [starts]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "aud/aud.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string MonoWave(int frames) {
    std::string data;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<uint16_t>(1000 + i % 2000);
        data += static_cast<char>(v & 0xFF);
        data += static_cast<char>(v >> 8);
    }
    auto u32 = [](std::string& out, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
        }
    };
    std::string out = "RIFF";
    u32(out, static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    u32(out, 16);
    out += std::string("\x01\x00\x01\x00", 4);
    u32(out, 22050);
    u32(out, 44100);
    out += std::string("\x02\x00\x10\x00", 4);
    out += "data";
    u32(out, static_cast<uint32_t>(data.size()));
    return out + data;
}

enum class Mode { Awake, Resting, Closed };

struct Delays {
    std::vector<double> toDevice;  // start to the first frames at the device, ms
    std::vector<double> call;      // the start call itself, ms
};

bool Settled(Mode mode) {
    switch (mode) {
        case Mode::Awake:
            return true;
        case Mode::Resting:
            return AUD_device_resting();
        case Mode::Closed:
            return AUD_device_closed();
    }
    return true;
}

// Milliseconds from each start to the sound's first frames at the device.
Delays Measure(Mode mode, int starts) {
    AUD_startup();
    AUD_set_preference(AUD_KEEP_DEVICE_AWAKE, mode == Mode::Awake ? 1 : 0);
    AUD_set_preference(AUD_CLOSE_DEVICE_AFTER, mode == Mode::Closed ? 1 : -1);
    const AudWaveFormat format{1, 1, 22050, 44100, 2, 16};
    AudDriver driver = 0;
    if (AUD_waveOutOpen(&driver, 0, &format) != 0) {
        std::fprintf(stderr, "no sound device: %s\n", AUD_last_error());
        std::exit(1);
    }
    const AudSample sample = AUD_allocate_sample_handle(driver);
    const std::string wave = MonoWave(2000);
    AUD_set_sample_file(sample, wave.data(), static_cast<uint32_t>(wave.size()));
    std::mt19937 random(7);
    Delays delays;
    for (int i = 0; i < starts; ++i) {
        // Silence long enough to rest, then a start at any moment of a buffer.
        const auto quiet = Clock::now() + std::chrono::milliseconds(40);
        while (Clock::now() < quiet || !Settled(mode)) {
            AUD_ms_count();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 12000));
        const auto start = Clock::now();
        AUD_start_sample(sample);
        const auto started = Clock::now();
        while (AUD_sample_position(sample) == 0) {
            AUD_ms_count();  // a device that could not open plays on the clock
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        delays.toDevice.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        delays.call.push_back(std::chrono::duration<double, std::milli>(started - start).count());
        AUD_end_sample(sample);
    }
    if (AUD_device_closed() && !AUD_device_resting()) {
        std::fprintf(stderr, "the device could not be opened again: %s\n", AUD_last_error());
        std::exit(1);
    }
    AUD_shutdown();
    std::sort(delays.toDevice.begin(), delays.toDevice.end());
    std::sort(delays.call.begin(), delays.call.end());
    return delays;
}

}  // namespace

int main(int argc, char** argv) {
    const int starts = std::max(argc > 1 ? std::atoi(argv[1]) : 50, 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const double buffer = 1000.0 * AUD_BUFFER_FRAMES / 22050;
    std::printf("one device buffer: %.1f ms; %d starts each on SDL's %s driver\n", buffer, starts,
                std::getenv("SDL_AUDIODRIVER"));
    const char* names[] = {"awake device  ", "resting device", "closed device "};
    for (const Mode mode : {Mode::Awake, Mode::Resting, Mode::Closed}) {
        const Delays d = Measure(mode, starts);
        const std::vector<double>& t = d.toDevice;
        std::printf(
            "%s: start to device median %.2f ms, 90th %.2f ms, most %.2f ms; "
            "the start call median %.2f ms, most %.2f ms\n",
            names[static_cast<int>(mode)], t[t.size() / 2], t[t.size() * 9 / 10], t.back(),
            d.call[d.call.size() / 2], d.call.back());
    }
    return 0;
}
