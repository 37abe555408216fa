#pragma once
// The four flocks' flights: absent, far across the sky or one bird close
// enough to shoot; the species picking, interest levels, calls and flaring.
#include <cstdint>

void InitWaterfowl();
// Picks and starts flock f's next flight.
void NewMotion(int32_t f);
// Sets species, sex and kind of flock f by interest and the club's quotas.
void PickSpecies(int32_t f);

void InitFlyNot(int32_t f);
void InitFlyFar(int32_t f);
void InitFlyClose(int32_t f);
void FlyNot(int32_t f);
void FlyFar(int32_t f);
void FlyClose(int32_t f);

// Per-step drift of the interest levels.
void ChangeDistances();
// One blow of a duck call; kind 1 above row 450 on the icon, 2 below.
void UseDuckCall(int32_t kind);
// Visible flocks flare upward at a noise; source has no effect.
void AlertDucks(int32_t source);
// Icon-bar button 5: right click changes call, left click blows it.
void DuckCallButton(int32_t arg);

// The flock's drawn rectangle for its current graphic and position.
void FlockRect(int32_t f);

// A close bird of `scale` percent (30, 40, ... 100): the row where its flight
// ends on the water, and its layer.
struct CloseSize {
    int32_t groundY;
    int32_t depth;
};
CloseSize CloseFlightSize(int32_t scale);
// A close bird keeps above row scale * kBandPercent / 100.
constexpr int32_t kBandPercent = 360;
