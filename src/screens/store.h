#pragma once
// Screen 2, the store: the goods on the shelves are bought by clicking their
// painted pixels; below them the board shows what the player owns and the money.
#include <cstdint>

struct Button;

void DrawStoreScreen();
void ExitStoreScreen();
void DoStoreScreen();
void RestoreStoreScreen();

// An item button's handler: buys item `item` when it is affordable and not owned.
void BuyItem(int32_t item);

// The button under the point, or null: a shelf picture is hit only on its
// painted pixels, and a transparent one passes the point to later buttons.
Button* HitTestStore(Button* list, int32_t px, int32_t py);

// 1 when the pixel (dx, dy) of the graphic is painted; 0 for an empty slot or
// a point outside the picture.
uint32_t CheckBitmapData(int32_t graphic, int32_t dx, int32_t dy);

void DrawStoreItems();
void DrawOwnedItems();

// The hidden chord of the store: with the pointer at (0, 0) the money becomes 100.
void StoreMoneyChord();

// The store's button list, for tests.
Button* StoreButtons();

// Dollars by item number; gun 1 is never sold.
int32_t ItemPrice(int32_t item);
