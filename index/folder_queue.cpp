#include "index/folder_queue.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
constexpr size_t kChunkBytes = 64 * 1024;
}

// Each path is stored as its length (a size_t) and its bytes.
struct PathQueue::Chunk {
    Chunk* Next;
    size_t Capacity;
    size_t Used;
    char* Bytes() { return reinterpret_cast<char*>(this + 1); }
};

PathQueue FolderQueue;

PathQueue::~PathQueue() {
    Clear();
    Release(Spare);
    Spare = nullptr;
}

PathQueue::Chunk* PathQueue::NewChunk(size_t capacity) {
    Chunk* chunk;
    if (capacity <= kChunkBytes && Spare != nullptr) {
        chunk = Spare;
        Spare = nullptr;
    } else {
        if (capacity < kChunkBytes) capacity = kChunkBytes;
        void* memory = std::malloc(sizeof(Chunk) + capacity);
        if (memory == nullptr) throw std::bad_alloc();
        chunk = static_cast<Chunk*>(memory);
        chunk->Capacity = capacity;
        Held += capacity;
    }
    chunk->Next = nullptr;
    chunk->Used = 0;
    return chunk;
}

void PathQueue::Release(Chunk* chunk) {
    if (chunk == nullptr) return;
    if (Spare == nullptr && chunk->Capacity == kChunkBytes) {
        Spare = chunk;
        return;
    }
    Held -= chunk->Capacity;
    std::free(chunk);
}

void PathQueue::Append(const char* path, size_t length) {
    const size_t need = sizeof(size_t) + length;
    if (Tail == nullptr || Tail->Capacity - Tail->Used < need) {
        Chunk* chunk = NewChunk(need);
        if (Tail == nullptr) {
            Head = chunk;
            ReadOffset = 0;
        } else {
            Tail->Next = chunk;
        }
        Tail = chunk;
    }
    char* at = Tail->Bytes() + Tail->Used;
    std::memcpy(at, &length, sizeof(size_t));
    std::memcpy(at + sizeof(size_t), path, length);
    Tail->Used += need;
    ++Count;
}

bool PathQueue::Take(std::string& out) {
    if (Count == 0) return false;
    if (ReadOffset == Head->Used) {  // this chunk is used up: the next one holds the path
        Chunk* done = Head;
        Head = Head->Next;
        ReadOffset = 0;
        Release(done);
    }
    const char* at = Head->Bytes() + ReadOffset;
    size_t length;
    std::memcpy(&length, at, sizeof(size_t));
    out.assign(at + sizeof(size_t), length);
    ReadOffset += sizeof(size_t) + length;
    if (--Count == 0) {  // keep nothing for an empty queue but the spare
        Chunk* last = Head;
        Head = Tail = nullptr;
        ReadOffset = 0;
        Release(last);
    }
    return true;
}

void PathQueue::Clear() {
    while (Head != nullptr) {
        Chunk* next = Head->Next;
        Release(Head);
        Head = next;
    }
    Tail = nullptr;
    ReadOffset = 0;
    Count = 0;
}
