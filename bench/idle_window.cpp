// A screen that only waits for input, as the game's main loop does: one
// GDL_getEvent per pass and no sleeping here. Run under a real X server (the
// frugality script uses Xvfb):
//   reedgunner_idle wait SECONDS   waits for input only, as the roster does
//   reedgunner_idle pace SECONDS   also paces a 100 ms step on the clock, as the hunt does
//   reedgunner_idle echo SECONDS   waits and prints every event it takes
// Prints the CPU time it took and, pacing, how far apart the steps came.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/config.h"
#include "engine/timer.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "thread_cpu.h"

namespace {

char appInstance;
volatile std::sig_atomic_t timeUp = 0;

void OnAlarm(int) {
    timeUp = 1;
}

void DrawPicture() {
    GDL_PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                      static_cast<uint8_t>(i * 3), 0};
    }
    GDL_setPalette(displaySurface, palette, 256, 0);
    GDL_realizePalette(displaySurface, 256, 0, 1);
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            backPage->pixels[y * backPage->bytesPerLine + x] = static_cast<uint8_t>(x ^ y);
        }
    }
    GDL_bitBlt(displaySurface, backPage, 0, 0, 640, 480, 0, 0, 0);
}

bool Escape(const GDL_Event& event) {
    return event.type == GDL_EVENT_KEYDOWN && ((event.code >> 8) & 0xFF) == 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool pace = argc > 1 && std::strcmp(argv[1], "pace") == 0;
    const bool echo = argc > 1 && std::strcmp(argv[1], "echo") == 0;
    const unsigned seconds = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 10;
    GDL_setAppInstance(&appInstance);
    CheckRegistry();
    if (GraphicsInit() == 0) {
        std::fprintf(stderr, "no display (see the log)\n");
        return 1;
    }
    DrawPicture();
    std::signal(SIGALRM, OnAlarm);
    GDL_Event event{};
    // Half a second to get the picture on screen: the renderer's first
    // frame (shader set-up and the like) is not what is measured.
    for (const uint32_t warm = TimerCount(); TimerCount() - warm < 500;) {
        GDL_getEvent(&event, GDL_EVENT_ALL);
    }

    const double cpuStart = ProcessCpuSeconds();
    const ThreadCpu threadsStart = ReadThreadCpu();
    const uint32_t start = TimerCount();
    uint32_t lastStep = start;
    uint32_t steps = 0;
    alarm(seconds);
    while (timeUp == 0) {
        if (GDL_getEvent(&event, GDL_EVENT_ALL) != 0) {
            if (echo) {
                std::printf("event type %u at %d,%d code 0x%x state 0x%x\n", event.type, event.x,
                            event.y, event.code, event.state);
                std::fflush(stdout);
            }
            if (Escape(event)) {
                break;
            }
        }
        if (pace) {
            // The hunt's pacing: a step once more than 100 ms have passed.
            const uint32_t now = TimerCount();
            if (now - lastStep > 100) {
                lastStep = now;
                ++steps;
            }
        }
    }
    const double wall = (TimerCount() - start) / 1000.0;
    const double cpu = ProcessCpuSeconds() - cpuStart;
    const ThreadCpu threadsEnd = ReadThreadCpu();
    std::printf("%s, %s renderer: %.2f%% of one core over %.1f s (%.3f s CPU)",
                pace ? "pacing 100 ms steps" : "waiting for input",
                GDL_activeRenderer() == GDL_Renderer::Accelerated ? "accelerated" : "software",
                100.0 * cpu / wall, wall, cpu);
    if (pace && steps > 0) {
        std::printf("; a step every %.2f ms (a spinning loop: 101)",
                    static_cast<double>(lastStep - start) / steps);
    }
    std::printf(": ");
    PrintThreadShares(threadsStart, threadsEnd, wall);
    std::printf("\n");
    GraphicsExit();
    return 0;
}
