#include "sys/replay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sys/backend.h"
#include "sys/clock.h"

namespace {

int troubles = 0;
bool lastDrifted = false;

void CountTrouble(bool drifted, const char*) {
    ++troubles;
    lastDrifted = drifted;
}

struct Tape : ::testing::Test {
    void SetUp() override {
        SysReplayReset();
        SysSetHeadless(true);
        troubles = 0;
    }
    void TearDown() override {
        SysReplayReset();
        SysSetHeadless(true);
    }
    // Records what `body` does to memory; returns the records.
    template <typename Body>
    std::vector<uint8_t> Record(Body body, size_t limit = 1 << 20) {
        EXPECT_TRUE(SysReplayRecord("", {}, limit));
        body();
        SysReplayStopRecording();
        return SysReplayRecorded();
    }
};

// Clock readings of every kind of step (runs, jumps, the wrap), events with a
// repeated type, focus, close and sound answers come back in order, and the
// tape is used up exactly; quiet readings are never recorded.
TEST_F(Tape, EverythingComesBackInOrder) {
    const std::vector<uint32_t> clock = {
        100000, 100001, 100002, 100003, 100003, 100003, 100010, 100500, 100501, 0xFFFFFFF0u,
        5,      5,      6,      7,      8,      9,      10,     11,     12,     13,
        14,     15,     16,     17,     18,     19,     20,     21,     22};
    std::vector<uint32_t> longRun;
    for (uint32_t t = 30; t < 30 + 200; ++t) {
        longRun.push_back(t);
    }
    const ReplayEvent key{1, 0x011B, 4, 0, 0};
    const ReplayEvent move1{32, 0, 0, 320, 240};
    const ReplayEvent move2{32, 0, 1, 300, 250};
    // Steps between any two positions, the widest included, stay defined.
    const ReplayEvent far1{32, 0, 1, INT32_MAX, INT32_MIN};
    const ReplayEvent far2{32, 0, 1, INT32_MIN, INT32_MAX};
    const std::vector<uint8_t> tape = Record([&] {
        for (uint32_t t : clock) {
            SysReplayPutClock(t);
        }
        SysReplayPutEvent(key, ReplayPhase::Window);
        SysReplayPutEvent(move1, ReplayPhase::Window);
        SysReplayPutEvent(move2, ReplayPhase::Window);
        SysReplayPutEvent(far1, ReplayPhase::Window);
        SysReplayPutEvent(far2, ReplayPhase::Window);
        for (uint32_t t : longRun) {
            SysReplayPutClock(t);
        }
        // A loop waiting on a sound: a reading and the same answer, over and over.
        for (uint32_t t = 300; t < 800; ++t) {
            SysReplayPutClock(t);
            SysReplayPutValue(ReplayRecord::SoundStatus, 4);
        }
        // And an odd number of pairs.
        for (uint32_t t = 900; t < 1201; ++t) {
            SysReplayPutClock(t);
            SysReplayPutValue(ReplayRecord::SoundStatus, 2);
        }
        SysReplayPutActive(false, ReplayPhase::Window);
        SysReplayPutActive(true, ReplayPhase::Window);
        SysReplayPutValue(ReplayRecord::SoundStatus, 3);
        SysReplayPutValue(ReplayRecord::SoundLeft, 123456);
        SysReplayPutValue(ReplayRecord::SoundEnd, 7);
        SysReplayPutQuit(ReplayPhase::Window);
        SysReplayPutClock(1300);
    });
    // 1031 readings, 801 answers, five events and the rest in a few bytes.
    EXPECT_LT(tape.size(), 130u);

    SysReplayPlay(tape, false, false, CountTrouble);
    for (uint32_t t : clock) {
        ASSERT_EQ(SysReplayNext(), ReplayRecord::Clock);
        EXPECT_EQ(SysReplayTakeClock(), t);
    }
    for (const ReplayEvent& want : {key, move1, move2, far1, far2}) {
        ReplayEvent got{};
        ASSERT_TRUE(SysReplayTakeEvent(&got));
        EXPECT_EQ(got.type, want.type);
        EXPECT_EQ(got.code, want.code);
        EXPECT_EQ(got.state, want.state);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
    }
    for (uint32_t t : longRun) {
        EXPECT_EQ(SysReplayTakeClock(), t);
    }
    for (uint32_t t = 300; t < 800; ++t) {
        ASSERT_EQ(SysReplayTakeClock(), t);
        uint32_t status = 0;
        ASSERT_TRUE(SysReplayTakeValue(ReplayRecord::SoundStatus, &status));
        ASSERT_EQ(status, 4u);
    }
    for (uint32_t t = 900; t < 1201; ++t) {
        ASSERT_EQ(SysReplayTakeClock(), t);
        uint32_t status = 0;
        ASSERT_TRUE(SysReplayTakeValue(ReplayRecord::SoundStatus, &status));
        ASSERT_EQ(status, 2u);
    }
    bool gained = true;
    ASSERT_TRUE(SysReplayTakeActive(&gained));
    EXPECT_FALSE(gained);
    ASSERT_TRUE(SysReplayTakeActive(&gained));
    EXPECT_TRUE(gained);
    uint32_t value = 0;
    ASSERT_TRUE(SysReplayTakeValue(ReplayRecord::SoundStatus, &value));
    EXPECT_EQ(value, 3u);
    ASSERT_TRUE(SysReplayTakeValue(ReplayRecord::SoundLeft, &value));
    EXPECT_EQ(value, 123456u);
    ASSERT_TRUE(SysReplayTakeValue(ReplayRecord::SoundEnd, &value));
    EXPECT_EQ(value, 7u);
    EXPECT_TRUE(SysReplayTakeQuit());
    EXPECT_EQ(SysReplayTakeClock(), 1300u);
    EXPECT_EQ(SysReplayNext(), ReplayRecord::None);
    EXPECT_EQ(SysReplayBytesLeft(), 0u);
    EXPECT_EQ(troubles, 0);
}

// The clock's own calls record and replay; a quiet reading does neither, and
// while playing the clock says of itself what it said when recorded.
TEST_F(Tape, TheClockRecordsAndReplaysItsReadings) {
    std::vector<uint32_t> read;
    const std::vector<uint8_t> tape = Record([&] {
        read.push_back(SysMilliseconds());
        SysQuietMilliseconds();
        read.push_back(SysPeekMilliseconds());
        read.push_back(SysMilliseconds());
    });
    SysReplayPlay(tape, false, false, CountTrouble);
    EXPECT_FALSE(SysClockIsVirtual()) << "as recorded, not as the backend is";
    for (uint32_t want : read) {
        EXPECT_EQ(SysMilliseconds(), want);
    }
    EXPECT_EQ(SysReplayBytesLeft(), 0u);
    EXPECT_EQ(troubles, 0);
}

// A game that asks for something else than the tape holds has drifted: told
// once, and from then on the clock runs on by itself so the game can leave.
// Running out of tape is told apart from a drift.
TEST_F(Tape, DriftAndTheEndAreToldOnce) {
    const std::vector<uint8_t> tape = Record([] {
        SysReplayPutClock(10);
        SysReplayPutQuit(ReplayPhase::Window);
    });
    SysReplayPlay(tape, false, false, CountTrouble);
    EXPECT_EQ(SysReplayTakeClock(), 10u);
    ReplayEvent event{};
    EXPECT_FALSE(SysReplayTakeEvent(&event));
    EXPECT_EQ(troubles, 1);
    EXPECT_TRUE(lastDrifted);
    EXPECT_TRUE(SysReplayDrifted());
    EXPECT_EQ(SysReplayNext(), ReplayRecord::None);
    EXPECT_EQ(SysReplayTakeClock(), 11u);
    EXPECT_EQ(SysReplayTakeClock(), 12u);
    EXPECT_EQ(troubles, 1);

    SysReplayPlay(tape, false, false, CountTrouble);
    troubles = 0;
    EXPECT_EQ(SysReplayTakeClock(), 10u);
    EXPECT_TRUE(SysReplayTakeQuit());
    EXPECT_EQ(SysReplayTakeClock(), 11u) << "past the end";
    EXPECT_EQ(troubles, 1);
    EXPECT_FALSE(lastDrifted);
}

// A tape cut anywhere, or holding bytes of no kind, is reported and never read
// past its end.
TEST_F(Tape, DamagedTapesAreReportedNotOverrun) {
    const std::vector<uint8_t> whole = Record([] {
        SysReplayPutClock(100000);
        SysReplayPutEvent({8, 1, 1, 600, 400}, ReplayPhase::Window);
        SysReplayPutValue(ReplayRecord::SoundLeft, 1u << 30);
    });
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        troubles = 0;
        SysReplayPlay(std::vector<uint8_t>(whole.begin(), whole.begin() + cut), false, false,
                      CountTrouble);
        SysReplayTakeClock();
        ReplayEvent event{};
        SysReplayTakeEvent(&event);
        uint32_t value = 0;
        SysReplayTakeValue(ReplayRecord::SoundLeft, &value);
        EXPECT_EQ(troubles, 1) << "cut at " << cut;
    }
    troubles = 0;
    SysReplayPlay({0xFF, 0x01}, false, false, CountTrouble);
    EXPECT_EQ(SysReplayNext(), ReplayRecord::None);
    EXPECT_TRUE(lastDrifted);
    EXPECT_EQ(troubles, 1);

    std::vector<uint8_t> numbers(11, 0x80);  // a number that never ends
    size_t at = 0;
    uint64_t number = 0;
    EXPECT_FALSE(SysReplayGetNumber(numbers, &at, &number));
    std::vector<uint8_t> bytes;
    SysReplayPutNumber(&bytes, 5);
    bytes.push_back('a');
    at = 0;
    std::string text;
    EXPECT_FALSE(SysReplayGetBytes(bytes, &at, &text)) << "five bytes promised, one there";
}

// A recording stops at its size limit, keeping a whole prefix of records and
// leaving the game to go on unrecorded.
TEST_F(Tape, ARecordingStopsAtItsLimit) {
    SysReplaySetFlushSize(16);
    const std::vector<uint8_t> tape = Record(
        [] {
            for (uint32_t i = 0; i < 1000; ++i) {
                SysReplayPutEvent({8, i, 0, static_cast<int32_t>(i % 640), 0}, ReplayPhase::Window);
            }
            EXPECT_FALSE(SysReplayRecording());
        },
        256);
    SysReplaySetFlushSize(64 * 1024);
    EXPECT_LE(tape.size(), 256u);
    EXPECT_GT(tape.size(), 200u);
    SysReplayPlay(tape, false, false, CountTrouble);
    for (uint32_t i = 0; SysReplayNext() == ReplayRecord::Event; ++i) {
        ReplayEvent event{};
        ASSERT_TRUE(SysReplayTakeEvent(&event));
        EXPECT_EQ(event.code, i);
    }
    EXPECT_EQ(SysReplayBytesLeft(), 0u) << "the tape ends on a whole record";
    EXPECT_EQ(troubles, 0);
}

}  // namespace
