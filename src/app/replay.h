#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Replays of real sessions. Every session in a window records what the game
// read from outside (see sys/replay.h) to $XDG_STATE_HOME/pellmar/replays/,
// after a header: the game's version, a hash of the data files, the settings
// that change play, the clock's kind and the options.dat the session started
// with. A recording played back gives the game the same readings, so it does
// and draws the same again.

// Where recordings go, and how many of them are kept.
std::string ReplayFolder();
constexpr size_t kReplaysKept = 20;
// A recording stops growing here (20 hours of play or more).
constexpr size_t kReplayLimitBytes = 16u << 20;

enum class ReplayPace {
    Window,    // in a window at the speed it was played, in a scratch folder
    Headless,  // as fast as the clock allows, options.dat in the current folder
};

// Reads a recording to play. False with `error` saying why: unreadable, not a
// recording, or made by another version of the game.
bool ReplayLoad(const std::string& path, ReplayPace pace, std::string* error);

// Called by RunGame once the settings are read and before options.dat is: a
// loaded recording starts playing (its data checked against ours, its
// options.dat and settings put in place), otherwise a session in a window
// starts recording when the settings allow. False when the recording may not
// be played here (the line saying why is on standard error).
bool ReplayBegin();

// Records the next session to `path` whatever it plays on (the monkey keeps
// the recording of a session that fails), written in small blocks so that
// little is lost if the session dies.
void ReplayRecordNextTo(const std::string& path);

// Called by RunGame on its way out: the recording is finished.
void ReplayEnd();

// The header of a recording starting now with `options` as options.dat
// (`hasOptions` false when there was none).
std::vector<uint8_t> ReplayHeader(bool clockVirtual, bool hasOptions, const std::string& options);

// A hash of the data files the game reads, by name, size and contents.
uint64_t ReplayDataHash(const std::string& dataFolder);

// Every kCheckpointMs of the session's clock, counted from its first reading,
// writes a line to `out` with the screen and a hash of the picture (and the
// picture as checkpoint-NN.png in `snapDir` unless empty). A session recorded
// with REEDGUNNER_CHECKPOINTS=FILE writes them to FILE, its replay to the
// same times, so the two can be compared.
constexpr uint32_t kCheckpointMs = 5000;
void ReplayCheckpoints(FILE* out, const std::string& snapDir);

// Back to neither playing nor recording (for tests).
void ReplayReset();
