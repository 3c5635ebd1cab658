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
#include <vector>

#include "platform/listing.h"
#include "platform/mount_table.h"
#include "platform/parallel_stat.h"

// Entries are read in batches, and the files of a batch are looked at
// together, so that their stats can be shared with a helper thread.
struct ZadeListing {
    struct Entry {
        size_t NameAt;
        unsigned char Type;
        uint64_t Size;
    };
    DIR* Folder;
    std::string Names;  // the batch's names, each zero-terminated
    std::vector<Entry> Batch;
    std::vector<size_t> ToStat;
    size_t Next = 0;
    bool Ended = false;
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

constexpr size_t kBatchSize = 1024;

// Where the type is not known, or the size is needed, a stat decides.
void Examine(int folderFd, const char* name, ZadeListing::Entry& entry) {
    struct stat facts;
    if (fstatat(folderFd, name, &facts, AT_SYMLINK_NOFOLLOW) != 0) return;
    if (S_ISDIR(facts.st_mode)) {
        entry.Type = DT_DIR;
    } else if (S_ISLNK(facts.st_mode)) {
        entry.Type = DT_LNK;
    } else if (S_ISREG(facts.st_mode)) {
        entry.Type = DT_REG;
        entry.Size = static_cast<uint64_t>(facts.st_size);
    } else {
        entry.Type = DT_FIFO;  // any other kind: no folder, no size
    }
}

// Reads the next batch of entries; false when the folder has no more.
bool Fill(ZadeListing* listing) {
    listing->Names.clear();
    listing->Batch.clear();
    listing->ToStat.clear();
    listing->Next = 0;
    while (!listing->Ended && listing->Batch.size() < kBatchSize) {
        errno = 0;
        const struct dirent* item = readdir(listing->Folder);
        if (item == nullptr) {
            listing->Ended = true;  // the end, or a failure: the listing ends either way
            break;
        }
        if (item->d_type == DT_UNKNOWN || item->d_type == DT_REG) {
            listing->ToStat.push_back(listing->Batch.size());
        }
        listing->Batch.push_back({listing->Names.size(), item->d_type, 0});
        listing->Names.append(item->d_name, std::strlen(item->d_name) + 1);
    }
    const int folderFd = dirfd(listing->Folder);
    ShareWithHelper(listing->ToStat.size(), [listing, folderFd](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            ZadeListing::Entry& entry = listing->Batch[listing->ToStat[i]];
            Examine(folderFd, listing->Names.data() + entry.NameAt, entry);
        }
    });
    return !listing->Batch.empty();
}

bool Next(ZadeListing* listing, ZadeFindData* data) {
    if (listing->Next == listing->Batch.size() && !Fill(listing)) return false;
    const ZadeListing::Entry& entry = listing->Batch[listing->Next++];
    const char* name = listing->Names.data() + entry.NameAt;
    CopyName(name, data->Name);
    uint32_t attributes = name[0] == '.' ? kAttrHidden : 0;
    if (entry.Type == DT_DIR) attributes |= kAttrFolder;
    if (entry.Type == DT_LNK) attributes |= kAttrReparsePoint;
    data->Attributes = attributes;
    data->Size = entry.Type == DT_REG ? entry.Size : 0;
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
    ZadeListing* listing = new ZadeListing{folder, {}, {}, {}, 0, false};
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
