// The shared "icons" bank, slots 10 to 30: lit buttons used on several screens,
// the money panel, and the player's goods as small felt-lined plaques for the
// store's list of belongings and the hunt's icon bar.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "canvas.h"
#include "items.h"

namespace {

Picture LitButton(int w, int h, const char* label, uint32_t seed) {
    Canvas c(w, h);
    WoodButton(c, 0, 0, w, h, label, true, seed);
    return Quantize(c, 0, 0, w, h, false, 0);
}

// A brass-rimmed plaque lined with green felt.
void PlaqueFelt(Canvas& c, int w, int h) {
    cairo_t* cr = c.cr;
    RoundedRect(cr, 0, 0, w, h, 4);
    FillVertical(cr, 0, h, 0xf0cc70, 0x7a5418);
    RoundedRect(cr, 2.5, 2.5, w - 5, h - 5, 3);
    FillVertical(cr, 2, h - 2, 0x1c4a30, 0x0e2a1a);
    Grain(c, 3, 3, w - 6, h - 6, 0.25, 2.0, 77 + w);
    SetColour(cr, 0x000000, 0.45);  // an inner shadow under the rim
    cairo_rectangle(cr, 3, 3, w - 6, 2);
    cairo_rectangle(cr, 3, 3, 2, h - 6);
    cairo_fill(cr);
}

// The plaque with the item on it.
Picture Plaque(int w, int h, Item item, double angle = 0) {
    Canvas c(w, h);
    cairo_t* cr = c.cr;
    PlaqueFelt(c, w, h);
    cairo_save(cr);
    cairo_translate(cr, w / 2.0, h / 2.0);
    cairo_rotate(cr, angle);
    // The largest box of the item's proportions that, turned, stays inside.
    // Guns are drawn deeper than life so that stock and barrel still show.
    bool gun = item == Item::Gun1 || item == Item::Gun2 || item == Item::Gun3;
    double aspect = gun ? 3.4 : ItemAspect(item);
    double cs = std::cos(angle), sn = std::abs(std::sin(angle));
    double iw = std::min((w - 12) / (cs + sn / aspect), (h - 10) / (sn + cs / aspect));
    double ih = iw / aspect;
    PaintItemStretched(cr, item, -iw / 2, -ih / 2, iw, ih);
    cairo_restore(cr);
    return Quantize(c, 0, 0, w, h, false, 0);
}

// The licence drawn for the plaque's own size, not shrunk from the shelf's
// card: one word in letters tall enough to read, a duck stamp and the seal.
Picture LicencePlaque(int w, int h) {
    Canvas c(w, h);
    cairo_t* cr = c.cr;
    PlaqueFelt(c, w, h);
    const double x = 5, y = 5, cw = w - 10, ch = h - 10;
    cairo_rectangle(cr, x, y, cw, ch);
    FillVertical(cr, y, y + ch, 0xfaf2d8, 0xe0d0a4);
    Rectangle(cr, x, y, cw, 13, 0x1e4a26);
    UseFont(cr, "DejaVuSansCondensed-Bold.ttf", 11);
    SetColour(cr, 0xfff4c8);
    cairo_move_to(cr, std::round(x + (cw - TextWidth(cr, "LICENSE")) / 2), y + 11);
    cairo_show_text(cr, "LICENSE");
    cairo_rectangle(cr, x + 3, y + 16, 18, 15);  // the duck stamp
    SetColour(cr, 0x2860a0);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 4, y + 17, 16, 13);
    FillVertical(cr, y + 17, y + 30, 0xf4b060, 0x6890c0);
    PaintDuck(cr, 0, 1, x + 4, y + 18, 16, 11);
    SetColour(cr, 0x5a4a38);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 3; i++) {
        cairo_move_to(cr, x + 25, y + 18.5 + i * 5);
        cairo_line_to(cr, x + (i == 2 ? 38 : cw - 3), y + 18.5 + i * 5);
    }
    cairo_stroke(cr);
    SetColour(cr, 0xb02820);  // the seal
    cairo_arc(cr, x + cw - 8, y + ch - 6, 4.5, 0, 2 * M_PI);
    cairo_fill(cr);
    SetColour(cr, 0xf0b040);
    cairo_arc(cr, x + cw - 8, y + ch - 6, 2, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 0.5, y + 0.5, cw - 1, ch - 1);
    SetColour(cr, 0x1a120c);
    cairo_stroke(cr);
    return Quantize(c, 0, 0, w, h, false, 0);
}

Picture MoneyPanel() {
    constexpr int w = 120, h = 34;
    Canvas c(w, h);
    cairo_t* cr = c.cr;
    RoundedRect(cr, 0, 0, w, h, 5);
    FillVertical(cr, 0, h, 0xf4d078, 0x6a4810);
    RoundedRect(cr, 4, 4, w - 8, h - 8, 3);
    SetColour(cr, 0x16100a);
    cairo_fill(cr);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 16, 15, 23, "$", 0xf0c050);
    for (double x : {5.0, w - 5.0}) {
        SetColour(cr, 0x3a2808);
        cairo_arc(cr, x, h / 2.0, 1.6, 0, 6.3);
        cairo_fill(cr);
    }
    return Quantize(c, 0, 0, w, h, true, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::vector<Picture> icons = {
        /* 10 */ [] {
            Canvas c(74, 45);
            WoodButton(c, 0, 0, 74, 45, "", false, 10);
            return Quantize(c, 0, 0, 74, 45, false, 0);
        }(),
        /* 11 */ LitButton(76, 55, "Quit", 11),
        /* 12 */ LitButton(74, 45, "Quit", 12),
        /* 13 */ MoneyPanel(),
        /* 14 */ LitButton(74, 44, "Done", 14),
        /* 15 */ LitButton(74, 46, "Exit", 15),
        /* 16 */ Plaque(66, 45, Item::Decoys),
        /* 17 */ LicencePlaque(66, 45),
        /* 18 */ Plaque(66, 45, Item::Call1),
        /* 19 */ Plaque(66, 45, Item::Call2),
        /* 20 */ Plaque(66, 45, Item::Call3),
        /* 21 */ Plaque(56, 45, Item::ShellBox),
        /* 22 */ Plaque(80, 50, Item::Gun1, -0.32),
        /* 23 */ Plaque(80, 50, Item::Gun2, -0.32),
        /* 24 */ Plaque(80, 50, Item::Gun3, -0.32),
        /* 25 */ Plaque(81, 45, Item::Gun1, -0.28),
        /* 26 */ Plaque(81, 45, Item::Gun2, -0.28),
        /* 27 */ Plaque(81, 45, Item::Gun3, -0.28),
        /* 28 */ LitButton(140, 45, "Picture", 28),
        /* 29 */ LitButton(140, 45, "Rules", 29),
        /* 30 */ LitButton(76, 46, "Page", 30),
    };
    return WriteBank(OutPath(argv[1], "icons.256"), MasterPalette(), icons, true) ? 0 : 1;
}
