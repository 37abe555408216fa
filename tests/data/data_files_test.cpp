// Every generated file, loaded through the game's own loaders: the counts per
// bank, sizes within the limits, one palette for all, and valid fonts.
#include <algorithm>
#include <array>
#include <set>

#include "data/data_art.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "palette.h"
#include "platform/graphics.h"

void DataTest::SetUp() {
    DisplayTest::SetUp();
    ASSERT_EQ(GraphicsInit(), 1u);
    dataDir = REEDGUNNER_DATA_DIR;
}

void DataTest::TearDown() {
    EXPECT_EQ(LogCount("ERROR"), 0) << LogText();
    FreeFonts();
    FreeGraphics(0, maxGraphic);
    DisplayTest::TearDown();
}

std::vector<uint8_t> DataTest::Pixels(int slot) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
    if (g.data == nullptr) {
        return {};
    }
    return {g.data, g.data + g.width * g.height};
}

std::vector<uint8_t> DataTest::Background(const char* name) {
    if (LoadBackground(name) == 0) {
        return {};
    }
    return Snapshot(workPage);
}

void DataTest::ExpectMasterPalette() {
    const Palette& master = MasterPalette();
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(gamePalette[i].red, master[i].r) << "entry " << i;
        ASSERT_EQ(gamePalette[i].green, master[i].g) << "entry " << i;
        ASSERT_EQ(gamePalette[i].blue, master[i].b) << "entry " << i;
    }
}

namespace {

struct BankCount {
    const char* name;
    int start;
    int count;
};

// Where the game loads each bank and how many graphics its screens use.
constexpr std::array<BankCount, 7> kBanks = {{
    {"pointers", kPointerSlot, kPointerShapes},
    {"icons", kIconsSlot, kIconsCount},
    {"spr_02", kScreenBankSlot, 8},
    {"spr_03", kScreenBankSlot, 6},
    {"spr_04", kScreenBankSlot, 8},
    {"spr_07", kScreenBankSlot, 6},
    {"spr_08", kGameOverSlot, 2},
}};

constexpr std::array<const char*, 10> kBackgrounds = {"bkg_01", "bkg_02", "bkg_03", "bkg_04",
                                                      "bkg_05", "bkg_06", "bkg_07", "bkg_08",
                                                      "bkg_09", "bkg_10"};

TEST_F(DataTest, EveryBankLoadsWhereTheGameLoadsIt) {
    for (const BankCount& bank : kBanks) {
        SCOPED_TRACE(bank.name);
        ASSERT_EQ(LoadGraphics(bank.start, bank.name), bank.count);
        // Loaded whole, every graphic is 1 to 640 wide; the reel strip alone is
        // taller than the screen (the reels copy a window of it).
        int tallest = std::string(bank.name) == "spr_07" ? 972 : 480;
        for (int slot = bank.start; slot < bank.start + bank.count; slot++) {
            EXPECT_LE(Graphic[static_cast<size_t>(slot)].height, tallest) << "slot " << slot;
        }
        // Every file carries the master palette: loading a bank must not change
        // the colours of what is already on the screen.
        ExpectMasterPalette();
        FreeGraphics(bank.start, bank.count);
    }
    std::array<uint8_t, 768> master{};
    for (size_t i = 0; i < 256; i++) {
        master[3 * i] = MasterPalette()[i].r;
        master[3 * i + 1] = MasterPalette()[i].g;
        master[3 * i + 2] = MasterPalette()[i].b;
    }
    for (const char* name : kBackgrounds) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> page = Background(name);
        ASSERT_EQ(page.size(), 640u * 480u);
        EXPECT_EQ(backgroundPalette, master) << "fades and font colours use this palette";
        EXPECT_EQ(std::count(page.begin(), page.end(), 0), 0) << "black would be entry 0";
        EXPECT_GT(std::set<uint8_t>(page.begin(), page.end()).size(), 40u)
            << "a painted picture, not a flat fill";
    }
}

TEST_F(DataTest, PointerShapes) {
    ASSERT_GE(LoadGraphics(kPointerSlot, "pointers"), kPointerShapes);
    for (int shape = 0; shape < kPointerShapes; shape++) {
        SCOPED_TRACE("shape " + std::to_string(shape));
        const GraphicSlot& g = Graphic[static_cast<size_t>(shape)];
        EXPECT_LE(g.width, 60);
        EXPECT_LE(g.height, 96);
        // The offsets are minus the hot spot, which lies on the shape.
        EXPECT_LE(g.xoff, 0);
        EXPECT_GT(g.xoff, -g.width);
        EXPECT_LE(g.yoff, 0);
        EXPECT_GT(g.yoff, -g.height);
        std::vector<uint8_t> px = Pixels(shape);
        EXPECT_GT(std::count_if(px.begin(), px.end(), [](uint8_t p) { return p != 0; }), 20);
    }
    EXPECT_GE(Graphic[kArrowPointer].xoff, -2) << "the arrow points from its top-left corner";
    EXPECT_GE(Graphic[kArrowPointer].yoff, -2);
    EXPECT_EQ(Graphic[kNarrowPointer].width, 22) << "the narrow shape is always drawn 22 wide";
    const GraphicSlot& cross = Graphic[kCrosshairPointer];
    EXPECT_LE(std::abs(-cross.xoff * 2 - (cross.width - 1)), 1) << "crosshair centred";
    EXPECT_LE(std::abs(-cross.yoff * 2 - (cross.height - 1)), 1);
    EXPECT_NE(
        Pixels(kCrosshairPointer)[static_cast<size_t>(-cross.yoff * cross.width - cross.xoff)], 0)
        << "a mark at the crosshair's centre";
}

TEST_F(DataTest, FontsLoadAndMatchThePalette) {
    ASSERT_EQ(LoadBackground("bkg_01"), 1u);
    ASSERT_EQ(LoadFonts("fonts.dat"), 1u) << LogText();
    EXPECT_EQ(GetFont(3), nullptr);
    const int heights[3] = {24, 22, 22};
    for (int font = 0; font < 3; font++) {
        SCOPED_TRACE("font " + std::to_string(font));
        const ColorFont* f = GetFont(font);
        ASSERT_NE(f, nullptr);
        EXPECT_LE(f->height, heights[font]);
        EXPECT_GE(f->height, 16);
        EXPECT_EQ(f->rowPixels % 16, 0);
        for (int ch = 33; ch < 127; ch++) {
            EXPECT_GT(f->widths[ch], 0) << "character " << ch;
            EXPECT_GT(f->advances[ch], 1) << "character " << ch;
        }
        EXPECT_GT(f->advances[' '], 2) << "a space moves the pen";
        EXPECT_EQ(f->advances[0], 0) << "control characters draw nothing";
        // Each glyph pixel became the palette entry of exactly its colour.
        std::set<uint8_t> used;
        for (int i = 0; i < f->rowPixels * f->height; i++) {
            uint8_t p = f->bitmap[i];
            if (p == 0 || used.count(p) != 0) {
                continue;
            }
            used.insert(p);
            bool exact = false;
            for (int c = 1; c < 16; c++) {
                exact = exact || (backgroundPalette[3 * p] == f->colours[c][2] &&
                                  backgroundPalette[3 * p + 1] == f->colours[c][1] &&
                                  backgroundPalette[3 * p + 2] == f->colours[c][0]);
            }
            EXPECT_TRUE(exact) << "pixel index " << int(p);
        }
        EXPECT_GE(used.size(), 8u) << "antialiased";
        EXPECT_LE(used.size(), 15u);
    }
    // The credits measure their strip in font 1 and centre headings of font 2
    // on it, so a heading is never wider than the same line in font 1.
    for (int ch = 32; ch < 127; ch++) {
        EXPECT_LE(GetFont(2)->advances[ch], GetFont(1)->advances[ch]) << "character " << ch;
    }
    // A name of 30 characters is refused past 140 pixels; the box holds that.
    EXPECT_LT(FontTextWidth(0, "Bob "), 140);
}

}  // namespace
