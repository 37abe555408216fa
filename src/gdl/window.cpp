// The window backend over SDL2: one resizable window showing the display
// surface through the shown palette, scaled sharp; input into the queue;
// presenting from the clock and the event calls, once per refresh at most.
#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "gdl/gdl_internal.h"
#include "sys/clock.h"
#include "sys/identity.h"
#include "sys/replay.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
GDL_Renderer rendererKind = GDL_Renderer::None;
bool videoUp = false;

// How long a pump rests at most while the window cannot be seen.
constexpr int kHiddenWakeMs = 500;

uint32_t refreshMs = 16;  // one refresh of the desktop, rounded down
uint32_t lastPresent = 0;
bool mustPresent = true;  // the window needs a repaint whatever changed

// What the window last showed, to tell whether anything changed since.
std::vector<uint8_t> shownPixels;
GDL_PaletteEntry shownPalette[256];
// The window surface the software renderer last wrote, and where the picture sat in it.
SDL_Surface* shownSurface = nullptr;
GDL_Rect shownView = {0, 0, 0, 0};

// Whether the game read the clock since the last event call: then it is
// timing something, and an idle event call must not oversleep a millisecond.
bool clockWatched = false;

// Whether the last window call rested (see GdlWindowIdle).
bool justRested = false;

// The window's size and mode as the settings ask (GDL_setWindowMode).
int32_t wantedScale = 0;
bool wantedFullscreen = false;

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
    // The window's class on X11 and app id on Wayland are the application
    // id, so the desktop matches the window to its menu entry and icon. This
    // SDL reads them from the environment when video starts; one set by the
    // user stands.
    setenv("SDL_VIDEO_X11_WMCLASS", kAppId, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", kAppId, 0);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The software renderer's window surface is the window system's own
    // pixels, not a texture drawn by a hidden renderer on every update.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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

// Whether the renderer's OpenGL draws on the processor after all: then every
// present redraws the whole window in software, where the software renderer
// touches only what changed.
bool DrawsInSoftware(SDL_Renderer* candidate) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(candidate, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(0x1F01) : nullptr;  // GL_RENDERER
    if (name == nullptr) {
        return false;
    }
    const char* text = reinterpret_cast<const char*>(name);
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
        if (std::strstr(text, software) != nullptr) {
            return true;
        }
    }
    return false;
}

// Whether the machine has a graphics device at all (a DRM node). Without one
// OpenGL is a software rasteriser, and merely loading it costs some 70 MB.
bool HasGraphicsDevice() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("card", 0) == 0 || name.rfind("renderD", 0) == 0) {
            return true;
        }
    }
    return false;
}

// The accelerated renderer draws through a texture; the software one writes
// the window's own pixels, only where the picture changed. `anyGl` takes an
// accelerated renderer even when it draws in software.
bool MakeOutput(GDL_Renderer kind, bool anyGl) {
    if (kind == GDL_Renderer::Software) {
        return SDL_GetWindowSurface(window) != nullptr;
    }
    if (!anyGl && !HasGraphicsDevice()) {
        return false;  // OpenGL could only draw on the processor: not worth loading it
    }
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr) {
        return false;
    }
    if (!anyGl && DrawsInSoftware(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        return false;
    }
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                kGdlWidth, kGdlHeight);
    if (texture == nullptr) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        return false;
    }
    // The picture is opaque: blending it over the old frame is work for nothing.
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    return true;
}

// The wanted renderer first, then the other one, then OpenGL however it draws
// (an accelerated renderer that draws in software comes last of all), so a
// picture is always shown. False when none would start.
bool MakeOutputInOrder(GDL_Renderer wanted) {
    const GDL_Renderer other =
        wanted == GDL_Renderer::Accelerated ? GDL_Renderer::Software : GDL_Renderer::Accelerated;
    for (const auto& [kind, anyGl] : {std::pair{wanted, false}, std::pair{other, false},
                                      std::pair{GDL_Renderer::Accelerated, true}}) {
        rendererKind = kind;
        if (MakeOutput(kind, anyGl)) {
            return true;
        }
    }
    return false;
}

void PresentTexture(const GDL_PaletteEntry* palette, const GDL_Rect* changes, int32_t count) {
    Uint32 colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = 0xFF000000u | (static_cast<Uint32>(palette[i].red) << 16) |
                     (static_cast<Uint32>(palette[i].green) << 8) | palette[i].blue;
    }
    const GDL_Rect whole = {0, 0, kGdlWidth, kGdlHeight};
    for (int32_t i = 0; i < count; ++i) {
        const GDL_Rect& change = changes[i];
        const SDL_Rect area = {change.left, change.top, change.right - change.left,
                               change.bottom - change.top};
        void* texels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture, &area, &texels, &pitch) == 0) {
            GdlScalePicture(shownPixels.data(), colours, whole, change,
                            static_cast<uint8_t*>(texels), pitch, 4);
            SDL_UnlockTexture(texture);
        }
    }
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
    const GDL_Rect view = GDL_pictureViewport(outputWidth, outputHeight);
    const SDL_Rect target = {view.left, view.top, view.right - view.left, view.bottom - view.top};
    // The back buffer holds nothing certain after a present, but the picture
    // covers all of it unless there are bars.
    if (target.w != outputWidth || target.h != outputHeight) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    SDL_RenderCopy(renderer, texture, nullptr, &target);
    SDL_RenderPresent(renderer);
}

void PresentSurface(const GDL_PaletteEntry* palette, const GDL_Rect* changes, int32_t count,
                    bool whole) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        return;
    }
    const GDL_Rect view = GDL_pictureViewport(surface->w, surface->h);
    const GDL_Rect all = {0, 0, kGdlWidth, kGdlHeight};
    if (surface != shownSurface || std::memcmp(&view, &shownView, sizeof(view)) != 0) {
        whole = true;  // a new or resized window surface holds nothing yet
    }
    if (whole) {
        changes = &all;
        count = 1;
    }
    shownSurface = surface;
    shownView = view;
    Uint32 colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = SDL_MapRGB(surface->format, palette[i].red, palette[i].green, palette[i].blue);
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    if (whole && (view.right - view.left != surface->w || view.bottom - view.top != surface->h)) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    }
    const int32_t bytesPerPixel = surface->format->BytesPerPixel;
    SDL_Rect rects[kGdlMaxChanges];
    int shown = 0;
    for (int32_t i = 0; i < count; ++i) {
        const GDL_Rect out = GdlScaledRect(view, changes[i]);
        if (out.right <= out.left || out.bottom <= out.top) {
            continue;  // a shrunken window leaves some picture pixels out
        }
        uint8_t* target = static_cast<uint8_t*>(surface->pixels) +
                          static_cast<size_t>(out.top) * surface->pitch +
                          static_cast<size_t>(out.left) * bytesPerPixel;
        GdlScalePicture(shownPixels.data(), colours, view, changes[i], target, surface->pitch,
                        bytesPerPixel);
        rects[shown++] = {out.left, out.top, out.right - out.left, out.bottom - out.top};
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    if (whole) {
        SDL_UpdateWindowSurface(window);
    } else if (shown > 0) {
        SDL_UpdateWindowSurfaceRects(window, rects, shown);
    }
}

// Shows the display surface through the shown palette, when either changed
// since the last present (or the window needs a repaint anyway).
void Present() {
    const GDL_Surface* display = GdlDisplay();
    const GDL_PaletteEntry* palette = GdlShownPalette();
    const size_t size = static_cast<size_t>(kGdlWidth) * kGdlHeight;
    // A palette change repaints everything: any pixel may look different.
    bool whole = mustPresent || shownPixels.size() != size ||
                 std::memcmp(shownPalette, palette, sizeof(shownPalette)) != 0;
    if (shownPixels.size() != size) {
        shownPixels.assign(size, 0);
    }
    GDL_Rect changes[kGdlMaxChanges];
    int32_t count = 0;
    if (display != nullptr) {
        count = GdlTakeChanges(shownPixels.data(), display->pixels, display->bytesPerLine, changes);
    } else if (whole) {
        std::fill(shownPixels.begin(), shownPixels.end(), 0);  // no display yet: black
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
    if (texture != nullptr) {
        PresentTexture(palette, changes, count);
    } else {
        PresentSurface(palette, changes, count, whole);
    }
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

// The mode Alt+Enter leaves is the one GDL_windowMode reports, so the
// settings dialog shows it and saves it.
void ToggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    wantedFullscreen = !full;
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
            GdlCursorRescale();
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
    const int32_t scale = wantedScale > 0 ? wantedScale : GDL_windowScale(usable.w, usable.h);
    window = SDL_CreateWindow(
        GdlWindowTitle(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kGdlWidth * scale,
        kGdlHeight * scale,
        SDL_WINDOW_RESIZABLE | (wantedFullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
    if (window == nullptr) {
        StopVideo();
        return false;
    }
    SDL_SetWindowMinimumSize(window, kGdlWidth / 2, kGdlHeight / 2);
    if (!MakeOutputInOrder(preferred)) {
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
    shownSurface = nullptr;
    lastPresent = SysQuietMilliseconds() - refreshMs;
    SysSetClockListener(OnClock);
    return true;
}

void GdlWindowClose() {
    SysSetClockListener(nullptr);
    GdlResetCursor();
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
    // Minimised or hidden, nothing the game draws is seen: rest until the
    // window system has something, waking now and then for a quit signal.
    if ((SDL_GetWindowFlags(window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0) {
        SDL_WaitEventTimeout(nullptr, kHiddenWakeMs);
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
    MaybePresent(SysQuietMilliseconds());
}

void GdlWindowIdle() {
    if (window == nullptr) {
        return;
    }
    if (justRested) {
        // The caller has just rested until its due time or an input: whatever
        // it looks at now is due, so a further wait would only make it late.
        justRested = false;
        MaybePresent(SysQuietMilliseconds());
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
    const uint32_t sinceShown = SysQuietMilliseconds() - lastPresent;
    const int wait = sinceShown < refreshMs ? static_cast<int>(refreshMs - sinceShown) : 0;
    if (wait > 0) {
        SDL_WaitEventTimeout(nullptr, wait);
    }
    MaybePresent(SysQuietMilliseconds());
}

void GdlWindowRest(uint32_t ms) {
    if (window == nullptr) {
        // A replay played headless runs as fast as its clock allows.
        if (!SysReplayPlaying()) {
            SDL_Delay(ms);
        }
        return;
    }
    // The rest may be long: what the game drew must be on screen first, and
    // the time that takes is part of the rest.
    const uint32_t start = SysQuietMilliseconds();
    lastPresent = start;
    Present();
    clockWatched = false;
    const uint32_t spent = SysQuietMilliseconds() - start;
    SDL_WaitEventTimeout(nullptr, spent < ms ? static_cast<int>(ms - spent) : 0);
    justRested = true;
}

void GdlWindowShowNow() {
    if (window == nullptr) {
        return;
    }
    mustPresent = true;
    lastPresent = SysQuietMilliseconds();
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

int32_t GdlWindowWholeScale() {
    if (window == nullptr) {
        return 0;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const GDL_Rect view = GDL_pictureViewport(width, height);
    return std::max((view.right - view.left) / kGdlWidth, 1);
}

GDL_Renderer GdlWindowRenderer() {
    return window != nullptr ? rendererKind : GDL_Renderer::None;
}

namespace {
SDL_Cursor* shownCursor = nullptr;
}  // namespace

bool GdlWindowShowCursor(const GDL_CursorImage& image) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(image.argb.data()), image.width, image.height, 32, image.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    SDL_Cursor* made = SDL_CreateColorCursor(surface, image.hotX, image.hotY);
    SDL_FreeSurface(surface);
    if (made == nullptr) {
        return false;
    }
    SDL_SetCursor(made);
    GdlWindowFreeCursor();
    shownCursor = made;
    SDL_ShowCursor(SDL_ENABLE);
    return true;
}

void GdlWindowFreeCursor() {
    if (shownCursor != nullptr) {
        SDL_FreeCursor(shownCursor);
        shownCursor = nullptr;
    }
}

void GDL_setWindowMode(int32_t scale, bool fullscreen) {
    wantedScale = std::clamp(scale, 0, 4);
    wantedFullscreen = fullscreen;
    if (window == nullptr) {
        return;
    }
    SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!fullscreen) {
        SDL_Rect usable{0, 0, kGdlWidth, kGdlHeight};
        SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable);
        const int32_t times = wantedScale > 0 ? wantedScale : GDL_windowScale(usable.w, usable.h);
        SDL_SetWindowSize(window, kGdlWidth * times, kGdlHeight * times);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    mustPresent = true;
    GdlWindowShowNow();
}

void GDL_windowMode(int32_t* scale, bool* fullscreen) {
    *scale = wantedScale;
    *fullscreen = wantedFullscreen;
}

GDL_Renderer GDL_switchRenderer(GDL_Renderer wanted) {
    if (window == nullptr || wanted == GDL_Renderer::None || wanted == rendererKind) {
        return GdlWindowRenderer();
    }
    if (texture != nullptr) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    shownSurface = nullptr;
    MakeOutputInOrder(wanted);
    GdlWindowShowNow();
    return GdlWindowRenderer();
}
