// The gamepad: what a controller does becomes the pointer moves, button
// presses and keys a mouse and keyboard would make, put in the event queue,
// so the game (and whatever watches its input) cannot tell them apart.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "engine/config.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/input.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

// The stick's rest wanders this far from the middle on a worn pad.
constexpr double kDeadZone = 8000.0;
constexpr double kFullTilt = 32767.0;
// Pixels a second at full tilt and PointerSpeed 100: the picture in a second.
constexpr double kFullSpeed = 640.0;
// A trigger pressed past a quarter slows the pointer to this share, for aiming.
constexpr int32_t kTriggerHeld = 8192;
constexpr double kAimShare = 0.3;
// A long rest between readings (a fade, a loading screen) moves the pointer
// no further than this much holding would.
constexpr uint32_t kLongestStepMs = 100;
// A D-pad jump ignores buttons less than this far ahead (the one it is on).
constexpr int32_t kJumpAhead = 4;
constexpr int32_t kMaxTargets = 64;

// The letters D-pad up walks through at the caret (down walks back).
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz";

// USB usage numbers of the keys the pad types.
constexpr int32_t kUsageA = 0x04;
constexpr int32_t kUsageEnter = 0x28;
constexpr int32_t kUsageEscape = 0x29;
constexpr int32_t kUsageBackspace = 0x2A;
constexpr int32_t kUsageSpace = 0x2C;
constexpr int32_t kUsageF10 = 0x43;
constexpr int32_t kUsageRight = 0x4F;

struct Pad {
    bool started = false;
    bool connected = false;
    uint32_t buttons = 0;  // held at the last reading
    uint32_t lastTime = 0;
    double restX = 0.0;  // the part of a pixel not moved yet
    double restY = 0.0;
    uint32_t mouseHeld = 0;  // GDL_STATE_ bits of presses the pad made and not released
    bool textEntry = false;
    int32_t letter = -1;  // index in kLetters of the letter the pad put at the caret, -1 none
    PadTargetSource targets = nullptr;
};
Pad pad;

bool Pressed(uint32_t now, uint32_t before, int32_t button) {
    return (now & (1u << button)) != 0 && (before & (1u << button)) == 0;
}

bool Released(uint32_t now, uint32_t before, int32_t button) {
    return (now & (1u << button)) == 0 && (before & (1u << button)) != 0;
}

void PostPointer(uint32_t type, uint32_t code, int32_t x, int32_t y) {
    GDL_Event event{};
    event.type = type;
    event.code = code;
    event.state = pad.mouseHeld;
    event.x = x;
    event.y = y;
    if (type == GDL_EVENT_MOUSEMOVE) {
        GDL_postMotion(&event);
    } else {
        GDL_postEvent(&event);
    }
}

void MovePointer(int32_t x, int32_t y) {
    PostPointer(GDL_EVENT_MOUSEMOVE, 0, x, y);
    // A pointer the windowing system draws must be where the game's is.
    GDL_setMousePos(x, y);
}

void PostKey(int32_t usage, bool shift) {
    GDL_Event event{};
    event.code = GDL_keyCode(usage, shift, 0);
    event.state = shift ? GDL_STATE_SHIFT : 0;
    event.type = GDL_EVENT_KEYDOWN;
    GDL_postEvent(&event);
    event.type = GDL_EVENT_KEYUP;
    GDL_postEvent(&event);
}

void PostLetter(char letter) {
    if (letter == ' ') {
        PostKey(kUsageSpace, false);
    } else if (letter >= 'a' && letter <= 'z') {
        PostKey(kUsageA + (letter - 'a'), false);
    } else {
        PostKey(kUsageA + (letter - 'A'), true);
    }
}

void PointerButton(uint32_t bit, uint32_t code, bool down) {
    int32_t x = 0;
    int32_t y = 0;
    GDL_getMousePos(&x, &y);
    if (down) {
        pad.mouseHeld |= bit;
        PostPointer(GDL_EVENT_MOUSEDOWN, code, x, y);
    } else if ((pad.mouseHeld & bit) != 0) {
        pad.mouseHeld &= ~bit;
        PostPointer(GDL_EVENT_MOUSEUP, code, x, y);
    }
}

// The letter at the caret walks `step` through kLetters; the first step puts
// a new letter there.
void StepLetter(int32_t step) {
    const auto count = static_cast<int32_t>(kLetters.size());
    if (pad.letter < 0) {
        pad.letter = step > 0 ? 0 : count - 1;
    } else {
        PostKey(kUsageBackspace, false);
        pad.letter = (pad.letter + step + count) % count;
    }
    PostLetter(kLetters[static_cast<size_t>(pad.letter)]);
}

// The button centre nearest ahead in direction (dx, dy), sideways distance
// counting double; false when there is none.
bool JumpTarget(int32_t dx, int32_t dy, int32_t* x, int32_t* y) {
    if (pad.targets == nullptr) {
        return false;
    }
    PadTarget targets[kMaxTargets];
    const int32_t count = std::clamp(pad.targets(targets, kMaxTargets), 0, kMaxTargets);
    int32_t px = 0;
    int32_t py = 0;
    GDL_getMousePos(&px, &py);
    int32_t best = -1;
    int64_t bestScore = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t ax = targets[i].x - px;
        const int32_t ay = targets[i].y - py;
        const int32_t ahead = ax * dx + ay * dy;
        const int32_t aside = std::abs(ax * dy - ay * dx);
        if (ahead < kJumpAhead) {
            continue;
        }
        const int64_t score = static_cast<int64_t>(ahead) + 2 * static_cast<int64_t>(aside);
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best < 0) {
        return false;
    }
    *x = targets[best].x;
    *y = targets[best].y;
    return true;
}

void DPad(int32_t button) {
    if (pad.textEntry) {
        switch (button) {
            case GDL_PAD_UP:
                StepLetter(1);
                break;
            case GDL_PAD_DOWN:
                StepLetter(-1);
                break;
            case GDL_PAD_RIGHT:
                // On past the letter just chosen, or the caret on past one typed before.
                if (pad.letter < 0) {
                    PostKey(kUsageRight, false);
                }
                pad.letter = -1;
                break;
            default:
                PostKey(kUsageBackspace, false);
                pad.letter = -1;
                break;
        }
        return;
    }
    const int32_t dx = button == GDL_PAD_LEFT ? -1 : button == GDL_PAD_RIGHT ? 1 : 0;
    const int32_t dy = button == GDL_PAD_UP ? -1 : button == GDL_PAD_DOWN ? 1 : 0;
    int32_t x = 0;
    int32_t y = 0;
    if (JumpTarget(dx, dy, &x, &y)) {
        MovePointer(x, y);
    }
}

void Buttons(uint32_t now, uint32_t before) {
    if (Pressed(now, before, GDL_PAD_A)) {
        if (pad.textEntry) {
            PostKey(kUsageEnter, false);
        } else {
            PointerButton(GDL_STATE_LEFT, GDL_BUTTON_LEFT, true);
        }
    } else if (Released(now, before, GDL_PAD_A)) {
        PointerButton(GDL_STATE_LEFT, GDL_BUTTON_LEFT, false);
    }
    if (Pressed(now, before, GDL_PAD_B)) {
        PointerButton(GDL_STATE_RIGHT, GDL_BUTTON_RIGHT, true);
    } else if (Released(now, before, GDL_PAD_B)) {
        PointerButton(GDL_STATE_RIGHT, GDL_BUTTON_RIGHT, false);
    }
    if (Pressed(now, before, GDL_PAD_START)) {
        PostKey(kUsageEscape, false);
    }
    // Back is F10, the settings dialog: a key like any other, so the dialog
    // opens from the game's own input handling and not inside this pump.
    if (Pressed(now, before, GDL_PAD_BACK)) {
        PostKey(kUsageF10, false);
    }
    for (int32_t button : {GDL_PAD_UP, GDL_PAD_DOWN, GDL_PAD_LEFT, GDL_PAD_RIGHT}) {
        if (Pressed(now, before, button)) {
            DPad(button);
        }
    }
}

void Stick(const GDL_PadState& state, uint32_t elapsed) {
    const double sx = state.axes[GDL_PAD_LEFT_X];
    const double sy = state.axes[GDL_PAD_LEFT_Y];
    const double tilt = std::sqrt(sx * sx + sy * sy);
    if (tilt <= kDeadZone) {
        pad.restX = pad.restY = 0.0;
        return;
    }
    // Squared: small tilts move a pixel at a time, full tilt crosses the screen.
    const double share = std::min((tilt - kDeadZone) / (kFullTilt - kDeadZone), 1.0);
    double speed = kFullSpeed * share * share * static_cast<double>(pointerSpeed) / 100.0;
    if (state.axes[GDL_PAD_TRIGGER_LEFT] > kTriggerHeld ||
        state.axes[GDL_PAD_TRIGGER_RIGHT] > kTriggerHeld) {
        speed *= kAimShare;
    }
    const double pixels = speed * elapsed / 1000.0;
    pad.restX += pixels * sx / tilt;
    pad.restY += pixels * sy / tilt;
    const auto stepX = static_cast<int32_t>(pad.restX);
    const auto stepY = static_cast<int32_t>(pad.restY);
    if (stepX == 0 && stepY == 0) {
        return;
    }
    pad.restX -= stepX;
    pad.restY -= stepY;
    int32_t x = 0;
    int32_t y = 0;
    GDL_getMousePos(&x, &y);
    MovePointer(x + stepX, y + stepY);
}

// Once per event call: reads the pad and turns what changed into events.
void PadPump() {
    GDL_PadState state;
    if (!GDL_padRead(&state)) {
        return;
    }
    const uint32_t now = SysPeekMilliseconds();
    if (!state.connected) {
        if (pad.connected) {
            // Pulled out: the pointer stays, but no press is left held.
            PointerButton(GDL_STATE_LEFT, GDL_BUTTON_LEFT, false);
            PointerButton(GDL_STATE_RIGHT, GDL_BUTTON_RIGHT, false);
            pad.connected = false;
            pad.buttons = 0;
            pad.restX = pad.restY = 0.0;
        }
        return;
    }
    if (!pad.connected) {
        // Plugged in: what it holds now is its rest, not a press.
        pad.connected = true;
        pad.buttons = state.buttons;
        pad.lastTime = now;
        return;
    }
    const uint32_t elapsed = std::min(now - pad.lastTime, kLongestStepMs);
    pad.lastTime = now;
    Buttons(state.buttons, pad.buttons);
    pad.buttons = state.buttons;
    Stick(state, elapsed);
}

}  // namespace

void StartPad() {
    if (gamepadOn == 0 || pad.started) {
        return;
    }
    pad.started = true;
    GDL_padEnable(true);
    SysAddPumpListener(PadPump);
}

void StopPad() {
    if (pad.started) {
        SysRemovePumpListener(PadPump);
        GDL_padEnable(false);
    }
    const Pad kept = pad;
    pad = Pad{};
    // The hooks belong to the layers above, which set them once.
    pad.targets = kept.targets;
}

void SetPadTargetSource(PadTargetSource source) {
    pad.targets = source;
}

void SetPadTextEntry(bool on) {
    pad.textEntry = on;
    pad.letter = -1;
}

void ResetPad() {
    StopPad();
    pad.targets = nullptr;
}
