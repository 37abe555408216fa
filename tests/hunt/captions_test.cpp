// Captions: reading captions.txt, and the partner's short remarks captioned
// while the hunt runs on.
#include "hunt/captions.h"

#include <functional>
#include <string>
#include <vector>

#include "app/config.h"
#include "aud/wav_image.h"
#include "engine/fonts.h"
#include "engine/random.h"
#include "hunt/characters.h"
#include "hunt/comments.h"
#include "hunt/hunt_fixture.h"
#include "hunt/panel.h"
#include "platform/sound.h"
#include "support/font_file.h"

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

class RemarkCaptionTest : public HuntTest {
protected:
    void SetUp() override {
        HuntTest::SetUp();
        SoundReset();
        ASSERT_EQ(SoundInit(), 1u);
        ResetCaptions();
        WriteBytes("fonts.dat", FontFileBytes({SimpleTestFont()}));
        ASSERT_EQ(LoadFonts("fonts.dat"), 1u);
        // 41 remarks of 400 ms, every one loud.
        const std::string speech = MonoWav(400 * 22050 / 1000, [](int) { return 3000; });
        WriteBytes("char04.16b", SoundBank(std::vector<std::string>(41, speech)));
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
