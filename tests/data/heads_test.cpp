// The talking heads of the warden and the sheriff, and the jail they speak in:
// bank sizes, every mouth and overlay inside the head rectangle and lined up
// with the head, the warden over the blind's edge, the sheriff in front of
// the jail's depth map, and the sheriff's lip sync leaving no trace behind.
#include <cstring>

#include "data/data_art.h"
#include "engine/blit.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "platform/graphics.h"

namespace {

struct Speaker {
    const char* bank;
    int x, y, layer;
};
constexpr Speaker kWilma = {"char20", 220, 470, 117};
constexpr Speaker kSheriff = {"char21", 325, 479, 119};

const GraphicSlot& Slot(int n) {
    return Graphic[static_cast<size_t>(n)];
}

uint8_t At(int n, int x, int y) {
    const GraphicSlot& g = Slot(n);
    return g.data[static_cast<size_t>(y) * g.width + x];
}

TEST_F(DataTest, TalkingHeadsLineUpInsideTheirHeadRectangle) {
    for (const Speaker& who : {kWilma, kSheriff}) {
        SCOPED_TRACE(who.bank);
        ASSERT_EQ(LoadGraphics(kHeadSlot, who.bank), kHeadGraphics);
        ExpectMasterPalette();
        const GraphicSlot& head = Slot(kHeadSlot);
        const GraphicSlot& rect = Slot(kHeadSlot + kHeadRectGraphic);
        ASSERT_GT(rect.width, 0);
        ASSERT_GT(rect.height, 0);
        for (int g : {1, 2, 3, 4, 5, 6, 7, 8, 10}) {
            SCOPED_TRACE("graphic " + std::to_string(kHeadSlot + g));
            const GraphicSlot& o = Slot(kHeadSlot + g);
            EXPECT_GE(o.xoff, rect.xoff);
            EXPECT_GE(o.yoff, rect.yoff);
            EXPECT_LE(o.xoff + o.width, rect.xoff + rect.width);
            EXPECT_LE(o.yoff + o.height, rect.yoff + rect.height);
            // Its edge repeats the head pixel for pixel: no seam, no shift.
            int dx = o.xoff - head.xoff, dy = o.yoff - head.yoff;
            ASSERT_GE(dx, 0);
            ASSERT_GE(dy, 0);
            ASSERT_LE(dx + o.width, head.width);
            ASSERT_LE(dy + o.height, head.height);
            int differ = 0;
            for (int y = 0; y < o.height; y++) {
                for (int x = 0; x < o.width; x++) {
                    bool edge = x == 0 || y == 0 || x == o.width - 1 || y == o.height - 1;
                    differ += edge && At(kHeadSlot + g, x, y) != At(kHeadSlot, dx + x, dy + y);
                }
            }
            EXPECT_EQ(differ, 0);
        }
        FreeGraphics(kHeadSlot, kHeadGraphics);
    }
}

TEST_F(DataTest, WardenRisesOverTheBlindsEdge) {
    ASSERT_EQ(LoadGraphics(kHeadSlot, "char20"), kHeadGraphics);
    const GraphicSlot& head = Slot(kHeadSlot);
    const GraphicSlot& rect = Slot(kHeadSlot + kHeadRectGraphic);
    EXPECT_LT(kWilma.y + head.yoff, 420 - 150) << "head and shoulders over the panel";
    EXPECT_GE(kWilma.y + head.yoff + head.height, 420) << "standing behind the edge";
    EXPECT_LE(kWilma.y + rect.yoff + rect.height, 420) << "all she says shows above the panel";
    EXPECT_GE(kWilma.y + rect.yoff, 0);
}

TEST_F(DataTest, SheriffStandsInTheJailBehindItsBars) {
    ASSERT_EQ(LoadGraphics(kJailSlot, "jail"), 2);
    ExpectMasterPalette();
    for (int slot : {kJailSlot, kDepthMapSlot}) {
        EXPECT_EQ(Slot(slot).width, 640);
        EXPECT_EQ(Slot(slot).height, 480);
        EXPECT_EQ(Slot(slot).xoff, 0);
        EXPECT_EQ(Slot(slot).yoff, 0);
    }
    ASSERT_EQ(LoadGraphics(kHeadSlot, "char21"), kHeadGraphics);
    const GraphicSlot& head = Slot(kHeadSlot);
    const uint8_t* depth = Slot(kDepthMapSlot).data;
    int body = 0, shown = 0;
    for (int y = 0; y < head.height; y++) {
        for (int x = 0; x < head.width; x++) {
            int sx = kSheriff.x + head.xoff + x, sy = kSheriff.y + head.yoff + y;
            if (At(kHeadSlot, x, y) == 0 || sx < 0 || sy < 0 || sx >= 640 || sy >= 480) {
                continue;
            }
            body++;
            shown += depth[sy * 640 + sx] < kSheriff.layer;
        }
    }
    ASSERT_GT(body, 20000) << "a figure, not a speck";
    EXPECT_GT(shown * 10, body * 8) << "most of him shows; the bars may cover some";
    EXPECT_LT(shown, body) << "the bars stand in front of him";
    const GraphicSlot& rect = Slot(kHeadSlot + kHeadRectGraphic);
    for (int y = 0; y < rect.height; y++) {
        for (int x = 0; x < rect.width; x++) {
            int sx = kSheriff.x + rect.xoff + x, sy = kSheriff.y + rect.yoff + y;
            ASSERT_LT(depth[sy * 640 + sx], kSheriff.layer)
                << "a bar over his face " << sx << "," << sy;
        }
    }

    // His lip sync draws only a mouth and a second overlay each step, never
    // restoring the face: after any steps the face is as if freshly drawn.
    auto fresh = [](const std::vector<int>& graphics) {
        std::memset(backPage->pixels, 0, static_cast<size_t>(backPage->bytesPerLine) * 480);
        for (int g : graphics) {
            ScaleGraphic(kHeadSlot + g, kSheriff.x, kSheriff.y, kSheriff.layer, 100, 0);
        }
    };
    fresh({0, 4, 5, 8});
    std::vector<uint8_t> expected = Snapshot(backPage);
    fresh({0, 4});
    for (int g : {6, 10, 7, 8, 6, 10, 5, 8}) {
        ScaleGraphic(kHeadSlot + g, kSheriff.x, kSheriff.y, kSheriff.layer, 100, 0);
    }
    EXPECT_TRUE(Snapshot(backPage) == expected)
        << "a step left part of an open mouth or a blink behind";
    fresh({0, 4, 7, 10});
    EXPECT_FALSE(Snapshot(backPage) == expected) << "the mouths and blinks differ";
}

}  // namespace
