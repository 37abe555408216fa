// Feeds arbitrary bytes to LoadFonts as "fonts.dat", then draws and measures
// with every slot, into a page and into a surface smaller than any glyph.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/fonts.h"
#include "engine/log.h"
#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "sys/backend.h"

namespace {

GDL_Surface* tiny = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static char pattern[] = "/tmp/reedgunner-fuzz-fonts-XXXXXX";
    const char* dir = mkdtemp(pattern);
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
    tiny = GDL_createMemorySurface(3, 2, 8, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen("fonts.dat", "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

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
