#include "engine/graphics.h"

#include <functional>

#include "engine/config.h"
#include "engine/log.h"
#include "engine/page_fixture.h"

namespace {

using namespace test_banks;
using BankTest = PageTest;

std::vector<uint8_t> SlotPixels(int slot) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
    return {g.data, g.data + g.width * g.height};
}

TEST_F(BankTest, RawAndEncodedBanksLoadTheSameGraphics) {
    debugLog = 1;
    const std::vector<Picture> pictures = {Pattern(13, 7, 1, -4, 5), Pattern(640, 3, 9, 0, -2),
                                           Pattern(1, 1, 0xC3)};
    for (bool encoded : {false, true}) {
        SCOPED_TRACE(encoded ? "run-length" : "raw");
        WriteBytes("bank.256", Bank(pictures, encoded));
        ASSERT_EQ(LoadGraphics(31, "bank"), 3);
        for (int i = 0; i < 3; ++i) {
            const GraphicSlot& g = Graphic[static_cast<size_t>(31 + i)];
            EXPECT_EQ(g.width, pictures[i].width);
            EXPECT_EQ(g.height, pictures[i].height);
            EXPECT_EQ(g.xoff, pictures[i].xoff);
            EXPECT_EQ(g.yoff, pictures[i].yoff);
            EXPECT_EQ(SlotPixels(31 + i), pictures[i].pixels) << "graphic " << i;
        }
        EXPECT_EQ(Graphic[31].size, Record(pictures[0], encoded).size() - 16);
        FreeGraphics(31, 3);
        EXPECT_EQ(Graphic[31].data, nullptr);
        EXPECT_EQ(Graphic[31].width, 13) << "freeing leaves the other fields";
    }
    EXPECT_EQ(LogCount("LoadGraphics( 31, bank)"), 2);
    EXPECT_EQ(LogCount("... read 3 graphics"), 2);
    EXPECT_EQ(LogCount("FreeGraphics( 31, 3)"), 2);
    EXPECT_EQ(LogCount("ERROR"), 0) << LogText();
}

TEST_F(BankTest, PaletteIsSwappedWithEntryZeroBlack) {
    WriteBytes("bank.256", Bank({Pattern(2, 2)}, false));
    ASSERT_EQ(LoadGraphics(40, "bank"), 1);
    const auto palette = TestPalette();
    EXPECT_EQ(gamePalette[0].blue, 0);
    EXPECT_EQ(gamePalette[0].green, 0) << "the file's entry 0 is green";
    EXPECT_EQ(gamePalette[0].red, 0);
    for (int i = 1; i < 256; ++i) {
        ASSERT_EQ(gamePalette[i].red, palette[3 * i]) << i;
        ASSERT_EQ(gamePalette[i].green, palette[3 * i + 1]) << i;
        ASSERT_EQ(gamePalette[i].blue, palette[3 * i + 2]) << i;
        ASSERT_EQ(gamePalette[i].reserved, 0) << i;
    }
}

TEST_F(BankTest, RunLengthQuirks) {
    // Row 0: a run of count 0 (consumes its value), literal 5, a run of 0xC5
    //        with count 1, then a run of 9 that overruns the 4-pixel row.
    // Row 1: starts at the next byte; the overrun's excess is gone.
    const std::string data =
        "\xC0\x77\x05\xC1\xC5\xC9\x42"
        "\x01\x02\x03\xC2\xFF";
    std::string file =
        Header(1, true) + RecordHeader(static_cast<uint32_t>(data.size()), 4, 2) + data;
    WriteBytes("quirks.256", file);
    ASSERT_EQ(LoadGraphics(50, "quirks"), 1) << LogText();
    EXPECT_EQ(SlotPixels(50), (std::vector<uint8_t>{0x05, 0xC5, 0x42, 0x42, 1, 2, 3, 0xFF}));
}

TEST_F(BankTest, RangeAtTheLastSlot) {
    WriteBytes("two.256", Bank({Pattern(3, 3, 1), Pattern(3, 3, 2)}, true));
    EXPECT_EQ(LoadGraphics(973, "two"), 2) << "973 + 2 = 975 fits";
    EXPECT_NE(Graphic[974].data, nullptr);

    auto palette = TestPalette();
    palette[3 * 7] = 0x11;
    WriteBytes("other.256", Bank({Pattern(3, 3, 1), Pattern(3, 3, 2)}, true, palette));
    EXPECT_EQ(LoadGraphics(974, "other"), 0);
    EXPECT_EQ(LogCount("ERROR: LoadGraphics: file=other.256 start=974, number=2"), 1) << LogText();
    EXPECT_EQ(gamePalette[7].red, 0x11) << "a refused bank still sets the palette";
    EXPECT_EQ(Graphic[975].data, nullptr);

    std::string negative = Header(-1, false);
    WriteBytes("negative.256", negative);
    EXPECT_EQ(LoadGraphics(31, "negative"), 0);
    EXPECT_EQ(LogCount("ERROR: LoadGraphics: file=negative.256 start=31, number=-1"), 1);
    EXPECT_EQ(LoadGraphics(-1, "two"), 0);
    EXPECT_EQ(LogCount("start=-1, number=2"), 1);
}

TEST_F(BankTest, LoadingOverOccupiedSlots) {
    WriteBytes("old.256", Bank({Pattern(4, 4, 1), Pattern(4, 4, 2)}, false));
    WriteBytes("new.256", Bank({Pattern(2, 3, 8), Pattern(5, 1, 9), Pattern(1, 1, 3)}, true));
    ASSERT_EQ(LoadGraphics(100, "old"), 2);
    ASSERT_EQ(LoadGraphics(100, "new"), 3);
    EXPECT_EQ(LogCount("ERROR: LoadGraphics: file=new.256, Graphic[100].data not NULL"), 1);
    EXPECT_EQ(LogCount("ERROR: LoadGraphics: file=new.256, Graphic[101].data not NULL"), 1);
    EXPECT_EQ(LogCount("not NULL"), 2) << "slot 102 was empty";
    EXPECT_EQ(SlotPixels(100), Pattern(2, 3, 8).pixels);
    EXPECT_EQ(SlotPixels(101), Pattern(5, 1, 9).pixels);
}

TEST_F(BankTest, FreeGraphicsBounds) {
    debugLog = 1;
    FreeGraphics(200, 10);
    EXPECT_EQ(LogCount("ERROR"), 0) << "empty slots are no error";
    EXPECT_EQ(LogCount("FreeGraphics( 200, 10)"), 1);
    WriteBytes("one.256", Bank({Pattern(2, 2)}, false));
    ASSERT_EQ(LoadGraphics(974, "one"), 1);
    FreeGraphics(974, 2);
    EXPECT_EQ(LogCount("ERROR FreeGraphics( 974, 2 ) exceeds maximum"), 1);
    EXPECT_NE(Graphic[974].data, nullptr) << "a refused free frees nothing";
    FreeGraphics(-3, 5);
    EXPECT_EQ(LogCount("ERROR FreeGraphics( -3, 5 ) exceeds maximum"), 1);
    FreeGraphics(974, 1);
    EXPECT_EQ(Graphic[974].data, nullptr);
}

// Each damaged bank: refused with one ERROR line naming the file, slot 60
// (loaded before the damage) still filled, slot 61 empty.
TEST_F(BankTest, DamagedBanksAreRefusedSafely) {
    const std::string good = Record(Pattern(3, 2, 4), false);
    const std::string goodRuns = Record(Pattern(3, 2, 4), true);
    struct Case {
        const char* what;
        std::string bytes;
        bool firstStays;
    };
    const std::vector<Case> cases = {
        {"header cut short", Header(2, false).substr(0, 500), false},
        {"no records at all", Header(2, false), false},
        {"record header cut", Header(2, false) + good + RecordHeader(4, 2, 2).substr(0, 9), true},
        {"width 0", Header(2, false) + good + RecordHeader(0, 0, 5), true},
        {"negative height", Header(2, false) + good + RecordHeader(4, 4, -1) + "abcd", true},
        {"wider than a row",
         Header(2, false) + good + RecordHeader(641, 641, 1) + std::string(641, '\x01'), true},
        {"raw size not width x height", Header(2, false) + good + RecordHeader(5, 2, 2) + "abcde",
         true},
        {"raw data cut", Header(2, false) + good + RecordHeader(6, 3, 2) + "abc", true},
        {"runs end before the rows",
         Header(2, true) + goodRuns + RecordHeader(3, 2, 2) + "\x01\x02\x03", true},
        {"run without its value",
         Header(2, true) + goodRuns + RecordHeader(4, 2, 2) + "\x01\x02\x03\xC1", true},
        {"run size beyond the file",
         Header(2, true) + goodRuns + RecordHeader(0x7FFFFFFF, 2, 2) + "\x01\x02\x03\x04", true},
        {"run size zero", Header(2, true) + goodRuns + RecordHeader(0, 2, 2), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetGraphicBanks();
        LogReset();
        WriteBytes(dir + "state/pellmar/PELLMAR.TXT", "");
        WriteBytes("broken.256", c.bytes);
        EXPECT_EQ(LoadGraphics(60, "broken"), 0);
        EXPECT_EQ(LogCount("ERROR"), 1) << LogText();
        EXPECT_EQ(LogCount("broken.256"), 1) << LogText();
        EXPECT_EQ(Graphic[60].data != nullptr, c.firstStays);
        EXPECT_EQ(Graphic[61].data, nullptr);
    }
    ResetGraphicBanks();
    EXPECT_EQ(LoadGraphics(60, "absent"), 0);
    EXPECT_EQ(LogCount("ERROR: LoadGraphics: absent.256 not found!"), 1);
}

TEST_F(BankTest, BackgroundsLoadIntoTheirPages) {
    debugLog = 1;
    std::vector<uint8_t> pixels(640 * 480);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint8_t>(i * 31 / 7);
    }
    WriteBytes("bkg_01.256", Background(pixels));
    gamePalette[5] = {1, 2, 3, 0};
    ASSERT_EQ(LoadBackground("bkg_01"), 1u);
    EXPECT_EQ(Snapshot(workPage), pixels);
    const auto palette = TestPalette();
    EXPECT_EQ(std::vector<uint8_t>(backgroundPalette.begin(), backgroundPalette.end()),
              std::vector<uint8_t>(palette.begin(), palette.end()))
        << "kept as the file holds it, entry 0 included";
    EXPECT_EQ(gamePalette[5].green, 2) << "backgrounds leave the game palette alone";
    EXPECT_EQ(LogCount("LoadBackground( bkg_01 )"), 1);

    auto other = TestPalette();
    other[100] = 0x99;
    std::vector<uint8_t> second(640 * 480, 0x3C);
    WriteBytes("bkg_02.256", Background(second, 480, other));
    ASSERT_EQ(LoadBackground2("bkg_02"), 1u);
    EXPECT_EQ(Snapshot(backPage), second);
    EXPECT_EQ(backgroundPalette[100], palette[100]) << "LoadBackground2 keeps the palette";
    EXPECT_EQ(LogCount("LoadBackground2( bkg_02 )"), 1);

    EXPECT_EQ(LoadBackground2("nothing"), 0u);
    EXPECT_EQ(LogCount("ERROR: LoadBackground: nothing.256 not found!"), 1);
    EXPECT_EQ(LogCount("ERROR"), 1);
}

TEST_F(BankTest, ShortBackgroundKeepsTheRowsRead) {
    std::vector<uint8_t> pixels(640 * 480, 0x21);
    WriteBytes("short.256", Background(pixels, 100));
    Fill(workPage, 0x55);
    EXPECT_EQ(LoadBackground("short"), 0u);
    EXPECT_EQ(LogCount("ERROR: LoadBackground: short.256 is short, 100 of 480 rows"), 1)
        << LogText();
    EXPECT_EQ(Pixel(workPage, 639, 99), 0x21);
    EXPECT_EQ(Pixel(workPage, 0, 100), 0x55) << "rows never read keep what they held";

    WriteBytes("stub.256", Header(1, false).substr(0, 300));
    EXPECT_EQ(LoadBackground("stub"), 0u);
    EXPECT_EQ(LogCount("ERROR: LoadBackground: stub.256 is too short"), 1);
}

TEST_F(BankTest, PageCopies) {
    FillPattern(workPage, 1);
    CopyWorkPage();
    EXPECT_EQ(Snapshot(backPage), Snapshot(workPage));
    ShowBackPage();
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(workPage));

    // A rectangle hanging over the bottom-right corner copies only its inside.
    FillPattern(workPage, 7);
    Fill(backPage, 0);
    CopyPageRect(workPage, backPage, 630, 470, 20, 20);
    EXPECT_EQ(Pixel(backPage, 639, 479), Pixel(workPage, 639, 479));
    EXPECT_EQ(Pixel(backPage, 630, 470), Pixel(workPage, 630, 470));
    EXPECT_EQ(Pixel(backPage, 629, 470), 0);
    EXPECT_EQ(Pixel(backPage, 0, 0), 0) << "nothing wraps to the next row";

    // One hanging over the top-left corner.
    Fill(backPage, 0);
    CopyPageRect(workPage, backPage, -5, -5, 10, 10);
    EXPECT_EQ(Pixel(backPage, 0, 0), Pixel(workPage, 0, 0));
    EXPECT_EQ(Pixel(backPage, 4, 4), Pixel(workPage, 4, 4));
    EXPECT_EQ(Pixel(backPage, 5, 4), 0);
    EXPECT_EQ(Pixel(backPage, 4, 5), 0);
}

}  // namespace
