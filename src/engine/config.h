#pragma once
#include <cstdint>
#include <string>

// Machine settings, read once at start by CheckRegistry. The names are those of
// the settings file's values ("8bitSound" cannot begin an identifier).
extern uint32_t DirectSound;      // 0: the fallback sound device
extern uint32_t DirectX;          // nonzero: the accelerated display driver
extern uint32_t DirectVideo;      // nonzero: the software display driver
extern uint32_t eightBitSound;    // "8bitSound": 8-bit output and ".8b" banks
extern uint32_t debugLog;         // "Debug": trace lines go to the log
extern uint32_t showCaptions;     // "Captions": the words shown while a character speaks
extern uint32_t gamepadOn;        // "Gamepad"
extern uint32_t pointerSpeed;     // "PointerSpeed": percent
extern uint32_t hardwarePointer;  // "HardwarePointer"

// Prefix of every data file name: "CDROM" + "ReedShot/" (when that folder is
// missing, the data beside the program if there is any, logged); without CDROM,
// the installed game's "<prefix>/share/reedgunner/ReedShot/"; else empty for
// the current directory.
extern std::string dataDir;

// "InstallPath"; nothing else in the game reads it.
extern std::string installDir;

// Reads the settings file (creating it empty when missing) over the defaults.
// Always returns 1.
uint32_t CheckRegistry();

// Puts every setting back to its default, as before CheckRegistry.
void ResetSettings();
