#pragma once
// What every sound file of the game holds, entry by entry: the banks "sounds"
// and "calls", the character banks and the music. Used by the tools that make
// them, the tests and the gallery's listing.
#include <span>
#include <string>

struct SoundFile {
    const char* name;  // bare name, as the game asks for it
    int entries;       // 0 for a music file (one image alone)
    const char* what;  // the file as a whole
};

// Every bank and music file, in the order the listing shows them.
std::span<const SoundFile> SoundFiles();

// A few words on entry `entry` of bank `name` (entry -1: a music file).
std::string EntryWhat(const std::string& name, int entry);

// The interface sounds (12) and the duck calls (6), one line each.
std::span<const char* const> InterfaceSoundNames();
std::span<const char* const> CallNames();
