#include "engine/dialogs.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "engine/draw.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"

namespace {

constexpr int kMaxLines = 6;
constexpr int kMaxButtons = 3;
constexpr int kMaxItems = 10;
constexpr int kFirstLine = 1;    // message box: records 1 to 6 hold the lines
constexpr int kFirstButton = 7;  // records 7 to 9 the buttons
constexpr int kFirstItem = 3;    // list dialog: records 3 to 12 the items
constexpr int kOkayButton = 13;
constexpr int kCancelButton = 14;
constexpr int32_t kCaretBlinkMs = 300;
constexpr int32_t kLabelMargin = 8;  // from a button's edge to its label

// The message box: the frame, six lines, three buttons, a free record, the end.
std::array<DialogItem, 12> messageTable = {{
    {kItemFrame, 5, 230, nullptr, 0, 0, 0, 0},
    {kItemFree, 12, 0, nullptr, 0, 0, 0, 16},
    {kItemFree, 12, 0, nullptr, 0, 0, 0, 16},
    {kItemFree, 12, 0, nullptr, 0, 0, 0, 16},
    {kItemFree, 12, 0, nullptr, 0, 0, 0, 16},
    {kItemFree, 12, 0, nullptr, 0, 0, 0, 16},
    {kItemFree, 12, 0, nullptr, 0, 0, 0, 16},
    {kItemFree, 4, 217, nullptr, 0, 0, 64, 40},
    {kItemFree, 4, 217, nullptr, 0, 0, 64, 40},
    {kItemFree, 4, 217, nullptr, 0, 0, 64, 40},
    {kItemFree, 0, 0, nullptr, 0, 0, 0, 0},
    {kItemEnd, 0, 0, nullptr, 0, 0, 0, 0},
}};

// The list dialog: frame, title, separator, ten items, Okay, Cancel, free, end.
std::array<DialogItem, 17> listTable = {{
    {kItemFrame, 5, 230, nullptr, 0, 0, 0, 0},
    {kItemText, 12, 0, nullptr, 0, 4, 0, 16},
    {kItemSeparator, 0, 255, nullptr, 1, 35, 0, 0},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemFree, 0, 217, nullptr, 16, 0, 13, 13},
    {kItemButton, 4, 217, "Okay", 0, 0, 64, 40},
    {kItemButton, 4, 217, "Cancel", 0, 0, 64, 40},
    {kItemFree, 0, 0, nullptr, 0, 0, 0, 0},
    {kItemEnd, 0, 0, nullptr, 0, 0, 0, 0},
}};

int32_t openDialogs = 0;  // nested when a chord opens one over another
// The open dialogs' tables, innermost last (deeper nests are not remembered).
std::array<const DialogItem*, 4> openTables = {};
// The back-page area under each open dialog, outermost first, so a chord's
// dialog over another gives back the outer one's picture when it closes.
// Nests deeper than this share the last one.
std::array<void*, 4> dialogBacks = {};

void*& DialogBack() {
    return dialogBacks[static_cast<size_t>(
        std::clamp(openDialogs, 0, static_cast<int32_t>(dialogBacks.size()) - 1))];
}

using PointerState = DialogPointer;

// Splits a copy at "|", dropping empty pieces, keeping at most `limit`.
std::vector<char*> SplitPieces(std::string& copy, size_t limit) {
    std::vector<char*> pieces;
    char* rest = copy.data();
    char* save = nullptr;
    for (char* piece = strtok_r(rest, "|", &save); piece != nullptr && pieces.size() < limit;
         piece = strtok_r(nullptr, "|", &save)) {
        pieces.push_back(piece);
    }
    return pieces;
}

// Puts the pointer on the display in its arrow shape for the dialog.
PointerState TakeOverPointer() {
    PointerState saved{GetCursorShape(), cursorInBackPage};
    if (cursorInBackPage == 1) {
        HideCursorOn(backPage);
    }
    HideCursorOn(displaySurface);
    SetCursorShape(kArrowPointer);
    cursorInBackPage = 0;
    return saved;
}

// Centres, saves what lies under the dialog, shades its shadow, draws and shows it.
void OpenDialog(DialogItem* table, int32_t end) {
    CenterDialog(table);
    SaveDialogBack(table, 0);
    ShadeRect(table[0].x + 10, table[0].y + 10, table[0].w, table[0].h);
    DrawDialogItems(table, 0, end);
    ShowBackPage();
    ShowCursor();
    // A release queued with the press that opened the dialog (a tap) is kept:
    // flushed, the button would stay held and the dialog's first click be
    // taken for a second press.
    GDL_flushEvents(GDL_EVENT_ALL & ~GDL_EVENT_MOUSEUP);
    if (openDialogs >= 0 && openDialogs < static_cast<int32_t>(openTables.size())) {
        openTables[static_cast<size_t>(openDialogs)] = table;
    }
    ++openDialogs;
}

// Gives the back page and display back as they were and the pointer its state.
void CloseDialog(DialogItem* table, const PointerState& saved) {
    --openDialogs;
    SaveDialogBack(table, 1);
    ShowBackPage();
    SetCursorShape(saved.shape);
    cursorInBackPage = saved.inBackPage;
    ShowCursor();
    DrainMouse();
}

// The record hit by the next left press; kDismissed when `dismissed` says so first.
constexpr int32_t kDismissed = -2;
int32_t WaitForClick(const DialogItem* table, bool (*dismissed)() = nullptr) {
    int32_t x = 320;
    int32_t y = 240;
    while (PollClick(&x, &y) == 0) {
        if (dismissed != nullptr && dismissed()) {
            return kDismissed;
        }
        GDL_waitEvent(GDL_EVENT_ALL, false, 0);  // rest until the next input
    }
    return HitTest(table, x, y);
}

int32_t CharAdvance(int32_t font, char ch) {
    const char text[2] = {ch, '\0'};
    return FontTextWidth(font, text);
}

void DrawItem(const DialogItem& item) {
    switch (item.type) {
        case kItemFrame:
            DrawPanel(item.x, item.y, item.w, item.h, item.colour & 0xFF);
            break;
        case kItemText:
            DrawFontText(0, item.x - FontTextWidth(0, item.text) / 2, item.y, item.text);
            break;
        case kItemButton:
            DrawPanel(item.x, item.y, item.w, item.h, item.colour & 0xFF);
            if (item.text != nullptr) {
                DrawFontText(0, item.x + (item.w - FontTextWidth(0, item.text)) / 2,
                             item.y + (item.h - 24) / 2, item.text);
            }
            break;
        case kItemSeparator:
            DrawLine(item.x, item.y, item.x + item.w, item.y, 255);
            DrawLine(item.x, item.y + 1, item.x + item.w, item.y + 1, 254);
            break;
        case kItemTick:
            DrawPanel(item.x, item.y, 16, 18, item.colour & 0xFF);
            if ((item.style & 0xFF) == 1) {
                DrawFontText(0, item.x + 3, item.y - 10, "x");
            }
            DrawFontText(0, item.x + 20, item.y - 6, item.text);
            break;
        default:
            break;
    }
}

// Everything a dialog draws: the frame with its 10-pixel shadow, and each item
// with its text. Narrow frames let buttons and labels reach past the frame, so
// the area kept under the dialog covers them too.
struct DialogArea {
    int32_t left, top, right, bottom;
};

DialogArea DialogExtent(const DialogItem* table) {
    const DialogItem& frame = table[0];
    DialogArea area = {frame.x, frame.y, frame.x + frame.w + 11, frame.y + frame.h + 11};
    const ColorFont* font = GetFont(0);
    const int32_t textHeight = font != nullptr ? font->height : 0;
    auto add = [&area](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        area.left = std::min(area.left, left);
        area.top = std::min(area.top, top);
        area.right = std::max(area.right, right);
        area.bottom = std::max(area.bottom, bottom);
    };
    for (const DialogItem* item = table; item->type != kItemEnd; ++item) {
        const int32_t textWidth = FontTextWidth(0, item->text);
        switch (item->type) {
            case kItemText:
                add(item->x - textWidth / 2, item->y, item->x - textWidth / 2 + textWidth,
                    item->y + textHeight);
                break;
            case kItemButton:
                add(item->x, item->y, item->x + item->w, item->y + item->h);
                add(item->x + (item->w - textWidth) / 2, item->y + (item->h - 24) / 2,
                    item->x + (item->w - textWidth) / 2 + textWidth,
                    item->y + (item->h - 24) / 2 + textHeight);
                break;
            case kItemSeparator:
                add(item->x, item->y, item->x + item->w + 1, item->y + 2);
                break;
            case kItemTick:
                add(item->x, item->y - 10, item->x + 20 + textWidth,
                    std::max(item->y + 18, item->y - 6 + textHeight));
                break;
            default:
                break;
        }
    }
    return area;
}

}  // namespace

DialogPointer BeginModalDialog() {
    const DialogPointer pointer = TakeOverPointer();
    ++openDialogs;
    return pointer;
}

void EndModalDialog(const DialogPointer& pointer) {
    --openDialogs;
    SetCursorShape(pointer.shape);
    cursorInBackPage = pointer.inBackPage;
    ShowCursor();
    DrainMouse();
}

bool DialogsCanShow() {
    return displaySurface != nullptr && backPage != nullptr && GetFont(0) != nullptr;
}

uint32_t MessageDialog(const char* text, const char* buttons) {
    return MessageDialogUntil(text, buttons, nullptr);
}

uint32_t MessageDialogUntil(const char* text, const char* buttons, bool (*dismissed)()) {
    if (text == nullptr || buttons == nullptr) {
        return 0;
    }
    std::string textCopy(text);
    std::string buttonCopy(buttons);
    DialogItem* table = messageTable.data();

    table[0] = {kItemFrame, 5, 230, nullptr, 0, 0, 0, 0};
    for (int i = kFirstLine; table[i].type != kItemEnd; ++i) {
        if (i < kFirstButton + kMaxButtons) {
            table[i].type = kItemFree;
            table[i].text = nullptr;
        }
        table[i].x = 0;  // every position is measured afresh before centring
        table[i].y = 0;
    }
    for (int j = 0; j < kMaxButtons; ++j) {
        table[kFirstButton + j].h = 40;
    }

    int32_t widest = 10;
    const std::vector<char*> lines = SplitPieces(textCopy, kMaxLines);
    for (size_t i = 0; i < lines.size(); ++i) {
        DialogItem& item = table[kFirstLine + i];
        item.type = kItemText;
        item.style = 12;
        item.y = 22 + 22 * static_cast<int32_t>(i);
        item.text = lines[i];
        widest = std::max(widest, FontTextWidth(0, lines[i]));
    }

    int32_t span = 2;
    const std::vector<char*> labels = SplitPieces(buttonCopy, kMaxButtons);
    for (size_t j = 0; j < labels.size(); ++j) {
        DialogItem& item = table[kFirstButton + j];
        const int32_t labelWidth = FontTextWidth(0, labels[j]);
        item.type = kItemButton;
        item.style = 4;
        item.colour = 217;
        item.text = labels[j];
        // The label keeps clear of the button's 2-pixel rim.
        const bool wide = labelWidth + 2 * kLabelMargin > 64;
        item.w = wide ? labelWidth + 2 * kLabelMargin : 64;
        span = std::max(span, wide ? item.w : labelWidth) + 10;
    }
    if (labels.empty()) {
        // Nothing could ever close it.
        LogPrintf("ERROR: MessageDialog without a button: %.200s", text);
        return 0;
    }

    const int32_t lineCount = static_cast<int32_t>(lines.size());
    const int32_t buttonCount = static_cast<int32_t>(labels.size());
    const int32_t W = std::max(widest + 24, span);
    const int32_t H = (lineCount + 4) * 22 + 16;
    table[0].w = W;
    table[0].h = H;
    for (int32_t i = 0; i < lineCount; ++i) {
        table[kFirstLine + i].x = W / 2;
        table[kFirstLine + i].w = W - 16;
    }
    const int32_t share = W / buttonCount;
    for (int32_t j = 0; j < buttonCount; ++j) {
        table[kFirstButton + j].x = (share - table[kFirstButton].w) / 2 + share * j;
        table[kFirstButton + j].y = (lineCount + 2) * 22;
    }

    const PointerState pointer = TakeOverPointer();
    OpenDialog(table, kFirstButton + kMaxButtons + 1);
    uint32_t answer = 0;
    while (answer == 0) {
        const int32_t hit = WaitForClick(table, dismissed);
        if (hit == kDismissed) {
            break;
        }
        if (hit >= kFirstButton && hit < kFirstButton + kMaxButtons) {
            SoundPlay(kClickSound);
            answer = static_cast<uint32_t>(hit - (kFirstButton - 1));
        }
    }
    CloseDialog(table, pointer);
    for (int i = kFirstLine; i < kFirstButton + kMaxButtons; ++i) {
        table[i].text = nullptr;  // the copies are gone
    }
    return answer;
}

uint32_t ListDialog(const char* title, const char* items) {
    if (items == nullptr) {
        return 0;
    }
    std::string itemCopy(items);
    DialogItem* table = listTable.data();
    for (DialogItem& item : listTable) {
        item.x = 0;  // every position is measured afresh before centring
        item.y = 0;
    }

    table[0].x = 0;
    table[0].y = 0;
    table[1].x = 0;
    table[1].y = 4;
    table[1].text = title;
    table[2].x = 1;
    table[2].y = 35;
    for (int i = 0; i < kMaxItems; ++i) {
        table[kFirstItem + i].type = kItemFree;
        table[kFirstItem + i].style = 0;
        table[kFirstItem + i].text = nullptr;
    }

    size_t longest = 10;
    const std::vector<char*> pieces = SplitPieces(itemCopy, kMaxItems);
    for (size_t i = 0; i < pieces.size(); ++i) {
        DialogItem& item = table[kFirstItem + i];
        item.type = kItemTick;
        item.x = 16;
        item.y = 42 + 22 * static_cast<int32_t>(i);
        item.text = pieces[i];
        longest = std::max(longest, std::strlen(pieces[i]));
    }
    const int32_t itemCount = static_cast<int32_t>(pieces.size());

    const int32_t W = 8 * static_cast<int32_t>(longest) + 64;
    table[1].x = W / 2;
    table[1].w = W;
    table[2].w = W - 4;
    const int32_t half = W / 2;
    for (int32_t j = 0; j < 2; ++j) {
        table[kOkayButton + j].x = (half - table[kOkayButton].w) / 2 + half * j;
        table[kOkayButton + j].y = (itemCount + 2) * 22 + 30;
    }
    table[0].w = W;
    table[0].h = table[kOkayButton].y + 50;
    table[kFirstItem].style = 1;
    int32_t answer = 1;

    const PointerState pointer = TakeOverPointer();
    OpenDialog(table, static_cast<int32_t>(listTable.size()));
    for (;;) {
        const int32_t hit = WaitForClick(table);
        if (hit >= kFirstItem && hit < kFirstItem + kMaxItems) {
            SoundPlay(kClickSound);
            for (int32_t i = kFirstItem; i < kFirstItem + itemCount; ++i) {
                table[i].style = 0;
            }
            table[hit].style = 1;
            DrawDialogItems(table, kFirstItem, kFirstItem + itemCount);
            ShowBackPage();
            ShowCursor();
            int32_t x = 0;
            int32_t y = 0;
            while (PollClick(&x, &y) != 0) {
            }
            answer = hit - (kFirstItem - 1);
        } else if (hit == kOkayButton) {
            SoundPlay(kClickSound);
            break;
        } else if (hit == kCancelButton) {
            SoundPlay(kClickSound);
            answer = 0;
            break;
        }
    }
    CloseDialog(table, pointer);
    table[1].text = nullptr;
    for (int i = 0; i < kMaxItems; ++i) {
        table[kFirstItem + i].text = nullptr;
    }
    return static_cast<uint32_t>(answer);
}

uint32_t InputText(char* buffer) {
    EditField field{};
    field.x = 249;
    field.y = 226;
    field.w = 142;
    field.h = 24;
    field.font = 0;
    field.background = 254;
    std::strncpy(field.text, buffer, kEditMaxChars);
    field.text[kEditMaxChars] = '\0';
    field.length = static_cast<int32_t>(std::strlen(field.text));
    // The pad types here while it runs.
    SetPadTextEntry(true);
    const uint32_t entered = EditText(&field);
    SetPadTextEntry(false);
    if (entered == 0) {
        return 0;
    }
    std::memcpy(buffer, field.text, kEditMaxChars + 1);
    return 1;
}

uint32_t EditText(EditField* field) {
    bool caretShown = false;
    bool redraw = false;
    uint32_t lastBlink = TimerCount() - kCaretBlinkMs - 1;  // shows on the first pass
    for (;;) {
        const uint32_t now = TimerCount();
        if (now - lastBlink > static_cast<uint32_t>(kCaretBlinkMs)) {
            caretShown = !caretShown;
            redraw = true;
            lastBlink = now;
        }

        PollEvent();
        bool edited = false;
        char* text = field->text;
        switch (keyScan) {
            case kScanBackspace:
                if (field->cursor > 0) {
                    field->caretX -= CharAdvance(field->font, text[field->cursor - 1]);
                    std::memmove(text + field->cursor - 1, text + field->cursor,
                                 static_cast<size_t>(field->length - field->cursor + 1));
                    --field->length;
                    --field->cursor;
                    edited = true;
                }
                break;
            case kScanEnter:
                return 1;
            case kScanEscape:
                return 0;
            case kScanHome:
                field->cursor = 0;
                field->caretX = 0;
                edited = true;
                break;
            case kScanLeft:
                if (field->cursor > 0) {
                    field->caretX -= CharAdvance(field->font, text[field->cursor - 1]);
                    --field->cursor;
                    edited = true;
                }
                break;
            case kScanRight:
                if (field->cursor < field->length) {
                    field->caretX += CharAdvance(field->font, text[field->cursor]);
                    ++field->cursor;
                    edited = true;
                }
                break;
            case kScanEnd:
                field->cursor = field->length;
                field->caretX = FontTextWidth(field->font, text);
                edited = true;
                break;
            case kScanDelete:
                if (field->cursor < field->length) {
                    std::memmove(text + field->cursor, text + field->cursor + 1,
                                 static_cast<size_t>(field->length - field->cursor));
                    --field->length;
                    edited = true;
                }
                break;
            default:
                // The editing keys above never type, whatever character they carry.
                if (keyChar >= 32 && keyChar <= 127 && field->length < kEditMaxChars &&
                    FontTextWidth(field->font, text) < kEditMaxWidth) {
                    std::memmove(text + field->cursor + 1, text + field->cursor,
                                 static_cast<size_t>(field->length - field->cursor + 1));
                    text[field->cursor] = static_cast<char>(keyChar);
                    field->caretX += CharAdvance(field->font, static_cast<char>(keyChar));
                    ++field->length;
                    ++field->cursor;
                    edited = true;
                }
                break;
        }
        if (edited) {
            caretShown = true;
            redraw = true;
        }

        if (redraw) {
            HideCursor();
            DrawBox(field->x, field->y, field->w, field->h, field->background, 1);
            DrawFontText(field->font, field->x, field->y, text);
            if (caretShown) {
                DrawBox(field->x + field->caretX, field->y, 1, field->h, 255, 1);
            }
            GDL_bitBlt(displaySurface, backPage, field->x, field->y, field->x + field->w,
                       field->y + field->h, field->x, field->y, 0);
            ShowCursor();
            redraw = false;
        }
    }
}

void DrawDialogItems(DialogItem* table, int32_t first, int32_t end) {
    GDL_makeCurrent(backPage);
    for (int32_t i = first; i < end; ++i) {
        if (table[i].type == kItemEnd) {
            break;
        }
        DrawItem(table[i]);
    }
    GDL_makeCurrent(displaySurface);
}

void CenterDialog(DialogItem* table) {
    const int32_t dx = (640 - table[0].w) / 2;
    const int32_t dy = (480 - table[0].h) / 2;
    for (DialogItem* item = table; item->type != kItemEnd; ++item) {
        item->x += dx;
        item->y += dy;
    }
}

void SaveDialogBack(DialogItem* table, int32_t restore) {
    void*& back = DialogBack();
    if (restore == 0) {
        GDL_free(back);
        back = nullptr;
        const DialogArea area = DialogExtent(table);
        const int32_t size =
            GDL_saveAreaSize(backPage, area.left, area.top, area.right, area.bottom);
        back = size > 0 ? GDL_malloc(static_cast<size_t>(size)) : nullptr;
        if (back != nullptr) {
            GDL_saveArea(backPage, area.left, area.top, area.right, area.bottom, back);
        }
    } else if (back != nullptr) {
        GDL_restoreArea(backPage, back);
        GDL_free(back);
        back = nullptr;
    }
}

int32_t HitTest(const DialogItem* table, int32_t x, int32_t y) {
    if (table == nullptr) {
        return -1;
    }
    int32_t count = 0;
    while (table[count].type != kItemEnd) {
        ++count;
    }
    for (int32_t i = count - 1; i >= 0; --i) {
        const DialogItem& item = table[i];
        if (item.type != kItemFree &&
            PointInRect(item.x, item.y, item.x + item.w, item.y + item.h, x, y) != 0) {
            return i;
        }
    }
    return -1;
}

uint32_t PollClick(int32_t* x, int32_t* y) {
    PollEvent();
    *x = pointerX;
    *y = pointerY;
    return action == kActionLeftPress ? 1 : 0;
}

const DialogItem* MessageDialogTable() {
    return messageTable.data();
}

const DialogItem* ListDialogTable() {
    return listTable.data();
}

bool DialogOpen() {
    return openDialogs > 0;
}

const DialogItem* TopDialogTable() {
    const int32_t top = openDialogs - 1;
    return top >= 0 && top < static_cast<int32_t>(openTables.size())
               ? openTables[static_cast<size_t>(top)]
               : nullptr;
}

void ResetDialogs() {
    for (void*& back : dialogBacks) {
        GDL_free(back);
        back = nullptr;
    }
    openDialogs = 0;
    openTables = {};
}
