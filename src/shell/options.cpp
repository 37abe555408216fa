#include "shell/options.h"

#include <bit>
#include <cstring>

#include "engine/files.h"
#include "engine/log.h"

namespace {

constexpr const char* kOptionsFile = "options.dat";
constexpr const char* kOptionsTemp = "options.dat.tmp";
constexpr const char* kSignature = "Talmadge Reed Gunner Options";
constexpr uint32_t kSignatureBytes = 32;
constexpr uint32_t kRosterBytes = kRosterSize * kPlayerRecordBytes;

std::array<PlayerRecord, kRosterSize> FreshRoster() {
    std::array<PlayerRecord, kRosterSize> fresh{};
    for (int i = 0; i < kRosterSize; ++i) {
        fresh[i] = FreshPlayerRecord(i == 0);
    }
    return fresh;
}

void Put16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value));
    Put16(out + 2, static_cast<uint16_t>(value >> 16));
}

uint16_t Get16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

uint32_t Get32(const uint8_t* in) {
    return static_cast<uint32_t>(Get16(in)) | static_cast<uint32_t>(Get16(in + 2)) << 16;
}

void EncodeRoster(uint8_t* out) {
    for (int i = 0; i < kRosterSize; ++i) {
        EncodePlayerRecord(roster[i], out + i * kPlayerRecordBytes);
    }
}

// Copies whatever the old file holds past the options onto the end of the new
// one. A missing old file has nothing to keep. Returns false when a byte could
// not be carried over.
bool CopyTail(FileHandle to) {
    FileHandle from = FileOpen(kOptionsFile);
    if (from == INVALID_FILE) {
        return true;
    }
    bool ok = true;
    uint32_t size = FileSize(from);
    if (size > kOptionsBytes) {
        ok = FileSeek(from, static_cast<int32_t>(kOptionsBytes), 0) == kOptionsBytes;
        uint8_t chunk[4096];
        for (uint32_t left = size - kOptionsBytes; ok && left > 0;) {
            uint32_t want = left < sizeof chunk ? left : static_cast<uint32_t>(sizeof chunk);
            ok = FileRead(from, chunk, want) == want && FileWrite(to, chunk, want) == want;
            left -= want;
        }
    }
    FileClose(from);
    return ok;
}

}  // namespace

std::array<PlayerRecord, kRosterSize> roster = FreshRoster();
uint32_t currentPlayer = 0;
PlayerRecord* player = &roster[0];

PlayerRecord FreshPlayerRecord(bool named) {
    PlayerRecord record{};
    if (named) {
        std::strcpy(record.name, "Your Name");
    }
    StartNewGame(&record);
    record.volume = kNewGameVolume;
    return record;
}

void StartNewGame(PlayerRecord* record) {
    record->money = kNewGameMoney;
    record->goalCount = 0;
    record->musicOn = 1;
    std::memset(record->extraBytes, 0, sizeof record->extraBytes);
    record->goalBitsA = 0;
    record->goalBitsB = 0;
    for (uint16_t& item : record->items) {
        item = 0;
    }
    record->items[kItemShells] = kNewGameShells;
    record->items[kNewGameGun] = 1;
}

void ResetRoster() {
    roster = FreshRoster();
    currentPlayer = 0;
    player = &roster[0];
}

std::string_view PlayerName(const PlayerRecord& record) {
    return std::string_view(record.name, strnlen(record.name, sizeof record.name));
}

uint8_t CountGoals(const PlayerRecord& record) {
    return static_cast<uint8_t>(std::popcount(static_cast<unsigned>(record.goalBitsA & 0x0FFF)) +
                                std::popcount(static_cast<unsigned>(record.goalBitsB & 0x0FFF)));
}

bool IsFreeRecord(const PlayerRecord& record) {
    return static_cast<int8_t>(record.name[0]) < 33;
}

void EncodePlayerRecord(const PlayerRecord& record, uint8_t* out) {
    std::memcpy(out, record.name, 32);
    Put32(out + 32, static_cast<uint32_t>(record.money));
    out[36] = record.goalCount;
    out[37] = record.musicOn;
    out[38] = static_cast<uint8_t>(record.volume);
    std::memcpy(out + 39, record.extraBytes, 3);
    std::memcpy(out + 42, record.reserved42, 2);
    Put16(out + 44, record.goalBitsA);
    Put16(out + 46, record.goalBitsB);
    std::memcpy(out + 48, record.reserved48, 16);
    for (int i = 0; i < kItemCount; ++i) {
        Put16(out + 64 + 2 * i, record.items[i]);
    }
    std::memcpy(out + 82, record.reserved82, 2);
}

void DecodePlayerRecord(const uint8_t* in, PlayerRecord* record) {
    std::memcpy(record->name, in, 32);
    record->money = static_cast<int32_t>(Get32(in + 32));
    record->goalCount = in[36];
    record->musicOn = in[37];
    record->volume = static_cast<int8_t>(in[38]);
    std::memcpy(record->extraBytes, in + 39, 3);
    std::memcpy(record->reserved42, in + 42, 2);
    record->goalBitsA = Get16(in + 44);
    record->goalBitsB = Get16(in + 46);
    std::memcpy(record->reserved48, in + 48, 16);
    for (int i = 0; i < kItemCount; ++i) {
        record->items[i] = Get16(in + 64 + 2 * i);
    }
    std::memcpy(record->reserved82, in + 82, 2);
}

uint32_t LoadOptions() {
    currentPlayer = 0;
    player = &roster[0];
    roster[0].musicOn = 1;
    roster[0].volume = kNewGameVolume;

    FileHandle file = FileOpen(kOptionsFile);
    if (file == INVALID_FILE) {
        LogPrintf("Cannot find options.dat file");
        return 0;
    }

    // A short file leaves the rest of each buffer as it was: zeros for the
    // header, the fresh roster for the records.
    uint8_t signature[kSignatureBytes] = {};
    FileRead(file, signature, kSignatureBytes);
    auto* text = reinterpret_cast<const char*>(signature);
    size_t textLength = strnlen(text, kSignatureBytes - 1);  // byte 31 is never part of it
    if (std::string_view(text, textLength) != kSignature) {
        LogPrintf("wrong signature: %.*s", static_cast<int>(textLength), text);
        FileClose(file);
        return 0;
    }

    uint8_t version[4] = {};
    FileRead(file, version, 4);
    if (Get32(version) != kOptionsVersion) {
        LogPrintf("wrong version: %d", static_cast<int>(Get32(version)));
        FileClose(file);
        return 0;
    }

    uint8_t storedPlayer = 0;
    FileRead(file, &storedPlayer, 1);

    uint8_t image[kRosterBytes];
    EncodeRoster(image);
    FileRead(file, image, kRosterBytes);
    FileClose(file);
    for (int i = 0; i < kRosterSize; ++i) {
        DecodePlayerRecord(image + i * kPlayerRecordBytes, &roster[i]);
    }

    if (storedPlayer >= kRosterSize) {
        LogPrintf("ERROR: options.dat current player %d names no record, using 0", storedPlayer);
        storedPlayer = 0;
    }
    currentPlayer = storedPlayer;
    player = &roster[currentPlayer];
    return 1;
}

void SaveOptions() {
    uint8_t image[kOptionsBytes] = {};
    std::memcpy(image, kSignature, std::strlen(kSignature));
    image[31] = 0x1A;
    Put32(image + 32, kOptionsVersion);
    image[36] = static_cast<uint8_t>(currentPlayer);
    EncodeRoster(image + 37);

    // Write the whole new file beside the old one and swap it in only once it
    // is on disk, so a failure at any point leaves the old file as it was.
    FileDelete(kOptionsTemp);
    FileHandle file = FileCreate(kOptionsTemp);
    if (file == INVALID_FILE) {
        LogPrintf("Unable to save options.dat");
        return;
    }
    bool ok = FileWrite(file, image, kOptionsBytes) == kOptionsBytes && CopyTail(file) &&
              FileFlush(file) == 1;
    FileClose(file);
    if (!ok || FileReplace(kOptionsTemp, kOptionsFile) != 1) {
        FileDelete(kOptionsTemp);
        LogPrintf("Unable to save options.dat");
    }
}
