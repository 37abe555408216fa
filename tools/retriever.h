#pragma once
// The retriever of the sprite bank.
#include <vector>

#include "format256.h"

// Twelve pictures, graphics 960 to 971: the dog leaping out, coming down
// beyond the berm, leaping back, coming down on the near side; then the bird
// it carries, 964 + species * 2 + sex, drawn at the dog's anchor so that it
// sits in the mouth of 962 and 963.
std::vector<Picture> DrawRetriever();
