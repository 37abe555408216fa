// The pictures line up with the screens: each lit button graphic covers its
// button on the background, shelf pictures are opaque only on their item, the
// goods fit where the store and the hunt's bar draw them, and the places where
// the game prints money and texts are left dark enough to read.
#include <algorithm>
#include <array>
#include <map>

#include "data/data_art.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "platform/graphics.h"
#include "screens/store.h"
#include "shell/screens.h"

namespace {

struct LitButton {
    const char* bank;        // the bank holding the lit graphic
    int slot;                // the button's graphic + 10
    const char* background;  // the screen's background, or null (the hunt's scene)
    ScreenRect button;
    bool wooden;  // a bevelled button with a dark rim, rather than a spot on a map
};

// The buttons of the screens' button lists whose graphics this data provides.
constexpr std::array<LitButton, 22> kLitButtons = {{
    {"spr_03", 31, "bkg_03", {70, 302, 104, 84}, false},
    {"spr_03", 32, "bkg_03", {244, 186, 110, 84}, false},
    {"spr_03", 33, "bkg_03", {64, 164, 114, 86}, false},
    {"spr_03", 34, "bkg_03", {442, 231, 116, 96}, false},
    {"spr_03", 35, "bkg_03", {520, 360, 102, 50}, true},
    {"spr_03", 36, "bkg_03", {514, 411, 94, 45}, true},
    {"icons", 11, "bkg_03", {3, 420, 76, 55}, true},
    {"spr_02", 32, "bkg_02", {87, 181, 74, 45}, true},
    {"spr_02", 33, "bkg_02", {56, 249, 72, 45}, true},
    {"spr_02", 34, "bkg_02", {317, 345, 74, 45}, true},
    {"spr_02", 35, "bkg_02", {487, 345, 74, 45}, true},
    {"icons", 14, "bkg_02", {7, 430, 74, 45}, true},
    {"icons", 14, "bkg_04", {7, 430, 74, 44}, true},
    {"icons", 14, "bkg_07", {7, 430, 74, 44}, true},
    {"spr_07", 32, "bkg_07", {476, 67, 74, 44}, true},
    {"icons", 12, nullptr, {7, 429, 74, 45}, true},
    {"icons", 28, "bkg_05", {254, 387, 140, 45}, true},
    {"icons", 29, "bkg_09", {254, 387, 140, 45}, true},
    {"icons", 15, "bkg_05", {513, 387, 74, 51}, true},
    {"icons", 15, "bkg_09", {513, 387, 74, 51}, true},
    {"icons", 30, "bkg_06", {10, 424, 76, 46}, true},
    {"icons", 15, "bkg_06", {553, 424, 76, 46}, true},
}};

int StartOf(const char* bank) {
    return std::string(bank) == "icons" ? kIconsSlot : kScreenBankSlot;
}

int Luminance(uint8_t index) {
    return (backgroundPalette[3 * index] * 3 + backgroundPalette[3 * index + 1] * 6 +
            backgroundPalette[3 * index + 2]) /
           10;
}

TEST_F(DataTest, LitButtonsCoverTheirButtons) {
    // A graphic shared by buttons of slightly different sizes takes the
    // smallest of them, so that it never spills outside any of them.
    std::map<std::pair<std::string, int>, std::pair<int, int>> smallest;
    for (const LitButton& b : kLitButtons) {
        auto& s = smallest.try_emplace({b.bank, b.slot}, b.button.w, b.button.h).first->second;
        s = {std::min(s.first, b.button.w), std::min(s.second, b.button.h)};
    }
    for (const LitButton& b : kLitButtons) {
        SCOPED_TRACE(std::string(b.bank) + " slot " + std::to_string(b.slot) + " on " +
                     (b.background != nullptr ? b.background : "the hunt"));
        int start = StartOf(b.bank);
        ASSERT_GT(LoadGraphics(start, b.bank), b.slot - start);
        const GraphicSlot& g = Graphic[static_cast<size_t>(b.slot)];
        auto size = smallest[{b.bank, b.slot}];
        EXPECT_EQ(g.width, size.first);
        EXPECT_EQ(g.height, size.second);
        EXPECT_EQ(g.xoff, 0);
        EXPECT_EQ(g.yoff, 0);
        std::vector<uint8_t> lit = Pixels(b.slot);
        EXPECT_EQ(std::count(lit.begin(), lit.end(), 0), 0) << "a lit button is opaque all over";
        if (b.background != nullptr) {
            std::vector<uint8_t> page = Background(b.background);
            ASSERT_FALSE(page.empty());
            int differ = 0, rimLit = 0, rimPage = 0, rim = 0;
            for (int y = 0; y < g.height; y++) {
                for (int x = 0; x < g.width; x++) {
                    uint8_t under = page[(b.button.y + y) * 640 + b.button.x + x];
                    uint8_t over = lit[y * g.width + x];
                    differ += Luminance(under) + 12 < Luminance(over);
                    if (x == 0 || y == 0 || x == g.width - 1 || y == g.height - 1) {
                        rim++;
                        rimLit += Luminance(over) < 50;
                        rimPage += Luminance(under) < 50;
                    }
                }
            }
            EXPECT_GT(differ * 4, g.width * g.height) << "lighting brightens the button";
            if (b.wooden) {
                EXPECT_GT(rimLit * 10, rim * 9) << "the lit face has the button's dark rim";
                EXPECT_GT(rimPage * 10, rim * 9) << "the background's face has it too";
            }
        }
        FreeGraphics(start, 40);
    }
}

TEST_F(DataTest, ShelfPicturesAreShapedToTheirItems) {
    ASSERT_EQ(LoadGraphics(kScreenBankSlot, "spr_04"), 8);
    for (int i = 0; i < 8; i++) {
        SCOPED_TRACE("shelf picture " + std::to_string(kScreenBankSlot + i));
        const GraphicSlot& g = Graphic[static_cast<size_t>(kScreenBankSlot + i)];
        // The store's eight item buttons, slots 31 to 38 in the order of its list.
        ASSERT_EQ(StoreButtons()[i].graphic + 10, kScreenBankSlot + i);
        EXPECT_EQ(g.width, StoreButtons()[i].width);
        EXPECT_EQ(g.height, StoreButtons()[i].height);
        std::vector<uint8_t> px = Pixels(kScreenBankSlot + i);
        auto opaque = std::count_if(px.begin(), px.end(), [](uint8_t p) { return p != 0; });
        EXPECT_GT(opaque * 20, static_cast<long>(px.size())) << "the item is under its button";
        EXPECT_GT((static_cast<long>(px.size()) - opaque) * 10, static_cast<long>(px.size()))
            << "clear round the item, so a click beside it buys nothing";
        int corners = (px.front() == 0) + (px[g.width - 1] == 0) +
                      (px[(g.height - 1) * g.width] == 0) + (px.back() == 0);
        EXPECT_GE(corners, 3);
    }
    // The money is printed at (192, 437) inside gun 2's rectangle: that gun's
    // picture leaves the place clear.
    const Button& gun2 = StoreButtons()[7];
    std::vector<uint8_t> px = Pixels(kScreenBankSlot + 7);
    for (int y = 437; y < 461; y++) {
        for (int x = 186; x < 250; x++) {
            ASSERT_EQ(px[(y - gun2.y) * gun2.width + x - gun2.x], 0) << x << "," << y;
        }
    }
}

TEST_F(DataTest, GoodsFitWhereTheyAreDrawn) {
    ASSERT_EQ(LoadGraphics(kIconsSlot, "icons"), kIconsCount);
    auto fits = [](int slot, int w, int h) {
        const GraphicSlot& g = Graphic[static_cast<size_t>(slot)];
        EXPECT_LE(g.width, w) << "slot " << slot;
        EXPECT_LE(g.height, h) << "slot " << slot;
    };
    // On the hunt's bar: the buttons' places and the saved areas under them.
    for (int slot : {kDecoyIcon, kLicenceIcon, kCallIcon, kCallIcon + 1, kCallIcon + 2}) {
        fits(slot, 66, 45);
    }
    fits(kShellIcon, 78, 45);
    for (int gun = 0; gun < 3; gun++) {
        fits(kHuntGunIcon + gun, 81, 45);
    }
    // In the store's list of belongings: guns 92 apart from x 366 to the board's
    // edge, above the shell box at y 111; the shell count at x 504; calls 80
    // apart above the licence at y 227; decoys left of the licence.
    for (int gun = 0; gun < 3; gun++) {
        fits(kStoreGunIcon + gun, 86, 111 - 53);
    }
    fits(kShellIcon, 504 - 444 - 2, 60);
    for (int call = 0; call < 3; call++) {
        fits(kCallIcon + call, 78, 227 - 170);
    }
    fits(kDecoyIcon, 513 - 412, 60);
    fits(kLicenceIcon, 636 - 513, 60);
    fits(kMoneyPanelIcon, 200, 60);

    ASSERT_EQ(LoadGraphics(kScreenBankSlot, "spr_02"), 8);
    const GraphicSlot& panel = Graphic[kNamePanel];
    EXPECT_EQ(panel.width, 423 - 217) << "the name card is shown as (217, 186) to (423, 293)";
    EXPECT_EQ(panel.height, 293 - 186);
    fits(kMusicOffMark, 74, 45);
    EXPECT_EQ(Graphic[kMusicOffMark].width, 74) << "the music-off mark is wiped as 74 x 45";
    EXPECT_EQ(Graphic[kMusicOffMark].height, 45);
    // The knob slides from x 131 to 231 and is redrawn inside (121, 266) 134 x 64.
    fits(kVolumeKnob, 255 - 231, 64);
}

TEST_F(DataTest, TextPlacesAreDarkEnoughToRead) {
    struct Place {
        const char* background;
        ScreenRect area;
    };
    const Place places[] = {
        {"bkg_03", {350, 437, 60, 24}},    // main screen money
        {"bkg_04", {192, 437, 50, 24}},    // store money
        {"bkg_07", {150, 440, 80, 24}},    // payout money box
        {"bkg_07", {250, 425, 380, 51}},   // the goal's text, one or two lines
        {"bkg_02", {308, 192, 265, 141}},  // roster rows (the game fills them too)
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.background);
        std::vector<uint8_t> page = Background(p.background);
        ASSERT_FALSE(page.empty());
        int light = 0;
        for (int y = p.area.y; y < p.area.y + p.area.h; y++) {
            for (int x = p.area.x; x < p.area.x + p.area.w; x++) {
                light += Luminance(page[y * 640 + x]) > 90;
            }
        }
        EXPECT_EQ(light, 0) << "pale pixels under the text at " << p.area.x << "," << p.area.y;
    }
}

}  // namespace
