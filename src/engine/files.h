#pragma once
#include <cstdint>

// Thin wrappers over the system's byte-stream files. A handle is an opaque
// 32-bit value; INVALID_FILE (all bits set) means the open failed.
using FileHandle = uint32_t;
constexpr FileHandle INVALID_FILE = 0xFFFFFFFFu;

// Opens `name` for writing, creating it when missing. An existing file is not
// truncated: writing starts at offset 0 and bytes past the last one written stay.
FileHandle FileCreate(const char* name);

// Opens an existing file for reading.
FileHandle FileOpen(const char* name);

void FileClose(FileHandle handle);

// Bytes actually read: fewer than `count` at the end of the file, 0 on error.
uint32_t FileRead(FileHandle handle, void* buffer, uint32_t count);

// Bytes actually written.
uint32_t FileWrite(FileHandle handle, const void* buffer, uint32_t count);

// Moves the position by a signed distance from origin 0 (start), 1 (current) or
// 2 (end); returns the new position, or 0xFFFFFFFF on failure.
uint32_t FileSeek(FileHandle handle, int32_t distance, uint32_t origin);

// The file's length in bytes (0 on error).
uint32_t FileSize(FileHandle handle);

// Forces what was written onto the disk. Returns 1 on success, 0 on failure.
uint32_t FileFlush(FileHandle handle);

// Renames `from` over `to` in one step, so `to` is either the old file or the
// complete new one, and makes the rename itself durable. Returns 1 on success.
// With `keep`, the file `to` held before stays under that name too: a second
// name given before the swap (no copy), so `to` is never missing; any older
// `keep` goes. A `to` that did not exist leaves nothing to keep.
uint32_t FileReplace(const char* from, const char* to, const char* keep = nullptr);

// Renames `from` to `to` only when nothing is called `to` yet (a file, a
// folder, anything). Returns 1 on success; 0 with errno EEXIST when the name
// is taken.
uint32_t FileRenameNew(const char* from, const char* to);

// Removes a file. Returns 1 on success.
uint32_t FileDelete(const char* name);
