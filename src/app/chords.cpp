#include "app/chords.h"

#include <array>

#include "engine/config.h"
#include "engine/dialogs.h"
#include "hunt/hunt.h"
#include "platform/input.h"
#include "screens/store.h"
#include "shell/screens.h"

namespace {

// The debug options, opened by Ctrl+D anywhere.
void DebugOptionsChord() {
    switch (ListDialog("Debug Options", "Debug On|Debug Off")) {
        case 1:
            debugLog = 1;
            break;
        case 2:
            debugLog = 0;
            break;
        default:
            break;
    }
}

// Ctrl+T on the hunt screen: the clock jumps to 9:00.
void HuntClockChord() {
    if (currentScreen == kScreenHunt) {
        SetHuntClockToNine();
    }
}

// None uses an arrow key, and a control chord never types a character.
constexpr std::array<HiddenChord, 3> kHiddenChords = {{
    {kScanD, DebugOptionsChord},
    {kScanT, HuntClockChord},
    {kScanM, StoreMoneyChord},  // the store only, with the pointer at (0, 0)
}};

}  // namespace

void RegisterHiddenChords() {
    SetHiddenChords(kHiddenChords);
}
