// The store and a day paid on the payout screen, played end to end by the
// script runner from the roster and the main screen; options.dat is read back
// after `close`.
#include <cstring>
#include <string>
#include <vector>

#include "app/game_fixture.h"
#include "shell/options.h"
#include "support/snap_pixels.h"

namespace {

TEST_F(GameTest, StoreScriptBuysRefusesAndKeepsWhatWasBought) {
    UseData(kDataRoot);
    ResetRoster();
    roster[0].money = 5;
    roster[0].items[kItemShells] = 999;
    roster[1] = FreshPlayerRecord(true);
    std::strcpy(roster[1].name, "Second");
    roster[1].money = 50;
    roster[1].items[kItemShells] = 1000;
    SaveOptions();
    const std::string script =
        std::string(REEDGUNNER_TEST_SOURCE_DIR) + "/screens/store_script.txt";
    ASSERT_EQ(RunScript(script, "."), 0) << ReadBytes("runner.out");

    ResetRoster();
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(roster[0].items[kItemDecoys], 1) << "bought with exactly $5";
    EXPECT_EQ(roster[0].items[kItemShells], 1024) << "999 and a box, then refused";
    EXPECT_EQ(roster[0].money, 95) << "0 after the decoys, nothing from the chord at (1, 0), "
                                      "100 from the one at (0, 0), less $5";
    EXPECT_EQ(roster[1].items[kItemShells], 1000);
    EXPECT_EQ(roster[1].money, 50);

    // The board shows the decoys; the money box changed; the licence's place did not.
    const std::vector<uint8_t> before = SnapRgb(ReadBytes("store.png"));
    const std::vector<uint8_t> after = SnapRgb(ReadBytes("decoys.png"));
    ASSERT_EQ(before.size(), 640u * 480 * 3);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_GT(SnapDiffer(before, after, 412, 230, 90, 40), 200);
    EXPECT_GT(SnapDiffer(before, after, 190, 437, 40, 20), 0);
    EXPECT_EQ(SnapDiffer(before, after, 513, 180, 100, 40), 0);
}

TEST_F(GameTest, AHuntAtTheLimitIsPaidOnThePayoutScreen) {
    UseData(kDataRoot);
    ResetRoster();
    roster[0].items[kItemLicence] = 1;
    SaveOptions();
    const std::string script = std::string(REEDGUNNER_TEST_SOURCE_DIR) + "/screens/goal_script.txt";
    ASSERT_EQ(RunScript(script, "."), 0) << ReadBytes("runner.out");
    ResetRoster();
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(roster[0].money, kNewGameMoney + 1) << "the new game's money and the limit's $1";
    EXPECT_EQ(roster[0].items[kItemShells], kNewGameShells - 4) << "a shell a bird";
}

}  // namespace
