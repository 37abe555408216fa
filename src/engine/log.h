#pragma once
#include <cstdint>

// Appends one formatted line (at most 255 characters, then CR LF) to the log
// file "PELLMAR.TXT" in the state directory. The first line of a run starts the
// file anew. Never fails the caller: without a writable log the line is lost.
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A trace line: LogPrintf while the Debug setting (debugLog) is on, else nothing.
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Full path of the log file (the state directory is read from the environment).
const char* LogPath();

// The last line written that starts with "ERROR" (its prefix dropped: "ERROR: ",
// "ERROR! " or "ERROR "), or empty; so a fatal message can give the same words.
const char* LogLastError();

// How many lines starting with "ERROR" were written since the last LogReset.
uint32_t LogErrorCount();

// Makes the next LogPrintf start a new file again, as at the start of a run.
void LogReset();
