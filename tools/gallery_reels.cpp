// The payout reels: the strip whole, the eight reel windows stopped on each
// picture, the coins paid both ways over the tray, and the covering picture.
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/blit.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "gallery_sheet.h"
#include "platform/graphics.h"

namespace {

constexpr int kStripW = 68, kPicture = 108, kPictures = 9;
constexpr int kReelTop = 142, kWindowRows = 95;
constexpr int kTrayTop = 247;

int ReelX(int r) {
    return 15 + 78 * r;
}

// Stops reel r on picture k as the payout screen leaves it: strip rows from
// 12 below the last position, 18 short of the picture's top. Picture 0 is the
// resting face, which the background already shows.
void StopReel(const GraphicSlot& strip, int r, int k) {
    if (k == 0) {
        return;
    }
    int p = kPicture * k - 18;
    for (int row = 0; row < kWindowRows; row++) {
        std::memcpy(backPage->pixels + (kReelTop + row) * backPage->bytesPerLine + ReelX(r),
                    strip.data + (p + 12 + row) * strip.width, kStripW);
    }
}

// A coin of the three at (x, y), picked by a fixed sequence in place of the
// game's random one so that the sheet is always the same.
void PayCoin(int x, int y, int n) {
    BlitGraphic(kFirstCoin + (n * 7 + n / 3) % 3, x, y, backPage);
}

// The places of the payout screen's coins for a payout of `dollars`.
void PayCoins(int dollars) {
    constexpr std::array<int, 5> kRowLeft = {16, 30, 44, 30, 16};
    int n = 0;
    if (dollars == 100) {
        for (int i = 0; i < 10; i++) {
            for (int j = 0; j < 10; j++) {
                PayCoin(16 + 50 * j, 250 + 11 * i, n++);
            }
        }
        return;
    }
    for (int i = 0; i < dollars / 4; i++) {
        for (int j = 0; j < 4; j++) {
            PayCoin(kRowLeft[static_cast<size_t>(i)] + 150 * j, 250 + 25 * i, n++);
        }
    }
    if (dollars % 4 != 0) {
        PayCoin(166, 250 + 25 * (dollars / 4), n++);
        PayCoin(316, 250 + 25 * (dollars / 4), n);
    }
}

// Copies rows [top, top + rows) of the back page into the sheet at (x, y).
void PutPage(Sheet& sheet, int x, int y, int top, int rows) {
    Sheet page = PageSheet(backPage);
    for (int j = 0; j < rows; j++) {
        for (int i = 0; i < 640; i++) {
            const uint8_t* c = &page.rgb[(static_cast<size_t>(top + j) * 640 + i) * 3];
            sheet.Put(x + i, y + j, c[0], c[1], c[2]);
        }
    }
}

// The game-over screen with each of its two pictures, as the jail screen
// draws them; shown with the payout bank, whose tool makes both.
int WriteGameOverSheet(const std::string& out) {
    int count = LoadGraphics(kGameOverSlot, "spr_08");
    if (count != 2 || LoadBackground("bkg_08") == 0) {
        std::fprintf(stderr, "spr_08: not two pictures, or no bkg_08, to show\n");
        FreeGraphics(kGameOverSlot, count);
        return 1;
    }
    Sheet sheet{640 * 2 + 16, 480, {}};
    sheet.rgb.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 40);
    for (int g = 0; g < 2; g++) {
        CopyWorkPage();
        BlitGraphic(kGameOverSlot + g, 156, 320, backPage);
        PutPage(sheet, g * (640 + 16), 0, 0, 480);
    }
    FreeGraphics(kGameOverSlot, count);
    return WriteSheet(out, "spr_08_gameover", sheet);
}

}  // namespace

int WriteReelSheet(const std::string& out, int start) {
    const GraphicSlot& strip = Graphic[static_cast<size_t>(start)];
    if (strip.data == nullptr || strip.width != kStripW || strip.height != kPicture * kPictures ||
        LoadBackground("bkg_07") == 0) {
        std::fprintf(stderr, "spr_07: no strip of 68 x 972, or no bkg_07, to show\n");
        return 1;
    }
    // Left: the strip whole. Right: the reel windows on each picture, then
    // three whole screens: $20 on reels 8 1 2 3 4 5 6 7, the $100 pile under a
    // limit of four on reels 3 to 6, and the view button pressed.
    constexpr int kLeft = 96, kBand = 112, kBandTop = 134, kGap = 16;
    Sheet sheet{kLeft + 640 + 8, 8 + kPictures * (kBand + kGap) + 3 * (480 + kGap), {}};
    sheet.rgb.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 40);
    Bank bank = TakeSlots(start, 1);
    Blit(sheet, bank, bank.sprites[0], 20, 16);
    for (int k = 0; k < kPictures; k++) {
        Label(sheet, 6, 16 + k * kPicture + 40, std::to_string(k));
    }
    int y = 8;
    for (int k = 0; k < kPictures; k++) {
        CopyWorkPage();
        for (int r = 0; r < 8; r++) {
            StopReel(strip, r, k);
        }
        Label(sheet, kLeft, y, std::to_string(k));
        PutPage(sheet, kLeft, y + 12, kBandTop, kBand - 12);
        y += kBand + kGap;
    }
    struct Screen {
        std::array<int, 8> reels;
        int dollars;
        bool covered;
    };
    constexpr std::array<Screen, 3> kScreens = {{
        {{8, 1, 2, 3, 4, 5, 6, 7}, 20, false},
        {{0, 0, 8, 4, 4, 5, 0, 0}, 100, false},
        {{8, 8, 1, 1, 2, 2, 3, 3}, 12, true},
    }};
    for (const Screen& s : kScreens) {
        CopyWorkPage();
        for (int r = 0; r < 8; r++) {
            StopReel(strip, r, s.reels[static_cast<size_t>(r)]);
        }
        if (s.covered) {
            BlitGraphic(start + 1, 476, 67, backPage);  // the view button, lit
            BlitGraphic(kCoverPicture, 144, kTrayTop, backPage);
        } else {
            PayCoins(s.dollars);
        }
        PutPage(sheet, kLeft, y, 0, 480);
        y += 480 + kGap;
    }
    return WriteSheet(out, "spr_07_reels", sheet) + WriteGameOverSheet(out);
}
