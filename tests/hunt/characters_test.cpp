// The talking heads: the lip sync's reading of a recording, the warden's and
// the partner's comments on the headless display and sound output.
#include "hunt/characters.h"

#include <string>
#include <vector>

#include "app/config.h"
#include "aud/wav_image.h"
#include "engine/page_fixture.h"
#include "engine/timer.h"
#include "gdl/gdl_host.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "sys/clock.h"

namespace {

std::string SoundBank(const std::vector<std::string>& entries) {
    std::string out;
    Put16(out, static_cast<uint16_t>(entries.size()));
    Put16(out, 0);
    uint32_t end = 0;
    for (int i = 0; i < kBankEntries; ++i) {
        if (i < static_cast<int>(entries.size())) {
            end += static_cast<uint32_t>(entries[i].size());
        }
        Put32(out, i < static_cast<int>(entries.size()) ? end : 0);
    }
    for (const std::string& e : entries) {
        out += e;
    }
    return out;
}

// A 16-bit recording of `ms` milliseconds: loud (1000) in its odd tenths of a
// second, silent in the even ones.
std::string Speech(int ms) {
    return MonoWav(ms * 22050 / 1000, [](int i) { return (i / 2205) % 2 == 1 ? 1000 : 0; });
}

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

test_banks::Picture Solid(int16_t w, int16_t h, uint8_t colour, int16_t xoff, int16_t yoff) {
    return {w, h, xoff, yoff, std::vector<uint8_t>(static_cast<size_t>(w * h), colour)};
}

class CharactersTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        SoundReset();
        ASSERT_EQ(SoundInit(), 1u);
        std::vector<test_banks::Picture> shapes(8, Solid(4, 4, 9, 0, 0));
        WriteBytes("pointers.256", test_banks::Bank(shapes, false));
        ASSERT_EQ(InitMouse(), 1u);
        PutDepthMap(0);
        FillPattern(workPage, 3);
        CopyWorkPage();
        ShowBackPage();
    }
    void TearDown() override {
        debugLog = 0;
        eightBitSound = 0;
        FreeMouse();
        ResetInput();
        SoundReset();
        PageTest::TearDown();
    }
    // A head bank of `count` graphics: 40 x 60 pictures above (x, y).
    void WriteHeadBank(const char* name, int count) {
        std::vector<test_banks::Picture> pictures;
        for (int i = 0; i < count; ++i) {
            pictures.push_back(Solid(40, 60, static_cast<uint8_t>(200 + i), -20, -60));
        }
        WriteBytes(std::string(name) + ".256", test_banks::Bank(pictures, false));
    }
    static void Click() {
        GDL_Event event{};
        event.type = GDL_EVENT_MOUSEDOWN;
        event.code = GDL_BUTTON_LEFT;
        event.x = 10;
        event.y = 10;
        GDL_postEvent(&event);
    }
};

TEST(LipSyncTest, LoudnessReadsStayInsideTheRecording) {
    // 16-bit: the sample needs both its bytes; the limit is 256 either way.
    const std::vector<uint8_t> loud = {0x2C, 0x01, 0x00};  // 300, then a lone byte
    EXPECT_TRUE(SampleIsLoud(loud.data(), 2, 0, false));
    EXPECT_FALSE(SampleIsLoud(loud.data(), 1, 0, false)) << "only one byte of the sample";
    EXPECT_FALSE(SampleIsLoud(loud.data(), 3, 2, false)) << "the read lands on the last byte";
    EXPECT_FALSE(SampleIsLoud(loud.data(), 2, 0xFFFFFFFFu, false));
    const std::vector<uint8_t> edge = {0x00, 0x01, 0xFF, 0xFE};  // 256, then -257
    EXPECT_FALSE(SampleIsLoud(edge.data(), 4, 0, false));
    EXPECT_TRUE(SampleIsLoud(edge.data(), 4, 2, false));
    EXPECT_FALSE(SampleIsLoud(nullptr, 100, 0, false));
    // 8-bit unsigned: loud more than 1 away from 128.
    const std::vector<uint8_t> eight = {128, 129, 127, 130, 126};
    const bool expected[] = {false, false, false, true, true};
    for (uint32_t i = 0; i < eight.size(); ++i) {
        EXPECT_EQ(SampleIsLoud(eight.data(), 5, i, true), expected[i]) << "byte " << i;
    }
    EXPECT_FALSE(SampleIsLoud(eight.data(), 5, 5, true));
}

TEST(LipSyncTest, StepsEvery100MsAndMovesOnWhileTheRecordingLasts) {
    const std::vector<uint8_t> speech = Bytes(Speech(1000));  // 44 + 44100 bytes
    LipSync sync;
    sync.data = speech.data();
    sync.size = static_cast<uint32_t>(speech.size());
    bool loud = true;
    ASSERT_TRUE(LipSyncStep(&sync, 5000, &loud)) << "the first step comes at once";
    EXPECT_FALSE(loud) << "the first tenth is silent";
    EXPECT_EQ(sync.readPos, 44u + 4410u);
    EXPECT_FALSE(LipSyncStep(&sync, 5100, &loud)) << "not more than 100 ms yet";
    ASSERT_TRUE(LipSyncStep(&sync, 5101, &loud));
    EXPECT_TRUE(loud);
    int steps = 2;
    for (uint32_t now = 5202; steps < 20; now += 101, ++steps) {
        LipSyncStep(&sync, now, &loud);
    }
    EXPECT_EQ(sync.dataOffset, 44u + 9 * 4410u) << "stops where less than a step is left";

    // A recording shorter than 44 + 4410 bytes is read 44 bytes in for ever.
    const std::vector<uint8_t> shortOne = Bytes(MonoWav(2000, [](int) { return 5000; }));
    LipSync brief;
    brief.data = shortOne.data();
    brief.size = static_cast<uint32_t>(shortOne.size());
    for (uint32_t now = 0; now < 2000; now += 101) {
        ASSERT_TRUE(LipSyncStep(&brief, now, &loud));
        EXPECT_TRUE(loud);
        EXPECT_EQ(brief.readPos, 44u);
    }

    // 8-bit: half the bytes per step, unsigned samples.
    std::string frames(22050, static_cast<char>(128));
    for (size_t i = 2205; i < 4410; ++i) {
        frames[i] = static_cast<char>(200);
    }
    const std::vector<uint8_t> eight = Bytes(WavImage(1, 8, 22050, frames));
    LipSync small;
    small.data = eight.data();
    small.size = static_cast<uint32_t>(eight.size());
    small.eightBit = true;
    ASSERT_TRUE(LipSyncStep(&small, 0, &loud));
    EXPECT_FALSE(loud);
    ASSERT_TRUE(LipSyncStep(&small, 101, &loud));
    EXPECT_TRUE(loud) << "the mouth moves in 8-bit mode too";
    EXPECT_EQ(small.readPos, 44u + 2 * 2205u);
}

TEST_F(CharactersTest, TheWardenTalksToTheEndWhateverTheClicks) {
    WriteHeadBank("char20", 12);
    WriteBytes("char20.16b", SoundBank({Speech(300), Speech(800)}));
    debugLog = 1;
    const uint32_t start = TimerCount();
    Click();
    DoWilmaComment(2);
    EXPECT_GE(TimerCount() - start, 800u) << "she cannot be cut short";
    GDL_Event event{};
    EXPECT_EQ(GDL_peekEvent(&event, GDL_EVENT_MOUSEDOWN), 1) << "the click is still queued";
    EXPECT_EQ(LogCount("DoWilmaComment(2)"), 1);
    EXPECT_EQ(LogCount("DoCharacterComment(20, 2, 220, 470, 0)"), 1);
    EXPECT_EQ(LogCount("data_offset="), 7) << "while more than 100 ms of sound are left";
    EXPECT_EQ(SoundData(kVoiceSound, nullptr), nullptr) << "the voice slot is free again";
    for (int slot = 210; slot < 222; ++slot) {
        EXPECT_EQ(Graphic[slot].data, nullptr) << slot;
    }
    EXPECT_EQ(GetCursorShape(), 0);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(workPage)) << "her head is taken down";

    // A missing recording: logged, the head taken down at once.
    DoCharacterComment(20, 9, 220, 470, 0);
    EXPECT_EQ(LogCount("ERROR: DoCharacterComment(9)"), 1);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(workPage));
}

TEST_F(CharactersTest, AHeadBankWithoutTwelveGraphicsLeavesNothingBehind) {
    for (int count : {11, 13}) {
        WriteHeadBank("char20", count);
        WriteBytes("char20.16b", SoundBank({Speech(300)}));
        SetCursorShape(1);
        DoWilmaComment(1);
        EXPECT_EQ(LogCount("CHARACTER ERROR: num_gfx = " + std::to_string(count)), 1);
        for (int slot = 210; slot < 210 + count; ++slot) {
            EXPECT_EQ(Graphic[slot].data, nullptr) << count << " graphics, slot " << slot;
        }
        EXPECT_EQ(GetCursorShape(), 1) << "the pointer is put back";
        DoSheriffComment(21, 1, 325, 479);  // no bank at all
        EXPECT_EQ(LogCount("CHARACTER ERROR: num_gfx = 0"), 1 + (count == 13));
    }
}

TEST_F(CharactersTest, TheSheriffSpeaksOnTheJailPicture) {
    WriteHeadBank("char21", 12);
    WriteBytes("char21.16b", SoundBank({Speech(400)}));
    const uint32_t start = TimerCount();
    DoSheriffComment(21, 1, 325, 479);
    EXPECT_GE(TimerCount() - start, 400u);
    EXPECT_EQ(Graphic[210].data, nullptr);
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(workPage));
}

TEST_F(CharactersTest, AClickCutsThePartnerShortAndHisVoiceIsNeverQueued) {
    Put(200, Solid(30, 40, 50, -15, -40));
    Put(201, Solid(10, 4, 51, -5, -20));
    Put(202, Solid(10, 8, 52, -5, -22));
    Put(207, Solid(10, 4, 53, -5, -35));
    Put(208, Solid(10, 4, 54, -5, -35));
    WriteBytes("char04.16b", SoundBank({Speech(3000), Speech(200)}));

    // Uninterrupted he speaks the whole three seconds.
    uint32_t start = TimerCount();
    DoPartnerComment(1);
    EXPECT_GE(TimerCount() - start, 3000u);
    HideCursor();
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(workPage)) << "he disappears again";

    start = TimerCount();
    Click();
    DoPartnerComment(1);
    EXPECT_LT(TimerCount() - start, 500u);
    GDL_Event event{};
    EXPECT_EQ(GDL_peekEvent(&event, GDL_EVENT_MOUSEDOWN), 0) << "the click was taken";
    EXPECT_EQ(IsSoundPlaying(kVoiceSound), 0u);

    // A second remark while the first plays is dropped, not queued.
    DoPartnerVoice(1);
    uint32_t firstSize = 0;
    SoundData(kVoiceSound, &firstSize);
    DoPartnerVoice(2);
    uint32_t size = 0;
    SoundData(kVoiceSound, &size);
    EXPECT_EQ(size, firstSize);
    EXPECT_EQ(size, Speech(3000).size());
    WaitSound(kVoiceSound);
    DoPartnerVoice(2);
    SoundData(kVoiceSound, &size);
    EXPECT_EQ(size, Speech(200).size()) << "once he is quiet the next remark plays";
}

TEST_F(CharactersTest, ThePartnersMouthMovesWithEightBitSound) {
    Put(200, Solid(30, 40, 50, -15, -40));
    Put(201, Solid(10, 4, 51, -5, -20));
    Put(202, Solid(10, 4, 52, -5, -20));
    Put(207, Solid(2, 2, 53, -15, -40));
    Put(208, Solid(2, 2, 53, -15, -40));
    eightBitSound = 1;
    SoundReset();
    ASSERT_EQ(SoundInit(), 1u);
    std::string frames(22050, static_cast<char>(128));
    for (size_t i = 0; i < frames.size(); ++i) {
        frames[i] = static_cast<char>((i / 2205) % 2 == 1 ? 220 : 128);
    }
    WriteBytes("char04.8b", SoundBank({WavImage(1, 8, 22050, frames)}));
    // Watch the mouth on the display from the clock: shut (51) in the quiet
    // tenths, open (52) in the loud ones.
    static int seen[2];
    seen[0] = seen[1] = 0;
    SysSetClockListener([](uint32_t) {
        const uint8_t mouth = displaySurface != nullptr ? Pixel(displaySurface, 300, 450) : 0;
        if (mouth == 51 || mouth == 52) {
            ++seen[mouth - 51];
        }
    });
    DoPartnerComment(1);
    SysSetClockListener(nullptr);
    EXPECT_GT(seen[0], 100) << "shut";
    EXPECT_GT(seen[1], 100) << "open";
}

}  // namespace
