#include "index/walk.h"

#include <cstring>
#include <string>
#include <vector>

#include "index/folder_queue.h"
#include "index/index_line.h"
#include "index/index_progress.h"
#include "platform/listing.h"
#include "platform/path_form.h"

namespace {

char* PutNumber(char* at, int32_t value) {
    char digits[12];
    size_t count = 0;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : value;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *at++ = '-';
    while (count > 0) *at++ = digits[--count];
    return at;
}

// Ends the listing however the call ends (a queue that cannot grow throws).
class ListingCloser {
public:
    explicit ListingCloser(ZadeListing* listing) : Listing(listing) {}
    ~ListingCloser() { ZadeClose(Listing); }
    ListingCloser(const ListingCloser&) = delete;
    ListingCloser& operator=(const ListingCloser&) = delete;

private:
    ZadeListing* Listing;
};

bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

int32_t ProgressPercent(int32_t readPos, int32_t queueLength) {
    // Each step is rounded to double on its own, also where the FPU holds
    // more precision: 29 of 100 gives 28.
    volatile double divisor = queueLength == 0 ? 0.0001 : static_cast<double>(queueLength);
    volatile double quotient = static_cast<double>(readPos) / divisor;
    volatile double product = quotient * 100.0;
    return static_cast<int32_t>(product);
}

size_t FormatStatusText(int32_t entries, int32_t readPos, int32_t queueLength, const char* path,
                        size_t pathLength, char* out) {
    char* at = out;
    *at++ = '[';
    at = PutNumber(at, entries);
    *at++ = ':';
    *at++ = ' ';
    at = PutNumber(at, readPos);
    *at++ = '/';
    at = PutNumber(at, queueLength);
    *at++ = ']';
    *at++ = ' ';
    size_t length = static_cast<size_t>(at - out);
    size_t room = kStatusLineSize - 1 - length;
    if (pathLength > room) pathLength = room;
    std::memcpy(at, path, pathLength);
    length += pathLength;
    out[length] = '\0';
    return length;
}

int32_t WalkFolder(const char* folder, IndexWriter& stream) {
    int32_t entries = IndexProgress.EntryCount.load(std::memory_order_relaxed);
    int32_t readPos = IndexProgress.ReadPos.load(std::memory_order_relaxed);
    int32_t queueLength = IndexProgress.QueueLength.load(std::memory_order_relaxed);

    std::string current;
    if (folder != nullptr) {
        current = folder;
    } else {
        if (queueLength <= readPos || !FolderQueue.Take(current)) return 0;
        IndexProgress.ReadPos.store(++readPos, std::memory_order_relaxed);
    }

    // Until the first subfolder is met the status shows the listing pattern,
    // then the subfolder most recently queued.
    std::string statusPath = current;
    statusPath += kPathSeparator;
    statusPath += '*';

    ZadeFindData data;
    ZadeListing* listing = ZadeFirstFileA(statusPath.c_str(), &data);
    if (listing == nullptr) return queueLength > readPos ? 1 : 0;
    ListingCloser closer(listing);

    std::vector<char> line(current.size() + kListedNameSize + 16);
    char status[kStatusLineSize];
    do {
        if (IsDotName(data.Name)) continue;
        IndexProgress.EntryCount.store(++entries, std::memory_order_relaxed);
        // A link or junction gets its line but is never followed: no loops.
        if ((data.Attributes & kAttrFolder) && !(data.Attributes & kAttrReparsePoint)) {
            statusPath.assign(current);
            statusPath += kPathSeparator;
            statusPath += data.Name;
            FolderQueue.Append(statusPath.data(), statusPath.size());
            IndexProgress.QueueLength.store(++queueLength, std::memory_order_relaxed);
        }
        size_t length = FormatIndexLine(current.c_str(), data.Name, IndexedSize(data.Size),
                                        line.data(), line.size());
        stream.Write(line.data(), length);
        IndexProgress.Percent.store(ProgressPercent(readPos, queueLength),
                                    std::memory_order_relaxed);
        IndexProgress.StatusLine.Set(
            status, FormatStatusText(entries, readPos, queueLength, statusPath.data(),
                                     statusPath.size(), status));
        if (stream.Failed()) break;  // nothing more can reach the file
    } while (ZadeNextFileA(listing, &data));
    return 1;
}

void WalkTree(const char* root, IndexWriter& stream) {
    WalkFolder(root, stream);
    while (!stream.Failed() && WalkFolder(nullptr, stream) != 0) {
    }
}
