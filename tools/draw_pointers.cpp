// The "pointers" bank: the mouse pointer shapes, slots 0 onward. A shape's
// offsets are minus its hot spot, since the game draws it at the pointer
// position plus the offsets.
#include <cmath>
#include <cstdio>

#include "canvas.h"

namespace {

constexpr uint32_t kInk = 0x1a120c;

// Paints a shape at 1:1 with its hot spot at (hotX, hotY).
Picture Shape(int w, int h, int hotX, int hotY, void (*paint)(cairo_t*)) {
    Canvas c(w, h);
    paint(c.cr);
    Picture p = Quantize(c, 0, 0, w, h, true, 0);
    p.xoff = -hotX;
    p.yoff = -hotY;
    return p;
}

void Stroke(cairo_t* cr, uint32_t rgb, double width) {
    SetColour(cr, rgb);
    cairo_set_line_width(cr, width);
    cairo_stroke_preserve(cr);
}

// 0: the arrow, a carved-bone white with a dark rim.
void Arrow(cairo_t* cr) {
    cairo_move_to(cr, 1, 1);
    cairo_line_to(cr, 1, 21);
    cairo_line_to(cr, 6, 16.5);
    cairo_line_to(cr, 9.5, 24.5);
    cairo_line_to(cr, 13, 23);
    cairo_line_to(cr, 9.5, 15.5);
    cairo_line_to(cr, 16, 15.5);
    cairo_close_path(cr);
    Stroke(cr, kInk, 2.2);
    FillVertical(cr, 1, 24, 0xfffaf0, 0xd8c8a8);
}

// 1: over a button, a hand pointing up with its index finger.
void Hand(cairo_t* cr) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    RoundedRect(cr, 5, 1, 5.5, 16, 2.7);  // the finger
    Stroke(cr, kInk, 2);
    FillVertical(cr, 1, 17, 0xfff4e4, 0xf0d0b0);
    RoundedRect(cr, 1.5, 14, 6, 8, 3);  // the thumb
    Stroke(cr, kInk, 2);
    FillVertical(cr, 14, 22, 0xfff0dc, 0xe0b890);
    RoundedRect(cr, 5, 10, 15, 14, 4);  // the fist
    Stroke(cr, kInk, 2);
    FillVertical(cr, 10, 24, 0xfff0dc, 0xd8ac84);
    RoundedRect(cr, 5.8, 10, 4, 6, 2);  // the finger again, over the fist's edge
    FillVertical(cr, 10, 16, 0xf8e4cc, 0xf0d0b0);
    SetColour(cr, 0x8a5a3c);
    cairo_set_line_width(cr, 1);
    for (double x : {10.5, 14.0, 17.0}) {
        cairo_move_to(cr, x + 0.5, 11);
        cairo_line_to(cr, x + 0.5, 15);
        cairo_stroke(cr);
    }
}

// 2: busy, a small hourglass in a wooden frame.
void Hourglass(cairo_t* cr) {
    Rectangle(cr, 1, 1, 18, 4, kInk);
    Rectangle(cr, 2, 2, 16, 2, 0xb07838);
    Rectangle(cr, 1, 25, 18, 4, kInk);
    Rectangle(cr, 2, 26, 16, 2, 0xb07838);
    cairo_move_to(cr, 3, 5);
    cairo_line_to(cr, 17, 5);
    cairo_curve_to(cr, 17, 12, 11, 13, 11, 15);
    cairo_curve_to(cr, 11, 17, 17, 18, 17, 25);
    cairo_line_to(cr, 3, 25);
    cairo_curve_to(cr, 3, 18, 9, 17, 9, 15);
    cairo_curve_to(cr, 9, 13, 3, 12, 3, 5);
    cairo_close_path(cr);
    Stroke(cr, kInk, 1.6);
    SetColour(cr, 0xe8f0f4);
    cairo_fill(cr);
    cairo_move_to(cr, 6, 9);  // sand above and below
    cairo_line_to(cr, 14, 9);
    cairo_line_to(cr, 10, 14);
    cairo_close_path(cr);
    cairo_move_to(cr, 10, 17);
    cairo_line_to(cr, 15.5, 24);
    cairo_line_to(cr, 4.5, 24);
    cairo_close_path(cr);
    SetColour(cr, 0xe0b050);
    cairo_fill(cr);
}

// 3: drawn 22 pixels wide by the game: a shotgun shell standing upright.
void Shell(cairo_t* cr) {
    RoundedRect(cr, 5, 1, 12, 20, 2);
    Stroke(cr, kInk, 1.6);
    FillVertical(cr, 1, 21, 0xe84a38, 0x901c14);
    Rectangle(cr, 4, 20, 14, 7, kInk);
    cairo_rectangle(cr, 5, 21, 12, 5);
    FillVertical(cr, 21, 26, 0xfff0a0, 0xb08420);
    Rectangle(cr, 7, 3, 2, 16, 0xffffff, 0.35);
}

// 4: a four-way move cross.
void Move(cairo_t* cr) {
    cairo_translate(cr, 12, 12);
    for (int k = 0; k < 4; k++) {
        cairo_move_to(cr, 0, -11);
        cairo_line_to(cr, 4.5, -6);
        cairo_line_to(cr, 1.5, -6);
        cairo_line_to(cr, 1.5, 0);
        cairo_line_to(cr, -1.5, 0);
        cairo_line_to(cr, -1.5, -6);
        cairo_line_to(cr, -4.5, -6);
        cairo_close_path(cr);
        cairo_rotate(cr, M_PI / 2);
    }
    Stroke(cr, kInk, 2);
    SetColour(cr, 0xfffaf0);
    cairo_fill(cr);
}

// 5: text entry, an I-beam.
void IBeam(cairo_t* cr) {
    for (double w : {3.5, 1.5}) {
        SetColour(cr, w > 2 ? kInk : 0xfffaf0);
        cairo_set_line_width(cr, w);
        cairo_move_to(cr, 2, 2);
        cairo_line_to(cr, 10, 2);
        cairo_move_to(cr, 6, 2);
        cairo_line_to(cr, 6, 20);
        cairo_move_to(cr, 2, 20);
        cairo_line_to(cr, 10, 20);
        cairo_stroke(cr);
    }
}

// 6: a no-entry sign for "not here".
void Stop(cairo_t* cr) {
    cairo_arc(cr, 11, 11, 9, 0, 2 * M_PI);
    Stroke(cr, kInk, 2);
    SetColour(cr, 0xd83a2c);
    cairo_fill(cr);
    SetColour(cr, 0xffffff);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, 6, 11);
    cairo_line_to(cr, 16, 11);
    cairo_stroke(cr);
}

// 7: the hunt's crosshair, a ring with a gap at the centre.
void Crosshair(cairo_t* cr) {
    for (int pass = 0; pass < 2; pass++) {
        SetColour(cr, pass == 0 ? kInk : 0xfff4d0);
        cairo_set_line_width(cr, pass == 0 ? 3.6 : 1.6);
        cairo_arc(cr, 16, 16, 10, 0, 2 * M_PI);
        cairo_stroke(cr);
        for (int k = 0; k < 4; k++) {
            double a = k * M_PI / 2;
            cairo_move_to(cr, 16 + std::cos(a) * 4, 16 + std::sin(a) * 4);
            cairo_line_to(cr, 16 + std::cos(a) * 15, 16 + std::sin(a) * 15);
        }
        cairo_stroke(cr);
    }
    SetColour(cr, 0xe83a28);
    cairo_rectangle(cr, 15, 15, 2, 2);
    cairo_fill(cr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::vector<Picture> shapes = {
        Shape(18, 26, 1, 1, Arrow),       Shape(22, 26, 7, 1, Hand),
        Shape(20, 30, 10, 15, Hourglass), Shape(22, 28, 11, 14, Shell),
        Shape(24, 24, 12, 12, Move),      Shape(12, 22, 6, 11, IBeam),
        Shape(22, 22, 11, 11, Stop),      Shape(33, 33, 16, 16, Crosshair),
    };
    return WriteBank(OutPath(argv[1], "pointers.256"), MasterPalette(), shapes, true) ? 0 : 1;
}
