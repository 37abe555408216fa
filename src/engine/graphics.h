#pragma once
// The graphic table, the .256 picture loader, backgrounds and the page copies.
#include <array>
#include <cstdint>

#include "gdl/gdl.h"

// Highest graphic number a blitter accepts; a bank fills at most slot 974.
constexpr int maxGraphic = 975;
constexpr int kGraphicSlots = maxGraphic + 1;

// The screen every page and blitter works on.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// One decoded sprite. The first five fields come verbatim from the file.
struct GraphicSlot {
    uint32_t size;  // bytes of pixel data in the file (encoded size for run-length banks)
    int16_t width;
    int16_t height;
    int16_t xoff;  // added to the x of a draw call
    int16_t yoff;
    uint8_t* data;  // width * height pixels, row after row; null when empty
};

// Starts empty; pixel data comes from GDL_malloc and goes back with GDL_free.
extern std::array<GraphicSlot, kGraphicSlots> Graphic;

// Palette of every surface: blue, green, red, 0. Entry 0 is always black.
extern std::array<GDL_PaletteEntry, 256> gamePalette;

// Red, green, blue of the last background loaded, as the file holds them.
extern std::array<uint8_t, 768> backgroundPalette;

// One row of the widest graphic plus the most a run can overrun its row end
// (a count of 63 started on the last pixel). Shared with the blitters.
constexpr int kLineBufferSize = kScreenWidth + 62;
extern std::array<uint8_t, kLineBufferSize> lineBuffer;

// Sizes of the .256 format.
constexpr uint32_t kBankHeaderSize = 776;
constexpr uint32_t kRecordHeaderSize = 16;

// Loads the bank "<dataDir><name>.256" into slots start onward. Returns the
// number of graphics, or 0 on any failure (slots filled before it stay filled).
int32_t LoadGraphics(int32_t start, const char* name);

// Empties slots start to start + count - 1.
void FreeGraphics(int32_t start, int32_t count);

// Loads a 640 by 480 background into the work page and keeps its palette in
// backgroundPalette. 1 on success, 0 when the file is missing or short.
uint32_t LoadBackground(const char* name);

// The same into the back page, leaving both palettes alone.
uint32_t LoadBackground2(const char* name);

// Work page onto back page, whole.
void CopyWorkPage();

// Back page onto the display, whole.
void ShowBackPage();

// Copies the w by h rectangle at (x, y) to the same place. Source first.
void CopyPageRect(GDL_Surface* source, GDL_Surface* destination, int32_t x, int32_t y, int32_t w,
                  int32_t h);

// The same, but only the rows that differ between the two pages: a pass that
// changed nothing presents nothing. Returns the bytes compared unequal and copied.
int64_t CopyChangedRows(GDL_Surface* source, GDL_Surface* destination, int32_t x, int32_t y,
                        int32_t w, int32_t h);

// Frees every slot and clears the palettes and the row buffer, as at start.
void ResetGraphicBanks();
