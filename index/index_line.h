// The index file: one line per file or folder, nothing else.
//
// A line on disk is "%.8x %s" and CR LF: the entry's size as eight lower-case
// hexadecimal digits (low 32 bits), one space, and the entry's full path with
// every space turned into '?', so that the path holds no white space. The
// reader turns every '?' back into a space. No header, no count, no trailer:
// a file of zero bytes is a valid, empty index.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/path_form.h"

// Relative: the index lives in the process's current directory.
inline constexpr char kIndexFileName[] = "index.txt";

// A read takes at most this many bytes of a line, its newline included;
// longer lines arrive in pieces, each handled and counted as a line.
inline constexpr size_t kLineBufferSize = 4000;
inline constexpr size_t kMaxLinePiece = kLineBufferSize - 1;

inline constexpr size_t kEntryPathSize = 4096;

struct IndexEntry {
    uint32_t Size;              // low 32 bits of the size in bytes
    char Path[kEntryPathSize];  // full path, spaces restored
};

// Writes the on-disk bytes of the line for folder + separator + name into
// out, CR LF included and zero-terminated, and returns their count (without
// the terminator); returns 0 and writes nothing when the line and its
// terminator do not fit in outSize bytes.
size_t FormatIndexLine(const char* folder, const char* name, uint32_t size, char* out,
                       size_t outSize);

// Parses one line piece as read (zero-terminated, at most kMaxLinePiece
// bytes) the way sscanf(line, "%x %s") would, then restores the spaces.
// Returns false when no path could be parsed; entry then holds nothing useful.
bool ParseIndexLine(const char* line, IndexEntry& entry);
// The same over length bytes of line (a NUL among them still ends the text);
// pathLength, when given, receives the length of entry.Path.
bool ParseIndexLine(const char* line, size_t length, IndexEntry& entry, size_t* pathLength);

// The index counts as present when it can be opened for reading.
bool IndexPresent(const char* fileName = kIndexFileName);
