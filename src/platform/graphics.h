#pragma once
#include <cstdint>

#include "gdl/gdl.h"

// The three 640 x 480 pages every screen uses (null until GraphicsInit).
extern GDL_Surface* displaySurface;  // what the player sees
extern GDL_Surface* backPage;        // where a frame is composed
extern GDL_Surface* workPage;        // the clean background of the current screen
extern GDL_Surface* textTarget;      // where text drawing writes; the back page

// Brings the display library up in mode 19 with the three pages. Returns 1,
// or 0 (with a log line) when the mode is missing; other failures are fatal.
uint32_t GraphicsInit();

// Takes the display library down; every surface goes with it.
void GraphicsExit();

// Forgets the pages, as before GraphicsInit. For tests.
void ResetGraphics();
