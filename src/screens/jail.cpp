#include "screens/jail.h"

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "hunt/characters.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kSheriff = 21;
constexpr uint32_t kSilentGameOverMs = 6000;

int32_t jailCount = 0;

// The game-over picture with its music, or six silent seconds when no music
// plays (switched off, no sound device, no file, no free channel).
void GameOverScene(int32_t graphic) {
    LoadBackground("bkg_08");
    const int32_t count = LoadGraphics(kGameOverSlot, "spr_08");
    CopyWorkPage();
    BlitGraphic(graphic, 156, 320, backPage);
    RandomBlockWipe();
    if (player->musicOn == 1) {
        PlayMusic("gameover");
    }
    if (MusicIsPlaying() != 0) {
        WaitMusic();
    } else {
        TimerWait(0);
        TimerWait(kSilentGameOverMs);
    }
    FreeGraphics(kGameOverSlot, count);
}

void JailScene() {
    jailCount = LoadGraphics(kJailSlot, "jail");
    BlitGraphic(kJailSlot, 0, 0, workPage);
    FreeGraphics(kJailSlot, 1);
    CopyWorkPage();
    FadePalette(255);
    RandomBlockWipe();
    DoSheriffComment(kSheriff, hunt.jailState, 325, 479);
    ShowCursor();
    // The sheriff's depth map, and whatever else the bank held.
    if (jailCount > 1) {
        FreeGraphics(kJailSlot + 1, jailCount - 1);
    }
    jailCount = 0;
}

}  // namespace

void DrawJailScreen() {
    Trace("DrawJailScreen()");
    if (hunt.jailState != kJailBroke) {
        JailScene();
        if (hunt.jailState != kJailUnpaidFine) {
            hunt.jailState = kJailFree;
            SwitchScreen(kScreenMain);
            return;
        }
    }
    GameOverScene(hunt.jailState == kJailBroke ? kGameOverSlot : kGameOverSlot + 1);
    StartNewGame(player);  // under the same name and volume
    SaveOptions();
    hunt.jailState = kJailFree;
    SwitchScreen(kScreenRoster);
}
