#include <gtest/gtest.h>

#include <array>

#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "support/display_test.h"

namespace {

using PaletteTest = DisplayTest;

std::array<GDL_PaletteEntry, 256> Ramp() {
    std::array<GDL_PaletteEntry, 256> entries{};
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        entries[i] = {v, static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2), 77};
    }
    return entries;
}

TEST_F(PaletteTest, SetAndRealiseReachTheShownPalette) {
    GDL_Surface* page = GDL_createMemorySurface(4, 4, 8, nullptr);
    const auto entries = Ramp();
    GDL_setPalette(page, entries.data(), 256, 0);
    EXPECT_EQ(page->palette[200].blue, 200);
    EXPECT_EQ(page->palette[200].green, 55);
    EXPECT_EQ(page->palette[200].red, 100);
    EXPECT_EQ(page->palette[200].reserved, 0) << "the fourth byte is always 0";

    // A part of the table, from an index: entries[0] goes to that index.
    GDL_Surface* other = GDL_createMemorySurface(4, 4, 8, nullptr);
    GDL_setPalette(other, entries.data() + 10, 10, 250);  // the 4 past 255 are ignored
    EXPECT_EQ(other->palette[250].blue, 10);
    EXPECT_EQ(other->palette[255].blue, 15);
    EXPECT_EQ(other->palette[249].blue, 0);
    GDL_setPalette(other, entries.data(), 4, -2);  // starts before 0: entries[2] lands on 0
    EXPECT_EQ(other->palette[0].blue, 2);
    EXPECT_EQ(other->palette[1].blue, 3);

    // Realising a range shows exactly that range, from whichever surface.
    GDL_realizePalette(page, 16, 100, 1);
    GDL_Capture capture;
    ASSERT_FALSE(GDL_captureDisplay(&capture)) << "no display yet";
    GDL_Surface* third = GDL_createMemorySurface(1, 1, 8, nullptr);
    EXPECT_EQ(third->palette[100].blue, 100) << "new surfaces start with the shown palette";
    EXPECT_EQ(third->palette[99].blue, 0);
    EXPECT_EQ(third->palette[116].blue, 0);
}

TEST_F(PaletteTest, FadeMultipliesByIntensityOver255Truncated) {
    GDL_Surface* page = GDL_createMemorySurface(4, 4, 8, nullptr);
    const auto entries = Ramp();
    GDL_fadePalette(page, entries.data(), 256, 0, 128);
    EXPECT_EQ(page->palette[254].blue, 127) << "254 * 128 / 255 = 127.5, truncated";
    EXPECT_EQ(page->palette[254].red, 63);
    GDL_fadePalette(page, entries.data(), 256, 0, 255);
    EXPECT_EQ(page->palette[255].blue, 255) << "full intensity is the palette itself";
    EXPECT_EQ(page->palette[1].green, 254);
    GDL_fadePalette(page, entries.data(), 256, 0, 0);
    EXPECT_EQ(page->palette[255].blue, 0);
    GDL_fadePalette(page, entries.data(), 256, 0, 1000);  // kept to 0..255
    EXPECT_EQ(page->palette[200].blue, 200);
    GDL_fadePalette(page, entries.data(), 256, 0, -5);
    EXPECT_EQ(page->palette[200].blue, 0);
}

}  // namespace
