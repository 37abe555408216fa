// The partner in the blind, "char04", loaded at graphic 200: a duck hunter in
// a woodland-camouflage jacket and a brown canvas cap, head and shoulders
// above the blind's edge, turned a little toward the water on his left. 200 is
// the figure; 201 and 202 the mouth shut and open, 207 and 208 the eyes open
// and blinking, each cut from a painting of the whole figure at the same
// geometry so that it lies exactly over the face; 203 to 206 are unused.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "canvas.h"
#include "heads.h"
#include "hunt/characters.h"

namespace {

// The figure is drawn at the game's anchor for him.
constexpr int kAnchorX = kPartnerX, kAnchorY = kPartnerY;
// Everything below the top of the panel is hidden by it: the figure, and so
// the area he redraws while he talks, stops above it.
constexpr Rect kArea = {190, 226, 220, 420 - 226};

constexpr uint32_t kSkin = 0xd89a78;
constexpr uint32_t kSkinShade = 0x8a4a34;
constexpr uint32_t kOutline = 0x24160e;

void FacePath(cairo_t* cr) {
    SmoothPath(cr, {298, 262, 312, 264, 320, 272, 323, 288, 321, 304, 315, 319, 306, 330,
                    297, 333, 287, 329, 279, 319, 273, 305, 271, 290, 273, 274, 284, 265});
}

void JacketPath(cairo_t* cr) {
    SmoothPath(cr, {300, 336, 326, 337, 354, 343, 378, 351, 394, 368, 400, 396, 402, 436,
                    300, 440, 196, 436, 198, 394, 205, 366, 224, 350, 250, 342, 276, 337});
}

// Woodland camouflage: tan ground with olive, brown and black blotches,
// big enough to read at full size.
void Camouflage(Canvas& c) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kArea.w, kArea.h);
    cairo_surface_flush(s);
    auto* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int j = 0; j < kArea.h; j++) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(j) * stride);
        for (int i = 0; i < kArea.w; i++) {
            double x = kArea.x + i, y = kArea.y + j;
            double green = Fractal(x / 15 + y / 40, y / 11, 401, 3);
            double brown = Fractal(x / 13 + 40, y / 10 - x / 60, 402, 3);
            double black = Fractal(x / 9 - 20, y / 7 + 30, 403, 2);
            uint32_t col = 0x9c8c5e;
            if (green > 0.55) {
                col = 0x566332;
            }
            if (brown > 0.6) {
                col = 0x6e4a2a;
            }
            if (black > 0.66 && green > 0.4) {
                col = 0x24221a;
            }
            row[i] = col;
        }
    }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(c.cr, s, kArea.x, kArea.y);
    cairo_paint(c.cr);
    cairo_surface_destroy(s);
}

// The camouflage, its light and shade, seams and pocket.
void JacketDetails(Canvas& c) {
    cairo_t* cr = c.cr;
    Camouflage(c);
    // Light from the upper left: the far shoulder and arm turn into shade,
    // the tops of the shoulders catch the light.
    SoftSmooth(c, {352, 360, 380, 362, 410, 400, 410, 440, 360, 440, 350, 400}, 0x10140a, 0.55, 8);
    SoftRect(c, 180, 392, 26, 50, 0x10140a, 0.45, 6);
    SoftSmooth(c, {230, 350, 262, 342, 280, 346, 262, 356, 236, 366, 216, 378}, 0xe8dcb0, 0.3, 5);
    // The chin's shadow on the chest.
    SoftEllipse(c, 302, 350, 34, 12, 0x100c06, 0.5, 5);
    // Seams and folds: the sleeves set in at the shoulders, the zip, a flap
    // pocket on the near breast.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    CurveLines(
        cr, {{238, 352, 232, 370, 230, 392, 234, 420}, {362, 350, 370, 368, 372, 392, 370, 420}});
    Outline(cr, 0x1a160c, 1.4, 0.65);
    CurveLines(cr, {{218, 396, 222, 404, 226, 410, 226, 420},
                    {384, 392, 380, 402, 378, 410, 380, 420},
                    {262, 372, 268, 380, 272, 382, 282, 384}});
    Outline(cr, 0x1a160c, 1.1, 0.5);
    cairo_move_to(cr, 316, 350);
    cairo_curve_to(cr, 318, 380, 318, 400, 317, 424);
    Outline(cr, 0x16120a, 2.2, 0.9);
    cairo_move_to(cr, 318, 352);
    cairo_curve_to(cr, 320, 380, 320, 400, 319, 424);
    Outline(cr, 0xb8a878, 0.8, 0.5);
    // The pocket flap, its button, and its shadow.
    SoftRect(c, 254, 392, 42, 6, 0x100c06, 0.45, 2);
    PolygonPath(cr, {252, 382, 296, 380, 297, 392, 275, 397, 253, 393});
    Outline(cr, 0x2a2214, 1.2, 0.8);
    Dot(cr, 275, 391, 2, 0x3a2a18);
}

void Jacket(Canvas& c) {
    auto details = [&] { JacketDetails(c); };
    PaintShape(c.cr, JacketPath, nullptr, details, kOutline, 1.3, 0.85);
}

void NeckAndShirt(Canvas& c) {
    cairo_t* cr = c.cr;
    PaintNeck(c, {283, 314, 313, 314, 316, 336, 320, 352, 280, 352, 284, 336}, 314, 352, 0xa86a50,
              kSkin, {276, 324, 316, 344, 0x5a2a18, 0.6});
    // A red-and-black check flannel shirt open at the throat.
    cairo_save(cr);
    PolygonPath(cr, {280, 340, 300, 366, 320, 340, 322, 372, 278, 372});
    cairo_clip(cr);
    Rectangle(cr, 270, 336, 60, 40, 0x9a2a20);
    for (int k = 0; k < 8; k++) {
        Rectangle(cr, 272 + k * 7, 336, 3, 40, 0x1a0e0c, 0.6);
        Rectangle(cr, 270, 338 + k * 7, 60, 3, 0x1a0e0c, 0.6);
    }
    SoftRect(c, 270, 336, 60, 14, 0x100604, 0.5, 4);
    cairo_restore(cr);
    // The notch of skin in the open collar.
    PolygonPath(cr, {288, 346, 300, 360, 312, 346});
    FillVertical(cr, 346, 360, 0xb87a5c, 0x9a5a42);
}

// The jacket's corduroy collar, standing up round the neck.
void Collar(Canvas& c) {
    cairo_t* cr = c.cr;
    for (int side : {-1, 1}) {
        double s = side;
        auto half = [s](cairo_t* t) {
            cairo_move_to(t, 300 + s * 6, 368);
            cairo_curve_to(t, 300 + s * 12, 356, 300 + s * 16, 342, 300 + s * 17, 328);
            cairo_line_to(t, 300 + s * 34, 338);
            cairo_curve_to(t, 300 + s * 38, 346, 300 + s * 40, 350, 300 + s * 44, 354);
            cairo_curve_to(t, 300 + s * 30, 356, 300 + s * 16, 362, 300 + s * 6, 368);
            cairo_close_path(t);
        };
        half(cr);
        FillVertical(cr, 328, 368, s < 0 ? 0x7a5430 : 0x5a3a1e, 0x3a2412);
        cairo_save(cr);
        half(cr);
        cairo_clip_preserve(cr);
        Outline(cr, kOutline, 2, 0.8);
        // The ribs of the corduroy.
        for (int k = 0; k < 10; k++) {
            double x = 300 + s * (12 + k * 3.2);
            cairo_move_to(cr, x, 326);
            cairo_line_to(cr, x - s * 6, 370);
        }
        Outline(cr, 0x2a180a, 0.8, 0.35);
        cairo_restore(cr);
    }
}

void Ear(Canvas& c) {
    cairo_t* cr = c.cr;
    auto ear = [](cairo_t* t) {
        SmoothPath(t, {274, 284, 268, 282, 264, 290, 266, 302, 272, 310, 277, 306});
    };
    ear(cr);
    FillRadial(cr, 268, 292, 14, 0xe0a080, 0xa05a40);
    ear(cr);
    Outline(cr, kOutline, 1, 0.7);
    cairo_move_to(cr, 270, 288);
    cairo_curve_to(cr, 267, 292, 268, 300, 272, 304);
    Outline(cr, 0x7a3a28, 1.2, 0.7);
}

// Light, weather and stubble, drawn inside the face.
void FaceShading(Canvas& c) {
    cairo_t* cr = c.cr;
    // The far side of the face turned from the light, the near cheek lit.
    SoftSmooth(c, {316, 266, 330, 290, 324, 320, 306, 336, 312, 312, 316, 290}, kSkinShade, 0.5, 4);
    // The bill's shadow across the brow.
    SoftFill(
        c,
        [](cairo_t* m) {
            cairo_move_to(m, 266, 262);
            cairo_line_to(m, 330, 262);
            cairo_line_to(m, 330, 278);
            cairo_curve_to(m, 310, 284, 290, 282, 266, 276);
            cairo_fill(m);
        },
        0x4a2014, 0.5, 4);
    // Weathered ruddy cheeks and nose.
    for (auto [x, y, r] : {std::array<double, 3>{284, 304, 7}, {315, 302, 5}, {306, 300, 4}}) {
        SoftDisc(c, x, y, r, 0xc8504a, 0.22, 4);
    }
    // A day's stubble along the jaw and the chin.
    SoftSmooth(c, {274, 306, 284, 322, 300, 326, 318, 312, 322, 312, 314, 330, 298, 336, 280, 328},
               0x5a4a44, 0.35, 2);
    for (int k = 0; k < 140; k++) {
        double x = 274 + 48 * Hash01(k, 1, 77), y = 310 + 26 * Hash01(k, 2, 77);
        Rectangle(cr, x, y, 0.8, 0.8, 0x3a2a22, 0.45);
    }
}

void Face(Canvas& c) {
    cairo_t* cr = c.cr;
    auto skin = [cr] { FillRadial(cr, 292, 294, 46, 0xeab08c, 0xb8785a); };
    auto shading = [&] { FaceShading(c); };
    PaintShape(cr, FacePath, skin, shading, kOutline, 1.1, 0.8);
    // Greying hair below the cap, in front of the ear.
    SmoothPath(cr, {272, 272, 279, 274, 278, 286, 275, 294, 272, 288, 271, 280});
    FillVertical(cr, 272, 294, 0x4a3a2c, 0x7a6a5a);
    for (int k = 0; k < 3; k++) {
        cairo_move_to(cr, 273 + k * 1.8, 274);
        cairo_line_to(cr, 273.5 + k * 1.2, 288 - k * 3);
    }
    Outline(cr, 0x9a8a78, 0.6, 0.6);
    // The nose, turned toward the water: its far edge against the cheek, a
    // lit bridge, the tip and the nostril.
    SoftSliver(c, {301, 290, 303, 296, 305, 300, 302, 308, 298, 306, 300, 300, 299, 296, 298, 290},
               kSkinShade, 0.5, 1);
    cairo_move_to(cr, 304, 289);
    cairo_curve_to(cr, 307, 296, 311, 302, 312, 306);
    cairo_curve_to(cr, 312, 309, 309, 311, 305, 310);
    Outline(cr, 0x6a3020, 1.1, 0.85);
    SoftDisc(c, 306, 305, 2.6, 0xfcd8c0, 0.7, 1);
    Nostril(cr, 303, 309.5, 2.4, 1.1, 0x4a1a10, 0.8);
}

void EyesAndBrows(Canvas& c, bool blink) {
    // He looks out at the player, a little to his left: the friendly squint of
    // someone who spends his mornings in the sun.
    EyeLook look = {0.25, blink ? 0.0 : 0.68, -0.2};
    PaintEye(c, 288, 290, 11, 1, look, 0x4a6a88, 0xd89a78, 1.4);
    PaintEye(c, 312, 290, 9, -1, look, 0x4a6a88, 0xc8886a, 1.3);
    PaintBrow(c.cr, 296, 283, 280, 282, 1.8, 2.8, 0x4a3424);
    PaintBrow(c.cr, 305, 283, 318, 282.5, 1.6, 2.4, 0x4a3424);
    // Laugh lines at the outer corners.
    cairo_t* cr = c.cr;
    for (int k = 0; k < 2; k++) {
        cairo_move_to(cr, 280, 291 + k * 2.5);
        cairo_line_to(cr, 276, 292 + k * 3.5);
    }
    Outline(cr, 0x8a4a34, 0.7, 0.45);
}

void MouthAndMoustache(Canvas& c, bool open) {
    cairo_t* cr = c.cr;
    double y = 318;
    if (open) {
        // Talking: the dark of the mouth, the lower teeth, the lower lip.
        cairo_move_to(cr, 294, y - 1);
        cairo_curve_to(cr, 297, y + 8, 309, y + 8, 312, y - 1);
        cairo_close_path(cr);
        SetColour(cr, 0x3a0e0c);
        cairo_fill(cr);
        cairo_move_to(cr, 296, y + 3);
        cairo_curve_to(cr, 300, y + 6.5, 306, y + 6.5, 310, y + 3);
        Outline(cr, 0xe8e0d0, 1.4, 0.85);
        cairo_move_to(cr, 295, y + 3);
        cairo_curve_to(cr, 298, y + 10, 308, y + 10, 311, y + 3);
        Outline(cr, 0xa85448, 1.6);
    } else {
        // A friendly smile, its corners turned up past the moustache.
        cairo_move_to(cr, 293, y - 1.5);
        cairo_curve_to(cr, 297, y + 2, 308, y + 2, 313, y - 2);
        Outline(cr, 0x4a1a12, 1.2);
        cairo_move_to(cr, 296, y + 1.5);
        cairo_curve_to(cr, 299, y + 4.5, 307, y + 4.5, 310, y + 1.2);
        Outline(cr, 0xb0604c, 1.6, 0.9);
    }
    SoftDisc(c, 303, y + 8, 2.2, 0x4a2418, 0.35, 1);
    // The moustache: full, drooping a little past the corners of the mouth.
    auto tache = [y](cairo_t* t) {
        SmoothPath(t, {303, y - 8, 309, y - 8.5, 315, y - 5,   316, y,     312, y - 2,
                       303, y - 3, 294, y - 2,   290, y + 0.5, 291, y - 5, 297, y - 8.5});
    };
    tache(cr);
    FillVertical(cr, y - 9, y + 1, 0x7a5a40, 0x3a2416);
    for (int k = 0; k < 7; k++) {
        double x = 293 + k * 3.2;
        cairo_move_to(cr, x + 1, y - 7);
        cairo_line_to(cr, x + (x < 303 ? -1.2 : 1.2), y - 2);
    }
    Outline(cr, 0x9a7a58, 0.6, 0.5);
    tache(cr);
    Outline(cr, 0x24140a, 0.8, 0.7);
}

void Cap(Canvas& c) {
    cairo_t* cr = c.cr;
    // The crown: six panels of brown canvas, the button on top.
    auto crown = [](cairo_t* t) {
        CurvesPath(t, {268, 278, 264, 262, 272, 248, 290, 243, 306, 239, 322, 246, 327,
                       258, 330, 266, 329, 272, 328, 276, 310, 270, 286, 271, 268, 278});
    };
    auto canvas = [cr] {
        FillLinear(cr, 266, 240, 330, 276,
                   {{{0, 0.66, 0.5, 0.3}, {0.45, 0.56, 0.4, 0.22}, {1, 0.28, 0.19, 0.1}}});
    };
    auto seams = [&] {
        Grain(c, 260, 236, 76, 44, 0.08, 1.2, 405);
        CurveLines(cr, {{297, 242, 293, 252, 291, 262, 292, 273},
                        {298, 242, 308, 250, 314, 260, 316, 272},
                        {296, 242, 282, 248, 274, 260, 272, 276}});
        Outline(cr, 0x3a2612, 0.9, 0.7);
    };
    PaintShape(cr, crown, canvas, seams, kOutline, 1.1);
    cairo_arc(cr, 297, 242, 2.2, 0, 2 * M_PI);
    FillOutlined(cr, 0x5a3e20, kOutline, 0.8);
    // The bill, curved, pointing over his face toward the water.
    auto bill = [](cairo_t* t) {
        CurvesPath(t, {272, 277, 292, 269, 318, 270, 330, 274, 342, 276, 344, 282, 338,
                       285, 322, 288, 300, 284, 284, 283, 276, 282, 271, 280, 272, 277});
    };
    auto cloth = [cr] { FillVertical(cr, 270, 288, 0x7a5630, 0x3a2612); };
    auto stitches = [cr] {
        cairo_move_to(cr, 276, 279);
        cairo_curve_to(cr, 296, 275, 320, 275, 336, 279);
        SetColour(cr, 0xc8a070, 0.55);
        cairo_set_line_width(cr, 0.8);
        StrokeDashed(cr, 2, 1.5);
    };
    PaintShape(cr, bill, cloth, stitches, kOutline, 1.1);
}

// His poses: the mouth shut or open (any open mouth), the eyes open or, as
// the second overlay, blinking.
void PaintPartner(Canvas& c, const HeadPose& pose) {
    Jacket(c);
    NeckAndShirt(c);
    Collar(c);
    Ear(c);
    Face(c);
    EyesAndBrows(c, pose.second);
    MouthAndMoustache(c, pose.mouth != Mouth::kClosed);
    Cap(c);
}

constexpr HeadFigure kPartner = {kArea, kAnchorX, kAnchorY, PaintPartner, false, 404};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    HeadPose shut, open, blink;
    open.mouth = Mouth::kOpen;
    blink.second = true;
    Picture plain = PaintPose(kPartner, shut);
    Picture talking = PaintPose(kPartner, open);
    Picture blinking = PaintPose(kPartner, blink);
    PixelBox mouth = Changed(plain, talking), eyes = Changed(plain, blinking);
    // The eyes are laid on after the mouth: the two cuts must not meet.
    if (mouth.Empty() || eyes.Empty() || mouth.Meets(eyes)) {
        std::fprintf(stderr, "the partner's mouth and eyes do not cut apart\n");
        return 1;
    }
    std::vector<Picture> bank(9, Picture{1, 1, 0, 0, {0}});
    bank[0] = Cut(kPartner, plain, Covered(plain));
    bank[1] = Cut(kPartner, plain, mouth);
    bank[2] = Cut(kPartner, talking, mouth);
    bank[7] = Cut(kPartner, plain, eyes);
    bank[8] = Cut(kPartner, blinking, eyes);
    return WriteBank(OutPath(argv[1], "char04.256"), MasterPalette(), bank, true) ? 0 : 1;
}
