#pragma once
// The gallery's page of sounds: every entry of every bank and music file,
// loaded through the game's sound module on the headless backend, listed with
// its length and what it is.
#include <string>

// Writes OUTDIR/sounds.txt from the files in `dataDirectory` (ending in '/').
// Returns the number of entries or files that did not load (0 when all did).
int WriteSoundPage(const std::string& outDir, const std::string& dataDirectory);
