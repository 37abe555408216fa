#pragma once

// Which backend the stand-ins run on. Headless means no window, no video and
// no sound device, and the virtual clock: the same game code runs under tests
// deterministically. Chosen by the environment variable REEDGUNNER_HEADLESS
// (set and not "0") or by SysSetHeadless before the display comes up.
bool SysHeadless();

// Turns headless mode on (switching to the virtual clock, started at
// kVirtualClockStart) or off (back to the real clock).
void SysSetHeadless(bool on);

// Where the virtual clock starts, so two runs see the same times.
constexpr unsigned kVirtualClockStart = 100000;

// Work to do on the main thread whenever the display layer pumps its events
// (the sound layer delivers its end-of-sample callbacks this way).
using SysPumpListener = void (*)();
void SysAddPumpListener(SysPumpListener listener);
void SysRemovePumpListener(SysPumpListener listener);

// Runs every pump listener once, in the order added.
void SysPump();
