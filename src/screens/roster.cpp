#include "screens/roster.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/blit.h"
#include "engine/dialogs.h"
#include "engine/draw.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kRowTop = 192;
constexpr int32_t kRowStep = 29;
constexpr uint32_t kCurrentRowColour = 35;
constexpr uint32_t kOtherRowColour = 253;
constexpr int32_t kMusicX = 160;
constexpr int32_t kMusicY = 181;
constexpr int32_t kStripLeft = 131;   // the knob's x at volume 0
constexpr int32_t kStripRight = 231;  // ... and at volume 100
constexpr int32_t kStripY = 266;

int32_t loadedGraphics = 0;

// A new game whose name is being typed: its slot (-1: none), the record the
// slot held and the game that was current, so that Escape or a close meanwhile
// leaves the roster as it was.
struct NameEntry {
    int slot = -1;
    PlayerRecord was{};
    uint32_t current = 0;
};
NameEntry nameEntry;

std::array<Button, 11> buttons = ButtonList({
    At({.x = 310, .y = 192, .width = 260, .height = 25},
       {.hoverable = 0, .graphic = 0, .arg = 0, .handler = SelectPlayer}),
    At({.x = 310, .y = 221, .width = 260, .height = 25},
       {.hoverable = 0, .graphic = 0, .arg = 1, .handler = SelectPlayer}),
    At({.x = 310, .y = 250, .width = 260, .height = 25},
       {.hoverable = 0, .graphic = 0, .arg = 2, .handler = SelectPlayer}),
    At({.x = 310, .y = 279, .width = 260, .height = 25},
       {.hoverable = 0, .graphic = 0, .arg = 3, .handler = SelectPlayer}),
    At({.x = 310, .y = 308, .width = 260, .height = 25},
       {.hoverable = 0, .graphic = 0, .arg = 4, .handler = SelectPlayer}),
    At({.x = 7, .y = 430, .width = 74, .height = 45},
       {.graphic = 4, .arg = kScreenMain, .handler = GoToScreen}),
    At({.x = 87, .y = 181, .width = 74, .height = 45}, {.graphic = 22, .handler = ToggleMusic}),
    At({.x = 56, .y = 249, .width = 72, .height = 45}, {.graphic = 23, .handler = NoAction}),
    At({.x = 317, .y = 345, .width = 74, .height = 45}, {.graphic = 24, .handler = NewGame}),
    At({.x = 487, .y = 345, .width = 74, .height = 45}, {.graphic = 25, .handler = DeleteGame}),
    At({.x = 131, .y = 266, .width = 113, .height = 36},
       {.hoverable = 0, .graphic = 26, .handler = DragVolume}),
});

// The saved-players file's own rule, so a name is a game or not the same way everywhere.
bool SlotIsEmpty(int slot) {
    return IsFreeRecord(roster[slot]);
}

void MakeCurrent(int slot) {
    currentPlayer = static_cast<uint32_t>(slot);
    player = &roster[currentPlayer];
}

// Puts back what a new game whose name was never entered took.
void GiveUpNewGame() {
    if (nameEntry.slot < 0) {
        return;
    }
    roster[nameEntry.slot] = nameEntry.was;
    MakeCurrent(static_cast<int>(nameEntry.current));
    nameEntry.slot = -1;
}

void StartMenuMusic() {
    BusyCursor();
    PlayMusic("mainmenu");
    ResetCursor();
}

// The volume strip with the knob at `knob`, on the back page.
void DrawVolumeStrip(int32_t knob) {
    CopyPageRect(workPage, backPage, 121, kStripY, 134, 64);
    BlitGraphic(kVolumeKnob, knob, kStripY, backPage);
}

}  // namespace

Button* RosterButtons() {
    return buttons.data();
}

void DrawRosterScreen() {
    loadedGraphics = LoadGraphics(kScreenBankSlot, "spr_02");
    LoadBackground("bkg_02");
    RefreshRoster();
    // A damaged options.dat was kept aside at start: say so once, here.
    if (const std::string notice = TakeOptionsNotice(); !notice.empty()) {
        MessageDialog(notice.c_str(), "Okay");
    }
}

void ExitRosterScreen() {
    GiveUpNewGame();  // the window closed while a name was typed
    FreeGraphics(kScreenBankSlot, loadedGraphics);
}

void DoRosterScreen() {
    DoButtonList(buttons.data());
}

void RefreshRoster() {
    CopyWorkPage();
    DrawRosterList();
    ApplyVolume();
    if (player->musicOn == 0) {
        BlitGraphic(kMusicOffMark, kMusicX, kMusicY, backPage);
        StopMusic();
    } else {
        StartMenuMusic();
    }
    BlitGraphic(kVolumeKnob, kStripLeft + player->volume, kStripY, backPage);
    ShowBackPage();
    ShowCursor();
}

void DrawRosterList() {
    for (int slot = 0; slot < kRosterSlots; ++slot) {
        const int32_t y = kRowTop + kRowStep * slot;
        const uint32_t colour =
            static_cast<uint32_t>(slot) == currentPlayer ? kCurrentRowColour : kOtherRowColour;
        DrawBox(310, y, 167, 26, colour, 1);
        DrawBox(480, y, 91, 26, colour, 1);
        if (SlotIsEmpty(slot)) {
            continue;
        }
        PlayerRecord& record = roster[slot];
        record.goalCount = CountGoals(record);
        char name[sizeof record.name + 1] = {};
        std::memcpy(name, record.name, sizeof record.name);  // bounded, whatever the file held
        DrawFontText(0, 312, y - 3, name);
        char money[16];
        std::snprintf(money, sizeof money, "%d", record.money);
        DrawFontText(0, 565 - FontTextWidth(0, money), y - 3, money);
    }
}

void ApplyVolume() {
    SetMasterVolume(player->volume);
}

void SelectPlayer(int32_t slot) {
    if (slot < 0 || slot >= kRosterSlots || SlotIsEmpty(slot)) {
        return;
    }
    SoundPlay(kClickSound);
    MakeCurrent(slot);
    RefreshRoster();
    SaveOptions();
}

void NewGame(int32_t) {
    int slot = 0;
    while (slot < kRosterSlots && !SlotIsEmpty(slot)) {
        ++slot;
    }
    if (slot == kRosterSlots) {
        SoundPlay(kRefusalSound);
        MessageDialog("No room for new game!|Delete a game first to make room.", "Okay");
        return;
    }
    nameEntry = {slot, roster[slot], currentPlayer};
    MakeCurrent(slot);
    BlitGraphic(kNamePanel, 217, 186, backPage);
    HideCursor();
    CopyPageRect(backPage, displaySurface, 217, 186, 423 - 217, 293 - 186);
    ShowCursor();
    SoundPlay(kConfirmSound);

    // The new-game template: a fresh record's kit and a single blank for a
    // name. A name that would leave the slot free is refused and the entry
    // stays open; Escape gives the game up.
    PlayerRecord& record = roster[slot];
    record = FreshPlayerRecord(false);
    record.name[0] = ' ';
    for (;;) {
        if (InputText(record.name) == 0) {
            GiveUpNewGame();
            break;
        }
        if (!SlotIsEmpty(slot)) {
            nameEntry.slot = -1;
            break;
        }
        SoundPlay(kRefusalSound);
    }
    RefreshRoster();
    SaveOptions();
}

void DeleteGame(int32_t) {
    if (roster[0].name[0] == ' ') {
        return;
    }
    // Only a listed game can be deleted: with a current player beyond the five
    // slots the gap-closing below would blank some other player's game.
    if (currentPlayer >= kRosterSlots) {
        return;
    }
    SoundPlay(kQuestionSound);
    if (MessageDialog("Delete this player's game?", "Yes|No") != 1) {
        return;
    }
    for (uint32_t i = currentPlayer; i < kRosterSlots - 1; ++i) {
        roster[i] = roster[i + 1];
    }
    std::memset(roster[kRosterSlots - 1].name, 0, sizeof roster[kRosterSlots - 1].name);
    roster[kRosterSlots - 1].name[0] = ' ';
    if (currentPlayer > 0) {
        --currentPlayer;
    }
    MakeCurrent(static_cast<int>(currentPlayer));
    RefreshRoster();
    SaveOptions();
}

void ToggleMusic(int32_t) {
    SoundPlay(kConfirmSound);
    if (player->musicOn == 1) {
        BlitGraphic(kMusicOffMark, kMusicX, kMusicY, backPage);
        StopMusic();
        player->musicOn = 0;
    } else {
        CopyPageRect(workPage, backPage, kMusicX, kMusicY, 74, 45);
        player->musicOn = 1;
        StartMenuMusic();
    }
    HideCursor();
    CopyPageRect(backPage, displaySurface, kMusicX, kMusicY, 74, 45);
    ShowCursor();
    SaveOptions();
}

void DragVolume(int32_t) {
    const int32_t grab = pointerX - (kStripLeft + player->volume);
    const int32_t rememberedY = pointerY;
    HideCursor();
    int32_t x = pointerX;
    int32_t y = pointerY;
    int32_t held = 1;
    int32_t knob = kStripLeft + player->volume;
    for (;;) {
        ReadMouse(&x, &y, &held);
        knob = std::clamp(x, kStripLeft, kStripRight);
        if (held != 1) {
            break;
        }
        DrawVolumeStrip(knob);
        DrawCursorAt(grab + knob, rememberedY);
        CopyPageRect(backPage, displaySurface, 121, kStripY, 134, 64);
    }
    DrawVolumeStrip(knob);
    CopyPageRect(backPage, displaySurface, 121, kStripY, 134, 64);
    player->volume = static_cast<int8_t>(knob - kStripLeft);
    SetPointerPos(grab + knob, rememberedY);
    ShowCursor();
    ApplyVolume();
    SoundPlay(kConfirmSound);
    SaveOptions();
}
