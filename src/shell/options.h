#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One saved game: 84 bytes on disk, little-endian, in this field order.
struct PlayerRecord {
    char name[32];           // zero-terminated when intact; see PlayerName
    int32_t money;           // dollars, kept at 0 or above
    uint8_t goalCount;       // set bits among the low 12 of goalBitsA and goalBitsB
    uint8_t musicOn;         // 1: music plays
    int8_t volume;           // master volume in percent, 0 to 100
    uint8_t extraBytes[3];   // cleared when a game is reset; nothing else uses them
    uint8_t reserved42[2];   // kept as stored
    uint16_t goalBitsA;      // 12 flag bits
    uint16_t goalBitsB;      // 12 flag bits
    uint8_t reserved48[16];  // kept as stored
    uint16_t items[9];       // belongings, indexed by the kItem constants
    uint8_t reserved82[2];   // kept as stored
};

// Indexes of PlayerRecord::items.
constexpr int kItemDecoys = 0;
constexpr int kItemLicence = 1;
constexpr int kItemCall1 = 2;  // calls 1 to 3 are 2, 3, 4
constexpr int kItemShells = 5;
constexpr int kItemGun1 = 6;  // guns 1 to 3 are 6, 7, 8, holding 1, 2 and 3 shells
constexpr int kItemCount = 9;

constexpr int kRosterSize = 10;
constexpr uint32_t kPlayerRecordBytes = 84;
constexpr uint32_t kOptionsVersion = 4176;
constexpr uint32_t kOptionsBytes = 32 + 4 + 1 + kRosterSize * kPlayerRecordBytes;  // 877
static_assert(kOptionsBytes == 877);

// The saved games in stored order, the index of the current one, and the
// current record itself (always &roster[currentPlayer]).
extern std::array<PlayerRecord, kRosterSize> roster;
extern uint32_t currentPlayer;
extern PlayerRecord* player;

// What a new game starts with: $15, a box of 25 shells and the pump gun (gun
// 1), music on; a fresh record also has full volume.
constexpr int32_t kNewGameMoney = 15;
constexpr uint16_t kNewGameShells = 25;
constexpr int kNewGameGun = kItemGun1;
constexpr int8_t kNewGameVolume = 100;

// A record of the fresh roster: a new game at full volume; named "Your Name"
// when `named`, else free.
PlayerRecord FreshPlayerRecord(bool named);

// Starts the record's game over with the new game's kit, goals and belongings
// cleared, music on; the name, the volume and the reserved bytes stay.
void StartNewGame(PlayerRecord* record);

// The fresh roster (only record 0 named) with record 0 current; what the last
// LoadOptions found damaged is forgotten.
void ResetRoster();

// The name up to its terminating zero, never past the 32-byte field.
std::string_view PlayerName(const PlayerRecord& record);

// A record whose first name byte, taken as signed, is below 33 holds no game.
bool IsFreeRecord(const PlayerRecord& record);

// The set bits among the low 12 of goalBitsA and of goalBitsB.
uint8_t CountGoals(const PlayerRecord& record);

// Field-by-field conversion to and from the 84 stored bytes.
void EncodePlayerRecord(const PlayerRecord& record, uint8_t* out);
void DecodePlayerRecord(const uint8_t* in, PlayerRecord* record);

// Reads "options.dat" from the current directory over the fresh roster.
// Returns 1 when the file was read, 0 otherwise. A file that is there but
// cannot be read as saved games (wrong signature or version, cut short,
// unreadable, a folder) is first moved aside as "options.dat.damaged" (or
// "-2", "-3", ... when taken), so that no save writes over it.
uint32_t LoadOptions();

// What the player is to be told about the file the last LoadOptions found
// damaged, as dialog lines; "" when nothing, and "" from the second call on.
std::string TakeOptionsNotice();

// Writes "options.dat" in one step: the old file stays whole until the new one
// is completely on disk, and then stays as "options.dat.bak". Returns 1 when
// saved; a failure is logged with its reason and, when the display is up,
// shown in a message box, and returns 0.
uint32_t SaveOptions();
