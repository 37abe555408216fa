// Result codes, their texts, the fatal path, the application instance and the
// allocator.
#include <array>
#include <cstdlib>

#include "gdl/gdl.h"
#include "gdl/gdl_internal.h"
#include "sys/message_box.h"

namespace {

int32_t lastResult = GDL_OK;
void* appInstance = nullptr;

// Texts for codes 0 to -31, indexed by the code negated.
constexpr std::array<const char*, 32> kErrorTexts = {
    "No error",                               // 0
    "Graphics not initialized",               // -1
    "Graphics hardware not detected",         // -2
    "Driver file not found",                  // -3
    "Invalid driver",                         // -4
    "Not enough memory",                      // -5
    "Not enough memory for off-screen page",  // -6
    "Font file not found",                    // -7
    "Not enough memory to load font",         // -8
    "Invalid graphics mode for driver",       // -9
    "Graphics mode not available",            // -10
    "Invalid argument",                       // -11
    "Invalid font file",                      // -12
    "Too many drivers registered",            // -13
    "Invalid driver number",                  // -14
    "Invalid surface",                        // -15
    "Surface is busy",                        // -16
    "Operation not supported by surface",     // -17
    "Pixel format not supported",             // -18
    "Palette not available",                  // -19
    "Could not open window",                  // -20
    "Could not set display mode",             // -21
    "Lost the display",                       // -22
    "Could not restore display",              // -23
    "Event queue full",                       // -24
    "Invalid event mask",                     // -25
    "File not found",                         // -26
    "Could not read file",                    // -27
    "Could not write file",                   // -28
    "Invalid file format",                    // -29
    "Timer not available",                    // -30
    "Internal error",                         // -31
};

}  // namespace

void GdlSetResult(int32_t code) {
    lastResult = code;
}

void* GdlAppInstance() {
    return appInstance;
}

void GdlResetErrors() {
    lastResult = GDL_OK;
    appInstance = nullptr;
}

void GDL_setAppInstance(void* instance) {
    appInstance = instance;
}

int32_t GDL_result() {
    const int32_t code = lastResult;
    lastResult = GDL_OK;
    return code;
}

const char* GDL_errorMsg(int32_t code) {
    if (code > 0 || code < -31) {
        return "NONE";
    }
    return kErrorTexts[static_cast<size_t>(-code)];
}

void GDL_fatalError(const char* message) {
    if (message == nullptr) {
        message = "";
    }
    GDL_exit();
    SysMessageBox(message, "GDL Fatal Error!");
    std::exit(1);
}

void* GDL_malloc(size_t size) {
    // A zero-byte request still gets a block of its own to free later.
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        GdlSetResult(GDL_ERR_NO_MEMORY);
    }
    return block;
}

void GDL_free(void* block) {
    std::free(block);
}
