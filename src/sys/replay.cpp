#include "sys/replay.h"

#include <errno.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "sys/paths.h"

namespace {

// The tags. Most records are clock readings that move on by a few
// milliseconds, often the same few again and again: those take one byte, the
// step in the high nibble and the run length less one in the low.
constexpr uint8_t kLongClock = 0x80;    // zigzag step, run length
constexpr uint8_t kEvent = 0x81;        // type, code, state, zigzag x and y moves
constexpr uint8_t kSameEvent = 0x82;    // as the last event's type and code: state, x, y moves
constexpr uint8_t kLost = 0x83;         // focus lost
constexpr uint8_t kGained = 0x84;       // focus gained
constexpr uint8_t kQuit = 0x85;         // window closed
constexpr uint8_t kSoundEnd = 0x86;     // sample handle
constexpr uint8_t kSoundStatus = 0x87;  // status
constexpr uint8_t kSoundLeft = 0x88;    // milliseconds
// A small status in the tag itself: a loop that waits for a sound to end asks
// a thousand times a second.
constexpr uint8_t kShortStatus = 0x89;  // 0x89 + status, for a status up to 8
constexpr uint32_t kShortStatusMax = 8;
// The records from here on repeat, each the one two before it, this many
// times: such a loop's reading and answer, again and again.
constexpr uint8_t kRepeatPairs = 0x92;  // count
// Before an input record that came in from a pump listener, or after them
// (input from the window has no mark).
constexpr uint8_t kListenersMark = 0x93;
constexpr uint8_t kAfterListenersMark = 0x94;
// What playing expands a tape to at most.
constexpr size_t kExpandedLimit = 256u << 20;
constexpr uint32_t kShortStepMax = 7;
constexpr uint32_t kShortRunMax = 16;

uint32_t ZigZag(int32_t value) {
    return (static_cast<uint32_t>(value) << 1) ^ static_cast<uint32_t>(value >> 31);
}

int32_t UnZigZag(uint32_t value) {
    return static_cast<int32_t>((value >> 1) ^ (0u - (value & 1u)));
}

// A pointer's move from one event to the next, and back: modulo 2^32, so any
// two positions give a step and a damaged tape's step cannot overflow.
int32_t Step(int32_t from, int32_t to) {
    return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}
int32_t Moved(int32_t from, int32_t step) {
    return static_cast<int32_t>(static_cast<uint32_t>(from) + static_cast<uint32_t>(step));
}

struct Recorder {
    bool on = false;
    int fd = -1;                   // -1: memory only
    std::vector<uint8_t> pending;  // records not yet written
    std::vector<uint8_t> memory;   // everything, for a recording with no file
    size_t written = 0;
    size_t limit = 0;
    size_t flushSize = 64 * 1024;
    uint32_t lastClock = 0;
    uint32_t runStep = 0;
    uint32_t runLength = 0;
    ReplayEvent lastEvent{};
    std::vector<uint8_t> record;      // the record being put together
    std::vector<uint8_t> history[2];  // the two records before it
    uint32_t repeats = 0;             // records held back as repeats
};

struct Player {
    bool on = false;
    std::vector<uint8_t> tape;
    size_t at = 0;
    bool clockVirtual = false;
    bool paced = false;
    bool failed = false;  // drifted or over: no more records
    bool drifted = false;
    SysReplayTroubleHandler trouble = nullptr;
    uint32_t now = 0;  // the last reading handed out
    uint32_t runStep = 0;
    uint32_t runLeft = 0;
    bool haveBase = false;
    uint64_t realBase = 0;
    uint32_t tapeBase = 0;
    ReplayEvent lastEvent{};
};

Recorder recorder;
Player player;
bool exitHookSet = false;
SysReplayLogger logger = nullptr;

// Recording stops at its first failure, so this is said once a session.
void LogOnce(const char* why) {
    char line[160];
    std::snprintf(line, sizeof line, "replay: %s; the game goes on unrecorded", why);
    if (logger != nullptr) {
        logger(line);
    } else {
        std::fprintf(stderr, "%s\n", line);
    }
}

void Emit(uint8_t byte) {
    recorder.record.push_back(byte);
}

void EmitNumber(uint64_t value) {
    SysReplayPutNumber(&recorder.record, value);
}

void EndRepeats() {
    if (recorder.repeats > 0) {
        recorder.pending.push_back(kRepeatPairs);
        SysReplayPutNumber(&recorder.pending, recorder.repeats);
        recorder.repeats = 0;
    }
}

// The record put together is done: written, or held back when it repeats
// the one two before it.
void EndRecord() {
    std::vector<uint8_t>& record = recorder.record;
    if (record.empty()) {
        return;
    }
    if (record == recorder.history[0]) {
        ++recorder.repeats;
    } else {
        EndRepeats();
        recorder.pending.insert(recorder.pending.end(), record.begin(), record.end());
    }
    recorder.history[0].swap(recorder.history[1]);
    recorder.history[1].swap(record);
    record.clear();
}

void StopWith(const char* why) {
    LogOnce(why);
    recorder.on = false;
    recorder.pending.clear();
    if (recorder.fd >= 0) {
        close(recorder.fd);
        recorder.fd = -1;
    }
}

void Flush() {
    if (!recorder.on || recorder.pending.empty()) {
        return;
    }
    if (recorder.written + recorder.pending.size() > recorder.limit) {
        StopWith("the recording has reached its size limit");
        return;
    }
    if (recorder.fd < 0) {
        recorder.memory.insert(recorder.memory.end(), recorder.pending.begin(),
                               recorder.pending.end());
    } else {
        size_t done = 0;
        while (done < recorder.pending.size()) {
            const ssize_t n =
                write(recorder.fd, recorder.pending.data() + done, recorder.pending.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                StopWith("cannot write the recording");
                return;
            }
            done += static_cast<size_t>(n);
        }
    }
    recorder.written += recorder.pending.size();
    recorder.pending.clear();
}

// Writes the run of equal clock steps held back so far.
void EndRun() {
    uint32_t left = recorder.runLength;
    recorder.runLength = 0;
    if (left == 0) {
        return;
    }
    if (recorder.runStep > kShortStepMax || left > 3 * kShortRunMax) {
        Emit(kLongClock);
        EmitNumber(ZigZag(static_cast<int32_t>(recorder.runStep)));
        EmitNumber(left);
        EndRecord();
        return;
    }
    while (left > 0) {
        const uint32_t n = left < kShortRunMax ? left : kShortRunMax;
        Emit(static_cast<uint8_t>(recorder.runStep << 4 | (n - 1)));
        EndRecord();
        left -= n;
    }
}

// Every record but a clock reading starts here.
void BeginRecord(uint8_t tag) {
    EndRun();
    Emit(tag);
}

void AfterRecord() {
    EndRecord();
    if (recorder.pending.size() >= recorder.flushSize) {
        Flush();
    }
}

uint64_t RealMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

void SleepUntil(uint64_t ms) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void Trouble(bool drifted, const char* why) {
    if (player.failed) {
        return;
    }
    player.failed = true;
    player.drifted = drifted;
    char line[160];
    std::snprintf(line, sizeof line, "%s (at byte %zu of the records)", why, player.at);
    if (player.trouble != nullptr) {
        player.trouble(drifted, line);
    }
}

bool GetNumber(uint64_t* value) {
    if (!SysReplayGetNumber(player.tape, &player.at, value)) {
        Trouble(true, "the recording is cut short inside a record");
        return false;
    }
    return true;
}

bool GetSigned(int32_t* value) {
    uint64_t raw = 0;
    if (!GetNumber(&raw)) {
        return false;
    }
    *value = UnZigZag(static_cast<uint32_t>(raw));
    return true;
}

const char* KindName(ReplayRecord kind) {
    switch (kind) {
        case ReplayRecord::None:
            return "the end";
        case ReplayRecord::Clock:
            return "a clock reading";
        case ReplayRecord::Event:
            return "an input event";
        case ReplayRecord::Active:
            return "a focus change";
        case ReplayRecord::Quit:
            return "a window close";
        case ReplayRecord::SoundEnd:
            return "a sound's end";
        case ReplayRecord::SoundStatus:
            return "a sound's status";
        case ReplayRecord::SoundLeft:
            return "a sound's time left";
    }
    return "?";
}

// Takes the next record if it is of `kind`; otherwise reports the drift.
bool Expect(ReplayRecord kind) {
    const ReplayRecord next = SysReplayNext();
    if (next == kind) {
        return true;
    }
    if (player.failed) {
        return false;
    }
    if (next == ReplayRecord::None) {
        Trouble(false, "the recording is over");
        return false;
    }
    char why[120];
    std::snprintf(why, sizeof why, "the game asked for %s where the recording holds %s",
                  KindName(kind), KindName(next));
    Trouble(true, why);
    return false;
}

// The length of the record at `at`, 0 when it is cut short or of no known
// kind (the player then meets it and says so).
size_t RecordLength(const std::vector<uint8_t>& in, size_t at) {
    const uint8_t tag = in[at];
    int numbers = 0;
    if (tag == kLongClock) {
        numbers = 2;
    } else if (tag == kEvent) {
        numbers = 5;
    } else if (tag == kSameEvent) {
        numbers = 3;
    } else if (tag == kSoundEnd || tag == kSoundStatus || tag == kSoundLeft) {
        numbers = 1;
    } else if (tag > kAfterListenersMark) {
        return 0;
    }
    size_t end = at + 1;
    for (uint64_t ignored = 0; numbers > 0; --numbers) {
        if (!SysReplayGetNumber(in, &end, &ignored)) {
            return 0;
        }
    }
    return end - at;
}

// Writes out the repeats, so the player reads plain records.
std::vector<uint8_t> Expand(const std::vector<uint8_t>& in) {
    std::vector<uint8_t> out;
    out.reserve(in.size() * 2);
    size_t history[2][2] = {{0, 0}, {0, 0}};  // offset and length in `out`
    size_t at = 0;
    while (at < in.size()) {
        if (in[at] == kRepeatPairs && history[0][1] > 0) {
            size_t next = at + 1;
            uint64_t count = 0;
            if (!SysReplayGetNumber(in, &next, &count) ||
                count > (kExpandedLimit - out.size()) / (history[0][1] + history[1][1])) {
                break;
            }
            at = next;
            // The last two records, A then B, lie together at the end; the
            // repeats go on A B A B ..., the last period bytes over and over,
            // copied in doubling pieces that never overlap their source.
            const size_t lengthA = history[0][1];
            const size_t lengthB = history[1][1];
            const size_t period = lengthA + lengthB;
            const size_t start = history[0][0];
            const size_t end = out.size();
            const size_t total =
                static_cast<size_t>(count / 2) * period + static_cast<size_t>(count % 2) * lengthA;
            out.resize(end + total);
            for (size_t done = 0; done < total;) {
                const size_t piece = std::min(total - done, end + done - start);
                std::memcpy(out.data() + end + done, out.data() + start, piece);
                done += piece;
            }
            const bool odd = count % 2 != 0;
            history[0][0] = out.size() - period;
            history[0][1] = odd ? lengthB : lengthA;
            history[1][0] = out.size() - (odd ? lengthA : lengthB);
            history[1][1] = odd ? lengthA : lengthB;
            continue;
        }
        const size_t length = RecordLength(in, at);
        if (length == 0 || out.size() + length > kExpandedLimit) {
            break;
        }
        history[0][0] = history[1][0];
        history[0][1] = history[1][1];
        history[1][0] = out.size();
        history[1][1] = length;
        out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(at),
                   in.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    // What cannot be read is left as it is, for the player to stop at.
    out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(at), in.end());
    return out;
}

}  // namespace

bool SysReplayRecord(const std::string& path, const std::vector<uint8_t>& header, size_t limit) {
    SysReplayReset();
    if (!path.empty()) {
        recorder.fd = SysOpenFile(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (recorder.fd < 0) {
            return false;
        }
    }
    recorder.on = true;
    recorder.limit = limit;
    recorder.pending = header;
    Flush();
    if (!recorder.on) {
        return false;
    }
    if (!exitHookSet) {
        exitHookSet = true;
        std::atexit(SysReplayStopRecording);
    }
    return true;
}

void SysReplaySetFlushSize(size_t bytes) {
    recorder.flushSize = bytes;
}

void SysReplaySetLogger(SysReplayLogger to) {
    logger = to;
}

bool SysReplayRecording() {
    return recorder.on;
}

void SysReplayStopRecording() {
    if (!recorder.on) {
        return;
    }
    EndRun();
    EndRepeats();
    Flush();
    recorder.on = false;
    if (recorder.fd >= 0) {
        close(recorder.fd);
        recorder.fd = -1;
    }
}

const std::vector<uint8_t>& SysReplayRecorded() {
    return recorder.memory;
}

void SysReplayPutClock(uint32_t now) {
    if (!recorder.on) {
        return;
    }
    const uint32_t step = now - recorder.lastClock;
    recorder.lastClock = now;
    if (recorder.runLength > 0 && step == recorder.runStep) {
        ++recorder.runLength;
        return;
    }
    EndRun();
    recorder.runStep = step;
    recorder.runLength = 1;
    AfterRecord();
}

uint32_t SysReplayLastClock() {
    return recorder.lastClock;
}

void PutPhase(ReplayPhase phase) {
    if (phase == ReplayPhase::Listeners) {
        BeginRecord(kListenersMark);
        AfterRecord();
    } else if (phase == ReplayPhase::AfterListeners) {
        BeginRecord(kAfterListenersMark);
        AfterRecord();
    }
}

void SysReplayPutEvent(const ReplayEvent& event, ReplayPhase phase) {
    if (!recorder.on) {
        return;
    }
    PutPhase(phase);
    ReplayEvent& last = recorder.lastEvent;
    if (event.type == last.type && event.code == last.code) {
        BeginRecord(kSameEvent);
    } else {
        BeginRecord(kEvent);
        EmitNumber(event.type);
        EmitNumber(event.code);
    }
    EmitNumber(event.state);
    EmitNumber(ZigZag(Step(last.x, event.x)));
    EmitNumber(ZigZag(Step(last.y, event.y)));
    last = event;
    AfterRecord();
}

void SysReplayPutActive(bool gained, ReplayPhase phase) {
    if (recorder.on) {
        PutPhase(phase);
        BeginRecord(gained ? kGained : kLost);
        AfterRecord();
    }
}

void SysReplayPutQuit(ReplayPhase phase) {
    if (recorder.on) {
        PutPhase(phase);
        BeginRecord(kQuit);
        AfterRecord();
    }
}

void SysReplayPutValue(ReplayRecord kind, uint32_t value) {
    if (!recorder.on) {
        return;
    }
    if (kind == ReplayRecord::SoundStatus && value <= kShortStatusMax) {
        BeginRecord(static_cast<uint8_t>(kShortStatus + value));
        AfterRecord();
        return;
    }
    const uint8_t tag = kind == ReplayRecord::SoundEnd      ? kSoundEnd
                        : kind == ReplayRecord::SoundStatus ? kSoundStatus
                                                            : kSoundLeft;
    BeginRecord(tag);
    EmitNumber(value);
    AfterRecord();
}

void SysReplayPlay(std::vector<uint8_t> records, bool clockVirtual, bool paced,
                   SysReplayTroubleHandler trouble) {
    SysReplayReset();
    player.on = true;
    player.tape = Expand(records);
    player.clockVirtual = clockVirtual;
    player.paced = paced;
    player.trouble = trouble;
}

bool SysReplayPlaying() {
    return player.on;
}

bool SysReplayInputDue(ReplayPhase phase) {
    if (!player.on || player.failed || player.runLeft > 0 || player.at >= player.tape.size()) {
        return false;
    }
    const uint8_t tag = player.tape[player.at];
    const ReplayPhase marked = tag == kListenersMark        ? ReplayPhase::Listeners
                               : tag == kAfterListenersMark ? ReplayPhase::AfterListeners
                                                            : ReplayPhase::Window;
    if (marked != phase) {
        return false;
    }
    if (marked == ReplayPhase::Window) {
        const ReplayRecord kind = SysReplayNext();
        return kind == ReplayRecord::Event || kind == ReplayRecord::Active ||
               kind == ReplayRecord::Quit;
    }
    ++player.at;  // the mark; the record after it must be input
    const ReplayRecord kind = SysReplayNext();
    if (kind != ReplayRecord::Event && kind != ReplayRecord::Active && kind != ReplayRecord::Quit) {
        Trouble(true, "the recording marks as input a record that is not");
        return false;
    }
    return true;
}

ReplayRecord SysReplayNext() {
    if (!player.on || player.failed) {
        return ReplayRecord::None;
    }
    if (player.runLeft > 0) {
        return ReplayRecord::Clock;
    }
    if (player.at >= player.tape.size()) {
        return ReplayRecord::None;
    }
    const uint8_t tag = player.tape[player.at];
    if (tag <= kLongClock) {
        return ReplayRecord::Clock;
    }
    switch (tag) {
        case kEvent:
        case kSameEvent:
            return ReplayRecord::Event;
        case kLost:
        case kGained:
            return ReplayRecord::Active;
        case kQuit:
            return ReplayRecord::Quit;
        case kSoundEnd:
            return ReplayRecord::SoundEnd;
        case kSoundStatus:
            return ReplayRecord::SoundStatus;
        case kSoundLeft:
            return ReplayRecord::SoundLeft;
        case kListenersMark:
        case kAfterListenersMark:
            return ReplayRecord::Event;  // input, due at another point of a call
        default:
            if (tag >= kShortStatus && tag <= kShortStatus + kShortStatusMax) {
                return ReplayRecord::SoundStatus;
            }
            Trouble(true, "the recording holds a record of no known kind");
            return ReplayRecord::None;
    }
}

uint32_t SysReplayTakeClock() {
    if (player.runLeft == 0 && Expect(ReplayRecord::Clock)) {
        const uint8_t tag = player.tape[player.at++];
        if (tag == kLongClock) {
            int32_t step = 0;
            uint64_t length = 0;
            if (GetSigned(&step) && GetNumber(&length)) {
                player.runStep = static_cast<uint32_t>(step);
                player.runLeft = static_cast<uint32_t>(length);
            }
        } else {
            player.runStep = tag >> 4;
            player.runLeft = (tag & 0x0Fu) + 1;
        }
    }
    if (player.failed || player.runLeft == 0) {
        // Past the end the clock runs on as the virtual one does, so the way
        // out still sees time pass.
        return ++player.now;
    }
    --player.runLeft;
    player.now += player.runStep;
    if (player.paced) {
        const uint64_t real = RealMilliseconds();
        if (!player.haveBase) {
            player.haveBase = true;
            player.realBase = real;
            player.tapeBase = player.now;
        }
        const uint64_t due = player.realBase + (player.now - player.tapeBase);
        if (due > real) {
            SleepUntil(due);
        }
    }
    return player.now;
}

bool SysReplayTakeEvent(ReplayEvent* event) {
    if (!Expect(ReplayRecord::Event)) {
        return false;
    }
    ReplayEvent& last = player.lastEvent;
    ReplayEvent next = last;
    uint64_t value = 0;
    if (player.tape[player.at++] == kEvent) {
        if (!GetNumber(&value)) {
            return false;
        }
        next.type = static_cast<uint32_t>(value);
        if (!GetNumber(&value)) {
            return false;
        }
        next.code = static_cast<uint32_t>(value);
    }
    int32_t dx = 0;
    int32_t dy = 0;
    if (!GetNumber(&value) || !GetSigned(&dx) || !GetSigned(&dy)) {
        return false;
    }
    next.state = static_cast<uint32_t>(value);
    next.x = Moved(last.x, dx);
    next.y = Moved(last.y, dy);
    last = next;
    *event = next;
    return true;
}

bool SysReplayTakeActive(bool* gained) {
    if (!Expect(ReplayRecord::Active)) {
        return false;
    }
    *gained = player.tape[player.at++] == kGained;
    return true;
}

bool SysReplayTakeQuit() {
    if (!Expect(ReplayRecord::Quit)) {
        return false;
    }
    ++player.at;
    return true;
}

bool SysReplayTakeValue(ReplayRecord kind, uint32_t* value) {
    if (!Expect(kind)) {
        return false;
    }
    const uint8_t tag = player.tape[player.at++];
    if (tag >= kShortStatus && tag <= kShortStatus + kShortStatusMax) {
        *value = tag - kShortStatus;
        return true;
    }
    uint64_t raw = 0;
    if (!GetNumber(&raw)) {
        return false;
    }
    *value = static_cast<uint32_t>(raw);
    return true;
}

bool SysReplayClockVirtual() {
    return player.clockVirtual;
}

uint32_t SysReplayTapeTime() {
    return player.now;
}

size_t SysReplayBytesLeft() {
    if (!player.on || player.at >= player.tape.size()) {
        return player.runLeft > 0 ? 1 : 0;
    }
    return player.tape.size() - player.at;
}

bool SysReplayDrifted() {
    return player.drifted;
}

void SysReplayReset() {
    if (recorder.fd >= 0) {
        close(recorder.fd);
    }
    const size_t flushSize = recorder.flushSize;
    recorder = Recorder{};
    recorder.flushSize = flushSize;
    player = Player{};
}

void SysReplayPutNumber(std::vector<uint8_t>* out, uint64_t value) {
    while (value >= 0x80) {
        out->push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out->push_back(static_cast<uint8_t>(value));
}

void SysReplayPutBytes(std::vector<uint8_t>* out, const void* bytes, size_t size) {
    SysReplayPutNumber(out, size);
    const auto* first = static_cast<const uint8_t*>(bytes);
    out->insert(out->end(), first, first + size);
}

bool SysReplayGetNumber(const std::vector<uint8_t>& in, size_t* at, uint64_t* value) {
    uint64_t result = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (*at >= in.size()) {
            return false;
        }
        const uint8_t byte = in[(*at)++];
        result |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            *value = result;
            return true;
        }
    }
    return false;
}

bool SysReplayGetBytes(const std::vector<uint8_t>& in, size_t* at, std::string* bytes) {
    uint64_t size = 0;
    if (!SysReplayGetNumber(in, at, &size) || size > in.size() - *at) {
        return false;
    }
    bytes->assign(in.begin() + static_cast<std::ptrdiff_t>(*at),
                  in.begin() + static_cast<std::ptrdiff_t>(*at + size));
    *at += size;
    return true;
}
