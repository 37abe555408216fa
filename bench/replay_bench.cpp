// What recording a replay costs the game: the hash of the data files taken at
// the start of every session in a window, and one clock reading put on the
// tape (the game reads the clock up to a few thousand times a second).
#include <benchmark/benchmark.h>

#include <string>

#include "app/replay.h"
#include "sys/replay.h"

namespace {

#ifdef REEDGUNNER_BENCH_DATA_DIR
void BM_ReplayDataHash(benchmark::State& state) {
    const std::string data = REEDGUNNER_BENCH_DATA_DIR;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReplayDataHash(data));
    }
}
BENCHMARK(BM_ReplayDataHash)->Unit(benchmark::kMillisecond);
#endif

// Readings a millisecond apart with a sound's status between, as a loop
// waiting on a sound makes them: the bytes each pair takes are reported.
void BM_ReplayRecordReading(benchmark::State& state) {
    SysReplayRecord("", {}, 1u << 30);
    uint32_t now = 100000;
    for (auto _ : state) {
        SysReplayPutClock(++now);
        SysReplayPutValue(ReplayRecord::SoundStatus, 4);
    }
    SysReplayStopRecording();
    state.counters["bytes_per_pair"] =
        static_cast<double>(SysReplayRecorded().size()) / static_cast<double>(state.iterations());
    SysReplayReset();
}
BENCHMARK(BM_ReplayRecordReading);

}  // namespace
