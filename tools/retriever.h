#pragma once
// The retriever of the sprite bank.
#include <vector>

#include "format256.h"

// Twelve pictures from kDogLeapingOut: the dog leaping out, coming down
// beyond the berm, leaping back, coming down on the near side; then the bird
// it carries, DogCarrying(species, sex), drawn at the dog's anchor so that it
// sits in the mouth of kDogLeapingBack and kDogLandingNear.
std::vector<Picture> DrawRetriever();
