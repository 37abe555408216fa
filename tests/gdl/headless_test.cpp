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

char instance;

// A little scripted screen: what it draws depends on the events and on the
// clock, so two runs only match when both are reproduced exactly.
GDL_Capture RunScript() {
    GDL_reset();
    ResetGraphics();
    SysSetHeadless(true);  // the virtual clock starts over
    GDL_setAppInstance(&instance);
    EXPECT_EQ(GraphicsInit(), 1u);
    GDL_PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i * 5),
                      static_cast<uint8_t>(255 - i), 0};
    }
    GDL_setPalette(displaySurface, palette, 256, 0);
    GDL_realizePalette(displaySurface, 256, 0, 1);

    const GDL_Event script[] = {
        {0, GDL_EVENT_MOUSEMOVE, 0, 100, 100, 0, 0, 0, 0},
        {0, GDL_EVENT_MOUSEDOWN, 0, 120, 90, GDL_BUTTON_LEFT, GDL_STATE_LEFT, 0, 0},
        {0, GDL_EVENT_MOUSEUP, 0, 130, 95, GDL_BUTTON_LEFT, 0, 0, 0},
        {0, GDL_EVENT_KEYDOWN, 0, 0, 0, 'q' | (16 << 8), 0, 0, 0},
        {0, GDL_EVENT_MOUSEDOWN, 0, 600, 470, GDL_BUTTON_RIGHT, GDL_STATE_RIGHT, 0, 0},
    };
    for (const GDL_Event& event : script) {
        GDL_postEvent(&event);
    }
    GDL_Event event{};
    int passes = 0;
    while (passes < 50) {
        ++passes;
        if (GDL_getEvent(&event, GDL_EVENT_ALL) == 0) {
            continue;
        }
        GDL_setColor(event.time & 0xFF);
        if (event.type == GDL_EVENT_MOUSEDOWN) {
            GDL_fillRect(event.x - 20, event.y - 20, event.x + 20, event.y + 20);
        } else if (event.type == GDL_EVENT_KEYDOWN) {
            GDL_line(0, 0, static_cast<int32_t>(event.code & 0xFF), 479);
        } else {
            GDL_drawRect(event.x, event.y, event.x + 50, event.y + 30);
        }
    }
    GDL_fadePalette(displaySurface, palette, 256, 0,
                    static_cast<int32_t>(SysMilliseconds() & 0xFF));
    GDL_realizePalette(displaySurface, 256, 0, 1);
    GDL_Capture capture;
    EXPECT_TRUE(GDL_captureDisplay(&capture));
    GraphicsExit();
    return capture;
}

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

TEST_F(HeadlessTest, SameInputTwiceGivesIdenticalCaptures) {
    const GDL_Capture first = RunScript();
    const GDL_Capture second = RunScript();
    ASSERT_EQ(first.indices.size(), 640u * 480u);
    EXPECT_TRUE(first.indices == second.indices) << "pixels differ between runs";
    EXPECT_EQ(std::memcmp(first.palette, second.palette, sizeof(first.palette)), 0);

    // And the script really drew: the press at (600,470) is clipped at the corner.
    EXPECT_NE(first.indices[470 * 640 + 600], 0);
    EXPECT_NE(first.indices[479 * 640 + 619], 0);
    EXPECT_EQ(first.indices[479 * 640 + 620], 0);
    EXPECT_NE(first.palette[255].blue, 0) << "the fade left something";

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
    GDL_Capture wrong;
    wrong.indices.resize(10);
    EXPECT_FALSE(GDL_encodePng(wrong, &png)) << "a capture of the wrong size";
}

TEST_F(HeadlessTest, SavesTheDisplayAsPng) {
    EXPECT_FALSE(GDL_saveDisplayPng("none.png")) << "no display yet";
    ASSERT_EQ(GraphicsInit(), 1u);
    EXPECT_TRUE(GDL_saveDisplayPng((dir + "shot.png").c_str()));
    EXPECT_GT(ReadBytes(dir + "shot.png").size(), 60u);
    EXPECT_FALSE(GDL_saveDisplayPng((dir + "no/such/folder/shot.png").c_str()));
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
