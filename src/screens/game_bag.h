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

// A pocket of the bag page, one kind of duck in each: the rectangle of its
// leather rim, as the picture draws it (the rim's 5-pixel stroke is centred on
// its edge). Four to a row, two rows between the title bar and the seam.
struct BagPocket {
    int32_t x, y, w, h;
};
constexpr BagPocket BagPocketRect(int32_t pocket) {
    return {8 + 158 * (pocket % 4), 64 + 176 * (pocket / 4), 150, 168};
}
