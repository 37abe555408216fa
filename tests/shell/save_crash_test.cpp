// Saves that survive a crash: the save-loop helper is killed at random moments
// and options.dat must always load as the last save or the one under way,
// never a mix; on a full disk every save fails, says so and keeps the old file.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "engine/log.h"
#include "shell/options.h"
#include "shell/save_generation.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"

namespace {

using SaveCrashTest = ScratchTest;

// Starts the helper in the current folder with its reports on *reports.
pid_t StartSaveLoop(int* reports) {
    int ends[2];
    if (pipe(ends) != 0) {
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(ends[1], STDOUT_FILENO);
        close(ends[0]);
        close(ends[1]);
        execl(REEDGUNNER_SAVE_LOOP_BIN, REEDGUNNER_SAVE_LOOP_BIN, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    *reports = ends[0];
    return pid;
}

// The last generation reported on `fd` up to its end, or `last` if none.
uint32_t LastReport(int fd, uint32_t last) {
    uint32_t generation = 0;
    while (read(fd, &generation, sizeof generation) == sizeof generation) {
        last = generation;
    }
    return last;
}

std::string RosterImage() {
    std::string bytes(kRosterSize * kPlayerRecordBytes, '\0');
    for (int i = 0; i < kRosterSize; ++i) {
        EncodePlayerRecord(roster[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * 84);
    }
    return bytes + static_cast<char>(currentPlayer);
}

// options.dat is whole and exactly generation `older` or `older` + 1.
testing::AssertionResult HoldsGeneration(uint32_t older, uint32_t* found) {
    struct stat file {};
    if (stat("options.dat", &file) != 0 || file.st_size != kOptionsBytes) {
        return testing::AssertionFailure() << "options.dat has " << file.st_size << " bytes";
    }
    if (LoadOptions() != 1) {
        return testing::AssertionFailure() << "options.dat does not load";
    }
    *found = GenerationOfRoster();
    if (*found != older && *found != older + 1) {
        return testing::AssertionFailure()
               << "generation " << *found << " after the last report of " << older;
    }
    const std::string loaded = RosterImage();
    FillGeneration(*found);
    if (RosterImage() != loaded) {
        return testing::AssertionFailure() << "generation " << *found << " mixed with another";
    }
    return testing::AssertionSuccess();
}

TEST_F(SaveCrashTest, KilledAtRandomMomentsLeavesTheOldOrTheNewFile) {
    FillGeneration(0);
    SaveOptions();
    std::mt19937 random(16);
    std::uniform_int_distribution<int> delayUs(0, 4000);
    const auto start = std::chrono::steady_clock::now();
    int kills = 0;
    int insideASave = 0;
    uint32_t last = 0;
    while (kills < 500 && (kills < 40 || std::chrono::steady_clock::now() - start <
                                             std::chrono::milliseconds(3000))) {
        int reports = -1;
        const pid_t pid = StartSaveLoop(&reports);
        ASSERT_GT(pid, 0);
        // The kill falls among the saves, not in the start-up before them.
        uint32_t first = 0;
        ASSERT_EQ(read(reports, &first, sizeof first), static_cast<ssize_t>(sizeof first));
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        last = LastReport(reports, first);
        close(reports);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << kills;
        ++kills;
        struct stat temp {};
        insideASave += stat("options.dat.tmp", &temp) == 0 ? 1 : 0;
        ASSERT_TRUE(HoldsGeneration(last, &last)) << "after kill " << kills;
    }
    std::printf("[ saves ] %d kills, %d inside a save, %u saves in all\n", kills, insideASave,
                last);
    EXPECT_GT(insideASave, 0) << "no kill landed between creating and renaming the new file";
}

TEST_F(SaveCrashTest, FullDiskKeepsTheOldFileAndSaysSo) {
    // The child mounts, fills and saves; it sends back how, then any fault.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        std::string out;
        mkdir("disk", 0755);
        const bool tmpfs = MountSmallDisk(dir + "disk");
        out = tmpfs ? "a full 64 KiB memory disk" : "a file-size limit";
        if (chdir("disk") != 0) {
            out += "; no disk folder";
        }
        FillGeneration(1);
        SaveOptions();
        const std::string old = ReadBytes("options.dat");
        if (old.size() != kOptionsBytes) {
            out += "; the first save failed";
        }
        if (tmpfs && !FillDisk()) {
            out += "; the disk did not fill";
        }
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit unlimited = limit;
        if (!tmpfs) {
            std::signal(SIGXFSZ, SIG_IGN);
            limit.rlim_cur = 500;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        for (uint32_t generation = 2; generation < 12; ++generation) {
            FillGeneration(generation);
            SaveOptions();
            bool tempLeft = false;
            ReadBytes("options.dat.tmp", &tempLeft);
            if (ReadBytes("options.dat") != old || tempLeft) {
                out += "; save " + std::to_string(generation) + " touched the old file";
            }
        }
        std::string log = LogText();
        int refusals = 0;
        for (size_t at = 0; (at = log.find("Unable to save options.dat\r\n", at)) != log.npos;
             ++at) {
            ++refusals;
        }
        if (refusals != 10) {
            out += "; " + std::to_string(refusals) + " of 10 failures logged";
        }
        const std::string reason = std::string("ERROR: options.dat not saved: ") +
                                   (tmpfs ? "The disk is full." : "File too large.") + "\r\n";
        if (log.find(reason) == log.npos) {
            out += "; no reason given: " + log.substr(0, 200);
        }
        // With room again the next save goes through.
        std::remove("filler");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        FillGeneration(20);
        SaveOptions();
        if (LoadOptions() != 1 || GenerationOfRoster() != 20) {
            out += "; no save once there was room again";
        }
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
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << got;
    std::printf("[ saves ] full disk: %s\n", got.c_str());
    EXPECT_EQ(got.find(';'), std::string::npos) << got;
}

}  // namespace
