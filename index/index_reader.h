// Reads the index file in large blocks while keeping the line semantics of a
// text-mode stream read through fgets into kLineBufferSize bytes.
//
// That stream reads CR LF as one '\n' (any other CR stays a byte) and hands a
// line of more than kMaxLinePiece bytes, after that translation, over in
// pieces of kMaxLinePiece bytes and a remainder; a last line without a
// newline is one more piece. Each piece counts as a line. The reader gives
// the same pieces on every platform, and its memory does not grow with the
// file: a block of kReadBlockSize bytes plus the carry of one cut line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

#include "index/index_line.h"

inline constexpr size_t kReadBlockSize = 256 * 1024;

// Raw file bytes that start and end at piece boundaries. Inside a block a
// piece ends after each '\n', or when it holds kMaxLinePiece bytes once CR LF
// is read as one byte, or at the block's end.
struct IndexBlock {
    const char* Data;
    size_t Size;
};

// Where the piece that starts at begin ends, for a block ending at end.
const char* PieceEnd(const char* begin, const char* end);

// The bytes of the piece [begin, pieceEnd) as the text stream delivers them.
size_t TranslatePiece(const char* begin, const char* pieceEnd, char* out);

class IndexReader {
public:
    IndexReader() = default;
    ~IndexReader() { Close(); }
    IndexReader(const IndexReader&) = delete;
    IndexReader& operator=(const IndexReader&) = delete;

    // Opens the file for reading; false when it cannot be opened. Blocks hold
    // about blockSize bytes (tests use small ones to make lines cross them).
    bool Open(const char* fileName, size_t blockSize = kReadBlockSize);
    void Close();
    bool IsOpen() const { return Opened; }

    // The next block of at least one byte; false at the end of the file or
    // after a read error, which ends the reading the same way. The block
    // stays valid until the next call.
    bool NextBlock(IndexBlock& block);

    // The next piece, as fgets into kLineBufferSize bytes would give it:
    // zero-terminated in line, length its byte count (NUL bytes included).
    // false at the end of the file.
    bool ReadLine(char line[kLineBufferSize], size_t& length);

private:
    // Per platform (index_reader_posix.cpp, index_reader_win32.cpp): opening,
    // closing, and making the bytes after Consumed available, as many as
    // the platform can hold at once; false when no more will come.
    bool OpenSource(const char* fileName);
    void CloseSource();
    bool Refill();

    // The portable source: a stream read into Buffer, the unconsumed rest
    // moved to its front first. Takes over file, which may be nullptr.
    bool OpenStream(FILE* file);
    void CloseStream();
    bool RefillStream();

    bool Opened = false;
    size_t BlockSize = kReadBlockSize;
    // The file's bytes at hand: [Data, Data + Available), of which the first
    // Consumed have been handed out; AtEnd once they reach the end of the file.
    const char* Data = nullptr;
    size_t Available = 0;
    size_t Consumed = 0;
    bool AtEnd = false;

    FILE* File = nullptr;
    std::unique_ptr<char[]> Buffer;
    size_t BufferSize = 0;

    // A mapped window of the file, where the platform maps files.
    int Descriptor = -1;
    char* Map = nullptr;
    size_t MapLength = 0;
    unsigned long long MapOffset = 0;
    unsigned long long FileSize = 0;

    IndexBlock Current{nullptr, 0};
    size_t LinePos = 0;  // ReadLine's position inside Current
};
