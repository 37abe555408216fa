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
void PrintUsage(FILE* out, const char* program) {
    std::fprintf(out,
                 "usage: %s SCRIPT [CAPTURE_DIR]\n"
                 "       %s --replay FILE [CAPTURE_DIR]\n"
                 "Plays the game headless with input from SCRIPT, or as a recorded session\n"
                 "played it (printing a hash of the picture every 5 seconds of it, snapped\n"
                 "into CAPTURE_DIR when given). options.dat is read and written in the\n"
                 "current folder; settings and log come from their usual places.\n",
                 program, program);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout, argv[0]);
        return 0;
    }
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--replay") == 0) {
        return PlayReplay(argv[0], argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc < 2 || argc > 3) {
        PrintUsage(stderr, argv[0]);
        return 2;
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
