#pragma once
#include <array>
#include <cstdint>

// The screens, switching between them, and the clickable button lists their
// Do handlers use.

constexpr int32_t kScreenRoster = 0;
constexpr int32_t kScreenMain = 1;
constexpr int32_t kScreenStore = 2;
constexpr int32_t kScreenHunt = 3;
constexpr int32_t kScreenJail = 4;
constexpr int32_t kScreenRegulations = 5;
constexpr int32_t kScreenGameBag = 6;
constexpr int32_t kScreenGoals = 7;
constexpr int32_t kScreenCount = 8;

extern uint32_t currentScreen;
extern uint32_t previousScreen;
extern uint32_t quitGame;

// One screen's handlers; null where a screen has nothing to do.
struct ScreenHandlers {
    const char* name;
    void (*draw)();     // enter: load, draw, show
    void (*exit)();     // leave: free what draw loaded
    void (*doPass)();   // one pass of the main loop
    void (*restore)();  // repaint when the display comes back or an overlay closes
};

// The game's screens, indexed by number; registered once at start-up (the
// table lives with the game, above this floor).
void RegisterScreens(const std::array<ScreenHandlers, kScreenCount>& table);

// The handlers of screen `number` (0 to 7); all null before registration.
const ScreenHandlers& Screen(uint32_t number);

// One clickable button; lists are arrays walked from element 0 by `next`.
struct Button {
    int32_t x, y;
    int32_t width, height;
    int32_t enabled;    // 0: ignored by everything
    int32_t hoverable;  // 1: lights while the pointer is over it
    int32_t lit;
    int32_t graphic;  // lit picture: graphic + 10; -1 for none
    int32_t arg;
    void (*handler)(int32_t arg);
    int32_t next;  // index of the next button, -1 after the last
};

void SwitchScreen(uint32_t number);
void ExitScreen(int32_t number);  // click sound, then SwitchScreen
void GoToScreen(int32_t number);  // the same without the trace line
void SwitchOverlay(uint32_t number);

// The button under the point (or null), keeping lit states and the pointer shape.
Button* HitTestButtons(Button* list, int32_t px, int32_t py);
// Lights `found`, one of `list`, on the display, putting out any other lit one.
void LightButton(Button* list, Button& found);
// Lights the button under the point in the back page only.
void HoverButtons(Button* list, int32_t px, int32_t py);
// Copies every enabled button's rectangle from the back page to the display.
void ShowButtons(const Button* list);

// The Do handler of the screens with a button list: a click calls the button's
// handler, a move only lights; the action is used up either way.
void DoButtonList(Button* list);

// An empty button handler: the button lights but does nothing.
void NoAction(int32_t arg);

// Back to no screen, nothing quitting.
void ResetScreens();
