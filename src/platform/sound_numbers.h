#pragma once
// Every number of the sound table, shared by number across the game: 0 to 11
// the interface sounds loaded at start, 12 the music, 13 the current voice
// line, 14 to 26 the hunt's own. The generators in tools/audio write the banks
// in this order.

constexpr int kSoundCount = 27;

// Interface sounds: entry n of bank "sounds" is loaded into sound n at start.
constexpr int kClickSound = 0;        // every button
constexpr int kIconSound = 1;         // the hunt's gun, call or decoys changed
constexpr int kConfirmSound = 2;      // done: a purchase, the volume set, a coin landing
constexpr int kQuestionSound = 3;     // before quitting or deleting a game
constexpr int kTillSound = 4;         // something bought
constexpr int kRefusalSound = 5;      // something refused: no money, no room, no payout
constexpr int kMoneySound = 6;        // money appears
constexpr int kSwishSound = 7;        // loaded with the others; nothing plays it
constexpr int kShellLoadSound = 8;    // a shell into the gun
constexpr int kShotSound = 9;         // the gun fired
constexpr int kFineDollarSound = 10;  // one dollar of a fine paid
constexpr int kReelSound = 11;        // the payout reels turning
constexpr int kInterfaceSoundCount = 12;

constexpr int kMusicSound = 12;
constexpr int kVoiceSound = 13;  // the line a character is speaking

// The hunt's sounds, loaded on entering the marsh and freed on leaving it.
constexpr int kFirstHuntSound = 14;
// The duck calls: entry n of bank "calls" in sound 14 + n, two to a call
// (upper part of the call icon, then lower).
constexpr int kFirstCallSound = kFirstHuntSound;
constexpr int kCallSoundCount = 6;
// The partner's short remarks (entries of "char04", see kRemarkEntries).
constexpr int kFirstRemarkSound = 20;
constexpr int kHitRemarkSound = kFirstRemarkSound;  // 20 to 22, after a hit
constexpr int kCloseRemarkSound = 23;               // 23 to 25, a bird close by
constexpr int kEmptyGunSound = 26;                  // a shot with the gun empty
constexpr int kRemarkSoundCount = 7;

static_assert(kMusicSound == kInterfaceSoundCount && kVoiceSound + 1 == kFirstHuntSound);
static_assert(kFirstCallSound + kCallSoundCount == kFirstRemarkSound);
static_assert(kHitRemarkSound + 3 == kCloseRemarkSound && kCloseRemarkSound + 3 == kEmptyGunSound);
static_assert(kFirstRemarkSound + kRemarkSoundCount == kSoundCount &&
              kEmptyGunSound + 1 == kSoundCount);
