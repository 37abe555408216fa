#include "sys/message_box.h"

#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "sys/backend.h"

namespace {

volatile std::sig_atomic_t stopAsked = 0;

void OnStop(int) {
    stopAsked = 1;
}

}  // namespace

void SysErrorLine(const char* text, const char* title) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    std::fflush(stderr);
}

void SysMessageBox(const char* text, const char* title) {
    SysErrorLine(text, title);
    if (SysHeadless()) {
        return;
    }
    // The box runs in a process group of its own (the library forks its own
    // helper for it), so SIGTERM or SIGINT here can take the whole box down;
    // otherwise it would wait for a click that nobody can give.
    struct sigaction stop {};
    stop.sa_handler = OnStop;
    sigemptyset(&stop.sa_mask);
    struct sigaction oldInterrupt {};
    struct sigaction oldTerminate {};
    stopAsked = 0;
    sigaction(SIGINT, &stop, &oldInterrupt);
    sigaction(SIGTERM, &stop, &oldTerminate);
    std::fflush(nullptr);
    const pid_t box = fork();
    if (box == 0) {
        setpgid(0, 0);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        const int result = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, nullptr);
        _exit(result == 0 ? 0 : 1);
    }
    if (box > 0) {
        setpgid(box, box);
        bool stopped = false;
        int status = 0;
        while (waitpid(box, &status, WNOHANG) == 0) {
            if (stopAsked != 0 && !stopped) {
                kill(-box, SIGTERM);
                stopped = true;
            }
            usleep(20000);
        }
    }
    sigaction(SIGINT, &oldInterrupt, nullptr);
    sigaction(SIGTERM, &oldTerminate, nullptr);
}
