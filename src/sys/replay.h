#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The replay tape: everything the game reads from outside, in the order it
// reads it. While recording, the clock, the event queue and the sound library
// put what they hand the game on the tape; while playing, they hand out what
// the tape holds instead. The tape knows nothing of what its records mean
// beyond their kind; the header before them is the caller's.

// The kinds of record, as a reader meets them.
enum class ReplayRecord : uint8_t {
    None,         // the tape is over
    Clock,        // a reading of the clock
    Event,        // an input event as the game receives it
    Active,       // the window gained or lost the focus
    Quit,         // the window was closed (or the program told to stop)
    SoundEnd,     // a sample played out: its end callback runs now
    SoundStatus,  // what a sample's status query answered
    SoundLeft,    // what a sample's milliseconds-left query answered
};

// When in an event call input came in: from the window (before the pump
// listeners run), from a pump listener (a driver such as the monkey), or
// after them (a close a listener asked for). A replay hands each back at the
// same point of the same call.
enum class ReplayPhase : uint8_t { Window, Listeners, AfterListeners };

// An input event: the fields the queue takes from whoever posts it.
struct ReplayEvent {
    uint32_t type;
    uint32_t code;
    uint32_t state;
    int32_t x;
    int32_t y;
};

// Starts recording: `header` first, then the records, written to `path` in
// blocks (an empty path keeps everything in memory). A file that would grow
// past `limit` bytes stops recording there, logged once. A failure to write is
// logged once and recording stops; the game never notices. False when the
// file cannot be made.
bool SysReplayRecord(const std::string& path, const std::vector<uint8_t>& header, size_t limit);
// Flushes whenever this many bytes are waiting (64 KiB unless changed).
void SysReplaySetFlushSize(size_t bytes);
bool SysReplayRecording();
// Where a failure to record is told (standard error until set).
using SysReplayLogger = void (*)(const char* line);
void SysReplaySetLogger(SysReplayLogger logger);
// Writes what is waiting and closes the file; also what exit() runs.
void SysReplayStopRecording();
// The bytes recorded so far to memory (header and records), for a recording
// with no file.
const std::vector<uint8_t>& SysReplayRecorded();

void SysReplayPutClock(uint32_t now);
// The last clock reading recorded.
uint32_t SysReplayLastClock();
void SysReplayPutEvent(const ReplayEvent& event, ReplayPhase phase);
void SysReplayPutActive(bool gained, ReplayPhase phase);
void SysReplayPutQuit(ReplayPhase phase);
// SoundEnd (a sample handle), SoundStatus or SoundLeft.
void SysReplayPutValue(ReplayRecord kind, uint32_t value);

// What playing does when the tape runs out or no longer matches what the
// game asks for (`drifted`), with a line saying where. Called once.
using SysReplayTroubleHandler = void (*)(bool drifted, const char* why);

// Starts playing `records` (the bytes after the header). `clockVirtual` is
// what the clock said of itself while recording; `paced` holds each reading
// back until as much real time has passed since the first, so the game plays
// at the speed it was played.
void SysReplayPlay(std::vector<uint8_t> records, bool clockVirtual, bool paced,
                   SysReplayTroubleHandler trouble);
bool SysReplayPlaying();
// The kind of the next record; None when the tape is over or has failed.
ReplayRecord SysReplayNext();
// Whether the next record is input (an event, a focus change or a close)
// that came in at `phase`.
bool SysReplayInputDue(ReplayPhase phase);
// Each takes the next record, which must be of its kind: anything else is a
// drift, reported to the handler, after which the tape is over.
uint32_t SysReplayTakeClock();
bool SysReplayTakeEvent(ReplayEvent* event);
bool SysReplayTakeActive(bool* gained);
bool SysReplayTakeQuit();
bool SysReplayTakeValue(ReplayRecord kind, uint32_t* value);
// Whether the clock was virtual while recording.
bool SysReplayClockVirtual();
// The last clock reading handed out.
uint32_t SysReplayTapeTime();
// Bytes of records not yet played; whether playing failed.
size_t SysReplayBytesLeft();
bool SysReplayDrifted();

// Back to neither recording nor playing, the file closed.
void SysReplayReset();

// Little helpers for the header: unsigned LEB128 numbers and byte strings.
void SysReplayPutNumber(std::vector<uint8_t>* out, uint64_t value);
void SysReplayPutBytes(std::vector<uint8_t>* out, const void* bytes, size_t size);
// Reads at `*at`, moving it on; false past the end or on a number too long.
bool SysReplayGetNumber(const std::vector<uint8_t>& in, size_t* at, uint64_t* value);
bool SysReplayGetBytes(const std::vector<uint8_t>& in, size_t* at, std::string* bytes);
