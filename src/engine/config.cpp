#include "engine/config.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "engine/log.h"
#include "sys/paths.h"
#include "sys/settings_store.h"

uint32_t DirectSound = 1;
uint32_t DirectX = 1;
uint32_t DirectVideo = 1;
uint32_t eightBitSound = 0;
uint32_t debugLog = 0;
uint32_t showCaptions = 0;
uint32_t windowScale = 0;
uint32_t fullscreen = 0;
uint32_t soundVolume = 100;
uint32_t musicVolume = 100;
uint32_t pauseOnFocusLoss = 1;
uint32_t muteOnFocusLoss = 0;
uint32_t gamepadOn = 1;
uint32_t pointerSpeed = 100;
uint32_t hardwarePointer = 0;
uint32_t recordReplays = 1;
std::string dataDir;
std::string installDir;

namespace {

// A path may be as long as the system allows, terminating zero excluded.
constexpr size_t kMaxPath = 4095;

struct NumberSetting {
    const char* name;
    uint32_t* value;
    uint32_t initial;    // the default
    uint32_t low, high;  // a value outside is brought to the nearer end, logged
    bool saved;          // written back by SaveSettings
};

constexpr uint32_t kAny = UINT32_MAX;

// Read in this order, each over its default.
const std::array<NumberSetting, 16> kNumberSettings = {{
    // name               value              default low  high  saved
    {"DirectSound", &DirectSound, 1, 0, kAny, false},
    {"DirectX", &DirectX, 1, 0, kAny, true},
    {"DirectVideo", &DirectVideo, 1, 0, kAny, true},
    {"8bitSound", &eightBitSound, 0, 0, kAny, false},
    {"Debug", &debugLog, 0, 0, kAny, false},
    {"Captions", &showCaptions, 0, 0, kAny, true},
    {"WindowScale", &windowScale, 0, 0, kMaxWindowScale, true},
    {"Fullscreen", &fullscreen, 0, 0, 1, true},
    {"SoundVolume", &soundVolume, 100, 0, 100, true},
    {"MusicVolume", &musicVolume, 100, 0, 100, true},
    {"PauseOnFocusLoss", &pauseOnFocusLoss, 1, 0, 1, true},
    {"MuteOnFocusLoss", &muteOnFocusLoss, 0, 0, 1, true},
    {"Gamepad", &gamepadOn, 1, 0, 1, true},
    {"PointerSpeed", &pointerSpeed, 100, kMinPointerSpeed, kMaxPointerSpeed, true},
    {"HardwarePointer", &hardwarePointer, 0, 0, 1, true},
    {"Replays", &recordReplays, 1, 0, kAny, false},
}};

// A text value that is too long keeps the default, like a badly typed number.
bool ReadPath(const SettingsStore& store, const char* name, std::string* out) {
    std::string text;
    if (SysSettingsQueryText(store, name, &text) != SettingStatus::Ok) {
        return false;
    }
    if (text.size() > kMaxPath) {
        LogPrintf("ERROR: setting %s is longer than %d characters", name,
                  static_cast<int>(kMaxPath));
        return false;
    }
    *out = text;
    return true;
}

}  // namespace

void ResetSettings() {
    for (const NumberSetting& setting : kNumberSettings) {
        *setting.value = setting.initial;
    }
    dataDir.clear();
    installDir.clear();
}

uint32_t CheckRegistry() {
    installDir.clear();

    SettingsStore store;
    if (!SysSettingsOpen(&store)) {
        LogPrintf("ERROR: Settings.ini cannot be read (%s); the defaults hold",
                  std::strerror(errno));
    }
    for (const SettingsLine& bad : store.badLines) {
        LogPrintf("ERROR: Settings.ini line %d is not Name=value: %.200s", bad.number,
                  bad.text.c_str());
    }

    std::string cdrom;
    if (ReadPath(store, "CDROM", &cdrom)) {
        // An empty value names the current directory, not the root.
        if (!cdrom.empty() && cdrom.back() != '/') {
            cdrom += '/';
        }
        dataDir = cdrom + "ReedShot/";
        // A moved or fresh clone leaves CDROM naming a folder that is gone:
        // the data beside the program is better than none.
        const std::string beside = SysProgramDataRoot();
        if (!SysIsDirectory(dataDir) && !beside.empty()) {
            LogPrintf("CDROM folder %s holds no ReedShot/: using the data in %sReedShot/",
                      cdrom.c_str(), beside.c_str());
            dataDir = beside + "ReedShot/";
        }
    } else if (const std::string installed = SysInstalledDataRoot(); !installed.empty()) {
        // An installed game keeps its data beside its programs.
        dataDir = installed + "ReedShot/";
    }
    ReadPath(store, "InstallPath", &installDir);

    for (const NumberSetting& setting : kNumberSettings) {
        if (SysSettingsQueryNumber(store, setting.name, setting.value) ==
            SettingStatus::WrongType) {
            LogPrintf("ERROR: setting %s is not a 32-bit number", setting.name);
        }
        // A negative number reads as a large one: it goes to the top, as any
        // large number does.
        const uint32_t kept = std::clamp(*setting.value, setting.low, setting.high);
        if (kept != *setting.value) {
            LogPrintf("ERROR: setting %s=%u is outside %u to %u: %u is used", setting.name,
                      *setting.value, setting.low, setting.high, kept);
            *setting.value = kept;
        }
    }

    if (DirectX == 0 && DirectVideo == 0) {
        DirectX = 1;
    }
    return 1;
}

bool SaveSettings() {
    std::vector<SettingsValue> values;
    for (const NumberSetting& setting : kNumberSettings) {
        if (setting.saved) {
            values.push_back({setting.name, std::to_string(*setting.value)});
        }
    }
    std::string error;
    if (!SysSettingsUpdate(values, &error)) {
        LogPrintf("ERROR: %s not written: %s", SysSettingsPath().c_str(), error.c_str());
        return false;
    }
    return true;
}
