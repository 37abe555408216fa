// What the game's file traffic costs: a log line (open, append, close) and the
// roster's load and crash-safe save.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "engine/log.h"
#include "shell/options.h"

namespace {

void EnterScratch() {
    static char pattern[] = "/tmp/reedgunner-bench-XXXXXX";
    static const char* made = mkdtemp(pattern);
    if (made == nullptr || chdir(made) != 0) {
        std::abort();
    }
    setenv("XDG_STATE_HOME", made, 1);
    LogReset();
}

void BM_LogLine(benchmark::State& state) {
    EnterScratch();
    for (auto _ : state) {
        LogPrintf("SwitchScreen( %d )", 3);
    }
}
BENCHMARK(BM_LogLine);

void BM_SaveAndLoadOptions(benchmark::State& state) {
    EnterScratch();
    for (auto _ : state) {
        SaveOptions();
        benchmark::DoNotOptimize(LoadOptions());
    }
}
BENCHMARK(BM_SaveAndLoadOptions)->Unit(benchmark::kMicrosecond);

}  // namespace
