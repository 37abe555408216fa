#pragma once
#include <cstdint>

// The millisecond count of the program's clock; wraps at 2^32.
uint32_t TimerCount();

// TimerWait(0) marks the start of a step. TimerWait(ms) then waits until more
// than `ms` milliseconds have passed since the mark, looking at the clock once
// a millisecond. It takes no events and never sets a new mark itself.
void TimerWait(uint32_t ms);

// Rests until the clock's next millisecond: what a loop waiting on the clock
// or a sound calls between looks, so it does not spin a core. Returns at once
// on the virtual clock.
void TimerIdle();

// Clears the mark, as at the start of a run.
void TimerReset();

// Asks the main loop to run the current screen's Do handler again by `ms` (a
// TimerCount time) even when no input comes: the hunt's next animation step or
// game minute. The loop keeps the earliest time asked for since its last pass
// and otherwise sleeps until an event arrives.
void WakeAt(uint32_t ms);
// The earliest time asked for since the last call, and whether there is one;
// the main loop takes it once per pass.
bool TakeWakeTime(uint32_t* ms);
