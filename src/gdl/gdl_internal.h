#pragma once
// What the display library's files share among themselves; not for the game.
#include <cstdint>

#include "gdl/gdl.h"
#include "gdl/gdl_host.h"

// The one mode's size.
constexpr int32_t kGdlWidth = 640;
constexpr int32_t kGdlHeight = 480;

// Result codes the library sets (GDL_errorMsg has a text for each).
constexpr int32_t GDL_ERR_NOT_INITIALIZED = -1;
constexpr int32_t GDL_ERR_NOT_DETECTED = -2;
constexpr int32_t GDL_ERR_BAD_DRIVER = -4;
constexpr int32_t GDL_ERR_NO_MEMORY = -5;
constexpr int32_t GDL_ERR_BAD_MODE = -10;
constexpr int32_t GDL_ERR_BAD_ARGUMENT = -11;
constexpr int32_t GDL_ERR_TOO_MANY_DRIVERS = -13;
constexpr int32_t GDL_ERR_BAD_SURFACE = -15;
constexpr int32_t GDL_ERR_NO_WINDOW = -20;

// errors.cpp
void GdlSetResult(int32_t code);
void* GdlAppInstance();
void GdlResetErrors();

// surface.cpp
GDL_Surface* GdlCurrent();
GDL_Surface* GdlDisplay();  // null until created
uint8_t GdlColor();
bool GdlKnownSurface(const GDL_Surface* surface);
void GdlDestroyAllSurfaces();
void GdlResetSurfaces();
void GdlCountDisplayCopy(int64_t bytes);  // what GDL_bitBlt put on the display

// palette.cpp: the palette the display shows, set by GDL_realizePalette.
const GDL_PaletteEntry* GdlShownPalette();
void GdlResetPalette();

// driver.cpp
bool GdlInitialized();
const char* GdlWindowTitle();
bool GdlFailHere(GDL_FailPoint point);  // consumes one pending failure
void GdlHeadlessDesktop(int32_t* width, int32_t* height);

// events.cpp
bool GdlInEventCall();  // inside GDL_getEvent, GDL_peekEvent or GDL_flushEvents
void GdlQueueEvent(const GDL_Event& event);  // stamps serial and time; drops when full
void GdlSetPointer(int32_t x, int32_t y);
void GdlQuitRequested();             // runs the quit handler or ends the program
void GdlReactivate(uint32_t flags);  // runs the reactivation callback
void GdlSetActive(bool gained);      // focus lost (1) or back (2), once per change
void GdlResetEvents();
void GdlInstallSignalHandlers();
void GdlRestoreSignalHandlers();

// window.cpp: the SDL backend. Every entry returns at once headless.
bool GdlWindowDetect(int32_t* desktopWidth, int32_t* desktopHeight);
bool GdlWindowOpen(GDL_Renderer preferred);
void GdlWindowClose();
void GdlWindowPump();             // window messages into the queue
void GdlWindowIdle();             // nothing came: rest until the clock ticks
void GdlWindowRest(uint32_t ms);  // shows what was drawn, then rests up to ms for input
void GdlWindowShowNow();          // presents at once
void GdlWindowWarp(int32_t x, int32_t y);
GDL_Renderer GdlWindowRenderer();
int32_t GdlWindowWholeScale();  // the picture's whole scale in the window, 0 headless
// The windowing system's pointer: shows `image` (false when it cannot), or
// lets the one shown go.
struct GDL_CursorImage;
bool GdlWindowShowCursor(const GDL_CursorImage& image);
void GdlWindowFreeCursor();

// pad.cpp: controllers let go, the virtual pad unplugged, the subsystem down.
void GdlResetPad();
// pad.cpp: whether a controller is open; it is read only at event calls.
bool GdlPadOpen();

// cursor.cpp: the windowing system's pointer made again for a new window
// scale; forgotten (and freed) when the window goes.
void GdlCursorRescale();
void GdlResetCursor();

// present.cpp: presenting only what changed.
constexpr int32_t kGdlMaxChanges = 16;
// Compares the picture (rows bytesPerLine apart) with `shown` (what the window
// last showed, 640x480 packed), brings the changed pixels into `shown` and
// fills `changes` with up to kGdlMaxChanges rectangles covering every one of
// them; returns how many.
int32_t GdlTakeChanges(uint8_t* shown, const uint8_t* picture, int32_t bytesPerLine,
                       GDL_Rect* changes);
// The window pixels showing picture rectangle `rect` in viewport `view`.
GDL_Rect GdlScaledRect(const GDL_Rect& view, const GDL_Rect& rect);
// Writes GdlScaledRect(view, rect) from `shown` through `colours` (pixel values
// bytesPerPixel wide) to `target`, which points at that rectangle's first pixel.
void GdlScalePicture(const uint8_t* shown, const uint32_t* colours, const GDL_Rect& view,
                     const GDL_Rect& rect, uint8_t* target, int32_t pitch, int32_t bytesPerPixel);
