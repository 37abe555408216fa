// The four marsh scene banks: their three graphics where the hunt loads them,
// decoy maps that put decoys only on open water, depth maps that keep the
// panel on top and let the dog, the partner and the warden show where they
// should, and a panel whose clock and counters can be read.
#include <algorithm>
#include <string>

#include "data/data_art.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "platform/graphics.h"

namespace {

int Luminance(uint8_t index) {
    const GDL_PaletteEntry& c = gamePalette[index];
    return (c.red * 3 + c.green * 6 + c.blue) / 10;
}

double MeanLuminance(const std::vector<uint8_t>& scene, ScreenRect r) {
    long sum = 0;
    for (int y = r.y; y < r.y + r.h; y++) {
        for (int x = r.x; x < r.x + r.w; x++) {
            sum += Luminance(scene[y * 640 + x]);
        }
    }
    return static_cast<double>(sum) / (r.w * r.h);
}

TEST_F(DataTest, MarshScenesLayTheHunt) {
    for (int club = 0; club < 4; club++) {
        std::string name = "scn_0" + std::to_string(club + 1);
        SCOPED_TRACE(name);
        ASSERT_EQ(LoadGraphics(kSceneSlot, name.c_str()), kSceneGraphics);
        ExpectMasterPalette();
        std::vector<uint8_t> scene = Pixels(kSceneSlot), map = Pixels(kDecoyMapSlot),
                             depth = Pixels(kDepthMapSlot);
        EXPECT_EQ(Graphic[kSceneSlot].xoff, 0);
        EXPECT_EQ(Graphic[kSceneSlot].yoff, 0);
        ASSERT_EQ(scene.size(), 640u * 480u);
        ASSERT_EQ(Graphic[kDecoyMapSlot].width, 160);
        ASSERT_EQ(map.size(), 160u * 120u);
        ASSERT_EQ(Graphic[kDepthMapSlot].width, 640);
        ASSERT_EQ(depth.size(), 640u * 480u);

        // Decoys float only on open water.
        int cells = 0, left = 160, right = 0;
        for (int cy = 0; cy < 120; cy++) {
            for (int cx = 0; cx < 160; cx++) {
                if (map[cy * 160 + cx] != 117) {
                    continue;
                }
                cells++;
                left = std::min(left, cx);
                right = std::max(right, cx);
                ASSERT_GE(cy, 66) << "too small to draw, cell " << cx;
                ASSERT_LE(cy, 104) << "over the panel, cell " << cx;
                // Water under the whole block: not sky, and behind the decoys' layer.
                for (int y = cy * 4; y < cy * 4 + 4; y++) {
                    for (int x = cx * 4; x < cx * 4 + 4; x++) {
                        uint8_t d = depth[y * 640 + x];
                        ASSERT_TRUE(d > 0 && d < 100)
                            << "cell " << cx << "," << cy << ": " << int(d);
                    }
                }
            }
        }
        EXPECT_GE(cells, 300) << "room for twelve decoys";
        EXPECT_GE(right - left, 40) << "spread over the water";

        // The depth map layers the hunt.
        auto at = [&](int x, int y) { return depth[y * 640 + x]; };
        EXPECT_EQ(std::count(depth.begin(), depth.begin() + 640, 0), 640) << "sky along the top";
        EXPECT_EQ(std::count(depth.begin() + 420 * 640, depth.end(), 255), 60 * 640)
            << "nothing the hunt draws shows over the panel";
        EXPECT_LT(*std::max_element(depth.begin(), depth.begin() + 420 * 640), 120)
            << "the leaping dog is in front of the whole scene";
        // The blind's edge hides the partner's and the warden's bodies; their
        // heads rise over it where the map lets layers 105 and 117 show.
        for (int x : {160, 220, 300, 340}) {
            EXPECT_GE(at(x, 419), 118) << "blind edge at x " << x;
            int open = 0;
            for (int y = 330; y < 390; y++) {
                open += at(x, y) < 105;
            }
            EXPECT_GT(open, 25) << "room for a head above the edge at x " << x;
        }
        // The dog coming down beyond the bank (layer 105) goes out of sight.
        for (int x = 360; x <= 440; x += 20) {
            for (int y = 365; y < 420; y += 5) {
                EXPECT_GE(at(x, y), 105) << x << "," << y;
            }
        }

        // The panel can be read.
        EXPECT_LT(MeanLuminance(scene, {490, 436, 32, 32}), 40) << "loaded shells counter";
        EXPECT_LT(MeanLuminance(scene, {586, 436, 48, 32}), 40) << "shell box counter";
        // The hands are drawn in colour 254: the face round them must be pale.
        EXPECT_GT(MeanLuminance(scene, {110, 438, 19, 19}) - Luminance(254), 150) << "clock face";
        FreeGraphics(kSceneSlot, kSceneGraphics);
    }
}

}  // namespace
