#pragma once
#include <array>
#include <cstddef>
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
// Tables name their fields; what they leave out takes the usual value below.
struct Button {
    int32_t x = 0, y = 0;
    int32_t width = 0, height = 0;
    int32_t enabled = 1;    // 0: ignored by everything
    int32_t hoverable = 1;  // 1: lights while the pointer is over it
    int32_t lit = 0;
    int32_t graphic = -1;  // lit picture: graphic + 10; -1 for none
    int32_t arg = 0;
    void (*handler)(int32_t arg) = nullptr;
    int32_t next = -1;  // index of the next button, -1 after the last
};

// Where a button sits.
struct ButtonRect {
    int32_t x, y, width, height;
};

// `rest` placed over `rect`. Table rows name the rectangle apart from the rest,
// At({.x, .y, .width, .height}, {.graphic, .arg, .handler}), so a row keeps to two lines.
constexpr Button At(ButtonRect rect, Button rest) {
    rest.x = rect.x;
    rest.y = rect.y;
    rest.width = rect.width;
    rest.height = rect.height;
    return rest;
}

// A list walked in array order: each button leads to the one after it, the last
// ends the walk. Lists whose walk differs from their order keep `next` by hand.
template <std::size_t N>
constexpr std::array<Button, N> ButtonList(const Button (&buttons)[N]) {
    std::array<Button, N> list{};
    for (std::size_t i = 0; i < N; ++i) {
        list[i] = buttons[i];
        list[i].next = i + 1 < N ? static_cast<int32_t>(i + 1) : -1;
    }
    return list;
}

void SwitchScreen(uint32_t number);
void ExitScreen(int32_t number);  // click sound, then SwitchScreen
void GoToScreen(int32_t number);  // the same without the trace line
void SwitchOverlay(uint32_t number);

// What a hit test may do differently for one screen (the store's shelves).
struct HitRules {
    // Whether a point inside the button's rectangle is really on it (null: all
    // of it is); a point that is not passes on down the walk, the button untouched.
    bool (*onButton)(const Button& button, int32_t px, int32_t py) = nullptr;
    // The pointer shape changes only as a button lights, or unlights in the walk,
    // instead of following every button.
    bool shapeFollowsLight = false;
};

// The button under the point (or null), keeping lit states and the pointer shape.
Button* HitTestButtons(Button* list, int32_t px, int32_t py, const HitRules& rules = {});
// Lights `found`, one of `list`, on the display, putting out any other lit one.
void LightButton(Button* list, Button& found);
// Lights the button under the point in the back page only.
void HoverButtons(Button* list, int32_t px, int32_t py);
// Copies every enabled button's rectangle from the back page to the display,
// the rows that changed only. Returns the bytes copied.
int64_t ShowButtons(const Button* list);

// The Do handler of the screens with a button list: a click calls the button's
// handler, a move only lights (both hit by `rules`); the action is used up either way.
void DoButtonList(Button* list, const HitRules& rules = {});

// An empty button handler: the button lights but does nothing.
void NoAction(int32_t arg);

// Back to no screen, nothing quitting.
void ResetScreens();
