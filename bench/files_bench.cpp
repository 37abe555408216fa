// What the game's file traffic costs: a log line (open, append, close), one
// crash-safe save of the roster (made on every change), and a save and load.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

// Bytes this process has handed to write() so far (0 when unknown).
long WrittenBytes() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long value = 0;
    while (io >> key >> value) {
        if (key == "wchar:") {
            return value;
        }
    }
    return 0;
}

// One save as the game makes it on every change: the new file written and
// forced to disk, the old one kept as the backup, the rename, the folder
// forced to disk; with the bytes written per save.
void BM_SaveOptions(benchmark::State& state) {
    EnterScratch();
    SaveOptions();
    const long before = WrittenBytes();
    for (auto _ : state) {
        player->money += 1;
        benchmark::DoNotOptimize(SaveOptions());
    }
    state.counters["bytes_written"] = benchmark::Counter(
        static_cast<double>(WrittenBytes() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SaveOptions)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoadOptions(benchmark::State& state) {
    EnterScratch();
    for (auto _ : state) {
        SaveOptions();
        benchmark::DoNotOptimize(LoadOptions());
    }
}
BENCHMARK(BM_SaveAndLoadOptions)->Unit(benchmark::kMicrosecond);

}  // namespace
