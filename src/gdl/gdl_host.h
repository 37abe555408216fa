#pragma once
// What this program and its tests need of the display library beyond the
// operations the game was written against: the window title, the quit request,
// events and failures made up by tests, captures of what the display shows,
// and the window's scaling arithmetic.
#include <cstdint>
#include <vector>

#include "gdl/gdl.h"

// Display driver numbers, as GDL_detectGraphics reports them (0: none).
constexpr int32_t GDL_DRIVER_NONE = 0;
constexpr int32_t GDL_DRIVER_SVGA8 = 1;
constexpr int32_t GDL_DRIVER_LINEAR8 = 2;
constexpr int32_t GDL_DRIVER_ACCEL8 = 3;
constexpr int32_t GDL_DRIVER_DDRAW8 = 4;

// How the window draws: the accelerated renderer stands where the DirectDraw
// driver stood, the software renderer where the direct-access drivers stood.
enum class GDL_Renderer { None, Accelerated, Software };

// The renderer the chosen driver asks for (also headless, where nothing is
// drawn), and the one the window really uses (None headless or before init).
GDL_Renderer GDL_chosenRenderer();
GDL_Renderer GDL_activeRenderer();

// The window's size as the settings ask: `scale` 1 to 4 times the picture, 0
// the largest that fits the desktop; `fullscreen` covers the desktop. The open
// window changes at once, a window yet to open starts so; headless it is only
// remembered.
void GDL_setWindowMode(int32_t scale, bool fullscreen);
void GDL_windowMode(int32_t* scale, bool* fullscreen);

// Draws the open window with another renderer (falling back as at start when
// it cannot); returns the renderer the window uses (None headless).
GDL_Renderer GDL_switchRenderer(GDL_Renderer wanted);

// Names of the registered drivers, in the order registered.
std::vector<const char*> GDL_registeredDrivers();

// Title of the window; takes effect at the next GDL_init.
void GDL_setWindowTitle(const char* title);

// Called from an event call when the player closes the window or the process
// gets SIGINT or SIGTERM. Without a handler the library closes and the process
// ends with exit code 0. Null removes it.
using GDL_QuitHandler = void (*)();
void GDL_setQuitHandler(GDL_QuitHandler handler);

// Puts an event at the end of the queue as if the player had made it: serial
// and time are set here, the pointer position follows pointer events. Returns
// 0 when the queue is full (the event is dropped, as real input would be).
int32_t GDL_postEvent(const GDL_Event* event);

// Rests until an event of the mask is queued or, when `timed`, until the
// clock reaches `until` (a SysMilliseconds time), whichever comes first, but
// half a second at most when timed and a tenth of a second when not: callers
// wait in a loop. Whatever was drawn is shown before resting, and the next
// event call does not wait for a refresh. Headless, where no input comes
// while resting, the virtual clock jumps to `until` at once (untimed it only
// moves on by the event call's millisecond). Returns 1 when an event of the
// mask is waiting.
int32_t GDL_waitEvent(uint32_t mask, bool timed, uint32_t until);

// As if the window lost (false) or got back (true) the focus, or the player
// closed it: taken at the next event call, as the window's messages are.
void GDL_postActivation(bool gained);
void GDL_postQuit();

// What the display shows: its 640 x 480 indices, row after row, and the 256
// entries of the palette last realised.
struct GDL_Capture {
    std::vector<uint8_t> indices;
    GDL_PaletteEntry palette[256];
};
// False when there is no display surface.
bool GDL_captureDisplay(GDL_Capture* capture);
// The capture as an 8-bit paletted PNG file, or in memory. False on failure.
bool GDL_encodePng(const GDL_Capture& capture, std::vector<uint8_t>* png);
bool GDL_saveDisplayPng(const char* path);

// Headless only: the size of the make-believe desktop (1920 x 1080 at start).
// Smaller than 640 x 480, mode 19 is not available.
void GDL_setHeadlessDesktop(int32_t width, int32_t height);

// Headless only: makes the next operations of one kind fail after `skip`
// successes, so tests can walk the failure paths. Reset clears it.
enum class GDL_FailPoint { None, Init, DisplaySurface, MemorySurface };
void GDL_failAfter(GDL_FailPoint point, int32_t skip);

// Bytes GDL_bitBlt has copied onto the display surface since the last reset:
// lets tests see that a pass which changed nothing presented nothing.
int64_t GDL_displayBytesCopied();

// Back to the state before GDL_setAppInstance: every surface freed, drivers,
// queue, handlers, failures and the desktop size forgotten. For tests.
void GDL_reset();

// The window's scaling. The window starts at the largest whole multiple of the
// 640 x 480 picture that fits the desktop (at least 1); resized, the picture
// keeps 4:3 in the middle with black bars on two sides.
struct GDL_Rect {
    int32_t left, top, right, bottom;  // right and bottom exclusive
};
int32_t GDL_windowScale(int32_t desktopWidth, int32_t desktopHeight);
GDL_Rect GDL_pictureViewport(int32_t windowWidth, int32_t windowHeight);
// A window position as a picture pixel, clamped to the picture.
void GDL_windowToPicture(int32_t windowWidth, int32_t windowHeight, int32_t windowX,
                         int32_t windowY, int32_t* x, int32_t* y);
// A picture pixel as the window position of its centre.
void GDL_pictureToWindow(int32_t windowWidth, int32_t windowHeight, int32_t x, int32_t y,
                         int32_t* windowX, int32_t* windowY);

// The `code` of a key event for a key given by its USB usage number (the
// numbering keyboards report), `shift` held or not: the character in the low
// byte (US layout; 0 when the key types none) and the PC scan code above it.
// `layoutChar`, when not 0, is the unshifted character the desktop's layout
// gives the key and replaces the US one.
uint32_t GDL_keyCode(int32_t usbUsage, bool shift, int32_t layoutChar);
