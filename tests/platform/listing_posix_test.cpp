// The listing contract on real folders: every entry once, its bits, its
// whole size and its name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "../indexer/test_files.h"
#include "platform/listing.h"

namespace {

struct Listed {
    uint32_t Attributes;
    uint64_t Size;
};

// Lists folder through the platform's services; counts each name once.
std::map<std::string, Listed> List(const std::string& folder, int* repeats = nullptr) {
    std::map<std::string, Listed> entries;
    ZadeFindData data;
    ZadeListing* listing = ZadeFirstFileA((folder + "/*").c_str(), &data);
    if (listing == nullptr) return entries;
    do {
        if (!entries.emplace(data.Name, Listed{data.Attributes, data.Size}).second && repeats) {
            ++*repeats;
        }
    } while (ZadeNextFileA(listing, &data));
    ZadeClose(listing);
    return entries;
}

TEST(PosixListing, ReportsEveryKindOfEntry) {
    TempFolder tree;
    WriteWhole(tree / "file", "12345");
    WriteWhole(tree / ".hidden", "");
    WriteWhole(tree / "...", "x");
    fs::create_directory(tree / "folder");
    fs::create_directory(tree / ".config");
    fs::create_directory_symlink("folder", tree / "folder link");
    fs::create_symlink("file", tree / "file link");
    fs::create_symlink("nowhere", tree / "dangling");
    ASSERT_EQ(mkfifo((tree / "pipe").c_str(), 0600), 0);
    {
        int fd = open((tree / "video").c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, 5LL << 30), 0);  // sparse: no 5 GiB on disk
        close(fd);
    }

    int repeats = 0;
    std::map<std::string, Listed> entries = List(tree.Text(), &repeats);
    EXPECT_EQ(repeats, 0);
    struct Expect {
        const char* Name;
        uint32_t Attributes;
        uint64_t Size;
    };
    const Expect expected[] = {
        {".", kAttrFolder | kAttrHidden, 0},
        {"..", kAttrFolder | kAttrHidden, 0},
        {"file", 0, 5},
        {".hidden", kAttrHidden, 0},
        {"...", kAttrHidden, 1},
        {"folder", kAttrFolder, 0},
        {".config", kAttrFolder | kAttrHidden, 0},
        {"folder link", kAttrReparsePoint, 0},
        {"file link", kAttrReparsePoint, 0},
        {"dangling", kAttrReparsePoint, 0},
        {"pipe", 0, 0},
        {"video", 0, 5ull << 30},
    };
    EXPECT_EQ(entries.size(), std::size(expected));
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.Name);
        auto found = entries.find(e.Name);
        ASSERT_NE(found, entries.end());
        EXPECT_EQ(found->second.Attributes, e.Attributes);
        EXPECT_EQ(found->second.Size, e.Size);
    }
}

TEST(PosixListing, LargeFoldersComeWholeWithEverySize) {
    TempFolder tree;
    const int files = 3000;  // several batches, their stats shared with the helper
    for (int i = 0; i < files; ++i) {
        fs::path file = tree / ("f " + std::to_string(i));
        WriteWhole(file, "");
        fs::resize_file(file, static_cast<uintmax_t>(i) * 7);
        if (i % 100 == 0) fs::create_directory(tree / ("d " + std::to_string(i)));
    }
    int repeats = 0;
    std::map<std::string, Listed> entries = List(tree.Text(), &repeats);
    EXPECT_EQ(repeats, 0);
    EXPECT_EQ(entries.size(), files + files / 100 + 2u);
    for (int i = 0; i < files; ++i) {
        const Listed& file = entries["f " + std::to_string(i)];
        ASSERT_EQ(file.Size, static_cast<uint64_t>(i) * 7) << i;
        ASSERT_EQ(file.Attributes, 0u);
        if (i % 100 == 0) {
            ASSERT_EQ(entries["d " + std::to_string(i)].Attributes, kAttrFolder);
        }
    }
}

TEST(PosixListing, BytesTheLineCannotCarryArriveAsQuestionMarks) {
    TempFolder tree;
    WriteWhole(tree / "tab\there", "");
    WriteWhole(tree / "line\nend\r", "");
    WriteWhole(tree / "form\ffeed\vtab", "");
    WriteWhole(tree / "sp ace \xc4iti", "");
    std::map<std::string, Listed> entries = List(tree.Text());
    for (const char* name : {"tab?here", "line?end?", "form?feed?tab", "sp ace \xc4iti"}) {
        EXPECT_EQ(entries.count(name), 1u) << name;
    }
}

TEST(PosixListing, FoldersThatCannotBeListed) {
    TempFolder tree;
    WriteWhole(tree / "plain", "");
    ZadeFindData data;
    for (std::string pattern : {tree.Text() + "/missing/*", tree.Text() + "/plain/*",
                                tree.Text() + "/", tree.Text(), std::string("")}) {
        EXPECT_EQ(ZadeFirstFileA(pattern.c_str(), &data), nullptr) << pattern;
    }
}

TEST(PosixListing, TheRootIsTheDriveNamedByTheEmptyText) {
    EXPECT_TRUE(PlatformListingService().SingleRootDrive);
    std::map<std::string, Listed> entries = List("");
    ASSERT_EQ(entries.count("tmp"), 1u);
    EXPECT_EQ(entries["tmp"].Attributes & kAttrFolder, kAttrFolder);
}

TEST(PosixListing, PseudoFileSystemsAreNotListed) {
    ASSERT_FALSE(List("").empty()) << "the root loads the mount table";
    for (const char* folder : {"/proc", "/sys"}) {
        struct stat facts;
        if (stat(folder, &facts) != 0) continue;
        EXPECT_TRUE(List(folder).empty()) << folder;
    }
    EXPECT_TRUE(List("/proc/self").empty()) << "nor anything inside them";
    EXPECT_FALSE(List("/etc").empty());
}

TEST(PosixListing, FoldersDeeperThanTheKernelsPathLimit) {
    TempFolder tree;
    std::string name(200, 'd');
    std::string path = tree.Text();
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    while (path.size() < PATH_MAX + 1000) {
        ASSERT_EQ(mkdirat(fd, name.c_str(), 0700), 0);
        int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(fd);
        ASSERT_GE(next, 0);
        fd = next;
        path += "/" + name;
    }
    int file = openat(fd, "leaf", O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(write(file, "abc", 3), 3);
    close(file);
    close(fd);
    std::map<std::string, Listed> entries = List(path);
    ASSERT_EQ(entries.count("leaf"), 1u);
    EXPECT_EQ(entries["leaf"].Size, 3u);
    // Removing it needs the same care: remove_all goes by relative names.
}

}  // namespace
