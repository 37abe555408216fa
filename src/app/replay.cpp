#include "app/replay.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "engine/config.h"
#include "engine/log.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "shell/screens.h"
#include "sys/backend.h"
#include "sys/clock.h"
#include "sys/identity.h"
#include "sys/paths.h"
#include "sys/replay.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMagic[8] = {'R', 'G', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr uint64_t kFormat = 1;
constexpr const char* kOptionsFile = "options.dat";
constexpr const char* kExtension = ".rgr";

// A recording loaded to play, until ReplayBegin starts it.
struct Loaded {
    bool have = false;
    ReplayPace pace = ReplayPace::Headless;
    std::string path;
    uint64_t dataHash = 0;
    bool clockVirtual = false;
    uint32_t eightBit = 0;
    uint32_t captions = 0;
    bool hasOptions = false;
    std::string options;
    std::vector<uint8_t> records;
};

Loaded loaded;

struct Checkpoints {
    FILE* out = nullptr;
    std::string dir;
    bool started = false;
    uint32_t first = 0;
    uint32_t next = 0;
    int count = 0;
};

Checkpoints checkpoints;

// A pump listener: never reads the clock itself, so it changes nothing a
// replay hands out.
void CheckpointPump() {
    const uint32_t now = SysReplayPlaying() ? SysReplayTapeTime() : SysReplayLastClock();
    if (checkpoints.out == nullptr || (!SysReplayPlaying() && !SysReplayRecording())) {
        return;
    }
    if (!checkpoints.started) {
        checkpoints.started = true;
        checkpoints.first = now;
        checkpoints.next = now + kCheckpointMs;
        return;
    }
    if (static_cast<int32_t>(now - checkpoints.next) < 0) {
        return;
    }
    while (static_cast<int32_t>(now - checkpoints.next) >= 0) {
        checkpoints.next += kCheckpointMs;
    }
    GDL_Capture capture;
    if (!GDL_captureDisplay(&capture)) {
        return;
    }
    uint64_t hash = 0xcbf29ce484222325ull;
    auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * 0x100000001b3ull; };
    for (uint8_t index : capture.indices) {
        mix(index);
    }
    for (const GDL_PaletteEntry& entry : capture.palette) {
        mix(entry.red);
        mix(entry.green);
        mix(entry.blue);
    }
    ++checkpoints.count;
    std::fprintf(checkpoints.out, "checkpoint %d at %u ms: screen %u, frame %016llx\n",
                 checkpoints.count, now - checkpoints.first, currentScreen,
                 static_cast<unsigned long long>(hash));
    std::fflush(checkpoints.out);
    if (!checkpoints.dir.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "/checkpoint-%02d.png", checkpoints.count);
        const std::string path = checkpoints.dir + name;
        if (!SysMakeDirs(checkpoints.dir) || !GDL_saveDisplayPng(path.c_str())) {
            std::fprintf(stderr, "replay: cannot write %s\n", path.c_str());
        }
    }
}
std::string scratchFolder;
std::string recordNextTo;  // set: the next session records here, headless or not  // a window's
                           // replay plays here; removed at exit

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad() && bytes->size() <= limit;
}

void RemoveScratch() {
    if (!scratchFolder.empty()) {
        std::error_code ignored;
        fs::remove_all(scratchFolder, ignored);
        scratchFolder.clear();
    }
}

void OnTrouble(bool drifted, const char* why) {
    if (drifted) {
        std::fprintf(stderr, "replay %s: it no longer matches the game: %s\n", loaded.path.c_str(),
                     why);
        LogPrintf("ERROR: replay %s drifted: %s", loaded.path.c_str(), why);
        if (loaded.pace == ReplayPace::Headless) {
            std::exit(1);  // what follows would be another game
        }
    } else {
        std::fprintf(stderr, "replay %s: the recording ends before the game does\n",
                     loaded.path.c_str());
    }
    GDL_postQuit();  // the game leaves the usual way
}

// The settings that change what the game does or draws, as the recording
// keeps them.
std::string SettingsText(uint32_t eightBit, uint32_t captions) {
    return "8bitSound=" + std::to_string(eightBit) + "\nCaptions=" + std::to_string(captions) +
           "\n";
}

bool ParseSettings(const std::string& text, uint32_t* eightBit, uint32_t* captions) {
    return std::sscanf(text.c_str(), "8bitSound=%u\nCaptions=%u\n", eightBit, captions) == 2;
}

// Keeps the newest kReplaysKept - 1 recordings, making room for one more.
void Prune(const std::string& folder) {
    std::error_code error;
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == kExtension) {
            found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());  // the names begin with the time
    while (found.size() >= kReplaysKept) {
        fs::remove(found.front(), error);
        found.erase(found.begin());
    }
}

void LogRecordingFailure(const char* line) {
    LogPrintf("ERROR: %s", line);
}

void StartRecording() {
    SysReplaySetLogger(LogRecordingFailure);
    std::vector<uint8_t> options;
    const bool hasOptions = ReadFile(kOptionsFile, &options, kReplayLimitBytes);
    const std::vector<uint8_t> header =
        ReplayHeader(SysClockIsVirtual(), hasOptions, std::string(options.begin(), options.end()));
    if (!recordNextTo.empty()) {
        const std::string path = recordNextTo;
        recordNextTo.clear();
        SysReplaySetFlushSize(4096);
        if (!SysReplayRecord(path, header, kReplayLimitBytes)) {
            LogPrintf("ERROR: cannot write the replay %s", path.c_str());
        }
        return;
    }
    const std::string folder = ReplayFolder();
    if (!SysMakeDirs(folder)) {
        LogPrintf("ERROR: cannot make the replays folder %s: the session is not recorded",
                  folder.c_str());
        return;
    }
    Prune(folder);
    char name[64];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(name, sizeof name, "%Y%m%d-%H%M%S", &local);
    const std::string path = folder + name + "-" + std::to_string(getpid()) + kExtension;
    if (!SysReplayRecord(path, header, kReplayLimitBytes)) {
        LogPrintf("ERROR: cannot write the replay %s: the session is not recorded", path.c_str());
        return;
    }
    Trace("recording the session to %s", path.c_str());
    // A developer's check: the recorded session's own checkpoints.
    if (const char* file = std::getenv("REEDGUNNER_CHECKPOINTS"); file != nullptr && *file != 0) {
        FILE* out = std::fopen(file, "w");
        if (out != nullptr) {
            ReplayCheckpoints(out, "");
        }
    }
}

bool StartPlaying() {
    const uint64_t ours = ReplayDataHash(dataDir);
    if (ours != loaded.dataHash) {
        std::fprintf(stderr,
                     "replay %s: it was recorded with other data files than those in %s: "
                     "it cannot be played with these\n",
                     loaded.path.c_str(), dataDir.c_str());
        return false;
    }
    if (loaded.pace == ReplayPace::Window) {
        char folder[] = "/tmp/reedgunner-replay-XXXXXX";
        if (mkdtemp(folder) == nullptr || chdir(folder) != 0) {
            std::fprintf(stderr, "replay: cannot make a folder to play in: %s\n",
                         std::strerror(errno));
            return false;
        }
        scratchFolder = folder;
        std::atexit(RemoveScratch);
    }
    std::error_code error;
    fs::remove(kOptionsFile, error);
    if (loaded.hasOptions) {
        std::ofstream out(kOptionsFile, std::ios::binary);
        out.write(loaded.options.data(), static_cast<std::streamsize>(loaded.options.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "replay: cannot write %s in the current folder\n", kOptionsFile);
            return false;
        }
    }
    eightBitSound = loaded.eightBit;
    showCaptions = loaded.captions;
    SysReplayPlay(std::move(loaded.records), loaded.clockVirtual, loaded.pace == ReplayPace::Window,
                  OnTrouble);
    loaded.have = false;
    return true;
}

}  // namespace

std::string ReplayFolder() {
    return SysStateDir() + "replays/";
}

std::vector<uint8_t> ReplayHeader(bool clockVirtual, bool hasOptions, const std::string& options) {
    std::vector<uint8_t> header(std::begin(kMagic), std::end(kMagic));
    SysReplayPutNumber(&header, kFormat);
    SysReplayPutBytes(&header, kGameVersion, std::strlen(kGameVersion));
    SysReplayPutNumber(&header, ReplayDataHash(dataDir));
    SysReplayPutNumber(&header, clockVirtual ? 1 : 0);
    const std::string settings = SettingsText(eightBitSound, showCaptions);
    SysReplayPutBytes(&header, settings.data(), settings.size());
    SysReplayPutNumber(&header, hasOptions ? 1 : 0);
    SysReplayPutBytes(&header, options.data(), options.size());
    return header;
}

uint64_t ReplayDataHash(const std::string& dataFolder) {
    uint64_t hash = 0xcbf29ce484222325ull;
    auto mix = [&hash](uint64_t word) {
        hash = (hash ^ word) * 0x100000001b3ull;
        hash ^= hash >> 29;
    };
    std::error_code error;
    std::vector<fs::path> files;
    if (!dataFolder.empty()) {
        for (const fs::directory_entry& entry : fs::directory_iterator(dataFolder, error)) {
            if (entry.is_regular_file(error)) {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<char> block(1 << 16);
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        for (char c : name) {
            mix(static_cast<uint8_t>(c));
        }
        std::ifstream in(file, std::ios::binary);
        uint64_t size = 0;
        while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount()) {
            const size_t got = static_cast<size_t>(in.gcount());
            size_t i = 0;
            for (; i + 8 <= got; i += 8) {
                uint64_t word = 0;
                std::memcpy(&word, block.data() + i, 8);
                mix(word);
            }
            for (; i < got; ++i) {
                mix(static_cast<uint8_t>(block[i]));
            }
            size += got;
        }
        mix(size);
    }
    return hash;
}

bool ReplayLoad(const std::string& path, ReplayPace pace, std::string* error) {
    loaded = Loaded{};
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, &bytes, kReplayLimitBytes)) {
        *error = "cannot read it (or it is larger than a recording can be)";
        return false;
    }
    size_t at = sizeof kMagic;
    uint64_t format = 0;
    std::string version;
    std::string settings;
    uint64_t clockVirtual = 0;
    uint64_t hasOptions = 0;
    if (bytes.size() < sizeof kMagic ||
        !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin()) ||
        !SysReplayGetNumber(bytes, &at, &format)) {
        *error = "it is not a recording of this game";
        return false;
    }
    if (format != kFormat || !SysReplayGetBytes(bytes, &at, &version) || version != kGameVersion) {
        *error = "it was recorded by another version of the game (" +
                 (format == kFormat ? version : "format " + std::to_string(format)) + "; this is " +
                 kGameVersion + ")";
        return false;
    }
    if (!SysReplayGetNumber(bytes, &at, &loaded.dataHash) ||
        !SysReplayGetNumber(bytes, &at, &clockVirtual) ||
        !SysReplayGetBytes(bytes, &at, &settings) ||
        !ParseSettings(settings, &loaded.eightBit, &loaded.captions) ||
        !SysReplayGetNumber(bytes, &at, &hasOptions) ||
        !SysReplayGetBytes(bytes, &at, &loaded.options)) {
        *error = "its header is damaged";
        return false;
    }
    loaded.have = true;
    loaded.pace = pace;
    loaded.path = path;
    loaded.clockVirtual = clockVirtual != 0;
    loaded.hasOptions = hasOptions != 0;
    loaded.records.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    return true;
}

bool ReplayBegin() {
    if (loaded.have) {
        return StartPlaying();
    }
    if (!SysReplayPlaying() && !SysReplayRecording() &&
        (!recordNextTo.empty() || (!SysHeadless() && recordReplays != 0))) {
        StartRecording();
    }
    return true;
}

void ReplayRecordNextTo(const std::string& path) {
    recordNextTo = path;
}

void ReplayEnd() {
    SysReplayStopRecording();
}

void ReplayCheckpoints(FILE* out, const std::string& snapDir) {
    checkpoints = Checkpoints{};
    checkpoints.out = out;
    checkpoints.dir = snapDir;
    SysAddPumpListener(CheckpointPump);
}

void ReplayReset() {
    recordNextTo.clear();
    SysRemovePumpListener(CheckpointPump);
    checkpoints = Checkpoints{};
    loaded = Loaded{};
    SysReplayReset();
}
