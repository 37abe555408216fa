// Feeds arbitrary bytes to LoadGraphics as a bank and draws whatever it
// loaded with every blitter: a hostile .256 file must neither read nor write
// outside its buffers, and every slot it fills must be drawable.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/blit.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "fuzz_support.h"
#include "platform/graphics.h"
#include "sys/backend.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("graphics");
    FuzzStartDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("fuzz.256", data, size);

    LogReset();
    ResetGraphicBanks();
    const int32_t count = LoadGraphics(90, "fuzz");
    if (count < 0 || count > maxGraphic - 90) {
        std::abort();
    }
    // A bank that fails part-way keeps its earlier slots: check all of them,
    // and draw the first twelve and the last four (drawing every slot of a
    // large bank would cost more than loading it).
    std::vector<int> filled;
    for (int slot = 90; slot < maxGraphic; ++slot) {
        const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        if (g.data == nullptr) {
            continue;
        }
        if (g.width <= 0 || g.width > kScreenWidth || g.height <= 0) {
            std::abort();
        }
        filled.push_back(slot);
    }
    for (size_t i = 0; i < filled.size(); ++i) {
        if (i >= 12 && i + 4 < filled.size()) {
            continue;
        }
        const int slot = filled[i];
        const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        // Slot 99 may have become a depth map; the blitters check its size.
        const int x = g.xoff % 700;
        const int y = g.yoff % 520;
        BlitGraphic(slot, x, y, backPage);
        BlitGraphic2(slot, x, y, g.height, workPage);
        BlitGraphicLayer(slot, x, y, 128);
        BlitShadow(slot, -x, -y, 254, backPage);
        ScaleGraphic(slot, x, y, 200, 5 + static_cast<int>(g.size % 200), slot & 1);
        BlitDecoy(slot, -x, y, 30);
    }
    ResetGraphicBanks();
    return 0;
}
