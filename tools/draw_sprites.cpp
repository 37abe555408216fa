// The hunt's sprite bank, "sprites", loaded at kSpriteSlot: the close birds,
// the far flocks, the decoys and the retriever, numbered so that graphic =
// kSpriteSlot + entry.
#include <cstdio>

#include "birds.h"
#include "canvas.h"
#include "engine/graphic_slots.h"
#include "retriever.h"

namespace {

// Fills entries from graphic `first` on; false when they do not fit.
bool Put(std::vector<Picture>& bank, int first, const std::vector<Picture>& pictures,
         size_t expected, const char* what) {
    if (pictures.size() != expected) {
        std::fprintf(stderr, "draw_sprites: %zu %s, expected %zu\n", pictures.size(), what,
                     expected);
        return false;
    }
    for (size_t i = 0; i < pictures.size(); i++) {
        bank[static_cast<size_t>(first - kSpriteSlot) + i] = pictures[i];
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    // Unused numbers (940..947, 959) hold a single transparent pixel.
    std::vector<Picture> bank(kSpriteGraphics, Picture{1, 1, 0, 0, {0}});
    bool ok = Put(bank, kBirdSlot, DrawBirds(), kBirdGraphics, "birds") &&
              Put(bank, kFarFlockSlot, DrawFarFlocks(), kFarFlockGraphics, "far flock frames") &&
              Put(bank, kDecoySlot, DrawDecoys(), kDecoyKinds, "decoys") &&
              Put(bank, kDogLeapingOut, DrawRetriever(), kDogPictures, "retriever pictures");
    if (!ok) {
        return 1;
    }
    return WriteBank(OutPath(argv[1], "sprites.256"), MasterPalette(), bank, true) ? 0 : 1;
}
