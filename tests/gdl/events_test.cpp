#include <gtest/gtest.h>

#include <string>

#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "support/display_test.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

using EventsTest = DisplayTest;

GDL_Event Make(uint32_t type, uint32_t code, int32_t x = 0, int32_t y = 0) {
    GDL_Event event{};
    event.type = type;
    event.code = code;
    event.x = x;
    event.y = y;
    return event;
}

int pumps = 0;
void CountPump() {
    ++pumps;
}

TEST_F(EventsTest, OldestOfTheMaskComesFirst) {
    GDL_Event event = Make(GDL_EVENT_KEYDOWN, 'a' | (30 << 8));
    GDL_postEvent(&event);
    event = Make(GDL_EVENT_MOUSEMOVE, 0, 10, 20);
    GDL_postEvent(&event);
    event = Make(GDL_EVENT_MOUSEDOWN, GDL_BUTTON_LEFT, 11, 21);
    GDL_postEvent(&event);
    event = Make(GDL_EVENT_KEYUP, 'a' | (30 << 8));
    GDL_postEvent(&event);

    GDL_Event got{};
    ASSERT_EQ(GDL_getEvent(&got, GDL_EVENT_MOUSEDOWN), 1);
    EXPECT_EQ(got.type, GDL_EVENT_MOUSEDOWN);
    EXPECT_EQ(got.x, 11);
    EXPECT_EQ(got.serial, 3u);
    ASSERT_EQ(GDL_peekEvent(&got, GDL_EVENT_POINTER), 1);
    EXPECT_EQ(got.type, GDL_EVENT_MOUSEMOVE);
    ASSERT_EQ(GDL_getEvent(&got, GDL_EVENT_ALL), 1);
    EXPECT_EQ(got.type, GDL_EVENT_KEYDOWN);
    EXPECT_EQ(got.code, 'a' | (30u << 8));
    EXPECT_EQ(got.x, 320) << "a key event carries the pointer position";
    ASSERT_EQ(GDL_getEvent(&got, GDL_EVENT_ALL), 1);
    EXPECT_EQ(got.type, GDL_EVENT_MOUSEMOVE) << "peek left it in place";
    EXPECT_EQ(got.y, 20);
    EXPECT_EQ(GDL_getEvent(&got, GDL_EVENT_MOUSEDOWN | GDL_EVENT_TIMERTICK), 0);
    ASSERT_EQ(GDL_getEvent(&got, GDL_EVENT_ALL), 1);
    EXPECT_EQ(got.type, GDL_EVENT_KEYUP);

    got.type = 99;
    EXPECT_EQ(GDL_getEvent(&got, GDL_EVENT_ALL), 0);
    EXPECT_EQ(got.type, 0u) << "type 0 when there is none";
    EXPECT_EQ(GDL_peekEvent(&got, 0), 0);
}

TEST_F(EventsTest, FlushTakesOnlyTheMask) {
    for (uint32_t type : {GDL_EVENT_KEYDOWN, GDL_EVENT_MOUSEDOWN, GDL_EVENT_MOUSEUP,
                          GDL_EVENT_MOUSEDOWN, GDL_EVENT_KEYDOWN}) {
        const GDL_Event event = Make(type, 1);
        GDL_postEvent(&event);
    }
    GDL_flushEvents(GDL_EVENT_MOUSEDOWN);
    GDL_Event got{};
    std::string order;
    while (GDL_getEvent(&got, GDL_EVENT_ALL) != 0) {
        order += std::to_string(got.type) + " ";
    }
    EXPECT_EQ(order, "1 16 1 ");
    GDL_flushEvents(GDL_EVENT_ALL);  // on an empty queue
    EXPECT_EQ(GDL_peekEvent(&got, GDL_EVENT_ALL), 0);
}

TEST_F(EventsTest, QueueHoldsAHundredAndDropsTheRest) {
    int taken = 0;
    for (int i = 0; i < 130; ++i) {
        const GDL_Event event = Make(GDL_EVENT_KEYDOWN, static_cast<uint32_t>(i));
        taken += GDL_postEvent(&event);
    }
    EXPECT_EQ(taken, GDL_EVENT_QUEUE_SIZE);
    GDL_Event got{};
    int count = 0;
    uint32_t lastCode = 0;
    while (GDL_getEvent(&got, GDL_EVENT_ALL) != 0) {
        lastCode = got.code;
        ++count;
    }
    EXPECT_EQ(count, 100);
    EXPECT_EQ(lastCode, 99u) << "the newest input is what is lost";
    // Room again once emptied.
    const GDL_Event event = Make(GDL_EVENT_KEYUP, 5);
    EXPECT_EQ(GDL_postEvent(&event), 1);
}

TEST_F(EventsTest, EveryEventCallPumpsAndMovesTheVirtualClockOnAMillisecond) {
    pumps = 0;
    SysAddPumpListener(CountPump);
    GDL_Event got{};
    const uint32_t start = SysMilliseconds();  // itself a read: +1
    GDL_getEvent(&got, GDL_EVENT_ALL);
    GDL_peekEvent(&got, GDL_EVENT_ALL);
    GDL_flushEvents(GDL_EVENT_ALL);
    EXPECT_EQ(SysMilliseconds() - start, 4u);
    EXPECT_EQ(pumps, 3);
    SysRemovePumpListener(CountPump);

    // Events are stamped from the same clock.
    const GDL_Event event = Make(GDL_EVENT_KEYDOWN, 1);
    GDL_postEvent(&event);
    GDL_getEvent(&got, GDL_EVENT_ALL);
    EXPECT_EQ(got.time, start + 5);
}

TEST_F(EventsTest, ATimedWaitRestsToItsDueTimeInOneCall) {
    // The hunt's step falls due a tenth of a second and a millisecond after the
    // last: a rest cut at a tenth would find it not yet due and wait twice.
    const uint32_t virtualNow = SysPeekMilliseconds();
    SysUseRealClock();
    GDL_flushEvents(GDL_EVENT_ALL);
    const uint32_t due = SysMilliseconds() + 150;
    EXPECT_EQ(GDL_waitEvent(GDL_EVENT_ALL, true, due), 0);
    const auto early = static_cast<int32_t>(due - SysPeekMilliseconds());
    SysUseVirtualClock(virtualNow);
    EXPECT_LE(early, 0) << "woke before its time";
}

TEST_F(EventsTest, PointerPositionIsClampedToThePicture) {
    int32_t x = -1, y = -1;
    GDL_getMousePos(&x, &y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    GDL_Event event = Make(GDL_EVENT_MOUSEMOVE, 0, 700, -3);
    GDL_postEvent(&event);
    GDL_getMousePos(&x, &y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 0);
    GDL_Event got{};
    GDL_getEvent(&got, GDL_EVENT_ALL);
    EXPECT_EQ(got.x, 639);
    GDL_setMousePos(5, 480);
    GDL_getMousePos(&x, &y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 479);
}

TEST_F(EventsTest, AMoveNotTakenYetMovesOnInsteadOfQueueingAnother) {
    GDL_Event move = Make(GDL_EVENT_MOUSEMOVE, 0, 10, 20);
    ASSERT_EQ(GDL_postMotion(&move), 1);
    move.x = 30;
    GDL_postMotion(&move);
    GDL_Event press = Make(GDL_EVENT_MOUSEDOWN, GDL_BUTTON_LEFT, 30, 20);
    GDL_postEvent(&press);
    move.x = 40;
    GDL_postMotion(&move);  // behind the press: a new move
    move.state = GDL_STATE_LEFT;
    move.x = 50;
    GDL_postMotion(&move);  // other buttons held: a new move
    GDL_Event key = Make(GDL_EVENT_KEYDOWN, 'a' | (30 << 8));
    EXPECT_EQ(GDL_postMotion(&key), 0) << "moves only";

    std::string seen;
    GDL_Event got{};
    while (GDL_getEvent(&got, GDL_EVENT_ALL) != 0) {
        seen += std::to_string(got.type) + "@" + std::to_string(got.x) + " ";
    }
    EXPECT_EQ(seen, "32@30 8@30 32@40 32@50 ");
}

}  // namespace
