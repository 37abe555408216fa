#pragma once
// Screen 3, the hunt: the state of one day on the marsh, its four flocks and
// the screen's handlers. Everything here lives from one hunt's entry to the
// next; the screens after the hunt read the day's tally, the game bag, the bag
// limit and the jail state.
#include <array>
#include <cstdint>

#include "platform/sound_numbers.h"

constexpr int kFlockCount = 4;
constexpr int kSpeciesCount = 4;  // 0 Mallard, 1 Pintail, 2 Redhead, 3 Canvasback
constexpr int kKindsOfBird = 8;   // sex * 4 + species
constexpr int kGameBagEntries = 20;
constexpr int kGameBagKinds = 8;  // only the first eight entries are ever used
constexpr int kSaidOnceFlags = 30;
constexpr int kGunCount = 3;
constexpr int kCallCount = 3;

// The row where the icon bar and panel start; the sky and marsh are above it.
constexpr int32_t kPanelTop = 420;

// The partner's short remarks, played by the hunt as sounds 20 to 26: these
// entries of "char04" (comment = entry + 1).
constexpr std::array<int, kRemarkSoundCount> kRemarkEntries = {16, 17, 18, 26, 27, 28, 32};

// Species and sexes by number.
extern const std::array<const char*, kSpeciesCount> speciesNames;  // "Mallard" ...
extern const std::array<const char*, 2> sexNames;                  // "Hen", "Drake"

// The three kinds of flight.
constexpr int32_t kFlightClose = 0;   // one bird, the only kind that can be shot
constexpr int32_t kFlightFar = 1;     // a flock across the sky
constexpr int32_t kFlightAbsent = 2;  // away for a while

// jailState values.
constexpr int32_t kJailFree = 0;
constexpr int32_t kJailUnpaidFine = 4;  // 1 to 3 are the warden's sentences
constexpr int32_t kJailBroke = 5;

// retrieverState values.
constexpr int32_t kDogIdle = 0;
constexpr int32_t kDogGoingOut = 1;
constexpr int32_t kDogComingBack = 2;

struct HuntRect {
    int32_t x, y, w, h;
};

struct Flock {
    uint8_t active;
    uint8_t mirrored;     // flies right to left, drawn mirrored
    int32_t x, y;         // the anchor: hit test and end of flight
    int32_t depth;        // layer for the scaled blitter; larger is nearer
    HuntRect rect;        // drawn this step
    HuntRect prevRect;    // drawn the step before
    int32_t graphicBase;  // graphic drawn = graphicBase + frame
    int32_t frame;
    int32_t cycleBound;
    int32_t scale;  // percent, 30 to 100
    int32_t seqIndex;
    int32_t pose;  // close: climb angle 0..4; far: direction 0 or 1
    std::array<int32_t, 6> wingSeq;
    int32_t species, sex;
    int32_t kind;  // kFlight... value
    int32_t hit;   // shot and falling
    int32_t tilt, tiltChance, groundY;
    int32_t shotAt;
    double ax, ay, vx, vy;  // per-step increments and sub-pixel accumulators
    int32_t waitTicks, waitCount;
    void (*motion)(int32_t f);
};

// One kind of bird in the day's tally: how many and the dayMinute of the last.
struct KillCount {
    int32_t count;
    int32_t lastMinute;
};

// One game bag entry; code is sex * 10 + species + 1, 0 in a free entry.
struct GameBagEntry {
    int32_t graphic;  // relative to kBirdSlot
    int32_t code;
    int32_t count;
    int32_t species;
    int32_t sex;
};

struct RetrieverState {
    int32_t graphic;
    int32_t x, y, depth, step;
    int32_t carried;  // the bird in its mouth on the way back
    int32_t species, sex;
};

// Sizes of the icon save buffers.
constexpr int32_t kCallIconW = 72, kCallIconH = 53;
constexpr int32_t kGunIconW = 86, kGunIconH = 53;
constexpr int32_t kShellIconW = 78, kShellIconH = 53;

struct HuntState {
    int32_t club;  // 0..3, set by the club entry before the hunt starts
    int32_t beginMinute, endMinute;
    int32_t hour, minute, dayMinute;
    int32_t bagLimit;
    int32_t loadedShells;
    int32_t bagged;
    int32_t jailState;    // kJail... value, or a sentence 1..3
    int32_t decoyFactor;  // 50 while no decoys are out, 0 while they are
    std::array<int32_t, kSpeciesCount> interest;
    std::array<int32_t, kSpeciesCount> alert;
    std::array<int32_t, kSpeciesCount> timesPicked;
    int32_t totalPicks;
    int32_t callCount, callUsed;
    int32_t prevailingDirection;
    int32_t shotFired, earlyShot, lateShot, hitThisShot, gunEmpty, missCount;
    int32_t lastHitSpecies, lastHitSex;  // 100: none
    std::array<KillCount, kKindsOfBird> kills;
    std::array<GameBagEntry, kGameBagEntries> gameBag;
    uint8_t hasGun, hasShells, hasCall, hasLicense, hasDecoys;
    std::array<uint8_t, kGunCount> gunOwned;
    int32_t currentGun, currentCall;  // -1: none
    int32_t decoysOut, decoysPlaced;
    int32_t brightness;  // palette level 27..64
    int32_t animTick;
    int32_t scoreDirty, clockDirty;
    int32_t huntCursorShape;
    std::array<int32_t, kFlockCount> drawOrder;
    int32_t retrieverState;
    RetrieverState retriever;
    std::array<uint8_t, kSaidOnceFlags> saidOnce;
    int32_t spriteCount;   // graphics loaded from "sprites", kept for freeing
    int32_t sceneCount;    // ... from the scene bank
    int32_t partnerCount;  // ... from "char04"
    int32_t dayOver;       // the judgement has run; the hunt must not judge twice
    int32_t nextScreen;    // the screen the judgement chose
    std::array<uint8_t, kCallIconW * kCallIconH> callIconSave;
    std::array<uint8_t, kGunIconW * kGunIconH> gunIconSave;
    std::array<uint8_t, kShellIconW * kShellIconH> shellIconSave;
    // The last animation step and the last game minute (TimerCount times),
    // kept from one hunt to the next.
    uint32_t lastStepTime, lastMinuteTime;
};

extern HuntState hunt;
extern std::array<Flock, kFlockCount> flocks;

// Screen handlers.
void DrawWaterFowlScreen();
void HuntFrame();
void RestoreWaterFowlScreen();
void DumpWaterfowlScreen();

// drawOrder = the first n flocks by ascending depth.
void SortFlocks(int32_t n);

// The hidden chord of the hunt screen: the clock jumps to 9:00.
void SetHuntClockToNine();

// The lowest-numbered flock in close flight, not hit, anchored over the marsh
// (what a script's `aim` and the monkey shoot at); null when there is none.
const Flock* BirdInSight();

// Index of a kind of bird in kills; its game bag code.
constexpr int32_t KindIndex(int32_t species, int32_t sex) {
    return sex * 4 + species;
}
constexpr int32_t BagCode(int32_t species, int32_t sex) {
    return sex * 10 + species + 1;
}

// Everything back to the state at program start, for tests.
void ResetHunt();
