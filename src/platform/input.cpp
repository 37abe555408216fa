#include "platform/input.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <utility>

#include "engine/config.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"

int32_t pointerX = 320;
int32_t pointerY = 240;
int32_t action = 0;
int32_t keyChar = 0;
int32_t keyScan = 0;
int32_t buttonHeld = 0;
int32_t cursorInBackPage = 0;
int32_t num_mice = 0;

namespace {

constexpr int32_t kNarrowShapeWidth = 22;

GDL_Surface* cursorImage = nullptr;
GDL_Surface* cursorSave = nullptr;
GDL_Surface* cursorSpare = nullptr;  // made with the other two; nothing draws on it
int32_t currentShape = 0;
int32_t savedShape = 0;
int32_t hotX = 0;
int32_t hotY = 0;
int32_t cursorW = 0;
int32_t cursorH = 0;
int32_t lastX = 320;
int32_t lastY = 240;
// The size of what cursorSave holds: a shape change while the pointer is drawn
// must still put back exactly what was covered.
int32_t savedW = 0;
int32_t savedH = 0;

// Whether the windowing system draws the pointer (HardwarePointer, and it took
// the shape): then nothing draws it on the pages.
bool hardwareShown = false;
int32_t hardwareShape = -1;  // the shape it was given, so a light does not make it again

// The hidden chords and command keys the game handed over, none before.
std::span<const HiddenChord> hiddenChords;
std::span<const HiddenChord> commandKeys;

constexpr std::array<std::pair<int32_t, int32_t>, 4> kArrowActions = {{
    {kScanUp, kActionUp},
    {kScanDown, kActionDown},
    {kScanLeft, kActionLeft},
    {kScanRight, kActionRight},
}};

// Saves the page under the pointer's position and draws the pointer there.
bool SaveAndDraw(GDL_Surface* page) {
    if (cursorImage == nullptr || page == nullptr || hardwareShown) {
        return false;
    }
    const int32_t x = pointerX + hotX;
    const int32_t y = pointerY + hotY;
    GDL_bitBlt(cursorSave, page, x, y, x + cursorW, y + cursorH, 0, 0, 0);
    GDL_transBlt(page, cursorImage, 0, 0, cursorW, cursorH, x, y, 0, 1);
    savedW = cursorW;
    savedH = cursorH;
    return true;
}

GDL_Surface* PointerPage() {
    return cursorInBackPage ? backPage : displaySurface;
}

GDL_Surface* MakeCursorSurface(const GDL_PixelFormat& format, int32_t w, int32_t h) {
    GDL_Surface* surface = GDL_createMemorySurface(w, h, 8, &format);
    if (surface == nullptr) {
        GDL_fatalError(GDL_errorMsg(GDL_result()));
    }
    return surface;
}

void KeyPressed(const GDL_Event& event) {
    keyChar = static_cast<int32_t>(event.code & 0xFF);
    keyScan = static_cast<int32_t>((event.code >> 8) & 0xFF);
    for (const auto& [scan, arrowAction] : kArrowActions) {
        if (keyScan == scan) {
            action = arrowAction;
        }
    }
    if ((event.state & GDL_STATE_CONTROL) == 0 && RunCommandKey(keyScan)) {
        // What the handler's own events left is not this key's.
        action = 0;
        keyChar = 0;
        keyScan = 0;
        return;
    }
    if ((event.state & GDL_STATE_CONTROL) != 0) {
        keyChar = 0;
        for (const HiddenChord& chord : hiddenChords) {
            if (chord.scan == keyScan) {
                chord.handler();
            }
        }
    }
}

}  // namespace

void SetHiddenChords(std::span<const HiddenChord> chords) {
    hiddenChords = chords;
}

void SetCommandKeys(std::span<const HiddenChord> keys) {
    commandKeys = keys;
}

bool RunCommandKey(int32_t scan) {
    for (const HiddenChord& key : commandKeys) {
        if (key.scan == scan) {
            key.handler();
            return true;
        }
    }
    return false;
}

uint32_t InitMouse() {
    num_mice = LoadGraphics(kPointerSlot, "pointers");
    if (num_mice < kPointerShapes) {
        LogPrintf("num_mice = %d", num_mice);
        return 0;
    }
    for (int32_t n = 0; n < num_mice; ++n) {
        const GraphicSlot& shape = Graphic[n];
        if (shape.width > kCursorMaxW || shape.height > kCursorMaxH) {
            LogPrintf("ERROR: pointer shape %d is %dx%d, cut to %dx%d", n, shape.width,
                      shape.height, kCursorMaxW, kCursorMaxH);
        }
    }
    GDL_PixelFormat format{};
    GDL_getPixelFormat(displaySurface, &format);
    if (cursorImage == nullptr) {
        cursorImage = MakeCursorSurface(format, kCursorMaxW, kCursorMaxH);
        cursorSave = MakeCursorSurface(format, kCursorMaxW, kCursorMaxH);
        cursorSpare = MakeCursorSurface(format, kCursorMaxW, kCursorMaxW);
    }
    hardwareShape = -1;  // the bank may hold other shapes now
    SetCursorShape(kArrowPointer);
    currentShape = kArrowPointer;
    GDL_setPalette(cursorImage, gamePalette.data(), 256, 0);
    GDL_realizePalette(cursorImage, 256, 0, 0);
    StartPad();
    return 1;
}

void FreeMouse() {
    StopPad();
    FreeGraphics(kPointerSlot, num_mice);
    num_mice = 0;
    // The pointer's surfaces go with the display they were made for.
    for (GDL_Surface** surface : {&cursorImage, &cursorSave, &cursorSpare}) {
        if (*surface != nullptr) {
            GDL_destroySurface(*surface);
            *surface = nullptr;
        }
    }
}

void PollEvent() {
    action = 0;
    keyChar = 0;
    keyScan = 0;
    GDL_Event event{};
    if (GDL_getEvent(&event, GDL_EVENT_ALL) == 0) {
        return;
    }
    switch (event.type) {
        case GDL_EVENT_KEYDOWN:
            KeyPressed(event);
            break;
        case GDL_EVENT_KEYUP:
            action = 0;
            break;
        case GDL_EVENT_MOUSEDOWN:
            // A second press before the release (a release lost somewhere) is ignored.
            if (buttonHeld) {
                break;
            }
            pointerX = event.x;
            pointerY = event.y;
            if ((event.code & GDL_BUTTON_LEFT) != 0) {
                action = kActionLeftPress;
            }
            if ((event.code & GDL_BUTTON_RIGHT) != 0) {
                action = kActionRightPress;
            }
            buttonHeld = 1;
            break;
        case GDL_EVENT_MOUSEUP:
            buttonHeld = 0;
            break;
        case GDL_EVENT_MOUSEMOVE:
            pointerX = event.x;
            pointerY = event.y;
            action = kActionMove;
            if (event.state == GDL_STATE_LEFT && buttonHeld == 0) {
                action = kActionLeftDrag;
            }
            if (event.state == GDL_STATE_RIGHT) {
                action = kActionRightDrag;
            }
            if (!cursorInBackPage) {
                MoveCursor();
            }
            break;
        default:
            break;
    }
}

void SetCursorShape(int32_t n) {
    if (cursorImage == nullptr) {
        return;
    }
    std::memset(cursorImage->pixels, 0,
                static_cast<size_t>(cursorImage->bytesPerLine) * (cursorImage->maxY + 1));
    const GraphicSlot* shape = (n >= 0 && n <= maxGraphic) ? &Graphic[n] : nullptr;
    int32_t w = 0;
    int32_t h = 0;
    if (shape != nullptr && shape->data != nullptr) {
        w = std::min<int32_t>(shape->width, kCursorMaxW);
        h = std::min<int32_t>(shape->height, kCursorMaxH);
        for (int32_t row = 0; row < h; ++row) {
            std::memcpy(cursorImage->pixels + row * cursorImage->bytesPerLine,
                        shape->data + row * shape->width, static_cast<size_t>(w));
        }
        hotX = shape->xoff;
        hotY = shape->yoff;
    }
    cursorW = n == kNarrowPointer ? kNarrowShapeWidth : w;
    cursorH = h;
    currentShape = n;
    if (hardwarePointer != 0 && cursorW > 0 && cursorH > 0 &&
        (n != hardwareShape || !hardwareShown)) {
        hardwareShown =
            GDL_setHardwareCursor(cursorImage->pixels, cursorW, cursorH, cursorImage->bytesPerLine,
                                  gamePalette.data(), hotX, hotY);
        hardwareShape = n;
    }
}

int32_t GetCursorShape() {
    return currentShape;
}

void ShowCursorOn(GDL_Surface* page) {
    if (SaveAndDraw(page)) {
        lastX = pointerX + hotX;
        lastY = pointerY + hotY;
    }
}

void HideCursorOn(GDL_Surface* page) {
    if (cursorSave == nullptr || page == nullptr || hardwareShown) {
        return;
    }
    GDL_bitBlt(page, cursorSave, 0, 0, savedW, savedH, lastX, lastY, 0);
}

void ShowCursor() {
    ShowCursorOn(PointerPage());
}

void HideCursor() {
    HideCursorOn(PointerPage());
}

void BusyCursor() {
    savedShape = currentShape;
    HideCursor();
    SetCursorShape(kBusyPointer);
    ShowCursor();
}

void RestoreCursor() {
    HideCursor();
    SetCursorShape(savedShape);
    ShowCursor();
}

void ResetCursor() {
    HideCursor();
    SetCursorShape(kArrowPointer);
    ShowCursor();
}

void MoveCursor() {
    HideCursorOn(displaySurface);
    ShowCursorOn(displaySurface);
}

void DrawCursorInBackPage() {
    SaveAndDraw(backPage);
}

int64_t PresentCursor() {
    const int32_t x = pointerX + hotX;
    const int32_t y = pointerY + hotY;
    int64_t copied = CopyChangedRows(backPage, displaySurface, lastX, lastY, cursorW, cursorH);
    copied += CopyChangedRows(backPage, displaySurface, x, y, cursorW, cursorH);
    lastX = x;
    lastY = y;
    return copied;
}

void DrawCursorAt(int32_t x, int32_t y) {
    if (cursorImage == nullptr || hardwareShown) {
        return;
    }
    GDL_transBlt(backPage, cursorImage, 0, 0, cursorW, cursorH, x + hotX, y + hotY, 0, 1);
}

void SetPointerPos(int32_t x, int32_t y) {
    GDL_setMousePos(x, y);
    pointerX = x;
    pointerY = y;
    lastX = x;
    lastY = y;
}

void SyncCursorPos() {
    lastX = pointerX + hotX;
    lastY = pointerY + hotY;
}

void DrainMouse() {
    // Start from the press already seen: a release that has not reached the
    // queue yet must still be waited for.
    int32_t held = buttonHeld;
    int32_t x = 0;
    int32_t y = 0;
    ReadMouse(&x, &y, &held);
    while (held == 1) {
        ReadMouse(&x, &y, &held);
    }
    action = 0;
    buttonHeld = 0;
}

void ReadMouse(int32_t* x, int32_t* y, int32_t* held) {
    GDL_Event event{};
    if (GDL_getEvent(&event, GDL_EVENT_POINTER) != 0) {
        switch (event.type) {
            case GDL_EVENT_MOUSEDOWN:
                *held = 1;
                *x = event.x;
                *y = event.y;
                break;
            case GDL_EVENT_MOUSEUP:
                *held = 0;
                break;
            case GDL_EVENT_MOUSEMOVE:
                *x = event.x;
                *y = event.y;
                break;
            default:
                break;
        }
    }
    buttonHeld = 0;
}

void FlushClicks() {
    GDL_flushEvents(GDL_EVENT_MOUSEDOWN);
}

void ResetInput() {
    ResetPad();
    hardwareShown = false;
    hardwareShape = -1;
    for (GDL_Surface** surface : {&cursorImage, &cursorSave, &cursorSpare}) {
        if (*surface != nullptr) {
            GDL_destroySurface(*surface);
            *surface = nullptr;
        }
    }
    pointerX = 320;
    pointerY = 240;
    action = keyChar = keyScan = buttonHeld = 0;
    cursorInBackPage = 0;
    num_mice = 0;
    currentShape = savedShape = 0;
    hotX = hotY = cursorW = cursorH = savedW = savedH = 0;
    lastX = 320;
    lastY = 240;
}
