// Percent, the status text and its limits.
#include <gtest/gtest.h>

#include <string>

#include "index/index_progress.h"
#include "index/walk.h"

namespace {

TEST(ProgressPercent, RoundsEachStepToDouble) {
    struct Case {
        int32_t ReadPos, QueueLength, Percent;
    };
    const Case cases[] = {
        {0, 0, 0},  {1, 2, 50},    {2, 3, 66},  {29, 100, 28},         {5, 5, 100}, {0, 7, 0},
        {1, 3, 33}, {57, 100, 56}, {1, 1, 100}, {999999, 1000000, 99}, {7, 10, 70}};
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressPercent(c.ReadPos, c.QueueLength), c.Percent)
            << c.ReadPos << " of " << c.QueueLength;
    }
}

TEST(StatusText, FormatsCountersAndPath) {
    char out[kStatusLineSize];
    const std::string path = "c:\\WINDOWS\\system32";
    size_t length = FormatStatusText(6, 2, 3, path.data(), path.size(), out);
    EXPECT_EQ(std::string(out, length), "[6: 2/3] c:\\WINDOWS\\system32");
    length = FormatStatusText(2147483647, 0, 1000000, "x", 1, out);
    EXPECT_EQ(std::string(out), "[2147483647: 0/1000000] x");
    EXPECT_EQ(length, std::string(out).size());
}

TEST(StatusText, LongTextsAreCutToFit) {
    char out[kStatusLineSize + 8];
    const std::string path(600, 'p');
    size_t length = FormatStatusText(1, 2, 3, path.data(), path.size(), out);
    EXPECT_EQ(length, kStatusLineSize - 1);
    EXPECT_EQ(std::string(out), "[1: 2/3] " + std::string(kStatusLineSize - 1 - 9, 'p'));

    StatusText text;
    text.Set(path.c_str());
    EXPECT_EQ(text.CopyTo(out, sizeof out), kStatusLineSize - 1);
    EXPECT_EQ(text.CopyTo(out, sizeof out, 80), 80u) << "the window shows 80 characters";
    EXPECT_EQ(std::string(out), path.substr(0, 80));
    EXPECT_EQ(text.CopyTo(out, 10), 9u) << "never more than the buffer takes";
    text.Clear();
    EXPECT_EQ(text.CopyTo(out, sizeof out), 0u);
    EXPECT_EQ(out[0], '\0');
}

}  // namespace
