// Feeds arbitrary bytes to SoundSeek as a character's sound bank and lets the
// lip sync read the loudness of each recording it loads from start to end, as
// 16-bit and as 8-bit sound: no look may fall outside the recording.
#include <unistd.h>
#include <cstdint>
#include <cstdlib>

#include "engine/log.h"
#include "fuzz_support.h"
#include "hunt/characters.h"
#include "platform/sound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("lipsync");
    FuzzStartSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("fuzz.16b", data, size);

    LogReset();
    const int count = size >= 2 ? static_cast<int16_t>(data[0] | data[1] << 8) : 0;
    const int picked = count > 0 ? static_cast<int>(size % static_cast<size_t>(count)) : 0;
    for (int entry : {0, picked, count - 1}) {
        if (SoundSeek("fuzz", entry, kVoiceSound) == 0) {
            continue;
        }
        for (bool eightBit : {false, true}) {
            LipSync sync = StartLipSync();
            sync.eightBit = eightBit;
            uint32_t now = 1000;
            // A step moves on by at least 2205 bytes; two more show it has stopped.
            for (uint32_t step = 0; step < sync.size / 2205 + 3; ++step) {
                bool loud = false;
                if (!LipSyncStep(&sync, now, &loud) || LipSyncStep(&sync, now + 50, &loud)) {
                    std::abort();  // due once every 100 ms, not in between
                }
                if (sync.readPos != 44 && sync.readPos >= sync.size) {
                    std::abort();
                }
                now += 101;
            }
        }
        SoundFree(kVoiceSound);
    }
    return 0;
}
