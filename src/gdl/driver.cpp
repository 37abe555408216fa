// Driver registration, mode detection, bringing the library up and down, and
// the headless backend's make-believe desktop and failure points.
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "gdl/gdl.h"
#include "gdl/gdl_internal.h"
#include "sys/backend.h"

// Driver images: a signature and the driver's name. The drivers themselves
// are the window backend; the images only have to pass registration.
const char GDL_SVGA8_DRV[] = "Display Driver: SVGA8.DRV";
const char GDL_LINEAR8_DRV[] = "Display Driver: LINEAR8.DRV";
const char GDL_ACCEL8_DRV[] = "Display Driver: ACCEL8.DRV";
const char GDL_DDRAW8_DRV[] = "Display Driver: DDRAW8.DRV";

namespace {

constexpr std::string_view kSignature = "Display Driver:";

struct KnownDriver {
    const char* name;
    int32_t number;  // GDL_DRIVER_ value; 0 for the memory-surface drivers
};

// Every driver the library can take. Display drivers are preferred from the
// bottom up: the accelerated one first.
constexpr std::array<KnownDriver, 10> kKnownDrivers = {{
    {"SVGA8.DRV", GDL_DRIVER_SVGA8},
    {"LINEAR8.DRV", GDL_DRIVER_LINEAR8},
    {"ACCEL8.DRV", GDL_DRIVER_ACCEL8},
    {"DDRAW8.DRV", GDL_DRIVER_DDRAW8},
    {"PACK1.DRV", GDL_DRIVER_NONE},
    {"PACK4.DRV", GDL_DRIVER_NONE},
    {"PACK8.DRV", GDL_DRIVER_NONE},
    {"PACK16.DRV", GDL_DRIVER_NONE},
    {"PACK24.DRV", GDL_DRIVER_NONE},
    {"PACK32.DRV", GDL_DRIVER_NONE},
}};

constexpr std::array<const char*, 6> kPackedImages = {
    "Display Driver: PACK1.DRV",  "Display Driver: PACK4.DRV",  "Display Driver: PACK8.DRV",
    "Display Driver: PACK16.DRV", "Display Driver: PACK24.DRV", "Display Driver: PACK32.DRV",
};

constexpr size_t kMaxDrivers = 16;

std::vector<const char*> registered;  // names from kKnownDrivers
std::array<int32_t, 2> modes = {GDL_MODE_LIST_END, GDL_MODE_LIST_END};
bool initialized = false;
int32_t activeDriver = GDL_DRIVER_NONE;
const char* windowTitle = "";

int32_t headlessWidth = 1920;
int32_t headlessHeight = 1080;
GDL_FailPoint failPoint = GDL_FailPoint::None;
int32_t failSkip = 0;

const KnownDriver* FindKnown(std::string_view name) {
    for (const KnownDriver& driver : kKnownDrivers) {
        if (name == driver.name) {
            return &driver;
        }
    }
    return nullptr;
}

bool IsRegistered(int32_t number) {
    for (const char* name : registered) {
        if (FindKnown(name)->number == number) {
            return number != GDL_DRIVER_NONE;
        }
    }
    return false;
}

GDL_Renderer RendererFor(int32_t driver) {
    if (driver == GDL_DRIVER_NONE) {
        return GDL_Renderer::None;
    }
    return driver == GDL_DRIVER_DDRAW8 ? GDL_Renderer::Accelerated : GDL_Renderer::Software;
}

}  // namespace

bool GdlInitialized() {
    return initialized;
}
const char* GdlWindowTitle() {
    return windowTitle;
}

bool GdlFailHere(GDL_FailPoint point) {
    if (failPoint != point || point == GDL_FailPoint::None) {
        return false;
    }
    if (failSkip > 0) {
        --failSkip;
        return false;
    }
    failPoint = GDL_FailPoint::None;
    return true;
}

void GdlHeadlessDesktop(int32_t* width, int32_t* height) {
    *width = headlessWidth;
    *height = headlessHeight;
}

void GDL_setHeadlessDesktop(int32_t width, int32_t height) {
    headlessWidth = width;
    headlessHeight = height;
}

void GDL_failAfter(GDL_FailPoint point, int32_t skip) {
    failPoint = point;
    failSkip = skip;
}

void GDL_setWindowTitle(const char* title) {
    windowTitle = title != nullptr ? title : "";
}

std::vector<const char*> GDL_registeredDrivers() {
    return registered;
}

GDL_Renderer GDL_chosenRenderer() {
    return RendererFor(activeDriver);
}

GDL_Renderer GDL_activeRenderer() {
    return GdlWindowRenderer();
}

void GDL_unregisterAllDrivers() {
    registered.clear();
}

int32_t GDL_registerDriver(const char* name, const void* image) {
    if (name == nullptr || image == nullptr) {
        GdlSetResult(GDL_ERR_BAD_DRIVER);
        return GDL_ERR_BAD_DRIVER;
    }
    // The image must carry the signature and then the same name.
    std::string_view text(static_cast<const char*>(image));
    const KnownDriver* known = FindKnown(name);
    if (known == nullptr || text.substr(0, kSignature.size()) != kSignature) {
        GdlSetResult(GDL_ERR_BAD_DRIVER);
        return GDL_ERR_BAD_DRIVER;
    }
    text.remove_prefix(kSignature.size());
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    if (text != known->name) {
        GdlSetResult(GDL_ERR_BAD_DRIVER);
        return GDL_ERR_BAD_DRIVER;
    }
    for (const char* present : registered) {
        if (present == known->name) {
            return GDL_OK;
        }
    }
    if (registered.size() >= kMaxDrivers) {
        GdlSetResult(GDL_ERR_TOO_MANY_DRIVERS);
        return GDL_ERR_TOO_MANY_DRIVERS;
    }
    registered.push_back(known->name);
    return GDL_OK;
}

int32_t GDL_registerPackedDrivers() {
    for (const char* image : kPackedImages) {
        const std::string_view text(image);
        const std::string name(text.substr(kSignature.size() + 1));
        const int32_t result = GDL_registerDriver(name.c_str(), image);
        if (result != GDL_OK) {
            return result;
        }
    }
    return GDL_OK;
}

void GDL_detectGraphics(int32_t* driver, int32_t* mode) {
    int32_t width = 0, height = 0;
    bool canShow;
    if (SysHeadless()) {
        GdlHeadlessDesktop(&width, &height);
        canShow = true;
    } else {
        canShow = GdlWindowDetect(&width, &height);
    }
    // Why nothing can be shown, for the caller's message: no display at all,
    // or one too small for the mode.
    const int32_t why = canShow ? GDL_ERR_BAD_MODE : GDL_ERR_NO_WINDOW;
    canShow = canShow && width >= kGdlWidth && height >= kGdlHeight;
    modes = {canShow ? GDL_MODE_640x480x256 : GDL_MODE_LIST_END, GDL_MODE_LIST_END};

    int32_t found = GDL_DRIVER_NONE;
    if (driver != nullptr && *driver > 0) {
        found = IsRegistered(*driver) ? *driver : GDL_DRIVER_NONE;
    } else {
        for (int32_t number = GDL_DRIVER_DDRAW8; number >= GDL_DRIVER_SVGA8; --number) {
            if (IsRegistered(number)) {
                found = number;
                break;
            }
        }
    }
    if (!canShow) {
        found = GDL_DRIVER_NONE;
        GdlSetResult(why);
    }
    if (driver != nullptr) {
        *driver = found;
    }
    if (mode != nullptr && *mode < 0) {
        *mode = canShow ? GDL_MODE_640x480x256 : -1;
    }
}

const int32_t* GDL_availableModes() {
    return modes.data();
}

int32_t GDL_init(int32_t* driver, int32_t* mode, const char* path) {
    (void)path;  // the library keeps no files of its own
    if (GdlAppInstance() == nullptr) {
        GDL_fatalError("GDL_setAppInstance must be called before GDL_init!");
    }
    if (initialized) {
        GDL_fatalError("Nested call to GDL_init!");
    }
    if (driver == nullptr || !IsRegistered(*driver)) {
        GdlSetResult(GDL_ERR_NOT_DETECTED);
        return 0;
    }
    if (mode == nullptr || *mode != GDL_MODE_640x480x256 || modes[0] != GDL_MODE_640x480x256) {
        GdlSetResult(GDL_ERR_BAD_MODE);
        return 0;
    }
    if (GdlFailHere(GDL_FailPoint::Init)) {
        GdlSetResult(GDL_ERR_NO_WINDOW);
        return 0;
    }
    activeDriver = *driver;
    if (!SysHeadless() && !GdlWindowOpen(RendererFor(activeDriver))) {
        activeDriver = GDL_DRIVER_NONE;
        GdlSetResult(GDL_ERR_NO_WINDOW);
        return 0;
    }
    GdlInstallSignalHandlers();
    initialized = true;
    return 1;
}

void GDL_exit() {
    GdlDestroyAllSurfaces();
    GDL_setReactivateCallback(nullptr);
    GdlRestoreSignalHandlers();
    GdlWindowClose();
    initialized = false;
    activeDriver = GDL_DRIVER_NONE;
}

void GDL_reset() {
    GDL_exit();
    registered.clear();
    modes = {GDL_MODE_LIST_END, GDL_MODE_LIST_END};
    windowTitle = "";
    headlessWidth = 1920;
    headlessHeight = 1080;
    GDL_setWindowMode(0, false);
    failPoint = GDL_FailPoint::None;
    failSkip = 0;
    GdlResetSurfaces();
    GdlResetPalette();
    GdlResetEvents();
    GdlResetPad();
    GdlResetCursor();
    GdlResetErrors();
}
