#include "app/screen_table.h"

#include <array>

#include "hunt/hunt.h"
#include "screens/game_bag.h"
#include "screens/goals.h"
#include "screens/jail.h"
#include "screens/main_screen.h"
#include "screens/regulations.h"
#include "screens/roster.h"
#include "screens/store.h"
#include "shell/screens.h"

namespace {

// Jail and game over does all its work in Draw: it has no Exit or Do of its own.
constexpr std::array<ScreenHandlers, kScreenCount> kGameScreens = {{
    // name               draw                 exit                   do pass          restore
    {"player roster", DrawRosterScreen, ExitRosterScreen, DoRosterScreen, RefreshRoster},
    {"main screen", DrawMainScreen, DumpMainScreen, DoMainScreen, nullptr},
    {"store", DrawStoreScreen, ExitStoreScreen, DoStoreScreen, RestoreStoreScreen},
    {"hunt", DrawWaterFowlScreen, DumpWaterfowlScreen, HuntFrame, RestoreWaterFowlScreen},
    {"jail and game over", DrawJailScreen, nullptr, nullptr, nullptr},
    {"regulations", DrawRegsScreen, RestoreRegsButtons, DoRegsScreen, nullptr},
    {"game bag", DrawGameBagScreen, RestoreGameBagButtons, DoGameBagScreen, DrawGameBagPage},
    {"bag goals", DrawGoalScreen, ExitGoalScreen, DoGoalScreen, nullptr},
}};

}  // namespace

void RegisterGameScreens() {
    RegisterScreens(kGameScreens);
}
