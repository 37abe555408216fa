// See web_compat.h.
#include "sys/web_compat.h"

#include <emscripten.h>
#include <errno.h>
#include <stdio.h>
#include <time.h>

extern "C" int renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath,
                         unsigned int flags) {
    if (flags != 0) {
        errno = EINVAL;  // the file system cannot refuse by itself
        return -1;
    }
    return renameat(olddirfd, oldpath, newdirfd, newpath);
}

// The C library's own takes an absolute time for a length and spins the
// page's one thread meanwhile. This one sleeps to the time asked, giving the
// browser its turn (the clock's waits are where the game yields).
extern "C" int clock_nanosleep(clockid_t clock, int flags, const struct timespec* request,
                               struct timespec* remain) {
    if (request == nullptr || request->tv_nsec < 0 || request->tv_nsec >= 1000000000) {
        return EINVAL;
    }
    double ms = request->tv_sec * 1000.0 + request->tv_nsec / 1e6;
    if ((flags & TIMER_ABSTIME) != 0) {
        timespec now{};
        clock_gettime(clock, &now);
        ms -= now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    }
    if (ms > 0) {
        emscripten_sleep(static_cast<unsigned>(ms + 0.999));
    }
    if (remain != nullptr) {
        *remain = timespec{};
    }
    return 0;
}
