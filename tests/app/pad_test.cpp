// The game played with a pad alone, through the script runner's virtual pad.
#include <string>

#include "app/game_fixture.h"
#include "shell/options.h"

namespace {

class PadGameTest : public GameTest {
protected:
    PlayerRecord SavedCurrent() {
        ResetRoster();
        EXPECT_EQ(LoadOptions(), 1u);
        return roster[currentPlayer];
    }
};

TEST_F(PadGameTest, ANewGameTheStoreAClubAndAHitWithThePadAlone) {
    UseData(kDataRoot, "Debug=1\n");
    ASSERT_EQ(RunScript(Script("pad_script.txt"), "."), 0) << ReadBytes("runner.out");
    const PlayerRecord player = SavedCurrent();
    EXPECT_EQ(PlayerName(player), "Cy ") << "typed with the D-pad";
    EXPECT_EQ(player.items[kItemLicence], 1) << "bought in the store";
    EXPECT_EQ(player.money, kNewGameMoney - 5);
    EXPECT_EQ(player.items[kItemShells], kNewGameShells - 1);
    EXPECT_EQ(LogCount("ShootGun"), 1);
    EXPECT_GE(LogCount("Retriever"), 1) << "the bird was hit and fetched";
    EXPECT_EQ(LogCount("PauseHunt"), 1) << "Start is Escape, which pauses the hunt";
    EXPECT_EQ(LogCount("SwitchScreen( 7 )"), 1) << "the payout";
    EXPECT_EQ(LogCount("SwitchScreen( 1 )"), 3);
    EXPECT_NE(ReadBytes("grounds.png"), ReadBytes("typed.png"));
}

TEST_F(PadGameTest, GamepadZeroLeavesThePadUnread) {
    UseData(kDataRoot, "Gamepad=0\n");
    // The first stick move never arrives: the script gives up on it.
    EXPECT_EQ(RunScript(Script("pad_script.txt"), "."), 1);
    EXPECT_NE(ReadBytes("runner.out").find("pad: the pointer stayed at 320,240"), std::string::npos)
        << ReadBytes("runner.out");
}

}  // namespace
