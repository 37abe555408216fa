#pragma once
// The game brought up as it starts, for the benchmarks that measure its own
// screens: settings, display, sound and the game, with the music off so a
// waiting screen is measured waiting. False (with a line saying why) when it
// cannot start.
#include <cstdio>

#include "app/game.h"
#include "engine/config.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "shell/options.h"

inline bool StartGameQuietly() {
    static char appInstance;
    GDL_setAppInstance(&appInstance);
    CheckRegistry();
    if (GraphicsInit() == 0) {
        std::fprintf(stderr, "no display (see the log)\n");
        return false;
    }
    SoundInit();
    if (GameInit() == 0) {
        std::fprintf(stderr, "the game cannot start (see the log)\n");
        return false;
    }
    player->musicOn = 0;
    StopMusic();
    return true;
}
