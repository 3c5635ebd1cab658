// Builds over real trees: breadth-first order, odd names, link loops.
#include <unistd.h>

#include "hooked_listing.h"
#include "tree_build.h"

namespace {

class RealTreeTest : public ::testing::Test {
protected:
    void Make(std::initializer_list<const char*> files,
              std::initializer_list<const char*> folders) {
        for (const char* f : folders) fs::create_directories(Tree / f);
        for (const char* f : files) WriteWhole(Tree / f, f);
    }
    std::vector<std::string> Build() {
        BuildOnWorker(Tree.Text(), Out / "index.txt");
        EXPECT_EQ(IndexProgress.Failure, kBuildOk);
        return IndexPaths(Out / "index.txt");
    }
    // Every path under the tree, as the index spells it.
    std::set<std::string> Expected() {
        std::set<std::string> all;
        for (auto it = fs::recursive_directory_iterator(Tree.Path); it != fs::end(it); ++it) {
            std::string p = it->path().string();
            for (char& c : p) c = c == ' ' ? '?' : c;
            all.insert(p);
        }
        return all;
    }

    TempFolder Tree, Out;
};

TEST_F(RealTreeTest, BreadthFirstAcrossDepths) {
    Make({"top.txt", "a/one", "a/b/two", "a/b/c/three", "x/y/z/w/four", "x/five"},
         {"a/b/c", "x/y/z/w", "empty", "a/b/empty"});
    std::vector<std::string> paths = Build();
    ExpectNoRepeats(paths);
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()), Expected());
    for (size_t i = 1; i < paths.size(); ++i) {
        EXPECT_LE(Depth(paths[i - 1]), Depth(paths[i])) << paths[i - 1] << " before " << paths[i];
    }
    // A folder's own line comes before those of its contents.
    for (size_t i = 0; i < paths.size(); ++i) {
        size_t cut = paths[i].rfind('/');
        std::string parent = paths[i].substr(0, cut);
        if (parent == Tree.Text()) continue;
        auto at = std::find(paths.begin(), paths.end(), parent);
        ASSERT_NE(at, paths.end());
        EXPECT_LT(static_cast<size_t>(at - paths.begin()), i);
    }
    EXPECT_EQ(IndexProgress.EntryCount, static_cast<int32_t>(paths.size()));
    EXPECT_EQ(IndexProgress.QueueLength, 9);
    EXPECT_EQ(IndexProgress.ReadPos, 9);
}

TEST_F(RealTreeTest, SpacesHiddenAndDotNames) {
    Make({" My Files /Read  Me.txt", ".hidden", "...", ".. x", ".dots/.inner"},
         {" My Files ", ".dots", "e m p t y"});
    std::vector<std::string> paths = Build();
    std::set<std::string> got(paths.begin(), paths.end());
    EXPECT_EQ(got, Expected());
    EXPECT_EQ(got.count(Tree.Text() + "/?My?Files?/Read??Me.txt"), 1u);
    EXPECT_EQ(got.count(Tree.Text() + "/..."), 1u);
    EXPECT_EQ(got.count(Tree.Text() + "/.dots/.inner"), 1u);
    for (const std::string& p : paths) {
        EXPECT_EQ(p.find("/./"), std::string::npos);
        EXPECT_NE(p.substr(p.size() - 2), "/.");
        EXPECT_NE(p.substr(p.size() - 3), "/..");
    }
}

TEST_F(RealTreeTest, SizesAndFolderLines) {
    WriteWhole(Tree / "five", "12345");
    fs::create_directory(Tree / "dir");
    BuildOnWorker(Tree.Text(), Out / "index.txt");
    std::vector<std::string> lines = IndexLines(Out / "index.txt");
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"00000000 " + Tree.Text() + "/dir",
                                               "00000005 " + Tree.Text() + "/five"}));
}

TEST_F(RealTreeTest, LinkLoopsEnd) {
    Make({"a/file"}, {"a/b"});
    fs::create_directory_symlink(".", Tree / "self");
    fs::create_directory_symlink("..", Tree / "a/b/up");
    fs::create_directory_symlink(Tree.Path, Tree / "a/root");
    std::vector<std::string> paths = Build();
    ExpectNoRepeats(paths);
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()), Expected());
    EXPECT_EQ(paths.size(), 6u) << "the three links have lines, their targets none";
}

TEST_F(RealTreeTest, TheRootDriveIsNamedByTheEmptyText) {
    Make({"usr/bin/env", "etc"}, {"usr/bin"});
    HookedListing listing;
    listing.Root = Tree.Text();  // stands in for the file system's root
    ASSERT_TRUE(ClaimIndexBuild());
    ResetIndexProgress();
    std::thread worker([this] { BuildIndexInto((Out / "index.txt").c_str()); });
    worker.join();
    std::vector<std::string> paths = IndexPaths(Out / "index.txt");
    ASSERT_EQ(paths.size(), 4u);
    std::sort(paths.begin(), paths.begin() + 2);  // the root's own order is the disk's
    EXPECT_EQ(paths, (std::vector<std::string>{"/etc", "/usr", "/usr/bin", "/usr/bin/env"}));
}

}  // namespace
