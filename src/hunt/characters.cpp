#include "hunt/characters.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/blit.h"
#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "gdl/gdl.h"
#include "hunt/captions.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"

namespace {

constexpr uint32_t kStepMs = 100;
constexpr uint32_t kStepBytes16 = 4410;  // 100 ms of 16-bit mono at 22050 Hz
constexpr int32_t kQuietLimit16 = 256;
constexpr int32_t kQuietLimit8 = 1;

constexpr int32_t kWardenLayer = 117;
constexpr int32_t kSheriffLayer = 119;

constexpr int kPartner = 4;
constexpr const char* kPartnerBank = "char04";

struct Rect {
    int32_t x, y, w, h;
};

void BankName(char (&name)[16], int character) {
    std::snprintf(name, sizeof name, "char%02d", character);
}

// A graphic's offset rectangle placed at (x, y); empty for an empty slot.
Rect Placed(int32_t num, int32_t x, int32_t y) {
    const GraphicSlot& g = Graphic[num];
    return {x + g.xoff, y + g.yoff, g.width, g.height};
}

// The area redrawn at each step: the head's rectangle at (x, y), its corner kept on screen.
Rect HeadRect(int32_t x, int32_t y) {
    Rect r = Placed(kHeadSlot + kHeadRectGraphic, x, y);
    r.x = std::max(r.x, 0);
    r.y = std::max(r.y, 0);
    return r;
}

// The union of the head's graphics before its rectangle, at (x, y).
Rect BoundingBox(int32_t x, int32_t y) {
    int32_t left = kScreenWidth, top = kScreenHeight, right = 0, bottom = 0;
    for (int32_t n = kHeadSlot; n < kHeadSlot + kHeadRectGraphic; ++n) {
        const Rect r = Placed(n, x, y);
        left = std::min(left, r.x);
        top = std::min(top, r.y);
        right = std::max(right, r.x + r.w);
        bottom = std::max(bottom, r.y + r.h);
    }
    return {left, top, right - left, bottom - top};
}

void Copy(GDL_Surface* from, GDL_Surface* to, const Rect& r) {
    if (r.w > 0 && r.h > 0) {
        CopyPageRect(from, to, r.x, r.y, r.w, r.h);
    }
}

// Loads the talking head's bank into kHeadSlot onward. False (logged, everything it
// loaded freed again) unless it holds exactly 12 graphics.
bool LoadHead(int character) {
    char bank[16];
    BankName(bank, character);
    const int32_t count = LoadGraphics(kHeadSlot, bank);
    if (count == kHeadGraphics) {
        return true;
    }
    LogPrintf("CHARACTER ERROR: num_gfx = %d", count);
    // A load that failed part way reports 0 but may have filled slots.
    FreeGraphics(kHeadSlot, std::max(count, kHeadGraphics));
    return false;
}

// Entry comment - 1 of the character's bank into the voice slot; its size.
uint32_t LoadVoice(int character, int comment) {
    char bank[16];
    BankName(bank, character);
    SoundStop(kVoiceSound);
    SoundFree(kVoiceSound);
    return SoundSeek(bank, comment - 1, kVoiceSound);
}

// Rests until the next look at the voice slot (`now` is the time of the last
// look), the end of the speech or an input of `events`.
void RestWhileSpeaking(const LipSync& sync, uint32_t now, uint32_t events) {
    uint32_t due = sync.lastStep + kStepMs + 1;
    const uint32_t end = now + SoundMsLeft(kVoiceSound);
    if (static_cast<int32_t>(end - due) < 0) {
        due = end;
    }
    TimerRestUntil(due, events);
}

// Draws the pointer on the display where the mouse has gone; its moves wait in
// the queue for the hunt.
void FollowPointer() {
    int32_t x = pointerX, y = pointerY;
    GDL_getMousePos(&x, &y);
    if (x == pointerX && y == pointerY) {
        return;
    }
    HideCursorOn(displaySurface);
    pointerX = x;
    pointerY = y;
    ShowCursorOn(displaySurface);
}

}  // namespace

bool SampleIsLoud(const uint8_t* data, uint32_t size, uint32_t pos, bool eightBit) {
    if (data == nullptr) {
        return false;
    }
    if (eightBit) {
        if (pos >= size) {
            return false;
        }
        return std::abs(static_cast<int32_t>(data[pos]) - 128) > kQuietLimit8;
    }
    if (size < 2 || pos > size - 2) {
        return false;
    }
    const auto sample = static_cast<int16_t>(static_cast<uint16_t>(data[pos]) |
                                             static_cast<uint16_t>(data[pos + 1] << 8));
    return std::abs(static_cast<int32_t>(sample)) > kQuietLimit16;
}

LipSync StartLipSync() {
    LipSync sync;
    sync.data = SoundData(kVoiceSound, &sync.size);
    sync.eightBit = eightBitSound != 0;
    return sync;
}

bool LipSyncStep(LipSync* sync, uint32_t now, bool* loud) {
    if (sync->started && now - sync->lastStep <= kStepMs) {
        return false;
    }
    sync->started = true;
    sync->lastStep = now;
    *loud = SampleIsLoud(sync->data, sync->size, sync->readPos, sync->eightBit);
    const uint32_t stride = sync->eightBit ? kStepBytes16 / 2 : kStepBytes16;
    if (uint64_t{sync->dataOffset} + stride < sync->size) {
        sync->readPos += stride;
        sync->dataOffset += stride;
        Trace("data_offset=%d", static_cast<int>(sync->dataOffset));
    }
    return true;
}

void DoCharacterComment(int character, int comment, int x, int y, int mirror) {
    Trace("DoCharacterComment(%d, %d, %d, %d, %d)", character, comment, x, y, mirror);
    SoundStop(kVoiceSound);
    SoundFree(kVoiceSound);
    BusyCursor();
    if (!LoadHead(character)) {
        RestoreCursor();
        return;
    }
    const Rect head = HeadRect(x, y);
    const Rect box = BoundingBox(x, y);
    ScaleGraphic(kHeadSlot, x, y, kWardenLayer, 100, mirror);
    ScaleGraphic(kHeadSlot + kHeadFirstOverlay, x, y, kWardenLayer, 100, mirror);
    HideCursor();
    Copy(backPage, displaySurface, box);

    if (LoadVoice(character, comment) == 0) {
        LogPrintf("ERROR: DoCharacterComment(%d)", comment);
    } else {
        SoundPlay(kVoiceSound);
        RaiseCaption(character, comment);
        LipSync sync = StartLipSync();
        int32_t overlay = kHeadFirstOverlay;
        while (IsSoundPlaying(kVoiceSound) != 0) {
            bool loud = false;
            const uint32_t now = TimerCount();
            if (!LipSyncStep(&sync, now, &loud)) {
                RestWhileSpeaking(sync, now, 0);
                continue;
            }
            const int32_t mouth = loud ? kHeadQuietMouth + Random() % 3 : kHeadQuietMouth;
            if (Random() % 10 == 2) {
                overlay = 1 + Random() % 4;
            }
            const int32_t second = Random() % 5 == 2 ? kHeadSecondOverlayAlt : kHeadSecondOverlay;
            Copy(workPage, backPage, head);
            for (int32_t part : {0, overlay, mouth, second}) {
                ScaleGraphic(kHeadSlot + part, x, y, kWardenLayer, 100, mirror);
            }
            Copy(backPage, displaySurface, head);
        }
        LowerCaption();
        SoundFree(kVoiceSound);
    }

    FreeGraphics(kHeadSlot, kHeadGraphics);
    Copy(workPage, backPage, box);
    Copy(backPage, displaySurface, box);
    ShowCursor();
    RestoreCursor();
}

void DoWilmaComment(int comment) {
    if (debugLog || comment != 0) {
        LogPrintf("DoWilmaComment(%d)", comment);
    }
    HideCursor();
    DoCharacterComment(20, comment, 220, 470, 0);
}

void DoSheriffComment(int character, int comment, int x, int y) {
    Trace("DoSheriffComment(%d, %d, %d, %d)", character, comment, x, y);
    SoundStop(kVoiceSound);
    SoundFree(kVoiceSound);
    if (!LoadHead(character)) {
        return;
    }
    const Rect head = HeadRect(x, y);
    const Rect box = BoundingBox(x, y);
    ScaleGraphic(kHeadSlot, x, y, kSheriffLayer, 100, 0);
    ScaleGraphic(kHeadSlot + kHeadFirstOverlay, x, y, kSheriffLayer, 100, 0);
    Copy(backPage, displaySurface, box);

    if (LoadVoice(character, comment) == 0) {
        LogPrintf("ERROR: DoCharacterComment(%d)", comment);
    } else {
        SoundPlay(kVoiceSound);
        RaiseCaption(character, comment);
        LipSync sync = StartLipSync();
        while (IsSoundPlaying(kVoiceSound) != 0) {
            bool loud = false;
            const uint32_t now = TimerCount();
            if (!LipSyncStep(&sync, now, &loud)) {
                RestWhileSpeaking(sync, now, 0);
                continue;
            }
            const int32_t mouth = loud ? kHeadQuietMouth + Random() % 3 : kHeadQuietMouth;
            const int32_t second = Random() % 5 == 2 ? kHeadSecondOverlayAlt : kHeadSecondOverlay;
            ScaleGraphic(kHeadSlot + mouth, x, y, kSheriffLayer, 100, 0);
            ScaleGraphic(kHeadSlot + second, x, y, kSheriffLayer, 100, 0);
            Copy(backPage, displaySurface, head);
        }
        LowerCaption();
        SoundFree(kVoiceSound);
    }

    FreeGraphics(kHeadSlot, kHeadGraphics);
    Copy(workPage, backPage, box);
    Copy(backPage, displaySurface, box);
}

void DoPartnerComment(int comment) {
    Trace("DoPartnerComment(%d)", comment);
    SoundStop(kVoiceSound);
    SoundFree(kVoiceSound);
    if (SoundSeek(kPartnerBank, comment - 1, kVoiceSound) == 0) {
        return;
    }
    SoundPlay(kVoiceSound);
    LipSync sync = StartLipSync();
    const Rect head = Placed(kPartnerFigure, kPartnerX, kPartnerY);

    HideCursorOn(displaySurface);
    BlitGraphicLayer(kPartnerFigure, kPartnerX, kPartnerY, kPartnerLayer);
    Copy(backPage, displaySurface, head);
    RaiseCaption(kPartner, comment);
    // The pointer stays on the display and follows the mouse while he talks;
    // the hunt gets its own place back afterwards, with the moves still queued.
    const int32_t heldX = pointerX, heldY = pointerY;
    ShowCursorOn(displaySurface);
    constexpr uint32_t kCutShort = GDL_EVENT_KEYDOWN | GDL_EVENT_MOUSEDOWN;
    while (IsSoundPlaying(kVoiceSound) != 0) {
        bool loud = false;
        const uint32_t now = TimerCount();
        if (LipSyncStep(&sync, now, &loud)) {
            BlitGraphicLayer(loud ? kPartnerMouthOpen : kPartnerMouthShut, kPartnerX, kPartnerY,
                             kPartnerLayer);
            BlitGraphicLayer(Random() % 4 == 2 ? kPartnerEyesBlink : kPartnerEyesOpen, kPartnerX,
                             kPartnerY, kPartnerLayer);
            HideCursorOn(displaySurface);
            Copy(backPage, displaySurface, head);
            ShowCursorOn(displaySurface);
        }
        FollowPointer();
        RestWhileSpeaking(sync, now, kCutShort);
        // The player may cut him short.
        GDL_Event event{};
        if (GDL_getEvent(&event, kCutShort) != 0) {
            SoundStop(kVoiceSound);
            break;
        }
    }
    HideCursorOn(displaySurface);
    pointerX = heldX;
    pointerY = heldY;
    LowerCaption();
    SoundFree(kVoiceSound);
    Copy(workPage, backPage, head);
    Copy(backPage, displaySurface, head);
    ShowCursorOn(displaySurface);
}

void DoPartnerVoice(int comment) {
    Trace("DoPartnerVoice(%d)", comment);
    // A remark asked for while he is still talking is dropped: no caption for it.
    const bool talking = IsSoundPlaying(kVoiceSound) != 0;
    PlayVoice(kPartnerBank, comment - 1);
    if (!talking) {
        StartRemarkCaption(kPartner, comment, kVoiceSound);
    }
}
