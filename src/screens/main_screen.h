#pragma once
#include <cstdint>

struct Button;

// Screen 1, the hub between hunts: the four clubs on the map, the store, the
// way back to the roster and the way out; the player's money at the bottom.

void DrawMainScreen();
void DumpMainScreen();
// The broke test first, then the button list.
void DoMainScreen();

// A club's button: takes the fee when the money covers it and starts the hunt.
void GoHunt(int32_t club);

// The quit question; after "Yes" the credits roll and the game ends.
void DoExit(int32_t arg);

// The main screen's button list, for tests.
Button* MainButtons();

// Below $5 and below 4 shells the game is over (even though club 0 is free).
bool PlayerIsBroke();
