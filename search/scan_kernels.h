// The byte scans that let a search skip lines: newline counting and looking
// for the query in the raw bytes of the index, with SIMD where the CPU has it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "search/search_run.h"

// How a folded query is looked for in raw index bytes: raw byte r stands for
// query byte j when (r | Or[j]) == Target[j]. That covers folding (A-Z and
// the three Latin-1 capitals) and the '?' that stands for a space.
struct QueryPattern {
    size_t Length;
    size_t First;  // offsets of the two bytes tested first, the rarest ones
    size_t Second;
    unsigned char Or[kQueryTextSize];
    unsigned char Target[kQueryTextSize];
};

// Fills pattern for a folded, non-empty query; false when no folded path can
// ever hold the query (it holds '?', other white space than ' ', or a
// capital that folding removes).
bool BuildQueryPattern(const char* foldedQuery, QueryPattern& pattern);

// The first position in [from, end) where the whole pattern stands for the
// query and fits before end; nullptr when there is none.
const char* FindQuery(const char* from, const char* end, const QueryPattern& pattern);

// FindQuery that counts the '\n' on its way: adds to newlines those in
// [from, scannedTo), where scannedTo is at or before the hit (end when there
// is none), and sets quiet when [from, scannedTo) may hold a run without
// '\n' longer than a piece, as CountNewlines does.
const char* FindQueryCounting(const char* from, const char* end, const QueryPattern& pattern,
                              size_t& newlines, const char*& scannedTo, bool& quiet);

// The number of '\n' in [data, data + size). mayHoldLongPiece is set when a
// run between two '\n' (or the block's ends) might exceed a line piece; it
// may be set for somewhat shorter runs too, never missed for longer ones.
size_t CountNewlines(const char* data, size_t size, bool& mayHoldLongPiece);

// Writes the offsets of the '\n' in [data, data + size) to offsets, which
// must have room for size entries, and returns their number.
size_t FindNewlines(const char* data, size_t size, uint32_t* offsets);

// Copies the path field that starts at p, up to the first byte that ends a
// "%s" field (C-locale white space or NUL), stop, or capacity - 1 bytes:
// into path with '?' turned into ' ', and into folded turned into small
// letters as well. Returns the field's length; terminates neither copy.
// Bytes up to readable (at or after stop) may be read, never used. Both
// outputs need capacity bytes of room.
size_t DecodePathField(const char* p, const char* stop, const char* readable, char* path,
                       char* folded, size_t capacity);

// The kernels themselves, for tests that compare them on every CPU level.
enum class ScanLevel { kScalar, kSse2, kAvx2 };
bool ScanLevelSupported(ScanLevel level);
void ForceScanLevel(ScanLevel level);  // for tests; must be supported
ScanLevel CurrentScanLevel();
