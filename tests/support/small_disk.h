#pragma once
// Disks that refuse saves, for the tests of failed saves: a small memory disk
// mounted in a mount namespace of the calling (forked) process, filled up or
// made read-only.
#include <string>

// In a forked child: a memory disk of `size` (as tmpfs takes it, "64k") over
// `where`, in a mount namespace of its own. False when the system allows none.
bool MountSmallDisk(const std::string& where, const char* size = "64k");

// Makes the disk mounted over `where` read-only. True when it is.
bool MakeDiskReadOnly(const std::string& where);

// Fills the disk the current folder is on with a file "filler"; true when it
// ran out of room.
bool FillDisk();
