#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Plays the game from a script of input, one command per line ('#' starts a
// comment): wait MS, move X Y, press [right], release [right], click X Y
// [right], key NAME [ctrl] [shift] [alt], type TEXT, until screen N [MS],
// expect screen N, snap NAME, seed N, close; on the hunt: until clock H:MM
// [MS], until bird [MS], aim. The script runs from the display layer's
// event pump, in the game's own (virtual) time.

struct ScriptCommand {
    int line;                        // line number in the script file
    std::string verb;                // as above; "click" and "type" are expanded
    std::vector<std::string> words;  // the arguments
    std::string rest;                // the text of "type" and the name of "snap"
};

// Parses a script. On a bad line returns false with `error` naming it.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands, std::string* error);

// Starts feeding the commands to the game; captures go to `captureDir` (may
// be empty when no snap is used). A failing command prints its line and why
// and ends the process with exit code 1; after the last command the window is
// closed, the normal way out, unless a "close" did so already: commands after
// a "close" run while the game leaves (to answer a failed save's box).
void StartScriptRunner(const std::vector<ScriptCommand>& commands, const std::string& captureDir);

// Stops feeding commands (for tests that run the game in process).
void StopScriptRunner();

// Commands not yet run.
size_t ScriptCommandsLeft();

// The key event code for a named key or a printable character; false when the
// name means nothing.
bool ScriptKeyCode(const std::string& name, bool shift, uint32_t* code);
