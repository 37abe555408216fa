#pragma once
// Screen 6, the game bag: an overlay of the hunt picturing each kind of duck
// bagged so far with its count, and a second page with a picture.
#include <cstdint>

struct Button;

void DrawGameBagScreen();
void RestoreGameBagButtons();  // the Exit handler: the hunt's pixels back under the buttons
void DoGameBagScreen();
void DrawGameBagPage();  // also the Restore handler

void ToggleGameBagPage(int32_t arg);
void ExitGameBag(int32_t arg);

// The text of one bag entry, "2 Mallard Drakes"; `out` holds at least 40 bytes.
void GameBagLine(int32_t count, int32_t species, int32_t sex, char* out, int32_t size);

Button* GameBagButtons();
