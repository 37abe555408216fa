// The saved games through real play, each run by the script runner: a damaged
// options.dat is kept and the player told, a session killed at random moments
// always leaves a roster it had, and a save that fails is shown and ends the
// game with status 1, the old file whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/game_fixture.h"
#include "shell/options.h"
#include "support/small_disk.h"
#include "support/snap_pixels.h"

namespace {

// Where the damaged file's box stands on the roster.
constexpr int kBoxX = 140, kBoxY = 160, kBoxW = 360, kBoxH = 160;

// The roster as options.dat holds it, fresh.
std::string FreshFile() {
    ResetRoster();
    std::string bytes(kOptionsBytes, '\0');
    std::memcpy(bytes.data(), "Talmadge Reed Gunner Options", 28);
    bytes[31] = '\x1A';
    bytes[32] = '\x50';
    bytes[33] = '\x10';
    for (int i = 0; i < kRosterSize; ++i) {
        EncodePlayerRecord(roster[i], reinterpret_cast<uint8_t*>(bytes.data()) + 37 + 84 * i);
    }
    return bytes;
}

// Starts `program` with `args` in `folder`, its output into `folder`/out.
pid_t Start(const std::string& folder, const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open((folder + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (chdir(folder.c_str()) != 0 || out < 0) {
            _exit(126);
        }
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status, or -1 when the process did not exit by itself.
int Finish(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// What a damaged file's run sees: the box, then the roster without it, and
// again after the main screen (told once). The pointer stays out of the box.
constexpr const char* kToldScript =
    "until screen 0\nwait 100\nmove 600 40\nwait 50\nsnap told\nclick 318 285\nwait 100\n"
    "move 600 40\nwait 50\nsnap after\nclick 40 450\nuntil screen 1\nwait 200\n"
    "click 560 433\nuntil screen 0 2000\nwait 100\nmove 600 40\nwait 50\nsnap again\nclose\n";
// A file that loads: the roster is shown and the game closed.
constexpr const char* kQuietScript = "until screen 0\nwait 100\nclose\n";

enum class Shape { Byte, Cut, Longer, Folder, LinkToItself };

struct Corruption {
    const char* what;
    Shape shape;
    int at;         // the byte changed, or the length cut to
    uint8_t value;  // the changed byte's new value
    bool kept;      // moved aside; otherwise loaded as it is
};

constexpr int kRecord2 = 37 + 2 * 84;  // the current player's record in the real file

constexpr Corruption kCorruptions[] = {
    {"the signature's first letter", Shape::Byte, 0, 't', true},
    {"the signature's last letter", Shape::Byte, 27, 'S', true},
    {"the zero ending the signature", Shape::Byte, 28, 'x', true},
    {"a zero past the signature's end", Shape::Byte, 30, 'x', false},
    {"byte 31", Shape::Byte, 31, 'Z', false},
    {"the version's low byte", Shape::Byte, 32, 0x51, true},
    {"the version's high byte", Shape::Byte, 35, 0x01, true},
    {"the current player, 9", Shape::Byte, 36, 9, false},
    {"the current player, 200", Shape::Byte, 36, 200, false},
    {"a name's first letter", Shape::Byte, kRecord2, 'Q', false},
    {"a name's zero", Shape::Byte, kRecord2 + 3, 'x', false},
    {"a name made free", Shape::Byte, kRecord2, ' ', false},
    {"the money's top byte", Shape::Byte, kRecord2 + 35, 0x80, false},
    {"the music switch", Shape::Byte, kRecord2 + 37, 7, false},
    {"the volume", Shape::Byte, kRecord2 + 38, 0xF0, false},
    {"the goal bits", Shape::Byte, kRecord2 + 45, 0xFF, false},
    {"a reserved byte", Shape::Byte, kRecord2 + 50, 0x33, false},
    {"the shells", Shape::Byte, kRecord2 + 75, 0xFF, false},
    {"gun 3", Shape::Byte, kRecord2 + 80, 2, false},
    {"the last byte", Shape::Byte, 876, 0x42, false},
    {"an empty file", Shape::Cut, 0, 0, true},
    {"cut in the signature", Shape::Cut, 12, 0, true},
    {"cut after the signature", Shape::Cut, 32, 0, true},
    {"cut after the version", Shape::Cut, 36, 0, true},
    {"cut in the first record", Shape::Cut, 100, 0, true},
    {"one byte short", Shape::Cut, 876, 0, true},
    {"a longer file", Shape::Longer, 300, 0x5A, false},
    {"a folder", Shape::Folder, 0, 0, true},
    {"a link to itself", Shape::LinkToItself, 0, 0, true},
};

TEST_F(GameTest, ADamagedRosterFileIsKeptAndTheFreshRosterFollows) {
    UseData(kDataRoot);
    // A real file: three games played a little, the third current.
    ResetRoster();
    for (int i = 0; i < 3; ++i) {
        roster[i] = FreshPlayerRecord(false);
        std::snprintf(roster[i].name, sizeof roster[i].name, "Hunter %d", i);
        roster[i].money = 1234 * (i + 1);
        roster[i].volume = static_cast<int8_t>(30 + i);
        roster[i].musicOn = static_cast<uint8_t>(i % 2);
        roster[i].goalBitsA = static_cast<uint16_t>(0x101 << i);
        roster[i].items[kItemDecoys] = 1;
        roster[i].items[kItemLicence] = static_cast<uint16_t>(i % 2);
        roster[i].items[kItemShells] = static_cast<uint16_t>(300 + i);
    }
    currentPlayer = 2;
    player = &roster[2];
    ASSERT_EQ(SaveOptions(), 1u);
    const std::string real = ReadBytes("options.dat");
    ASSERT_EQ(real.size(), kOptionsBytes);
    const std::string fresh = FreshFile();
    WriteBytes("told.txt", kToldScript);
    WriteBytes("quiet.txt", kQuietScript);

    int kept = 0;
    int loaded = 0;
    for (size_t n = 0; n < std::size(kCorruptions); ++n) {
        const Corruption& c = kCorruptions[n];
        const std::string run = dir + "case-" + std::to_string(n) + "/";
        fs::create_directories(run + "snaps");
        std::string bytes = real;
        switch (c.shape) {
            case Shape::Byte:
                bytes[static_cast<size_t>(c.at)] = static_cast<char>(c.value);
                WriteBytes(run + "options.dat", bytes);
                break;
            case Shape::Cut:
                bytes.resize(static_cast<size_t>(c.at));
                WriteBytes(run + "options.dat", bytes);
                break;
            case Shape::Longer:
                bytes += std::string(static_cast<size_t>(c.at), static_cast<char>(c.value));
                WriteBytes(run + "options.dat", bytes);
                break;
            case Shape::Folder:
                WriteBytes(run + "options.dat/inside", "a folder");
                break;
            case Shape::LinkToItself:
                ASSERT_EQ(symlink("options.dat", (run + "options.dat").c_str()), 0);
                break;
        }
        const std::string script = dir + (c.kept ? "told.txt" : "quiet.txt");
        ASSERT_EQ(Finish(Start(run, {REEDGUNNER_SCRIPT_BIN, script, "snaps"})), 0)
            << c.what << ": " << ReadBytes(run + "out");
        const std::string log = LogText();
        bool there = false;
        const std::string damaged = ReadBytes(run + "options.dat.damaged", &there);
        if (!c.kept) {
            // Read as saved games: the save on the way out kept it as the backup.
            ++loaded;
            EXPECT_EQ(ReadBytes(run + "options.dat.bak"), bytes) << c.what;
            EXPECT_FALSE(there) << c.what;
            const std::string saved = ReadBytes(run + "options.dat");
            ASSERT_EQ(saved.size(), bytes.size()) << c.what;
            // The records as read, but for the goal count the roster recounts.
            std::string records = saved.substr(37);
            std::string read = bytes.substr(37);
            for (size_t at = 36; at < kRosterSize * kPlayerRecordBytes; at += 84) {
                records[at] = read[at] = 0;
            }
            EXPECT_EQ(records, read) << c.what;
            const uint8_t current = c.at != 36              ? static_cast<uint8_t>(real[36])
                                    : c.value < kRosterSize ? c.value
                                                            : 0;
            EXPECT_EQ(static_cast<uint8_t>(saved[36]), current) << c.what;
            EXPECT_EQ(log.find("kept as"), std::string::npos) << c.what;
            continue;
        }
        ++kept;
        EXPECT_NE(log.find("it was kept as options.dat.damaged\r\n"), std::string::npos)
            << c.what << "\n"
            << log;
        struct stat aside {};
        ASSERT_EQ(lstat((run + "options.dat.damaged").c_str(), &aside), 0) << c.what;
        if (c.shape == Shape::Folder) {
            EXPECT_EQ(ReadBytes(run + "options.dat.damaged/inside"), "a folder");
        } else if (c.shape == Shape::LinkToItself) {
            EXPECT_TRUE(S_ISLNK(aside.st_mode)) << c.what;
        } else {
            EXPECT_TRUE(there) << c.what;
            EXPECT_EQ(damaged, bytes) << c.what;
        }
        EXPECT_EQ(ReadBytes(run + "options.dat"), fresh) << c.what << ": the fresh roster";
        // The box is up once, over the fresh roster, and then never again.
        const auto told = SnapRgb(ReadBytes(run + "snaps/told.png"));
        const auto after = SnapRgb(ReadBytes(run + "snaps/after.png"));
        const auto again = SnapRgb(ReadBytes(run + "snaps/again.png"));
        EXPECT_GT(SnapDiffer(told, after, kBoxX, kBoxY, kBoxW, kBoxH), 20000) << c.what;
        EXPECT_EQ(SnapDiffer(after, again, kBoxX, kBoxY, kBoxW, kBoxH), 0) << c.what;
    }
    std::printf("[ saves ] %d damaged files tried: %d kept aside, %d loaded as they are\n",
                kept + loaded, kept, loaded);
}

TEST_F(GameTest, PlayKilledAtRandomMomentsLeavesARosterThePlayHad) {
    UseData(kDataRoot);
    ResetRoster();
    roster[0].money = 40;
    ASSERT_EQ(SaveOptions(), 1u);
    const std::string start = ReadBytes("options.dat");
    const std::string script = Script("kill_script.txt");

    // Once uninterrupted with a journal of every save: the rosters it had.
    fs::create_directories("record");
    WriteBytes("record/options.dat", start);
    ASSERT_EQ(Finish(Start(dir + "record", {REEDGUNNER_SAVE_JOURNAL_BIN, script, "journal"})), 0)
        << ReadBytes("record/out");
    const std::string journal = ReadBytes("record/journal");
    ASSERT_EQ(journal.size() % kOptionsBytes, 0u);
    const size_t saves = journal.size() / kOptionsBytes;
    // Each change saved as it happened: Kim's game (record 1) and the first one's volume.
    const struct {
        const char* change;
        uint8_t current;
        int32_t money;
        uint8_t musicOn;
        uint16_t decoys, shells;
        int8_t firstVolume;
    } kSaves[] = {
        {"a new game", 1, 15, 1, 0, 25, 100},
        {"music off", 1, 15, 0, 0, 25, 100},
        {"decoys bought", 1, 10, 0, 1, 25, 100},
        {"the club's fee", 1, 0, 0, 1, 25, 100},
        {"the day judged: a shell spent, a fine not paid", 1, 0, 0, 1, 24, 100},
        {"the game over", 1, 15, 1, 0, 25, 100},
        {"the first game chosen", 0, 15, 1, 0, 25, 100},
        {"its volume", 0, 15, 1, 0, 25, 50},
        {"a day left at once", 0, 15, 1, 0, 25, 50},
        {"the way out", 0, 15, 1, 0, 25, 50},
    };
    ASSERT_EQ(saves, std::size(kSaves));
    for (size_t i = 0; i < saves; ++i) {
        const auto* image = reinterpret_cast<const uint8_t*>(journal.data()) + i * kOptionsBytes;
        PlayerRecord first{};
        PlayerRecord kim{};
        DecodePlayerRecord(image + 37, &first);
        DecodePlayerRecord(image + 37 + 84, &kim);
        const auto& want = kSaves[i];
        EXPECT_EQ(PlayerName(kim), "Kim ") << want.change;
        EXPECT_EQ(image[36], want.current) << want.change;
        EXPECT_EQ(kim.money, want.money) << want.change;
        EXPECT_EQ(kim.musicOn, want.musicOn) << want.change;
        EXPECT_EQ(kim.items[kItemDecoys], want.decoys) << want.change;
        EXPECT_EQ(kim.items[kItemShells], want.shells) << want.change;
        EXPECT_EQ(first.volume, want.firstVolume) << want.change;
        EXPECT_EQ(first.money, 40) << want.change;
    }
    std::map<std::string, size_t> order;
    order[start] = 0;
    for (size_t i = 0; i < saves; ++i) {
        order.emplace(journal.substr(i * kOptionsBytes, kOptionsBytes), i + 1);
    }

    // The real runner plays the same game to the same end, four sessions at a
    // time as they are killed below: the longest gives the span of the kills.
    constexpr int kLanes = 4;
    std::array<pid_t, kLanes> whole{};
    const auto began = std::chrono::steady_clock::now();
    for (int i = 0; i < kLanes; ++i) {
        const std::string folder = dir + "whole-" + std::to_string(i) + "/";
        fs::create_directories(folder);
        WriteBytes(folder + "options.dat", start);
        whole[i] = Start(folder, {REEDGUNNER_SCRIPT_BIN, script});
    }
    for (int i = 0; i < kLanes; ++i) {
        const std::string folder = dir + "whole-" + std::to_string(i) + "/";
        ASSERT_EQ(Finish(whole[i]), 0) << ReadBytes(folder + "out");
        EXPECT_EQ(ReadBytes(folder + "options.dat"),
                  journal.substr(journal.size() - kOptionsBytes));
    }
    const auto session = std::chrono::steady_clock::now() - began;

    // Sessions killed each at a moment of its own.
    std::mt19937 random(21);
    const auto sessionUs = std::chrono::duration_cast<std::chrono::microseconds>(session).count();
    std::uniform_int_distribution<long> delayUs(0, sessionUs + sessionUs / 10);
    std::map<size_t, int> found;
    int kills = 0;
    int tempLeft = 0;
    const auto killing = std::chrono::steady_clock::now();
    while (kills < 300 &&
           (kills < 200 || std::chrono::steady_clock::now() - killing < std::chrono::seconds(15))) {
        struct Lane {
            std::string folder;
            long delay;
            pid_t pid;
        };
        std::array<Lane, kLanes> lanes;
        for (size_t i = 0; i < lanes.size(); ++i) {
            lanes[i] = {dir + "kill-" + std::to_string(i) + "/", delayUs(random), 0};
        }
        std::sort(lanes.begin(), lanes.end(),
                  [](const Lane& a, const Lane& b) { return a.delay < b.delay; });
        for (Lane& lane : lanes) {
            fs::remove_all(lane.folder);
            fs::create_directories(lane.folder);
            WriteBytes(lane.folder + "options.dat", start);
            lane.pid = Start(lane.folder, {REEDGUNNER_SCRIPT_BIN, script});
            ASSERT_GT(lane.pid, 0);
        }
        const auto started = std::chrono::steady_clock::now();
        for (Lane& lane : lanes) {
            std::this_thread::sleep_until(started + std::chrono::microseconds(lane.delay));
            kill(lane.pid, SIGKILL);
            Finish(lane.pid);
        }
        for (const Lane& lane : lanes) {
            ++kills;
            bool there = false;
            const std::string saved = ReadBytes(lane.folder + "options.dat", &there);
            ASSERT_TRUE(there) << "kill " << kills;
            const auto at = order.find(saved);
            ASSERT_NE(at, order.end()) << "kill " << kills << ": a roster the play never had ("
                                       << saved.size() << " bytes)";
            ++found[at->second];
            const std::string backup = ReadBytes(lane.folder + "options.dat.bak", &there);
            EXPECT_TRUE(!there || order.count(backup) == 1) << "kill " << kills;
            ReadBytes(lane.folder + "options.dat.damaged", &there);
            EXPECT_FALSE(there) << "kill " << kills;
            ReadBytes(lane.folder + "options.dat.tmp", &there);
            tempLeft += there ? 1 : 0;
        }
    }
    std::string spread;
    for (const auto& [save, count] : found) {
        spread += " " + std::to_string(save) + ":" + std::to_string(count);
    }
    std::printf(
        "[ saves ] %d kills of a %.2f s session of %zu saves, %d inside a save; "
        "found (save:kills)%s\n",
        kills, std::chrono::duration<double>(session).count(), saves, tempLeft, spread.c_str());
    EXPECT_GE(found.size(), saves / 2) << "the kills fell all over the session";
}

// The folder of the saves refuses them: full or read-only.
enum class Refusal { FullDisk, ReadOnly };

// Plays the failed save's script in `run`, whose disk refuses saves, in a
// child of its own mount namespace; sends back the runner's exit status and
// whether options.dat there is still `old`, with no temporary file left. An
// exit status of 77 means no disk could be mounted.
std::string PlayOnARefusingDisk(const std::string& run, Refusal refusal, const std::string& old,
                                const std::string& script) {
    int ends[2];
    if (pipe(ends) != 0) {
        return "no pipe";
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        std::string out;
        const std::string disk = run + "disk";
        mkdir(disk.c_str(), 0755);
        if (!MountSmallDisk(disk)) {
            _exit(77);
        }
        const int fd = open((disk + "/options.dat").c_str(), O_WRONLY | O_CREAT, 0644);
        const bool written =
            fd >= 0 && write(fd, old.data(), old.size()) == static_cast<ssize_t>(old.size());
        close(fd);
        const bool refusing = chdir(disk.c_str()) == 0 && written &&
                              (refusal == Refusal::FullDisk ? FillDisk() : MakeDiskReadOnly(disk));
        if (!refusing) {
            _exit(78);
        }
        const pid_t game = fork();
        if (game == 0) {
            const int log = open((run + "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
            alarm(60);  // a box nobody answers must not hang the suite
            execl(REEDGUNNER_SCRIPT_BIN, REEDGUNNER_SCRIPT_BIN, script.c_str(),
                  (run + "snaps").c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        out = "exit " + std::to_string(Finish(game));
        bool there = false;
        std::ifstream in("options.dat", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        out += bytes.str() == old ? "; old file whole" : "; old file changed";
        there = access("options.dat.tmp", F_OK) == 0;
        out += there ? "; temporary file left" : "";
        const ssize_t sent = write(ends[1], out.data(), out.size());
        _exit(sent == static_cast<ssize_t>(out.size()) ? 0 : 1);
    }
    close(ends[1]);
    std::string got;
    char chunk[256];
    for (ssize_t n; (n = read(ends[0], chunk, sizeof chunk)) > 0;) {
        got.append(chunk, static_cast<size_t>(n));
    }
    close(ends[0]);
    const int status = Finish(pid);
    return status == 0 ? got : "status " + std::to_string(status);
}

TEST_F(GameTest, ASaveThatFailsIsShownAndTheWayOutEndsWithStatusOne) {
    UseData(kDataRoot);
    ResetRoster();
    roster[0].money = 77;
    ASSERT_EQ(SaveOptions(), 1u);
    const std::string old = ReadBytes("options.dat");
    // The music switch is a change: its save fails and says why; Okay. The
    // way out fails again and says so before the game ends.
    WriteBytes("failing.txt",
               "until screen 0\nwait 100\nclick 120 200\nwait 200\nsnap failed\nclick 318 285\n"
               "wait 200\nsnap after\nclose\nwait 300\nsnap leaving\nclick 318 285\n");
    const struct {
        Refusal refusal;
        const char* folder;
        const char* reason;
    } kRefusals[] = {
        {Refusal::FullDisk, "full/", "The disk is full."},
        {Refusal::ReadOnly, "readonly/", "The saves folder is read-only."},
    };
    for (const auto& refusal : kRefusals) {
        const std::string run = dir + refusal.folder;
        fs::create_directories(run + "snaps");
        const std::string result =
            PlayOnARefusingDisk(run, refusal.refusal, old, dir + "failing.txt");
        if (result == "status 77") {
            GTEST_SKIP() << "no memory disk can be mounted here";
        }
        EXPECT_EQ(result, "exit 1; old file whole")
            << refusal.folder << ReadBytes(run + "out") << LogText();
        EXPECT_EQ(LogCount("Unable to save options.dat\r\n"), 2) << refusal.folder;
        EXPECT_EQ(LogCount(std::string("ERROR: options.dat not saved: ") + refusal.reason + "\r\n"),
                  2)
            << refusal.folder << LogText();
        // The box over the roster, gone after Okay, and up again on the way out.
        const auto failed = SnapRgb(ReadBytes(run + "snaps/failed.png"));
        const auto after = SnapRgb(ReadBytes(run + "snaps/after.png"));
        const auto leaving = SnapRgb(ReadBytes(run + "snaps/leaving.png"));
        EXPECT_GT(SnapDiffer(failed, after, 180, 170, 280, 140), 20000) << refusal.folder;
        EXPECT_GT(SnapDiffer(leaving, after, 180, 170, 280, 140), 20000) << refusal.folder;
    }

    // Quitting through the question and the credits: the last save's box over
    // the darkened screen, then status 1.
    WriteBytes("quitting.txt",
               "until screen 0\nclick 40 450\nuntil screen 1\nwait 200\nclick 40 447\nwait 300\n"
               "click 280 273\nwait 90000\nsnap quitting\nclick 318 285\n");
    const std::string run = dir + "quitting/";
    fs::create_directories(run + "snaps");
    EXPECT_EQ(PlayOnARefusingDisk(run, Refusal::ReadOnly, old, dir + "quitting.txt"),
              "exit 1; old file whole")
        << ReadBytes(run + "out");
    EXPECT_EQ(LogCount("Unable to save options.dat\r\n"), 1);
    const std::vector<uint8_t> dark(640 * 480 * 3, 0);
    const auto quitting = SnapRgb(ReadBytes(run + "snaps/quitting.png"));
    EXPECT_GT(SnapDiffer(quitting, dark, 180, 170, 280, 140), 20000);
    EXPECT_EQ(SnapDiffer(quitting, dark, 0, 0, 640, 150), 0);
}

}  // namespace
