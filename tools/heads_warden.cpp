// Wilma the game warden: head and shoulders over the blind's edge, campaign
// hat, khaki uniform shirt with badge and tie, writing on a clipboard. Her
// second overlay is the pen hand: resting on the paper, or lifted.
#include "heads.h"

namespace {

constexpr double kCx = 220;  // the middle of her face, on screen

constexpr uint32_t kSkin = 0xe8b494;
constexpr uint32_t kSkinShade = 0x9a5a40;
constexpr uint32_t kHairDark = 0x2e1208;
constexpr uint32_t kKhakiDark = 0x7a6238;
constexpr uint32_t kOutline = 0x2a1810;

void FacePath(cairo_t* cr) {
    SmoothPath(cr,
               {220, 240,   237, 243, 247, 256, 249, 273, 247, 289, 242, 302, 234, 313, 226, 320,
                220, 321.5, 214, 320, 206, 313, 198, 302, 193, 289, 191, 273, 193, 256, 203, 243});
}

void TorsoPath(cairo_t* cr) {
    SmoothPath(cr, {116, 474, 118, 404, 124, 374, 136, 356, 160, 345, 194, 337, 220, 333,
                    246, 337, 280, 345, 304, 356, 316, 374, 322, 404, 324, 474, 220, 478});
}

void Hair(Canvas& c) {
    cairo_t* cr = c.cr;
    // Shoulder-length hair behind the face, curling under at the ends.
    SmoothPath(cr,
               {220, 238, 250, 244, 261, 266, 263, 300, 266, 330, 262, 346, 250, 344, 240, 326,
                220, 330, 200, 326, 190, 344, 178, 346, 174, 330, 177, 300, 179, 266, 190, 244});
    FillRadial(cr, 214, 270, 90, 0x7a3a1c, kHairDark);
    SetColour(cr, kHairDark, 0.7);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 9; i++) {
        double x = 182 + i * 3.2;
        cairo_move_to(cr, x, 262);
        cairo_curve_to(cr, x - 4, 290, x - 2, 320, x - 6 + i * 0.4, 342);
        double xr = 258 - i * 3.2;
        cairo_move_to(cr, xr, 262);
        cairo_curve_to(cr, xr + 4, 290, xr + 2, 320, xr + 6 - i * 0.4, 342);
    }
    cairo_stroke(cr);
}

void FrontLocks(Canvas& c) {
    cairo_t* cr = c.cr;
    // Swept from under the brim over the tops of the ears.
    for (int side : {-1, 1}) {
        double s = side;
        SmoothPath(cr,
                   {kCx + s * 12, 248, kCx + s * 26, 250, kCx + s * 31, 262, kCx + s * 33, 282,
                    kCx + s * 30, 294, kCx + s * 28, 280, kCx + s * 25, 262, kCx + s * 17, 254});
        FillRadial(cr, kCx + s * 20, 256, 36, 0x8a4622, kHairDark);
        cairo_move_to(cr, kCx + s * 16, 251);
        cairo_curve_to(cr, kCx + s * 26, 254, kCx + s * 30, 268, kCx + s * 30, 286);
        Outline(cr, 0xb0683a, 0.8, 0.5);
    }
}

void Neck(Canvas& c) {
    PaintNeck(c, {207, 300, 233, 300, 236, 330, 240, 346, 200, 346, 204, 330}, 300, 346, 0xc88a6a,
              kSkin, {196, 244, 300, 326, 0x6a3020, 0.55});
}

// The shirt's shading, seams, epaulettes, patches and pockets.
void ShirtDetails(Canvas& c) {
    cairo_t* cr = c.cr;
    // The arms at the sides turn away from the light.
    SoftRects(c, {{100, 360, 40, 120}, {300, 360, 40, 120}}, kKhakiDark, 0.6, 8);
    for (int side : {-1, 1}) {
        double s = side;
        // Sleeve seam and the fold between arm and body; on her left they
        // have always been the brown of the pocket buttons.
        uint32_t seam = s < 0 ? kKhakiDark : 0x5a4420;
        double seamAlpha = s < 0 ? 0.8 : 1.0;
        cairo_move_to(cr, kCx + s * 74, 350);
        cairo_curve_to(cr, kCx + s * 80, 362, kCx + s * 82, 380, kCx + s * 80, 396);
        Outline(cr, seam, 1.2, seamAlpha);
        cairo_move_to(cr, kCx + s * 78, 404);
        cairo_curve_to(cr, kCx + s * 74, 430, kCx + s * 74, 450, kCx + s * 76, 474);
        Outline(cr, seam, 1.2, seamAlpha);
        // Epaulette.
        PolygonPath(cr,
                    {kCx + s * 30, 340, kCx + s * 76, 352, kCx + s * 74, 359, kCx + s * 30, 346});
        FillOutlined(cr, 0xa08a5a, kKhakiDark, 1.2, 0.8);
        Dot(cr, kCx + s * 36, 343.5, 1.8, 0x6a5020);
        // A shoulder patch: the service's arrowhead.
        double px = kCx + s * 88, py = 378;
        cairo_move_to(cr, px, py - 11);
        cairo_curve_to(cr, px + 9, py - 6, px + 8, py + 6, px, py + 12);
        cairo_curve_to(cr, px - 8, py + 6, px - 9, py - 6, px, py - 11);
        FillOutlined(cr, 0x5a3a1c, 0xd8c890, 1);
        cairo_move_to(cr, px - 3, py + 5);
        cairo_line_to(cr, px, py - 5);
        cairo_line_to(cr, px + 3, py + 5);
        Outline(cr, 0x4e7a3a, 1);
        // A chest pocket with its flap and button.
        double x0 = kCx + (s < 0 ? -52 : 16);
        cairo_rectangle(cr, x0, 380, 36, 34);
        Outline(cr, kKhakiDark, 1.2, 0.8);
        PocketFlapPath(cr, x0 - 1, x0 + 37, 379, 388, 392);
        FillOutlined(cr, 0xd2ba86, kKhakiDark, 1.2, 0.9);
        Dot(cr, x0 + 18, 388, 1.7, 0x5a4420);
    }
    // Placket and buttons down the middle.
    Rectangle(cr, kCx - 0.5, 356, 1.2, 118, kKhakiDark, 0.7);
}

void Shirt(Canvas& c) {
    auto cloth = [&] { FillVertical(c.cr, 335, 470, 0xd8c08a, 0xa88e5c); };
    auto details = [&] { ShirtDetails(c); };
    PaintShape(c.cr, TorsoPath, cloth, details, kOutline, 1.2, 0.8);
}

void CollarAndTie(Canvas& c) {
    cairo_t* cr = c.cr;
    // The tie.
    PolygonPath(cr, {216, 347, 224, 347, 223, 356, 217, 356});
    SetColour(cr, 0x3c5e38);
    cairo_fill(cr);
    PolygonPath(cr, {217, 356, 223, 356, 227, 424, 220, 432, 213, 424});
    FillVertical(cr, 356, 432, 0x3c5e38, 0x1e3420);
    cairo_move_to(cr, 218, 362);
    cairo_line_to(cr, 216, 420);
    Outline(cr, 0x6a8a5a, 1, 0.6);
    Rectangle(cr, 214, 392, 12, 2.5, 0xd8b050);  // tie bar
    CollarPoints(cr, kCx, {4, 348, 15, 330, 27, 340, 26, 364}, 0xdcc694, kKhakiDark, 1);
}

void Badge(Canvas& c) {
    cairo_t* cr = c.cr;
    double x = 254, y = 364;
    SoftRect(c, x - 7, y - 6, 15, 19, 0x3a2a10, 0.5, 2);
    // A shield of brass with a darker star.
    cairo_move_to(cr, x - 7, y - 8);
    cairo_curve_to(cr, x - 3, y - 6, x + 3, y - 6, x + 7, y - 8);
    cairo_line_to(cr, x + 7, y + 2);
    cairo_curve_to(cr, x + 6, y + 8, x + 2, y + 10, x, y + 12);
    cairo_curve_to(cr, x - 2, y + 10, x - 6, y + 8, x - 7, y + 2);
    cairo_close_path(cr);
    FillLinear(cr, x - 7, y - 8, x + 7, y + 12,
               {{{0, 1, 0.92, 0.6}, {0.5, 0.86, 0.66, 0.2}, {1, 0.5, 0.34, 0.06}}}, true);
    Outline(cr, 0x4a3008, 0.8);
    StarPath(cr, x, y + 1.5, 5, 4.2, 1.8);
    SetColour(cr, 0x7a5210);
    cairo_fill(cr);
    NameBar(cr, 174, 369, 24, 6, 1, 0.8);  // over the other pocket
}

// The clipboard in her right hand, the pen in her left; `lifted` for graphic 10.
void Clipboard(Canvas& c, bool lifted) {
    cairo_t* cr = c.cr;
    auto board = [](cairo_t* t) {
        cairo_move_to(t, 148, 378);
        cairo_line_to(t, 206, 368);
        cairo_line_to(t, 216, 444);
        cairo_line_to(t, 156, 452);
        cairo_close_path(t);
    };
    DropShadow(c, board, 3, 4, 0x2a1a08, 0.45, 3);
    board(cr);
    FillVertical(cr, 368, 452, 0xa8743c, 0x6a4420);
    PolygonPath(cr, {153, 384, 202, 376, 211, 440, 160, 447});
    SetColour(cr, 0xf2eee2);
    cairo_fill(cr);
    for (int i = 0; i < 8; i++) {
        double t = 0.14 + i * 0.1;
        double lx0 = 153 + 7 * t + 4, ly0 = 384 + 63 * t;
        double lx1 = 202 + 9 * t - 4, ly1 = 376 + 64 * t;
        cairo_move_to(cr, lx0, ly0);
        cairo_line_to(cr, lx1 - (i == 3 ? 18 : 0), ly1 + (i == 3 ? 3 : 0));
    }
    Outline(cr, 0x8a9ab8, 0.8, 0.7);
    // Writing on the top lines.
    SetColour(cr, 0x2a3a6a, 0.8);
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 3; i++) {
        double y = 393 + i * 6.5 - i * 0.3;
        cairo_move_to(cr, 160, y + 0.6);
        for (int k = 0; k < 8; k++) {
            cairo_rel_line_to(cr, 2.2, k % 2 ? -1.6 : 1.6);
        }
        cairo_stroke(cr);
    }
    // The clip.
    PolygonPath(cr, {166, 372, 188, 368, 190, 378, 168, 382});
    FillVertical(cr, 368, 382, 0xe4e8ee, 0x6a7078);
    Outline(cr, 0x30343a, 0.8);
    // Her right hand at the board's edge: fingers in front.
    for (int i = 0; i < 4; i++) {
        double y = 404 + i * 6.5;
        EllipsePath(cr, 152 + i * 0.5, y, 6.5, 3.2);
        FillRadial(cr, 152, y - 1, 7, 0xf0c0a0, 0xb07858);
        EllipsePath(cr, 152 + i * 0.5, y, 6.5, 3.2);
        Outline(cr, 0x6a3424, 0.7, 0.7);
    }
    // The left forearm from the far side, its cuff, and the pen hand.
    SmoothPath(cr,
               {318, 470, 280, 446, 240, 420, 226, 408, 230, 398, 250, 404, 290, 424, 324, 440});
    FillVertical(cr, 398, 470, 0xcab07c, 0x8a7048);
    Outline(cr, kOutline, 1, 0.7);
    cairo_save(cr);
    // The hand pivots at the wrist when she lifts the pen.
    cairo_translate(cr, 226, 404);
    if (lifted) {
        cairo_rotate(cr, 0.5);
        cairo_translate(cr, 3, -6);
    }
    cairo_move_to(cr, -3, -5);
    cairo_line_to(cr, -26, 6);
    Outline(cr, 0x1a2a5a, 2.2);
    cairo_move_to(cr, -24, 5);
    cairo_line_to(cr, -27, 6.5);
    Outline(cr, 0xd0c8b0, 1.2);
    SmoothPath(cr, {2, -8, -6, -9, -14, -5, -17, 0, -13, 5, -4, 7, 3, 4});
    FillRadial(cr, -8, -4, 12, 0xf4c8a8, 0xb07454);
    Outline(cr, 0x6a3424, 0.8, 0.8);
    cairo_move_to(cr, -12, 1);
    cairo_curve_to(cr, -9, 3, -6, 3, -3, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Face(Canvas& c) {
    cairo_t* cr = c.cr;
    FacePath(cr);
    FillRadial(cr, 212, 280, 48, 0xf4c8aa, 0xc88a6a);
    cairo_save(cr);
    FacePath(cr);
    cairo_clip(cr);
    // Light from the upper left: the far side of the face and the jaw in shade.
    SoftSmooth(c, {246, 250, 256, 280, 246, 322, 226, 330, 236, 300, 240, 272}, kSkinShade, 0.45,
               5);
    SoftRect(c, 180, 242, 80, 16, 0x5a2a1a, 0.55, 5);
    for (double x : {203.0, 237.0}) {
        SoftDisc(c, x, 296, 6, 0xd86a5a, 0.22, 4);
    }
    cairo_restore(cr);
    // Nose: a shaded side, a lit tip, nostrils.
    SoftSliver(c, {223, 278, 226, 286, 228, 292, 226, 296, 223, 296, 224, 290, 222, 284, 221, 278},
               kSkinShade, 0.55, 1);
    SoftDisc(c, 219, 291, 2.6, 0xfce0cc, 0.7, 1);
    for (double x : {215.5, 224.0}) {
        Nostril(cr, x, 295.2, 2.0, 1.0, 0x5a2418, 0.75);
    }
    SoftRect(c, 213, 296.5, 14, 2, 0x8a4a34, 0.35, 1);
    FacePath(cr);
    Outline(cr, kOutline, 1.1, 0.75);
}

// Ahead, aside, frowning, raised.
constexpr EyePoses kEyePoses = {
    {{{0, 0.8, 0}, 0, 0}, {{0.85, 0.8, 0}, 0, 0}, {{0, 0.62, 0.9}, 0, 3}, {{0, 1.0, 0}, 3, 0}}};

void EyesAndBrows(Canvas& c, Eyes eyes) {
    const EyePose& pose = PoseOf(kEyePoses, eyes);
    const EyeLook& look = pose.eyes;
    double browLift = pose.browLift, browFrown = pose.browFrown;
    for (int side : {-1, 1}) {
        double s = side, ex = kCx + s * 13;
        PaintEye(c, ex, 276, 12.5, -s, look, 0x5a7a3a, 0xe4ae8c, 1.6);
        PaintBrow(c.cr, kCx + s * 5, 267 - browLift * 0.6 + browFrown * 0.8, kCx + s * 21,
                  266.5 - browLift + browFrown * 0.1, 2.2 - browFrown * 0.5, 2.6, 0x4a2012);
    }
}

void MouthShape(Canvas& c, Mouth mouth) {
    cairo_t* cr = c.cr;
    double y = 305;
    if (mouth == Mouth::kClosed) {
        // Upper lip with its bow, a fuller lower lip with a gleam.
        cairo_move_to(cr, 210, y);
        cairo_curve_to(cr, 213, y - 2.6, 217, y - 3.2, 220, y - 1.8);
        cairo_curve_to(cr, 223, y - 3.2, 227, y - 2.6, 230, y);
        cairo_curve_to(cr, 226, y + 0.6, 214, y + 0.6, 210, y);
        SetColour(cr, 0xa04a44);
        cairo_fill(cr);
        cairo_move_to(cr, 211, y + 0.3);
        cairo_curve_to(cr, 214, y + 5.2, 226, y + 5.2, 229, y + 0.3);
        cairo_curve_to(cr, 226, y + 1, 214, y + 1, 211, y + 0.3);
        SetColour(cr, 0xc0625a);
        cairo_fill(cr);
        cairo_move_to(cr, 210, y);
        cairo_curve_to(cr, 214, y + 1.2, 226, y + 1.2, 230, y);
        Outline(cr, 0x5a2018, 0.9);
        SoftDisc(c, 221, y + 3, 1.4, 0xf4c0b0, 0.6, 1);
        return;
    }
    bool wide = mouth == Mouth::kWide;
    double half = wide ? 7 : 10, top = wide ? y - 3 : y - 2, bottom = wide ? y + 7 : y + 5.5;
    // Lips round the opening, the dark mouth, a line of upper teeth.
    cairo_move_to(cr, kCx - half - 1.5, y);
    cairo_curve_to(cr, kCx - half, top - 3, kCx - 3, top - 3.4, kCx, top - 1.8);
    cairo_curve_to(cr, kCx + 3, top - 3.4, kCx + half, top - 3, kCx + half + 1.5, y);
    cairo_curve_to(cr, kCx + half + 1, bottom + 4, kCx - half - 1, bottom + 4, kCx - half - 1.5, y);
    SetColour(cr, 0xb25650);
    cairo_fill(cr);
    auto opening = [&](cairo_t* t) {
        cairo_move_to(t, kCx - half, y);
        cairo_curve_to(t, kCx - half + 1, top, kCx + half - 1, top, kCx + half, y);
        cairo_curve_to(t, kCx + half - 1, bottom, kCx - half + 1, bottom, kCx - half, y);
    };
    opening(cr);
    SetColour(cr, 0x3a0e0c);
    cairo_fill(cr);
    cairo_save(cr);
    opening(cr);
    cairo_clip(cr);
    Rectangle(cr, kCx - half, top - 1, 2 * half, 2.6, 0xf0e8dc);
    SetColour(cr, 0xa03a3a, 0.8);
    cairo_arc(cr, kCx, bottom + 1.5, half * 0.6, M_PI, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    SoftDisc(c, 221, bottom + 2.2, 1.3, 0xf4c0b0, 0.5, 1);
}

void Hat(Canvas& c) {
    cairo_t* cr = c.cr;
    // The brim: a flat ellipse whose underside shows, shading her brow.
    SoftEllipse(c, kCx + 2, 256, 56, 6, 0x1a0c06, 0.4, 3);
    EllipsePath(cr, kCx, 249, 64, 9.5);
    FillVertical(cr, 239.5, 258.5, 0xb08a52, 0x4a3018);
    EllipsePath(cr, kCx, 249, 64, 9.5);
    Outline(cr, kOutline, 1.1);
    EllipsePath(cr, kCx, 249, 60, 7.2, 0.1, M_PI - 0.1);
    SetColour(cr, 0xd8b880, 0.55);
    cairo_set_line_width(cr, 0.8);
    StrokeDashed(cr, 2, 1.5);
    // The crown with its four-dent peak.
    auto crown = [](cairo_t* t) {
        CurvesPath(t, {187, 249, 187, 236, 191, 222, 200, 213, 206, 208, 212, 208, 215,
                       207, 217, 203, 223, 203, 225, 207, 228, 208, 234, 208, 240, 213,
                       249, 222, 253, 236, 253, 249, 238, 252, 202, 252, 187, 249});
    };
    auto felt = [cr] {
        FillLinear(cr, 187, 0, 253, 0,
                   {{{0, 0.66, 0.5, 0.28}, {0.45, 0.7, 0.54, 0.3}, {1, 0.34, 0.24, 0.12}}});
    };
    auto dentsAndBand = [&] {
        for (double x : {206.0, 234.0}) {  // the front dents
            SoftEllipse(c, x, 220, 6, 11, 0x2a1808, 0.45, 3);
        }
        SoftFill(
            c,
            [](cairo_t* m) {
                PolygonPath(m, {218, 206, 222, 206, 221, 232, 219, 232});
                cairo_fill(m);
            },
            0xe8cc98, 0.6, 1);
        BandPath(cr, 186, 254, 240, 250, 16, 3, 3);
        FillVertical(cr, 240, 252, 0x5a3a20, 0x24140a);
    };
    PaintShape(cr, crown, felt, dentsAndBand, kOutline, 1.1);
    Rectangle(cr, 195, 243.5, 4, 5, 0xd8b050);  // the band's buckle
}

void PaintWarden(Canvas& c, const HeadPose& pose) {
    Hair(c);
    Shirt(c);
    Neck(c);
    CollarAndTie(c);
    Badge(c);
    Face(c);
    EyesAndBrows(c, pose.eyes);
    MouthShape(c, pose.mouth);
    FrontLocks(c);
    Hat(c);
    Clipboard(c, pose.second);
}

}  // namespace

const HeadFigure kWarden = {{110, 196, 220, 274}, 220, 470, PaintWarden, false, 2012};
