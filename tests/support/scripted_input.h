#pragma once
#include <cstdint>
#include <vector>

#include "gdl/gdl.h"

// Feeds events to the game one at a time, as a player would: each time the
// display layer pumps its messages (every event call), the next event of the
// script reaches the queue. A modal loop that flushes the queue when it opens
// therefore loses exactly one event: scripts put a Tick() there.
void StartScript(const std::vector<GDL_Event>& events);
void StopScript();
// Events of the script not yet fed.
size_t ScriptLeft();

GDL_Event KeyPress(int32_t scan, int32_t character, uint32_t state = 0);
GDL_Event KeyRelease(int32_t scan, int32_t character, uint32_t state = 0);
GDL_Event Press(int32_t x, int32_t y, uint32_t button = GDL_BUTTON_LEFT);
GDL_Event Release(int32_t x, int32_t y, uint32_t button = GDL_BUTTON_LEFT);
GDL_Event Move(int32_t x, int32_t y, uint32_t state = 0);
GDL_Event Tick();

// A press and its release at one point.
void AddClick(std::vector<GDL_Event>* script, int32_t x, int32_t y);
