// The data tools' writers: .256 banks and backgrounds, fonts.dat, and the
// master palette with its quantiser. Banks are read back by the game's loader,
// fonts.dat byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "canvas.h"
#include "engine/page_fixture.h"
#include "fontsdat.h"
#include "format256.h"
#include "palette.h"

namespace {

using WritersTest = PageTest;

int U16(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8;
}
int S16(const std::string& b, size_t at) {
    return static_cast<int16_t>(U16(b, at));
}
uint32_t U32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(U16(b, at)) | static_cast<uint32_t>(U16(b, at + 2)) << 16;
}

Picture Pattern(int w, int h, uint32_t seed) {
    Picture p;
    p.width = w;
    p.height = h;
    for (int i = 0; i < w * h; i++) {
        uint32_t v = (i * 2654435761u + seed) >> 13;
        // Long runs, lone pixels, and values from 0xC0 up that need a run.
        p.pixels.push_back(static_cast<uint8_t>((v % 5 == 0) ? v : (i / 70 % 2 ? 0xC5 : 0)));
    }
    return p;
}

// Banks raw and run-length encoded, read back by the game's own loader.
TEST_F(WritersTest, BanksLoadBackThroughTheGamesLoader) {
    Palette palette{};
    for (int i = 0; i < 256; i++) {
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7};
    }
    Picture flat;  // one colour: runs of 63 and the remainder, row by row
    flat.width = 130;
    flat.height = 2;
    flat.pixels.assign(260, 0xFF);
    Picture offset = Pattern(5, 3, 9);
    offset.xoff = -2;
    offset.yoff = 300;
    const std::vector<Picture> pictures = {Pattern(1, 1, 1),
                                           Pattern(640, 3, 2),
                                           Pattern(63, 2, 3),
                                           Pattern(64, 2, 4),
                                           Pattern(200, 9, 5),
                                           flat,
                                           offset};
    const int count = static_cast<int>(pictures.size());
    for (bool rle : {false, true}) {
        SCOPED_TRACE(rle ? "encoded" : "raw");
        ASSERT_TRUE(WriteBank(dir + "bank.256", palette, pictures, rle));
        ASSERT_EQ(LoadGraphics(31, "bank"), count);
        for (int i = 0; i < count; i++) {
            const Picture& p = pictures[static_cast<size_t>(i)];
            const GraphicSlot& g = Graphic[static_cast<size_t>(31 + i)];
            SCOPED_TRACE(std::to_string(p.width) + "x" + std::to_string(p.height));
            EXPECT_EQ(g.width, p.width);
            EXPECT_EQ(g.height, p.height);
            EXPECT_EQ(g.xoff, p.xoff);
            EXPECT_EQ(g.yoff, p.yoff);
            EXPECT_EQ(std::vector<uint8_t>(g.data, g.data + g.width * g.height), p.pixels);
        }
        FreeGraphics(31, count);
        for (int i = 1; i < 256; i++) {
            ASSERT_EQ(gamePalette[i].red, i);
            ASSERT_EQ(gamePalette[i].green, 255 - i);
            ASSERT_EQ(gamePalette[i].blue, 7);
        }
    }
    EXPECT_EQ(LogCount("ERROR"), 0) << LogText();
    EXPECT_EQ(EncodeRle(flat).size(), 12u) << "runs of 63, 63 and 4 a row, two bytes each";
    Picture lone;
    lone.width = 3;
    lone.height = 1;
    lone.pixels = {0x10, 0xBF, 0xC0};
    EXPECT_EQ(EncodeRle(lone), (std::vector<uint8_t>{0x10, 0xBF, 0xC1, 0xC0}));
}

TEST_F(WritersTest, RefusesWhatTheGameCannotLoad) {
    Palette palette{};
    Picture wide = Pattern(641, 1, 1);
    Picture empty;
    Picture shortPixels = Pattern(4, 4, 1);
    shortPixels.pixels.pop_back();
    for (const Picture& bad : {wide, empty, shortPixels}) {
        EXPECT_FALSE(WriteBank(dir + "bad.256", palette, {bad}, true)) << bad.width;
    }
    EXPECT_FALSE(WriteBank(dir + "none.256", palette, {}, true));
    EXPECT_FALSE(WriteBackground(dir + "bkg.256", palette, Pattern(640, 479, 1)));
    ASSERT_TRUE(WriteBackground(dir + "bkg.256", palette, Pattern(640, 480, 1)));
    std::string bytes = ReadBytes(dir + "bkg.256");
    EXPECT_EQ(bytes.size(), 776u + 16u + 640u * 480u);
    EXPECT_EQ(bytes[6], 0) << "backgrounds are raw";
    EXPECT_FALSE(WriteBank(dir + "missing/dir/x.256", palette, {Pattern(2, 2, 1)}, false));
}

FontData SmallFont() {
    FontData f;
    f.height = 2;
    f.rowPixels = 16;
    f.pixels.assign(32, 0);
    f.pixels[0] = 15;
    f.pixels[1] = 1;
    f.pixels[17] = 9;
    for (int ch = 0; ch < kFontDatChars; ch++) {
        f.offsets[ch] = static_cast<uint16_t>(ch >= 'A' ? 2 : 0);
        f.advances[ch] = static_cast<uint16_t>(ch);
    }
    for (int c = 0; c < 16; c++) {
        f.colours[c] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c * 2),
                        static_cast<uint8_t>(c * 3)};
    }
    return f;
}

TEST_F(WritersTest, FontsDatLayout) {
    FontData f = SmallFont();
    ASSERT_TRUE(WriteFontsDat(dir + "fonts.dat", {f, f}));
    std::string b = ReadBytes(dir + "fonts.dat");
    const size_t record = 618 + 8 * 2;
    ASSERT_EQ(b.size(), 516 + 2 * record);
    EXPECT_EQ(S16(b, 0), 2);
    for (size_t at : {size_t{516}, 516 + record}) {
        EXPECT_EQ(U32(b, at), 0x14643u);
        EXPECT_EQ(U16(b, at + 24), 8) << "bytes per row, a multiple of 8";
        EXPECT_EQ(U16(b, at + 26), 2);
        EXPECT_EQ(U16(b, at + 38 + 2 * 'A'), 2);
        EXPECT_EQ(U16(b, at + 38 + 2 * '@'), 0);
        EXPECT_EQ(U16(b, at + 296 + 2 * 100), 100);
        EXPECT_EQ(static_cast<uint8_t>(b[at + 554 + 4 * 5]), 15) << "blue first";
        EXPECT_EQ(static_cast<uint8_t>(b[at + 554 + 4 * 5 + 1]), 10);
        EXPECT_EQ(static_cast<uint8_t>(b[at + 554 + 4 * 5 + 2]), 5) << "red third";
        EXPECT_EQ(static_cast<uint8_t>(b[at + 618]), 0xF1) << "left pixel in the high bits";
        EXPECT_EQ(static_cast<uint8_t>(b[at + 618 + 8]), 0x09) << "second row";
    }
    EXPECT_EQ(static_cast<uint8_t>(b[516 + record + 37]), 1) << "byte 37 numbers the font";

    FontData oddRow = SmallFont();
    oddRow.rowPixels = 8;
    oddRow.pixels.resize(16);
    FontData bigPixel = SmallFont();
    bigPixel.pixels[3] = 16;
    FontData backwards = SmallFont();
    backwards.offsets[100] = 0;
    for (const FontData& bad : {oddRow, bigPixel, backwards}) {
        EXPECT_FALSE(WriteFontsDat(dir + "bad.dat", {bad}));
    }
}

TEST(MasterPalette, FixedEntriesAndQuantiser) {
    const Palette& p = MasterPalette();
    EXPECT_EQ(p[0].r + p[0].g + p[0].b, 0) << "entry 0 is black";
    for (int i = 1; i < 256; i++) {
        EXPECT_GT(p[i].r + p[i].g + p[i].b, 0) << "entry " << i << " would look see-through";
    }
    EXPECT_EQ(p[kWhite].r + p[kWhite].g + p[kWhite].b, 765);
    auto light = [&](int i) { return p[i].r * 3 + p[i].g * 6 + p[i].b; };
    for (int i : {kTextYellow, kTextCream, kRowSelected, kDialogButton, kDialogFrame, kRowPlain}) {
        EXPECT_LT(light(kDark), light(i)) << "254 is darker than entry " << i;
    }
    EXPECT_GT(light(kTextCream), light(kRowPlain) + 1000) << "trace text reads on the dark bar";
    for (const auto* ramp : {&CreamTextRamp(), &GoldTextRamp()}) {
        for (int k = 1; k < kTextRampSteps; k++) {
            EXPECT_GT(light((*ramp)[k]), light((*ramp)[k - 1])) << "ramp step " << k;
        }
    }
    EXPECT_NE(NearestIndex(0, 0, 0), 0) << "an opaque black pixel stays opaque";
    for (int i = 1; i < 256; i++) {
        Rgb c = p[NearestIndex(p[i].r, p[i].g, p[i].b)];
        EXPECT_LE(std::abs(c.r - p[i].r) + std::abs(c.g - p[i].g) + std::abs(c.b - p[i].b), 12)
            << "entry " << i << " is found again";
    }
}

}  // namespace

namespace {

TEST(CanvasQuantize, TransparencyAndOpaqueBlack) {
    Canvas c(8, 4);
    Rectangle(c.cr, 0, 0, 4, 4, 0x000000);       // opaque black on the left
    Rectangle(c.cr, 4, 0, 4, 4, 0xffffff, 0.4);  // mostly see-through white on the right
    Rectangle(c.cr, 4, 2, 4, 2, 0x20c040, 0.6);  // more than half covered below it
    Picture sprite = Quantize(c, 0, 0, 8, 4, true, 0);
    ASSERT_EQ(sprite.pixels.size(), 32u);
    for (int y = 0; y < 4; y++) {
        for (int x = 0; x < 8; x++) {
            uint8_t p = sprite.pixels[y * 8 + x];
            if (x < 4 || y >= 2) {
                EXPECT_NE(p, 0) << x << "," << y << " is opaque and must stay so";
            } else {
                EXPECT_EQ(p, 0) << x << "," << y << " is less than half covered";
            }
        }
    }
    EXPECT_EQ(sprite.pixels[0], NearestIndex(0, 0, 0));
    // A crop reaching past the canvas is transparent there; without
    // transparency every pixel gets a colour.
    Picture crop = Quantize(c, 6, 2, 4, 4, true, 0);
    EXPECT_EQ(crop.pixels[3], 0);
    EXPECT_EQ(crop.pixels[4 * 3], 0);
    EXPECT_NE(crop.pixels[0], 0);
    Picture solid = Quantize(c, 0, 0, 8, 4, false, 8);
    EXPECT_EQ(std::count(solid.pixels.begin(), solid.pixels.end(), 0), 0);
}

TEST(CanvasQuantize, DitherMixesNeighbouringEntries) {
    // A colour halfway between two entries of a ramp: plain quantising gives
    // one entry everywhere, dithering a mixture of at least two.
    const Palette& p = MasterPalette();
    int a = CreamTextRamp()[6], b = CreamTextRamp()[7];
    uint32_t mid = static_cast<uint32_t>((p[a].r + p[b].r) / 2) << 16 |
                   static_cast<uint32_t>((p[a].g + p[b].g) / 2) << 8 | ((p[a].b + p[b].b) / 2);
    Canvas c(16, 16);
    Rectangle(c.cr, 0, 0, 16, 16, mid);
    Picture flat = Quantize(c, 0, 0, 16, 16, false, 0);
    Picture mixed = Quantize(c, 0, 0, 16, 16, false, 16);
    EXPECT_EQ(std::set<uint8_t>(flat.pixels.begin(), flat.pixels.end()).size(), 1u);
    EXPECT_GE(std::set<uint8_t>(mixed.pixels.begin(), mixed.pixels.end()).size(), 2u);
    EXPECT_EQ(Quantize(c, 0, 0, 16, 16, false, 16).pixels, mixed.pixels) << "deterministic";
}

}  // namespace
