// The flight rules as distributions over many draws of the game's generator.
#include "hunt/flights.h"

#include <gtest/gtest.h>

#include <array>

#include "engine/random.h"
#include "hunt/clubs.h"
#include "hunt/hunt.h"

namespace {

class FlightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetHunt();
        SeedRandom(4242);
        InitWaterfowl();
    }
    void TearDown() override { ResetHunt(); }
};

TEST_F(FlightsTest, EachClubsSpeciesMixIsMetWithinThreePoints) {
    constexpr int kPicks = 4000;
    for (int32_t club = 0; club < kClubCount; ++club) {
        ResetHunt();
        hunt.club = club;
        InitWaterfowl();
        std::array<int, kSpeciesCount> seen{};
        for (int i = 0; i < kPicks; ++i) {
            ChangeDistances();  // the interest levels drift as in a hunt without decoys
            PickSpecies(i % kFlockCount);
            seen[static_cast<size_t>(flocks[static_cast<size_t>(i % kFlockCount)].species)]++;
        }
        for (int s = 0; s < kSpeciesCount; ++s) {
            const double share = 100.0 * seen[static_cast<size_t>(s)] / kPicks;
            EXPECT_NEAR(share, ClubInfo(club).speciesRatio[static_cast<size_t>(s)], 3.0)
                << "club " << club << " species " << speciesNames[static_cast<size_t>(s)];
        }
    }
}

TEST_F(FlightsTest, QuotasStartAlmostFreeAndStopASpeciesThatHadItsShare) {
    // Club 3 with equal interest: Mallard first, let through (25 > 0).
    hunt.club = 3;
    hunt.interest.fill(10);
    PickSpecies(0);
    EXPECT_EQ(flocks[0].species, 0);
    EXPECT_EQ(hunt.timesPicked[0], 1);
    EXPECT_EQ(hunt.totalPicks, 101);
    EXPECT_EQ(flocks[0].kind, kFlightClose);

    // Club 2 (5 % mallard): five mallards below 120 picks fill the quota; the
    // sixth try is refused and another species is drawn.
    ResetHunt();
    hunt.club = 2;
    InitWaterfowl();
    hunt.interest = {500, 0, 0, 0};
    hunt.timesPicked[0] = 5;
    hunt.totalPicks = 119;
    PickSpecies(0);
    EXPECT_NE(flocks[0].species, 0);
    EXPECT_EQ(hunt.timesPicked[0], 5);

    // Every quota full: twenty refusals leave the last draw uncounted.
    hunt.timesPicked = {1000, 1000, 1000, 1000};
    const int32_t total = hunt.totalPicks;
    PickSpecies(1);
    EXPECT_EQ(hunt.totalPicks, total);
    EXPECT_EQ(hunt.timesPicked, (std::array<int32_t, 4>{1000, 1000, 1000, 1000}));
}

// Shares of close, far and absent flights of flock f over many new flights.
std::array<double, 3> FlightShares(int32_t f, int n) {
    std::array<int, 3> seen{};
    for (int i = 0; i < n; ++i) {
        NewMotion(f);
        seen[static_cast<size_t>(flocks[static_cast<size_t>(f)].kind)]++;
    }
    return {100.0 * seen[0] / n, 100.0 * seen[1] / n, 100.0 * seen[2] / n};
}

TEST_F(FlightsTest, CloseFarAndAbsentOddsWithAndWithoutDecoysWithinOnePointFive) {
    constexpr int kFlights = 20000;
    constexpr double kTolerance = 1.5;
    // The interest entry that counts is the flock's number: entry 2 for flock 2.
    hunt.interest = {-50, -50, 50, -50};
    struct Case {
        int32_t flock;
        int32_t decoyFactor;
        double close;
    };
    const Case cases[] = {
        {2, 0, 100.0 * 10 / 21},   // decoys out
        {2, 50, 100.0 * 10 / 71},  // none out
        {1, 0, 0.0},               // its entry is not positive: never close
    };
    for (const Case& c : cases) {
        hunt.decoyFactor = c.decoyFactor;
        const std::array<double, 3> shares = FlightShares(c.flock, kFlights);
        const double rest = 100.0 - c.close;
        EXPECT_NEAR(shares[kFlightClose], c.close, kTolerance) << "flock " << c.flock;
        EXPECT_NEAR(shares[kFlightFar], rest / 3, kTolerance) << "flock " << c.flock;
        EXPECT_NEAR(shares[kFlightAbsent], rest * 2 / 3, kTolerance) << "flock " << c.flock;
    }
}

TEST_F(FlightsTest, SixCallsWithoutAStepScatterTheInterestFiveDoNot) {
    hunt.currentCall = 1;  // the pintail call adds nothing directly
    hunt.interest.fill(1000);
    for (int i = 0; i < 5; ++i) {
        UseDuckCall(1);
    }
    EXPECT_EQ(hunt.callCount, 50);
    EXPECT_EQ(hunt.interest, (std::array<int32_t, 4>{1000, 1000, 1000, 1000}));
    EXPECT_EQ(hunt.callUsed, 1);
    UseDuckCall(2);
    EXPECT_EQ(hunt.callCount, 60);
    for (int32_t level : hunt.interest) {
        EXPECT_GE(level, -99);
        EXPECT_LE(level, -25);
    }
    // The mallard and canvasback calls add 15 to their species.
    hunt.callCount = 0;
    hunt.interest.fill(0);
    hunt.currentCall = 0;
    UseDuckCall(1);
    hunt.currentCall = 2;
    UseDuckCall(1);
    EXPECT_EQ(hunt.interest, (std::array<int32_t, 4>{15, 0, 0, 15}));
}

TEST_F(FlightsTest, CloseFlightsStayInTheirBandAndShotAtFlocksClimbAway) {
    for (int i = 0; i < 500; ++i) {
        InitFlyClose(0);
        const Flock& flock = flocks[0];
        ASSERT_GE(flock.scale, 30);
        ASSERT_LE(flock.scale, 100);
        ASSERT_EQ(flock.scale % 10, 0);
        ASSERT_LT(flock.y, flock.scale * 360 / 100) << "scale " << flock.scale;
    }
    // A far flock shot at rises 20 * scale / 100 pixels a step.
    InitFlyFar(1);
    Flock& far = flocks[1];
    far.scale = 50;
    far.y = 100;
    far.vy = 0.0;
    far.ay = 0.0;
    far.shotAt = 1;
    FlyFar(1);
    EXPECT_EQ(far.y, 90);
    // Sent on its way out of sight, it ends its flight and gets a new one.
    far.y = -195;
    far.vy = 0.0;
    FlyFar(1);
    EXPECT_NE(far.motion, nullptr);
    EXPECT_TRUE(far.kind != kFlightFar || far.y >= 0) << "a new flight started";
}

}  // namespace
