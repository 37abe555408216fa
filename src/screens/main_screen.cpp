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
#include "screens/credits.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int kClickSound = 0;
constexpr int kRefusalSound = 5;
constexpr int kQuestionSound = 3;
constexpr int32_t kBrokeMoney = 5;
constexpr int32_t kBrokeShells = 4;

int32_t mainGraphicCount = 0;

std::array<Button, 7> buttons = {{
    {70, 302, 104, 84, 1, 1, 0, 21, 0, GoHunt, 1},
    {244, 186, 110, 84, 1, 1, 0, 22, 1, GoHunt, 2},
    {64, 164, 114, 86, 1, 1, 0, 23, 2, GoHunt, 3},
    {442, 231, 116, 96, 1, 1, 0, 24, 3, GoHunt, 4},
    {520, 360, 102, 50, 1, 1, 0, 25, kScreenStore, ExitScreen, 5},
    {514, 411, 94, 45, 1, 1, 0, 26, kScreenRoster, ExitScreen, 6},
    {3, 420, 76, 55, 1, 1, 0, 1, 0, DoExit, -1},
}};

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
