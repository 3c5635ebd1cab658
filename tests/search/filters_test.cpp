#include "search/filters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct SizeCase {
    uint32_t Size;
    bool Passes[kFilterPositions];  // ANY, 1 MB, 10 MB, 100 MB, 600 MB
};

TEST(MatchesSize, ThresholdsAtTheBoundary) {
    const SizeCase cases[] = {
        {0, {true, false, false, false, false}},
        {1048575, {true, false, false, false, false}},
        {1048576, {true, true, false, false, false}},
        {10485759, {true, true, false, false, false}},
        {10485760, {true, true, true, false, false}},
        {104857599, {true, true, true, false, false}},
        {104857600, {true, true, true, true, false}},
        {629145599, {true, true, true, true, false}},
        {629145600, {true, true, true, true, true}},
        {2147483647u, {true, true, true, true, true}},
        {2147483648u, {true, true, true, true, true}},
        {4294967295u, {true, true, true, true, true}},
    };
    for (const SizeCase& c : cases)
        for (int position = 0; position < kFilterPositions; ++position)
            EXPECT_EQ(MatchesSize(c.Size, position), c.Passes[position])
                << "size " << c.Size << " at position " << position;
}

struct TypeCase {
    const char* Path;
    int Position;
    bool Passes;
};

class MatchesTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(MatchesTypeTest, ByEnding) {
    const TypeCase& c = GetParam();
    EXPECT_EQ(MatchesType(c.Path, c.Position), c.Passes) << c.Path << " at " << c.Position;
    const std::string path = c.Path;
    EXPECT_EQ(MatchesTypeEnding(path.c_str(), path.size(), c.Position), c.Passes);
}

const TypeCase kTypeCases[] = {
    {"", kTypeAll, true},
    {"c:\\x", kTypeAll, true},
    {"c:\\pics\\a.jpg", kTypePicture, true},
    {"c:\\pics\\a.jpeg", kTypePicture, false},
    {"c:\\pics\\a.tiff", kTypePicture, true},
    {"c:\\pics\\a.tif", kTypePicture, true},
    {"c:\\pics\\a.JPG", kTypePicture, false},  // the tests see folded paths only
    {"c:\\v\\film.mpeg", kTypeVideo, true},
    {"c:\\v\\film.rm", kTypeVideo, true},
    {"c:\\v\\film.rmx", kTypeVideo, false},
    {"c:\\backup.zip", kTypeArchive, true},
    {"c:\\a.ace", kTypeArchive, true},
    {"c:\\a.jar", kTypeArchive, true},
    {"c:\\a.rar", kTypeAudio, false},  // ".ra" is no ending of ".rar"
    {"c:\\a.ra", kTypeAudio, true},
    {"c:\\a.rar", kTypeArchive, true},
    {"c:\\a.s3m", kTypeAudio, true},
    {"c:\\a.au", kTypeAudio, true},
    {"c:\\a.mp3", kTypeArchive, false},
    {"a.it", kTypeAudio, false},    // four bytes: too short for any category
    {"ab.it", kTypeAudio, true},    // five bytes
    {".jpg", kTypePicture, false},  // the ending alone, four bytes
    {"x.jpg", kTypePicture, true},
    {".tiff", kTypePicture, true},  // five bytes, all of them the ending
    {"c:\\jpg", kTypePicture, false},
    {"c:\\a.jpg ", kTypePicture, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, MatchesTypeTest, ::testing::ValuesIn(kTypeCases));

TEST(MatchesType, EveryCategoryOnItsEndings) {
    const char* const endings[kFilterPositions][10] = {
        {nullptr},
        {".jar", ".rar", ".zip", ".ace", nullptr},
        {".mp3", ".mp2", ".wav", ".ra", ".xm", ".mod", ".it", ".s3m", ".au", nullptr},
        {".tif", ".tiff", ".gif", ".png", ".jpg", ".tga", ".bmp", ".psp", ".psd", nullptr},
        {".avi", ".mpg", ".mpeg", ".mov", ".rm", nullptr},
    };
    for (int owner = 1; owner < kFilterPositions; ++owner)
        for (int i = 0; endings[owner][i] != nullptr; ++i) {
            const std::string path = std::string("c:\\f") + endings[owner][i];
            for (int position = 0; position < kFilterPositions; ++position) {
                const bool expected = position == kTypeAll || position == owner;
                EXPECT_EQ(MatchesType(path.c_str(), position), expected)
                    << path << " at " << position;
            }
        }
}

struct TextCase {
    const char* Path;
    const char* Query;
    bool Passes;
};

TEST(MatchesText, Cases) {
    const TextCase cases[] = {
        {"", "*", true},
        {"c:\\a", "*", true},
        {"", "", true},
        {"c:\\a", "", true},
        {"c:\\my pictures\\holiday 1.jpg", "holiday", true},
        {"c:\\my pictures\\holiday 1.jpg", "y p", true},
        {"c:\\my pictures\\holiday 1.jpg", "y?p", false},
        {"c:\\my pictures\\holiday 1.jpg", "Holiday", false},  // bytes, not letters
        {"c:\\a*b", "a*b", true},
        {"c:\\axb", "a*b", false},
        {"c:\\a", "**", false},
        {"c:\\a", "c:\\a", true},
        {"c:\\a", "c:\\ab", false},
        {"\xC9t\xE9", "\xC9t", true},
        {"\xE9t\xE9", "\xC9t", false},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(MatchesText(c.Path, c.Query), c.Passes) << c.Path << " / " << c.Query;
}

}  // namespace
