#pragma once
// The gun (changing, loading, firing, the hit test) and the retriever that
// fetches each downed bird.
#include <cstdint>

// Icon-bar buttons 6 (right click: next owned gun) and 7 (left click: load).
void SwitchGun(int32_t arg);
void LoadShell(int32_t arg);

// Fires at the pointer: a left click above the panel.
void ShootGun();

// Sends the dog out for the bird just downed.
void Retriever();
void EraseRetriever();
void DrawRetriever();
void MoveRetriever();

// The area the retriever is drawn in and erased from.
constexpr int32_t kDogAreaX = 148, kDogAreaY = 110, kDogAreaW = 460, kDogAreaH = 370;
