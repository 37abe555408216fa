// Captions: reading captions.txt, every speaker captioned with the setting on,
// and the partner's short remarks captioned while the hunt runs on.
#include "hunt/captions.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/config.h"
#include "aud/wav_image.h"
#include "engine/fonts.h"
#include "engine/page_fixture.h"
#include "engine/random.h"
#include "hunt/characters.h"
#include "hunt/comments.h"
#include "hunt/hunt_fixture.h"
#include "hunt/panel.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "support/font_file.h"
#include "sys/clock.h"

namespace {

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

std::string SoundBank(const std::vector<std::string>& entries) {
    std::string out;
    Put16(out, static_cast<uint16_t>(entries.size()));
    Put16(out, 0);
    uint32_t end = 0;
    for (int i = 0; i < kBankEntries; ++i) {
        end += i < static_cast<int>(entries.size()) ? static_cast<uint32_t>(entries[i].size()) : 0;
        Put32(out, i < static_cast<int>(entries.size()) ? end : 0);
    }
    for (const std::string& e : entries) {
        out += e;
    }
    return out;
}

// A loud 16-bit recording of `ms` milliseconds.
std::string Speech(int ms) {
    return MonoWav(ms * 22050 / 1000, [](int) { return 3000; });
}

// Captions: the three speakers with the setting on and off, and the box over
// pixels the work page does not hold (the pointer, a dialog): they must come back.
class CaptionsTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        SoundReset();
        ASSERT_EQ(SoundInit(), 1u);
        const test_banks::Picture shape = Solid(4, 4, 9, 0, 0);
        WriteBytes("pointers.256", test_banks::Bank(std::vector(8, shape), false));
        ASSERT_EQ(InitMouse(), 1u);
        PutDepthMap(0);
        FillPattern(workPage, 3);
        CopyWorkPage();
        ShowBackPage();
        ResetCaptions();
        WriteBytes("fonts.dat", FontFileBytes({SimpleTestFont()}));
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
        WriteHeadBank("char20");
        WriteHeadBank("char21");
        WriteBytes("char20.16b", SoundBank({Speech(300), Speech(300)}));
        WriteBytes("char21.16b", SoundBank({Speech(300)}));
        WriteBytes("char04.16b", SoundBank({Speech(300)}));
        Put(200, Solid(30, 40, 50, -15, -40));
        for (int slot : {201, 202, 207, 208}) {
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
        FreeMouse();
        ResetInput();
        SoundReset();
        PageTest::TearDown();
    }
    static test_banks::Picture Solid(int16_t w, int16_t h, uint8_t colour, int16_t xoff,
                                     int16_t yoff) {
        return {w, h, xoff, yoff, std::vector<uint8_t>(static_cast<size_t>(w * h), colour)};
    }
    // A head bank of 12 graphics: 40 x 60 pictures above (x, y).
    void WriteHeadBank(const char* name) {
        std::vector<test_banks::Picture> pictures;
        for (int i = 0; i < 12; ++i) {
            pictures.push_back(Solid(40, 60, static_cast<uint8_t>(200 + i), -20, -60));
        }
        WriteBytes(std::string(name) + ".256", test_banks::Bank(pictures, false));
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
    // (sound 26), then a remark in the voice slot, each played out and
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
        frames(26);
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
