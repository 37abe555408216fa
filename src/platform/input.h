#pragma once
#include <cstdint>
#include <span>

struct GDL_Surface;

// Input state, written by PollEvent; Do handlers read it and clear `action`.
extern int32_t pointerX;  // pointer position in screen pixels
extern int32_t pointerY;
extern int32_t action;      // what the last event asks for (kAction... values), 0 none
extern int32_t keyChar;     // character of the last key press, else 0
extern int32_t keyScan;     // scan code of the last key press, else 0
extern int32_t buttonHeld;  // 1 from a button press until its release

// 1 while the hunt composes the pointer into its back page; 0: drawn on the display.
extern int32_t cursorInBackPage;

// Number of pointer shapes loaded into graphic slots 0 onward.
extern int32_t num_mice;

constexpr int32_t kActionLeftPress = 1;
constexpr int32_t kActionRightPress = 2;
constexpr int32_t kActionMove = 4;
constexpr int32_t kActionLeftDrag = 5;
constexpr int32_t kActionRightDrag = 6;
constexpr int32_t kActionUp = 512;
constexpr int32_t kActionDown = 1024;
constexpr int32_t kActionLeft = 2048;
constexpr int32_t kActionRight = 4096;

// Keyboard scan codes the game reads.
constexpr int32_t kScanEscape = 1;
constexpr int32_t kScanBackspace = 14;
constexpr int32_t kScanEnter = 28;
constexpr int32_t kScanHome = 71;
constexpr int32_t kScanUp = 72;
constexpr int32_t kScanLeft = 75;
constexpr int32_t kScanRight = 77;
constexpr int32_t kScanEnd = 79;
constexpr int32_t kScanDown = 80;
constexpr int32_t kScanDelete = 83;
constexpr int32_t kScanD = 32;
constexpr int32_t kScanT = 20;
constexpr int32_t kScanM = 50;
constexpr int32_t kScanF10 = 0x44;
constexpr int32_t kScanF12 = 0x58;

// A hidden chord: Ctrl with one key, handled wherever the key is pressed.
struct HiddenChord {
    int32_t scan;
    void (*handler)();
};

// The chords the game reads (kept by the caller for as long as the game runs);
// a key pressed with Ctrl types no character whether or not it is a chord.
void SetHiddenChords(std::span<const HiddenChord> chords);

// Keys handled wherever they are pressed without Ctrl (the settings dialog's
// F10, the screenshot's F12), kept by the caller; the screens never see them.
void SetCommandKeys(std::span<const HiddenChord> keys);
// Runs the handler of a command key as if it were pressed (a pad's button
// standing for it); false when no such key is set.
bool RunCommandKey(int32_t scan);

// The largest pointer picture; larger shapes are cut to it.
constexpr int32_t kCursorMaxW = 60;
constexpr int32_t kCursorMaxH = 96;

// Loads the "pointers" bank and makes the pointer's surfaces. Returns 1, or 0
// when fewer than 8 shapes load.
uint32_t InitMouse();
void FreeMouse();

// Takes at most one event and turns it into the input state.
void PollEvent();

void SetCursorShape(int32_t n);
int32_t GetCursorShape();

// Draw the pointer with save-under / put the saved pixels back, on the display
// or, in the pointer mode, on the back page.
void ShowCursor();
void HideCursor();
void ShowCursorOn(GDL_Surface* surface);
void HideCursorOn(GDL_Surface* surface);

void BusyCursor();     // the busy shape, remembering the current one
void RestoreCursor();  // back to the shape BusyCursor remembered
void ResetCursor();    // the arrow

// On the display: put back the old pixels, save and draw at the new position.
void MoveCursor();

// The hunt's pointer: save the back page under the new position and draw there;
// then copy the old and the new rectangle to the display, the rows that changed
// only (PresentCursor returns the bytes copied).
void DrawCursorInBackPage();
int64_t PresentCursor();

// Draws the pointer for position (x, y) into the back page without saving.
void DrawCursorAt(int32_t x, int32_t y);

void SetPointerPos(int32_t x, int32_t y);
void SyncCursorPos();

// Waits until a press that has been seen is released, then clears the click.
void DrainMouse();

// Takes one pointer event: a press sets *held and the position, a release clears
// *held, a move sets the position. Always clears buttonHeld.
void ReadMouse(int32_t* x, int32_t* y, int32_t* held);

// Drops queued button presses.
void FlushClicks();

// Back to the state at start: no shapes, surfaces destroyed, input cleared.
void ResetInput();

// The gamepad (pad.cpp): its moves, presses and keys arrive as the mouse's
// and keyboard's do. StartPad (from InitMouse, when the Gamepad setting is on)
// has every event call read the pad; StopPad ends that.
void StartPad();
void StopPad();

// Where the D-pad may jump the pointer: the current screen's button centres,
// asked from the layer that knows the buttons. Writes up to `room`, returns how many.
struct PadTarget {
    int32_t x, y;
};
using PadTargetSource = int32_t (*)(PadTarget* targets, int32_t room);
void SetPadTargetSource(PadTargetSource source);

// While a text entry runs, the D-pad types (up and down walk the letter at the
// caret, right moves on, left erases) and A is Enter.
void SetPadTextEntry(bool on);

// StopPad, and the hooks forgotten.
void ResetPad();
