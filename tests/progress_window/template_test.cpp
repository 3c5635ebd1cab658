#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "tests/framework/dialog_template.h"
#include "tests/progress_window/progress_fixture.h"

namespace {

struct ExpectedItem {
    const char* ClassName;  // in the template
    const char* LiveClass;  // as the window reports it
    int Id;
    const char* Text;
    int X, Y, Width, Height;
    DWORD Style;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// Template order, which is also the tab order.
const ExpectedItem kItems[] = {
    {"EDIT", "Edit", IDC_SCAN_LINE, "", 7, 33, 374, 19,
     kChild | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL | ES_LEFT},
    {"msctls_progress32", "msctls_progress32", IDC_SCAN_PROGRESS, "Progress1", 7, 57, 374, 18,
     kChild | WS_BORDER | PBS_SMOOTH},
    {"BUTTON", "Button", IDC_RETURN, "Return to search engine ...", 128, 87, 135, 25,
     kChild | BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED},
    {"EDIT", "Edit", IDC_SCAN_STATE, "", 78, 15, 235, 14,
     kChild | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL | ES_CENTER},
};

}  // namespace

TEST(ProgressWindowTemplate, MatchesItsTable) {
    const DialogTemplate dialog = ReadDialogTemplate(IDD_INDEX_DIALOG);
    ASSERT_TRUE(dialog.Found);
    EXPECT_FALSE(dialog.Extended);
    EXPECT_EQ(dialog.Style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                               DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.ExStyle, 0u);
    EXPECT_EQ(dialog.Caption, "Updating index ...");
    EXPECT_EQ(dialog.X, 0);
    EXPECT_EQ(dialog.Y, 0);
    EXPECT_EQ(dialog.Width, 388);
    EXPECT_EQ(dialog.Height, 119);
    EXPECT_EQ(dialog.PointSize, 8);
    EXPECT_EQ(dialog.Font, "MS Sans Serif");
    EXPECT_EQ(dialog.Menu, "");
    EXPECT_EQ(dialog.ClassName, "");
    ASSERT_EQ(dialog.Items.size(), std::size(kItems));
    for (size_t i = 0; i < std::size(kItems); ++i) {
        const ExpectedItem& want = kItems[i];
        const TemplateItem& got = dialog.Items[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(want.Id));
        // The resource compiler may write the class name in capitals; class names ignore case.
        EXPECT_EQ(lstrcmpiA(got.ClassName.c_str(), want.ClassName), 0) << got.ClassName;
        EXPECT_EQ(got.Id, want.Id);
        EXPECT_EQ(got.Text, want.Text);
        EXPECT_EQ(got.X, want.X);
        EXPECT_EQ(got.Y, want.Y);
        EXPECT_EQ(got.Width, want.Width);
        EXPECT_EQ(got.Height, want.Height);
        EXPECT_EQ(got.Style, want.Style)
            << std::hex << "got 0x" << got.Style << ", want 0x" << want.Style;
        EXPECT_EQ(got.ExStyle, 0u);
    }
}

TEST_F(ProgressWindowTest, LiveControlsSitWhereTheTemplatePutsThem) {
    // Claimed here, so the window watches and starts no build.
    ASSERT_TRUE(ClaimIndexBuild());
    ResetIndexProgress();
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("measure, leave", [](HWND d) {
            EXPECT_EQ(GetWindowLongA(d, GWL_STYLE) & WS_MINIMIZEBOX, WS_MINIMIZEBOX);
            EXPECT_EQ(GetWindowLongA(d, GWL_STYLE) & WS_SYSMENU, WS_SYSMENU) << "a close box";
            HWND child = GetWindow(d, GW_CHILD);
            for (const ExpectedItem& want : kItems) {
                SCOPED_TRACE(want.Id);
                ASSERT_NE(child, nullptr);
                EXPECT_EQ(GetDlgCtrlID(child), want.Id) << "z-order differs from template order";
                EXPECT_EQ(ClassOf(child), want.LiveClass);
                const RECT expected =
                    DialogUnitsToPixels(d, want.X, want.Y, want.Width, want.Height);
                const RECT got = ChildRectInClient(d, child);
                EXPECT_EQ(got.left, expected.left);
                EXPECT_EQ(got.top, expected.top);
                EXPECT_EQ(got.right, expected.right);
                EXPECT_EQ(got.bottom, expected.bottom);
                // The styles that make the behaviour; the border may come as an edge.
                const DWORD behaviour = want.Style & (WS_TABSTOP | WS_DISABLED | ES_READONLY |
                                                      ES_AUTOHSCROLL | ES_CENTER | WS_VISIBLE);
                EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & behaviour,
                          behaviour);
                child = GetWindow(child, GW_HWNDNEXT);
            }
            EXPECT_EQ(child, nullptr) << "more controls than the template's";
            // Tab order: the scan line, then (the button being disabled) the state line.
            HWND scanLine = GetDlgItem(d, IDC_SCAN_LINE);
            EXPECT_EQ(GetNextDlgTabItem(d, scanLine, FALSE), GetDlgItem(d, IDC_SCAN_STATE));
            EXPECT_EQ(GetNextDlgTabItem(d, GetDlgItem(d, IDC_SCAN_STATE), FALSE), scanLine);
            EXPECT_EQ(ItemText(d, IDC_RETURN), "Return to search engine ...");
            EXPECT_EQ(GetDlgItem(d, IDOK), nullptr);
            EXPECT_EQ(GetDlgItem(d, IDCANCEL), nullptr);
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    CIndexDlg dialog;
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    ReleaseIndexBuild();
}
