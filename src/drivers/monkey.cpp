#include "drivers/monkey.h"

#include <unistd.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <sstream>

#include "drivers/script.h"
#include "engine/dialogs.h"
#include "engine/graphic_slots.h"
#include "engine/timer.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "hunt/hunt.h"
#include "hunt/panel.h"
#include "screens/game_bag.h"
#include "screens/goals.h"
#include "screens/main_screen.h"
#include "screens/regulations.h"
#include "screens/roster.h"
#include "screens/store.h"
#include "shell/options.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

// One piece of a gesture: posted when its turn comes, then `gapMs` of rest.
enum class Op { Move, Press, Release, Key, Aim, Rest };
struct Piece {
    Op op;
    int32_t x, y;     // Move
    uint32_t button;  // Press, Release: GDL_BUTTON_LEFT or GDL_BUTTON_RIGHT
    uint32_t code;    // Key
    uint32_t state;   // Key: modifiers
    uint32_t gapMs;
};

constexpr uint32_t kHoldMs = 50;
constexpr uint32_t kNoScreen = 0xFFFFFFFF;
constexpr int kMessageButton = 7;  // first button record of the message box
constexpr int kListTitle = 1;

// Keys the game reads, by the names the script runner knows.
constexpr std::array<const char*, 10> kNamedKeys = {
    "Enter", "Escape", "Up", "Down", "Left", "Right", "Backspace", "Delete", "Home", "End",
};
// What a name may be made of: anything a keyboard types, the awkward ones included.
constexpr const char* kNameChars =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "
    "%|'\"\\~!@#$^&*()-_=+[]{};:,.<>/?`";

struct Monkey {
    MonkeyPlan plan;
    MonkeyShared* shared = nullptr;
    uint64_t rng = 0;
    uint32_t start = 0;
    std::deque<Piece> pieces;
    bool waiting = false;
    uint32_t resumeAt = 0;
    bool closing = false;
    int32_t x = 320;
    int32_t y = 240;
    uint32_t held = 0;
    uint32_t lastScreen = kNoScreen;
    bool rosterChecked = false;
    bool messageOpen = false;
    bool listOpen = false;
    int32_t jailStateSeen = 0;
    bool careful =
        false;  // this session's player keeps the rules (a licence, the hours, the limit)
};
Monkey monkey;

uint32_t Next() {
    // xorshift64*: small, and the same numbers on every machine.
    monkey.rng ^= monkey.rng >> 12;
    monkey.rng ^= monkey.rng << 25;
    monkey.rng ^= monkey.rng >> 27;
    return static_cast<uint32_t>((monkey.rng * 0x2545F4914F6CDD1DULL) >> 32);
}

// 0 to n - 1.
int32_t Below(int32_t n) {
    return n <= 0 ? 0 : static_cast<int32_t>(Next() % static_cast<uint32_t>(n));
}

bool Chance(int32_t percent) {
    return Below(100) < percent;
}

// Ends the session with the seed's step and screen in the report.
[[noreturn]] __attribute__((format(printf, 1, 2))) void Fail(const char* format, ...) {
    MonkeyShared* shared = monkey.shared;
    char why[384];
    va_list args;
    va_start(args, format);
    std::vsnprintf(why, sizeof why, format, args);
    va_end(args);
    std::snprintf(shared->failure, sizeof shared->failure, "%s", why);
    _exit(3);  // the process that runs the session reports it with the seed and step
}

void Add(Op op, int32_t x, int32_t y, uint32_t button, uint32_t code, uint32_t state,
         uint32_t gapMs) {
    monkey.pieces.push_back({op, x, y, button, code, state, gapMs});
}

void AddMove(int32_t x, int32_t y, uint32_t gapMs = 20) {
    Add(Op::Move, x, y, 0, 0, 0, gapMs);
}

void AddClick(int32_t x, int32_t y, uint32_t button = GDL_BUTTON_LEFT) {
    AddMove(x, y, 0);
    Add(Op::Press, 0, 0, button, 0, 0, kHoldMs);
    Add(Op::Release, 0, 0, button, 0, 0, kHoldMs);
}

void AddKey(const std::string& name, uint32_t state = 0) {
    uint32_t code = 0;
    if (!ScriptKeyCode(name, false, &code)) {
        return;
    }
    if (name.size() == 1 && (code & 0xFF) != static_cast<uint8_t>(name[0])) {
        state |= GDL_STATE_SHIFT;  // a character that needs shift
    }
    Add(Op::Key, 0, 0, 0, code, state, 20);
}

void AddRest(uint32_t ms) {
    Add(Op::Rest, 0, 0, 0, 0, 0, ms);
}

void AddText(int32_t length) {
    const size_t choices = std::strlen(kNameChars);
    for (int32_t i = 0; i < length; ++i) {
        AddKey(std::string(1, kNameChars[Next() % choices]));
    }
}

// A click somewhere inside the button.
void ClickButton(const Button& button, uint32_t which = GDL_BUTTON_LEFT) {
    AddClick(button.x + Below(button.width), button.y + Below(button.height), which);
}

// Button `index` of a list, or a random enabled one for -1.
const Button* PickButton(const Button* list, int32_t index) {
    int32_t count = 0;
    for (int32_t i = 0; i >= 0; i = list[i].next) {
        ++count;
    }
    if (index < 0 || index >= count) {
        index = Below(count);
    }
    return list[index].enabled ? &list[index] : nullptr;
}

void ClickListButton(const Button* list, int32_t index, uint32_t which = GDL_BUTTON_LEFT) {
    if (const Button* button = PickButton(list, index)) {
        ClickButton(*button, which);
    }
}

// Random noise anywhere: moves, clicks, drags, keys, chords and text.
void Noise() {
    switch (Below(10)) {
        case 0:
            for (int32_t i = Below(5) + 1; i > 0; --i) {
                AddMove(Below(640), Below(480), 10 + Below(60));
            }
            break;
        case 1:
        case 2:
            AddClick(Below(640), Below(480));
            break;
        case 3:
            AddClick(Below(640), Below(480), GDL_BUTTON_RIGHT);
            break;
        case 4: {
            const uint32_t which = Chance(70) ? GDL_BUTTON_LEFT : GDL_BUTTON_RIGHT;
            AddMove(Below(640), Below(480), 0);
            Add(Op::Press, 0, 0, which, 0, 0, 30);
            for (int32_t i = Below(6) + 1; i > 0; --i) {
                AddMove(Below(640), Below(480), 15 + Below(40));
            }
            Add(Op::Release, 0, 0, which, 0, 0, 30);
            break;
        }
        case 5:
        case 6:
            AddKey(kNamedKeys[static_cast<size_t>(Below(kNamedKeys.size()))]);
            break;
        case 7:
            AddText(Below(8) + 1);
            break;
        case 8: {
            // The chords: the debug options anywhere (rarely), the settings
            // dialog and a screenshot (rarely), the hunt's clock, and the
            // store's money with the pointer where it wants it.
            const int32_t which = Below(20);
            if (which == 0) {
                AddKey("d", GDL_STATE_CONTROL);
            } else if (which == 1) {
                AddKey("F10");
            } else if (which == 2) {
                AddKey("F12");
            } else if (which < 10) {
                AddKey("t", GDL_STATE_CONTROL);
            } else {
                AddMove(0, 0);
                AddKey("m", GDL_STATE_CONTROL);
            }
            break;
        }
        default:
            AddRest(100 + static_cast<uint32_t>(Below(2000)));
            break;
    }
}

// The buttons of an open dialog, by the table it was laid out in.
bool ClickDialog() {
    const DialogItem* table = monkey.messageOpen ? MessageDialogTable() : ListDialogTable();
    std::array<const DialogItem*, 16> targets{};
    size_t count = 0;
    for (const DialogItem* item = table; item->type != kItemEnd && count < targets.size(); ++item) {
        const bool button = item->type == kItemButton && item->text != nullptr;
        if (button || item->type == kItemTick) {
            targets[count++] = item;
        }
    }
    if (count == 0) {
        return false;
    }
    const DialogItem& item = *targets[Next() % count];
    const int32_t w = item.type == kItemTick ? 16 : item.w;
    const int32_t h = item.type == kItemTick ? 18 : item.h;
    AddClick(item.x + Below(w), item.y + Below(h));
    return true;
}

void PlanRoster() {
    const int32_t roll = Below(100);
    const Button* list = RosterButtons();
    if (roll < 35) {
        ClickListButton(list, 5);  // Done: on to the main screen
    } else if (roll < 50) {
        ClickListButton(list, Below(kRosterSlots));
    } else if (roll < 65) {
        ClickListButton(list, 8);  // a new game, and its name
        AddRest(100);
        AddText(Below(14));
        if (Chance(30)) {
            AddKey(kNamedKeys[static_cast<size_t>(2 + Below(8))]);
            AddText(Below(3));
        }
        AddKey("Enter");
        ++monkey.shared->namesTyped;
    } else if (roll < 70) {
        ClickListButton(list, 9);  // delete
    } else if (roll < 75) {
        ClickListButton(list, 6);  // music
    } else if (roll < 85) {
        // The volume knob dragged along its strip.
        const int32_t knob = 131 + player->volume + 4;
        AddMove(knob, 280, 0);
        Add(Op::Press, 0, 0, GDL_BUTTON_LEFT, 0, 0, 30);
        for (int32_t i = Below(5) + 1; i > 0; --i) {
            AddMove(100 + Below(180), 260 + Below(40), 20);
        }
        Add(Op::Release, 0, 0, GDL_BUTTON_LEFT, 0, 0, 30);
    } else {
        ClickListButton(list, -1, Chance(80) ? GDL_BUTTON_LEFT : GDL_BUTTON_RIGHT);
    }
}

void PlanMain() {
    const int32_t roll = Below(100);
    const Button* list = MainButtons();
    if (monkey.careful && player->items[kItemLicence] == 0 && roll < 50) {
        ClickListButton(list, 4);  // the store, for a licence
    } else if (roll < 45) {
        ClickListButton(list, 0);  // the free public grounds
    } else if (roll < 60) {
        ClickListButton(list, 1 + Below(3));  // a club with a fee
    } else if (roll < 80) {
        ClickListButton(list, 4);  // the store
    } else if (roll < 88) {
        ClickListButton(list, 5);  // the roster
    } else if (roll < 90) {
        ClickListButton(list, 6);  // exit, and its question
    } else {
        Noise();
    }
}

// A shelf is bought by a click on its painted pixels: look for one.
void ClickShelf(int32_t index) {
    const Button& shelf = StoreButtons()[index];
    for (int tries = 0; tries < 16; ++tries) {
        const int32_t dx = Below(shelf.width);
        const int32_t dy = Below(shelf.height);
        if (CheckBitmapData(shelf.graphic + 10, dx, dy) != 0) {
            AddClick(shelf.x + dx, shelf.y + dy);
            return;
        }
    }
    ClickButton(shelf);
}

void PlanStore() {
    const int32_t roll = Below(100);
    if (monkey.careful && player->items[kItemLicence] == 0 && roll < 40) {
        ClickShelf(1);  // the licence
    } else if (roll < 55) {
        ClickShelf(Below(8));
    } else if (roll < 65) {
        AddMove(0, 0);
        AddKey("m", GDL_STATE_CONTROL);
        ++monkey.shared->moneyChords;
    } else if (roll < 85) {
        ClickListButton(StoreButtons(), 8);  // out of the store
    } else {
        Noise();
    }
}

void PlanHunt() {
    const int32_t roll = Below(100);
    const Flock* bird = BirdInSight();
    // A careful player shoots only in the legal hours and up to the bag limit.
    const bool allowed =
        !monkey.careful || (hunt.hasLicense && hunt.dayMinute > hunt.beginMinute &&
                            hunt.dayMinute < hunt.endMinute && hunt.bagged < hunt.bagLimit);
    if (bird != nullptr && hunt.loadedShells > 0 && allowed && roll < 70) {
        Add(Op::Aim, 0, 0, 0, 0, 0, 10 + static_cast<uint32_t>(Below(200)));
        Add(Op::Press, 0, 0, GDL_BUTTON_LEFT, 0, 0, kHoldMs);
        Add(Op::Release, 0, 0, GDL_BUTTON_LEFT, 0, 0, kHoldMs);
        ++monkey.shared->shots;
    } else if (hunt.loadedShells == 0 && roll < 40) {
        ClickListButton(IconBar(), 7);  // load a shell
    } else if (roll < 44) {
        if (hunt.hour < 9) {
            AddKey("t", GDL_STATE_CONTROL);
            ++monkey.shared->clockChords;
        }
    } else if (roll < 45 && Chance(25)) {
        ClickListButton(IconBar(), 0);  // leave the marsh early
    } else if (roll < 57) {
        ClickListButton(IconBar(), 1 + Below(7), Chance(60) ? GDL_BUTTON_LEFT : GDL_BUTTON_RIGHT);
    } else if (roll < 65) {
        Noise();
    } else {
        AddRest(200 + static_cast<uint32_t>(Below(2500)));  // let the day go on
    }
}

void Plan() {
    if ((monkey.messageOpen || monkey.listOpen) && Chance(70) && ClickDialog()) {
        return;
    }
    if (Chance(15)) {
        Noise();
        return;
    }
    switch (currentScreen) {
        case kScreenRoster:
            PlanRoster();
            break;
        case kScreenMain:
            PlanMain();
            break;
        case kScreenStore:
            PlanStore();
            break;
        case kScreenHunt:
            PlanHunt();
            break;
        case kScreenRegulations:
            ClickListButton(RegsButtons(), -1);
            break;
        case kScreenGameBag:
            ClickListButton(GameBagButtons(), -1);
            break;
        case kScreenGoals:
            ClickListButton(GoalButtons(), Chance(70) ? 1 : 0);
            break;
        default:
            Noise();
            break;
    }
    AddRest(30 + static_cast<uint32_t>(Below(600)));
}

void Post(uint32_t type, uint32_t code, uint32_t state) {
    GDL_Event event{};
    event.type = type;
    event.x = monkey.x;
    event.y = monkey.y;
    event.code = code;
    event.state = state;
    GDL_postEvent(&event);  // a full queue drops it, as it would real input
}

uint32_t HeldBit(uint32_t button) {
    return button == GDL_BUTTON_RIGHT ? GDL_STATE_RIGHT : GDL_STATE_LEFT;
}

void Perform(const Piece& piece) {
    switch (piece.op) {
        case Op::Aim:
            if (const Flock* bird = BirdInSight()) {
                monkey.x = bird->x;
                monkey.y = bird->y;
            }
            Post(GDL_EVENT_MOUSEMOVE, 0, monkey.held);
            break;
        case Op::Move:
            monkey.x = piece.x;
            monkey.y = piece.y;
            Post(GDL_EVENT_MOUSEMOVE, 0, monkey.held);
            break;
        case Op::Press:
            monkey.held |= HeldBit(piece.button);
            Post(GDL_EVENT_MOUSEDOWN, piece.button, monkey.held);
            break;
        case Op::Release:
            monkey.held &= ~HeldBit(piece.button);
            Post(GDL_EVENT_MOUSEUP, piece.button, monkey.held);
            break;
        case Op::Key:
            Post(GDL_EVENT_KEYDOWN, piece.code, piece.state);
            Post(GDL_EVENT_KEYUP, piece.code, piece.state);
            break;
        case Op::Rest:
            break;
    }
}

// The graphic and sound slots in use. The music comes and goes by itself (the
// player's switch, and it plays once through), so it is no part of a baseline.
void TakeSlots(uint8_t* graphics, uint8_t* sounds) {
    for (int i = 0; i < kGraphicSlots; ++i) {
        graphics[i] = Graphic[static_cast<size_t>(i)].data != nullptr ? 1 : 0;
    }
    for (int n = 0; n < kSoundCount; ++n) {
        uint32_t size = 0;
        sounds[n] = n != kMusicSound && SoundData(n, &size) != nullptr ? 1 : 0;
    }
}

void CheckRosterSlots() {
    MonkeyShared* shared = monkey.shared;
    std::array<uint8_t, kGraphicSlots> graphics{};
    std::array<uint8_t, kSoundCount> sounds{};
    TakeSlots(graphics.data(), sounds.data());
    ++shared->rosterChecks;
    if (!shared->baselineTaken) {
        std::memcpy(shared->graphicBaseline, graphics.data(), graphics.size());
        std::memcpy(shared->soundBaseline, sounds.data(), sounds.size());
        shared->baselineTaken = 1;
        return;
    }
    for (int i = 0; i < kGraphicSlots; ++i) {
        if (graphics[static_cast<size_t>(i)] != shared->graphicBaseline[i]) {
            Fail("back on the roster graphic slot %d is %s, it was %s at the first roster", i,
                 graphics[static_cast<size_t>(i)] ? "in use" : "empty",
                 shared->graphicBaseline[i] ? "in use" : "empty");
        }
    }
    for (int n = 0; n < kSoundCount; ++n) {
        if (sounds[static_cast<size_t>(n)] != shared->soundBaseline[n]) {
            Fail("back on the roster sound %d is %s, it was %s at the first roster", n,
                 sounds[static_cast<size_t>(n)] ? "loaded" : "empty",
                 shared->soundBaseline[n] ? "loaded" : "empty");
        }
    }
}

// A screen left: the figures of what happened there.
void Left(uint32_t screen, uint32_t next) {
    MonkeyShared* shared = monkey.shared;
    const bool overlay = [](uint32_t s) {
        return s == kScreenHunt || s == kScreenRegulations || s == kScreenGameBag;
    }(next);
    if (screen == kScreenHunt && !overlay) {
        ++shared->huntsFinished;
        shared->birdsBagged += static_cast<uint32_t>(hunt.bagged);
    }
    if (screen == kScreenGoals && PayoutLevel() > 0) {
        ++shared->payouts;
        shared->payoutDollars += static_cast<uint32_t>(PayoutLevel());
    }
    if (screen == kScreenJail) {
        // On to the main screen (and maybe further) after a sentence; to the roster
        // after a game over, with a night in jail first for an unpaid fine.
        if (next != kScreenRoster || monkey.jailStateSeen == kJailUnpaidFine) {
            ++shared->jailVisits;
        }
        if (next == kScreenRoster) {
            ++shared->gameOvers;
        }
        monkey.jailStateSeen = 0;
    }
}

void Entered(uint32_t screen) {
    MonkeyShared* shared = monkey.shared;
    ++shared->screenEntries[screen];
    // A hunt starts from the main screen, which a click already queued can leave
    // before the monkey sees it; the overlays only go back to the same hunt.
    if (screen == kScreenHunt && monkey.lastScreen != kScreenRegulations &&
        monkey.lastScreen != kScreenGameBag) {
        ++shared->hunts;
    }
    if (screen == kScreenRoster) {
        monkey.rosterChecked = false;
    }
}

void Observe() {
    MonkeyShared* shared = monkey.shared;
    const uint32_t screen = currentScreen;
    shared->screen = screen;
    if (screen != monkey.lastScreen) {
        if (monkey.lastScreen != kNoScreen) {
            // The jail plays its whole sequence on entry and may switch on before
            // any event is taken there: it is then only the screen left last.
            if (previousScreen == kScreenJail && monkey.lastScreen != kScreenJail) {
                Left(monkey.lastScreen, previousScreen);
                ++shared->screenEntries[previousScreen];
                monkey.lastScreen = previousScreen;
            }
            Left(monkey.lastScreen, screen);
        }
        Entered(screen);
        monkey.lastScreen = screen;
    }
    if (screen == kScreenJail && hunt.jailState > monkey.jailStateSeen) {
        monkey.jailStateSeen = hunt.jailState;
    }
    // The roster once it is drawn: its own bank is in its slots.
    if (screen == kScreenRoster && !monkey.rosterChecked &&
        Graphic[kScreenBankSlot].data != nullptr) {
        monkey.rosterChecked = true;
        shared->rosterSeen = 1;
        CheckRosterSlots();
    }
    for (int i = 0; i < kRosterSize; ++i) {
        if (!IsFreeRecord(roster[static_cast<size_t>(i)]) &&
            roster[static_cast<size_t>(i)].money < 0) {
            Fail("record %d holds $%d", i, roster[static_cast<size_t>(i)].money);
        }
    }
    const bool messageOpen = MessageDialogTable()[kMessageButton].text != nullptr;
    const bool listOpen = ListDialogTable()[kListTitle].text != nullptr;
    shared->messageDialogs += messageOpen && !monkey.messageOpen ? 1 : 0;
    shared->listDialogs += listOpen && !monkey.listOpen ? 1 : 0;
    monkey.messageOpen = messageOpen;
    monkey.listOpen = listOpen;
}

void Pump() {
    MonkeyShared* shared = monkey.shared;
    // The monkey's own looks at the clock stay out of the session's replay.
    const uint32_t now = SysQuietMilliseconds();
    ++shared->pumps;
    shared->sessionMs = now - monkey.start;
    Observe();
    if (monkey.closing) {
        return;
    }
    if (now - monkey.start >= monkey.plan.lengthMs) {
        // The player closes the window: the normal way out, saving.
        monkey.closing = true;
        ++shared->closes;
        GDL_postQuit();
        return;
    }
    for (;;) {
        if (monkey.waiting) {
            if (static_cast<int32_t>(now - monkey.resumeAt) < 0) {
                WakeAt(monkey.resumeAt);
                return;
            }
            monkey.waiting = false;
        }
        if (monkey.pieces.empty()) {
            Plan();
            AddRest(1);  // every gesture ends in a rest, so the loop always returns
            ++shared->step;
        }
        const Piece piece = monkey.pieces.front();
        monkey.pieces.pop_front();
        Perform(piece);
        if (piece.gapMs > 0) {
            monkey.waiting = true;
            monkey.resumeAt = now + piece.gapMs;
        }
    }
}

}  // namespace

void StartMonkey(const MonkeyPlan& plan, MonkeyShared* shared) {
    monkey = Monkey{};
    monkey.plan = plan;
    monkey.shared = shared;
    monkey.rng = 0x9E3779B97F4A7C15ULL ^ (static_cast<uint64_t>(plan.seed) << 17 | 1);
    monkey.start = SysQuietMilliseconds();
    monkey.careful = Chance(60);
    shared->step = plan.firstStep;
    SysAddPumpListener(Pump);
}

bool CheckSavedRoster(MonkeyShared* shared) {
    const std::array<PlayerRecord, kRosterSize> had = roster;
    const uint32_t hadCurrent = currentPlayer;
    ResetRoster();
    ++shared->savesChecked;
    if (LoadOptions() != 1) {
        std::snprintf(shared->failure, sizeof shared->failure,
                      "the options.dat written at the end does not load");
        return false;
    }
    for (int i = 0; i < kRosterSize; ++i) {
        uint8_t want[kPlayerRecordBytes];
        uint8_t got[kPlayerRecordBytes];
        EncodePlayerRecord(had[static_cast<size_t>(i)], want);
        EncodePlayerRecord(roster[static_cast<size_t>(i)], got);
        if (std::memcmp(want, got, sizeof want) != 0) {
            std::snprintf(shared->failure, sizeof shared->failure,
                          "options.dat record %d reads \"%.32s\" $%d, the game had \"%.32s\" $%d",
                          i, roster[static_cast<size_t>(i)].name,
                          roster[static_cast<size_t>(i)].money, had[static_cast<size_t>(i)].name,
                          had[static_cast<size_t>(i)].money);
            return false;
        }
    }
    if (currentPlayer != hadCurrent) {
        std::snprintf(shared->failure, sizeof shared->failure,
                      "options.dat names player %u, the game had %u", currentPlayer, hadCurrent);
        return false;
    }
    return true;
}

std::string UnexplainedError(const std::string& log) {
    // ERROR lines the game writes on purpose, each with why it is no fault here.
    // Empty: headless play has its own sound output and every screen is built,
    // and the monkey plays on the complete generated data.
    static constexpr std::array<const char*, 0> kAllowed = {};
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("ERROR") == std::string::npos) {
            continue;
        }
        bool explained = false;
        for (const char* allowed : kAllowed) {
            explained = explained || line.find(allowed) != std::string::npos;
        }
        if (!explained) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
                line.pop_back();
            }
            return line;
        }
    }
    return std::string();
}
