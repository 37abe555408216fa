// The audio tools' own parts: wave images and banks byte for byte (and read
// back by the game's sound module), sample conversion at its limits, the
// synthesis helpers at their edges, the note data parser and the line table.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "bank_writer.h"
#include "catalogue.h"
#include "engine/config.h"
#include "headless_sound.h"
#include "platform/sound.h"
#include "score.h"
#include "synth.h"
#include "sys/backend.h"
#include "voice_lines.h"
#include "wav_writer.h"

namespace {

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(AudioWriters, WaveImageIsByteExact) {
    const synth::Buffer samples = {0.0f, 1.0f, -1.0f};
    const std::string expected16 =
        std::string("RIFF") + std::string("\x2a\0\0\0", 4) + "WAVEfmt " +
        std::string("\x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0", 20) + "data" +
        std::string("\x06\0\0\0\0\0\xff\x7f\x01\x80", 10);
    EXPECT_EQ(Text(WavImage(samples, 16)), expected16);
    const std::string image8 = Text(WavImage(samples, 8));
    ASSERT_EQ(image8.size(), 47u);
    EXPECT_EQ(image8.substr(28, 8), std::string("\x22\x56\0\0\x01\0\x08\0", 8))
        << "byte rate, alignment and bits of the 8-bit set";
    EXPECT_EQ(image8.substr(40), std::string("\x03\0\0\0\x80\xff\x01", 7));
    EXPECT_EQ(WavImage({}, 16).size(), kWavHeaderSize) << "an empty sound is a bare header";
}

TEST(AudioWriters, SampleConversionClipsAndRounds) {
    EXPECT_EQ(To16(0.0f), 0);
    EXPECT_EQ(To16(1.0f), 32767);
    EXPECT_EQ(To16(-1.0f), -32767);
    EXPECT_EQ(To16(7.5f), 32767) << "clipped, not wrapped";
    EXPECT_EQ(To16(-7.5f), -32767);
    EXPECT_EQ(To16(0.5f), 16384) << "nearest, halves away from zero";
    EXPECT_EQ(To16(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(To16(std::numeric_limits<float>::infinity()), 32767);
    EXPECT_EQ(To8(0.0f), 128);
    EXPECT_EQ(To8(1.0f), 255);
    EXPECT_EQ(To8(-1.0f), 1);
    EXPECT_EQ(To8(-3.0f), 1);
    EXPECT_EQ(To8(3.0f), 255);
    EXPECT_EQ(To8(std::numeric_limits<float>::quiet_NaN()), 128);
}

using AudioBankTest = HeadlessSoundTest;

TEST_F(AudioBankTest, BanksReadBackThroughTheSoundModule) {
    std::vector<synth::Buffer> sounds = {synth::Buffer(10, 0.25f), synth::Buffer(3, -0.5f),
                                         synth::Buffer(700, 0.1f)};
    ASSERT_TRUE(WriteBankSets(dir, "test", sounds));
    const std::string bank = ReadBytes(dir + "test.16b");
    ASSERT_EQ(bank.size(), 516u + 1558);
    EXPECT_EQ(bank.substr(516 + 64, 50), Text(WavImage(sounds[1], 16)));
    const uint32_t sizes[3] = {64, 50, 1444};
    for (int bits : {16, 8}) {
        eightBitSound = bits == 8 ? 1 : 0;
        for (int e = 0; e < 3; e++) {
            EXPECT_EQ(SoundSeek("test", e, 0), bits == 16 ? sizes[e] : 44 + (sizes[e] - 44) / 2)
                << bits << "-bit entry " << e;
        }
        EXPECT_EQ(SoundSeek("test", 3, 0), 0u);
    }
    eightBitSound = 0;

    ASSERT_TRUE(WriteMusicSets(dir, "tune", sounds[2]));
    EXPECT_EQ(ReadBytes(dir + "tune.16b"), Text(WavImage(sounds[2], 16)));
    EXPECT_EQ(ReadBytes(dir + "tune.8b"), Text(WavImage(sounds[2], 8)));
    EXPECT_EQ(SoundLoad("tune", kMusicSound), 1u);

    EXPECT_FALSE(WriteBankSets(dir + "no/such/folder", "test", sounds));
}

TEST_F(AudioBankTest, ABankHoldsAtMost128Entries) {
    std::vector<std::vector<uint8_t>> images(130, WavImage(synth::Buffer(2, 0.5f), 16));
    std::vector<uint8_t> bank = BankImage(images);
    ASSERT_EQ(bank.size(), 516u + 128 * 48);
    EXPECT_EQ(bank[0], 128);
    EXPECT_EQ(bank[1], 0);
    ASSERT_TRUE(::WriteBytes(dir + "full.16b", bank));
    EXPECT_EQ(SoundSeek("full", 127, 0), 48u);
    EXPECT_EQ(SoundSeek("full", 128, 0), 0u);
    std::vector<uint8_t> empty = BankImage({});
    EXPECT_EQ(empty, std::vector<uint8_t>(516, 0));
}

TEST(AudioSynth, EdgesOfTheHelpers) {
    synth::Rng a{7}, b{7}, c{8};
    for (int i = 0; i < 100; i++) {
        float x = a.Bipolar();
        ASSERT_EQ(x, b.Bipolar()) << "the same seed gives the same noise";
        ASSERT_GE(x, -1.0f);
        ASSERT_LT(x, 1.0f);
    }
    EXPECT_NE(a.Next(), c.Next());

    EXPECT_EQ(synth::Frames(-1.0), 0u);
    EXPECT_EQ(synth::Frames(1.0), 22050u);

    synth::Buffer silent(100, 0.0f);
    synth::Normalise(silent, 0.7f);
    EXPECT_EQ(synth::Peak(silent), 0.0f) << "no division by a zero peak";
    synth::Trim(silent, 0.01f, 0.1);
    EXPECT_TRUE(silent.empty());
    EXPECT_EQ(synth::Rms(silent), 0.0f);

    synth::Buffer blip(2205, 0.0f);
    blip[1000] = 0.5f;
    synth::Trim(blip, 0.01f, 0.001);  // 22 frames of margin
    EXPECT_EQ(blip.size(), 22u + 1 + 22);
    synth::Normalise(blip, 0.7f);
    EXPECT_FLOAT_EQ(synth::Peak(blip), 0.7f);

    synth::Buffer mix;
    synth::MixInto(mix, synth::Buffer(10, 0.5f), 1.0, 0.5);
    ASSERT_EQ(mix.size(), 22050u + 10);
    EXPECT_EQ(mix[0], 0.0f);
    EXPECT_EQ(mix[22050], 0.25f);

    synth::Buffer tone = synth::Tone(0.1, 1000, synth::Wave::Sine);
    EXPECT_NEAR(synth::Rms(tone), std::sqrt(0.5), 0.01);
    synth::LowPass(tone, 100);
    EXPECT_LT(synth::Rms(tone), 0.1) << "a 100 Hz low pass takes out most of 1 kHz";
}

TEST(AudioScore, NoteDataParsesAndRefusesNonsense) {
    EXPECT_EQ(KeyOf("C4"), 60);
    EXPECT_EQ(KeyOf("A4"), 69);
    EXPECT_EQ(KeyOf("F#3"), 54);
    EXPECT_EQ(KeyOf("Bb2"), 46);
    EXPECT_EQ(KeyOf("C0"), 12);
    for (const char* bad : {"", "C", "H4", "c4", "C#", "C44", "C-1", "Cx4"}) {
        EXPECT_EQ(KeyOf(bad), -1) << bad;
    }

    std::vector<NoteEvent> events;
    std::string error;
    ASSERT_TRUE(AddMelody("C4:1 | r:1 E4:2", 3, 80, 4, &events, &error));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].key, 60);
    EXPECT_EQ(events[0].beat, 4.0);
    EXPECT_EQ(events[0].channel, 3);
    EXPECT_EQ(events[1].key, 64);
    EXPECT_EQ(events[1].beat, 6.0);

    for (const char* bad : {"C4", "C4:", "C4:x", "C4:-1", ":2", "Q4:1", "C4:1x"}) {
        error.clear();
        EXPECT_FALSE(AddMelody(bad, 0, 80, 0, &events, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_FALSE(AddChords("G:4 F#m:4", Style::Strum, 0, 70, 0, &events, &error));
    EXPECT_EQ(error, "F#m");

    std::vector<Token> tokens;
    ASSERT_TRUE(ParseTokens("G:4 | Em:2 B7:1.5 r:0.5", &tokens, &error));
    EXPECT_EQ(TotalBeats(tokens), 8.0);

    // Accompaniment stays inside its chord's time and on its channel.
    events.clear();
    for (Style style : {Style::Strum, Style::Pick, Style::Pad, Style::Bass, Style::Shaker}) {
        ASSERT_TRUE(AddChords("G:4 C:2", style, 5, 60, 8, &events, &error));
    }
    for (const NoteEvent& e : events) {
        EXPECT_GE(e.beat, 8.0);
        EXPECT_LT(e.beat, 14.0);
        EXPECT_EQ(e.channel, 5);
        EXPECT_GE(e.velocity, 1);
    }
}

TEST(AudioLines, EveryCommentOnceAndInOrder) {
    const int counts[3][2] = {{4, 41}, {20, 18}, {21, 4}};
    for (const auto& [character, count] : counts) {
        EXPECT_EQ(CommentCount(character), count) << "character " << character;
        for (int k = 1; k <= count; k++) {
            ASSERT_NE(CommentText(character, k), nullptr) << character << " comment " << k;
        }
        EXPECT_EQ(CommentText(character, count + 1), nullptr);
        EXPECT_EQ(CommentText(character, 0), nullptr);
    }
    for (const VoiceLine& a : VoiceLines()) {
        int same = 0;
        for (const VoiceLine& b : VoiceLines()) {
            same += a.character == b.character && a.comment == b.comment;
        }
        EXPECT_EQ(same, 1) << a.character << " comment " << a.comment << " twice";
    }
    EXPECT_EQ(Speakers().size(), 3u);
    EXPECT_EQ(EntryWhat("char04", 16), "comment 17: \"Nice shot!\"");
    EXPECT_EQ(EntryWhat("sounds", 12), "?");
    EXPECT_EQ(EntryWhat("calls", -1), "?");
}

}  // namespace
