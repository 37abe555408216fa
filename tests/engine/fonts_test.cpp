#include "engine/fonts.h"

#include <string>
#include <vector>

#include "engine/config.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "support/display_test.h"
#include "support/font_file.h"

namespace {

class FontsTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(GraphicsInit(), 1u);
        ResetFonts();
        // A grey ramp: entry i is (i, i, i), entry 0 black.
        for (int i = 0; i < 256; ++i) {
            backgroundPalette[3 * i] = backgroundPalette[3 * i + 1] = backgroundPalette[3 * i + 2] =
                static_cast<uint8_t>(i);
        }
        Fill(backPage, 0);
        textTarget = backPage;
    }
    void TearDown() override {
        ResetFonts();
        DisplayTest::TearDown();
    }
};

TEST(FindColorTest, ScansLighterThenDarkerWideningTheTolerance) {
    uint8_t palette[768] = {};
    auto set = [&palette](int i, int r, int g, int b) {
        palette[3 * i] = static_cast<uint8_t>(r);
        palette[3 * i + 1] = static_cast<uint8_t>(g);
        palette[3 * i + 2] = static_cast<uint8_t>(b);
    };
    set(0, 10, 20, 30);
    set(200, 10, 20, 30);
    EXPECT_EQ(FindColor(palette, 10, 20, 30), 200) << "entry 0 is never chosen";
    set(30, 10, 20, 30);
    set(40, 10, 20, 30);
    EXPECT_EQ(FindColor(palette, 10, 20, 30), 30) << "lower index wins";

    uint8_t black[768] = {};
    EXPECT_EQ(FindColor(black, 255, 255, 255), 255) << "nothing within 63";

    uint8_t sides[768] = {};
    for (int i = 1; i < 256; ++i) {
        sides[3 * i] = sides[3 * i + 1] = sides[3 * i + 2] = 250;  // far off
    }
    sides[3 * 10] = sides[3 * 10 + 1] = sides[3 * 10 + 2] = 95;   // darker by 5
    sides[3 * 20] = sides[3 * 20 + 1] = sides[3 * 20 + 2] = 105;  // lighter by 5
    EXPECT_EQ(FindColor(sides, 100, 100, 100), 20) << "the lighter side first";
    sides[3 * 20] = sides[3 * 20 + 1] = sides[3 * 20 + 2] = 111;  // lighter by 11
    EXPECT_EQ(FindColor(sides, 100, 100, 100), 10)
        << "the darker one when the lighter is farther: at tolerance 3 the aim 97 reaches 95";
    EXPECT_EQ(FindColor(sides, 250, 250, 250), 1);
    EXPECT_EQ(FindColor(sides, 255, 255, 255), 1) << "the aim is clamped to 255";
}

TEST_F(FontsTest, LoadsUnpacksAndMatchesColours) {
    TestFont font = SimpleTestFont();
    font.byte37 = 0x5A;
    WriteBytes("fonts.dat", FontFileBytes({font, font}));
    ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
    const ColorFont* loaded = GetFont(1);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->rowPixels, 16);
    EXPECT_EQ(loaded->height, 4);
    EXPECT_EQ(loaded->byte37, 0x5A);
    EXPECT_EQ(loaded->widths['A'], 2);
    EXPECT_EQ(loaded->widths['H'], 2);
    EXPECT_EQ(loaded->widths['I'], 0);
    EXPECT_EQ(loaded->offsets['C'], 4);
    // Colour j is (16j, 8j, 4j) red, green, blue; in the grey ramp the first
    // entry within tolerance t of the lighter aim wins.
    for (int x = 0; x < 16; ++x) {
        const int j = x % 15 + 1;
        EXPECT_EQ(loaded->bitmap[x], FindColor(backgroundPalette.data(), 16 * j, 8 * j, 4 * j))
            << x;
        EXPECT_EQ(loaded->bitmap[16 + x], 0) << "transparent pixels stay 0";
    }
    EXPECT_EQ(GetFont(2), nullptr);
    EXPECT_EQ(LogText(), "");
}

TEST_F(FontsTest, DamagedFilesAreRefusedAndEarlierFontsStay) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* logged;
        bool firstStays;
    };
    const TestFont good = SimpleTestFont();
    TestFont oddRow = good;
    oddRow.bytesPerRow = 12;
    oddRow.pixels.assign(24 * 4, 1);
    TestFont flat = good;
    flat.height = 0;
    flat.pixels.clear();
    TestFont backwards = good;
    backwards.offsets[70] = 1;
    TestFont beyond = good;
    beyond.offsets[128] = 17;
    TestFont signed2 = good;
    signed2.signature = 0x12345;
    const std::string whole = FontFileBytes({good, good});
    const size_t firstEnd = 2 + 514 + 618 + 8 * 4;  // file header and the first font
    const Case cases[] = {
        {"a second signature wrong", FontFileBytes({good, signed2}),
         "ERROR: LoadFonts: signature wrong: 12345\r\n", true},
        {"negative count", FontFileBytes({good}, -1), "holds -1 fonts", false},
        {"count past the table", FontFileBytes({good}, 17), "holds 17 fonts", false},
        {"bytes per row not a multiple of 8", FontFileBytes({good, oddRow}), "12 bytes by 4 rows",
         true},
        {"height 0", FontFileBytes({good, flat}), "by 0 rows", true},
        {"offsets going back", FontFileBytes({good, backwards}), "go back at character 69", true},
        {"glyphs beyond the bitmap", FontFileBytes({good, beyond}), "beyond the bitmap", true},
        {"cut in the count", whole.substr(0, 1), "cut short", false},
        {"cut in the first header", whole.substr(0, 600), "cut short", false},
        {"cut in the second header", whole.substr(0, firstEnd + 100), "cut short", true},
        {"cut in the second bitmap", whole.substr(0, whole.size() - 1), "cut short", true},
        {"a count above what is there", FontFileBytes({good}, 3), "cut short", true},
    };
    for (const Case& c : cases) {
        ResetFonts();
        LogReset();
        WriteBytes("fonts.dat", c.bytes);
        EXPECT_EQ(LoadFonts("fonts.dat"), 0u) << c.what;
        const std::string log = LogText();
        EXPECT_NE(log.find("ERROR"), std::string::npos) << c.what << ": " << log;
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.what << ": " << log;
        EXPECT_EQ(GetFont(1), nullptr) << c.what;
        EXPECT_EQ(GetFont(0) != nullptr, c.firstStays) << c.what;
        DrawFontText(1, 0, 0, "ABC");  // nothing to draw with, nothing read
    }
}

TEST_F(FontsTest, MissingFileIsLoggedWithItsPath) {
    dataDir = "nowhere/";
    EXPECT_EQ(LoadFonts("fonts.dat"), 0u);
    EXPECT_EQ(LogText(), "ERROR: Unable to load font file: nowhere/fonts.dat\r\n");
}

TEST_F(FontsTest, DrawingPlacesGlyphsAndClipsToTheTarget) {
    WriteBytes("fonts.dat", FontFileBytes({SimpleTestFont()}));
    ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
    const ColorFont* font = GetFont(0);

    DrawFontText(0, 100, 50, "AB\x80Z");
    // "A" at 100..101, "B" at 103..104 (advance 3), the byte 0x80 skipped without
    // advancing, "Z" has no columns.
    EXPECT_EQ(Pixel(backPage, 100, 50), font->bitmap[0]);
    EXPECT_EQ(Pixel(backPage, 101, 50), font->bitmap[1]);
    EXPECT_EQ(Pixel(backPage, 102, 50), 0);
    EXPECT_EQ(Pixel(backPage, 103, 50), font->bitmap[2]);
    EXPECT_EQ(Pixel(backPage, 104, 53), font->bitmap[3 * 16 + 3]);
    EXPECT_EQ(Drawn(backPage), 8);
    EXPECT_EQ(FontTextWidth(0, "AB\x80Z"), 9);
    EXPECT_EQ(FontTextWidth(0, ""), 0);
    EXPECT_EQ(FontTextWidth(0, nullptr), 0);
    EXPECT_EQ(FontTextWidth(7, "AB"), 0);

    // Near every edge: only what lies on the page is drawn.
    Fill(backPage, 0);
    DrawFontText(0, 639, 478, "AAAA");
    DrawFontText(0, -1, -3, "A");
    EXPECT_EQ(Drawn(backPage), 2);
    EXPECT_NE(Pixel(backPage, 639, 478), 0);
    EXPECT_NE(Pixel(backPage, 0, 0), 0);

    // A small target: nothing may land outside its buffer.
    GDL_Surface* small = GDL_createMemorySurface(5, 3, 8, nullptr);
    ASSERT_NE(small, nullptr);
    Fill(small, 0);
    textTarget = small;
    DrawFontText(0, 3, -2, "ABCDEFGH");
    DrawFontTextf(0, -4, 1, "%s", "ABCDEFGH");
    textTarget = backPage;
    GDL_destroySurface(small);
    EXPECT_EQ(LogText(), "");
}

TEST_F(FontsTest, FontNumbersOutOfRange) {
    DrawFontText(11, 0, 0, "A");
    DrawFontText(7, 0, 0, "A");
    EXPECT_EQ(LogText(), "ERROR font = 11\r\n") << "font 7 is an empty slot: silent";
    EXPECT_EQ(Drawn(backPage), 0);
}

TEST_F(FontsTest, BuiltInFontAdvancesByItsWidths) {
    SetTextColor(77);
    // "Il" draws as "I" and an "l" 5 pixels on; "jjW" as "jj" and a "W" 14 on.
    GDL_Surface* apart = GDL_createMemorySurface(640, 480, 8, nullptr);
    ASSERT_NE(apart, nullptr);
    struct Pair {
        const char *text, *first, *second;
        int advance;
    };
    for (const Pair& p : {Pair{"Il", "I", "l", 5}, Pair{"jjW", "jj", "W", 14}}) {
        Fill(backPage, 0);
        Fill(apart, 0);
        DrawText(10, 10, p.text, backPage);
        DrawText(10, 10, p.first, apart);
        DrawText(10 + p.advance, 10, p.second, apart);
        EXPECT_EQ(Snapshot(backPage), Snapshot(apart)) << p.text;
    }
    GDL_destroySurface(apart);

    // Every glyph stays inside its width, so narrow characters never overlap.
    for (int ch = 32; ch < 128; ++ch) {
        Fill(backPage, 0);
        const char text[2] = {static_cast<char>(ch), '\0'};
        DrawText(0, 0, text, backPage);
        const int width = ch == 'I' || ch == 'i' || ch == 'l' ? 5 : ch == 'j' ? 7 : 8;
        EXPECT_EQ(Drawn(backPage, width, 0, 16, 16), 0) << "character " << ch;
        if (ch > 32 && ch < 127) {
            EXPECT_GT(Drawn(backPage, 0, 0, 8, 16), 0) << "character " << ch << " has a shape";
        }
    }

    // Clipped at the edges of the surface.
    Fill(backPage, 0);
    DrawText(636, 470, "WW", backPage);
    DrawText(-4, -8, "W", backPage);
    EXPECT_GT(Drawn(backPage, 636, 470, 640, 480), 0);
    EXPECT_GT(Drawn(backPage, 0, 0, 4, 8), 0);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (Pixel(backPage, x, y) != 0) {
                ASSERT_EQ(Pixel(backPage, x, y), 77);
            }
        }
    }
}

TEST_F(FontsTest, StatusLineDrawsAcrossTheTopOfTheDisplayInDebugOnly) {
    SetTextColor(255);
    StatusPrintf("FlyNot: %d / %d", 3, 4);
    EXPECT_EQ(Pixel(displaySurface, 0, 0), 0) << "no status line without the Debug setting";
    debugLog = 1;
    StatusPrintf("FlyNot: %d / %d", 3, 4);
    debugLog = 0;
    EXPECT_EQ(Pixel(displaySurface, 0, 0), 254);
    EXPECT_EQ(Pixel(displaySurface, 639, 19), 254);
    EXPECT_EQ(Pixel(displaySurface, 639, 20), 0);
    int lit = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 10; x < 200; ++x) {
            lit += Pixel(displaySurface, x, y) == 255;
        }
    }
    EXPECT_GT(lit, 20);
}

}  // namespace
