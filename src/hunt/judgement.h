#pragma once
// The end of the hunt: the warden judges the day against the club's rules,
// fines are paid dollar by dollar and the next screen is chosen.
#include <array>
#include <cstdint>

// One breach of the rules as the warden names it.
struct Breach {
    int32_t comment;   // the first number, or the second once she has spoken
    int32_t fine;      // dollars
    int32_t sentence;  // 1: a jail sentence is drawn before the fine
};
constexpr int kMostBreaches = 9;

// The day's breaches in judging order; returns how many.
int32_t FindBreaches(std::array<Breach, kMostBreaches>* out);

// The screen after a judgement that ran through (said: the warden spoke).
int32_t ScreenAfterHunt(int32_t said);

// Ends the hunt: judgement, fines, then a screen switch. Runs once a day.
void ExitWaterfowl();

// Takes the fine a dollar at a time; money running out sets jailState 4.
void PayFine(int32_t dollars);

// The money panel in place of the gun and shell icons.
void ShowMoneyPanel();
