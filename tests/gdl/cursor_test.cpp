// The windowing system's pointer made from the game's 8-bit shapes.
#include <vector>

#include "gdl/gdl_host.h"
#include "support/display_test.h"

namespace {

TEST(CursorImageTest, PixelsTransparencyHotSpotAndScale) {
    // 3 x 2, rows 4 apart: index 0 clear, 5 red, 7 green; the last column is
    // past the shape and must not show.
    const uint8_t pixels[] = {0, 5, 7, 9, 7, 0, 5, 9};
    GDL_PaletteEntry palette[256] = {};
    palette[5] = {0, 0, 255, 0};
    palette[7] = {0, 200, 0, 0};
    palette[9] = {255, 255, 255, 0};
    const uint32_t red = 0xFFFF0000u;
    const uint32_t green = 0xFF00C800u;

    const GDL_CursorImage one = GDL_makeCursorImage(pixels, 3, 2, 4, palette, -1, -1, 1);
    EXPECT_EQ(one.width, 3);
    EXPECT_EQ(one.height, 2);
    EXPECT_EQ(one.argb, (std::vector<uint32_t>{0, red, green, green, 0, red}));
    EXPECT_EQ(one.hotX, 1) << "drawn one pixel left of the pointer";
    EXPECT_EQ(one.hotY, 1);

    const GDL_CursorImage two = GDL_makeCursorImage(pixels, 3, 2, 4, palette, -2, 0, 2);
    ASSERT_EQ(two.width, 6);
    ASSERT_EQ(two.height, 4);
    EXPECT_EQ(two.hotX, 4);
    EXPECT_EQ(two.hotY, 0);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(two.argb[static_cast<size_t>(y * 6 + x)],
                      one.argb[static_cast<size_t>((y / 2) * 3 + x / 2)])
                << x << "," << y;
        }
    }

    // A hot spot off the picture is kept on its edge; a scale out of range is bounded.
    const GDL_CursorImage edge = GDL_makeCursorImage(pixels, 3, 2, 4, palette, 5, -40, 99);
    EXPECT_EQ(edge.width, 24);
    EXPECT_EQ(edge.hotX, 0);
    EXPECT_EQ(edge.hotY, 8);

    // Bad input makes nothing.
    EXPECT_TRUE(GDL_makeCursorImage(nullptr, 3, 2, 4, palette, 0, 0, 1).argb.empty());
    EXPECT_TRUE(GDL_makeCursorImage(pixels, 3, 2, 2, palette, 0, 0, 1).argb.empty());
    EXPECT_TRUE(GDL_makeCursorImage(pixels, 0, 2, 4, palette, 0, 0, 1).argb.empty());
    EXPECT_FALSE(GDL_setHardwareCursor(pixels, 3, 2, 2, palette, 0, 0));
}

}  // namespace
