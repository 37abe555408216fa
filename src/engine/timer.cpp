#include "engine/timer.h"

#include "aud/aud.h"

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
    }
}

void TimerReset() {
    timerMark = 0;
}
