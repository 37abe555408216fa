#include "drivers/script.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "engine/random.h"
#include "engine/timer.h"
#include "gdl/gdl.h"
#include "gdl/gdl_host.h"
#include "hunt/hunt.h"
#include "shell/screens.h"
#include "sys/backend.h"
#include "sys/clock.h"

namespace {

constexpr uint32_t kClickHoldMs = 50;
constexpr uint32_t kKeyGapMs = 20;  // a typist's pace, so the queue never fills
constexpr uint32_t kDefaultUntilMs = 60000;

struct NamedKey {
    const char* name;
    int32_t usage;  // USB usage number of the key
};
constexpr NamedKey kNamedKeys[] = {
    {"Enter", 0x28}, {"Backspace", 0x2A}, {"Delete", 0x4C}, {"Home", 0x4A},
    {"End", 0x4D},   {"Left", 0x50},      {"Right", 0x4F},  {"Up", 0x52},
    {"Down", 0x51},  {"Escape", 0x29},    {"F10", 0x43},    {"F12", 0x45},
};

// The pad's inputs by the names script lines give them.
struct PadName {
    const char* name;
    int32_t number;
};
constexpr PadName kPadButtons[] = {
    {"a", GDL_PAD_A},   {"b", GDL_PAD_B},       {"back", GDL_PAD_BACK}, {"start", GDL_PAD_START},
    {"up", GDL_PAD_UP}, {"down", GDL_PAD_DOWN}, {"left", GDL_PAD_LEFT}, {"right", GDL_PAD_RIGHT},
};
constexpr PadName kPadAxes[] = {
    {"leftx", GDL_PAD_LEFT_X},
    {"lefty", GDL_PAD_LEFT_Y},
    {"lefttrigger", GDL_PAD_TRIGGER_LEFT},
    {"righttrigger", GDL_PAD_TRIGGER_RIGHT},
};
constexpr uint32_t kDefaultAimMs = 20000;
// "pad aim" is done this close to the bird, in pixels.
constexpr double kAimClose = 2.0;
// How the pad moves the pointer at PointerSpeed 100 (platform/pad.cpp), and
// the share of the gap a script's aim closes in a second.
constexpr double kPadDeadZone = 8000.0;
constexpr double kPadFullSpeed = 640.0;
constexpr double kAimGain = 8.0;

struct Runner {
    std::vector<ScriptCommand> commands;
    size_t next = 0;
    std::string captureDir;
    uint32_t resumeAt = 0;
    bool waiting = false;
    bool untilActive = false;
    uint32_t untilDeadline = 0;
    int32_t x = 320;
    int32_t y = 240;
    uint32_t held = 0;  // button state bits
    // Where "pad aim" or "pad to" last saw its target move to, when, and how fast.
    bool aimSeen = false;
    uint32_t aimSeenAt = 0;
    int32_t aimLastX = 0;
    int32_t aimLastY = 0;
    double aimSpeedX = 0.0;  // pixels a second
    double aimSpeedY = 0.0;
    bool closed = false;
};
Runner runner;

bool ParseInt(const std::string& word, int32_t* value) {
    char* end = nullptr;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || parsed < -100000 || parsed > 100000000) {
        return false;
    }
    *value = static_cast<int32_t>(parsed);
    return true;
}

[[noreturn]] void Fail(const ScriptCommand& command, const std::string& why) {
    std::fprintf(stderr, "script line %d: %s: %s\n", command.line, command.verb.c_str(),
                 why.c_str());
    std::fflush(stderr);
    std::exit(1);
}

void Post(uint32_t type, uint32_t code, uint32_t state) {
    GDL_Event event{};
    event.type = type;
    event.x = runner.x;
    event.y = runner.y;
    event.code = code;
    event.state = state;
    GDL_postEvent(&event);
}

void Wait(uint32_t now, uint32_t ms) {
    runner.waiting = true;
    runner.resumeAt = now + ms;
}

uint32_t ButtonCode(const ScriptCommand& command) {
    return !command.words.empty() && command.words[0] == "right" ? GDL_BUTTON_RIGHT
                                                                 : GDL_BUTTON_LEFT;
}

uint32_t HeldBit(uint32_t button) {
    return button == GDL_BUTTON_RIGHT ? GDL_STATE_RIGHT : GDL_STATE_LEFT;
}

void PressKey(const ScriptCommand& command, const std::string& name, uint32_t now) {
    uint32_t state = 0;
    bool shift = false;
    for (size_t i = 1; i < command.words.size(); ++i) {
        if (command.words[i] == "ctrl") {
            state |= GDL_STATE_CONTROL;
        } else if (command.words[i] == "shift") {
            state |= GDL_STATE_SHIFT;
            shift = true;
        } else if (command.words[i] == "alt") {
            state |= GDL_STATE_ALT;
        }
    }
    uint32_t code = 0;
    if (!ScriptKeyCode(name, shift, &code)) {
        Fail(command, "no key called \"" + name + "\"");
    }
    if (name.size() == 1 && (code & 0xFF) != static_cast<uint8_t>(name[0])) {
        state |= GDL_STATE_SHIFT;  // a character that needs shift
    }
    Post(GDL_EVENT_KEYDOWN, code, state);
    Post(GDL_EVENT_KEYUP, code, state);
    Wait(now, kKeyGapMs);
}

// "H:MM" as minutes after midnight.
bool ParseClock(const std::string& word, int32_t* minutes) {
    const size_t colon = word.find(':');
    int32_t hour = 0;
    int32_t minute = 0;
    if (colon == std::string::npos || word.size() - colon != 3 ||
        !ParseInt(word.substr(0, colon), &hour) || !ParseInt(word.substr(colon + 1), &minute) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return false;
    }
    *minutes = hour * 60 + minute;
    return true;
}

// until clock H:MM [MS] / until bird [MS]: false while the hunt is not there yet.
bool RunUntilHunt(const ScriptCommand& command, uint32_t now) {
    const bool clock = command.words[0] == "clock";
    const size_t msWord = clock ? 2 : 1;
    if (!runner.untilActive) {
        int32_t ms = static_cast<int32_t>(kDefaultUntilMs);
        if (command.words.size() > msWord) {
            ParseInt(command.words[msWord], &ms);
        }
        runner.untilActive = true;
        runner.untilDeadline = now + static_cast<uint32_t>(ms);
    }
    bool reached = false;
    if (clock) {
        int32_t target = 0;
        ParseClock(command.words[1], &target);
        reached = currentScreen == kScreenHunt && hunt.hour * 60 + hunt.minute >= target;
    } else {
        reached = BirdInSight() != nullptr;
    }
    if (!reached) {
        if (static_cast<int32_t>(now - runner.untilDeadline) > 0) {
            Fail(command, clock ? "the hunt clock shows " + std::to_string(hunt.hour) + ":" +
                                      std::to_string(hunt.minute)
                                : "no bird in sight");
        }
        return false;
    }
    runner.untilActive = false;
    return true;
}

template <std::size_t N>
bool FindPadName(const PadName (&names)[N], const std::string& word, int32_t* number) {
    for (const PadName& entry : names) {
        if (word == entry.name) {
            *number = entry.number;
            return true;
        }
    }
    return false;
}

// pad aim [MS] / pad to X Y [MS]: tilts the left stick towards the bird in
// sight or the point as a player would, harder the further off the pointer
// is; true (the stick let go) once on it.
bool RunPadAim(const ScriptCommand& command, uint32_t now) {
    const bool bird = command.words[0] == "aim";
    const size_t msWord = bird ? 1 : 3;
    if (!runner.untilActive) {
        int32_t ms = static_cast<int32_t>(kDefaultAimMs);
        if (command.words.size() > msWord) {
            ParseInt(command.words[msWord], &ms);
        }
        runner.untilActive = true;
        runner.untilDeadline = now + static_cast<uint32_t>(ms);
    }
    bool seen = true;
    int32_t targetX = 0;
    int32_t targetY = 0;
    if (bird) {
        const Flock* flock = BirdInSight();
        seen = flock != nullptr;
        targetX = seen ? flock->x : 0;
        targetY = seen ? flock->y : 0;
    } else {
        ParseInt(command.words[1], &targetX);
        ParseInt(command.words[2], &targetY);
    }
    int32_t x = 0;
    int32_t y = 0;
    GDL_getMousePos(&x, &y);
    const double dx = seen ? targetX - x : 0.0;
    const double dy = seen ? targetY - y : 0.0;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (seen && distance <= kAimClose) {
        GDL_padSetVirtual(GDL_PadInput::Axis, GDL_PAD_LEFT_X, 0);
        GDL_padSetVirtual(GDL_PadInput::Axis, GDL_PAD_LEFT_Y, 0);
        runner.untilActive = false;
        runner.aimSeen = false;
        return true;
    }
    if (static_cast<int32_t>(now - runner.untilDeadline) > 0) {
        Fail(command, !seen
                          ? "no bird in sight"
                          : "the pointer stayed at " + std::to_string(x) + "," + std::to_string(y));
    }
    // As a player does: follow the target's own motion and close the gap
    // within a fraction of a second, the stick tilted past its dead zone by the
    // square root of the speed wanted (the pad squares it back).
    double wantX = 0.0;
    double wantY = 0.0;
    if (seen) {
        // A bird moves by steps: its speed is a step's move over the time between steps.
        const uint32_t since = now - runner.aimSeenAt;
        if (!runner.aimSeen) {
            runner.aimSpeedX = runner.aimSpeedY = 0.0;
        } else if ((targetX != runner.aimLastX || targetY != runner.aimLastY) && since > 0) {
            runner.aimSpeedX = (targetX - runner.aimLastX) * 1000.0 / since;
            runner.aimSpeedY = (targetY - runner.aimLastY) * 1000.0 / since;
        }
        if (!runner.aimSeen || targetX != runner.aimLastX || targetY != runner.aimLastY) {
            runner.aimSeen = true;
            runner.aimSeenAt = now;
            runner.aimLastX = targetX;
            runner.aimLastY = targetY;
        }
        wantX = runner.aimSpeedX + dx * kAimGain;
        wantY = runner.aimSpeedY + dy * kAimGain;
    }
    const double speed = std::sqrt(wantX * wantX + wantY * wantY);
    const double share = std::sqrt(std::min(speed / kPadFullSpeed, 1.0));
    const double tilt = speed > 0 ? kPadDeadZone + share * (32767.0 - kPadDeadZone) : 0.0;
    GDL_padSetVirtual(GDL_PadInput::Axis, GDL_PAD_LEFT_X,
                      static_cast<int32_t>(speed > 0 ? tilt * wantX / speed : 0));
    GDL_padSetVirtual(GDL_PadInput::Axis, GDL_PAD_LEFT_Y,
                      static_cast<int32_t>(speed > 0 ? tilt * wantY / speed : 0));
    return false;
}

void RunPad(const ScriptCommand& command) {
    const std::string& what = command.words[0];
    int32_t number = 0;
    bool done = true;
    if (what == "plug") {
        done = GDL_padPlugVirtual();
    } else if (what == "unplug") {
        GDL_padUnplugVirtual();
    } else if (what == "axis") {
        int32_t value = 0;
        FindPadName(kPadAxes, command.words[1], &number);
        ParseInt(command.words[2], &value);
        done = GDL_padSetVirtual(GDL_PadInput::Axis, number, value);
    } else {
        FindPadName(kPadButtons, command.words[1], &number);
        done = GDL_padSetVirtual(GDL_PadInput::Button, number, what == "down" ? 1 : 0);
    }
    if (!done) {
        Fail(command, "no virtual pad");
    }
}

// Runs one command; false when it has to wait for the game.
bool Run(const ScriptCommand& command, uint32_t now) {
    const std::string& verb = command.verb;
    if (verb == "wait") {
        int32_t ms = 0;
        ParseInt(command.words[0], &ms);
        Wait(now, static_cast<uint32_t>(ms));
    } else if (verb == "move") {
        ParseInt(command.words[0], &runner.x);
        ParseInt(command.words[1], &runner.y);
        Post(GDL_EVENT_MOUSEMOVE, 0, runner.held);
    } else if (verb == "press") {
        const uint32_t button = ButtonCode(command);
        runner.held |= HeldBit(button);
        Post(GDL_EVENT_MOUSEDOWN, button, runner.held);
    } else if (verb == "release") {
        const uint32_t button = ButtonCode(command);
        runner.held &= ~HeldBit(button);
        Post(GDL_EVENT_MOUSEUP, button, runner.held);
    } else if (verb == "key") {
        PressKey(command, command.words[0], now);
    } else if (verb == "until" && command.words[0] != "screen") {
        return RunUntilHunt(command, now);
    } else if (verb == "aim") {
        const Flock* bird = BirdInSight();
        if (bird == nullptr) {
            Fail(command, "no bird in sight");
        }
        runner.x = bird->x;
        runner.y = bird->y;
        Post(GDL_EVENT_MOUSEMOVE, 0, runner.held);
    } else if (verb == "until") {
        int32_t screen = 0;
        ParseInt(command.words[1], &screen);
        if (!runner.untilActive) {
            int32_t ms = static_cast<int32_t>(kDefaultUntilMs);
            if (command.words.size() > 2) {
                ParseInt(command.words[2], &ms);
            }
            runner.untilActive = true;
            runner.untilDeadline = now + static_cast<uint32_t>(ms);
        }
        if (currentScreen != static_cast<uint32_t>(screen)) {
            if (static_cast<int32_t>(now - runner.untilDeadline) > 0) {
                Fail(command, "still on screen " + std::to_string(currentScreen));
            }
            return false;
        }
        runner.untilActive = false;
    } else if (verb == "expect") {
        int32_t screen = 0;
        ParseInt(command.words[1], &screen);
        if (currentScreen != static_cast<uint32_t>(screen)) {
            Fail(command, "on screen " + std::to_string(currentScreen));
        }
    } else if (verb == "snap") {
        const std::string path = runner.captureDir + "/" + command.rest + ".png";
        if (runner.captureDir.empty() || !GDL_saveDisplayPng(path.c_str())) {
            Fail(command, "cannot write " + path);
        }
    } else if (verb == "seed") {
        int32_t seed = 0;
        ParseInt(command.words[0], &seed);
        SeedRandom(static_cast<uint32_t>(seed));
    } else if (verb == "focus") {
        // Taken at the next event call, as the window's own focus changes are.
        GDL_postActivation(command.words[0] == "gained");
    } else if (verb == "close") {
        runner.closed = true;
        GDL_postQuit();
    } else if (verb == "pad" && (command.words[0] == "aim" || command.words[0] == "to")) {
        return RunPadAim(command, now);
    } else if (verb == "pad") {
        RunPad(command);
    }
    return true;
}

void Pump() {
    const uint32_t now = SysPeekMilliseconds();
    // Commands after a "close" answer what the way out shows (a failed save's box).
    for (;;) {
        if (runner.waiting) {
            if (static_cast<int32_t>(now - runner.resumeAt) < 0) {
                // The game may rest until then: the script has nothing sooner.
                WakeAt(runner.resumeAt);
                return;
            }
            runner.waiting = false;
        }
        if (runner.next == runner.commands.size()) {
            if (!runner.closed) {
                runner.closed = true;  // the script is over: the normal way out
                GDL_postQuit();
            }
            return;
        }
        if (!Run(runner.commands[runner.next], now)) {
            // Waiting for the game: look again at its deadline at the latest.
            WakeAt(runner.untilDeadline + 1);
            return;
        }
        ++runner.next;
    }
}

void Add(std::vector<ScriptCommand>* out, int line, const char* verb,
         std::vector<std::string> words, const std::string& rest = std::string()) {
    out->push_back({line, verb, std::move(words), rest});
}

}  // namespace

bool ScriptKeyCode(const std::string& name, bool shift, uint32_t* code) {
    for (const NamedKey& key : kNamedKeys) {
        if (name == key.name) {
            *code = GDL_keyCode(key.usage, shift, 0);
            return true;
        }
    }
    if (name.size() != 1 || name[0] < ' ' || name[0] > '~') {
        return false;
    }
    // The key (and whether it needs shift) that types the character.
    for (bool withShift : {shift, !shift}) {
        for (int32_t usage = 0; usage < 0xE8; ++usage) {
            const uint32_t candidate = GDL_keyCode(usage, withShift, 0);
            if ((candidate & 0xFF) == static_cast<uint8_t>(name[0]) && (candidate >> 8) != 0) {
                *code = candidate;
                return true;
            }
        }
    }
    return false;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands,
                 std::string* error) {
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    auto bad = [&](const std::string& why) {
        *error = "line " + std::to_string(number) + ": " + why + ": " + raw;
        return false;
    };
    while (std::getline(lines, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        std::string line = raw;
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        line = line.substr(first);
        std::istringstream in(line);
        std::string verb;
        in >> verb;
        std::vector<std::string> words;
        for (std::string word; in >> word;) {
            if (word[0] == '#' && verb != "type") {
                break;
            }
            words.push_back(word);
        }
        int32_t a = 0;
        int32_t b = 0;
        const bool right = words.size() == 3 && words[2] == "right";
        if (verb == "wait" && words.size() == 1 && ParseInt(words[0], &a) && a >= 0) {
            Add(commands, number, "wait", words);
        } else if (verb == "move" && words.size() == 2 && ParseInt(words[0], &a) &&
                   ParseInt(words[1], &b)) {
            Add(commands, number, "move", words);
        } else if ((verb == "press" || verb == "release") &&
                   (words.empty() || (words.size() == 1 && words[0] == "right"))) {
            Add(commands, number, verb.c_str(), words);
        } else if (verb == "click" && (words.size() == 2 || right) && ParseInt(words[0], &a) &&
                   ParseInt(words[1], &b)) {
            std::vector<std::string> button;
            if (right) {
                button.push_back("right");
            }
            Add(commands, number, "move", {words[0], words[1]});
            Add(commands, number, "press", button);
            Add(commands, number, "wait", {std::to_string(kClickHoldMs)});
            Add(commands, number, "release", button);
            Add(commands, number, "wait", {std::to_string(kClickHoldMs)});
        } else if (verb == "key" && !words.empty()) {
            uint32_t code = 0;
            if (!ScriptKeyCode(words[0], false, &code)) {
                return bad("no key called \"" + words[0] + "\"");
            }
            for (size_t i = 1; i < words.size(); ++i) {
                if (words[i] != "ctrl" && words[i] != "shift" && words[i] != "alt") {
                    return bad("unknown modifier \"" + words[i] + "\"");
                }
            }
            Add(commands, number, "key", words);
        } else if (verb == "type") {
            const size_t start = line.find_first_not_of(" \t", 4);
            const std::string typed = start == std::string::npos ? "" : line.substr(start);
            for (char c : typed) {
                uint32_t code = 0;
                if (!ScriptKeyCode(std::string(1, c), false, &code)) {
                    return bad(std::string("cannot type \"") + c + "\"");
                }
                Add(commands, number, "key", {std::string(1, c)});
            }
        } else if ((verb == "until" || verb == "expect") && words.size() >= 2 &&
                   words[0] == "screen" && ParseInt(words[1], &a) && a >= 0 && a < 8 &&
                   (words.size() == 2 ||
                    (verb == "until" && words.size() == 3 && ParseInt(words[2], &b) && b >= 0))) {
            Add(commands, number, verb.c_str(), words);
        } else if (verb == "until" && (words.size() == 2 || words.size() == 3) &&
                   words[0] == "clock" && ParseClock(words[1], &a) &&
                   (words.size() == 2 || (ParseInt(words[2], &b) && b >= 0))) {
            Add(commands, number, "until", words);
        } else if (verb == "until" && (words.size() == 1 || words.size() == 2) &&
                   words[0] == "bird" &&
                   (words.size() == 1 || (ParseInt(words[1], &b) && b >= 0))) {
            Add(commands, number, "until", words);
        } else if (verb == "aim" && words.empty()) {
            Add(commands, number, "aim", words);
        } else if (verb == "snap" && words.size() == 1 && words[0].find('/') == std::string::npos) {
            Add(commands, number, "snap", words, words[0]);
        } else if (verb == "seed" && words.size() == 1 && ParseInt(words[0], &a) && a >= 0) {
            Add(commands, number, "seed", words);
        } else if (verb == "focus" && words.size() == 1 &&
                   (words[0] == "lost" || words[0] == "gained")) {
            Add(commands, number, "focus", words);
        } else if (verb == "close" && words.empty()) {
            Add(commands, number, "close", words);
        } else if (verb == "pad" && words.size() == 1 &&
                   (words[0] == "plug" || words[0] == "unplug" || words[0] == "aim")) {
            Add(commands, number, "pad", words);
        } else if (verb == "pad" && words.size() == 2 && words[0] == "aim" &&
                   ParseInt(words[1], &b) && b >= 0) {
            Add(commands, number, "pad", words);
        } else if (verb == "pad" && (words.size() == 3 || words.size() == 4) && words[0] == "to" &&
                   ParseInt(words[1], &a) && ParseInt(words[2], &b) && a >= 0 && a < 640 &&
                   b >= 0 && b < 480 && (words.size() == 3 || (ParseInt(words[3], &b) && b >= 0))) {
            Add(commands, number, "pad", words);
        } else if (verb == "pad" && words.size() == 3 && words[0] == "axis" &&
                   FindPadName(kPadAxes, words[1], &a) && ParseInt(words[2], &b) && b >= -32768 &&
                   b <= 32767) {
            Add(commands, number, "pad", words);
        } else if (verb == "pad" && words.size() == 2 && (words[0] == "down" || words[0] == "up") &&
                   FindPadName(kPadButtons, words[1], &a)) {
            Add(commands, number, "pad", words);
        } else if (verb == "pad" && words.size() == 2 && words[0] == "button" &&
                   FindPadName(kPadButtons, words[1], &a)) {
            // Held as long as a click is, then a click's rest.
            Add(commands, number, "pad", {"down", words[1]});
            Add(commands, number, "wait", {std::to_string(kClickHoldMs)});
            Add(commands, number, "pad", {"up", words[1]});
            Add(commands, number, "wait", {std::to_string(kClickHoldMs)});
        } else {
            return bad("not understood");
        }
    }
    return true;
}

void StartScriptRunner(const std::vector<ScriptCommand>& commands, const std::string& captureDir) {
    runner = Runner{};
    runner.commands = commands;
    runner.captureDir = captureDir;
    SysAddPumpListener(Pump);
}

void StopScriptRunner() {
    SysRemovePumpListener(Pump);
    runner = Runner{};
}

size_t ScriptCommandsLeft() {
    return runner.commands.size() - runner.next;
}
