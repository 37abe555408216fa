// Feeds arbitrary bytes to the replay reader twice: as a recording file to
// ReplayLoad (header, version and damaged-header refusals), and as the tape
// of records after a header, taken record by record as a playing game takes
// them. Every take must consume bytes or end the tape, so a damaged tape can
// neither loop nor read past its end.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/replay.h"
#include "fuzz_support.h"
#include "sys/replay.h"

namespace {

void IgnoreTrouble(bool, const char*) {}

void TakeWholeTape(const uint8_t* data, size_t size) {
    SysReplayPlay(std::vector<uint8_t>(data, data + size), true, false, IgnoreTrouble);
    size_t left = SysReplayBytesLeft();
    uint32_t clockReadings = 0;
    // A short input can hold a long tape (repeats of repeats); the first
    // million records show how it is read.
    for (uint32_t taken = 0; taken < 1000000; ++taken) {
        const ReplayRecord kind = SysReplayNext();
        ReplayEvent event{};
        bool flag = false;
        uint32_t value = 0;
        switch (kind) {
            case ReplayRecord::None:
                SysReplayReset();
                return;
            case ReplayRecord::Clock:
                SysReplayTakeClock();
                break;
            case ReplayRecord::Event:
                SysReplayTakeEvent(&event);
                break;
            case ReplayRecord::Active:
                SysReplayTakeActive(&flag);
                break;
            case ReplayRecord::Quit:
                SysReplayTakeQuit();
                break;
            case ReplayRecord::SoundEnd:
            case ReplayRecord::SoundStatus:
            case ReplayRecord::SoundLeft:
                SysReplayTakeValue(kind, &value);
                break;
        }
        const size_t now = SysReplayBytesLeft();
        if (now > left) {
            std::abort();
        }
        // Every take but the clock's must consume bytes or stop the tape: a
        // game waiting on one that did neither would wait for ever. A clock
        // run hands out its readings without reading on, so long ones are
        // cut short here (a session may well have read the clock that often).
        if (now == left && !SysReplayDrifted()) {
            if (kind != ReplayRecord::Clock) {
                std::abort();
            }
            if (++clockReadings > 200000) {
                SysReplayReset();
                return;
            }
        }
        left = now;
    }
    SysReplayReset();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("replay");
    SysSetHeadless(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("in.rgr", data, size);
    std::string why;
    if (!ReplayLoad("in.rgr", ReplayPace::Headless, &why) && why.empty()) {
        std::abort();  // a refusal always says why
    }
    ReplayReset();
    TakeWholeTape(data, size);
    return 0;
}
