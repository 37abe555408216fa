// The four clubs' marshes, each its own place at first light: the muddy public
// marsh, Al's cattail pond, the Green Club's lake in the woods and the
// Millionaire Club's grand lake under the mountains with its lodge.
#include "marsh.h"

namespace {

// Where the dog leaps: the bank in front of the blind, right of the partner.
constexpr double kBermLeft = 338, kBermRight = 578;

void PublicGrounds(Marsh& m) {
    m.horizon = 238;
    m.sunX = 468;
    m.sunY = 226;
    PaintSky(m,
             {{0x3a4270, 0x646684, 0xa08a98, 0xd4a088, 0xecc08c},
              0xffd8a0,
              0.6,
              0xf4c098,
              0x6a5e78,
              0.5},
             101);
    PaintTrees(m, -10, 650, m.horizon, 24,
               {0x262420, 0x3e3c2c, 0x6a5c3a, 0x8a7a80, 0.35, 0.1, 0.12}, 8, 102);
    PaintPowerLine(m, m.horizon - 2, 103);
    PaintWater(m, {0xc0a890, 0x2e3028, 0xf8dca0, 0.3, 0.75}, 104);
    ReflectShore(m, m.horizon, m.horizon + 36, 0.6, 105);
    ReedLook dry = {0x2a2618, 0x6a5a34, 0xb89a5a, 0x4a2c16, 0.12, 0.25, 1.6};
    ReedLook green = {0x22301a, 0x58622e, 0x9a9450, 0x4a2c16, 0.2, 0.3, 1.8};
    // Mud flats and tussocks breaking the water into channels.
    PaintReeds(m, -10, 640, m.horizon + 6, 14, 0.35, dry, 60, 106);
    PaintBank(m, -20, 230, 268, 10, 0x8a6c48, 0x3a2a1a, 107);
    PaintReeds(m, 10, 200, 268, 26, 0.3, dry, static_cast<int>(WaterDepth(268, m.horizon)), 108);
    PaintBank(m, 400, 660, 286, 13, 0x8e7048, 0x3e2c1a, 109);
    PaintReeds(m, 440, 640, 286, 34, 0.35, dry, static_cast<int>(WaterDepth(286, m.horizon)), 110);
    PaintBank(m, 160, 280, 318, 10, 0x8a6a44, 0x382816, 111);
    PaintStump(m, 300, 292, 6, 18, 0x3a3026, 112);
    PaintStump(m, 246, 276, 4, 11, 0x3a3026, 113);
    PaintStump(m, 585, 330, 8, 30, 0x332a22, 114);
    // A row of old fence posts wading into the water.
    for (int k = 0; k < 5; k++) {
        PaintStump(m, 90 + k * 22, 300 + k * 13, 3 + k * 1.2, 10 + k * 5, 0x4a3e30, 115 + k);
    }
    PaintReeds(m, 60, 150, 352, 70, 0.3, green, static_cast<int>(WaterDepth(352, m.horizon)), 120);
    PaintBerm(m, kBermLeft, kBermRight, 338, dry, 0x5a4226, 121);
    PaintBlindEdge(m, {0x4a4036, 0x8a7a68, 0x3a3020, 0xb0985a, 398}, 122);
}

void DuckClub(Marsh& m) {
    m.horizon = 226;
    m.sunX = 380;
    m.sunY = 200;
    PaintSky(m,
             {{0x2c3c78, 0x5a6aa0, 0xc08aa0, 0xf0a870, 0xfcd890},
              0xfff0b0,
              0.7,
              0xffc890,
              0x7a5a80,
              0.35},
             201);
    PaintTrees(m, -10, 650, m.horizon, 46, {0x1e2a1c, 0x3e5a2a, 0x94984a, 0xc8a8a0, 0.3, 0.1, 0.04},
               15, 202);
    PaintShack(m, 478, m.horizon + 1, 1.1, 203);
    PaintWater(m, {0xecc090, 0x22364a, 0xfff0c0, 0.25, 0.15}, 204);
    ReflectShore(m, m.horizon, m.horizon + 60, 0.75, 205);
    ReedLook cattail = {0x1c2410, 0x4a5a22, 0x9aa048, 0x4a2814, 0.35, 0.35, 1.8};
    ReedLook lit = {0x2a3014, 0x6a7a2c, 0xc0b860, 0x5a3018, 0.4, 0.3, 2.0};
    // Cattails ring the pond: a low band along the far side, banks sweeping
    // forward on both hands.
    PaintReeds(m, -10, 650, m.horizon + 5, 16, 0.6, cattail, 55, 206);
    struct Bed {
        double x0, x1, base, h;
    };
    constexpr Bed kLeft[] = {
        {-10, 120, 262, 40}, {-10, 150, 292, 60}, {-10, 110, 330, 90}, {-10, 80, 370, 120}};
    constexpr Bed kRight[] = {
        {540, 650, 258, 36}, {500, 650, 284, 56}, {560, 650, 320, 90}, {590, 650, 360, 120}};
    for (int i = 0; i < 4; i++) {
        for (const Bed& b : {kLeft[i], kRight[i]}) {
            PaintBank(m, b.x0, b.x1, b.base + 2, 4, 0x4a4a22, 0x2a2a14, 207 + i);
            PaintReeds(m, b.x0, b.x1, b.base, b.h, 0.7, i % 2 ? lit : cattail,
                       static_cast<int>(WaterDepth(b.base, m.horizon)),
                       static_cast<uint32_t>(210 + i * 7 + b.x0 + 20));
        }
    }
    PaintLilyPads(m, 140, 520, 258, 330, 70, 220);
    PaintBerm(m, kBermLeft, kBermRight, 336, cattail, 0x3e3418, 221);
    PaintBlindEdge(m, {0x4a3020, 0x9a6a40, 0x3a3a18, 0xb0a050, 398}, 222);
}

void GreenClub(Marsh& m) {
    m.horizon = 214;
    m.sunX = 236;
    m.sunY = 96;
    PaintSky(m,
             {{0x3a5a9a, 0x6a8ac0, 0xa8b8d0, 0xe8d4b4, 0xf8e4c0},
              0xfff4d0,
              0.6,
              0xfff0d8,
              0x8a94ac,
              0.3},
             301);
    // Two ranks of forest: hazy spruce behind, rich mixed woods in front.
    PaintTrees(m, -10, 650, m.horizon - 6, 96,
               {0x1e3a36, 0x34584a, 0x6a9070, 0x9ab8c0, 0.35, 1.0, 0.0}, 6, 302);
    PaintTrees(m, -10, 650, m.horizon, 66, {0x0c2416, 0x22502a, 0x7aa83c, 0xa8c0c8, 0.12, 0.4, 0.0},
               11, 303);
    PaintWater(m, {0xa8c0b8, 0x102c34, 0xfff4d0, 0.2, 0.0}, 304);
    ReflectShore(m, m.horizon, m.horizon + 100, 0.85, 305);
    PaintMist(m, m.horizon - 14, m.horizon + 30, 0xe8f0ec, 0.55, 306);
    // A wooded point reaching in from the left.
    PaintBank(m, -30, 190, 252, 9, 0x3a5a26, 0x1a2a12, 307);
    PaintTrees(m, -10, 150, 250, 84, {0x0a2014, 0x1e4a24, 0x6a9a34, 0xa8c0c8, 0.05, 0.55, 0.0}, 10,
               308);
    ReedLook bulrush = {0x142814, 0x3a6a2a, 0x8ab050, 0x3a2410, 0.2, 0.4, 1.7};
    PaintReeds(m, 150, 230, 256, 26, 0.5, bulrush, static_cast<int>(WaterDepth(256, m.horizon)),
               309);
    PaintReeds(m, 520, 650, 300, 70, 0.6, bulrush, static_cast<int>(WaterDepth(300, m.horizon)),
               310);
    PaintReeds(m, -10, 70, 340, 110, 0.6, bulrush, static_cast<int>(WaterDepth(340, m.horizon)),
               311);
    PaintLilyPads(m, 200, 600, 264, 360, 60, 312);
    PaintBerm(m, kBermLeft, kBermRight, 334, bulrush, 0x2e3a1a, 313);
    PaintBlindEdge(m, {0x3a2a1a, 0x7a5a3a, 0x10241a, 0x4a7a3a, 398}, 314);
}

void Millionaire(Marsh& m) {
    m.horizon = 222;
    m.sunX = 552;
    m.sunY = 176;
    PaintSky(m,
             {{0x24306a, 0x4a5a9a, 0x9a7aa8, 0xf0a080, 0xfcd8a0},
              0xffe0b0,
              0.6,
              0xffb8a0,
              0x6a5a8a,
              0.45},
             401);
    // Mountains far off, a forested range nearer, the lodge on its lawn.
    PaintHills(m, m.horizon - 8, 70, 0x6a6a9a, 0xc8a0a8, 0.8, 402);
    PaintHills(m, m.horizon - 2, 30, 0x34404a, 0x8a8a98, 0.2, 403);
    PaintTrees(m, -10, 200, m.horizon, 40, {0x142a20, 0x2a4a30, 0x6a8a50, 0x9a98a8, 0.3, 0.7, 0}, 7,
               404);
    PaintTrees(m, 420, 650, m.horizon, 44, {0x142a20, 0x2a4a30, 0x6a8a50, 0x9a98a8, 0.3, 0.7, 0}, 7,
               405);
    Mark(m, kFarShoreDepth, Ground::Land, [&](cairo_t* cr, bool colour) {
        cairo_rectangle(cr, 150, m.horizon - 5, 320, 6);
        if (colour) {
            SetColour(cr, 0x5a7a3a);
        }
        cairo_fill(cr);
    });
    PaintLodge(m, 312, m.horizon, 1.05, 406);
    PaintWater(m, {0xe8b8a8, 0x16284a, 0xfff0d0, 0.2, 0.0}, 407);
    ReflectShore(m, m.horizon, m.horizon + 90, 0.75, 408);
    ReedLook reeds = {0x202a18, 0x5a6a30, 0xb0a860, 0x4a2c18, 0.25, 0.3, 1.7};
    PaintReeds(m, -10, 110, 300, 60, 0.6, reeds, static_cast<int>(WaterDepth(300, m.horizon)), 409);
    PaintReeds(m, -10, 60, 350, 100, 0.6, reeds, static_cast<int>(WaterDepth(350, m.horizon)), 410);
    PaintReeds(m, 590, 650, 330, 90, 0.6, reeds, static_cast<int>(WaterDepth(330, m.horizon)), 411);
    PaintBerm(m, kBermLeft, kBermRight, 340, reeds, 0x4a3a22, 412);
    PaintBlindEdge(m, {0x5a2e14, 0xb07a44, 0x3a3a1a, 0xc0a860, 398}, 413);
}

}  // namespace

void PaintClub(Marsh& m, int club) {
    switch (club) {
        case 0:
            PublicGrounds(m);
            break;
        case 1:
            DuckClub(m);
            break;
        case 2:
            GreenClub(m);
            break;
        default:
            Millionaire(m);
            break;
    }
    PaintPanel(m, 500 + club);
}
