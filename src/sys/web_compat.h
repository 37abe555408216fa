#pragma once
// What the browser's C library lacks of Linux's, given to every file of the
// browser build (-include): renameat2 without RENAME_NOREPLACE support, so
// callers take their portable fallback (look first, then rename). The
// library's link(), clock_nanosleep() and open() are replaced too
// (web_compat.cpp; open() waits for the hunt's data when it is still coming).
#ifdef __cplusplus
extern "C" {
#endif
#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif
int renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath,
              unsigned int flags);
#ifdef __cplusplus
}
#endif
