#include "index/build_job.h"

#include <atomic>
#include <new>
#include <string>

#include "index/folder_queue.h"
#include "index/index_progress.h"
#include "index/index_writer.h"
#include "index/walk.h"
#include "platform/file_replace.h"
#include "platform/listing.h"

namespace {

std::atomic<bool> BuildClaimed{false};

// Writes a new index through walk and puts it in the place of indexPath,
// then raises Done.
template <typename Walk>
uint32_t RunBuild(const char* indexPath, Walk walk) {
    IndexProgress.Done = 0;
    IndexProgress.Failure = kBuildOk;
    const std::string temporary = TemporaryIndexPath(indexPath);
    IndexBuildFailure failure = kBuildOk;
    {
        IndexWriter stream;
        if (!stream.Open(temporary.c_str())) {
            failure = kBuildCannotCreate;
        } else {
            try {
                walk(stream);
            } catch (const std::bad_alloc&) {
                failure = kBuildOutOfMemory;
            }
            if (!stream.Close() && failure == kBuildOk) failure = kBuildWriteFailed;
            if (failure == kBuildOk && !ReplaceFileWith(indexPath, temporary.c_str())) {
                failure = kBuildReplaceFailed;
            }
            if (failure != kBuildOk) RemoveFileAt(temporary.c_str());
        }
    }
    FolderQueue.Clear();
    IndexProgress.Failure = failure;
    IndexProgress.Done = 1;
    ReleaseIndexBuild();
    return 0;
}

}  // namespace

bool ClaimIndexBuild() {
    bool expected = false;
    return BuildClaimed.compare_exchange_strong(expected, true);
}

void ReleaseIndexBuild() {
    BuildClaimed = false;
}

bool IndexBuildRunning() {
    return BuildClaimed;
}

uint32_t BuildIndex(void*) {
    return BuildIndexInto(kIndexFileName);
}

uint32_t BuildIndexInto(const char* indexPath) {
    const ListingService& drives = CurrentListingService();
    if (drives.SingleRootDrive) {
        return RunBuild(indexPath, [](IndexWriter& stream) { WalkTree("", stream); });
    }
    const uint32_t mask = drives.LogicalDrives();
    return RunBuild(indexPath, [&drives, mask](IndexWriter& stream) {
        for (char letter = 'c'; letter <= 'z' && !stream.Failed(); ++letter) {
            if (!(mask & (1u << (letter - 'a')))) continue;
            const char drive[3] = {letter, ':', '\0'};
            const int type = drives.DriveType(drive);
            if (type == kDriveCdrom || type == kDriveRemote) continue;
            WalkTree(drive, stream);
        }
    });
}

uint32_t BuildFolderIndex(const char* root, const char* indexPath) {
    return RunBuild(indexPath, [root](IndexWriter& stream) { WalkTree(root, stream); });
}
