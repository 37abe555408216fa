#pragma once
// Pieces of marsh scenery shared by the title, the map and the picture pages.
#include <cstdint>

#include "canvas.h"

// Sky from the top of the rectangle down to the horizon: key colours top to
// bottom, with the sun's glow around (sunX, horizon).
void PaintDawnSky(Canvas& c, int x, int y, int w, int horizon, double sunX, uint32_t seed);
// Soft streaks of cloud lit from below.
void PaintClouds(Canvas& c, int x, int y, int w, int h, double sunX, uint32_t seed);
// A ragged silhouette of distant trees standing on the horizon.
void PaintTreeline(Canvas& c, int x, int w, int horizon, int height, uint32_t colour,
                   uint32_t seed);
// Calm water below the horizon reflecting the sky above it, with ripples.
void PaintWater(Canvas& c, int x, int w, int horizon, int bottom, double sunX, uint32_t seed);
// A clump of reeds and cattails rooted along the bottom edge; `dark` for
// silhouettes against the light.
void PaintReeds(Canvas& c, double x0, double x1, double baseY, double height, bool dark,
                uint32_t seed);
// A flying duck silhouette, wings up or down, facing right (or left when mirrored).
void DuckSilhouette(cairo_t* cr, double x, double y, double size, bool wingsUp, bool mirrored);
