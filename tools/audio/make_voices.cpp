// make_voices OUTDIR CHARACTER: speaks every comment of character 4 (the
// partner), 20 (Wilma, the game warden) or 21 (Sheriff Jones) with the speech
// synthesiser into the bank "char%02d", entry k - 1 for comment k.
#include <espeak-ng/speak_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bank_writer.h"
#include "synth.h"
#include "voice_lines.h"

using namespace synth;

namespace {

Buffer spoken;

int TakeSamples(short* samples, int count, espeak_EVENT*) {
    for (int i = 0; samples != nullptr && i < count; i++) {
        spoken.push_back(static_cast<float>(samples[i]) / 32768.0f);
    }
    return 0;
}

bool Speak(const Speaker& speaker, const char* text, Buffer* out) {
    spoken.clear();
    espeak_ERROR result = espeak_Synth(text, std::strlen(text) + 1, 0, POS_CHARACTER, 0,
                                       espeakCHARS_AUTO, nullptr, nullptr);
    if (result != EE_OK || espeak_Synchronize() != EE_OK || spoken.empty()) {
        std::fprintf(stderr, "cannot speak \"%s\"\n", text);
        return false;
    }
    Buffer voice = spoken;
    HighPass(voice, speaker.lowCut);
    LowPass(voice, speaker.highCut);
    Trim(voice, 0.01f, 0.06);
    Normalise(voice, kVoicePeak);
    *out = voice;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR CHARACTER\n", argv[0]);
        return 2;
    }
    int character = std::atoi(argv[2]);
    const Speaker* speaker = nullptr;
    for (const Speaker& s : Speakers()) {
        if (s.character == character) {
            speaker = &s;
        }
    }
    if (speaker == nullptr) {
        std::fprintf(stderr, "no character %d\n", character);
        return 2;
    }
    int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (rate != kRate) {
        std::fprintf(stderr, "the speech synthesiser runs at %d Hz, not %d\n", rate, kRate);
        return 1;
    }
    espeak_SetSynthCallback(TakeSamples);
    if (espeak_SetVoiceByName(speaker->voice) != EE_OK) {
        std::fprintf(stderr, "no voice %s\n", speaker->voice);
        return 1;
    }
    espeak_SetParameter(espeakRATE, speaker->rate, 0);
    espeak_SetParameter(espeakPITCH, speaker->pitch, 0);
    espeak_SetParameter(espeakRANGE, speaker->range, 0);

    std::vector<Buffer> lines;
    for (int comment = 1; comment <= CommentCount(character); comment++) {
        const char* text = CommentText(character, comment);
        Buffer line;
        if (text == nullptr || !Speak(*speaker, text, &line)) {
            std::fprintf(stderr, "character %d has no comment %d\n", character, comment);
            return 1;
        }
        lines.push_back(line);
    }
    espeak_Terminate();
    char name[16];
    std::snprintf(name, sizeof name, "char%02d", character);
    return WriteBankSets(argv[1], name, lines) ? 0 : 1;
}
