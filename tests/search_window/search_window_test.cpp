// The search window run modally, as the start-up runs it, driven by messages.
#include <windows.h>

#include <cstring>

#include "search/search_run.h"
#include "tests/framework/dialog_template.h"
#include "tests/search_window/window_fixture.h"

namespace {

bool Visible(HWND dialog) {
    return IsWindowVisible(dialog) != FALSE;
}

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

// Moves the focus as the dialog manager does for Tab.
void FocusControl(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void TypeChars(HWND edit, const std::string& text) {
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

const char kSummaryOfThree[] = "Found 3 results. Database contains total 3 files.";

using SearchWindow = WindowTest;

TEST_F(SearchWindow, StartsMaximisedWithBothListsFilledAndTheFirstChoicesSelected) {
    WriteIndex({});
    TestSearchDlg dialog;
    struct {
        bool Zoomed = false;
        std::vector<std::string> Types, Sizes;
        int TypeSel = -9, SizeSel = -9, FoundSel = -9, FoundCount = -9;
        int Limit = 0, TypeFilter = -1, SizeFilter = -1;
        HICON BigIcon = nullptr, SmallIcon = nullptr, DragIcon = nullptr;
        std::string LastSystemItem;
        UINT LastSystemId = 0, SeparatorType = 0;
        size_t Dialogs = 0;
    } seen;
    ModalDriver driver;
    driver.WaitFor("visible and maximised", [](HWND d) { return Visible(d) && IsZoomed(d); })
        .Do("read", [&](HWND d) {
            seen.Zoomed = IsZoomed(d) != FALSE;
            seen.Types = ListTexts(Item(d, IDC_TYPE_LIST));
            seen.Sizes = ListTexts(Item(d, IDC_SIZE_LIST));
            seen.TypeSel = Selection(Item(d, IDC_TYPE_LIST));
            seen.SizeSel = Selection(Item(d, IDC_SIZE_LIST));
            seen.FoundSel = Selection(Item(d, IDC_FOUND_LIST));
            seen.FoundCount =
                static_cast<int>(SendMessageA(Item(d, IDC_FOUND_LIST), LB_GETCOUNT, 0, 0));
            seen.Limit = dialog.ResultLimit;
            seen.TypeFilter = dialog.TypeFilter;
            seen.SizeFilter = dialog.SizeFilter;
            seen.BigIcon = reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_BIG, 0));
            seen.SmallIcon = reinterpret_cast<HICON>(SendMessageA(d, WM_GETICON, ICON_SMALL, 0));
            seen.DragIcon = reinterpret_cast<HICON>(SendMessageA(d, WM_QUERYDRAGICON, 0, 0));
            HMENU system = GetSystemMenu(d, FALSE);
            const int count = GetMenuItemCount(system);
            char text[64] = {};
            GetMenuStringA(system, count - 1, text, sizeof text, MF_BYPOSITION);
            seen.LastSystemItem = text;
            seen.LastSystemId = GetMenuItemID(system, count - 1);
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoA(system, count - 2, TRUE, &info);
            seen.SeparatorType = info.fType;
            seen.Dialogs = ThreadDialogs().size();
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_TRUE(seen.Zoomed);
    EXPECT_EQ(seen.Types,
              (std::vector<std::string>{"ALL", "ARCHIVE", "AUDIO", "PICTURE", "VIDEO"}));
    EXPECT_EQ(seen.Sizes, (std::vector<std::string>{"ANY", "1 MB", "10 MB", "100 MB", "600 MB"}));
    EXPECT_EQ(seen.TypeSel, 0);
    EXPECT_EQ(seen.SizeSel, 0);
    EXPECT_EQ(seen.FoundSel, LB_ERR);
    EXPECT_EQ(seen.FoundCount, 0);
    EXPECT_EQ(seen.Limit, 10000);
    EXPECT_EQ(seen.TypeFilter, 0);
    EXPECT_EQ(seen.SizeFilter, 0);
    EXPECT_NE(dialog.WindowIcon, nullptr);
    EXPECT_EQ(seen.BigIcon, dialog.WindowIcon);
    EXPECT_EQ(seen.SmallIcon, dialog.WindowIcon);
    EXPECT_EQ(seen.DragIcon, dialog.WindowIcon);
    EXPECT_EQ(seen.LastSystemItem, "&About KavrayZade...");
    EXPECT_EQ(seen.LastSystemId, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(seen.SeparatorType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(seen.Dialogs, 1u) << "an index was present: no progress window";
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SearchWindow, EscapeTheCloseBoxAndSystemMenuCloseEndTheWindow) {
    WriteIndex({});
    const struct {
        const char* Name;
        void (*Leave)(HWND);
    } kWays[] = {
        {"Escape in the query", [](HWND d) { PressKey(d, VK_ESCAPE); }},
        {"Escape in the found list",
         [](HWND d) {
             FocusControl(d, IDC_FOUND_LIST);
             PressKey(d, VK_ESCAPE);
         }},
        {"close box", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }},
        {"Close on the system menu", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : kWays) {
        TestSearchDlg dialog;
        ModalDriver driver;
        driver.WaitFor("query focused", QueryFocused).Do(way.Name, way.Leave);
        EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << way.Name << " " << driver.FailedStep;
    }
    EXPECT_TRUE(ShellRequests.empty());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SearchWindow, MinimisedItPaintsAndLaysOutAZeroSizeClientUnchanged) {
    WriteIndex({});
    TestSearchDlg dialog;
    bool iconic = false;
    RECT list{};
    ModalDriver driver;
    driver.WaitFor("visible", Visible)
        .Do("minimise", [](HWND d) { ShowWindow(d, SW_MINIMIZE); })
        .WaitFor(
            "iconic", [](HWND d) { return IsIconic(d) != FALSE; }, 3000)
        .Do("paint", [&](HWND d) {
            iconic = true;
            InvalidateRect(d, nullptr, TRUE);
            UpdateWindow(d);
            SendMessageA(d, WM_SIZE, SIZE_MINIMIZED, 0);
            list = ChildRectInClient(d, Item(d, IDC_FOUND_LIST));
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_TRUE(iconic);
    EXPECT_EQ(list.left, 24);
    EXPECT_EQ(list.top, 64);
}

TEST_F(SearchWindow, WithoutAnIndexTheProgressWindowComesFirst) {
    ASSERT_FALSE(FileExists("index.txt"));
    TestSearchDlg dialog;
    std::string progressCaption;
    bool searchShownMeanwhile = true;
    ModalDriver driver;
    driver.WaitFor("progress window", [](HWND d) { return TextOf(d) == "Updating index ..."; })
        .WaitFor("build done",
                 [](HWND d) { return IsWindowEnabled(GetDlgItem(d, IDC_RETURN)) != FALSE; })
        .Do("leave it",
            [&](HWND d) {
                progressCaption = TextOf(d);
                searchShownMeanwhile = Visible(dialog.Handle());
                ClickButton(d, IDC_RETURN);
            })
        .WaitFor("search window maximised",
                 [&](HWND d) { return d == dialog.Handle() && Visible(d) && IsZoomed(d); })
        .Do("escape", [](HWND d) { PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(progressCaption, "Updating index ...");
    EXPECT_FALSE(searchShownMeanwhile);
    EXPECT_TRUE(FileExists("index.txt"));
}

TEST_F(SearchWindow, FocusMovesToTheQueryOnceAndStaysWhereTheUserPutsIt) {
    WriteIndex({});
    TestSearchDlg dialog;
    int focusLater = 0;
    int countdown = -1;
    DWORD movedAt = 0;
    ModalDriver driver;
    driver.WaitFor("query focused", QueryFocused)
        .Do("focus the list",
            [&](HWND d) {
                countdown = dialog.FocusCountdown;
                movedAt = GetTickCount();
                FocusControl(d, IDC_FOUND_LIST);
            })
        .WaitFor("several timer periods", [&](HWND) { return GetTickCount() - movedAt > 300; })
        .Do("read", [&](HWND d) {
            BringToFront(d);
            focusLater = GetDlgCtrlID(GetFocus());
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(countdown, 0);
    EXPECT_EQ(focusLater, IDC_FOUND_LIST);
}

TEST_F(SearchWindow, QueryTakesAHundredCharactersAndEveryChangeReachesTheSearch) {
    WriteIndex({});
    TestSearchDlg dialog;
    std::string afterTyping, queryAfterTyping, afterPaste, queryAfterPaste, queryAfterOne;
    LRESULT limit = 0;
    ModalDriver driver;
    driver.WaitFor("visible", Visible).Do("type and paste", [&](HWND d) {
        HWND edit = Item(d, IDC_QUERY);
        limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        TypeChars(edit, "H");
        queryAfterOne = QueryText;
        TypeChars(edit, std::string(149, 'x'));
        afterTyping = TextOf(edit);
        queryAfterTyping = QueryText;
        SetWindowTextA(edit, "");
        SendMessageA(edit, EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(std::string(130, 'p').c_str()));
        afterPaste = TextOf(edit);
        queryAfterPaste = QueryText;
        PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(limit, 100);
    EXPECT_EQ(queryAfterOne, "H") << "copied as typed, not folded";
    EXPECT_EQ(afterTyping, "H" + std::string(99, 'x'));
    EXPECT_EQ(queryAfterTyping, afterTyping);
    EXPECT_EQ(afterPaste, std::string(100, 'p'));
    EXPECT_EQ(queryAfterPaste, afterPaste);
}

TEST_F(SearchWindow, EnterSearchesFromTheFoundListAndPressesAFocusedButton) {
    WriteIndex(
        {"00000010 c:\\Docs\\Holiday?1.JPG", "00200000 c:\\music\\song.mp3", "00000000 c:\\Docs"});
    TestSearchDlg dialog;
    std::string statusAfterEnter, statusAfterButton;
    std::vector<std::string> found;
    bool searchEnabled = false, windowVisibleList = false;
    size_t requestsAfterButton = 99;
    ModalDriver driver;
    driver.WaitFor("query focused", QueryFocused)
        .Do("enter in the found list",
            [](HWND d) {
                FocusControl(d, IDC_FOUND_LIST);
                PressKey(d, VK_RETURN);
            })
        .WaitFor("summary", [](HWND d) { return !ItemText(d, IDC_STATUS).empty(); })
        .Do("read and focus Open folder",
            [&](HWND d) {
                statusAfterEnter = ItemText(d, IDC_STATUS);
                found = ListTexts(Item(d, IDC_FOUND_LIST));
                searchEnabled = IsWindowEnabled(Item(d, IDC_SEARCH)) != FALSE;
                windowVisibleList = Visible(Item(d, IDC_FOUND_LIST));
                SetWindowTextA(Item(d, IDC_STATUS), "unchanged");
                // As Tab would: the dialog manager makes a focused button the default one.
                BringToFront(d);
                FocusControl(d, IDC_OPEN_FOLDER);
                PressKey(d, VK_RETURN);
            })
        .WaitFor(
            "button pressed", [](HWND) { return !ShellRequests.empty(); }, 3000)
        .Do("read", [&](HWND d) {
            statusAfterButton = ItemText(d, IDC_STATUS);
            requestsAfterButton = ShellRequests.size();
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(statusAfterEnter, kSummaryOfThree);
    EXPECT_EQ(found, (std::vector<std::string>{"c:\\docs", "c:\\docs\\holiday 1.jpg",
                                               "c:\\music\\song.mp3"}));
    EXPECT_TRUE(searchEnabled);
    EXPECT_TRUE(windowVisibleList) << "the list's drawing was left off after the fill";
    EXPECT_EQ(statusAfterButton, "unchanged") << "Enter on a button must not search";
    ASSERT_EQ(requestsAfterButton, 1u);
    EXPECT_EQ(ShellRequests[0].File, "") << "nothing selected after a search";
}

TEST_F(SearchWindow, FilterChoicesTakeEffectAtTheNextSearch) {
    WriteIndex({"00000010 c:\\a.jpg", "00200000 c:\\b.jpg", "06400000 c:\\c.mp3"});
    TestSearchDlg dialog;
    int type = -1, size = -1;
    std::vector<std::string> before, afterSelect, afterSearch;
    ModalDriver driver;
    driver.WaitFor("visible", Visible).Do("choose", [&](HWND d) {
        Command(d, IDC_SEARCH, BN_CLICKED);
        before = ListTexts(Item(d, IDC_FOUND_LIST));
        SendMessageA(Item(d, IDC_TYPE_LIST), LB_SETCURSEL, 3, 0);  // PICTURE
        Command(d, IDC_TYPE_LIST, LBN_SELCHANGE);
        SendMessageA(Item(d, IDC_SIZE_LIST), LB_SETCURSEL, 1, 0);  // 1 MB
        Command(d, IDC_SIZE_LIST, LBN_SELCHANGE);
        type = dialog.TypeFilter;
        size = dialog.SizeFilter;
        afterSelect = ListTexts(Item(d, IDC_FOUND_LIST));
        Command(d, IDC_SEARCH, BN_CLICKED);
        afterSearch = ListTexts(Item(d, IDC_FOUND_LIST));
        PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(type, 3);
    EXPECT_EQ(size, 1);
    EXPECT_EQ(before.size(), 3u);
    EXPECT_EQ(afterSelect, before);
    EXPECT_EQ(afterSearch, (std::vector<std::string>{"c:\\b.jpg"}));
}

TEST_F(SearchWindow, ResizeLayoutAtEightHundredBySixHundredAndBelowTheMargins) {
    WriteIndex({});
    TestSearchDlg dialog;
    struct Size {
        int Cx, Cy;
        RECT List, Button, Status;
    };
    std::vector<Size> sizes = {{800, 600, {}, {}, {}}, {150, 100, {}, {}, {}}};
    ModalDriver driver;
    driver.WaitFor("visible", Visible).Do("resize", [&](HWND d) {
        for (Size& s : sizes) {
            SendMessageA(d, WM_SIZE, SIZE_RESTORED, MAKELPARAM(s.Cx, s.Cy));
            s.List = ChildRectInClient(d, Item(d, IDC_FOUND_LIST));
            s.Button = ChildRectInClient(d, Item(d, IDC_OPEN_FOLDER));
            s.Status = ChildRectInClient(d, Item(d, IDC_STATUS));
        }
        PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    auto box = [](const RECT& r) {
        return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    EXPECT_EQ(box(sizes[0].List), (std::vector<long>{24, 64, 752, 472}));
    EXPECT_EQ(box(sizes[0].Button), (std::vector<long>{24, 552, 112, 24}));
    EXPECT_EQ(box(sizes[0].Status), (std::vector<long>{164, 552, 612, 24}));
    // 150 x 100: the list is 102 wide and -28 high, the status line -38 wide;
    // the window system shows negative extents as empty.
    EXPECT_EQ(box(sizes[1].List)[2], 102);
    EXPECT_LE(box(sizes[1].List)[3], 0);
    EXPECT_EQ(box(sizes[1].Button), (std::vector<long>{24, 52, 112, 24}));
    EXPECT_EQ(sizes[1].Status.left, 164);
    EXPECT_EQ(sizes[1].Status.top, 52);
    EXPECT_LE(box(sizes[1].Status)[2], 0);
}

// What the shell is asked for, for each way of opening a listed entry.
struct OpenCase {
    const char* Name;
    const char* Shown;     // the entry as the list shows it; "" selects nothing
    bool Folder;           // Open folder, else a double-click on the entry
    const char* Expected;  // the file argument, or nullptr for no request
};

const OpenCase kOpenCases[] = {
    {"folder of a file", "c:\\dir\\sub\\name.ext", true, "c:\\Dir\\Sub"},
    {"file itself", "c:\\dir\\sub\\name.ext", false, "c:\\Dir\\Sub\\Name.ext"},
    {"folder of a folder", "c:\\dir\\sub", true, "c:\\Dir"},
    {"folder itself", "c:\\dir\\sub", false, "c:\\Dir\\Sub"},
    {"drive root entry", "c:\\root.txt", true, "c:"},
    {"name ending in a dot", "c:\\dir\\ends in dot", false, "c:\\Dir\\ends in dot."},
    {"name ending in a dash", "c:\\dir\\dash", false, "c:\\Dir\\dash-"},
    {"nothing selected, folder", "", true, ""},
    {"nothing selected, entry", "", false, ""},
    {"address in the index", "http://example.org/x", false, nullptr},
    {"folder of an address", "http://example.org/x", true, nullptr},
    {"network path", "\\\\server\\share\\x.exe", false, nullptr},
    {"folder of a network path", "\\\\server\\share\\x.exe", true, nullptr},
    {"capital drive letter", "c:\\caps.txt", false, nullptr},
};

TEST_F(SearchWindow, OpenRequestsUseTheRecordedPathAndOnlyLocalDrivePaths) {
    WriteIndex({"0000000a c:\\Dir\\Sub\\Name.ext", "00000000 c:\\Dir\\Sub", "00000000 c:\\Dir",
                "00000005 c:\\root.txt", "00000001 c:\\Dir\\ends?in?dot.",
                "00000001 c:\\Dir\\dash-", "00000001 http://example.org/x",
                "00000001 \\\\server\\share\\x.exe", "00000001 C:\\caps.txt"});
    TestSearchDlg dialog;
    std::vector<std::string> missing;
    std::vector<std::vector<ShellRequest>> requests;
    ModalDriver driver;
    driver.WaitFor("visible", Visible).Do("open each", [&](HWND d) {
        Command(d, IDC_SEARCH, BN_CLICKED);
        for (const OpenCase& c : kOpenCases) {
            ShellRequests.clear();
            if (*c.Shown) {
                if (!SelectFound(d, c.Shown)) missing.push_back(c.Shown);
            } else {
                SendMessageA(Item(d, IDC_FOUND_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            }
            Command(d, c.Folder ? IDC_OPEN_FOLDER : IDC_FOUND_LIST,
                    c.Folder ? BN_CLICKED : LBN_DBLCLK);
            requests.push_back(ShellRequests);
        }
        PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_TRUE(missing.empty()) << "not listed: " << missing.front();
    ASSERT_EQ(requests.size(), std::size(kOpenCases));
    for (size_t i = 0; i < requests.size(); ++i) {
        const OpenCase& c = kOpenCases[i];
        SCOPED_TRACE(c.Name);
        if (!c.Expected) {
            EXPECT_TRUE(requests[i].empty()) << "asked to open " << requests[i][0].File;
            continue;
        }
        ASSERT_EQ(requests[i].size(), 1u);
        const ShellRequest& r = requests[i][0];
        EXPECT_EQ(r.File, c.Expected);
        EXPECT_EQ(r.Verb, "open");
        EXPECT_EQ(r.Owner, nullptr);
        EXPECT_FALSE(r.HasParameters);
        EXPECT_FALSE(r.HasDirectory);
        EXPECT_EQ(r.Show, SW_SHOWNORMAL);
    }
}

TEST_F(SearchWindow, WebPageButtonOpensTheMakersAddress) {
    WriteIndex({});
    TestSearchDlg dialog;
    ModalDriver driver;
    driver.WaitFor("visible", Visible).Do("click", [](HWND d) {
        Command(d, IDC_WEB_PAGE, BN_CLICKED);
        PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    ASSERT_EQ(ShellRequests.size(), 1u);
    EXPECT_EQ(ShellRequests[0].File, kWebPageAddress);
    EXPECT_EQ(ShellRequests[0].Verb, "open");
}

TEST_F(SearchWindow, UpdatingTheIndexLeavesTheEarlierResultsListed) {
    WriteIndex({"00000010 c:\\old\\one.txt", "00000010 c:\\old\\two.txt"});
    Listing.Folders["c:"] = {GatedListing::File("new.txt", 1)};
    TestSearchDlg dialog;
    std::vector<std::string> before, after;
    std::string statusBefore, statusAfter;
    ModalDriver driver;
    driver.WaitFor("visible", Visible)
        .Do("search, then update",
            [&](HWND d) {
                Command(d, IDC_SEARCH, BN_CLICKED);
                before = ListTexts(Item(d, IDC_FOUND_LIST));
                statusBefore = ItemText(d, IDC_STATUS);
                PostMessageA(d, WM_COMMAND, ID_UPDATE_INDEX, 0);
            })
        .WaitFor("progress window done",
                 [](HWND d) {
                     return TextOf(d) == "Updating index ..." &&
                            IsWindowEnabled(GetDlgItem(d, IDC_RETURN));
                 })
        .Do("leave it", [](HWND d) { PressKey(d, VK_ESCAPE); })
        .WaitFor("back", [&](HWND d) { return d == dialog.Handle() && IsWindowEnabled(d); })
        .Do("read", [&](HWND d) {
            after = ListTexts(Item(d, IDC_FOUND_LIST));
            statusAfter = ItemText(d, IDC_STATUS);
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(before.size(), 2u);
    EXPECT_EQ(after, before);
    EXPECT_EQ(statusAfter, statusBefore);
    EXPECT_EQ(ReadFile("index.txt"), "00000001 c:\\new.txt\r\n");
}

TEST_F(SearchWindow, ASearchDuringABuildReadsTheLastCompleteIndexAndNoSecondBuildStarts) {
    WriteIndex({"00000010 c:\\old\\one.txt", "00000010 c:\\old\\two.txt"});
    Listing.Folders["c:"] = {GatedListing::File("a.txt", 1), GatedListing::File("b.txt", 2)};
    Listing.HoldAfter(1);
    TestSearchDlg dialog;
    std::vector<std::string> during;
    std::string statusDuring, stateOfSecondWindow;
    bool runningDuringSecond = false;
    ModalDriver driver;
    driver.WaitFor("visible", Visible)
        .Do("update", [](HWND d) { PostMessageA(d, WM_COMMAND, ID_UPDATE_INDEX, 0); })
        .WaitFor("build held",
                 [&](HWND d) { return TextOf(d) == "Updating index ..." && Listing.Waiting(); })
        .Do("leave early", [](HWND d) { PressKey(d, VK_ESCAPE); })
        .WaitFor("back", [&](HWND d) { return d == dialog.Handle() && IsWindowEnabled(d); })
        .Do("search, then update again",
            [&](HWND d) {
                Command(d, IDC_SEARCH, BN_CLICKED);
                during = ListTexts(Item(d, IDC_FOUND_LIST));
                statusDuring = ItemText(d, IDC_STATUS);
                PostMessageA(d, WM_COMMAND, ID_UPDATE_INDEX, 0);
            })
        .WaitFor("second progress window", [](HWND d) { return TextOf(d) == "Updating index ..."; })
        .Do("release the build",
            [&](HWND d) {
                runningDuringSecond = IndexBuildRunning();
                stateOfSecondWindow = ItemText(d, IDC_SCAN_STATE);
                Listing.Release();
            })
        .WaitFor("done", [](HWND d) { return IsWindowEnabled(GetDlgItem(d, IDC_RETURN)) != FALSE; })
        .Do("leave", [](HWND d) { ClickButton(d, IDC_RETURN); })
        .WaitFor("back again", [&](HWND d) { return d == dialog.Handle() && IsWindowEnabled(d); })
        .Do("escape", [](HWND d) { PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    EXPECT_EQ(during, (std::vector<std::string>{"c:\\old\\one.txt", "c:\\old\\two.txt"}));
    EXPECT_EQ(statusDuring, "Found 2 results. Database contains total 2 files.");
    EXPECT_TRUE(runningDuringSecond);
    EXPECT_EQ(stateOfSecondWindow, "Now indexing ...");
    EXPECT_EQ(Listing.TimesListed("c:\\*"), 1) << "a second build walked the drive again";
    ASSERT_TRUE(WaitForIdleBuild());
    EXPECT_EQ(ReadFile("index.txt"), "00000001 c:\\a.txt\r\n00000002 c:\\b.txt\r\n");
}

TEST_F(SearchWindow, AMissingIndexAtSearchTimeIsReportedAndTheListStillPaints) {
    WriteIndex({});
    TestSearchDlg dialog;
    bool listVisible = false, buttonEnabled = false;
    ModalDriver driver;
    driver.WaitFor("visible", Visible).Do("search without index", [&](HWND d) {
        DeleteFileA("index.txt");
        Command(d, IDC_SEARCH, BN_CLICKED);
        listVisible = Visible(Item(d, IDC_FOUND_LIST));
        buttonEnabled = IsWindowEnabled(Item(d, IDC_SEARCH)) != FALSE;
        PressKey(d, VK_ESCAPE);
    });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, kIndexMissingText);
    EXPECT_TRUE(listVisible);
    EXPECT_TRUE(buttonEnabled);
}

}  // namespace
