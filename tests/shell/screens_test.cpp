#include "shell/screens.h"
#include "app/screen_table.h"

#include <string>
#include <vector>

#include "engine/config.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/test_banks.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "screens/roster.h"
#include "shell/options.h"
#include "support/display_test.h"
#include "support/scripted_input.h"

namespace {

int clicked = -1;
void Clicked(int32_t arg) {
    clicked = arg;
}

class ScreensTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(GraphicsInit(), 1u);
        ResetInput();
        ResetScreens();
        RegisterGameScreens();
        ResetGraphicBanks();
        clicked = -1;
        // Eight pointer shapes, 8 x 8 each, and a lit picture for graphic 4 (slot 14).
        std::vector<test_banks::Picture> shapes;
        for (int i = 0; i < 8; ++i) {
            shapes.push_back(test_banks::Solid(8, 8, static_cast<uint8_t>(100 + i)));
        }
        WriteBytes("pointers.256", test_banks::Bank(shapes, false));
        ASSERT_EQ(InitMouse(), 1u);
        WriteBytes("lit.256", test_banks::Bank({test_banks::Solid(40, 20, 77)}, false));
        ASSERT_EQ(LoadGraphics(14, "lit"), 1);
        for (GDL_Surface* page : {workPage, backPage, displaySurface}) {
            Fill(page, 9);
        }
        // Two hoverable buttons that overlap, and a plain one; walked 0, 2, 1 by
        // hand, so the walk and not the array orders them.
        list = {{
            At({.x = 100, .y = 100, .width = 40, .height = 20},
               {.graphic = 4, .arg = 10, .handler = Clicked, .next = 2}),
            At({.x = 300, .y = 100, .width = 40, .height = 20},
               {.hoverable = 0, .graphic = 4, .arg = 11, .handler = Clicked, .next = -1}),
            At({.x = 120, .y = 110, .width = 40, .height = 20},
               {.graphic = 4, .arg = 12, .handler = Clicked, .next = 1}),
        }};
    }
    void TearDown() override {
        StopScript();
        FreeMouse();
        ResetInput();
        ResetGraphicBanks();
        DisplayTest::TearDown();
    }
    std::array<Button, 3> list{};
};

TEST_F(ScreensTest, LitStateAndPointerShapeFollowThePointer) {
    Button* hit = HitTestButtons(list.data(), 105, 105);
    ASSERT_EQ(hit, &list[0]);
    EXPECT_EQ(list[0].lit, 1);
    EXPECT_EQ(GetCursorShape(), 1);
    EXPECT_EQ(Pixel(backPage, 101, 101), 77) << "the lit picture in the back page";
    EXPECT_EQ(Pixel(displaySurface, 139, 119), 77) << "and on the display";

    hit = HitTestButtons(list.data(), 150, 125);  // only the second hoverable one
    ASSERT_EQ(hit, &list[2]);
    EXPECT_EQ(list[0].lit, 0);
    EXPECT_EQ(list[2].lit, 1);
    EXPECT_EQ(Pixel(displaySurface, 101, 101), 9) << "unlit from the work page";

    hit = HitTestButtons(list.data(), 5, 5);
    EXPECT_EQ(hit, nullptr);
    EXPECT_EQ(list[2].lit, 0);
    EXPECT_EQ(GetCursorShape(), 0);

    hit = HitTestButtons(list.data(), 310, 105);
    ASSERT_EQ(hit, &list[1]);
    EXPECT_EQ(GetCursorShape(), 1) << "a plain button changes the pointer";
    EXPECT_EQ(list[1].lit, 0) << "but does not light";
    EXPECT_EQ(Pixel(displaySurface, 301, 101), 9);

    list[0].enabled = 0;
    EXPECT_EQ(HitTestButtons(list.data(), 105, 105), nullptr) << "disabled buttons are ignored";
}

TEST_F(ScreensTest, EarlierInTheWalkWinsWhereButtonsOverlap) {
    // Walked 0, 2, 1 by hand: element 2 comes before element 1 although it is
    // later in the array, so it wins where they overlap.
    std::array<Button, 3> walk = {{
        At({.x = 0, .y = 0, .width = 10, .height = 10},
           {.hoverable = 0, .graphic = 4, .arg = 0, .handler = Clicked, .next = 2}),
        At({.x = 130, .y = 115, .width = 40, .height = 20},
           {.hoverable = 0, .graphic = 4, .arg = 1, .handler = Clicked, .next = -1}),
        At({.x = 120, .y = 110, .width = 40, .height = 20},
           {.hoverable = 0, .graphic = 4, .arg = 2, .handler = Clicked, .next = 1}),
    }};
    EXPECT_EQ(HitTestButtons(walk.data(), 140, 120), &walk[2]);
    EXPECT_EQ(HitTestButtons(walk.data(), 165, 130), &walk[1]);
    walk[0].next = -1;
    EXPECT_EQ(HitTestButtons(walk.data(), 140, 120), nullptr) << "only what the walk reaches";
}

TEST_F(ScreensTest, ButtonListDoCallsTheHandlerOnAClickOnly) {
    action = kActionMove;
    pointerX = 105;
    pointerY = 105;
    DoButtonList(list.data());
    EXPECT_EQ(clicked, -1);
    EXPECT_EQ(list[0].lit, 1);
    EXPECT_EQ(action, 0);

    action = kActionLeftPress;
    DoButtonList(list.data());
    EXPECT_EQ(clicked, 10);
    EXPECT_EQ(action, 0);

    clicked = -1;
    action = kActionRightPress;
    DoButtonList(list.data());
    EXPECT_EQ(clicked, -1) << "other actions are used up";
    EXPECT_EQ(action, 0);
}

TEST_F(ScreensTest, HoverLightsInTheBackPageOnly) {
    HoverButtons(list.data(), 105, 105);
    EXPECT_EQ(list[0].lit, 1);
    EXPECT_EQ(Pixel(backPage, 101, 101), 77);
    EXPECT_EQ(Pixel(displaySurface, 101, 101), 9);
    EXPECT_EQ(GetCursorShape(), 0);
    HoverButtons(list.data(), 150, 125);
    EXPECT_EQ(list[0].lit, 0);
    EXPECT_EQ(Pixel(backPage, 101, 101), 9);
    ShowButtons(list.data());
    EXPECT_EQ(Pixel(displaySurface, 139, 129), 77);
}

TEST_F(ScreensTest, SwitchingToTheCurrentOrNoScreen) {
    const std::vector<uint8_t> before(displaySurface->pixels, displaySurface->pixels + 640 * 480);
    currentScreen = kScreenRoster;
    SwitchScreen(kScreenRoster);
    EXPECT_EQ(LogText(), "") << "the current screen: nothing at all";
    SwitchScreen(kScreenCount);
    EXPECT_EQ(currentScreen, static_cast<uint32_t>(kScreenRoster));
    EXPECT_EQ(previousScreen, 0u);
    EXPECT_NE(LogText().find("ERROR: there is no screen 8"), std::string::npos);
    EXPECT_EQ(std::vector<uint8_t>(displaySurface->pixels, displaySurface->pixels + 640 * 480),
              before);
}

TEST_F(ScreensTest, OnlyAListedGameCanBeDeleted) {
    // A current player beyond the five listed slots: nothing is asked, nothing moves.
    for (int i = 0; i < kRosterSize; ++i) {
        roster[i] = FreshPlayerRecord(true);
        roster[i].money = 100 + i;
    }
    currentPlayer = 7;
    player = &roster[7];
    StartScript({Tick()});
    DeleteGame(0);
    EXPECT_EQ(ScriptLeft(), 1u) << "no dialog took events";
    StopScript();
    for (int i = 0; i < kRosterSize; ++i) {
        EXPECT_EQ(roster[i].money, 100 + i) << i;
        EXPECT_EQ(PlayerName(roster[i]), "Your Name") << i;
    }
    EXPECT_EQ(currentPlayer, 7u);
}

TEST_F(ScreensTest, ANameStartingAtByte128IsAFreeSlotOnTheRosterToo) {
    ResetRoster();
    roster[1] = FreshPlayerRecord(true);
    roster[1].name[0] = static_cast<char>(0xC9);
    ASSERT_TRUE(IsFreeRecord(roster[1]));
    SelectPlayer(1);
    EXPECT_EQ(currentPlayer, 0u) << "not a game to choose";
    ResetRoster();
}

}  // namespace
