// Drives a running KavrayZade.exe from another process, as a user would:
// finds its windows by caption, types, presses keys and reads what they show.
// Texts cross the process boundary as wide messages, then go to the ANSI
// code page. Prints one line per check; exits 1 when any check failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/resource.h"
#include "tests/framework/wide_text.h"

namespace {

const char kSearchCaption[] = "OstrelZade 1.0.4.2006 --- Visit WWW.OSTRELZADE.EXAMPLE !";
const char kProgressCaption[] = "Updating index ...";
constexpr int kQueryId = IDC_QUERY, kStatusId = IDC_STATUS, kFoundListId = IDC_FOUND_LIST,
              kReturnId = IDC_RETURN;

int Failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++Failures;
}

std::string TextOf(HWND window) {
    wchar_t buffer[4096] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        5000, &length);
    return NarrowText(std::wstring(buffer, length));
}

std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[4096] = {};
        const LRESULT length = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
        texts.push_back(NarrowText(std::wstring(buffer, length > 0 ? length : 0)));
    }
    return texts;
}

// Polls test every 20 ms for up to timeoutMs; true once it holds.
template <typename Test>
bool WaitUntil(Test test, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!test()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

HWND FindShown(const char* caption) {
    HWND window = FindWindowA(nullptr, caption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

void PostKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Types the query into the edit and presses Enter there; the summary then.
std::string Search(HWND search, const char* query, DWORD* elapsedMs) {
    HWND edit = GetDlgItem(search, kQueryId);
    HWND status = GetDlgItem(search, kStatusId);
    SendMessageW(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    for (const char* c = query; *c; ++c)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 1);
    WaitUntil([&] { return TextOf(edit) == query; }, 5000);
    const DWORD start = GetTickCount();
    PostKey(edit, VK_RETURN);
    WaitUntil([&] { return !TextOf(status).empty(); }, 30000);
    if (elapsedMs) *elapsedMs = GetTickCount() - start;
    return TextOf(status);
}

HWND WaitForSearchWindow() {
    HWND search = nullptr;
    WaitUntil([&] { return (search = FindShown(kSearchCaption)) != nullptr && IsZoomed(search); },
              30000);
    return search;
}

// First start without an index: the progress window, then the search window.
// expectedSummary is the summary's beginning; the caller checks the total.
int FirstStart(const char* query, const char* expectedSummary, const char* expectedEntry) {
    HWND progress = nullptr;
    Check(WaitUntil([&] { return (progress = FindShown(kProgressCaption)) != nullptr; }, 30000),
          "the progress window comes first");
    if (!progress) return 1;
    Check(FindShown(kSearchCaption) == nullptr, "the search window waits for the progress window");
    HWND back = GetDlgItem(progress, kReturnId);
    Check(WaitUntil([&] { return IsWindowEnabled(back) != FALSE; }, 30000),
          "the build finishes and enables the return button");
    PostMessageA(back, BM_CLICK, 0, 0);
    HWND search = WaitForSearchWindow();
    Check(search != nullptr, "the search window comes up maximised");
    if (!search) return 1;
    const std::string summary = Search(search, query, nullptr);
    Check(summary.rfind(expectedSummary, 0) == 0, "summary: " + summary);
    const std::vector<std::string> found = ListTexts(GetDlgItem(search, kFoundListId));
    Check(found.size() == 1 && found[0] == expectedEntry,
          "found: " + (found.empty() ? std::string("(none)") : found[0]));
    PostKey(GetDlgItem(search, kQueryId), VK_ESCAPE);
    return Failures ? 1 : 0;
}

// A later start with an index: no progress window; Escape ends the program.
int LaterStart() {
    HWND search = WaitForSearchWindow();
    Check(search != nullptr, "the search window comes up maximised");
    if (!search) return 1;
    Sleep(500);
    Check(FindWindowA(nullptr, kProgressCaption) == nullptr, "no progress window with an index");
    PostKey(GetDlgItem(search, kQueryId), VK_ESCAPE);
    return Failures ? 1 : 0;
}

// Times a search from Enter to the summary (for the figures, not a test).
int TimeSearch(const char* query) {
    HWND search = WaitForSearchWindow();
    if (!search) return 1;
    Sleep(300);
    for (int run = 0; run < 3; ++run) {
        DWORD ms = 0;
        SendMessageW(GetDlgItem(search, kQueryId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        const std::string summary = Search(search, query, &ms);
        std::printf("time %lu ms: %s\n", static_cast<unsigned long>(ms), summary.c_str());
    }
    PostKey(GetDlgItem(search, kQueryId), VK_ESCAPE);
    return 0;
}

// Searches and leaves the window open with its results (for a screenshot).
int Show(const char* query) {
    HWND search = WaitForSearchWindow();
    if (!search) return 1;
    Sleep(300);
    std::printf("%s\n", Search(search, query, nullptr).c_str());
    return 0;
}

// Times filling a sorted list box of our own with count entries.
int TimeList(int count) {
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VISIBLE | LBS_SORT | WS_VSCROLL, 0,
                                0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    for (int redraw = 1; redraw >= 0; --redraw) {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        const DWORD start = GetTickCount();
        if (!redraw) SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        char text[64];
        for (int i = 0; i < count; ++i) {
            std::snprintf(text, sizeof text, "d:\\folder%03d\\file%05d.txt", (i * 7919) % 997,
                          (i * 104729) % 100000);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        if (!redraw) {
            SendMessageA(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
            UpdateWindow(list);
        }
        std::printf("list alone, redraw %s: %lu ms for %d entries\n", redraw ? "on" : "off",
                    static_cast<unsigned long>(GetTickCount() - start), count);
    }
    DestroyWindow(list);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "first" && argc == 5) return FirstStart(argv[2], argv[3], argv[4]);
    if (mode == "later") return LaterStart();
    if (mode == "time" && argc == 3) return TimeSearch(argv[2]);
    if (mode == "show" && argc == 3) return Show(argv[2]);
    if (mode == "list" && argc == 3) return TimeList(std::atoi(argv[2]));
    std::fprintf(stderr,
                 "usage: e2e_driver first QUERY SUMMARY ENTRY | later | time QUERY | show QUERY | "
                 "list COUNT\n");
    return 2;
}
