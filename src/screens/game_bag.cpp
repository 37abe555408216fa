#include "screens/game_bag.h"

#include <array>
#include <cstdio>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/transitions.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/screens.h"

namespace {

constexpr uint8_t kShadowColour = 254;

// The areas under the two buttons. 55 rows: the save stops above the screen's
// last row, and the copy into the work page must take no more than was saved.
constexpr int32_t kAreaW = 80;
constexpr int32_t kAreaH = 55;
constexpr int32_t kToggleAreaX = 8;
constexpr int32_t kExitAreaX = 552;
constexpr int32_t kAreaY = 424;

constexpr std::array<std::array<int32_t, 2>, kGameBagKinds> kPlaces = {{
    {50, 80},
    {370, 80},
    {50, 180},
    {370, 180},
    {50, 280},
    {370, 280},
    {50, 380},
    {370, 380},
}};

int32_t pageFlag = 0;
std::array<uint8_t, kAreaW * kAreaH> toggleSave{};
std::array<uint8_t, kAreaW * kAreaH> exitSave{};

std::array<Button, 2> buttons = ButtonList({
    At({.x = 10, .y = 424, .width = 76, .height = 46},
       {.graphic = 20, .handler = ToggleGameBagPage}),
    At({.x = 553, .y = 424, .width = 76, .height = 46}, {.graphic = 5, .handler = ExitGameBag}),
});

// The hunt's pixels under the buttons saved, the page's put in their place, so
// that unlighting a button shows the bag page.
void TakeButtonAreas() {
    SaveImage(workPage, toggleSave.data(), kToggleAreaX, kAreaY, kAreaW, kAreaH);
    SaveImage(workPage, exitSave.data(), kExitAreaX, kAreaY, kAreaW, kAreaH);
    CopyPageRect(backPage, workPage, kToggleAreaX, kAreaY, kAreaW, kAreaH);
    CopyPageRect(backPage, workPage, kExitAreaX, kAreaY, kAreaW, kAreaH);
}

void GiveButtonAreasBack() {
    RestoreImage(exitSave.data(), workPage, kExitAreaX, kAreaY, kAreaW, kAreaH);
    RestoreImage(toggleSave.data(), workPage, kToggleAreaX, kAreaY, kAreaW, kAreaH);
}

}  // namespace

Button* GameBagButtons() {
    return buttons.data();
}

void GameBagLine(int32_t count, int32_t species, int32_t sex, char* out, int32_t size) {
    const char* kind =
        species >= 0 && species < kSpeciesCount ? speciesNames[static_cast<size_t>(species)] : "?";
    const char* sexName = sex == 0 || sex == 1 ? sexNames[static_cast<size_t>(sex)] : "?";
    std::snprintf(out, static_cast<size_t>(size), "%d %s %s%s", count, kind, sexName,
                  count > 1 ? "s" : "");
}

void DrawGameBagScreen() {
    pageFlag = 0;
    cursorInBackPage = 0;
    DrawGameBagPage();
    TakeButtonAreas();
}

void RestoreGameBagButtons() {
    GiveButtonAreasBack();
}

void DoGameBagScreen() {
    DoButtonList(buttons.data());
}

void DrawGameBagPage() {
    if (pageFlag == 0) {
        LoadBackground2("bkg_06");
        textTarget = backPage;
        for (int i = 0; i < kGameBagKinds; ++i) {
            const GameBagEntry& entry = hunt.gameBag[static_cast<size_t>(i)];
            if (entry.count == 0) {
                continue;
            }
            const int32_t x = kPlaces[static_cast<size_t>(i)][0];
            const int32_t y = kPlaces[static_cast<size_t>(i)][1];
            BlitShadow(entry.graphic + kBirdSlot, x + 5, y + 5, kShadowColour, backPage);
            BlitGraphic(entry.graphic + kBirdSlot, x, y, backPage);
            char line[64];
            GameBagLine(entry.count, entry.species, entry.sex, line, sizeof line);
            DrawFontText(0, x + 10, y, line);
            WaitSound(kIconSound);  // nothing plays sound 1 here; kept as the game has it
        }
    } else {
        LoadBackground2("bkg_10");
    }
    RandomBlockWipe();
    ShowCursor();
}

void ToggleGameBagPage(int32_t) {
    SoundPlay(kClickSound);
    FlushClicks();
    pageFlag = !pageFlag;
    // The areas under the buttons follow the page, as on the regulations.
    GiveButtonAreasBack();
    DrawGameBagPage();
    TakeButtonAreas();
}

void ExitGameBag(int32_t arg) {
    Trace("ExitGameBag( %d )", arg);
    SoundPlay(kClickSound);
    DrainMouse();
    SwitchOverlay(kScreenHunt);
}
