// The pad through SDL's virtual joystick, headless: what each input becomes in
// the event queue, the stick's dead zone, curve and clock, hot-plug and the
// Gamepad switch.
#include <string>
#include <vector>

#include "engine/config.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/input.h"
#include "support/display_test.h"
#include "sys/clock.h"

namespace {

struct Seen {
    uint32_t type;
    uint32_t code;
    int32_t x, y;
    uint32_t state;
    bool operator==(const Seen&) const = default;
};

std::vector<PadTarget> fakeTargets;
int32_t FakeTargets(PadTarget* targets, int32_t room) {
    int32_t count = 0;
    for (const PadTarget& target : fakeTargets) {
        if (count < room) {
            targets[count++] = target;
        }
    }
    return count;
}

class PadTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ResetInput();
        gamepadOn = 1;
        pointerSpeed = 100;
        fakeTargets.clear();
        StartPad();
        ASSERT_TRUE(GDL_padPlugVirtual());
        GDL_setMousePos(100, 100);
        Pass(1);  // the pad's first reading: plugged in
    }
    void TearDown() override {
        ResetInput();
        ResetSettings();
        DisplayTest::TearDown();
    }
    static void Button(int32_t button, bool down) {
        ASSERT_TRUE(GDL_padSetVirtual(GDL_PadInput::Button, button, down ? 1 : 0));
    }
    static void Axis(int32_t axis, int32_t value) {
        ASSERT_TRUE(GDL_padSetVirtual(GDL_PadInput::Axis, axis, value));
    }
    // `ms` of the clock in passes of 10 (the game's loop), taking every event.
    std::vector<Seen> Pass(uint32_t ms) {
        std::vector<Seen> seen;
        for (uint32_t done = 0; done < ms; done += 10) {
            SysAdvanceVirtualClock(std::min<uint32_t>(10, ms - done));
            // Up to a move: each event call reads the pad again, and a
            // moving stick always has a new one.
            GDL_Event event{};
            while (GDL_getEvent(&event, GDL_EVENT_ALL) != 0) {
                seen.push_back({event.type, event.code, event.x, event.y, event.state});
                if (event.type == GDL_EVENT_MOUSEMOVE) {
                    break;
                }
            }
        }
        return seen;
    }
    // Held `ms` with the stick at (x, y); returns how far the pointer went.
    // `elapsed` gets the clock's time meanwhile (the event calls add theirs).
    int32_t Travel(int32_t x, int32_t y, uint32_t ms, uint32_t* elapsed = nullptr) {
        GDL_setMousePos(100, 100);
        Axis(GDL_PAD_LEFT_X, x);
        Axis(GDL_PAD_LEFT_Y, y);
        const uint32_t start = SysPeekMilliseconds();
        Pass(ms);
        if (elapsed != nullptr) {
            *elapsed = SysPeekMilliseconds() - start;
        }
        Axis(GDL_PAD_LEFT_X, 0);
        Axis(GDL_PAD_LEFT_Y, 0);
        Pass(10);
        int32_t px = 0, py = 0;
        GDL_getMousePos(&px, &py);
        return (px - 100) + (py - 100);
    }
    static int32_t KeyScan(const Seen& seen) { return static_cast<int32_t>(seen.code >> 8) & 0xFF; }
};

TEST_F(PadTest, TheStickMovesThePointerByTheClockPastItsDeadZone) {
    EXPECT_EQ(Travel(7000, -7000 / 2, 250), 0) << "inside the dead zone";
    // Full tilt: 640 pixels a second of the game's clock.
    uint32_t elapsed = 0;
    const int32_t full = Travel(32767, 0, 250, &elapsed);
    EXPECT_NEAR(full, static_cast<int32_t>(elapsed * 640 / 1000), 8) << elapsed;
    EXPECT_NEAR(Travel(0, 32767, 250), full, 2) << "down as right";
    // Halfway past the dead zone: the curve gives a quarter of the speed.
    EXPECT_NEAR(Travel(8000 + (32767 - 8000) / 2, 0, 250), full / 4, 2);
    pointerSpeed = 50;
    EXPECT_NEAR(Travel(32767, 0, 250), full / 2, 2);
    pointerSpeed = 100;
    Axis(GDL_PAD_TRIGGER_RIGHT, 32767);
    EXPECT_NEAR(Travel(32767, 0, 250), full * 3 / 10, 2) << "a held trigger aims";
    Axis(GDL_PAD_TRIGGER_RIGHT, 0);
    // A long rest between readings moves it no further than a tenth of a second would.
    GDL_setMousePos(100, 100);
    Axis(GDL_PAD_LEFT_X, 32767);
    SysAdvanceVirtualClock(5000);
    Pass(1);
    int32_t x = 0, y = 0;
    GDL_getMousePos(&x, &y);
    EXPECT_LE(x, 100 + 65);
    // And never off the picture.
    Pass(2000);
    GDL_getMousePos(&x, &y);
    EXPECT_EQ(x, 639);
}

TEST_F(PadTest, MovesAreMergedUntilTheGameTakesThem) {
    Axis(GDL_PAD_LEFT_X, 32767);
    for (int i = 0; i < 50; ++i) {
        SysAdvanceVirtualClock(10);
        GDL_peekEvent(nullptr, 0);  // an event call that takes nothing
    }
    const std::vector<Seen> seen = Pass(1);
    ASSERT_EQ(seen.size(), 1u) << "one move, where the pointer is now";
    int32_t x = 0, y = 0;
    GDL_getMousePos(&x, &y);
    EXPECT_EQ(seen[0].x, x);
    EXPECT_GT(x, 400);
}

TEST_F(PadTest, ButtonsBecomeTheMouseAndKeyboardEvents) {
    Button(GDL_PAD_A, true);
    Button(GDL_PAD_B, true);
    Button(GDL_PAD_START, true);
    Button(GDL_PAD_BACK, true);
    std::vector<Seen> seen = Pass(10);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0], (Seen{GDL_EVENT_MOUSEDOWN, GDL_BUTTON_LEFT, 100, 100, GDL_STATE_LEFT}));
    EXPECT_EQ(seen[1], (Seen{GDL_EVENT_MOUSEDOWN, GDL_BUTTON_RIGHT, 100, 100,
                             GDL_STATE_LEFT | GDL_STATE_RIGHT}));
    EXPECT_EQ(seen[2].type, GDL_EVENT_KEYDOWN);
    EXPECT_EQ(KeyScan(seen[2]), kScanEscape);
    EXPECT_EQ(seen[3].type, GDL_EVENT_KEYUP);
    EXPECT_EQ(seen[4].type, GDL_EVENT_KEYDOWN);
    EXPECT_EQ(KeyScan(seen[4]), kScanF10) << "Back is the settings key";
    EXPECT_EQ(seen[5].type, GDL_EVENT_KEYUP);
    EXPECT_TRUE(Pass(100).empty()) << "held is not pressed again";

    Button(GDL_PAD_A, false);
    Button(GDL_PAD_B, false);
    Button(GDL_PAD_START, false);
    Button(GDL_PAD_BACK, false);
    seen = Pass(10);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (Seen{GDL_EVENT_MOUSEUP, GDL_BUTTON_LEFT, 100, 100, GDL_STATE_RIGHT}));
    EXPECT_EQ(seen[1], (Seen{GDL_EVENT_MOUSEUP, GDL_BUTTON_RIGHT, 100, 100, 0}));
}

TEST_F(PadTest, PulledOutLeavesThePointerAndNoPressHeld) {
    Button(GDL_PAD_A, true);
    Axis(GDL_PAD_LEFT_X, 32767);
    Pass(100);
    int32_t x = 0, y = 0;
    GDL_getMousePos(&x, &y);
    ASSERT_GT(x, 120);
    GDL_padUnplugVirtual();
    std::vector<Seen> seen = Pass(100);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (Seen{GDL_EVENT_MOUSEUP, GDL_BUTTON_LEFT, x, y, 0}));
    int32_t after = 0;
    GDL_getMousePos(&after, &y);
    EXPECT_EQ(after, x);

    // Plugged in again with A already down: that is its rest, not a click.
    ASSERT_TRUE(GDL_padPlugVirtual());
    Button(GDL_PAD_A, true);
    EXPECT_TRUE(Pass(50).empty());
    Button(GDL_PAD_A, false);
    Button(GDL_PAD_B, true);
    seen = Pass(10);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, GDL_BUTTON_RIGHT) << "the new pad works";
}

TEST_F(PadTest, TheDPadJumpsToTheNearestButtonAhead) {
    auto jump = [&](int32_t button) {
        Button(button, true);
        Pass(10);
        Button(button, false);
        Pass(10);
        int32_t x = 0, y = 0;
        GDL_getMousePos(&x, &y);
        return std::pair{x, y};
    };
    EXPECT_EQ(jump(GDL_PAD_RIGHT), std::pair(100, 100)) << "nowhere to go without buttons";
    SetPadTargetSource(FakeTargets);
    fakeTargets = {{100, 100}, {300, 110}, {300, 300}, {500, 100}, {102, 400}};
    EXPECT_EQ(jump(GDL_PAD_RIGHT), std::pair(300, 110)) << "nearer ahead beats straighter";
    EXPECT_EQ(jump(GDL_PAD_RIGHT), std::pair(500, 100));
    EXPECT_EQ(jump(GDL_PAD_LEFT), std::pair(300, 110));
    EXPECT_EQ(jump(GDL_PAD_DOWN), std::pair(300, 300));
    EXPECT_EQ(jump(GDL_PAD_LEFT), std::pair(102, 400)) << "sideways counts double";
    EXPECT_EQ(jump(GDL_PAD_UP), std::pair(100, 100));
    EXPECT_EQ(jump(GDL_PAD_LEFT), std::pair(100, 100)) << "nothing further left";
}

TEST_F(PadTest, InATextEntryTheDPadWalksTheLetterAtTheCaret) {
    SetPadTextEntry(true);
    std::string typed;
    auto press = [&](int32_t button) {
        Button(button, true);
        for (const Seen& seen : Pass(10)) {
            if (seen.type != GDL_EVENT_KEYDOWN) {
                continue;
            }
            const int32_t scan = KeyScan(seen);
            if (scan == kScanBackspace) {
                typed += '<';
            } else if (scan == kScanRight) {
                typed += '>';
            } else if (scan == kScanEnter) {
                typed += '!';
            } else {
                typed += static_cast<char>(seen.code & 0xFF);
            }
        }
        Button(button, false);
        Pass(10);
    };
    for (int32_t button : {GDL_PAD_UP, GDL_PAD_UP, GDL_PAD_RIGHT, GDL_PAD_DOWN, GDL_PAD_DOWN,
                           GDL_PAD_RIGHT, GDL_PAD_RIGHT, GDL_PAD_LEFT, GDL_PAD_A}) {
        press(button);
    }
    // A, then B over it; on; z then y over it; on; the caret on; an erase; Enter.
    EXPECT_EQ(typed, "A<Bz<y><!");
    SetPadTextEntry(false);
    Button(GDL_PAD_A, true);
    const std::vector<Seen> seen = Pass(10);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, GDL_EVENT_MOUSEDOWN) << "outside a text entry A clicks";
}

TEST_F(PadTest, GamepadZeroReadsNoPad) {
    StopPad();
    gamepadOn = 0;
    StartPad();
    ASSERT_TRUE(GDL_padPlugVirtual());
    Button(GDL_PAD_A, true);
    Axis(GDL_PAD_LEFT_X, 32767);
    EXPECT_TRUE(Pass(200).empty());
    int32_t x = 0, y = 0;
    GDL_getMousePos(&x, &y);
    EXPECT_EQ(x, 100);
}

}  // namespace
