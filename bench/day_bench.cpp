// A whole hunt day at the Public Grounds on the headless backend: the main
// loop rests between steps and the virtual clock jumps, so the day's 331 s of
// game time pass in a fraction of that. Reports how many times faster than
// real time the day runs.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/config.h"
#include "app/game.h"
#include "app/main_screen.h"
#include "app/options.h"
#include "app/screens.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

char appInstance;

// Ends the main loop once the hunt has handed over to another screen.
void EndAfterTheHunt() {
    if (currentScreen != kScreenHunt) {
        quitGame = 1;
    }
}

void BM_HeadlessHuntDay(benchmark::State& state) {
    SysSetHeadless(true);
    GDL_setAppInstance(&appInstance);
    CheckRegistry();
    dataDir = REEDGUNNER_DATA_DIR;
    GraphicsInit();
    SoundInit();
    GameInit();
    player->musicOn = 0;
    double gameMs = 0;
    double realMs = 0;
    for (auto _ : state) {
        SwitchScreen(kScreenMain);
        GoHunt(0);
        const uint32_t start = SysPeekMilliseconds();
        const auto realStart = std::chrono::steady_clock::now();
        SysAddPumpListener(EndAfterTheHunt);
        MainLoop();
        SysRemovePumpListener(EndAfterTheHunt);
        realMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - realStart)
                .count();
        gameMs += SysPeekMilliseconds() - start;
        quitGame = 0;
    }
    state.counters["game_s_per_day"] = gameMs / 1000.0 / static_cast<double>(state.iterations());
    state.counters["times_real_time"] = gameMs / realMs;
    GameExit();
    SoundExit();
    GraphicsExit();
}
BENCHMARK(BM_HeadlessHuntDay)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
