#include "hunt/panel.h"

#include <array>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/dialogs.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "hunt/flights.h"
#include "hunt/gun.h"
#include "hunt/hunt.h"
#include "hunt/judgement.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr uint32_t kHandColour = 254;
constexpr int32_t kClockCentreX = 119, kClockCentreY = 447;
constexpr int32_t kFullLight = 64;
constexpr int32_t kDuskFloor = 28;  // the dusk fade stops at intensity 111
constexpr int32_t kTwilight = 45;   // minutes of dawn and dusk around the hours

std::array<Button, 8> iconBar = ButtonList({
    At({.x = 7, .y = 429, .width = 74, .height = 45},
       {.graphic = 2, .arg = 0, .handler = QuitHunt}),
    At({.x = 86, .y = 429, .width = 66, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 1, .handler = PauseHunt}),
    At({.x = 157, .y = 422, .width = 66, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 2, .handler = ShowRegulations}),
    At({.x = 228, .y = 429, .width = 66, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 3, .handler = ShowGameBag}),
    At({.x = 297, .y = 422, .width = 66, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 4, .handler = ToggleDecoys}),
    At({.x = 371, .y = 422, .width = 66, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 5, .handler = DuckCallButton}),
    At({.x = 442, .y = 422, .width = 81, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 6, .handler = SwitchGun}),
    At({.x = 528, .y = 422, .width = 104, .height = 45},
       {.hoverable = 0, .graphic = 0, .arg = 7, .handler = LoadShell}),
});

struct Point {
    int32_t x, y;
};
// Hand end points from twelve o'clock clockwise.
constexpr std::array<Point, 12> kMinuteHand = {{
    {119, 433},
    {126, 435},
    {132, 440},
    {134, 447},
    {131, 455},
    {126, 460},
    {119, 462},
    {112, 459},
    {107, 455},
    {105, 447},
    {107, 440},
    {112, 435},
}};
constexpr std::array<Point, 12> kHourHand = {{
    {119, 438},
    {125, 440},
    {128, 443},
    {129, 447},
    {128, 453},
    {125, 456},
    {119, 457},
    {114, 456},
    {111, 452},
    {110, 447},
    {111, 443},
    {114, 439},
}};
constexpr std::array<Point, 12> kHourHandHalfPast = {{
    {122, 438},
    {127, 441},
    {129, 445},
    {129, 450},
    {127, 455},
    {122, 457},
    {117, 457},
    {112, 454},
    {110, 450},
    {110, 445},
    {112, 441},
    {116, 438},
}};

uint8_t Owns(int item) {
    return player != nullptr && player->items[static_cast<size_t>(item)] != 0 ? 1 : 0;
}

}  // namespace

Button* IconBar() {
    return iconBar.data();
}

void ClickIconBar() {
    Button* button = HitTestButtons(iconBar.data(), pointerX, pointerY);
    if (button != nullptr && button->handler != nullptr) {
        button->handler(button->arg);
    }
}

void InitInterfaceIcons() {
    Trace("InitInterfaceIcons");
    hunt.brightness = 27;
    SaveImage(workPage, hunt.callIconSave.data(), 370, 421, kCallIconW, kCallIconH);
    SaveImage(workPage, hunt.gunIconSave.data(), 442, 421, kGunIconW, kGunIconH);
    SaveImage(workPage, hunt.shellIconSave.data(), 528, 421, kShellIconW, kShellIconH);
    hunt.saidOnce.fill(0);
    hunt.decoysOut = 0;
    hunt.hasLicense = Owns(kItemLicence);
    if (hunt.hasLicense) {
        BlitGraphic(kLicenceIcon, 157, 422, workPage);
    }
    hunt.hasDecoys = Owns(kItemDecoys);
    if (hunt.hasDecoys) {
        BlitGraphic(kDecoyIcon, 297, 422, workPage);
    }
    hunt.hasShells = Owns(kItemShells);
    if (hunt.hasShells) {
        BlitGraphic(kShellIcon, 528, 422, workPage);
    }
    hunt.hasCall = 0;
    hunt.currentCall = -1;
    for (int32_t call = 0; call < kCallCount; ++call) {
        if (Owns(kItemCall1 + call)) {
            hunt.currentCall = call;
            hunt.hasCall = 1;
            BlitGraphic(kCallIcon + call, 371, 422, workPage);
            break;
        }
    }
    hunt.hasGun = 0;
    hunt.currentGun = -1;
    for (int32_t gun = 0; gun < kGunCount; ++gun) {
        hunt.gunOwned[static_cast<size_t>(gun)] = Owns(kItemGun1 + gun);
    }
    for (int32_t gun = 0; gun < kGunCount; ++gun) {
        if (hunt.gunOwned[static_cast<size_t>(gun)]) {
            hunt.currentGun = gun;
            hunt.hasGun = 1;
            BlitGraphic(kHuntGunIcon + gun, 442, 422, workPage);
            SetCursorShape(kArrowPointer);
            break;
        }
    }
    // The best owned gun in hand; its icon replaces the first one's, which
    // must not show through.
    for (int32_t gun = kGunCount - 1; gun > hunt.currentGun && hunt.hasGun; --gun) {
        if (hunt.gunOwned[static_cast<size_t>(gun)]) {
            RestoreImage(hunt.gunIconSave.data(), workPage, 442, 421, kGunIconW, kGunIconH);
            BlitGraphic(kHuntGunIcon + gun, 442, 422, workPage);
            hunt.currentGun = gun;
            break;
        }
    }
}

void QuitHunt(int32_t) {
    StopAllSounds();
    SoundPlay(kClickSound);
    ExitWaterfowl();
    FadePalette(255);
}

void PauseHunt(int32_t) {
    Trace("PauseHunt");
    PauseHuntUntil(nullptr);
}

void PauseHuntUntil(bool (*resume)()) {
    HideCursor();
    MessageDialogUntil(" |Game Paused....| ", "Resume", resume);
}

void DelayHuntClock(uint32_t ms) {
    hunt.lastStepTime += ms;
    hunt.lastMinuteTime += ms;
}

void ShowRegulations(int32_t) {
    if (!hunt.hasLicense) {
        return;
    }
    SoundPlay(kClickSound);
    hunt.scoreDirty = hunt.clockDirty = 1;
    SwitchOverlay(kScreenRegulations);
}

void ShowGameBag(int32_t) {
    SoundPlay(kClickSound);
    hunt.scoreDirty = hunt.clockDirty = 1;
    SwitchOverlay(kScreenGameBag);
}

void ToggleDecoys(int32_t) {
    if (action != kActionLeftPress || !hunt.hasDecoys) {
        return;
    }
    BlitGraphic2(kSceneSlot, 0, 0, kPanelTop, workPage);
    hunt.decoysPlaced = 0;
    hunt.decoysOut ^= 1;
    if (hunt.decoysOut) {
        SpreadDecoys();
        hunt.decoysPlaced = 1;
        hunt.decoyFactor = 0;
    } else {
        hunt.decoyFactor = 50;
    }
    CopyPageRect(workPage, backPage, 0, 240, 640, 240);
    CopyPageRect(backPage, displaySurface, 0, 240, 640, 240);
    hunt.clockDirty = hunt.scoreDirty = 1;
    SoundPlay(kIconSound);
}

void SpreadDecoys() {
    PlaceDecoys(1, 3, kOpenWater);
    PlaceDecoys(2, 3, kOpenWater);
    PlaceDecoys(1, 3, kOpenWater);
    PlaceDecoys(2, 3, kOpenWater);
}

void PlaceDecoys(int32_t kind, int32_t count, int32_t mapValue) {
    const GraphicSlot& map = Graphic[kDecoyMapSlot];
    // A map too small for its 160 by 120 cells is as good as none.
    if (map.data == nullptr || map.width < kDecoyMapW || map.height < kDecoyMapH) {
        LogPrintf("decoy map is NULL");
        return;
    }
    int32_t placed = 0;
    for (int tries = 0; tries < 101 && placed < count; ++tries) {
        const int32_t cx = Random() % kDecoyMapW;
        const int32_t cy = 59 + Random() % 61;
        const int32_t coin = Random() % 2;
        if (map.data[cy * kDecoyMapW + cx] != mapValue) {
            continue;
        }
        placed += 1;
        const int32_t size = (cy * 16 - 940) * 25 / 245;
        if (size > 10) {
            BlitDecoy(kDecoySlot + kind - 1 + coin, cx * 4, cy * 4, size);
        }
    }
}

void TickClock() {
    const uint32_t now = TimerCount();
    if (now - hunt.lastStepTime > kAnimStepMs) {
        hunt.animTick = 1;
        hunt.lastStepTime = now;
    }
    if (now - hunt.lastMinuteTime < kGameMinuteMs) {
        return;
    }
    hunt.lastMinuteTime = now;
    hunt.dayMinute += 1;
    if (hunt.dayMinute < hunt.beginMinute + kTwilight && hunt.brightness < kFullLight) {
        hunt.brightness += 1;
        FadePalette(hunt.brightness * 4 - 1);
    }
    if (hunt.dayMinute > hunt.endMinute - kTwilight && hunt.brightness >= kDuskFloor) {
        FadePalette(hunt.brightness * 4 - 1);
        hunt.brightness -= 1;
    }
    hunt.minute += 1;
    if (hunt.minute > 59) {
        hunt.minute = 0;
        hunt.hour += 1;
        if (hunt.hour > 23) {
            hunt.hour = 0;
        }
    }
    if (hunt.minute % 5 == 0) {
        hunt.clockDirty = 1;
    }
}

void DrawClock() {
    Trace("DrawClock: min=%d, hour=%d", hunt.minute, hunt.hour);
    CopyPageRect(workPage, backPage, kClockX, kClockY, kClockW, kClockH);
    DrawClockHands(hunt.hour, hunt.minute);
}

void DrawClockHands(int32_t hour, int32_t minute) {
    const auto hourIndex = static_cast<size_t>(((hour % 12) + 12) % 12);
    const auto minuteIndex = static_cast<size_t>(((minute / 5) % 12 + 12) % 12);
    const Point hourEnd = minute >= 30 ? kHourHandHalfPast[hourIndex] : kHourHand[hourIndex];
    const Point minuteEnd = kMinuteHand[minuteIndex];
    GDL_Surface* previous = GDL_makeCurrent(backPage);
    GDL_setColor(kHandColour);
    GDL_line(kClockCentreX, kClockCentreY, hourEnd.x, hourEnd.y);
    GDL_line(kClockCentreX, kClockCentreY, minuteEnd.x, minuteEnd.y);
    GDL_makeCurrent(previous);
}

void PresentClock() {
    CopyPageRect(backPage, displaySurface, kClockX, kClockY, kClockW, kClockH);
    hunt.clockDirty = 0;
}

void DrawScore() {
    Trace("DrawScore");
    CopyPageRect(workPage, backPage, kLoadedX, kLoadedY, kLoadedW, kLoadedH);
    CopyPageRect(workPage, backPage, kBoxX, kBoxY, kBoxW, kBoxH);
    textTarget = backPage;
    DrawFontTextf(0, 492, 437, "%d", hunt.loadedShells);
    if (player == nullptr) {
        LogPrintf("Player = NULL!!");
        return;
    }
    DrawFontTextf(0, 586, 437, "%d", player->items[kItemShells]);
}

void PresentScore() {
    CopyPageRect(backPage, displaySurface, kLoadedX, kLoadedY, kLoadedW, kLoadedH);
    CopyPageRect(backPage, displaySurface, kBoxX, kBoxY, kBoxW, kBoxH);
    hunt.scoreDirty = 0;
}
