#pragma once
// Screen 5, the regulations: an overlay of the hunt with the club's rules, and
// a second page with a picture.
#include <cstdint>

struct Button;

void DrawRegsScreen();
void RestoreRegsButtons();  // the Exit handler: the hunt's pixels back under the buttons
void DoRegsScreen();
void DrawRegsPage();

void ToggleRegsPage(int32_t arg);
void ExitRegs(int32_t arg);

Button* RegsButtons();
