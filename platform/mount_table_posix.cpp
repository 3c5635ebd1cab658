#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/mount_table.h"

namespace {

// Pseudo, network and optical file systems, after updatedb's PRUNEFS; tmpfs
// is walked like a RAM disk.
const char* const kPrunedTypes[] = {
    "9p",        "NFS",         "afs",         "autofs",         "binfmt_misc",
    "bpf",       "ceph",        "cgroup",      "cgroup2",        "cifs",
    "coda",      "configfs",    "curlftpfs",   "debugfs",        "devfs",
    "devpts",    "devtmpfs",    "ecryptfs",    "efivarfs",       "ftpfs",
    "fuse.ceph", "fuse.cryfs",  "fuse.encfs",  "fuse.glusterfs", "fuse.gvfsd-fuse",
    "fuse.mfs",  "fuse.rclone", "fuse.rozofs", "fuse.s3fs",      "fuse.sshfs",
    "fusectl",   "fusesmb",     "glusterfs",   "hugetlbfs",      "iso9660",
    "lustre",    "lustre_lite", "mfs",         "mqueue",         "ncpfs",
    "nfs",       "nfs4",        "nfsd",        "nsfs",           "ocfs2",
    "proc",      "pstore",      "rpc_pipefs",  "securityfs",     "selinuxfs",
    "shfs",      "smb3",        "smbfs",       "sysfs",          "tracefs",
    "udev",      "udf",         "usbfs",
};

std::mutex TableLock;
std::vector<uint64_t> PrunedDevices;  // (major << 32) | minor, sorted
bool Loaded = false;

void LoadLocked() {
    PrunedDevices.clear();
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    MountEntry entry;
    while (std::getline(table, line)) {
        if (ParseMountInfoLine(line, entry) && IsPrunedFileSystemType(entry.Type)) {
            PrunedDevices.push_back(uint64_t{entry.Major} << 32 | entry.Minor);
        }
    }
    std::sort(PrunedDevices.begin(), PrunedDevices.end());
    Loaded = true;
}

}  // namespace

bool IsPrunedFileSystemType(const std::string& type) {
    for (const char* pruned : kPrunedTypes) {
        if (type == pruned) return true;
    }
    return false;
}

bool ParseMountInfoLine(const std::string& line, MountEntry& entry) {
    // id parent major:minor root mount-point options [optional...] - type source ...
    std::istringstream fields(line);
    std::string id, parent, device, field;
    if (!(fields >> id >> parent >> device)) return false;
    size_t colon = device.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == device.size()) return false;
    try {
        size_t end = 0;
        unsigned long major = std::stoul(device.substr(0, colon), &end);
        if (end != colon) return false;
        unsigned long minor = std::stoul(device.substr(colon + 1), &end);
        if (end != device.size() - colon - 1) return false;
        entry.Major = static_cast<uint32_t>(major);
        entry.Minor = static_cast<uint32_t>(minor);
    } catch (...) {
        return false;
    }
    while (fields >> field) {
        if (field == "-") return static_cast<bool>(fields >> entry.Type);
    }
    return false;
}

bool OnPrunedDevice(uint32_t major, uint32_t minor) {
    std::lock_guard<std::mutex> hold(TableLock);
    if (!Loaded) LoadLocked();
    return std::binary_search(PrunedDevices.begin(), PrunedDevices.end(),
                              uint64_t{major} << 32 | minor);
}

void ReloadMountTable() {
    std::lock_guard<std::mutex> hold(TableLock);
    LoadLocked();
}
