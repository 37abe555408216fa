#include "engine/log.h"

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace {

using LogTest = ScratchTest;

TEST_F(LogTest, FirstLineStartsTheFileAnewAndLaterLinesAppend) {
    WriteBytes(dir + "state/pellmar/PELLMAR.TXT", "left over from an earlier run\r\n");
    LogPrintf("Talmadge Reed Gunner 1.0 Error Log");
    EXPECT_EQ(LogText(), "Talmadge Reed Gunner 1.0 Error Log\r\n");

    LogPrintf("SwitchScreen( %d )", 3);
    LogPrintf("wrong signature: %s", "junk");
    LogPrintf("flags %x", 0xBEEF);
    EXPECT_EQ(LogText(),
              "Talmadge Reed Gunner 1.0 Error Log\r\nSwitchScreen( 3 )\r\n"
              "wrong signature: junk\r\nflags beef\r\n");
}

TEST_F(LogTest, OverLongLineIsCutAt255Characters) {
    std::string longText(1000, 'x');
    LogPrintf("%s", longText.c_str());
    LogPrintf("next");
    EXPECT_EQ(LogText(), std::string(255, 'x') + "\r\nnext\r\n");
}

TEST_F(LogTest, UnwritableLocationIsHarmless) {
    // A regular file where the folder should be: neither mkdir nor open can work,
    // even for root.
    WriteBytes(dir + "blocker", "not a folder");
    setenv("XDG_STATE_HOME", (dir + "blocker/state").c_str(), 1);
    LogReset();
    LogPrintf("lost line %d", 1);
    LogPrintf("lost line %d", 2);
    bool exists = true;
    ReadBytes(dir + "blocker/state/pellmar/PELLMAR.TXT", &exists);
    EXPECT_FALSE(exists);
    EXPECT_EQ(ReadBytes(dir + "blocker"), "not a folder");
}

TEST_F(LogTest, RelativeStateHomeFallsBackToHome) {
    setenv("XDG_STATE_HOME", "relative/state", 1);
    setenv("HOME", (dir + "home").c_str(), 1);
    LogReset();
    LogPrintf("at home");
    EXPECT_EQ(ReadBytes(dir + "home/.local/state/pellmar/PELLMAR.TXT"), "at home\r\n");
}

}  // namespace
