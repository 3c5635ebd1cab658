#include "search/scan_kernels.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace {

const ScanLevel kLevels[] = {ScanLevel::kScalar, ScanLevel::kSse2, ScanLevel::kAvx2};

class LevelGuard {
public:
    LevelGuard() : Saved(CurrentScanLevel()) {}
    ~LevelGuard() { ForceScanLevel(Saved); }

private:
    ScanLevel Saved;
};

TEST(BuildQueryPattern, QueriesNoFoldedPathCanHold) {
    std::unique_ptr<QueryPattern> pattern(new QueryPattern);
    for (const char* query :
         {"a?b", "?", "aB", "\xC4", "\xD6x", "x\xC5", "a\tb", "\r", "\n", "\v", "\f"})
        EXPECT_FALSE(BuildQueryPattern(query, *pattern)) << query;
    for (const char* query : {"a", " ", "a b", "\xE4", "\xC9", "*x", ".", "\xFF"})
        EXPECT_TRUE(BuildQueryPattern(query, *pattern)) << query;
    EXPECT_FALSE(BuildQueryPattern("", *pattern));
}

TEST(BuildQueryPattern, RawBytesStandingForTheQuery) {
    std::unique_ptr<QueryPattern> pattern(new QueryPattern);
    ASSERT_TRUE(BuildQueryPattern("a \xE4\xC9", *pattern));
    ASSERT_EQ(pattern->Length, 4u);
    auto stands = [&](size_t j, unsigned char raw) {
        return (raw | pattern->Or[j]) == pattern->Target[j];
    };
    for (int raw = 0; raw < 256; ++raw) {
        const unsigned char r = static_cast<unsigned char>(raw);
        EXPECT_EQ(stands(0, r), r == 'a' || r == 'A') << raw;
        EXPECT_EQ(stands(1, r), r == '?') << raw;
        EXPECT_EQ(stands(2, r), r == 0xE4 || r == 0xC4) << raw;
        EXPECT_EQ(stands(3, r), r == 0xC9) << raw;
    }
    EXPECT_LT(pattern->First, 4u);
    EXPECT_LT(pattern->Second, 4u);
}

TEST(ScanKernels, EveryLevelFindsWhatTheScalarOneFinds) {
    LevelGuard guard;
    std::mt19937 random(3);
    std::unique_ptr<QueryPattern> pattern(new QueryPattern);
    const std::string alphabet = "abAB?\\.\xE4\xC4\n";
    for (int round = 0; round < 300; ++round) {
        std::string haystack(random() % 400, 'x');
        for (char& c : haystack) c = alphabet[random() % alphabet.size()];
        std::string query(1 + random() % 6, 'a');
        for (char& c : query) c = "ab \\.\xE4"[random() % 6];
        ASSERT_TRUE(BuildQueryPattern(query.c_str(), *pattern));
        const char* begin = haystack.data();
        const char* end = begin + haystack.size();
        ForceScanLevel(ScanLevel::kScalar);
        std::vector<const char*> expected;
        for (const char* p = begin; (p = FindQuery(p, end, *pattern)) != nullptr; ++p)
            expected.push_back(p);
        for (ScanLevel level : kLevels) {
            if (!ScanLevelSupported(level)) continue;
            ForceScanLevel(level);
            std::vector<const char*> found;
            for (const char* p = begin; (p = FindQuery(p, end, *pattern)) != nullptr; ++p)
                found.push_back(p);
            ASSERT_EQ(found, expected) << "level " << static_cast<int>(level) << " query " << query;
        }
    }
}

TEST(ScanKernels, CountingFindKeepsItsAccount) {
    LevelGuard guard;
    std::mt19937 random(9);
    std::unique_ptr<QueryPattern> pattern(new QueryPattern);
    for (int round = 0; round < 300; ++round) {
        std::string haystack;
        while (haystack.size() < 6000 + random() % 3000) {
            const size_t length = random() % 4 ? random() % 90 : 1000 + random() % 4000;
            for (size_t i = 0; i < length; ++i) haystack += "abAB?\\."[random() % 7];
            haystack += '\n';
        }
        std::string query(1 + random() % 5, 'a');
        for (char& c : query) c = "ab \\."[random() % 5];
        if (round % 3 == 0) query = std::string(40 + random() % 200, 'a');
        ASSERT_TRUE(BuildQueryPattern(query.c_str(), *pattern));
        const char* end = haystack.data() + haystack.size();
        for (ScanLevel level : kLevels) {
            if (!ScanLevelSupported(level)) continue;
            ForceScanLevel(level);
            for (const char* from = haystack.data(); from < end;) {
                size_t newlines = 0;
                bool quiet = false;
                const char* scanned = nullptr;
                const char* hit = FindQueryCounting(from, end, *pattern, newlines, scanned, quiet);
                ASSERT_EQ(hit, FindQuery(from, end, *pattern)) << static_cast<int>(level);
                ASSERT_TRUE(hit == nullptr ? scanned == end : scanned <= hit && scanned >= from);
                size_t expected = 0, run = 0, longest = 0;
                for (const char* p = from; p < scanned; ++p) {
                    expected += *p == '\n';
                    run = *p == '\n' ? 0 : run + 1;
                    longest = run > longest ? run : longest;
                }
                ASSERT_EQ(newlines, expected) << static_cast<int>(level);
                if (longest >= kMaxLinePiece - 1) {
                    ASSERT_TRUE(quiet) << static_cast<int>(level);
                }
                if (hit == nullptr) break;
                from = hit + 1;
            }
        }
    }
}

TEST(ScanKernels, PathFieldDecodedAlikeOnEveryLevel) {
    LevelGuard guard;
    std::mt19937 random(13);
    for (int round = 0; round < 2000; ++round) {
        std::string field(random() % 80, 'x');
        // The field may be cut short of the bytes that can be read.
        const size_t stopAt = round % 3 == 0 ? random() % (field.size() + 1) : field.size();
        for (char& c : field)
            c = static_cast<char>(random() % 4 ? "aZ?\\.\xC4\xD6\xC5\xC9@["[random() % 12]
                                               : random() % 256);
        const size_t capacity = round % 5 == 0 ? 1 + random() % 40 : 4096;
        std::string expectedPath, expectedFolded;
        for (unsigned char c : field.substr(0, stopAt)) {
            if (c == 0 || c == ' ' || (c >= '\t' && c <= '\r') ||
                expectedPath.size() + 1 >= capacity)
                break;
            const unsigned char d = c == '?' ? ' ' : c;
            expectedPath += static_cast<char>(d);
            const bool capital = (d >= 'A' && d <= 'Z') || d == 0xC4 || d == 0xD6 || d == 0xC5;
            expectedFolded += static_cast<char>(capital ? d | 0x20 : d);
        }
        for (ScanLevel level : kLevels) {
            if (!ScanLevelSupported(level)) continue;
            ForceScanLevel(level);
            std::vector<char> path(capacity), folded(capacity);
            const size_t n =
                DecodePathField(field.data(), field.data() + stopAt, field.data() + field.size(),
                                path.data(), folded.data(), capacity);
            ASSERT_EQ(std::string(path.data(), n), expectedPath) << static_cast<int>(level);
            ASSERT_EQ(std::string(folded.data(), n), expectedFolded) << static_cast<int>(level);
        }
    }
}

TEST(ScanKernels, NewlineCountAndLongRuns) {
    LevelGuard guard;
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        size_t count = 0;
        while (bytes.size() < 20000) {
            const size_t length = random() % 2 ? random() % 100 : 3990 + random() % 20;
            bytes += std::string(length, 'x');
            if (random() % 3) {
                bytes += '\n';
                ++count;
            }
        }
        for (ScanLevel level : kLevels) {
            if (!ScanLevelSupported(level)) continue;
            ForceScanLevel(level);
            for (size_t offset : {size_t(0), size_t(1), size_t(37)}) {
                bool mayHoldLongPiece = false;
                size_t expected = 0, runHere = 0, longestHere = 0;
                for (size_t i = offset; i < bytes.size(); ++i) {
                    if (bytes[i] == '\n') ++expected;
                    runHere = bytes[i] == '\n' ? 0 : runHere + 1;
                    if (runHere > longestHere) longestHere = runHere;
                }
                EXPECT_EQ(
                    CountNewlines(bytes.data() + offset, bytes.size() - offset, mayHoldLongPiece),
                    expected);
                // A run that makes a piece of its own must never go unnoticed.
                if (longestHere >= kMaxLinePiece) {
                    EXPECT_TRUE(mayHoldLongPiece);
                }
                if (longestHere < 1000) {
                    EXPECT_FALSE(mayHoldLongPiece);
                }
            }
        }
    }
}

}  // namespace
