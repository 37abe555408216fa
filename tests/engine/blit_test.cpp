#include "engine/blit.h"

#include "engine/config.h"
#include "engine/page_fixture.h"

namespace {

using namespace test_banks;
using BlitTest = PageTest;

// A w by h picture whose pixel (x, y) is 1 + x + 16 y (so never 0 below 15 rows).
Picture Numbered(int16_t w, int16_t h, int16_t xoff = 0, int16_t yoff = 0) {
    Picture picture{w, h, xoff, yoff, {}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture.pixels.push_back(static_cast<uint8_t>(1 + x + 16 * y));
        }
    }
    return picture;
}

uint8_t Source(int x, int y) {
    return static_cast<uint8_t>(1 + x + 16 * y);
}

TEST_F(BlitTest, BlitGraphicClipsAtEachEdge) {
    Put(31, Numbered(10, 10));
    BlitGraphic(31, -5, 100, backPage);
    EXPECT_EQ(Pixel(backPage, 0, 100), Source(5, 0)) << "left edge: columns 5 onward";
    EXPECT_EQ(Pixel(backPage, 4, 109), Source(9, 9));
    EXPECT_EQ(Drawn(backPage), 50);

    Fill(backPage, 0);
    BlitGraphic(31, 636, 0, backPage);
    EXPECT_EQ(Pixel(backPage, 639, 0), Source(3, 0)) << "right edge: first 4 columns";
    EXPECT_EQ(Pixel(backPage, 0, 1), 0) << "nothing wraps to the next row";
    EXPECT_EQ(Drawn(backPage), 40);

    Fill(backPage, 0);
    BlitGraphic(31, 0, -3, backPage);
    EXPECT_EQ(Pixel(backPage, 0, 0), Source(0, 3)) << "top edge: rows from screen row 0";
    EXPECT_EQ(Drawn(backPage), 70);

    Fill(backPage, 0);
    Put(32, Numbered(4, 20));
    BlitGraphic(32, 0, 470, backPage);
    EXPECT_EQ(Drawn(backPage), 40) << "bottom edge: 10 of 20 rows";
    EXPECT_EQ(Pixel(backPage, 0, 479), Source(0, 9));

    Fill(backPage, 0);
    BlitGraphic(31, -10, 0, backPage);  // x + width exactly 0
    BlitGraphic(31, 640, 0, backPage);
    BlitGraphic(31, 0, 480, backPage);
    BlitGraphic(31, 0, -10, backPage);
    EXPECT_EQ(Drawn(backPage), 0);
    EXPECT_EQ(LogCount("ERROR"), 0);
}

TEST_F(BlitTest, OffsetsTransparencyAndShadows) {
    Picture picture = Numbered(3, 2, -1, 2);
    picture.pixels[1] = 0;  // (1, 0) transparent
    Put(40, picture);
    Fill(backPage, 9);
    BlitGraphic(40, 10, 10, backPage);
    EXPECT_EQ(Pixel(backPage, 9, 12), Source(0, 0)) << "top-left lands at x + xoff, y + yoff";
    EXPECT_EQ(Pixel(backPage, 10, 12), 9) << "pixel 0 is transparent";
    EXPECT_EQ(Pixel(backPage, 11, 13), Source(2, 1));

    BlitShadow(40, 100, 100, 254, backPage);
    EXPECT_EQ(Pixel(backPage, 99, 102), 254);
    EXPECT_EQ(Pixel(backPage, 100, 102), 9);
    EXPECT_EQ(Pixel(backPage, 101, 103), 254);

    BlitGraphic(41, 0, 0, backPage);  // empty: silent
    EXPECT_EQ(LogCount("BlitShadow"), 0);
    BlitShadow(41, 0, 0, 1, backPage);
    EXPECT_EQ(LogCount("BlitShadow: Graphic[41].data = NULL"), 1);
    BlitGraphic(976, 0, 0, backPage);
    BlitShadow(976, 0, 0, 1, backPage);
    BlitGraphic2(976, 0, 0, 1, backPage);
    EXPECT_EQ(LogCount("BlitGraphic: num=976 exceeds maximum"), 1);
    EXPECT_EQ(LogCount("BlitShadow: num=976 exceeds maximum"), 1);
    EXPECT_EQ(LogCount("BlitGraphic2: num=976 exceeds maximum"), 1);
}

TEST_F(BlitTest, DepthTestAtLayerAndBelow) {
    Put(300, Numbered(4, 1));
    PutDepthMap(50);
    Pixel(backPage, 0, 0) = 7;
    // Depth of columns 0 and 1: 50 (equal to the layer), 49 (one below).
    Graphic[kDepthMapSlot].data[0] = 50;
    Graphic[kDepthMapSlot].data[1] = 49;
    Graphic[kDepthMapSlot].data[2] = 51;
    Graphic[kDepthMapSlot].data[3] = 0;
    BlitGraphicLayer(300, 0, 0, 50);
    EXPECT_EQ(Pixel(backPage, 0, 0), 7) << "depth equal to layer stays in front";
    EXPECT_EQ(Pixel(backPage, 1, 0), Source(1, 0)) << "depth layer - 1 is behind";
    EXPECT_EQ(Pixel(backPage, 2, 0), 0);
    EXPECT_EQ(Pixel(backPage, 3, 0), Source(3, 0));

    BlitGraphicLayer(301, 0, 0, 50);
    EXPECT_EQ(LogCount("BlitGraphicLayer: Graphic[301].data = NULL"), 1);
    BlitGraphicLayer(1000, 0, 0, 50);
    EXPECT_EQ(LogCount("BlitGraphicLayer: num=1000 exceeds maximum"), 1);
    FreeGraphics(kDepthMapSlot, 1);
    BlitGraphicLayer(300, 0, 0, 50);
    EXPECT_EQ(LogCount("BlitGraphicLayer: z_map = NULL"), 1);

    // A depth map smaller than the screen is refused, not read past its end.
    Put(kDepthMapSlot, Numbered(640, 10));
    BlitGraphicLayer(300, 0, 400, 255);
    EXPECT_EQ(LogCount("ERROR: BlitGraphicLayer: z_map is 640x10"), 1);
    EXPECT_EQ(Pixel(backPage, 0, 400), 0);
}

TEST_F(BlitTest, BlitGraphic2CopiesOpaqueRowsAndClips) {
    Picture picture = Numbered(6, 5, 20, 20);  // offsets are not applied
    picture.pixels[0] = 0;
    Put(97, picture);
    Fill(workPage, 9);
    BlitGraphic2(97, 10, 10, 3, workPage);
    EXPECT_EQ(Pixel(workPage, 10, 10), 0) << "all values copied, 0 included";
    EXPECT_EQ(Pixel(workPage, 15, 12), Source(5, 2));
    EXPECT_EQ(Pixel(workPage, 10, 13), 9) << "only the rows asked for";

    Fill(workPage, 9);
    BlitGraphic2(97, -2, -1, 100, workPage);  // more rows than it has, partly off
    EXPECT_EQ(Pixel(workPage, 0, 0), Source(2, 1));
    EXPECT_EQ(Pixel(workPage, 3, 3), Source(5, 4));
    EXPECT_EQ(Pixel(workPage, 4, 0), 9);
    EXPECT_EQ(Pixel(workPage, 0, 4), 9) << "no row beyond the graphic's height";

    Fill(workPage, 9);
    BlitGraphic2(97, 637, 478, 5, workPage);
    EXPECT_EQ(Pixel(workPage, 639, 479), Source(2, 1));
    EXPECT_EQ(Pixel(workPage, 0, 479), 9) << "nothing wraps to the next row";
    BlitGraphic2(97, 640, 0, 5, workPage);
    BlitGraphic2(97, -6, 0, 5, workPage);
    EXPECT_EQ(Pixel(workPage, 0, 0), 9);
}

TEST_F(BlitTest, ScaleGraphicSmallPercents) {
    PutDepthMap(0);
    Put(300, Numbered(10, 10));
    ScaleGraphic(300, 100, 100, 1, 4, 0);
    ScaleGraphic(300, 100, 100, 1, 5, 0);
    EXPECT_EQ(Drawn(backPage), 0) << "4 draws nothing; 5 of 10 pixels is nothing";
    Put(301, Numbered(20, 20));
    ScaleGraphic(301, 100, 100, 1, 5, 0);
    EXPECT_EQ(Drawn(backPage), 1);
    EXPECT_EQ(Pixel(backPage, 100, 100), Source(0, 0));
    ScaleGraphic(-1, 0, 0, 1, 3, 0);
    EXPECT_EQ(LogCount("Graphic"), 0) << "below 5 percent nothing is checked";
    ScaleGraphic(-1, 0, 0, 1, 50, 0);
    ScaleGraphic(976, 0, 0, 1, 50, 0);
    ScaleGraphic(302, 0, 0, 1, 50, 0);
    EXPECT_EQ(LogCount("ScaleGraphic: num=-1"), 1);
    EXPECT_EQ(LogCount("ScaleGraphic: num=976"), 1);
    EXPECT_EQ(LogCount("ShowGraphic: graphic 302 = NULL!"), 1);
    FreeGraphics(kDepthMapSlot, 1);
    ScaleGraphic(300, 0, 0, 1, 50, 0);
    EXPECT_EQ(LogCount("ScaleGraphic: z_map = NULL"), 1);
}

// Which source column (or row) each target column shows, read off row `y`.
std::vector<int> ShownColumns(GDL_Surface* page, int x, int y, int count) {
    std::vector<int> shown;
    for (int i = 0; i < count; ++i) {
        shown.push_back((Pixel(page, x + i, y) - 1) % 16);
    }
    return shown;
}

std::vector<int> ShownRows(GDL_Surface* page, int x, int y, int count) {
    std::vector<int> shown;
    for (int i = 0; i < count; ++i) {
        shown.push_back((Pixel(page, x, y + i) - 1) / 16);
    }
    return shown;
}

TEST_F(BlitTest, ScaleGraphicFollowsTheFloatSums) {
    PutDepthMap(0);
    Put(300, Numbered(10, 10, 4, -6));

    // 50 % of 10 by 10: 5 by 5 from rows and columns 0, 2, 4, 6, 8; the
    // offsets scale too (4 -> 2, -6 -> -3).
    ScaleGraphic(300, 100, 100, 1, 50, 0);
    EXPECT_EQ(Drawn(backPage), 25);
    EXPECT_EQ(ShownColumns(backPage, 102, 97, 5), (std::vector<int>{0, 2, 4, 6, 8}));
    EXPECT_EQ(ShownRows(backPage, 102, 97, 5), (std::vector<int>{0, 2, 4, 6, 8}));

    // 30 %: steps of 10/3 in float; 2 x 3.3333333 = 6.6666665 truncates to 6.
    Fill(backPage, 0);
    ScaleGraphic(300, 100, 100, 1, 30, 0);
    EXPECT_EQ(Drawn(backPage), 9);
    EXPECT_EQ(ShownColumns(backPage, 101, 99, 3), (std::vector<int>{0, 3, 6}));
    EXPECT_EQ(ShownRows(backPage, 101, 99, 3), (std::vector<int>{0, 3, 6}));

    // 150 % of 4: steps of 0.6666667; the third sum rounds to 2.0 exactly.
    Put(301, Numbered(4, 4));
    Fill(backPage, 0);
    ScaleGraphic(301, 0, 0, 1, 150, 0);
    EXPECT_EQ(Drawn(backPage), 36);
    EXPECT_EQ(ShownColumns(backPage, 0, 0, 6), (std::vector<int>{0, 0, 1, 2, 2, 3}));
    EXPECT_EQ(ShownRows(backPage, 0, 0, 6), (std::vector<int>{0, 0, 1, 2, 2, 3}));
}

TEST_F(BlitTest, ScaleGraphicAtFullSizeMatchesBlitGraphicLayer) {
    PutDepthMap(0);
    for (int i = 0; i < 640 * 480; ++i) {
        Graphic[kDepthMapSlot].data[i] = static_cast<uint8_t>(i * 37 % 101);
    }
    Picture picture = Pattern(57, 43, 5, -7, 3);
    for (size_t i = 0; i < picture.pixels.size(); i += 5) {
        picture.pixels[i] = 0;
    }
    Put(300, picture);
    const int places[][2] = {{100, 100}, {-20, 50}, {610, 450}, {5, -30}, {-40, -10}};
    for (const auto& place : places) {
        SCOPED_TRACE(testing::Message() << "at " << place[0] << ", " << place[1]);
        FillPattern(backPage, 3);
        BlitGraphicLayer(300, place[0], place[1], 60);
        const std::vector<uint8_t> expected = Snapshot(backPage);
        FillPattern(backPage, 3);
        ScaleGraphic(300, place[0], place[1], 60, 100, 0);
        EXPECT_EQ(Snapshot(backPage), expected);
    }
}

TEST_F(BlitTest, ScaleGraphicMirrorsAroundTheRightEdge) {
    PutDepthMap(0);
    Put(300, Numbered(10, 2, -2, 0));
    // Unmirrored the graphic spans 98..107; mirrored its offset counts from the
    // right edge: x - (10 - 2) = 92, spanning 92..101, right-most column first.
    ScaleGraphic(300, 100, 50, 1, 100, 1);
    EXPECT_EQ(ShownColumns(backPage, 92, 50, 10), (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(Pixel(backPage, 91, 50), 0);
    EXPECT_EQ(Pixel(backPage, 102, 50), 0);

    Fill(backPage, 0);
    ScaleGraphic(300, 100, 50, 1, 50, 1);  // x - (50 * 8) / 100 = 96
    EXPECT_EQ(ShownColumns(backPage, 96, 50, 5), (std::vector<int>{9, 7, 5, 3, 1}));
    EXPECT_EQ(Drawn(backPage), 5);
}

TEST_F(BlitTest, ScaleGraphicClipsOnTheLeft) {
    PutDepthMap(0);
    Put(300, Numbered(10, 10));
    // 50 % at x = -3: the skip is 300 / 50 = 6, then columns 6 and 8.
    ScaleGraphic(300, -3, 0, 1, 50, 0);
    EXPECT_EQ(ShownColumns(backPage, 0, 0, 2), (std::vector<int>{6, 8}));
    EXPECT_EQ(Drawn(backPage), 10);

    Fill(backPage, 0);
    ScaleGraphic(300, 2, 0, 1, 50, 1);  // mirrored: anchor 2 - 5 = -3, reversed row, skip 6
    EXPECT_EQ(ShownColumns(backPage, 0, 0, 2), (std::vector<int>{3, 1}));

    Fill(backPage, 0);
    ScaleGraphic(300, -5, 0, 1, 50, 0);  // x + scaled width exactly 0
    ScaleGraphic(300, 0, 478, 1, 150, 0);
    EXPECT_EQ(Drawn(backPage), 30) << "only the two rows left on the screen";
    EXPECT_EQ(ShownRows(backPage, 0, 478, 2), (std::vector<int>{0, 0}));
}

TEST_F(BlitTest, BlitDecoyPaintsTheWorkPageAtLayer100) {
    PutDepthMap(100);
    Graphic[kDepthMapSlot].data[640 * 10 + 10] = 99;
    Put(955, Numbered(2, 2));
    BlitDecoy(955, 10, 10, 100);
    EXPECT_EQ(Pixel(workPage, 10, 10), Source(0, 0));
    EXPECT_EQ(Pixel(workPage, 11, 10), 0) << "depth 100 stays in front";
    EXPECT_EQ(Drawn(backPage), 0);
    BlitDecoy(955, 10, 10, 0);  // no size: nothing, and no division by it
    BlitDecoy(955, -10, 10, -50);
    BlitDecoy(956, 0, 0, 50);
    BlitDecoy(2000, 0, 0, 50);
    EXPECT_EQ(LogCount("BlitDecoy: graphic 956 = NULL!"), 1);
    EXPECT_EQ(LogCount("ERROR: BlitDecoy: num=2000"), 1);
    FreeGraphics(kDepthMapSlot, 1);
    BlitDecoy(955, 0, 0, 50);
    EXPECT_EQ(LogCount("BlitDecoy:layer_map = NULL"), 1);
}

TEST_F(BlitTest, SaveAndRestoreImage) {
    debugLog = 1;
    FillPattern(backPage, 11);
    const std::vector<uint8_t> original = Snapshot(backPage);

    // Reaching the bottom row: one row less than asked.
    std::vector<uint8_t> buffer(20 * 10, 0xEE);
    SaveImage(backPage, buffer.data(), 100, 470, 20, 10);
    EXPECT_EQ(LogCount("SaveImage(100,470,20,10)"), 1);
    EXPECT_EQ(buffer[0], Pixel(backPage, 100, 470));
    EXPECT_EQ(buffer[8 * 20 + 19], Pixel(backPage, 119, 478));
    EXPECT_EQ(buffer[9 * 20], 0xEE) << "row 479 is never saved";
    Fill(backPage, 0);
    RestoreImage(buffer.data(), backPage, 100, 470, 20, 10);
    EXPECT_EQ(LogCount("RestoreImage(100,470,20,10)"), 1);
    EXPECT_EQ(Pixel(backPage, 119, 478), original[478 * 640 + 119]);
    EXPECT_EQ(Pixel(backPage, 100, 479), 0);
    EXPECT_EQ(Drawn(backPage), 20 * 9);

    // At x = -3 the rectangle moves to 0: columns 0 to w - 1.
    std::vector<uint8_t> moved(8 * 2);
    SaveImage(backPage, moved.data(), -3, 470, 8, 2);
    EXPECT_EQ(moved[0], 0);
    FillPattern(backPage, 11);
    SaveImage(backPage, moved.data(), -3, 0, 8, 2);
    EXPECT_EQ(moved[0], Pixel(backPage, 0, 0));
    EXPECT_EQ(moved[7], Pixel(backPage, 7, 0));
    EXPECT_EQ(moved[15], Pixel(backPage, 7, 1));

    // At the right edge column 639 is left out, packed w - 1 apart.
    std::vector<uint8_t> edge(10 * 2, 0xEE);
    SaveImage(backPage, edge.data(), 630, 0, 10, 2);
    EXPECT_EQ(edge[9], Pixel(backPage, 630, 1));
    EXPECT_EQ(edge[18], 0xEE);

    // Wholly outside: nothing moves.
    std::vector<uint8_t> outside(16, 0xEE);
    SaveImage(backPage, outside.data(), 700, 10, 4, 4);
    SaveImage(backPage, outside.data(), 10, 480, 4, 4);
    RestoreImage(outside.data(), backPage, 639, 10, 4, 4);
    RestoreImage(outside.data(), backPage, 10, 479, 4, 4);
    EXPECT_EQ(outside, std::vector<uint8_t>(16, 0xEE));
    EXPECT_EQ(Snapshot(backPage), original);
}

}  // namespace
