// The folders found but not yet listed, first in, first out.
//
// Paths are kept back to back in chunks, each path taking its own length;
// a chunk is given back once every path in it has been taken, so memory
// follows what is waiting, not what was ever found. There is no cap.
#pragma once

#include <cstddef>
#include <string>

class PathQueue {
public:
    PathQueue() = default;
    PathQueue(const PathQueue&) = delete;
    PathQueue& operator=(const PathQueue&) = delete;
    ~PathQueue();

    void Append(const char* path, size_t length);
    // Takes the oldest path into out; false when the queue is empty.
    bool Take(std::string& out);
    void Clear();

    size_t Waiting() const { return Count; }
    // Bytes held for paths, spare chunk included.
    size_t StorageBytes() const { return Held; }

private:
    struct Chunk;
    Chunk* NewChunk(size_t capacity);
    void Release(Chunk* chunk);

    Chunk* Head = nullptr;   // oldest, taken from at ReadOffset
    Chunk* Tail = nullptr;   // newest, appended to
    Chunk* Spare = nullptr;  // one emptied chunk kept for reuse
    size_t ReadOffset = 0;
    size_t Count = 0;
    size_t Held = 0;
};

// The one queue of the index build, shared by all its drives.
extern PathQueue FolderQueue;
