// End to end on the generated data: the main screen and its clubs, the
// credits, the broke player, a whole hunt day, a bag and a shot without a
// licence, each played by the script runner.
#include <cstring>
#include <string>
#include <utility>

#include "app/game_fixture.h"
#include "hunt/panel.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "support/snap_pixels.h"

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
    EXPECT_TRUE(ReadBytes("first/unasked.png") == ReadBytes("first/asking.png"))
        << "the question's box is gone with the debug options over it";

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

TEST_F(DayTest, TheShellBoxAndTheClockShowTheirNewValuesWithThePointerOverThem) {
    Run("counters_script.txt", "over");
    // The same game with the pointer kept off the count and the clock.
    std::string away = ReadBytes(Script("counters_script.txt"));
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"click 600 445", "click 535 445"},
          {"move 112 440", "move 300 200"}}) {
        const size_t at = away.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        away.replace(at, from.size(), to);
    }
    WriteBytes("away.txt", away);
    fs::create_directories("away");
    ASSERT_EQ(RunScript("away.txt", "away"), 0) << ReadBytes("runner.out");

    const auto snap = [](const std::string& name) { return SnapRgb(ReadBytes(name + ".png")); };
    EXPECT_GT(SnapDiffer(snap("over/full"), snap("away/box"), kBoxX, kBoxY, kBoxW, kBoxH), 0)
        << "25, then 24";
    EXPECT_EQ(SnapDiffer(snap("over/box"), snap("away/box"), kBoxX, kBoxY, kBoxW, kBoxH), 0)
        << "24 with no digit of 25 where the pointer was";
    EXPECT_EQ(
        SnapDiffer(snap("over/clock"), snap("away/clock"), kClockX, kClockY, kClockW, kClockH), 0)
        << "the hands of 6:20 alone";
}

TEST_F(DayTest, EveryScreenAndOverlayComesBackAsItWasWhenTheFocusReturns) {
    UseData(kDataRoot);  // without Debug: its status line is drawn on the display alone
    SaveRoster([](PlayerRecord& r) { r.items[kItemLicence] = 1; });
    Run("focus_script.txt", "snaps");
    // Jail and game over play inside the switch, where the script does not run.
    for (const char* name : {"roster", "question", "main", "store", "hunt", "regulations",
                             "pictures", "bag", "payout"}) {
        const std::string before = ReadBytes(std::string("snaps/") + name + "_before.png");
        EXPECT_FALSE(before.empty()) << name;
        EXPECT_TRUE(before == ReadBytes(std::string("snaps/") + name + "_after.png")) << name;
    }
}

TEST_F(DayTest, AMissingTuneIsLoggedOncePerRun) {
    UseData(DataWithout("mainmenu.16b"));
    // The roster asks for its tune when it is drawn and when the focus returns.
    WriteBytes("roster.txt",
               "until screen 0\nclick 40 450\nuntil screen 1\nwait 200\nclick 560 433\n"
               "until screen 0 2000\nclick 40 450\nuntil screen 1 2000\nwait 200\n"
               "click 560 433\nuntil screen 0 2000\nfocus lost\nwait 50\nfocus gained\n"
               "wait 200\nexpect screen 0\nclose\n");
    ASSERT_EQ(RunScript("roster.txt", "."), 0) << ReadBytes("runner.out");
    EXPECT_EQ(LogCount("unable to load mainmenu"), 1) << LogText();
}

}  // namespace
