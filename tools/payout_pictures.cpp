// The covering picture of the payout tray (the day's bag hung on a peg rail)
// and the two game-over pictures: a little landing on the night marsh with
// what is left of the player's hunting, a hand-painted sign or the sheriff's
// notice on its post.
#include <cmath>

#include "items.h"
#include "payout_art.h"

namespace {

constexpr uint32_t kInk = 0x1a120c;

// A shot duck hung by its feet from a peg, head down, turned so that it hangs
// under the cord; (cx, top) is the peg.
void HungDuck(Canvas& c, double cx, double top, int species, int sex, double s, double sway) {
    cairo_t* cr = c.cr;
    // In the duck's own frame the feet meet at (-14, 100), its bill at the right.
    auto place = [&](cairo_t* g) {
        cairo_translate(g, cx, top);
        cairo_rotate(g, sway + 0.2);
        cairo_translate(g, 0, 12);
        cairo_rotate(g, M_PI / 2);
        cairo_scale(g, s, s);
        cairo_translate(g, 14, -100);
    };
    auto body = [&](cairo_t* g) {
        cairo_set_line_cap(g, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(g, 6);
        for (double dy : {-6.0, 6.0}) {  // legs, and the webbed feet spread at the cord
            cairo_move_to(g, 48, 100 + dy * 0.5);
            cairo_line_to(g, -6, 100 + dy);
            cairo_stroke(g);
            cairo_move_to(g, -4, 100 + dy);
            cairo_line_to(g, -22, 100 + dy * 3.2);
            cairo_line_to(g, -18, 100 + dy * 0.2);
            cairo_close_path(g);
            cairo_fill(g);
        }
        PaintDuck(g, species, sex, 0, 0, 200, 120);
    };
    SoftShadow(
        c,
        [&](cairo_t* m) {
            place(m);
            body(m);
        },
        5, 4, 4, 0.5);
    cairo_save(cr);
    place(cr);
    SetColour(cr, species == 0 ? 0xe07828 : 0x6a6a70);
    body(cr);
    cairo_restore(cr);
    SetColour(cr, 0x3a2a18);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, cx, top);
    cairo_line_to(cr, cx + 2, top + 12);
    cairo_stroke(cr);
    SetColour(cr, 0xb89a58);  // the peg
    cairo_arc(cr, cx, top, 3.5, 0, 2 * M_PI);
    cairo_fill(cr);
}

void Cover(Canvas& c) {
    cairo_t* cr = c.cr;
    int w = c.width, h = c.height;
    PaintPanelling(c, 0, 0, w, h, 44, 0x4a2c14, 0x8e5e32, 901);
    // A moulded frame.
    for (const Rect& r :
         {Rect{0, 0, w, 9}, Rect{0, h - 9, w, 9}, Rect{0, 0, 9, h}, Rect{w - 9, 0, 9, h}}) {
        PaintWood(c, r.x, r.y, r.w, r.h, 0x2a1608, 0x6a4020, 902 + r.x + r.y, r.w < r.h);
    }
    Bevel(cr, 0, 0, w, h, 3, 1.0);
    // The peg rail and the bag on it.
    PaintWood(c, 9, 20, w - 18, 12, 0x3a200c, 0x9a6a38, 903);
    Bevel(cr, 9, 20, w - 18, 12, 2, 0.9);
    Rectangle(cr, 9, 32, w - 18, 3, 0x000000, 0.3);
    struct Hung {
        int species, sex;
        double sway;
    };
    constexpr Hung kBag[5] = {
        {0, 1, 0.03}, {0, 0, -0.02}, {1, 1, 0.02}, {3, 1, -0.03}, {2, 1, 0.01}};
    for (int i = 0; i < 5; i++) {
        HungDuck(c, 44 + i * 66, 26, kBag[i].species, kBag[i].sex, 0.58, kBag[i].sway);
    }
}

// The end of a landing: boards across, narrowing into the dark.
void Landing(Canvas& c, double w, double top, double bottom, uint32_t seed) {
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_move_to(cr, 24, top);
    cairo_line_to(cr, w - 24, top);
    cairo_line_to(cr, w, bottom);
    cairo_line_to(cr, 0, bottom);
    cairo_close_path(cr);
    cairo_clip(cr);
    PaintWood(c, 0, static_cast<int>(top), static_cast<int>(w), static_cast<int>(bottom - top),
              0x2a1c14, 0x6a5440, seed);
    for (double y = top + 9; y < bottom; y += 11 + (y - top) * 0.1) {
        Rectangle(cr, 0, y, w, 1.5, 0x0a0604, 0.7);
    }
    Rectangle(cr, 0, top, w, 3, 0xc8c8e0, 0.25);  // moonlight on the far edge
    cairo_restore(cr);
}

// A board on a post at the landing's edge, or a paper notice nailed to it.
void Post(Canvas& c, double x, double top, double bottom) {
    PaintWood(c, static_cast<int>(x), static_cast<int>(top), 12, static_cast<int>(bottom - top),
              0x1e140c, 0x5a4430, 911, true);
    Bevel(c.cr, x, top, 12, bottom - top, 2, 0.6);
}

void SpentShell(cairo_t* cr, double x, double y, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    RoundedRect(cr, 0, -5, 26, 10, 2);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke_preserve(cr);
    FillVertical(cr, -5, 5, 0xc83a28, 0x6a1810);
    cairo_rectangle(cr, 0, -5.5, 8, 11);
    FillVertical(cr, -5.5, 5.5, 0xf0d890, 0x8a6a28);
    SetColour(cr, 0x2a0a06);  // the open, burnt crimp
    cairo_arc(cr, 26, 0, 3.2, -M_PI / 2, M_PI / 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The open shell box, nothing in it but its paper divider.
void EmptyShellBox(cairo_t* cr, double x, double y) {
    cairo_move_to(cr, x, y + 10);
    cairo_line_to(cr, x + 16, y - 22);
    cairo_line_to(cr, x + 76, y - 22);
    cairo_line_to(cr, x + 60, y + 10);
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    FillVertical(cr, y - 22, y + 10, 0xa82a1c, 0x5a140c);  // the lid, thrown back
    // The paper divider inside, every hole empty.
    cairo_rectangle(cr, x, y + 10, 60, 14);
    FillVertical(cr, y + 10, y + 24, 0x8a7a5a, 0xd8c8a0);
    for (int row = 0; row < 2; row++) {
        for (int i = 0; i < 5; i++) {
            SetColour(cr, 0x140806);
            cairo_save(cr);
            cairo_translate(cr, x + 7 + i * 11.5 + row * 2, y + 14 + row * 6);
            cairo_scale(cr, 1, 0.5);
            cairo_arc(cr, 0, 0, 4, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_fill(cr);
        }
    }
    cairo_rectangle(cr, x, y + 24, 60, 26);
    SetColour(cr, kInk);
    cairo_stroke_preserve(cr);
    FillVertical(cr, y + 24, y + 50, 0xc83a28, 0x7a1c12);
    Rectangle(cr, x + 6, y + 30, 48, 14, 0xf0d060);
    CentredText(cr, "DejaVuSans-Bold.ttf", 10, x + 30, y + 41, "12 GA", 0x6a1810, 0xf0d060);
}

void Handcuffs(cairo_t* cr, double x, double y) {
    cairo_new_path(cr);
    for (double cx : {x, x + 44}) {
        cairo_save(cr);
        cairo_translate(cr, cx, y);
        cairo_scale(cr, 1, 0.6);
        cairo_arc(cr, 0, 0, 13, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 6);
        cairo_stroke_preserve(cr);
        SetColour(cr, 0xb8c0cc);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
        // The lock on the ring, towards the chain.
        double bx = cx < x + 1 ? cx + 8 : cx - 16;
        RoundedRect(cr, bx, y - 5, 8, 10, 1.5);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke_preserve(cr);
        FillVertical(cr, y - 5, y + 5, 0xd8dee6, 0x6a707a);
    }
    for (int i = 0; i < 3; i++) {  // the chain
        SetColour(cr, 0xa0a8b4);
        cairo_set_line_width(cr, 2);
        cairo_arc(cr, x + 16 + i * 6, y + 1 + (i % 2), 2.6, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
}

// The night falls on everything drawn: darker and bluer.
void Night(Canvas& c) {
    cairo_t* cr = c.cr;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    SetColour(cr, 0x0c1030, 0.3);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Broke(Canvas& c) {
    cairo_t* cr = c.cr;
    Landing(c, c.width, 104, c.height, 921);
    Post(c, 54, 12, 140);
    // The hand-painted board on the post.
    PaintWood(c, 8, 18, 152, 64, 0x3a2a1c, 0x8a7458, 922);
    Bevel(cr, 8, 18, 152, 64, 2, 0.7);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 16, 84, 44, "Out of money,", 0xf4ead8, 0x000000);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 16, 84, 68, "out of shells.", 0xf4ead8, 0x000000);
    EmptyShellBox(cr, 176, 92);
    SpentShell(cr, 246, 136, 0.3);
    SpentShell(cr, 150, 128, -0.2);
    SpentShell(cr, 204, 150, 2.8);
    SpentShell(cr, 268, 128, -0.5);
    SpentShell(cr, 290, 146, 0.1);
    Night(c);
}

void Jailed(Canvas& c) {
    cairo_t* cr = c.cr;
    Landing(c, c.width, 104, c.height, 931);
    Post(c, 78, 6, 140);
    // The notice, pinned with two nails and curling at a corner.
    cairo_move_to(cr, 14, 12);
    cairo_line_to(cr, 150, 8);
    cairo_line_to(cr, 156, 96);
    cairo_curve_to(cr, 130, 92, 120, 104, 112, 100);
    cairo_line_to(cr, 18, 102);
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke_preserve(cr);
    FillVertical(cr, 8, 104, 0xf6eed4, 0xc8b888);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 15, 85, 31, "NOTICE", 0x7a1810, 0xf6eed4);
    CentredText(cr, "DejaVuSerif.ttf", 11, 85, 50, "Fines unpaid.", kInk, 0xf6eed4);
    CentredText(cr, "DejaVuSerif.ttf", 11, 85, 66, "License revoked.", kInk, 0xf6eed4);
    CentredText(cr, "DejaVuSerif-Italic.ttf", 10, 88, 86, "Sheriff Jones", 0x2a3a6a, 0xf0e6c8);
    for (double nx : {30.0, 138.0}) {
        SetColour(cr, 0x6a6a72);
        cairo_arc(cr, nx, 18, 2.2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // The licence, struck through with the sheriff's stamp, and the cuffs.
    cairo_save(cr);
    cairo_translate(cr, 196, 66);
    cairo_rotate(cr, -0.1);
    PaintItem(cr, Item::Licence, 0, 0, 104, 74);
    cairo_translate(cr, 58, 52);
    cairo_rotate(cr, -0.3);
    cairo_rectangle(cr, -40, -11, 80, 19);
    SetColour(cr, 0xc01810, 0.85);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    UseFont(cr, "DejaVuSans-Bold.ttf", 14);
    cairo_move_to(cr, -TextWidth(cr, "REVOKED") / 2, 5);
    cairo_show_text(cr, "REVOKED");
    cairo_restore(cr);
    Handcuffs(cr, 118, 138);
    Night(c);
}

}  // namespace

Picture CoverPicture() {
    Canvas c(kCoverMaxW, kCoverMaxH);
    Cover(c);
    return Quantize(c, 0, 0, c.width, c.height, false, 4);
}

Picture GameOverPicture(bool jailed) {
    // As wide as the title above it, centred under it.
    Canvas c(328, kGameOverMaxH);
    if (jailed) {
        Jailed(c);
    } else {
        Broke(c);
    }
    return Quantize(c, 0, 0, c.width, c.height, true, 0);
}
