#include "screens/game_bag.h"

#include <array>
#include <cstdio>
#include <cstring>

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

// Inside a pocket: the picture area at its top, where the bird and its shadow
// are centred, then the count line in two rows under it.
constexpr int32_t kRim = 6;
constexpr int32_t kPictureH = 90;
constexpr int32_t kShadowOffset = 5;
constexpr int32_t kLineRows = 24;
static_assert(kGameBagKinds == 8, "two rows of four pockets");
static_assert(BagPocketRect(7).y + BagPocketRect(7).h + 3 < 416, "the pockets end above the seam");

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

// The bird centred in the pocket's picture area by its frame's own box (the
// frames are anchored at the bird's centre), the line "2 Mallard Drakes" under
// it as "2 Mallard" over "Drakes", each centred.
void DrawBagPocket(const BagPocket& pocket, const GameBagEntry& entry) {
    const int32_t graphic = entry.graphic + kBirdSlot;
    if (graphic >= kBirdSlot && graphic <= maxGraphic) {
        const GraphicSlot& g = Graphic[static_cast<size_t>(graphic)];
        const int32_t areaW = pocket.w - 2 * kRim;
        const int32_t left = pocket.x + kRim + (areaW - g.width - kShadowOffset) / 2;
        const int32_t top = pocket.y + kRim + (kPictureH - g.height - kShadowOffset) / 2;
        const int32_t x = left - g.xoff;
        const int32_t y = top - g.yoff;
        BlitShadow(graphic, x + kShadowOffset, y + kShadowOffset, kShadowColour, backPage);
        BlitGraphic(graphic, x, y, backPage);
    }
    char line[64];
    GameBagLine(entry.count, entry.species, entry.sex, line, sizeof line);
    char* sex = std::strrchr(line, ' ');
    if (sex != nullptr) {
        *sex++ = '\0';
    }
    int32_t y = pocket.y + kRim + kPictureH;
    for (const char* row : {static_cast<const char*>(line), static_cast<const char*>(sex)}) {
        if (row != nullptr) {
            DrawFontText(0, pocket.x + (pocket.w - FontTextWidth(0, row)) / 2, y, row);
        }
        y += kLineRows;
    }
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
            DrawBagPocket(BagPocketRect(i), entry);
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
