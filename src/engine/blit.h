#pragma once
// Sprite blitters: graphics of the table written straight into 8-bit page
// memory, clipped to the 640 by 480 screen. Pixel 0 is transparent except for
// BlitGraphic2, SaveImage and RestoreImage. The depth-tested ones draw a pixel
// only where the depth map (slot 99) holds a value below `layer`.
#include <cstdint>

#include "gdl/gdl.h"

// The common sprite draw, anchored at (x, y) plus the graphic's offsets.
void BlitGraphic(int32_t num, int32_t x, int32_t y, GDL_Surface* surface);

// Copies the first `rows` rows opaque at (x, y), offsets not applied.
void BlitGraphic2(int32_t num, int32_t x, int32_t y, int32_t rows, GDL_Surface* surface);

// BlitGraphic into the back page behind the depth map.
void BlitGraphicLayer(int32_t num, int32_t x, int32_t y, int32_t layer);

// Every non-zero pixel of the graphic written as `colour`.
void BlitShadow(int32_t num, int32_t x, int32_t y, uint8_t colour, GDL_Surface* surface);

// Scaled by `percent` (nothing below 5), optionally mirrored, into the back
// page behind the depth map.
void ScaleGraphic(int32_t num, int32_t x, int32_t y, int32_t layer, int32_t percent,
                  int32_t mirror);

// A decoy painted into the work page at layer 100, scaled, never mirrored.
void BlitDecoy(int32_t num, int32_t x, int32_t y, int32_t percent);

// Copies the w by h rectangle at (x, y) into `buffer`, rows packed. A negative
// x or y moves the rectangle to 0; the last row and column are never taken.
void SaveImage(GDL_Surface* surface, uint8_t* buffer, int32_t x, int32_t y, int32_t w, int32_t h);

// Puts back what SaveImage took for the same rectangle.
void RestoreImage(const uint8_t* buffer, GDL_Surface* surface, int32_t x, int32_t y, int32_t w,
                  int32_t h);
