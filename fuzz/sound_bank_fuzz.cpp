// Feeds arbitrary bytes to SoundSeek as a whole sound bank, so the banks the
// game ships seed it as they are, and plays what each entry tried loads on the
// headless output: the first, the last it states, one picked by the input's
// size, and the two just outside.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "aud/aud.h"
#include "engine/log.h"
#include "fuzz_support.h"
#include "platform/sound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("bank");
    FuzzStartSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("fuzz.16b", data, size);

    LogReset();
    const int count = size >= 2 ? static_cast<int16_t>(data[0] | data[1] << 8) : 0;
    const int picked = count > 0 ? static_cast<int>(size % static_cast<size_t>(count)) : 0;
    for (int entry : {-1, 0, picked, count - 1, count}) {
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
    }
    return 0;
}
