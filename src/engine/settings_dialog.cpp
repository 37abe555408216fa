#include "engine/settings_dialog.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/config.h"
#include "engine/dialogs.h"
#include "engine/draw.h"
#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/transitions.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"

namespace {

// The renderer row's two values; the settings hold it as DirectX and DirectVideo.
constexpr uint32_t kAccelerated = 0;
constexpr uint32_t kSoftware = 1;

// One row: where its value lives, the values it steps through and what
// changing it does at once.
struct RowKind {
    const char* label;
    uint32_t low, high, step;
    const char* const* names;  // a name for each value from low, or null for a number
    const char* unit;          // after a number
    uint32_t (*get)();
    void (*set)(uint32_t value);
};

constexpr const char* kScaleNames[] = {"Fit", "1x", "2x", "3x", "4x"};
constexpr const char* kOnOff[] = {"Off", "On"};
constexpr const char* kRendererNames[] = {"Accelerated", "Software"};

void ApplyWindow() {
    GDL_setWindowMode(static_cast<int32_t>(windowScale), fullscreen != 0);
}

void ApplyLevels() {
    SetSoundLevels(static_cast<int>(soundVolume), static_cast<int>(musicVolume));
}

uint32_t GetRenderer() {
    return DirectX != 0 ? kAccelerated : kSoftware;
}

void SetRenderer(uint32_t value) {
    if (value == GetRenderer()) {
        return;
    }
    if (value == kSoftware) {
        DirectX = 0;
        DirectVideo = 1;
    } else {
        DirectX = 1;
    }
    GDL_switchRenderer(value == kSoftware ? GDL_Renderer::Software : GDL_Renderer::Accelerated);
}

// A row that only stores its setting (or whose setting is read where it acts).
#define STORED_ROW(variable) [] { return variable; }, [](uint32_t v) { variable = v; }

constexpr std::array<RowKind, kSettingsRowCount> kRows = {{
    {"Window size", 0, kMaxWindowScale, 1, kScaleNames, "", [] { return windowScale; },
     [](uint32_t v) {
         windowScale = v;
         ApplyWindow();
     }},
    {"Full screen", 0, 1, 1, kOnOff, "", [] { return fullscreen; },
     [](uint32_t v) {
         fullscreen = v;
         ApplyWindow();
     }},
    {"Renderer", kAccelerated, kSoftware, 1, kRendererNames, "", GetRenderer, SetRenderer},
    {"Sound volume", 0, 100, 10, nullptr, "%", [] { return soundVolume; },
     [](uint32_t v) {
         soundVolume = v;
         ApplyLevels();
     }},
    {"Music volume", 0, 100, 10, nullptr, "%", [] { return musicVolume; },
     [](uint32_t v) {
         musicVolume = v;
         ApplyLevels();
     }},
    {"Captions", 0, 1, 1, kOnOff, "", STORED_ROW(showCaptions)},
    {"Pause when away", 0, 1, 1, kOnOff, "", STORED_ROW(pauseOnFocusLoss)},
    {"Mute when away", 0, 1, 1, kOnOff, "", STORED_ROW(muteOnFocusLoss)},
    {"Gamepad", 0, 1, 1, kOnOff, "", STORED_ROW(gamepadOn)},
    {"Pointer speed", kMinPointerSpeed, kMaxPointerSpeed, 25, nullptr, "%",
     STORED_ROW(pointerSpeed)},
    {"Hardware pointer", 0, 1, 1, kOnOff, "", STORED_ROW(hardwarePointer)},
}};

#undef STORED_ROW

// The table: frame, title, separator, a label and a value for each row, Okay,
// Cancel, end. Positions are the dialog's own; CenterDialog moves them.
constexpr int32_t kWidth = 400;
constexpr int32_t kRowTop = 46;
constexpr int32_t kRowPitch = 22;
constexpr int32_t kLabelX = 18;
constexpr int32_t kValueX = 214;
constexpr int32_t kValueW = 168;
constexpr int32_t kValueH = 20;
constexpr int32_t kButtonsY = kRowTop + kRowPitch * kSettingsRowCount + 12;
constexpr int32_t kHeight = kButtonsY + 50;
constexpr int32_t kFirstLabel = 3;
constexpr int32_t kFirstValue = kFirstLabel + kSettingsRowCount;
constexpr int32_t kOkay = kFirstValue + kSettingsRowCount;
constexpr int32_t kCancel = kOkay + 1;
constexpr int32_t kRecords = kCancel + 2;
constexpr uint8_t kValueColour = 217;
constexpr uint8_t kPickedColour = 226;  // the row the keys change

std::array<DialogItem, kRecords> table{};
std::array<std::array<char, 24>, kSettingsRowCount> valueTexts{};
bool dialogOpen = false;

void ValueText(int32_t row) {
    const RowKind& kind = kRows[static_cast<size_t>(row)];
    const uint32_t value = kind.get();
    char* text = valueTexts[static_cast<size_t>(row)].data();
    const size_t size = valueTexts[static_cast<size_t>(row)].size();
    char shown[16];
    if (kind.names != nullptr) {
        std::snprintf(shown, sizeof shown, "%s", kind.names[value - kind.low]);
    } else {
        std::snprintf(shown, sizeof shown, "%u%s", value, kind.unit);
    }
    std::snprintf(text, size, "<  %s  >", shown);
    // A long value keeps clear of the button's rim with less room round it.
    if (FontTextWidth(0, text) > kValueW - 16) {
        std::snprintf(text, size, "< %s >", shown);
    }
}

void Layout() {
    table[0] = {kItemFrame, 5, 230, nullptr, 0, 0, kWidth, kHeight};
    table[1] = {kItemText, 12, 0, "Settings", kWidth / 2, 4, kWidth, 16};
    table[2] = {kItemSeparator, 0, 255, nullptr, 1, 35, kWidth - 4, 0};
    for (int32_t row = 0; row < kSettingsRowCount; ++row) {
        const RowKind& kind = kRows[static_cast<size_t>(row)];
        const int32_t y = kRowTop + kRowPitch * row;
        // Text records are centred on x: this puts the label's left edge at kLabelX.
        table[static_cast<size_t>(kFirstLabel + row)] = {
            kItemText, 12, 0, kind.label, kLabelX + FontTextWidth(0, kind.label) / 2, y - 2, 0, 0};
        ValueText(row);
        table[static_cast<size_t>(kFirstValue + row)] = {
            kItemButton, 4, kValueColour, valueTexts[static_cast<size_t>(row)].data(),
            kValueX,     y, kValueW,      kValueH};
    }
    const int32_t half = kWidth / 2;
    table[kOkay] = {kItemButton, 4, 217, "Okay", (half - 64) / 2, kButtonsY, 64, 40};
    table[kCancel] = {kItemButton, 4, 217, "Cancel", (half - 64) / 2 + half, kButtonsY, 64, 40};
    table[kCancel + 1] = {kItemEnd, 0, 0, nullptr, 0, 0, 0, 0};
}

// Steps a row's value by `direction` (-1 or 1), stopping at the ends.
bool Step(int32_t row, int32_t direction) {
    const RowKind& kind = kRows[static_cast<size_t>(row)];
    const uint32_t value = kind.get();
    uint32_t next = value;
    if (direction < 0 && value > kind.low) {
        next = value - std::min(kind.step, value - kind.low);
    } else if (direction > 0 && value < kind.high) {
        next = value + std::min(kind.step, kind.high - value);
    }
    if (next == value) {
        return false;
    }
    kind.set(next);
    return true;
}

// Draws the rows' values again, the picked one marked, and shows them.
void Redraw(int32_t picked) {
    HideCursor();
    for (int32_t row = 0; row < kSettingsRowCount; ++row) {
        DialogItem& value = table[static_cast<size_t>(kFirstValue + row)];
        ValueText(row);
        value.colour = row == picked ? kPickedColour : kValueColour;
    }
    DrawDialogItems(table.data(), kFirstValue, kFirstValue + kSettingsRowCount);
    const DialogItem& first = table[kFirstValue];
    GDL_bitBlt(displaySurface, backPage, first.x, first.y, first.x + kValueW,
               first.y + kRowPitch * kSettingsRowCount, first.x, first.y, 0);
    ShowCursor();
}

// A whole page, kept to be put back exactly.
struct SavedPage {
    void* area = nullptr;
    void Save(GDL_Surface* page, int32_t left, int32_t top, int32_t right, int32_t bottom) {
        const int32_t size = GDL_saveAreaSize(page, left, top, right, bottom);
        area = size > 0 ? GDL_malloc(static_cast<size_t>(size)) : nullptr;
        if (area != nullptr) {
            GDL_saveArea(page, left, top, right, bottom, area);
        }
    }
    void Restore(GDL_Surface* page) {
        if (area != nullptr) {
            GDL_restoreArea(page, area);
            GDL_free(area);
            area = nullptr;
        }
    }
};

}  // namespace

bool SettingsDialogOpen() {
    return dialogOpen;
}

bool SettingsDialog() {
    if (dialogOpen || !DialogsCanShow()) {
        return false;
    }
    dialogOpen = true;
    // Alt+Enter (or the page's button in a browser) may have changed the
    // window since the setting was last read.
    int32_t scale = 0;
    bool full = false;
    GDL_windowMode(&scale, &full);
    fullscreen = full ? 1 : 0;
    std::array<uint32_t, kSettingsRowCount> before{};
    for (int32_t row = 0; row < kSettingsRowCount; ++row) {
        before[static_cast<size_t>(row)] = kRows[static_cast<size_t>(row)].get();
    }
    const uint32_t directVideoBefore = DirectVideo;

    const DialogPointer pointer = BeginModalDialog();
    // Both pages as they were, without the pointer: Cancel puts back exactly this.
    SavedPage display;
    SavedPage back;
    display.Save(displaySurface, 0, 0, 640, 480);
    Layout();
    CenterDialog(table.data());
    back.Save(backPage, table[0].x, table[0].y, table[0].x + kWidth + 11,
              table[0].y + kHeight + 11);
    ShadeRect(table[0].x + 10, table[0].y + 10, kWidth, kHeight);
    int32_t picked = 0;
    table[kFirstValue].colour = kPickedColour;
    DrawDialogItems(table.data(), 0, kRecords);
    ShowBackPage();
    ShowCursor();
    GDL_flushEvents(GDL_EVENT_ALL & ~GDL_EVENT_MOUSEUP);

    int32_t answer = -1;  // 1 Okay, 0 Cancel
    while (answer < 0) {
        PollEvent();
        int32_t moved = 0;  // a row's step, -1 or 1
        int32_t row = picked;
        if (keyScan == kScanUp || keyScan == kScanDown) {
            picked =
                (picked + (keyScan == kScanUp ? kSettingsRowCount - 1 : 1)) % kSettingsRowCount;
            Redraw(picked);
        } else if (keyScan == kScanLeft || keyScan == kScanRight) {
            moved = keyScan == kScanLeft ? -1 : 1;
        } else if (keyScan == kScanEnter) {
            answer = 1;
        } else if (keyScan == kScanEscape) {
            answer = 0;
        } else if (action == kActionLeftPress) {
            const int32_t hit = HitTest(table.data(), pointerX, pointerY);
            if (hit == kOkay || hit == kCancel) {
                answer = hit == kOkay ? 1 : 0;
            } else if (hit >= kFirstValue && hit < kFirstValue + kSettingsRowCount) {
                row = hit - kFirstValue;
                const DialogItem& value = table[static_cast<size_t>(hit)];
                moved = pointerX < value.x + value.w / 2 ? -1 : 1;
            } else if (hit >= kFirstLabel && hit < kFirstLabel + kSettingsRowCount) {
                picked = hit - kFirstLabel;
                Redraw(picked);
            }
        } else if (action == 0 && keyScan == 0) {
            GDL_waitEvent(GDL_EVENT_ALL, false, 0);  // rest until the next input
        }
        if (moved != 0) {
            picked = row;
            const bool changed = Step(row, moved);
            Redraw(picked);
            if (changed) {
                SoundPlay(kClickSound);  // at the new level, for the volumes
            }
        }
    }
    SoundPlay(kClickSound);

    if (answer == 0) {
        for (int32_t row = 0; row < kSettingsRowCount; ++row) {
            const RowKind& kind = kRows[static_cast<size_t>(row)];
            if (kind.get() != before[static_cast<size_t>(row)]) {
                kind.set(before[static_cast<size_t>(row)]);
            }
        }
        DirectVideo = directVideoBefore;
    } else {
        SaveSettings();
    }
    HideCursor();
    back.Restore(backPage);
    display.Restore(displaySurface);
    EndModalDialog(pointer);
    dialogOpen = false;
    return answer == 1;
}
