#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The machine settings store: a "[Settings]" section of "Name=value" lines in
// "Settings.ini" under the configuration directory. It stands where the
// registry key stood; like the registry it only answers queries, and the game
// decides what to do with a missing or badly typed value.

struct SettingsValue {
    std::string name;
    std::string value;
};

struct SettingsLine {
    int number;        // 1-based line number in the file
    std::string text;  // the offending line, trimmed
};

struct SettingsStore {
    std::string path;                    // the file the values came from
    std::vector<SettingsValue> values;   // in file order; a later duplicate wins
    std::vector<SettingsLine> badLines;  // lines of the section that are not Name=value
};

enum class SettingStatus { Ok, Missing, WrongType };

// Path of the settings file: SysConfigDir() + "Settings.ini".
std::string SysSettingsPath();

// Opens the settings file, creating it (and its folder) empty when missing, and
// reads its values. Returns false when it can be neither read nor created; the
// store is then empty.
bool SysSettingsOpen(SettingsStore* store);

// Reads settings text into the store (what SysSettingsOpen does with the file).
void SysSettingsParse(std::string_view text, SettingsStore* store);

// Writes `values` into the settings file in one step (a new file beside it,
// flushed to disk, renamed over it): each replaces every line of its name in
// the settings section, keeping the name as written; one the file lacks is
// added after the section's last value (a "[Settings]" section is added when
// there is none). Comments, other values, other sections, the order and the
// line ends stay. False with `error` set when the file cannot be read whole
// or written; the old file then stays as it was.
bool SysSettingsUpdate(const std::vector<SettingsValue>& values, std::string* error);

// The text of a value, whatever it holds.
SettingStatus SysSettingsQueryText(const SettingsStore& store, const char* name, std::string* out);

// A 32-bit number: decimal (a leading minus allowed) or "0x" hexadecimal, from
// -2^31 to 2^32-1, stored as its 32 bits. WrongType when the text is anything else.
SettingStatus SysSettingsQueryNumber(const SettingsStore& store, const char* name, uint32_t* out);
