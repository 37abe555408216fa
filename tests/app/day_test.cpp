// End to end on the generated data: the main screen and its clubs, the
// credits, the broke player, a whole hunt day, a bag and a shot without a
// licence, each played by the script runner.
#include <cstring>
#include <string>

#include "app/game_fixture.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"

namespace {

class DayTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        UseData(kDataRoot, "Debug=1\n");
    }
    // The saved roster with record 0 current, changed by `change` first.
    template <typename F>
    void SaveRoster(F change) {
        ResetRoster();
        change(roster[0]);
        SaveOptions();
    }
    // Record 0 of the roster the game saved.
    PlayerRecord Saved() {
        ResetRoster();
        EXPECT_EQ(LoadOptions(), 1u);
        return roster[0];
    }
    void Run(const char* script, const char* captures = ".") {
        fs::create_directories(captures);
        ASSERT_EQ(RunScript(Script(script), captures), 0) << ReadBytes("runner.out");
    }
};

TEST_F(DayTest, ClubFeeRefusalStoreRosterAndQuestionOnTheMainScreen) {
    Run("clubs_script.txt", "first");
    const PlayerRecord player = Saved();
    EXPECT_EQ(player.money, 5) << "$15 less the Green Club's $10";
    EXPECT_EQ(LogCount("DrawMainScreen()"), 3) << "again after the store";
    EXPECT_EQ(LogCount("there is no screen"), 0);
    EXPECT_EQ(LogCount("DrawWaterFowlScreen BEGIN"), 1);
    EXPECT_NE(ReadBytes("first/refused.png"), ReadBytes("first/main.png"));

    // The same script again shows the same pictures, the hunt's included.
    fs::remove("options.dat");
    Run("clubs_script.txt", "second");
    for (const char* snap : {"main", "refused", "hunt"}) {
        const std::string first = ReadBytes(std::string("first/") + snap + ".png");
        EXPECT_FALSE(first.empty()) << snap;
        EXPECT_EQ(first, ReadBytes(std::string("second/") + snap + ".png")) << snap;
    }
}

TEST_F(DayTest, QuittingRollsTheCreditsAndSaves) {
    Run("credits_script.txt");
    EXPECT_EQ(LogCount("GameExit"), 1);
    EXPECT_EQ(Saved().money, kNewGameMoney);
    const std::string credits = ReadBytes("credits.png");
    EXPECT_FALSE(credits.empty());
    EXPECT_NE(credits, ReadBytes("late.png")) << "the lines have moved up";
}

TEST_F(DayTest, ABrokePlayerStartsAgainUnderTheSameName) {
    SaveRoster([](PlayerRecord& r) {
        std::strcpy(r.name, "Broke");
        r.money = 3;
        r.volume = 40;
        r.musicOn = 0;  // six silent seconds of game over
        r.items[kItemShells] = 2;
        r.items[kItemLicence] = 1;
        r.goalBitsA = 0x0F0;
    });
    Run("broke_script.txt");
    const PlayerRecord player = Saved();
    EXPECT_EQ(PlayerName(player), "Broke");
    EXPECT_EQ(player.money, kNewGameMoney);
    EXPECT_EQ(player.volume, 40);
    EXPECT_EQ(player.musicOn, 1);
    EXPECT_EQ(player.items[kItemShells], kNewGameShells);
    EXPECT_EQ(player.items[kNewGameGun], 1);
    EXPECT_EQ(player.items[kItemLicence], 0);
    EXPECT_EQ(player.goalBitsA, 0);
    EXPECT_EQ(LogCount("DrawJailScreen()"), 1);
    EXPECT_EQ(LogCount("DoSheriffComment"), 0) << "no jail on the way to game over";
}

TEST_F(DayTest, AWholeDayWithoutAShotEndsOnTheMainScreen) {
    Run("day_script.txt");
    EXPECT_EQ(Saved().money, kNewGameMoney);
    EXPECT_EQ(Saved().items[kItemShells], kNewGameShells);
    EXPECT_EQ(LogCount("ShootGun"), 0);
    EXPECT_EQ(LogCount("DrawMainScreen()"), 2);
}

TEST_F(DayTest, ALicensedHunterBagsABird) {
    SaveRoster([](PlayerRecord& r) { r.items[kItemLicence] = 1; });
    Run("bag_script.txt");
    const PlayerRecord player = Saved();
    EXPECT_EQ(player.money, kNewGameMoney)
        << "a clean day, one bird short of any goal: nothing paid";
    EXPECT_EQ(player.items[kItemShells], kNewGameShells - 1);
    EXPECT_EQ(player.items[kItemLicence], 1);
    EXPECT_EQ(LogCount("ShootGun"), 1);
    EXPECT_GE(LogCount("Retriever"), 1) << "the dog went for the bird";
    EXPECT_EQ(LogCount("DoWilmaComment(1"), 0) << "nothing for the warden to say";
    EXPECT_EQ(LogCount("SwitchScreen( 7 )"), 1) << "the payout screen";
}

TEST_F(DayTest, AShotWithoutALicenceEndsInJailAndGameOver) {
    Run("licence_script.txt");
    EXPECT_EQ(LogCount("DoWilmaComment(15)"), 1);
    EXPECT_EQ(LogCount("SoundPlay( " + std::to_string(kFineDollarSound) + " )"), kNewGameMoney)
        << "the fine paid dollar by dollar, as far as the new game's money goes";
    EXPECT_EQ(LogCount("DoSheriffComment(21, 4, 325, 479)"), 1) << "jailed for the unpaid fine";
    EXPECT_EQ(LogCount("DrawJailScreen()"), 1);
    const PlayerRecord player = Saved();
    EXPECT_EQ(PlayerName(player), "Your Name");
    EXPECT_EQ(player.money, kNewGameMoney);
    EXPECT_EQ(player.items[kItemShells], kNewGameShells);
    EXPECT_EQ(player.items[kNewGameGun], 1);
}

}  // namespace
