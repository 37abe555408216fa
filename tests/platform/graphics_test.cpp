#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/config.h"
#include "gdl/gdl_host.h"
#include "support/display_test.h"

namespace {

using GraphicsTest = DisplayTest;

TEST_F(GraphicsTest, BringsUpThreePagesClippedWithTheDisplayCurrent) {
    ASSERT_EQ(GraphicsInit(), 1u);
    ASSERT_NE(displaySurface, nullptr);
    ASSERT_NE(backPage, nullptr);
    ASSERT_NE(workPage, nullptr);
    EXPECT_EQ(textTarget, backPage);
    EXPECT_NE(backPage, workPage);
    for (GDL_Surface* page : {displaySurface, backPage, workPage}) {
        EXPECT_EQ(page->maxX, 639);
        EXPECT_EQ(page->maxY, 479);
        EXPECT_EQ(page->bitsPerPixel, 8);
        EXPECT_EQ(page->clipRight, 640);
        EXPECT_EQ(page->clipBottom, 480);
    }
    EXPECT_EQ(GDL_makeCurrent(nullptr), displaySurface);
    EXPECT_EQ(GDL_setBlitTranslate(1), 0) << "translation switched off";

    // A copy to the display with right 640 and bottom 480 reaches the corner.
    backPage->pixels[479 * backPage->bytesPerLine + 639] = 42;
    GDL_bitBlt(displaySurface, backPage, 0, 0, 640, 480, 0, 0, 0);
    GDL_Capture capture;
    ASSERT_TRUE(GDL_captureDisplay(&capture));
    EXPECT_EQ(capture.indices.back(), 42);

    GraphicsExit();
    EXPECT_EQ(displaySurface, nullptr);
    EXPECT_FALSE(GDL_captureDisplay(&capture)) << "the display went with the library";
    EXPECT_EQ(LogText().find("GraphicsExit"), std::string::npos) << "a trace line, debug only";
    debugLog = 1;
    ASSERT_EQ(GraphicsInit(), 1u) << "up again after an exit";
    GraphicsExit();
    EXPECT_NE(LogText().find("GraphicsExit\r\n"), std::string::npos);
}

TEST_F(GraphicsTest, SettingsChooseTheDriversAndTheRenderer) {
    struct Case {
        uint32_t directX, directVideo;
        GDL_Renderer renderer;
    };
    const Case cases[] = {
        {1, 1, GDL_Renderer::Accelerated},
        {1, 0, GDL_Renderer::Accelerated},
        {0, 1, GDL_Renderer::Software},
    };
    for (const Case& c : cases) {
        DirectX = c.directX;
        DirectVideo = c.directVideo;
        ASSERT_EQ(GraphicsInit(), 1u)
            << "DirectX " << c.directX << " DirectVideo " << c.directVideo;
        EXPECT_EQ(GDL_chosenRenderer(), c.renderer);
        EXPECT_EQ(GDL_activeRenderer(), GDL_Renderer::None) << "headless draws nothing";
        GraphicsExit();
    }

    // Both off in the settings: the accelerated renderer.
    WriteBytes(dir + "config/pellmar/Settings.ini", "[Settings]\nDirectX=0\nDirectVideo=0\n");
    CheckRegistry();
    ASSERT_EQ(GraphicsInit(), 1u);
    EXPECT_EQ(GDL_chosenRenderer(), GDL_Renderer::Accelerated);
}

TEST_F(GraphicsTest, MissingModeIsALogLineAndNothingElse) {
    GDL_setHeadlessDesktop(320, 200);
    EXPECT_EQ(GraphicsInit(), 0u);
    EXPECT_EQ(displaySurface, nullptr);
    EXPECT_EQ(backPage, nullptr);
    EXPECT_NE(LogText().find("ERROR: video mode not available: Graphics mode not available\r\n"),
              std::string::npos);
    const int32_t* modes = GDL_availableModes();
    EXPECT_EQ(modes[0], GDL_MODE_LIST_END);
}

TEST_F(GraphicsTest, DriverRegistrationChecksNameAndSignature) {
    EXPECT_EQ(GDL_registerDriver("SVGA8.DRV", GDL_SVGA8_DRV), GDL_OK);
    EXPECT_LT(GDL_registerDriver("SVGA8.DRV", GDL_DDRAW8_DRV), 0) << "name differs";
    EXPECT_LT(GDL_registerDriver("SVGA8.DRV", "Driver: SVGA8.DRV"), 0) << "no signature";
    EXPECT_LT(GDL_registerDriver("VGA.DRV", "Display Driver: VGA.DRV"), 0) << "unknown driver";
    EXPECT_LT(GDL_registerDriver(nullptr, GDL_SVGA8_DRV), 0);
    EXPECT_LT(GDL_registerDriver("SVGA8.DRV", nullptr), 0);
    EXPECT_EQ(GDL_registerDriver("SVGA8.DRV", GDL_SVGA8_DRV), GDL_OK) << "twice is once";
    ASSERT_EQ(GDL_registeredDrivers().size(), 1u);
    EXPECT_STREQ(GDL_registeredDrivers()[0], "SVGA8.DRV");
    EXPECT_STREQ(GDL_errorMsg(GDL_result()), "Invalid driver");
    EXPECT_STREQ(GDL_errorMsg(-32), "NONE") << "a code beyond the table";

    // Only memory drivers: no display driver is found and GDL_init refuses.
    GDL_unregisterAllDrivers();
    GDL_registerPackedDrivers();
    int32_t driver = -1, mode = -1;
    GDL_detectGraphics(&driver, &mode);
    EXPECT_EQ(driver, GDL_DRIVER_NONE);
    EXPECT_EQ(mode, GDL_MODE_640x480x256);
    EXPECT_EQ(GDL_init(&driver, &mode, "..\\..\\"), 0);
    EXPECT_LT(GDL_result(), 0);
}

// Each failure after the mode check: its line, then the fatal box (standard
// error headless) and exit code 1.
TEST_F(GraphicsTest, LaterFailuresAreFatalWithTheirLines) {
    struct Case {
        GDL_FailPoint point;
        int32_t skip;
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {GDL_FailPoint::Init, 0, "ERROR: could not initialize graphics card",
         "Could not open window"},
        {GDL_FailPoint::DisplaySurface, 0, "ERROR: could not create display", "Not enough memory"},
        {GDL_FailPoint::MemorySurface, 0, "ERROR: no memory for backpage", "Not enough memory"},
        {GDL_FailPoint::MemorySurface, 1, "ERROR: no memory for workpage", "Not enough memory"},
    };
    for (const Case& c : cases) {
        GDL_failAfter(c.point, c.skip);
        // The box (its line on standard error) says what the log says.
        const std::string said = std::string(c.line + 7) + ": " + c.message;
        EXPECT_EXIT(GraphicsInit(), ::testing::ExitedWithCode(1), "GDL Fatal Error!: " + said)
            << c.line;
        EXPECT_NE(LogText().find(std::string(c.line) + ": " + c.message + "\r\n"),
                  std::string::npos)
            << c.line;
        GDL_failAfter(GDL_FailPoint::None, 0);
    }
}

TEST_F(GraphicsTest, InitTwiceOrWithoutInstanceIsFatal) {
    ASSERT_EQ(GraphicsInit(), 1u);
    EXPECT_EXIT(GraphicsInit(), ::testing::ExitedWithCode(1), "Nested call to GDL_init!");
    GraphicsExit();
    GDL_setAppInstance(nullptr);
    EXPECT_EXIT(GraphicsInit(), ::testing::ExitedWithCode(1), "GDL_setAppInstance");
    EXPECT_EXIT(GDL_fatalError("the message"), ::testing::ExitedWithCode(1),
                "GDL Fatal Error!: the message");
}

}  // namespace
