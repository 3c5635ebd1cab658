// Real builds under Wine over a prepared Linux tree (see run_with_tree.sh).
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "index/build_job.h"
#include "index/index_progress.h"
#include "index/index_writer.h"
#include "platform/listing.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ReadWhole(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& file) {
    std::string bytes = ReadWhole(file);
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";
    return lines;
}

class WineBuildTest : public ::testing::Test {
protected:
    void SetUp() override {
        Tree = Env("ZADE_TREE_DOS");
        if (Tree.empty()) GTEST_SKIP() << "run through run_with_tree.sh";
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Index =
            std::string(temp) + "zade-wine-index-" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(Index.c_str());
    }
    void TearDown() override {
        DeleteFileA(Index.c_str());
        SetListingService(nullptr);
    }
    template <typename Job>
    void Build(Job job) {
        ASSERT_TRUE(ClaimIndexBuild());
        ResetIndexProgress();
        std::thread worker(job);
        worker.join();
        EXPECT_EQ(IndexProgress.Done, 1);
        EXPECT_EQ(IndexProgress.Failure, kBuildOk);
        EXPECT_EQ(GetFileAttributesA(TemporaryIndexPath(Index.c_str()).c_str()),
                  INVALID_FILE_ATTRIBUTES);
    }
    // Checks the tree's lines under root and returns them.
    void ExpectTree(const std::string& root) {
        std::vector<std::string> lines = Lines(Index);
        std::set<std::string> unique(lines.begin(), lines.end());
        EXPECT_EQ(unique.size(), lines.size()) << "nothing listed twice";
        const std::vector<std::string> expected = {
            "00000000 " + root + "\\My?Files",
            "00000000 " + root + "\\sub",
            "00000000 " + root + "\\.config",
            "00000000 " + root + "\\empty",
            "00000000 " + root + "\\.hidden",
            "00000003 " + root + "\\\xc4iti",
            "ffffffff " + root + "\\big.bin",
            "00000005 " + root + "\\My?Files\\Read?Me.txt",
            "00000000 " + root + "\\sub\\deep",
            "00000000 " + root + "\\sub\\up",
            "00000005 " + root + "\\sub\\file?link",
            "00000001 " + root + "\\sub\\deep\\file",
            "00000000 " + root + "\\sub\\deep\\root",
        };
        EXPECT_EQ(unique, std::set<std::string>(expected.begin(), expected.end()));
        // Breadth-first: the root's entries, then depth two, then depth three.
        auto depth = [&](const std::string& line) {
            size_t d = 0;
            for (size_t i = 9 + root.size(); i < line.size(); ++i) d += line[i] == '\\';
            return d;
        };
        for (size_t i = 1; i < lines.size(); ++i) {
            EXPECT_LE(depth(lines[i - 1]), depth(lines[i])) << lines[i];
        }
    }

    std::string Tree, Index;
};

TEST_F(WineBuildTest, AFolderThroughZWithLinkLoops) {
    Build([this] { BuildFolderIndex(Tree.c_str(), Index.c_str()); });
    ExpectTree(Tree);
}

uint32_t OnlyTheTreeDrive() {
    return 1u << (Env("ZADE_TREE_DRIVE")[0] - 'a');
}

TEST_F(WineBuildTest, TheDriveLoopOverAPrefixDrive) {
    ListingService drives = PlatformListingService();
    EXPECT_FALSE(drives.SingleRootDrive);
    const std::string drive = Env("ZADE_TREE_DRIVE") + ":";
    EXPECT_NE(drives.LogicalDrives() & OnlyTheTreeDrive(), 0u) << "the prefix has " << drive;
    EXPECT_EQ(drives.DriveType(drive.c_str()), kDriveFixed);
    drives.LogicalDrives = OnlyTheTreeDrive;  // the real listing, one drive
    SetListingService(&drives);
    Build([this] { BuildIndexInto(Index.c_str()); });
    ExpectTree(drive);
}

TEST_F(WineBuildTest, ASearchHoldingTheIndexOpenOnlyDelaysTheReplace) {
    {
        std::ofstream old(Index, std::ios::binary);
        old << "00000001 c:\\old\r\n";
    }
    HANDLE reader = CreateFileA(Index.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread search([reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        CloseHandle(reader);
    });
    Build([this] { BuildFolderIndex(Tree.c_str(), Index.c_str()); });
    search.join();
    ExpectTree(Tree);
}

TEST_F(WineBuildTest, AnIndexHeldOpenForLongKeepsTheEarlierOne) {
    const std::string old = "00000001 c:\\old\r\n";
    {
        std::ofstream out(Index, std::ios::binary);
        out << old;
    }
    HANDLE reader = CreateFileA(Index.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(ClaimIndexBuild());
    ResetIndexProgress();
    std::thread worker([this] { BuildFolderIndex(Tree.c_str(), Index.c_str()); });
    worker.join();
    CloseHandle(reader);
    EXPECT_EQ(IndexProgress.Done, 1);
    EXPECT_EQ(IndexProgress.Failure, kBuildReplaceFailed);
    EXPECT_EQ(ReadWhole(Index), old);
    EXPECT_EQ(GetFileAttributesA(TemporaryIndexPath(Index.c_str()).c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(WineBuildTest, AnIndexThatCannotBeCreated) {
    const std::string missing = Index + ".missing\\index.txt";
    ASSERT_TRUE(ClaimIndexBuild());
    ResetIndexProgress();
    std::thread worker([&] { BuildFolderIndex(Tree.c_str(), missing.c_str()); });
    worker.join();
    EXPECT_EQ(IndexProgress.Done, 1);
    EXPECT_EQ(IndexProgress.Failure, kBuildCannotCreate);
}

}  // namespace
