// The entry point: brings the game up in its fixed order and takes it down again.
#include <cstdio>

#include "app/config.h"
#include "app/options.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "platform/sound.h"

namespace {

// String resource 100: the first line of every run's log.
constexpr const char* kLogTitle = "Talmadge Reed Gunner 1.0 Error Log";

// What the display library keeps as our application instance: any address of
// ours will do, it is only asked for before the library comes up.
char appInstance;

}  // namespace

int main() {
    GDL_setAppInstance(&appInstance);
    LogPrintf("%s", kLogTitle);
    CheckRegistry();
    LogPrintf("DirectX: %d, DirectVideo: %d, DirectSound: %d", static_cast<int>(DirectX),
              static_cast<int>(DirectVideo), static_cast<int>(DirectSound));
    LoadOptions();
    if (GraphicsInit() == 0) {
        return 1;
    }
    SoundInit();  // without a sound device the game plays silently
    SeedRandom(TimerCount());

    // The screens are not built yet: what exists has run.
    std::printf(
        "Talmadge Reed Gunner: settings read, options.dat loaded (current player %u, \"%.*s\"),\n"
        "display and sound up. The screens are still to come; saving options.dat and leaving.\n"
        "Log: %s\n",
        currentPlayer, static_cast<int>(PlayerName(*player).size()), PlayerName(*player).data(),
        LogPath());

    SaveOptions();
    SoundExit();
    GraphicsExit();
    return 0;
}
