#include "search/fold.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FoldCase {
    const char* Name;
    std::string Text;
    std::string Folded;
};

class FoldNameTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldNameTest, FoldsInPlace) {
    std::string buffer = GetParam().Text;
    buffer.push_back('\0');
    FoldName(&buffer[0]);
    EXPECT_EQ(std::string(buffer.c_str()), GetParam().Folded);
}

const FoldCase kFoldCases[] = {
    {"Empty", "", ""},
    {"MixedTrimTail", "x.-.-", "x"},
    {"OnlyTrimCharacters", std::string(100, '.'), ""},
    {"HundredOneDotsKeepOne", "a" + std::string(101, '.'), "a."},
    {"HundredTwoDashesKeepTwo", "a" + std::string(102, '-'), "a--"},
    {"HundredTrimOnlyNoneLeft", std::string(50, '-') + std::string(50, '.'), ""},
    {"HundredOneTrimOnlyOneLeft", std::string(101, '-'), "-"},
    {"InnerDotsAndDashesStay", "a.b-c", "a.b-c"},
    {"LeadingTrimCharactersStay", "..-x", "..-x"},
    {"AsciiCapitals", "READ ME.TXT", "read me.txt"},
    {"WholeAlphabet", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz"},
    {"LatinCapitals", "\xC4iti \xD6lj\xC5", "\xE4iti \xF6lj\xE5"},
    {"OtherLatinCapitalsStay", "\xC9\xDC\xC6\xD8\xC0", "\xC9\xDC\xC6\xD8\xC0"},
    {"SmallLatinStay", "\xE4\xF6\xE5\xE9", "\xE4\xF6\xE5\xE9"},
    {"NeighboursOfTheLettersStay", "@[`{", "@[`{"},
    {"TrailingDashOfAName", "c:\\Dir\\Notes-", "c:\\dir\\notes"},
    {"ZipWithDash", "c:\\A.ZIP-", "c:\\a.zip"},
    {"TrimBeforeFoldKeepsCapitalDot", "A.", "a"},
};

INSTANTIATE_TEST_SUITE_P(Cases, FoldNameTest, ::testing::ValuesIn(kFoldCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(FoldName, FoldingTwiceChangesNothingMore) {
    for (std::string text :
         {std::string("A.B--"), std::string("\xC4\xC9."), "x" + std::string(100, '.')}) {
        text.push_back('\0');
        FoldName(&text[0]);
        const std::string once = text.c_str();
        FoldName(&text[0]);
        EXPECT_EQ(std::string(text.c_str()), once);
    }
}

TEST(FoldName, MoreThanHundredTrimCharactersFoldAgain) {
    std::string text = "x" + std::string(150, '.');
    text.push_back('\0');
    FoldName(&text[0]);
    EXPECT_EQ(std::string(text.c_str()), "x" + std::string(50, '.'));
    FoldName(&text[0]);
    EXPECT_EQ(std::string(text.c_str()), "x");
}

TEST(FoldName, EveryByteOutsideTheTableStays) {
    for (int c = 1; c < 256; ++c) {
        if (c == '.' || c == '-') continue;
        char text[2] = {static_cast<char>(c), '\0'};
        FoldName(text);
        const bool capital = (c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xC5;
        EXPECT_EQ(static_cast<unsigned char>(text[0]), capital ? c + 0x20 : c) << "byte " << c;
    }
}

}  // namespace
