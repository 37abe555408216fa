// The browser's message box: the same line as natively, on the page's
// console; the page shows the console's errors under the canvas.
#include <cstdio>

#include "sys/message_box.h"

void SysErrorLine(const char* text, const char* title) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    std::fflush(stderr);
}

void SysMessageBox(const char* text, const char* title) {
    SysErrorLine(text, title);
}
