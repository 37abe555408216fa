#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gdl/gdl.h"
#include "support/display_test.h"

namespace {

class RasterTest : public DisplayTest {
protected:
    GDL_Surface* Make(int32_t width, int32_t height, uint8_t fill) {
        GDL_Surface* surface = GDL_createMemorySurface(width, height, 8, nullptr);
        EXPECT_NE(surface, nullptr);
        Fill(surface, fill);
        return surface;
    }
    // Pixels of `surface` equal to `value`.
    static int Count(GDL_Surface* surface, uint8_t value) {
        int count = 0;
        for (int32_t y = 0; y <= surface->maxY; ++y) {
            for (int32_t x = 0; x <= surface->maxX; ++x) {
                count += Pixel(surface, x, y) == value ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(RasterTest, MemorySurfacesArePlainZeroedBuffers) {
    GDL_Surface* surface = GDL_createMemorySurface(68, 972, 8, nullptr);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->maxX, 67);
    EXPECT_EQ(surface->maxY, 971);
    EXPECT_EQ(surface->bitsPerPixel, 8);
    EXPECT_GE(surface->bytesPerLine, 68);
    EXPECT_EQ(Count(surface, 0), 68 * 972);

    // Refusals set a result code, which reading clears.
    EXPECT_EQ(GDL_createMemorySurface(0, 10, 8, nullptr), nullptr);
    EXPECT_LT(GDL_result(), 0);
    EXPECT_EQ(GDL_result(), GDL_OK);
    EXPECT_EQ(GDL_createMemorySurface(10, -1, 8, nullptr), nullptr);
    EXPECT_EQ(GDL_createMemorySurface(10, 10, 16, nullptr), nullptr);
    EXPECT_EQ(GDL_createMemorySurface(1 << 20, 1 << 20, 8, nullptr), nullptr);

    EXPECT_EQ(GDL_destroySurface(surface), 1);
    EXPECT_EQ(GDL_destroySurface(surface), 0) << "a surface is freed once";
    EXPECT_EQ(GDL_destroySurface(nullptr), 0);
}

TEST_F(RasterTest, WholePageCopyCoversLastColumnAndRowAndNothingBeyond) {
    GDL_Surface* source = Make(640, 480, 7);
    GDL_Surface* big = Make(700, 500, 1);
    GDL_bitBlt(big, source, 0, 0, 640, 480, 0, 0, 0);
    EXPECT_EQ(Pixel(big, 639, 479), 7);
    EXPECT_EQ(Pixel(big, 640, 479), 1) << "column 640 is not copied";
    EXPECT_EQ(Pixel(big, 639, 480), 1) << "row 480 is not copied";
    EXPECT_EQ(Count(big, 7), 640 * 480);

    // Onto an equal page placed off its corner: the rest is clipped away.
    GDL_Surface* page = Make(640, 480, 1);
    GDL_bitBlt(page, source, 0, 0, 640, 480, 600, 470, 0);
    EXPECT_EQ(Count(page, 7), 40 * 10);
    EXPECT_EQ(Pixel(page, 600, 470), 7);
    EXPECT_EQ(Pixel(page, 599, 470), 1);

    // Negative destination and a source rectangle partly outside the source.
    GDL_Surface* small = Make(10, 10, 3);
    // Source (-5,-5) goes to (-8,-9), so source (3,4) is the first on the page.
    GDL_bitBlt(page, small, -5, -5, 20, 20, -8, -9, 0);
    EXPECT_EQ(Pixel(page, 0, 0), 3);
    EXPECT_EQ(Pixel(page, 6, 5), 3);
    EXPECT_EQ(Pixel(page, 7, 0), 1);
    EXPECT_EQ(Pixel(page, 0, 6), 1);
    EXPECT_EQ(Count(page, 3), 7 * 6);

    // Empty and inverted rectangles copy nothing.
    GDL_bitBlt(page, small, 5, 5, 5, 9, 100, 100, 0);
    GDL_bitBlt(page, small, 6, 6, 2, 2, 100, 100, 0);
    EXPECT_EQ(Count(page, 3), 7 * 6);
    // Far-off coordinates do not overflow into a copy.
    GDL_bitBlt(page, small, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, 0, 0);
    EXPECT_EQ(Count(page, 3), 7 * 6);
}

TEST_F(RasterTest, CopiesRespectTheDestinationClipRectangle) {
    GDL_Surface* source = Make(100, 100, 9);
    GDL_Surface* page = Make(100, 100, 0);
    GDL_setClipRect(page, 10, 20, 30, 40);
    GDL_bitBlt(page, source, 0, 0, 100, 100, 0, 0, 0);
    EXPECT_EQ(Count(page, 9), 20 * 20);
    EXPECT_EQ(Pixel(page, 10, 20), 9);
    EXPECT_EQ(Pixel(page, 29, 39), 9);
    EXPECT_EQ(Pixel(page, 30, 39), 0);
    // A clip rectangle beyond the surface is cut down to it.
    GDL_setClipRect(page, -50, -50, 500, 500);
    GDL_bitBlt(page, source, 0, 0, 100, 100, 50, 50, 0);
    EXPECT_EQ(Pixel(page, 99, 99), 9);
}

TEST_F(RasterTest, OverlappingCopyWithinOneSurfaceMovesTheOriginalPixels) {
    GDL_Surface* page = Make(8, 8, 0);
    for (int32_t i = 0; i < 8; ++i) {
        page->pixels[i * page->bytesPerLine + i] = static_cast<uint8_t>(i + 1);  // the diagonal
    }
    GDL_bitBlt(page, page, 0, 0, 6, 6, 2, 2, 0);  // down and right, overlapping
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(Pixel(page, i + 2, i + 2), i + 1) << "diagonal pixel " << i;
    }
    GDL_bitBlt(page, page, 2, 2, 8, 8, 0, 0, 0);  // and back up
    EXPECT_EQ(Pixel(page, 0, 0), 1);
    EXPECT_EQ(Pixel(page, 5, 5), 6);
}

TEST_F(RasterTest, TransparentCopyLeavesPixelsUnderTheKeyColour) {
    GDL_Surface* sprite = Make(4, 1, 0);
    sprite->pixels[1] = 5;
    sprite->pixels[3] = 6;
    GDL_Surface* page = Make(4, 1, 2);
    GDL_transBlt(page, sprite, 0, 0, 4, 1, 0, 0, 0, 1);
    EXPECT_EQ(std::vector<uint8_t>(page->pixels, page->pixels + 4),
              (std::vector<uint8_t>{2, 5, 2, 6}));

    // Without source keying the key marks the destination pixels to paint.
    page->pixels[0] = 0;
    GDL_Surface* solid = Make(4, 1, 8);
    GDL_transBlt(page, solid, 0, 0, 4, 1, 0, 0, 0, 0);
    EXPECT_EQ(std::vector<uint8_t>(page->pixels, page->pixels + 4),
              (std::vector<uint8_t>{8, 5, 2, 6}));

    // Clipped like any copy.
    GDL_transBlt(page, solid, 0, 0, 4, 1, 3, 0, 2, 1);
    EXPECT_EQ(page->pixels[3], 8);
    EXPECT_EQ(page->pixels[2], 2);
}

TEST_F(RasterTest, DrawingActsOnTheCurrentSurfaceInsideItsClip) {
    GDL_Surface* page = Make(20, 10, 0);
    EXPECT_EQ(GDL_makeCurrent(page), nullptr);
    GDL_setColor(0x1F4);  // only the low byte counts
    GDL_fillRect(15, 5, 25, 15);
    EXPECT_EQ(Count(page, 0xF4), 5 * 5);
    EXPECT_EQ(Pixel(page, 19, 9), 0xF4);

    GDL_setColor(1);
    GDL_setClipRect(page, 0, 0, 10, 10);
    GDL_fillRect(-100, -100, 100, 100);
    EXPECT_EQ(Count(page, 1), 100);
    EXPECT_EQ(Pixel(page, 10, 0), 0);

    // Clearing covers the whole surface whatever the clip.
    GDL_clearDevice();
    EXPECT_EQ(Count(page, 0), 200);

    GDL_setClipRect(page, 0, 0, 20, 10);
    GDL_setColor(4);
    GDL_drawRect(2, 2, 6, 5);  // 4 x 3, one pixel wide
    EXPECT_EQ(Count(page, 4), 10);
    EXPECT_EQ(Pixel(page, 5, 4), 4);
    EXPECT_EQ(Pixel(page, 3, 3), 0) << "the inside stays";
    EXPECT_EQ(Pixel(page, 6, 4), 0) << "right is exclusive";

    GDL_clearDevice();
    GDL_setColor(6);
    GDL_line(0, 0, 19, 9);
    EXPECT_EQ(Count(page, 6), 20);
    EXPECT_EQ(Pixel(page, 0, 0), 6);
    EXPECT_EQ(Pixel(page, 19, 9), 6) << "both ends drawn";
    GDL_line(-1000000, 3, 1000000, 3);  // a long line is cut, not walked
    EXPECT_EQ(Pixel(page, 0, 3), 6);
    EXPECT_EQ(Pixel(page, 19, 3), 6);

    GDL_makeCurrent(nullptr);
    GDL_fillRect(0, 0, 20, 10);  // nothing current: nothing drawn
    EXPECT_LT(GDL_result(), 0);

    // Destroying the current surface leaves none current.
    GDL_makeCurrent(page);
    GDL_destroySurface(page);
    EXPECT_EQ(GDL_makeCurrent(nullptr), nullptr);
}

TEST_F(RasterTest, SavedAreaGoesBackWhereItCameFrom) {
    GDL_Surface* page = Make(50, 40, 0);
    for (int32_t i = 0; i < 50 * 40; ++i) {
        page->pixels[i] = static_cast<uint8_t>(i * 7);
    }
    const std::vector<uint8_t> before(page->pixels, page->pixels + 50 * 40);
    // Partly off the surface: only what lies on it is kept.
    const int32_t size = GDL_saveAreaSize(page, 40, 30, 60, 50);
    const int32_t wholeSize = GDL_saveAreaSize(page, 0, 0, 50, 40);
    EXPECT_EQ(wholeSize - size, 50 * 40 - 10 * 10);
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    GDL_saveArea(page, 40, 30, 60, 50, buffer.data());
    GDL_makeCurrent(page);
    GDL_setColor(99);
    GDL_fillRect(0, 0, 50, 40);
    GDL_restoreArea(page, buffer.data());
    EXPECT_EQ(Pixel(page, 40, 30), before[30 * 50 + 40]);
    EXPECT_EQ(Pixel(page, 49, 39), before[39 * 50 + 49]);
    EXPECT_EQ(Pixel(page, 39, 39), 99);
    EXPECT_EQ(Count(page, 99), 50 * 40 - 100);

    // Onto a smaller surface only what fits goes back.
    GDL_Surface* small = Make(45, 35, 1);
    GDL_restoreArea(small, buffer.data());
    EXPECT_EQ(Count(small, 1), 45 * 35 - 25);
}

}  // namespace
