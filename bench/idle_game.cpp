// The real game's screens under a real X server, measured for frugality (the
// frugality script runs it under Xvfb):
//   reedgunner_idle_game roster SECONDS   the roster waiting for input
//   reedgunner_idle_game main SECONDS     the main screen waiting for input
//   reedgunner_idle_game store SECONDS    the store waiting for input
//   reedgunner_idle_game hunt SECONDS     a hunt at the Public Grounds running on its own
// Settings (the data folder) come from the usual place. Prints the share of
// one core the game used, and that of its main thread and sound thread apart.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "app/game.h"
#include "aud/aud.h"
#include "engine/config.h"
#include "engine/timer.h"
#include "game_start.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "screens/main_screen.h"
#include "shell/options.h"
#include "shell/screens.h"
#include "sys/backend.h"
#include "thread_cpu.h"

namespace {

volatile std::sig_atomic_t timeUp = 0;

void OnAlarm(int) {
    timeUp = 1;
}

// Looked at in every event call: the measurement's end ends the loop.
void EndWhenTimeIsUp() {
    if (timeUp != 0) {
        quitGame = 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "roster";
    const unsigned seconds = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 10;
    if (!StartGameQuietly()) {
        return 1;
    }
    if (std::strcmp(mode, "roster") != 0) {
        SwitchScreen(kScreenMain);
    }
    if (std::strcmp(mode, "store") == 0) {
        SwitchScreen(kScreenStore);
    }
    if (std::strcmp(mode, "hunt") == 0) {
        GoHunt(0);
    }
    SysAddPumpListener(EndWhenTimeIsUp);
    std::signal(SIGALRM, OnAlarm);
    // The screen first settles as a player would find it after a while: the
    // sound device rests, then closes.
    alarm(static_cast<unsigned>(AUD_CLOSE_AFTER_MS / 1000 + 1));
    MainLoop();
    quitGame = 0;
    timeUp = 0;
    const double cpuStart = ProcessCpuSeconds();
    const ThreadCpu threadsStart = ReadThreadCpu();
    const uint32_t start = TimerCount();
    alarm(seconds);
    MainLoop();
    const double wall = (TimerCount() - start) / 1000.0;
    const double cpu = ProcessCpuSeconds() - cpuStart;
    const ThreadCpu threadsEnd = ReadThreadCpu();
    std::printf(
        "%s, %s renderer: %.2f%% of one core over %.1f s (%.3f s CPU), on screen %u: ", mode,
        GDL_activeRenderer() == GDL_Renderer::Accelerated ? "accelerated" : "software",
        100.0 * cpu / wall, wall, cpu, currentScreen);
    PrintThreadShares(threadsStart, threadsEnd, wall);
    std::printf("\n");
    return 0;
}
