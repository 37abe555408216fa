#include "aud/wav.h"

#include <gtest/gtest.h>

#include <string>

#include "aud/wav_image.h"

namespace {

bool Parse(const std::string& image, WavInfo* info, const char** error) {
    return ParseWav(reinterpret_cast<const uint8_t*>(image.data()),
                    static_cast<uint32_t>(image.size()), info, error);
}

TEST(WavTest, AcceptsEveryPcmKind) {
    struct Kind {
        uint16_t channels, bits;
        uint32_t rate;
    };
    for (Kind kind : {Kind{1, 8, 22050}, Kind{1, 16, 22050}, Kind{2, 8, 11025}, Kind{2, 16, 44100},
                      Kind{1, 16, 1000}, Kind{2, 16, 192000}}) {
        std::string data(kind.channels * kind.bits / 8 * 10, '\x11');
        std::string image = WavImage(kind.channels, kind.bits, kind.rate, data);
        WavInfo info;
        const char* error = "";
        ASSERT_TRUE(Parse(image, &info, &error)) << kind.channels << " channels, " << kind.bits
                                                 << " bits, " << kind.rate << ": " << error;
        EXPECT_EQ(info.channels, kind.channels);
        EXPECT_EQ(info.bitsPerSample, kind.bits);
        EXPECT_EQ(info.rate, kind.rate);
        EXPECT_EQ(info.dataSize, data.size());
        EXPECT_EQ(info.data,
                  reinterpret_cast<const uint8_t*>(image.data()) + image.size() - data.size());
    }
}

TEST(WavTest, SkipsOtherChunksAndKeepsWholeFrames) {
    // A LIST chunk of odd size (padded) before the format, and 5 bytes of
    // 16-bit stereo data: one whole frame.
    std::string good = WavImage(2, 16, 22050, "abcde");
    std::string list = "LIST";
    PutU32(list, 3);
    list += "xyz";
    list += '\0';
    std::string image = good.substr(0, 12) + list + good.substr(12);
    WavInfo info;
    const char* error = "";
    ASSERT_TRUE(Parse(image, &info, &error)) << error;
    EXPECT_EQ(info.dataSize, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.data), 4), "abcd");
}

TEST(WavTest, RefusesWhatItCannotPlay) {
    std::string data(40, '\0');
    std::string good = WavImage(1, 16, 22050, data);
    std::string shortData = good;
    shortData.resize(good.size() - 1);  // the data chunk states one byte more than there is
    std::string badAlign = good;
    badAlign[12 + 8 + 12] = 3;  // block alignment 3 for 16-bit mono
    std::string cases[][2] = {
        {"", "empty"},
        {std::string("RIFF\x04\0\0\0WAVE", 12), "no chunks"},
        {good.substr(0, 4) + "xxxxAVI " + good.substr(12), "not WAVE"},
        {WavImage(1, 16, 22050, data, 3), "float"},
        {WavImage(1, 16, 22050, data, 0xFFFE), "extensible"},
        {WavImage(1, 24, 22050, data), "24 bits"},
        {WavImage(1, 4, 22050, data), "4 bits"},
        {WavImage(3, 16, 22050, data), "three channels"},
        {WavImage(0, 16, 22050, data), "no channels"},
        {WavImage(1, 16, 0, data), "rate 0"},
        {WavImage(1, 16, 999, data), "rate below 1000"},
        {WavImage(1, 16, 192001, data), "rate above 192000"},
        {badAlign, "block alignment"},
        {shortData, "data beyond the image"},
        {good.substr(0, 36), "no data chunk"},
        {good.substr(0, 12) + good.substr(36), "data without format"},
        {good.substr(0, 30), "format chunk cut short"},
    };
    for (const auto& c : cases) {
        WavInfo info;
        const char* error = nullptr;
        EXPECT_FALSE(Parse(c[0], &info, &error)) << c[1];
        ASSERT_NE(error, nullptr) << c[1];
        EXPECT_GT(std::string(error).size(), 0u) << c[1];
    }
    WavInfo info;
    const char* error = nullptr;
    EXPECT_FALSE(ParseWav(nullptr, 0, &info, &error));
}

TEST(WavTest, ConvertsAtTheRightLength) {
    // Unchanged format and rate: the very same values.
    std::string same = Pcm16({1, -2, 32767, -32768});
    std::vector<int16_t> out;
    const char* error = "";
    ASSERT_TRUE(ConvertPcm(reinterpret_cast<const uint8_t*>(same.data()), 8, 1, 16, 22050, 22050,
                           &out, &error));
    EXPECT_EQ(out, (std::vector<int16_t>{1, -2, 32767, -32768}));
    // Half the rate: exactly twice the frames, none lost at the end.
    std::string second(2 * 11025, '\0');
    ASSERT_TRUE(ConvertPcm(reinterpret_cast<const uint8_t*>(second.data()), 2 * 11025, 1, 16, 11025,
                           22050, &out, &error));
    EXPECT_EQ(out.size(), 22050u);
}

}  // namespace
