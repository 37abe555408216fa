#pragma once
// Putting the back page on the display piece by piece, palette fades and the
// chequered shading of dialogs and the credits. The reveals busy-wait between
// steps and take no events meanwhile.
#include <array>
#include <cstdint>

// One 4 by 4 block's offset inside a 16 by 16 cell.
struct DissolveBlock {
    int32_t x;
    int32_t y;
};

// The order in which the blocks of every cell come up, one per step.
extern const std::array<DissolveBlock, 16> dissolveOrder;

// Reveals the area at (x, y), w by h rounded up to 16, in 16 steps of > 10 ms.
void DissolveArea(int32_t x, int32_t y, int32_t w, int32_t h);

// Whole-screen wipes of 32 by 24 blocks: a square spiral from the centre in 10
// steps of > 40 ms, and diagonal sweeps in 39 steps of > 10 ms.
void BlockWipeSpiral();
void BlockWipeTopLeft();
void BlockWipeBottomLeft();

// One of the three wipes, chosen by the game's random numbers.
void RandomBlockWipe();

// Shows backgroundPalette at intensity 0 (black) to 255 (full colour).
void FadePalette(int32_t intensity);

// Blackens every work page pixel whose column plus row is even.
void ShadeWorkPage();

// Blackens every other pixel of a back page rectangle, shifted one to the
// right on every other row.
void ShadeRect(int32_t x, int32_t y, int32_t w, int32_t h);
