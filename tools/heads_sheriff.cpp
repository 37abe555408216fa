// Sheriff Jones: a heavy-set small-town sheriff standing just outside the
// cell, cream cattleman's hat, grey walrus moustache, tan uniform shirt with a
// star, thumbs in his belt. His second overlay is a blink: his comment shows
// only overlay 4, so the open eyes of graphic 8 repeat it.
#include <cmath>

#include "heads.h"

namespace {

constexpr double kCx = 325;

constexpr uint32_t kSkinShade = 0x8a4a34;
constexpr uint32_t kGreyDark = 0x5a5650;
constexpr uint32_t kShirtDark = 0x5e4628;
constexpr uint32_t kOutline = 0x24160c;

void FacePath(cairo_t* cr) {
    SmoothPath(cr,
               {325, 160, 350, 163, 364, 176, 369, 198, 369, 220, 366, 240, 358, 254, 346, 264,
                325, 270, 304, 264, 292, 254, 284, 240, 281, 220, 281, 198, 286, 176, 300, 163});
}

void BodyPath(cairo_t* cr) {
    SmoothPath(cr, {198, 484, 200, 400, 204, 330, 216, 304, 250, 290, 296, 278, 325, 276,
                    354, 278, 400, 290, 434, 304, 446, 330, 450, 400, 452, 484, 325, 488});
}

// The shirt's shading, seams, pockets and badges, and the gun belt.
void BodyDetails(Canvas& c) {
    cairo_t* cr = c.cr;
    // A round belly lit from the upper left; the arms turn away at the sides.
    SoftDisc(c, 315, 380, 70, 0xe0c690, 0.35, 14);
    SoftRects(c, {{180, 300, 44, 190}, {426, 300, 44, 190}, {180, 440, 300, 60}}, kShirtDark, 0.65,
              10);
    for (int side : {-1, 1}) {
        double s = side;
        // The arm's inner edge against the body.
        cairo_move_to(cr, kCx + s * 92, 318);
        cairo_curve_to(cr, kCx + s * 96, 350, kCx + s * 98, 380, kCx + s * 96, 410);
        Outline(cr, kShirtDark, 1.3, 0.85);
        // Epaulette with its button.
        PolygonPath(cr,
                    {kCx + s * 34, 283, kCx + s * 104, 300, kCx + s * 102, 309, kCx + s * 34, 291});
        SetColour(cr, 0x6a4e2c);
        cairo_fill(cr);
        Dot(cr, kCx + s * 42, 288, 2.2, 0xd8c070);
        // Shoulder patch: a brown shield with a gold rim.
        double px = kCx + s * 108, py = 330;
        cairo_move_to(cr, px - 9, py - 11);
        cairo_line_to(cr, px + 9, py - 11);
        cairo_line_to(cr, px + 9, py + 3);
        cairo_curve_to(cr, px + 8, py + 9, px + 3, py + 12, px, py + 14);
        cairo_curve_to(cr, px - 3, py + 12, px - 8, py + 9, px - 9, py + 3);
        cairo_close_path(cr);
        FillOutlined(cr, 0x5a3418, 0xd8b050, 1.2);
        cairo_arc(cr, px, py, 3.5, 0, 2 * M_PI);
        cairo_stroke(cr);
        // Pocket flap.
        double x0 = kCx + (s < 0 ? -76 : 26);
        PocketFlapPath(cr, x0, x0 + 50, 338, 350, 356);
        FillOutlined(cr, 0x8a6c40, kShirtDark, 1.1);
        cairo_move_to(cr, x0, 356);
        cairo_line_to(cr, x0 + 1, 392);
        cairo_line_to(cr, x0 + 49, 392);
        cairo_line_to(cr, x0 + 50, 356);
        cairo_stroke(cr);
        Dot(cr, x0 + 25, 350, 2, 0x3a2a14);
    }
    // Placket and buttons, bowed over the belly.
    cairo_move_to(cr, kCx, 300);
    cairo_curve_to(cr, kCx + 4, 360, kCx + 6, 410, kCx + 3, 450);
    Outline(cr, kShirtDark, 1.3, 0.85);
    for (int i = 0; i < 4; i++) {
        double y = 330 + i * 32;
        Dot(cr, kCx + 3 + (i > 0 ? 3 : 0), y, 2.2, 0x3a2a14);
    }
    // The gun belt with its buckle, the holster at his right hip.
    BandPath(cr, 196, 454, 446, 466, 64, 10, 10);
    FillVertical(cr, 446, 476, 0x6a4424, 0x2a180a);
    SetColour(cr, 0xc8a060, 0.55);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, 198, 449);
    cairo_curve_to(cr, 260, 459, 390, 459, 452, 449);
    StrokeDashed(cr, 3, 2);
    RoundedRect(cr, kCx - 16, 451, 32, 20, 4);
    FillVertical(cr, 451, 471, 0xf0e0a0, 0x8a6a20);
    RoundedRect(cr, kCx - 16, 451, 32, 20, 4);
    Outline(cr, 0x3a2808, 1);
}

void Body(Canvas& c) {
    auto cloth = [&] { FillVertical(c.cr, 276, 480, 0xbc9e6c, 0x8a6c40); };
    auto details = [&] { BodyDetails(c); };
    PaintShape(c.cr, BodyPath, cloth, details, kOutline, 1.3, 0.85);
}

void Arms(Canvas& c) {
    cairo_t* cr = c.cr;
    // Sleeves hanging from the shoulders, bent at the elbow toward the belt,
    // thumbs hooked in it and the fingers over its front.
    for (int side : {-1, 1}) {
        double s = side;
        auto sleeve = [s](cairo_t* t) {
            SmoothPath(
                t, {kCx + s * 98,  298, kCx + s * 118, 310, kCx + s * 126, 350, kCx + s * 128, 400,
                    kCx + s * 120, 428, kCx + s * 100, 448, kCx + s * 86,  440, kCx + s * 100, 410,
                    kCx + s * 100, 360, kCx + s * 94,  318});
        };
        auto cloth = [cr] { FillVertical(cr, 298, 448, 0xb09060, 0x7a5c34); };
        auto shade = [&] { SoftRect(c, kCx + s * 118 - 8, 300, 16, 150, kShirtDark, 0.6, 6); };
        PaintShape(cr, sleeve, cloth, shade, kOutline, 1.2, 0.85);
        cairo_move_to(cr, kCx + s * 118, 404);  // a crease at the elbow
        cairo_curve_to(cr, kCx + s * 112, 410, kCx + s * 108, 414, kCx + s * 104, 420);
        Outline(cr, kShirtDark, 1.2, 0.8);
        double hx = kCx + s * 82, hy = 454;
        SoftDisc(c, hx + 2, hy + 6, 12, 0x1a0e06, 0.45, 4);
        SmoothPath(cr, {hx + s * 14, hy - 12, hx - s * 2, hy - 10, hx - s * 12, hy - 4, hx - s * 13,
                        hy + 10, hx - s * 6, hy + 20, hx + s * 6, hy + 19, hx + s * 15, hy + 4});
        FillRadial(cr, hx + s * 4, hy, 20, 0xecb894, 0x9a5e40);
        Outline(cr, 0x5a2e1c, 0.9, 0.9);
        for (int f = 0; f < 3; f++) {
            double fx = hx + s * 7 - s * f * 6.5;
            cairo_move_to(cr, fx, hy + 4);
            cairo_line_to(cr, fx - s * 1.5, hy + 16);
        }
        cairo_stroke(cr);
        // The cuff.
        PolygonPath(cr,
                    {kCx + s * 84, 438, kCx + s * 100, 450, kCx + s * 106, 441, kCx + s * 90, 429});
        FillOutlined(cr, 0x8a6c40, kShirtDark, 0.9);
    }
}

void Neck(Canvas& c) {
    cairo_t* cr = c.cr;
    SmoothPath(cr, {300, 240, 350, 240, 356, 282, 325, 292, 294, 282});
    FillVertical(cr, 240, 292, 0x9a5e44, 0xc88a68);
    // Collar points and the bolo tie.
    CollarPoints(cr, kCx, {3, 292, 30, 272, 38, 284, 28, 310}, 0xc4a878, kShirtDark, 1.1);
    SetColour(cr, 0x1a120a);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, kCx - 2, 300);
    cairo_line_to(cr, kCx - 4, 336);
    cairo_move_to(cr, kCx + 2, 300);
    cairo_line_to(cr, kCx + 4, 338);
    cairo_stroke(cr);
    EllipsePath(cr, kCx, 300, 6, 7.5);
    FillRadial(cr, kCx - 2, 298, 8, 0xe8f0f4, 0x5a6a78);
    Dot(cr, kCx, 300, 2.6, 0x2a8a8a);
}

void Star(Canvas& c) {
    cairo_t* cr = c.cr;
    double x = 357, y = 322, r = 13;
    auto star = [&](cairo_t* t, double dx, double dy) {
        StarPath(t, x + dx, y + dy, 6, r, r * 0.5);
    };
    SoftFill(
        c,
        [&](cairo_t* m) {
            star(m, 2, 3);
            cairo_fill(m);
        },
        0x2a1a08, 0.55, 2);
    star(cr, 0, 0);
    FillLinear(cr, x - r, y - r, x + r, y + r,
               {{{0, 1, 0.95, 0.66}, {0.5, 0.9, 0.7, 0.22}, {1, 0.5, 0.32, 0.06}}}, true);
    Outline(cr, 0x3a2606, 0.9);
    for (int i = 0; i < 6; i++) {  // a ball on each point
        double a = -M_PI / 2 + i * M_PI / 3;
        Dot(cr, x + r * std::cos(a), y + r * std::sin(a), 1.6, 0xf4dc90);
    }
    cairo_arc(cr, x, y, r * 0.34, 0, 2 * M_PI);
    Outline(cr, 0x8a6418, 1);
    NameBar(cr, 262, 328, 32, 7, 1.2, 0.85);  // over the other pocket
}

void Face(Canvas& c) {
    cairo_t* cr = c.cr;
    // Ears and the grey hair cropped short at the sides.
    for (int side : {-1, 1}) {
        double s = side;
        EllipsePath(cr, kCx + s * 45, 208, 7, 14);
        FillRadial(cr, kCx + s * 44, 206, 14, 0xe0a080, 0x9a5a40);
        SmoothPath(cr, {kCx + s * 38, 168, kCx + s * 48, 176, kCx + s * 47, 196, kCx + s * 42, 214,
                        kCx + s * 38, 196});
        FillVertical(cr, 168, 214, 0x8a8680, 0xc8c2b8);
    }
    FacePath(cr);
    FillRadial(cr, 318, 210, 62, 0xecb290, 0xb87454);
    cairo_save(cr);
    FacePath(cr);
    cairo_clip(cr);
    SoftSmooth(c, {364, 176, 380, 220, 364, 262, 336, 276, 350, 240, 356, 200}, kSkinShade, 0.5, 6);
    // The hat's shadow over his brow.
    SoftRect(c, 270, 150, 110, 30, 0x4a2010, 0.55, 6);
    // Weathered cheeks and nose, heavy jowls, a shaved chin's shadow.
    for (double x : {302.0, 348.0}) {
        SoftDisc(c, x, 222, 10, 0xd07860, 0.22, 6);
    }
    SoftFill(
        c,
        [](cairo_t* m) {
            cairo_arc(m, 325, 262, 20, 0, M_PI);
            cairo_fill(m);
        },
        0x6a6a70, 0.18, 5);
    SetColour(cr, 0x8a4a34, 0.5);
    cairo_set_line_width(cr, 1);
    for (int side : {-1, 1}) {
        double s = side;
        cairo_move_to(cr, kCx + s * 14, 226);  // the folds from nose to mouth
        cairo_curve_to(cr, kCx + s * 24, 236, kCx + s * 26, 248, kCx + s * 24, 258);
        cairo_move_to(cr, kCx + s * 38, 244);  // jowls
        cairo_curve_to(cr, kCx + s * 34, 254, kCx + s * 28, 260, kCx + s * 20, 264);
        cairo_stroke(cr);
    }
    SetColour(cr, 0x8a4a34, 0.35);
    for (int i = 0; i < 3; i++) {  // a furrowed brow
        cairo_move_to(cr, 306, 176 + i * 4);
        cairo_curve_to(cr, 318, 173 + i * 4, 332, 173 + i * 4, 344, 176 + i * 4);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    // A big, broad nose.
    SoftSliver(c, {329, 196, 333, 208, 337, 218, 335, 228, 330, 228, 331, 216, 328, 206, 326, 196},
               kSkinShade, 0.8, 2);
    SetColour(cr, 0x7a3a28, 0.7);
    cairo_set_line_width(cr, 1);
    for (int side : {-1, 1}) {  // the wings of the nose
        cairo_move_to(cr, kCx + side * 7, 220);
        cairo_curve_to(cr, kCx + side * 12, 222, kCx + side * 12, 229, kCx + side * 7, 230);
    }
    cairo_stroke(cr);
    SoftDisc(c, 323, 222, 4.5, 0xf8d2b8, 0.6, 2);
    SoftDisc(c, 325, 224, 7, 0xc04838, 0.18, 3);
    for (double x : {318.0, 332.0}) {
        Nostril(cr, x, 229, 3, 1.5, 0x4a1c10, 0.8);
    }
    FacePath(cr);
    Outline(cr, kOutline, 1.2, 0.8);
}

// Ahead, aside, frowning, raised.
constexpr EyePoses kEyePoses = {{{{0, 0.72, 0.2}, 0, 0},
                                 {{-0.85, 0.72, 0.2}, 0, 0},
                                 {{0, 0.55, 1.0}, 0, 4},
                                 {{0, 0.9, 0.2}, 3.5, 0}}};

void EyesAndBrows(Canvas& c, Eyes eyes, bool blink) {
    const EyePose& pose = PoseOf(kEyePoses, eyes);
    EyeLook look = pose.eyes;
    double browLift = pose.browLift, browFrown = pose.browFrown;
    if (blink) {
        look.open = 0;
    }
    for (int side : {-1, 1}) {
        double s = side, ex = kCx + s * 19;
        // Bags under the eyes.
        cairo_move_to(c.cr, ex - 7, 203);
        cairo_curve_to(c.cr, ex - 3, 207, ex + 3, 207, ex + 7, 203);
        Outline(c.cr, 0x8a4a34, 0.9, 0.45);
        PaintEye(c, ex, 197, 15.5, -s, look, 0x4a6e8e, 0xd89a7a, 1.5);
        // Bushy grey brows, a few hairs astray.
        double y0 = 188 - browLift * 0.5 + browFrown, y1 = 187 - browLift + browFrown * 0.1;
        PaintBrow(c.cr, kCx + s * 6, y0 + 0.5, kCx + s * 31, y1 + 0.5, 2.5 - browFrown * 0.6, 6.5,
                  0x3a3430);
        PaintBrow(c.cr, kCx + s * 6, y0, kCx + s * 30, y1, 2.5 - browFrown * 0.6, 5.5, 0x8a8680);
        SetColour(c.cr, 0xd8d4cc, 0.8);
        cairo_set_line_width(c.cr, 0.8);
        for (int i = 0; i < 5; i++) {
            double t = 0.1 + i * 0.18, x = kCx + s * (6 + 24 * t), y = y0 + (y1 - y0) * t - 2;
            cairo_move_to(c.cr, x, y + 2);
            cairo_line_to(c.cr, x + s * 3, y - 0.5);
        }
        cairo_stroke(c.cr);
    }
}

void Moustache(Canvas& c) {
    cairo_t* cr = c.cr;
    auto shape = [](cairo_t* t) {
        SmoothPath(
            t, {325, 229, 338, 228, 350, 234, 356, 246, 357, 258, 352, 258, 346, 246, 336, 242,
                325, 243, 314, 242, 304, 246, 298, 258, 293, 258, 294, 246, 300, 234, 312, 228});
    };
    DropShadow(c, shape, 1, 2.5, 0x3a1a10, 0.5, 2);
    auto grey = [cr] { FillVertical(cr, 228, 258, 0xd8d2c8, 0x7a746c); };
    auto hairs = [cr] {
        cairo_set_line_width(cr, 0.8);
        for (int i = 0; i < 22; i++) {
            double t = (i + 0.5) / 22.0, x = 296 + 58 * t, s = x < kCx ? -1 : 1;
            SetColour(cr, i % 3 ? kGreyDark : 0xf0ece4, i % 3 ? 0.55 : 0.7);
            cairo_move_to(cr, kCx + (x - kCx) * 0.5, 230);
            cairo_curve_to(cr, x, 236, x + s * 2, 246, x + s * 3, 260);
            cairo_stroke(cr);
        }
    };
    PaintShape(cr, shape, grey, hairs, 0x4a4440, 0.9, 0.8);
}

void MouthShape(Canvas& c, Mouth mouth) {
    cairo_t* cr = c.cr;
    double y = 245;
    if (mouth == Mouth::kClosed) {
        cairo_move_to(cr, 312, y + 4);
        cairo_curve_to(cr, 318, y + 10, 332, y + 10, 338, y + 4);
        cairo_curve_to(cr, 332, y + 6, 318, y + 6, 312, y + 4);
        SetColour(cr, 0xa85a48);
        cairo_fill(cr);
        cairo_move_to(cr, 310, y + 3.5);
        cairo_curve_to(cr, 318, y + 5.5, 332, y + 5.5, 340, y + 3.5);
        Outline(cr, 0x4a1c12, 1.1);
        return;
    }
    bool wide = mouth == Mouth::kWide;
    double half = wide ? 9 : 12, bottom = wide ? y + 16 : y + 11;
    auto opening = [&](cairo_t* t) {
        cairo_move_to(t, kCx - half, y + 2);
        cairo_curve_to(t, kCx - half / 2, y, kCx + half / 2, y, kCx + half, y + 2);
        cairo_curve_to(t, kCx + half, bottom, kCx - half, bottom, kCx - half, y + 2);
        cairo_close_path(t);
    };
    cairo_save(cr);
    cairo_translate(cr, 0, 2);
    opening(cr);
    cairo_restore(cr);
    SetColour(cr, 0xa85a48);
    cairo_fill(cr);
    opening(cr);
    SetColour(cr, 0x2a0a08);
    cairo_fill(cr);
    cairo_save(cr);
    opening(cr);
    cairo_clip(cr);
    // Lower teeth and the tongue.
    cairo_move_to(cr, kCx - half, bottom - 5);
    cairo_curve_to(cr, kCx - half / 2, bottom - 8, kCx + half / 2, bottom - 8, kCx + half,
                   bottom - 5);
    cairo_line_to(cr, kCx + half, bottom);
    cairo_line_to(cr, kCx - half, bottom);
    cairo_close_path(cr);
    SetColour(cr, 0x9a3a34);
    cairo_fill(cr);
    Rectangle(cr, kCx - half, bottom - 10, 2 * half, 2.2, 0xd8d0c0);
    cairo_restore(cr);
}

void Hat(Canvas& c) {
    cairo_t* cr = c.cr;
    // Brim curled up at the sides, dipping at the front.
    auto brim = [](cairo_t* t) {
        CurvesPath(t, {232, 150, 250, 160, 285, 168, 325, 168, 365, 168, 400, 160, 418,
                       150, 420, 160, 410, 176, 390, 182, 365, 188, 345, 186, 325, 190,
                       305, 186, 285, 188, 260, 182, 240, 176, 230, 160, 232, 150});
    };
    DropShadow(c, brim, 2, 8, 0x1a0a04, 0.4, 4);
    brim(cr);
    FillVertical(cr, 150, 190, 0xe4d6b4, 0x8a7a5a);
    // The brim's underside shows along its front edge.
    cairo_move_to(cr, 244, 174);
    cairo_curve_to(cr, 280, 186, 305, 184, 325, 188);
    cairo_curve_to(cr, 345, 184, 370, 186, 406, 174);
    cairo_curve_to(cr, 380, 190, 350, 191, 325, 191);
    cairo_curve_to(cr, 300, 191, 270, 190, 244, 174);
    SetColour(cr, 0x5a4a34, 0.7);
    cairo_fill(cr);
    brim(cr);
    Outline(cr, kOutline, 1.2);
    // The crown: a cattleman's crease down the middle.
    auto crown = [](cairo_t* t) {
        CurvesPath(
            t, {280, 166, 279, 146, 281, 128, 290, 118, 300, 112, 312, 118, 325, 122, 338, 118,
                350, 112, 360, 118, 369, 128, 371, 146, 370, 166, 350, 170, 300, 170, 280, 166});
    };
    auto felt = [cr] {
        FillLinear(cr, 280, 0, 370, 0,
                   {{{0, 0.86, 0.82, 0.7}, {0.4, 0.93, 0.89, 0.78}, {1, 0.52, 0.46, 0.36}}});
    };
    auto creaseAndBand = [&] {
        SoftSliver(c,
                   {322, 122, 318, 135, 320, 148, 324, 158, 330, 158, 328, 145, 328, 132, 328, 122},
                   0x3a2e20, 0.5, 3);
        BandPath(cr, 279, 371, 150, 168, 21, 5, 4);
        FillVertical(cr, 150, 170, 0x6a4424, 0x2a180a);
    };
    PaintShape(cr, crown, felt, creaseAndBand, kOutline, 1.2);
    cairo_arc(cr, 296, 160, 3.2, 0, 2 * M_PI);  // a silver concho on the band
    FillRadial(cr, 295, 159, 3.2, 0xffffff, 0x707880);
}

void PaintSheriff(Canvas& c, const HeadPose& pose) {
    Body(c);
    Arms(c);
    Neck(c);
    Star(c);
    Face(c);
    EyesAndBrows(c, pose.eyes, pose.second);
    MouthShape(c, pose.mouth);
    Moustache(c);
    Hat(c);
}

}  // namespace

const HeadFigure kSheriff = {{194, 104, 262, 376}, 325, 479, PaintSheriff, true, 2112};
