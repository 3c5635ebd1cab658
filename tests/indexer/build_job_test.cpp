// The build job over scripted drives: which drives, in which order, and
// what is left on disk when the index cannot be written.
#include "index/build_job.h"

#include <gtest/gtest.h>

#include <thread>

#include "fake_listing.h"
#include "index/folder_queue.h"
#include "index/index_progress.h"
#include "index/index_writer.h"
#include "test_files.h"

namespace {

using F = FakeListing;

class BuildJobTest : public ::testing::Test {
protected:
    // Starts the job the way the progress window does and waits for its end.
    void Build() {
        ASSERT_TRUE(ClaimIndexBuild());
        ResetIndexProgress();
        std::thread worker([this] { BuildIndexInto(Index.string().c_str()); });
        worker.join();
        EXPECT_EQ(IndexProgress.Done, 1);
        EXPECT_FALSE(IndexBuildRunning());
        EXPECT_EQ(Listing.OpenListings, 0);
    }
    // Every drive the job asked to list, in order.
    std::vector<std::string> Roots() const {
        std::vector<std::string> roots;
        for (const std::string& p : Listing.Patterns) {
            if (p.size() == 4) roots.push_back(p.substr(0, 2));
        }
        return roots;
    }
    void Drive(const std::string& name, int type = kDriveFixed) {
        Listing.DriveMask |= 1u << (name[0] - 'a');
        Listing.DriveTypes[name] = type;
        Listing.Folders[name] = {{F::File("on-" + name.substr(0, 1))}};
    }

    FakeListing Listing;
    TempFolder Folder;
    fs::path Index = Folder / "index.txt";
};

struct DriveCase {
    const char* Name;
    std::vector<std::pair<std::string, int>> Drives;
    std::vector<std::string> Walked;
};

TEST_F(BuildJobTest, WalksEligibleDrivesInLetterOrder) {
    const DriveCase cases[] = {
        {"a: and c:", {{"a:", kDriveRemovable}, {"c:", kDriveFixed}}, {"c:"}},
        {"floppies only", {{"a:", kDriveRemovable}, {"b:", kDriveRemovable}}, {}},
        {"no drive at all", {}, {}},
        {"CD-ROM and network skipped",
         {{"c:", kDriveFixed}, {"d:", kDriveCdrom}, {"e:", kDriveRemote}, {"f:", kDriveFixed}},
         {"c:", "f:"}},
        {"every other type walked",
         {{"g:", kDriveUnknown},
          {"h:", kDriveNoRootDir},
          {"i:", kDriveRemovable},
          {"j:", kDriveRamdisk}},
         {"g:", "h:", "i:", "j:"}},
        {"c: to z:",
         {{"z:", kDriveFixed}, {"m:", kDriveFixed}, {"c:", kDriveFixed}},
         {"c:", "m:", "z:"}},
    };
    for (const DriveCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Listing.DriveMask = 0;
        Listing.Patterns.clear();
        Listing.Folders.clear();
        for (const auto& [name, type] : c.Drives) Drive(name, type);
        Build();
        EXPECT_EQ(Roots(), c.Walked);
        std::vector<std::string> expected;
        for (const std::string& d : c.Walked) {
            expected.push_back("00000000 " + d + kPathSeparator + "on-" + d.substr(0, 1));
        }
        EXPECT_EQ(IndexLines(Index), expected);
        EXPECT_TRUE(fs::exists(Index)) << "an empty index is still an index";
        EXPECT_EQ(IndexProgress.Failure, kBuildOk);
    }
}

TEST_F(BuildJobTest, DrivesShareOneQueueAndEachIsCompleteBeforeTheNext) {
    Listing.DriveMask = 1u << 2 | 1u << 3 | 1u << 4;  // c: d: e:
    Listing.Folders["c:"] = {{F::Folder("x"), F::File("y")}};
    Listing.Folders[Sep("c:\\x")] = F::Listed({F::Folder("deep")});
    Listing.Folders[Sep("c:\\x\\deep")] = F::Listed({F::File("z")});
    // d: has no medium: no lines, no halt.
    Listing.Folders["e:"] = {{F::Folder("w")}};
    Listing.Folders[Sep("e:\\w")] = F::Listed({});
    Build();
    EXPECT_EQ(IndexLines(Index),
              (std::vector<std::string>{Sep("00000000 c:\\x"), Sep("00000000 c:\\y"),
                                        Sep("00000000 c:\\x\\deep"), Sep("00000000 c:\\x\\deep\\z"),
                                        Sep("00000000 e:\\w")}));
    EXPECT_EQ(IndexProgress.EntryCount, 5);
    EXPECT_EQ(IndexProgress.QueueLength, 3);
    EXPECT_EQ(IndexProgress.ReadPos, 3);
    EXPECT_EQ(IndexProgress.Percent, 66) << "set with the last entry, e:\\w, at 2 of 3";
    EXPECT_EQ(FolderQueue.Waiting(), 0u);
}

TEST_F(BuildJobTest, ANewIndexReplacesTheOldOneOnlyWhenComplete) {
    WriteWhole(Index, "00000001 c:\\old\r\n");
    Drive("c:");
    bool sawOldIndexMidway = false;
    Listing.BeforeEntry = [&] { sawOldIndexMidway = ReadWhole(Index) == "00000001 c:\\old\r\n"; };
    Build();
    EXPECT_TRUE(sawOldIndexMidway) << "a search during the build reads the earlier index";
    EXPECT_EQ(IndexLines(Index), (std::vector<std::string>{Sep("00000000 c:\\on-c")}));
    EXPECT_FALSE(fs::exists(TemporaryIndexPath(Index.string().c_str())));
}

TEST_F(BuildJobTest, AnIndexThatCannotBeCreatedKeepsTheOldOne) {
    const std::string old = "0000002a c:\\kept?as?it?was\r\n";
    WriteWhole(Index, old);
    Drive("c:");
    const fs::path temporary = TemporaryIndexPath(Index.string().c_str());
    fs::create_directory(temporary);  // its name taken by a folder
    Build();
    EXPECT_EQ(IndexProgress.Failure, kBuildCannotCreate);
    EXPECT_EQ(ReadWhole(Index), old);
    EXPECT_TRUE(fs::is_directory(temporary)) << "only a file of the build's own is removed";

    Index = Folder / "no such folder" / "index.txt";
    Build();
    EXPECT_EQ(IndexProgress.Failure, kBuildCannotCreate);
    EXPECT_FALSE(fs::exists(Folder / "no such folder"));
}

TEST_F(BuildJobTest, StorageThatRunsOutKeepsTheOldIndex) {
    const std::string old = "00000001 c:\\old\r\n";
    WriteWhole(Index, old);
    Listing.DriveMask = 1u << 2;
    Listing.Folders["c:"] = {{F::Folder("a"), F::Folder("b"), F::Folder("c")}};
    int entries = 0;
    Listing.BeforeEntry = [&entries] {
        if (++entries == 3) throw std::bad_alloc();
    };
    Build();
    EXPECT_EQ(IndexProgress.Failure, kBuildOutOfMemory);
    EXPECT_EQ(ReadWhole(Index), old);
    EXPECT_FALSE(fs::exists(TemporaryIndexPath(Index.string().c_str())));
    EXPECT_EQ(FolderQueue.Waiting(), 0u);
}

TEST_F(BuildJobTest, OneBuildAtATime) {
    ASSERT_TRUE(ClaimIndexBuild());
    EXPECT_TRUE(IndexBuildRunning());
    EXPECT_FALSE(ClaimIndexBuild()) << "a second request watches the running build";
    ReleaseIndexBuild();
    EXPECT_FALSE(IndexBuildRunning());
}

// More than a million folders, made up as they are asked for.
struct ManyFolders {
    static constexpr int kTop = 1001, kBelow = 999;
    static inline int Listings = 0;
    struct Cursor {
        int Depth, Next;
    };
    static ZadeListing* First(const char* pattern, ZadeFindData* data) {
        ++Listings;
        int depth = 0;
        for (const char* p = pattern; *p; ++p) depth += *p == kPathSeparator;
        auto* cursor = new Cursor{depth, 0};
        auto* listing = reinterpret_cast<ZadeListing*>(cursor);
        if (!Next(listing, data)) {
            delete cursor;
            return nullptr;
        }
        return listing;
    }
    static bool Next(ZadeListing* listing, ZadeFindData* data) {
        auto* cursor = reinterpret_cast<Cursor*>(listing);
        const int count = cursor->Depth == 1 ? kTop : cursor->Depth == 2 ? kBelow + 2 : 2;
        if (cursor->Next >= count) return false;
        int i = cursor->Next++;
        data->Attributes = kAttrFolder;
        data->Size = 0;
        if (cursor->Depth > 1 && i < 2) {
            std::snprintf(data->Name, sizeof data->Name, "%s", i == 0 ? "." : "..");
        } else {
            std::snprintf(data->Name, sizeof data->Name, "%d", i);
        }
        return true;
    }
    static void Close(ZadeListing* listing) { delete reinterpret_cast<Cursor*>(listing); }
    static uint32_t Drives() { return 1u << 2; }
    static int Type(const char*) { return kDriveFixed; }
};

TEST_F(BuildJobTest, MoreThanAMillionFoldersAreAllListed) {
    const ListingService many = {ManyFolders::First,  ManyFolders::Next, ManyFolders::Close,
                                 ManyFolders::Drives, ManyFolders::Type, false};
    SetListingService(&many);
    ManyFolders::Listings = 0;
    Build();
    const int32_t folders = ManyFolders::kTop + ManyFolders::kTop * ManyFolders::kBelow;
    ASSERT_GT(folders, 1000000);
    EXPECT_EQ(IndexProgress.Failure, kBuildOk);
    EXPECT_EQ(IndexProgress.QueueLength, folders);
    EXPECT_EQ(IndexProgress.ReadPos, folders);
    EXPECT_EQ(IndexProgress.EntryCount, folders);
    EXPECT_EQ(ManyFolders::Listings, folders + 1) << "each folder listed once";
    EXPECT_LE(FolderQueue.StorageBytes(), 64u * 1024) << "taken paths are given back";
    const std::string bytes = ReadWhole(Index);
    size_t lines = 0;
    for (size_t at = 0; (at = bytes.find('\n', at)) != std::string::npos; ++at) ++lines;
    EXPECT_EQ(lines, static_cast<size_t>(folders));
    const std::string last =
        Sep("00000000 c:\\1000\\") + std::to_string(ManyFolders::kBelow + 1) + "\r\n";
    EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last);
}

}  // namespace
