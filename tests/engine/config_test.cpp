#include "engine/config.h"

#include <sys/stat.h>

#include <string>

#include "support/temp_dir.h"
#include "sys/paths.h"

namespace {

class ConfigTest : public ScratchTest {
protected:
    std::string SettingsPath() const { return dir + "config/pellmar/Settings.ini"; }
};

TEST_F(ConfigTest, MissingFileIsCreatedEmptyAndDefaultsStand) {
    EXPECT_EQ(CheckRegistry(), 1u);
    bool exists = false;
    EXPECT_EQ(ReadBytes(SettingsPath(), &exists), "");
    EXPECT_TRUE(exists);
    EXPECT_EQ(DirectSound, 1u);
    EXPECT_EQ(DirectX, 1u);
    EXPECT_EQ(DirectVideo, 1u);
    EXPECT_EQ(eightBitSound, 0u);
    EXPECT_EQ(debugLog, 0u);
    EXPECT_EQ(gamepadOn, 1u);
    EXPECT_EQ(pointerSpeed, 100u);
    EXPECT_EQ(hardwarePointer, 0u);
    EXPECT_EQ(dataDir, "") << "without CDROM data files are opened by bare names";
    EXPECT_EQ(installDir, "");
    EXPECT_EQ(LogText(), "");
}

TEST_F(ConfigTest, EveryValueIsReadOverItsDefault) {
    WriteBytes(dir + "cdrom/ReedShot/icons.256", "");
    WriteBytes(SettingsPath(), "[Settings]\nCDROM=" + dir +
                                   "cdrom\nInstallPath=/opt/pellmar\nDirectSound=0\n"
                                   "DirectX=0\nDirectVideo=1\n8bitSound=1\nDebug=1\n"
                                   "Gamepad=0\nPointerSpeed=250\nHardwarePointer=1\n");
    CheckRegistry();
    EXPECT_EQ(dataDir, dir + "cdrom/ReedShot/") << "a separator is added when missing";
    EXPECT_EQ(installDir, "/opt/pellmar");
    EXPECT_EQ(DirectSound, 0u);
    EXPECT_EQ(DirectX, 0u);
    EXPECT_EQ(DirectVideo, 1u);
    EXPECT_EQ(eightBitSound, 1u);
    EXPECT_EQ(debugLog, 1u);
    EXPECT_EQ(gamepadOn, 0u);
    EXPECT_EQ(pointerSpeed, 250u);
    EXPECT_EQ(hardwarePointer, 1u);
    ResetSettings();
    EXPECT_EQ(pointerSpeed, 100u);
}

TEST_F(ConfigTest, GarbageAndWrongTypesKeepDefaultsWithOneLineEach) {
    WriteBytes(SettingsPath(),
               "[Settings]\nDirectSound=loud\nDebug=1\nthis is not a setting\n"
               "DirectX=0x100000000\nUnknownThing=5\n");
    CheckRegistry();
    EXPECT_EQ(DirectSound, 1u);
    EXPECT_EQ(DirectX, 1u);
    EXPECT_EQ(debugLog, 1u);
    EXPECT_EQ(LogText(),
              "ERROR: Settings.ini line 4 is not Name=value: this is not a setting\r\n"
              "ERROR: setting DirectSound is not a 32-bit number\r\n"
              "ERROR: setting DirectX is not a 32-bit number\r\n");
}

TEST_F(ConfigTest, ANamedPipeForTheFileIsRefusedNotWaitedOn) {
    WriteBytes(dir + "config/pellmar/placeholder", "");
    ASSERT_EQ(mkfifo(SettingsPath().c_str(), 0644), 0);
    CheckRegistry();
    EXPECT_EQ(DirectSound, 1u);
    EXPECT_EQ(pointerSpeed, 100u);
    EXPECT_EQ(LogText(),
              "ERROR: Settings.ini cannot be read (Invalid argument); the defaults hold\r\n");
}

TEST_F(ConfigTest, DataDirectoryFromCdrom) {
    const std::string longPath = dir + std::string(250, 'd') + "/games/";
    struct Case {
        std::string cdrom;
        std::string dataDir;
    };
    const Case cases[] = {
        {dir + "disc/", dir + "disc/ReedShot/"},
        {"relative", "relative/ReedShot/"},
        {"", "ReedShot/"},
        {longPath, longPath + "ReedShot/"},
    };
    for (const Case& c : cases) {
        WriteBytes(c.dataDir + "icons.256", "");
        ResetSettings();
        WriteBytes(SettingsPath(), "[Settings]\nCDROM=" + c.cdrom + "\n");
        CheckRegistry();
        EXPECT_EQ(dataDir, c.dataDir) << c.cdrom;
    }

    ResetSettings();
    WriteBytes(SettingsPath(), "[Settings]\nCDROM=/" + std::string(5000, 'x') + "\n");
    CheckRegistry();
    EXPECT_EQ(dataDir, "") << "a path beyond the system's limit is refused";
    EXPECT_NE(LogText().find("ERROR: setting CDROM is longer than"), std::string::npos);
}

// A moved clone: CDROM names a folder without ReedShot/. The data beside the
// program (this build's data/, when it was built) is used, and the log says so.
TEST_F(ConfigTest, ACdromFolderWithoutTheDataGivesWayToTheDataBesideTheProgram) {
    const std::string beside = SysProgramDataRoot();
#ifdef REEDGUNNER_DATA_DIR
    EXPECT_EQ(beside + "ReedShot/", REEDGUNNER_DATA_DIR) << "the build tree's data is found";
#endif
    WriteBytes(SettingsPath(), "[Settings]\nCDROM=" + dir + "moved\n");
    CheckRegistry();
    if (beside.empty()) {
        EXPECT_EQ(dataDir, dir + "moved/ReedShot/") << "nothing to fall back to";
        return;
    }
    EXPECT_EQ(dataDir, beside + "ReedShot/");
    EXPECT_EQ(LogText(), "CDROM folder " + dir + "moved/ holds no ReedShot/: using the data in " +
                             beside + "ReedShot/\r\n");
}

TEST_F(ConfigTest, UnreadableStoreLeavesDefaults) {
    // A folder where the file should be: it can be neither read nor created.
    WriteBytes(SettingsPath() + "/inside", "");
    DirectVideo = 0;
    DirectX = 0;
    EXPECT_EQ(CheckRegistry(), 1u);
    EXPECT_EQ(DirectX, 1u) << "the display rule still applies";
}

// A hand-edited file with values out of range: each is brought to the nearer
// end of its range, with a line saying so; the old settings keep any number.
TEST_F(ConfigTest, ValuesOutOfRangeAreBroughtIntoItWithALogLine) {
    WriteBytes(SettingsPath(),
               "[Settings]\nWindowScale=9\nFullscreen=1\nSoundVolume=250\nMusicVolume=-1\n"
               "PauseOnFocusLoss=7\nMuteOnFocusLoss=1\nPointerSpeed=5\nHardwarePointer=0\n"
               "Gamepad=0\nDirectX=5\n");
    CheckRegistry();
    EXPECT_EQ(windowScale, 4u);
    EXPECT_EQ(fullscreen, 1u);
    EXPECT_EQ(soundVolume, 100u);
    EXPECT_EQ(musicVolume, 100u) << "-1 reads as the largest number";
    EXPECT_EQ(pauseOnFocusLoss, 1u);
    EXPECT_EQ(muteOnFocusLoss, 1u);
    EXPECT_EQ(pointerSpeed, kMinPointerSpeed);
    EXPECT_EQ(hardwarePointer, 0u);
    EXPECT_EQ(gamepadOn, 0u);
    EXPECT_EQ(DirectX, 5u);
    EXPECT_EQ(LogText(),
              "ERROR: setting WindowScale=9 is outside 0 to 4: 4 is used\r\n"
              "ERROR: setting SoundVolume=250 is outside 0 to 100: 100 is used\r\n"
              "ERROR: setting MusicVolume=4294967295 is outside 0 to 100: 100 is used\r\n"
              "ERROR: setting PauseOnFocusLoss=7 is outside 0 to 1: 1 is used\r\n"
              "ERROR: setting PointerSpeed=5 is outside 25 to 400: 25 is used\r\n");

    ResetSettings();
    EXPECT_EQ(windowScale, 0u);
    EXPECT_EQ(soundVolume, 100u);
    EXPECT_EQ(pauseOnFocusLoss, 1u);
    EXPECT_EQ(pointerSpeed, 100u);
    EXPECT_EQ(gamepadOn, 1u);
}

// The values the settings dialog writes, in the order they are added.
std::string Written(const char* eol) {
    std::string text;
    for (const std::string line :
         {"DirectX=0", "DirectVideo=1", "Captions=1", "WindowScale=2", "Fullscreen=0",
          "SoundVolume=40", "MusicVolume=100", "PauseOnFocusLoss=0", "MuteOnFocusLoss=1",
          "Gamepad=1", "PointerSpeed=150", "HardwarePointer=0"}) {
        text += line + eol;
    }
    return text;
}

TEST_F(ConfigTest, SavingRewritesItsValuesAndKeepsTheRestOfTheFile) {
    struct Case {
        const char* why;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"none yet", "", "[Settings]\n" + Written("\n")},
        {"comments, an unknown key, CR LF ends, a name in its own case and indent, a duplicate "
         "and another section",
         "; kept\r\n[Settings]\r\nCDROM=/disc\r\n  captions = 0\r\nFancy=7\r\nDirectX=1\r\n"
         "Captions=0\r\n\r\n# also kept\r\n[Other]\r\nCaptions=5\r\nDirectX=1",
         "; kept\r\n[Settings]\r\nCDROM=/disc\r\n  captions=1\r\nFancy=7\r\nDirectX=0\r\n"
         "Captions=1\r\nDirectVideo=1\r\nWindowScale=2\r\nFullscreen=0\r\nSoundVolume=40\r\n"
         "MusicVolume=100\r\nPauseOnFocusLoss=0\r\nMuteOnFocusLoss=1\r\nGamepad=1\r\n"
         "PointerSpeed=150\r\nHardwarePointer=0\r\n\r\n# also kept\r\n[Other]\r\nCaptions=5\r\n"
         "DirectX=1"},
        {"values before any header and no last line end", "Fancy=7", "Fancy=7\n" + Written("\n")},
        {"only another section", "[Other]\nA=1", "[Other]\nA=1\n[Settings]\n" + Written("\n")},
    };
    for (const Case& c : cases) {
        WriteBytes(SettingsPath(), c.before);
        ResetSettings();
        CheckRegistry();
        DirectX = 0;
        showCaptions = 1;
        windowScale = 2;
        soundVolume = 40;
        pauseOnFocusLoss = 0;
        muteOnFocusLoss = 1;
        pointerSpeed = 150;
        ASSERT_TRUE(SaveSettings()) << c.why;
        EXPECT_EQ(ReadBytes(SettingsPath()), c.after) << c.why;
        bool exists = true;
        ReadBytes(SettingsPath() + ".new", &exists);
        EXPECT_FALSE(exists) << c.why;

        // Read back, every value as saved.
        ResetSettings();
        CheckRegistry();
        EXPECT_EQ(DirectX, 0u) << c.why;
        EXPECT_EQ(showCaptions, 1u) << c.why;
        EXPECT_EQ(windowScale, 2u) << c.why;
        EXPECT_EQ(soundVolume, 40u) << c.why;
        EXPECT_EQ(pauseOnFocusLoss, 0u) << c.why;
        EXPECT_EQ(muteOnFocusLoss, 1u) << c.why;
        EXPECT_EQ(pointerSpeed, 150u) << c.why;
    }
}

TEST_F(ConfigTest, ASaveThatCannotBeWrittenLeavesTheFileWhole) {
    const std::string before = "; mine\n[Settings]\nCaptions=0\n";
    WriteBytes(SettingsPath(), before);
    // A folder where the new file would go.
    WriteBytes(SettingsPath() + ".new/inside", "");
    showCaptions = 1;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
    EXPECT_EQ(LogCount("ERROR: " + SettingsPath() + " not written: Is a directory"), 1)
        << LogText();

    // Too long to be a settings file: rewriting it would cut it.
    const std::string huge = "[Settings]\n" + std::string(2 << 20, ';') + "\n";
    WriteBytes(SettingsPath(), huge);
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(ReadBytes(SettingsPath()), huge);
    EXPECT_EQ(LogCount("longer than a settings file can be"), 1) << LogText();
}

}  // namespace
