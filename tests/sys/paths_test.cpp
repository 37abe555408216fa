#include "sys/paths.h"

#include <gtest/gtest.h>

// The installed game finds its data in <prefix>/share/reedgunner/ from bin/ and
// from libexec/reedgunner/ alike; the build tree's bin/ keeps its own prefix.
TEST(PathsTest, ProgramPrefixFromBinAndLibexec) {
    EXPECT_EQ(SysProgramPrefix("/usr/bin/reedgunner"), "/usr");
    EXPECT_EQ(SysProgramPrefix("/usr/libexec/reedgunner/reedgunner-script"), "/usr");
    EXPECT_EQ(SysProgramPrefix("/tmp/root/usr/libexec/reedgunner/reedgunner-gallery"),
              "/tmp/root/usr");
    EXPECT_EQ(SysProgramPrefix("/home/ann/rg/build/bin/reedgunner-script"), "/home/ann/rg/build");
    // Only our own folder under libexec is a floor deeper.
    EXPECT_EQ(SysProgramPrefix("/opt/libexec/other/tool"), "/opt/libexec");
    EXPECT_EQ(SysProgramPrefix("/opt/libexec/reedgunnerx/tool"), "/opt/libexec");
    EXPECT_EQ(SysProgramPrefix("/opt/reedgunner/libexec"), "/opt");
    // Too short to have a prefix.
    EXPECT_EQ(SysProgramPrefix("reedgunner"), "");
    EXPECT_EQ(SysProgramPrefix("bin/reedgunner"), "");
    EXPECT_EQ(SysProgramPrefix(""), "");
}
