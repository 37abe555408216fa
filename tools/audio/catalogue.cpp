#include "catalogue.h"

#include <array>
#include <cstdio>

#include "voice_lines.h"

namespace {

constexpr std::array<const char*, 12> kSounds = {
    "button click",
    "icon changed",
    "bright confirmation (purchase done, volume set, a coin lands)",
    "question before quitting or deleting",
    "purchase (till bell)",
    "refusal",
    "money appears",
    "interface swish",
    "shell loaded",
    "shotgun shot",
    "one dollar of a fine",
    "payout reels spinning",
};

constexpr std::array<const char*, 6> kCalls = {
    "mallard call, upper: hail of quacks",
    "mallard call, lower: feeding chuckle",
    "pintail whistle, upper: trilled whistles",
    "pintail whistle, lower: soft whistles and a chatter",
    "diver call, upper: redhead purr",
    "diver call, lower: canvasback growl",
};

constexpr std::array kFiles = {
    SoundFile{"sounds", 12, "interface sounds, loaded at start into sounds 0 to 11"},
    SoundFile{"calls", 6, "duck calls, loaded by the hunt into sounds 14 to 19"},
    SoundFile{"char04", 41, "the partner in the blind"},
    SoundFile{"char20", 18, "Wilma, the game warden"},
    SoundFile{"char21", 4, "Sheriff Jones"},
    SoundFile{"mainmenu", 0, "main menu music, about a minute"},
    SoundFile{"credits", 0, "credits music, about 40 seconds"},
    SoundFile{"gameover", 0, "game over music, about 8 seconds"},
};

}  // namespace

std::span<const SoundFile> SoundFiles() {
    return kFiles;
}

std::span<const char* const> InterfaceSoundNames() {
    return kSounds;
}

std::span<const char* const> CallNames() {
    return kCalls;
}

std::string EntryWhat(const std::string& name, int entry) {
    if (name == "sounds" && entry >= 0 && entry < static_cast<int>(kSounds.size())) {
        return kSounds[static_cast<size_t>(entry)];
    }
    if (name == "calls" && entry >= 0 && entry < static_cast<int>(kCalls.size())) {
        return kCalls[static_cast<size_t>(entry)];
    }
    int character = 0;
    if (std::sscanf(name.c_str(), "char%d", &character) == 1) {
        const char* text = CommentText(character, entry + 1);
        if (text != nullptr) {
            return "comment " + std::to_string(entry + 1) + ": \"" + text + "\"";
        }
    }
    for (const SoundFile& file : kFiles) {
        if (entry == -1 && file.entries == 0 && name == file.name) {
            return file.what;
        }
    }
    return "?";
}
