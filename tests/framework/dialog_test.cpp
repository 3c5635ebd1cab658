#include "framework/dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tests/framework/dialog_template.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/test_app.h"
#include "tests/framework/test_resource.h"

namespace {

class CMenuDialog : public CDialog {
public:
    explicit CMenuDialog(CWnd* parent = nullptr) : CDialog(IDD_MENU_TEST, parent) {}
    int MenuCommands = 0;
    bool InitRan = false;

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            MapMenuCommand<&CMenuDialog::OnDoIt>(IDM_TEST_DO),
        };
        static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
        return &map;
    }
    BOOL OnInitDialog() override {
        InitRan = true;
        return CDialog::OnInitDialog();
    }
    void OnDoIt() { ++MenuCommands; }
};

INT_PTR CALLBACK ForeignProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

TEST(Dialog, RunsAnExtendedTemplateWithAMenu) {
    const DialogTemplate resource = ReadDialogTemplate(IDD_MENU_TEST);
    ASSERT_TRUE(resource.Extended);
    EXPECT_EQ(resource.Menu, "#" + std::to_string(IDR_TEST_MENU));
    CMenuDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("use the menu, leave", [&](HWND d) {
            EXPECT_TRUE(dialog.InitRan);
            EXPECT_EQ(dialog.Handle(), d);
            EXPECT_EQ(dialog.GetTemplateId(), static_cast<UINT>(IDD_MENU_TEST));
            HMENU menu = GetMenu(d);
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), static_cast<UINT>(IDM_TEST_DO));
            EXPECT_NE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDM_TEST_DO, 0), 0);
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(dialog.MenuCommands, 1);
    EXPECT_EQ(dialog.Handle(), nullptr) << "the handle is gone with the window";
}

TEST(Dialog, IsFoundFromItsWindowAndNoOtherWindowIsTakenForOne) {
    CMenuDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("look, leave", [&](HWND d) {
            EXPECT_EQ(CDialog::FromHandle(d), &dialog);
            EXPECT_EQ(CDialog::FromHandle(GetDlgItem(d, IDC_TEST_EDIT)), nullptr);
            HWND foreign =
                CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLAIN_TEST),
                                   nullptr, &ForeignProc, 0);
            ASSERT_NE(foreign, nullptr);
            EXPECT_EQ(CDialog::FromHandle(foreign), nullptr);
            DestroyWindow(foreign);
            EXPECT_EQ(CDialog::FromHandle(nullptr), nullptr);
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
}

TEST(Dialog, AMissingTemplateGivesMinusOne) {
    CDialog dialog(IDD_MISSING_TEST);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Dialog, OpensCentredOverAVisibleOwner) {
    CMenuDialog owner;
    RECT ownerRect{}, innerRect{};
    HWND ownerHandle = nullptr;
    ModalDriver driver;
    driver.WaitFor("owner shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("make room, open a child dialog",
            [&](HWND d) {
                ownerHandle = d;
                MoveWindow(d, 100, 80, 600, 400, TRUE);
                GetWindowRect(d, &ownerRect);
                CDialog inner(IDD_PLAIN_TEST, &owner);
                inner.DoModal();
            })
        .WaitFor("inner shown", [&](HWND d) { return d != ownerHandle && IsWindowVisible(d); })
        .Do("measure, close",
            [&](HWND d) {
                GetWindowRect(d, &innerRect);
                EXPECT_EQ(GetWindow(d, GW_OWNER), ownerHandle);
                PostMessageA(d, WM_CLOSE, 0, 0);
            })
        .WaitFor("back", [&](HWND d) { return d == ownerHandle; })
        .Do("leave", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
    EXPECT_EQ(driver.Run(owner), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_NEAR(innerRect.left - ownerRect.left, ownerRect.right - innerRect.right, 1);
    EXPECT_NEAR(innerRect.top - ownerRect.top, ownerRect.bottom - innerRect.bottom, 1);
}

namespace {

// Maximised while it initialises, as the search window is.
class CSizableDialog : public CDialog {
public:
    CSizableDialog() : CDialog(IDD_SIZABLE_TEST) {}
    std::vector<SIZE> Sizes;

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            MapSize<&CSizableDialog::OnSize>(),
        };
        static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
        return &map;
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ShowWindow(SW_SHOWMAXIMIZED);
        return TRUE;
    }
    void OnSize(unsigned, int cx, int cy) {
        Default();
        Sizes.push_back({cx, cy});
    }
};

}  // namespace

TEST(Dialog, AVisibleTemplateMaximisedWhileItInitialisesStaysMaximised) {
    CSizableDialog dialog;
    RECT client{};
    DWORD since = 0;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("note", [&](HWND) { since = GetTickCount(); })
        // Long enough for the queue to have gone empty many times.
        .WaitFor("a while", [&](HWND) { return GetTickCount() - since > 300; })
        .Do("measure, leave", [&](HWND d) {
            EXPECT_TRUE(IsZoomed(d));
            GetClientRect(d, &client);
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    ASSERT_FALSE(dialog.Sizes.empty());
    EXPECT_EQ(dialog.Sizes.back().cx, client.right) << "the last WM_SIZE has the maximised size";
    EXPECT_EQ(dialog.Sizes.back().cy, client.bottom);
}

namespace {

class CEndsAtOnceDialog : public CDialog {
public:
    CEndsAtOnceDialog() : CDialog(IDD_PLAIN_TEST) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        EndDialog(77);
        return TRUE;
    }
};

}  // namespace

TEST(Dialog, EndedWhileItInitialisesReturnsWithoutBeingShown) {
    CEndsAtOnceDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_TRUE(ThreadDialogs().empty()) << "the window is destroyed";
}
