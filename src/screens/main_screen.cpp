#include "screens/main_screen.h"

#include <array>

#include "engine/config.h"
#include "engine/dialogs.h"
#include "engine/draw.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/transitions.h"
#include "hunt/clubs.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "screens/credits.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kBrokeMoney = 5;
constexpr int32_t kBrokeShells = 4;

int32_t mainGraphicCount = 0;

std::array<Button, 7> buttons = ButtonList({
    At({.x = 70, .y = 302, .width = 104, .height = 84},
       {.graphic = 21, .arg = 0, .handler = GoHunt}),
    At({.x = 244, .y = 186, .width = 110, .height = 84},
       {.graphic = 22, .arg = 1, .handler = GoHunt}),
    At({.x = 64, .y = 164, .width = 114, .height = 86},
       {.graphic = 23, .arg = 2, .handler = GoHunt}),
    At({.x = 442, .y = 231, .width = 116, .height = 96},
       {.graphic = 24, .arg = 3, .handler = GoHunt}),
    At({.x = 520, .y = 360, .width = 102, .height = 50},
       {.graphic = 25, .arg = kScreenStore, .handler = ExitScreen}),
    At({.x = 514, .y = 411, .width = 94, .height = 45},
       {.graphic = 26, .arg = kScreenRoster, .handler = ExitScreen}),
    At({.x = 3, .y = 420, .width = 76, .height = 55}, {.graphic = 1, .handler = DoExit}),
});

}  // namespace

Button* MainButtons() {
    return buttons.data();
}

bool PlayerIsBroke() {
    return player->money < kBrokeMoney && player->items[kItemShells] < kBrokeShells;
}

void DoExit(int32_t) {
    Trace("DoExit");
    SoundPlay(kQuestionSound);
    if (MessageDialog("Exit Talmadge|Reed Gunner?", "Yes|No") != 1) {
        return;
    }
    if (Screen(currentScreen).exit != nullptr) {
        Screen(currentScreen).exit();
    }
    Credits();
    ClearBackPage();
    BlockWipeTopLeft();
    ClearDisplay();
    quitGame = 1;
}

void DrawMainScreen() {
    Trace("DrawMainScreen()");
    player->goalCount = CountGoals(*player);
    mainGraphicCount = LoadGraphics(kScreenBankSlot, "spr_03");
    LoadBackground("bkg_03");
    CopyWorkPage();
    textTarget = backPage;
    DrawFontTextf(0, 350, 437, "%d", player->money);
    RandomBlockWipe();
    ShowCursor();
}

void DumpMainScreen() {
    Trace("DumpMainScreen()");
    FreeGraphics(kScreenBankSlot, mainGraphicCount);
    mainGraphicCount = 0;
    StopMusic();
}

void DoMainScreen() {
    if (PlayerIsBroke()) {
        hunt.jailState = kJailBroke;
        SwitchScreen(kScreenJail);
        return;
    }
    DoButtonList(buttons.data());
}

void GoHunt(int32_t club) {
    const Club& info = ClubInfo(club);
    if (club != 0) {
        // The fee is taken only when the money covers it.
        if (player->money < info.fee) {
            SoundPlay(kRefusalSound);
            MessageDialog("Not enough money", "Oh");
            return;
        }
        player->money -= info.fee;
        SaveOptions();
    }
    SoundPlay(kClickSound);
    hunt.club = club;
    BusyCursor();
    // The main screen's Exit handler is not run: the hunt stops the music.
    FreeGraphics(kScreenBankSlot, mainGraphicCount);
    mainGraphicCount = 0;
    currentScreen = kScreenHunt;
    DrawWaterFowlScreen();
    SetCursorShape(kArrowPointer);
    ShowCursor();
}
