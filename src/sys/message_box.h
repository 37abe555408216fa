#pragma once

// A modal message with an OK button, for when the game cannot start. Headless
// (or without a desktop) it goes to standard error.
void SysMessageBox(const char* text, const char* title);
