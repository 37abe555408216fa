#pragma once
// Sound bank files: an i16 entry count, an unused i16, 128 u32 end offsets
// counted from byte 516, then the entries' wave images one after another. A
// music file is one wave image alone. Every file is written twice: ".16b" and,
// for the 8-bit setting, ".8b".
#include <cstdint>
#include <string>
#include <vector>

#include "file_out.h"
#include "synth.h"

constexpr int kBankMaxEntries = 128;
constexpr uint32_t kBankHeaderSize = 516;

// The bank image of `entries` (at most 128).
std::vector<uint8_t> BankImage(const std::vector<std::vector<uint8_t>>& entries);

// Writes DIR/NAME.16b and DIR/NAME.8b of a bank of `sounds`, or of one music
// piece.
bool WriteBankSets(const std::string& dir, const std::string& name,
                   const std::vector<synth::Buffer>& sounds);
bool WriteMusicSets(const std::string& dir, const std::string& name, const synth::Buffer& music);

// Peak levels: every effect, call and voice line is scaled to kEffectPeak;
// music sits lower so that a shot or a line over it still does not clip.
constexpr float kEffectPeak = 0.70f;
constexpr float kVoicePeak = 0.70f;
constexpr float kMusicPeak = 0.45f;
