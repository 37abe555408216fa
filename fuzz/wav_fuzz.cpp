// Feeds arbitrary bytes to the sound library as a wave file image, plays what
// it takes at two rates on the headless output.
#include <cstdint>
#include <cstdlib>

#include "aud/aud.h"
#include "sys/backend.h"

namespace {

AudSample sample = 0;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SysSetHeadless(true);
    AUD_startup();
    const AudWaveFormat format{1, 1, 22050, 44100, 2, 16};
    AudDriver driver = 0;
    if (AUD_waveOutOpen(&driver, 0, &format) != 0) {
        std::abort();
    }
    sample = AUD_allocate_sample_handle(driver);
    AUD_keep_mixed(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AUD_init_sample(sample);
    if (AUD_set_sample_file(sample, data, static_cast<uint32_t>(size)) == 0) {
        if (AUD_sample_status(sample) != AUD_SMP_DONE) {
            std::abort();  // a refused image must leave nothing to play
        }
        return 0;
    }
    AUD_start_sample(sample);
    for (int i = 0; i < 5; ++i) {
        AUD_ms_count();
    }
    AUD_set_sample_playback_rate(sample, 7000);
    for (int i = 0; i < 5; ++i) {
        AUD_ms_count();
    }
    if (AUD_sample_position(sample) > size) {
        std::abort();
    }
    AUD_end_sample(sample);
    AUD_take_mixed();
    return 0;
}
