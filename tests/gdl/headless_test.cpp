#include <gtest/gtest.h>
#include <png.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "support/display_test.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

using HeadlessTest = DisplayTest;

std::vector<uint8_t> DecodePng(const std::vector<uint8_t>& png, png_colorp colours) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<uint8_t> indices;
    if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) {
        return indices;
    }
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    EXPECT_EQ(image.colormap_entries, 256u);
    image.format = PNG_FORMAT_RGB_COLORMAP;
    indices.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, indices.data(), 0, colours) == 0) {
        indices.clear();
    }
    return indices;
}

// What the display shows is captured exactly, and the PNG holds exactly the
// capture. (Two runs of the same input drawing the same frames is played
// through by the game's own scripts, which compare their snaps.)
TEST_F(HeadlessTest, CaptureAndItsPngHoldTheDisplayExactly) {
    EXPECT_FALSE(GDL_saveDisplayPng("none.png")) << "no display yet";
    ASSERT_EQ(GraphicsInit(), 1u);
    GDL_PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i * 5),
                      static_cast<uint8_t>(255 - i), 0};
    }
    GDL_setPalette(displaySurface, palette, 256, 0);
    GDL_realizePalette(displaySurface, 256, 0, 1);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            Pixel(displaySurface, x, y) = static_cast<uint8_t>(x * 7 + y * 3);
        }
    }
    GDL_Capture first;
    ASSERT_TRUE(GDL_captureDisplay(&first));
    EXPECT_TRUE(first.indices == Snapshot(displaySurface));
    EXPECT_EQ(std::memcmp(first.palette, palette, sizeof palette), 0);

    // The PNG holds exactly the capture: indices and palette.
    std::vector<uint8_t> png;
    ASSERT_TRUE(GDL_encodePng(first, &png));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    png_color colours[256];
    const std::vector<uint8_t> decoded = DecodePng(png, colours);
    EXPECT_TRUE(decoded == first.indices) << "indices survive the round trip";
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(colours[i].red, first.palette[i].red) << "entry " << i;
        ASSERT_EQ(colours[i].green, first.palette[i].green) << "entry " << i;
        ASSERT_EQ(colours[i].blue, first.palette[i].blue) << "entry " << i;
    }
    // Saved to a file, the PNG is those very bytes.
    EXPECT_TRUE(GDL_saveDisplayPng((dir + "shot.png").c_str()));
    EXPECT_EQ(ReadBytes(dir + "shot.png"), std::string(png.begin(), png.end()));
    EXPECT_FALSE(GDL_saveDisplayPng((dir + "no/such/folder/shot.png").c_str()));
    GDL_Capture wrong;
    wrong.indices.resize(10);
    EXPECT_FALSE(GDL_encodePng(wrong, &png)) << "a capture of the wrong size";
}

std::vector<uint32_t> reactivations;
GDL_Surface* reactivatedWith = nullptr;
int32_t Reactivate(GDL_Surface* surface, uint32_t flags) {
    reactivations.push_back(flags);
    reactivatedWith = surface;
    return 0;
}

TEST_F(HeadlessTest, FocusChangesReachTheCallbackOnceEachInsideEventCalls) {
    ASSERT_EQ(GraphicsInit(), 1u);
    reactivations.clear();
    GDL_setReactivateCallback(Reactivate);
    GDL_postActivation(false);
    EXPECT_TRUE(reactivations.empty()) << "only an event call delivers it";
    GDL_Event event{};
    GDL_peekEvent(&event, GDL_EVENT_ALL);
    GDL_postActivation(false);  // still away: no second call
    GDL_flushEvents(GDL_EVENT_ALL);
    GDL_postActivation(true);
    GDL_getEvent(&event, GDL_EVENT_ALL);
    EXPECT_EQ(reactivations, (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(reactivatedWith, displaySurface);

    // GDL_exit clears the callback.
    GraphicsExit();
    ASSERT_EQ(GraphicsInit(), 1u);
    GDL_postActivation(false);
    GDL_getEvent(&event, GDL_EVENT_ALL);
    EXPECT_EQ(reactivations.size(), 2u);
}

int quits = 0;
void CountQuit() {
    ++quits;
}

TEST_F(HeadlessTest, ClosingOrSignalsAskTheQuitHandler) {
    ASSERT_EQ(GraphicsInit(), 1u);
    quits = 0;
    GDL_setQuitHandler(CountQuit);
    GDL_Event event{};
    GDL_postQuit();
    EXPECT_EQ(quits, 0);
    GDL_getEvent(&event, GDL_EVENT_ALL);
    EXPECT_EQ(quits, 1);
    std::raise(SIGTERM);
    EXPECT_EQ(quits, 1) << "a signal waits for the next event call";
    GDL_peekEvent(&event, GDL_EVENT_ALL);
    EXPECT_EQ(quits, 2);
    std::raise(SIGINT);
    GDL_flushEvents(GDL_EVENT_ALL);
    EXPECT_EQ(quits, 3);

    // After GDL_exit the signals are the system's again.
    GraphicsExit();
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

TEST_F(HeadlessTest, WithoutAQuitHandlerTheProcessEndsCleanly) {
    GDL_Event event{};
    EXPECT_EXIT(
        {
            GraphicsInit();
            GDL_postQuit();
            GDL_getEvent(&event, GDL_EVENT_ALL);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            GraphicsInit();
            std::raise(SIGTERM);
            GDL_getEvent(&event, GDL_EVENT_ALL);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(HeadlessTest, WaitingForTheNextMillisecondNeverWaitsOnTheVirtualClock) {
    const uint32_t before = SysMilliseconds();
    SysWaitForNextMillisecond();
    EXPECT_EQ(SysMilliseconds(), before + 1) << "only the reads moved it";
    SysUseRealClock();
    const uint32_t real = SysMilliseconds();
    SysWaitForNextMillisecond();
    EXPECT_NE(SysMilliseconds(), real) << "the real clock has ticked on";
}

}  // namespace
