#include "sys/paths.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string_view>

namespace {

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd* pw = getpwuid(getuid());
    if (pw != nullptr && pw->pw_dir != nullptr) {
        return pw->pw_dir;
    }
    return "/tmp";
}

// The base directory from `variable` when it holds an absolute path (relative
// ones are to be ignored), else home + `fallback`; always ends in "pellmar/".
std::string GameDir(const char* variable, const char* fallback) {
    const char* base = std::getenv(variable);
    std::string dir =
        (base != nullptr && base[0] == '/') ? std::string(base) : HomeDir() + fallback;
    if (dir.back() != '/') {
        dir += '/';
    }
    return dir + "pellmar/";
}

}  // namespace

std::string SysStateDir() {
    return GameDir("XDG_STATE_HOME", "/.local/state");
}

std::string SysConfigDir() {
    return GameDir("XDG_CONFIG_HOME", "/.config");
}

namespace {

// The folder a user-dirs.dirs line names: "$HOME/..." or an absolute path, in
// double quotes; empty for anything else, and for home itself (a folder the
// desktop turned off).
std::string UserDirValue(const std::string& line, const char* key) {
    const std::string prefix = std::string(key) + "=\"";
    if (line.compare(0, prefix.size(), prefix) != 0 || line.size() < prefix.size() + 1 ||
        line.back() != '"') {
        return "";
    }
    std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
    if (value.compare(0, 5, "$HOME") == 0) {
        value = HomeDir() + value.substr(5);
    }
    if (value.empty() || value[0] != '/' || value == HomeDir() || value == HomeDir() + "/") {
        return "";
    }
    return value;
}

std::string WithSlash(std::string dir) {
    if (dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

}  // namespace

std::string SysPicturesDir() {
    const char* pictures = std::getenv("XDG_PICTURES_DIR");
    if (pictures != nullptr && pictures[0] == '/') {
        return WithSlash(pictures);
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configDir =
        (config != nullptr && config[0] == '/') ? std::string(config) : HomeDir() + "/.config";
    std::ifstream dirs(WithSlash(configDir) + "user-dirs.dirs");
    std::string found;
    for (std::string line; std::getline(dirs, line);) {
        const std::string value = UserDirValue(line, "XDG_PICTURES_DIR");
        if (!value.empty()) {
            found = value;  // the last line of the key wins, as the shell would read it
        }
    }
    return WithSlash(found.empty() ? HomeDir() + "/Pictures" : found);
}

std::string SysSavesDir() {
    return GameDir("XDG_DATA_HOME", "/.local/share");
}

namespace {

// The prefix of the running program (see SysProgramPrefix), or empty.
std::string ProgramPrefix() {
    char exe[4096];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) {
        return "";
    }
    return SysProgramPrefix(std::string(exe, static_cast<size_t>(length)));
}

}  // namespace

std::string SysProgramPrefix(const std::string& program) {
    std::string root = program;
    // Two steps up from the program's own name: <prefix>/bin/<name>.
    for (int up = 0; up < 2; ++up) {
        const size_t slash = root.rfind('/');
        if (slash == std::string::npos) {
            return "";
        }
        root.resize(slash);
    }
    // The developer programs live one floor deeper, in <prefix>/libexec/reedgunner/.
    constexpr std::string_view kLibexec = "/libexec";
    const size_t folder = root.size() - std::min(root.size(), kLibexec.size());
    if (std::string_view(root).substr(folder) == kLibexec &&
        program.compare(root.size(), 12, "/reedgunner/") == 0) {
        root.resize(folder);
    }
    return root;
}

std::string SysInstalledDataRoot() {
    const std::string prefix = ProgramPrefix();
    const std::string root = prefix + "/share/reedgunner/";
    return !prefix.empty() && SysIsDirectory(root + "ReedShot") ? root : "";
}

std::string SysProgramDataRoot() {
    if (std::string installed = SysInstalledDataRoot(); !installed.empty()) {
        return installed;
    }
    const std::string prefix = ProgramPrefix();
    const std::string built = prefix + "/data/";
    return !prefix.empty() && SysIsDirectory(built + "ReedShot") ? built : "";
}

bool SysIsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SysMakeDirs(const std::string& dir) {
    std::string path;
    size_t start = 0;
    while (start <= dir.size()) {
        size_t slash = dir.find('/', start);
        if (slash == std::string::npos) {
            slash = dir.size();
        }
        path = dir.substr(0, slash);
        if (!path.empty() && mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
        start = slash + 1;
    }
    struct stat st {};
    return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int SysOpenFile(const char* path, int flags, int mode) {
    const int fd = open(path, flags | O_NONBLOCK, mode);
    if (fd < 0) {
        return fd;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}
