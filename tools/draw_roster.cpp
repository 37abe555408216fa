// The roster screen: bkg_02, a clubhouse wall with the board of hunters and the
// settings plaque, and its bank spr_02 (slots 31 to 38): the lit buttons, the
// name-entry card, the music-off mark and the volume knob.
#include <cmath>
#include <cstdio>

#include "canvas.h"

namespace {

// The screen's buttons, where the game's button list puts them.
constexpr Rect kMusic = {87, 181, 74, 45};
constexpr Rect kVolumeButton = {56, 249, 72, 45};
constexpr Rect kNew = {317, 345, 74, 45};
constexpr Rect kDelete = {487, 345, 74, 45};
constexpr Rect kDone = {7, 430, 74, 44};  // lit by the shared icon 14, 74 x 44
constexpr Rect kMusicMark = {160, 181, 74, 45};
constexpr Rect kStrip = {131, 266, 113, 36};  // the knob's x runs 131 to 231
constexpr Rect kNamePanel = {217, 186, 206, 107};
constexpr Rect kNameField = {249, 226, 142, 24};
constexpr int kKnobWidth = 13;

void MusicPlate(Canvas& c, int x, int y, bool off) {
    cairo_t* cr = c.cr;
    RoundedRect(cr, x + 4, y + 3, 66, 39, 5);
    FillVertical(cr, y + 3, y + 42, 0xf0d488, 0x8a6420);
    RoundedRect(cr, x + 7, y + 6, 60, 33, 3);
    SetColour(cr, 0x1a120a);
    cairo_fill(cr);
    // A pair of quavers.
    SetColour(cr, off ? 0x8a8070 : 0xf4d070);
    cairo_arc(cr, x + 26, y + 31, 4.2, 0, 2 * M_PI);
    cairo_arc(cr, x + 44, y + 28, 4.2, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x + 30, y + 31);
    cairo_line_to(cr, x + 30, y + 12);
    cairo_line_to(cr, x + 48, y + 9);
    cairo_line_to(cr, x + 48, y + 28);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, x + 30, y + 13);
    cairo_line_to(cr, x + 48, y + 10);
    cairo_stroke(cr);
    if (off) {
        SetColour(cr, 0xd83020);
        cairo_set_line_width(cr, 4);
        cairo_move_to(cr, x + 14, y + 10);
        cairo_line_to(cr, x + 60, y + 36);
        cairo_move_to(cr, x + 60, y + 10);
        cairo_line_to(cr, x + 14, y + 36);
        cairo_stroke(cr);
    }
}

void Knob(cairo_t* cr, double x, double y) {
    RoundedRect(cr, x + 0.5, y + 1.5, kKnobWidth - 1, 33, 3);
    SetColour(cr, 0x1a120a);
    cairo_set_line_width(cr, 1);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + kKnobWidth, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.92, 0.6);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.82, 0.6, 0.2);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.42, 0.28, 0.06);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    SetColour(cr, 0x3a2808, 0.8);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 3; i++) {
        cairo_move_to(cr, x + 3, y + 13.5 + i * 4);
        cairo_line_to(cr, x + kKnobWidth - 3, y + 13.5 + i * 4);
    }
    cairo_stroke(cr);
}

// The whole screen, every button lit or none.
void DrawScreen(Canvas& c, bool lit) {
    cairo_t* cr = c.cr;
    PaintPanelling(c, 0, 0, 640, 480, 58, 0x4a2a12, 0x8a5a2e, 201);
    // A chair rail and darker wainscot below it.
    Rectangle(cr, 0, 400, 640, 80, 0x000000, 0.28);
    PaintWood(c, 0, 392, 640, 12, 0x3a200c, 0x8a5a2a, 202);
    Bevel(cr, 0, 392, 640, 12, 2, 1.0);
    Vignette(c, 0.55);
    // The heading over the wall.
    CentredText(cr, "DejaVuSerif-Bold.ttf", 34, 320, 62, "The Clubhouse", 0xf8dc90);
    CentredText(cr, "DejaVuSerif-Italic.ttf", 15, 320, 88, "Choose a hunter, or sign up a new one",
                0xf4e6c8);

    // The board of hunters: five rows at x 310 to 571, y 192 + 29 i.
    PaintFramedBoard(c, 290, 118, 302, 226, 10, 0x1e3a28, 203);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 20, 441, 158, "Hunters", 0xf4e0a8);
    CentredText(cr, "DejaVuSans-Bold.ttf", 12, 352, 184, "Name", 0xc8d8c0);
    CentredText(cr, "DejaVuSans-Bold.ttf", 12, 538, 184, "Money $", 0xc8d8c0);
    for (int i = 0; i < 5; i++) {
        int y = 192 + 29 * i;
        Rectangle(cr, 308, y - 1, 265, 28, 0x000000, 0.35);  // sunk slots for the rows
        Rectangle(cr, 308, y + 27, 265, 1, 0xd0e8c8, 0.15);
    }

    // The settings plaque on the left.
    PaintFramedBoard(c, 40, 118, 222, 200, 10, 0x5a3a20, 204);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 18, 151, 158, "Settings", 0xf4e0a8);
    MusicPlate(c, kMusicMark.x, kMusicMark.y, false);
    // The volume groove with its scale marks.
    RoundedRect(cr, kStrip.x + 4, kStrip.y + 14, kStrip.w - 8, 8, 4);
    SetColour(cr, 0x120a04);
    cairo_fill(cr);
    Rectangle(cr, kStrip.x + 6, kStrip.y + 21, kStrip.w - 12, 1, 0xffe0b0, 0.3);
    SetColour(cr, 0xe8d0a0, 0.8);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i <= 10; i++) {
        double x = kStrip.x + kKnobWidth / 2.0 + i * 10 + 0.5;
        cairo_move_to(cr, x, kStrip.y + 30);
        cairo_line_to(cr, x, kStrip.y + (i % 5 == 0 ? 36 : 33));
    }
    cairo_stroke(cr);
    WoodButton(c, kMusic.x, kMusic.y, kMusic.w, kMusic.h, "Music", lit, 301);
    WoodButton(c, kVolumeButton.x, kVolumeButton.y, kVolumeButton.w, kVolumeButton.h, "Volume", lit,
               302, 13);
    WoodButton(c, kNew.x, kNew.y, kNew.w, kNew.h, "New", lit, 303);
    WoodButton(c, kDelete.x, kDelete.y, kDelete.w, kDelete.h, "Delete", lit, 304);
    WoodButton(c, kDone.x, kDone.y, kDone.w, kDone.h, "Done", lit, 14);
    Grain(c, 0, 0, 640, 118, 0.04, 3.0, 205);
}

Picture NamePanel() {
    Canvas c(kNamePanel.w, kNamePanel.h);
    cairo_t* cr = c.cr;
    PaintWood(c, 0, 0, c.width, c.height, 0x4a2810, 0x9a6430, 401);
    Bevel(cr, 0, 0, c.width, c.height, 3, 1.0);
    Rectangle(cr, 7, 7, c.width - 14, c.height - 14, 0xf2e6c4);
    Grain(c, 7, 7, c.width - 14, c.height - 14, 0.06, 5.0, 402);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 15, c.width / 2.0, 30, "Your name, hunter?", 0x3a2010,
                0xfff8e8);
    int fx = kNameField.x - kNamePanel.x, fy = kNameField.y - kNamePanel.y;
    Rectangle(cr, fx - 2, fy - 2, kNameField.w + 4, kNameField.h + 4, 0x6a4a2a);
    Rectangle(cr, fx, fy, kNameField.w, kNameField.h, 0x16100a);
    CentredText(cr, "DejaVuSans.ttf", 11, c.width / 2.0, 88, "Type it, then press Enter", 0x5a4028,
                0xfff8e8);
    return Quantize(c, 0, 0, c.width, c.height, false, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    Canvas plain(640, 480);
    DrawScreen(plain, false);
    Canvas lit(640, 480);
    DrawScreen(lit, true);

    Canvas mark(kMusicMark.w, kMusicMark.h);
    cairo_set_source_surface(mark.cr, plain.surface, -kMusicMark.x, -kMusicMark.y);
    cairo_paint(mark.cr);
    MusicPlate(mark, 0, 0, true);
    Canvas knob(kKnobWidth, 36);
    Knob(knob.cr, 0, 0);

    std::vector<Picture> bank = {
        /* 31 */ Crop(lit, kDone),
        /* 32 */ Crop(lit, kMusic),
        /* 33 */ Crop(lit, kVolumeButton),
        /* 34 */ Crop(lit, kNew),
        /* 35 */ Crop(lit, kDelete),
        /* 36 */ NamePanel(),
        /* 37 */ Quantize(mark, 0, 0, mark.width, mark.height, false, 0),
        /* 38 */ Quantize(knob, 0, 0, knob.width, knob.height, true, 0),
    };
    Picture background = Quantize(plain, 0, 0, 640, 480, false, 8);
    bool ok = WriteBackground(OutPath(argv[1], "bkg_02.256"), MasterPalette(), background) &&
              WriteBank(OutPath(argv[1], "spr_02.256"), MasterPalette(), bank, true);
    return ok ? 0 : 1;
}
