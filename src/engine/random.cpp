#include "engine/random.h"

namespace {

uint32_t randomSeed = 1;

}  // namespace

void SeedRandom(uint32_t seed) {
    randomSeed = seed;
}

int Random() {
    randomSeed = randomSeed * 214013u + 2531011u;
    return static_cast<int>((randomSeed >> 16) & 0x7FFF);
}
