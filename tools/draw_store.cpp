// The store: bkg_04, shelves of gear on the left, a rack of guns along the
// bottom and the board where the player's belongings are shown on the right;
// and its bank spr_04 (slots 31 to 38): the eight goods on their shelves, each
// the size of its button and see-through round the item, so that only a click
// on the item itself buys it.
#include <cstdio>

#include "canvas.h"
#include "items.h"

namespace {

struct Shelf {
    Rect button;  // the game's button rectangle
    Rect item;    // where the item is painted inside it
    Item kind;
    const char* price;
};

// In the order of the store's button list (slots 31 to 38).
constexpr Shelf kShelves[8] = {
    {{6, 56, 236, 74}, {12, 58, 226, 70}, Item::Decoys, "$5"},
    {{242, 56, 112, 94}, {246, 58, 104, 88}, Item::Licence, "$5"},
    {{62, 198, 116, 52}, {64, 202, 112, 46}, Item::Call1, "$5"},
    {{10, 262, 132, 48}, {12, 266, 128, 42}, Item::Call2, "$5"},
    {{116, 142, 98, 42}, {118, 146, 94, 36}, Item::Call3, "$5"},
    {{248, 182, 98, 96}, {254, 188, 86, 86}, Item::ShellBox, "$5"},
    {{18, 300, 606, 108}, {24, 314, 596, 88}, Item::Gun3, "$20"},
    {{86, 372, 554, 108}, {272, 410, 364, 60}, Item::Gun2, "$30"},
};
constexpr Rect kDone = {7, 430, 74, 44};      // lit by the shared icon 14
constexpr Rect kMoney = {100, 430, 150, 38};  // the game prints the money at (192, 437)

// Shelf planks: x, y (top of the plank), width.
constexpr int kPlanks[][3] = {
    {0, 130, 244}, {104, 184, 120}, {40, 250, 150}, {0, 310, 156}, {236, 278, 124}};

void Plank(Canvas& c, int x, int y, int w, uint32_t seed) {
    PaintWood(c, x, y, w, 10, 0x5a3414, 0xb07a40, seed);
    Bevel(c.cr, x, y, w, 10, 2, 1.0);
    Rectangle(c.cr, x, y + 10, w, 5, 0x000000, 0.35);
}

void Tag(Canvas& c, double x, double y, const char* price) {
    cairo_t* cr = c.cr;
    SetColour(cr, 0x2a1a0a);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x + 14, y - 5);
    cairo_line_to(cr, x + 14, y);
    cairo_stroke(cr);
    cairo_move_to(cr, x, y + 4);
    cairo_line_to(cr, x + 4, y);
    cairo_line_to(cr, x + 28, y);
    cairo_line_to(cr, x + 28, y + 14);
    cairo_line_to(cr, x + 4, y + 14);
    cairo_line_to(cr, x, y + 10);
    cairo_close_path(cr);
    SetColour(cr, 0xf4ead0);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x5a4028);
    cairo_stroke(cr);
    CentredText(cr, "DejaVuSans-Bold.ttf", 9, x + 16, y + 11, price, 0x8a1c10, 0xf4ead0);
}

void Background(Canvas& c) {
    cairo_t* cr = c.cr;
    PaintPanelling(c, 0, 0, 640, 480, 46, 0x5a341a, 0x9a683a, 501);
    Vignette(c, 0.45);
    // The store's sign.
    PaintWood(c, 10, 8, 226, 42, 0x2a1608, 0x6a4020, 502);
    Bevel(cr, 10, 8, 226, 42, 3, 1.0);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 21, 123, 37, "Marsh Outfitters", 0xf8dc90);
    for (int i = 0; i < 5; i++) {
        Plank(c, kPlanks[i][0], kPlanks[i][1], kPlanks[i][2], 510 + i);
    }
    // The rack: two rails with pegs for the guns.
    for (int y : {340, 430}) {
        PaintWood(c, 0, y, 640, 8, 0x3a200c, 0x8a5a2a, 520 + y);
        Bevel(cr, 0, y, 640, 8, 2, 0.8);
    }
    // The board of belongings on the right.
    PaintFramedBoard(c, 356, 6, 280, 282, 12, 0x1c3a26, 530);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 15, 496, 42, "Your Gear", 0xf4e0a8);
    // Soft shadows where the goods stand, and their price tags.
    for (const Shelf& s : kShelves) {
        SoftShadow(
            c, [&](cairo_t* m) { PaintItem(m, s.kind, s.item.x, s.item.y, s.item.w, s.item.h); }, 4,
            5, 3, 0.55);
    }
    const double tags[8][2] = {{200, 142}, {320, 150}, {150, 262}, {112, 322},
                               {186, 196}, {316, 290}, {600, 350}, {600, 440}};
    for (int i = 0; i < 8; i++) {
        Tag(c, tags[i][0], tags[i][1], kShelves[i].price);
    }
    WoodButton(c, kDone.x, kDone.y, kDone.w, kDone.h, "Done", false, 14);
    RoundedRect(cr, kMoney.x, kMoney.y, kMoney.w, kMoney.h, 6);
    FillVertical(cr, kMoney.y, kMoney.y + kMoney.h, 0xf4d078, 0x6a4810);
    RoundedRect(cr, kMoney.x + 4, kMoney.y + 4, kMoney.w - 8, kMoney.h - 8, 4);
    SetColour(cr, 0x16100a);
    cairo_fill(cr);
    CentredText(cr, "DejaVuSans-Bold.ttf", 12, 140, 454, "Money $", 0xf0c050);
}

Picture ShelfPicture(const Shelf& s) {
    Canvas c(s.button.w, s.button.h);
    PaintItem(c.cr, s.kind, s.item.x - s.button.x, s.item.y - s.button.y, s.item.w, s.item.h);
    return Quantize(c, 0, 0, c.width, c.height, true, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    Canvas c(640, 480);
    Background(c);
    std::vector<Picture> bank;
    for (const Shelf& s : kShelves) {
        bank.push_back(ShelfPicture(s));
    }
    Picture background = Quantize(c, 0, 0, 640, 480, false, 8);
    bool ok = WriteBackground(OutPath(argv[1], "bkg_04.256"), MasterPalette(), background) &&
              WriteBank(OutPath(argv[1], "spr_04.256"), MasterPalette(), bank, true);
    return ok ? 0 : 1;
}
