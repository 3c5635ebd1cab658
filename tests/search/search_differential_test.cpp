// The fast pass and the plain step-by-step search must agree exactly: the
// same calls on the view, the same entries, the same summary.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "adversarial_index.h"
#include "bench/literal_search.h"
#include "recording_view.h"
#include "search/scan_kernels.h"
#include "search/search_run.h"
#include "temp_index.h"

namespace {

#ifdef ZADE_ODD_SIZE_FIELDS
constexpr bool kOddSizes = true;
#else
constexpr bool kOddSizes = false;
#endif

::testing::AssertionResult SameRun(const char* indexFile, const std::string& query, int type,
                                   int size, int limit) {
    memset(QueryText, 0, sizeof QueryText);
    memcpy(QueryText, query.data(), query.size());
    RecordingView fast;
    RunSearch(fast, type, size, limit, indexFile);

    static char literalQuery[kQueryTextSize];
    memset(literalQuery, 0, sizeof literalQuery);
    memcpy(literalQuery, query.data(), query.size());
    RecordingView plain;
    LiteralRunSearch(plain, literalQuery, type, size, limit, indexFile);

    auto failure = [&](const char* what) {
        return ::testing::AssertionFailure()
               << what << " differ for query [" << query << "] type " << type << " size " << size
               << " limit " << limit << ": fast [" << fast.Status << "], plain [" << plain.Status
               << "]";
    };
    if (fast.Status != plain.Status) return failure("summaries");
    if (fast.Shown != plain.Shown) return failure("shown entries");
    if (fast.Recorded != plain.Recorded) return failure("recorded entries");
    if (fast.Calls != plain.Calls) return failure("view calls");
    if (strcmp(QueryText, literalQuery) != 0) return failure("rewritten queries");
    return ::testing::AssertionSuccess();
}

const char* const kQueries[] = {
    "holiday",   "HOLIDAY",
    "",          "*",
    "...",       "-.-",
    "a",         "e",
    ".jpg",      ".",
    "-",         "a.",
    "x-",        " ",
    "my pic",    "y p",
    "\xC4iti",   "\xE4iti",
    "\xC9t",     "a*b",
    "*x",        "?",
    "\t",        "c:\\",
    "0000",      "4d2",
    "zzzz",      "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq",
    "\\holiday", "second",
    "piece",     "d.",
    "1 c",       "..zip"};

class DifferentialTest : public ::testing::TestWithParam<ScanLevel> {
protected:
    void SetUp() override {
        if (!ScanLevelSupported(GetParam())) GTEST_SKIP() << "CPU lacks this level";
        Saved = CurrentScanLevel();
        ForceScanLevel(GetParam());
    }
    void TearDown() override {
        if (ScanLevelSupported(GetParam())) ForceScanLevel(Saved);
    }
    ScanLevel Saved = ScanLevel::kScalar;
};

TEST_P(DifferentialTest, SmallAdversarialIndexes) {
    std::mt19937 random(1000 + static_cast<int>(GetParam()));
    for (int round = 0; round < 4; ++round) {
        TempIndex index;
        const LongLines longLines = round == 0   ? LongLines::kNone
                                    : round == 1 ? LongLines::kAroundTheCut
                                                 : LongLines::kManyPieces;
        index.Write(AdversarialIndex(random, 400, kOddSizes, longLines));
        for (const char* query : kQueries) {
            ASSERT_TRUE(SameRun(index.c_str(), query, 0, 0, kDefaultResultLimit))
                << "round " << round;
            const int type = static_cast<int>(random() % 5);
            const int size = static_cast<int>(random() % 5);
            ASSERT_TRUE(SameRun(index.c_str(), query, type, size, kDefaultResultLimit));
            ASSERT_TRUE(
                SameRun(index.c_str(), query, type, 0, 1 + static_cast<int>(random() % 40)));
        }
        for (int type = 0; type < 5; ++type)
            for (int size = 0; size < 5; ++size) {
                ASSERT_TRUE(SameRun(index.c_str(), "", type, size, kDefaultResultLimit));
                ASSERT_TRUE(SameRun(index.c_str(), "HOLIDAY", type, size, 7));
            }
    }
}

TEST_P(DifferentialTest, IndexOverSeveralBlocks) {
    std::mt19937 random(77 + static_cast<int>(GetParam()));
    TempIndex index;
    index.Write(AdversarialIndex(random, 9000, kOddSizes, LongLines::kNone) +
                AdversarialIndex(random, 3000, kOddSizes, LongLines::kManyPieces) +
                AdversarialIndex(random, 6000, kOddSizes, LongLines::kNone));
    for (const char* query : {"holiday", "", "zzzz", "piece", "a"}) {
        ASSERT_TRUE(SameRun(index.c_str(), query, 0, 0, kDefaultResultLimit));
        ASSERT_TRUE(SameRun(index.c_str(), query, 3, 1, kDefaultResultLimit));
        ASSERT_TRUE(SameRun(index.c_str(), query, 0, 4, kDefaultResultLimit));
        ASSERT_TRUE(SameRun(index.c_str(), query, 1, 0, 500));
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, DifferentialTest,
                         ::testing::Values(ScanLevel::kScalar, ScanLevel::kSse2, ScanLevel::kAvx2),
                         [](const auto& info) {
                             return std::string(info.param == ScanLevel::kScalar ? "Scalar"
                                                : info.param == ScanLevel::kSse2 ? "Sse2"
                                                                                 : "Avx2");
                         });

}  // namespace
