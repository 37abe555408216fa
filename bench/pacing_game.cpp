// The hunt's pacing in a real window (bench/pacing.sh runs it under Xvfb):
//   reedgunner_pacing [SECONDS]
// A hunt at the Public Grounds runs on its own for SECONDS (60 by default),
// the partner keeping his unasked remarks to himself;
// every hunt step's and game minute's time is recorded and the intervals'
// mean, standard deviation and largest are printed. Then the partner makes a
// remark twice: once left alone, counting the main thread's wake-ups a second,
// and once while xdotool moves the mouse across the sky, counting the moves
// after which the pointer was on the display where the mouse had gone.
// PACING_DUMP=1 also writes every interval to standard error.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/game.h"
#include "engine/config.h"
#include "engine/timer.h"
#include "game_start.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "hunt/characters.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "screens/main_screen.h"
#include "shell/options.h"
#include "shell/screens.h"
#include "sys/backend.h"

extern char** environ;

namespace {

constexpr const char* kTitle = "Reed Gunner";  // in the window's title
constexpr int kRemark = 16;                    // the partner's longest remark

uint32_t endAt = 0;
std::vector<uint32_t> steps;
std::vector<uint32_t> minutes;

// Looked at in every event call: notes each new step and minute, and ends
// the hunt's part when its time is up.
void WatchHunt() {
    if (steps.empty() || steps.back() != hunt.lastStepTime) {
        steps.push_back(hunt.lastStepTime);
    }
    if (minutes.empty() || minutes.back() != hunt.lastMinuteTime) {
        minutes.push_back(hunt.lastMinuteTime);
    }
    if (static_cast<int32_t>(TimerCount() - endAt) >= 0) {
        quitGame = 1;
    }
}

void PrintIntervals(const char* what, const std::vector<uint32_t>& times) {
    // The first entry is the state before the first look.
    if (times.size() < 3) {
        std::printf("%s: too few\n", what);
        return;
    }
    double sum = 0, squares = 0, largest = 0;
    const size_t n = times.size() - 2;
    for (size_t i = 2; i < times.size(); ++i) {
        const double gap = times[i] - times[i - 1];
        sum += gap;
        squares += gap * gap;
        largest = std::max(largest, gap);
    }
    if (std::getenv("PACING_DUMP") != nullptr) {
        for (size_t i = 2; i < times.size(); ++i) {
            std::fprintf(stderr, "%s %zu %u\n", what, i, times[i] - times[i - 1]);
        }
    }
    const double mean = sum / static_cast<double>(n);
    const double sd = std::sqrt(std::max(squares / static_cast<double>(n) - mean * mean, 0.0));
    std::printf("%s: %zu intervals, mean %.2f ms, sd %.2f ms, max %.0f ms\n", what, n, mean, sd,
                largest);
}

long WakeUps() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;  // each rest that sleeps
}

// Where the pointer was last seen, and whether it was then on the display.
std::vector<uint8_t> before;
int32_t seenX = -1, seenY = -1;
int moves = 0, drawn = 0;

// Pixels of the display that differ from the picture before the remark in
// the box the pointer would cover at (x, y).
bool PointerShownAt(int32_t x, int32_t y) {
    GDL_Capture now;
    if (!GDL_captureDisplay(&now)) {
        return false;
    }
    for (int32_t dy = -4; dy <= 4; ++dy) {
        for (int32_t dx = -4; dx <= 4; ++dx) {
            const int32_t px = x + dx, py = y + dy;
            if (px < 0 || py < 0 || px >= 640 || py >= 480) {
                continue;
            }
            const size_t at = static_cast<size_t>(py * 640 + px);
            if (now.indices[at] != before[at]) {
                return true;
            }
        }
    }
    return false;
}

// Looked at in every event call while the partner talks: when the mouse has
// gone on, was the pointer shown where it last was?
void WatchPointer() {
    int32_t x = 0, y = 0;
    GDL_getMousePos(&x, &y);
    if (x == seenX && y == seenY) {
        return;
    }
    if (seenX >= 0 && PointerShownAt(seenX, seenY)) {
        ++drawn;
    }
    if (seenX >= 0) {
        ++moves;
    }
    seenX = x;
    seenY = y;
}

// xdotool moving the mouse across the sky every 50 ms, in the background.
pid_t MoveTheMouse(int count) {
    const int32_t scale = GDL_windowScale(1920, 1080);
    std::vector<std::string> words = {"xdotool", "search", "--sync", "--name", kTitle};
    for (int i = 0; i < count; ++i) {
        int32_t wx = 0, wy = 0;
        GDL_pictureToWindow(640 * scale, 480 * scale, 40 + (i % 14) * 40, 60 + (i / 14 % 3) * 40,
                            &wx, &wy);
        for (const std::string& word :
             {std::string("mousemove"), std::string("--window"), std::string("%1"),
              std::to_string(wx), std::to_string(wy), std::string("sleep"), std::string("0.05")}) {
            words.push_back(word);
        }
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, "xdotool", nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "xdotool did not start\n");
        return 0;
    }
    return child;
}

}  // namespace

int main(int argc, char** argv) {
    const unsigned seconds = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 60;
    if (!StartGameQuietly()) {
        return 1;
    }
    SwitchScreen(kScreenMain);
    GoHunt(0);
    // The partner has said everything he says unasked: his remarks hold the
    // hunt's frame, which is not what is measured here.
    hunt.saidOnce.fill(1);

    SysAddPumpListener(WatchHunt);
    endAt = TimerCount() + seconds * 1000;
    MainLoop();
    SysRemovePumpListener(WatchHunt);
    std::printf("hunt for %u s on screen %u, %s renderer\n", seconds, currentScreen,
                GDL_activeRenderer() == GDL_Renderer::Accelerated ? "accelerated" : "software");
    PrintIntervals("hunt steps", steps);
    PrintIntervals("game minutes", minutes);
    if (currentScreen != kScreenHunt || SoundIsOn() == 0) {
        std::printf("remark: not measured (no hunt or no sound)\n");
        return 0;
    }

    // Left alone: the main thread's wake-ups.
    uint32_t start = TimerCount();
    long wakes = WakeUps();
    DoPartnerComment(kRemark);
    double length = (TimerCount() - start) / 1000.0;
    wakes = WakeUps() - wakes;
    std::printf("remark left alone: %.2f s, %.1f wake-ups a second (lip sync looks 9.9 a second)\n",
                length, static_cast<double>(wakes) / length);

    // With the mouse moving over the sky.
    GDL_Capture shown;
    GDL_captureDisplay(&shown);
    before = shown.indices;
    GDL_getMousePos(&seenX, &seenY);
    seenX = seenY = -1;
    const pid_t mover = MoveTheMouse(static_cast<int>(length * 20) + 20);
    // xdotool finds the window first; the remark starts once the mouse is moving.
    const uint32_t waitFrom = TimerCount();
    int32_t x0 = 0, y0 = 0;
    GDL_getMousePos(&x0, &y0);
    for (;;) {
        GDL_Event event{};
        GDL_getEvent(&event, GDL_EVENT_MOUSEMOVE);
        int32_t x = 0, y = 0;
        GDL_getMousePos(&x, &y);
        if (x != x0 || y != y0 || TimerCount() - waitFrom > 5000) {
            break;
        }
    }
    SysAddPumpListener(WatchPointer);
    start = TimerCount();
    wakes = WakeUps();
    DoPartnerComment(kRemark);
    length = (TimerCount() - start) / 1000.0;
    wakes = WakeUps() - wakes;
    SysRemovePumpListener(WatchPointer);
    if (mover > 0) {
        kill(mover, SIGTERM);
        waitpid(mover, nullptr, 0);
    }
    std::printf(
        "remark with the mouse moving: %.2f s, %.1f wake-ups a second, pointer shown "
        "after %d of %d moves\n",
        length, static_cast<double>(wakes) / length, drawn, moves);
    return 0;
}
