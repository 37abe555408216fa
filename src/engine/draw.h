#pragma once
#include <cstdint>

// Small drawing routines over the display library's primitives.

// 1 when left <= px < right and top <= py < bottom.
uint32_t PointInRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t px,
                     int32_t py);

// On textTarget: the rectangle (x, y)-(x + w, y + h), filled or outlined.
void DrawBox(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour, int32_t filled);

// A line on whatever surface is current.
void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour);

// A raised panel: filled in the colour, dark edge inside, light edge outside.
void DrawPanel(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);

// Colour 0 over the whole display / back page.
void ClearDisplay();
void ClearBackPage();
