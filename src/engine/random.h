#pragma once
#include <cstdint>

// The game's one random generator: integers 0 to 32767 from the classic linear
// congruential step, so every "draw modulo n" has the spread the game was tuned for.
void SeedRandom(uint32_t seed);

// The next number, 0 to 32767.
int Random();
