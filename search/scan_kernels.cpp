#include "search/scan_kernels.h"

#include <cstdint>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define ZADE_X86 1
#endif

namespace {

// A run without '\n' over this many 64-byte strides may hold a line longer
// than one piece; a shorter one cannot.
constexpr int kLongRunStrides = 60;

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

const char* FindQueryScalar(const char* from, const char* end, const QueryPattern& q) {
    if (static_cast<size_t>(end - from) < q.Length) return nullptr;
    const char* last = end - q.Length;
    for (const char* p = from; p <= last; ++p)
        if (ProbesHold(p, q) && Verify(p, q)) return p;
    return nullptr;
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

#if ZADE_X86

// The tail after the last whole stride, counted as one more stride.
inline void CountTail(const char* p, const char* end, size_t& count, int& emptyRun, bool& longRun) {
    if (p == end) return;
    bool any = false;
    for (; p < end; ++p)
        if (*p == '\n') {
            ++count;
            any = true;
        }
    if (any)
        emptyRun = 0;
    else if (++emptyRun >= kLongRunStrides)
        longRun = true;
}

__attribute__((target("sse2"))) const char* FindQuerySse2(const char* from, const char* end,
                                                          const QueryPattern& q) {
    if (static_cast<size_t>(end - from) < q.Length) return nullptr;
    const char* last = end - q.Length;
    const __m128i or1 = _mm_set1_epi8(static_cast<char>(q.Or[q.First]));
    const __m128i to1 = _mm_set1_epi8(static_cast<char>(q.Target[q.First]));
    const __m128i or2 = _mm_set1_epi8(static_cast<char>(q.Or[q.Second]));
    const __m128i to2 = _mm_set1_epi8(static_cast<char>(q.Target[q.Second]));
    const char* p = from;
    for (; p + 15 <= last; p += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + q.First));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + q.Second));
        const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, or1), to1),
                                          _mm_cmpeq_epi8(_mm_or_si128(b, or2), to2));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        while (mask != 0) {
            const char* at = p + __builtin_ctz(mask);
            if (Verify(at, q)) return at;
            mask &= mask - 1;
        }
    }
    for (; p <= last; ++p)
        if (ProbesHold(p, q) && Verify(p, q)) return p;
    return nullptr;
}

__attribute__((target("sse2"))) size_t CountNewlinesSse2(const char* data, size_t size,
                                                         bool& mayHoldLongPiece) {
    const __m128i nl = _mm_set1_epi8('\n');
    size_t count = 0;
    int emptyRun = 0;
    bool longRun = false;
    const char* p = data;
    const char* end = data + size;
    for (; end - p >= 64; p += 64) {
        const __m128i* v = reinterpret_cast<const __m128i*>(p);
        const unsigned m0 =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v), nl)));
        const unsigned m1 =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v + 1), nl)));
        const unsigned m2 =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v + 2), nl)));
        const unsigned m3 =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v + 3), nl)));
        const unsigned lo = m0 | (m1 << 16);
        const unsigned hi = m2 | (m3 << 16);
        if ((lo | hi) != 0) {
            count += static_cast<size_t>(__builtin_popcount(lo) + __builtin_popcount(hi));
            emptyRun = 0;
        } else if (++emptyRun >= kLongRunStrides) {
            longRun = true;
        }
    }
    CountTail(p, end, count, emptyRun, longRun);
    mayHoldLongPiece = longRun;
    return count;
}

__attribute__((target("avx2,popcnt,bmi"))) const char* FindQueryAvx2(const char* from,
                                                                     const char* end,
                                                                     const QueryPattern& q) {
    if (static_cast<size_t>(end - from) < q.Length) return nullptr;
    const char* last = end - q.Length;
    const __m256i or1 = _mm256_set1_epi8(static_cast<char>(q.Or[q.First]));
    const __m256i to1 = _mm256_set1_epi8(static_cast<char>(q.Target[q.First]));
    const __m256i or2 = _mm256_set1_epi8(static_cast<char>(q.Or[q.Second]));
    const __m256i to2 = _mm256_set1_epi8(static_cast<char>(q.Target[q.Second]));
    const char* p = from;
    for (; p + 63 <= last; p += 64) {
        const __m256i a0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.First));
        const __m256i b0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.Second));
        const __m256i a1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.First + 32));
        const __m256i b1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + q.Second + 32));
        const __m256i hit0 = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a0, or1), to1),
                                              _mm256_cmpeq_epi8(_mm256_or_si256(b0, or2), to2));
        const __m256i hit1 = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a1, or1), to1),
                                              _mm256_cmpeq_epi8(_mm256_or_si256(b1, or2), to2));
        if (_mm256_testz_si256(_mm256_or_si256(hit0, hit1), _mm256_or_si256(hit0, hit1))) continue;
        for (int half = 0; half < 2; ++half) {
            unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(half == 0 ? hit0 : hit1));
            while (mask != 0) {
                const char* at = p + half * 32 + __builtin_ctz(mask);
                if (Verify(at, q)) return at;
                mask &= mask - 1;
            }
        }
    }
    for (; p <= last; ++p)
        if (ProbesHold(p, q) && Verify(p, q)) return p;
    return nullptr;
}

__attribute__((target("avx2,popcnt,bmi"))) size_t CountNewlinesAvx2(const char* data, size_t size,
                                                                    bool& mayHoldLongPiece) {
    const __m256i nl = _mm256_set1_epi8('\n');
    size_t count = 0;
    int emptyRun = 0;
    bool longRun = false;
    const char* p = data;
    const char* end = data + size;
    for (; end - p >= 64; p += 64) {
        const __m256i* v = reinterpret_cast<const __m256i*>(p);
        const uint32_t lo = static_cast<uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_loadu_si256(v), nl)));
        const uint32_t hi = static_cast<uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_loadu_si256(v + 1), nl)));
        if ((lo | hi) != 0) {
            count += static_cast<size_t>(__builtin_popcount(lo) + __builtin_popcount(hi));
            emptyRun = 0;
        } else if (++emptyRun >= kLongRunStrides) {
            longRun = true;
        }
    }
    CountTail(p, end, count, emptyRun, longRun);
    mayHoldLongPiece = longRun;
    return count;
}

#endif  // ZADE_X86

struct Kernels {
    ScanLevel Level;
    const char* (*Find)(const char*, const char*, const QueryPattern&);
    size_t (*Count)(const char*, size_t, bool&);
};

Kernels KernelsFor(ScanLevel level) {
#if ZADE_X86
    if (level == ScanLevel::kAvx2) return {level, FindQueryAvx2, CountNewlinesAvx2};
    if (level == ScanLevel::kSse2) return {level, FindQuerySse2, CountNewlinesSse2};
#endif
    return {ScanLevel::kScalar, FindQueryScalar, CountNewlinesScalar};
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
    return Active().Find(from, end, pattern);
}

size_t CountNewlines(const char* data, size_t size, bool& mayHoldLongPiece) {
    return Active().Count(data, size, mayHoldLongPiece);
}
