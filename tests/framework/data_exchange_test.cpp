#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/test_app.h"
#include "tests/framework/test_resource.h"

namespace {

class CQueryDialog : public CDialog {
public:
    CQueryDialog() : CDialog(IDD_PLAIN_TEST), QueryValue("start") {}

    CEdit Query;
    CListBox List;
    CButton Press;
    CString QueryValue;
    int Exchanges = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        ++Exchanges;
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_TEST_EDIT, Query);
        DDX_Control(dx, IDC_TEST_LIST, List);
        DDX_Control(dx, IDC_TEST_BUTTON, Press);
        DDX_Text(dx, IDC_TEST_EDIT, QueryValue);
        DDV_MaxChars(dx, QueryValue, 100);
    }
};

int LimitOf(HWND edit) {
    return static_cast<int>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
}

}  // namespace

TEST(DataExchange, LoadingBindsControlsSetsTheTextAndLimitsTheEdit) {
    CQueryDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("look, leave", [&](HWND d) {
            HWND edit = GetDlgItem(d, IDC_TEST_EDIT);
            EXPECT_EQ(dialog.Query.Handle(), edit);
            EXPECT_EQ(dialog.List.Handle(), GetDlgItem(d, IDC_TEST_LIST));
            EXPECT_EQ(dialog.Press.Handle(), GetDlgItem(d, IDC_TEST_BUTTON));
            EXPECT_EQ(TextOf(edit), "start");
            EXPECT_EQ(LimitOf(edit), 100);
            EXPECT_EQ(dialog.Exchanges, 1);
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(dialog.QueryValue, "start") << "Escape saves nothing";
}

TEST(DataExchange, ADialogObjectRunTwiceBindsTheNewControls) {
    CQueryDialog dialog;
    for (int run = 0; run < 2; ++run) {
        ModalDriver driver;
        driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
            .Do("look, leave", [&](HWND d) {
                EXPECT_EQ(dialog.Query.Handle(), GetDlgItem(d, IDC_TEST_EDIT)) << "run " << run;
                PressKey(d, VK_ESCAPE);
            });
        EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    }
}

TEST(DataExchange, TypingAndPastingStopAt100Characters) {
    CQueryDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("type and paste", [](HWND d) {
            HWND edit = GetDlgItem(d, IDC_TEST_EDIT);
            SetWindowTextA(edit, "");
            for (int i = 0; i < 150; ++i) SendMessageA(edit, WM_CHAR, 'a' + i % 26, 1);
            EXPECT_EQ(GetWindowTextLengthA(edit), 100) << "typing";
            SetWindowTextA(edit, "");
            const std::string pasted(150, 'p');
            SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
            EXPECT_EQ(GetWindowTextLengthA(edit), 100) << "a replacement";
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
}

TEST(DataExchange, SavingRefusesALongerTextWithAMessageAndKeepsTheDialog) {
    RecordedServices services;
    CQueryDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("to the front", [](HWND d) { BringToFront(d); })
        .Do("too long, OK",
            [](HWND d) {
                // WM_SETTEXT is not limited, so a program can still put more there.
                SetDlgItemTextA(d, IDC_TEST_EDIT, std::string(120, 'x').c_str());
                SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            })
        .Do("still open, fix, OK", [](HWND d) {
            ASSERT_EQ(RecordedServices::Messages.size(), 1u);
            EXPECT_EQ(RecordedServices::Messages[0].Text, "Enter no more than 100 characters.");
            EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_TEST_EDIT));
            SetDlgItemTextA(d, IDC_TEST_EDIT, "fine");
            PressKey(d, VK_RETURN);
        });
    EXPECT_EQ(driver.Run(dialog), IDOK);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(dialog.QueryValue, "fine");
    EXPECT_EQ(RecordedServices::Messages.size(), 1u);
}

TEST(Controls, ListBoxAndEditMessages) {
    CQueryDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("drive the controls", [&](HWND d) {
            CListBox& list = dialog.List;
            list.ResetContent();
            EXPECT_EQ(list.AddString("c:\\one"), 0);
            EXPECT_EQ(list.AddString("c:\\two"), 1);
            EXPECT_EQ(list.GetCount(), 2);
            EXPECT_EQ(list.GetCurSel(), LB_ERR);
            CString text("left over");
            list.GetText(list.GetCurSel(), text);
            EXPECT_EQ(text, "") << "no selection reads as an empty text";
            list.SetCurSel(1);
            EXPECT_EQ(list.GetCurSel(), 1);
            EXPECT_EQ(list.GetTextLen(1), 6);
            list.GetText(1, text);
            EXPECT_EQ(text, "c:\\two");
            list.SetItemData(1, 77);
            EXPECT_EQ(list.GetItemData(1), 77u);

            CEdit& edit = dialog.Query;
            edit.ReplaceText("replaced", 256, true);
            EXPECT_EQ(TextOf(edit.Handle()), "replaced");
            EXPECT_NE(edit.Send(EM_CANUNDO), 0) << "an undoable replacement";
            CString read;
            dialog.GetDlgItemText(IDC_TEST_EDIT, read);
            EXPECT_EQ(read, "replaced");

            dialog.Press.EnableWindow(false);
            EXPECT_FALSE(dialog.Press.IsWindowEnabled());
            PressKey(d, VK_ESCAPE);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
}
