#pragma once
// Drawing helpers shared by the picture tools: an RGBA canvas over cairo,
// DejaVu text through FreeType, deterministic noise, wood, bevels, soft
// shadows, the game's wooden buttons, and quantising to the master palette.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "format256.h"
#include "palette.h"

// An ARGB canvas; cr draws on it.
struct Canvas {
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width;
    int height;
    cairo_surface_t* surface;
    cairo_t* cr;
};

// Colours as 0xRRGGBB.
void SetColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
void Rectangle(cairo_t* cr, double x, double y, double w, double h, uint32_t rgb,
               double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// A vertical gradient fill of the current path, top colour to bottom colour.
void FillVertical(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom);

// DejaVu faces by file name, e.g. "DejaVuSans-Bold.ttf".
constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";
void UseFont(cairo_t* cr, const char* file, double size);
double TextWidth(cairo_t* cr, const std::string& text);
// Text centred on cx with its baseline at y, a dark shadow behind it.
void CentredText(cairo_t* cr, const char* file, double size, double cx, double y,
                 const std::string& text, uint32_t fill, uint32_t shadow = 0x1a120c);

// Value noise in 0..1, smooth between integer lattice points.
double Noise(double x, double y, uint32_t seed);
// Several octaves of Noise, still in 0..1.
double Fractal(double x, double y, uint32_t seed, int octaves);
// A hash of three numbers, 0..1.
double Hash01(int x, int y, uint32_t seed);

// Brightens or darkens each pixel of a rectangle by up to `amount` (0..1) of
// blotchy noise: the painted texture of the pictures.
void Grain(Canvas& c, int x, int y, int w, int h, double amount, double scale, uint32_t seed);
// Wood planks with grain along x (or y when vertical) between two tones.
void PaintWood(Canvas& c, int x, int y, int w, int h, uint32_t dark, uint32_t light, uint32_t seed,
               bool vertical = false);
// Light top and left edges, dark bottom and right ones, `depth` pixels wide.
void Bevel(cairo_t* cr, double x, double y, double w, double h, double depth, double strength);
// Draws a soft shadow of whatever `shape` fills, offset by (dx, dy).
void SoftShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double dx, double dy,
                int radius, double alpha);
// Blurs an A8 mask by three box blurs of `radius`: nearly a Gaussian.
void BlurMask(cairo_surface_t* mask, int radius);

// The game's bevelled wooden button, filling the rectangle edge to edge. Lit
// buttons glow: paler wood and a golden label.
void WoodButton(Canvas& c, int x, int y, int w, int h, const std::string& label, bool lit,
                uint32_t seed, double textSize = 15);

// Turns a rectangle of the canvas into palette indices. With `transparent`,
// pixels less than half covered become 0; every other pixel gets an entry from
// 1 up. `dither` is the ordered-dither strength in colour steps (0 for none).
Picture Quantize(const Canvas& c, int x, int y, int w, int h, bool transparent, int dither);

// A rectangle of a screen: top-left corner and size, in pixels.
struct Rect {
    int x, y, w, h;
};

// A button's face cut out of a painted screen, opaque.
Picture Crop(const Canvas& c, Rect r);

// Paints a whole 640 x 480 screen with `draw` and writes it to dir/name as a
// background (lightly dithered).
bool WritePaintedBackground(const char* dir, const char* name, void (*draw)(Canvas&));

// Output path helper: dir + "/" + name.
std::string OutPath(const char* dir, const char* name);

// Vertical planks of panelling across a rectangle, with dark seams.
void PaintPanelling(Canvas& c, int x, int y, int w, int h, int plank, uint32_t dark, uint32_t light,
                    uint32_t seed);
// A framed board: a moulded wooden frame `frame` pixels wide round a flat
// inner colour with a little texture.
void PaintFramedBoard(Canvas& c, int x, int y, int w, int h, int frame, uint32_t inner,
                      uint32_t seed);
// A soft dark vignette towards the edges of the canvas.
void Vignette(Canvas& c, double strength);
