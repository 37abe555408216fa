#include "engine/dialogs.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/draw.h"
#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/page_fixture.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/display_test.h"
#include "support/font_file.h"
#include "support/scripted_input.h"

namespace {

class DialogsTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(GraphicsInit(), 1u);
        ResetFonts();
        ResetInput();
        ResetDialogs();
        // Font 0 advances every character by 3 pixels.
        WriteBytes("fonts.dat", FontFileBytes({SimpleTestFont()}));
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
        FillPattern(backPage, 0);
        ShowBackPage();
        before = Snapshot(backPage);
    }
    void TearDown() override {
        StopScript();
        ResetDialogs();
        ResetInput();
        ResetFonts();
        DisplayTest::TearDown();
    }
    void ExpectPictureBack() {
        EXPECT_EQ(Snapshot(backPage), before) << "the back page is as it was";
        EXPECT_EQ(Snapshot(displaySurface), before) << "and so is the display";
    }
    // Runs a dialog with the clicks given (after the one event its opening flushes).
    template <typename Dialog>
    static uint32_t Run(const std::vector<std::pair<int, int>>& clicks, Dialog dialog) {
        std::vector<GDL_Event> script = {Tick()};
        for (auto [x, y] : clicks) {
            AddClick(&script, x, y);
        }
        StartScript(script);
        const uint32_t answer = dialog();
        EXPECT_EQ(ScriptLeft(), 0u) << "every click was taken before the answer";
        StopScript();
        return answer;
    }
    static uint32_t RunMessage(const char* text, const char* buttons,
                               const std::vector<std::pair<int, int>>& clicks) {
        return Run(clicks, [&] { return MessageDialog(text, buttons); });
    }
    std::vector<uint8_t> before;
};

TEST_F(DialogsTest, QuestionWithTwoButtons) {
    // 26 characters of 3 pixels: the box is 102 by 126, centred at (269, 177); the
    // buttons, 64 wide, sit at x 263 and 314 (they overlap; the later one wins).
    EXPECT_EQ(RunMessage("Delete this player's game?", "Yes|No", {{350, 260}}), 2u);
    ExpectPictureBack();
    EXPECT_EQ(RunMessage("Delete this player's game?", "Yes|No", {{320, 260}}), 2u)
        << "where the buttons overlap the second wins";
    EXPECT_EQ(RunMessage("Delete this player's game?", "Yes|No", {{290, 260}}), 1u);
    ExpectPictureBack();

    EXPECT_EQ(MessageDialog("Nothing to press", "||"), 0u);
    EXPECT_NE(LogText().find("ERROR: MessageDialog without a button"), std::string::npos);
    ExpectPictureBack();
}

TEST_F(DialogsTest, PauseBoxHasThreeLinesAndIgnoresOtherClicks) {
    // The box is 69 by 170 at (285, 155); Resume at (287, 265).
    const uint32_t answer = RunMessage(" |Game Paused....| ", "Resume",
                                       {{10, 10}, {320, 205}, {290, 160}, {400, 400}, {300, 280}});
    EXPECT_EQ(answer, 1u);
    ExpectPictureBack();
}

// A tap: the press and release of the click that opens the dialog reach the
// queue together, and the game takes the press before the dialog opens. The
// dialog's first click answers it; a second one stays in the script.
TEST_F(DialogsTest, TheFirstClickAfterATapThatOpenedTheDialogIsTaken) {
    auto tapOpens = [](std::pair<int, int> first, std::pair<int, int> second, auto dialog) {
        std::vector<GDL_Event> script = {Tick()};
        AddClick(&script, first.first, first.second);
        AddClick(&script, second.first, second.second);
        GDL_Event press = Press(600, 450);
        GDL_Event release = Release(600, 450);
        GDL_postEvent(&press);
        GDL_postEvent(&release);
        PollEvent();
        EXPECT_EQ(action, kActionLeftPress);
        StartScript(script);
        const uint32_t answer = dialog();
        GDL_Event next{};
        EXPECT_TRUE(ScriptLeft() > 0 || GDL_peekEvent(&next, GDL_EVENT_MOUSEDOWN) != 0)
            << "the second click is not taken";
        GDL_flushEvents(GDL_EVENT_ALL);
        StopScript();
        return answer;
    };
    EXPECT_EQ(tapOpens({350, 260}, {290, 260},
                       [] { return MessageDialog("Delete this player's game?", "Yes|No"); }),
              2u)
        << "No at the first click";
    ExpectPictureBack();
    EXPECT_EQ(tapOpens({300, 280}, {300, 280},
                       [] { return MessageDialog(" |Game Paused....| ", "Resume"); }),
              1u);
    EXPECT_EQ(tapOpens({330, 280}, {260, 280},
                       [] { return ListDialog("Debug Options", "Debug On|Debug Off"); }),
              0u)
        << "Cancel at the first click";
    ExpectPictureBack();
}

TEST_F(DialogsTest, WideButtonsAndTooManyPieces) {
    // A label with less than 8 pixels to spare either side in 64 widens its
    // button to 8 either side; extra lines and buttons are cut.
    const std::string buttons = std::string(30, 'w') + "|B|C|D";  // 90 pixels, then 3 each
    // Lines: 7 given, 6 kept: H = 10 * 22 + 16 = 236. Width: max(10, 3) + 24 = 34 < span.
    // span: max(2, 106) + 10 = 116, then 126, 136 (D cut). W = 136, share 45.
    // Buttons: x = (45 - 106) / 2 + 45 j = -30, 15, 60; y = 8 * 22 = 176; centred by (252, 122).
    EXPECT_EQ(Run({{252 + 60 + 60, 122 + 176 + 20}},
                  [&] { return MessageDialog("1|2|3|4|5|6|7", buttons.c_str()); }),
              3u);
    EXPECT_EQ(MessageDialogTable()[0].h, 236);
    EXPECT_EQ(MessageDialogTable()[7].w, 106);
    // 16 characters, 48 pixels, is the widest label a 64-pixel button keeps.
    EXPECT_EQ(Run({{320, 270}}, [] { return MessageDialog("A", "0123456789abcdef"); }), 1u);
    EXPECT_EQ(MessageDialogTable()[7].w, 64);
    EXPECT_EQ(Run({{320, 270}}, [] { return MessageDialog("A", "0123456789abcdefg"); }), 1u);
    EXPECT_EQ(MessageDialogTable()[7].w, 67);
    ExpectPictureBack();
}

TEST_F(DialogsTest, ListDialogAnswers) {
    // 144 by 168 at (248, 156): item boxes at (264, 198 + 22 i), Okay (252, 274),
    // Cancel (324, 274).
    auto run = [](const std::vector<std::pair<int, int>>& clicks) {
        return Run(clicks, [] { return ListDialog("Debug Options", "Debug On|Debug Off"); });
    };
    EXPECT_EQ(run({{260, 280}}), 1u) << "Okay with the first item ticked";
    EXPECT_EQ(run({{268, 224}, {260, 280}}), 2u);
    EXPECT_EQ(run({{268, 224}, {330, 280}}), 0u) << "Cancel whatever was ticked";
    EXPECT_EQ(run({{300, 224}, {268, 202}, {268, 224}, {268, 202}, {260, 280}}), 1u)
        << "the label beside a box is not clickable";
    ExpectPictureBack();
}

TEST_F(DialogsTest, TextEntryKeys) {
    auto type = [](const char* start, const std::vector<GDL_Event>& keys) {
        char buffer[31] = {};
        std::strncpy(buffer, start, 30);
        std::vector<GDL_Event> script = keys;
        script.push_back(KeyPress(kScanEnter, 13));
        script.push_back(KeyPress(30, 'z'));  // never reached
        StartScript(script);
        EXPECT_EQ(InputText(buffer), 1u);
        EXPECT_EQ(ScriptLeft(), 1u) << "Enter returns at once";
        StopScript();
        return std::string(buffer);
    };
    std::vector<GDL_Event> many;
    for (int i = 0; i < 31; ++i) {
        many.push_back(KeyPress(30, 'a'));
        many.push_back(KeyRelease(30, 'a'));
    }
    EXPECT_EQ(type("", many), std::string(30, 'a')) << "a 31st character is refused";

    EXPECT_EQ(type("abc", {KeyPress(kScanEnd, 0), KeyPress(kScanLeft, 0),
                           KeyPress(kScanBackspace, 8), KeyPress(kScanHome, 0),
                           KeyPress(kScanDelete, 127), KeyPress(kScanRight, 0), KeyPress(45, 'x')}),
              "cx");
    EXPECT_EQ(type("ab", {KeyPress(kScanBackspace, 8), KeyPress(kScanLeft, 0), KeyPress(44, 'y')}),
              "yab")
        << "Backspace and Left at the start do nothing";
    EXPECT_EQ(type("ab", {KeyPress(kScanEnd, 0), KeyPress(kScanRight, 0), KeyPress(kScanDelete, 0),
                          KeyPress(46, 'c', GDL_STATE_SHIFT), KeyPress(2, 200)}),
              "abc")
        << "Right and Delete at the end do nothing; characters above 127 are not typed";

    // The field shows its text on the display in the field's colours.
    EXPECT_EQ(displaySurface->pixels[249 * displaySurface->bytesPerLine + 390], 254);
    EXPECT_EQ(backPage->pixels[249 * backPage->bytesPerLine + 390], 254);

    // A wider font: 10 pixels a character, refused once the text is 140 wide.
    ResetFonts();
    TestFont wide = SimpleTestFont();
    for (uint16_t& advance : wide.advances) {
        advance = 10;
    }
    WriteBytes("fonts.dat", FontFileBytes({wide}));
    ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
    EXPECT_EQ(type("", many), std::string(14, 'a'));
}

TEST(PointInRectTest, RightAndBottomAreExclusive) {
    EXPECT_EQ(PointInRect(10, 10, 20, 20, 20, 15), 0u);
    EXPECT_EQ(PointInRect(10, 10, 20, 20, 10, 15), 1u);
    EXPECT_EQ(PointInRect(10, 10, 20, 20, 19, 19), 1u);
    EXPECT_EQ(PointInRect(10, 10, 20, 20, 15, 20), 0u);
    EXPECT_EQ(PointInRect(10, 10, 20, 20, 9, 15), 0u);
    EXPECT_EQ(PointInRect(10, 10, 10, 20, 10, 15), 0u) << "an empty rectangle holds nothing";
}

TEST(HitTestTest, LaterRecordsWinAndFreeOnesAreSkipped) {
    DialogItem table[] = {
        {kItemFrame, 5, 230, nullptr, 0, 0, 100, 100},
        {kItemButton, 4, 217, "A", 10, 10, 30, 30},
        {kItemButton, 4, 217, "B", 20, 20, 30, 30},
        {kItemFree, 0, 0, nullptr, 0, 0, 100, 100},
        {kItemEnd, 0, 0, nullptr, 0, 0, 0, 0},
        {kItemButton, 4, 217, "after the end", 0, 0, 100, 100},
    };
    EXPECT_EQ(HitTest(table, 25, 25), 2);
    EXPECT_EQ(HitTest(table, 12, 12), 1);
    EXPECT_EQ(HitTest(table, 45, 45), 2);
    EXPECT_EQ(HitTest(table, 90, 90), 0);
    EXPECT_EQ(HitTest(table, 100, 50), -1);
    EXPECT_EQ(HitTest(nullptr, 5, 5), -1);
}

}  // namespace
