// Surroundings of a search window or About box test: a folder of its own as
// the current folder, a scripted listing in place of the machine's drives,
// and every message box, shell request and help request recorded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/SearchApp.h"
#include "app/resource.h"
#include "framework/test_seams.h"
#include "index/build_job.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/scratch_folder.h"
#include "tests/progress_window/gated_listing.h"
#include "ui/SearchDlg.h"

struct MessageSeen {
    std::string Text;
    std::string Caption;
    UINT Type;
    size_t DialogsOpen;  // dialogs of the thread while the box was up
};

struct ShellRequest {
    HWND Owner;
    std::string Verb;
    std::string File;
    bool HasParameters;
    bool HasDirectory;
    int Show;
};

struct HelpSeen {
    std::string File;
    UINT Command;
    ULONG_PTR Topic;
};

// Suites of other programs may share the display: the window is brought to
// the front first, then the focus it keeps is looked at.
inline bool QueryFocused(HWND dialog) {
    BringToFront(dialog);
    return GetFocus() == GetDlgItem(dialog, IDC_QUERY);
}

// The window with its state open to the tests.
class TestSearchDlg : public CSearchDlg {
public:
    using CSearchDlg::FocusCountdown;
    using CSearchDlg::ResultLimit;
    using CSearchDlg::SizeFilter;
    using CSearchDlg::TypeFilter;
    using CSearchDlg::WindowIcon;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes index.txt in the test's folder with these lines (CR LF after each).
    static void WriteIndex(const std::vector<std::string>& lines);
    static std::string ReadFile(const std::string& path);
    static bool FileExists(const std::string& path);

    // Runs the search window modally under driver, as the start-up does (main window).
    INT_PTR RunWindow(ModalDriver& driver, TestSearchDlg& dialog);

    static std::vector<std::string> ListTexts(HWND list);
    static int Selection(HWND list) {
        return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    }
    // Selects the found-list entry that shows text; false when there is none.
    static bool SelectFound(HWND dialog, const std::string& text);
    static void Command(HWND dialog, int id, int code) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    static bool WaitForIdleBuild();
    // The dialog that is not the search window (a nested modal one), or nullptr.
    static HWND NestedDialog(HWND searchWindow);

    GatedListing Listing;
    ScratchFolder Scratch;
    static std::vector<MessageSeen> Messages;
    static std::vector<ShellRequest> ShellRequests;
    static std::vector<HelpSeen> HelpRequests;
};
