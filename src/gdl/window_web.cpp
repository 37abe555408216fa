// The window backend in the browser: the display surface through the shown
// palette onto the page's <canvas id="canvas"> (the page scales it by whole
// factors, sharp), input from the HTML5 events into the queue. The game runs
// on the page's one thread: wherever it waits, or a refresh has passed while
// it works, it yields to the browser (Asyncify), which paints and delivers
// input meanwhile.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "gdl/gdl_internal.h"
#include "sys/clock.h"

namespace {

bool windowOpen = false;
constexpr uint32_t kRefreshMs = 16;
constexpr uint32_t kLongestYieldMs = 16;  // a rest wakes this often to look for input
constexpr double kDoubleClickMs = 500.0;

uint32_t lastPresent = 0;
uint32_t lastYield = 0;
bool mustPresent = true;
bool clockWatched = false;
bool justRested = false;

std::vector<uint8_t> shownPixels;
GDL_PaletteEntry shownPalette[256];
std::vector<uint8_t> rgba;  // the canvas's pixels, 640 x 480 x 4

int32_t wantedScale = 0;
bool wantedFullscreen = false;

// What the page's event handlers saw, waiting for the next pump: the handlers
// run while the game yields, where nothing may read the clock or yield again.
enum class Pending { Key, Button, Motion, Focus };
struct PendingInput {
    Pending kind;
    GDL_Event event;
    bool gained;
};
std::vector<PendingInput> pending;
uint32_t heldButtons = 0;
bool swallowEnterUp = false;
double lastLeftDown = -1e9;

// clang-format off
EM_JS(void, PutPicture, (const uint8_t* pixels, int x, int y, int width, int height), {
    const canvas = Module.canvas || document.getElementById('canvas');
    if (!canvas) return;
    if (!Module.canvasContext) Module.canvasContext = canvas.getContext('2d', {alpha: false});
    if (!Module.canvasImage) Module.canvasImage = Module.canvasContext.createImageData(640, 480);
    const image = Module.canvasImage;
    image.data.set(HEAPU8.subarray(pixels, pixels + 640 * 480 * 4));
    Module.canvasContext.putImageData(image, 0, 0, x, y, width, height);
});

// Where a point of the page (client coordinates) is in the canvas, and the
// canvas's size on the page.
EM_JS(void, CanvasPoint, (int clientX, int clientY, int* place), {
    const canvas = Module.canvas || document.getElementById('canvas');
    const box = canvas ? canvas.getBoundingClientRect() : {left: 0, top: 0, width: 640, height: 480};
    HEAP32[place >> 2] = clientX - box.left;
    HEAP32[(place >> 2) + 1] = clientY - box.top;
    HEAP32[(place >> 2) + 2] = box.width;
    HEAP32[(place >> 2) + 3] = box.height;
});

EM_JS(void, ToggleFullscreen, (), {
    if (Module.toggleFullscreen) Module.toggleFullscreen();
});

EM_JS(void, ShowWindowMode, (int scale, int fullscreen), {
    if (Module.setWindowMode) Module.setWindowMode(scale, fullscreen);
});
// clang-format on

void Present() {
    const GDL_Surface* display = GdlDisplay();
    const GDL_PaletteEntry* palette = GdlShownPalette();
    const size_t size = static_cast<size_t>(kGdlWidth) * kGdlHeight;
    bool whole = mustPresent || shownPixels.size() != size ||
                 std::memcmp(shownPalette, palette, sizeof(shownPalette)) != 0;
    if (shownPixels.size() != size) {
        shownPixels.assign(size, 0);
        rgba.assign(size * 4, 0);
    }
    GDL_Rect changes[kGdlMaxChanges];
    int32_t count = 0;
    if (display != nullptr) {
        count = GdlTakeChanges(shownPixels.data(), display->pixels, display->bytesPerLine, changes);
    } else if (whole) {
        std::fill(shownPixels.begin(), shownPixels.end(), 0);
    }
    if (!whole && count == 0) {
        return;
    }
    std::memcpy(shownPalette, palette, sizeof(shownPalette));
    mustPresent = false;
    if (whole) {
        changes[0] = {0, 0, kGdlWidth, kGdlHeight};
        count = 1;
    }
    // Bytes in memory order R, G, B, A, as ImageData holds them.
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = 0xFF000000u | (static_cast<uint32_t>(palette[i].blue) << 16) |
                     (static_cast<uint32_t>(palette[i].green) << 8) | palette[i].red;
    }
    const GDL_Rect all = {0, 0, kGdlWidth, kGdlHeight};
    int32_t left = kGdlWidth, top = kGdlHeight, right = 0, bottom = 0;
    for (int32_t i = 0; i < count; ++i) {
        const GDL_Rect& change = changes[i];
        uint8_t* target =
            rgba.data() + (static_cast<size_t>(change.top) * kGdlWidth + change.left) * 4;
        GdlScalePicture(shownPixels.data(), colours, all, change, target, kGdlWidth * 4, 4);
        left = std::min(left, change.left);
        top = std::min(top, change.top);
        right = std::max(right, change.right);
        bottom = std::max(bottom, change.bottom);
    }
    PutPicture(rgba.data(), left, top, right - left, bottom - top);
}

void MaybePresent(uint32_t now) {
    if (!windowOpen || now - lastPresent < kRefreshMs) {
        return;
    }
    lastPresent = now;
    Present();
}

// Gives the browser its turn: it paints what was put on the canvas and runs
// the input handlers.
void Yield(uint32_t ms) {
    lastYield = SysPeekMilliseconds();
    emscripten_sleep(ms);
}

void OnClock(uint32_t now) {
    if (!GdlInEventCall()) {
        clockWatched = true;
    }
    MaybePresent(now);
    // A long stretch of work with no event call (a transition, a busy wait
    // on the clock alone) must not freeze the page.
    if (windowOpen && now - lastYield >= kRefreshMs) {
        Yield(0);
    }
}

uint32_t KeyState(bool shift, bool ctrl, bool alt) {
    return (shift ? GDL_STATE_SHIFT : 0) | (ctrl ? GDL_STATE_CONTROL : 0) |
           (alt ? GDL_STATE_ALT : 0);
}

// The USB usage numbers of the keys, by the page's KeyboardEvent.code.
struct KeyName {
    const char* code;
    int32_t usage;
};
constexpr KeyName kKeys[] = {
    {"Enter", 40},
    {"Escape", 41},
    {"Backspace", 42},
    {"Tab", 43},
    {"Space", 44},
    {"Minus", 45},
    {"Equal", 46},
    {"BracketLeft", 47},
    {"BracketRight", 48},
    {"Backslash", 49},
    {"Semicolon", 51},
    {"Quote", 52},
    {"Backquote", 53},
    {"Comma", 54},
    {"Period", 55},
    {"Slash", 56},
    {"CapsLock", 57},
    {"PrintScreen", 70},
    {"ScrollLock", 71},
    {"Pause", 72},
    {"Insert", 73},
    {"Home", 74},
    {"PageUp", 75},
    {"Delete", 76},
    {"End", 77},
    {"PageDown", 78},
    {"ArrowRight", 79},
    {"ArrowLeft", 80},
    {"ArrowDown", 81},
    {"ArrowUp", 82},
    {"NumLock", 83},
    {"NumpadDivide", 84},
    {"NumpadMultiply", 85},
    {"NumpadSubtract", 86},
    {"NumpadAdd", 87},
    {"NumpadEnter", 88},
    {"NumpadDecimal", 99},
    {"IntlBackslash", 100},
    {"ControlLeft", 224},
    {"ShiftLeft", 225},
    {"AltLeft", 226},
    {"MetaLeft", 227},
    {"ControlRight", 228},
    {"ShiftRight", 229},
    {"AltRight", 230},
    {"MetaRight", 231},
};

int32_t UsbUsage(std::string_view code) {
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z') {
        return 4 + (code[3] - 'A');
    }
    if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9') {
        return code[5] == '0' ? 39 : 30 + (code[5] - '1');
    }
    if (code.size() == 7 && code.substr(0, 6) == "Numpad" && code[6] >= '0' && code[6] <= '9') {
        return code[6] == '0' ? 98 : 89 + (code[6] - '1');
    }
    if (code.size() >= 2 && code[0] == 'F' && code.size() <= 3) {
        int number = 0;
        for (char c : code.substr(1)) {
            if (c < '0' || c > '9') {
                return 0;
            }
            number = number * 10 + (c - '0');
        }
        return number >= 1 && number <= 12 ? 57 + number : 0;
    }
    for (const KeyName& key : kKeys) {
        if (code == key.code) {
            return key.usage;
        }
    }
    return 0;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* key, void*) {
    const int32_t usage = UsbUsage(key->code);
    if (usage == 0) {
        return EM_FALSE;
    }
    const bool enter = usage == 40 || usage == 88;
    // Alt+Enter belongs to the window: the game never sees it.
    if (enter && type == EMSCRIPTEN_EVENT_KEYDOWN && key->altKey) {
        if (!key->repeat) {
            ToggleFullscreen();  // in the handler: a request the browser honours
        }
        swallowEnterUp = true;
        return EM_TRUE;
    }
    if (enter && type == EMSCRIPTEN_EVENT_KEYUP && swallowEnterUp) {
        swallowEnterUp = false;
        return EM_TRUE;
    }
    bool shift = key->shiftKey;
    // The layout's own character, unshifted, when the key types one; a
    // letter's case carries Caps Lock.
    int32_t layoutChar = 0;
    if (std::strlen(key->key) == 1 && key->key[0] > ' ' && key->key[0] < 127) {
        const char c = key->key[0];
        if (c >= 'A' && c <= 'Z') {
            layoutChar = c - 'A' + 'a';
            shift = true;
        } else if (c >= 'a' && c <= 'z') {
            layoutChar = c;
            shift = false;
        } else if (!shift) {
            layoutChar = c;
        }
    }
    GDL_Event event{};
    event.code = GDL_keyCode(usage, shift, layoutChar);
    event.state = KeyState(key->shiftKey, key->ctrlKey, key->altKey);
    if (type == EMSCRIPTEN_EVENT_KEYUP) {
        event.type = GDL_EVENT_KEYUP;
    } else if (key->repeat) {
        event.type = GDL_EVENT_KEYREPEAT;
        event.code |= 1u << 16;  // repeat count
    } else {
        event.type = GDL_EVENT_KEYDOWN;
    }
    pending.push_back({Pending::Key, event, false});
    // The game takes every key it knows; the browser's own (F5, Ctrl+L)
    // stay the browser's unless the game has them.
    return usage != 62 && !(key->ctrlKey && (usage == 21 || usage == 15));
}

void PictureFromCanvas(const EmscriptenMouseEvent& mouse, int32_t* x, int32_t* y) {
    int place[4] = {0, 0, kGdlWidth, kGdlHeight};
    CanvasPoint(static_cast<int>(mouse.clientX), static_cast<int>(mouse.clientY), place);
    GDL_windowToPicture(place[2], place[3], place[0], place[1], x, y);
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* mouse, void*) {
    GDL_Event event{};
    PictureFromCanvas(*mouse, &event.x, &event.y);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        event.type = GDL_EVENT_MOUSEMOVE;
        event.state = heldButtons | KeyState(mouse->shiftKey, mouse->ctrlKey, false);
        pending.push_back({Pending::Motion, event, false});
        return EM_TRUE;
    }
    const uint32_t bit =
        mouse->button == 0 ? GDL_STATE_LEFT : (mouse->button == 2 ? GDL_STATE_RIGHT : 0);
    if (bit == 0) {
        return EM_FALSE;
    }
    event.code = bit == GDL_STATE_LEFT ? GDL_BUTTON_LEFT : GDL_BUTTON_RIGHT;
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) {
        heldButtons |= bit;
        event.type = GDL_EVENT_MOUSEDOWN;
        event.state = heldButtons;
        if (bit == GDL_STATE_LEFT) {
            if (mouse->timestamp - lastLeftDown < kDoubleClickMs) {
                event.state |= GDL_STATE_DOUBLECLICK;
                lastLeftDown = -1e9;
            } else {
                lastLeftDown = mouse->timestamp;
            }
        }
    } else {
        heldButtons &= ~bit;
        event.type = GDL_EVENT_MOUSEUP;
        event.state = heldButtons;
    }
    pending.push_back({Pending::Button, event, false});
    return EM_TRUE;
}

EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void*) {
    pending.push_back({Pending::Focus, GDL_Event{}, type == EMSCRIPTEN_EVENT_FOCUS});
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* change, void*) {
    pending.push_back({Pending::Focus, GDL_Event{}, !change->hidden});
    return EM_FALSE;
}

void Listen(bool on) {
    const char* canvas = "#canvas";
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, true, on ? OnKey : nullptr);
    emscripten_set_keyup_callback(window, nullptr, true, on ? OnKey : nullptr);
    emscripten_set_mousedown_callback(canvas, nullptr, true, on ? OnMouse : nullptr);
    // A button let go outside the canvas still ends its press.
    emscripten_set_mouseup_callback(window, nullptr, true, on ? OnMouse : nullptr);
    emscripten_set_mousemove_callback(canvas, nullptr, true, on ? OnMouse : nullptr);
    emscripten_set_focus_callback(window, nullptr, true, on ? OnFocus : nullptr);
    emscripten_set_blur_callback(window, nullptr, true, on ? OnFocus : nullptr);
    emscripten_set_visibilitychange_callback(nullptr, true, on ? OnVisibility : nullptr);
    emscripten_set_click_callback(canvas, nullptr, true, nullptr);
    // clang-format off
    EM_ASM({
        const canvas = Module.canvas || document.getElementById('canvas');
        if (canvas) canvas.oncontextmenu = $0 ? function(e) { e.preventDefault(); } : null;
    }, on ? 1 : 0);
    // clang-format on
}

}  // namespace

bool GdlWindowDetect(int32_t* desktopWidth, int32_t* desktopHeight) {
    *desktopWidth = EM_ASM_INT({ return screen.width || 1920; });
    *desktopHeight = EM_ASM_INT({ return screen.height || 1080; });
    return true;
}

bool GdlWindowOpen(GDL_Renderer) {
    windowOpen = true;
    heldButtons = 0;
    swallowEnterUp = false;
    mustPresent = true;
    shownPixels.clear();
    pending.clear();
    Listen(true);
    ShowWindowMode(wantedScale, wantedFullscreen ? 1 : 0);
    lastPresent = SysMilliseconds() - kRefreshMs;
    lastYield = lastPresent;
    SysSetClockListener(OnClock);
    return true;
}

void GdlWindowClose() {
    SysSetClockListener(nullptr);
    if (windowOpen) {
        Listen(false);
    }
    windowOpen = false;
}

void GdlWindowPump() {
    if (!windowOpen) {
        return;
    }
    std::vector<PendingInput> taken;
    taken.swap(pending);
    for (const PendingInput& input : taken) {
        switch (input.kind) {
            case Pending::Focus:
                GdlSetActive(input.gained);
                if (input.gained) {
                    mustPresent = true;
                }
                break;
            default:
                GdlQueueEvent(input.event);
                break;
        }
    }
    MaybePresent(SysMilliseconds());
}

void GdlWindowIdle() {
    if (!windowOpen) {
        return;
    }
    if (justRested) {
        justRested = false;
        MaybePresent(SysMilliseconds());
        return;
    }
    if (clockWatched) {
        // Timing something: look again after the browser's shortest turn.
        clockWatched = false;
        Yield(0);
        return;
    }
    const uint32_t sinceShown = SysMilliseconds() - lastPresent;
    Yield(sinceShown < kRefreshMs ? kRefreshMs - sinceShown : 0);
    MaybePresent(SysMilliseconds());
}

void GdlWindowRest(uint32_t ms) {
    if (!windowOpen) {
        emscripten_sleep(ms);
        return;
    }
    const uint32_t start = SysPeekMilliseconds();
    lastPresent = start;
    Present();
    clockWatched = false;
    // Wakes for input, as a window resting on its messages would.
    for (;;) {
        const uint32_t spent = SysPeekMilliseconds() - start;
        if (spent >= ms || !pending.empty()) {
            break;
        }
        Yield(std::min(ms - spent, kLongestYieldMs));
    }
    justRested = true;
}

void GdlWindowShowNow() {
    if (!windowOpen) {
        return;
    }
    mustPresent = true;
    lastPresent = SysMilliseconds();
    Present();
}

// The browser does not let a page move the pointer; the game's own pointer
// is drawn where the game puts it and follows the next move.
void GdlWindowWarp(int32_t, int32_t) {}

GDL_Renderer GdlWindowRenderer() {
    return windowOpen ? GDL_Renderer::Software : GDL_Renderer::None;
}

// The canvas is scaled by the page; the pointer is always the game's own
// (the page hides the browser's over the canvas).
int32_t GdlWindowWholeScale() {
    return windowOpen ? 1 : 0;
}

bool GdlWindowShowCursor(const GDL_CursorImage&) {
    return false;
}

void GdlWindowFreeCursor() {}

void GDL_setWindowMode(int32_t scale, bool fullscreen) {
    wantedScale = std::clamp(scale, 0, 4);
    wantedFullscreen = fullscreen;
    if (windowOpen) {
        ShowWindowMode(wantedScale, wantedFullscreen ? 1 : 0);
        GdlWindowShowNow();
    }
}

void GDL_windowMode(int32_t* scale, bool* fullscreen) {
    *scale = wantedScale;
    // The page's button and the browser's Escape change it too.
    *fullscreen = EM_ASM_INT({ return document.fullscreenElement ? 1 : 0; }) != 0;
}

GDL_Renderer GDL_switchRenderer(GDL_Renderer) {
    return GdlWindowRenderer();
}
