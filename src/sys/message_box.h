#pragma once

// A modal message with an OK button, for when the game cannot start or go on:
// one line "title: text" on standard error, then, with a desktop (not
// headless), a box that closes on Enter, a click on OK, its close button,
// SIGINT or SIGTERM. Returns when the box is gone.
void SysMessageBox(const char* text, const char* title);

// The same line on standard error alone, for failures before there is a display.
void SysErrorLine(const char* text, const char* title);
