// The whole game: start-up failures in process, and scripted runs of the real
// screens through the script runner on the generated data.
#include "app/game.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/game_fixture.h"
#include "drivers/script.h"
#include "engine/config.h"
#include "engine/log.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "shell/options.h"
#include "shell/screens.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

TEST_F(GameTest, MissingFontsOrIconsEndWithCodeOneAndLeaveTheRosterFile) {
    for (const char* missing : {"fonts.dat", "icons.256"}) {
        fs::remove_all(fs::path(dir) / "partial");
        UseData(DataWithout(missing));
        WriteBytes("options.dat", sentinel);
        EXPECT_EQ(RunGame(), 1) << missing;
        EXPECT_EQ(ReadBytes("options.dat"), sentinel) << missing;
        EXPECT_NE(LogText().find("ERROR"), std::string::npos) << missing;
        GDL_reset();
        LogReset();
    }
}

TEST_F(GameTest, NoSuitableDisplayEndsWithCodeOne) {
    UseData(kDataRoot);
    WriteBytes("options.dat", sentinel);
    GDL_setHeadlessDesktop(320, 200);
    EXPECT_EQ(RunGame(), 1);
    EXPECT_EQ(ReadBytes("options.dat"), sentinel);
    EXPECT_NE(LogText().find("ERROR: video mode not available"), std::string::npos);
}

// While the title is up: when the display first and last showed the version
// text in white in its lower right corner.
uint32_t versionFirstSeen = 0;
uint32_t versionLastSeen = 0;

void WatchVersion(uint32_t now) {
    if (displaySurface == nullptr) {
        return;
    }
    int white = 0;
    for (int y = 458; y < 480; ++y) {
        for (int x = 598; x < 640; ++x) {
            white += displaySurface->pixels[y * displaySurface->bytesPerLine + x] == 255;
        }
    }
    if (white > 10) {
        versionFirstSeen = versionFirstSeen == 0 ? now : versionFirstSeen;
        versionLastSeen = now;
    }
}

TEST_F(GameTest, TitleWithItsVersionStaysTwoSecondsBeforeTheRoster) {
    UseData(kDataRoot);
    CheckRegistry();
    ASSERT_EQ(GraphicsInit(), 1u);
    SoundInit();
    versionFirstSeen = versionLastSeen = 0;
    SysSetClockListener(WatchVersion);
    ASSERT_EQ(GameInit(), 1u);
    SysSetClockListener(nullptr);
    EXPECT_NE(versionFirstSeen, 0u) << "\"1.01\" was shown";
    EXPECT_GT(versionLastSeen - versionFirstSeen, 2000u);
    EXPECT_EQ(currentScreen, 0u);
    GameExit();
    SoundExit();
}

PlayerRecord Made(const char* name, int8_t volume, uint8_t musicOn) {
    PlayerRecord record{};
    std::strcpy(record.name, name);
    record.money = kNewGameMoney;
    record.musicOn = musicOn;
    record.volume = volume;
    record.items[kItemShells] = kNewGameShells;
    record.items[kNewGameGun] = 1;
    return record;
}

TEST_F(GameTest, RosterScriptEndsWithTheExpectedSavedGames) {
    UseData(kDataRoot);
    const std::string script = std::string(REEDGUNNER_TEST_SOURCE_DIR) + "/app/roster_script.txt";
    fs::create_directories("first");
    fs::create_directories("second");
    ASSERT_EQ(RunScript(script, "first"), 0) << ReadBytes("runner.out");

    // Ann deleted; Bob moved up to slot 1 (volume dragged to 0); Cy, Di and Ed
    // made after; Ed's music off; Cy current, dragged to 50 then past 100.
    std::string expected(877, '\0');
    std::memcpy(expected.data(), "Talmadge Reed Gunner Options", 28);
    expected[31] = '\x1A';
    expected[32] = static_cast<char>(4176 & 0xFF);
    expected[33] = static_cast<char>(4176 >> 8);
    expected[36] = 2;
    const PlayerRecord records[kRosterSize] = {
        FreshPlayerRecord(true),  Made("Bob ", 0, 1),       Made("Cy ", 100, 1),
        Made("Di ", 100, 1),      Made("Ed ", 100, 0),      FreshPlayerRecord(false),
        FreshPlayerRecord(false), FreshPlayerRecord(false), FreshPlayerRecord(false),
        FreshPlayerRecord(false),
    };
    for (int i = 0; i < kRosterSize; ++i) {
        EncodePlayerRecord(records[i], reinterpret_cast<uint8_t*>(expected.data()) + 37 + 84 * i);
    }
    EXPECT_EQ(ReadBytes("options.dat"), expected);

    // The same input again, from the same start, shows the same pictures.
    fs::remove("options.dat");
    ASSERT_EQ(RunScript(script, "second"), 0) << ReadBytes("runner.out");
    for (const char* snap : {"fresh", "question", "deleted", "noroom", "final"}) {
        const std::string first = ReadBytes(std::string("first/") + snap + ".png");
        EXPECT_FALSE(first.empty()) << snap;
        EXPECT_EQ(first, ReadBytes(std::string("second/") + snap + ".png")) << snap;
    }
    EXPECT_NE(ReadBytes("first/question.png"), ReadBytes("first/fresh.png"));
}

TEST_F(GameTest, ClosingTheWindowInADialogOrAsANameIsTypedSavesTheRoster) {
    UseData(kDataRoot);
    // Ada is made and current; the window is closed while the delete question is up.
    WriteBytes("close.txt",
               "until screen 0\nclick 350 365\nwait 100\ntype Ada\nkey Enter\nwait 100\n"
               "click 520 365\nwait 200\nclose\n");
    ASSERT_EQ(RunScript("close.txt", "."), 0) << ReadBytes("runner.out");
    ResetRoster();
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(PlayerName(roster[1]), "Ada ");
    EXPECT_EQ(currentPlayer, 1u);
    const std::string withAda = ReadBytes("options.dat");

    // A new game given up, by Escape or by closing the window as its name is
    // typed, leaves the roster as it was, byte for byte: no half-made game.
    for (const char* ending : {"key Escape\nwait 100\nclose\n", "close\n"}) {
        WriteBytes("typing.txt",
                   std::string("until screen 0\nclick 350 365\nwait 100\ntype Zed\n") + ending);
        ASSERT_EQ(RunScript("typing.txt", "."), 0) << ReadBytes("runner.out");
        EXPECT_TRUE(ReadBytes("options.dat") == withAda) << "after " << ending;
    }

    // Enter on the blank name keeps the entry open: the name typed next is the game's.
    WriteBytes("blank.txt",
               "until screen 0\nclick 350 365\nwait 100\nkey Enter\nwait 100\nkey Enter\n"
               "wait 100\ntype Zed\nkey Enter\nwait 100\nclose\n");
    ASSERT_EQ(RunScript("blank.txt", "."), 0) << ReadBytes("runner.out");
    ResetRoster();
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(PlayerName(roster[1]), "Ada ");
    EXPECT_EQ(PlayerName(roster[2]), "Zed ");
    EXPECT_EQ(currentPlayer, 2u);
    EXPECT_EQ(roster[2].money, kNewGameMoney);
    EXPECT_EQ(roster[2].items[kItemShells], kNewGameShells);
    EXPECT_EQ(roster[2].items[kNewGameGun], 1);
    EXPECT_TRUE(IsFreeRecord(roster[3])) << "no game named blank beside it";
}

// Event calls (each one pumps) while the main loop runs.
uint32_t pumps = 0;
void CountPump() {
    ++pumps;
}

TEST_F(GameTest, TheMainLoopRestsUntilTheNextThingIsDue) {
    UseData(kDataRoot);
    CheckRegistry();
    ASSERT_EQ(GraphicsInit(), 1u);
    SoundInit();
    ASSERT_EQ(GameInit(), 1u);
    // The script's end closes the window; here that only ends the loop.
    GDL_setQuitHandler([] { quitGame = 1; });
    std::vector<ScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(ParseScript("wait 331000\nclick 10 10\nwait 331000\n", &commands, &error));
    StartScriptRunner(commands, "");
    pumps = 0;
    SysAddPumpListener(CountPump);
    const uint32_t start = SysPeekMilliseconds();
    MainLoop();
    SysRemovePumpListener(CountPump);
    StopScriptRunner();
    EXPECT_GE(SysPeekMilliseconds() - start, 662000u) << "a hunt day's time, twice";
    EXPECT_LT(pumps, 20000u) << "the roster waited for input without spinning";
    EXPECT_EQ(currentScreen, 0u);
    GameExit();
    SoundExit();
    ResetScreens();
}

TEST_F(GameTest, ScriptRunnerReportsItsFailures) {
    UseData(kDataRoot);
    WriteBytes("bad.txt", "until screen 0\nexpect screen 3\n");
    EXPECT_EQ(RunScript("bad.txt", "."), 1);
    EXPECT_NE(ReadBytes("runner.out").find("line 2"), std::string::npos) << ReadBytes("runner.out");
    WriteBytes("garbled.txt", "wait soon\n");
    EXPECT_EQ(RunScript("garbled.txt", "."), 1);
    EXPECT_NE(ReadBytes("runner.out").find("line 1"), std::string::npos);
    WriteBytes("focus.txt", "focus away\n");
    EXPECT_EQ(RunScript("focus.txt", "."), 1);
    EXPECT_NE(ReadBytes("runner.out").find("line 1"), std::string::npos);
    WriteBytes("slow.txt", "until screen 1 500\n");
    EXPECT_EQ(RunScript("slow.txt", "."), 1) << "the roster never leads to the main screen here";
}

}  // namespace
