#include "sys/clock.h"

#include <errno.h>
#include <time.h>

#include "sys/replay.h"

namespace {

bool virtualClock = false;
uint32_t virtualNow = 0;
SysClockListener clockListener = nullptr;
bool inListener = false;

uint32_t RealMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    // Unsigned arithmetic wraps at 2^32 as the callers expect.
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

}  // namespace

uint32_t SysMilliseconds() {
    uint32_t now;
    if (SysReplayPlaying()) {
        now = SysReplayTakeClock();
    } else if (virtualClock) {
        now = virtualNow++;
    } else {
        now = RealMilliseconds();
    }
    SysReplayPutClock(now);
    // The listener may itself read the clock; do not recurse into it.
    if (clockListener != nullptr && !inListener) {
        inListener = true;
        clockListener(now);
        inListener = false;
    }
    return now;
}

uint32_t SysPeekMilliseconds() {
    if (SysReplayPlaying()) {
        return SysReplayTakeClock();
    }
    const uint32_t now = SysQuietMilliseconds();
    SysReplayPutClock(now);
    return now;
}

uint32_t SysQuietMilliseconds() {
    return virtualClock ? virtualNow : RealMilliseconds();
}

void SysUseVirtualClock(uint32_t start) {
    virtualClock = true;
    virtualNow = start;
}

void SysUseRealClock() {
    virtualClock = false;
}

bool SysClockIsVirtual() {
    // A replay takes the same turns as the session it was recorded from.
    if (SysReplayPlaying()) {
        return SysReplayClockVirtual();
    }
    return virtualClock;
}

void SysAdvanceVirtualClock(uint32_t ms) {
    if (virtualClock) {
        virtualNow += ms;
    }
}

void SysWaitForNextMillisecond() {
    // A replay keeps its pace as it reads the clock.
    if (virtualClock || SysReplayPlaying()) {
        return;
    }
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    // The start of the next whole millisecond of the same clock RealMilliseconds reads.
    ts.tv_nsec = (ts.tv_nsec / 1000000 + 1) * 1000000;
    if (ts.tv_nsec >= 1000000000) {
        ts.tv_nsec -= 1000000000;
        ++ts.tv_sec;
    }
    // Interrupted by a signal: sleep on to the same moment.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void SysSetClockListener(SysClockListener listener) {
    clockListener = listener;
}
