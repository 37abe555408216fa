#pragma once
#include <string>

// Where the game keeps its own files outside the data directory, following the
// desktop's base-directory conventions. Each is read from the environment at
// the time of the call, so a test can point it elsewhere.

// "$XDG_STATE_HOME/pellmar/" or "~/.local/state/pellmar/": the log lives here.
std::string SysStateDir();

// "$XDG_CONFIG_HOME/pellmar/" or "~/.config/pellmar/": the settings file lives here.
std::string SysConfigDir();

// "<prefix>/share/reedgunner/" when the running program is <prefix>/bin/<name> of
// an installed game, that is when that folder holds "ReedShot/"; empty otherwise.
std::string SysInstalledDataRoot();

// Creates a directory and its missing parents. Returns true when it exists afterwards.
bool SysMakeDirs(const std::string& dir);
