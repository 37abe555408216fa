#pragma once
// The payout screen's and the game-over screen's pictures: the reel strip and
// its resting face (shared with bkg_07's reel windows), the coins, the picture
// that covers them, and the two game-over pictures drawn over bkg_08.
#include "canvas.h"

// The reel strip: nine pictures one under another. The game shows 95 rows of
// it and stops a reel 18 rows above a picture's top, so a picture's subject
// keeps to its top kReelFace rows; the rest is the seam between pictures.
constexpr int kReelW = 68;
constexpr int kReelPicture = 108;
constexpr int kReelPictures = 9;
constexpr int kReelFace = 89;
constexpr int kReelWindowH = 95;
// The window shows strip rows from 12 below the strip position: the resting
// face from row 12, a stopped picture from 6 rows above its top.
constexpr int kRestingShown = 12;
constexpr int kStoppedShown = -6;

// Paints picture k (0 the resting face, 1..8 the birds) with its top-left
// corner at (x, y), 68 by 108.
void PaintReelPicture(Canvas& c, double x, double y, int k);
Picture ReelStrip();

// The coins: the largest any place of the tray allows.
constexpr int kCoinMaxW = 146;
constexpr int kCoinMaxH = 69;
constexpr int kCoinKinds = 3;
Picture CoinPicture(int kind);

// Drawn at (144, 247) while the view button is down.
constexpr int kCoverMaxW = 352;
constexpr int kCoverMaxH = 172;
Picture CoverPicture();

// Drawn at (156, 320) on bkg_08: broke (out of money and shells) or jailed
// for unpaid fines.
constexpr int kGameOverMaxW = 484;
constexpr int kGameOverMaxH = 160;
Picture GameOverPicture(bool jailed);
