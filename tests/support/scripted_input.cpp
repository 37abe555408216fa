#include "support/scripted_input.h"

#include "gdl/gdl_host.h"
#include "sys/backend.h"

namespace {

std::vector<GDL_Event> script;
size_t next = 0;

void Feed() {
    if (next < script.size()) {
        GDL_postEvent(&script[next++]);
    }
}

GDL_Event Make(uint32_t type, int32_t x, int32_t y, uint32_t code, uint32_t state) {
    GDL_Event event{};
    event.type = type;
    event.x = x;
    event.y = y;
    event.code = code;
    event.state = state;
    return event;
}

uint32_t KeyCode(int32_t scan, int32_t character) {
    return static_cast<uint32_t>(character & 0xFF) | static_cast<uint32_t>(scan & 0xFF) << 8;
}

}  // namespace

void StartScript(const std::vector<GDL_Event>& events) {
    script = events;
    next = 0;
    SysAddPumpListener(Feed);
}

void StopScript() {
    SysRemovePumpListener(Feed);
    script.clear();
    next = 0;
}

size_t ScriptLeft() {
    return script.size() - next;
}

GDL_Event KeyPress(int32_t scan, int32_t character, uint32_t state) {
    return Make(GDL_EVENT_KEYDOWN, 0, 0, KeyCode(scan, character), state);
}

GDL_Event KeyRelease(int32_t scan, int32_t character, uint32_t state) {
    return Make(GDL_EVENT_KEYUP, 0, 0, KeyCode(scan, character), state);
}

GDL_Event Press(int32_t x, int32_t y, uint32_t button) {
    const uint32_t held = button == GDL_BUTTON_LEFT ? GDL_STATE_LEFT : GDL_STATE_RIGHT;
    return Make(GDL_EVENT_MOUSEDOWN, x, y, button, held);
}

GDL_Event Release(int32_t x, int32_t y, uint32_t button) {
    return Make(GDL_EVENT_MOUSEUP, x, y, button, 0);
}

GDL_Event Move(int32_t x, int32_t y, uint32_t state) {
    return Make(GDL_EVENT_MOUSEMOVE, x, y, 0, state);
}

GDL_Event Tick() {
    return Make(GDL_EVENT_TIMERTICK, 0, 0, 0, 0);
}

void AddClick(std::vector<GDL_Event>* events, int32_t x, int32_t y) {
    events->push_back(Press(x, y));
    events->push_back(Release(x, y));
}
