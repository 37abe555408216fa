#pragma once
#include <cstdint>

// The millisecond count of the program's clock; wraps at 2^32.
uint32_t TimerCount();

// TimerWait(0) marks the start of a step. TimerWait(ms) then spins until more
// than `ms` milliseconds have passed since the mark. A busy wait: it neither
// sleeps nor takes events, and never sets a new mark itself.
void TimerWait(uint32_t ms);

// Clears the mark, as at the start of a run.
void TimerReset();
