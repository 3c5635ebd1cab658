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
