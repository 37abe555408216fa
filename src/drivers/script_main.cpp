// reedgunner-script SCRIPT [CAPTURE_DIR]: plays the whole game on the headless
// backend with input from a script.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/game.h"
#include "app/replay.h"
#include "drivers/script.h"
#include "sys/backend.h"
#include "sys/program_options.h"
#include "sys/replay.h"

namespace {

// reedgunner-script --replay FILE [CAPTURE_DIR].
int PlayReplay(const char* program, const char* file, const char* captureDir) {
    std::string why;
    if (!ReplayLoad(file, ReplayPace::Headless, &why)) {
        std::fprintf(stderr, "%s: %s: %s\n", program, file, why.c_str());
        return 1;
    }
    SysSetHeadless(true);
    ReplayCheckpoints(stdout, captureDir != nullptr ? captureDir : "");
    const int code = RunGame();
    if (code == 0 && (SysReplayDrifted() || SysReplayBytesLeft() > 0)) {
        std::fprintf(stderr, "%s: the game ended with %zu bytes of the recording left\n", file,
                     SysReplayBytesLeft());
        return 1;
    }
    return code;
}

// A test driver: unlike the game it keeps options.dat in the current folder,
// so every script plays in a scratch folder of its own.
const ProgramOptions kOptions = {
    .name = "reedgunner-script",
    .usage = "SCRIPT [CAPTURE_DIR] | --replay FILE [CAPTURE_DIR]",
    .help =
        "Plays the game headless with input from SCRIPT, writing what its snap lines\n"
        "see into CAPTURE_DIR; or plays a recorded session as it was played, printing\n"
        "a hash of the picture every 5 seconds of it (snapped into CAPTURE_DIR when\n"
        "given). options.dat is read and written in the current folder; settings and\n"
        "log come from their usual places.\n"
        "\n"
        "  --replay FILE  play the recorded session FILE\n"
        "  --help         show this help and exit\n"
        "  --version      show the version and exit\n",
    .withValue = {"--replay"},
};

}  // namespace

int main(int argc, char** argv) {
    if (const int status = SysProgramOptions(argc, argv, kOptions); status >= 0) {
        return status;
    }
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--replay") == 0) {
        return PlayReplay(argv[0], argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc < 2 || argc > 3) {
        return SysUsageError(kOptions, argc < 2 ? "no script named" : "too many arguments");
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::vector<ScriptCommand> commands;
    std::string error;
    if (!ParseScript(text.str(), &commands, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    SysSetHeadless(true);
    StartScriptRunner(commands, argc == 3 ? argv[2] : "");
    const int code = RunGame();
    if (code == 0 && ScriptCommandsLeft() > 0) {
        std::fprintf(stderr, "%s: the game ended with %zu commands left\n", argv[1],
                     ScriptCommandsLeft());
        return 1;
    }
    return code;
}
