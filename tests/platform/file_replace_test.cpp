#include "platform/file_replace.h"

#include <gtest/gtest.h>

#include "../indexer/test_files.h"

namespace {

TEST(FileReplace, TheNewFileTakesTheOldOnesPlace) {
    TempFolder folder;
    WriteWhole(folder / "old", "old");
    WriteWhole(folder / "new", "new");
    EXPECT_TRUE(ReplaceFileWith((folder / "old").c_str(), (folder / "new").c_str()));
    EXPECT_EQ(ReadWhole(folder / "old"), "new");
    EXPECT_FALSE(fs::exists(folder / "new"));
    EXPECT_FALSE(ReplaceFileWith((folder / "old").c_str(), (folder / "missing").c_str()));
    EXPECT_EQ(ReadWhole(folder / "old"), "new");
}

TEST(FileReplace, RemovesFilesButNeverFolders) {
    TempFolder folder;
    WriteWhole(folder / "file", "x");
    fs::create_directory(folder / "folder");
    EXPECT_TRUE(RemoveFileAt((folder / "file").c_str()));
    EXPECT_FALSE(fs::exists(folder / "file"));
    EXPECT_FALSE(RemoveFileAt((folder / "folder").c_str()));
    EXPECT_TRUE(fs::is_directory(folder / "folder"));
    EXPECT_FALSE(RemoveFileAt((folder / "missing").c_str()));
}

}  // namespace
