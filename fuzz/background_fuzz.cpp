// Feeds arbitrary bytes to both background loaders: a short or damaged
// picture must be reported, never read or written past its page.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/graphics.h"
#include "engine/log.h"
#include "fuzz_support.h"
#include "platform/graphics.h"
#include "sys/backend.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("background");
    FuzzStartDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("bkg.256", data, size);

    LogReset();
    const uint32_t whole = LoadBackground("bkg");
    if (LoadBackground2("bkg") != whole) {
        std::abort();
    }
    // Only a file holding every row can succeed.
    if (whole == 1 && size < kBankHeaderSize + kRecordHeaderSize + 640 * 480) {
        std::abort();
    }
    CopyWorkPage();
    ShowBackPage();
    return 0;
}
