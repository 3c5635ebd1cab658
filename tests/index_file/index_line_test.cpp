#include "index/index_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Format(const std::string& folder, const std::string& name, uint32_t size) {
    char out[kLineBufferSize + 16];
    const size_t n = FormatIndexLine(folder.c_str(), name.c_str(), size, out, sizeof out);
    return std::string(out, n);
}

struct FormatCase {
    const char* Folder;
    const char* Name;
    uint32_t Size;
    std::string Expected;  // with the platform separator put in for '|'
};

TEST(FormatIndexLine, Cases) {
    const FormatCase cases[] = {
        {"c:\\My Files", "Read Me.txt", 1234, "000004d2 c:\\My?Files|Read?Me.txt\r\n"},
        {"c:", "Windows", 0, "00000000 c:|Windows\r\n"},
        {"c:", "big", 0xffffffffu, "ffffffff c:|big\r\n"},
        {"c:\\a  b", "  x  ", 0xabcdef, "00abcdef c:\\a??b|??x??\r\n"},
        {"c: ", " ", 16, "00000010 c:?|?\r\n"},
        {"c:", "\xC4iti?", 1, "00000001 c:|\xC4iti?\r\n"},
    };
    for (const FormatCase& c : cases) {
        std::string expected = c.Expected;
        expected[expected.find('|')] = kPathSeparator;
        EXPECT_EQ(Format(c.Folder, c.Name, c.Size), expected);
    }
}

TEST(FormatIndexLine, RefusesAnOutputTooSmall) {
    const std::string line = Format("c:", "abc", 1);  // 17 bytes and a terminator
    ASSERT_EQ(line.size(), 17u);
    char out[18];
    memset(out, 'z', sizeof out);
    EXPECT_EQ(FormatIndexLine("c:", "abc", 1, out, 17), 0u);
    EXPECT_EQ(out[0], 'z');
    EXPECT_EQ(FormatIndexLine("c:", "abc", 1, out, 18), 17u);
    EXPECT_EQ(std::string(out), line);
    EXPECT_EQ(FormatIndexLine("c:", "abc", 1, nullptr, 0), 0u);
}

struct ParseCase {
    const char* Name;
    std::string Line;
    bool Parsed;
    uint32_t Size;
    std::string Path;
};

class ParseIndexLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseIndexLineTest, AsTheFormatReadsIt) {
    const ParseCase& c = GetParam();
    IndexEntry entry;
    size_t pathLength = 0;
    ASSERT_EQ(ParseIndexLine(c.Line.data(), c.Line.size(), entry, &pathLength), c.Parsed);
    if (!c.Parsed) return;
    EXPECT_EQ(entry.Size, c.Size);
    EXPECT_EQ(std::string(entry.Path), c.Path);
    EXPECT_EQ(pathLength, c.Path.size());
    if (c.Line.find('\0') == std::string::npos) {
        IndexEntry again;
        ASSERT_TRUE(ParseIndexLine(c.Line.c_str(), again));
        EXPECT_EQ(std::string(again.Path), c.Path);
    }
}

const ParseCase kParseCases[] = {
    {"Written", "000004d2 c:\\My?Files\\Read?Me.txt\r\n", true, 1234, "c:\\My Files\\Read Me.txt"},
    {"HandEdited", "4D2 c:\\x", true, 1234, "c:\\x"},
    {"LfOnly", "00000010 c:\\a\n", true, 16, "c:\\a"},
    {"NoNewline", "00000010 c:\\cut", true, 16, "c:\\cut"},
    {"QuestionRuns", "00000000 c:\\???a??b???\r\n", true, 0, "c:\\   a  b   "},
    {"Largest", "ffffffff c:\\x", true, 0xffffffffu, "c:\\x"},
    {"Zero", "00000000 c:\\x", true, 0, "c:\\x"},
    {"NoSpaceAfterDigits", "1ac:\\x", true, 0x1ac, ":\\x"},
    {"LeadingWhiteSpace", " \t\v\f\r\n12 \t x", true, 0x12, "x"},
    {"SecondFieldEndsAtTab", "1 a\tb", true, 1, "a"},
    {"SecondFieldEndsAtCr", "1 a\rb", true, 1, "a"},
    {"PrefixAndDigits", "0x1F p", true, 0x1f, "p"},
    {"PrefixWithoutDigits", "0xg", true, 0, "g"},
    {"Plus", "+10 p", true, 16, "p"},
    {"Minus", "-1 p", true, 0xffffffffu, "p"},
    {"MinusTwo", "-2 p", true, 0xfffffffeu, "p"},
    {"ManyDigitsKeepLowBits", "123456789abc p", true, 0x56789abc, "p"},
    {"SixteenDigits", "ffffffff00000001 p", true, 1, "p"},
    {"PastSixtyFourBitsSaturates", "10000000000000000 p", true, 0xffffffffu, "p"},
    {"NegativePastSixtyFourBits", "-10000000000000000 p", true, 0xffffffffu, "p"},
    {"Latin1InPath", "1 c:\\\xC4iti\xFF", true, 1, "c:\\\xC4iti\xFF"},
    {"NulEndsTheText", std::string("1 c:\\ab\0cd", 10), true, 1, "c:\\ab"},
    {"Empty", "", false, 0, ""},
    {"OnlyNewline", "\r\n", false, 0, ""},
    {"NoHexDigit", "zz c:\\x", false, 0, ""},
    {"SizeOnly", "0000\r\n", false, 0, ""},
    {"PrefixOnly", "0x", false, 0, ""},
    {"SignOnly", "- p", false, 0, ""},
    {"SignAndLetter", "+x1 p", false, 0, ""},
    {"NulBeforePath", std::string("1 \0c:\\x", 7), false, 0, ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, ParseIndexLineTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(IndexLine, RoundTripKeepsSpacesAndSizes) {
    const char* const names[] = {"a", " lead", "trail ", "in  side", "   ", "x y z", "\xC4 \xD6"};
    const uint32_t sizes[] = {0, 1, 1234, 0x7fffffffu, 0x80000000u, 0xffffffffu};
    for (const char* name : names)
        for (uint32_t size : sizes) {
            const std::string line = Format("c:\\Some  Folder ", name, size);
            IndexEntry entry;
            ASSERT_TRUE(ParseIndexLine(line.c_str(), entry)) << line;
            EXPECT_EQ(entry.Size, size);
            EXPECT_EQ(std::string(entry.Path),
                      std::string("c:\\Some  Folder ") + kPathSeparator + name);
        }
}

TEST(IndexLine, PresenceTest) {
    const std::string path = ::testing::TempDir() + "zade_presence_index.txt";
    std::remove(path.c_str());
    EXPECT_FALSE(IndexPresent(path.c_str()));
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fclose(file);
    EXPECT_TRUE(IndexPresent(path.c_str()));  // an empty index is present
    std::remove(path.c_str());
}

}  // namespace
