// The credits on the generated fonts: where a key leaves them, and every drawn
// line whole on the screen whatever its font.
#include "screens/credits.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_fixture.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/page_fixture.h"
#include "engine/timer.h"
#include "gdl/gdl_host.h"
#include "platform/sound.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

class CreditsTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        dataDir = dir;
        fs::copy_file(kDataDir / "fonts.dat", dir + "fonts.dat");
        // A black picture under the credits: only their text lights pixels.
        WriteBytes("bkg_03.256", test_banks::Background(std::vector<uint8_t>(640 * 480, 0)));
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
    }
    void TearDown() override {
        FreeFonts();
        dataDir.clear();
        PageTest::TearDown();
    }
};

uint32_t keyAt = 0;
void PostKeyLater() {
    if (keyAt != 0 && static_cast<int32_t>(SysPeekMilliseconds() - keyAt) >= 0) {
        keyAt = 0;
        GDL_Event key{};
        key.type = GDL_EVENT_KEYDOWN;
        key.code = 0x1E61;  // 'a'
        GDL_postEvent(&key);
    }
}

TEST_F(CreditsTest, AKeyEndsThemAndStaysInTheQueue) {
    const uint32_t start = TimerCount();
    keyAt = start + 2000;
    SysAddPumpListener(PostKeyLater);
    RollCredits(CreditsLines());
    SysRemovePumpListener(PostKeyLater);
    EXPECT_LT(TimerCount() - start, 2500u) << "ended at the key, not after the roll";
    GDL_Event event{};
    EXPECT_EQ(GDL_peekEvent(&event, GDL_EVENT_KEYDOWN), 1);
    EXPECT_EQ(MusicIsPlaying(), 0u);
}

int mostLit = 0;
TEST_F(CreditsTest, EveryLineIsDrawnWholeInItsOwnFont) {
    // A long line in the font that draws it widest, lines without a font
    // digit or without text (skipped), and a name.
    const std::string text = "MMMMMMMMMMMMMMMMMMMMMMMMMMMM";
    int widest = 0;
    for (int font = 1; font < 3; ++font) {
        if (FontTextWidth(font, text.c_str()) > FontTextWidth(widest, text.c_str())) {
            widest = font;
        }
    }
    const std::string heading = std::to_string(widest) + " " + text;
    const std::vector<std::string> lines = {heading, "no digit", "7", "1 ", "1 Wilma", ""};
    int expected = 0;
    for (const std::string& line : {heading, std::string("1 Wilma")}) {
        Fill(backPage, 0);
        DrawFontText(line[0] - '0', 10, 100, line.c_str() + 2);
        expected += Drawn(backPage);
    }
    Fill(backPage, 0);
    mostLit = 0;
    SysSetClockListener([](uint32_t) { mostLit = std::max(mostLit, Drawn(displaySurface)); });
    RollCredits(lines);
    SysSetClockListener(nullptr);
    EXPECT_EQ(mostLit, expected);
}

TEST_F(CreditsTest, NothingOfTheLastLineStaysWhileTheMusicEnds) {
    // Lists of one to three lines: 22 rows a line, so one of them has a height
    // that the 3-row steps leave a sliver of.
    std::vector<std::string> lines;
    for (int n = 1; n <= 3; ++n) {
        lines.insert(lines.begin(), "1 Good hunting, gyp jigs!");
        Fill(backPage, 0);
        RollCredits(lines);
        EXPECT_EQ(Drawn(displaySurface), 0) << n << " lines";
    }
}

}  // namespace
