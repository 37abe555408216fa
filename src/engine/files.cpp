#include "engine/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/log.h"
#include "sys/paths.h"

namespace {

int Descriptor(FileHandle handle) {
    return static_cast<int>(handle);
}

FileHandle Handle(int fd) {
    return fd < 0 ? INVALID_FILE : static_cast<FileHandle>(fd);
}

// A named pipe or a device in a file's place is refused with a line in the
// log: the game would otherwise wait on it for ever.
int OpenLogged(const char* name, int flags) {
    const int fd = SysOpenFile(name, flags, 0644);
    if (fd < 0 && errno == EINVAL) {
        LogPrintf("ERROR: %s is not a regular file", name);
        errno = EINVAL;
    }
    return fd;
}

}  // namespace

FileHandle FileCreate(const char* name) {
    return Handle(OpenLogged(name, O_WRONLY | O_CREAT | O_CLOEXEC));
}

FileHandle FileOpen(const char* name) {
    return Handle(OpenLogged(name, O_RDONLY | O_CLOEXEC));
}

void FileClose(FileHandle handle) {
    if (handle != INVALID_FILE) {
        close(Descriptor(handle));
    }
}

uint32_t FileRead(FileHandle handle, void* buffer, uint32_t count) {
    auto* bytes = static_cast<char*>(buffer);
    uint32_t total = 0;
    while (total < count) {
        ssize_t got = read(Descriptor(handle), bytes + total, count - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        total += static_cast<uint32_t>(got);
    }
    return total;
}

uint32_t FileWrite(FileHandle handle, const void* buffer, uint32_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    uint32_t total = 0;
    while (total < count) {
        ssize_t done = write(Descriptor(handle), bytes + total, count - total);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            break;
        }
        total += static_cast<uint32_t>(done);
    }
    return total;
}

uint32_t FileSeek(FileHandle handle, int32_t distance, uint32_t origin) {
    int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : -1;
    if (whence < 0) {
        return 0xFFFFFFFFu;
    }
    off_t position = lseek(Descriptor(handle), distance, whence);
    return position < 0 ? 0xFFFFFFFFu : static_cast<uint32_t>(position);
}

uint32_t FileSize(FileHandle handle) {
    int fd = Descriptor(handle);
    off_t here = lseek(fd, 0, SEEK_CUR);
    off_t end = lseek(fd, 0, SEEK_END);
    if (here < 0 || end < 0) {
        return 0;
    }
    lseek(fd, here, SEEK_SET);
    return static_cast<uint32_t>(end);
}

uint32_t FileFlush(FileHandle handle) {
    return fsync(Descriptor(handle)) == 0 ? 1 : 0;
}

uint32_t FileReplace(const char* from, const char* to, const char* keep) {
    if (keep != nullptr) {
        // Without the second name the swap still goes on: the new file matters
        // more than the old one's copy.
        unlink(keep);
        if (link(to, keep) != 0 && errno != ENOENT) {
            LogPrintf("ERROR: %s not kept as %s: %s", to, keep, std::strerror(errno));
        }
    }
    if (std::rename(from, to) != 0) {
        return 0;
    }
    // Make the new directory entry durable too; a failure here leaves the file
    // complete on disk either way, so it is not reported.
    std::string dir(to);
    size_t slash = dir.rfind('/');
    dir = slash == std::string::npos ? "." : dir.substr(0, slash + 1);
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return 1;
}

uint32_t FileRenameNew(const char* from, const char* to) {
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
        return 1;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return 0;
    }
    // A file system that cannot refuse by itself: look first.
    struct stat there {};
    if (lstat(to, &there) == 0) {
        errno = EEXIST;
        return 0;
    }
    return std::rename(from, to) == 0 ? 1 : 0;
}

uint32_t FileDelete(const char* name) {
    return unlink(name) == 0 ? 1 : 0;
}
