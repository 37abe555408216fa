#pragma once
// The monkey: random input for the whole game, played headless on the virtual
// clock, with the game's invariants checked as it goes. One session is one run
// of the game from start-up to a close; reedgunner-monkey runs many sessions,
// each in a child process, as a player quits and comes back.
#include <cstdint>
#include <string>

#include "engine/graphics.h"
#include "platform/sound.h"
#include "shell/screens.h"

// What the sessions of one seed share with the process that runs them (kept in
// memory both can see, so it survives a crash of the game).
struct MonkeyShared {
    // Where the session is: gestures made so far over the seed, and the screen.
    uint64_t step;
    uint32_t screen;
    uint32_t pumps;       // event pumps seen in this session: a hang stops them
    uint32_t sessionMs;   // virtual milliseconds since the session's start
    uint32_t rosterSeen;  // the session reached the roster
    uint32_t cleanExit;   // the game left through its own way out
    char failure[512];    // an invariant the session broke, empty when none
    // The roster's own slots in use, taken the first time it was shown.
    uint32_t baselineTaken;
    uint8_t graphicBaseline[kGraphicSlots];
    uint8_t soundBaseline[kSoundCount];
    // Figures over the seed.
    uint64_t virtualMs;
    uint32_t screenEntries[kScreenCount];
    uint32_t hunts, huntsFinished, shots, birdsBagged, payouts, payoutDollars, jailVisits,
        gameOvers, credits, closes, messageDialogs, listDialogs, namesTyped, moneyChords,
        clockChords, rosterChecks, savesChecked;
};

// How one session plays.
struct MonkeyPlan {
    uint32_t seed;       // the session's own random numbers
    uint32_t lengthMs;   // virtual time before it closes the window
    uint64_t firstStep;  // the seed's step count at its start
};

// Starts feeding input to the game from its event pump and checking the
// invariants; a broken one is written to `shared->failure` and ends the process
// with code 3. Call before RunGame.
void StartMonkey(const MonkeyPlan& plan, MonkeyShared* shared);

// Once the game has ended the normal way: options.dat must load and hold the
// roster the game had. False with `shared->failure` set otherwise.
bool CheckSavedRoster(MonkeyShared* shared);

// The first ERROR line of a log that nothing on the allow-list explains, or an
// empty string.
std::string UnexplainedError(const std::string& log);
