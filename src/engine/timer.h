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

// Rests until the clock reaches `due` (a TimerCount time) or an event of
// `events` (a GDL_EVENT mask; 0 for none) is queued, with what was drawn shown
// first; other input may end it early. What a loop waiting on a sound with
// something due now and then calls between looks. At once on the virtual
// clock: there time moves as it is read, and a rest would change it.
void TimerRestUntil(uint32_t due, uint32_t events);

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
