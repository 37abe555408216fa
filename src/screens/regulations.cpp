#include "screens/regulations.h"

#include <array>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/transitions.h"
#include "hunt/clubs.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kTextPageToggle = 18;
constexpr int32_t kPicturePageToggle = 19;

// The areas under the two buttons, exit first.
constexpr int32_t kExitX = 512, kExitY = 378, kExitW = 80, kExitH = 60;
constexpr int32_t kToggleX = 254, kToggleY = 387, kToggleW = 140, kToggleH = 60;

int32_t pageFlag = 0;
std::array<uint8_t, kExitW * kExitH> exitSave{};
std::array<uint8_t, kToggleW * kToggleH> toggleSave{};

std::array<Button, 2> buttons = ButtonList({
    At({.x = 254, .y = 387, .width = 140, .height = 45},
       {.graphic = kTextPageToggle, .handler = ToggleRegsPage}),
    At({.x = 513, .y = 387, .width = 74, .height = 51}, {.graphic = 5, .handler = ExitRegs}),
});

void GiveButtonAreasBack() {
    RestoreImage(exitSave.data(), workPage, kExitX, kExitY, kExitW, kExitH);
    RestoreImage(toggleSave.data(), workPage, kToggleX, kToggleY, kToggleW, kToggleH);
}

}  // namespace

Button* RegsButtons() {
    return buttons.data();
}

void DrawRegsScreen() {
    cursorInBackPage = 0;
    pageFlag = 0;
    DrawRegsPage();
}

void RestoreRegsButtons() {
    GiveButtonAreasBack();
}

void DoRegsScreen() {
    DoButtonList(buttons.data());
}

void DrawRegsPage() {
    if (pageFlag == 0) {
        LoadBackground2("bkg_05");
        textTarget = backPage;
        DrawFontText(0, 50, 110, "Daily Bag Limit:");
        DrawFontText(0, 50, 170, "Exceptions:");
        DrawFontText(0, 50, 290, "Shooting Hours");
        DrawFontText(0, 90, 320, "Begin:");
        DrawFontText(0, 90, 350, "End:");
        const Club& club = ClubInfo(hunt.club);
        DrawFontText(0, 50, 50, club.texts[0]);
        DrawFontText(0, 260, 110, club.texts[1]);
        DrawFontText(0, 260, 170, club.texts[2]);
        DrawFontText(0, 260, 200, club.texts[3]);
        DrawFontText(0, 260, 230, club.texts[4]);
        DrawFontText(0, 260, 320, club.texts[5]);
        DrawFontText(0, 260, 350, club.texts[6]);
        buttons[0].graphic = kTextPageToggle;
    } else {
        LoadBackground2("bkg_09");
        buttons[0].graphic = kPicturePageToggle;
    }
    RandomBlockWipe();
    SaveImage(workPage, exitSave.data(), kExitX, kExitY, kExitW, kExitH);
    CopyPageRect(backPage, workPage, kExitX, kExitY, kExitW, kExitH);
    SaveImage(workPage, toggleSave.data(), kToggleX, kToggleY, kToggleW, kToggleH);
    CopyPageRect(backPage, workPage, kToggleX, kToggleY, kToggleW, kToggleH);
    ShowCursor();
}

void ToggleRegsPage(int32_t) {
    SoundPlay(kClickSound);
    FlushClicks();
    pageFlag = !pageFlag;
    GiveButtonAreasBack();
    DrawRegsPage();
}

void ExitRegs(int32_t arg) {
    Trace("ExitRegs( %d )", arg);
    SoundPlay(kClickSound);
    FlushClicks();
    SwitchOverlay(kScreenHunt);
}
