// A build watched the way the progress window watches it, and builds in a row.
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>

#include "hooked_listing.h"
#include "index/folder_queue.h"
#include "search/search_run.h"
#include "tree_build.h"

namespace {

class WatchedBuildTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int f = 0; f < 60; ++f) {
            fs::path folder = Tree / ("folder " + std::to_string(f)) / "inner";
            fs::create_directories(folder);
            for (int i = 0; i < 25; ++i) WriteWhole(folder / ("file " + std::to_string(i)), "");
        }
    }
    TempFolder Tree, Out;
};

TEST_F(WatchedBuildTest, AWatcherReadsConsistentProgressWhileTheWorkerWrites) {
    HookedListing listing;  // each folder takes a moment, so the watcher sees the build run
    listing.BeforeListing = [](const std::string&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    ASSERT_TRUE(ClaimIndexBuild());
    ResetIndexProgress();
    std::thread worker(
        [this] { BuildFolderIndex(Tree.Text().c_str(), (Out / "index.txt").c_str()); });
    int ticks = 0, runningTicks = 0;
    for (;;) {
        char scan[256];
        const size_t shown = IndexProgress.StatusLine.CopyTo(scan, sizeof scan, 80);
        const int32_t percent = IndexProgress.Percent;
        const int32_t done = IndexProgress.Done;
        ++ticks;
        ASSERT_LE(shown, 80u);
        ASSERT_EQ(std::strlen(scan), shown);
        if (shown > 0) {
            ASSERT_EQ(scan[0], '[') << scan;
        }
        ASSERT_GE(percent, 0);
        ASSERT_LE(percent, 100);
        if (done) {
            EXPECT_EQ(IndexProgress.Failure, kBuildOk);
            break;
        }
        ++runningTicks;
        EXPECT_TRUE(IndexBuildRunning());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    worker.join();
    EXPECT_GT(runningTicks, 3) << "the watcher saw the build run";
    EXPECT_EQ(IndexProgress.EntryCount, 60 * 27);
    EXPECT_EQ(IndexLines(Out / "index.txt").size(), 60u * 27);
}

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return 0;  // the sanitizers keep freed memory back; their leak checker covers this
#else
    return mallinfo2().uordblks;
#endif
}

// Counts what a search hands over and keeps the summary; shows nothing.
class CountingView : public SearchView {
public:
    void EnableSearchButton(bool) override {}
    void ClearFoundList() override { Found = 0; }
    void AddFoundEntry(const char*, const char*) override { ++Found; }
    void SetStatusText(const char* text) override { Summary = text; }
    void ShowMessage(const char* text) override { Summary = text; }
    int Found = 0;
    std::string Summary;
};

TEST_F(WatchedBuildTest, TwentyBuildsAndSearchesInARowKeepNothing) {
    std::vector<size_t> inUse;
    for (int build = 0; build < 20; ++build) {
        BuildOnWorker(Tree.Text(), Out / "index.txt");
        ASSERT_EQ(IndexProgress.Failure, kBuildOk);
        ASSERT_EQ(IndexProgress.EntryCount, 60 * 27);
        EXPECT_LE(FolderQueue.StorageBytes(), 64u * 1024);
        CountingView view;
        std::strcpy(QueryText, "FILE 1");  // file 1 and file 10 to file 19 in each folder
        RunSearch(view, 0, 0, kDefaultResultLimit, (Out / "index.txt").c_str());
        ASSERT_EQ(view.Found, 60 * 11);
        ASSERT_EQ(view.Summary, "Found 660 results. Database contains total 1620 files.");
        inUse.push_back(HeapInUse());
    }
    EXPECT_LE(inUse.back(), inUse[2] + 16 * 1024) << "heap in use grew over the builds";
}

}  // namespace
