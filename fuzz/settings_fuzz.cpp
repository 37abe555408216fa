// Feeds arbitrary text to the settings reader and queries every value the game
// reads, as text and as a number.
#include <cstdint>
#include <string>

#include "sys/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsStore store;
    SysSettingsParse(std::string_view(reinterpret_cast<const char*>(data), size), &store);
    static const char* const names[] = {"CDROM",       "InstallPath",  "DirectSound",    "DirectX",
                                        "DirectVideo", "8bitSound",    "Debug",          "Captions",
                                        "Gamepad",     "PointerSpeed", "HardwarePointer"};
    for (const char* name : names) {
        std::string text;
        uint32_t number = 0;
        SysSettingsQueryText(store, name, &text);
        SysSettingsQueryNumber(store, name, &number);
    }
    return 0;
}
