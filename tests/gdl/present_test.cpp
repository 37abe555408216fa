#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdl/gdl_internal.h"

namespace {

constexpr int32_t kPitch = kGdlWidth + 13;  // a display surface's rows may be padded
constexpr size_t kShownSize = static_cast<size_t>(kGdlWidth) * kGdlHeight;

bool Covered(const GDL_Rect* changes, int32_t count, int32_t x, int32_t y) {
    for (int32_t i = 0; i < count; ++i) {
        if (x >= changes[i].left && x < changes[i].right && y >= changes[i].top &&
            y < changes[i].bottom) {
            return true;
        }
    }
    return false;
}

TEST(PresentTest, ChangesCoverEveryChangedPixelAndAreTakenOnce) {
    std::vector<uint8_t> shown(kShownSize, 0);
    std::vector<uint8_t> picture(static_cast<size_t>(kPitch) * kGdlHeight, 0);
    // Single pixels at the corners and the row ends, a block, and more
    // separate rows than there are rectangles; padding bytes never count.
    const int32_t points[][2] = {{0, 0},     {639, 0},   {5, 200},   {639, 201},
                                 {320, 479}, {639, 479}, {100, 300}, {0, 479}};
    for (const auto& p : points) {
        picture[static_cast<size_t>(p[1]) * kPitch + p[0]] = 7;
    }
    for (int32_t y = 40; y < 60; ++y) {
        for (int32_t x = 200; x < 213; ++x) {
            picture[static_cast<size_t>(y) * kPitch + x] = 9;
        }
    }
    for (int32_t y = 80; y < 480; y += 40) {
        picture[static_cast<size_t>(y) * kPitch + 17] = 3;
        picture[static_cast<size_t>(y) * kPitch + kGdlWidth + 1] = 5;
    }
    GDL_Rect changes[kGdlMaxChanges];
    const int32_t count = GdlTakeChanges(shown.data(), picture.data(), kPitch, changes);
    ASSERT_GT(count, 0);
    ASSERT_LE(count, kGdlMaxChanges);
    for (int32_t y = 0; y < kGdlHeight; ++y) {
        for (int32_t x = 0; x < kGdlWidth; ++x) {
            const uint8_t now = picture[static_cast<size_t>(y) * kPitch + x];
            ASSERT_EQ(shown[static_cast<size_t>(y) * kGdlWidth + x], now) << x << "," << y;
            if (now != 0) {
                ASSERT_TRUE(Covered(changes, count, x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(GdlTakeChanges(shown.data(), picture.data(), kPitch, changes), 0);

    // One pixel changed: exactly that pixel.
    picture[static_cast<size_t>(333) * kPitch + 444] = 1;
    ASSERT_EQ(GdlTakeChanges(shown.data(), picture.data(), kPitch, changes), 1);
    EXPECT_EQ(changes[0].left, 444);
    EXPECT_EQ(changes[0].top, 333);
    EXPECT_EQ(changes[0].right, 445);
    EXPECT_EQ(changes[0].bottom, 334);
}

// Changes far apart on the same rows (a duck on the left, the clock on the
// right) are separate tight rectangles; changes close together are one.
TEST(PresentTest, ChangesFarApartStaySeparateAndNearOnesJoin) {
    std::vector<uint8_t> shown(kShownSize, 0);
    std::vector<uint8_t> picture(static_cast<size_t>(kPitch) * kGdlHeight, 0);
    auto fill = [&](int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t value) {
        for (int32_t y = top; y < bottom; ++y) {
            for (int32_t x = left; x < right; ++x) {
                picture[static_cast<size_t>(y) * kPitch + x] = value;
            }
        }
    };
    fill(3, 100, 40, 130, 1);     // left edge
    fill(600, 110, 640, 125, 2);  // right edge, the same rows
    fill(300, 120, 310, 140, 3);  // the middle, overlapping rows of both
    fill(330, 135, 335, 138, 4);  // 20 columns on: the same rectangle as the middle
    GDL_Rect changes[kGdlMaxChanges];
    ASSERT_EQ(GdlTakeChanges(shown.data(), picture.data(), kPitch, changes), 3);
    const GDL_Rect expected[] = {{3, 100, 40, 130}, {300, 120, 335, 140}, {600, 110, 640, 125}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(changes[i].left, expected[i].left) << i;
        EXPECT_EQ(changes[i].top, expected[i].top) << i;
        EXPECT_EQ(changes[i].right, expected[i].right) << i;
        EXPECT_EQ(changes[i].bottom, expected[i].bottom) << i;
    }

    // A change in every other cell of every row: more runs than rectangles,
    // so the last one grows over the rest and everything is still covered.
    for (int32_t y = 0; y < kGdlHeight; y += 20) {
        for (int32_t x = 0; x < kGdlWidth; x += 80) {
            picture[static_cast<size_t>(y) * kPitch + x] = 9;
        }
    }
    const int32_t count = GdlTakeChanges(shown.data(), picture.data(), kPitch, changes);
    ASSERT_EQ(count, kGdlMaxChanges);
    for (int32_t y = 0; y < kGdlHeight; y += 20) {
        for (int32_t x = 0; x < kGdlWidth; x += 80) {
            ASSERT_TRUE(Covered(changes, count, x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(shown[static_cast<size_t>(460) * kGdlWidth + 560], 9);
}

// The whole picture scaled into a window of the given size, 4 bytes a pixel.
std::vector<uint32_t> ScaleWhole(const std::vector<uint8_t>& shown, const uint32_t* colours,
                                 int32_t width, int32_t height) {
    std::vector<uint32_t> window(static_cast<size_t>(width) * height, 0xDEAD);
    const GDL_Rect view = GDL_pictureViewport(width, height);
    const GDL_Rect all = {0, 0, kGdlWidth, kGdlHeight};
    const GDL_Rect out = GdlScaledRect(view, all);
    EXPECT_EQ(out.left, view.left);
    EXPECT_EQ(out.right, view.right);
    EXPECT_EQ(out.top, view.top);
    EXPECT_EQ(out.bottom, view.bottom);
    GdlScalePicture(shown.data(), colours, view, all,
                    reinterpret_cast<uint8_t*>(&window[out.top * width + out.left]), width * 4, 4);
    return window;
}

TEST(PresentTest, ScaledPartsMatchTheWholePictureAndThePointerMapping) {
    uint32_t colours[256];
    for (uint32_t i = 0; i < 256; ++i) {
        colours[i] = 0x01000000u * i + 0x00010203u * (255 - i);
    }
    std::vector<uint8_t> shown(kShownSize);
    for (size_t i = 0; i < kShownSize; ++i) {
        shown[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
    }
    // Whole factors, a fraction with bars, a shrunken window, odd sizes.
    const int32_t sizes[][2] = {{640, 480}, {1280, 960}, {1920, 1080}, {320, 240}, {1001, 757}};
    for (const auto& size : sizes) {
        const int32_t width = size[0], height = size[1];
        std::vector<uint32_t> window = ScaleWhole(shown, colours, width, height);
        const GDL_Rect view = GDL_pictureViewport(width, height);
        for (int32_t y = view.top; y < view.bottom; ++y) {
            for (int32_t x = view.left; x < view.right; ++x) {
                int32_t px = -1, py = -1;
                GDL_windowToPicture(width, height, x, y, &px, &py);
                ASSERT_EQ(window[y * width + x], colours[shown[py * kGdlWidth + px]])
                    << width << "x" << height << " at " << x << "," << y;
            }
        }
        // Change a few odd rectangles, scale only them over the old window:
        // the result is the new picture scaled whole, bars untouched.
        const GDL_Rect parts[] = {
            {0, 0, 1, 1}, {333, 17, 401, 123}, {639, 479, 640, 480}, {1, 250, 639, 251}};
        for (const GDL_Rect& part : parts) {
            for (int32_t y = part.top; y < part.bottom; ++y) {
                for (int32_t x = part.left; x < part.right; ++x) {
                    ++shown[y * kGdlWidth + x];
                }
            }
            const GDL_Rect out = GdlScaledRect(view, part);
            if (out.right > out.left && out.bottom > out.top) {
                GdlScalePicture(shown.data(), colours, view, part,
                                reinterpret_cast<uint8_t*>(&window[out.top * width + out.left]),
                                width * 4, 4);
            }
        }
        EXPECT_EQ(window, ScaleWhole(shown, colours, width, height)) << width << "x" << height;

        // Two bytes a pixel write the low half of the same values.
        std::vector<uint16_t> narrow(static_cast<size_t>(width) * height, 0);
        const GDL_Rect all = {0, 0, kGdlWidth, kGdlHeight};
        GdlScalePicture(shown.data(), colours, view, all,
                        reinterpret_cast<uint8_t*>(&narrow[view.top * width + view.left]),
                        width * 2, 2);
        std::vector<uint16_t> expected(narrow.size(), 0);
        for (size_t i = 0; i < expected.size(); ++i) {
            expected[i] = window[i] == 0xDEAD ? 0 : static_cast<uint16_t>(window[i]);
        }
        EXPECT_EQ(narrow, expected) << width << "x" << height;
    }
}

// At each whole scale, rectangles scaled one after another (at the page's
// corners and edges, whole rows and columns, overlapping ones) leave the
// window exactly as a plain expansion of the picture would, and write
// nothing outside them, the padding at each row's end included.
TEST(PresentTest, WholeScalesMatchAPlainExpansion) {
    uint32_t colours[256];
    for (uint32_t i = 0; i < 256; ++i) {
        colours[i] = 0xFF000000u | (i * 0x9E3779B9u >> 8);
    }
    std::vector<uint8_t> shown(kShownSize);
    for (size_t i = 0; i < kShownSize; ++i) {
        shown[i] = static_cast<uint8_t>(i * 2654435761u >> 11);
    }
    const GDL_Rect rects[] = {
        {0, 0, 1, 1},         {639, 479, 640, 480}, {0, 479, 1, 480},     {639, 0, 640, 1},
        {0, 0, 640, 1},       {0, 479, 640, 480},   {0, 0, 1, 480},       {639, 0, 640, 480},
        {100, 100, 300, 200}, {250, 150, 401, 260}, {250, 150, 401, 260}, {1, 300, 639, 301},
        {37, 401, 38, 479},   {600, 440, 640, 480}, {610, 200, 640, 203},
    };
    constexpr uint32_t kUntouched = 0xDEADBEEF;
    for (int32_t scale = 1; scale <= 3; ++scale) {
        const int32_t width = kGdlWidth * scale, height = kGdlHeight * scale;
        const int32_t stride = width + 3;  // window rows may be padded
        const GDL_Rect view = {0, 0, width, height};
        std::vector<uint32_t> window(static_cast<size_t>(stride) * height, kUntouched);
        std::vector<uint32_t> expected = window;
        for (const GDL_Rect& rect : rects) {
            const GDL_Rect out = GdlScaledRect(view, rect);
            ASSERT_EQ(out.left, rect.left * scale);
            ASSERT_EQ(out.bottom, rect.bottom * scale);
            GdlScalePicture(shown.data(), colours, view, rect,
                            reinterpret_cast<uint8_t*>(
                                &window[static_cast<size_t>(out.top) * stride + out.left]),
                            stride * 4, 4);
            for (int32_t y = rect.top * scale; y < rect.bottom * scale; ++y) {
                for (int32_t x = rect.left * scale; x < rect.right * scale; ++x) {
                    expected[static_cast<size_t>(y) * stride + x] =
                        colours[shown[static_cast<size_t>(y / scale) * kGdlWidth + x / scale]];
                }
            }
        }
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < stride; ++x) {
                const size_t at = static_cast<size_t>(y) * stride + x;
                ASSERT_EQ(window[at], expected[at]) << scale << "x at " << x << "," << y;
            }
        }
    }
}

}  // namespace
