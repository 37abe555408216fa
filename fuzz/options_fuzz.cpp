// Feeds arbitrary bytes to LoadOptions as "options.dat" and checks what it
// leaves: a current record inside the roster, whatever the file held.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/options.h"
#include "engine/log.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static char pattern[] = "/tmp/reedgunner-fuzz-options-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr || chdir(dir) != 0) {
        std::abort();
    }
    setenv("XDG_STATE_HOME", dir, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen("options.dat", "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    LogReset();
    ResetRoster();
    LoadOptions();
    if (currentPlayer >= kRosterSize || player != &roster[currentPlayer]) {
        std::abort();
    }
    for (const PlayerRecord& record : roster) {
        if (PlayerName(record).size() > sizeof record.name) {
            std::abort();
        }
    }
    return 0;
}
