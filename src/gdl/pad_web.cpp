// The browser build reads no game controller: the page has no pad back-end
// yet, so the game plays with the mouse and keyboard there.
#include "gdl/gdl_host.h"
#include "gdl/gdl_internal.h"

void GDL_padEnable(bool) {}

bool GDL_padRead(GDL_PadState*) {
    return false;
}

bool GDL_padPlugVirtual() {
    return false;
}

void GDL_padUnplugVirtual() {}

bool GDL_padSetVirtual(GDL_PadInput, int32_t, int32_t) {
    return false;
}

void GdlResetPad() {}

bool GdlPadOpen() {
    return false;
}
