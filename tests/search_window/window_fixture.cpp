#include "tests/search_window/window_fixture.h"

#include <fstream>
#include <iterator>

#include "search/search_run.h"

std::vector<MessageSeen> WindowTest::Messages;
std::vector<ShellRequest> WindowTest::ShellRequests;
std::vector<HelpSeen> WindowTest::HelpRequests;

void WindowTest::SetUp() {
    ASSERT_TRUE(WaitForIdleBuild()) << "a build of an earlier test is still running";
    ASSERT_TRUE(Scratch.Enter("search"));

    QueryText[0] = '\0';
    Messages.clear();
    ShellRequests.clear();
    HelpRequests.clear();
    SetMessageBoxSeam([](HWND, const char* text, const char* caption, UINT type) {
        Messages.push_back({text, caption, type, ThreadDialogs().size()});
        return IDOK;
    });
    SetShellExecuteSeam([](HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int show) -> INT_PTR {
        ShellRequests.push_back({owner, verb ? verb : "(null)", file ? file : "(null)",
                                 parameters != nullptr, directory != nullptr, show});
        return 42;
    });
    SetHelpSeam([](HWND, const char* file, UINT command, ULONG_PTR topic) {
        HelpRequests.push_back({file, command, topic});
        return true;
    });
}

void WindowTest::TearDown() {
    Listing.Release();
    EXPECT_TRUE(WaitForIdleBuild()) << "the build did not finish";
    SetMessageBoxSeam(nullptr);
    SetShellExecuteSeam(nullptr);
    SetHelpSeam(nullptr);
    SetSocketsSeam(nullptr);
    SearchApp.MainWindow = nullptr;
    Scratch.Leave();
}

void WindowTest::WriteIndex(const std::vector<std::string>& lines) {
    std::ofstream out("index.txt", std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
}

std::string WindowTest::ReadFile(const std::string& path) {
    return ReadWholeFile(path);
}

bool WindowTest::FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

INT_PTR WindowTest::RunWindow(ModalDriver& driver, TestSearchDlg& dialog) {
    SearchApp.MainWindow = &dialog;
    const INT_PTR result = driver.Run(dialog);
    SearchApp.MainWindow = nullptr;
    return result;
}

std::vector<std::string> WindowTest::ListTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        const LRESULT length =
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(length > 0 ? static_cast<size_t>(length) : 0);
        texts.push_back(text);
    }
    return texts;
}

bool WindowTest::SelectFound(HWND dialog, const std::string& text) {
    HWND list = GetDlgItem(dialog, IDC_FOUND_LIST);
    const LRESULT at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (at == LB_ERR) return false;
    return SendMessageA(list, LB_SETCURSEL, at, 0) == at;
}

bool WindowTest::WaitForIdleBuild() {
    for (int i = 0; i < 2000 && IndexBuildRunning(); ++i) Sleep(10);
    return !IndexBuildRunning();
}

HWND WindowTest::NestedDialog(HWND searchWindow) {
    for (HWND dialog : ThreadDialogs())
        if (dialog != searchWindow) return dialog;
    return nullptr;
}
