#include "score.h"

#include <array>
#include <cmath>
#include <sstream>

namespace {

struct Chord {
    const char* name;
    int bass;                   // root for the bass
    int fifth;                  // fifth below or above, for the bass
    std::array<int, 4> voices;  // guitar voicing, low to high
};

// clang-format off
constexpr std::array kChords = {
    Chord{"G",  43, 38, {55, 59, 62, 67}},
    Chord{"C",  36, 43, {52, 55, 60, 64}},
    Chord{"D",  38, 45, {50, 57, 62, 66}},
    Chord{"Em", 40, 47, {52, 55, 59, 64}},
    Chord{"Am", 45, 40, {52, 57, 60, 64}},
    Chord{"B7", 47, 42, {51, 57, 59, 63}},
    Chord{"A7", 45, 40, {52, 57, 61, 67}},
    Chord{"D7", 38, 45, {50, 57, 60, 66}},
};
// clang-format on

const Chord* FindChord(const std::string& name) {
    for (const Chord& chord : kChords) {
        if (name == chord.name) {
            return &chord;
        }
    }
    return nullptr;
}

void Add(std::vector<NoteEvent>* events, double beat, double length, int channel, int key,
         int velocity) {
    events->push_back(NoteEvent{beat, length, channel, key, velocity < 1 ? 1 : velocity});
}

// Percussion keys.
constexpr int kKick = 36;
constexpr int kShaker = 70;

}  // namespace

bool ParseTokens(const std::string& text, std::vector<Token>* tokens, std::string* error) {
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (word == "|") {
            continue;
        }
        size_t colon = word.find(':');
        if (colon == std::string::npos || colon == 0) {
            *error = word;
            return false;
        }
        char* end = nullptr;
        std::string count = word.substr(colon + 1);
        double beats = std::strtod(count.c_str(), &end);
        if (end == count.c_str() || *end != '\0' || !(beats > 0)) {
            *error = word;
            return false;
        }
        tokens->push_back(Token{word.substr(0, colon), beats});
    }
    return true;
}

int KeyOf(const std::string& name) {
    static constexpr int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
        return -1;
    }
    int key = kSemitones[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#') {
        key++;
        at++;
    } else if (name[at] == 'b') {
        key--;
        at++;
    }
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8') {
        return -1;
    }
    return key + 12 * (name[at] - '0' + 1);
}

double TotalBeats(const std::vector<Token>& tokens) {
    double total = 0;
    for (const Token& t : tokens) {
        total += t.beats;
    }
    return total;
}

bool AddMelody(const std::string& text, int channel, int velocity, double start,
               std::vector<NoteEvent>* events, std::string* error) {
    std::vector<Token> tokens;
    if (!ParseTokens(text, &tokens, error)) {
        return false;
    }
    double beat = start;
    for (const Token& t : tokens) {
        if (t.name != "r") {
            int key = KeyOf(t.name);
            if (key < 0) {
                *error = t.name;
                return false;
            }
            // Notes on the beat a little stronger than those between.
            bool onBeat = std::fabs(beat - std::round(beat)) < 0.01;
            Add(events, beat, t.beats * 0.95, channel, key, velocity + (onBeat ? 6 : -4));
        }
        beat += t.beats;
    }
    return true;
}

bool AddChords(const std::string& text, Style style, int channel, int velocity, double start,
               std::vector<NoteEvent>* events, std::string* error) {
    std::vector<Token> tokens;
    if (!ParseTokens(text, &tokens, error)) {
        return false;
    }
    double beat = start;
    for (const Token& t : tokens) {
        const Chord* chord = FindChord(t.name);
        if (chord == nullptr && t.name != "r") {
            *error = t.name;
            return false;
        }
        if (chord == nullptr) {
            beat += t.beats;
            continue;
        }
        const auto& v = chord->voices;
        switch (style) {
            case Style::Strum:
                for (double b = 0; b < t.beats - 0.01; b += 0.5) {
                    bool down = std::fmod(b, 1.0) < 0.01;
                    // A down-stroke sounds low to high, an up-stroke the top
                    // strings only, a few milliseconds apart.
                    for (int s = 0; s < 4; s++) {
                        if (!down && s == 0) {
                            continue;
                        }
                        int string = down ? s : 3 - s;
                        double at = beat + b + 0.018 * (down ? s : s - 1);
                        Add(events, at, 0.45, channel, v[static_cast<size_t>(string)],
                            velocity - (down ? 0 : 18) - (std::fmod(b, 2.0) < 0.01 ? 0 : 6));
                    }
                }
                break;
            case Style::Pick: {
                static constexpr int kOrder[8] = {0, 2, 3, 1, 2, 3, 1, 2};
                int step = 0;
                for (double b = 0; b < t.beats - 0.01; b += 0.5, step++) {
                    int voice = kOrder[step % 8];
                    int key = voice == 0 ? chord->bass + 12 : v[static_cast<size_t>(voice)];
                    Add(events, beat + b, 1.2, channel, key, velocity - (step % 2 ? 10 : 0));
                }
                break;
            }
            case Style::Pad:
                for (int s = 1; s < 4; s++) {
                    Add(events, beat, t.beats * 0.98, channel, v[static_cast<size_t>(s)], velocity);
                }
                break;
            case Style::Bass:
                Add(events, beat, std::min(2.0, t.beats) * 0.9, channel, chord->bass, velocity);
                if (t.beats >= 4) {
                    Add(events, beat + 2, 1.8, channel, chord->fifth, velocity - 8);
                }
                break;
            case Style::Shaker:
                for (double b = 0; b < t.beats - 0.01; b += 0.5) {
                    bool down = std::fmod(b, 1.0) < 0.01;
                    Add(events, beat + b, 0.2, channel, kShaker, velocity - (down ? 0 : 15));
                    if (std::fmod(b, 2.0) < 0.01) {
                        Add(events, beat + b, 0.3, channel, kKick, velocity + 10);
                    }
                }
                break;
        }
        beat += t.beats;
    }
    return true;
}
