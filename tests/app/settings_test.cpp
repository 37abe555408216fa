// The settings dialog, the screenshot key and the window's focus, played by
// the script runner through the real screens.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_keys.h"
#include "app/game_fixture.h"
#include "engine/config.h"
#include "hunt/panel.h"
#include "platform/sound.h"
#include "support/snap_pixels.h"
#include "sys/backend.h"

namespace {

class SettingsTest : public GameTest {
protected:
    void TearDown() override {
        unsetenv("XDG_PICTURES_DIR");
        GameTest::TearDown();
    }
    std::string Snap(const std::string& name) { return ReadBytes("snaps/" + name + ".png"); }
    // The files of a folder, by name.
    static std::vector<fs::path> Files(const fs::path& folder) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(folder)) {
            files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(SettingsTest, DialogOverTheRosterAndTheHuntAScreenshotAndTheHuntPausedWhileAway) {
    WriteBytes(dir + "config/pellmar/Settings.ini", "; the player's own note\n[Settings]\nCDROM=" +
                                                        kDataRoot.string() + "\nFancyKey=7\n");
    setenv("XDG_PICTURES_DIR", (dir + "pictures").c_str(), 1);
    fs::create_directories("snaps");
    ASSERT_EQ(RunScript(Script("settings_script.txt"), "snaps"), 0) << ReadBytes("runner.out");

    // Cancel put back every pixel of the roster; the changes had shown.
    EXPECT_FALSE(Snap("roster_before").empty());
    EXPECT_TRUE(Snap("roster_after") == Snap("roster_before"));
    EXPECT_TRUE(Snap("roster_dialog") != Snap("roster_before"));
    EXPECT_TRUE(Snap("roster_changed") != Snap("roster_dialog"));

    // Okay wrote its values after the file's own, which stayed as they were;
    // the cancelled window size and renderer are not among them.
    EXPECT_EQ(ReadBytes(dir + "config/pellmar/Settings.ini"),
              "; the player's own note\n[Settings]\nCDROM=" + kDataRoot.string() +
                  "\nFancyKey=7\nDirectX=1\nDirectVideo=1\nCaptions=1\nWindowScale=0\n"
                  "Fullscreen=0\nSoundVolume=90\nMusicVolume=100\nPauseOnFocusLoss=1\n"
                  "MuteOnFocusLoss=0\nGamepad=1\nPointerSpeed=75\nHardwarePointer=0\n");

    // Six seconds in the dialog and six away: the hunt's clock stood still
    // (the dialog and the pause box leave the clock in sight), and the hunt
    // came back exactly as it was.
    const std::vector<uint8_t> before = SnapRgb(Snap("hunt_before"));
    for (const char* name : {"hunt_dialog", "hunt_away"}) {
        EXPECT_EQ(SnapDiffer(before, SnapRgb(Snap(name)), kClockX, kClockY, kClockW, kClockH), 0)
            << name;
        EXPECT_GT(SnapDiffer(before, SnapRgb(Snap(name)), 0, 0, 640, 400), 10000) << name;
    }
    EXPECT_TRUE(Snap("hunt_after") == Snap("hunt_before")) << "no minute on closing either";
    EXPECT_TRUE(Snap("hunt_back") == Snap("hunt_before"));

    // F12 while away: the pause box as the player saw it, logged.
    const std::vector<fs::path> shots = Files(dir + "pictures/Talmadge Reed Gunner");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_TRUE(ReadBytes(shots[0].string()) == Snap("hunt_away"));
    EXPECT_EQ(LogCount("Screenshot: " + shots[0].string()), 1) << LogText();
}

TEST_F(SettingsTest, ScreenshotsNeverClashAndOneThatCannotBeWrittenChangesNothing) {
    UseData(kDataRoot);
    WriteBytes("away.txt",
               "until screen 0\nkey F12\nkey F12\nwait 100\nclick 40 450\n"
               "until screen 1\nclose\n");
    // No XDG_PICTURES_DIR: the desktop's own list names the folder, made when missing.
    unsetenv("XDG_PICTURES_DIR");
    WriteBytes(dir + "config/user-dirs.dirs",
               "# written by the desktop\nXDG_PICTURES_DIR=\"" + dir + "Bilder\"\n");
    ASSERT_EQ(RunScript("away.txt", "."), 0) << ReadBytes("runner.out");
    const std::vector<fs::path> shots = Files(dir + "Bilder/Talmadge Reed Gunner");
    ASSERT_EQ(shots.size(), 2u) << "two presses, maybe in one second";
    EXPECT_NE(ReadBytes(shots[0].string()), "");
    EXPECT_TRUE(ReadBytes(shots[0].string()) == ReadBytes(shots[1].string()));

    // A file where the folder would be: logged, and the game goes on.
    WriteBytes(dir + "blocked", "");
    setenv("XDG_PICTURES_DIR", (dir + "blocked").c_str(), 1);
    ASSERT_EQ(RunScript("away.txt", "."), 0) << ReadBytes("runner.out");
    EXPECT_EQ(LogCount("ERROR: no screenshot: " + dir +
                       "blocked/Talmadge Reed Gunner/ cannot be "
                       "made"),
              2)
        << LogText();
}

// MuteOnFocusLoss silences the game while the window is away and gives the
// sound back on return; off, the focus changes nothing.
TEST_F(SettingsTest, MuteOnFocusLossSilencesWhileAway) {
    SysSetHeadless(true);
    SoundReset();
    ASSERT_EQ(SoundInit(), 1u);
    ResetCommandKeys();
    WindowFocusChanged(false);
    EXPECT_FALSE(SoundMuted()) << "off by default";
    WindowFocusChanged(true);

    muteOnFocusLoss = 1;
    WindowFocusChanged(false);
    EXPECT_TRUE(SoundMuted());
    WindowFocusChanged(true);
    EXPECT_FALSE(SoundMuted());
    ResetCommandKeys();
    SoundReset();
    SysSetHeadless(false);
}

}  // namespace
