#include "engine/config.h"

#include <array>

#include "engine/log.h"
#include "sys/paths.h"
#include "sys/settings_store.h"

uint32_t DirectSound = 1;
uint32_t DirectX = 1;
uint32_t DirectVideo = 1;
uint32_t eightBitSound = 0;
uint32_t debugLog = 0;
uint32_t showCaptions = 0;
uint32_t gamepadOn = 1;
uint32_t pointerSpeed = 100;
uint32_t hardwarePointer = 0;
std::string dataDir;
std::string installDir;

namespace {

// A path may be as long as the system allows, terminating zero excluded.
constexpr size_t kMaxPath = 4095;

struct NumberSetting {
    const char* name;
    uint32_t* value;
};

// Read in this order, each over its default.
const std::array<NumberSetting, 9> kNumberSettings = {{
    {"DirectSound", &DirectSound},
    {"DirectX", &DirectX},
    {"DirectVideo", &DirectVideo},
    {"8bitSound", &eightBitSound},
    {"Debug", &debugLog},
    {"Captions", &showCaptions},
    {"Gamepad", &gamepadOn},
    {"PointerSpeed", &pointerSpeed},
    {"HardwarePointer", &hardwarePointer},
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
    DirectSound = 1;
    DirectX = 1;
    DirectVideo = 1;
    eightBitSound = 0;
    debugLog = 0;
    showCaptions = 0;
    gamepadOn = 1;
    pointerSpeed = 100;
    hardwarePointer = 0;
    dataDir.clear();
    installDir.clear();
}

uint32_t CheckRegistry() {
    installDir.clear();

    SettingsStore store;
    SysSettingsOpen(&store);
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
    }

    if (DirectX == 0 && DirectVideo == 0) {
        DirectX = 1;
    }
    return 1;
}
