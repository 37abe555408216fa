#include "sys/message_box.h"

#include <SDL.h>

#include <cstdio>

#include "sys/backend.h"

void SysMessageBox(const char* text, const char* title) {
    if (SysHeadless() ||
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title, text, nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", title, text);
    }
}
