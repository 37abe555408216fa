// The real `reedgunner` program started as a player would, on damaged data:
// every start-up that cannot go on says why in one line and exits 1 without
// writing saved games; a sound device that cannot open is one line too; a
// CDROM setting naming a folder without the data gives way to the build's.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_fixture.h"

namespace {

// The ReedShot files start-up reads before the title shows.
const char* const kStartFiles[] = {"icons.256", "pointers.256", "bkg_01.256", "fonts.dat",
                                   "sounds.16b"};

class StartTest : public GameTest {
protected:
    // A copy of the game in a prefix of its own, so that no data lies beside
    // it to fall back to.
    std::string CopyOfTheGame() {
        const fs::path bin = fs::path(dir) / "prefix" / "bin";
        fs::create_directories(bin);
        fs::copy_file(REEDGUNNER_GAME_BIN, bin / "reedgunner",
                      fs::copy_options::overwrite_existing);
        return (bin / "reedgunner").string();
    }
    // ReedShot/ under `root` with the start-up files linked to the real ones.
    void LinkData(const fs::path& root) {
        fs::remove_all(root);
        fs::create_directories(root / "ReedShot");
        for (const char* name : kStartFiles) {
            fs::create_symlink(kDataDir / name, root / "ReedShot" / name);
        }
    }
    // Runs `program` from the scratch folder with the player's folders in it
    // and `env` added; returns the exit code, standard error in `errors`.
    int Run(const std::string& program, const std::string& env, std::string* errors) {
        const std::string command = "cd '" + dir + "' && env -u DISPLAY -u WAYLAND_DISPLAY HOME='" +
                                    dir + "home' XDG_CONFIG_HOME='" + dir +
                                    "config' XDG_STATE_HOME='" + dir + "state' XDG_DATA_HOME='" +
                                    dir + "data' " + env + " timeout 60 " + program +
                                    " > out.txt 2> err.txt";
        const int status = std::system(command.c_str());
        *errors = ReadBytes(dir + "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string SavesDir() const { return dir + "data/pellmar/"; }
    // The log's last ERROR line without its "ERROR: " prefix.
    std::string LastLoggedError() const {
        std::istringstream lines(ReadBytes(dir + "state/pellmar/PELLMAR.TXT"));
        std::string line, last;
        while (std::getline(lines, line)) {
            if (line.rfind("ERROR", 0) == 0) {
                last = line.substr(line.find(' ') + 1);
                last.erase(last.find_last_not_of("\r") + 1);
            }
        }
        return last;
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(StartTest, EveryFatalCauseSaysWhyInOneLineAndEndsWithOne) {
    const std::string game = CopyOfTheGame();
    enum class Damage { Missing, CutShort, NoFolder };
    struct Cause {
        const char* file;
        Damage damage;
        const char* says;  // how the line starts after the title
    };
    const Cause causes[] = {
        {"", Damage::NoFolder, "The game cannot start: the data folder "},
        {"icons.256", Damage::Missing, "The game cannot start: "},
        {"icons.256", Damage::CutShort, "The game cannot start: "},
        {"pointers.256", Damage::Missing, "Unable to init mouse: "},
        {"pointers.256", Damage::CutShort, "Unable to init mouse: "},
        {"bkg_01.256", Damage::Missing, "The game cannot start: "},
        {"bkg_01.256", Damage::CutShort, "The game cannot start: "},
        {"fonts.dat", Damage::Missing, "The game cannot start: "},
        {"fonts.dat", Damage::CutShort, "The game cannot start: "},
    };
    const fs::path root = fs::path(dir) / "disc";
    for (const Cause& c : causes) {
        const std::string what =
            c.damage == Damage::NoFolder
                ? std::string("ReedShot/ missing")
                : std::string(c.file) + (c.damage == Damage::CutShort ? " cut short" : " missing");
        LinkData(root);
        const fs::path file =
            c.damage == Damage::NoFolder ? root / "ReedShot" : root / "ReedShot" / c.file;
        fs::remove_all(file);
        if (c.damage == Damage::CutShort) {
            const std::string bytes = ReadBytes((kDataDir / c.file).string());
            WriteBytes(file.string(), bytes.substr(0, bytes.size() / 2));
        }
        UseData(root);
        fs::remove_all(SavesDir());
        std::string errors;
        EXPECT_EQ(Run(game, "REEDGUNNER_HEADLESS=1", &errors), 1) << what;
        const std::vector<std::string> lines = Lines(errors);
        ASSERT_EQ(lines.size(), 1u) << what << ":\n"
                                    << errors << ReadBytes(dir + "state/pellmar/PELLMAR.TXT");
        EXPECT_EQ(lines[0].rfind(std::string("Reed Shot Error: ") + c.says, 0), 0u)
            << what << ": " << lines[0];
        EXPECT_NE(lines[0].find(file.string()), std::string::npos)
            << "names the file: " << lines[0];
        const std::string logged = LastLoggedError();
        EXPECT_FALSE(logged.empty()) << what;
        EXPECT_NE(lines[0].find(": " + logged), std::string::npos)
            << "the log's words: " << logged << "\n"
            << lines[0];
        EXPECT_TRUE(fs::is_directory(SavesDir())) << "the saves folder is made at once";
        EXPECT_FALSE(fs::exists(SavesDir() + "options.dat")) << what;
    }

    // No display at all: the line alone, before any window could show a box.
    LinkData(root);
    std::string errors;
    EXPECT_EQ(Run(game, "REEDGUNNER_HEADLESS=0 SDL_VIDEODRIVER=x11", &errors), 1);
    const std::vector<std::string> lines = Lines(errors);
    ASSERT_EQ(lines.size(), 1u) << errors;
    EXPECT_EQ(LastLoggedError(), "video mode not available: Could not open window");
    EXPECT_EQ(lines[0], "Reed Shot Error: The game cannot start: " + LastLoggedError());
    EXPECT_FALSE(fs::exists(SavesDir() + "options.dat"));
}

// A window on SDL's offscreen driver and a sound library that finds no device:
// one line of the game's own, none of the backends' noise; then fonts.dat is
// missing and the start-up ends as above, its box gone to standard error.
TEST_F(StartTest, NoSoundDeviceIsOneLineOfTheGamesOwn) {
    const fs::path root = fs::path(dir) / "disc";
    LinkData(root);
    fs::remove(root / "ReedShot" / "fonts.dat");
    UseData(root);
    std::string errors;
    // Every backend pointed at something that is not there.
    const std::string nowhere = dir + "nowhere";
    const std::string env =
        "REEDGUNNER_HEADLESS=0 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=alsa "
        "AUDIODEV=" +
        nowhere + " ALSA_CONFIG_PATH=" + nowhere + " PULSE_SERVER=unix:" + nowhere +
        " PIPEWIRE_REMOTE=" + nowhere + " AUDIODEVICE=" + nowhere +
        " JACK_NO_START_SERVER=1 JACK_DEFAULT_SERVER=nowhere";
    EXPECT_EQ(Run(CopyOfTheGame(), env, &errors), 1);
    const std::vector<std::string> lines = Lines(errors);
    ASSERT_EQ(lines.size(), 2u) << errors;
    EXPECT_EQ(lines[0], "no sound device: the game plays without sound");
    EXPECT_EQ(lines[1].rfind("Reed Shot Error: The game cannot start: ", 0), 0u) << lines[1];
    const std::string log = ReadBytes(dir + "state/pellmar/PELLMAR.TXT");
    EXPECT_NE(log.find("ERROR: wave_init_driver failed: "), std::string::npos) << log;
}

// A moved clone: CDROM names a folder that is gone. The script runner (the
// same start-up) plays on the data beside it and the log says which.
TEST_F(StartTest, ACdromFolderWithoutTheDataGivesWayToTheBuildsData) {
    UseData(fs::path(dir) / "moved");
    WriteBytes("close.txt", "until screen 0\nclose\n");
    EXPECT_EQ(RunScript("close.txt", "."), 0) << ReadBytes("runner.out");
    EXPECT_EQ(LogCount("CDROM folder " + dir + "moved/ holds no ReedShot/: using the data in " +
                       kDataDir.string() + "/"),
              1)
        << LogText();
    EXPECT_EQ(LogText().find("ERROR"), std::string::npos) << LogText();
}

}  // namespace
