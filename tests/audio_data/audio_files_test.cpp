// Every generated sound bank and music file, in both sets, loaded through the
// game's own sound module: entry counts, the wave format of every image,
// levels and lengths per kind, and the lip sync's view of every line.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue.h"
#include "engine/config.h"
#include "headless_sound.h"
#include "hunt/captions.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "sys/backend.h"
#include "voice_lines.h"

namespace {

uint32_t U16(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1]))
                                             << 8;
}

uint32_t U32(const std::string& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

// The images of a bank file, split by its own header; empty when damaged.
std::vector<std::string> Entries(const std::string& bank) {
    std::vector<std::string> out;
    if (bank.size() < 516) {
        return out;
    }
    uint32_t count = U16(bank, 0);
    uint32_t begin = 0;
    for (uint32_t i = 0; i < count && i < 128; i++) {
        uint32_t end = U32(bank, 4 + 4 * i);
        if (end < begin || 516 + static_cast<size_t>(end) > bank.size()) {
            return {};
        }
        out.push_back(bank.substr(516 + begin, end - begin));
        begin = end;
    }
    return out;
}

// "" when `image` is a plain 44-byte-header PCM mono 22050 Hz wave of `bits`,
// else what is wrong.
std::string WaveProblem(const std::string& image, uint32_t bits) {
    const uint32_t bytes = bits / 8;
    if (image.size() < 44) {
        return "shorter than its header";
    }
    if (image.compare(0, 4, "RIFF") != 0 || image.compare(8, 8, "WAVEfmt ") != 0 ||
        image.compare(36, 4, "data") != 0) {
        return "not a plain RIFF WAVE layout";
    }
    if (U32(image, 4) != image.size() - 8 || U32(image, 16) != 16 ||
        U32(image, 40) != image.size() - 44) {
        return "sizes do not add up";
    }
    if (U16(image, 20) != 1 || U16(image, 22) != 1 || U32(image, 24) != 22050 ||
        U32(image, 28) != 22050 * bytes || U16(image, 32) != bytes || U16(image, 34) != bits) {
        return "not PCM mono 22050 Hz " + std::to_string(bits) + "-bit";
    }
    return "";
}

// The samples of a checked image, as -1 to 1.
std::vector<float> Samples(const std::string& image, uint32_t bits) {
    std::vector<float> out;
    for (size_t at = 44; at + bits / 8 <= image.size(); at += bits / 8) {
        if (bits == 8) {
            out.push_back((static_cast<uint8_t>(image[at]) - 128) / 128.0f);
        } else {
            out.push_back(static_cast<int16_t>(U16(image, at)) / 32768.0f);
        }
    }
    return out;
}

float PeakOf(const std::vector<float>& samples) {
    float peak = 0;
    for (float x : samples) {
        peak = std::max(peak, std::fabs(x));
    }
    return peak;
}

struct Bounds {
    double min, max;  // seconds
};

bool IsShortRemark(int comment) {
    return (comment >= 17 && comment <= 19) || (comment >= 27 && comment <= 29) || comment == 33;
}

Bounds LengthBounds(const std::string& name, int entry) {
    if (name == "sounds") {
        // The click, icon, coin and fine ticks repeat quickly; the reels
        // must sound for all 48 steps of 60 ms of a turning reel.
        static constexpr auto kMax = [] {
            std::array<double, kInterfaceSoundCount> most{};
            most[kClickSound] = 0.3;
            most[kIconSound] = 0.3;
            most[kConfirmSound] = 0.3;
            most[kQuestionSound] = 0.8;
            most[kTillSound] = 1.2;
            most[kRefusalSound] = 0.8;
            most[kMoneySound] = 1.0;
            most[kSwishSound] = 0.5;
            most[kShellLoadSound] = 0.4;
            most[kShotSound] = 2.0;
            most[kFineDollarSound] = 0.15;
            most[kReelSound] = 4.0;
            return most;
        }();
        return {entry == kReelSound ? 2.88 : 0.02, kMax[static_cast<size_t>(entry)]};
    }
    if (name == "calls") {
        return {0.5, 3.0};
    }
    if (name == "char04" && IsShortRemark(entry + 1)) {
        return {0.2, 1.2};
    }
    if (name.rfind("char", 0) == 0) {
        return {0.3, 8.0};
    }
    if (name == "mainmenu") {
        return {50, 70};
    }
    if (name == "credits") {
        return {36, 45};
    }
    return {6, 10};  // gameover
}

class AudioFilesTest : public HeadlessSoundTest {
protected:
    AudioFilesTest() : HeadlessSoundTest(REEDGUNNER_AUDIO_DIR) {}

    static std::string File(const std::string& name, uint32_t bits) {
        return ReadBytes(std::string(REEDGUNNER_AUDIO_DIR) + name + (bits == 8 ? ".8b" : ".16b"));
    }
};

TEST_F(AudioFilesTest, EveryBankLoadsEntryByEntryInBothSets) {
    for (const SoundFile& file : SoundFiles()) {
        if (file.entries == 0) {
            continue;
        }
        std::vector<std::vector<float>> samples16;
        for (uint32_t bits : {16u, 8u}) {
            SCOPED_TRACE(std::string(file.name) + " " + std::to_string(bits) + "-bit");
            eightBitSound = bits == 8 ? 1 : 0;
            const std::string bank = File(file.name, bits);
            ASSERT_FALSE(bank.empty()) << "missing";
            ASSERT_EQ(U16(bank, 0), static_cast<uint32_t>(file.entries)) << "entry count";
            std::vector<std::string> entries = Entries(bank);
            ASSERT_EQ(entries.size(), static_cast<size_t>(file.entries)) << "damaged header";
            EXPECT_EQ(516 + U32(bank, 4 + 4 * (file.entries - 1)), bank.size())
                << "bytes after the last entry";
            for (int e = 0; e < file.entries; e++) {
                SCOPED_TRACE("entry " + std::to_string(e));
                EXPECT_EQ(SoundSeek(file.name, e, 14), entries[static_cast<size_t>(e)].size());
                const std::string& image = entries[static_cast<size_t>(e)];
                ASSERT_EQ(WaveProblem(image, bits), "");
                std::vector<float> samples = Samples(image, bits);
                const double seconds = samples.size() / 22050.0;
                Bounds bounds = LengthBounds(file.name, e);
                EXPECT_GE(seconds, bounds.min);
                EXPECT_LE(seconds, bounds.max);
                float peak = PeakOf(samples);
                EXPECT_GT(peak, 0.1f) << "silent";
                EXPECT_LT(peak, 0.98f) << "at full scale";
                if (bits == 16) {
                    samples16.push_back(samples);
                    continue;
                }
                // The 8-bit set is the same sound, within a step of 8 bits.
                const std::vector<float>& wide = samples16[static_cast<size_t>(e)];
                ASSERT_EQ(samples.size(), wide.size()) << "the sets differ in length";
                float worst = 0;
                for (size_t i = 0; i < wide.size(); i++) {
                    worst = std::max(worst, std::fabs(samples[i] - wide[i]));
                }
                EXPECT_LT(worst, 1.5f / 128) << "the sets differ in content";
            }
            EXPECT_EQ(SoundSeek(file.name, file.entries, 14), 0u) << "one past the last";
        }
    }
    SoundFree(14);
    eightBitSound = 0;
}

TEST_F(AudioFilesTest, MusicIsOneWaveImageAndPlaysOnceThrough) {
    for (const SoundFile& file : SoundFiles()) {
        if (file.entries != 0) {
            continue;
        }
        for (uint32_t bits : {16u, 8u}) {
            SCOPED_TRACE(std::string(file.name) + " " + std::to_string(bits) + "-bit");
            eightBitSound = bits == 8 ? 1 : 0;
            const std::string image = File(file.name, bits);
            ASSERT_EQ(WaveProblem(image, bits), "");
            std::vector<float> samples = Samples(image, bits);
            Bounds bounds = LengthBounds(file.name, 0);
            EXPECT_GE(samples.size() / 22050.0, bounds.min);
            EXPECT_LE(samples.size() / 22050.0, bounds.max);
            EXPECT_GT(PeakOf(samples), 0.1f) << "silent";
            // Music sits under the effects and voices.
            EXPECT_LT(PeakOf(samples), 0.6f);
            EXPECT_EQ(SoundLoad(file.name, kMusicSound), 1u);
            SoundFree(kMusicSound);
        }
    }
    eightBitSound = 0;
}

TEST_F(AudioFilesTest, LipSyncSeesEveryLineSpoken) {
    // As the talking heads read a line: one 16-bit sample every 4410 bytes
    // from byte 44, loud above 256. Every line must open the mouth, and a
    // line of a second or more must also close it between words.
    for (int character : {4, 20, 21}) {
        char name[8];
        std::snprintf(name, sizeof name, "char%02d", character);
        std::vector<std::string> entries = Entries(File(name, 16));
        ASSERT_EQ(static_cast<int>(entries.size()), CommentCount(character));
        for (size_t e = 0; e < entries.size(); e++) {
            SCOPED_TRACE(std::string(name) + " comment " + std::to_string(e + 1));
            const std::string& image = entries[e];
            int loud = 0, quiet = 0;
            for (size_t at = 44; at + 4410 < image.size(); at += 4410) {
                (std::abs(static_cast<int16_t>(U16(image, at))) > 256 ? loud : quiet)++;
            }
            EXPECT_GT(loud, 0);
            if (image.size() > 44 + 44100) {
                EXPECT_GT(quiet, 0);
            }
        }
    }
}

// The captions file holds every spoken line word for word, as the game reads it.
TEST_F(AudioFilesTest, EverySpokenLineHasItsCaption) {
    ResetCaptions();
    for (const VoiceLine& line : VoiceLines()) {
        const char* caption = CaptionText(line.character, line.comment);
        ASSERT_NE(caption, nullptr) << line.character << " " << line.comment;
        EXPECT_STREQ(caption, line.text);
    }
    EXPECT_EQ(LogText().find("captions.txt"), std::string::npos);
    ResetCaptions();
}

}  // namespace
