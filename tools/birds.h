#pragma once
// The flying birds of the sprite bank and what goes with them on the marsh.
#include <vector>

#include "format256.h"

// Close birds, 640 pictures indexed species * 160 + sex * 80 + pose * 16 +
// frame (graphics 300 to 939): species Mallard, Pintail, Redhead, Canvasback;
// hen, drake; poses steep descent to steep climb; frames tilt * 4 + wing, then
// four tumbling frames. Flying right, anchored on the middle of the body.
std::vector<Picture> DrawBirds();
// Two far formations of four wing frames each (graphics 948 to 955).
std::vector<Picture> DrawFarFlocks();
// Decoys: drake mallard, hen mallard, drake canvasback (graphics 956 to 958).
std::vector<Picture> DrawDecoys();
