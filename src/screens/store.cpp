#include "screens/store.h"

#include <array>

#include "engine/blit.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/transitions.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kLitGraphicBase = 10;
constexpr int32_t kPlainButtonGraphics = 12;  // below this a button is hit anywhere in it
constexpr int kItemButtons = 8;
constexpr int kConfirmSound = 2;
constexpr int kTillSound = 4;
constexpr int kRefusalSound = 5;
constexpr int kChordSound = 6;
constexpr int32_t kMostShellsToBuy = 999;  // shells are sold while the box holds at most this
constexpr int32_t kShellBox = 25;
constexpr int32_t kChordMoney = 100;

constexpr std::array<int32_t, kItemCount> kPrices = {5, 5, 5, 5, 5, 5, 0, 30, 20};

int32_t storeGraphicCount = 0;

std::array<Button, 9> buttons = {{
    {6, 56, 236, 74, 1, 0, 0, 21, kItemDecoys, BuyItem, 1},
    {242, 56, 112, 94, 1, 0, 0, 22, kItemLicence, BuyItem, 2},
    {62, 198, 116, 52, 1, 0, 0, 23, kItemCall1, BuyItem, 3},
    {10, 262, 132, 48, 1, 0, 0, 24, kItemCall1 + 1, BuyItem, 4},
    {116, 142, 98, 42, 1, 0, 0, 25, kItemCall1 + 2, BuyItem, 5},
    {248, 182, 98, 96, 1, 0, 0, 26, kItemShells, BuyItem, 6},
    {18, 300, 606, 108, 1, 0, 0, 27, kItemGun1 + 2, BuyItem, 7},
    {86, 372, 554, 108, 1, 0, 0, 28, kItemGun1 + 1, BuyItem, 8},
    {7, 430, 74, 44, 1, 1, 0, 4, kScreenMain, ExitScreen, -1},
}};

bool Inside(const Button& b, int32_t px, int32_t py) {
    return px >= b.x && px < b.x + b.width && py >= b.y && py < b.y + b.height;
}

void Unlight(Button& b) {
    HideCursor();
    b.lit = 0;
    CopyPageRect(workPage, backPage, b.x, b.y, b.width, b.height);
    CopyPageRect(backPage, displaySurface, b.x, b.y, b.width, b.height);
    SetCursorShape(kArrowPointer);
    ShowCursor();
}

// The shelf pictures, leaving out `skip` (null: none).
void DrawShelves(const Button* skip) {
    for (int i = 0; i < kItemButtons; ++i) {
        if (&buttons[static_cast<size_t>(i)] != skip) {
            const Button& b = buttons[static_cast<size_t>(i)];
            BlitGraphic(b.graphic + kLitGraphicBase, b.x, b.y, backPage);
        }
    }
}

void DrawMoney() {
    textTarget = backPage;
    DrawFontTextf(0, 192, 437, "%d", player->money);
}

// The owned ones of three items in a centred row at `y`.
void DrawOwnedRow(int32_t firstItem, int32_t firstIcon, int32_t iconW, int32_t y) {
    int32_t n = 0;
    for (int k = 0; k < 3; ++k) {
        n += player->items[static_cast<size_t>(firstItem + k)] != 0;
    }
    int32_t x = (640 - (iconW * n + 12 * (n - 1))) / 2 + 178;
    for (int k = 0; k < 3; ++k) {
        if (player->items[static_cast<size_t>(firstItem + k)] != 0) {
            BlitGraphic(firstIcon + k, x, y, backPage);
            x += iconW + 12;
        }
    }
}

}  // namespace

Button* StoreButtons() {
    return buttons.data();
}

int32_t ItemPrice(int32_t item) {
    return item >= 0 && item < kItemCount ? kPrices[static_cast<size_t>(item)] : 0;
}

void DrawStoreScreen() {
    storeGraphicCount = LoadGraphics(kScreenBankSlot, "spr_04");
    LoadBackground("bkg_04");
    CopyWorkPage();
    RestoreStoreScreen();
}

void ExitStoreScreen() {
    FreeGraphics(kScreenBankSlot, storeGraphicCount);
    storeGraphicCount = 0;
}

void RestoreStoreScreen() {
    DrawStoreItems();
    DrawOwnedItems();
    RandomBlockWipe();
    ShowCursor();
}

void DoStoreScreen() {
    if (action == 0) {
        return;
    }
    if (action == kActionLeftPress) {
        Button* b = HitTestStore(buttons.data(), pointerX, pointerY);
        if (b != nullptr && b->handler != nullptr) {
            b->handler(b->arg);
        }
    } else if (action == kActionMove) {
        HitTestStore(buttons.data(), pointerX, pointerY);
    }
    action = 0;
}

void DrawStoreItems() {
    CopyWorkPage();
    DrawShelves(nullptr);
    DrawMoney();
}

void DrawOwnedItems() {
    textTarget = backPage;
    DrawOwnedRow(kItemGun1, kStoreGunIcon, 80, 53);
    if (player->items[kItemShells] != 0) {
        BlitGraphic(kShellIcon, 444, 111, backPage);
        DrawFontTextf(0, 504, 123, "%d", player->items[kItemShells]);
    }
    DrawOwnedRow(kItemCall1, kCallIcon, 68, 170);
    if (player->items[kItemLicence] != 0) {
        BlitGraphic(kLicenceIcon, 513, 227, backPage);
    }
    if (player->items[kItemDecoys] != 0) {
        BlitGraphic(kDecoyIcon, 412, 230, backPage);
    }
}

void BuyItem(int32_t item) {
    if (item < 0 || item >= kItemCount) {
        return;
    }
    uint16_t& count = player->items[static_cast<size_t>(item)];
    const bool owned = count != 0 && item != kItemShells;
    if (kPrices[static_cast<size_t>(item)] > player->money || count > kMostShellsToBuy || owned) {
        SoundPlay(kRefusalSound);
        return;
    }
    // The 999 test comes first, so a box of 25 on 999 makes 1024.
    count = static_cast<uint16_t>(item == kItemShells ? count + kShellBox : 1);
    player->money -= kPrices[static_cast<size_t>(item)];
    SoundPlay(kTillSound);

    // The button selling this item (gun 3 sits before gun 2 on the list).
    const Button* sold = nullptr;
    for (int i = 0; i < kItemButtons; ++i) {
        if (buttons[static_cast<size_t>(i)].arg == item) {
            sold = &buttons[static_cast<size_t>(i)];
        }
    }
    HideCursor();
    CopyWorkPage();
    DrawShelves(sold);
    DrawMoney();
    DrawOwnedItems();
    ShowBackPage();
    DrawStoreItems();
    if (sold != nullptr) {
        DissolveArea(sold->x, sold->y, sold->width, sold->height);
    }
    ShowCursor();
    SoundPlay(kConfirmSound);
}

Button* HitTestStore(Button* list, int32_t px, int32_t py) {
    Button* found = nullptr;
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        Button& b = list[i];
        if (!b.enabled) {
            continue;
        }
        if (Inside(b, px, py)) {
            if (b.graphic < kPlainButtonGraphics ||
                CheckBitmapData(b.graphic + kLitGraphicBase, px - b.x, py - b.y) != 0) {
                found = &b;
                break;
            }
            continue;  // a clear pixel of a shelf picture: later buttons may have it
        }
        if (b.hoverable && b.lit) {
            Unlight(b);
        }
    }
    if (found == nullptr) {
        return nullptr;
    }
    if (!found->hoverable || found->lit) {
        return found;
    }
    LightButton(list, *found);
    SetCursorShape(kButtonPointer);
    return found;
}

uint32_t CheckBitmapData(int32_t graphic, int32_t dx, int32_t dy) {
    if (graphic < 0 || graphic > maxGraphic) {
        return 0;
    }
    const GraphicSlot& g = Graphic[static_cast<size_t>(graphic)];
    if (g.data == nullptr) {
        return 0;
    }
    // A point beside the picture would otherwise wrap into the next row.
    if (dx < 0 || dy < 0 || dx >= g.width || dy >= g.height) {
        return 0;
    }
    return g.data[static_cast<size_t>(dy) * static_cast<size_t>(g.width) +
                  static_cast<size_t>(dx)] != 0
               ? 1
               : 0;
}

void StoreMoneyChord() {
    if (currentScreen != kScreenStore || pointerX != 0 || pointerY != 0) {
        return;
    }
    player->money = kChordMoney;
    SoundPlay(kChordSound);
}
