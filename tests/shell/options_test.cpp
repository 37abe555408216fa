#include "shell/options.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "support/temp_dir.h"

namespace {

using OptionsTest = ScratchTest;

std::string Header(uint8_t current, uint32_t version = 4176) {
    std::string header(37, '\0');
    std::memcpy(header.data(), "Talmadge Reed Gunner Options", 28);
    header[31] = '\x1A';
    for (int i = 0; i < 4; ++i) {
        header[32 + i] = static_cast<char>(version >> (8 * i));
    }
    header[36] = static_cast<char>(current);
    return header;
}

// Ten records of assorted bytes, reserved fields and unterminated names included.
std::string NoisyRoster() {
    std::string records(840, '\0');
    uint32_t state = 12345;
    for (char& byte : records) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return records;
}

// The ten records as options.dat holds them: the roster's, or a fresh roster's.
std::string RosterBytes(bool fresh = false) {
    std::string bytes(840, '\0');
    for (int i = 0; i < kRosterSize; ++i) {
        EncodePlayerRecord(fresh ? FreshPlayerRecord(i == 0) : roster[i],
                           reinterpret_cast<uint8_t*>(bytes.data()) + i * kPlayerRecordBytes);
    }
    return bytes;
}

TEST_F(OptionsTest, RoundTripIsByteForByte) {
    const std::string file = Header(7) + NoisyRoster();
    WriteBytes("options.dat", file);
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(currentPlayer, 7u);
    EXPECT_EQ(player, &roster[7]);
    EXPECT_EQ(RosterBytes(), NoisyRoster());

    SaveOptions();
    EXPECT_EQ(ReadBytes("options.dat"), file);
    ResetRoster();
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(RosterBytes(), NoisyRoster());
    EXPECT_EQ(LogText(), "");
}

TEST_F(OptionsTest, FieldsSitAtTheirOffsets) {
    std::string file = Header(2) + RosterBytes(true);
    char* record = file.data() + 37 + 2 * 84;
    std::memcpy(record, "Ada", 4);
    record[32] = '\x10';  // money 0x2710 = 10000, little-endian
    record[33] = '\x27';
    record[37] = 0;       // music off
    record[38] = 55;      // volume
    record[44] = '\x05';  // goal bits A
    record[47] = '\x08';  // goal bits B high byte
    record[74] = '\x00';  // shells 0x0400 = 1024
    record[75] = '\x04';
    record[80] = 1;  // gun 3
    WriteBytes("options.dat", file);
    ASSERT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(PlayerName(*player), "Ada");
    EXPECT_EQ(player->money, 10000);
    EXPECT_EQ(player->musicOn, 0);
    EXPECT_EQ(player->volume, 55);
    EXPECT_EQ(player->goalBitsA, 5);
    EXPECT_EQ(player->goalBitsB, 0x0800);
    EXPECT_EQ(player->items[kItemShells], 1024);
    EXPECT_EQ(player->items[kItemGun1 + 2], 1);
    EXPECT_EQ(player->items[kItemGun1], 1);
}

TEST_F(OptionsTest, MissingFileKeepsTheFreshRosterAndSaveCreatesIt) {
    roster[0].musicOn = 0;
    roster[0].volume = 3;
    EXPECT_EQ(LoadOptions(), 0u);
    EXPECT_EQ(LogText(), "Cannot find options.dat file\r\n");
    EXPECT_EQ(roster[0].musicOn, 1);
    EXPECT_EQ(roster[0].volume, 100);
    EXPECT_EQ(PlayerName(roster[0]), "Your Name");
    EXPECT_TRUE(IsFreeRecord(roster[1]));
    EXPECT_EQ(roster[9].money, 15);
    EXPECT_EQ(roster[9].items[kItemShells], 25);

    SaveOptions();
    EXPECT_EQ(ReadBytes("options.dat"), Header(0) + RosterBytes(true));
    bool tempLeft = true;
    ReadBytes("options.dat.tmp", &tempLeft);
    EXPECT_FALSE(tempLeft);
}

TEST_F(OptionsTest, UnreadableFilesAreKeptAsideAndTheFreshRosterFollows) {
    // Each damage in turn, kept under the next free name, byte for byte.
    std::string signature = Header(3) + NoisyRoster();
    std::memset(signature.data(), 'A', 32);  // no zero byte: the text is bounded to the field
    struct Damage {
        std::string bytes;
        const char* logged;
    };
    const Damage damages[] = {
        {signature, "wrong signature: AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\r\n"},
        {Header(3, 4177) + NoisyRoster(), "wrong version: 4177\r\n"},
        {"", "wrong signature: \r\n"},
        {(Header(1) + NoisyRoster()).substr(0, 876), "holds 876 of its 877 bytes\r\n"},
        {Header(1).substr(0, 36), "holds 36 of its 877 bytes\r\n"},
    };
    const char* kept[] = {"options.dat.damaged", "options.dat.damaged-2", "options.dat.damaged-3",
                          "options.dat.damaged-4", "options.dat.damaged-5"};
    for (size_t i = 0; i < std::size(damages); ++i) {
        WriteBytes("options.dat", damages[i].bytes);
        EXPECT_EQ(LoadOptions(), 0u) << i;
        EXPECT_NE(LogText().find(damages[i].logged), std::string::npos) << i << LogText();
        EXPECT_NE(LogText().find(std::string("it was kept as ") + kept[i] + "\r\n"),
                  std::string::npos)
            << i;
        EXPECT_EQ(RosterBytes(), RosterBytes(true)) << i;
        EXPECT_EQ(currentPlayer, 0u) << i;
        bool there = true;
        EXPECT_EQ(ReadBytes(kept[i], &there), damages[i].bytes) << i;
        EXPECT_TRUE(there) << i;
        ReadBytes("options.dat", &there);
        EXPECT_FALSE(there) << i << ": nothing may be saved over it";
        EXPECT_EQ(TakeOptionsNotice(), std::string("Your saved games could not be read.|The "
                                                   "file was kept as|") +
                                           kept[i] + ".")
            << i;
        EXPECT_EQ(TakeOptionsNotice(), "") << "told once";
    }

    // A folder in its place moves aside too; the fresh roster is then saved
    // without touching what was kept.
    WriteBytes("options.dat/inside", "a folder");
    EXPECT_EQ(LoadOptions(), 0u);
    EXPECT_EQ(ReadBytes("options.dat.damaged-6/inside"), "a folder");
    EXPECT_EQ(SaveOptions(), 1u);
    EXPECT_EQ(ReadBytes("options.dat"), Header(0) + RosterBytes(true));
    EXPECT_EQ(ReadBytes(kept[0]), damages[0].bytes);
    EXPECT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(TakeOptionsNotice(), "");

    // A named pipe in its place is refused at once, not waited on for ever,
    // and moves aside like the rest.
    ASSERT_EQ(std::remove("options.dat"), 0);
    ASSERT_EQ(mkfifo("options.dat", 0644), 0);
    EXPECT_EQ(LoadOptions(), 0u);
    EXPECT_NE(LogText().find("ERROR: options.dat is not a regular file\r\n"), std::string::npos);
    struct stat pipe {};
    ASSERT_EQ(stat("options.dat.damaged-7", &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
    EXPECT_NE(TakeOptionsNotice(), "");
    EXPECT_EQ(SaveOptions(), 1u);
    EXPECT_EQ(ReadBytes("options.dat"), Header(0) + RosterBytes(true));
}

TEST_F(OptionsTest, ADamagedFileThatCannotBeMovedAsideIsNeverSavedOver) {
    for (int n = 1; n <= 999; ++n) {
        WriteBytes(n == 1 ? "options.dat.damaged" : "options.dat.damaged-" + std::to_string(n), "");
    }
    WriteBytes("options.dat", "damaged");
    EXPECT_EQ(LoadOptions(), 0u);
    EXPECT_NE(TakeOptionsNotice().find("could not be moved aside"), std::string::npos);
    EXPECT_EQ(SaveOptions(), 0u);
    EXPECT_EQ(ReadBytes("options.dat"), "damaged");
    EXPECT_EQ(LogCount("Unable to save options.dat\r\n"), 1);
}

TEST_F(OptionsTest, EachSaveKeepsTheFileBeforeItAsTheBackup) {
    // The backup is the old file itself under a second name, not a copy.
    const std::string first = Header(4) + NoisyRoster() + "tail";
    WriteBytes("options.dat", first);
    ASSERT_EQ(LoadOptions(), 1u);
    struct stat old {};
    ASSERT_EQ(stat("options.dat", &old), 0);
    player->money = 99;
    ASSERT_EQ(SaveOptions(), 1u);
    const std::string second = ReadBytes("options.dat");
    EXPECT_NE(second, first);
    EXPECT_EQ(ReadBytes("options.dat.bak"), first);
    struct stat backup {};
    ASSERT_EQ(stat("options.dat.bak", &backup), 0);
    EXPECT_EQ(backup.st_ino, old.st_ino);
    EXPECT_EQ(backup.st_nlink, 1u);

    player->money = 7;
    ASSERT_EQ(SaveOptions(), 1u);
    EXPECT_EQ(ReadBytes("options.dat.bak"), second);
    EXPECT_EQ(LogText(), "");
}

TEST_F(OptionsTest, Byte31IsNotLookedAt) {
    std::string file = Header(1) + NoisyRoster();
    file[31] = 'Z';
    file[30] = '\0';
    WriteBytes("options.dat", file);
    EXPECT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(currentPlayer, 1u);
}

TEST_F(OptionsTest, LongerFileKeepsItsTailAfterSave) {
    const std::string tail(10000, '\x5A');
    WriteBytes("options.dat", Header(4) + NoisyRoster() + tail);
    ASSERT_EQ(LoadOptions(), 1u);
    player->money = 99;
    SaveOptions();
    std::string saved = ReadBytes("options.dat");
    ASSERT_EQ(saved.size(), 877u + tail.size());
    EXPECT_EQ(saved.substr(877), tail);
    EXPECT_EQ(saved.substr(37 + 4 * 84 + 32, 4), std::string("\x63\0\0\0", 4));
}

TEST_F(OptionsTest, CurrentPlayerBeyondTheRosterMeansRecordZero) {
    WriteBytes("options.dat", Header(200) + NoisyRoster());
    EXPECT_EQ(LoadOptions(), 1u);
    EXPECT_EQ(currentPlayer, 0u);
    EXPECT_EQ(player, &roster[0]);
    EXPECT_EQ(LogText(), "ERROR: options.dat current player 200 names no record, using 0\r\n");
    WriteBytes("options.dat", Header(10) + NoisyRoster());
    LoadOptions();
    EXPECT_EQ(currentPlayer, 0u);
    WriteBytes("options.dat", Header(9) + NoisyRoster());
    LoadOptions();
    EXPECT_EQ(currentPlayer, 9u);
}

TEST_F(OptionsTest, NamesNeverReachPastTheirField) {
    PlayerRecord record = FreshPlayerRecord(false);
    std::memset(record.name, 'N', sizeof record.name);
    EXPECT_EQ(PlayerName(record), std::string(32, 'N'));
    EXPECT_FALSE(IsFreeRecord(record));
    record.name[0] = ' ';
    EXPECT_TRUE(IsFreeRecord(record));
    record.name[0] = static_cast<char>(0xC8);
    EXPECT_TRUE(IsFreeRecord(record)) << "bytes of 128 and up count as free";
    record.name[0] = '!';
    EXPECT_FALSE(IsFreeRecord(record));
}

class FailedSaveTest : public OptionsTest {
protected:
    const std::string oldFile = Header(5) + NoisyRoster() + std::string(4000, 'T');

    void SetUp() override {
        OptionsTest::SetUp();
        WriteBytes("options.dat", oldFile);
        ASSERT_EQ(LoadOptions(), 1u);
        player->money = 1;
    }

    void ExpectOldFileUntouched() {
        EXPECT_EQ(ReadBytes("options.dat"), oldFile);
        EXPECT_NE(LogText().find("Unable to save options.dat\r\n"), std::string::npos);
        bool tempLeft = true;
        ReadBytes("options.dat.tmp", &tempLeft);
        EXPECT_FALSE(tempLeft) << "no half-written file is left behind";
    }

    // Runs SaveOptions with the process allowed to write files of at most `bytes`.
    static void SaveWithFileSizeLimit(rlim_t bytes) {
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
        SaveOptions();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};

TEST_F(FailedSaveTest, WriteFailingInTheRecordsOrInTheTailLeavesTheOldFile) {
    for (rlim_t limit : {500, 2000}) {
        SaveWithFileSizeLimit(limit);
        ExpectOldFileUntouched();
    }
    EXPECT_EQ(LogCount("Unable to save options.dat"), 2) << "each failure says so";
    EXPECT_EQ(LogCount("ERROR: options.dat not saved: File too large.\r\n"), 2);
}

TEST_F(FailedSaveTest, UncreatableTemporaryFileLeavesTheOldFile) {
    WriteBytes("options.dat.tmp/occupied", "a folder in the way");
    EXPECT_EQ(SaveOptions(), 0u);
    EXPECT_EQ(ReadBytes("options.dat"), oldFile);
    EXPECT_EQ(LogText(),
              "Unable to save options.dat\r\nERROR: options.dat not saved: Is a directory.\r\n");
}

}  // namespace
