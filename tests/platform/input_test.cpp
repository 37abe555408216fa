#include "platform/input.h"
#include "app/chords.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/config.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/test_banks.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "support/display_test.h"
#include "support/scripted_input.h"

namespace {

// A bank of solid rectangles: shape i is w x h of colour 100 + i.
struct Shape {
    int16_t w, h, xoff, yoff;
};

std::string PointerBank(const std::vector<Shape>& shapes) {
    std::vector<test_banks::Picture> pictures;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const Shape& s = shapes[i];
        pictures.push_back(
            test_banks::Solid(s.w, s.h, static_cast<uint8_t>(100 + i), s.xoff, s.yoff));
    }
    return test_banks::Bank(pictures, false);
}

std::vector<Shape> EightShapes() {
    return {{12, 20, 0, 0}, {16, 16, -2, -1}, {14, 14, -7, -7}, {30, 10, 0, 0},
            {8, 8, 0, 0},   {8, 8, 0, 0},     {8, 8, 0, 0},     {31, 31, -15, -15}};
}

class InputTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(GraphicsInit(), 1u);
        ResetInput();
        RegisterHiddenChords();
        FillPattern(displaySurface);
        FillPattern(backPage);
    }
    void TearDown() override {
        StopScript();
        FreeMouse();
        ResetInput();
        DisplayTest::TearDown();
    }
    void LoadPointers(const std::vector<Shape>& shapes) {
        WriteBytes("pointers.256", PointerBank(shapes));
        ASSERT_EQ(InitMouse(), 1u);
    }
    static void FillPattern(GDL_Surface* page) {
        for (int y = 0; y <= page->maxY; ++y) {
            for (int x = 0; x <= page->maxX; ++x) {
                page->pixels[y * page->bytesPerLine + x] =
                    static_cast<uint8_t>((x * 7 + y * 3) % 90 + 1);
            }
        }
    }
    // Columns of a row that hold `colour`.
    static int CountInRow(GDL_Surface* page, int y, uint8_t colour) {
        int count = 0;
        for (int x = 0; x <= page->maxX; ++x) {
            count += page->pixels[y * page->bytesPerLine + x] == colour;
        }
        return count;
    }
    // Runs PollEvent once per scripted event.
    static void PollEach(const std::vector<GDL_Event>& events, std::vector<int32_t>* actions) {
        for (const GDL_Event& event : events) {
            GDL_postEvent(&event);
            PollEvent();
            actions->push_back(action);
        }
    }
};

TEST_F(InputTest, EventsBecomeActions) {
    std::vector<int32_t> actions;
    PollEach({KeyPress(kScanUp, 0), KeyRelease(kScanUp, 0), KeyPress(kScanDown, 0),
              KeyPress(kScanLeft, 0), KeyPress(kScanRight, 0), KeyRelease(kScanRight, 0)},
             &actions);
    EXPECT_EQ(actions, (std::vector<int32_t>{512, 0, 1024, 2048, 4096, 0}));

    actions.clear();
    PollEach({Press(30, 40), Release(30, 40), Press(50, 60, GDL_BUTTON_RIGHT), Release(50, 60),
              Press(70, 80, GDL_BUTTON_LEFT | GDL_BUTTON_RIGHT), Release(70, 80)},
             &actions);
    EXPECT_EQ(actions, (std::vector<int32_t>{1, 0, 2, 0, 2, 0})) << "right wins when both";
    EXPECT_EQ(pointerX, 70);
    EXPECT_EQ(pointerY, 80);
    EXPECT_EQ(buttonHeld, 0);

    actions.clear();
    PollEach({Move(5, 6), Move(7, 8, GDL_STATE_LEFT), Move(9, 10, GDL_STATE_RIGHT),
              Move(11, 12, GDL_STATE_LEFT | GDL_STATE_RIGHT), Move(13, 14, GDL_STATE_LEFT | 0x18),
              Tick()},
             &actions);
    EXPECT_EQ(actions, (std::vector<int32_t>{4, 5, 6, 4, 4, 0})) << "drags need exactly one button";

    PollEvent();
    EXPECT_EQ(action, 0) << "an empty queue clears the action";
}

TEST_F(InputTest, SecondPressWhileHeldIsIgnoredWithItsPosition) {
    std::vector<int32_t> actions;
    PollEach({Press(100, 100), Press(200, 200), Move(150, 150, GDL_STATE_LEFT)}, &actions);
    EXPECT_EQ(actions, (std::vector<int32_t>{1, 0, 4})) << "a held button does not drag";
    EXPECT_EQ(buttonHeld, 1);
    GDL_Event release = Release(150, 150);
    GDL_postEvent(&release);
    PollEvent();
    EXPECT_EQ(buttonHeld, 0);
    EXPECT_EQ(pointerX, 150);

    GDL_Event press = Press(10, 10);
    GDL_postEvent(&press);
    GDL_postEvent(&press);
    PollEvent();
    PollEvent();
    EXPECT_EQ(action, 0);
    EXPECT_EQ(pointerX, 10);
}

TEST_F(InputTest, DrainMouseWaitsForTheRelease) {
    GDL_Event press = Press(10, 20);
    GDL_postEvent(&press);
    PollEvent();
    ASSERT_EQ(buttonHeld, 1);

    // The release reaches the queue only after two more moves; a key waits behind.
    StartScript({Move(11, 21, GDL_STATE_LEFT), Move(12, 22, GDL_STATE_LEFT), Release(12, 22),
                 KeyPress(30, 'a')});
    DrainMouse();
    EXPECT_EQ(ScriptLeft(), 1u) << "stops right after the release";
    EXPECT_EQ(action, 0);
    EXPECT_EQ(buttonHeld, 0);
    StopScript();

    // Nothing held: returns at once.
    DrainMouse();
    EXPECT_EQ(buttonHeld, 0);
}

TEST_F(InputTest, ShowThenHideGivesTheDisplayBack) {
    LoadPointers(EightShapes());
    const std::vector<uint8_t> before = Snapshot(displaySurface);
    SetPointerPos(300, 200);
    ShowCursor();
    EXPECT_NE(Snapshot(displaySurface), before);
    EXPECT_EQ(CountInRow(displaySurface, 205, 100), 12);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), before);

    // At the corners, partly off the page.
    for (auto [x, y] : {std::pair{0, 0}, std::pair{639, 479}, std::pair{-5, 470}}) {
        SetCursorShape(7);  // hot spot in its centre
        SetPointerPos(x, y);
        SyncCursorPos();
        ShowCursor();
        HideCursor();
        EXPECT_EQ(Snapshot(displaySurface), before) << x << "," << y;
    }

    // A shape changed while the pointer is drawn: hiding puts back what was covered.
    SetCursorShape(0);  // 12 x 20
    SetPointerPos(200, 200);
    ShowCursor();
    SetCursorShape(7);  // 31 x 31 around its centre
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), before) << "no trail of the old shape";

    // Moving redraws it at the new place only.
    SetCursorShape(0);
    SetPointerPos(100, 100);
    ShowCursor();
    GDL_Event move = Move(400, 300);
    GDL_postEvent(&move);
    PollEvent();
    EXPECT_EQ(CountInRow(displaySurface, 110, 100), 0);
    EXPECT_EQ(CountInRow(displaySurface, 310, 100), 12);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), before);
}

TEST_F(InputTest, ShapeThreeIsDrawn22Wide) {
    LoadPointers(EightShapes());
    SetCursorShape(3);
    SetPointerPos(100, 100);
    ShowCursor();
    EXPECT_EQ(CountInRow(displaySurface, 105, 103), 22);
    EXPECT_EQ(GetCursorShape(), 3);
    BusyCursor();
    EXPECT_EQ(GetCursorShape(), 2);
    EXPECT_EQ(CountInRow(displaySurface, 105, 103), 0);
    RestoreCursor();
    EXPECT_EQ(GetCursorShape(), 3);
    ResetCursor();
    EXPECT_EQ(GetCursorShape(), 0);
}

TEST_F(InputTest, PointerModeDrawsIntoTheBackPageOnly) {
    LoadPointers(EightShapes());
    cursorInBackPage = 1;
    const std::vector<uint8_t> display = Snapshot(displaySurface);
    const std::vector<uint8_t> back = Snapshot(backPage);
    GDL_Event move = Move(320, 240);
    GDL_postEvent(&move);
    PollEvent();
    EXPECT_EQ(action, kActionMove);
    EXPECT_EQ(Snapshot(displaySurface), display) << "motion draws nothing in the pointer mode";
    EXPECT_EQ(Snapshot(backPage), back);

    DrawCursorInBackPage();
    EXPECT_EQ(Snapshot(displaySurface), display);
    EXPECT_EQ(CountInRow(backPage, 245, 100), 12);
    PresentCursor();
    EXPECT_EQ(CountInRow(displaySurface, 245, 100), 12);
    DrawCursorAt(10, 10);
    EXPECT_EQ(CountInRow(backPage, 15, 100), 12);
}

TEST_F(InputTest, AHardwarePointerIsMadeFromTheBankAndNotDrawnOnThePages) {
    hardwarePointer = 1;
    GDL_setHeadlessCursorTaken(true);  // as a window would
    LoadPointers(EightShapes());
    const GDL_CursorImage* image = GDL_hardwareCursor();
    ASSERT_NE(image, nullptr) << "the arrow, handed over at start";
    EXPECT_EQ(image->width, 12);
    EXPECT_EQ(image->height, 20);
    EXPECT_EQ(image->hotX, 0);
    EXPECT_EQ(image->argb[0], 0xFF000000u | (gamePalette[100].red << 16) |
                                  (gamePalette[100].green << 8) | gamePalette[100].blue);

    SetCursorShape(7);  // 31 x 31 around its centre
    image = GDL_hardwareCursor();
    EXPECT_EQ(image->width, 31);
    EXPECT_EQ(image->hotX, 15);
    EXPECT_EQ(image->hotY, 15);
    SetCursorShape(3);
    EXPECT_EQ(GDL_hardwareCursor()->width, 22) << "the narrow shape stays narrow";

    const std::vector<uint8_t> display = Snapshot(displaySurface);
    const std::vector<uint8_t> back = Snapshot(backPage);
    SetPointerPos(300, 200);
    ShowCursor();
    BusyCursor();
    GDL_Event move = Move(400, 300);
    GDL_postEvent(&move);
    PollEvent();
    RestoreCursor();
    cursorInBackPage = 1;
    DrawCursorInBackPage();
    PresentCursor();
    DrawCursorAt(10, 10);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), display) << "the page never holds the pointer";
    EXPECT_EQ(Snapshot(backPage), back);
    EXPECT_EQ(GDL_hardwareCursor()->width, 22) << "the busy shape and back";
    ResetCursor();
    EXPECT_EQ(GDL_hardwareCursor()->width, 12);

    // Headless, where no windowing system draws it, the game's own pointer stays.
    GDL_setHeadlessCursorTaken(false);
    cursorInBackPage = 0;
    SetCursorShape(1);  // 16 x 16
    ShowCursor();
    EXPECT_EQ(CountInRow(displaySurface, 305, 101), 16);
}

TEST_F(InputTest, TooFewOrTooLargeShapes) {
    WriteBytes("pointers.256", PointerBank({{8, 8, 0, 0}, {8, 8, 0, 0}, {8, 8, 0, 0}}));
    EXPECT_EQ(InitMouse(), 0u);
    EXPECT_NE(LogText().find("num_mice = 3\r\n"), std::string::npos);
    FreeMouse();

    std::vector<Shape> shapes = EightShapes();
    shapes[1] = {70, 100, 0, 0};
    LogReset();
    LoadPointers(shapes);
    EXPECT_EQ(LogText(), "ERROR: pointer shape 1 is 70x100, cut to 60x96\r\n");
    const std::vector<uint8_t> before = Snapshot(displaySurface);
    SetCursorShape(1);
    SetPointerPos(0, 0);
    ShowCursor();
    EXPECT_EQ(CountInRow(displaySurface, 0, 101), 60);
    EXPECT_EQ(CountInRow(displaySurface, 95, 101), 60);
    EXPECT_EQ(CountInRow(displaySurface, 96, 101), 0);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), before);
}

TEST_F(InputTest, ControlDOpensTheDebugOptions) {
    // The list dialog is 144 by 168, centred: item 2's box at (264, 220), Okay at
    // (252, 274), Cancel at (324, 274).
    debugLog = 1;
    std::vector<GDL_Event> script = {KeyPress(kScanD, 4, GDL_STATE_CONTROL), Tick()};
    AddClick(&script, 268, 224);
    AddClick(&script, 260, 280);
    StartScript(script);
    PollEvent();
    EXPECT_EQ(ScriptLeft(), 0u);
    EXPECT_EQ(debugLog, 0u) << "Debug Off ticked, then Okay";
    EXPECT_EQ(keyChar, 0);

    debugLog = 1;
    std::vector<GDL_Event> cancel = {KeyPress(kScanD, 4, GDL_STATE_CONTROL), Tick()};
    AddClick(&cancel, 268, 224);
    AddClick(&cancel, 330, 280);
    StartScript(cancel);
    PollEvent();
    EXPECT_EQ(debugLog, 1u) << "Cancel leaves it";

    StartScript({KeyPress(kScanD, 'd'), KeyRelease(kScanD, 'd')});
    PollEvent();
    EXPECT_EQ(keyChar, 'd') << "without control it is just a key";
}

}  // namespace
