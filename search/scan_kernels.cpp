#include "search/scan_kernels.h"

#include <cstdint>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define ZADE_X86 1
#endif

namespace {

// A run without '\n' of at least 2 * kQuietChunk - 1 bytes holds a whole
// aligned chunk of this size; a piece is longer than that.
constexpr size_t kQuietChunk = 1024;
static_assert(2 * kQuietChunk - 1 < kMaxLinePiece - 1, "a long run must hold a whole chunk");

// Bytes of typical paths from common to rare; a byte not listed is rarer still.
constexpr char kCommonToRare[] = "\\.e?aitsonrlcdm-pu_0123hgbfw4567y89kvxjqz";

int Rarity(unsigned char target) {
    const char* hit = strchr(kCommonToRare, static_cast<char>(target));
    return (hit != nullptr && target != 0) ? static_cast<int>(hit - kCommonToRare) : 1000;
}

inline bool Verify(const char* at, const QueryPattern& q) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(at);
    for (size_t j = 0; j < q.Length; ++j)
        if ((u[j] | q.Or[j]) != q.Target[j]) return false;
    return true;
}

inline bool ProbesHold(const char* at, const QueryPattern& q) {
    const unsigned char a = static_cast<unsigned char>(at[q.First]);
    const unsigned char b = static_cast<unsigned char>(at[q.Second]);
    return (a | q.Or[q.First]) == q.Target[q.First] && (b | q.Or[q.Second]) == q.Target[q.Second];
}

const char* FindQueryCountingScalar(const char* from, const char* end, const QueryPattern& q,
                                    size_t& newlines, const char*& scannedTo, bool& quiet) {
    const char* last = static_cast<size_t>(end - from) >= q.Length ? end - q.Length : nullptr;
    size_t run = 0;
    for (const char* p = from; p < end; ++p) {
        if (last != nullptr && p <= last && ProbesHold(p, q) && Verify(p, q)) {
            scannedTo = p;
            return p;
        }
        if (*p == '\n') {
            ++newlines;
            run = 0;
        } else if (++run >= kMaxLinePiece - 1) {
            quiet = true;
        }
    }
    scannedTo = end;
    return nullptr;
}

constexpr unsigned char FoldDecoded(unsigned char c) {
    return ((c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xC5)
               ? static_cast<unsigned char>(c | 0x20)
               : c;
}

struct FieldTables {
    bool Ends[256];
    unsigned char Decoded[256];
    unsigned char Folded[256];
    constexpr FieldTables() : Ends(), Decoded(), Folded() {
        for (int c = 0; c < 256; ++c) {
            Ends[c] = c == 0 || c == ' ' || (c >= '\t' && c <= '\r');
            Decoded[c] = static_cast<unsigned char>(c == '?' ? ' ' : c);
            Folded[c] = FoldDecoded(Decoded[c]);
        }
    }
};
constexpr FieldTables kField;

inline size_t DecodeTail(const unsigned char* p, const unsigned char* stop, char* path,
                         char* folded, size_t n, size_t capacity) {
    while (p < stop && !kField.Ends[*p] && n + 1 < capacity) {
        path[n] = static_cast<char>(kField.Decoded[*p]);
        folded[n] = static_cast<char>(kField.Folded[*p]);
        ++p;
        ++n;
    }
    return n;
}

size_t DecodePathFieldScalar(const char* p, const char* stop, const char*, char* path, char* folded,
                             size_t capacity) {
    return DecodeTail(reinterpret_cast<const unsigned char*>(p),
                      reinterpret_cast<const unsigned char*>(stop), path, folded, 0, capacity);
}

size_t CountNewlinesScalar(const char* data, size_t size, bool& mayHoldLongPiece) {
    size_t count = 0;
    size_t run = 0;
    bool longRun = false;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            ++count;
            run = 0;
        } else if (++run >= kMaxLinePiece - 1) {
            longRun = true;
        }
    }
    mayHoldLongPiece = longRun;
    return count;
}

size_t FindNewlinesScalar(const char* data, size_t size, uint32_t* offsets) {
    size_t n = 0;
    for (size_t i = 0; i < size; ++i)
        if (data[i] == '\n') offsets[n++] = static_cast<uint32_t>(i);
    return n;
}

#if ZADE_X86

inline void EmitOffsets(uint32_t mask, uint32_t base, uint32_t* offsets, size_t& n) {
    while (mask != 0) {
        offsets[n++] = base + static_cast<uint32_t>(__builtin_ctz(mask));
        mask &= mask - 1;
    }
}

// The bytes after the vector loop of a counting find.
inline const char* FindCountingTail(const char* p, const char* end, const QueryPattern& q,
                                    size_t& newlines, const char*& scannedTo, bool& quiet) {
    const char* last = static_cast<size_t>(end - p) >= q.Length ? end - q.Length : nullptr;
    size_t run = 0;
    for (; p < end; ++p) {
        if (last != nullptr && p <= last && ProbesHold(p, q) && Verify(p, q)) {
            scannedTo = p;
            return p;
        }
        if (*p == '\n') {
            ++newlines;
            run = 0;
        } else if (++run >= kQuietChunk) {
            quiet = true;
        }
    }
    scannedTo = end;
    return nullptr;
}

// The bytes after the last whole chunk.
inline void CountTail(const char* p, const char* end, size_t& count, bool& longRun) {
    size_t run = 0;
    for (; p < end; ++p) {
        if (*p == '\n') {
            ++count;
            run = 0;
        } else if (++run >= kQuietChunk) {
            longRun = true;
        }
    }
}

__attribute__((target("sse2"))) size_t CountNewlinesSse2(const char* data, size_t size,
                                                         bool& mayHoldLongPiece) {
    const __m128i nl = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    size_t count = 0;
    bool longRun = false;
    const char* p = data;
    const char* end = data + size;
    for (; static_cast<size_t>(end - p) >= kQuietChunk; p += kQuietChunk) {
        __m128i lanes = zero;
        for (size_t i = 0; i < kQuietChunk; i += 32) {
            const __m128i* v = reinterpret_cast<const __m128i*>(p + i);
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(_mm_loadu_si128(v), nl));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(_mm_loadu_si128(v + 1), nl));
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        const size_t chunkCount = static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
                                  static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
        if (chunkCount == 0) longRun = true;
        count += chunkCount;
    }
    CountTail(p, end, count, longRun);
    mayHoldLongPiece = longRun;
    return count;
}

__attribute__((target("sse2"))) inline size_t LaneSumSse2(__m128i lanes) {
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    return static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
           static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
}

__attribute__((target("sse2"))) const char* FindQueryCountingSse2(const char* from, const char* end,
                                                                  const QueryPattern& q,
                                                                  size_t& newlines,
                                                                  const char*& scannedTo,
                                                                  bool& quiet) {
    const char* p = from;
    if (static_cast<size_t>(end - from) >= q.Length + 31) {
        const char* last = end - q.Length;
        const __m128i nl = _mm_set1_epi8('\n');
        const __m128i or1 = _mm_set1_epi8(static_cast<char>(q.Or[q.First]));
        const __m128i to1 = _mm_set1_epi8(static_cast<char>(q.Target[q.First]));
        const __m128i or2 = _mm_set1_epi8(static_cast<char>(q.Or[q.Second]));
        const __m128i to2 = _mm_set1_epi8(static_cast<char>(q.Target[q.Second]));
        __m128i lanes = _mm_setzero_si128();
        size_t strides = 0;
        for (; p + 31 <= last; p += 32) {
            const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + q.First));
            const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + q.Second));
            const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + q.First + 16));
            const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + q.Second + 16));
            const __m128i hit0 = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a0, or1), to1),
                                               _mm_cmpeq_epi8(_mm_or_si128(b0, or2), to2));
            const __m128i hit1 = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a1, or1), to1),
                                               _mm_cmpeq_epi8(_mm_or_si128(b1, or2), to2));
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit0)) |
                            (static_cast<unsigned>(_mm_movemask_epi8(hit1)) << 16);
            while (mask != 0) {
                const char* at = p + __builtin_ctz(mask);
                if (Verify(at, q)) {
                    newlines += LaneSumSse2(lanes);
                    scannedTo = p;
                    return at;
                }
                mask &= mask - 1;
            }
            const __m128i* v = reinterpret_cast<const __m128i*>(p);
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(_mm_loadu_si128(v), nl));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(_mm_loadu_si128(v + 1), nl));
            if (++strides == kQuietChunk / 32) {
                const size_t chunk = LaneSumSse2(lanes);
                if (chunk == 0) quiet = true;
                newlines += chunk;
                lanes = _mm_setzero_si128();
                strides = 0;
            }
        }
        newlines += LaneSumSse2(lanes);
    }
    return FindCountingTail(p, end, q, newlines, scannedTo, quiet);
}

__attribute__((target("sse2"))) size_t DecodePathFieldSse2(const char* p, const char* stop,
                                                           const char* readable, char* path,
                                                           char* folded, size_t capacity) {
    const __m128i question = _mm_set1_epi8('?');
    const __m128i toSpace = _mm_set1_epi8('?' ^ ' ');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i zero = _mm_setzero_si128();
    const __m128i tab = _mm_set1_epi8('\t'), cr = _mm_set1_epi8('\r');
    const __m128i bigA = _mm_set1_epi8('A'), bigZ = _mm_set1_epi8('Z');
    const __m128i c4 = _mm_set1_epi8(static_cast<char>(0xC4));
    const __m128i d6 = _mm_set1_epi8(static_cast<char>(0xD6));
    const __m128i c5 = _mm_set1_epi8(static_cast<char>(0xC5));
    const __m128i small = _mm_set1_epi8(0x20);
    size_t n = 0;
    while (p < stop && readable - p >= 16 && n + 16 < capacity) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i control = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, tab), v),
                                              _mm_cmpeq_epi8(_mm_min_epu8(v, cr), v));
        const __m128i ends =
            _mm_or_si128(control, _mm_or_si128(_mm_cmpeq_epi8(v, zero), _mm_cmpeq_epi8(v, space)));
        const __m128i decoded =
            _mm_xor_si128(v, _mm_and_si128(_mm_cmpeq_epi8(v, question), toSpace));
        const __m128i letter = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, bigA), v),
                                             _mm_cmpeq_epi8(_mm_min_epu8(v, bigZ), v));
        const __m128i latin = _mm_or_si128(
            _mm_cmpeq_epi8(v, c4), _mm_or_si128(_mm_cmpeq_epi8(v, d6), _mm_cmpeq_epi8(v, c5)));
        const __m128i lowered =
            _mm_or_si128(decoded, _mm_and_si128(_mm_or_si128(letter, latin), small));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(path + n), decoded);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(folded + n), lowered);
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(ends));
        if (stop - p < 16) mask |= 1u << (stop - p);  // the field ends with its piece
        if (mask != 0) return n + static_cast<size_t>(__builtin_ctz(mask));
        p += 16;
        n += 16;
    }
    return DecodeTail(reinterpret_cast<const unsigned char*>(p),
                      reinterpret_cast<const unsigned char*>(stop), path, folded, n, capacity);
}

__attribute__((target("sse2"))) size_t FindNewlinesSse2(const char* data, size_t size,
                                                        uint32_t* offsets) {
    const __m128i nl = _mm_set1_epi8('\n');
    size_t n = 0;
    size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        const __m128i* v = reinterpret_cast<const __m128i*>(data + i);
        const unsigned lo =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v), nl)));
        const unsigned hi =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v + 1), nl)));
        EmitOffsets(lo | (hi << 16), static_cast<uint32_t>(i), offsets, n);
    }
    for (; i < size; ++i)
        if (data[i] == '\n') offsets[n++] = static_cast<uint32_t>(i);
    return n;
}

__attribute__((target("avx2,popcnt,bmi"))) size_t FindNewlinesAvx2(const char* data, size_t size,
                                                                   uint32_t* offsets) {
    const __m256i nl = _mm256_set1_epi8('\n');
    size_t n = 0;
    size_t i = 0;
    for (; i + 64 <= size; i += 64) {
        const __m256i* v = reinterpret_cast<const __m256i*>(data + i);
        const uint32_t lo = static_cast<uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_loadu_si256(v), nl)));
        const uint32_t hi = static_cast<uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_loadu_si256(v + 1), nl)));
        EmitOffsets(lo, static_cast<uint32_t>(i), offsets, n);
        EmitOffsets(hi, static_cast<uint32_t>(i + 32), offsets, n);
    }
    for (; i < size; ++i)
        if (data[i] == '\n') offsets[n++] = static_cast<uint32_t>(i);
    return n;
}

__attribute__((target("avx2,popcnt,bmi"))) inline size_t LaneSum(__m256i lanes) {
    const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
    const __m128i half =
        _mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
    return static_cast<size_t>(_mm_cvtsi128_si32(half)) +
           static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(half, 8)));
}

__attribute__((target("avx2,popcnt,bmi"))) const char* FindQueryCountingAvx2(
    const char* from, const char* end, const QueryPattern& q, size_t& newlines,
    const char*& scannedTo, bool& quiet) {
    const char* p = from;
    if (static_cast<size_t>(end - from) >= q.Length + 63) {
        const char* last = end - q.Length;
        const __m256i nl = _mm256_set1_epi8('\n');
        const __m256i or1 = _mm256_set1_epi8(static_cast<char>(q.Or[q.First]));
        const __m256i to1 = _mm256_set1_epi8(static_cast<char>(q.Target[q.First]));
        const __m256i or2 = _mm256_set1_epi8(static_cast<char>(q.Or[q.Second]));
        const __m256i to2 = _mm256_set1_epi8(static_cast<char>(q.Target[q.Second]));
        __m256i lanes = _mm256_setzero_si256();
        size_t strides = 0;
        for (; p + 63 <= last; p += 64) {
            const __m256i a0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.First));
            const __m256i b0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.Second));
            const __m256i a1 =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.First + 32));
            const __m256i b1 =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.Second + 32));
            const __m256i hit0 = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a0, or1), to1),
                                                  _mm256_cmpeq_epi8(_mm256_or_si256(b0, or2), to2));
            const __m256i hit1 = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a1, or1), to1),
                                                  _mm256_cmpeq_epi8(_mm256_or_si256(b1, or2), to2));
            const __m256i any = _mm256_or_si256(hit0, hit1);
            if (!_mm256_testz_si256(any, any)) {
                for (int half = 0; half < 2; ++half) {
                    unsigned mask =
                        static_cast<unsigned>(_mm256_movemask_epi8(half == 0 ? hit0 : hit1));
                    while (mask != 0) {
                        const char* at = p + half * 32 + __builtin_ctz(mask);
                        if (Verify(at, q)) {
                            newlines += LaneSum(lanes);
                            scannedTo = p;
                            return at;
                        }
                        mask &= mask - 1;
                    }
                }
            }
            const __m256i* v = reinterpret_cast<const __m256i*>(p);
            lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(_mm256_loadu_si256(v), nl));
            lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(_mm256_loadu_si256(v + 1), nl));
            if (++strides == kQuietChunk / 64) {
                const size_t chunk = LaneSum(lanes);
                if (chunk == 0) quiet = true;
                newlines += chunk;
                lanes = _mm256_setzero_si256();
                strides = 0;
            }
        }
        newlines += LaneSum(lanes);
    }
    return FindCountingTail(p, end, q, newlines, scannedTo, quiet);
}

__attribute__((target("avx2,popcnt,bmi"))) size_t DecodePathFieldAvx2(const char* p,
                                                                      const char* stop,
                                                                      const char* readable,
                                                                      char* path, char* folded,
                                                                      size_t capacity) {
    const __m256i question = _mm256_set1_epi8('?');
    const __m256i toSpace = _mm256_set1_epi8('?' ^ ' ');
    const __m256i space = _mm256_set1_epi8(' ');
    const __m256i zero = _mm256_setzero_si256();
    const __m256i tab = _mm256_set1_epi8('\t'), cr = _mm256_set1_epi8('\r');
    const __m256i bigA = _mm256_set1_epi8('A'), bigZ = _mm256_set1_epi8('Z');
    const __m256i c4 = _mm256_set1_epi8(static_cast<char>(0xC4));
    const __m256i d6 = _mm256_set1_epi8(static_cast<char>(0xD6));
    const __m256i c5 = _mm256_set1_epi8(static_cast<char>(0xC5));
    const __m256i small = _mm256_set1_epi8(0x20);
    size_t n = 0;
    while (p < stop && readable - p >= 32 && n + 32 < capacity) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i control = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(v, tab), v),
                                                 _mm256_cmpeq_epi8(_mm256_min_epu8(v, cr), v));
        const __m256i ends = _mm256_or_si256(
            control, _mm256_or_si256(_mm256_cmpeq_epi8(v, zero), _mm256_cmpeq_epi8(v, space)));
        const __m256i decoded =
            _mm256_xor_si256(v, _mm256_and_si256(_mm256_cmpeq_epi8(v, question), toSpace));
        const __m256i letter = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(v, bigA), v),
                                                _mm256_cmpeq_epi8(_mm256_min_epu8(v, bigZ), v));
        const __m256i latin =
            _mm256_or_si256(_mm256_cmpeq_epi8(v, c4),
                            _mm256_or_si256(_mm256_cmpeq_epi8(v, d6), _mm256_cmpeq_epi8(v, c5)));
        const __m256i lowered =
            _mm256_or_si256(decoded, _mm256_and_si256(_mm256_or_si256(letter, latin), small));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(path + n), decoded);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(folded + n), lowered);
        unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(ends));
        if (stop - p < 32) mask |= 1u << (stop - p);  // the field ends with its piece
        if (mask != 0) return n + static_cast<size_t>(__builtin_ctz(mask));
        p += 32;
        n += 32;
    }
    return n + DecodePathFieldSse2(p, stop, readable, path + n, folded + n, capacity - n);
}

__attribute__((target("avx2,popcnt,bmi"))) size_t CountNewlinesAvx2(const char* data, size_t size,
                                                                    bool& mayHoldLongPiece) {
    // Each chunk of kQuietChunk bytes is counted as a whole; a chunk without
    // '\n' is what any run longer than a piece must contain.
    const __m256i nl = _mm256_set1_epi8('\n');
    const __m256i zero = _mm256_setzero_si256();
    size_t count = 0;
    bool longRun = false;
    const char* p = data;
    const char* end = data + size;
    for (; static_cast<size_t>(end - p) >= kQuietChunk; p += kQuietChunk) {
        __m256i lanes = zero;
        for (size_t i = 0; i < kQuietChunk; i += 64) {
            const __m256i* v = reinterpret_cast<const __m256i*>(p + i);
            lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(_mm256_loadu_si256(v), nl));
            lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(_mm256_loadu_si256(v + 1), nl));
        }
        const __m256i sums = _mm256_sad_epu8(lanes, zero);
        const __m128i half =
            _mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
        const size_t chunkCount = static_cast<size_t>(_mm_cvtsi128_si32(half)) +
                                  static_cast<size_t>(_mm_cvtsi128_si32(_mm_srli_si128(half, 8)));
        if (chunkCount == 0) longRun = true;
        count += chunkCount;
    }
    CountTail(p, end, count, longRun);
    mayHoldLongPiece = longRun;
    return count;
}

#endif  // ZADE_X86

struct Kernels {
    ScanLevel Level;
    size_t (*Count)(const char*, size_t, bool&);
    size_t (*Newlines)(const char*, size_t, uint32_t*);
    const char* (*FindCounting)(const char*, const char*, const QueryPattern&, size_t&,
                                const char*&, bool&);
    size_t (*Decode)(const char*, const char*, const char*, char*, char*, size_t);
};

Kernels KernelsFor(ScanLevel level) {
#if ZADE_X86
    if (level == ScanLevel::kAvx2)
        return {level, CountNewlinesAvx2, FindNewlinesAvx2, FindQueryCountingAvx2,
                DecodePathFieldAvx2};
    if (level == ScanLevel::kSse2)
        return {level, CountNewlinesSse2, FindNewlinesSse2, FindQueryCountingSse2,
                DecodePathFieldSse2};
#endif
    return {ScanLevel::kScalar, CountNewlinesScalar, FindNewlinesScalar, FindQueryCountingScalar,
            DecodePathFieldScalar};
}

ScanLevel BestLevel() {
    if (ScanLevelSupported(ScanLevel::kAvx2)) return ScanLevel::kAvx2;
    if (ScanLevelSupported(ScanLevel::kSse2)) return ScanLevel::kSse2;
    return ScanLevel::kScalar;
}

Kernels& Active() {
    static Kernels kernels = KernelsFor(BestLevel());
    return kernels;
}

}  // namespace

bool ScanLevelSupported(ScanLevel level) {
    if (level == ScanLevel::kScalar) return true;
#if ZADE_X86
    __builtin_cpu_init();
    if (level == ScanLevel::kSse2) return __builtin_cpu_supports("sse2");
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") &&
           __builtin_cpu_supports("bmi");
#else
    return false;
#endif
}

void ForceScanLevel(ScanLevel level) {
    Active() = KernelsFor(level);
}

ScanLevel CurrentScanLevel() {
    return Active().Level;
}

bool BuildQueryPattern(const char* foldedQuery, QueryPattern& pattern) {
    const size_t length = strlen(foldedQuery);
    if (length == 0 || length >= kQueryTextSize) return false;
    pattern.Length = length;
    for (size_t j = 0; j < length; ++j) {
        const unsigned char c = static_cast<unsigned char>(foldedQuery[j]);
        const bool letter = (c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 || c == 0xE5;
        const bool capital = (c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xC5;
        const bool whiteSpace = c >= '\t' && c <= '\r';
        if (c == '?' || capital || whiteSpace) return false;
        pattern.Or[j] = letter ? 0x20 : 0;
        pattern.Target[j] = c == ' ' ? '?' : c;
    }
    size_t first = 0;
    for (size_t j = 1; j < length; ++j)
        if (Rarity(pattern.Target[j]) > Rarity(pattern.Target[first])) first = j;
    size_t second = first;
    for (size_t j = 0; j < length; ++j) {
        if (j == first) continue;
        const bool sameByte = pattern.Target[j] == pattern.Target[first];
        const bool secondSame = second == first || pattern.Target[second] == pattern.Target[first];
        if (second == first || (secondSame && !sameByte) ||
            (sameByte == secondSame && Rarity(pattern.Target[j]) > Rarity(pattern.Target[second])))
            second = j;
    }
    pattern.First = first;
    pattern.Second = second;
    return true;
}

const char* FindQuery(const char* from, const char* end, const QueryPattern& pattern) {
    size_t newlines = 0;
    const char* scannedTo = nullptr;
    bool quiet = false;
    return Active().FindCounting(from, end, pattern, newlines, scannedTo, quiet);
}

size_t CountNewlines(const char* data, size_t size, bool& mayHoldLongPiece) {
    return Active().Count(data, size, mayHoldLongPiece);
}

size_t FindNewlines(const char* data, size_t size, uint32_t* offsets) {
    return Active().Newlines(data, size, offsets);
}

const char* FindQueryCounting(const char* from, const char* end, const QueryPattern& pattern,
                              size_t& newlines, const char*& scannedTo, bool& quiet) {
    return Active().FindCounting(from, end, pattern, newlines, scannedTo, quiet);
}

size_t DecodePathField(const char* p, const char* stop, const char* readable, char* path,
                       char* folded, size_t capacity) {
    return Active().Decode(p, stop, readable, path, folded, capacity);
}
