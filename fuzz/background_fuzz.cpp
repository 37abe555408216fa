// Feeds arbitrary bytes to both background loaders: a short or damaged
// picture must be reported, never read or written past its page.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/graphics.h"
#include "engine/log.h"
#include "platform/graphics.h"
#include "sys/backend.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every input rewrites the bank and starts the log anew: on a memory file
    // system that costs no disk flushes.
    static char inMemory[] = "/dev/shm/reedgunner-fuzz-background-XXXXXX";
    static char onDisk[] = "/tmp/reedgunner-fuzz-background-XXXXXX";
    const char* dir = mkdtemp(inMemory);
    if (dir == nullptr) {
        dir = mkdtemp(onDisk);
    }
    if (dir == nullptr || chdir(dir) != 0) {
        std::abort();
    }
    setenv("XDG_STATE_HOME", dir, 1);
    SysSetHeadless(true);
    static char instance;
    GDL_setAppInstance(&instance);
    if (GraphicsInit() != 1) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen("bkg.256", "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

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
