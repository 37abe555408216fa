// The event queue, the pointer position, the quit request and the
// reactivation callback. Every event call pumps first: window messages, the
// sound layer's listeners, and a millisecond of the virtual clock.
#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>

#include "gdl/gdl.h"
#include "gdl/gdl_internal.h"
#include "sys/backend.h"
#include "sys/clock.h"
#include "sys/replay.h"

namespace {

std::array<GDL_Event, GDL_EVENT_QUEUE_SIZE> queue;
int32_t queued = 0;  // events in queue[0 .. queued), oldest first
uint32_t serial = 0;
int32_t pointerX = kGdlWidth / 2;
int32_t pointerY = kGdlHeight / 2;

GDL_ReactivateCallback reactivate = nullptr;
GDL_QuitHandler quitHandler = nullptr;

// Set from the signal handler, looked at by the next pump.
volatile std::sig_atomic_t quitSignalled = 0;
struct sigaction oldInterrupt;
struct sigaction oldTerminate;
bool handlersInstalled = false;

// Whether the program has the display; changes made up by tests wait here
// for the next pump, as a window's would.
bool active = true;
int pendingActivation = -1;  // -1 none, else the state to take
bool pendingQuit = false;

// Above 0 while an event call runs (a callback may nest another): the clock
// reads made meanwhile are the library's own.
int eventCallDepth = 0;

// Marks the extent of one event call.
struct EventCall {
    EventCall() { ++eventCallDepth; }
    ~EventCall() { --eventCallDepth; }
    EventCall(const EventCall&) = delete;
    EventCall& operator=(const EventCall&) = delete;
};

// Escape's scan code, the second byte of a key event's code.
constexpr uint32_t kGdlScanEscape = 1;

// While a replay plays: set while the window's own input comes in (only
// Escape and a close count, and they end the replay), and while the tape's
// input is handed to the game.
bool liveDuringReplay = false;
bool fromTape = false;
// Where in its event call the input now coming in arrives.
ReplayPhase phase = ReplayPhase::Window;

// Whether live input now would be the player's own: not while a replay still
// has input to give (once it is over, a close ends the game as ever).
bool ReplayOwnsInput() {
    return SysReplayPlaying() && !fromTape && SysReplayNext() != ReplayRecord::None;
}

[[noreturn]] void EndReplay() {
    GDL_exit();
    std::exit(0);
}

// Hands the game the input records at the head of the tape that came in at
// `due`.
void TapeInput(ReplayPhase due) {
    if (!SysReplayPlaying()) {
        return;
    }
    const bool outer = fromTape;
    fromTape = true;
    for (bool more = true; more;) {
        if (!SysReplayInputDue(due)) {
            break;
        }
        switch (SysReplayNext()) {
            case ReplayRecord::Event: {
                ReplayEvent taken{};
                if (SysReplayTakeEvent(&taken)) {
                    GDL_Event event{};
                    event.type = taken.type;
                    event.code = taken.code;
                    event.state = taken.state;
                    event.x = taken.x;
                    event.y = taken.y;
                    GdlQueueEvent(event);
                }
                break;
            }
            case ReplayRecord::Active: {
                bool gained = false;
                if (SysReplayTakeActive(&gained)) {
                    GdlSetActive(gained);
                }
                break;
            }
            case ReplayRecord::Quit:
                if (SysReplayTakeQuit()) {
                    GdlQuitRequested();
                }
                break;
            default:
                more = false;
                break;
        }
    }
    fromTape = outer;
}

void OnQuitSignal(int) {
    quitSignalled = 1;
}

void Pump() {
    const ReplayPhase outer = phase;
    phase = ReplayPhase::Window;
    liveDuringReplay = SysReplayPlaying();
    GdlWindowPump();
    liveDuringReplay = false;
    TapeInput(ReplayPhase::Window);
    if (pendingActivation >= 0) {
        const bool gained = pendingActivation == 1;
        pendingActivation = -1;
        GdlSetActive(gained);
    }
    // What a driver posts from its pump listener (which runs before the sound
    // layer's, having been added first) comes back before them.
    phase = ReplayPhase::Listeners;
    TapeInput(ReplayPhase::Listeners);
    SysPump();
    SysAdvanceVirtualClock(1);
    phase = ReplayPhase::AfterListeners;
    if (quitSignalled != 0 || pendingQuit) {
        quitSignalled = 0;
        pendingQuit = false;
        GdlQuitRequested();
    }
    TapeInput(ReplayPhase::AfterListeners);
    phase = outer;
}

// Index of the oldest event of the mask, or -1.
int32_t FindOldest(uint32_t mask) {
    for (int32_t i = 0; i < queued; ++i) {
        if ((queue[i].type & mask) != 0) {
            return i;
        }
    }
    return -1;
}

void RemoveAt(int32_t index) {
    std::copy(queue.begin() + index + 1, queue.begin() + queued, queue.begin() + index);
    --queued;
}

void NoEvent(GDL_Event* event) {
    if (event != nullptr) {
        *event = GDL_Event{};
    }
}

}  // namespace

bool GdlInEventCall() {
    return eventCallDepth > 0;
}

void GdlQueueEvent(const GDL_Event& event) {
    if (liveDuringReplay && ReplayOwnsInput()) {
        if (event.type == GDL_EVENT_KEYDOWN && ((event.code >> 8) & 0xFF) == kGdlScanEscape) {
            EndReplay();
        }
        return;
    }
    SysReplayPutEvent({event.type, event.code, event.state, event.x, event.y}, phase);
    if ((event.type & GDL_EVENT_POINTER) != 0) {
        GdlSetPointer(event.x, event.y);
    }
    if (queued >= GDL_EVENT_QUEUE_SIZE) {
        return;  // full: input is dropped, as it always was
    }
    GDL_Event& slot = queue[queued];
    slot = event;
    slot.serial = ++serial;
    slot.time = SysMilliseconds();
    slot.x = pointerX;
    slot.y = pointerY;
    slot.next = 0;
    slot.prev = 0;
    ++queued;
}

void GdlSetPointer(int32_t x, int32_t y) {
    pointerX = std::clamp(x, 0, kGdlWidth - 1);
    pointerY = std::clamp(y, 0, kGdlHeight - 1);
}

void GdlQuitRequested() {
    if (ReplayOwnsInput()) {
        EndReplay();  // the window closed on a replay, or a signal came
    }
    SysReplayPutQuit(phase);
    if (quitHandler != nullptr) {
        quitHandler();
        return;
    }
    GDL_exit();
    std::exit(0);
}

void GdlReactivate(uint32_t flags) {
    GDL_Surface* display = GdlDisplay();
    if (reactivate != nullptr && display != nullptr) {
        reactivate(display, flags);
    }
}

void GdlSetActive(bool gained) {
    if (ReplayOwnsInput()) {
        if (gained) {
            GdlWindowShowNow();  // the live window's focus is not the game's
        }
        return;
    }
    if (gained == active) {
        return;
    }
    SysReplayPutActive(gained, phase);
    active = gained;
    if (gained) {
        // The picture is back on screen before the game repaints over it.
        GdlWindowShowNow();
        GdlReactivate(2);
    } else {
        GdlReactivate(1);
    }
}

void GDL_postActivation(bool gained) {
    pendingActivation = gained ? 1 : 0;
}

void GDL_postQuit() {
    pendingQuit = true;
}

void GdlResetEvents() {
    active = true;
    pendingActivation = -1;
    pendingQuit = false;
    queued = 0;
    serial = 0;
    pointerX = kGdlWidth / 2;
    pointerY = kGdlHeight / 2;
    reactivate = nullptr;
    quitHandler = nullptr;
    quitSignalled = 0;
    liveDuringReplay = false;
    fromTape = false;
    phase = ReplayPhase::Window;
    GdlRestoreSignalHandlers();
}

void GdlInstallSignalHandlers() {
    if (handlersInstalled) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInterrupt);
    sigaction(SIGTERM, &action, &oldTerminate);
    handlersInstalled = true;
}

void GdlRestoreSignalHandlers() {
    if (!handlersInstalled) {
        return;
    }
    sigaction(SIGINT, &oldInterrupt, nullptr);
    sigaction(SIGTERM, &oldTerminate, nullptr);
    handlersInstalled = false;
}

void GDL_setReactivateCallback(GDL_ReactivateCallback callback) {
    reactivate = callback;
}

void GDL_setQuitHandler(GDL_QuitHandler handler) {
    quitHandler = handler;
}

namespace {

// An event call: pumps, then hands out the oldest event of the mask, taking it
// from the queue or leaving it there.
int32_t NextEvent(GDL_Event* event, uint32_t mask, bool take) {
    const EventCall call;
    Pump();
    const int32_t index = FindOldest(mask);
    if (index < 0) {
        NoEvent(event);
        GdlWindowIdle();
        return 0;
    }
    if (event != nullptr) {
        *event = queue[index];
    }
    if (take) {
        RemoveAt(index);
    }
    return 1;
}

}  // namespace

int32_t GDL_postEvent(const GDL_Event* event) {
    if (event == nullptr) {
        return 0;
    }
    const bool room = queued < GDL_EVENT_QUEUE_SIZE;
    GdlQueueEvent(*event);
    return room ? 1 : 0;
}

int32_t GDL_postMotion(const GDL_Event* event) {
    if (event == nullptr || event->type != GDL_EVENT_MOUSEMOVE) {
        return 0;
    }
    GDL_Event* last = queued > 0 ? &queue[queued - 1] : nullptr;
    if (last == nullptr || last->type != GDL_EVENT_MOUSEMOVE || last->state != event->state) {
        return GDL_postEvent(event);
    }
    // A move nothing has taken yet just moves on: the pointer never lags.
    GdlSetPointer(event->x, event->y);
    last->x = pointerX;
    last->y = pointerY;
    last->time = SysMilliseconds();
    return 1;
}

int32_t GDL_getEvent(GDL_Event* event, uint32_t mask) {
    return NextEvent(event, mask, true);
}

int32_t GDL_peekEvent(GDL_Event* event, uint32_t mask) {
    return NextEvent(event, mask, false);
}

int32_t GDL_waitEvent(uint32_t mask, bool timed, uint32_t until) {
    // One rest at most: the caller looks again after it, so a quit signal
    // (which does not end the window system's wait) or a change made by a
    // pump listener is noticed within half a second when nothing is timed (an
    // open pad is read only at event calls and sends the window nothing, so
    // then within a tenth of a second, as its presses need). A timed rest lasts
    // to its due time, so the hunt's step (due a tenth of a second and a
    // millisecond after the last) is not found early and waited for twice;
    // half a second bounds it all the same.
    constexpr uint32_t kLongestRest = 500;
    constexpr uint32_t kLongestPadRest = 100;
    constexpr uint32_t kLongestTimedRest = 500;
    constexpr uint32_t kLongestJump = 1000;
    {
        const EventCall call;
        Pump();
        if (FindOldest(mask) >= 0) {
            return 1;
        }
    }
    const auto left = static_cast<int32_t>(until - SysPeekMilliseconds());
    if (timed && left <= 0) {
        return 0;
    }
    if (SysClockIsVirtual()) {
        // A second at most per jump, so the sound mixed meanwhile keeps up.
        if (timed) {
            SysAdvanceVirtualClock(std::min(static_cast<uint32_t>(left), kLongestJump));
        }
        return 0;
    }
    GdlWindowRest(timed ? std::min(static_cast<uint32_t>(left), kLongestTimedRest)
                        : (GdlPadOpen() ? kLongestPadRest : kLongestRest));
    const EventCall call;
    Pump();
    return FindOldest(mask) >= 0 ? 1 : 0;
}

void GDL_flushEvents(uint32_t mask) {
    const EventCall call;
    Pump();
    for (int32_t index = FindOldest(mask); index >= 0; index = FindOldest(mask)) {
        RemoveAt(index);
    }
}

void GDL_setMousePos(int32_t x, int32_t y) {
    GdlSetPointer(x, y);
    GdlWindowWarp(pointerX, pointerY);
}

void GDL_getMousePos(int32_t* x, int32_t* y) {
    if (x != nullptr) {
        *x = pointerX;
    }
    if (y != nullptr) {
        *y = pointerY;
    }
}
