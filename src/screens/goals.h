#pragma once
// Screen 7, the bag goals and their payout: after a clean hunt the day's bag is
// matched against eleven goals, shown on eight reels and paid coin by coin.
#include <array>
#include <cstdint>

#include "shell/screens.h"

constexpr int kReelCount = 8;
constexpr int32_t kReelPicture = 108;  // rows of one picture on the reel strip

// The goal a bag meets: its dollars, its text (line 2 is " " when there is
// none) and where each reel stops on the strip (0: the reel does not turn).
struct BagGoal {
    int32_t payout;
    const char* line1;
    const char* line2;
    std::array<int32_t, kReelCount> reels;
};

// The first goal that holds for the day's tally (indexed sex * 4 + species),
// the birds bagged and the club's bag limit.
BagGoal ScoreBag(const std::array<int32_t, 8>& kills, int32_t bagged, int32_t bagLimit);

// The money box as the payout's picture draws it, wide enough for seven
// digits; the amount is written 2 pixels in from its left.
constexpr int32_t kPayoutMoneyBoxX = 150;
constexpr int32_t kPayoutMoneyBoxW = 80;

// One coin's place on the screen.
struct CoinPlace {
    int32_t x, y;
};
constexpr int kMostCoins = 100;

// Where the coins of a payout go, in paying order; returns how many.
int32_t CoinPlaces(int32_t payout, std::array<CoinPlace, kMostCoins>* places);

// Screen handlers.
void DrawGoalScreen();
void ExitGoalScreen();
void DoGoalScreen();

// Scores the hunt's bag, spins the reels, writes the text and pays.
void PayBagGoal();

// The view button: the coins or the picture that covers them.
void ToggleGoalView(int32_t arg);

// The dollars of the goal met by the last hunt.
int32_t PayoutLevel();

Button* GoalButtons();
