#pragma once
// What the file-reading fuzzers share: a scratch folder to work in (on a memory
// file system when there is one, since every input rewrites a file and starts
// the log anew), the headless display and sound, and writing an input to a file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gdl/gdl.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "sys/backend.h"

// Makes a scratch folder named after `name`, works in it and logs into it.
inline void FuzzEnterScratch(const char* name) {
    for (const char* root : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(root) + "/reedgunner-fuzz-" + name + "-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr && chdir(pattern.c_str()) == 0) {
            setenv("XDG_STATE_HOME", pattern.c_str(), 1);
            return;
        }
    }
    std::abort();
}

// Headless mode with the display and its three pages up.
inline void FuzzStartDisplay() {
    SysSetHeadless(true);
    static char instance;
    GDL_setAppInstance(&instance);
    if (GraphicsInit() != 1) {
        std::abort();
    }
}

// Headless mode with the sound module up on the silent output.
inline void FuzzStartSound() {
    SysSetHeadless(true);
    if (SoundInit() != 1) {
        std::abort();
    }
}

// The input as the file `name` in the scratch folder.
inline void FuzzWriteFile(const char* name, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(name, "wb");
    if (file == nullptr) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}
