// Bringing the display up and down: drivers, mode, the display and the two
// memory pages.
#include "platform/graphics.h"

#include "engine/config.h"
#include "engine/log.h"
#include "gdl/gdl_host.h"

GDL_Surface* displaySurface = nullptr;
GDL_Surface* backPage = nullptr;
GDL_Surface* workPage = nullptr;
GDL_Surface* textTarget = nullptr;

namespace {

constexpr int32_t kPageWidth = 640;
constexpr int32_t kPageHeight = 480;

// Where the library would look for files of its own; ours needs none.
constexpr const char* kLibraryPath = "..\\..\\";

// The library's reason goes into the log line too, and the box says the same.
[[noreturn]] void Fatal(const char* line) {
    LogPrintf("%s: %s", line, GDL_errorMsg(GDL_result()));
    GDL_fatalError(LogLastError());
}

bool ModeAvailable(int32_t wanted) {
    for (const int32_t* mode = GDL_availableModes(); *mode != GDL_MODE_LIST_END; ++mode) {
        if (*mode == wanted) {
            return true;
        }
    }
    return false;
}

}  // namespace

uint32_t GraphicsInit() {
    GDL_setWindowTitle("Talmadge Reed Gunner");
    GDL_unregisterAllDrivers();
    if (DirectVideo != 0) {
        GDL_registerDriver("SVGA8.DRV", GDL_SVGA8_DRV);
        GDL_registerDriver("LINEAR8.DRV", GDL_LINEAR8_DRV);
        GDL_registerDriver("ACCEL8.DRV", GDL_ACCEL8_DRV);
    }
    if (DirectX != 0) {
        GDL_registerDriver("DDRAW8.DRV", GDL_DDRAW8_DRV);
    }
    GDL_registerPackedDrivers();

    int32_t driver = -1;
    int32_t mode = -1;
    GDL_detectGraphics(&driver, &mode);
    if (!ModeAvailable(GDL_MODE_640x480x256)) {
        LogPrintf("ERROR: video mode not available: %s", GDL_errorMsg(GDL_result()));
        return 0;
    }

    mode = GDL_MODE_640x480x256;
    GDL_setWindowMode(static_cast<int32_t>(windowScale), fullscreen != 0);
    if (GDL_init(&driver, &mode, kLibraryPath) == 0) {
        Fatal("ERROR: could not initialize graphics card");
    }
    displaySurface = GDL_createDisplaySurface(0);
    if (displaySurface == nullptr) {
        Fatal("ERROR: could not create display");
    }
    backPage = GDL_createMemorySurface(kPageWidth, kPageHeight, 8, nullptr);
    if (backPage == nullptr) {
        Fatal("ERROR: no memory for backpage");
    }
    workPage = GDL_createMemorySurface(kPageWidth, kPageHeight, 8, nullptr);
    if (workPage == nullptr) {
        Fatal("ERROR: no memory for workpage");
    }

    GDL_setClipRect(workPage, 0, 0, kPageWidth, kPageHeight);
    GDL_setClipRect(backPage, 0, 0, kPageWidth, kPageHeight);
    GDL_setClipRect(displaySurface, 0, 0, kPageWidth, kPageHeight);
    GDL_setBlitTranslate(0);
    GDL_makeCurrent(displaySurface);
    textTarget = backPage;
    return 1;
}

void GraphicsExit() {
    Trace("GraphicsExit");
    GDL_exit();
    ResetGraphics();
}

void ResetGraphics() {
    displaySurface = nullptr;
    backPage = nullptr;
    workPage = nullptr;
    textTarget = nullptr;
}
