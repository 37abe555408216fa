#include "hunt/hunt.h"

HuntState hunt = {};
std::array<Flock, kFlockCount> flocks = {};

const std::array<const char*, kSpeciesCount> speciesNames = {"Mallard", "Pintail", "Redhead",
                                                             "Canvasback"};
const std::array<const char*, 2> sexNames = {"Hen", "Drake"};

void ResetHunt() {
    hunt = HuntState{};
    flocks = {};
}
