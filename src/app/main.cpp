// The entry point of the game.

#include <cstdio>
#include <cstring>
#include <string>

#include "app/game.h"
#include "app/replay.h"
#include "sys/identity.h"
#include "sys/paths.h"

namespace {

void PrintUsage(FILE* out, const char* program) {
    std::fprintf(out, "Usage: %s [--help | --version | --replay FILE]\n", program);
}

// What the game is and where it keeps its files. Reads nothing and creates
// nothing, so asking for help never changes a setting or the log.
void PrintHelp(const char* program) {
    PrintUsage(stdout, program);
    const std::string installed = SysInstalledDataRoot();
    const std::string data =
        installed.empty() ? "the data files in the saves folder" : installed + "ReedShot/";
    const std::string beside = SysProgramDataRoot();
    const std::string fallback =
        beside.empty()
            ? ""
            : ";\n               a CDROM folder without it gives way to " + beside + "ReedShot/";
    std::printf(
        "\n"
        "Talmadge Reed Gunner %s: a single-player duck-hunting game in the manner of the\n"
        "mid-1990s (640x480, 256 colours, mouse and sound). Keep saved games, buy gear in\n"
        "the store, pick a hunting club, call and shoot ducks from a blind on the marsh,\n"
        "and face the game warden at dusk.\n"
        "\n"
        "The game reads its settings from Settings.ini; its options:\n"
        "\n"
        "  --help         show this help and exit\n"
        "  --version      show the version and exit\n"
        "  --replay FILE  play a recorded session back in a window (Escape ends it)\n"
        "\n"
        "Files:\n"
        "  saved games  options.dat in %s\n"
        "               (made when missing), whatever folder the game is started from;\n"
        "               saved after every change, the file before the last save kept as\n"
        "               options.dat.bak and an unreadable one as options.dat.damaged\n"
        "  settings     %sSettings.ini\n"
        "  log          %sPELLMAR.TXT, started anew by each run\n"
        "  replays      %sreplays/, the last 20 sessions played in a window\n"
        "  game data    CDROM/ReedShot/ when Settings.ini names a CDROM folder that\n"
        "               holds it, else %s%s\n"
        "\n"
        "Environment:\n"
        "  XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_STATE_HOME  move the saves, settings and log\n"
        "  REEDGUNNER_HEADLESS=1  run with no window and no sound\n"
        "\n"
        "A start-up that cannot go on says why on standard error (and in a box when\n"
        "there is a display) and exits with status 1.\n",
        kGameVersion, SysSavesDir().c_str(), SysConfigDir().c_str(), SysStateDir().c_str(),
        SysStateDir().c_str(), data.c_str(), fallback.c_str());
}

}  // namespace

// Two options a Linux desktop expects and --replay; anything else is refused
// before the game starts.
int main(int argc, char** argv) {
    // --replay FILE plays a recorded session back in a window.
    const bool replay = argc == 3 && std::strcmp(argv[1], "--replay") == 0;
    if (std::string why; replay && !ReplayLoad(argv[2], ReplayPace::Window, &why)) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[2], why.c_str());
        return 1;
    }
    if (argc > 1 && !replay) {
        if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
            PrintHelp(argv[0]);
            return 0;
        }
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
            std::printf("reedgunner (Talmadge Reed Gunner) %s\n", kGameVersion);
            return 0;
        }
        if (argc == 2) {
            std::fprintf(stderr, "%s: unknown option '%s'\n", argv[0], argv[1]);
        } else {
            std::fprintf(stderr, "%s: unexpected argument '%s'\n", argv[0], argv[2]);
        }
        PrintUsage(stderr, argv[0]);
        std::fprintf(stderr, "Try '%s --help' for more information.\n", argv[0]);
        return 2;
    }
    return RunGameInSavesFolder();
}
