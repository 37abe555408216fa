#include "engine/log.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/config.h"
#include "sys/paths.h"

namespace {

// One line of the log, terminating zero included.
constexpr size_t kLineBuffer = 256;

int logFirstCall = 1;
std::string logPath;
std::string lastError;
uint32_t errorCount = 0;

void WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t done = write(fd, data, size);
        if (done <= 0) {
            return;
        }
        data += done;
        size -= static_cast<size_t>(done);
    }
}

}  // namespace

const char* LogPath() {
    if (logPath.empty()) {
        logPath = SysStateDir() + "PELLMAR.TXT";
    }
    return logPath.c_str();
}

const char* LogLastError() {
    return lastError.c_str();
}

uint32_t LogErrorCount() {
    return errorCount;
}

void LogReset() {
    logFirstCall = 1;
    logPath.clear();
    lastError.clear();
    errorCount = 0;
}

namespace {

void LogLine(const char* format, va_list args) {
    char line[kLineBuffer + 2];
    int formatted = std::vsnprintf(line, kLineBuffer, format, args);
    if (formatted < 0) {
        return;
    }
    // vsnprintf cut an over-long line at 255 characters; strlen also stops at an
    // embedded zero written by "%c".
    size_t length = std::strlen(line);
    if (std::strncmp(line, "ERROR", 5) == 0) {
        const size_t skip = line[5] == ':' || line[5] == '!' ? 6 : 5;
        ++errorCount;
        lastError.assign(line + std::min(length, skip + (line[skip] == ' ' ? 1 : 0)));
    }
    line[length] = '\r';
    line[length + 1] = '\n';

    int flags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
    if (logFirstCall) {
        logFirstCall = 0;
        flags |= O_TRUNC;
        SysMakeDirs(SysStateDir());
    }
    int fd = SysOpenFile(LogPath(), flags, 0644);
    if (fd < 0) {
        return;
    }
    WriteAll(fd, line, length + 2);
    close(fd);
}

}  // namespace

void LogPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    LogLine(format, args);
    va_end(args);
}

void Trace(const char* format, ...) {
    if (debugLog == 0) {
        return;
    }
    va_list args;
    va_start(args, format);
    LogLine(format, args);
    va_end(args);
}
