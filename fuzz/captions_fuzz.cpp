// Feeds arbitrary bytes to the captions reader as "captions.txt", then lays out
// and puts up every caption the speakers could ask for with a font whose
// characters are of many widths, checking that each box stays on the screen.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/config.h"
#include "engine/fonts.h"
#include "engine/log.h"
#include "fuzz_support.h"
#include "hunt/captions.h"
#include "support/font_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("captions");
    FuzzStartDisplay();
    TestFont font = SimpleTestFont();
    for (int ch = 0; ch < 129; ++ch) {
        font.advances[ch] = static_cast<uint16_t>(1 + ch % 11 * 7);  // up to 71 pixels
    }
    const std::string bytes = FontFileBytes({font});
    FuzzWriteFile("fonts.dat", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (LoadFonts("fonts.dat") != 1) {
        std::abort();
    }
    showCaptions = 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("captions.txt", data, size);
    LogReset();
    ResetCaptions();
    for (int character : {4, 20, 21}) {
        for (int comment = 1; comment <= 41; ++comment) {
            CaptionBox box{};
            if (!CaptionLayout(character, comment, &box)) {
                continue;
            }
            if (box.x < 0 || box.y < 0 || box.w <= 0 || box.h <= 0 || box.x + box.w > 640 ||
                box.y + box.h > 420) {
                std::abort();
            }
            RaiseCaption(character, comment);
            LowerCaption();
        }
    }
    return 0;
}
