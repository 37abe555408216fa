// The warden's judgement at the end of the day: breaches in order, comment
// numbers, fines, sentences and the next screen.
#include "hunt/judgement.h"

#include <functional>
#include <string>
#include <vector>

#include "app/config.h"
#include "hunt_fixture.h"
#include "screens/clubs.h"

namespace {

using JudgementTest = HuntTest;

void Kill(int32_t species, int32_t sex, int32_t count) {
    hunt.kills[static_cast<size_t>(KindIndex(species, sex))].count += count;
    hunt.bagged += count;
}

constexpr int32_t kMallard = 0, kPintail = 1, kRedhead = 2, kCanvasback = 3;
constexpr int32_t kHen = 0, kDrake = 1;

TEST_F(JudgementTest, BreachesInOrderWithFinesSentencesAndTheNextScreen) {
    struct Case {
        const char* what;
        int32_t club;
        int32_t money;
        std::function<void()> day;
        std::vector<Breach> breaches;
        int32_t moneyAfter;
        int32_t jail;  // -1: a sentence 1..3
        int32_t screen;
    };
    const auto licensed = [] { hunt.hasLicense = 1; };
    const Case cases[] = {
        {"no shot all day", 0, 15, [] {}, {}, 15, 0, kScreenMain},
        {"no licence and early: the fine breaks him, early is not judged",
         0,
         12,
         [] {
             hunt.shotFired = 1;
             hunt.earlyShot = 1;
         },
         {{15, 20, 1}, {2, 10, 0}},
         0,
         kJailUnpaidFine,
         kScreenJail},
        {"everything at club 0, in the table's order",
         0,
         100,
         [&] {
             licensed();
             hunt.shotFired = hunt.earlyShot = hunt.lateShot = 1;
             Kill(kCanvasback, kHen, 1);
             Kill(kCanvasback, kDrake, 1);
             Kill(kMallard, kHen, 2);
             Kill(kPintail, kDrake, 3);
         },
         {{17, 20, 1}, {2, 10, 0}, {4, 10, 0}, {12, 5, 0}, {6, 5, 0}},
         50,
         -1,
         kScreenJail},
        {"exactly the bag limit, one hen mallard and drakes",
         0,
         15,
         [&] {
             licensed();
             hunt.shotFired = 1;
             Kill(kMallard, kHen, 1);
             Kill(kMallard, kDrake, 3);
         },
         {},
         16,  // the payout screen pays the $1 goal of a full bag
         0,
         kScreenGoals},
        {"club 1 pintails of both sexes: paid to the last dollar",
         1,
         5,
         [&] {
             licensed();
             hunt.shotFired = 1;
             Kill(kPintail, kHen, 1);
             Kill(kPintail, kDrake, 1);
         },
         {{7, 5, 0}},
         0,
         0,
         kScreenMain},
        {"club 2: three hen pintails and three canvasbacks",
         2,
         20,
         [&] {
             licensed();
             hunt.shotFired = 1;
             Kill(kPintail, kHen, 3);
             Kill(kCanvasback, kDrake, 3);
         },
         {{7, 5, 0}, {12, 5, 0}},
         10,
         0,
         kScreenMain},
        {"club 2: two of each is legal",
         2,
         20,
         [&] {
             licensed();
             hunt.shotFired = 1;
             Kill(kPintail, kHen, 2);
             Kill(kCanvasback, kHen, 1);
             Kill(kCanvasback, kDrake, 1);
         },
         {},
         20,
         0,
         kScreenGoals},
        {"club 3, five drake redheads",
         3,
         60,
         [&] {
             licensed();
             hunt.shotFired = 1;
             Kill(kRedhead, kDrake, 5);
         },
         {},
         60,
         0,
         kScreenMain},
        {"club 3, six of every kind",
         3,
         60,
         [&] {
             licensed();
             hunt.shotFired = 1;
             for (int32_t kind = 0; kind < 8; ++kind) {
                 Kill(kind % 4, kind / 4, 6);
             }
         },
         {},
         160,  // and the $100 goal here
         0,
         kScreenGoals},
        {"already jailed", 0, 15, [] { hunt.jailState = 2; }, {}, 15, 2, kScreenJail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHunt();
        ResetScreens();
        currentScreen = kScreenHunt;
        hunt.club = c.club;
        hunt.bagLimit = ClubInfo(c.club).bagLimit;
        player->money = c.money;
        c.day();
        std::array<Breach, kMostBreaches> found{};
        const int32_t n = FindBreaches(&found);
        ASSERT_EQ(n, static_cast<int32_t>(c.breaches.size()));
        for (int32_t i = 0; i < n; ++i) {
            EXPECT_EQ(found[size_t(i)].comment, c.breaches[size_t(i)].comment) << "breach " << i;
            EXPECT_EQ(found[size_t(i)].fine, c.breaches[size_t(i)].fine) << "breach " << i;
            EXPECT_EQ(found[size_t(i)].sentence, c.breaches[size_t(i)].sentence) << "breach " << i;
        }
        const uint32_t oldDebug = debugLog;
        debugLog = 1;  // the sheriff names the sentence in the log
        ExitWaterfowl();
        debugLog = oldDebug;
        // The jail screen plays its whole sequence on entry: the sheriff speaks
        // the sentence, the state is cleared, and unpaid fines end the game.
        int32_t jailState = hunt.jailState;
        if (c.screen == kScreenJail) {
            EXPECT_EQ(hunt.jailState, kJailFree);
            const std::string log = LogText();
            const size_t said = log.rfind("DoSheriffComment(21, ");
            ASSERT_NE(said, std::string::npos);
            jailState = log[said + 21] - '0';
        }
        EXPECT_EQ(player->money, c.jail == kJailUnpaidFine ? 15 : c.moneyAfter);
        if (c.jail < 0) {
            EXPECT_GE(jailState, 1);
            EXPECT_LE(jailState, 3);
        } else {
            EXPECT_EQ(jailState, c.jail);
        }
        EXPECT_EQ(hunt.nextScreen, c.screen);
        EXPECT_NE(currentScreen, static_cast<uint32_t>(kScreenHunt)) << "the hunt was left";
    }
    // Screens not in the game yet are named in the log and fallen back from.
    if (Screen(kScreenGoals).draw == nullptr) {
        EXPECT_NE(LogText().find("ERROR: screen 7 (bag goals) is not in the game yet"),
                  std::string::npos);
    }
}

}  // namespace
