#include "hunt/clubs.h"

#include <cstddef>

#include "engine/log.h"

namespace {

constexpr int32_t kMallard = 0;
constexpr int32_t kPintail = 1;
constexpr int32_t kCanvasback = 3;
constexpr int32_t kHen = 0;

constexpr SpeciesRule kOneCanvasback = {BothSexes(kCanvasback), 1, 11};
constexpr SpeciesRule kOneHenMallard = {KindBit(kMallard, kHen), 1, 5};
constexpr SpeciesRule kOnePintail = {BothSexes(kPintail), 1, 7};
constexpr SpeciesRule kTwoHenPintails = {KindBit(kPintail, kHen), 2, 7};
constexpr SpeciesRule kTwoCanvasbacks = {BothSexes(kCanvasback), 2, 11};
constexpr SpeciesRule kNoRule = {0, 0, 0};

constexpr std::array<Club, kClubCount> kClubs = {{
    {.name = "Public Grounds",
     .fee = 0,
     .bagLimit = 4,
     .beginMinute = 370,
     .endMinute = 1120,
     .startHour = 5,
     .startMinute = 40,
     .scene = 1,
     .speciesRatio = {35, 10, 30, 25},
     .rules = {kOneCanvasback, kOneHenMallard, kNoRule},
     .texts = {"Public Grounds", "4 ducks", "No more than 1 canvasback",
               "No More than 1 hen mallard", " ", "6:10 am", "6:40 pm"}},
    {.name = "Al's Duck Club",
     .fee = 4,
     .bagLimit = 6,
     .beginMinute = 405,
     .endMinute = 1155,
     .startHour = 6,
     .startMinute = 15,
     .scene = 2,
     .speciesRatio = {30, 40, 10, 20},
     .rules = {kOneCanvasback, kOneHenMallard, kOnePintail},
     .texts = {"Al's Duck Club", "6 ducks", "No more than 1 canvasback",
               "No More than 1 hen mallard", "No more than 1 pintail", "6:45 am", "7:15 pm"}},
    {.name = "Green Club",
     .fee = 10,
     .bagLimit = 8,
     .beginMinute = 320,
     .endMinute = 1070,
     .startHour = 4,
     .startMinute = 50,
     .scene = 3,
     .speciesRatio = {5, 25, 35, 35},
     .rules = {kTwoHenPintails, kTwoCanvasbacks, kNoRule},
     .texts = {"Green Club", "8 ducks", "No more than 2 hen pintails", "No More than 2 canvasbacks",
               " ", "5:20 am", "5:50 pm"}},
    {.name = "Millionaire Club",
     .fee = 50,
     .bagLimit = 50,
     .beginMinute = 350,
     .endMinute = 1100,
     .startHour = 5,
     .startMinute = 20,
     .scene = 4,
     .speciesRatio = {25, 25, 25, 25},
     .rules = {kNoRule, kNoRule, kNoRule},
     .texts = {"Millionaire Club", "50 ducks", "None", " ", " ", "5:50 am", "6:20 pm"}},
}};
static_assert(kClubs.size() == kClubCount);

}  // namespace

const Club& ClubInfo(int32_t club) {
    if (club < 0 || club >= kClubCount) {
        LogPrintf("ERROR: no club %d", club);
        return kClubs[0];
    }
    return kClubs[static_cast<size_t>(club)];
}
