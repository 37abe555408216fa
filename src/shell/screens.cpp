#include "shell/screens.h"

#include <array>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/dialogs.h"
#include "engine/draw.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"

uint32_t currentScreen = 0;
uint32_t previousScreen = 0;
uint32_t quitGame = 0;

namespace {

constexpr int32_t kLitGraphicBase = 10;  // a button's lit picture is graphic + 10

// The game's screens, registered at start-up.
const ScreenHandlers* screens = nullptr;

const ScreenHandlers kNoScreen = {"none", nullptr, nullptr, nullptr, nullptr};

// The button list the current screen last handled, for the pad's jumps;
// forgotten at a switch until the new screen handles its own.
const Button* padButtons = nullptr;

int32_t PadButtonCentres(PadTarget* targets, int32_t room) {
    int32_t count = 0;
    if (const DialogItem* dialog = TopDialogTable(); dialog != nullptr) {
        // A dialog over the screen takes the clicks: its buttons are the targets.
        for (int32_t i = 0; dialog[i].type != kItemEnd && count < room; ++i) {
            if (dialog[i].type == kItemButton && dialog[i].w > 0) {
                targets[count++] = {dialog[i].x + dialog[i].w / 2, dialog[i].y + dialog[i].h / 2};
            }
        }
        return count;
    }
    for (int32_t i = 0; padButtons != nullptr && i >= 0 && count < room; i = padButtons[i].next) {
        const Button& button = padButtons[i];
        if (button.enabled && button.width > 0 && button.height > 0) {
            targets[count++] = {button.x + button.width / 2, button.y + button.height / 2};
        }
    }
    return count;
}

// Whether `number` names a registered screen; a switch to anything else is
// refused with a log line.
bool IsScreen(uint32_t number) {
    if (screens != nullptr && number < kScreenCount && screens[number].draw != nullptr) {
        return true;
    }
    LogPrintf("ERROR: there is no screen %u", number);
    return false;
}

// Puts the button out on the display; with `arrow` the pointer is redrawn as the arrow.
void Unlight(Button& button, bool arrow = false) {
    HideCursor();
    button.lit = 0;
    CopyPageRect(workPage, backPage, button.x, button.y, button.width, button.height);
    CopyPageRect(backPage, displaySurface, button.x, button.y, button.width, button.height);
    if (arrow) {
        SetCursorShape(kArrowPointer);
    }
    ShowCursor();
}

bool Contains(const Button& button, int32_t px, int32_t py) {
    return PointInRect(button.x, button.y, button.x + button.width, button.y + button.height, px,
                       py) != 0;
}

}  // namespace

void RegisterScreens(const std::array<ScreenHandlers, kScreenCount>& table) {
    screens = table.data();
    SetPadTargetSource(PadButtonCentres);
}

const ScreenHandlers& Screen(uint32_t number) {
    return screens != nullptr && number < kScreenCount ? screens[number] : kNoScreen;
}

void SwitchScreen(uint32_t number) {
    if (number == currentScreen) {
        return;
    }
    Trace("SwitchScreen( %d )", static_cast<int>(number));
    if (!IsScreen(number)) {
        return;
    }
    BusyCursor();
    if (Screen(currentScreen).exit != nullptr) {
        Screen(currentScreen).exit();
    }
    previousScreen = currentScreen;
    currentScreen = number;
    padButtons = nullptr;
    Screen(number).draw();
    ResetCursor();
    DrainMouse();
}

void ExitScreen(int32_t number) {
    Trace("ExitScreen( %d )", number);
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
    if (!IsScreen(number)) {
        return;
    }
    BusyCursor();
    if ((currentScreen == kScreenRegulations || currentScreen == kScreenGameBag) &&
        Screen(currentScreen).exit != nullptr) {
        Screen(currentScreen).exit();
    }
    previousScreen = currentScreen;
    currentScreen = number;
    padButtons = nullptr;
    if (number == kScreenHunt) {
        Screen(kScreenHunt).restore();
        SetCursorShape(kArrowPointer);
        ShowCursor();
    } else {
        Screen(number).draw();
        ResetCursor();
    }
    DrainMouse();
}

Button* HitTestButtons(Button* list, int32_t px, int32_t py, const HitRules& rules) {
    padButtons = list;
    Button* found = nullptr;
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        Button& button = list[i];
        if (!button.enabled) {
            continue;
        }
        if (Contains(button, px, py)) {
            if (rules.onButton == nullptr || rules.onButton(button, px, py)) {
                found = &button;
                break;
            }
            continue;  // not really on it: later buttons may have the point
        }
        if (!rules.shapeFollowsLight && GetCursorShape() == kButtonPointer) {
            SetCursorShape(kArrowPointer);
        }
        if (button.hoverable && button.lit) {
            Unlight(button, rules.shapeFollowsLight);
        }
    }
    if (found == nullptr) {
        return nullptr;
    }
    if (!rules.shapeFollowsLight && GetCursorShape() == kArrowPointer) {
        SetCursorShape(kButtonPointer);
    }
    if (!found->hoverable || found->lit) {
        return found;
    }
    if (rules.shapeFollowsLight) {
        SetCursorShape(kButtonPointer);  // before the light, which draws the pointer anew
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

int64_t ShowButtons(const Button* list) {
    padButtons = list;
    int64_t copied = 0;
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        const Button& button = list[i];
        if (button.enabled) {
            copied += CopyChangedRows(backPage, displaySurface, button.x, button.y, button.width,
                                      button.height);
        }
    }
    return copied;
}

void DoButtonList(Button* list, const HitRules& rules) {
    padButtons = list;
    if (action == 0) {
        return;
    }
    if (action == kActionLeftPress) {
        Button* button = HitTestButtons(list, pointerX, pointerY, rules);
        if (button != nullptr && button->handler != nullptr) {
            button->handler(button->arg);
        }
    } else if (action == kActionMove) {
        HitTestButtons(list, pointerX, pointerY, rules);
    }
    action = 0;
}

void NoAction(int32_t) {}

void ResetScreens() {
    currentScreen = 0;
    previousScreen = 0;
    quitGame = 0;
    padButtons = nullptr;
}
