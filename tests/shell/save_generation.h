#pragma once
// The roster the save-loop helper writes as generation `generation`: every
// record differs from one generation to the next, so a file mixing two saves
// matches neither.
#include <cstdint>
#include <cstdio>

#include "shell/options.h"

inline void FillGeneration(uint32_t generation) {
    for (int i = 0; i < kRosterSize; ++i) {
        PlayerRecord& record = roster[i];
        record = FreshPlayerRecord(false);
        std::snprintf(record.name, sizeof record.name, "Hunter %u-%d", generation, i);
        record.money = static_cast<int32_t>(generation % 1000000u) * 10 + i;
        record.volume = static_cast<int8_t>((generation + i) % 101);
        record.goalBitsA = static_cast<uint16_t>((generation * 7 + i) & 0xFFF);
        for (int k = 0; k < kItemCount; ++k) {
            record.items[k] = static_cast<uint16_t>(generation * 31 + i * 9 + k);
        }
    }
    currentPlayer = generation % kRosterSize;
    player = &roster[currentPlayer];
}

// The generation a loaded roster claims to be (its first record's money).
inline uint32_t GenerationOfRoster() {
    return static_cast<uint32_t>(roster[0].money / 10);
}
