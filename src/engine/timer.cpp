#include "engine/timer.h"

#include "sys/clock.h"

namespace {

uint32_t timerMark = 0;

}  // namespace

uint32_t TimerCount() {
    return SysMilliseconds();
}

void TimerWait(uint32_t ms) {
    if (ms == 0) {
        timerMark = TimerCount();
        return;
    }
    while (TimerCount() - timerMark <= ms) {
    }
}

void TimerReset() {
    timerMark = 0;
}
