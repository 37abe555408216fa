#pragma once
#include <cstdint>

struct Button;

// Screen 0, the player roster: five saved games by name and money, chosen,
// created and deleted here, with the current player's music switch and volume.

void DrawRosterScreen();
void ExitRosterScreen();
void DoRosterScreen();
// Repaints the whole roster and applies the current player's music and volume.
void RefreshRoster();

void DrawRosterList();
void ApplyVolume();

void SelectPlayer(int32_t slot);
void NewGame(int32_t arg);
void DeleteGame(int32_t arg);
void ToggleMusic(int32_t arg);
void DragVolume(int32_t arg);

// The roster's button list, for tests.
Button* RosterButtons();

// Slots on the roster screen: the first five records.
constexpr int kRosterSlots = 5;
