// A whole day at the Public Grounds on the headless display, without input:
// from the hunt's entry at 5:40 to its end at 19:26 (826 game minutes, 331 s
// of game time). Real time divided by the reported time is the speed-up.
//
// Two ways of passing the time: "jump" moves the virtual clock on to the time
// the hunt asked to be woken at whenever a pass had nothing to do, as the main
// loop does headless; "tick" leaves the clock to advance by its reads alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/screen_table.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "shell/options.h"
#include "shell/screens.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

constexpr double kDaySeconds = 826 * 0.401;

// Each benchmark brings the headless game up and takes it down again, so the
// others in the same process find the display library as they left it.
void SetUpGame() {
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "reedgunner-hunt-bench";
    std::filesystem::create_directories(scratch);
    setenv("XDG_STATE_HOME", scratch.c_str(), 1);
    std::filesystem::current_path(scratch);
#ifdef REEDGUNNER_BENCH_DATA_DIR
    dataDir = REEDGUNNER_BENCH_DATA_DIR;
#endif
    SysSetHeadless(true);
    static char instance;
    GDL_setAppInstance(&instance);
    if (GraphicsInit() != 1) {
        std::abort();
    }
    LoadGraphics(kIconsSlot, "icons");
    InitMouse();
    LoadFonts("fonts.dat");
}

void TearDownGame() {
    ResetScreens();
    ResetHunt();
    FreeMouse();
    ResetInput();
    ResetFonts();
    ResetGraphicBanks();
    GraphicsExit();
    SysSetHeadless(false);
}

// One day; returns the passes of the loop it took.
int64_t HuntDay(bool jump) {
    ResetRoster();
    player->items[kItemShells] = kNewGameShells;
    ResetScreens();
    RegisterGameScreens();
    SeedRandom(1);
    hunt.club = 0;
    SwitchScreen(kScreenHunt);
    int64_t passes = 0;
    while (currentScreen == kScreenHunt && passes < 50000000) {
        PollEvent();
        HuntFrame();
        ++passes;
        uint32_t wake = 0;
        if (jump && TakeWakeTime(&wake)) {
            const uint32_t now = SysPeekMilliseconds();
            if (static_cast<int32_t>(wake - now) > 0) {
                SysAdvanceVirtualClock(wake - now);
            }
        }
    }
    return passes;
}

void BM_HuntDayHeadless(benchmark::State& state) {
    SetUpGame();
    const bool jump = state.range(0) != 0;
    int64_t passes = 0;
    for (auto _ : state) {
        passes = HuntDay(jump);
    }
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["ended_at"] = hunt.hour * 100 + hunt.minute;
    state.SetLabel(jump ? "jump" : "tick");
    TearDownGame();
}
BENCHMARK(BM_HuntDayHeadless)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
