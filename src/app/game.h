#pragma once
#include <cstdint>

struct GDL_Surface;

// The whole run: start-up in its fixed order, the main loop, shut-down.
// Returns the process exit code.
int RunGame();

// RunGame in the saves folder, made when missing: one saves folder however the
// game is started (menu, terminal, page), since options.dat is opened by its
// bare name. A folder it cannot use is told as a start-up failure, status 1.
int RunGameInSavesFolder();

// Loads what every screen shares, shows the title and enters screen 0.
// Returns 1, or 0 when the game cannot start.
uint32_t GameInit();

// Runs the current screen until the game quits.
void MainLoop();

// Frees what GameInit loaded.
void GameExit();

// The display library calls this when the game loses (flags 1) or gets back
// (flags 2) the display.
int32_t ReactivateScreen(GDL_Surface* surface, uint32_t flags);

// The normal way out from anywhere (the window closed, SIGINT, SIGTERM): the
// current screen's Exit handler, GameExit, the roster saved, sound and display
// down, exit code 0. Does not return.
[[noreturn]] void QuitFromAnywhere();
