#pragma once
#include <string>

// Where the game keeps its own files outside the data directory, following the
// desktop's base-directory conventions. Each is read from the environment at
// the time of the call, so a test can point it elsewhere.

// "$XDG_STATE_HOME/pellmar/" or "~/.local/state/pellmar/": the log lives here.
std::string SysStateDir();

// "$XDG_CONFIG_HOME/pellmar/" or "~/.config/pellmar/": the settings file lives here.
std::string SysConfigDir();

// "$XDG_DATA_HOME/pellmar/" or "~/.local/share/pellmar/": the game keeps its
// saved games here.
std::string SysSavesDir();

// The desktop's pictures folder, ending in "/": $XDG_PICTURES_DIR when it is
// an absolute path, else the XDG_PICTURES_DIR line of user-dirs.dirs in the
// configuration folder ($XDG_CONFIG_HOME or ~/.config), else ~/Pictures/.
std::string SysPicturesDir();

// The prefix of an installed program's path: "<prefix>" of <prefix>/bin/<name>
// and of <prefix>/libexec/reedgunner/<name> (the developer programs); for any
// other path the folder two steps up; empty for a path with fewer folders.
std::string SysProgramPrefix(const std::string& program);

// "<prefix>/share/reedgunner/" when the running program is <prefix>/bin/<name>
// or <prefix>/libexec/reedgunner/<name> of an installed game, that is when that folder holds
// "ReedShot/"; empty otherwise.
std::string SysInstalledDataRoot();

// The data beside the running program: the installed game's share folder
// above, else "<build>/data/" when the program is <build>/bin/<name> of a build
// tree holding "data/ReedShot/"; empty when neither holds the data.
std::string SysProgramDataRoot();

// Whether `path` names an existing directory.
bool SysIsDirectory(const std::string& path);

// Creates a directory and its missing parents. Returns true when it exists afterwards.
bool SysMakeDirs(const std::string& dir);

// open(2) that never waits on what stands in a file's place: a named pipe, a
// socket or a device there is refused with errno EINVAL instead of holding the
// game until some other program writes to it. Files and folders open as usual.
int SysOpenFile(const char* path, int flags, int mode = 0);
