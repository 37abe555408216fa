#include "engine/config.h"

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

}  // namespace
