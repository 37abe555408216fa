// The game-over scene keeps its six seconds when no music plays.
#include "screens/jail.h"
#include "app/screen_table.h"

#include "app/game_fixture.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/page_fixture.h"
#include "engine/timer.h"
#include "hunt/hunt.h"
#include "shell/options.h"
#include "shell/screens.h"

namespace {

class JailTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        dataDir = kDataDir.string() + "/";
        ResetRoster();
        RegisterGameScreens();
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
    }
    void TearDown() override {
        FreeFonts();
        ResetRoster();
        ResetScreens();
        dataDir.clear();
        PageTest::TearDown();
    }
};

TEST_F(JailTest, GameOverLastsSixSecondsWithoutMusicAndResetsTheGame) {
    // Music switched off, and music switched on with no sound output at all.
    for (uint8_t musicOn : {0, 1}) {
        player->money = 2;
        player->musicOn = musicOn;
        player->items[kItemShells] = 1;
        hunt.jailState = kJailBroke;
        currentScreen = kScreenJail;
        const uint32_t start = TimerCount();
        DrawJailScreen();
        EXPECT_GT(TimerCount() - start, 6000u) << "music " << int{musicOn};
        EXPECT_EQ(currentScreen, static_cast<uint32_t>(kScreenRoster));
        EXPECT_EQ(hunt.jailState, kJailFree);
        EXPECT_EQ(player->money, kNewGameMoney);
        EXPECT_EQ(player->items[kItemShells], kNewGameShells);
        Screen(kScreenRoster).exit();
    }
}

}  // namespace
