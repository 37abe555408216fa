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

// A brass-rimmed plaque lined with green felt, the item on it.
Picture Plaque(int w, int h, Item item, double angle = 0) {
    Canvas c(w, h);
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
        /* 17 */ Plaque(66, 45, Item::Licence),
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
