#pragma once
// The gun (changing, loading, firing, the hit test) and the retriever that
// fetches each downed bird.
#include <cstdint>

struct RetrieverState;

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

// The fetch itself, on any dog (the hunt's is hunt.retriever in
// hunt.retrieverState). StartRetriever puts it on the near bank; each
// StepRetriever is one animation step in `state` (kDog...) and returns the
// state after it; DrawDog draws it, with the bird on the way back.
void StartRetriever(RetrieverState& dog);
int32_t StepRetriever(int32_t state, RetrieverState& dog);
void DrawDog(int32_t state, const RetrieverState& dog);

// The area the retriever is drawn in and erased from.
constexpr int32_t kDogAreaX = 148, kDogAreaY = 110, kDogAreaW = 460, kDogAreaH = 370;
