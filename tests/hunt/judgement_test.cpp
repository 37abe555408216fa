// The warden's judgement at the end of the day: breaches in order, comment
// numbers, fines, sentences and the next screen.
#include "hunt/judgement.h"

#include <string>

#include "engine/config.h"
#include "hunt/clubs.h"
#include "hunt_fixture.h"
#include "shell/options.h"

namespace {

using JudgementTest = HuntTest;

TEST_F(JudgementTest, BreachesInOrderWithFinesSentencesAndTheNextScreen) {
    // The day: L licensed, S a shot fired, E early, T late, J jailed already;
    // kills in tally order (hen Mallard, Pintail, Redhead, Canvasback, then the
    // drakes); breaches as comment/fine/sentence.
    struct Case {
        const char* what;
        int32_t club, money;
        const char* day;
        const char* kills;
        const char* breaches;
        int32_t moneyAfter;
        int32_t jail;  // -1: a sentence 1..3
        int32_t screen;
    };
    const Case cases[] = {
        {"no shot all day", 0, 15, "", "00000000", "", 15, 0, kScreenMain},
        {"no licence and early: the fine breaks him, early is not judged", 0, 12, "SE", "00000000",
         "15/20/1 2/10/0 ", 0, kJailUnpaidFine, kScreenJail},
        {"everything at club 0, in the table's order", 0, 100, "LSET", "20010301",
         "17/20/1 2/10/0 4/10/0 12/5/0 6/5/0 ", 50, -1, kScreenJail},
        // the payout screen pays the $1 goal of a full bag
        {"exactly the bag limit, one hen mallard and drakes", 0, 15, "LS", "10003000", "", 16, 0,
         kScreenGoals},
        {"club 1 pintails of both sexes: paid to the last dollar", 1, 5, "LS", "01000100", "7/5/0 ",
         0, 0, kScreenMain},
        {"club 2: three hen pintails and three canvasbacks", 2, 20, "LS", "03000003",
         "7/5/0 12/5/0 ", 10, 0, kScreenMain},
        {"club 2: two of each is legal", 2, 20, "LS", "02010001", "", 20, 0, kScreenGoals},
        {"club 3, five drake redheads", 3, 60, "LS", "00000050", "", 60, 0, kScreenMain},
        // and the $100 goal here
        {"club 3, six of every kind", 3, 60, "LS", "66666666", "", 160, 0, kScreenGoals},
        {"already jailed", 0, 15, "J", "00000000", "", 15, 2, kScreenJail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetHunt();
        ResetScreens();
        currentScreen = kScreenHunt;
        hunt.club = c.club;
        hunt.bagLimit = ClubInfo(c.club).bagLimit;
        player->money = c.money;
        const std::string day = c.day;
        hunt.hasLicense = day.find('L') != std::string::npos;
        hunt.shotFired = day.find('S') != std::string::npos;
        hunt.earlyShot = day.find('E') != std::string::npos;
        hunt.lateShot = day.find('T') != std::string::npos;
        hunt.jailState = day.find('J') != std::string::npos ? 2 : hunt.jailState;
        for (size_t k = 0; k < 8; ++k) {
            hunt.kills[k].count = c.kills[k] - '0';
            hunt.bagged += hunt.kills[k].count;
        }
        std::array<Breach, kMostBreaches> found{};
        const int32_t n = FindBreaches(&found);
        std::string breaches;
        for (int32_t i = 0; i < n; ++i) {
            const Breach& b = found[size_t(i)];
            breaches += std::to_string(b.comment) + "/" + std::to_string(b.fine) + "/" +
                        std::to_string(b.sentence) + " ";
        }
        EXPECT_EQ(breaches, c.breaches);
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
        EXPECT_EQ(player->money, c.jail == kJailUnpaidFine ? kNewGameMoney : c.moneyAfter);
        if (c.jail < 0) {
            EXPECT_GE(jailState, 1);
            EXPECT_LE(jailState, 3);
        } else {
            EXPECT_EQ(jailState, c.jail);
        }
        EXPECT_EQ(hunt.nextScreen, c.screen);
        EXPECT_NE(currentScreen, static_cast<uint32_t>(kScreenHunt)) << "the hunt was left";
    }
}

}  // namespace
