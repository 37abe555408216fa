// reedgunner-script SCRIPT [CAPTURE_DIR]: plays the whole game on the headless
// backend with input from a script.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/game.h"
#include "drivers/script.h"
#include "sys/backend.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s SCRIPT [CAPTURE_DIR]\n", argv[0]);
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
