// Which mounted file systems the walk keeps out of: network, optical and
// pseudo file systems, found in the mount table.
#pragma once

#include <cstdint>
#include <string>

// True for file-system types whose contents do not belong in the index.
bool IsPrunedFileSystemType(const std::string& type);

struct MountEntry {
    uint32_t Major;
    uint32_t Minor;
    std::string Type;
};

// Reads one line of /proc/self/mountinfo; false when it does not have that form.
bool ParseMountInfoLine(const std::string& line, MountEntry& entry);

// True when a folder on device (major, minor) lies in a pruned file system,
// as of the last load of the mount table.
bool OnPrunedDevice(uint32_t major, uint32_t minor);

// Reads the mount table anew.
void ReloadMountTable();
