#pragma once
// The keys that work on every screen: F10 the settings dialog (pausing the
// hunt), F12 a screenshot into the pictures folder. And the window's focus:
// the hunt pauses while the window is away (PauseOnFocusLoss), the sound falls
// silent (MuteOnFocusLoss).

// Hands the keys to the input layer; GameInit does it.
void RegisterCommandKeys();

// The settings dialog over whatever is shown; the hunt's clock waits meanwhile.
void OpenSettings();

// Writes what the display shows as a PNG into "<pictures>/Talmadge Reed
// Gunner/" under a name with the date and time, and logs where; a failure is
// logged and changes nothing else.
void TakeScreenshot();

// The window lost (false) or got back (true) the focus; the reactivation
// callback tells.
void WindowFocusChanged(bool gained);

// Opens the pause box when the window went away during the hunt; it closes by
// itself when the window comes back. The main loop calls it before each pass.
void PauseWhileAway();

// Back to the state at start: the window has the focus, nothing pending.
void ResetCommandKeys();
