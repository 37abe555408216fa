#pragma once
// The hunt's panel: the icon bar set up from the player's belongings, the
// quit, pause, regulations, game bag and decoy icons, the hunt's clock with
// dawn and dusk, the shell counters and the decoys on the water.
#include <cstdint>

struct Button;

// Animation steps come more than 100 ms apart; a game minute takes 401 ms.
constexpr uint32_t kAnimStepMs = 100;
constexpr uint32_t kGameMinuteMs = 401;

// The eight buttons of the icon bar.
Button* IconBar();
// The button under the pointer gets the click (its handler reads the action).
void ClickIconBar();

void InitInterfaceIcons();
void QuitHunt(int32_t arg);
void PauseHunt(int32_t arg);
// The pause box, also closed as soon as `resume` returns true (null: only by
// its button).
void PauseHuntUntil(bool (*resume)());
// Moves the next step and minute on by `ms`: time spent in a dialog that
// pauses the hunt is not the hunt's.
void DelayHuntClock(uint32_t ms);
void ShowRegulations(int32_t arg);
void ShowGameBag(int32_t arg);
void ToggleDecoys(int32_t arg);

// Game time: sets animTick when a step is due and moves the clock on a minute
// every 401 ms, fading the light at dawn and dusk.
void TickClock();
// The face from the work page and the hands at the hunt's time, on the back page.
void DrawClock();
// Just the two hands at hour:minute, over whatever the back page holds.
void DrawClockHands(int32_t hour, int32_t minute);
void PresentClock();
void DrawScore();
void PresentScore();

// Up to `count` decoys of `kind` on map cells holding `mapValue`.
void PlaceDecoys(int32_t kind, int32_t count, int32_t mapValue);
// The decoy map: a cell for each 4 by 4 pixels of the screen; the value on
// cells with open water round them.
constexpr int32_t kDecoyMapW = 160, kDecoyMapH = 120;
constexpr int32_t kOpenWater = 117;
// The decoys put out on the work page: three of each kind, twice over, on open water.
void SpreadDecoys();

// Clock face and counter areas.
constexpr int32_t kClockX = 96, kClockY = 426, kClockW = 48, kClockH = 43;
constexpr int32_t kLoadedX = 490, kLoadedY = 436, kLoadedW = 32, kLoadedH = 32;
constexpr int32_t kBoxX = 586, kBoxY = 436, kBoxW = 48, kBoxH = 32;
