#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <fstream>
#include <string>

#include "tests/progress_window/progress_fixture.h"

namespace {

int BarPos(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_SCAN_PROGRESS, PBM_GETPOS, 0, 0));
}

bool ReturnEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDC_RETURN)) != FALSE;
}

bool Finished(HWND dialog) {
    return ItemText(dialog, IDC_SCAN_STATE) == kIndexDoneText && ReturnEnabled(dialog);
}

// Holds the claim as a running build does, so the test alone writes the record.
class ClaimedBuild {
public:
    ClaimedBuild() {
        Claimed = ClaimIndexBuild();
        ResetIndexProgress();
    }
    ~ClaimedBuild() {
        if (Claimed) ReleaseIndexBuild();
    }
    bool Claimed;
};

}  // namespace

TEST_F(ProgressWindowTest, OpensIndexingWithEmptyScanLineBarAtZeroAndReturnDisabled) {
    Listing.HoldAfter(0);  // the build waits before its first entry
    int ticksAtStart = 0;
    ModalDriver driver;
    driver
        .WaitFor("shown and the build waiting",
                 [&](HWND d) { return IsWindowVisible(d) && Listing.Waiting(); })
        .Do("note ticks",
            [&](HWND d) {
                ticksAtStart = TicksSeen();
                BringToFront(d);
            })
        .WaitFor("three ticks", [&](HWND) { return TicksSeen() >= ticksAtStart + 3; })
        .Do("look, then leave", [&](HWND d) {
            EXPECT_EQ(TextOf(d), "Updating index ...");
            EXPECT_EQ(ItemText(d, IDC_SCAN_STATE), kIndexingText);
            EXPECT_EQ(ItemText(d, IDC_SCAN_LINE), "");
            EXPECT_EQ(BarPos(d), 0);
            PBRANGE range{};
            SendDlgItemMessageA(d, IDC_SCAN_PROGRESS, PBM_GETRANGE, FALSE,
                                reinterpret_cast<LPARAM>(&range));
            EXPECT_EQ(range.iLow, 0);
            EXPECT_EQ(range.iHigh, 100);
            EXPECT_FALSE(ReturnEnabled(d));
            EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_SCAN_LINE)) << "focus on the first tab stop";
            EXPECT_EQ(IndexProgress.Done.load(), 0);
            PressKey(d, VK_ESCAPE);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
}

TEST_F(ProgressWindowTest, OpensCentredOnTheWorkArea) {
    ClaimedBuild build;
    RECT shown{};
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("measure, leave", [&](HWND d) {
            GetWindowRect(d, &shown);
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(shown.left - work.left, work.right - shown.right, 1);
    EXPECT_NEAR(shown.top - work.top, work.bottom - shown.bottom, 1);
}

struct ScanLineCase {
    size_t StatusLength;
    size_t Shown;
};

class ScanLineTest : public ProgressWindowTest,
                     public ::testing::WithParamInterface<ScanLineCase> {};

TEST_P(ScanLineTest, ShowsAtMostTheFirst80CharactersOfTheStatusText) {
    ClaimedBuild build;
    ASSERT_TRUE(build.Claimed);
    std::string status;
    for (size_t i = 0; i < GetParam().StatusLength; ++i) status += static_cast<char>('A' + i % 26);
    const std::string expected = status.substr(0, GetParam().Shown);
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("set the status",
            [&](HWND) {
                IndexProgress.StatusLine.Set(status.c_str());
                IndexProgress.Percent = 37;
            })
        .WaitFor(
            "scan line follows",
            [&](HWND d) { return ItemText(d, IDC_SCAN_LINE) == expected && BarPos(d) == 37; }, 2000)
        .Do("leave", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
}

INSTANTIATE_TEST_SUITE_P(Lengths, ScanLineTest,
                         ::testing::Values(ScanLineCase{0, 0}, ScanLineCase{1, 1},
                                           ScanLineCase{79, 79}, ScanLineCase{80, 80},
                                           ScanLineCase{81, 80}, ScanLineCase{100, 80},
                                           ScanLineCase{255, 80}));

TEST_F(ProgressWindowTest, ScanLineShowsTheWalksStatusCut) {
    const std::string longName(100, 'x');
    Listing.Folders["c:"] = {GatedListing::Folder(longName), GatedListing::File("a.txt")};
    Listing.Folders["c:\\" + longName] = {};
    Listing.HoldAfter(1);  // after the long folder's entry
    std::string status;
    ModalDriver driver;
    driver
        .WaitFor("build waiting",
                 [&](HWND) { return Listing.Waiting() && Listing.EntriesGiven() == 1; })
        .Do("read the status",
            [&](HWND) {
                char copy[kStatusLineSize];
                IndexProgress.StatusLine.CopyTo(copy, sizeof copy);
                status = copy;
            })
        .WaitFor(
            "scan line shows it cut",
            [&](HWND d) { return ItemText(d, IDC_SCAN_LINE) == status.substr(0, 80); }, 2000)
        .Do("undo only in the scan line, leave", [](HWND d) {
            EXPECT_NE(SendDlgItemMessageA(d, IDC_SCAN_LINE, EM_CANUNDO, 0, 0), 0);
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_SCAN_STATE, EM_CANUNDO, 0, 0), 0);
            PressKey(d, VK_ESCAPE);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_GT(status.size(), 100u);
    EXPECT_EQ(status.substr(0, 12), "[1: 0/1] c:\\");
}

TEST_F(ProgressWindowTest, FinishedStateComesWithTheFirstTickAfterDone) {
    ClaimedBuild build;
    int ticksAtDone = -1;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .WaitFor("ticking", [](HWND) { return TicksSeen() >= 2; })
        .Do("raise Done",
            [&](HWND) {
                IndexProgress.StatusLine.Set("[4: 2/2] c:\\docs");
                IndexProgress.Percent = 100;
                IndexProgress.Done = 1;
                ticksAtDone = TicksSeen();
            })
        .WaitFor(
            "finished", [](HWND d) { return Finished(d); }, 2000)
        .Do("status changes after Done", [](HWND) { IndexProgress.StatusLine.Set("later"); })
        .WaitFor(
            "still refreshed", [](HWND d) { return ItemText(d, IDC_SCAN_LINE) == "later"; }, 2000)
        .Do("press Return", [](HWND d) { ClickButton(d, IDC_RETURN); });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    // Tick k shows what tick k-1 left: the tick taken right after Done
    // already finished the window.
    const std::vector<TickView> ticks = Ticks();
    ASSERT_GT(static_cast<int>(ticks.size()), ticksAtDone + 1);
    EXPECT_EQ(ticks[ticksAtDone].State, kIndexingText) << "finished before Done";
    EXPECT_FALSE(ticks[ticksAtDone].ReturnEnabled);
    EXPECT_EQ(ticks[ticksAtDone + 1].State, kIndexDoneText) << "not finished one tick after Done";
    EXPECT_TRUE(ticks[ticksAtDone + 1].ReturnEnabled);
    EXPECT_EQ(ticks[ticksAtDone + 1].ScanLine, "[4: 2/2] c:\\docs");
}

TEST_F(ProgressWindowTest, ReturnIsPressableOnceTheBuildHasFinished) {
    ModalDriver driver;
    driver.WaitFor("finished", [](HWND d) { return Finished(d); })
        .Do("check the bar, press Return", [](HWND d) {
            EXPECT_EQ(BarPos(d), IndexProgress.Percent.load());
            char copy[kStatusLineSize];
            IndexProgress.StatusLine.CopyTo(copy, sizeof copy, 80);
            EXPECT_EQ(ItemText(d, IDC_SCAN_LINE), copy);
            ClickButton(d, IDC_RETURN);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(IndexLines(), ExpectedLines());
    EXPECT_EQ(IndexProgress.Failure.load(), kBuildOk);
}

struct LeaveCase {
    const char* Name;
    void (*Leave)(HWND dialog);
    INT_PTR Result;
};

class LeaveDuringBuildTest : public ProgressWindowTest,
                             public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveDuringBuildTest, EndsTheWindowAtOnceAndTheBuildCompletesTheIndex) {
    Listing.HoldAfter(2);
    ModalDriver driver;
    driver.WaitFor("build waiting", [&](HWND d) { return IsWindowVisible(d) && Listing.Waiting(); })
        .Do(GetParam().Name, [](HWND d) { GetParam().Leave(d); });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), GetParam().Result);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_TRUE(IndexBuildRunning()) << "the build must go on after the window";
    EXPECT_EQ(IndexProgress.Done.load(), 0);
    EXPECT_EQ(Listing.EntriesGiven(), 2);
    Listing.Release();
    ASSERT_TRUE(WaitForIdleBuild());
    EXPECT_EQ(IndexProgress.Done.load(), 1);
    EXPECT_EQ(IndexLines(), ExpectedLines());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LeaveDuringBuildTest,
    ::testing::Values(LeaveCase{"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, IDCANCEL},
                      LeaveCase{"Enter", [](HWND d) { PressKey(d, VK_RETURN); }, IDOK},
                      LeaveCase{"CloseBox",
                                [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
                                IDCANCEL}),
    [](const ::testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.Name); });

TEST_F(ProgressWindowTest, SecondWindowWatchesTheRunningBuildInsteadOfStartingOne) {
    Listing.HoldAfter(2);
    ModalDriver first;
    first.WaitFor("build waiting", [&](HWND d) { return IsWindowVisible(d) && Listing.Waiting(); })
        .Do("leave early", [](HWND d) { PressKey(d, VK_ESCAPE); });
    CIndexDlg firstDialog;
    ASSERT_EQ(first.Run(firstDialog), IDCANCEL);
    ASSERT_TRUE(IndexBuildRunning());

    char statusBefore[kStatusLineSize];
    IndexProgress.StatusLine.CopyTo(statusBefore, sizeof statusBefore, 80);
    ASSERT_STRNE(statusBefore, "");
    const int entriesBefore = IndexProgress.EntryCount.load();

    ModalDriver second;
    second.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .WaitFor(
            "showing the running build",
            [&](HWND d) { return ItemText(d, IDC_SCAN_LINE) == statusBefore; }, 2000)
        .Do("nothing was reset, let the build go on",
            [&](HWND d) {
                EXPECT_EQ(IndexProgress.EntryCount.load(), entriesBefore);
                EXPECT_EQ(ItemText(d, IDC_SCAN_STATE), kIndexingText);
                EXPECT_FALSE(ReturnEnabled(d));
                Listing.Release();
            })
        .WaitFor("finished", [](HWND d) { return Finished(d); })
        .Do("press Return", [](HWND d) { ClickButton(d, IDC_RETURN); });
    CIndexDlg secondDialog;
    EXPECT_EQ(second.Run(secondDialog), IDCANCEL);
    EXPECT_EQ(second.FailedStep, "");
    ASSERT_TRUE(WaitForIdleBuild());
    EXPECT_EQ(Listing.TimesListed("c:\\*"), 1) << "a second build was started";
    EXPECT_EQ(IndexLines(), ExpectedLines());
}

TEST_F(ProgressWindowTest, ANewWindowAfterAFinishedBuildStartsAFreshOne) {
    for (int round = 0; round < 2; ++round) {
        ModalDriver driver;
        driver.WaitFor("finished", [](HWND d) { return Finished(d); })
            .Do("press Return", [](HWND d) { ClickButton(d, IDC_RETURN); });
        CIndexDlg dialog;
        EXPECT_EQ(driver.Run(dialog), IDCANCEL);
        ASSERT_TRUE(WaitForIdleBuild());
    }
    EXPECT_EQ(Listing.TimesListed("c:\\*"), 2);
    EXPECT_EQ(IndexProgress.EntryCount.load(), 4) << "the second build starts from a reset record";
    EXPECT_EQ(IndexLines(), ExpectedLines());
}

TEST_F(ProgressWindowTest, FailedBuildSaysTheIndexWasNotWritten) {
    {
        std::ofstream old("index.txt", std::ios::binary);
        old << "0000000a c:\\old.txt\r\n";
    }
    // The new index cannot be created beside the old one.
    ASSERT_TRUE(CreateDirectoryA("index.txt.tmp", nullptr));
    ModalDriver driver;
    driver
        .WaitFor("failure shown",
                 [](HWND d) { return ItemText(d, IDC_SCAN_STATE) == kIndexFailedText; })
        .Do("Return enabled, press it", [](HWND d) {
            EXPECT_TRUE(ReturnEnabled(d));
            ClickButton(d, IDC_RETURN);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(IndexProgress.Failure.load(), kBuildCannotCreate);
    EXPECT_EQ(ReadFile("index.txt"), "0000000a c:\\old.txt\r\n");
    RemoveDirectoryA("index.txt.tmp");
}

class FailureTextTest : public ProgressWindowTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(FailureTextTest, EveryFailureOfTheBuildIsShownAsSuch) {
    ClaimedBuild build;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("fail",
            [](HWND) {
                IndexProgress.Failure = GetParam();
                IndexProgress.Done = 1;
            })
        .WaitFor(
            "failure shown",
            [](HWND d) {
                return ItemText(d, IDC_SCAN_STATE) == kIndexFailedText && ReturnEnabled(d);
            },
            2000)
        .Do("leave", [](HWND d) { ClickButton(d, IDC_RETURN); });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
}

INSTANTIATE_TEST_SUITE_P(Failures, FailureTextTest,
                         ::testing::Values(kBuildCannotCreate, kBuildWriteFailed,
                                           kBuildReplaceFailed));

TEST_F(ProgressWindowTest, AWorkerThatCannotStartLeavesNoClaimAndAWayOut) {
    SetThreadStartSeam([](WorkerProc, void*) { return false; });
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("look, leave", [](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_SCAN_STATE), kBuildNotStartedText);
            EXPECT_TRUE(ReturnEnabled(d));
            EXPECT_FALSE(IndexBuildRunning());
            ClickButton(d, IDC_RETURN);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(Listing.TimesListed("c:\\*"), 0);
}
