#include "app/replay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/config.h"
#include "support/temp_dir.h"
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

}  // namespace
