#pragma once
// The four hunting clubs: fee, bag limit, rules, shooting hours, the hunt
// clock's start, the scene and the mix of species. Read-only, indexed by the
// hunt's `club` (0 to 3).
#include <array>
#include <cstdint>

constexpr int kClubCount = 4;
constexpr int kClubTexts = 7;     // name, bag limit, three exception lines, begin, end
constexpr int kSpeciesRules = 3;  // at most three species rules a club

// A species rule: the kinds of bird it counts (bit sex * 4 + species) may
// together number at most `most`; the warden speaks `comment`, then
// `comment` + 1 when she has already spoken that day.
struct SpeciesRule {
    uint8_t kindMask;  // 0: no rule in this place
    int32_t most;
    int32_t comment;
};

struct Club {
    const char* name;
    int32_t fee;  // dollars
    int32_t bagLimit;
    int32_t beginMinute;  // legal shooting hours, minutes after midnight
    int32_t endMinute;
    int32_t startHour;  // the hunt clock starts here, 30 minutes before the hours
    int32_t startMinute;
    int32_t scene;                                 // the scene bank is "scn_%02d" of it
    std::array<int32_t, 4> speciesRatio;           // percent: Mallard, Pintail, Redhead, Canvasback
    std::array<SpeciesRule, kSpeciesRules> rules;  // in the warden's judging order
    std::array<const char*, kClubTexts> texts;     // " " is an empty line
};

// The club's row; a number outside 0..3 gets club 0's with an "ERROR" log line.
const Club& ClubInfo(int32_t club);

// Masks of kinds of bird for the species rules.
constexpr uint8_t KindBit(int32_t species, int32_t sex) {
    return static_cast<uint8_t>(1u << (sex * 4 + species));
}
constexpr uint8_t BothSexes(int32_t species) {
    return static_cast<uint8_t>(KindBit(species, 0) | KindBit(species, 1));
}

// Fines and the warden's comments for the rules every club has.
constexpr int32_t kLicenceComment = 15;
constexpr int32_t kBagLimitComment = 17;
constexpr int32_t kEarlyComment = 1;
constexpr int32_t kLateComment = 3;
constexpr int32_t kLicenceFine = 20;
constexpr int32_t kBagLimitFine = 20;
constexpr int32_t kHoursFine = 10;
constexpr int32_t kSpeciesFine = 5;
