#include "search/search_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "recording_view.h"
#include "search/filters.h"
#include "temp_index.h"

namespace {

std::string Summary(int results, int total) {
    char text[128];
    snprintf(text, sizeof text, "Found %d results. Database contains total %d files.", results,
             total);
    return text;
}

std::string Line(uint32_t size, const std::string& path, const char* end = "\r\n") {
    char digits[16];
    snprintf(digits, sizeof digits, "%.8x ", size);
    std::string encoded = path;
    for (char& c : encoded)
        if (c == ' ') c = '?';
    return digits + encoded + end;
}

class SearchRunTest : public ::testing::Test {
protected:
    void SetQuery(const std::string& query) {
        memset(QueryText, 0, sizeof QueryText);
        memcpy(QueryText, query.data(), query.size());
    }
    RecordingView Run(const std::string& query, int type = 0, int size = 0,
                      int limit = kDefaultResultLimit) {
        SetQuery(query);
        RecordingView view;
        RunSearch(view, type, size, limit, Index.c_str());
        return view;
    }
    TempIndex Index;
};

std::string Lines(int count, int firstSize = 0) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += Line(firstSize + i, "c:\\f" + std::to_string(i));
    return bytes;
}

const std::vector<std::string> kSuccessCalls = {"disable", "clear", "status", "enable"};

std::vector<std::string> CallsWithout(const std::vector<std::string>& calls, const char* name) {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
        if (call != name) kept.push_back(call);
    return kept;
}

class LineCountTest : public SearchRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(LineCountTest, EmptyQueryListsUpToTheLimit) {
    const int lines = GetParam();
    Index.Write(Lines(lines));
    const RecordingView view = Run("");
    const int listed = lines < kDefaultResultLimit ? lines : kDefaultResultLimit;
    ASSERT_EQ(static_cast<int>(view.Shown.size()), listed);
    EXPECT_EQ(view.Status, Summary(listed, listed));
    if (listed > 0) {
        EXPECT_EQ(view.Shown.front(), "c:\\f0");
        EXPECT_EQ(view.Shown.back(), "c:\\f" + std::to_string(listed - 1));
    }
    EXPECT_EQ(CallsWithout(view.Calls, "add"), kSuccessCalls);
    EXPECT_STREQ(QueryText, "*");
}

INSTANTIATE_TEST_SUITE_P(Counts, LineCountTest,
                         ::testing::Values(0, 1, 2, 9999, 10000, 10001, 25000));

TEST_F(SearchRunTest, TotalStopsAtTheLineOfTheLastResult) {
    // Every third line matches; the 10,000th match is line 30,000 of 40,000.
    std::string bytes;
    for (int i = 1; i <= 40000; ++i)
        bytes +=
            Line(i, i % 3 == 0 ? "c:\\hit" + std::to_string(i) : "c:\\miss" + std::to_string(i));
    Index.Write(bytes);
    const RecordingView view = Run("HIT");
    ASSERT_EQ(view.Shown.size(), 10000u);
    EXPECT_EQ(view.Shown.back(), "c:\\hit30000");
    EXPECT_EQ(view.Status, Summary(10000, 30000));

    const RecordingView small = Run("hit", 0, 0, 5);
    EXPECT_EQ(small.Status, Summary(5, 15));
    const RecordingView all = Run("hit", 0, 0, 20000);
    EXPECT_EQ(all.Status, Summary(13333, 40000));
}

TEST_F(SearchRunTest, NoLimitReadsNoLine) {
    Index.Write(Lines(10));
    for (int limit : {0, -1, -2147483647 - 1}) {
        const RecordingView view = Run("", 0, 0, limit);
        EXPECT_TRUE(view.Shown.empty());
        EXPECT_EQ(view.Status, Summary(0, 0)) << "limit " << limit;
        EXPECT_EQ(view.Calls, kSuccessCalls);
    }
}

TEST_F(SearchRunTest, EmptyIndexFindsNothing) {
    Index.Write("");
    const RecordingView view = Run("anything");
    EXPECT_TRUE(view.Shown.empty());
    EXPECT_EQ(view.Status, Summary(0, 0));
    EXPECT_EQ(view.Calls, kSuccessCalls);
}

TEST_F(SearchRunTest, MissingIndexShowsTheMessageAndEnablesTheButton) {
    const std::string missing = Index.Path + ".missing";
    for (const char* query : {"", "ABC."}) {
        SetQuery(query);
        RecordingView view;
        view.Status = "previous summary";
        RunSearch(view, 0, 0, kDefaultResultLimit, missing.c_str());
        const std::vector<std::string> calls = {"disable", "clear", "message", "enable"};
        EXPECT_EQ(view.Calls, calls);
        EXPECT_EQ(view.Message,
                  "Index not found, Build index first! -- Indeksi\xE4 ei l\xF6ydy, rakennuta "
                  "indeksi ensiksi!");
        EXPECT_EQ(view.Status, "previous summary");
        EXPECT_TRUE(view.ButtonEnabled);
        // An empty query became "*"; any other query is left as typed, unfolded.
        EXPECT_STREQ(QueryText, query[0] == '\0' ? "*" : query);
    }
}

TEST_F(SearchRunTest, QueryIsRewrittenInPlaceAndTwoRunsAgree) {
    Index.Write(Line(10, "c:\\Holiday Pics\\a.jpg") + Line(20, "c:\\work\\b.txt") +
                Line(30, "c:\\HOLIDAY\\c.jpg"));
    SetQuery("HoliDay.-");
    RecordingView first;
    RunSearch(first, 0, 0, kDefaultResultLimit, Index.c_str());
    EXPECT_STREQ(QueryText, "holiday");
    RecordingView second;
    RunSearch(second, 0, 0, kDefaultResultLimit, Index.c_str());
    EXPECT_STREQ(QueryText, "holiday");
    EXPECT_EQ(first.Shown, second.Shown);
    EXPECT_EQ(first.Status, second.Status);
    EXPECT_EQ(first.Status, Summary(2, 3));
}

TEST_F(SearchRunTest, EntriesComeFoldedAndAsRecorded) {
    Index.Write(Line(0x00a01234, "c:\\My Pictures\\Holiday 1.JPG") + Line(5, "c:\\Docs\\Notes-") +
                Line(6, "c:\\  two  spaces  ") + Line(7, "c:\\Ark.ZIP.-"));
    const RecordingView view = Run("");
    const std::vector<std::string> shown = {"c:\\my pictures\\holiday 1.jpg", "c:\\docs\\notes",
                                            "c:\\  two  spaces  ", "c:\\ark.zip"};
    const std::vector<std::string> recorded = {"c:\\My Pictures\\Holiday 1.JPG", "c:\\Docs\\Notes-",
                                               "c:\\  two  spaces  ", "c:\\Ark.ZIP.-"};
    EXPECT_EQ(view.Shown, shown);
    EXPECT_EQ(view.Recorded, recorded);

    const RecordingView picture = Run("Holiday", kTypePicture, kSize1MB);
    EXPECT_EQ(picture.Shown, std::vector<std::string>{"c:\\my pictures\\holiday 1.jpg"});
    EXPECT_EQ(Run("", kTypeArchive).Shown, std::vector<std::string>{"c:\\ark.zip"});
    EXPECT_EQ(Run("y p").Shown, std::vector<std::string>{"c:\\my pictures\\holiday 1.jpg"});
    EXPECT_TRUE(Run("y?h").Shown.empty());
}

TEST_F(SearchRunTest, LinesWithoutAPathCountButAreNotListed) {
    Index.Write(
        "\r\n"
        "zzz c:\\x\r\n"
        "0000\r\n"
        "   \r\n"
        "4D2 c:\\x\r\n"
        "1ac:\\y\n"
        "\t7\tc:\\t");
    const RecordingView view = Run("*");
    const std::vector<std::string> shown = {"c:\\x", ":\\y", "c:\\t"};
    EXPECT_EQ(view.Shown, shown);
    EXPECT_EQ(view.Status, Summary(3, 7));
    EXPECT_EQ(Run("", 0, kSize1MB).Status, Summary(0, 7));
}

struct PieceCase {
    const char* Name;
    std::string Bytes;
    int Total;
};

class PieceCountTest : public SearchRunTest, public ::testing::WithParamInterface<PieceCase> {};

TEST_P(PieceCountTest, EveryPieceCounts) {
    Index.Write(GetParam().Bytes);
    const RecordingView view = Run("");
    EXPECT_EQ(view.Status.substr(view.Status.find("total")),
              Summary(0, GetParam().Total).substr(Summary(0, GetParam().Total).find("total")));
}

std::string Long(size_t bytes) {
    return "00000001 c:\\" + std::string(bytes - 12, 'n');
}

const PieceCase kPieceCases[] = {
    {"LastLineWithoutNewline", Lines(3) + "00000000 c:\\cut", 4},
    {"LfEndsCountLikeCrLf", "00000000 c:\\a\n00000000 c:\\b\n", 2},
    {"ExactlyPieceAndCrLf", Long(3999) + "\r\n", 2},
    {"ExactlyPieceAndLf", Long(3999) + "\n", 2},
    {"OneShortAndCrLf", Long(3998) + "\r\n", 1},
    {"OneShortAndLf", Long(3998) + "\n", 1},
    {"OneShortAndLoneCr", Long(3998) + "\r" + "x\n", 2},
    {"PieceWithoutNewlineAtTheEnd", Long(3999), 1},
    {"PieceAndOneByteAtTheEnd", Long(4000), 2},
    {"ThreePiecesAndARest", Long(3 * 3999 + 5) + "\r\n", 4},
    {"MegabyteLine", Long(1 << 20) + "\r\n" + Lines(2), 263 + 2},
    {"EmptyLines", "\r\n\n\r\n", 3},
    {"LoneCrIsNoNewline", "a\rb\rc", 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, PieceCountTest, ::testing::ValuesIn(kPieceCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SearchRunTest, LongLineListsEachPieceThatHoldsAPath) {
    // The second piece of a long line starts with text that parses on its own.
    Index.Write(Long(3999) + "ab c:\\second\r\n" + Line(1, "c:\\after"));
    const RecordingView view = Run("");
    const std::vector<std::string> shown = {"c:\\" + std::string(3987, 'n'), "c:\\second",
                                            "c:\\after"};
    EXPECT_EQ(view.Shown, shown);
    EXPECT_EQ(view.Status, Summary(3, 3));
}

TEST_F(SearchRunTest, FoldedQueriesFindTheSameEntries) {
    Index.Write(Line(1, "c:\\\xC4iti\\Kuva.jpg") + Line(2, "c:\\\xC9t\xE9\\x") +
                Line(3, "c:\\\xE9t\xE9\\y") + Line(4, "c:\\a*b") + Line(5, "c:\\axb") +
                Line(6, "c:\\data\\file.txt"));
    EXPECT_EQ(Run("\xC4ITI").Shown, Run("\xE4iti").Shown);
    EXPECT_EQ(Run("\xC4ITI").Shown.size(), 1u);
    EXPECT_EQ(Run("\xC9t").Shown, std::vector<std::string>{"c:\\\xC9t\xE9\\x"});
    EXPECT_EQ(Run("a*b").Shown, std::vector<std::string>{"c:\\a*b"});
    EXPECT_EQ(Run("...").Shown.size(), 6u);
    EXPECT_EQ(Run("-.-").Status, Summary(6, 6));
    EXPECT_EQ(Run("file.").Shown, Run("file").Shown);
    EXPECT_EQ(Run("?").Status, Summary(0, 6));
    EXPECT_EQ(Run("a\tb").Status, Summary(0, 6));
}

TEST_F(SearchRunTest, AQueryBufferWithoutTerminatorIsCut) {
    Index.Write(Line(1, "c:\\" + std::string(200, 'a')));
    memset(QueryText, 'A', sizeof QueryText);
    RecordingView view;
    RunSearch(view, 0, 0, kDefaultResultLimit, Index.c_str());
    EXPECT_EQ(strlen(QueryText), kQueryTextSize - 1);
    EXPECT_EQ(view.Status, Summary(0, 1));
}

TEST(SearchTexts, AsTheyStand) {
    EXPECT_STREQ(kSummaryFormat, "Found %d results. Database contains total %d files.");
    EXPECT_STREQ(kIndexFileName, "index.txt");
    EXPECT_EQ(kDefaultResultLimit, 10000);
}

}  // namespace
