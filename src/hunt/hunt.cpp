#include "hunt/hunt.h"

#include <algorithm>
#include <cstdio>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "hunt/captions.h"
#include "hunt/clubs.h"
#include "hunt/flights.h"
#include "hunt/gun.h"
#include "hunt/judgement.h"
#include "hunt/panel.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "shell/screens.h"

HuntState hunt = {};
std::array<Flock, kFlockCount> flocks = {};

const std::array<const char*, kSpeciesCount> speciesNames = {"Mallard", "Pintail", "Redhead",
                                                             "Canvasback"};
const std::array<const char*, 2> sexNames = {"Hen", "Drake"};

namespace {

constexpr uint32_t kFadeStepMs = 10;
constexpr int32_t kDawnLevel = 25;  // the marsh comes up in dawn light
constexpr int32_t kRectMargin = 8;  // flock rectangles are copied this much larger
constexpr int32_t kDayOverMinutes = 45;
constexpr int32_t kNoHuntPointer = -1;  // no shape set by the hunt yet

// Fades from level `from` to `to` one step per more than 10 ms, a wait on the clock;
// each step shows intensity level * 4 - 1.
void FadeSteps(int32_t from, int32_t to) {
    const int32_t step = from < to ? 1 : -1;
    int32_t level = from;
    uint32_t last = TimerCount();
    while (level != to) {
        const uint32_t now = TimerCount();
        if (now - last > kFadeStepMs) {
            last = now;
            level += step;
            FadePalette(level * 4 - 1);
        } else {
            TimerIdle();  // rest to the next millisecond rather than spin
        }
    }
}

void FreeHuntBanks() {
    FreeGraphics(kSceneSlot, hunt.sceneCount);
    FreeGraphics(kSpriteSlot, hunt.spriteCount);
    FreeGraphics(kPartnerSlot, hunt.partnerCount);
    hunt.sceneCount = hunt.spriteCount = hunt.partnerCount = 0;
}

// The copy of a flock's old area before it moves, cut at the panel's top.
void EraseFlock(const Flock& flock) {
    const HuntRect& r = flock.prevRect;
    if (r.y >= kPanelTop) {
        return;
    }
    const int32_t h = std::min(r.h + kRectMargin, kPanelTop - r.y);
    CopyPageRect(workPage, backPage, r.x, r.y, r.w + kRectMargin, h);
}

void PresentRect(const HuntRect& r) {
    CopyPageRect(backPage, displaySurface, r.x, r.y, r.w + kRectMargin, r.h + kRectMargin);
}

// The pointer's shape over the marsh (crosshair) or the panel (arrow).
void UpdateHuntCursor() {
    if (!hunt.hasGun) {
        return;
    }
    const int32_t wanted = pointerY < kPanelTop ? kCrosshairPointer : kArrowPointer;
    // Only on crossing the panel's edge (or after a restore): over the icon bar the
    // button kit's hand must stay.
    if (wanted != hunt.huntCursorShape) {
        HideCursorOn(backPage);
        HideCursorOn(displaySurface);
        SetCursorShape(wanted);
        hunt.huntCursorShape = wanted;
    }
}

void HandleInput() {
    if ((action & kActionLeftPress) != 0) {
        if (pointerY < kPanelTop) {
            ShootGun();
        } else {
            ClickIconBar();
        }
    } else if (action == kActionRightPress && pointerY >= kPanelTop) {
        ClickIconBar();
    } else if (keyScan == kScanEscape) {
        PauseHunt(0);  // as the pause icon; a pad's Start comes as Escape
    }
    action = 0;
}

}  // namespace

void DrawWaterFowlScreen() {
    Trace("DrawWaterFowlScreen BEGIN");
    char scene[16];
    std::snprintf(scene, sizeof scene, "scn_%02d", ClubInfo(hunt.club).scene);
    hunt.sceneCount = LoadGraphics(kSceneSlot, scene);
    // Opaque: the scene covers the whole page, black pixels included.
    BlitGraphic2(kSceneSlot, 0, 0, kScreenHeight, workPage);
    hunt.spriteCount = LoadGraphics(kSpriteSlot, "sprites");
    hunt.partnerCount = LoadGraphics(kPartnerSlot, "char04");
    for (int i = 0; i < kCallSoundCount; ++i) {
        SoundSeek("calls", i, kFirstCallSound + i);
    }
    for (size_t i = 0; i < kRemarkEntries.size(); ++i) {
        SoundSeek("char04", kRemarkEntries[i], kFirstRemarkSound + static_cast<int>(i));
    }

    hunt.decoysPlaced = 0;
    hunt.alert.fill(0);
    hunt.loadedShells = hunt.bagged = hunt.jailState = 0;
    hunt.gunEmpty = hunt.hitThisShot = hunt.retrieverState = 0;
    for (KillCount& kill : hunt.kills) {
        kill.count = 0;
    }
    hunt.lastHitSpecies = hunt.lastHitSex = 100;
    hunt.dayOver = 0;
    hunt.nextScreen = -1;

    InitInterfaceIcons();
    FadeSteps(64, 1);
    RestoreWaterFowlScreen();
    FadeSteps(1, kDawnLevel);
    Trace("StopMusic");
    StopMusic();

    InitWaterfowl();
    for (int32_t f = 0; f < kFlockCount; ++f) {
        NewMotion(f);
    }
    cursorInBackPage = 1;
    hunt.huntCursorShape = kArrowPointer;
    hunt.scoreDirty = hunt.clockDirty = 1;

    const Club& club = ClubInfo(hunt.club);
    hunt.beginMinute = club.beginMinute;
    hunt.endMinute = club.endMinute;
    hunt.hour = club.startHour;
    hunt.minute = club.startMinute;
    hunt.bagLimit = club.bagLimit;
    hunt.dayMinute = hunt.hour * 60 + hunt.minute;
    Trace("DrawWaterFowlScreen END");
}

void RestoreWaterFowlScreen() {
    Trace("RestoreWaterFowlScreen");
    CopyWorkPage();
    ShowBackPage();
    ForgetRemarkCaption();
    cursorInBackPage = 1;
    // An overlay or a dialog may have left another shape: the next frame sets its own.
    hunt.huntCursorShape = kNoHuntPointer;
    hunt.clockDirty = hunt.scoreDirty = 1;
}

void DumpWaterfowlScreen() {
    Trace("DumpWaterfowlScreen");
    if (player != nullptr) {
        player->items[kItemShells] =
            static_cast<uint16_t>(player->items[kItemShells] + hunt.loadedShells);
    }
    hunt.loadedShells = 0;
    HideCursor();  // off the back page, where a failed save's box would show it
    cursorInBackPage = 0;
    SyncCursorPos();
    ForgetRemarkCaption();
    FreeHuntBanks();
    for (int i = 0; i < kCallSoundCount; ++i) {
        SoundFree(kFirstCallSound + i);
    }
    for (size_t i = 0; i < kRemarkEntries.size(); ++i) {
        SoundFree(kFirstRemarkSound + static_cast<int>(i));
    }
    // The partner's last short remark is never waited for: it goes with the marsh.
    SoundFree(kVoiceSound);
    FadePalette(255);
    // A judged day is a change: fines paid, shells spent. A hunt cut short by
    // closing the window is saved on the way out instead.
    if (hunt.dayOver) {
        SaveOptions();
    }
}

void HuntFrame() {
    TickClock();
    // The main loop may sleep: it must come back for the next step and minute.
    WakeAt(hunt.lastStepTime + kAnimStepMs + 1);
    WakeAt(hunt.lastMinuteTime + kGameMinuteMs);
    if (hunt.dayMinute > hunt.endMinute + kDayOverMinutes) {
        ExitWaterfowl();
        return;
    }
    HideCursor();
    // Before anything is drawn: the shape change hides the pointer again, and
    // must not put old pixels over a fresh counter or clock.
    UpdateHuntCursor();
    HoverButtons(IconBar(), pointerX, pointerY);

    const bool step = hunt.animTick != 0;
    if (step) {
        for (int32_t f : hunt.drawOrder) {
            EraseFlock(flocks[static_cast<size_t>(f)]);
        }
        for (int32_t f = 0; f < kFlockCount; ++f) {
            flocks[static_cast<size_t>(f)].motion(f);
        }
        if (hunt.callCount > 0) {
            --hunt.callCount;
        }
        for (int32_t& level : hunt.alert) {
            level = std::max(level - 5, 0);
        }
        ChangeDistances();
        if (hunt.retrieverState != kDogIdle) {
            EraseRetriever();
            hunt.scoreDirty = 1;
        }
        SortFlocks(kFlockCount);
        EraseRemarkCaption();
        for (int32_t f : hunt.drawOrder) {
            const Flock& flock = flocks[static_cast<size_t>(f)];
            ScaleGraphic(flock.graphicBase + flock.frame, flock.x, flock.y, flock.depth,
                         flock.scale, flock.mirrored);
        }
        if (hunt.retrieverState != kDogIdle) {
            DrawRetriever();
        }
    }
    DrawRemarkCaption(step);
    if (hunt.scoreDirty) {
        DrawScore();
    }
    if (hunt.clockDirty) {
        DrawClock();
    }
    DrawCursorInBackPage();
    if (step) {
        for (int32_t f : hunt.drawOrder) {
            Flock& flock = flocks[static_cast<size_t>(f)];
            PresentRect(flock.prevRect);
            PresentRect(flock.rect);
            flock.prevRect = flock.rect;
        }
        if (hunt.retrieverState != kDogIdle) {
            MoveRetriever();
        }
        hunt.animTick = 0;
    }
    if (hunt.scoreDirty) {
        PresentScore();
    }
    if (hunt.clockDirty) {
        PresentClock();
    }
    ShowButtons(IconBar());
    PresentCursor();
    if (pointerY > kPanelTop) {
        HitTestButtons(IconBar(), pointerX, pointerY);
    }
    HandleInput();
}

void SortFlocks(int32_t n) {
    n = std::clamp(n, 0, kFlockCount);
    for (int32_t i = 0; i < n; ++i) {
        hunt.drawOrder[static_cast<size_t>(i)] = i;
    }
    std::stable_sort(hunt.drawOrder.begin(), hunt.drawOrder.begin() + n, [](int32_t a, int32_t b) {
        return flocks[static_cast<size_t>(a)].depth < flocks[static_cast<size_t>(b)].depth;
    });
}

void SetHuntClockToNine() {
    hunt.hour = 9;
    hunt.minute = 0;
    hunt.dayMinute = 540;
    hunt.clockDirty = 1;
}

void ResetHunt() {
    hunt = HuntState{};
    flocks = {};
}

const Flock* BirdInSight() {
    if (currentScreen != kScreenHunt) {
        return nullptr;
    }
    for (const Flock& flock : flocks) {
        if (flock.kind == kFlightClose && !flock.hit && flock.x >= 0 && flock.x <= 639 &&
            flock.y >= 0 && flock.y <= 399) {
            return &flock;
        }
    }
    return nullptr;
}
