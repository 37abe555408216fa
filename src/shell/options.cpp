#include "shell/options.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/dialogs.h"
#include "engine/files.h"
#include "engine/log.h"

namespace {

constexpr const char* kOptionsFile = "options.dat";
constexpr const char* kOptionsTemp = "options.dat.tmp";
constexpr const char* kOptionsBackup = "options.dat.bak";
constexpr const char* kOptionsDamaged = "options.dat.damaged";  // then -2, -3, ...
constexpr int kMostDamagedNames = 999;
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

// What the roster tells the player about a damaged file, once.
std::string notice;

// A damaged file that could not be moved aside: no save may replace it.
bool damagedInPlace = false;

// Moves the unreadable options.dat aside under the first free damaged name,
// so the fresh roster's saves cannot write over it.
void KeepDamagedFile() {
    char name[32] = {};
    for (int n = 1; n <= kMostDamagedNames; ++n) {
        if (n == 1) {
            std::snprintf(name, sizeof name, "%s", kOptionsDamaged);
        } else {
            std::snprintf(name, sizeof name, "%s-%d", kOptionsDamaged, n);
        }
        if (FileRenameNew(kOptionsFile, name) == 1) {
            LogPrintf("ERROR: options.dat could not be read; it was kept as %s", name);
            notice = std::string("Your saved games could not be read.|The file was kept as|") +
                     name + ".";
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    LogPrintf(
        "ERROR: options.dat could not be read and could not be moved aside (%s); it "
        "will not be saved over",
        std::strerror(errno));
    damagedInPlace = true;
    notice =
        "Your saved games could not be read.|The file could not be moved aside,|so "
        "nothing will be saved over it.";
}

// The player's words for why a save failed, from the system's error number.
std::string SaveFailureReason(int error) {
    switch (error) {
        case EROFS:
        case EACCES:
        case EPERM:
            return "The saves folder is read-only.";
        case ENOSPC:
        case EDQUOT:
            return "The disk is full.";
        default:
            return std::string(std::strerror(error)) + ".";
    }
}

// Writes the whole file beside the old one and swaps it in only once it is on
// disk, so a failure at any point leaves the old file as it was. The old file
// stays as options.dat.bak. Returns 0, or the system's error number.
int WriteOptionsFile(const uint8_t* image) {
    FileDelete(kOptionsTemp);
    errno = 0;
    FileHandle file = FileCreate(kOptionsTemp);
    if (file == INVALID_FILE) {
        return errno != 0 ? errno : EIO;
    }
    bool ok = FileWrite(file, image, kOptionsBytes) == kOptionsBytes && CopyTail(file) &&
              FileFlush(file) == 1;
    int error = errno;
    FileClose(file);
    if (ok) {
        errno = 0;
        ok = FileReplace(kOptionsTemp, kOptionsFile, kOptionsBackup) == 1;
        error = errno;
    }
    if (!ok) {
        FileDelete(kOptionsTemp);
        return error != 0 ? error : EIO;
    }
    return 0;
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
    notice.clear();
    damagedInPlace = false;
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
    notice.clear();
    damagedInPlace = false;

    errno = 0;
    FileHandle file = FileOpen(kOptionsFile);
    if (file == INVALID_FILE) {
        if (errno == ENOENT) {
            LogPrintf("Cannot find options.dat file");
            return 0;
        }
        LogPrintf("ERROR: options.dat cannot be opened: %s", std::strerror(errno));
        KeepDamagedFile();
        return 0;
    }

    // What a read cannot fill stays zero; a file that ends early, or cannot
    // be read (a folder in its place), is damaged and kept aside.
    uint8_t signature[kSignatureBytes] = {};
    uint32_t got = FileRead(file, signature, kSignatureBytes);
    auto* text = reinterpret_cast<const char*>(signature);
    size_t textLength = strnlen(text, kSignatureBytes - 1);  // byte 31 is never part of it
    if (std::string_view(text, textLength) != kSignature) {
        LogPrintf("wrong signature: %.*s", static_cast<int>(textLength), text);
        FileClose(file);
        KeepDamagedFile();
        return 0;
    }

    uint8_t version[4] = {};
    got += FileRead(file, version, 4);
    if (Get32(version) != kOptionsVersion) {
        LogPrintf("wrong version: %d", static_cast<int>(Get32(version)));
        FileClose(file);
        KeepDamagedFile();
        return 0;
    }

    uint8_t storedPlayer = 0;
    got += FileRead(file, &storedPlayer, 1);

    uint8_t image[kRosterBytes] = {};
    got += FileRead(file, image, kRosterBytes);
    FileClose(file);
    if (got != kOptionsBytes) {
        LogPrintf("ERROR: options.dat holds %u of its %u bytes", got, kOptionsBytes);
        KeepDamagedFile();
        return 0;
    }
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

std::string TakeOptionsNotice() {
    std::string told;
    told.swap(notice);
    return told;
}

uint32_t SaveOptions() {
    uint8_t image[kOptionsBytes] = {};
    std::memcpy(image, kSignature, std::strlen(kSignature));
    image[31] = 0x1A;
    Put32(image + 32, kOptionsVersion);
    image[36] = static_cast<uint8_t>(currentPlayer);
    EncodeRoster(image + 37);

    std::string reason;
    if (damagedInPlace) {
        reason = "The damaged file is kept as it is.";
    } else if (const int error = WriteOptionsFile(image); error != 0) {
        reason = SaveFailureReason(error);
    } else {
        return 1;
    }
    LogPrintf("Unable to save options.dat");
    LogPrintf("ERROR: options.dat not saved: %s", reason.c_str());
    if (DialogsCanShow()) {
        MessageDialog(("Unable to save options.dat.|" + reason).c_str(), "Okay");
    }
    return 0;
}
