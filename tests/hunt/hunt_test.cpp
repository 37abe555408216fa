// The hunt screen on small banks: entry and exit, the frame's dirty areas,
// clicks, shells, the retriever, the clock, decoys and icons.
#include "hunt/hunt.h"

#include <string>
#include <vector>

#include "drivers/script.h"
#include "engine/graphic_slots.h"
#include "engine/log.h"
#include "gdl/gdl_host.h"
#include "hunt/gun.h"
#include "hunt/panel.h"
#include "hunt_fixture.h"
#include "shell/options.h"
#include "support/scripted_input.h"
#include "sys/backend.h"

namespace {

bool Inside(int x, int y, int rx, int ry, int rw, int rh) {
    return x >= rx && x < rx + rw && y >= ry && y < ry + rh;
}

TEST_F(HuntTest, EntryStartsTheClubsDayAndLeavingPutsShellsBackAndFreesWhatWasLoaded) {
    // A partner bank of 12 graphics: all of them go again, not just the nine it should hold.
    std::vector<test_banks::Picture> partner(12, Square(8, 90));
    WriteBytes("char04.256", test_banks::Bank(partner, false));
    hunt.lastMinuteTime = TimerCount();
    Enter(0);
    ASSERT_EQ(currentScreen, static_cast<uint32_t>(kScreenHunt));
    EXPECT_EQ(hunt.hour * 100 + hunt.minute, 540);
    EXPECT_EQ(hunt.endMinute, 1120);
    EXPECT_EQ(hunt.bagLimit, 4);
    EXPECT_EQ(cursorInBackPage, 1);
    EXPECT_EQ(hunt.currentGun, 0) << "the fresh player's gun";
    EXPECT_EQ(workPage->pixels[10 * workPage->bytesPerLine + 10], ScenePixel(10, 10));
    ASSERT_NE(Graphic[kPartnerSlot + 11].data, nullptr);

    // One shell into the gun, then quit: it goes back into the box.
    action = kActionLeftPress;
    LoadShell(7);
    EXPECT_EQ(hunt.loadedShells, 1);
    EXPECT_EQ(player->items[kItemShells], kNewGameShells - 1);
    action = kActionLeftPress;
    LoadShell(7);
    EXPECT_EQ(hunt.loadedShells, 1) << "gun 0 holds one";
    QuitHunt(0);
    EXPECT_NE(currentScreen, static_cast<uint32_t>(kScreenHunt));
    EXPECT_EQ(player->items[kItemShells], kNewGameShells);
    EXPECT_EQ(player->money, kNewGameMoney);
    EXPECT_EQ(cursorInBackPage, 0);
    for (int slot :
         {kSceneSlot, kDecoyMapSlot, kDepthMapSlot, kPartnerSlot, kPartnerSlot + 8,
          kPartnerSlot + 9, kPartnerSlot + 11, kSpriteSlot, kSpriteSlot + kSpriteGraphics - 1}) {
        EXPECT_EQ(Graphic[static_cast<size_t>(slot)].data, nullptr) << "slot " << slot;
    }
}

TEST_F(HuntTest, AFrameWithoutAStepTouchesOnlyPointerIconsCountersAndClock) {
    Enter(0);
    for (int i = 0; i < 5; ++i) {
        StepFrame();
    }
    // The pages below the display now differ from it everywhere: any stray
    // copy would show.
    FillPattern(workPage, 77);
    FillPattern(backPage, 78);
    const int oldX = pointerX, oldY = pointerY;
    const std::vector<uint8_t> before = Snapshot(displaySurface);
    pointerX = 200;
    pointerY = 100;
    hunt.scoreDirty = hunt.clockDirty = 1;
    TakeWakeTime(nullptr);
    QuietFrame();
    uint32_t wake = 0;
    ASSERT_TRUE(TakeWakeTime(&wake));
    EXPECT_EQ(wake, hunt.lastStepTime + 101) << "the next step is asked for";
    const std::vector<uint8_t> after = Snapshot(displaySurface);
    int changed = 0;
    int stray = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (before[size_t(y * 640 + x)] == after[size_t(y * 640 + x)]) {
                continue;
            }
            ++changed;
            bool allowed = Inside(x, y, oldX - 60, oldY - 96, 120, 192) ||
                           Inside(x, y, 200 - 60, 100 - 96, 120, 192) ||
                           Inside(x, y, kClockX, kClockY, kClockW, kClockH) ||
                           Inside(x, y, kLoadedX, kLoadedY, kLoadedW, kLoadedH) ||
                           Inside(x, y, kBoxX, kBoxY, kBoxW, kBoxH);
            for (int32_t b = 0; b >= 0; b = IconBar()[b].next) {
                const Button& button = IconBar()[b];
                allowed = allowed || Inside(x, y, button.x, button.y, button.width, button.height);
            }
            stray += allowed ? 0 : 1;
        }
    }
    EXPECT_EQ(stray, 0);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(after[size_t(100 * 640 + 200)], 107) << "the crosshair (shape 7) at the pointer";
}

// The icon bar and the pointer are presented only where they changed: a pass
// that changed nothing copies nothing to the display, and the picture stays.
TEST_F(HuntTest, APassThatChangedNothingPresentsNothing) {
    Enter(0);
    pointerX = 320;
    pointerY = 200;
    for (int i = 0; i < 3; ++i) {
        StepFrame();
        QuietFrame();
    }
    const std::vector<uint8_t> shown = Snapshot(displaySurface);
    int64_t copied = GDL_displayBytesCopied();
    QuietFrame();
    QuietFrame();
    EXPECT_EQ(GDL_displayBytesCopied() - copied, 0);
    EXPECT_EQ(Snapshot(displaySurface), shown);

    // The pointer moved: its old and new places, no more.
    pointerX = 330;
    copied = GDL_displayBytesCopied();
    QuietFrame();
    const int64_t moved = GDL_displayBytesCopied() - copied;
    EXPECT_GT(moved, 0);
    EXPECT_LE(moved, int64_t{2} * kCursorMaxW * kCursorMaxH);

    // Over a button (lit, then the hand drawn the pass after), then nothing again.
    const Button& first = IconBar()[0];
    pointerX = first.x + first.width / 2;
    pointerY = first.y + first.height / 2;
    QuietFrame();
    QuietFrame();
    copied = GDL_displayBytesCopied();
    QuietFrame();
    EXPECT_EQ(GDL_displayBytesCopied() - copied, 0);
}

TEST_F(HuntTest, ClicksFromRow400DownNeverFireAndTheLowerFlockWins) {
    Enter(0);
    QuietFrame();
    player->items[kItemShells] = 10;
    hunt.loadedShells = 1;
    for (int f = 0; f < 4; ++f) {
        CloseBird(f, 900, 900);
    }
    CloseBird(0, 300, 415);
    auto click = [&](int x, int y, int32_t what) {
        pointerX = x;
        pointerY = y;
        action = what;
        QuietFrame();
    };
    click(300, 420, kActionLeftPress);
    EXPECT_EQ(hunt.loadedShells, 1);
    EXPECT_EQ(hunt.missCount, 0) << "the panel took it";
    click(300, 405, kActionLeftPress);
    EXPECT_EQ(hunt.loadedShells, 1);
    EXPECT_EQ(hunt.shotFired, 0);
    EXPECT_EQ(hunt.missCount, 1) << "a click under the crosshair there is a miss";
    click(300, 420, kActionRightPress);
    EXPECT_EQ(hunt.loadedShells, 1);
    click(300, 399, kActionLeftPress);
    EXPECT_EQ(hunt.loadedShells, 0);
    EXPECT_EQ(hunt.shotFired, 1);
    EXPECT_EQ(flocks[0].hit, 1) << "anchor 16 rows off still counts";
    EXPECT_EQ(hunt.bagged, 1);

    // Two birds inside the reach: flock 1 falls, flock 2 is only shot at.
    CloseBird(0, 900, 900);
    CloseBird(1, 200, 200, 0, 1);
    CloseBird(2, 210, 190, 0, 0);
    hunt.loadedShells = 2;
    const int32_t flying = flocks[1].graphicBase;
    click(205, 195, kActionLeftPress);
    EXPECT_EQ(flocks[1].hit, 1);
    EXPECT_EQ(flocks[2].hit, 0);
    EXPECT_EQ(flocks[2].shotAt, 1);
    EXPECT_EQ(flocks[1].graphicBase, flying + kFallingFrame) << "the falling frames";
    click(210, 190, kActionLeftPress);
    // Hen, drake, hen mallard: the bag keeps the order the kinds first came.
    EXPECT_EQ(hunt.gameBag[0].code, 1);
    EXPECT_EQ(hunt.gameBag[0].count, 2);
    EXPECT_EQ(hunt.gameBag[1].code, 11);
    EXPECT_EQ(hunt.gameBag[1].count, 1);
    EXPECT_EQ(hunt.gameBag[1].graphic, BirdPicture(0, 1, 1));
    EXPECT_EQ(hunt.kills[0].count, 2);
    EXPECT_EQ(hunt.kills[4].count, 1);
    EXPECT_EQ(hunt.kills[4].lastMinute, hunt.dayMinute);
}

TEST_F(HuntTest, TheRetrieverLeapsOutFetchesTheLastBirdAndComesBack) {
    hunt.retriever.species = 3;
    hunt.retriever.sex = 1;
    Retriever();
    std::vector<int32_t> heights;
    int moves = 0;
    while (hunt.retrieverState == kDogGoingOut && moves < 50) {
        MoveRetriever();
        heights.push_back(hunt.retriever.y);
        ++moves;
    }
    ASSERT_GE(heights.size(), 4u);
    EXPECT_LT(heights[2], 260) << "the top of the leap after three steps";
    EXPECT_GT(heights[2], 250);
    EXPECT_LT(heights[1], heights[0]);
    // It passes row 600 seven steps after the top and turns on the next step.
    EXPECT_LT(heights[8], 600);
    EXPECT_GE(heights[9], 600);
    EXPECT_EQ(moves, 11);
    EXPECT_EQ(hunt.retriever.graphic, kDogLeapingBack);
    EXPECT_EQ(hunt.retriever.carried, DogCarrying(3, 1));
    EXPECT_EQ(hunt.retriever.x, 400);
    EXPECT_EQ(hunt.retriever.y, 480);
    MoveRetriever();
    EXPECT_EQ(hunt.retriever.x, 404) << "coming back to the right";
    while (hunt.retrieverState == kDogComingBack && moves < 50) {
        MoveRetriever();
        ++moves;
    }
    EXPECT_EQ(hunt.retrieverState, kDogIdle);
    EXPECT_LT(moves, 30);
}

TEST_F(HuntTest, ClockRedrawsEveryFiveMinutesFadesAtDuskAndTheDayEndsAt1926) {
    Enter(0);
    // 5:40 to 5:45: redrawn; 5:46: not.
    for (int i = 0; i < 6; ++i) {
        hunt.clockDirty = 0;
        hunt.lastMinuteTime = TimerCount() - 401;
        TickClock();
        EXPECT_EQ(hunt.clockDirty, hunt.minute == 45 ? 1 : 0) << "minute " << hunt.minute;
    }
    // Dusk in club 0: the first darker step at 17:57, the last at 18:32 (111).
    hunt.brightness = 64;
    hunt.hour = 17;
    hunt.minute = 50;
    hunt.dayMinute = 1070;
    int first = 0, last = 0, lastIntensity = 0;
    while (hunt.dayMinute < 1165) {
        const int32_t before = hunt.brightness;
        hunt.lastMinuteTime = TimerCount() - 401;
        TickClock();
        if (hunt.brightness < before && before * 4 - 1 < 255) {
            first = first == 0 ? hunt.hour * 100 + hunt.minute : first;
            last = hunt.hour * 100 + hunt.minute;
            lastIntensity = before * 4 - 1;
        }
    }
    EXPECT_EQ(first, 1757);
    EXPECT_EQ(last, 1832);
    EXPECT_EQ(lastIntensity, 111);
    EXPECT_EQ(hunt.brightness, 27);
    // 19:25 still runs; the first minute past it ends the day.
    ASSERT_EQ(hunt.dayMinute, 1165);
    QuietFrame();
    EXPECT_EQ(currentScreen, static_cast<uint32_t>(kScreenHunt));
    StepFrame(true);
    EXPECT_EQ(hunt.hour * 100 + hunt.minute, 1926);
    EXPECT_NE(currentScreen, static_cast<uint32_t>(kScreenHunt));
    EXPECT_EQ(hunt.nextScreen, kScreenMain) << "no shot fired";
}

TEST_F(HuntTest, CtrlTMovesTheHuntClockToNineOnTheHuntScreenOnly) {
    auto chord = [] {
        GDL_Event event = KeyPress(kScanT, 't', GDL_STATE_CONTROL);
        GDL_postEvent(&event);
        PollEvent();
    };
    hunt.hour = 5;
    chord();
    EXPECT_EQ(hunt.hour, 5) << "not on the roster";
    Enter(0);
    hunt.clockDirty = 0;
    chord();
    EXPECT_EQ(hunt.hour, 9);
    EXPECT_EQ(hunt.minute, 0);
    EXPECT_EQ(hunt.dayMinute, 540);
    EXPECT_EQ(hunt.clockDirty, 1);
}

TEST_F(HuntTest, DecoysGoOutOnOpenWaterAndComeInLeavingTheSceneAsItWas) {
    player->items[kItemDecoys] = 1;
    Enter(0);
    const std::vector<uint8_t> clean = Snapshot(workPage);
    action = kActionLeftPress;
    ToggleDecoys(4);
    EXPECT_EQ(hunt.decoyFactor, 0);
    EXPECT_EQ(hunt.decoysPlaced, 1);
    const std::vector<uint8_t> out = Snapshot(workPage);
    int painted = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (out[size_t(y * 640 + x)] != clean[size_t(y * 640 + x)]) {
                ++painted;
                ASSERT_GE(y, 320 - 8) << "only on the open water, map rows 80 down";
            }
        }
    }
    EXPECT_GT(painted, 0);
    action = kActionLeftPress;
    ToggleDecoys(4);
    EXPECT_EQ(hunt.decoyFactor, 50);
    EXPECT_EQ(Snapshot(workPage), clean);

    // A map smaller than its 160 by 120 cells counts as missing.
    DumpWaterfowlScreen();
    WriteScene(1, 100, 100);
    ResetScreens();
    Enter(0);
    const std::vector<uint8_t> bare = Snapshot(workPage);
    action = kActionLeftPress;
    ToggleDecoys(4);
    EXPECT_EQ(hunt.decoysOut, 1) << "still counted as out";
    EXPECT_EQ(Snapshot(workPage), bare);
    EXPECT_NE(LogText().find("decoy map is NULL"), std::string::npos);
}

TEST_F(HuntTest, TheBestGunIsInHandAndTheFirstOnesIconDoesNotShowThrough) {
    // Gun 0's icon is solid; gun 2's is clear on its left half.
    Put(kHuntGunIcon, test_banks::Solid(80, 50, 50));
    test_banks::Picture best = test_banks::Solid(80, 50, 60);
    for (size_t i = 0; i < best.pixels.size(); ++i) {
        best.pixels[i] = i % 80 < 40 ? 0 : 60;
    }
    Put(kHuntGunIcon + 2, best);
    player->items[kItemGun1 + 2] = 1;
    Enter(0);
    EXPECT_EQ(hunt.currentGun, 2);
    EXPECT_EQ(workPage->pixels[430 * workPage->bytesPerLine + 450], ScenePixel(450, 430));
    EXPECT_EQ(workPage->pixels[430 * workPage->bytesPerLine + 500], 60);
    // A right click on the gun icon goes round to gun 0 and unloads.
    hunt.loadedShells = 2;
    player->items[kItemShells] = 0;
    action = kActionRightPress;
    SwitchGun(6);
    EXPECT_EQ(hunt.currentGun, 0);
    EXPECT_EQ(player->items[kItemShells], 2);
    EXPECT_EQ(hunt.gunEmpty, 1);
    EXPECT_EQ(hunt.hasShells, 1);
}

TEST_F(HuntTest, AGunOwnerSeesTheHandOverTheIconBarAndTheCrosshairAfterAnOverlay) {
    // Each test shape is an 8 by 8 square of colour 100 + its number.
    auto shown = [] { return displaySurface->pixels[104 * displaySurface->bytesPerLine + 204]; };
    Enter(0);
    ASSERT_EQ(hunt.hasGun, 1);
    pointerX = 200;
    pointerY = 100;
    StepFrame();
    EXPECT_EQ(shown(), 100 + kCrosshairPointer);
    // Over the shell box: the button kit's hand from the next frame on.
    pointerX = 580;
    pointerY = 445;
    QuietFrame();
    for (int i = 0; i < 3; ++i) {
        QuietFrame();
        EXPECT_EQ(displaySurface->pixels[449 * displaySurface->bytesPerLine + 584],
                  100 + kButtonPointer)
            << "frame " << i;
    }
    // Back over the marsh, then an overlay that leaves the arrow behind.
    pointerX = 200;
    pointerY = 100;
    QuietFrame();
    EXPECT_EQ(shown(), 100 + kCrosshairPointer);
    SwitchOverlay(kScreenGameBag);
    SwitchOverlay(kScreenHunt);
    ASSERT_EQ(GetCursorShape(), kArrowPointer);
    QuietFrame();
    EXPECT_EQ(shown(), 100 + kCrosshairPointer) << "the crosshair again after the overlay";
}

TEST_F(HuntTest, ScriptCommandsForTheHuntParseAndAimAtTheLowestFlockInSight) {
    std::vector<ScriptCommand> commands;
    std::string error;
    EXPECT_TRUE(
        ParseScript("until clock 9:05\nuntil clock 19:26 400000\nuntil bird\n"
                    "until bird 5000\naim\n",
                    &commands, &error))
        << error;
    EXPECT_EQ(commands.size(), 5u);
    for (const char* bad : {"until clock 25:00", "until clock 9:5", "until clock 9:05 x",
                            "until bird soon", "aim 3"}) {
        commands.clear();
        EXPECT_FALSE(ParseScript(bad, &commands, &error)) << bad;
    }
    Enter(0);
    for (int f = 0; f < 4; ++f) {
        CloseBird(f, 900, 100);
    }
    CloseBird(3, 120, 80);
    CloseBird(2, 320, 150);
    flocks[1].kind = kFlightFar;
    flocks[1].x = 50;
    commands.clear();
    // A wait no test reaches keeps the runner from closing the window afterwards.
    ASSERT_TRUE(ParseScript("aim\nwait 100000000\n", &commands, &error));
    StartScriptRunner(commands, "");
    SysPump();
    PollEvent();
    EXPECT_EQ(pointerX, 320);
    EXPECT_EQ(pointerY, 150);

    // The waits end when the hunt gets there.
    hunt.hour = 5;
    hunt.minute = 40;
    CloseBird(2, 900, 100);
    CloseBird(3, 900, 100);
    commands.clear();
    ASSERT_TRUE(ParseScript("until clock 5:42\nuntil bird\nwait 100000000\n", &commands, &error));
    StartScriptRunner(commands, "");
    SysPump();
    EXPECT_EQ(ScriptCommandsLeft(), 3u);
    hunt.minute = 42;
    SysPump();
    EXPECT_EQ(ScriptCommandsLeft(), 2u) << "5:42 reached";
    CloseBird(0, 639, 399);
    SysPump();
    EXPECT_EQ(ScriptCommandsLeft(), 0u) << "a bird at the edge of sight; the last wait runs";
}

}  // namespace
