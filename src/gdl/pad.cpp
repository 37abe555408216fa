// Game controllers over SDL2: the first one plugged in is read, whichever it
// is, and one pulled out is let go until another comes. The joystick
// subsystem is brought up only when asked for and a window is open (or a test
// plugs a virtual pad): a game without a window never looks for controllers.
#include <SDL.h>

#include <algorithm>

#include "gdl/gdl_internal.h"

namespace {

bool wanted = false;   // the game asked for pads
bool started = false;  // the subsystem is up
SDL_GameController* controller = nullptr;
int virtualIndex = -1;  // the attached virtual pad's device index, -1 none
SDL_Joystick* virtualStick = nullptr;

bool Start() {
    if (started) {
        return true;
    }
    // Our own SIGINT and SIGTERM handling stands, as with the window.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Pads may be read while another window has the focus: the player's hands
    // are on the pad, not on the window.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    // State is read by polling; the window's event loop need not carry it.
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
    started = true;
    return true;
}

void Release() {
    if (controller != nullptr) {
        SDL_GameControllerClose(controller);
        controller = nullptr;
    }
}

// Opens the first game controller there is, if none is open.
void FindController() {
    if (controller != nullptr) {
        if (SDL_GameControllerGetAttached(controller)) {
            return;
        }
        Release();  // pulled out
    }
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (SDL_IsGameController(i)) {
            controller = SDL_GameControllerOpen(i);
            if (controller != nullptr) {
                return;
            }
        }
    }
}

}  // namespace

bool GdlPadOpen() {
    return controller != nullptr;
}

void GDL_padEnable(bool on) {
    if (!on) {
        GdlResetPad();
    }
    wanted = on;
}

bool GDL_padRead(GDL_PadState* state) {
    *state = GDL_PadState{};
    if (!wanted) {
        return false;
    }
    if (!started && (GdlWindowRenderer() == GDL_Renderer::None || !Start())) {
        return false;
    }
    SDL_GameControllerUpdate();
    FindController();
    if (controller == nullptr) {
        return true;
    }
    state->connected = true;
    for (int axis = 0; axis < GDL_PAD_AXES; ++axis) {
        state->axes[axis] =
            SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(axis));
    }
    for (int button = 0; button < GDL_PAD_BUTTONS; ++button) {
        if (SDL_GameControllerGetButton(controller,
                                        static_cast<SDL_GameControllerButton>(button)) != 0) {
            state->buttons |= 1u << button;
        }
    }
    return true;
}

bool GDL_padPlugVirtual() {
    if (virtualStick != nullptr) {
        return true;
    }
    if (!Start()) {
        return false;
    }
    virtualIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, GDL_PAD_AXES,
                                             GDL_PAD_BUTTONS, 0);
    if (virtualIndex < 0) {
        return false;
    }
    // Opened here too, so its inputs can be set; the game opens its own.
    virtualStick = SDL_JoystickOpen(virtualIndex);
    if (virtualStick == nullptr) {
        SDL_JoystickDetachVirtual(virtualIndex);
        virtualIndex = -1;
        return false;
    }
    // Triggers rest at their lowest, not in the middle.
    SDL_JoystickSetVirtualAxis(virtualStick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
    SDL_JoystickSetVirtualAxis(virtualStick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    return true;
}

void GDL_padUnplugVirtual() {
    if (virtualStick == nullptr) {
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(virtualStick);
    SDL_JoystickClose(virtualStick);
    virtualStick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
        }
    }
    virtualIndex = -1;
}

bool GDL_padSetVirtual(GDL_PadInput input, int32_t number, int32_t value) {
    if (virtualStick == nullptr) {
        return false;
    }
    if (input == GDL_PadInput::Axis) {
        if (number < 0 || number >= GDL_PAD_AXES) {
            return false;
        }
        const int32_t low = number >= GDL_PAD_TRIGGER_LEFT ? 0 : -32768;
        // A trigger's travel is 0 to 32767 as read, the whole range as set.
        const int32_t raw = number >= GDL_PAD_TRIGGER_LEFT ? std::clamp(value, 0, 32767) * 2 - 32768
                                                           : std::clamp(value, low, 32767);
        return SDL_JoystickSetVirtualAxis(virtualStick, number, static_cast<Sint16>(raw)) == 0;
    }
    if (number < 0 || number >= GDL_PAD_BUTTONS) {
        return false;
    }
    return SDL_JoystickSetVirtualButton(virtualStick, number, value != 0 ? 1 : 0) == 0;
}

void GdlResetPad() {
    wanted = false;
    Release();
    GDL_padUnplugVirtual();
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        started = false;
    }
}
