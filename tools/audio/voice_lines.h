#pragma once
// Every line the three characters speak, in one table: character 4 the partner
// in the blind, 20 the game warden Wilma, 21 Sheriff Jones. Comment k of a
// character is entry k - 1 of its bank "char%02d".
#include <span>

struct VoiceLine {
    int character;
    int comment;  // 1-based
    const char* text;
};

// How a character sounds: the synthesiser voice and its settings.
struct Speaker {
    int character;
    const char* name;   // who it is, for listings
    const char* voice;  // synthesiser voice name with its variant
    int rate;           // words per minute
    int pitch;          // 0 to 100
    int range;          // pitch range, 0 to 100
    int lowCut;         // Hz: a high pass shaping the voice's colour
    int highCut;        // Hz: and a low pass
};

std::span<const VoiceLine> VoiceLines();
std::span<const Speaker> Speakers();

// Comments per character: 41, 18 and 4.
int CommentCount(int character);
// The text of a comment, or nullptr.
const char* CommentText(int character, int comment);
