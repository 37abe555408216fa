#include "items.h"

#include <algorithm>
#include <cmath>

#include "canvas.h"

namespace {

constexpr uint32_t kInk = 0x1a120c;

void Outline(cairo_t* cr, double width = 2.0) {
    SetColour(cr, kInk);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
}

// The colours of one kind of duck.
struct Plumage {
    uint32_t bodyTop, bodyBottom, wing, tail, breast, headTop, headBottom, bill;
    bool neckRing;
};

constexpr Plumage kPlumage[2][4] = {
    // Hens: Mallard, Pintail, Redhead, Canvasback.
    {{0xb08a5c, 0x5c4028, 0x6e4c2c, 0x5c4028, 0, 0xb89066, 0x7a5632, 0xd08838, false},
     {0xc4a47a, 0x74583a, 0x7e6244, 0x74583a, 0, 0xc8a880, 0x8a6a48, 0x40404a, false},
     {0xa88660, 0x5a4230, 0x6a5038, 0x5a4230, 0, 0xa8845c, 0x6a4c30, 0x5a6478, false},
     {0xbcb0a0, 0x7a6c5c, 0x8a7c6c, 0x6a5c4c, 0, 0xb89a78, 0x7a6048, 0x2a2a2a, false}},
    // Drakes.
    {{0xc8c4bc, 0x6c6660, 0x5a5248, 0x222018, 0x6a3018, 0x2aa066, 0x0c4028, 0xe8c838, true},
     {0xd8d8d4, 0x7a7a78, 0x606060, 0x1a1a1a, 0xf0f0ec, 0x8a6040, 0x4a2a18, 0x4a5a6a, false},
     {0xb8bcc0, 0x5a5e64, 0x4a4e54, 0x1a1a1a, 0x1a1614, 0xd05a20, 0x8a2a0c, 0x8aa0c0, false},
     {0xf0f0ec, 0xa8a8a4, 0xc8c8c4, 0x1a1a1a, 0x161412, 0xb0401c, 0x6a1c08, 0x1a1a1a, false}},
};

// A duck on the water facing right in a 200 by 120 box, sitting at x.
void Duck(cairo_t* cr, double x, const Plumage& p) {
    cairo_save(cr);
    cairo_translate(cr, x, 0);
    // Body.
    cairo_move_to(cr, 10, 78);
    cairo_curve_to(cr, 10, 50, 60, 44, 110, 48);
    cairo_curve_to(cr, 150, 50, 168, 62, 166, 82);
    cairo_curve_to(cr, 164, 104, 120, 110, 70, 108);
    cairo_curve_to(cr, 30, 106, 10, 96, 10, 78);
    cairo_close_path(cr);
    Outline(cr, 3);
    FillVertical(cr, 44, 110, p.bodyTop, p.bodyBottom);
    // Wing and tail.
    cairo_move_to(cr, 40, 70);
    cairo_curve_to(cr, 70, 58, 110, 60, 128, 76);
    cairo_curve_to(cr, 100, 88, 60, 88, 40, 70);
    SetColour(cr, p.wing);
    cairo_fill(cr);
    Rectangle(cr, 96, 70, 22, 6, 0x3858b8);  // the speculum
    cairo_move_to(cr, 10, 78);
    cairo_line_to(cr, 0, 60);
    cairo_line_to(cr, 20, 66);
    cairo_close_path(cr);
    SetColour(cr, p.tail);
    cairo_fill(cr);
    // Breast and head.
    if (p.breast != 0) {
        cairo_arc(cr, 150, 70, 18, -M_PI / 2, M_PI / 2);
        SetColour(cr, p.breast);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 130, 52);
    cairo_curve_to(cr, 126, 30, 136, 14, 154, 14);
    cairo_curve_to(cr, 172, 14, 178, 28, 172, 44);
    cairo_curve_to(cr, 166, 56, 150, 60, 130, 52);
    cairo_close_path(cr);
    Outline(cr, 3);
    FillVertical(cr, 14, 56, p.headTop, p.headBottom);
    if (p.neckRing) {
        Rectangle(cr, 132, 50, 36, 4, 0xf4f0e8);
    }
    SetColour(cr, 0xffffff, 0.35);
    cairo_arc(cr, 148, 24, 6, 0, 2 * M_PI);
    cairo_fill(cr);
    // Bill and eye.
    cairo_move_to(cr, 170, 26);
    cairo_curve_to(cr, 186, 26, 198, 30, 198, 36);
    cairo_curve_to(cr, 190, 40, 178, 40, 168, 38);
    cairo_close_path(cr);
    Outline(cr, 2);
    SetColour(cr, p.bill);
    cairo_fill(cr);
    SetColour(cr, kInk);
    cairo_arc(cr, 158, 26, 3, 0, 2 * M_PI);
    cairo_fill(cr);
    // Shine along the back.
    cairo_move_to(cr, 40, 56);
    cairo_curve_to(cr, 70, 48, 100, 48, 120, 52);
    SetColour(cr, 0xffffff, 0.35);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Decoy(cairo_t* cr, double x, bool drake) {
    Duck(cr, x, kPlumage[drake ? 1 : 0][0]);
}

void Decoys(cairo_t* cr) {  // 400 by 120
    Decoy(cr, 200, false);
    Decoy(cr, 0, true);
}

void Licence(cairo_t* cr) {  // 200 by 140
    cairo_save(cr);
    cairo_translate(cr, 100, 70);
    cairo_rotate(cr, -0.06);
    cairo_translate(cr, -100, -70);
    cairo_rectangle(cr, 8, 8, 184, 124);
    Outline(cr, 3);
    FillVertical(cr, 8, 132, 0xfaf2d8, 0xe0d0a4);
    Rectangle(cr, 8, 8, 184, 26, 0x2c5a34);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 15, 100, 27, "HUNTING LICENSE", 0xfff2c0);
    // The duck stamp.
    cairo_rectangle(cr, 18, 44, 62, 74);
    SetColour(cr, 0x2860a0);
    cairo_fill(cr);
    cairo_rectangle(cr, 22, 48, 54, 66);
    FillVertical(cr, 48, 114, 0xf4b060, 0x6890c0);
    cairo_save(cr);
    cairo_translate(cr, 26, 70);
    cairo_scale(cr, 0.22, 0.22);
    Decoy(cr, 0, true);
    cairo_restore(cr);
    SetColour(cr, 0x5a4a38);
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 5; i++) {
        cairo_move_to(cr, 92, 54 + i * 14);
        cairo_line_to(cr, i == 4 ? 140 : 180, 54 + i * 14);
    }
    cairo_stroke(cr);
    SetColour(cr, 0xb02820, 0.85);  // the seal
    cairo_arc(cr, 165, 110, 13, 0, 2 * M_PI);
    cairo_fill(cr);
    SetColour(cr, 0xf0b040);
    cairo_arc(cr, 165, 110, 7, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A duck call lying left to right: barrel, insert and band, 240 by 80.
void Call(cairo_t* cr, uint32_t lightWood, uint32_t darkWood, uint32_t band) {
    // The insert (mouthpiece end), narrower, on the right.
    RoundedRect(cr, 150, 26, 86, 28, 8);
    Outline(cr, 3);
    FillVertical(cr, 26, 54, lightWood, darkWood);
    // The barrel, flared towards the left.
    cairo_move_to(cr, 6, 16);
    cairo_curve_to(cr, 40, 18, 100, 20, 154, 20);
    cairo_line_to(cr, 154, 60);
    cairo_curve_to(cr, 100, 60, 40, 62, 6, 64);
    cairo_curve_to(cr, 2, 50, 2, 30, 6, 16);
    cairo_close_path(cr);
    Outline(cr, 3);
    FillVertical(cr, 16, 64, lightWood, darkWood);
    // Turned rings and the band.
    SetColour(cr, kInk, 0.5);
    cairo_set_line_width(cr, 2);
    for (double x : {40.0, 48.0, 100.0}) {
        cairo_move_to(cr, x, 20);
        cairo_line_to(cr, x, 61);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, 138, 18, 14, 44);
    Outline(cr, 2);
    FillVertical(cr, 18, 62, 0xffffff, band);
    // Shine along the top.
    SetColour(cr, 0xffffff, 0.4);
    cairo_rectangle(cr, 14, 24, 120, 5);
    cairo_rectangle(cr, 158, 31, 70, 4);
    cairo_fill(cr);
    // Lanyard loop.
    SetColour(cr, 0x2a5a3a);
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, 96, 60);
    cairo_curve_to(cr, 90, 80, 120, 80, 112, 60);
    cairo_stroke(cr);
}

void ShellBox(cairo_t* cr) {  // 150 by 140
    // Shells standing in an open box, a red box with a yellow label.
    for (int i = 0; i < 5; i++) {
        double sx = 22 + i * 22;
        cairo_rectangle(cr, sx, 12, 18, 40);
        Outline(cr, 2);
        FillVertical(cr, 12, 52, 0xe85040, 0x8c1c14);
        SetColour(cr, 0xffffff, 0.3);
        cairo_rectangle(cr, sx + 3, 14, 4, 36);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 8, 40);
    cairo_line_to(cr, 142, 40);
    cairo_line_to(cr, 142, 134);
    cairo_line_to(cr, 8, 134);
    cairo_close_path(cr);
    Outline(cr, 3);
    FillVertical(cr, 40, 134, 0xc83a28, 0x7a1810);
    cairo_rectangle(cr, 16, 62, 118, 48);
    Outline(cr, 2);
    FillVertical(cr, 62, 110, 0xffe890, 0xe0b040);
    CentredText(cr, "DejaVuSans-Bold.ttf", 20, 75, 84, "12 GA", 0x8c1c14, 0xfff4c0);
    CentredText(cr, "DejaVuSans-Bold.ttf", 13, 75, 102, "25 SHELLS", 0x3a2010, 0xfff4c0);
}

// A shotgun facing right in a 1000 by 170 box.
void Gun(cairo_t* cr, int kind) {
    // Pale beech for the pump, red walnut for the double, dark oil finish for
    // the automatic: told apart even at the size of an icon.
    uint32_t stockLight = kind == 1 ? 0xe0a860 : (kind == 2 ? 0xb05a30 : 0x5a3a22);
    uint32_t stockDark = kind == 1 ? 0x8a5424 : (kind == 2 ? 0x5a2010 : 0x1e120a);
    // Barrel(s).
    int barrels = kind == 2 ? 2 : 1;
    for (int b = barrels - 1; b >= 0; b--) {
        double by = 44 + b * 14;
        cairo_rectangle(cr, 380, by, 612, 14);
        Outline(cr, 2.5);
        FillVertical(cr, by, by + 14, 0x9ca4b4, 0x2a2e38);
    }
    if (kind != 2) {  // a rib on top, and a magazine tube below
        Rectangle(cr, 390, 40, 600, 4, 0x50586a);
        cairo_rectangle(cr, 420, 58, 420, 12);
        Outline(cr, 2);
        FillVertical(cr, 58, 70, 0x707888, 0x22262e);
    }
    Rectangle(cr, 984, 36, 6, 8, 0xe8e0c0);  // bead sight
    // Fore-end.
    if (kind == 1) {
        RoundedRect(cr, 560, 58, 170, 28, 10);  // a ribbed pump slide
    } else {
        RoundedRect(cr, 450, 62, 200, 24, 10);
    }
    Outline(cr, 2.5);
    FillVertical(cr, 58, 88, stockLight, stockDark);
    if (kind == 1) {
        SetColour(cr, kInk, 0.6);
        cairo_set_line_width(cr, 2);
        for (int i = 0; i < 9; i++) {
            cairo_move_to(cr, 578 + i * 16, 62);
            cairo_line_to(cr, 578 + i * 16, 82);
        }
        cairo_stroke(cr);
    }
    // Receiver.
    RoundedRect(cr, 270, 38, 130, 52, 8);
    Outline(cr, 2.5);
    FillVertical(cr, 38, 90, kind == 3 ? 0x7a8090 : 0x5a606c, 0x1c1e24);
    if (kind == 2) {  // engraved side plate
        SetColour(cr, 0xd8d0b0, 0.6);
        cairo_set_line_width(cr, 1.5);
        cairo_arc(cr, 320, 64, 14, 0, 2 * M_PI);
        cairo_move_to(cr, 345, 52);
        cairo_curve_to(cr, 365, 62, 370, 74, 390, 70);
        cairo_stroke(cr);
    }
    // Trigger guard and trigger.
    cairo_move_to(cr, 300, 88);
    cairo_curve_to(cr, 300, 120, 360, 120, 370, 88);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_move_to(cr, 332, 88);
    cairo_line_to(cr, 326, 108);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // Stock with its grip.
    cairo_move_to(cr, 280, 44);
    cairo_curve_to(cr, 220, 52, 120, 60, 12, 58);
    cairo_line_to(cr, 8, 150);
    cairo_curve_to(cr, 80, 140, 170, 112, 230, 100);
    cairo_curve_to(cr, 255, 96, 272, 92, 284, 88);
    cairo_close_path(cr);
    Outline(cr, 3);
    FillVertical(cr, 44, 150, stockLight, stockDark);
    Rectangle(cr, 6, 56, 10, 96, 0x241610);  // butt pad
    // Chequering on the grip and a varnish shine.
    SetColour(cr, kInk, 0.35);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 8; i++) {
        cairo_move_to(cr, 200 + i * 8, 62);
        cairo_line_to(cr, 220 + i * 8, 92);
        cairo_move_to(cr, 220 + i * 8, 62);
        cairo_line_to(cr, 200 + i * 8, 92);
    }
    cairo_stroke(cr);
    SetColour(cr, 0xffffff, 0.3);
    cairo_move_to(cr, 30, 70);
    cairo_curve_to(cr, 100, 68, 180, 64, 250, 56);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
}

struct Design {
    double w, h;
};

Design DesignOf(Item item) {
    switch (item) {
        case Item::Decoys:
            return {340, 120};
        case Item::Licence:
            return {200, 140};
        case Item::Call1:
        case Item::Call2:
        case Item::Call3:
            return {240, 82};
        case Item::ShellBox:
            return {150, 140};
        default:
            return {1000, 160};
    }
}

}  // namespace

double ItemAspect(Item item) {
    Design d = DesignOf(item);
    return d.w / d.h;
}

void PaintItem(cairo_t* cr, Item item, double x, double y, double w, double h) {
    Design d = DesignOf(item);
    double s = std::min(w / d.w, h / d.h);
    PaintItemStretched(cr, item, x + (w - d.w * s) / 2, y + (h - d.h * s) / 2, d.w * s, d.h * s);
}

void PaintItemStretched(cairo_t* cr, Item item, double x, double y, double w, double h) {
    Design d = DesignOf(item);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / d.w, h / d.h);
    switch (item) {
        case Item::Decoys:
            Decoys(cr);
            break;
        case Item::Licence:
            Licence(cr);
            break;
        case Item::Call1:
            Call(cr, 0xf0d49c, 0xa87c44, 0x70706c);
            break;
        case Item::Call2:
            Call(cr, 0x9a5e34, 0x3c200e, 0xc89a30);
            break;
        case Item::Call3:
            Call(cr, 0x5a5a60, 0x101014, 0xb8bcc8);
            break;
        case Item::ShellBox:
            ShellBox(cr);
            break;
        case Item::Gun1:
            Gun(cr, 1);
            break;
        case Item::Gun2:
            Gun(cr, 2);
            break;
        case Item::Gun3:
            Gun(cr, 3);
            break;
    }
    cairo_restore(cr);
}

void PaintDuck(cairo_t* cr, int species, int sex, double x, double y, double w, double h) {
    double s = std::min(w / 200.0, h / 120.0);
    cairo_save(cr);
    cairo_translate(cr, x + (w - 200 * s) / 2, y + (h - 120 * s) / 2);
    cairo_scale(cr, s, s);
    Duck(cr, 0, kPlumage[sex != 0 ? 1 : 0][species & 3]);
    cairo_restore(cr);
}
