// The game in a web page. The page starts it with no arguments to play, or
// with "--script FILE [SEED]" to play a script of the script runner headless
// on the virtual clock, its snaps written to /snaps/ for the page to read:
// the same script in the native runner must make the same frames.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "app/game.h"
#include "drivers/script.h"
#include "sys/backend.h"
#include "sys/paths.h"

namespace {

int PlayScript(const char* path, const char* seed) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "reedgunner-web: cannot read %s\n", path);
        return 1;
    }
    std::ostringstream text;
    if (seed != nullptr) {
        text << "seed " << seed << "\n";
    }
    text << file.rdbuf();
    std::vector<ScriptCommand> commands;
    std::string error;
    if (!ParseScript(text.str(), &commands, &error)) {
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return 1;
    }
    SysSetHeadless(true);
    StartScriptRunner(commands, "/snaps");
    const int code = RunGame();
    if (code == 0 && ScriptCommandsLeft() > 0) {
        std::fprintf(stderr, "%s: the game ended with %zu commands left\n", path,
                     ScriptCommandsLeft());
        return 1;
    }
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && argc <= 4 && std::strcmp(argv[1], "--script") == 0) {
        return PlayScript(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc > 1) {
        std::fprintf(stderr, "reedgunner-web: unexpected argument '%s'\n", argv[1]);
        return 2;
    }
    return RunGameInSavesFolder();
}
