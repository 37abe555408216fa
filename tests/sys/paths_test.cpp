#include "sys/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

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

namespace {

class PicturesDirTest : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        const char* home = std::getenv("HOME");
        oldHome = home != nullptr ? home : "";
        setenv("HOME", (dir + "home").c_str(), 1);
        unsetenv("XDG_PICTURES_DIR");
    }
    void TearDown() override {
        setenv("HOME", oldHome.c_str(), 1);
        unsetenv("XDG_PICTURES_DIR");
        ScratchTest::TearDown();
    }
    void UserDirs(const std::string& text) { WriteBytes(dir + "config/user-dirs.dirs", text); }
    std::string oldHome;
};

// The variable, else the desktop's list (as its shell would read it), else ~/Pictures.
TEST_F(PicturesDirTest, VariableThenTheDesktopsListThenPictures) {
    const std::string home = dir + "home";
    EXPECT_EQ(SysPicturesDir(), home + "/Pictures/") << "no list";
    struct Case {
        const char* list;
        std::string expected;
    };
    const Case cases[] = {
        {"# a comment\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home + "/Bilder/"},
        {"XDG_PICTURES_DIR=\"/srv/shots/\"\n", "/srv/shots/"},
        {"XDG_PICTURES_DIR=\"$HOME/A\"\nXDG_PICTURES_DIR=\"$HOME/B\"\n", home + "/B/"},
        {"XDG_PICTURES_DIR=\"$HOME/\"\n", home + "/Pictures/"},  // turned off
        {"XDG_PICTURES_DIR=\"relative/dir\"\n", home + "/Pictures/"},
        {"XDG_PICTURES_DIR=$HOME/unquoted\n", home + "/Pictures/"},
        {"XDG_PICTURES_DIR=\"\n", home + "/Pictures/"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", home + "/Pictures/"},
    };
    for (const Case& c : cases) {
        UserDirs(c.list);
        EXPECT_EQ(SysPicturesDir(), c.expected) << c.list;
    }

    setenv("XDG_PICTURES_DIR", "/var/pictures", 1);
    EXPECT_EQ(SysPicturesDir(), "/var/pictures/") << "the variable first";
    setenv("XDG_PICTURES_DIR", "not/absolute", 1);
    EXPECT_EQ(SysPicturesDir(), home + "/Pictures/") << "a relative one is ignored";
}

}  // namespace
