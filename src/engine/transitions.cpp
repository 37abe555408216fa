#include "engine/transitions.h"

#include <algorithm>

#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "platform/graphics.h"

const std::array<DissolveBlock, 16> dissolveOrder = {{
    {0, 0},
    {12, 8},
    {0, 12},
    {8, 0},
    {8, 12},
    {4, 4},
    {4, 12},
    {12, 0},
    {0, 8},
    {4, 0},
    {8, 8},
    {8, 4},
    {12, 12},
    {12, 4},
    {4, 8},
    {0, 4},
}};

namespace {

constexpr int kCell = 16;  // a dissolve cell, 4 by 4 blocks of 4 pixels
constexpr int kBlock = 4;
constexpr int kWipeColumns = 20;  // the wipe grid: 20 by 20 blocks of 32 by 24
constexpr int kWipeRows = 20;
constexpr int kWipeWidth = kScreenWidth / kWipeColumns;
constexpr int kWipeHeight = kScreenHeight / kWipeRows;

void Reveal(int32_t left, int32_t top, int32_t width, int32_t height) {
    GDL_bitBlt(displaySurface, backPage, left, top, left + width, top + height, left, top, 0);
}

// Block (column, row) of the wipe grid; steps that leave the grid copy nothing.
void RevealBlock(int column, int row) {
    if (column < 0 || column >= kWipeColumns || row < 0 || row >= kWipeRows) {
        return;
    }
    Reveal(column * kWipeWidth, row * kWipeHeight, kWipeWidth, kWipeHeight);
}

// Up to the next multiple of 16, as the two's-complement mask rounds (-5 gives 0).
int64_t RoundUpToCell(int32_t size) {
    return (int64_t{size} + kCell - 1) >> 4 << 4;
}

// Chequer shared by both shading calls: zero every second pixel of the row
// from column `from` to `to` inclusive whose column has parity `parity`.
void ShadeRow(uint8_t* row, int from, int to, int parity, int width) {
    from = std::max(from, 0);
    to = std::min(to, width - 1);
    if ((from & 1) != parity) {
        ++from;
    }
    for (int column = from; column <= to; column += 2) {
        row[column] = 0;
    }
}

}  // namespace

void DissolveArea(int32_t x, int32_t y, int32_t w, int32_t h) {
    const int64_t width = RoundUpToCell(w);
    const int64_t height = RoundUpToCell(h);
    if (x > kScreenWidth || y > kScreenHeight || width > kScreenWidth || height > kScreenHeight) {
        LogPrintf("ERROR: DissolveArea(%d,%d,%d,%d)", x, y, static_cast<int>(width),
                  static_cast<int>(height));
        return;
    }
    // Blocks off the screen are clipped by the copy.
    for (const DissolveBlock& block : dissolveOrder) {
        TimerWait(0);
        for (int64_t top = y; top < y + height; top += kCell) {
            for (int64_t left = x; left < x + width; left += kCell) {
                Reveal(static_cast<int32_t>(left + block.x), static_cast<int32_t>(top + block.y),
                       kBlock, kBlock);
            }
        }
        TimerWait(10);
    }
}

void BlockWipeSpiral() {
    // Block (10, 9): just right of and above the centre.
    int column = 10;
    int row = 9;
    RevealBlock(column, row);
    for (int round = 0, n = 1; round < 10; ++round, n += 2) {
        TimerWait(0);
        for (int i = 0; i < n; ++i) {
            RevealBlock(column, ++row);
        }
        for (int i = 0; i < n; ++i) {
            RevealBlock(--column, row);
        }
        for (int i = 0; i < n + 1; ++i) {
            RevealBlock(column, --row);
        }
        for (int i = 0; i < n + 1; ++i) {
            RevealBlock(++column, row);
        }
        TimerWait(40);
    }
}

void BlockWipeTopLeft() {
    // Anti-diagonals, each from its bottom-left end up to its top-right end.
    for (int i = 0; i < kWipeRows; ++i) {
        TimerWait(0);
        for (int k = 0; k <= i; ++k) {
            RevealBlock(k, i - k);
        }
        TimerWait(10);
    }
    for (int i = 1; i < kWipeColumns; ++i) {
        TimerWait(0);
        for (int k = 0; i + k < kWipeColumns; ++k) {
            RevealBlock(i + k, kWipeRows - 1 - k);
        }
        TimerWait(10);
    }
}

void BlockWipeBottomLeft() {
    for (int i = kWipeRows - 1; i >= 0; --i) {
        TimerWait(0);
        for (int k = 0; i + k < kWipeRows; ++k) {
            RevealBlock(k, i + k);
        }
        TimerWait(10);
    }
    for (int i = 1; i < kWipeColumns; ++i) {
        TimerWait(0);
        for (int k = 0; i + k < kWipeColumns; ++k) {
            RevealBlock(i + k, k);
        }
        TimerWait(10);
    }
}

void RandomBlockWipe() {
    switch (Random() % 3) {
        case 0:
            BlockWipeSpiral();
            break;
        case 1:
            BlockWipeTopLeft();
            break;
        default:
            BlockWipeBottomLeft();
            break;
    }
}

void FadePalette(int32_t intensity) {
    // Blackened in place: the fades own entry 0 of the background's palette.
    backgroundPalette[0] = backgroundPalette[1] = backgroundPalette[2] = 0;
    std::array<GDL_PaletteEntry, 256> entries{};
    for (size_t i = 0; i < entries.size(); ++i) {
        const uint8_t* rgb = backgroundPalette.data() + 3 * i;
        entries[i] = GDL_PaletteEntry{rgb[2], rgb[1], rgb[0], 0};
    }
    GDL_fadePalette(displaySurface, entries.data(), 256, 0, intensity);
    GDL_realizePalette(displaySurface, 256, 0, 1);
}

void ShadeWorkPage() {
    GDL_Surface* page = workPage;
    if (page == nullptr || page->pixels == nullptr) {
        return;
    }
    const int width = std::min(kScreenWidth, page->maxX + 1);
    const int height = std::min(kScreenHeight, page->maxY + 1);
    for (int row = 0; row < height; ++row) {
        ShadeRow(page->pixels + static_cast<ptrdiff_t>(row) * page->bytesPerLine, 0, width - 1,
                 row & 1, width);
    }
}

void ShadeRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    GDL_Surface* page = backPage;
    if (page == nullptr || page->pixels == nullptr || w <= 0 || h <= 0) {
        return;
    }
    const int width = std::min(kScreenWidth, page->maxX + 1);
    const int height = std::min(kScreenHeight, page->maxY + 1);
    const int64_t endRow = std::min<int64_t>(int64_t{y} + h, height);
    for (int64_t row = std::max<int32_t>(y, 0); row < endRow; ++row) {
        // Row 0 of the rectangle takes the odd columns of x .. x + w - 1, row 1
        // the even ones of x + 1 .. x + w, and so on; cut at the page's edges.
        const bool shifted = ((row - y) & 1) != 0;
        const int64_t from = int64_t{x} + (shifted ? 1 : 0);
        const int64_t to = from + w - 1;
        if (to < 0 || from >= width) {
            continue;
        }
        ShadeRow(page->pixels + row * page->bytesPerLine,
                 static_cast<int>(std::max<int64_t>(from, 0)),
                 static_cast<int>(std::min<int64_t>(to, width - 1)), shifted ? 0 : 1, width);
    }
}
