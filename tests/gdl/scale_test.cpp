#include <gtest/gtest.h>

#include "gdl/gdl_host.h"

namespace {

TEST(ScaleTest, WindowIsTheLargestWholeMultipleThatFits) {
    EXPECT_EQ(GDL_windowScale(1920, 1080), 2);
    EXPECT_EQ(GDL_windowScale(1366, 768), 1);
    EXPECT_EQ(GDL_windowScale(1280, 960), 2) << "an exact fit counts";
    EXPECT_EQ(GDL_windowScale(1279, 960), 1);
    EXPECT_EQ(GDL_windowScale(2560, 1600), 3);
    EXPECT_EQ(GDL_windowScale(3840, 2160), 4);
    EXPECT_EQ(GDL_windowScale(320, 200), 1) << "never below 1";
    EXPECT_EQ(GDL_windowScale(0, 0), 1);
}

TEST(ScaleTest, ResizedWindowKeepsFourByThreeInTheMiddle) {
    struct Case {
        int32_t width, height;
        GDL_Rect view;
    };
    const Case cases[] = {
        {1280, 960, {0, 0, 1280, 960}},
        {1920, 1080, {240, 0, 1680, 1080}},  // bars left and right
        {1000, 1000, {0, 125, 1000, 875}},   // bars above and below
        {641, 480, {0, 0, 640, 480}},        // an odd pixel of bar goes right
        {0, 480, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const GDL_Rect view = GDL_pictureViewport(c.width, c.height);
        EXPECT_EQ(view.left, c.view.left) << c.width << "x" << c.height;
        EXPECT_EQ(view.top, c.view.top) << c.width << "x" << c.height;
        EXPECT_EQ(view.right, c.view.right) << c.width << "x" << c.height;
        EXPECT_EQ(view.bottom, c.view.bottom) << c.width << "x" << c.height;
    }
}

TEST(ScaleTest, PointerPositionsArePicturePixelsClampedToThePicture) {
    int32_t x = -1, y = -1;
    GDL_windowToPicture(1280, 960, 3, 5, &x, &y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    GDL_windowToPicture(1920, 1080, 240, 1079, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 479);
    GDL_windowToPicture(1920, 1080, 1679, 0, &x, &y);
    EXPECT_EQ(x, 639);
    GDL_windowToPicture(1920, 1080, 100, 500, &x, &y);  // in the left bar
    EXPECT_EQ(x, 0);
    GDL_windowToPicture(1920, 1080, 1900, 500, &x, &y);  // in the right bar
    EXPECT_EQ(x, 639);
    GDL_windowToPicture(1000, 1000, 500, 10, &x, &y);  // above the picture
    EXPECT_EQ(y, 0);
    GDL_windowToPicture(640, 480, -50, 100000, &x, &y);  // outside the window altogether
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 479);
    GDL_windowToPicture(0, 0, 10, 10, &x, &y);
    EXPECT_EQ(x, 0);

    // Moving the system pointer to a picture pixel lands on that pixel, at
    // whole and odd scales alike.
    const int32_t sizes[][2] = {{640, 480}, {1280, 960}, {1920, 1080}, {1001, 777}, {700, 500}};
    for (const auto& size : sizes) {
        for (int32_t px = 0; px < 640; ++px) {
            const int32_t py = px * 479 / 639;
            int32_t wx = 0, wy = 0;
            GDL_pictureToWindow(size[0], size[1], px, py, &wx, &wy);
            GDL_windowToPicture(size[0], size[1], wx, wy, &x, &y);
            ASSERT_EQ(x, px) << size[0] << "x" << size[1];
            ASSERT_EQ(y, py) << size[0] << "x" << size[1];
        }
    }
}

TEST(KeysTest, KeysCarryTheirCharacterAndPcScanCode) {
    struct Case {
        int32_t usage;
        bool shift;
        uint32_t code;
        const char* name;
    };
    const Case cases[] = {
        {0x29, false, 27 | (1 << 8), "Escape"},
        {0x2A, false, 8 | (14 << 8), "Backspace"},
        {0x28, false, 13 | (28 << 8), "Enter"},
        {0x58, false, 13 | (28 << 8), "keypad Enter"},
        {0x4A, false, 71 << 8, "Home"},
        {0x52, false, 72 << 8, "Up"},
        {0x50, false, 75 << 8, "Left"},
        {0x4F, false, 77 << 8, "Right"},
        {0x4D, false, 79 << 8, "End"},
        {0x51, false, 80 << 8, "Down"},
        {0x4C, false, 83 << 8, "Delete"},
        {0x04, false, 'a' | (30 << 8), "a"},
        {0x04, true, 'A' | (30 << 8), "shift a"},
        {0x1E, false, '1' | (2 << 8), "1"},
        {0x1E, true, '!' | (2 << 8), "shift 1"},
        {0x2C, false, ' ' | (57 << 8), "space"},
        {0x2D, true, '_' | (12 << 8), "shift minus"},
        {0x03, false, 0, "no key"},
        {-1, false, 0, "negative"},
        {0x1000, false, 0, "beyond the table"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GDL_keyCode(c.usage, c.shift, 0), c.code) << c.name;
    }
    // Another layout's letter keeps the key's scan code.
    EXPECT_EQ(GDL_keyCode(0x1C, false, 'z'), 'z' | (0x15u << 8)) << "z where y is";
    EXPECT_EQ(GDL_keyCode(0x1C, true, 'z'), 'Z' | (0x15u << 8));
    EXPECT_EQ(GDL_keyCode(0x29, false, 'q'), 27 | (1u << 8))
        << "keys that type no letter keep theirs";
}

}  // namespace
