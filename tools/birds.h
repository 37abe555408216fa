#pragma once
// The flying birds of the sprite bank and what goes with them on the marsh.
#include <vector>

#include "format256.h"

// Close birds, 640 pictures indexed BirdPicture(species, sex, pose) + frame
// (graphics from kBirdSlot): species Mallard, Pintail, Redhead, Canvasback;
// hen, drake; poses steep descent to steep climb; frames tilt * 4 + wing, then
// four tumbling frames. Flying right, anchored on the middle of the body.
std::vector<Picture> DrawBirds();
// Two far formations of four wing frames each (from kFarFlockSlot).
std::vector<Picture> DrawFarFlocks();
// Decoys: drake mallard, hen mallard, drake canvasback (from kDecoySlot).
std::vector<Picture> DrawDecoys();
