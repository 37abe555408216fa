#include "sys/settings_store.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

#include "sys/paths.h"

namespace {

// A settings file is a handful of lines; anything past this is not ours.
constexpr size_t kMaxSettingsBytes = 1 << 20;

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t\r\v\f";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, const char* b) {
    return a.size() == std::string_view(b).size() && strncasecmp(a.data(), b, a.size()) == 0;
}

const SettingsValue* FindValue(const SettingsStore& store, const char* name) {
    for (auto it = store.values.rbegin(); it != store.values.rend(); ++it) {
        if (SameName(it->name, name)) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace

std::string SysSettingsPath() {
    return SysConfigDir() + "Settings.ini";
}

void SysSettingsParse(std::string_view text, SettingsStore* store) {
    // Lines before any section header count as the settings section, so a file
    // written by hand without the header still works.
    bool inSettings = true;
    int number = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = (end == std::string_view::npos) ? std::string_view() : text.substr(end + 1);
        ++number;

        std::string_view line = Trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[') {
            inSettings =
                line.back() == ']' && SameName(Trim(line.substr(1, line.size() - 2)), "Settings");
            continue;
        }
        if (!inSettings) {
            continue;
        }
        size_t equals = line.find('=');
        std::string_view name =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(0, equals));
        if (name.empty()) {
            store->badLines.push_back({number, std::string(line)});
            continue;
        }
        store->values.push_back({std::string(name), std::string(Trim(line.substr(equals + 1)))});
    }
}

bool SysSettingsOpen(SettingsStore* store) {
    *store = SettingsStore{};
    store->path = SysSettingsPath();
    SysMakeDirs(SysConfigDir());
    int fd = open(store->path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::string text;
    char chunk[4096];
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || text.size() + static_cast<size_t>(got) > kMaxSettingsBytes) {
            break;
        }
        text.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    SysSettingsParse(text, store);
    return true;
}

SettingStatus SysSettingsQueryText(const SettingsStore& store, const char* name, std::string* out) {
    const SettingsValue* found = FindValue(store, name);
    if (found == nullptr) {
        return SettingStatus::Missing;
    }
    *out = found->value;
    return SettingStatus::Ok;
}

SettingStatus SysSettingsQueryNumber(const SettingsStore& store, const char* name, uint32_t* out) {
    const SettingsValue* found = FindValue(store, name);
    if (found == nullptr) {
        return SettingStatus::Missing;
    }
    const std::string& text = found->value;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = text.c_str() + (hex ? 2 : 0);
    // strtoll skips leading blanks and takes a sign even after "0x"; refuse both.
    if (*digits == '\0' || *digits == ' ' || *digits == '\t' || *digits == '+' ||
        (hex && *digits == '-')) {
        return SettingStatus::WrongType;
    }
    errno = 0;
    char* end = nullptr;
    long long number = std::strtoll(digits, &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || number < INT32_MIN ||
        number > static_cast<long long>(UINT32_MAX)) {
        return SettingStatus::WrongType;
    }
    *out = static_cast<uint32_t>(number);
    return SettingStatus::Ok;
}
