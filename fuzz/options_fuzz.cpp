// Feeds arbitrary bytes to LoadOptions as "options.dat" and checks what it
// leaves: a current record inside the roster, whatever the file held.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/log.h"
#include "fuzz_support.h"
#include "shell/options.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("options");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("options.dat", data, size);

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
