// Trees that change while the walk runs, and paths longer than any buffer.
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include "hooked_listing.h"
#include "tree_build.h"

namespace {

class ChangingTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"a", "b", "c"}) {
            fs::create_directories(Tree / folder / "sub");
            WriteWhole(Tree / folder / "file", "x");
            WriteWhole(Tree / folder / "sub" / "deep", "y");
        }
    }
    // Runs the build; action runs once, just before folder (relative to the tree) is listed.
    std::vector<std::string> BuildChanging(const std::string& folder,
                                           std::function<void()> action) {
        HookedListing listing;
        listing.BeforeListing = [&](const std::string& path) {
            if (path == Tree.Text() + "/" + folder && action) {
                action();
                action = nullptr;
            }
        };
        BuildOnWorker(Tree.Text(), Out / "index.txt");
        EXPECT_EQ(IndexProgress.Failure, kBuildOk);
        std::vector<std::string> paths = IndexPaths(Out / "index.txt");
        ExpectNoRepeats(paths);
        for (std::string& p : paths) p = p.substr(Tree.Text().size() + 1);
        return paths;
    }
    std::set<std::string> Of(const std::vector<std::string>& paths) {
        return std::set<std::string>(paths.begin(), paths.end());
    }

    TempFolder Tree, Out;
};

const std::set<std::string> kWithoutB = {"a",      "b",     "c",          "a/file",    "a/sub",
                                         "c/file", "c/sub", "a/sub/deep", "c/sub/deep"};

TEST_F(ChangingTreeTest, AFolderVanishesBeforeItIsListed) {
    auto paths = BuildChanging("b", [&] { fs::remove_all(Tree / "b"); });
    EXPECT_EQ(Of(paths), kWithoutB);
}

TEST_F(ChangingTreeTest, AFolderBecomesUnlistableBeforeItIsListed) {
    const std::function<void()> changes[] = {
        [&] {
            fs::remove_all(Tree / "b");
            WriteWhole(Tree / "b", "now a file");
        },
        [&] {
            fs::remove_all(Tree / "b");
            fs::create_directory_symlink("a", Tree / "b");
        },
        [&] {
            fs::remove_all(Tree / "b");
            fs::create_directory_symlink("b", Tree / "b");
        },
    };
    for (const auto& change : changes) {
        auto paths = BuildChanging("b", change);
        EXPECT_EQ(Of(paths), kWithoutB);
        fs::remove(Tree / "b");
        SetUp();
    }
}

TEST_F(ChangingTreeTest, AQueuedFolderIsMovedIntoTheOneBeingListed) {
    // The root lists in the disk's order: move the last folder into the first.
    std::vector<std::string> order;
    for (const auto& item : fs::directory_iterator(Tree.Path)) {
        order.push_back(item.path().filename());
    }
    ASSERT_EQ(order.size(), 3u);
    const std::string first = order[0], middle = order[1], last = order[2];
    auto paths = BuildChanging(first, [&] { fs::rename(Tree / last, Tree / first / "moved"); });
    const std::string moved = first + "/moved";
    EXPECT_EQ(Of(paths),
              (std::set<std::string>{first, middle, last, first + "/file", first + "/sub", moved,
                                     middle + "/file", middle + "/sub", first + "/sub/deep",
                                     moved + "/file", moved + "/sub", middle + "/sub/deep",
                                     moved + "/sub/deep"}));
}

TEST_F(ChangingTreeTest, AListedFolderIsRenamedBeforeItsSubfoldersAreListed) {
    auto paths = BuildChanging("a/sub", [&] { fs::rename(Tree / "a", Tree / "renamed"); });
    EXPECT_EQ(Of(paths), (std::set<std::string>{"a", "b", "c", "a/file", "a/sub", "b/file", "b/sub",
                                                "c/file", "c/sub", "b/sub/deep", "c/sub/deep"}));
}

TEST_F(ChangingTreeTest, PathsLongerThanEveryBuffer) {
    TempFolder deep;
    const std::string name(200, 'd');
    int fd = open(deep.Path.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    std::vector<std::string> expected;
    std::string relative;
    for (int level = 0; level < 30; ++level) {  // 6,000 bytes and more
        ASSERT_EQ(mkdirat(fd, name.c_str(), 0700), 0);
        int file = openat(fd, "f", O_CREAT | O_WRONLY, 0600);
        close(file);
        expected.push_back(relative + "f");
        expected.push_back(relative + name);
        int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(fd);
        ASSERT_GE(next, 0);
        fd = next;
        relative += name + "/";
    }
    close(fd);
    BuildOnWorker(deep.Text(), Out / "index.txt");
    std::vector<std::string> paths = IndexPaths(Out / "index.txt");
    ExpectNoRepeats(paths);
    for (std::string& p : paths) p = p.substr(deep.Text().size() + 1);
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> sorted = paths;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_GT(paths.back().size(), static_cast<size_t>(PATH_MAX));
    char status[kStatusLineSize];
    EXPECT_EQ(IndexProgress.StatusLine.CopyTo(status, sizeof status), kStatusLineSize - 1);
}

}  // namespace
