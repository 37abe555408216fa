// The talking heads: the lip sync's reading of a recording, the warden's and
// the partner's comments on the headless display and sound output; and their
// captions: reading captions.txt, every speaker captioned with the setting on,
// and the partner's short remarks captioned while the hunt runs on.
#include "hunt/characters.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "aud/wav_image.h"
#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/page_fixture.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "gdl/gdl_host.h"
#include "hunt/captions.h"
#include "hunt/comments.h"
#include "hunt/hunt.h"
#include "hunt/hunt_fixture.h"
#include "hunt/panel.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "support/font_file.h"
#include "support/scripted_input.h"
#include "sys/clock.h"

namespace {

// A 16-bit recording of `ms` milliseconds: loud (1000) in its odd tenths of a
// second, silent in the even ones.
std::string Speech(int ms) {
    return MonoWav(ms * 22050 / 1000, [](int i) { return (i / 2205) % 2 == 1 ? 1000 : 0; });
}

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

using test_banks::Solid;

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
        GDL_Event event = Press(10, 10);
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
    LipSync sync{.data = speech.data(), .size = static_cast<uint32_t>(speech.size())};
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
    LipSync brief{.data = shortOne.data(), .size = static_cast<uint32_t>(shortOne.size())};
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
    LipSync small{
        .data = eight.data(), .size = static_cast<uint32_t>(eight.size()), .eightBit = true};
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
    for (int slot = kHeadSlot; slot < kHeadSlot + kHeadGraphics; ++slot) {
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
        for (int slot = kHeadSlot; slot < kHeadSlot + count; ++slot) {
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
    EXPECT_EQ(Graphic[kHeadSlot].data, nullptr);
    EXPECT_EQ(Snapshot(displaySurface), Snapshot(workPage));
}

TEST_F(CharactersTest, AClickCutsThePartnerShortAndHisVoiceIsNeverQueued) {
    Put(kPartnerFigure, Solid(30, 40, 50, -15, -40));
    Put(kPartnerMouthShut, Solid(10, 4, 51, -5, -20));
    Put(kPartnerMouthOpen, Solid(10, 8, 52, -5, -22));
    Put(kPartnerEyesOpen, Solid(10, 4, 53, -5, -35));
    Put(kPartnerEyesBlink, Solid(10, 4, 54, -5, -35));
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
    DumpWaterfowlScreen();
    EXPECT_EQ(SoundData(kVoiceSound, nullptr), nullptr) << "leaving the marsh frees his remark";
}

TEST_F(CharactersTest, ThePartnersMouthMovesWithEightBitSound) {
    Put(kPartnerFigure, Solid(30, 40, 50, -15, -40));
    Put(kPartnerMouthShut, Solid(10, 4, 51, -5, -20));
    Put(kPartnerMouthOpen, Solid(10, 4, 52, -5, -20));
    Put(kPartnerEyesOpen, Solid(2, 2, 53, -15, -40));
    Put(kPartnerEyesBlink, Solid(2, 2, 53, -15, -40));
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

TEST(ParseCaptionsTest, TakesTheMadeFormAndRefusesAnyDamagedLine) {
    int bad = -1;
    ASSERT_TRUE(
        ParseCaptions("# note\n4 1 Nice shot!\n21 128 " + std::string(160, 'x') + "\n", &bad));
    EXPECT_STREQ(CaptionText(4, 1), "Nice shot!");
    EXPECT_EQ(std::string(CaptionText(21, 128)).size(), 160u);
    EXPECT_EQ(CaptionText(4, 2), nullptr);

    const struct {
        std::string text;
        int line;
    } damaged[] = {
        {"4 1 Cut short", 1},
        {"", 1},
        {"# only a note\n", 2},
        {"4 1 A\n\n", 2},       // an empty line
        {"4 1 A\n4 1 B\n", 2},  // the same comment twice
        {"100 1 A\n", 1},       // no such bank
        {"4 0 A\n", 1},         // comments count from 1
        {"4 129 A\n", 1},       // past a bank's entries
        {"4 1 \n", 1},          // no words
        {"4  1 A\n", 1},        // two spaces
        {"4 1\tA\n", 1},        // a tab
        {"4 1 A\r\n", 1},       // a carriage return
        {"4 1 caf\xe9\n", 1},   // not ASCII
        {"0004 1 A\n", 1},      // more than three digits
        {"4 1 " + std::string(161, 'x') + "\n", 1},
    };
    for (const auto& d : damaged) {
        EXPECT_FALSE(ParseCaptions(d.text, &bad)) << d.text;
        EXPECT_EQ(bad, d.line) << d.text;
        EXPECT_EQ(CaptionText(4, 1), nullptr) << "nothing kept from a damaged file";
    }
    ResetCaptions();
}

// Captions: the three speakers with the setting on and off, and the box over
// pixels the work page does not hold (the pointer, a dialog): they must come back.
class CaptionsTest : public CharactersTest {
protected:
    void SetUp() override {
        CharactersTest::SetUp();
        ResetCaptions();
        WriteBytes("fonts.dat", FontFileBytes({SimpleTestFont()}));
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
        WriteHeadBank("char20", 12);
        WriteHeadBank("char21", 12);
        WriteBytes("char20.16b", SoundBank({Speech(300), Speech(300)}));
        WriteBytes("char21.16b", SoundBank({Speech(300)}));
        WriteBytes("char04.16b", SoundBank({Speech(300)}));
        Put(kPartnerFigure, Solid(30, 40, 50, -15, -40));
        for (int slot :
             {kPartnerMouthShut, kPartnerMouthOpen, kPartnerEyesOpen, kPartnerEyesBlink}) {
            Put(slot, Solid(10, 4, 51, -5, -20));
        }
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 640; ++x) {
                Pixel(backPage, x, y) = static_cast<uint8_t>(20 + x % 7);
                Pixel(displaySurface, x, y) = static_cast<uint8_t>(40 + y % 5);
            }
        }
    }

    void TearDown() override {
        showCaptions = 0;
        ResetCaptions();
        ResetFonts();
        CharactersTest::TearDown();
    }

    // Each speaker in turn (the warden, the sheriff, the partner): for how many
    // milliseconds a caption box was seen on the display and the back page
    // during each comment, and whether both pages came back as they were.
    std::array<uint32_t, 3> CaptionedMs(bool* restored) {
        static uint32_t first, last;
        SysSetClockListener([](uint32_t now) {
            // Inside every box: just under its top edges, in the fill.
            if (Pixel(displaySurface, 320, 10) == kCaptionFill &&
                Pixel(backPage, 320, 10) == kCaptionFill) {
                first = first == 0 ? now : first;
                last = now;
            }
        });
        const std::vector<uint8_t> back = Snapshot(backPage);
        const std::vector<uint8_t> display = Snapshot(displaySurface);
        *restored = true;
        std::array<uint32_t, 3> spans{};
        for (uint32_t& span : spans) {
            first = last = 0;
            if (&span == &spans[0]) {
                DoWilmaComment(2);
            } else if (&span == &spans[1]) {
                DoSheriffComment(21, 1, 325, 479);
            } else {
                DoPartnerComment(1);
            }
            span = last - first;
            HideCursor();
            *restored =
                *restored && Snapshot(backPage) == back && Snapshot(displaySurface) == display;
        }
        SysSetClockListener(nullptr);
        return spans;
    }
    static constexpr uint8_t kCaptionFill = 230;
};

TEST_F(CaptionsTest, EverySpeakerIsCaptionedOnlyWithTheSettingAndThePagesComeBack) {
    WriteBytes("captions.txt", "# test\n4 1 ABC DEF\n20 2 ABCD\n21 1 AB\n");
    bool restored = false;
    EXPECT_EQ(CaptionedMs(&restored), (std::array<uint32_t, 3>{})) << "the setting is off";
    EXPECT_TRUE(restored);
    showCaptions = 1;
    for (uint32_t span : CaptionedMs(&restored)) {
        EXPECT_GE(span, 290u) << "up for the whole 300 ms comment";
    }
    EXPECT_TRUE(restored) << "both pages as they were, pixel for pixel";
    CaptionBox box{};
    ASSERT_TRUE(CaptionLayout(4, 1, &box));
    EXPECT_EQ(box.w, FontTextWidth(0, "ABC DEF") + 24);
    EXPECT_LE(box.y + box.h, 200) << "above every face";
}

TEST_F(CaptionsTest, AMissingOrDamagedFileMeansOneLogLineAndNoCaptions) {
    showCaptions = 1;
    bool restored = false;
    EXPECT_EQ(CaptionedMs(&restored), (std::array<uint32_t, 3>{}));
    EXPECT_TRUE(restored);
    EXPECT_EQ(LogCount("captions.txt"), 1);
    EXPECT_EQ(LogCount("ERROR: captions.txt is missing; no captions"), 1);

    ResetCaptions();
    WriteBytes("captions.txt", "4 1 ABC\n20 2 AB");  // cut short
    EXPECT_EQ(CaptionedMs(&restored), (std::array<uint32_t, 3>{}));
    EXPECT_TRUE(restored);
    EXPECT_EQ(LogCount("ERROR: captions.txt line 2 is damaged; no captions"), 1);
    EXPECT_EQ(LogCount("captions.txt"), 2);
}

class RemarkCaptionTest : public HuntTest {
protected:
    void SetUp() override {
        HuntTest::SetUp();
        SoundReset();
        ASSERT_EQ(SoundInit(), 1u);
        ResetCaptions();
        WriteBytes("fonts.dat", FontFileBytes({SimpleTestFont()}));
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
        // 41 remarks of 400 ms.
        WriteBytes("char04.16b", SoundBank(std::vector<std::string>(41, Speech(400))));
        WriteBytes("captions.txt", "4 17 ABCABCABC ABC\n4 33 ABABABABABABABABABAB\n");
    }
    void TearDown() override {
        showCaptions = 0;
        ResetCaptions();
        ResetFonts();
        SoundReset();
        HuntTest::TearDown();
    }

    // A page with the remark boxes blanked out.
    static std::string Masked(GDL_Surface* page, const std::vector<CaptionBox>& boxes) {
        std::vector<uint8_t> pixels = Snapshot(page);
        for (const CaptionBox& b : boxes) {
            for (int y = b.y; y < b.y + b.h; ++y) {
                std::fill_n(pixels.begin() + y * 640 + b.x, b.w, uint8_t{0});
            }
        }
        return std::string(pixels.begin(), pixels.end());
    }

    struct Run {
        std::vector<size_t> frames;  // both pages outside the boxes, frame by frame
        int captioned = 0;           // frames that showed a remark's box
        int underneath = 0;          // frames with a bird drawn where a box goes
        std::vector<uint8_t> display, back;
    };

    // A seeded hunt with a bird under the boxes: the empty gun's remark
    // (one of the hunt's sounds), then a remark in the voice slot, each played out and
    // followed by two more steps.
    Run Play(bool captions, const std::vector<CaptionBox>& boxes) {
        showCaptions = captions ? 1 : 0;
        ResetHunt();
        ResetCaptions();
        SeedRandom(5);
        Enter(0);
        Run run;
        auto frames = [&](int sound) {
            for (int extra = 0, n = 0; extra < 2 && n < 2000; ++n) {
                extra += IsSoundPlaying(sound) != 0 ? 0 : 1;
                StepFrame();
                const std::hash<std::string> hash;
                run.frames.push_back(hash(Masked(displaySurface, boxes)) ^
                                     hash(Masked(backPage, boxes)) * 3);
                for (const Flock& flock : flocks) {
                    const HuntRect& r = flock.rect;
                    if (flock.kind == kFlightAbsent) {
                        continue;
                    }
                    for (const CaptionBox& b : boxes) {
                        run.underneath += r.x < b.x + b.w && b.x < r.x + r.w && r.y < b.y + b.h &&
                                          b.y < r.y + r.h;
                    }
                }
                CaptionBox box{};
                run.captioned += RemarkCaptionBox(&box) &&
                                         Pixel(displaySurface, 320, box.y + 2) == 230 &&
                                         Pixel(backPage, 320, box.y + 2) == 230
                                     ? 1
                                     : 0;
            }
        };
        hunt.gunEmpty = 1;
        CommentAfterShot();
        frames(kEmptyGunSound);
        DoPartnerVoice(17);
        frames(kVoiceSound);
        run.display = Snapshot(displaySurface);
        run.back = Snapshot(backPage);
        QuitHunt(0);
        return run;
    }
};

TEST_F(RemarkCaptionTest, TheHuntRunsOnUnderARemarksCaptionAndNothingIsLeftOfIt) {
    std::vector<CaptionBox> boxes(2);
    ASSERT_TRUE(CaptionLayout(4, 33, &boxes[0]));
    ASSERT_TRUE(CaptionLayout(4, 17, &boxes[1]));
    const Run off = Play(false, boxes);
    const Run on = Play(true, boxes);
    EXPECT_EQ(off.captioned, 0);
    EXPECT_GT(on.underneath, 5) << "birds flew under the boxes";
    EXPECT_GT(on.captioned, 20) << "up while each remark plays";
    ASSERT_EQ(on.frames.size(), off.frames.size());
    EXPECT_EQ(on.frames, off.frames) << "the frame outside the box is the same with captions";
    EXPECT_TRUE(on.display == off.display) << "nothing left of the caption on the display";
    EXPECT_TRUE(on.back == off.back) << "nor on the back page";
}

}  // namespace
