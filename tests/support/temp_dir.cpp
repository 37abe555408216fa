#include "support/temp_dir.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/config.h"
#include "engine/log.h"
#include "engine/timer.h"
#include "shell/options.h"
#include "sys/clock.h"

void ScratchTest::SetUp() {
    char pattern[] = "/tmp/reedgunner-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = std::string(pattern) + "/";
    oldCwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
    setenv("XDG_STATE_HOME", (dir + "state").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir + "config").c_str(), 1);
    LogReset();
    ResetSettings();
    ResetRoster();
    SysUseRealClock();
    SysSetClockListener(nullptr);
    TimerReset();
}

void ScratchTest::TearDown() {
    std::filesystem::current_path(oldCwd);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    LogReset();
}

std::string ScratchTest::ReadBytes(const std::string& path, bool* exists) {
    std::ifstream in(path, std::ios::binary);
    if (exists != nullptr) {
        *exists = static_cast<bool>(in);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ScratchTest::WriteBytes(const std::string& path, const std::string& bytes) {
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchTest::LogText() const {
    return ReadBytes(dir + "state/pellmar/PELLMAR.TXT");
}

int ScratchTest::LogCount(const std::string& text) const {
    const std::string log = LogText();
    int count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
        ++count;
    }
    return count;
}
