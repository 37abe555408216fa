// The window backend over SDL2.
#include "gdl/gdl_internal.h"

bool GdlWindowDetect(int32_t* desktopWidth, int32_t* desktopHeight) {
    *desktopWidth = 0;
    *desktopHeight = 0;
    return false;
}
bool GdlWindowOpen(GDL_Renderer) {
    return false;
}
void GdlWindowClose() {}
void GdlWindowPump() {}
void GdlWindowIdle() {}
void GdlWindowWarp(int32_t, int32_t) {}
GDL_Renderer GdlWindowRenderer() {
    return GDL_Renderer::None;
}
void GdlWindowMessageBox(const char*, const char*) {}
