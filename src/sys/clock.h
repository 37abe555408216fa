#pragma once
#include <cstdint>

// The system's millisecond clock: the one time source of the whole program.
// Monotonic, counts from an arbitrary origin, wraps at 2^32; callers only use
// differences between two readings.
uint32_t SysMilliseconds();

// The current reading without counting as a read: the virtual clock does not
// move on and the listener is not called (the sound layer's event-pump work
// looks at the time without taking any).
uint32_t SysPeekMilliseconds();

// The live reading for the display layer's own pacing: never recorded in a
// replay nor taken from one, and no listener is called.
uint32_t SysQuietMilliseconds();

// Switches to a virtual clock for the headless backend: it starts at `start`
// and every read advances it by 1 ms, so every busy wait ends and two runs of
// the same input see the same times.
void SysUseVirtualClock(uint32_t start);

// Back to the real monotonic clock.
void SysUseRealClock();

// True while the virtual clock is in use.
bool SysClockIsVirtual();

// Advances the virtual clock by `ms` (an event call or a mixed block of sound
// moves time on); does nothing on the real clock.
void SysAdvanceVirtualClock(uint32_t ms);

// Sleeps until the real clock reaches its next millisecond: a caller with
// nothing to do looks again exactly when a new reading is possible. Returns at
// once on the virtual clock.
void SysWaitForNextMillisecond();

// A routine called after every clock read with the time read, so the display
// layer can present while the game busy-waits. Null removes it.
using SysClockListener = void (*)(uint32_t now);
void SysSetClockListener(SysClockListener listener);
