// Feeds arbitrary bytes to LoadGraphics as a hunt scene bank (picture, decoy
// map, depth map) and puts decoys out on it as the decoy icon does, on the
// open water and on the value the input's last byte names.
#include <unistd.h>
#include <cstdint>
#include <cstdlib>

#include "engine/blit.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "fuzz_support.h"
#include "gdl/gdl.h"
#include "hunt/panel.h"
#include "platform/graphics.h"

namespace {

// Small decoys of our own in the slots the sprite bank fills in the hunt.
void MakeDecoys() {
    for (int slot = kDecoySlot; slot < kDecoySlot + kDecoyKinds; ++slot) {
        GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        if (g.data != nullptr) {
            continue;
        }
        g = GraphicSlot{24 * 12, 24, 12, -12, -6, static_cast<uint8_t*>(GDL_malloc(24 * 12))};
        for (int i = 0; i < 24 * 12; ++i) {
            g.data[i] = static_cast<uint8_t>(i % 7 == 0 ? 0 : slot + i);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("decoys");
    FuzzStartDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("scn.256", data, size);

    LogReset();
    ResetGraphicBanks();
    LoadGraphics(kSceneSlot, "scn");
    MakeDecoys();
    SeedRandom(static_cast<uint32_t>(size));
    BlitGraphic2(kSceneSlot, 0, 0, kScreenHeight, workPage);
    const int32_t named = size > 0 ? data[size - 1] : kOpenWater;
    SpreadDecoys();
    PlaceDecoys(1, 3, named);
    ResetGraphicBanks();
    return 0;
}
