#pragma once
// The talking heads: the partner in the blind, Wilma the game warden and
// Sheriff Jones. A comment is entry comment - 1 of the character's sound bank
// "char%02d"; the face moves with the loudness of the recording.
#include <cstdint>

// A full talking head (the warden) at (x, y), layer 117; waits for the end.
void DoCharacterComment(int character, int comment, int x, int y, int mirror);
// The warden's comment at (220, 470), the pointer hidden.
void DoWilmaComment(int comment);
// The sheriff on the jail screen: layer 119, only mouth and second overlay redrawn.
void DoSheriffComment(int character, int comment, int x, int y);
// The partner's face pops up at his place in the blind and talks; a key or
// click cuts it short.
void DoPartnerComment(int comment);
// His figure's anchor and layer there.
constexpr int32_t kPartnerX = 300, kPartnerY = 470, kPartnerLayer = 105;
// The partner's voice alone; dropped while the voice slot is playing.
void DoPartnerVoice(int comment);

// The lip sync's reading of a loaded recording (a wave image with a 44-byte
// header): one look every 100 ms, moving on by 100 ms of sound while at least
// that much is left.
struct LipSync {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    bool eightBit = false;     // 8-bit unsigned samples: half the bytes per step
    uint32_t readPos = 44;     // where the next look reads
    uint32_t dataOffset = 44;  // how far the look has moved into the data
    uint32_t lastStep = 0;
    bool started = false;
};

// The voice slot's recording, ready for its first look.
LipSync StartLipSync();

// When a step is due at `now` (the first at once): looks at the sample at the
// read position, moves the position on, and returns true with *loud set. The
// look never reads past the recording's end: what is not there is quiet.
bool LipSyncStep(LipSync* sync, uint32_t now, bool* loud);

// Whether the sample at byte `pos` of a recording is loud: 16-bit signed above
// 256 in size, or 8-bit unsigned more than 1 away from 128.
bool SampleIsLoud(const uint8_t* data, uint32_t size, uint32_t pos, bool eightBit);
