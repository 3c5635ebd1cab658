// Builds that cannot deliver their index: the earlier one stays byte for byte.
#include <signal.h>
#include <sys/resource.h>

#include "index/index_writer.h"
#include "tree_build.h"

namespace {

const std::string kOldIndex = "0000002a /the?earlier?index\r\n00000000 /kept\r\n";

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override { WriteWhole(Index, kOldIndex); }
    void ExpectOldIndexKept(IndexBuildFailure failure) {
        EXPECT_EQ(IndexProgress.Done, 1);
        EXPECT_EQ(IndexProgress.Failure, failure);
        EXPECT_EQ(ReadWhole(Index), kOldIndex);
        EXPECT_FALSE(fs::exists(TemporaryIndexPath(Index.c_str())));
    }

    TempFolder Tree, Out;
    fs::path Index = Out / "index.txt";
};

// The file size limit of a full disk, with its signal ignored, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &Saved);
        OldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = Saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Saved);
        signal(SIGXFSZ, OldHandler);
    }

private:
    rlimit Saved;
    void (*OldHandler)(int);
};

TEST_F(FaultTest, ADiskThatFillsMidwayKeepsTheEarlierIndex) {
    const std::string longName(150, 'n');
    for (int i = 0; i < 4000; ++i) WriteWhole(Tree / (longName + std::to_string(i)), "");
    {
        FileSizeLimit full(100 * 1024);
        BuildOnWorker(Tree.Text(), Index);
    }
    ExpectOldIndexKept(kBuildWriteFailed);
    EXPECT_LT(IndexProgress.EntryCount, 4000) << "the walk stops once nothing reaches the disk";
}

TEST_F(FaultTest, ADiskThatFillsAtTheCloseKeepsTheEarlierIndex) {
    for (int i = 0; i < 100; ++i) WriteWhole(Tree / std::to_string(i), "");
    {
        FileSizeLimit full(512);
        BuildOnWorker(Tree.Text(), Index);
    }
    ExpectOldIndexKept(kBuildWriteFailed);
    EXPECT_EQ(IndexProgress.EntryCount, 100);
}

TEST_F(FaultTest, AnIndexThatCannotBeCreated) {
    fs::create_directory(TemporaryIndexPath(Index.c_str()));
    WriteWhole(Tree / "file", "");
    BuildOnWorker(Tree.Text(), Index);
    EXPECT_EQ(IndexProgress.Failure, kBuildCannotCreate);
    EXPECT_EQ(ReadWhole(Index), kOldIndex);
    fs::remove(TemporaryIndexPath(Index.c_str()));

    BuildOnWorker(Tree.Text(), Out / "missing folder" / "index.txt");
    EXPECT_EQ(IndexProgress.Failure, kBuildCannotCreate);
}

TEST_F(FaultTest, AnIndexWhosePlaceCannotBeTaken) {
    const fs::path taken = Out / "a folder";
    fs::create_directories(taken / "inside");
    WriteWhole(Tree / "file", "");
    BuildOnWorker(Tree.Text(), taken);
    EXPECT_EQ(IndexProgress.Failure, kBuildReplaceFailed);
    EXPECT_TRUE(fs::is_directory(taken / "inside"));
    EXPECT_FALSE(fs::exists(TemporaryIndexPath(taken.c_str())));
}

TEST_F(FaultTest, TheWriterReportsEveryLostByte) {
    IndexWriter stream;
    ASSERT_TRUE(stream.Open("/dev/full"));
    stream.Write("00000000 x\r\n", 12);
    EXPECT_FALSE(stream.Failed()) << "still in the buffer";
    EXPECT_FALSE(stream.Close());
    EXPECT_TRUE(stream.Failed());
    IndexWriter unopened;
    unopened.Write("x", 1);
    EXPECT_FALSE(unopened.Close());
}

}  // namespace
