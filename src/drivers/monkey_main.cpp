// reedgunner-monkey [--dir DIR] [--data ROOT] SECONDS SEED...: plays the whole
// game headless with random input for SECONDS of virtual time per seed, in
// sessions that each run the game in a child process from start-up to a close,
// and checks the game's invariants throughout. Exit code 0 when every seed
// played clean, 1 with the seed, session and step of the first fault.
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "app/replay.h"
#include "drivers/monkey.h"
#include "engine/log.h"
#include "shell/screens.h"
#include "sys/backend.h"
#include "sys/program_options.h"

namespace fs = std::filesystem;

namespace {

// A session that pumps no event for this long (wall time) is stuck.
constexpr int kHangSeconds = 180;
// Each session records its replay here; a failed one keeps it.
constexpr const char* kSessionReplay = "session.rgr";
constexpr uint32_t kShortestSessionMs = 60000;
constexpr uint32_t kLongestSessionMs = 20 * 60000;

constexpr const char* kScreenNames[kScreenCount] = {
    "roster", "main", "store", "hunt", "jail", "regulations", "game bag", "payout",
};

uint32_t Mix(uint32_t a, uint32_t b) {
    uint64_t z = (static_cast<uint64_t>(a) << 32 | b) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<uint32_t>(z ^ (z >> 31));
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A fresh folder for the game's files, with settings pointing at the data.
bool MakeHome(const fs::path& home, const std::string& dataRoot) {
    std::error_code error;
    fs::remove_all(home, error);
    fs::create_directories(home / "config" / "pellmar", error);
    if (error) {
        std::fprintf(stderr, "monkey: cannot make %s\n", home.c_str());
        return false;
    }
    if (!dataRoot.empty()) {
        std::ofstream(home / "config" / "pellmar" / "Settings.ini")
            << "[Settings]\nCDROM=" << dataRoot << "\n";
    }
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    unsetenv("XDG_PICTURES_DIR");  // F12's screenshots stay in the home too
    return chdir(home.c_str()) == 0;
}

[[noreturn]] void RunSession(const MonkeyPlan& plan, MonkeyShared* shared) {
    static MonkeyShared* sharedAtExit = shared;
    SysSetHeadless(true);
    ReplayRecordNextTo(kSessionReplay);
    StartMonkey(plan, shared);
    // Both ways out (the window closed from anywhere, and the question on the
    // main screen answered) end in exit after saving: check what was saved.
    std::atexit([] {
        if (!CheckSavedRoster(sharedAtExit)) {
            _exit(3);
        }
        sharedAtExit->cleanExit = 1;
    });
    const int code = RunGame();
    if (code == 0 && quitGame != 0) {
        ++shared->credits;
    }
    std::exit(code);
}

// Waits for the session; empty when it ended well, else why not.
std::string AwaitSession(pid_t child, MonkeyShared* shared) {
    uint32_t pumps = shared->pumps;
    auto lastProgress = std::chrono::steady_clock::now();
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            break;
        }
        if (done < 0) {
            return "lost the game's process";
        }
        const auto now = std::chrono::steady_clock::now();
        if (shared->pumps != pumps) {
            pumps = shared->pumps;
            lastProgress = now;
        } else if (now - lastProgress > std::chrono::seconds(kHangSeconds)) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return "the game took no event for " + std::to_string(kHangSeconds) + " s";
        }
        usleep(20000);
    }
    if (shared->failure[0] != '\0') {
        return shared->failure;
    }
    if (WIFSIGNALED(status)) {
        return "the game died of signal " + std::to_string(WTERMSIG(status));
    }
    if (WEXITSTATUS(status) != 0) {
        return "the game ended with code " + std::to_string(WEXITSTATUS(status)) +
               " (a sanitizer report or a failed start)";
    }
    if (!shared->cleanExit) {
        return "the game ended without its saved roster being checked";
    }
    if (!shared->rosterSeen) {
        return "the game never showed the roster";
    }
    const std::string error = UnexplainedError(ReadAll(LogPath()));
    if (!error.empty()) {
        return "the log says: " + error;
    }
    return std::string();
}

void PrintFigures(const char* title, const MonkeyShared& s, int sessions, double wall) {
    std::printf("%s: %.2f simulated hours in %d sessions, %llu gestures, %.1f s wall\n", title,
                static_cast<double>(s.virtualMs) / 3600000.0, sessions,
                static_cast<unsigned long long>(s.step), wall);
    std::printf("  screens entered:");
    for (int i = 0; i < kScreenCount; ++i) {
        std::printf(" %s %u%s", kScreenNames[i], s.screenEntries[i],
                    i + 1 < kScreenCount ? "," : "\n");
    }
    std::printf(
        "  hunts %u (%u ended), shots %u, birds bagged %u, payouts %u ($%u), jail %u, game overs "
        "%u\n",
        s.hunts, s.huntsFinished, s.shots, s.birdsBagged, s.payouts, s.payoutDollars, s.jailVisits,
        s.gameOvers);
    std::printf(
        "  message boxes %u, list dialogs %u, names typed %u, money chords %u, clock chords %u\n",
        s.messageDialogs, s.listDialogs, s.namesTyped, s.moneyChords, s.clockChords);
    std::printf(
        "  quits by the window %u, quits through the credits %u, roster checks %u, saves "
        "checked %u\n",
        s.closes, s.credits, s.rosterChecks, s.savesChecked);
}

void AddFigures(MonkeyShared* total, const MonkeyShared& s) {
    total->virtualMs += s.virtualMs;
    total->step += s.step;
    for (int i = 0; i < kScreenCount; ++i) {
        total->screenEntries[i] += s.screenEntries[i];
    }
    for (auto [to, from] : {std::pair{&total->hunts, s.hunts},
                            {&total->huntsFinished, s.huntsFinished},
                            {&total->shots, s.shots},
                            {&total->birdsBagged, s.birdsBagged},
                            {&total->payouts, s.payouts},
                            {&total->payoutDollars, s.payoutDollars},
                            {&total->jailVisits, s.jailVisits},
                            {&total->gameOvers, s.gameOvers},
                            {&total->credits, s.credits},
                            {&total->closes, s.closes},
                            {&total->messageDialogs, s.messageDialogs},
                            {&total->listDialogs, s.listDialogs},
                            {&total->namesTyped, s.namesTyped},
                            {&total->moneyChords, s.moneyChords},
                            {&total->clockChords, s.clockChords},
                            {&total->rosterChecks, s.rosterChecks},
                            {&total->savesChecked, s.savesChecked}}) {
        *to += from;
    }
}

const ProgramOptions kOptions = {
    .name = "reedgunner-monkey",
    .usage = "[--dir DIR] [--data ROOT] [--keep-replays] SECONDS SEED...",
    .help =
        "Plays each seed headless at random for SECONDS of game time and checks the\n"
        "game's invariants throughout; a failure names the seed, session and step.\n"
        "options.dat is kept in the current folder, or in DIR/seed-N with --dir. A\n"
        "failed session's replay is kept as failed-session-N.rgr beside it.\n"
        "\n"
        "  --dir DIR       play each seed in a fresh folder DIR/seed-N\n"
        "  --data ROOT     the folder holding ReedShot/ (the CDROM setting)\n"
        "  --keep-replays  keep every session's replay as session-N.rgr\n"
        "  --help          show this help and exit\n"
        "  --version       show the version and exit\n",
    .withValue = {"--dir", "--data"},
    .flags = {"--keep-replays"},
};

}  // namespace

int main(int argc, char** argv) {
    if (const int status = SysProgramOptions(argc, argv, kOptions); status >= 0) {
        return status;
    }
    std::string dir;
    std::string data;
    bool keepReplays = false;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--keep-replays") {
            keepReplays = true;
        } else if ((word == "--dir" || word == "--data") && i + 1 < argc) {
            (word == "--dir" ? dir : data) = fs::absolute(argv[++i]).string();
        } else {
            words.push_back(word);
        }
    }
    const long seconds = words.empty() ? 0 : std::strtol(words[0].c_str(), nullptr, 10);
    if (words.size() < 2 || seconds <= 0) {
        return SysUsageError(kOptions, words.empty() ? "no SECONDS and SEED given"
                                                     : "SECONDS above 0 and a SEED are needed");
    }
    auto* shared = static_cast<MonkeyShared*>(mmap(
        nullptr, sizeof(MonkeyShared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (shared == MAP_FAILED) {
        std::perror("monkey: mmap");
        return 1;
    }
    const uint64_t totalMs = static_cast<uint64_t>(seconds) * 1000;
    const uint32_t longest = static_cast<uint32_t>(
        std::clamp<uint64_t>(totalMs / 2, kShortestSessionMs, kLongestSessionMs));
    MonkeyShared total{};
    int totalSessions = 0;
    const auto started = std::chrono::steady_clock::now();
    for (size_t w = 1; w < words.size(); ++w) {
        const uint32_t seed = static_cast<uint32_t>(std::strtoul(words[w].c_str(), nullptr, 10));
        if (!dir.empty() && !MakeHome(fs::path(dir) / ("seed-" + words[w]), data)) {
            return 1;
        }
        LogReset();  // the log of this seed's folder
        std::memset(shared, 0, sizeof *shared);
        const auto seedStarted = std::chrono::steady_clock::now();
        int session = 0;
        while (shared->virtualMs < totalMs) {
            MonkeyPlan plan{};
            plan.seed = Mix(seed, static_cast<uint32_t>(session));
            const uint64_t left = totalMs - shared->virtualMs;
            const uint32_t span = longest - kShortestSessionMs / 2;
            plan.lengthMs = kShortestSessionMs / 2 + plan.seed % span;
            plan.lengthMs = static_cast<uint32_t>(std::min<uint64_t>(plan.lengthMs, left));
            plan.firstStep = shared->step;
            shared->pumps = shared->sessionMs = 0;
            shared->rosterSeen = shared->cleanExit = 0;
            shared->failure[0] = '\0';
            std::fflush(stdout);
            const pid_t child = fork();
            if (child < 0) {
                std::perror("monkey: fork");
                return 1;
            }
            if (child == 0) {
                RunSession(plan, shared);
            }
            const std::string why = AwaitSession(child, shared);
            shared->virtualMs += shared->sessionMs;
            const fs::path replay = fs::current_path() / kSessionReplay;
            if (!why.empty()) {
                std::fprintf(stderr, "monkey: seed %u, session %d, step %llu, screen %u: %s\n",
                             seed, session, static_cast<unsigned long long>(shared->step),
                             shared->screen, why.c_str());
                const fs::path kept =
                    replay.parent_path() / ("failed-session-" + std::to_string(session) + ".rgr");
                std::error_code error;
                fs::rename(replay, kept, error);
                if (!error) {
                    std::fprintf(stderr, "monkey: its replay: reedgunner-script --replay %s\n",
                                 kept.c_str());
                }
                return 1;
            }
            std::error_code ignored;
            if (keepReplays) {
                fs::rename(replay,
                           replay.parent_path() / ("session-" + std::to_string(session) + ".rgr"),
                           ignored);
            } else {
                fs::remove(replay, ignored);
            }
            ++session;
        }
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - seedStarted).count();
        PrintFigures(("seed " + words[w]).c_str(), *shared, session, wall);
        AddFigures(&total, *shared);
        totalSessions += session;
    }
    if (words.size() > 2) {
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        PrintFigures("all seeds", total, totalSessions, wall);
    }
    return 0;
}
