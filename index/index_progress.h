// The record an index build shares with the window that watches it.
//
// How it works: the window resets the record and claims the build before it
// starts the worker; from then on only the worker writes (the walk every
// counter and the status text after every entry, the build job Done and
// Failure), and the window's timer reads Percent, Done, Failure and a whole
// copy of the status text. Counters are atomic 32-bit values; the status
// text is guarded by a lock so a copy is never half old, half new.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

inline constexpr size_t kStatusLineSize = 256;

class StatusText {
public:
    // Replaces the text, cut to fit in kStatusLineSize bytes.
    void Set(const char* text);
    void Set(const char* text, size_t length);
    // Copies at most maxChars characters and a terminator into out
    // (outSize bytes); returns the number of characters copied.
    size_t CopyTo(char* out, size_t outSize, size_t maxChars = kStatusLineSize - 1) const;
    void Clear();

private:
    mutable std::mutex Lock;
    char Text[kStatusLineSize] = {};
};

// Why a build could not deliver a new index; read once Done is 1.
enum IndexBuildFailure : int32_t {
    kBuildOk = 0,
    kBuildCannotCreate = 1,   // the new index file could not be created
    kBuildWriteFailed = 2,    // a write or the close failed (a full disk)
    kBuildReplaceFailed = 3,  // the finished file could not take the old one's place
    kBuildOutOfMemory = 4,    // the folder queue could not grow
};

struct IndexProgressRecord {
    std::atomic<int32_t> Done{0};
    std::atomic<int32_t> EntryCount{0};
    std::atomic<int32_t> ReadPos{0};
    std::atomic<int32_t> QueueLength{0};
    std::atomic<int32_t> Percent{0};
    StatusText StatusLine;
    std::atomic<int32_t> Failure{kBuildOk};
};

extern IndexProgressRecord IndexProgress;

// Back to the state before a build: counters 0, empty status text. Also
// empties the folder queue. Only while no build runs.
void ResetIndexProgress();
