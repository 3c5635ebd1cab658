// Listing over opendir/readdir; a stat only where the size is needed.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/listing.h"
#include "platform/mount_table.h"

struct ZadeListing {
    DIR* Folder;
};

namespace {

// Opens a folder for listing, also when its path is longer than the kernel
// takes in one piece: then part by part, each relative to the last.
int OpenFolder(const char* path, size_t length) {
    // A folder that became a link since it was queued is not followed.
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW;
    if (length < PATH_MAX) return open(length == 0 ? "/" : path, flags);
    int base = AT_FDCWD;
    size_t start = 0;
    while (start < length) {
        size_t end = length;
        if (end - start >= PATH_MAX) {
            end = start + PATH_MAX - 1;
            while (end > start && path[end] != '/') --end;
            if (end == start) {  // a single name longer than any path: cannot exist
                if (base != AT_FDCWD) close(base);
                errno = ENAMETOOLONG;
                return -1;
            }
        }
        std::string piece(path + start, end - start);
        if (piece.empty()) piece = "/";
        int next = openat(base, piece.c_str(), flags);
        if (base != AT_FDCWD) close(base);
        if (next < 0) return -1;
        base = next;
        start = end;
        while (start < length && path[start] == '/') ++start;
    }
    return base;
}

// Bytes that an index line cannot carry arrive as '?', like characters
// outside the code page on Windows.
void CopyName(const char* name, char* out) {
    size_t i = 0;
    for (; name[i] != '\0' && i + 1 < kListedNameSize; ++i) {
        char c = name[i];
        out[i] = (c == '\r' || c == '\n' || c == '\t' || c == '\v' || c == '\f') ? '?' : c;
    }
    out[i] = '\0';
}

void Describe(int folderFd, const struct dirent* item, ZadeFindData* data) {
    CopyName(item->d_name, data->Name);
    uint32_t attributes = item->d_name[0] == '.' ? kAttrHidden : 0;
    uint64_t size = 0;
    unsigned char type = item->d_type;
    if (type == DT_UNKNOWN || type == DT_REG) {
        struct stat facts;
        if (fstatat(folderFd, item->d_name, &facts, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISDIR(facts.st_mode)) {
                type = DT_DIR;
            } else if (S_ISLNK(facts.st_mode)) {
                type = DT_LNK;
            } else if (S_ISREG(facts.st_mode)) {
                size = static_cast<uint64_t>(facts.st_size);
            }
        }
    }
    if (type == DT_DIR) attributes |= kAttrFolder;
    if (type == DT_LNK) attributes |= kAttrReparsePoint;
    data->Attributes = attributes;
    data->Size = size;
}

bool Next(ZadeListing* listing, ZadeFindData* data) {
    errno = 0;
    const struct dirent* item = readdir(listing->Folder);
    if (item == nullptr) return false;
    Describe(dirfd(listing->Folder), item, data);
    return true;
}

void Close(ZadeListing* listing) {
    if (listing == nullptr) return;
    closedir(listing->Folder);
    delete listing;
}

ZadeListing* First(const char* pattern, ZadeFindData* data) {
    size_t length = std::strlen(pattern);
    // The pattern is the folder, the separator and '*'.
    if (length < 2 || pattern[length - 1] != '*' || pattern[length - 2] != '/') return nullptr;
    length -= 2;
    if (length == 0) ReloadMountTable();  // each listing of the root sees the mounts anew
    int fd = OpenFolder(std::string(pattern, length).c_str(), length);
    if (fd < 0) return nullptr;
    struct stat facts;
    if (fstat(fd, &facts) != 0 || OnPrunedDevice(major(facts.st_dev), minor(facts.st_dev))) {
        close(fd);
        return nullptr;
    }
    DIR* folder = fdopendir(fd);
    if (folder == nullptr) {
        close(fd);
        return nullptr;
    }
    ZadeListing* listing = new ZadeListing{folder};
    if (!Next(listing, data)) {
        Close(listing);
        return nullptr;
    }
    return listing;
}

uint32_t NoLetterDrives() {
    return 0;
}
int FixedDrive(const char*) {
    return kDriveFixed;
}

const ListingService kPosixService = {First, Next, Close, NoLetterDrives, FixedDrive, true};

}  // namespace

const ListingService& PlatformListingService() {
    return kPosixService;
}
