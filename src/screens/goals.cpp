#include "screens/goals.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/blit.h"
#include "engine/draw.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "hunt/hunt.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"

namespace {

constexpr int32_t kStripW = 68;
constexpr int32_t kStripH = 972;
constexpr int32_t kReelStep = 18;                                     // rows the strip moves a step
constexpr int32_t kMostSteps = (kStripH - kReelPicture) / kReelStep;  // 48
constexpr int32_t kReelTop = 142;
constexpr int32_t kReelWindowTop = 12;  // strip rows above the window
constexpr int32_t kReelWindowRows = 95;
constexpr uint32_t kReelStepMs = 60;
constexpr int32_t kMoneyX = kPayoutMoneyBoxX + 2;
constexpr int32_t kMoneyY = 440;
constexpr int32_t kMoneyBoxH = 24;
constexpr uint32_t kMoneyBoxColour = 254;
constexpr int32_t kCoinAreaTop = 247;
constexpr int32_t kCoinAreaBottom = 419;

constexpr std::array<int32_t, 5> kCoinRowLeft = {16, 30, 44, 30, 16};

int32_t loadedGraphics = 0;
int32_t payoutLevel = 0;
int32_t viewFlag = 0;

std::array<Button, 2> buttons = ButtonList({
    At({.x = 476, .y = 67, .width = 74, .height = 44}, {.graphic = 22, .handler = ToggleGoalView}),
    At({.x = 7, .y = 430, .width = 74, .height = 44},
       {.graphic = 4, .arg = kScreenMain, .handler = ExitScreen}),
});

// The strip picture of tally counter i: hen mallard is the last picture.
constexpr int32_t PictureOf(int32_t kind) {
    return kind == 0 ? 8 : kind;
}

// A goal from its reels as pictures (0: the reel stands still).
BagGoal Goal(int32_t payout, const char* line1, const char* line2,
             const std::array<int32_t, kReelCount>& pictures) {
    BagGoal goal{payout, line1, line2, {}};
    for (int r = 0; r < kReelCount; ++r) {
        goal.reels[static_cast<size_t>(r)] = kReelPicture * pictures[static_cast<size_t>(r)];
    }
    return goal;
}

// The first species whose drake (and, with `hens`, hen) count passes `test`; -1 if none.
template <typename Test>
int32_t FirstSpecies(const std::array<int32_t, 8>& kills, Test test) {
    for (int32_t s = 0; s < kSpeciesCount; ++s) {
        if (test(kills[static_cast<size_t>(KindIndex(s, 1))], kills[static_cast<size_t>(s)])) {
            return s;
        }
    }
    return -1;
}

bool Every(const std::array<int32_t, 8>& kills, int first, int last, bool (*test)(int32_t count)) {
    for (int i = first; i <= last; ++i) {
        if (!test(kills[static_cast<size_t>(i)])) {
            return false;
        }
    }
    return true;
}

// The birds actually bagged, centred on the reels in tally order. The first
// reel is kept on the row and the reels end at the eighth whatever the counts.
BagGoal LimitGoal(const std::array<int32_t, 8>& kills) {
    int64_t sum = 0;
    for (int32_t count : kills) {
        sum += std::max(count, 0);
    }
    BagGoal goal{1, "Any legal limit. $1", " ", {}};
    int64_t reel = std::max<int64_t>(4 - (sum + 1) / 2, 0);
    for (int32_t kind = 0; kind < kKindsOfBird; ++kind) {
        for (int32_t n = 0; n < kills[static_cast<size_t>(kind)] && reel < kReelCount; ++n) {
            goal.reels[static_cast<size_t>(reel++)] = kReelPicture * PictureOf(kind);
        }
    }
    return goal;
}

void DrawCoin(const CoinPlace& place) {
    BlitGraphic(kFirstCoin + Random() % 3, place.x, place.y, backPage);
}

// The money box with the new amount; the old text is cleared to its own width.
void DrawMoneyBox(int32_t oldMoney) {
    char old[16];
    std::snprintf(old, sizeof old, "%d", oldMoney);
    const int32_t width =
        std::max(kPayoutMoneyBoxW, kMoneyX - kPayoutMoneyBoxX + FontTextWidth(0, old) + 2);
    textTarget = backPage;
    DrawBox(kPayoutMoneyBoxX, kMoneyY, width, kMoneyBoxH, kMoneyBoxColour, 1);
    DrawFontTextf(0, kMoneyX, kMoneyY, "%d", player->money);
}

// The reel strip copied row by row into the strip surface: the page blitter clips
// to the screen's 480 rows and would leave the lower pictures blank.
void CopyStrip(GDL_Surface* strip) {
    const GraphicSlot& g = Graphic[kReelStrip];
    if (g.data == nullptr) {
        return;
    }
    const int32_t w = std::min<int32_t>(g.width, kStripW);
    const int32_t h = std::min<int32_t>(g.height, kStripH);
    for (int32_t row = 0; row < h; ++row) {
        std::memcpy(strip->pixels + static_cast<ptrdiff_t>(row) * strip->bytesPerLine,
                    g.data + static_cast<ptrdiff_t>(row) * g.width, static_cast<size_t>(w));
    }
}

void SpinReels(const BagGoal& goal) {
    GDL_PixelFormat format{};
    GDL_getPixelFormat(displaySurface, &format);
    GDL_Surface* strip = GDL_createMemorySurface(kStripW, kStripH, 8, &format);
    if (strip == nullptr) {
        GDL_fatalError(GDL_errorMsg(GDL_result()));
    }
    CopyStrip(strip);
    uint32_t lastStep = 0;
    for (int32_t r = 0; r < kReelCount; ++r) {
        const int32_t target = goal.reels[static_cast<size_t>(r)];
        if (target == 0) {
            continue;
        }
        const int32_t x = 15 + 78 * r;
        SoundPlay(kReelSound);
        int32_t p = 0;
        int32_t steps = 0;
        // The last frame shown is the one at target - 18.
        do {
            if (steps >= kMostSteps) {
                break;
            }
            const uint32_t now = TimerCount();
            if (now - lastStep > kReelStepMs) {
                lastStep = now;
                GDL_bitBlt(backPage, strip, 0, p + kReelWindowTop, kStripW,
                           p + kReelWindowTop + kReelWindowRows, x, kReelTop, 0);
                CopyPageRect(backPage, displaySurface, x, kReelTop, kStripW, kReelWindowRows);
                p += kReelStep;
                ++steps;
            } else {
                TimerIdle();
            }
        } while (target > p);
        SoundStop(kReelSound);
    }
    GDL_destroySurface(strip);
}

}  // namespace

BagGoal ScoreBag(const std::array<int32_t, 8>& kills, int32_t bagged, int32_t bagLimit) {
    if (Every(kills, 0, 7, [](int32_t c) { return c >= 6; })) {
        return Goal(100, "6 drakes & 6 hens of", "every species. $100", {8, 1, 2, 3, 4, 5, 6, 7});
    }
    if (Every(kills, 0, 7, [](int32_t c) { return c == 1; })) {
        return Goal(20, "Drake & hen of", "every species. $20", {8, 1, 2, 3, 4, 5, 6, 7});
    }
    int32_t s = FirstSpecies(kills, [](int32_t drakes, int32_t) { return drakes == 8; });
    if (s >= 0) {
        const int32_t d = PictureOf(KindIndex(s, 1));
        return Goal(16, "8 drakes any one species. $16", " ", {d, d, d, d, d, d, d, d});
    }
    s = FirstSpecies(kills, [](int32_t drakes, int32_t hens) { return drakes == 4 && hens == 4; });
    if (s >= 0) {
        const int32_t d = PictureOf(KindIndex(s, 1));
        const int32_t h = PictureOf(KindIndex(s, 0));
        return Goal(14, "4 drakes & 4 hens", "of any 1 species. $14", {d, d, d, d, h, h, h, h});
    }
    if (Every(kills, 0, 3, [](int32_t c) { return c == 2; })) {
        return Goal(12, "2 hens of each species. $12", " ", {8, 8, 1, 1, 2, 2, 3, 3});
    }
    if (Every(kills, 4, 7, [](int32_t c) { return c == 2; })) {
        return Goal(10, "2 drakes of each species. $10", " ", {4, 4, 5, 5, 6, 6, 7, 7});
    }
    s = FirstSpecies(kills, [](int32_t drakes, int32_t) { return drakes >= 6; });
    if (s >= 0) {
        const int32_t d = PictureOf(KindIndex(s, 1));
        return Goal(8, "6 drakes of any one species. $8", " ", {0, d, d, d, d, d, d, 0});
    }
    if (Every(kills, 0, 3, [](int32_t c) { return c >= 1; })) {
        return Goal(6, "1 hen of each species. $6", " ", {0, 0, 8, 1, 2, 3, 0, 0});
    }
    if (Every(kills, 4, 7, [](int32_t c) { return c >= 1; })) {
        return Goal(4, "1 drake of each species. $4", " ", {0, 0, 4, 5, 6, 7, 0, 0});
    }
    s = FirstSpecies(kills, [](int32_t drakes, int32_t) { return drakes >= 4; });
    if (s >= 0) {
        const int32_t d = PictureOf(KindIndex(s, 1));
        return Goal(2, "4 drakes any one species. $2", " ", {0, 0, d, d, d, d, 0, 0});
    }
    if (bagged != 0 && bagged == bagLimit) {
        return LimitGoal(kills);
    }
    return BagGoal{0, " ", " ", {}};
}

int32_t CoinPlaces(int32_t payout, std::array<CoinPlace, kMostCoins>* places) {
    int32_t n = 0;
    auto add = [&](int32_t x, int32_t y) {
        if (n < kMostCoins) {
            (*places)[static_cast<size_t>(n++)] = {x, y};
        }
    };
    if (payout <= 0) {
        return 0;
    }
    if (payout == 1) {
        add(241, 250);
    } else if (payout == 2) {
        add(166, 250);
        add(316, 250);
    } else if (payout == 100) {
        for (int32_t i = 0; i < 10; ++i) {
            for (int32_t j = 0; j < 10; ++j) {
                add(16 + 50 * j, 250 + 11 * i);
            }
        }
    } else {
        const int32_t rows = std::min(payout / 4, static_cast<int32_t>(kCoinRowLeft.size()));
        for (int32_t i = 0; i < rows; ++i) {
            for (int32_t j = 0; j < 4; ++j) {
                add(kCoinRowLeft[static_cast<size_t>(i)] + 150 * j, 250 + 25 * i);
            }
        }
        if (payout % 4 != 0) {
            add(166, 250 + 25 * rows);
            add(316, 250 + 25 * rows);
        }
    }
    return n;
}

void DrawGoalScreen() {
    viewFlag = 0;
    loadedGraphics = LoadGraphics(kScreenBankSlot, "spr_07");
    LoadBackground("bkg_07");
    CopyWorkPage();
    PayBagGoal();
}

void ExitGoalScreen() {
    FreeGraphics(kScreenBankSlot, loadedGraphics);
    loadedGraphics = 0;
}

void DoGoalScreen() {
    DoButtonList(buttons.data());
}

void PayBagGoal() {
    std::array<int32_t, 8> kills{};
    for (int32_t kind = 0; kind < kKindsOfBird; ++kind) {
        kills[static_cast<size_t>(kind)] = hunt.kills[static_cast<size_t>(kind)].count;
    }
    const BagGoal goal = ScoreBag(kills, hunt.bagged, hunt.bagLimit);
    payoutLevel = goal.payout;

    textTarget = backPage;
    DrawFontTextf(0, kMoneyX, kMoneyY, "%d", player->money);
    RandomBlockWipe();
    if (payoutLevel == 0) {
        SoundPlay(kRefusalSound);
    }
    SpinReels(goal);

    if (std::strcmp(goal.line2, " ") == 0) {
        DrawFontText(0, 240, 440, goal.line1);
    } else {
        DrawFontText(0, 250, 425, goal.line1);
        DrawFontText(0, 250, 452, goal.line2);
    }
    std::array<CoinPlace, kMostCoins> places{};
    const int32_t coins = CoinPlaces(payoutLevel, &places);
    for (int32_t i = 0; i < coins; ++i) {
        DrawCoin(places[static_cast<size_t>(i)]);
        SoundPlay(kConfirmSound);
        const int32_t old = player->money;
        player->money += 1;
        DrawMoneyBox(old);
        ShowBackPage();
        if (payoutLevel != 1) {  // the single dollar does not wait for its sound
            WaitSound(kConfirmSound);
        }
    }
    ShowCursor();
    if (coins > 0) {
        SaveOptions();
    }
}

void ToggleGoalView(int32_t) {
    viewFlag = !viewFlag;
    GDL_bitBlt(backPage, workPage, 0, kCoinAreaTop, kScreenWidth, kCoinAreaBottom, 0, kCoinAreaTop,
               0);
    if (viewFlag) {
        BlitGraphic(kCoverPicture, 144, kCoinAreaTop, backPage);
    } else {
        std::array<CoinPlace, kMostCoins> places{};
        const int32_t coins = CoinPlaces(payoutLevel, &places);
        for (int32_t i = 0; i < coins; ++i) {
            DrawCoin(places[static_cast<size_t>(i)]);  // new faces each time
        }
        textTarget = backPage;
        DrawFontTextf(0, kMoneyX, kMoneyY, "%d", player->money);
    }
    HideCursor();
    ShowBackPage();
    ShowCursor();
    SoundPlay(kConfirmSound);
}

int32_t PayoutLevel() {
    return payoutLevel;
}

Button* GoalButtons() {
    return buttons.data();
}
