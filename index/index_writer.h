// The stream the walk writes index lines to: buffered, and it remembers
// whether every write reached the file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class IndexWriter {
public:
    IndexWriter();
    IndexWriter(const IndexWriter&) = delete;
    IndexWriter& operator=(const IndexWriter&) = delete;
    ~IndexWriter();

    // Creates or empties the file at path, written byte for byte.
    bool Open(const char* path);
    void Write(const char* bytes, size_t count);
    // True when every write and the close succeeded.
    bool Close();
    // A write has failed; the lines after it are not written.
    bool Failed() const { return Failure; }

private:
    bool Flush();

    std::FILE* File = nullptr;
    char* Buffer;
    size_t Used = 0;
    bool Failure = false;
};

// The file a build writes before it takes the index's place.
std::string TemporaryIndexPath(const char* indexPath);
