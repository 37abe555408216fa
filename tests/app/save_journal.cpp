// reedgunner_save_journal SCRIPT JOURNAL: plays SCRIPT as reedgunner-script
// does and appends every options.dat the game saves, whole, to JOURNAL, so the
// kill test knows each roster the session had at a completed change. The
// journal is taken as the finished file is renamed into place: the game's
// rename is replaced at link time by the one below.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/game.h"
#include "drivers/script.h"
#include "sys/backend.h"

namespace {

int journal = -1;

bool EndsWith(const char* text, const char* end) {
    const size_t length = std::strlen(text);
    const size_t endLength = std::strlen(end);
    return length >= endLength && std::strcmp(text + length - endLength, end) == 0;
}

}  // namespace

extern "C" int rename(const char* from, const char* to) noexcept {
    if (journal >= 0 && EndsWith(to, "options.dat")) {
        std::ifstream file(from, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        const std::string saved = bytes.str();
        if (write(journal, saved.data(), saved.size()) != static_cast<ssize_t>(saved.size())) {
            _exit(3);
        }
    }
    return renameat(AT_FDCWD, from, AT_FDCWD, to);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCRIPT JOURNAL\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    std::vector<ScriptCommand> commands;
    std::string error;
    journal = open(argv[2], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (!file || journal < 0 || !ParseScript(text.str(), &commands, &error)) {
        std::fprintf(stderr, "%s: cannot play %s: %s\n", argv[0], argv[1], error.c_str());
        return 1;
    }
    SysSetHeadless(true);
    StartScriptRunner(commands, "");
    return RunGame();
}
