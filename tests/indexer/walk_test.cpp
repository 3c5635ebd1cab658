// The walk over scripted listings: the row-by-row example, dots, sizes,
// listings that fail.
#include "index/walk.h"

#include <gtest/gtest.h>

#include "fake_listing.h"
#include "index/folder_queue.h"
#include "index/index_progress.h"
#include "test_files.h"

namespace {

struct Row {
    int32_t EntryCount, ReadPos, QueueLength, Percent;
    std::string Status;
    bool operator==(const Row& o) const {
        return EntryCount == o.EntryCount && ReadPos == o.ReadPos && QueueLength == o.QueueLength &&
               Percent == o.Percent && Status == o.Status;
    }
};

std::ostream& operator<<(std::ostream& out, const Row& r) {
    return out << r.EntryCount << " / " << r.ReadPos << " / " << r.QueueLength << ", " << r.Percent
               << "%, \"" << r.Status << "\"";
}

Row Snapshot() {
    char status[kStatusLineSize];
    IndexProgress.StatusLine.CopyTo(status, sizeof status);
    return {IndexProgress.EntryCount, IndexProgress.ReadPos, IndexProgress.QueueLength,
            IndexProgress.Percent, status};
}

class WalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetIndexProgress();
        ASSERT_TRUE(Stream.Open((Folder / "index.txt").string().c_str()));
    }
    std::vector<std::string> Lines() {
        EXPECT_TRUE(Stream.Close());
        return IndexLines(Folder / "index.txt");
    }

    FakeListing Listing;
    TempFolder Folder;
    IndexWriter Stream;
};

TEST_F(WalkTest, ExampleDriveRowByRow) {
    using F = FakeListing;
    Listing.Folders[Sep("c:")] = {
        {F::File("boot.ini", 211), F::Folder("Program Files"), F::Folder("WINDOWS")}};
    Listing.Folders[Sep("c:\\Program Files")] = F::Listed({F::File("a.txt", 12)});
    Listing.Folders[Sep("c:\\WINDOWS")] =
        F::Listed({F::Folder("system32"), F::File("win.ini", 4096)});
    Listing.Folders[Sep("c:\\WINDOWS\\system32")] = F::Listed({});

    // One row after every entry: the state as the next entry is asked for.
    std::vector<Row> rows;
    Listing.BeforeEntry = [&rows] {
        Row now = Snapshot();
        if (now.EntryCount > 0 && (rows.empty() || rows.back().EntryCount != now.EntryCount)) {
            rows.push_back(now);
        }
    };
    std::vector<int32_t> results;
    std::vector<Row> afterCalls;
    results.push_back(WalkFolder("c:", Stream));
    afterCalls.push_back(Snapshot());
    for (int call = 0; call < 4; ++call) {
        results.push_back(WalkFolder(nullptr, Stream));
        afterCalls.push_back(Snapshot());
    }

    const std::vector<Row> expected = {
        {1, 0, 0, 0, Sep("[1: 0/0] c:\\*")},
        {2, 0, 1, 0, Sep("[2: 0/1] c:\\Program Files")},
        {3, 0, 2, 0, Sep("[3: 0/2] c:\\WINDOWS")},
        {4, 1, 2, 50, Sep("[4: 1/2] c:\\Program Files\\*")},
        {5, 2, 3, 66, Sep("[5: 2/3] c:\\WINDOWS\\system32")},
        {6, 2, 3, 66, Sep("[6: 2/3] c:\\WINDOWS\\system32")},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(results, (std::vector<int32_t>{1, 1, 1, 1, 0}));
    const Row last = {6, 3, 3, 66, Sep("[6: 2/3] c:\\WINDOWS\\system32")};
    EXPECT_EQ(afterCalls[3], last) << "an empty folder leaves the status text";
    EXPECT_EQ(afterCalls[4], last) << "a call on a drained queue changes nothing";
    EXPECT_EQ(Listing.OpenListings, 0);

    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           Sep("000000d3 c:\\boot.ini"),
                           Sep("00000000 c:\\Program?Files"),
                           Sep("00000000 c:\\WINDOWS"),
                           Sep("0000000c c:\\Program?Files\\a.txt"),
                           Sep("00000000 c:\\WINDOWS\\system32"),
                           Sep("00001000 c:\\WINDOWS\\win.ini"),
                       }));
}

TEST_F(WalkTest, OnlyTheExactDotNamesArePassedOver) {
    using F = FakeListing;
    Listing.Folders["r"] = F::Listed({F::File("..."), F::File(".profile"), F::File(".. "),
                                      F::Folder(".hidden"), F::File("."), F::File("..")});
    Listing.Folders[Sep("r\\.hidden")] = F::Listed({F::File("x")});
    WalkTree("r", Stream);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           Sep("00000000 r\\..."),
                           Sep("00000000 r\\.profile"),
                           Sep("00000000 r\\..?"),
                           Sep("00000000 r\\.hidden"),
                           Sep("00000000 r\\.hidden\\x"),
                       }));
}

TEST_F(WalkTest, LargeSizesReadAsAllOnes) {
    using F = FakeListing;
    struct Case {
        uint64_t Size;
        const char* Field;
    };
    const Case cases[] = {
        {0, "00000000"},
        {1234, "000004d2"},
        {0xffffffffull, "ffffffff"},
        {0x100000000ull, "ffffffff"},  // 4 GiB
        {0x100000005ull, "ffffffff"},  // 4 GiB and 5 bytes
        {0x140000000ull, "ffffffff"},  // 5 GiB
        {~0ull, "ffffffff"},
    };
    FakeFolder root;
    for (const Case& c : cases) root.Entries.push_back(F::File(std::to_string(c.Size), c.Size));
    Listing.Folders["r"] = root;
    WalkTree("r", Stream);
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), std::size(cases));
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i],
                  std::string(cases[i].Field) + " " + Sep("r\\") + std::to_string(cases[i].Size));
    }
}

TEST_F(WalkTest, LinksAndJunctionsGetALineButAreNotFollowed) {
    using F = FakeListing;
    Listing.Folders["r"] = {{F::Folder("real"),
                             {"link", kAttrFolder | kAttrReparsePoint, 0},
                             {"filelink", kAttrReparsePoint, 0}}};
    Listing.Folders[Sep("r\\real")] = F::Listed({F::File("f")});
    // Were the link followed, it would lead back to r for ever.
    Listing.Folders[Sep("r\\link")] = Listing.Folders["r"];
    WalkTree("r", Stream);
    EXPECT_EQ(IndexProgress.QueueLength, 1);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{Sep("00000000 r\\real"), Sep("00000000 r\\link"),
                                        Sep("00000000 r\\filelink"), Sep("00000000 r\\real\\f")}));
}

TEST_F(WalkTest, ListingsThatCannotStartOrFailMidway) {
    using F = FakeListing;
    Listing.Folders["r"] = {{F::Folder("gone"), F::Folder("half"), F::Folder("after")}};
    FakeFolder half = F::Listed({F::File("one"), F::File("two"), F::File("three")});
    half.FailAfter = 3;  // ".", "..", "one", then a failure
    Listing.Folders[Sep("r\\half")] = half;
    Listing.Folders[Sep("r\\after")] = F::Listed({F::File("last")});

    EXPECT_EQ(WalkFolder("r", Stream), 1);
    EXPECT_EQ(WalkFolder(nullptr, Stream), 1) << "r\\gone cannot be listed, two folders wait";
    EXPECT_EQ(IndexProgress.ReadPos, 1);
    EXPECT_EQ(WalkFolder(nullptr, Stream), 1);
    EXPECT_EQ(WalkFolder(nullptr, Stream), 1);
    EXPECT_EQ(WalkFolder(nullptr, Stream), 0);
    EXPECT_EQ(Listing.OpenListings, 0);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{Sep("00000000 r\\gone"), Sep("00000000 r\\half"),
                                        Sep("00000000 r\\after"), Sep("00000000 r\\half\\one"),
                                        Sep("00000000 r\\after\\last")}));
}

TEST_F(WalkTest, UnlistableLastFolderEndsTheDrive) {
    using F = FakeListing;
    Listing.Folders["r"] = {{F::Folder("gone")}};
    EXPECT_EQ(WalkFolder("r", Stream), 1);
    EXPECT_EQ(WalkFolder(nullptr, Stream), 0) << "nothing waits behind the unlistable folder";
    EXPECT_EQ(WalkFolder("missing", Stream), 0);
    EXPECT_EQ(IndexProgress.EntryCount, 1);
}

TEST_F(WalkTest, SpacesStayInQueueAndStatusButNotInTheLine) {
    using F = FakeListing;
    Listing.Folders["r"] = {{F::Folder(" My  Files ")}};
    Listing.Folders[Sep("r\\ My  Files ")] = F::Listed({F::File("Read Me.txt", 1234)});
    WalkTree("r", Stream);
    char status[kStatusLineSize];
    IndexProgress.StatusLine.CopyTo(status, sizeof status);
    EXPECT_EQ(std::string(status), Sep("[2: 1/1] r\\ My  Files \\*"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{Sep("00000000 r\\?My??Files?"),
                                                 Sep("000004d2 r\\?My??Files?\\Read?Me.txt")}));
}

TEST_F(WalkTest, DeepPathsCutTheStatusTextNotTheLines) {
    using F = FakeListing;
    std::string folder = "r";
    std::string name(200, 'n');
    for (int depth = 0; depth < 30; ++depth) {
        Listing.Folders[folder] = F::Listed({F::Folder(name)});
        folder += kPathSeparator + name;
    }
    Listing.Folders[folder] = F::Listed({F::File("leaf")});
    WalkTree("r", Stream);
    char status[kStatusLineSize];
    EXPECT_EQ(IndexProgress.StatusLine.CopyTo(status, sizeof status), kStatusLineSize - 1);
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines.back(), "00000000 " + folder + kPathSeparator + "leaf");
}

}  // namespace
