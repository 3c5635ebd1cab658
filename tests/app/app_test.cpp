// The start-up, the About box and help, with the library's services recorded.
#include <windows.h>

#include "app/AboutDlg.h"
#include "tests/search_window/window_fixture.h"

namespace {

using Application = WindowTest;

struct SocketsCase {
    const char* Name;
    int Result;
    WORD Granted;
    int CleanupsExpected;
};

int Cleanups = 0;
const SocketsCase* Current = nullptr;

TEST_F(Application, SocketsThatCannotStartEndTheProcessWithOneMessage) {
    const SocketsCase kCases[] = {
        {"the call fails", 10091 /* WSASYSNOTREADY */, 0, 0},
        {"another version granted", 0, MAKEWORD(2, 0), 1},
    };
    for (const SocketsCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        Messages.clear();
        Cleanups = 0;
        Current = &c;
        static const SocketsApi api{[](WORD, WORD* granted) {
                                        *granted = Current->Granted;
                                        return Current->Result;
                                    },
                                    [] {
                                        ++Cleanups;
                                        return 0;
                                    }};
        SetSocketsSeam(&api);
        WriteIndex({"00000001 c:\\kept.txt"});
        EXPECT_FALSE(SearchApp.InitInstance());
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].Text, "Windows sockets initialization failed.");
        EXPECT_EQ(Messages[0].Caption, SearchApp.AppName());
        EXPECT_EQ(Messages[0].Type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(Messages[0].DialogsOpen, 0u) << "a window was shown";
        EXPECT_EQ(Cleanups, c.CleanupsExpected);
        EXPECT_EQ(SearchApp.MainWindow, nullptr);
        EXPECT_EQ(ReadFile("index.txt"), "00000001 c:\\kept.txt\r\n");
        DeleteFileA("index.txt");
        SetSocketsSeam(&api);
        EXPECT_FALSE(SearchApp.InitInstance());
        SetSocketsSeam(nullptr);
        EXPECT_EQ(Messages.size(), 2u);
        EXPECT_FALSE(FileExists("index.txt")) << "the index was written";
    }
}

struct AboutSeen {
    std::string Caption;
    HWND Owner = nullptr;
    HWND Search = nullptr;
    bool SearchEnabled = true;
    bool SearchEnabledAfter = false;
    std::string StatusAfter;
};

// The About box from the system menu and from the Help menu.
TEST_F(Application, AboutBoxFromBothMenusIsTheSameModalBox) {
    WriteIndex({});
    const struct {
        const char* Name;
        UINT Message;
        WPARAM Command;
    } kWays[] = {{"system menu", WM_SYSCOMMAND, IDM_ABOUTBOX},
                 {"Help menu", WM_COMMAND, ID_HELP_ABOUT}};
    TestSearchDlg dialog;
    std::vector<AboutSeen> seen(std::size(kWays));
    ModalDriver driver;
    driver.WaitFor("visible", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("status", [](HWND d) { SetWindowTextA(GetDlgItem(d, IDC_STATUS), "earlier"); });
    for (size_t i = 0; i < std::size(kWays); ++i) {
        driver
            .Do(kWays[i].Name,
                [&, i](HWND d) { PostMessageA(d, kWays[i].Message, kWays[i].Command, 0); })
            .WaitFor("about box", [](HWND d) { return TextOf(d) == "About OstrelZade"; })
            .Do("read and close",
                [&, i](HWND d) {
                    seen[i].Caption = TextOf(d);
                    seen[i].Owner = GetWindow(d, GW_OWNER);
                    seen[i].Search = dialog.Handle();
                    seen[i].SearchEnabled = IsWindowEnabled(dialog.Handle()) != FALSE;
                    PressKey(d, VK_RETURN);
                })
            .WaitFor("back", [&](HWND d) { return d == dialog.Handle(); })
            .Do("after", [&, i](HWND d) {
                seen[i].SearchEnabledAfter = IsWindowEnabled(d) != FALSE;
                seen[i].StatusAfter = ItemText(d, IDC_STATUS);
            });
    }
    driver.Do("escape", [](HWND d) { PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    for (size_t i = 0; i < std::size(kWays); ++i) {
        SCOPED_TRACE(kWays[i].Name);
        EXPECT_EQ(seen[i].Caption, "About OstrelZade");
        EXPECT_EQ(seen[i].Owner, seen[i].Search);
        EXPECT_FALSE(seen[i].SearchEnabled) << "the search window took input under the box";
        EXPECT_TRUE(seen[i].SearchEnabledAfter);
        EXPECT_EQ(seen[i].StatusAfter, "earlier");
    }
}

TEST_F(Application, EveryWayOutOfTheAboutBoxClosesIt) {
    const struct {
        const char* Name;
        INT_PTR Result;
        void (*Leave)(HWND);
    } kWays[] = {
        {"OK button", IDOK, [](HWND d) { ClickButton(d, IDOK); }},
        {"Enter", IDOK, [](HWND d) { PressKey(d, VK_RETURN); }},
        {"Escape", IDCANCEL, [](HWND d) { PressKey(d, VK_ESCAPE); }},
        {"close box", IDCANCEL, [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : kWays) {
        CAboutDlg about;
        ModalDriver driver;
        driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
            .Do(way.Name, way.Leave);
        EXPECT_EQ(driver.Run(about), way.Result) << way.Name << " " << driver.FailedStep;
    }
}

TEST_F(Application, F1AsksForTheTopicOfTheWindowWithTheFocus) {
    WriteIndex({});
    TestSearchDlg dialog;
    std::vector<ULONG_PTR> topics;
    auto f1 = [](HWND d) {
        HWND focus = GetFocus();
        HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(focus), focus, 0, {0, 0}};
        SendMessageA(focus ? focus : d, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    };
    ModalDriver driver;
    driver.WaitFor("query focused", QueryFocused)
        .Do("F1 in the search window", f1)
        .Do("about", [](HWND d) { PostMessageA(d, WM_COMMAND, ID_HELP_ABOUT, 0); })
        .WaitFor("about box", [](HWND d) { return TextOf(d) == "About OstrelZade"; })
        .Do("F1 in the About box", f1)
        .Do("close it", [](HWND d) { PressKey(d, VK_ESCAPE); })
        .WaitFor("back", [&](HWND d) { return d == dialog.Handle(); })
        .Do("escape", [](HWND d) { PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(RunWindow(driver, dialog), IDCANCEL) << driver.FailedStep;
    ASSERT_EQ(HelpRequests.size(), 2u);
    EXPECT_EQ(HelpRequests[0].Topic, 0x20066u);
    EXPECT_EQ(HelpRequests[1].Topic, 0x20064u);
    for (const HelpSeen& request : HelpRequests) {
        EXPECT_EQ(request.File, SearchApp.HelpFilePath());
        EXPECT_EQ(request.Command, static_cast<UINT>(HELP_CONTEXT));
    }
    std::string file = SearchApp.HelpFilePath();
    EXPECT_EQ(file.substr(file.size() - 4), ".HLP");
    EXPECT_TRUE(Messages.empty());
}

}  // namespace
