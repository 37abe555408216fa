#include "engine/timer.h"

#include "aud/aud.h"
#include "gdl/gdl_host.h"
#include "sys/clock.h"

namespace {

uint32_t timerMark = 0;

}  // namespace

// The sound library's counter is the program's one clock.
uint32_t TimerCount() {
    return AUD_ms_count();
}

void TimerWait(uint32_t ms) {
    if (ms == 0) {
        timerMark = TimerCount();
        return;
    }
    while (TimerCount() - timerMark <= ms) {
        TimerIdle();
    }
}

void TimerIdle() {
    SysWaitForNextMillisecond();
}

void TimerRestUntil(uint32_t due, uint32_t events) {
    if (SysClockIsVirtual()) {
        return;
    }
    if (static_cast<int32_t>(due - SysPeekMilliseconds()) <= 0) {
        TimerIdle();  // due already (a sound's end reckoned a little early)
        return;
    }
    GDL_waitEvent(events, true, due);
}

void TimerReset() {
    timerMark = 0;
}

namespace {
bool wakeWanted = false;
uint32_t wakeTime = 0;
}  // namespace

void WakeAt(uint32_t ms) {
    // Compared as a difference so that the clock's wrap does not matter.
    if (!wakeWanted || static_cast<int32_t>(ms - wakeTime) < 0) {
        wakeTime = ms;
    }
    wakeWanted = true;
}

bool TakeWakeTime(uint32_t* ms) {
    bool wanted = wakeWanted;
    if (wanted && ms != nullptr) {
        *ms = wakeTime;
    }
    wakeWanted = false;
    return wanted;
}
