// The screens between hunts on the generated data and the headless display:
// the store, the hunt's two overlays and the payout after a hunt. The store and
// the hunt are entered as the main screen's buttons enter them; input is posted
// as a player's and runs through the real Do handlers.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_fixture.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "gdl/gdl_host.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "screens/game_bag.h"
#include "screens/goals.h"
#include "screens/store.h"
#include "shell/options.h"
#include "shell/screens.h"
#include "support/scripted_input.h"
#include "sys/clock.h"

namespace {

uint8_t GraphicPixel(int graphic, int x, int y) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(graphic)];
    return g.data[y * g.width + x];
}

class BetweenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        UseData(kDataRoot);
        ResetHunt();
        ResetScreens();
        ResetInput();
        CheckRegistry();
        ASSERT_EQ(GraphicsInit(), 1u);
        SoundInit();
        ASSERT_EQ(GameInit(), 1u);
        ASSERT_EQ(currentScreen, 0u);
    }
    void TearDown() override {
        SysSetClockListener(nullptr);
        if (Screen(currentScreen).exit != nullptr) {
            Screen(currentScreen).exit();
        }
        GameExit();
        SoundExit();
        ResetHunt();
        ResetScreens();
        ResetInput();
        GameTest::TearDown();
    }
    // Runs the current screen until every posted event is used.
    static void Pump() {
        GDL_Event event{};
        for (int guard = 0; guard < 50 && GDL_peekEvent(&event, GDL_EVENT_ALL) != 0; ++guard) {
            PollEvent();
            Screen(currentScreen).doPass();
        }
    }
    static void Post(const GDL_Event& event) {
        GDL_Event copy = event;
        GDL_postEvent(&copy);
    }
    static void MoveTo(int x, int y) {
        Post(Move(x, y));
        Pump();
    }
    static void Click(int x, int y) {
        Post(Move(x, y));
        Post(Press(x, y));
        Post(Release(x, y));
        Pump();
    }
    // Hunt frames for `ms` of game time, 20 ms apart.
    static void RunHunt(int ms) {
        for (int t = 0; t < ms && currentScreen == kScreenHunt; t += 20) {
            SysAdvanceVirtualClock(20);
            PollEvent();
            HuntFrame();
        }
    }
    // Enters the hunt at `club` as the club entry does.
    static void StartHunt(int32_t club) {
        Screen(currentScreen).exit();
        hunt.club = club;
        currentScreen = kScreenHunt;
        DrawWaterFowlScreen();
    }
    // A point where the shelf picture of store button `index` is painted,
    // at least `below` and away from `avoidX` by 60 columns; false if none.
    static bool Painted(int index, int below, int avoidX, int* px, int* py) {
        const Button& b = StoreButtons()[index];
        const GraphicSlot& g = Graphic[static_cast<size_t>(b.graphic + 10)];
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                const bool far = avoidX < 0 || std::abs(b.x + x - avoidX) > 60;
                if (GraphicPixel(b.graphic + 10, x, y) != 0 && b.y + y >= below && far &&
                    Pixel(workPage, b.x + x, b.y + y) != GraphicPixel(b.graphic + 10, x, y)) {
                    *px = b.x + x;
                    *py = b.y + y;
                    return true;
                }
            }
        }
        return false;
    }
};

// Watches one display pixel while a purchase runs: was it ever not `value`?
int watchX = 0, watchY = 0;
uint8_t watchValue = 0;
bool watchedOther = false;
void Watch(uint32_t) {
    if (displaySurface != nullptr && Pixel(displaySurface, watchX, watchY) != watchValue) {
        watchedOther = true;
    }
}

TEST_F(BetweenTest, StoreSellsByPaintedPixelsAndShowsWhatWasBought) {
    player->money = 5;
    SwitchScreen(kScreenStore);
    ASSERT_EQ(currentScreen, 2u);

    // Exactly $5 buys the decoys; the board shows them and the money is 0.
    int x = 0, y = 0;
    ASSERT_TRUE(Painted(0, 0, -1, &x, &y));
    Click(x, y);
    EXPECT_EQ(player->money, 0);
    EXPECT_EQ(player->items[kItemDecoys], 1);
    const GraphicSlot& icon = Graphic[kDecoyIcon];
    int shown = 0, painted = 0;
    for (int j = 0; j < icon.height; ++j) {
        for (int i = 0; i < icon.width; ++i) {
            if (GraphicPixel(kDecoyIcon, i, j) != 0) {
                ++painted;
                shown += Pixel(displaySurface, 412 + icon.xoff + i, 230 + icon.yoff + j) ==
                         GraphicPixel(kDecoyIcon, i, j);
            }
        }
    }
    EXPECT_GT(painted, 0);
    EXPECT_EQ(shown, painted) << "the decoys on the board";

    // Owned already: nothing changes. (Shells, the money chord and what
    // options.dat keeps are played through by the store's script.)
    player->money = 95;
    Click(x, y);
    EXPECT_EQ(player->money, 95);

    // A clear pixel inside gun 2's rectangle buys nothing; its painted ones do, for $30.
    const Button& gun2 = StoreButtons()[7];
    ASSERT_EQ(CheckBitmapData(38, 2, 40), 0u);
    Click(gun2.x + 2, gun2.y + 40);  // below gun 3's rectangle
    EXPECT_EQ(player->items[kItemGun1 + 1], 0);
    EXPECT_EQ(player->money, 95);
    ASSERT_TRUE(Painted(7, 410, -1, &x, &y));
    Click(x, y);
    EXPECT_EQ(player->items[kItemGun1 + 1], 1);
    EXPECT_EQ(player->money, 65);

    // Gun 3 ($20): its own picture vanishes and dissolves back in.
    ASSERT_TRUE(Painted(6, 320, -1, &x, &y));
    int wx = 0, wy = 0;
    ASSERT_TRUE(Painted(6, 320, x, &wx, &wy));
    watchX = wx;
    watchY = wy;
    watchValue = Pixel(displaySurface, wx, wy);
    watchedOther = false;
    SysSetClockListener(Watch);
    Click(x, y);
    SysSetClockListener(nullptr);
    EXPECT_EQ(player->items[kItemGun1 + 2], 1);
    EXPECT_EQ(player->money, 45);
    EXPECT_TRUE(watchedOther) << "gun 3's picture left the shelf for a moment";
    EXPECT_EQ(Pixel(displaySurface, wx, wy), watchValue) << "and came back";
}

// How many of the pointer shape's painted pixels the display shows at the pointer.
int PointerShown(int32_t shape) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(shape)];
    int shown = 0;
    for (int j = 0; j < g.height; ++j) {
        for (int i = 0; i < g.width; ++i) {
            const uint8_t p = GraphicPixel(shape, i, j);
            shown +=
                p != 0 && Pixel(displaySurface, pointerX + g.xoff + i, pointerY + g.yoff + j) == p;
        }
    }
    return shown;
}

int PointerPainted(int32_t shape) {
    const GraphicSlot& g = Graphic[static_cast<size_t>(shape)];
    return static_cast<int>(
        std::count_if(g.data, g.data + g.width * g.height, [](uint8_t p) { return p != 0; }));
}

TEST_F(BetweenTest, TheStoresDoneButtonLightsUnderTheHandAtOnce) {
    SwitchScreen(kScreenStore);
    MoveTo(300, 20);
    EXPECT_EQ(PointerShown(kArrowPointer), PointerPainted(kArrowPointer));
    // One move onto Done, none after: the hand is on the display already.
    MoveTo(40, 450);
    EXPECT_EQ(StoreButtons()[8].lit, 1);
    EXPECT_EQ(GetCursorShape(), kButtonPointer);
    EXPECT_EQ(PointerShown(kButtonPointer), PointerPainted(kButtonPointer));
    MoveTo(300, 20);
    EXPECT_EQ(PointerShown(kArrowPointer), PointerPainted(kArrowPointer)) << "and off it";
}

TEST_F(BetweenTest, StoreHitTestTakesOnlyPointsInsideThePicture) {
    SwitchScreen(kScreenStore);
    const GraphicSlot& g = Graphic[kScreenBankSlot];
    ASSERT_NE(g.data, nullptr);
    // A point right of the picture is no hit, even where the next row is painted.
    int px = 0, py = 1;
    while (py < g.height && GraphicPixel(kScreenBankSlot, px, py) == 0) {
        px = (px + 1) % g.width;
        py += px == 0;
    }
    ASSERT_LT(py, g.height);
    EXPECT_EQ(CheckBitmapData(kScreenBankSlot, px, py), 1u);
    EXPECT_EQ(CheckBitmapData(kScreenBankSlot, px + g.width, py - 1), 0u);
    EXPECT_EQ(CheckBitmapData(kScreenBankSlot, -1, 1), 0u);
    EXPECT_EQ(CheckBitmapData(kScreenBankSlot, 0, g.height), 0u);
    EXPECT_EQ(CheckBitmapData(500, 0, 0), 0u) << "an empty slot";

    // A clear pixel of one shelf picture passes the point on to a later button
    // painted there: gun 3's picture is clear in its top left, call 3's is not.
    int x = 0, y = 0;
    bool found = false;
    for (y = 0; y < 42 && !found; ++y) {
        for (x = 0; x < 98 && !found; ++x) {
            found = CheckBitmapData(37, x, y) == 0 && CheckBitmapData(35, x, y) != 0;
        }
    }
    ASSERT_TRUE(found);
    std::array<Button, 2> shelf = ButtonList({
        At({.x = 100, .y = 100, .width = 606, .height = 108},
           {.hoverable = 0, .graphic = 27, .arg = kItemGun1 + 2, .handler = BuyItem}),
        At({.x = 100, .y = 100, .width = 98, .height = 42},
           {.hoverable = 0, .graphic = 25, .arg = kItemCall1 + 2, .handler = BuyItem}),
    });
    EXPECT_EQ(HitTestStore(shelf.data(), 100 + x - 1, 100 + y - 1), &shelf[1]);
}

TEST_F(BetweenTest, OverlaysGiveTheHuntItsPageBackAndTheHuntGoesOn) {
    player->items[kItemLicence] = 1;
    StartHunt(0);
    RunHunt(3000);
    // The game bag shows each bird in pose 1.
    hunt.gameBag[0] = {BirdPicture(0, 1, 1), BagCode(0, 1), 2, 0, 1};
    hunt.gameBag[1] = {BirdPicture(2, 0, 1), BagCode(2, 0), 1, 2, 0};
    const std::vector<uint8_t> before = Snapshot(workPage);
    const int32_t minute = hunt.dayMinute;

    // Regulations: both pages, a button lit and unlit, then back.
    Click(157 + 20, 422 + 20);
    ASSERT_EQ(currentScreen, 5u);
    Click(254 + 20, 387 + 20);
    Click(254 + 20, 387 + 20);
    MoveTo(513 + 20, 387 + 20);
    MoveTo(400, 100);
    Click(513 + 20, 387 + 20);
    ASSERT_EQ(currentScreen, 3u);
    EXPECT_TRUE(Snapshot(workPage) == before) << "the hunt's page after the regulations";

    // The game bag: on the picture page the exit button unlights to that page.
    Click(228 + 20, 429 + 20);
    ASSERT_EQ(currentScreen, 6u);
    Click(10 + 20, 424 + 20);
    auto exitButton = [](GDL_Surface* page) {
        std::vector<uint8_t> area;
        for (int y = 424; y < 470; ++y) {
            area.insert(area.end(), &Pixel(page, 553, y), &Pixel(page, 629, y));
        }
        return area;
    };
    const std::vector<uint8_t> picturePage = exitButton(backPage);
    MoveTo(553 + 20, 424 + 20);
    MoveTo(400, 100);
    EXPECT_TRUE(exitButton(displaySurface) == picturePage)
        << "unlit on the picture page shows that page";
    Click(553 + 20, 424 + 20);
    ASSERT_EQ(currentScreen, 3u);
    EXPECT_TRUE(Snapshot(workPage) == before) << "the hunt's page after the game bag";

    RunHunt(2000);
    EXPECT_EQ(currentScreen, 3u);
    EXPECT_GT(hunt.dayMinute, minute) << "the clock runs on from where it stood";
    EXPECT_EQ(hunt.gameBag[0].count, 2);
}

// The bag page with every kind bagged: each bird and its count line inside its
// own pocket, nothing over the title bar or the seam.
TEST_F(BetweenTest, GameBagShowsEachBirdInsideItsOwnPocket) {
    player->items[kItemLicence] = 1;
    StartHunt(0);
    RunHunt(500);
    decltype(hunt.gameBag) bag{};
    for (int i = 0; i < kGameBagKinds; ++i) {
        const int32_t species = i % 4, sex = 1 - i / 4;
        bag[static_cast<size_t>(i)] = {BirdPicture(species, sex, 1), BagCode(species, sex),
                                       i == 3 ? 12 : 1 + i % 2, species, sex};
    }
    hunt.gameBag = bag;
    Click(228 + 20, 429 + 20);
    ASSERT_EQ(currentScreen, 6u);
    fs::create_directories(REEDGUNNER_SNAP_DIR);
    EXPECT_TRUE(GDL_saveDisplayPng(REEDGUNNER_SNAP_DIR "/game_bag.png"));
    const std::vector<uint8_t> full = Snapshot(backPage);

    // The page with an empty bag, then with one kind at a time: what a kind
    // changes lies inside its pocket, within the leather rim.
    auto page = [](const decltype(hunt.gameBag)& entries) {
        hunt.gameBag = entries;
        ToggleGameBagPage(0);
        ToggleGameBagPage(0);
        return Snapshot(backPage);
    };
    const std::vector<uint8_t> bare = page({});
    int outside = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            outside +=
                full[static_cast<size_t>(y * 640 + x)] != bare[static_cast<size_t>(y * 640 + x)] &&
                y < 60;
        }
    }
    EXPECT_EQ(outside, 0) << "nothing over the title bar";
    for (int i = 0; i < kGameBagKinds; ++i) {
        decltype(hunt.gameBag) one{};
        one[static_cast<size_t>(i)] = bag[static_cast<size_t>(i)];
        const std::vector<uint8_t> shown = page(one);
        const BagPocket pocket = BagPocketRect(i);
        int inside = 0, stray = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                if (shown[static_cast<size_t>(y * 640 + x)] ==
                    bare[static_cast<size_t>(y * 640 + x)]) {
                    continue;
                }
                const bool in = x >= pocket.x + 3 && x < pocket.x + pocket.w - 3 &&
                                y >= pocket.y + 3 && y < pocket.y + pocket.h - 3;
                (in ? inside : stray) += 1;
            }
        }
        EXPECT_GT(inside, 500) << "pocket " << i;
        EXPECT_EQ(stray, 0) << "pocket " << i;
    }
    hunt.gameBag = bag;
}

TEST(GameBagLine, CountsKindsAndPlurals) {
    char line[64];
    GameBagLine(2, 0, 1, line, sizeof line);
    EXPECT_STREQ(line, "2 Mallard Drakes");
    GameBagLine(1, 1, 0, line, sizeof line);
    EXPECT_STREQ(line, "1 Pintail Hen");
    GameBagLine(1, 7, 3, line, sizeof line);
    EXPECT_STREQ(line, "1 ? ?");
}

// A clean day ends on the payout, which pays into the money that options.dat keeps.
struct PayCase {
    int32_t club;
    std::array<int32_t, 8> kills;
    int32_t money;
    int32_t payout;
    const char* snap;
};

TEST_F(BetweenTest, CleanHuntsArePaidTheirGoalCoinByCoin) {
    const PayCase cases[] = {
        {2, {4, 0, 0, 0, 4, 0, 0, 0}, 9995, 14, "payout_14"},
        {3, {6, 6, 6, 6, 6, 6, 6, 6}, 40, 100, "payout_100"},
    };
    for (const PayCase& c : cases) {
        player->items[kItemLicence] = 1;
        player->money = c.money;
        StartHunt(c.club);
        RunHunt(500);
        int32_t bagged = 0;
        for (int i = 0; i < 8; ++i) {
            hunt.kills[static_cast<size_t>(i)].count = c.kills[static_cast<size_t>(i)];
            bagged += c.kills[static_cast<size_t>(i)];
        }
        hunt.bagged = bagged;
        hunt.shotFired = 1;
        hunt.dayMinute = hunt.endMinute + 46;
        SetPointerPos(630, 10);
        RunHunt(40);
        ASSERT_EQ(currentScreen, 7u) << c.snap;
        EXPECT_EQ(PayoutLevel(), c.payout);
        EXPECT_EQ(player->money, c.money + c.payout);

        // Each turning reel shows its picture at the strip row 18 short of it.
        const BagGoal goal = ScoreBag(c.kills, bagged, hunt.bagLimit);
        for (int r = 0; r < kReelCount; ++r) {
            const int32_t row = goal.reels[static_cast<size_t>(r)] - 18 + 12;
            int same = 0;
            for (int j = 0; j < 95; ++j) {
                for (int i = 0; i < 68; ++i) {
                    same += Pixel(displaySurface, 15 + 78 * r + i, 142 + j) ==
                            GraphicPixel(31, i, row + j);
                }
            }
            EXPECT_EQ(same, 95 * 68) << c.snap << ", reel " << r + 1;
        }
        // The money box holds the new amount and nothing of the old one.
        char text[16];
        std::snprintf(text, sizeof text, "%d", player->money);
        GDL_Surface* scratch = GDL_createMemorySurface(120, 24, 8, nullptr);
        ASSERT_NE(scratch, nullptr);
        std::memset(scratch->pixels, 254, static_cast<size_t>(scratch->bytesPerLine) * 24);
        textTarget = scratch;
        DrawFontText(0, 2, 0, text);
        textTarget = backPage;
        const int32_t width = FontTextWidth(0, text);
        for (int j = 0; j < 24; ++j) {
            for (int i = 0; i < width + 4; ++i) {
                ASSERT_EQ(Pixel(displaySurface, kPayoutMoneyBoxX + i, 440 + j),
                          Pixel(scratch, i, j))
                    << c.snap << " money box at " << i << ", " << j;
            }
        }
        // Five digits stay inside the box: its rim and the goal plaque's are the picture's.
        for (int j = 437; j < 467; ++j) {
            for (int x = kPayoutMoneyBoxX + kPayoutMoneyBoxW; x < 240; ++x) {
                ASSERT_EQ(Pixel(displaySurface, x, j), Pixel(workPage, x, j))
                    << c.snap << " right of the money box at " << x << ", " << j;
            }
        }
        GDL_destroySurface(scratch);
        fs::create_directories(REEDGUNNER_SNAP_DIR);
        EXPECT_TRUE(
            GDL_saveDisplayPng((std::string(REEDGUNNER_SNAP_DIR "/") + c.snap + ".png").c_str()));

        // The view button: the covering picture, then the coins again.
        Click(476 + 20, 67 + 20);
        Click(476 + 20, 67 + 20);
        std::array<CoinPlace, kMostCoins> places{};
        const int32_t coins = CoinPlaces(c.payout, &places);
        int redrawn = 0;
        for (int i = 0; i < coins; ++i) {
            const int x = places[static_cast<size_t>(i)].x + Graphic[kFirstCoin].xoff +
                          Graphic[kFirstCoin].width / 2;
            const int y = places[static_cast<size_t>(i)].y + Graphic[kFirstCoin].yoff +
                          Graphic[kFirstCoin].height / 2;
            redrawn += Pixel(displaySurface, x, y) != Pixel(workPage, x, y);
        }
        EXPECT_EQ(redrawn, coins) << c.snap;
        Click(7 + 20, 430 + 20);  // Done
    }
}

}  // namespace
