#pragma once
// The marsh scenes of the hunt: one picture painted together with its depth
// map and a map of what each pixel is, so that the three always agree. Every
// shape is drawn once into the picture and, with the same geometry, into the
// two maps; shapes go back to front, each writing its own depth.
#include <cairo.h>

#include <cstdint>
#include <vector>

#include "canvas.h"

// What a pixel of the scene is: the decoy map is made from this.
enum class Ground : uint8_t { Sky = 0, Water = 1, Land = 2 };

// Depths the hunt draws at, larger is nearer.
constexpr int kSkyDepth = 0;
constexpr int kFarShoreDepth = 48;  // above every far flock (y / 4 <= 39), below every close bird
constexpr int kDecoyLayer = 100;
constexpr int kBermDepth = 108;   // between the dog beyond it (105) and the dog leaping (120)
constexpr int kBlindDepth = 119;  // hides the partner (105) and the warden (117)
constexpr int kPanelDepth = 255;
constexpr int kPanelTop = 420;
// Marks a flat shape whose depth follows the row it lies on (see MarkFlat).
constexpr int kFlatDepth = 254;

struct Marsh {
    Marsh();
    ~Marsh();
    Marsh(const Marsh&) = delete;
    Marsh& operator=(const Marsh&) = delete;

    Canvas paint{640, 480};
    cairo_surface_t* depthSurface;
    cairo_t* depth;
    cairo_surface_t* groundSurface;
    cairo_t* ground;
    int horizon = 230;  // the far shore's water line
    double sunX = 420, sunY = 200;

    uint8_t DepthAt(int x, int y) const;
    Ground GroundAt(int x, int y) const;
    void Set(int x, int y, int depth, Ground g);
    // The picture's pixel, 0xAARRGGBB.
    uint32_t& Pixel(int x, int y);
};

// How near a point of the water at screen row y is: the close birds' layers at
// the rows where each size meets the water, 40 at the far shore.
double WaterDepth(double y, int horizon);

// Draws a shape into the picture and the maps. `draw(cr, colour)` makes its
// marks; when `colour` is false it must leave the source alone (it is the
// depth or the ground value) and may not use patterns.
template <class Draw>
void Mark(Marsh& m, int depth, Ground g, Draw draw) {
    cairo_save(m.paint.cr);
    draw(m.paint.cr, true);
    cairo_restore(m.paint.cr);
    cairo_save(m.depth);
    cairo_set_source_rgba(m.depth, 0, 0, 0, depth / 255.0);
    draw(m.depth, false);
    cairo_restore(m.depth);
    cairo_save(m.ground);
    cairo_set_source_rgba(m.ground, 0, 0, 0, static_cast<int>(g) / 255.0);
    draw(m.ground, false);
    cairo_restore(m.ground);
}

// The same for flat ground lying on the water: its depth is that of the water
// at each row it covers.
void SettleFlat(Marsh& m);
template <class Draw>
void MarkFlat(Marsh& m, Draw draw) {
    Mark(m, kFlatDepth, Ground::Land, draw);
    SettleFlat(m);
}

// Colours.
uint32_t Mix(uint32_t a, uint32_t b, double t);
uint32_t Scale(uint32_t rgb, double f);

// --- painters (marsh_paint.cpp) ---
struct SkyLook {
    uint32_t keys[5];  // zenith to horizon
    uint32_t glow;     // round the sun
    double glowStrength;
    uint32_t cloudLit, cloudShade;
    double cloudAmount;  // 0 clear .. 1 overcast
};
void PaintSky(Marsh& m, const SkyLook& look, uint32_t seed);
// Far hills or mountains standing on the far shore.
void PaintHills(Marsh& m, int baseY, double height, uint32_t top, uint32_t haze, double jag,
                uint32_t seed);
struct TreeLook {
    uint32_t dark, mid, lit;  // shadow side, body, sunlit side
    uint32_t haze;            // the air in front of them
    double hazeAmount;
    double conifers;  // share of pointed trees
    double snags;     // share of bare dead trees
};
// A wood standing on the far shore between x0 and x1.
void PaintTrees(Marsh& m, double x0, double x1, double baseY, double height, const TreeLook& look,
                double spacing, uint32_t seed);
struct WaterLook {
    uint32_t far, near;  // reflected sky at the far shore and at the blind
    uint32_t glint;      // the sun's path
    double ripple;
    double murk;  // brown silt, 0..1
};
// Water from the far shore down to the panel; then the far shore's reflection.
void PaintWater(Marsh& m, const WaterLook& look, uint32_t seed);
void ReflectShore(Marsh& m, int fromY, int toY, double strength, uint32_t seed);
struct ReedLook {
    uint32_t dark, mid, lit;
    uint32_t head;    // cattail heads
    double cattails;  // share of stems carrying a head
    double blades;    // share of bent leaf blades
    double width;     // stem width
};
// A clump of reeds rooted along baseY between x0 and x1, `density` stems per pixel.
void PaintReeds(Marsh& m, double x0, double x1, double baseY, double height, double density,
                const ReedLook& look, int depth, uint32_t seed, bool reflect = true);
// A low bank of mud or grass lying on the water: its outline from (x0, y) to
// (x1, y), `h` high at the middle.
void PaintBank(Marsh& m, double x0, double x1, double y, double h, uint32_t top, uint32_t side,
               uint32_t seed);
// A soft band of mist over the water and the far shore (picture only).
void PaintMist(Marsh& m, int y0, int y1, uint32_t colour, double alpha, uint32_t seed);
// Lily pads scattered over the water between the rows.
void PaintLilyPads(Marsh& m, double x0, double x1, double y0, double y1, int count, uint32_t seed);
// A dead stump or post standing in the water.
void PaintStump(Marsh& m, double x, double baseY, double w, double h, uint32_t colour,
                uint32_t seed);

// --- buildings and the near edge (marsh_build.cpp) ---
void PaintLodge(Marsh& m, double cx, double baseY, double scale, uint32_t seed);
void PaintShack(Marsh& m, double cx, double baseY, double scale, uint32_t seed);
void PaintPowerLine(Marsh& m, double baseY, uint32_t seed);
// The reed bank in front of the blind that the dog leaps over.
void PaintBerm(Marsh& m, double x0, double x1, double top, const ReedLook& reeds, uint32_t mud,
               uint32_t seed);
struct BlindLook {
    uint32_t woodDark, woodLight;
    uint32_t brushDark, brushLight;
    double railY;
};
// The front edge of the blind along the bottom of the view, with its sides.
void PaintBlindEdge(Marsh& m, const BlindLook& look, uint32_t seed);

// --- the panel (marsh_panel.cpp) ---
void PaintPanel(Marsh& m, uint32_t seed);

// --- the four clubs (marsh_scene.cpp) ---
void PaintClub(Marsh& m, int club);

// --- the maps (draw_marsh.cpp) ---
// The decoy map: 117 on each cell where a decoy has open water round it.
std::vector<uint8_t> DecoyMap(const Marsh& m);
