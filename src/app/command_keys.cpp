#include "app/command_keys.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "engine/config.h"
#include "engine/dialogs.h"
#include "engine/files.h"
#include "engine/log.h"
#include "engine/settings_dialog.h"
#include "engine/timer.h"
#include "gdl/gdl_host.h"
#include "hunt/panel.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "shell/screens.h"
#include "sys/paths.h"

namespace {

constexpr const char* kPicturesFolder = "Talmadge Reed Gunner/";
// More screenshots in one second than this is not a player pressing a key.
constexpr int kMaxSameSecond = 100;

bool away = false;
bool pausePending = false;
bool mutedWhileAway = false;

constexpr std::array<HiddenChord, 2> kCommandKeys = {{
    {kScanF10, OpenSettings},
    {kScanF12, TakeScreenshot},
}};

bool WindowBack() {
    return !away;
}

// Writes `bytes` as a new file `path`, never over another: 0, or the errno.
int WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string part = path + ".part";
    FileDelete(part.c_str());  // a leftover would keep its tail past ours
    const FileHandle file = FileCreate(part.c_str());
    if (file == INVALID_FILE) {
        return errno;
    }
    const bool whole =
        FileWrite(file, bytes.data(), static_cast<uint32_t>(bytes.size())) == bytes.size() &&
        FileFlush(file) == 1;
    const int why = errno;
    FileClose(file);
    if (!whole) {
        FileDelete(part.c_str());
        return why != 0 ? why : EIO;
    }
    if (FileRenameNew(part.c_str(), path.c_str()) == 0) {
        const int taken = errno;
        FileDelete(part.c_str());
        return taken;
    }
    return 0;
}

}  // namespace

void RegisterCommandKeys() {
    SetCommandKeys(kCommandKeys);
}

void OpenSettings() {
    const bool hunting = currentScreen == kScreenHunt;
    const uint32_t start = TimerCount();
    SettingsDialog();
    if (hunting) {
        DelayHuntClock(TimerCount() - start);
    }
}

void TakeScreenshot() {
    GDL_Capture capture;
    std::vector<uint8_t> png;
    if (!GDL_captureDisplay(&capture) || !GDL_encodePng(capture, &png)) {
        LogPrintf("ERROR: no screenshot: the picture cannot be read");
        return;
    }
    const std::string dir = SysPicturesDir() + kPicturesFolder;
    if (!SysMakeDirs(dir)) {
        LogPrintf("ERROR: no screenshot: %s cannot be made: %s", dir.c_str(), std::strerror(errno));
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    for (int n = 1; n <= kMaxSameSecond; ++n) {
        const std::string path = dir + "reedgunner_" + stamp +
                                 (n > 1 ? "_" + std::to_string(n) : std::string()) + ".png";
        const int why = WriteNewFile(path, png);
        if (why == 0) {
            LogPrintf("Screenshot: %s", path.c_str());
            return;
        }
        if (why != EEXIST) {
            LogPrintf("ERROR: no screenshot: %s cannot be written: %s", path.c_str(),
                      std::strerror(why));
            return;
        }
    }
    LogPrintf("ERROR: no screenshot: %d already taken this second", kMaxSameSecond);
}

void WindowFocusChanged(bool gained) {
    away = !gained;
    if (!gained) {
        pausePending = pauseOnFocusLoss != 0 && currentScreen == kScreenHunt;
        if (muteOnFocusLoss != 0 && !SoundMuted()) {
            SetSoundMuted(true);
            mutedWhileAway = true;
        }
        return;
    }
    pausePending = false;
    if (mutedWhileAway) {
        SetSoundMuted(false);
        mutedWhileAway = false;
    }
}

void PauseWhileAway() {
    if (!pausePending) {
        return;
    }
    pausePending = false;
    if (!away || currentScreen != kScreenHunt || DialogOpen()) {
        return;
    }
    const uint32_t start = TimerCount();
    PauseHuntUntil(WindowBack);
    DelayHuntClock(TimerCount() - start);
}

void ResetCommandKeys() {
    away = false;
    pausePending = false;
    mutedWhileAway = false;
}
