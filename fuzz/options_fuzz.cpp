// Feeds arbitrary bytes to LoadOptions as "options.dat" and checks what it
// leaves: a current record inside the roster, whatever the file held, and the
// input's bytes either still in options.dat (read as saved games) or kept
// whole as options.dat.damaged, which is cleared away each time so the
// scratch folder never fills.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/log.h"
#include "fuzz_support.h"
#include "shell/options.h"

namespace {

// The whole file, or false when there is none.
bool ReadWhole(const char* name, std::vector<uint8_t>* bytes) {
    FILE* file = std::fopen(name, "rb");
    if (file == nullptr) {
        return false;
    }
    bytes->clear();
    uint8_t chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        bytes->insert(bytes->end(), chunk, chunk + n);
    }
    std::fclose(file);
    return true;
}

bool Same(const std::vector<uint8_t>& bytes, const uint8_t* data, size_t size) {
    return bytes.size() == size && (size == 0 || std::memcmp(bytes.data(), data, size) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("options");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("options.dat", data, size);

    LogReset();
    ResetRoster();
    const uint32_t loaded = LoadOptions();
    if (currentPlayer >= kRosterSize || player != &roster[currentPlayer]) {
        std::abort();
    }
    for (const PlayerRecord& record : roster) {
        if (PlayerName(record).size() > sizeof record.name) {
            std::abort();
        }
    }
    // Read as saved games and left in place, or moved aside whole.
    std::vector<uint8_t> bytes;
    const bool inPlace = ReadWhole("options.dat", &bytes);
    if (loaded == 1 ? !inPlace || !Same(bytes, data, size) : inPlace) {
        std::abort();
    }
    if (loaded == 0 && (!ReadWhole("options.dat.damaged", &bytes) || !Same(bytes, data, size))) {
        std::abort();
    }
    std::remove("options.dat.damaged");
    if (TakeOptionsNotice().empty() != (loaded == 1)) {
        std::abort();
    }
    return 0;
}
