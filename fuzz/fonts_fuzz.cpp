// Feeds arbitrary bytes to LoadFonts as "fonts.dat", then draws and measures
// with every slot, into a page and into a surface smaller than any glyph.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/fonts.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "fuzz_support.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "sys/backend.h"

namespace {

GDL_Surface* tiny = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzEnterScratch("fonts");
    FuzzStartDisplay();
    tiny = GDL_createMemorySurface(3, 2, 8, nullptr);
    // The game has a background's palette up before it loads the fonts, so
    // their colours match at once; a black one would make every colour search
    // run to its end.
    for (size_t i = 0; i < 256; ++i) {
        backgroundPalette[3 * i] = static_cast<uint8_t>(i % 6 * 51);
        backgroundPalette[3 * i + 1] = static_cast<uint8_t>(i / 6 % 7 * 42);
        backgroundPalette[3 * i + 2] = static_cast<uint8_t>(i / 42 % 6 * 51);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzWriteFile("fonts.dat", data, size);

    LogReset();
    LoadFonts("fonts.dat");
    static const char text[] = "Talmadge Reed Gunner \x01\x7f\x80\xff";
    for (int font = 0; font < kFontSlots; ++font) {
        textTarget = backPage;
        DrawFontText(font, 600, 470, text);
        textTarget = tiny;
        DrawFontText(font, -1, -1, text);
        FontTextWidth(font, text);
    }
    textTarget = backPage;
    FreeFonts();
    return 0;
}
