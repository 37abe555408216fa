// The goal table: which goal a day's bag meets, what it pays, its text and
// where the reels stop; and where the coins of each payout go.
#include "screens/goals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Tally order: hen Mallard, Pintail, Redhead, Canvasback, then the drakes.
using Kills = std::array<int32_t, 8>;
using Pictures = std::array<int32_t, kReelCount>;

struct Case {
    const char* what;
    Kills kills;
    int32_t bagged, limit;
    int32_t payout;
    const char* line1;
    const char* line2;
    Pictures pictures;  // 0: the reel stands still
};

const Case kCases[] = {
    {"six of every kind",
     {6, 6, 6, 6, 6, 6, 6, 6},
     48,
     50,
     100,
     "6 drakes & 6 hens of",
     "every species. $100",
     {8, 1, 2, 3, 4, 5, 6, 7}},
    {"one of each kind beats one hen and one drake of each",
     {1, 1, 1, 1, 1, 1, 1, 1},
     8,
     8,
     20,
     "Drake & hen of",
     "every species. $20",
     {8, 1, 2, 3, 4, 5, 6, 7}},
    {"eight drake mallards",
     {0, 0, 0, 0, 8, 0, 0, 0},
     8,
     50,
     16,
     "8 drakes any one species. $16",
     " ",
     {4, 4, 4, 4, 4, 4, 4, 4}},
    {"eight drake canvasbacks",
     {0, 0, 0, 0, 0, 0, 0, 8},
     8,
     50,
     16,
     "8 drakes any one species. $16",
     " ",
     {7, 7, 7, 7, 7, 7, 7, 7}},
    {"nine drake mallards fall through to six",
     {0, 0, 0, 0, 9, 0, 0, 0},
     9,
     50,
     8,
     "6 drakes of any one species. $8",
     " ",
     {0, 4, 4, 4, 4, 4, 4, 0}},
    {"four and four mallards beat goals 10 and 11",
     {4, 0, 0, 0, 4, 0, 0, 0},
     8,
     8,
     14,
     "4 drakes & 4 hens",
     "of any 1 species. $14",
     {4, 4, 4, 4, 8, 8, 8, 8}},
    {"four and four pintails",
     {0, 4, 0, 0, 0, 4, 0, 0},
     8,
     8,
     14,
     "4 drakes & 4 hens",
     "of any 1 species. $14",
     {5, 5, 5, 5, 1, 1, 1, 1}},
    {"five drakes and four hens are not four and four",
     {4, 0, 0, 0, 5, 0, 0, 0},
     9,
     50,
     2,
     "4 drakes any one species. $2",
     " ",
     {0, 0, 4, 4, 4, 4, 0, 0}},
    {"two hens of each, tested before two drakes of each",
     {2, 2, 2, 2, 2, 2, 2, 2},
     16,
     50,
     12,
     "2 hens of each species. $12",
     " ",
     {8, 8, 1, 1, 2, 2, 3, 3}},
    {"two drakes of each",
     {0, 0, 0, 0, 2, 2, 2, 2},
     8,
     8,
     10,
     "2 drakes of each species. $10",
     " ",
     {4, 4, 5, 5, 6, 6, 7, 7}},
    {"three hens of each are not two",
     {3, 3, 3, 3, 0, 0, 0, 0},
     12,
     50,
     6,
     "1 hen of each species. $6",
     " ",
     {0, 0, 8, 1, 2, 3, 0, 0}},
    {"six drake redheads",
     {0, 0, 0, 0, 0, 0, 6, 0},
     6,
     6,
     8,
     "6 drakes of any one species. $8",
     " ",
     {0, 6, 6, 6, 6, 6, 6, 0}},
    {"one drake of each",
     {0, 0, 0, 0, 1, 1, 1, 1},
     4,
     4,
     4,
     "1 drake of each species. $4",
     " ",
     {0, 0, 4, 5, 6, 7, 0, 0}},
    {"four drake canvasbacks",
     {0, 0, 0, 0, 0, 0, 0, 4},
     4,
     6,
     2,
     "4 drakes any one species. $2",
     " ",
     {0, 0, 7, 7, 7, 7, 0, 0}},
    {"four mixed at the limit: reels 3 to 6 in tally order",
     {1, 1, 0, 0, 1, 0, 1, 0},
     4,
     4,
     1,
     "Any legal limit. $1",
     " ",
     {0, 0, 8, 1, 4, 6, 0, 0}},
    {"three at the limit",
     {0, 0, 1, 0, 0, 2, 0, 0},
     3,
     3,
     1,
     "Any legal limit. $1",
     " ",
     {0, 0, 2, 5, 5, 0, 0, 0}},
    {"eight at the limit fill every reel",
     {1, 1, 1, 0, 1, 3, 1, 0},
     8,
     8,
     1,
     "Any legal limit. $1",
     " ",
     {8, 1, 2, 4, 5, 5, 5, 6}},
    {"more birds than reels: from reel 1, stopping after reel 8",
     {0, 0, 12, 0, 1, 0, 0, 0},
     13,
     13,
     1,
     "Any legal limit. $1",
     " ",
     {2, 2, 2, 2, 2, 2, 2, 2}},
    {"short of the limit", {1, 1, 0, 0, 1, 0, 0, 0}, 3, 4, 0, " ", " ", {}},
    {"nothing bagged at a limit of nothing", {}, 0, 0, 0, " ", " ", {}},
};

}  // namespace

TEST(BagGoals, EachBagMeetsTheFirstGoalThatHolds) {
    for (const Case& c : kCases) {
        const BagGoal goal = ScoreBag(c.kills, c.bagged, c.limit);
        EXPECT_EQ(goal.payout, c.payout) << c.what;
        EXPECT_EQ(std::string(goal.line1), c.line1) << c.what;
        EXPECT_EQ(std::string(goal.line2), c.line2) << c.what;
        for (int r = 0; r < kReelCount; ++r) {
            EXPECT_EQ(goal.reels[r], kReelPicture * c.pictures[r]) << c.what << ", reel " << r + 1;
        }
    }
}

TEST(BagGoals, EveryPayoutHasOneCoinPerDollarInItsRows) {
    std::array<CoinPlace, kMostCoins> places{};
    for (int32_t payout : {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 20, 100}) {
        EXPECT_EQ(CoinPlaces(payout, &places), payout) << payout;
    }
    ASSERT_EQ(CoinPlaces(14, &places), 14);
    EXPECT_EQ(places[4].x, 30) << "the second row starts further in";
    EXPECT_EQ(places[4].y, 275);
    EXPECT_EQ(places[12].x, 166) << "the pair below three rows";
    EXPECT_EQ(places[13].x, 316);
    EXPECT_EQ(places[13].y, 325);
    ASSERT_EQ(CoinPlaces(100, &places), 100);
    EXPECT_EQ(places[99].x, 16 + 450);
    EXPECT_EQ(places[99].y, 250 + 99);
    ASSERT_EQ(CoinPlaces(1, &places), 1);
    EXPECT_EQ(places[0].x, 241);
}
