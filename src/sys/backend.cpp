#include "sys/backend.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sys/clock.h"

namespace {

// -1 until decided from the environment.
int headless = -1;
std::vector<SysPumpListener> pumpListeners;

}  // namespace

bool SysHeadless() {
    if (headless < 0) {
        const char* value = std::getenv("REEDGUNNER_HEADLESS");
        SysSetHeadless(value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0);
    }
    return headless == 1;
}

void SysSetHeadless(bool on) {
    headless = on ? 1 : 0;
    if (on) {
        SysUseVirtualClock(kVirtualClockStart);
    } else {
        SysUseRealClock();
    }
}

void SysAddPumpListener(SysPumpListener listener) {
    if (std::find(pumpListeners.begin(), pumpListeners.end(), listener) == pumpListeners.end()) {
        pumpListeners.push_back(listener);
    }
}

void SysRemovePumpListener(SysPumpListener listener) {
    pumpListeners.erase(std::remove(pumpListeners.begin(), pumpListeners.end(), listener),
                        pumpListeners.end());
}

void SysPump() {
    // A listener may remove itself; walk a copy.
    const std::vector<SysPumpListener> listeners = pumpListeners;
    for (SysPumpListener listener : listeners) {
        listener();
    }
}
