#pragma once
// A scratch test with the headless display up, the graphic table empty and
// helpers to look at page pixels.
#include <cstring>
#include <string>
#include <vector>

#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/test_banks.h"
#include "platform/graphics.h"
#include "support/display_test.h"

// Pixel (x, y) becomes (x * 3 + y * 5 + seed) % 251 + 1: never 0.
inline void FillPattern(GDL_Surface* surface, int seed) {
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            Pixel(surface, x, y) = static_cast<uint8_t>((x * 3 + y * 5 + seed) % 251 + 1);
        }
    }
}

// Puts a picture straight into a slot, as a loader would.
inline void Put(int slot, const test_banks::Picture& picture) {
    GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
    if (g.data != nullptr) {
        GDL_free(g.data);
    }
    g = GraphicSlot{static_cast<uint32_t>(picture.pixels.size()),
                    picture.width,
                    picture.height,
                    picture.xoff,
                    picture.yoff,
                    static_cast<uint8_t*>(GDL_malloc(picture.pixels.size()))};
    std::memcpy(g.data, picture.pixels.data(), picture.pixels.size());
}

// A 640 by 480 depth map in slot 99, every value `depth`.
inline void PutDepthMap(uint8_t depth) {
    Put(kDepthMapSlot, test_banks::Solid(640, 480, depth));
}

class PageTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(GraphicsInit(), 1u);
        ResetGraphicBanks();
        for (GDL_Surface* page : {displaySurface, backPage, workPage}) {
            Fill(page, 0);
        }
    }

    void TearDown() override {
        ResetGraphicBanks();
        GraphicsExit();
        DisplayTest::TearDown();
    }
};
