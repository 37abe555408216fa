#include "catalogue.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/sound_numbers.h"
#include "voice_lines.h"

namespace {

// What each interface sound is, by its number (= its entry in "sounds").
constexpr auto kSounds = [] {
    std::array<const char*, kInterfaceSoundCount> what{};
    what[kClickSound] = "button click";
    what[kIconSound] = "icon changed";
    what[kConfirmSound] = "bright confirmation (purchase done, volume set, a coin lands)";
    what[kQuestionSound] = "question before quitting or deleting";
    what[kTillSound] = "purchase (till bell)";
    what[kRefusalSound] = "refusal";
    what[kMoneySound] = "money appears";
    what[kSwishSound] = "interface swish";
    what[kShellLoadSound] = "shell loaded";
    what[kShotSound] = "shotgun shot";
    what[kFineDollarSound] = "one dollar of a fine";
    what[kReelSound] = "payout reels spinning";
    return what;
}();
static_assert(std::ranges::none_of(kSounds, [](const char* what) { return what == nullptr; }),
              "every interface sound is described");

// Entry n of "calls", loaded by the hunt into sound kFirstCallSound + n.
constexpr std::array<const char*, kCallSoundCount> kCalls = {
    "mallard call, upper: hail of quacks",
    "mallard call, lower: feeding chuckle",
    "pintail whistle, upper: trilled whistles",
    "pintail whistle, lower: soft whistles and a chatter",
    "diver call, upper: redhead purr",
    "diver call, lower: canvasback growl",
};

constexpr std::array kFiles = {
    SoundFile{"sounds", kInterfaceSoundCount,
              "interface sounds, loaded at start into sounds 0 to 11"},
    SoundFile{"calls", kCallSoundCount, "duck calls, loaded by the hunt into sounds 14 to 19"},
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
