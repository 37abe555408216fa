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
// A pointer move as a device that reports every few milliseconds makes it:
// when the last queued event is a move with the same buttons, that one moves
// on instead, so the queue never fills with moves the game has not taken.
int32_t GDL_postMotion(const GDL_Event* event);

// Rests until an event of the mask is queued or, when `timed`, until the
// clock reaches `until` (a SysMilliseconds time), whichever comes first, but
// half a second at most (untimed while a pad is open, a tenth of a second):
// callers wait in a loop. Whatever was drawn is shown before resting, and the next
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

// Game controllers. Inputs are numbered as the common controller layout
// numbers them: buttons A, B, X, Y, Back, Guide, Start, the stick presses,
// the shoulders, then the D-pad up, down, left, right; axes the left stick's
// x and y, the right stick's, then the left and right triggers.
constexpr int32_t GDL_PAD_BUTTONS = 15;
constexpr int32_t GDL_PAD_AXES = 6;
constexpr int32_t GDL_PAD_A = 0;
constexpr int32_t GDL_PAD_B = 1;
constexpr int32_t GDL_PAD_BACK = 4;
constexpr int32_t GDL_PAD_START = 6;
constexpr int32_t GDL_PAD_UP = 11;
constexpr int32_t GDL_PAD_DOWN = 12;
constexpr int32_t GDL_PAD_LEFT = 13;
constexpr int32_t GDL_PAD_RIGHT = 14;
constexpr int32_t GDL_PAD_LEFT_X = 0;
constexpr int32_t GDL_PAD_LEFT_Y = 1;
constexpr int32_t GDL_PAD_TRIGGER_LEFT = 4;
constexpr int32_t GDL_PAD_TRIGGER_RIGHT = 5;

// What a pad holds: sticks -32768 to 32767 (y grows downwards), triggers 0 to
// 32767, one bit per held button.
struct GDL_PadState {
    bool connected = false;
    int16_t axes[GDL_PAD_AXES] = {};
    uint32_t buttons = 0;
};

// Whether the game wants pads at all (off at start and after reset).
void GDL_padEnable(bool on);
// The first controller plugged in, looked for anew when none is (so one
// plugged in mid-game is taken). False when pads are not wanted or cannot be
// read: no window and no virtual pad, or the subsystem refused.
bool GDL_padRead(GDL_PadState* state);

// A virtual pad for tests and scripts, read like a real one; works headless.
// Plugging brings the subsystem up; unplugging pulls the pad out.
bool GDL_padPlugVirtual();
void GDL_padUnplugVirtual();
enum class GDL_PadInput { Axis, Button };
// Sets one input of the virtual pad (an axis to its value as read, a button
// held when nonzero). False without a virtual pad or for a bad number.
bool GDL_padSetVirtual(GDL_PadInput input, int32_t number, int32_t value);

// The pointer drawn by the windowing system. An image of `scale` times the
// shape, ARGB, clear where the shape holds index 0; the hot spot is where the
// pointer falls in it (the game draws a shape at the pointer plus its offset).
struct GDL_CursorImage {
    int32_t width = 0, height = 0;
    int32_t hotX = 0, hotY = 0;
    std::vector<uint32_t> argb;
};
GDL_CursorImage GDL_makeCursorImage(const uint8_t* pixels, int32_t width, int32_t height,
                                    int32_t pitch, const GDL_PaletteEntry* palette, int32_t offsetX,
                                    int32_t offsetY, int32_t scale);
// Hands a shape to the windowing system at the window's whole scale (again
// when the window is resized). False when refused, and headless, where it is
// only kept (GDL_hardwareCursor), unless a test says headless takes it.
bool GDL_setHardwareCursor(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                           const GDL_PaletteEntry* palette, int32_t offsetX, int32_t offsetY);
// What the windowing system was last given, null before.
const GDL_CursorImage* GDL_hardwareCursor();
// Tests only: headless GDL_setHardwareCursor succeeds, as in a window (reset clears it).
void GDL_setHeadlessCursorTaken(bool taken);
