#pragma once
// When the partner in the blind speaks: after a shot, when a bird comes close
// and after a flight ends. The talking itself is in hunt/characters.
#include <cstdint>

// Which once-per-hunt remark each saidOnce flag stands for.
constexpr int kSaidNoLicence = 0;
constexpr int kSaidOverLimit = 1;
constexpr int kSaidEarly = 2;
constexpr int kSaidLate = 3;
constexpr int kSaidNoGun = 4;
constexpr int kSaidNoShells = 5;
constexpr int kSaidNoCall = 6;
constexpr int kSaidNoDecoys = 7;
constexpr int kSaidDecoysIn = 8;
constexpr int kSaidCallUnused = 9;

// After every trigger pull.
void CommentAfterShot();
// When flock f starts a close flight.
void CommentAtStart(int32_t f);
// After every new flight that follows the end of one.
void CommentAtEnd();
