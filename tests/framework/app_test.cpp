#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "framework/services.h"
#include "framework/win_app.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/test_app.h"
#include "tests/framework/test_resource.h"

namespace {

std::string ExecutablePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

class CPlainDialog : public CDialog {
public:
    explicit CPlainDialog(UINT id = IDD_PLAIN_TEST) : CDialog(id) {}
};

}  // namespace

TEST(Application, NameAndHelpFileComeFromTheExecutable) {
    EXPECT_EQ(CWinApp::Current(), &TestApp);
    EXPECT_STREQ(TestApp.AppName(), "framework_tests");
    EXPECT_STREQ(AppName(), "framework_tests");
    std::string help = ExecutablePath();
    help.replace(help.rfind('.'), std::string::npos, ".HLP");
    EXPECT_EQ(TestApp.HelpFilePath(), help);
}

TEST(Application, AGivenNameWinsAndOnlyTheFirstObjectIsTheApplication) {
    CWinApp second("Other");
    EXPECT_STREQ(second.AppName(), "Other");
    EXPECT_EQ(CWinApp::Current(), &TestApp);
}

TEST(Application, EntryRunsInitInstanceAfterTurningCriticalErrorBoxesOff) {
    SetErrorMode(0);
    TestApp.InitCalls = 0;
    TestApp.InitResult = false;
    EXPECT_EQ(RunApplication(), TestApp.ExitCode) << "no message loop after false";
    EXPECT_EQ(TestApp.InitCalls, 1);
    const UINT mode = SetErrorMode(0);
    EXPECT_EQ(mode & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
}

TEST(Application, LoadsStringsAndIconsFromItsOwnResources) {
    EXPECT_EQ(TestApp.LoadString(IDS_TEST_TEXT), "A test string.");
    EXPECT_EQ(TestApp.LoadString(9999), "");
    CString text;
    EXPECT_TRUE(TestApp.LoadString(IDS_TEST_TEXT, text));
    EXPECT_EQ(text, "A test string.");
    EXPECT_FALSE(TestApp.LoadString(9999, text));
    EXPECT_NE(TestApp.LoadIcon(IDI_TEST), nullptr);
    EXPECT_EQ(TestApp.LoadIcon(9999), nullptr);
}

TEST(Help, AsksForTheTopicOfTheDialogWithTheFocus) {
    RecordedServices services;
    CPlainDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("F1",
            [](HWND d) {
                BringToFront(d);
                SetFocus(GetDlgItem(d, IDC_TEST_LIST));
                HELPINFO info{
                    sizeof info, HELPINFO_WINDOW, IDC_TEST_LIST, GetDlgItem(d, IDC_TEST_LIST),
                    0,           {0, 0}};
                SendMessageA(GetDlgItem(d, IDC_TEST_LIST), WM_HELP, 0,
                             reinterpret_cast<LPARAM>(&info));
            })
        .Do("leave", [](HWND d) { PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    ASSERT_EQ(RecordedServices::HelpRequests.size(), 1u);
    const HelpRequestSeen& request = RecordedServices::HelpRequests[0];
    EXPECT_EQ(request.File, TestApp.HelpFilePath());
    EXPECT_EQ(request.Command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(request.Data, 0x20000u + IDD_PLAIN_TEST);
    EXPECT_TRUE(RecordedServices::Messages.empty());
}

TEST(Help, ANestedDialogOwnedByTheMainWindowGivesItsOwnTopic) {
    RecordedServices services;
    CPlainDialog main;
    TestApp.MainWindow = &main;
    HWND mainHandle = nullptr;
    bool mainDisabled = false;
    HWND innerOwner = nullptr;
    INT_PTR innerResult = 0;
    ModalDriver driver;
    driver.WaitFor("main shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("open the inner dialog",
            [&](HWND d) {
                mainHandle = d;
                CPlainDialog inner(IDD_MENU_TEST);  // no parent: owned by the main window
                innerResult = inner.DoModal();      // the next steps run inside it
            })
        .WaitFor("inner shown", [&](HWND d) { return d != mainHandle && IsWindowVisible(d); })
        .Do("F1 in the inner dialog",
            [&](HWND d) {
                innerOwner = GetWindow(d, GW_OWNER);
                mainDisabled = !IsWindowEnabled(mainHandle);
                BringToFront(d);
                SetFocus(GetDlgItem(d, IDC_TEST_EDIT));
                HELPINFO info{
                    sizeof info, HELPINFO_WINDOW, IDC_TEST_EDIT, GetDlgItem(d, IDC_TEST_EDIT),
                    0,           {0, 0}};
                SendMessageA(GetDlgItem(d, IDC_TEST_EDIT), WM_HELP, 0,
                             reinterpret_cast<LPARAM>(&info));
                PostMessageA(d, WM_CLOSE, 0, 0);
            })
        .WaitFor("back in main", [&](HWND d) { return d == mainHandle; })
        .Do("leave main", [&](HWND d) {
            EXPECT_TRUE(IsWindowEnabled(d)) << "the owner is enabled again";
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(driver.Run(main), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_EQ(innerOwner, mainHandle);
    EXPECT_TRUE(mainDisabled);
    ASSERT_EQ(RecordedServices::HelpRequests.size(), 1u);
    EXPECT_EQ(RecordedServices::HelpRequests[0].Data, 0x20000u + IDD_MENU_TEST);
    EXPECT_EQ(RecordedServices::HelpRequests[0].Owner, mainHandle);
    EXPECT_EQ(TestApp.MainWindow, nullptr) << "cleared when the main window was destroyed";
}

TEST(Help, TheF1KeyAsksForHelp) {
    RecordedServices services;
    CPlainDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("F1",
            [](HWND d) {
                HWND list = GetDlgItem(d, IDC_TEST_LIST);
                SetFocus(list);
                // A real key goes to the foreground window, which another suite
                // sharing the display may hold; then the key's message stands in.
                if (SetForegroundWindow(d) && GetForegroundWindow() == d) {
                    INPUT keys[2] = {};
                    keys[0].type = keys[1].type = INPUT_KEYBOARD;
                    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
                    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                    SendInput(2, keys, sizeof(INPUT));
                } else {
                    HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_TEST_LIST, list, 0, {0, 0}};
                    SendMessageA(list, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
                }
            })
        .WaitFor(
            "help asked for", [](HWND) { return !RecordedServices::HelpRequests.empty(); }, 3000)
        .Do("leave", [](HWND d) { PressKey(d, VK_ESCAPE); });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    ASSERT_EQ(RecordedServices::HelpRequests.size(), 1u);
    EXPECT_EQ(RecordedServices::HelpRequests[0].Data, 0x20000u + IDD_PLAIN_TEST);
}

TEST(Help, AHelpEngineThatCannotStartGivesTheLibrarysMessage) {
    RecordedServices services;
    RecordedServices::HelpStarts = false;
    CPlainDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("F1", [](HWND d) {
            SendMessageA(d, WM_HELP, 0, 0);
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    ASSERT_EQ(RecordedServices::HelpRequests.size(), 1u);
    ASSERT_EQ(RecordedServices::Messages.size(), 1u);
    EXPECT_EQ(RecordedServices::Messages[0].Text, "Failed to launch help.");
    EXPECT_EQ(RecordedServices::Messages[0].Caption, "framework_tests");
    EXPECT_EQ(RecordedServices::Messages[0].Type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST(Application, TheLibrarysWinMainRunsTheApplicationObject) {
    std::string program = ExecutablePath();
    program.replace(program.rfind('\\') + 1, std::string::npos, "framework_entry_app.exe");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << program;
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u) << "2: error mode, 4: name, 8: InitInstance not run once";
}
