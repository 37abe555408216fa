#include "sys/settings_store.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// The whole file; false when it cannot be read or is too long to be ours
// (rewriting it would cut it). A missing file reads as empty.
bool ReadWhole(const std::string& path, std::string* text, std::string* error) {
    int fd = SysOpenFile(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return true;
        }
        *error = errno == EINVAL ? "not a regular file" : std::strerror(errno);
        return false;
    }
    char chunk[4096];
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            *error = std::strerror(errno);
            close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        if (text->size() + static_cast<size_t>(got) > kMaxSettingsBytes) {
            *error = "longer than a settings file can be";
            close(fd);
            return false;
        }
        text->append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    return true;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

// The file's text with `values` written in (see SysSettingsUpdate).
std::string MergeValues(std::string_view text, const std::vector<SettingsValue>& values) {
    const bool crlf = text.find("\r\n") != std::string_view::npos;
    const char* newline = crlf ? "\r\n" : "\n";
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end == std::string_view::npos ? text.size() : end + 1));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    std::vector<bool> written(values.size(), false);
    bool inSettings = true;
    bool sawSection = false;  // a settings section, with or without its header
    size_t insertAt = 0;      // after the section's last value or its header
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = Trim(lines[i]);
        if (!line.empty() && line.back() == '\n') {
            line = Trim(line.substr(0, line.size() - 1));
        }
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[') {
            inSettings =
                line.back() == ']' && SameName(Trim(line.substr(1, line.size() - 2)), "Settings");
            if (inSettings) {
                sawSection = true;
                insertAt = i + 1;
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSettings || equals == std::string_view::npos) {
            continue;
        }
        sawSection = true;
        insertAt = i + 1;
        const std::string_view name = Trim(line.substr(0, equals));
        for (size_t v = 0; v < values.size(); ++v) {
            if (SameName(name, values[v].name.c_str())) {
                // The line keeps its indent and its name as written.
                const size_t indent = lines[i].find_first_not_of(" \t");
                lines[i] = lines[i].substr(0, indent) + std::string(name) + "=" + values[v].value +
                           newline;
                written[v] = true;
            }
        }
    }
    std::string added;
    for (size_t v = 0; v < values.size(); ++v) {
        if (!written[v]) {
            added += values[v].name + "=" + values[v].value + newline;
        }
    }
    if (!added.empty() && !sawSection) {
        insertAt = lines.size();
        added = std::string("[Settings]") + newline + added;
    }
    // A last line without its end gets one before anything follows it.
    if (!added.empty() && insertAt > 0 && lines[insertAt - 1].back() != '\n') {
        lines[insertAt - 1] += newline;
    }
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == insertAt) {
            out += added;
        }
        out += lines[i];
    }
    if (insertAt == lines.size()) {
        out += added;
    }
    return out;
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
    int fd = SysOpenFile(store->path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
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

bool SysSettingsUpdate(const std::vector<SettingsValue>& values, std::string* error) {
    const std::string path = SysSettingsPath();
    std::string text;
    if (!SysMakeDirs(SysConfigDir()) || !ReadWhole(path, &text, error)) {
        if (error->empty()) {
            *error = std::strerror(errno);
        }
        return false;
    }
    const std::string merged = MergeValues(text, values);
    const std::string temporary = path + ".new";
    int fd = SysOpenFile(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    const bool whole = WriteAll(fd, merged) && fsync(fd) == 0;
    const int writeErrno = errno;
    if (close(fd) != 0 || !whole) {
        *error = std::strerror(whole ? errno : writeErrno);
        unlink(temporary.c_str());
        return false;
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        *error = std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself made durable; the file is whole either way.
    int dirFd = open(SysConfigDir().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return true;
}
