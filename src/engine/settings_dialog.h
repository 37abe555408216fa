#pragma once
#include <cstdint>

// The settings dialog (F10 anywhere): a row for each setting the player may
// change while playing, Okay and Cancel. A change takes effect at once; Okay
// writes the settings file, Cancel puts every setting and the screen back as
// they were. Up and Down pick a row, Left and Right change it, a click on the
// left or right half of a value steps it down or up; Enter is Okay, Escape
// Cancel.

// Shows the dialog until it is answered: true after Okay. Returns false at
// once when it is already open or cannot be shown.
bool SettingsDialog();

// Whether the dialog is up.
bool SettingsDialogOpen();

// The rows, top to bottom.
enum SettingsRow : int32_t {
    kRowWindowScale,
    kRowFullscreen,
    kRowRenderer,
    kRowSoundVolume,
    kRowMusicVolume,
    kRowCaptions,
    kRowPauseOnFocusLoss,
    kRowMuteOnFocusLoss,
    kRowGamepad,
    kRowPointerSpeed,
    kRowHardwarePointer,
    kSettingsRowCount
};
