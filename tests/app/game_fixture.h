#pragma once
// The whole game on the generated data: settings pointing at it, and the
// script runner run on a script file.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/display_test.h"

namespace fs = std::filesystem;

// The generated data: REEDGUNNER_DATA_DIR is ".../data/ReedShot/".
inline const fs::path kDataDir = fs::path(REEDGUNNER_DATA_DIR).parent_path();
inline const fs::path kDataRoot = kDataDir.parent_path();

class GameTest : public DisplayTest {
protected:
    // Settings pointing at `root`, which holds ReedShot/.
    // `more` adds setting lines.
    void UseData(const fs::path& root, const std::string& more = std::string()) {
        WriteBytes(dir + "config/pellmar/Settings.ini",
                   "[Settings]\nCDROM=" + root.string() + "\n" + more);
    }
    // A script of tests/app.
    static std::string Script(const char* name) {
        return std::string(REEDGUNNER_TEST_SOURCE_DIR) + "/app/" + name;
    }
    // A copy of the generated data without one file.
    fs::path DataWithout(const char* missing) {
        const fs::path root = fs::path(dir) / "partial";
        fs::create_directories(root / "ReedShot");
        for (const auto& entry : fs::directory_iterator(kDataDir)) {
            if (entry.path().filename() != missing) {
                fs::copy_file(entry.path(), root / "ReedShot" / entry.path().filename());
            }
        }
        return root;
    }
    // Runs the script runner on a script; returns its exit code.
    int RunScript(const std::string& script, const std::string& captures) {
        const std::string command = std::string(REEDGUNNER_SCRIPT_BIN) + " " + script + " " +
                                    captures + " > runner.out 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // A roster file that loads as saved games (a damaged one would be moved
    // aside): signature, version, then every byte 0x5A.
    const std::string sentinel =
        std::string("Talmadge Reed Gunner Options\0\0\0\x1A\x50\x10\0\0", 36) +
        std::string(841, '\x5A');
};
