#pragma once
// Music as note data: melodies written as text, accompaniment made from chord
// names, both turned into timed note events for the synthesiser.
//
// Text: tokens separated by spaces; "G4:1" a note (name, optional # or b,
// octave) lasting one beat, "r:2" a rest, "|" a bar line (ignored). In a chord
// track the tokens are chord names: "G:4", "Em:2", "B7:1".
#include <cstdint>
#include <string>
#include <vector>

struct NoteEvent {
    double beat;    // start, in beats from the piece's start
    double length;  // in beats
    int channel;    // 0-15; 9 is the percussion channel
    int key;        // MIDI key number
    int velocity;   // 1-127
};

struct Token {
    std::string name;  // "G4", "r", "Em"
    double beats;
};

// The tokens of a text; false with the bad token in *error.
bool ParseTokens(const std::string& text, std::vector<Token>* tokens, std::string* error);
// MIDI key of a note name such as "C4" (60) or "F#3"; -1 when it is none.
int KeyOf(const std::string& name);
// Total beats of a text.
double TotalBeats(const std::vector<Token>& tokens);

// How a chord track is played.
enum class Style {
    Strum,   // guitar: chord on every beat, lighter off-beat up-strokes
    Pick,    // guitar: picked eighth-note arpeggios
    Pad,     // held chords
    Bass,    // root on the chord's first beat, fifth halfway
    Shaker,  // percussion: soft eighths, a kick on beats 1 and 3
};

// Melody notes of `text` on `channel`, played legato at `velocity`, starting
// at beat `start`. Adds to *events; false on a bad token.
bool AddMelody(const std::string& text, int channel, int velocity, double start,
               std::vector<NoteEvent>* events, std::string* error);
// Accompaniment of chord text in `style`.
bool AddChords(const std::string& text, Style style, int channel, int velocity, double start,
               std::vector<NoteEvent>* events, std::string* error);
