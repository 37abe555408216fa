// Feeds arbitrary bytes to SoundSeek as a sound bank (the first byte picks the
// entry) and plays what it loads on the headless output.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "aud/aud.h"
#include "engine/log.h"
#include "platform/sound.h"
#include "sys/backend.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static char pattern[] = "/tmp/reedgunner-fuzz-bank-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr || chdir(dir) != 0) {
        std::abort();
    }
    setenv("XDG_STATE_HOME", dir, 1);
    SysSetHeadless(true);
    if (SoundInit() != 1) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    FILE* file = std::fopen("fuzz.16b", "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);

    LogReset();
    const int entry = static_cast<int>(data[0]) - 2;  // -2 .. 253, past the 128 a bank may hold
    const uint32_t loaded = SoundSeek("fuzz", entry, 14);
    if (loaded > size) {
        std::abort();
    }
    SoundPlay(14);
    for (int i = 0; i < 5; ++i) {
        AUD_ms_count();
    }
    SoundFree(14);
    if (IsSoundPlaying(14) != 0) {
        std::abort();
    }
    return 0;
}
