#include "engine/transitions.h"

#include <algorithm>

#include "engine/page_fixture.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "sys/clock.h"

namespace {

using TransitionsTest = PageTest;

// Milliseconds of the virtual clock that `run` takes: every read advances it
// by 1, so a step of TimerWait(0) .. TimerWait(n) takes n + 2 reads.
template <typename Run>
uint32_t Duration(Run run) {
    const uint32_t before = TimerCount();
    run();
    return TimerCount() - before - 1;
}

// When each of a few watched pixels of the display first equalled the back
// page, in clock readings; heard through the clock listener.
struct Watch {
    int x;
    int y;
    uint32_t seen;
};
std::vector<Watch> watches;
uint32_t readings = 0;

void WatchDisplay(uint32_t) {
    ++readings;
    for (Watch& watch : watches) {
        if (watch.seen == 0 &&
            Pixel(displaySurface, watch.x, watch.y) == Pixel(backPage, watch.x, watch.y)) {
            watch.seen = readings;
        }
    }
}

// Block (column, row) of the wipe grid, watched at its centre.
Watch Block(int column, int row) {
    return Watch{column * 32 + 16, row * 24 + 12, 0};
}

TEST_F(TransitionsTest, DissolveRevealsTheRoundedArea) {
    FillPattern(backPage, 5);
    EXPECT_EQ(Duration([] { DissolveArea(0, 0, 640, 480); }), 16u * 12u)
        << "16 steps of more than 10 ms";
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(backPage));

    // 50 rounds up to 64.
    Fill(displaySurface, 0);
    DissolveArea(100, 100, 50, 50);
    int revealed = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool inside = x >= 100 && x < 164 && y >= 100 && y < 164;
            if (inside) {
                ASSERT_EQ(Pixel(displaySurface, x, y), Pixel(backPage, x, y)) << x << "," << y;
            } else {
                ASSERT_EQ(Pixel(displaySurface, x, y), 0) << x << "," << y;
            }
            revealed += inside;
        }
    }
    EXPECT_EQ(revealed, 64 * 64);

    // Partly off the screen: the blocks are clipped.
    Fill(displaySurface, 0);
    DissolveArea(-8, 470, 40, 30);
    EXPECT_EQ(Pixel(displaySurface, 0, 479), Pixel(backPage, 0, 479));
    EXPECT_EQ(Pixel(displaySurface, 39, 470), Pixel(backPage, 39, 470));
    EXPECT_EQ(Pixel(displaySurface, 40, 470), 0);
    EXPECT_EQ(LogCount("ERROR"), 0);
}

TEST_F(TransitionsTest, DissolveRefusesAreasBeyondTheScreen) {
    FillPattern(backPage, 5);
    EXPECT_EQ(Duration([] { DissolveArea(0, 0, 641, 10); }), 0u) << "no steps at all";
    EXPECT_EQ(LogCount("ERROR: DissolveArea(0,0,656,16)"), 1) << LogText();
    DissolveArea(641, 0, 16, 16);
    DissolveArea(0, 481, 16, 16);
    DissolveArea(0, 0, 16, 481);
    EXPECT_EQ(LogCount("ERROR: DissolveArea(641,0,16,16)"), 1);
    EXPECT_EQ(LogCount("ERROR: DissolveArea(0,481,16,16)"), 1);
    EXPECT_EQ(LogCount("ERROR: DissolveArea(0,0,16,496)"), 1);
    EXPECT_EQ(Snapshot(displaySurface), std::vector<uint8_t>(640 * 480, 0));
    DissolveArea(640, 480, 0, -5);  // at the limits: allowed, shows nothing
    EXPECT_EQ(LogCount("ERROR"), 4);
}

TEST_F(TransitionsTest, WipesEndWithTheBackPageShown) {
    struct Wipe {
        const char* name;
        void (*run)();
        uint32_t duration;
        Watch first;  // revealed in the first step
        Watch last;   // revealed in the last step
    };
    const Wipe wipes[] = {
        {"spiral", BlockWipeSpiral, 10 * 42, Block(10, 10), Block(0, 19)},
        {"top left", BlockWipeTopLeft, 39 * 12, Block(0, 0), Block(19, 19)},
        {"bottom left", BlockWipeBottomLeft, 39 * 12, Block(0, 19), Block(19, 0)},
    };
    int seed = 1;
    for (const Wipe& wipe : wipes) {
        SCOPED_TRACE(wipe.name);
        FillPattern(backPage, ++seed);
        Fill(displaySurface, 0);
        watches = {Block(10, 9), wipe.first, wipe.last};
        readings = 0;
        SysSetClockListener(WatchDisplay);
        EXPECT_EQ(Duration(wipe.run), wipe.duration);
        SysSetClockListener(nullptr);
        EXPECT_EQ(Snapshot(displaySurface), Snapshot(backPage));
        const uint32_t step = wipe.duration / (wipe.name[0] == 's' ? 10 : 39);
        EXPECT_LE(watches[1].seen, 1u + step) << "first block in the first step";
        EXPECT_GT(watches[2].seen, wipe.duration - step) << "last block in the last step";
        if (wipe.run == BlockWipeSpiral) {
            EXPECT_EQ(watches[0].seen, 2u) << "block (10, 9) comes before the first step";
        }
    }
}

TEST_F(TransitionsTest, RandomWipeFollowsTheGenerator) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SeedRandom(seed);
        const int choice = Random() % 3;
        SeedRandom(seed);
        FillPattern(backPage, static_cast<int>(seed));
        watches = {Block(0, 0)};
        readings = 0;
        SysSetClockListener(WatchDisplay);
        const uint32_t duration = Duration(RandomBlockWipe);
        SysSetClockListener(nullptr);
        EXPECT_EQ(duration, choice == 0 ? 420u : 468u) << "seed " << seed;
        if (choice == 1) {
            EXPECT_LE(watches[0].seen, 12u) << "top-left starts at the corner";
        } else {
            EXPECT_GT(watches[0].seen, 200u) << "the others reach the corner late";
        }
        EXPECT_EQ(Snapshot(displaySurface), Snapshot(backPage));
    }
}

TEST_F(TransitionsTest, FadePaletteScalesTheBackgroundPalette) {
    for (int i = 0; i < 768; ++i) {
        backgroundPalette[static_cast<size_t>(i)] = static_cast<uint8_t>(255 - i % 256);
    }
    FadePalette(255);
    EXPECT_EQ(backgroundPalette[0] | backgroundPalette[1] | backgroundPalette[2], 0)
        << "entry 0 blackened in place";
    EXPECT_EQ(backgroundPalette[3], 255 - 3);
    const GDL_PaletteEntry* shown = displaySurface->palette;
    for (int i = 1; i < 256; ++i) {
        ASSERT_EQ(shown[i].red, backgroundPalette[3 * i]) << i;
        ASSERT_EQ(shown[i].green, backgroundPalette[3 * i + 1]) << i;
        ASSERT_EQ(shown[i].blue, backgroundPalette[3 * i + 2]) << i;
    }
    FadePalette(0);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(shown[i].red | shown[i].green | shown[i].blue, 0) << i;
    }
}

TEST_F(TransitionsTest, ShadingBlackensEveryOtherPixelOfItsArea) {
    auto black = [](GDL_Surface* page) {
        const std::vector<uint8_t> pixels = Snapshot(page);
        return std::count(pixels.begin(), pixels.end(), 0);
    };
    Fill(workPage, 7);
    ShadeWorkPage();
    EXPECT_EQ(Pixel(workPage, 0, 0), 0);
    EXPECT_EQ(Pixel(workPage, 1, 0), 7);
    EXPECT_EQ(Pixel(workPage, 0, 1), 7);
    EXPECT_EQ(Pixel(workPage, 639, 479), 0);
    EXPECT_EQ(black(workPage), 640 * 480 / 2);

    // Half of a 6 by 4 rectangle, and nothing round it.
    Fill(backPage, 7);
    ShadeRect(10, 20, 6, 4);
    EXPECT_EQ(black(backPage), 12);
    EXPECT_EQ(Pixel(backPage, 11, 20), 0);
    EXPECT_EQ(Pixel(backPage, 16, 21), 0) << "the odd rows shift one column right";
    // At the page's edges the pattern is cut, nothing spills into other rows.
    Fill(backPage, 7);
    ShadeRect(634, 478, 6, 4);
    ShadeRect(-3, -1, 4, 2);
    EXPECT_EQ(Pixel(backPage, 639, 478), 0);
    EXPECT_EQ(Pixel(backPage, 638, 479), 0);
    EXPECT_EQ(Pixel(backPage, 0, 0), 0) << "row 1 of the second: columns -2 .. 1, even ones";
    EXPECT_EQ(Pixel(backPage, 1, 0), 7);
    EXPECT_EQ(Pixel(backPage, 0, 479), 7);
    EXPECT_EQ(Pixel(backPage, 2, 0), 7);
}

}  // namespace
