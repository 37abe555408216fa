#pragma once
// CPU time of this process's threads, told apart: the main thread, SDL's
// sound thread and the rest, read from /proc/self/task. The kernel's
// schedstat gives nanoseconds; where it is missing, stat's clock ticks.
// A sound thread that ended (its device closed) is gone from the task list,
// so the sound's share is what the whole process used beyond the others.
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

struct ThreadCpu {
    double main = 0;   // seconds
    double sound = 0;  // SDL's audio threads alive now ("SDLAudioP...")
    double other = 0;
    double process = 0;  // every thread, those that ended too
};

inline double TaskSeconds(const std::string& task) {
    if (FILE* file = std::fopen((task + "/schedstat").c_str(), "r")) {
        unsigned long long ns = 0;
        const int got = std::fscanf(file, "%llu", &ns);
        std::fclose(file);
        if (got == 1) {
            return static_cast<double>(ns) / 1e9;
        }
    }
    FILE* file = std::fopen((task + "/stat").c_str(), "r");
    if (file == nullptr) {
        return 0;
    }
    char line[1024] = "";
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    // utime and stime are the 14th and 15th fields; the name (field 2) ends at the last ')'.
    const char* after = read ? std::strrchr(line, ')') : nullptr;
    unsigned long utime = 0, stime = 0;
    if (after == nullptr ||
        std::sscanf(after + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                    &stime) != 2) {
        return 0;
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Every thread's time together, those that ended too.
inline double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline ThreadCpu ReadThreadCpu() {
    ThreadCpu cpu;
    cpu.process = ProcessCpuSeconds();
    const std::string self = std::to_string(getpid());
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return cpu;
    }
    while (const dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string task = std::string("/proc/self/task/") + entry->d_name;
        char name[64] = "";
        if (FILE* comm = std::fopen((task + "/comm").c_str(), "r")) {
            if (std::fgets(name, sizeof name, comm) == nullptr) {
                name[0] = '\0';
            }
            std::fclose(comm);
        }
        const double seconds = TaskSeconds(task);
        if (self == entry->d_name) {
            cpu.main += seconds;
        } else if (std::strncmp(name, "SDLAudioP", 9) == 0) {
            cpu.sound += seconds;
        } else {
            cpu.other += seconds;
        }
    }
    closedir(tasks);
    return cpu;
}

// "main 0.41%, sound 0.02%, other 0.00%" of one core over `wall` seconds.
inline void PrintThreadShares(const ThreadCpu& from, const ThreadCpu& to, double wall) {
    const double scale = wall > 0 ? 100.0 / wall : 0;
    const double main = to.main - from.main;
    const double other = to.other - from.other;
    const double sound = std::max(to.process - from.process - main - other, 0.0);
    std::printf("main %.2f%%, sound %.2f%%, other %.2f%%", main * scale, sound * scale,
                other * scale);
}
