// What sound costs: mixing a full house of 16 channels for one second of
// output (the audio thread's work), and taking in a second of 44.1 kHz stereo
// (converting an image to the output's format when a sound is played).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "aud/aud.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

void Put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

// A 16-bit sine wave image of `frames` frames.
std::string SineWav(uint16_t channels, uint32_t rate, uint32_t frames) {
    std::string data;
    for (uint32_t i = 0; i < frames * channels; ++i) {
        Put16(data, static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.05))));
    }
    std::string out = "RIFF";
    Put32(out, static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * channels * 2);
    Put16(out, static_cast<uint16_t>(channels * 2));
    Put16(out, 16);
    out += "data";
    Put32(out, static_cast<uint32_t>(data.size()));
    return out + data;
}

AudDriver OpenHeadless() {
    SysSetHeadless(true);
    AUD_shutdown();
    AUD_startup();
    const AudWaveFormat format{1, 1, 22050, 44100, 2, 16};
    AudDriver driver = 0;
    AUD_waveOutOpen(&driver, 0, &format);
    return driver;
}

void BM_MixSixteenChannelsOneSecond(benchmark::State& state) {
    AudDriver driver = OpenHeadless();
    std::string image = SineWav(1, 22050, 22050 * 2);
    std::vector<AudSample> handles;
    for (int i = 0; i < AUD_MAX_SAMPLES; ++i) {
        AudSample s = AUD_allocate_sample_handle(driver);
        AUD_set_sample_file(s, image.data(), static_cast<uint32_t>(image.size()));
        AUD_set_sample_loop_count(s, 0);
        AUD_start_sample(s);
        handles.push_back(s);
    }
    AUD_ms_count();
    for (auto _ : state) {
        SysAdvanceVirtualClock(1000);
        benchmark::DoNotOptimize(AUD_ms_count());
    }
    AUD_shutdown();
    SysSetHeadless(false);
}
BENCHMARK(BM_MixSixteenChannelsOneSecond)->Unit(benchmark::kMicrosecond);

void BM_TakeInOneSecondOf44kStereo(benchmark::State& state) {
    AudDriver driver = OpenHeadless();
    AudSample s = AUD_allocate_sample_handle(driver);
    std::string image = SineWav(2, 44100, 44100);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            AUD_set_sample_file(s, image.data(), static_cast<uint32_t>(image.size())));
    }
    AUD_shutdown();
    SysSetHeadless(false);
}
BENCHMARK(BM_TakeInOneSecondOf44kStereo)->Unit(benchmark::kMicrosecond);

}  // namespace
