#include "app/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/config.h"
#include "support/temp_dir.h"
#include "sys/backend.h"
#include "sys/identity.h"
#include "sys/replay.h"

namespace {

class ReplayFileTest : public ScratchTest {
protected:
    void TearDown() override {
        ReplayReset();
        ScratchTest::TearDown();
    }
    // Loads `bytes` as a recording; the error when refused.
    std::string Refusal(const std::vector<uint8_t>& bytes) {
        WriteBytes(dir + "r.rgr", std::string(bytes.begin(), bytes.end()));
        std::string error;
        return ReplayLoad(dir + "r.rgr", ReplayPace::Headless, &error) ? "" : error;
    }
};

// What is not a recording of this game, or of this version, is refused with a
// reason, and so is a header cut short; a good header loads.
TEST_F(ReplayFileTest, OnlyThisVersionsRecordingsLoad) {
    std::string error;
    EXPECT_FALSE(ReplayLoad(dir + "missing.rgr", ReplayPace::Headless, &error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;

    const std::vector<uint8_t> good = ReplayHeader(false, true, std::string(877, 'x'));
    EXPECT_EQ(Refusal(good), "");
    EXPECT_NE(Refusal({'n', 'o', 't', ' ', 'o', 'n', 'e', '!', 1}).find("not a recording"),
              std::string::npos);

    std::vector<uint8_t> older(good.begin(), good.begin() + 9);  // magic and format
    SysReplayPutBytes(&older, "0.99", 4);
    older.insert(older.end(), good.begin() + 9 + 1 + std::strlen(kGameVersion), good.end());
    const std::string why = Refusal(older);
    EXPECT_NE(why.find("another version of the game (0.99; this is "), std::string::npos) << why;

    std::vector<uint8_t> otherFormat = good;
    otherFormat[8] = 2;
    EXPECT_NE(Refusal(otherFormat).find("format 2"), std::string::npos);

    for (size_t cut = 9 + 1 + std::strlen(kGameVersion); cut < good.size(); cut += 50) {
        EXPECT_EQ(Refusal(std::vector<uint8_t>(good.begin(), good.begin() + cut)),
                  "its header is damaged")
            << "cut at " << cut;
    }
}

// A recording made with other data is refused before anything is written; one
// with ours puts its options.dat and settings in place.
TEST_F(ReplayFileTest, OtherDataIsRefusedOursIsPlayed) {
    WriteBytes(dir + "data/ReedShot/a.256", "pictures");
    dataDir = dir + "data/ReedShot/";
    showCaptions = 1;
    const std::vector<uint8_t> ours = ReplayHeader(false, true, "saved games");
    showCaptions = 0;
    WriteBytes(dir + "data/ReedShot/a.256", "pictureS");
    EXPECT_EQ(Refusal(ours), "");
    EXPECT_FALSE(ReplayBegin());
    bool exists = true;
    ReadBytes(dir + "options.dat", &exists);
    EXPECT_FALSE(exists) << "nothing is written for a recording that is refused";

    WriteBytes(dir + "data/ReedShot/a.256", "pictures");
    EXPECT_EQ(Refusal(ours), "");
    EXPECT_TRUE(ReplayBegin());
    EXPECT_TRUE(SysReplayPlaying());
    EXPECT_EQ(ReadBytes(dir + "options.dat"), "saved games");
    EXPECT_EQ(showCaptions, 1u);
    dataDir.clear();
}

// A session in a window records into the replays folder, making room by
// removing the oldest recordings so that the newest 20 are kept, and touching
// nothing else there.
TEST_F(ReplayFileTest, ASessionInAWindowRecordsAndKeepsTheNewest20) {
    const std::string folder = ReplayFolder();
    for (int i = 10; i < 35; ++i) {
        WriteBytes(folder + "20200101-0000" + std::to_string(i) + "-1.rgr", "old");
    }
    WriteBytes(folder + "notes.txt", "mine");
    WriteBytes(dir + "options.dat", "saved games");
    SysSetHeadless(false);
    EXPECT_TRUE(ReplayBegin());
    EXPECT_TRUE(SysReplayRecording());
    ReplayEnd();
    SysSetHeadless(true);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 21u);
    EXPECT_EQ(names.front(), "20200101-000016-1.rgr") << "the six oldest made room";
    EXPECT_EQ(names.back(), "notes.txt");
    const std::string made = ReadBytes(folder + names[names.size() - 2]);
    EXPECT_EQ(made.substr(0, 8), "RGREPLAY");
    EXPECT_NE(made.find("saved games"), std::string::npos) << "the starting options.dat";
    EXPECT_EQ(ReadBytes(dir + "options.dat"), "saved games");
}

}  // namespace
