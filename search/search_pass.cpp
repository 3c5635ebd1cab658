#include "search/search_pass.h"

#include <cstring>
#include <memory>

#include "search/filters.h"
#include "search/fold.h"

namespace {

constexpr size_t kSizeFieldDigits = 8;
constexpr int kMaxTrim = 100;

constexpr unsigned char FoldByte(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xC5)
        return static_cast<unsigned char>(c | 0x20);
    return c;
}

// Per byte: whether it ends a "%s" field (white space of the C locale, or
// the NUL that ends the text).
struct ByteTables {
    bool EndsField[256];
    constexpr ByteTables() : EndsField() {
        for (int c = 0; c < 256; ++c) EndsField[c] = c == 0 || c == ' ' || (c >= '\t' && c <= '\r');
    }
};
constexpr ByteTables kBytes;

// Bytes of x (each below 0x80) from lo to hi, as 0x80 in their byte.
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;
inline uint64_t BytesWithin(uint64_t x, unsigned lo, unsigned hi) {
    return (x + kOnes * (0x80 - lo)) & ~(x + kOnes * (0x7F - hi)) & kHighs;
}

// The size of a line written in the usual form: eight digits and a space,
// the digits taken eight at a time.
inline bool PlainSize(const char* line, const char* end, uint32_t& size) {
    if (end - line < static_cast<ptrdiff_t>(kSizeFieldDigits + 1) || line[kSizeFieldDigits] != ' ')
        return false;
    uint64_t v;  // little-endian, as on every target: the first digit is the lowest byte
    memcpy(&v, line, sizeof v);
    if ((v & kHighs) != 0) return false;
    const uint64_t digits = BytesWithin(v, '0', '9');
    const uint64_t letters = BytesWithin(v | (kOnes * 0x20), 'a', 'f');
    if ((digits | letters) != kHighs) return false;
    // Nibble values, first digit in the lowest byte; then pairs, fours, all eight.
    uint64_t t = (v & (kOnes * 0x0F)) + (letters >> 7) * 9;
    t = ((t << 4) | (t >> 8)) & 0x00FF00FF00FF00FFull;
    t = ((t << 8) | (t >> 16)) & 0x0000FFFF0000FFFFull;
    t = ((t << 16) | (t >> 32)) & 0xFFFFFFFFull;
    size = static_cast<uint32_t>(t);
    return true;
}

// Lines are walked in chunks whose newline offsets fit a fixed table.
constexpr size_t kNewlineChunk = 16 * 1024;

class Pass {
public:
    Pass(SearchView& view, const char* foldedQuery, int typeFilter, int sizeFilter, int limit)
        : View(view),
          Query(foldedQuery),
          TypeFilter(typeFilter),
          SizeFilter(sizeFilter),
          Limit(limit) {
        const bool everyText = Query[0] == '\0' || strcmp(Query, "*") == 0;
        Pattern.reset(new QueryPattern);
        if (everyText)
            Mode = kEveryText;
        else if (BuildQueryPattern(Query, *Pattern))
            Mode = kQuery;
        else
            Mode = kNoText;
        TypeTested = TypeFilter > kTypeAll && TypeFilter < kFilterPositions;
        SizeTested = SizeFilter > kSizeAny && SizeFilter < kFilterPositions;
    }

    SearchCounts Run(IndexReader& reader) {
        IndexBlock block;
        while (Counts.Results < Limit && reader.NextBlock(block)) {
            const char* begin = block.Data;
            const char* end = block.Data + block.Size;
            BlockEnd = end;
            if (Mode == kQuery) {
                QueryLines(begin, end);
            } else if (Mode == kEveryText) {
                EveryLine(begin, end);
            } else {
                bool longPiece = false;
                const size_t newlines = CountNewlines(begin, block.Size, longPiece);
                Counts.Total += longPiece ? ExactPieces(begin, end)
                                          : static_cast<int64_t>(newlines) + (end[-1] != '\n');
            }
        }
        return Counts;
    }

private:
    enum ModeKind { kEveryText, kQuery, kNoText };

    // Any block, visiting only the lines that hold a raw match of the query
    // and counting the newlines on the way; a block that may hold a line of
    // several pieces has its pieces counted one by one.
    void QueryLines(const char* begin, const char* end) {
        size_t newlines = 0;
        bool quiet = false;
        for (const char* p = begin; p < end;) {
            const char* scanned = end;
            const char* hit = FindQueryCounting(p, end, *Pattern, newlines, scanned, quiet);
            if (hit == nullptr) break;
            const char* lineBegin = hit;
            while (lineBegin > p && lineBegin[-1] != '\n') --lineBegin;
            const char* lineEnd = static_cast<const char*>(memchr(hit, '\n', end - hit));
            lineEnd = lineEnd == nullptr ? end : lineEnd + 1;
            for (const char* q = scanned; q < lineEnd; ++q) newlines += *q == '\n';
            if (static_cast<size_t>(lineEnd - lineBegin) > kMaxLinePiece) quiet = true;
            const char* stop = HandleLine(lineBegin, lineEnd);
            if (Counts.Results >= Limit) {
                Counts.Total += ExactPieces(begin, stop);
                return;
            }
            p = lineEnd;
        }
        Counts.Total +=
            quiet ? ExactPieces(begin, end) : static_cast<int64_t>(newlines) + (end[-1] != '\n');
    }

    // The pieces of one line, each tested; returns where it stopped, which is
    // the line's end unless the limit was reached first.
    const char* HandleLine(const char* begin, const char* end) {
        if (static_cast<size_t>(end - begin) <= kMaxLinePiece) {
            Handle(begin, end);
            return end;
        }
        const char* p = begin;
        while (p < end && Counts.Results < Limit) {
            const char* next = PieceEnd(p, end);
            Handle(p, next);
            p = next;
        }
        return p;
    }

    static int64_t ExactPieces(const char* begin, const char* end) {
        int64_t pieces = 0;
        for (const char* p = begin; p < end; p = PieceEnd(p, end)) ++pieces;
        return pieces;
    }

    // Any block, line by line, when every text passes: only size and type
    // decide, and most lines are settled by their plain form.
    void EveryLine(const char* begin, const char* end) {
        const char* line = begin;
        for (const char* chunk = begin; chunk < end; chunk += kNewlineChunk) {
            const size_t size = static_cast<size_t>(end - chunk) < kNewlineChunk
                                    ? static_cast<size_t>(end - chunk)
                                    : kNewlineChunk;
            const size_t count = FindNewlines(chunk, size, Newlines);
            for (size_t k = 0; k < count; ++k) {
                if (!NextLine(line, chunk + Newlines[k] + 1)) return;
                line = chunk + Newlines[k] + 1;
            }
        }
        if (line < end) NextLine(line, end);
    }

    // One line of EveryLine; false once the limit is reached.
    bool NextLine(const char* line, const char* next) {
        if (Counts.Results >= Limit) return false;
        if (static_cast<size_t>(next - line) > kMaxLinePiece) {
            // Several pieces, each its own line.
            for (const char* p = line; p < next; p = PieceEnd(p, next)) {
                if (Counts.Results >= Limit) return false;
                ++Counts.Total;
                Handle(p, PieceEnd(p, next));
            }
            return true;
        }
        ++Counts.Total;
        if (!SettledAsMiss(line, next)) Handle(line, next);
        return true;
    }

    // True only when the line surely fails the size or type test.
    bool SettledAsMiss(const char* line, const char* end) const {
        if (!SizeTested && !TypeTested) return false;
        uint32_t size;
        if (!PlainSize(line, end, size)) return false;
        if (SizeTested && !MatchesSize(size, SizeFilter)) return true;
        if (!TypeTested) return false;
        // The path runs from after the space to the line end when it holds no
        // white space, control byte or NUL.
        const char* path = line + kSizeFieldDigits + 1;
        const char* pathEnd = end;
        if (pathEnd > path && pathEnd[-1] == '\n') --pathEnd;
        if (pathEnd > path && pathEnd[-1] == '\r') --pathEnd;
        if (pathEnd == path) return false;
        for (const char* q = path; q < pathEnd; ++q)
            if (static_cast<unsigned char>(*q) <= ' ') return false;
        for (int cut = 0; cut < kMaxTrim && pathEnd > path; ++cut) {
            if (pathEnd[-1] != '.' && pathEnd[-1] != '-') break;
            --pathEnd;
        }
        const size_t length = static_cast<size_t>(pathEnd - path);
        if (length < 5) return true;
        for (const char* const* ending = TypeEndings(TypeFilter); *ending != nullptr; ++ending) {
            const size_t n = strlen(*ending);
            size_t i = 0;
            while (i < n && FoldByte(static_cast<unsigned char>(*(pathEnd - n + i))) ==
                                static_cast<unsigned char>((*ending)[i]))
                ++i;
            if (i == n) return false;
        }
        return true;
    }

    // The tests of one piece; true when it was listed.
    bool Handle(const char* begin, const char* end) {
        size_t length = 0;
        if (!ReadPlainLine(begin, end, length)) {
            if (!ParseIndexLine(begin, static_cast<size_t>(end - begin), Entry, &length))
                return false;
            memcpy(Folded, Entry.Path, length + 1);
            FoldName(Folded);
            length = strlen(Folded);
        }
        if (!MatchesSize(Entry.Size, SizeFilter)) return false;
        if (!MatchesTypeEnding(Folded, length, TypeFilter)) return false;
        if (Mode != kEveryText && !MatchesText(Folded, Query)) return false;
        View.AddFoundEntry(Folded, Entry.Path);
        ++Counts.Results;
        return true;
    }

    // A line in the usual form, read straight into the entry and folded on
    // the way; false for any other line, which the full parse then reads.
    bool ReadPlainLine(const char* begin, const char* end, size_t& foldedLength) {
        uint32_t size;
        if (!PlainSize(begin, end, size)) return false;
        const unsigned char* p =
            reinterpret_cast<const unsigned char*>(begin) + kSizeFieldDigits + 1;
        const unsigned char* stop = reinterpret_cast<const unsigned char*>(end);
        if (p == stop || kBytes.EndsField[*p]) return false;
        Entry.Size = size;
        size_t n = DecodePathField(reinterpret_cast<const char*>(p), end, BlockEnd, Entry.Path,
                                   Folded, kEntryPathSize);
        Entry.Path[n] = '\0';
        for (int cut = 0; cut < kMaxTrim && n > 0; ++cut) {
            if (Folded[n - 1] != '.' && Folded[n - 1] != '-') break;
            --n;
        }
        Folded[n] = '\0';
        foldedLength = n;
        return true;
    }

    SearchView& View;
    const char* BlockEnd = nullptr;  // the pieces handled lie in the block that ends here
    const char* Query;
    int TypeFilter;
    int SizeFilter;
    int Limit;
    ModeKind Mode;
    bool TypeTested;
    bool SizeTested;
    std::unique_ptr<QueryPattern> Pattern;
    SearchCounts Counts;
    IndexEntry Entry;
    char Folded[kEntryPathSize];
    uint32_t Newlines[kNewlineChunk];
};

}  // namespace

SearchCounts SearchIndex(IndexReader& reader, SearchView& view, const char* foldedQuery,
                         int typeFilter, int sizeFilter, int resultLimit) {
    std::unique_ptr<Pass> pass(new Pass(view, foldedQuery, typeFilter, sizeFilter, resultLimit));
    return pass->Run(reader);
}
