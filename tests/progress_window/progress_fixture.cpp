#include "tests/progress_window/progress_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

std::vector<std::string> ProgressWindowTest::Messages;

namespace {

std::vector<TickView> TickViews;


}  // namespace

void ProgressWindowTest::SetUp() {
    ASSERT_TRUE(WaitForIdleBuild()) << "a build of an earlier test is still running";
    ASSERT_TRUE(Scratch.Enter("progress"));

    Listing.Folders["c:"] = {GatedListing::Folder("docs"), GatedListing::File("a.txt", 10),
                             GatedListing::File("b.txt", 20)};
    Listing.Folders["c:\\docs"] = {GatedListing::File("c.txt", 30)};

    Messages.clear();
    SetMessageBoxSeam(&RecordMessage);
    TickViews.clear();
    TickHook = SetWindowsHookExA(WH_GETMESSAGE, &OnGetMessage, nullptr, GetCurrentThreadId());
}

void ProgressWindowTest::TearDown() {
    Listing.Release();
    EXPECT_TRUE(WaitForIdleBuild()) << "the build did not finish";
    if (TickHook) UnhookWindowsHookEx(TickHook);
    SetMessageBoxSeam(nullptr);
    SetThreadStartSeam(nullptr);
    Scratch.Leave();
    EXPECT_TRUE(Messages.empty()) << "the window showed a message box: " << Messages.front();
}

bool ProgressWindowTest::WaitForIdleBuild() {
    for (int i = 0; i < 2000 && IndexBuildRunning(); ++i) Sleep(10);
    return !IndexBuildRunning();
}

std::string ProgressWindowTest::ReadFile(const std::string& path) {
    return ReadWholeFile(path);
}

std::vector<std::string> ProgressWindowTest::IndexLines() {
    const std::string bytes = ReadFile("index.txt");
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> ProgressWindowTest::ExpectedLines() {
    return {"00000000 c:\\docs", "0000000a c:\\a.txt", "00000014 c:\\b.txt",
            "0000001e c:\\docs\\c.txt"};
}

int ProgressWindowTest::TicksSeen() {
    return static_cast<int>(TickViews.size());
}

std::vector<TickView> ProgressWindowTest::Ticks() {
    return TickViews;
}

int ProgressWindowTest::RecordMessage(HWND, const char* text, const char*, UINT) {
    Messages.push_back(text);
    return IDOK;
}

LRESULT CALLBACK ProgressWindowTest::OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_TIMER &&
        message->wParam == PROGRESS_TIMER_ID && message->hwnd) {
        HWND dialog = message->hwnd;
        TickViews.push_back({ItemText(dialog, IDC_SCAN_STATE), ItemText(dialog, IDC_SCAN_LINE),
                             IsWindowEnabled(GetDlgItem(dialog, IDC_RETURN)) != FALSE});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
