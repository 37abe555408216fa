// The payout screen's bank and the game-over pictures fit where the screens
// draw them: the reel strip as the reels copy it, every coin at every place
// of every payout inside the area the screen repaints, the pictures of the
// game-over screen inside the screen.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/data_art.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "platform/graphics.h"
#include "screens/goals.h"

namespace {

constexpr int kViewLit = 32;  // the view button's lit picture
constexpr int kPictureRows = 108, kFaceRows = 89;
constexpr ScreenRect kRepainted = {0, 247, 640, 172};  // (0, 247) to (640, 419)

// Where the screen pays coins, for every payout it makes.
std::vector<CoinPlace> EveryCoinPlace() {
    std::vector<CoinPlace> places;
    std::array<CoinPlace, kMostCoins> coins{};
    for (int dollars : {1, 2, 4, 6, 8, 10, 12, 14, 16, 20, 100}) {
        places.insert(places.end(), coins.begin(), coins.begin() + CoinPlaces(dollars, &coins));
    }
    return places;
}

bool Inside(const GraphicSlot& g, CoinPlace at, ScreenRect area) {
    int x = at.x + g.xoff, y = at.y + g.yoff;
    return x >= area.x && y >= area.y && x + g.width <= area.x + area.w &&
           y + g.height <= area.y + area.h;
}

int Luminance(uint8_t index) {
    return (gamePalette[index].red * 3 + gamePalette[index].green * 6 + gamePalette[index].blue) /
           10;
}

}  // namespace

TEST_F(DataTest, PayoutBankFitsThePayoutScreen) {
    ASSERT_GE(LoadGraphics(kReelStrip, "spr_07"), 6);
    const GraphicSlot& strip = Graphic[kReelStrip];
    EXPECT_EQ(strip.width, 68);
    EXPECT_EQ(strip.height, 972);
    EXPECT_EQ(strip.xoff, 0);
    EXPECT_EQ(strip.yoff, 0);
    std::vector<uint8_t> rows = Pixels(kReelStrip);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), 0), 0) << "the reels copy the strip opaque";
    EXPECT_EQ(Graphic[kViewLit].width, 74);
    EXPECT_EQ(Graphic[kViewLit].height, 44);
    for (int coin = kFirstCoin; coin < kFirstCoin + 3; coin++) {
        const GraphicSlot& g = Graphic[static_cast<size_t>(coin)];
        SCOPED_TRACE("coin " + std::to_string(coin));
        EXPECT_LE(g.width, 146);
        EXPECT_LE(g.height, 69);
        for (CoinPlace at : EveryCoinPlace()) {
            ASSERT_TRUE(Inside(g, at, kRepainted)) << "at " << at.x << ", " << at.y;
        }
    }
    EXPECT_LE(Graphic[kCoverPicture].width, 352);
    EXPECT_LE(Graphic[kCoverPicture].height, 172);
    EXPECT_TRUE(Inside(Graphic[kCoverPicture], {144, 247}, kRepainted));
}

TEST_F(DataTest, ReelPicturesKeepTheirSubjectAboveTheSeam) {
    ASSERT_GE(LoadGraphics(kReelStrip, "spr_07"), 6);
    std::vector<uint8_t> strip = Pixels(kReelStrip);
    ASSERT_EQ(strip.size(), 68u * 972u);
    auto rows = [&](int picture, int from, int to) {
        return std::vector<uint8_t>(strip.begin() + (picture * kPictureRows + from) * 68,
                                    strip.begin() + (picture * kPictureRows + to) * 68);
    };
    // The resting face's seam has nothing on it but the reel; every other
    // picture's seam is the same, so nothing of a bird spills into it.
    std::vector<uint8_t> seam = rows(0, kFaceRows, kPictureRows);
    for (int k = 1; k < 9; k++) {
        SCOPED_TRACE("picture " + std::to_string(k));
        EXPECT_EQ(rows(k, kFaceRows, kPictureRows), seam);
        for (int other = 0; other < k; other++) {
            EXPECT_NE(rows(k, 0, kFaceRows), rows(other, 0, kFaceRows)) << "as picture " << other;
        }
    }
    // The background's reel windows show the resting face as a stopped reel
    // does: from 6 rows above the picture's top. Dithered apart, so compared
    // by brightness.
    std::vector<uint8_t> page = Background("bkg_07");
    ASSERT_FALSE(page.empty());
    for (int r = 0; r < 8; r++) {
        long difference = 0;
        for (int y = 0; y < kFaceRows; y++) {
            for (int x = 0; x < 68; x++) {
                uint8_t window = page[(148 + y) * 640 + 15 + 78 * r + x];
                difference += std::abs(Luminance(window) - Luminance(strip[y * 68 + x]));
            }
        }
        EXPECT_LT(difference, 6 * 68 * kFaceRows) << "reel " << r;
    }
}

TEST_F(DataTest, GameOverPicturesFitUnderTheTitle) {
    ASSERT_EQ(LoadGraphics(kGameOverSlot, "spr_08"), 2);
    for (int slot : {kGameOverSlot, kGameOverSlot + 1}) {
        const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_LE(g.width, 484);
        EXPECT_LE(g.height, 160);
        EXPECT_TRUE(Inside(g, {156, 320}, {0, 0, 640, 480}));
    }
    EXPECT_NE(Pixels(kGameOverSlot), Pixels(kGameOverSlot + 1));
}
