// See web_compat.h: what the browser's C library lacks or does otherwise.
#include "sys/web_compat.h"

#include <emscripten.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

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

// The browser's file system has no hard links. The one use, keeping a file's
// old contents under a second name before the file is replaced, is served
// as well by a copy: the second name must be new, as for a link.
extern "C" int link(const char* oldpath, const char* newpath) {
    const int from = open(oldpath, O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        return -1;
    }
    const int to = open(newpath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (to < 0) {
        const int error = errno;
        close(from);
        errno = error;
        return -1;
    }
    char buffer[8192];
    bool failed = false;
    for (;;) {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got <= 0) {
            failed = got < 0;
            break;
        }
        if (write(to, buffer, static_cast<size_t>(got)) != got) {
            failed = true;
            break;
        }
    }
    const int error = errno;
    close(from);
    if (close(to) != 0) {
        failed = true;
    }
    if (failed) {
        unlink(newpath);  // no half copy under the second name
        errno = error != 0 ? error : EIO;
        return -1;
    }
    return 0;
}

// The page brings the hunt's data after the title (web/pre.js). For a path
// in the data folder: 1 while that part is still coming (and starts it if it
// has not started), -1 when it failed, 0 when there is nothing to wait for.
EM_JS(int, HuntDataPending, (const char* path),
      { return Module.huntData ? Module.huntData.pending(UTF8ToString(path)) : 0; });

// Every open of the game goes here. A data file missing because its part
// has not arrived yet is waited for, the page going on meanwhile, so a
// player quicker than the network sees the hunt late but whole.
extern "C" int open(const char* path, int flags, ...) {
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    const int fd = openat(AT_FDCWD, path, flags, mode);
    if (fd >= 0 || errno != ENOENT || (flags & O_ACCMODE) != O_RDONLY) {
        return fd;
    }
    int pending = HuntDataPending(path);
    if (pending == 0) {
        errno = ENOENT;
        return -1;
    }
    if (pending > 0) {
        fprintf(stderr, "reedgunner: waiting for the hunt's data (%s)\n", path);
        while ((pending = HuntDataPending(path)) > 0) {
            emscripten_sleep(50);
        }
    }
    if (pending < 0) {
        fprintf(stderr, "reedgunner: the hunt's data did not arrive; %s is missing\n", path);
        errno = EIO;
        return -1;
    }
    return openat(AT_FDCWD, path, flags, mode);
}
