// make_music OUTDIR SOUNDFONT NAME: renders the piece NAME ("mainmenu",
// "credits" or "gameover") from the note data below with the software
// synthesiser and a General MIDI sound font, offline, into NAME.16b and
// NAME.8b: one mono wave image each.
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bank_writer.h"
#include "score.h"
#include "synth.h"

using namespace synth;

namespace {

// General MIDI programs (0-based).
constexpr int kNylonGuitar = 24;
constexpr int kSteelGuitar = 25;
constexpr int kAcousticBass = 32;
constexpr int kStrings = 48;
constexpr int kHarmonica = 22;
constexpr int kFlute = 73;
constexpr int kFiddle = 110;
constexpr int kDrums = 9;

// The tunes. Theme A is the hunting song proper, theme B its answer.
const char* const kThemeA =
    "D4:1 G4:1 B4:1.5 A4:0.5 | G4:1 E4:1 C5:2 | B4:1 A4:0.5 G4:0.5 D4:1 G4:1 | A4:3 r:1 | "
    "D4:1 G4:1 B4:1.5 D5:0.5 | E5:1 D5:0.5 C5:0.5 B4:1 A4:1 | G4:1 A4:1 F#4:1 A4:1 | G4:3 r:1";
const char* const kChordsA = "G:4 | C:4 | G:4 | D:4 | G:4 | C:4 | D:4 | G:4";
const char* const kThemeB =
    "E5:1.5 D5:0.5 C5:1 E5:1 | D5:2 B4:2 | B4:1 C5:0.5 B4:0.5 A4:1 G4:1 | A4:2 D5:2 | "
    "E5:1.5 F#5:0.5 G5:1 E5:1 | D5:1 B4:1 G4:1 B4:1 | A4:1 B4:0.5 A4:0.5 F#4:1 A4:1 | G4:4";
const char* const kChordsB = "C:4 | G:4 | Em:4 | D:4 | C:4 | G:4 | D:4 | G:4";

struct Voice {
    int channel;
    int program;
    int volume;  // channel volume, 0-127
    int pan;     // 0 left, 64 centre, 127 right
};

struct Line {
    bool chords;
    Style style;  // for chords
    int channel;
    int velocity;
    double start;  // beat
    std::string text;
};

struct Piece {
    const char* name;
    double bpm;
    double tail;  // seconds rendered after the last note ends
    std::vector<Voice> voices;
    std::vector<Line> lines;
};

std::string Join(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& p : parts) {
        out += p + " ";
    }
    return out;
}

// About a minute at 112 beats a minute: two bars in, theme A on the
// harmonica, B on the flute, A on the fiddle, two bars out.
Piece MainMenu() {
    const std::string chords = Join({"G:4 D:4", kChordsA, kChordsB, kChordsA, "C:4 G:4"});
    Piece p{"mainmenu", 112, 1.6, {}, {}};
    p.voices = {{0, kSteelGuitar, 92, 44}, {1, kAcousticBass, 100, 64}, {2, kHarmonica, 100, 70},
                {3, kFlute, 104, 80},      {4, kFiddle, 96, 56},        {kDrums, 0, 58, 64}};
    p.lines = {
        {true, Style::Strum, 0, 68, 0, chords},
        {true, Style::Bass, 1, 88, 0, chords},
        {true, Style::Shaker, kDrums, 50, 8, Join({kChordsA, kChordsB, kChordsA})},
        {false, Style::Pad, 2, 96, 8, kThemeA},
        {false, Style::Pad, 3, 92, 40, kThemeB},
        {false, Style::Pad, 4, 92, 72, kThemeA},
        {false, Style::Pad, 2, 90, 104, "E5:1 D5:1 B4:1 A4:1 | G4:4"},
    };
    return p;
}

// About 40 seconds at 92 beats a minute, gentler: picked nylon guitar under
// strings, theme B on the flute and the end of theme A on the harmonica.
Piece Credits() {
    const std::string chords = Join({"G:4", kChordsB, "G:4 C:4 D:4 G:4", "C:4 G:4"});
    Piece p{"credits", 92, 1.8, {}, {}};
    p.voices = {{0, kNylonGuitar, 104, 50},
                {1, kAcousticBass, 92, 64},
                {2, kStrings, 64, 78},
                {3, kFlute, 104, 70},
                {4, kHarmonica, 96, 60}};
    p.lines = {
        {true, Style::Pick, 0, 72, 0, chords},
        {true, Style::Bass, 1, 80, 0, chords},
        {true, Style::Pad, 2, 56, 4, chords.substr(chords.find(' ') + 1)},
        {false, Style::Pad, 3, 92, 4, kThemeB},
        {false, Style::Pad, 4, 90, 36,
         "D4:1 G4:1 B4:1.5 D5:0.5 | E5:1 D5:0.5 C5:0.5 B4:1 A4:1 | G4:1 A4:1 F#4:1 A4:1 | G4:4"},
        {false, Style::Pad, 3, 86, 52, "E5:2 D5:1 C5:1 | B4:4"},
    };
    return p;
}

// About 8 seconds, slow and in the minor: the day is over.
Piece GameOver() {
    const std::string chords = "Em:2 C:2 | Am:1 B7:1 Em:2";
    Piece p{"gameover", 70, 1.5, {}, {}};
    p.voices = {{0, kNylonGuitar, 100, 50},
                {1, kAcousticBass, 92, 64},
                {2, kStrings, 80, 70},
                {3, kHarmonica, 100, 64}};
    p.lines = {
        {true, Style::Pick, 0, 70, 0, chords},
        {true, Style::Bass, 1, 80, 0, chords},
        {true, Style::Pad, 2, 60, 0, chords},
        {false, Style::Pad, 3, 94, 0, "B4:1 A4:0.5 G4:0.5 E4:2 | C5:1 B4:1 E4:2"},
    };
    return p;
}

bool Render(const Piece& piece, const char* soundFont, Buffer* out) {
    std::vector<NoteEvent> notes;
    for (const Line& line : piece.lines) {
        std::string error;
        bool ok = line.chords ? AddChords(line.text, line.style, line.channel, line.velocity,
                                          line.start, &notes, &error)
                              : AddMelody(line.text, line.channel, line.velocity, line.start,
                                          &notes, &error);
        if (!ok) {
            std::fprintf(stderr, "%s: bad note data at \"%s\"\n", piece.name, error.c_str());
            return false;
        }
    }
    // Timed on and off events, offs before ons at the same frame.
    struct Event {
        size_t frame;
        bool on;
        int channel, key, velocity;
    };
    std::vector<Event> events;
    const double secondsPerBeat = 60.0 / piece.bpm;
    size_t last = 0;
    for (const NoteEvent& n : notes) {
        size_t on = Frames(n.beat * secondsPerBeat);
        size_t off = Frames((n.beat + n.length) * secondsPerBeat);
        events.push_back({on, true, n.channel, n.key, std::min(n.velocity, 127)});
        events.push_back({off, false, n.channel, n.key, 0});
        last = std::max(last, off);
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.frame != b.frame ? a.frame < b.frame : (!a.on && b.on);
    });

    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; level++) {
        if (level != FLUID_PANIC && level != FLUID_ERR) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
    }
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(settings, "synth.gain", 0.4);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setint(settings, "synth.polyphony", 128);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setnum(settings, "synth.reverb.room-size", 0.45);
    fluid_settings_setnum(settings, "synth.reverb.level", 0.35);
    fluid_synth_t* synth = new_fluid_synth(settings);
    bool ok = synth != nullptr && fluid_synth_sfload(synth, soundFont, 1) != FLUID_FAILED;
    if (!ok) {
        std::fprintf(stderr, "cannot load the sound font %s\n", soundFont);
    }
    for (const Voice& v : piece.voices) {
        if (!ok) {
            break;
        }
        if (v.channel != kDrums) {
            fluid_synth_program_change(synth, v.channel, v.program);
        }
        fluid_synth_cc(synth, v.channel, 7, v.volume);
        fluid_synth_cc(synth, v.channel, 10, v.pan);
        fluid_synth_cc(synth, v.channel, 91, 40);  // reverb send
    }
    const size_t total = last + Frames(piece.tail);
    std::vector<float> left(total), right(total);
    size_t at = 0;
    size_t next = 0;
    while (ok && at < total) {
        while (next < events.size() && events[next].frame <= at) {
            const Event& e = events[next++];
            if (e.on) {
                fluid_synth_noteon(synth, e.channel, e.key, e.velocity);
            } else {
                fluid_synth_noteoff(synth, e.channel, e.key);
            }
        }
        size_t until = next < events.size() ? std::min(events[next].frame, total) : total;
        until = std::min(until, at + 4096);
        int count = static_cast<int>(until - at);
        if (count > 0 &&
            fluid_synth_write_float(synth, count, left.data(), static_cast<int>(at), 1,
                                    right.data(), static_cast<int>(at), 1) != FLUID_OK) {
            std::fprintf(stderr, "%s: rendering failed\n", piece.name);
            ok = false;
        }
        at = until;
    }
    if (synth != nullptr) {
        delete_fluid_synth(synth);
    }
    delete_fluid_settings(settings);
    if (!ok) {
        return false;
    }
    out->assign(total, 0.0f);
    for (size_t i = 0; i < total; i++) {
        (*out)[i] = 0.5f * (left[i] + right[i]);
    }
    // Ring out, then close the last stretch smoothly.
    const double end = Seconds(*out);
    Shape(*out, [end](double t) { return std::clamp((end - t) / 0.4, 0.0, 1.0); });
    Normalise(*out, kMusicPeak);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTDIR SOUNDFONT NAME\n", argv[0]);
        return 2;
    }
    const std::string name = argv[3];
    Piece piece;
    if (name == "mainmenu") {
        piece = MainMenu();
    } else if (name == "credits") {
        piece = Credits();
    } else if (name == "gameover") {
        piece = GameOver();
    } else {
        std::fprintf(stderr, "no piece %s\n", name.c_str());
        return 2;
    }
    Buffer music;
    if (!Render(piece, argv[2], &music)) {
        return 1;
    }
    return WriteMusicSets(argv[1], name, music) ? 0 : 1;
}
