// The breadth-first folder walk: one folder per call, one index line per entry.
#pragma once

#include <cstddef>
#include <cstdint>

#include "index/index_writer.h"

// Lists folder, or with nullptr the next folder of FolderQueue, into stream,
// updating IndexProgress after every entry. Returns 1 after a listing, 0
// when called without a folder on a drained queue; when the listing cannot
// start, 1 while folders wait in the queue, else 0.
int32_t WalkFolder(const char* folder, IndexWriter& stream);

// Lists root and then the queue until it is drained or a write fails.
void WalkTree(const char* root, IndexWriter& stream);

// ReadPos / QueueLength * 100, in double precision, truncated.
int32_t ProgressPercent(int32_t readPos, int32_t queueLength);

// "[entries: readPos/queueLength] path" into out (kStatusLineSize bytes), cut
// to fit; returns its length.
size_t FormatStatusText(int32_t entries, int32_t readPos, int32_t queueLength, const char* path,
                        size_t pathLength, char* out);

// The size an index line records: sizes of 4 GiB and more read ffffffff, so
// that they still pass every minimum size.
inline uint32_t IndexedSize(uint64_t size) {
    return size > 0xffffffffu ? 0xffffffffu : static_cast<uint32_t>(size);
}
