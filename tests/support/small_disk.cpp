#include "support/small_disk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

bool MountSmallDisk(const std::string& where, const char* size) {
    if (unshare(CLONE_NEWNS) != 0) {
        const uid_t uid = getuid();
        const gid_t gid = getgid();
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            return false;
        }
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    }
    const std::string options = std::string("size=") + size;
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("none", where.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

bool MakeDiskReadOnly(const std::string& where) {
    return mount(nullptr, where.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_BIND, nullptr) == 0 &&
           access(where.c_str(), W_OK) != 0 && errno == EROFS;
}

bool FillDisk() {
    const int fd = open("filler", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    static const char block[4096] = {};
    ssize_t written = 0;
    while (fd >= 0 && (written = write(fd, block, sizeof block)) > 0) {
    }
    const bool full = fd >= 0 && written < 0 && errno == ENOSPC;
    close(fd);
    return full;
}
