#include "app/game.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/chords.h"
#include "app/command_keys.h"
#include "app/replay.h"
#include "app/screen_table.h"
#include "engine/config.h"
#include "engine/dialogs.h"
#include "engine/fonts.h"
#include "engine/graphic_slots.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "engine/transitions.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/sound_numbers.h"
#include "shell/options.h"
#include "shell/screens.h"
#include "sys/identity.h"
#include "sys/message_box.h"
#include "sys/paths.h"

namespace {

// String resource 100: the first line of every run's log.
constexpr const char* kLogTitle = "Talmadge Reed Gunner 1.0 Error Log";
constexpr const char* kWindowTitle = "Talmadge Reed Gunner";
constexpr uint32_t kTitleHoldMs = 2000;
constexpr const char* kErrorTitle = "Reed Shot Error";

// The application instance the display library keeps: any address of ours.
char appInstance;

bool quitting = false;

// What start-up could not do, for the box that ends it.
constexpr const char* kCannotStart = "The game cannot start";
const char* startFailure = kCannotStart;

// Ends a start-up that cannot go on: the player is told what failed in the
// words of the log's last ERROR line. Returns the exit code.
int StartFailed(bool displayUp) {
    std::string text = startFailure;
    if (LogLastError()[0] != '\0') {
        text = text + ": " + LogLastError();
    }
    if (!displayUp) {
        SysErrorLine(text.c_str(), kErrorTitle);
        return 1;
    }
    GDL_setQuitHandler(nullptr);
    GameExit();  // frees whatever start-up had loaded before it stopped
    SoundExit();
    GraphicsExit();
    SysMessageBox(text.c_str(), kErrorTitle);
    return 1;
}

// A step of GameInit that failed: logs an ERROR line naming `file` unless the
// loader already logged one, and fails.
uint32_t InitStepFailed(uint32_t errorsBefore, const char* what, const char* file,
                        const char* why) {
    if (LogErrorCount() == errorsBefore) {
        LogPrintf("ERROR: %s%s %s", dataDir.c_str(), file, why);
    }
    startFailure = what;
    return 0;
}

[[noreturn]] void LeaveUnsaved() {
    std::exit(1);
}

// The last save, made while the shared resources are still loaded so that a
// failure's message box can show; closing the window on that box ends the game
// as its button does. Returns the exit status: 1 when the roster is not saved.
int SaveOnTheWayOut() {
    GDL_setQuitHandler(LeaveUnsaved);
    const uint32_t saved = SaveOptions();
    GDL_setQuitHandler(nullptr);
    return saved == 1 ? 0 : 1;
}

}  // namespace

int RunGame() {
    GDL_setAppInstance(&appInstance);
    GDL_setWindowTitle(kWindowTitle);
    LogPrintf("%s", kLogTitle);
    CheckRegistry();
    LogPrintf("DirectX: %d, DirectVideo: %d, DirectSound: %d", static_cast<int>(DirectX),
              static_cast<int>(DirectVideo), static_cast<int>(DirectSound));
    if (!ReplayBegin()) {
        return 1;
    }
    LoadOptions();
    startFailure = kCannotStart;
    if (GraphicsInit() == 0) {
        return StartFailed(false);
    }
    if (SoundInit() == 0) {
        // The game plays silently; the player is told why once.
        std::fprintf(stderr, "no sound device: the game plays without sound\n");
    }
    if (GameInit() == 0) {
        return StartFailed(true);
    }
    MainLoop();
    const int status = SaveOnTheWayOut();
    GameExit();
    SoundExit();
    GraphicsExit();
    ReplayEnd();
    return status;
}

uint32_t GameInit() {
    SeedRandom(TimerCount());
    SelectTextFont(0);
    startFailure = kCannotStart;
    if (!dataDir.empty() && !SysIsDirectory(dataDir)) {
        LogPrintf("ERROR: the data folder %s is missing", dataDir.c_str());
        return 0;
    }
    uint32_t errors = LogErrorCount();
    if (LoadGraphics(kIconsSlot, "icons") == 0) {
        return InitStepFailed(errors, startFailure, "icons.256", "holds no graphics");
    }
    for (int i = 0; i < kInterfaceSoundCount; ++i) {
        SoundSeek("sounds", i, i);
    }
    RegisterGameScreens();
    RegisterHiddenChords();
    RegisterCommandKeys();
    GDL_setReactivateCallback(ReactivateScreen);
    errors = LogErrorCount();
    if (InitMouse() == 0) {
        return InitStepFailed(errors, "Unable to init mouse", "pointers.256",
                              "holds too few pointers");
    }
    for (GDL_Surface* surface : {displaySurface, backPage, workPage}) {
        GDL_setPalette(surface, gamePalette.data(), 256, 0);
        GDL_realizePalette(surface, 256, 0, 0);
    }
    // The colour fonts are matched against the title's palette: without it
    // the game cannot draw its text.
    if (LoadBackground("bkg_01") == 0) {
        return 0;
    }
    CopyWorkPage();
    errors = LogErrorCount();
    if (LoadFonts("fonts.dat") == 0) {
        return InitStepFailed(errors, startFailure, "fonts.dat", "holds no fonts");
    }
    // From here on closing the window is the normal way out.
    GDL_setQuitHandler(QuitFromAnywhere);
    SetTextColor(255);
    DrawText(600, 460, kGameVersion, backPage);
    SetTextColor(5);
    BlockWipeTopLeft();
    PlayMusic("mainmenu");
    TimerWait(0);
    TimerWait(kTitleHoldMs);
    currentScreen = kScreenRoster;
    Screen(kScreenRoster).draw();
    return 1;
}

void MainLoop() {
    while (quitGame == 0) {
        PollEvent();
        PauseWhileAway();
        const uint32_t screen = currentScreen;
        if (Screen(currentScreen).doPass != nullptr) {
            Screen(currentScreen).doPass();
        }
        // Nothing to do until the next input or the earliest time a screen
        // asked for; a screen just entered gets its first pass at once.
        uint32_t due = 0;
        const bool timed = TakeWakeTime(&due);
        if (quitGame == 0 && screen == currentScreen) {
            GDL_waitEvent(GDL_EVENT_ALL, timed, due);
        }
    }
}

void GameExit() {
    Trace("GameExit");
    for (int i = 0; i < kInterfaceSoundCount; ++i) {
        SoundFree(i);
    }
    FreeFonts();
    FreeGraphics(kIconsSlot, kIconsCount);
    FreeMouse();
}

int32_t ReactivateScreen(GDL_Surface* surface, uint32_t flags) {
    WindowFocusChanged((flags & 2) != 0);
    if ((flags & 2) == 0) {
        return 0;
    }
    GDL_Surface* previous = GDL_makeCurrent(surface);
    GDL_clearDevice();
    GDL_makeCurrent(previous);
    // The back page holds what the player saw: the main screen, the payout and the
    // regulations draw their changing parts only there, the hunt its birds,
    // counters, caption and pointer, and an open dialog itself, so it is shown as
    // it is. The roster, the store and the game bag rebuild theirs.
    const bool rebuilds = currentScreen == kScreenRoster || currentScreen == kScreenStore ||
                          currentScreen == kScreenGameBag;
    if (rebuilds && !DialogOpen() && Screen(currentScreen).restore != nullptr) {
        Screen(currentScreen).restore();
    } else {
        ShowBackPage();
        if (cursorInBackPage == 0) {
            ShowCursor();  // the pointer was drawn on the display only
        }
    }
    return 0;
}

void QuitFromAnywhere() {
    // The Exit handler below may itself take events; a second request while
    // leaving changes nothing.
    if (quitting) {
        std::exit(0);
    }
    quitting = true;
    GDL_setQuitHandler(nullptr);
    if (Screen(currentScreen).exit != nullptr) {
        Screen(currentScreen).exit();
    }
    const int status = SaveOnTheWayOut();
    GameExit();
    SoundExit();
    GraphicsExit();
    std::exit(status);
}

int RunGameInSavesFolder() {
    const std::string saves = SysSavesDir();
    if (!SysMakeDirs(saves) || chdir(saves.c_str()) != 0) {
        const std::string text = "The game cannot start: cannot use the saves folder " + saves +
                                 ": " + std::strerror(errno);
        SysErrorLine(text.c_str(), kErrorTitle);
        return 1;
    }
    return RunGame();
}
