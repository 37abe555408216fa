#include "app/screens.h"

#include <array>

#include "app/config.h"
#include "app/credits.h"
#include "app/main_screen.h"
#include "app/store.h"
#include "engine/blit.h"
#include "engine/dialogs.h"
#include "engine/draw.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/transitions.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "screens/game_bag.h"
#include "screens/goals.h"
#include "screens/jail.h"
#include "screens/regulations.h"
#include "screens/roster.h"

uint32_t currentScreen = 0;
uint32_t previousScreen = 0;
uint32_t quitGame = 0;

namespace {

constexpr int kClickSound = 0;
constexpr int kQuestionSound = 3;
constexpr int32_t kArrowShape = 0;
constexpr int32_t kButtonShape = 1;
constexpr int32_t kLitGraphicBase = 10;  // a button's lit picture is graphic + 10

// The screens not listed with handlers are still to be built; switching to one
// is refused with a log line.
const std::array<ScreenHandlers, kScreenCount> kScreens = {{
    {"player roster", DrawRosterScreen, ExitRosterScreen, DoRosterScreen, RefreshRoster},
    {"main screen", DrawMainScreen, DumpMainScreen, DoMainScreen, nullptr},
    {"store", DrawStoreScreen, ExitStoreScreen, DoStoreScreen, RestoreStoreScreen},
    {"hunt", DrawWaterFowlScreen, DumpWaterfowlScreen, HuntFrame, RestoreWaterFowlScreen},
    {"jail and game over", DrawJailScreen, nullptr, nullptr, nullptr},
    {"regulations", DrawRegsScreen, RestoreRegsButtons, DoRegsScreen, nullptr},
    {"game bag", DrawGameBagScreen, RestoreGameBagButtons, DoGameBagScreen, DrawGameBagPage},
    {"bag goals", DrawGoalScreen, ExitGoalScreen, DoGoalScreen, nullptr},
}};
static_assert(kScreens.size() == kScreenCount);

bool IsBuilt(uint32_t number) {
    if (number < kScreenCount && kScreens[number].draw != nullptr) {
        return true;
    }
    LogPrintf("ERROR: screen %u (%s) is not in the game yet", number,
              number < kScreenCount ? kScreens[number].name : "unknown");
    return false;
}

void Unlight(Button& button) {
    HideCursor();
    button.lit = 0;
    CopyPageRect(workPage, backPage, button.x, button.y, button.width, button.height);
    CopyPageRect(backPage, displaySurface, button.x, button.y, button.width, button.height);
    ShowCursor();
}

bool Contains(const Button& button, int32_t px, int32_t py) {
    return PointInRect(button.x, button.y, button.x + button.width, button.y + button.height, px,
                       py) != 0;
}

}  // namespace

const ScreenHandlers& Screen(uint32_t number) {
    static const ScreenHandlers none = {"none", nullptr, nullptr, nullptr, nullptr};
    return number < kScreenCount ? kScreens[number] : none;
}

void SwitchScreen(uint32_t number) {
    if (number == currentScreen) {
        return;
    }
    if (debugLog) {
        LogPrintf("SwitchScreen( %d )", static_cast<int>(number));
    }
    if (!IsBuilt(number)) {
        return;
    }
    BusyCursor();
    if (kScreens[currentScreen].exit != nullptr) {
        kScreens[currentScreen].exit();
    }
    previousScreen = currentScreen;
    currentScreen = number;
    kScreens[number].draw();
    ResetCursor();
    DrainMouse();
}

void ExitScreen(int32_t number) {
    if (debugLog) {
        LogPrintf("ExitScreen( %d )", number);
    }
    SoundPlay(kClickSound);
    SwitchScreen(static_cast<uint32_t>(number));
}

void GoToScreen(int32_t number) {
    SoundPlay(kClickSound);
    SwitchScreen(static_cast<uint32_t>(number));
}

void SwitchOverlay(uint32_t number) {
    if (number == currentScreen) {
        return;
    }
    if (!IsBuilt(number)) {
        return;
    }
    BusyCursor();
    if ((currentScreen == kScreenRegulations || currentScreen == kScreenGameBag) &&
        kScreens[currentScreen].exit != nullptr) {
        kScreens[currentScreen].exit();
    }
    previousScreen = currentScreen;
    currentScreen = number;
    if (number == kScreenHunt) {
        kScreens[kScreenHunt].restore();
        SetCursorShape(kArrowShape);
        ShowCursor();
    } else {
        kScreens[number].draw();
        ResetCursor();
    }
    DrainMouse();
}

void DoExit(int32_t) {
    if (debugLog) {
        LogPrintf("DoExit");
    }
    SoundPlay(kQuestionSound);
    if (MessageDialog("Exit Talmadge|Reed Gunner?", "Yes|No") != 1) {
        return;
    }
    if (kScreens[currentScreen].exit != nullptr) {
        kScreens[currentScreen].exit();
    }
    Credits();
    ClearBackPage();
    BlockWipeTopLeft();
    ClearDisplay();
    quitGame = 1;
}

Button* HitTestButtons(Button* list, int32_t px, int32_t py) {
    Button* found = nullptr;
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        Button& button = list[i];
        if (!button.enabled) {
            continue;
        }
        if (Contains(button, px, py)) {
            found = &button;
            break;
        }
        if (GetCursorShape() == kButtonShape) {
            SetCursorShape(kArrowShape);
        }
        if (button.hoverable && button.lit) {
            Unlight(button);
        }
    }
    if (found == nullptr) {
        return nullptr;
    }
    if (GetCursorShape() == kArrowShape) {
        SetCursorShape(kButtonShape);
    }
    if (!found->hoverable || found->lit) {
        return found;
    }
    LightButton(list, *found);
    return found;
}

void LightButton(Button* list, Button& found) {
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        Button& other = list[i];
        if (&other != &found && other.enabled && other.hoverable && other.lit) {
            Unlight(other);
        }
    }
    HideCursor();
    BlitGraphic(found.graphic + kLitGraphicBase, found.x, found.y, backPage);
    found.lit = 1;
    CopyPageRect(backPage, displaySurface, found.x, found.y, found.width, found.height);
    ShowCursor();
}

void HoverButtons(Button* list, int32_t px, int32_t py) {
    Button* found = nullptr;
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        if (list[i].enabled && list[i].hoverable && Contains(list[i], px, py)) {
            found = &list[i];
            break;
        }
    }
    if (found == nullptr || found->lit) {
        return;
    }
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        Button& other = list[i];
        if (&other != found && other.enabled && other.hoverable && other.lit) {
            other.lit = 0;
            CopyPageRect(workPage, backPage, other.x, other.y, other.width, other.height);
        }
    }
    if (found->graphic != -1) {
        BlitGraphic(found->graphic + kLitGraphicBase, found->x, found->y, backPage);
    }
    found->lit = 1;
}

void ShowButtons(const Button* list) {
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        const Button& button = list[i];
        if (button.enabled) {
            CopyPageRect(backPage, displaySurface, button.x, button.y, button.width, button.height);
        }
    }
}

void DoButtonList(Button* list) {
    if (action == 0) {
        return;
    }
    if (action == kActionLeftPress) {
        Button* button = HitTestButtons(list, pointerX, pointerY);
        if (button != nullptr && button->handler != nullptr) {
            button->handler(button->arg);
        }
    } else if (action == kActionMove) {
        HitTestButtons(list, pointerX, pointerY);
    }
    action = 0;
}

void NoAction(int32_t) {}

void ResetScreens() {
    currentScreen = 0;
    previousScreen = 0;
    quitGame = 0;
}
