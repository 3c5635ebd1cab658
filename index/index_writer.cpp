#include "index/index_writer.h"

#include <cstring>

namespace {
constexpr size_t kBufferSize = 256 * 1024;
}

IndexWriter::IndexWriter() : Buffer(new char[kBufferSize]) {}

IndexWriter::~IndexWriter() {
    if (File != nullptr) std::fclose(File);
    delete[] Buffer;
}

bool IndexWriter::Open(const char* path) {
    if (File != nullptr) Close();
    Used = 0;
    Failure = false;
    File = std::fopen(path, "wb");
    if (File == nullptr) return false;
    std::setvbuf(File, nullptr, _IONBF, 0);  // our own buffer is enough
    return true;
}

bool IndexWriter::Flush() {
    if (Used > 0 && !Failure) {
        if (std::fwrite(Buffer, 1, Used, File) != Used) Failure = true;
    }
    Used = 0;
    return !Failure;
}

void IndexWriter::Write(const char* bytes, size_t count) {
    if (Failure || File == nullptr) {
        Failure = true;
        return;
    }
    if (Used + count > kBufferSize && !Flush()) return;
    if (count >= kBufferSize) {
        if (std::fwrite(bytes, 1, count, File) != count) Failure = true;
        return;
    }
    std::memcpy(Buffer + Used, bytes, count);
    Used += count;
}

bool IndexWriter::Close() {
    if (File == nullptr) return false;
    Flush();
    if (std::fclose(File) != 0) Failure = true;
    File = nullptr;
    return !Failure;
}

std::string TemporaryIndexPath(const char* indexPath) {
    return std::string(indexPath) + ".tmp";
}
