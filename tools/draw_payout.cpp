// bkg_07, the bag-goal payout: a cabinet of eight reel windows, a felt tray for
// the coins, the money box and the plaque where the goal is written; its bank
// spr_07 (slots 31 to 36): the reel strip, the lit view button, three coins and
// the picture that covers them; bkg_08, the game-over picture: the marsh at
// nightfall, and its bank spr_08 (slots 100 and 101): broke, or jailed.
#include <cmath>
#include <cstdio>

#include "canvas.h"
#include "payout_art.h"
#include "scenery.h"

namespace {

constexpr Rect kView = {476, 67, 74, 44};  // its lit face is graphic 32 of spr_07
constexpr Rect kDone = {7, 430, 74, 44};   // lit by the shared icon 14
constexpr int kReelY = 142, kReelH = kReelWindowH;
constexpr Rect kTray = {0, 247, 640, 173};  // coins land in rows 250 to 419
// The game fills it with colour 254 (kPayoutMoneyBoxX and W of screens/goals.h).
constexpr Rect kMoneyBox = {150, 440, 80, 24};
constexpr Rect kGoalPlaque = {236, 421, 400, 57};

int ReelX(int r) {
    return 15 + 78 * r;
}

void Payout(Canvas& c) {
    cairo_t* cr = c.cr;
    // The cabinet.
    PaintWood(c, 0, 0, 640, 480, 0x3a1e0c, 0x8a5426, 701);
    Vignette(c, 0.35);
    PaintWood(c, 0, 0, 640, 56, 0x2a1608, 0x6a4020, 702);
    Bevel(cr, 0, 0, 640, 56, 3, 1.0);
    CentredText(cr, "DejaVuSerif-Bold.ttf", 28, 320, 39, "Bag Goals", 0xf8dc90);
    UseFont(cr, "DejaVuSerif-Italic.ttf", 14);
    SetColour(cr, 0xf4e6c8);
    cairo_move_to(cr, 24, 96);
    cairo_show_text(cr, "A clean hunt pays by what is in the bag.");
    // A row of lamps over the reels.
    for (int i = 0; i < 16; i++) {
        double x = 28 + i * 39, y = 124;
        cairo_pattern_t* p = cairo_pattern_create_radial(x - 1, y - 1, 0.5, x, y, 5);
        cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.98, 0.8);
        cairo_pattern_add_color_stop_rgb(p, 1, i % 2 ? 0.9 : 0.8, i % 2 ? 0.5 : 0.2, 0.1);
        cairo_set_source(cr, p);
        cairo_arc(cr, x, y, 5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    // Eight reel windows, chrome bezels round a resting reel.
    for (int r = 0; r < 8; r++) {
        int x = ReelX(r);
        RoundedRect(cr, x - 6, kReelY - 6, kReelW + 12, kReelH + 12, 6);
        FillVertical(cr, kReelY - 6, kReelY + kReelH + 6, 0xf0f2f4, 0x50545c);
        cairo_rectangle(cr, x - 1, kReelY - 1, kReelW + 2, kReelH + 2);
        SetColour(cr, 0x0c0a08);
        cairo_fill(cr);
        // The strip's resting face as a stopped reel shows it: the seam above
        // on top, then the face; a reel that turns starts from the same face.
        cairo_save(cr);
        cairo_rectangle(cr, x, kReelY, kReelW, kReelH);
        cairo_clip(cr);
        PaintReelPicture(c, x, kReelY - kStoppedShown - kReelPicture, 0);
        PaintReelPicture(c, x, kReelY - kStoppedShown, 0);
        cairo_restore(cr);
    }
    // The coin tray.
    PaintWood(c, kTray.x, kTray.y - 6, kTray.w, 6, 0x2a1608, 0x7a4a22, 703);
    cairo_rectangle(cr, kTray.x, kTray.y, kTray.w, kTray.h);
    FillVertical(cr, kTray.y, kTray.y + kTray.h, 0x1e4a30, 0x10301e);
    Grain(c, kTray.x, kTray.y, kTray.w, kTray.h, 0.18, 1.8, 704);
    Rectangle(cr, kTray.x, kTray.y, kTray.w, 4, 0x000000, 0.5);
    PaintWood(c, 0, 419, 640, 4, 0x2a1608, 0x7a4a22, 705);
    WoodButton(c, kView.x, kView.y, kView.w, kView.h, "View", false, 32);
    WoodButton(c, kDone.x, kDone.y, kDone.w, kDone.h, "Done", false, 14);
    // The money: "$" and the dark box the game fills and prints into.
    CentredText(cr, "DejaVuSerif-Bold.ttf", 20, kMoneyBox.x - 16, 460, "$", 0xf0c050);
    Rectangle(cr, kMoneyBox.x - 3, kMoneyBox.y - 3, kMoneyBox.w + 6, kMoneyBox.h + 6, 0x8a6420);
    Rectangle(cr, kMoneyBox.x, kMoneyBox.y, kMoneyBox.w, kMoneyBox.h, 0x16100a);
    // The plaque where the goal met is written, from x 240 (one line) or 250.
    RoundedRect(cr, kGoalPlaque.x, kGoalPlaque.y, kGoalPlaque.w, kGoalPlaque.h, 5);
    FillVertical(cr, kGoalPlaque.y, kGoalPlaque.y + kGoalPlaque.h, 0xf4d078, 0x6a4810);
    RoundedRect(cr, kGoalPlaque.x + 3, kGoalPlaque.y + 3, kGoalPlaque.w - 6, kGoalPlaque.h - 6, 3);
    SetColour(cr, 0x16100a);
    cairo_fill(cr);
}

void GameOver(Canvas& c) {
    cairo_t* cr = c.cr;
    PaintDawnSky(c, 0, 0, 640, 250, 500, 801);
    // Night has come: darken the dawn sky towards deep blue.
    cairo_rectangle(cr, 0, 0, 640, 480);
    SetColour(cr, 0x0a0c28, 0.62);
    cairo_fill(cr);
    PaintTreeline(c, 0, 640, 250, 30, 0x0e0c16, 802);
    PaintWater(c, 0, 640, 251, 480, 500, 803);
    cairo_rectangle(cr, 0, 251, 640, 229);
    SetColour(cr, 0x060818, 0.6);
    cairo_fill(cr);
    // A pale moon and its path on the water.
    cairo_pattern_t* p = cairo_pattern_create_radial(520, 90, 14, 520, 90, 70);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.9, 0.9, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.9, 0.9, 1, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 520, 90, 70, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    SetColour(cr, 0xf0eedc);
    cairo_arc(cr, 520, 90, 16, 0, 2 * M_PI);
    cairo_fill(cr);
    for (int i = 0; i < 30; i++) {
        double y = 262 + i * 7, w = 8 + i * 1.4;
        SetColour(cr, 0xd8d8f0, 0.25 * Hash01(i, 0, 804) + 0.05);
        cairo_rectangle(cr, 520 - w / 2 + (Hash01(i, 1, 804) - 0.5) * 10, y, w, 1.5);
        cairo_fill(cr);
    }
    PaintReeds(c, -20, 150, 486, 220, true, 805);
    PaintReeds(c, 500, 660, 486, 200, true, 806);
    for (int i = 0; i < 60; i++) {  // a few stars
        SetColour(cr, 0xfff8e0, 0.4 + 0.5 * Hash01(i, 2, 807));
        cairo_arc(cr, Hash01(i, 3, 807) * 640, Hash01(i, 4, 807) * 200, 0.9, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    CentredText(cr, "DejaVuSerif-Bold.ttf", 60, 320, 150, "GAME OVER", 0xe8d0a0, 0x000000);
    CentredText(cr, "DejaVuSerif-Italic.ttf", 17, 320, 190, "The marsh will wait for you.",
                0xc8c0d8, 0x000000);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    // The lit view button, cut from the cabinet painted with it lit.
    Canvas lit(640, 480);
    Payout(lit);
    WoodButton(lit, kView.x, kView.y, kView.w, kView.h, "View", true, 32);
    std::vector<Picture> payout = {ReelStrip(), Crop(lit, kView)};
    for (int kind = 0; kind < kCoinKinds; kind++) {
        payout.push_back(CoinPicture(kind));
    }
    payout.push_back(CoverPicture());
    std::vector<Picture> gameOver = {GameOverPicture(false), GameOverPicture(true)};
    bool ok = WritePaintedBackground(argv[1], "bkg_07.256", Payout) &&
              WritePaintedBackground(argv[1], "bkg_08.256", GameOver) &&
              WriteBank(OutPath(argv[1], "spr_07.256"), MasterPalette(), payout, true) &&
              WriteBank(OutPath(argv[1], "spr_08.256"), MasterPalette(), gameOver, true);
    return ok ? 0 : 1;
}
