// The window backend over SDL2: one resizable window showing the display
// surface through the shown palette, scaled sharp; input into the queue;
// presenting from the clock and the event calls, once per refresh at most.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "gdl/gdl_internal.h"
#include "sys/clock.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
GDL_Renderer rendererKind = GDL_Renderer::None;
bool videoUp = false;

uint32_t refreshMs = 16;  // one refresh of the desktop, rounded down
uint32_t lastPresent = 0;
bool mustPresent = true;  // the window needs a repaint whatever changed

// What the window last showed, to tell whether anything changed since.
std::vector<uint8_t> shownPixels;
GDL_PaletteEntry shownPalette[256];

// Whether the game read the clock since the last event call: then it is
// timing something, and an idle event call must not oversleep a millisecond.
bool clockWatched = false;

uint32_t heldButtons = 0;  // GDL_STATE_LEFT | GDL_STATE_RIGHT
bool swallowEnterUp = false;
bool warpPending = false;
int32_t warpX = 0, warpY = 0;

bool StartVideo() {
    if (videoUp) {
        return true;
    }
    // Our own SIGINT and SIGTERM handling stands; SDL must not take them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    videoUp = true;
    return true;
}

void StopVideo() {
    if (videoUp) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoUp = false;
    }
}

SDL_Renderer* MakeRenderer(GDL_Renderer kind) {
    if (kind != GDL_Renderer::Accelerated) {
        // The software renderer draws into the window's surface; left to itself
        // SDL shows that surface through OpenGL, loading a GL driver (some 90 MB
        // on a machine without a GPU) that this choice is meant to avoid.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    const Uint32 flags =
        kind == GDL_Renderer::Accelerated ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE;
    return SDL_CreateRenderer(window, -1, flags);
}

void Present() {
    const GDL_Surface* display = GdlDisplay();
    const GDL_PaletteEntry* palette = GdlShownPalette();
    const size_t size = static_cast<size_t>(kGdlWidth) * kGdlHeight;
    if (display != nullptr) {
        bool same = !mustPresent && shownPixels.size() == size &&
                    std::memcmp(shownPalette, palette, sizeof(shownPalette)) == 0;
        for (int32_t y = 0; same && y < kGdlHeight; ++y) {
            same = std::memcmp(shownPixels.data() + static_cast<size_t>(y) * kGdlWidth,
                               display->pixels + static_cast<size_t>(y) * display->bytesPerLine,
                               kGdlWidth) == 0;
        }
        if (same) {
            return;
        }
        shownPixels.resize(size);
        for (int32_t y = 0; y < kGdlHeight; ++y) {
            std::memcpy(shownPixels.data() + static_cast<size_t>(y) * kGdlWidth,
                        display->pixels + static_cast<size_t>(y) * display->bytesPerLine,
                        kGdlWidth);
        }
    } else {
        shownPixels.assign(size, 0);
    }
    std::memcpy(shownPalette, palette, sizeof(shownPalette));
    mustPresent = false;

    Uint32 colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = 0xFF000000u | (static_cast<Uint32>(palette[i].red) << 16) |
                     (static_cast<Uint32>(palette[i].green) << 8) | palette[i].blue;
    }
    void* texels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &texels, &pitch) == 0) {
        for (int32_t y = 0; y < kGdlHeight; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(texels) + y * pitch);
            const uint8_t* from = shownPixels.data() + static_cast<size_t>(y) * kGdlWidth;
            for (int32_t x = 0; x < kGdlWidth; ++x) {
                row[x] = colours[from[x]];
            }
        }
        SDL_UnlockTexture(texture);
    }
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
    const GDL_Rect view = GDL_pictureViewport(outputWidth, outputHeight);
    const SDL_Rect target = {view.left, view.top, view.right - view.left, view.bottom - view.top};
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, &target);
    SDL_RenderPresent(renderer);
}

// Presents when a refresh has passed since the last look.
void MaybePresent(uint32_t now) {
    if (window == nullptr || now - lastPresent < refreshMs) {
        return;
    }
    lastPresent = now;
    Present();
}

void OnClock(uint32_t now) {
    if (!GdlInEventCall()) {
        clockWatched = true;
    }
    MaybePresent(now);
}

uint32_t KeyState(Uint16 modifiers) {
    uint32_t state = 0;
    if ((modifiers & KMOD_SHIFT) != 0) {
        state |= GDL_STATE_SHIFT;
    }
    if ((modifiers & KMOD_CTRL) != 0) {
        state |= GDL_STATE_CONTROL;
    }
    if ((modifiers & KMOD_ALT) != 0) {
        state |= GDL_STATE_ALT;
    }
    return state;
}

void PictureFromWindow(int32_t windowX, int32_t windowY, int32_t* x, int32_t* y) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    GDL_windowToPicture(width, height, windowX, windowY, x, y);
}

void ToggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    mustPresent = true;
}

void OnKey(const SDL_KeyboardEvent& key) {
    const SDL_Scancode scancode = key.keysym.scancode;
    const bool enter = scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER;
    // Alt+Enter belongs to the window: the game never sees it.
    if (enter && key.type == SDL_KEYDOWN && (key.keysym.mod & KMOD_ALT) != 0) {
        if (key.repeat == 0) {
            ToggleFullscreen();
        }
        swallowEnterUp = true;
        return;
    }
    if (enter && key.type == SDL_KEYUP && swallowEnterUp) {
        swallowEnterUp = false;
        return;
    }
    bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
    if ((key.keysym.mod & KMOD_CAPS) != 0 && scancode >= SDL_SCANCODE_A &&
        scancode <= SDL_SCANCODE_Z) {
        shift = !shift;
    }
    const SDL_Keycode sym = key.keysym.sym;
    const int32_t layoutChar = (sym > ' ' && sym < 127) ? static_cast<int32_t>(sym) : 0;
    GDL_Event event{};
    event.code = GDL_keyCode(scancode, shift, layoutChar);
    event.state = KeyState(key.keysym.mod);
    if (key.type == SDL_KEYUP) {
        event.type = GDL_EVENT_KEYUP;
    } else if (key.repeat != 0) {
        event.type = GDL_EVENT_KEYREPEAT;
        event.code |= 1u << 16;  // repeat count
    } else {
        event.type = GDL_EVENT_KEYDOWN;
    }
    GdlQueueEvent(event);
}

uint32_t ButtonBit(Uint8 button) {
    if (button == SDL_BUTTON_LEFT) {
        return GDL_STATE_LEFT;
    }
    return button == SDL_BUTTON_RIGHT ? GDL_STATE_RIGHT : 0;
}

void OnButton(const SDL_MouseButtonEvent& button) {
    const uint32_t bit = ButtonBit(button.button);
    if (bit == 0 || button.which == SDL_TOUCH_MOUSEID) {
        return;
    }
    GDL_Event event{};
    event.code = bit == GDL_STATE_LEFT ? GDL_BUTTON_LEFT : GDL_BUTTON_RIGHT;
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        heldButtons |= bit;
        event.type = GDL_EVENT_MOUSEDOWN;
        event.state = heldButtons | (button.clicks == 2 ? GDL_STATE_DOUBLECLICK : 0);
    } else {
        heldButtons &= ~bit;
        event.type = GDL_EVENT_MOUSEUP;
        event.state = heldButtons;
    }
    PictureFromWindow(button.x, button.y, &event.x, &event.y);
    GdlQueueEvent(event);
}

void OnMotion(const SDL_MouseMotionEvent& motion) {
    GDL_Event event{};
    event.type = GDL_EVENT_MOUSEMOVE;
    PictureFromWindow(motion.x, motion.y, &event.x, &event.y);
    // The move that our own GDL_setMousePos caused is not the player's.
    if (warpPending && event.x == warpX && event.y == warpY) {
        warpPending = false;
        return;
    }
    event.state = heldButtons | (KeyState(SDL_GetModState()) & ~GDL_STATE_ALT);
    GdlQueueEvent(event);
}

void OnWindow(const SDL_WindowEvent& change) {
    switch (change.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            GdlSetActive(false);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            GdlSetActive(true);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            mustPresent = true;
            GdlWindowShowNow();
            break;
        default:
            break;
    }
}

}  // namespace

bool GdlWindowDetect(int32_t* desktopWidth, int32_t* desktopHeight) {
    *desktopWidth = 0;
    *desktopHeight = 0;
    SDL_DisplayMode mode;
    if (!StartVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return false;
    }
    *desktopWidth = mode.w;
    *desktopHeight = mode.h;
    return true;
}

bool GdlWindowOpen(GDL_Renderer preferred) {
    if (!StartVideo()) {
        return false;
    }
    SDL_Rect usable{0, 0, kGdlWidth, kGdlHeight};
    SDL_GetDisplayUsableBounds(0, &usable);
    const int32_t scale = GDL_windowScale(usable.w, usable.h);
    window = SDL_CreateWindow(GdlWindowTitle(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              kGdlWidth * scale, kGdlHeight * scale, SDL_WINDOW_RESIZABLE);
    if (window == nullptr) {
        StopVideo();
        return false;
    }
    SDL_SetWindowMinimumSize(window, kGdlWidth / 2, kGdlHeight / 2);
    // The setting's renderer first, then the other one: a picture is always shown.
    const GDL_Renderer other =
        preferred == GDL_Renderer::Accelerated ? GDL_Renderer::Software : GDL_Renderer::Accelerated;
    rendererKind = preferred;
    renderer = MakeRenderer(preferred);
    if (renderer == nullptr) {
        rendererKind = other;
        renderer = MakeRenderer(other);
    }
    if (renderer != nullptr) {
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                    kGdlWidth, kGdlHeight);
    }
    if (texture == nullptr) {
        GdlWindowClose();
        return false;
    }
    SDL_DisplayMode mode;
    const int rate = SDL_GetWindowDisplayMode(window, &mode) == 0 ? mode.refresh_rate : 0;
    refreshMs = static_cast<uint32_t>(1000 / (rate > 0 ? rate : 60));
    SDL_ShowCursor(SDL_DISABLE);  // the game draws its own pointer
    heldButtons = 0;
    swallowEnterUp = false;
    warpPending = false;
    mustPresent = true;
    shownPixels.clear();
    lastPresent = SysMilliseconds() - refreshMs;
    SysSetClockListener(OnClock);
    return true;
}

void GdlWindowClose() {
    SysSetClockListener(nullptr);
    if (texture != nullptr) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    rendererKind = GDL_Renderer::None;
    StopVideo();
}

void GdlWindowPump() {
    if (window == nullptr) {
        return;
    }
    // One look at the window system per call: SDL_PollEvent would look again
    // for every event it hands out.
    SDL_PumpEvents();
    SDL_Event event;
    while (window != nullptr &&
           SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        switch (event.type) {
            case SDL_QUIT:
                GdlQuitRequested();
                break;
            case SDL_WINDOWEVENT:
                OnWindow(event.window);
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                OnKey(event.key);
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                OnButton(event.button);
                break;
            case SDL_MOUSEMOTION:
                if (event.motion.which != SDL_TOUCH_MOUSEID) {
                    OnMotion(event.motion);
                }
                break;
            default:
                break;
        }
    }
    MaybePresent(SysMilliseconds());
}

void GdlWindowIdle() {
    if (window == nullptr) {
        return;
    }
    if (clockWatched) {
        // The game's clock only moves once a millisecond: looking again sooner
        // would spin a core for nothing, looking later would stretch its waits.
        clockWatched = false;
        SysWaitForNextMillisecond();
        return;
    }
    // Nothing is timed: wait for input, but no longer than the next refresh,
    // so whatever the game drew meanwhile still shows in time.
    const uint32_t sinceShown = SysMilliseconds() - lastPresent;
    const int wait = sinceShown < refreshMs ? static_cast<int>(refreshMs - sinceShown) : 0;
    if (wait > 0) {
        SDL_WaitEventTimeout(nullptr, wait);
    }
    MaybePresent(SysMilliseconds());
}

void GdlWindowRest(uint32_t ms) {
    if (window == nullptr) {
        SDL_Delay(ms);
        return;
    }
    // The rest may be long: what the game drew must be on screen first.
    lastPresent = SysPeekMilliseconds();
    Present();
    clockWatched = false;
    SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
}

void GdlWindowShowNow() {
    if (window == nullptr) {
        return;
    }
    mustPresent = true;
    lastPresent = SysMilliseconds();
    Present();
}

void GdlWindowWarp(int32_t x, int32_t y) {
    if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) == 0) {
        return;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    int32_t windowX = 0, windowY = 0;
    GDL_pictureToWindow(width, height, x, y, &windowX, &windowY);
    warpPending = true;
    warpX = x;
    warpY = y;
    SDL_WarpMouseInWindow(window, windowX, windowY);
}

GDL_Renderer GdlWindowRenderer() {
    return window != nullptr ? rendererKind : GDL_Renderer::None;
}

void GdlWindowMessageBox(const char* title, const char* message) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title, message, nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", title, message);
    }
}
