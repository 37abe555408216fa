// Feeds arbitrary bytes to LoadFonts as "fonts.dat", then draws and measures
// with every slot, into a page and into a surface smaller than any glyph.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/fonts.h"
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
