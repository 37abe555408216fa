#include "sound_page.h"

#include <cstdio>

#include "catalogue.h"
#include "engine/config.h"
#include "platform/sound.h"
#include "sys/backend.h"

namespace {

constexpr uint32_t kHeader = 44;

// Seconds of a wave image of `size` bytes at 22050 frames of `bytes` each.
double Length(uint32_t size, uint32_t bytes) {
    return size > kHeader ? static_cast<double>(size - kHeader) / bytes / 22050.0 : 0.0;
}

// Size of entry `entry` of `name` in the 16-bit (bits 16) or 8-bit set; 0 when
// it does not load. Entry -1 loads a music file whole and gives its file size.
uint32_t Load(const std::string& name, int entry, int bits) {
    eightBitSound = bits == 8 ? 1 : 0;
    uint32_t size = 0;
    if (entry >= 0) {
        size = SoundSeek(name.c_str(), entry, 0);
        SoundFree(0);
    } else if (SoundLoad(name.c_str(), kMusicSound) != 0) {
        FILE* file = std::fopen((dataDir + name + (bits == 8 ? ".8b" : ".16b")).c_str(), "rb");
        if (file != nullptr && std::fseek(file, 0, SEEK_END) == 0) {
            size = static_cast<uint32_t>(std::ftell(file));
        }
        if (file != nullptr) {
            std::fclose(file);
        }
        SoundFree(kMusicSound);
    }
    eightBitSound = 0;
    return size;
}

}  // namespace

int WriteSoundPage(const std::string& outDir, const std::string& dataDirectory) {
    const std::string path = outDir + "/sounds.txt";
    FILE* page = std::fopen(path.c_str(), "w");
    if (page == nullptr) {
        std::fprintf(stderr, "%s: cannot write\n", path.c_str());
        return 1;
    }
    SysSetHeadless(true);
    const std::string oldDataDir = dataDir;
    dataDir = dataDirectory;
    int failures = 0;
    if (SoundInit() == 0) {
        std::fprintf(stderr, "the headless sound output will not open\n");
        failures++;
    }
    std::fprintf(page, "Sound banks and music in %s\n", dataDirectory.c_str());
    std::fprintf(page,
                 "(lengths of the .16b set; \"8-bit\" says whether the .8b entry loads "
                 "with the same length)\n");
    for (const SoundFile& file : SoundFiles()) {
        std::fprintf(page, "\n%s: %s\n", file.name, file.what);
        std::fprintf(page, "%5s %8s  %-6s %s\n", "entry", "seconds", "8-bit", "what");
        const int first = file.entries == 0 ? -1 : 0;
        const int last = file.entries == 0 ? -1 : file.entries - 1;
        for (int entry = first; entry <= last; entry++) {
            uint32_t size16 = Load(file.name, entry, 16);
            uint32_t size8 = Load(file.name, entry, 8);
            double seconds = Length(size16, 2);
            bool same8 = size8 != 0 && size16 != 0 && (size8 - kHeader) * 2 == size16 - kHeader;
            if (size16 == 0 || !same8) {
                failures++;
            }
            std::fprintf(page, "%5d %8.2f  %-6s %s%s\n", entry, seconds, same8 ? "yes" : "NO",
                         EntryWhat(file.name, entry).c_str(),
                         size16 == 0 ? "  (DOES NOT LOAD)" : "");
        }
        // One past the last entry must be refused.
        if (file.entries > 0 && Load(file.name, file.entries, 16) != 0) {
            std::fprintf(page, "      more entries than the %d expected\n", file.entries);
            failures++;
        }
    }
    SoundExit();
    dataDir = oldDataDir;
    if (std::fclose(page) != 0) {
        failures++;
    }
    std::printf("%s\n", path.c_str());
    return failures;
}
