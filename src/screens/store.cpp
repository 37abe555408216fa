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
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

constexpr int32_t kLitGraphicBase = 10;
constexpr int32_t kPlainButtonGraphics = 12;  // below this a button is hit anywhere in it
constexpr int kItemButtons = 8;
constexpr int32_t kMostShellsToBuy = 999;  // shells are sold while the box holds at most this
constexpr int32_t kShellBox = 25;
constexpr int32_t kChordMoney = 100;

constexpr std::array<int32_t, kItemCount> kPrices = {5, 5, 5, 5, 5, 5, 0, 30, 20};

int32_t storeGraphicCount = 0;

// The shelves (their lit picture is the one always drawn), then the way out.
std::array<Button, 9> buttons = ButtonList({
    At({.x = 6, .y = 56, .width = 236, .height = 74},
       {.hoverable = 0, .graphic = 21, .arg = kItemDecoys, .handler = BuyItem}),
    At({.x = 242, .y = 56, .width = 112, .height = 94},
       {.hoverable = 0, .graphic = 22, .arg = kItemLicence, .handler = BuyItem}),
    At({.x = 62, .y = 198, .width = 116, .height = 52},
       {.hoverable = 0, .graphic = 23, .arg = kItemCall1, .handler = BuyItem}),
    At({.x = 10, .y = 262, .width = 132, .height = 48},
       {.hoverable = 0, .graphic = 24, .arg = kItemCall1 + 1, .handler = BuyItem}),
    At({.x = 116, .y = 142, .width = 98, .height = 42},
       {.hoverable = 0, .graphic = 25, .arg = kItemCall1 + 2, .handler = BuyItem}),
    At({.x = 248, .y = 182, .width = 98, .height = 96},
       {.hoverable = 0, .graphic = 26, .arg = kItemShells, .handler = BuyItem}),
    At({.x = 18, .y = 300, .width = 606, .height = 108},
       {.hoverable = 0, .graphic = 27, .arg = kItemGun1 + 2, .handler = BuyItem}),
    At({.x = 86, .y = 372, .width = 554, .height = 108},
       {.hoverable = 0, .graphic = 28, .arg = kItemGun1 + 1, .handler = BuyItem}),
    At({.x = 7, .y = 430, .width = 74, .height = 44},
       {.graphic = 4, .arg = kScreenMain, .handler = ExitScreen}),
});

// A shelf is hit only on its picture's painted pixels, a clear one leaving the
// point to later buttons.
bool OnShelfPicture(const Button& b, int32_t px, int32_t py) {
    return b.graphic < kPlainButtonGraphics ||
           CheckBitmapData(b.graphic + kLitGraphicBase, px - b.x, py - b.y) != 0;
}
// Over the shelves, which never light, the pointer keeps its shape.
constexpr HitRules kStoreRules = {.onButton = OnShelfPicture, .shapeFollowsLight = true};

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
    DoButtonList(buttons.data(), kStoreRules);
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
    SaveOptions();
}

Button* HitTestStore(Button* list, int32_t px, int32_t py) {
    return HitTestButtons(list, px, py, kStoreRules);
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
    SoundPlay(kMoneySound);
}
