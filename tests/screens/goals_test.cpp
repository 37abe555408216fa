// The goal table: which goal a day's bag meets, what it pays, its text and
// where the reels stop; and one coin for every dollar paid.
#include "screens/goals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Kills in tally order (hen Mallard, Pintail, Redhead, Canvasback, then the
// drakes) and the picture each reel stops on (0: it stands still), one base-36
// digit each.
struct Case {
    const char* what;
    const char* kills;
    int32_t limit;
    int32_t payout;
    const char* line1;
    const char* line2;
    const char* pictures;
};

const Case kCases[] = {
    {"six of every kind", "66666666", 50, 100, "6 drakes & 6 hens of", "every species. $100",
     "81234567"},
    {"one of each kind beats one hen and one drake of each", "11111111", 8, 20, "Drake & hen of",
     "every species. $20", "81234567"},
    {"eight drake mallards", "00008000", 50, 16, "8 drakes any one species. $16", " ", "44444444"},
    {"eight drake canvasbacks", "00000008", 50, 16, "8 drakes any one species. $16", " ",
     "77777777"},
    {"nine drake mallards fall through to six", "00009000", 50, 8,
     "6 drakes of any one species. $8", " ", "04444440"},
    {"four and four mallards beat goals 10 and 11", "40004000", 8, 14, "4 drakes & 4 hens",
     "of any 1 species. $14", "44448888"},
    {"four and four pintails", "04000400", 8, 14, "4 drakes & 4 hens", "of any 1 species. $14",
     "55551111"},
    {"five drakes and four hens are not four and four", "40005000", 50, 2,
     "4 drakes any one species. $2", " ", "00444400"},
    {"two hens of each, tested before two drakes of each", "22222222", 50, 12,
     "2 hens of each species. $12", " ", "88112233"},
    {"two drakes of each", "00002222", 8, 10, "2 drakes of each species. $10", " ", "44556677"},
    {"three hens of each are not two", "33330000", 50, 6, "1 hen of each species. $6", " ",
     "00812300"},
    {"six drake redheads", "00000060", 6, 8, "6 drakes of any one species. $8", " ", "06666660"},
    {"one drake of each", "00001111", 4, 4, "1 drake of each species. $4", " ", "00456700"},
    {"four drake canvasbacks", "00000004", 6, 2, "4 drakes any one species. $2", " ", "00777700"},
    {"four mixed at the limit: reels 3 to 6 in tally order", "11001010", 4, 1,
     "Any legal limit. $1", " ", "00814600"},
    {"three at the limit", "00100200", 3, 1, "Any legal limit. $1", " ", "00255000"},
    {"eight at the limit fill every reel", "11101310", 8, 1, "Any legal limit. $1", " ",
     "81245556"},
    {"more birds than reels: from reel 1, stopping after reel 8", "00c01000", 13, 1,
     "Any legal limit. $1", " ", "22222222"},
    {"short of the limit", "11001000", 4, 0, " ", " ", "00000000"},
    {"nothing bagged at a limit of nothing", "00000000", 0, 0, " ", " ", "00000000"},
};

int32_t Digit(char c) {
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

}  // namespace

TEST(BagGoals, EachBagMeetsTheFirstGoalThatHolds) {
    for (const Case& c : kCases) {
        std::array<int32_t, 8> kills{};
        int32_t bagged = 0;
        for (int i = 0; i < 8; ++i) {
            kills[static_cast<size_t>(i)] = Digit(c.kills[i]);
            bagged += kills[static_cast<size_t>(i)];
        }
        const BagGoal goal = ScoreBag(kills, bagged, c.limit);
        EXPECT_EQ(goal.payout, c.payout) << c.what;
        EXPECT_EQ(std::string(goal.line1), c.line1) << c.what;
        EXPECT_EQ(std::string(goal.line2), c.line2) << c.what;
        for (int r = 0; r < kReelCount; ++r) {
            EXPECT_EQ(goal.reels[r], kReelPicture * Digit(c.pictures[r]))
                << c.what << ", reel " << r + 1;
        }
    }
}

TEST(BagGoals, EveryPayoutHasOneCoinPerDollar) {
    std::array<CoinPlace, kMostCoins> places{};
    for (int32_t payout : {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 20, 100}) {
        EXPECT_EQ(CoinPlaces(payout, &places), payout) << payout;
    }
}
