#pragma once
#include <cstdint>

// Modal dialogs built from a table of items, and the one-line text entry.
// Texts separate lines, buttons and list items with "|".

// One record of a dialog table.
struct DialogItem {
    uint8_t type;     // kItem... value
    uint32_t style;   // variant of the type (low byte)
    uint32_t colour;  // palette index (low byte)
    const char* text;
    int32_t x, y;  // dialog coordinates, screen coordinates once centred
    int32_t w, h;
};

constexpr uint8_t kItemFree = 0;
constexpr uint8_t kItemFrame = 1;
constexpr uint8_t kItemText = 2;
constexpr uint8_t kItemButton = 4;
constexpr uint8_t kItemSeparator = 5;
constexpr uint8_t kItemTick = 10;
constexpr uint8_t kItemEnd = 128;

// The state of a text entry.
struct EditField {
    int32_t x, y, w, h;
    int32_t font;
    int32_t caretX;  // pixels from the field's left edge
    int32_t length;
    int32_t cursor;  // 0 to length
    char text[32];   // at most 30 characters and the zero
    uint8_t background;
};

constexpr int32_t kEditMaxChars = 30;
constexpr int32_t kEditMaxWidth = 140;

// Up to 6 lines and up to 3 buttons; returns the button clicked, 1 to 3 from
// the left (0 when there is no button to click).
uint32_t MessageDialog(const char* text, const char* buttons);

// A message box that also closes, answering 0, as soon as `dismissed` returns
// true (asked while no click comes); null: only a click closes it.
uint32_t MessageDialogUntil(const char* text, const char* buttons, bool (*dismissed)());

// Whether a message box can be shown: the display and its pages up and the
// dialog font loaded.
bool DialogsCanShow();

// Up to 10 items, the first ticked; returns the ticked item (1 to 10) after
// "Okay", 0 after "Cancel".
uint32_t ListDialog(const char* title, const char* items);

// Lets the player edit `buffer` (31 bytes, at most 30 characters). Returns 1
// on Enter with the text in `buffer`, 0 on Escape with `buffer` untouched.
uint32_t InputText(char* buffer);

// The key loop of a text entry: 1 on Enter, 0 on Escape.
uint32_t EditText(EditField* field);

// The pieces the dialogs are made of.
void DrawDialogItems(DialogItem* table, int32_t first, int32_t end);
void CenterDialog(DialogItem* table);
void SaveDialogBack(DialogItem* table, int32_t restore);
int32_t HitTest(const DialogItem* table, int32_t x, int32_t y);

// Takes one event; the pointer position goes to *x, *y. 1 on a left press.
uint32_t PollClick(int32_t* x, int32_t* y);

// The two dialog tables, as the last dialog laid them out.
const DialogItem* MessageDialogTable();
const DialogItem* ListDialogTable();

// The pointer as a dialog found it.
struct DialogPointer {
    int32_t shape;
    int32_t inBackPage;
};

// For a dialog of another module: takes the pointer over (drawn on the display,
// as the arrow) and counts the dialog as open.
DialogPointer BeginModalDialog();
// Counts it closed and gives the pointer back as it was; the caller has put
// the pages back first.
void EndModalDialog(const DialogPointer& pointer);

// Whether a message or list dialog is up; it is drawn on the back page.
bool DialogOpen();

// The table of the innermost dialog up, null when none is.
const DialogItem* TopDialogTable();

// Frees a held dialog background, as at start.
void ResetDialogs();
