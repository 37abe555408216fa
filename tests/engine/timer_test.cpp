#include "engine/timer.h"

#include <chrono>

#include "support/temp_dir.h"
#include "sys/clock.h"

namespace {

using TimerTest = ScratchTest;

TEST_F(TimerTest, WaitHoldsStrictlyLongerThanAsked) {
    // Measured with a clock of its own: more than 10 counts means at least 10 ms.
    auto before = std::chrono::steady_clock::now();
    TimerWait(0);
    TimerWait(10);
    auto elapsed = std::chrono::steady_clock::now() - before;
    EXPECT_GE(elapsed, std::chrono::milliseconds(10));
}

TEST_F(TimerTest, VirtualClockMakesWaitsExact) {
    SysUseVirtualClock(1000);
    TimerWait(0);                    // reads 1000
    TimerWait(10);                   // reads 1001 .. 1011, the first > 10 past the mark
    EXPECT_EQ(TimerCount(), 1012u);  // the next read
    TimerWait(0);                    // mark 1013
    TimerWait(2000);
    EXPECT_EQ(TimerCount(), 1013u + 2001u + 1u);
}

TEST_F(TimerTest, WaitAcrossTheWrapOfTheCount) {
    SysUseVirtualClock(0xFFFFFFF0u);
    TimerWait(0);
    TimerWait(40);
    uint32_t now = TimerCount();
    EXPECT_LT(now, 0x100u) << "the count wrapped";
    EXPECT_EQ(now - 0xFFFFFFF0u, 42u);
}

TEST_F(TimerTest, WaitWithoutMarkMeasuresFromZero) {
    SysUseVirtualClock(5000);
    TimerWait(100);  // the mark is still 0 and 5000 > 100: returns after one read
    EXPECT_EQ(TimerCount(), 5001u);
}

uint32_t lastHeard = 0;
int heardCount = 0;

void Listener(uint32_t now) {
    lastHeard = now;
    ++heardCount;
    SysMilliseconds();  // a listener that reads the clock must not recurse
}

TEST_F(TimerTest, ClockListenerHearsEveryRead) {
    SysUseVirtualClock(50);
    heardCount = 0;
    SysSetClockListener(Listener);
    EXPECT_EQ(TimerCount(), 50u);
    EXPECT_EQ(lastHeard, 50u);
    TimerCount();
    EXPECT_EQ(heardCount, 2);
    SysSetClockListener(nullptr);
    TimerCount();
    EXPECT_EQ(heardCount, 2);
    SysAdvanceVirtualClock(100);
    EXPECT_EQ(TimerCount(), 50u + 5u + 100u) << "three reads of ours, two of the listener";
}

}  // namespace
