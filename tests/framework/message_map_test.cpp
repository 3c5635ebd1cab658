#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/paint_dc.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/test_app.h"
#include "tests/framework/test_resource.h"

namespace {

// A middle class with a map of its own, chained to CDialog's.
class CBaseTarget : public CDialog {
public:
    CBaseTarget() : CDialog(IDD_PLAIN_TEST) {}
    std::vector<std::string> Calls;

    void OnOK() override { Calls.push_back("OnOK"); }
    void OnCancel() override {
        Calls.push_back("OnCancel");
        CDialog::OnCancel();
    }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            MapCommand<&CBaseTarget::OnBaseButton>(BN_CLICKED, IDC_TEST_BUTTON),
            MapCommand<&CBaseTarget::OnBaseList>(LBN_DBLCLK, IDC_TEST_LIST),
            MapTimer<&CBaseTarget::OnBaseTimer>(),
        };
        static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
        return &map;
    }
    void OnBaseButton() { Calls.push_back("base button"); }
    void OnBaseList() { Calls.push_back("base list"); }
    void OnBaseTimer(unsigned) { Calls.push_back("base timer"); }
};

class CDerivedTarget : public CBaseTarget {
public:
    HICON Icon = reinterpret_cast<HICON>(0x1234);

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            MapCommand<&CDerivedTarget::OnFirstButton>(BN_CLICKED, IDC_TEST_BUTTON),
            MapCommand<&CDerivedTarget::OnSecondButton>(BN_CLICKED, IDC_TEST_BUTTON),
            MapCommand<&CDerivedTarget::OnEditChange>(EN_CHANGE, IDC_TEST_EDIT),
            MapMenuCommand<&CDerivedTarget::OnMenu>(IDM_TEST_DO),
            MapTimer<&CDerivedTarget::OnTimer>(),
            MapSize<&CDerivedTarget::OnSize>(),
            MapSysCommand<&CDerivedTarget::OnSysCommand>(),
            MapQueryDragIcon<&CDerivedTarget::OnQueryDragIcon>(),
            MapMessage<&CDerivedTarget::OnApp>(WM_APP),
        };
        static const MessageMap map = ChainMap(CBaseTarget::GetMessageMap(), entries);
        return &map;
    }
    void OnFirstButton() { Calls.push_back("first button"); }
    void OnSecondButton() { Calls.push_back("second button"); }
    void OnEditChange() { Calls.push_back("edit change"); }
    void OnMenu() { Calls.push_back("menu"); }
    void OnTimer(unsigned id) { Calls.push_back("timer " + std::to_string(id)); }
    void OnSize(unsigned type, int cx, int cy) {
        Calls.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + " " +
                        std::to_string(cy));
    }
    void OnSysCommand(unsigned id, LPARAM lParam) {
        Calls.push_back("syscommand " + std::to_string(id) + " " + std::to_string(lParam));
    }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Icon); }
    LRESULT OnApp(WPARAM wParam, LPARAM lParam) {
        Calls.push_back("app " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 42;
    }
};

struct DispatchCase {
    const char* Name;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    const char* Handler;  // nullptr: no entry matches
    LRESULT Result;
};

const DispatchCase kDispatchCases[] = {
    {"FirstEntryOfTheDerivedMapWins", WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0,
     "first button", 0},
    {"UnmatchedInDerivedGoesToBase", WM_COMMAND, MAKEWPARAM(IDC_TEST_LIST, LBN_DBLCLK), 0,
     "base list", 0},
    {"NotificationCodeMustMatch", WM_COMMAND, MAKEWPARAM(IDC_TEST_LIST, LBN_SELCHANGE), 0, nullptr,
     0},
    {"ControlMustMatch", WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON + 50, BN_CLICKED), 0, nullptr, 0},
    {"EditChange", WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, EN_CHANGE), 0, "edit change", 0},
    {"MenuCommand", WM_COMMAND, MAKEWPARAM(IDM_TEST_DO, 0), 0, "menu", 0},
    {"AcceleratorRunsTheMenuCommand", WM_COMMAND, MAKEWPARAM(IDM_TEST_DO, 1), 0, "menu", 0},
    {"OkThroughTheBaseMapToTheVirtual", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, "OnOK", 0},
    {"CancelThroughTheBaseMapToTheVirtual", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0,
     "OnCancel", 0},
    {"TimerOfTheDerivedShadowsTheBase", WM_TIMER, 911, 0, "timer 911", 0},
    {"SizeUnpacksSignedExtents", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(800, 600), "size 2 800 600",
     0},
    {"SizeBelowZero", WM_SIZE, SIZE_RESTORED, MAKELPARAM(-16, -128), "size 0 -16 -128", 0},
    {"SysCommand", WM_SYSCOMMAND, 0x0010, 5, "syscommand 16 5", 0},
    {"QueryDragIconResult", WM_QUERYDRAGICON, 0, 0, "", 0x1234},
    {"AnyMessageWithItsResult", WM_APP, 3, 4, "app 3 4", 42},
    {"UnmappedMessage", WM_MOUSEMOVE, 0, 0, nullptr, 0},
};

class DispatchTest : public ::testing::TestWithParam<DispatchCase> {};

}  // namespace

TEST_P(DispatchTest, FindsTheHandlerInMapOrder) {
    const DispatchCase& c = GetParam();
    CDerivedTarget target;
    LRESULT result = -1;
    const bool handled = target.DispatchMessageMap(c.Message, c.WParam, c.LParam, &result);
    if (!c.Handler) {
        EXPECT_FALSE(handled);
        EXPECT_TRUE(target.Calls.empty());
        return;
    }
    ASSERT_TRUE(handled);
    if (*c.Handler) {
        EXPECT_EQ(target.Calls, std::vector<std::string>{c.Handler});
    } else {
        EXPECT_TRUE(target.Calls.empty());
    }
    EXPECT_EQ(result, c.Result);
}

INSTANTIATE_TEST_SUITE_P(Entries, DispatchTest, ::testing::ValuesIn(kDispatchCases),
                         [](const ::testing::TestParamInfo<DispatchCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(MessageMap, BaseMapSeesOnlyItsOwnAndCDialogsEntries) {
    CBaseTarget target;
    LRESULT result;
    ASSERT_TRUE(
        target.DispatchMessageMap(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0, &result));
    ASSERT_TRUE(target.DispatchMessageMap(WM_TIMER, 1, 0, &result));
    EXPECT_FALSE(target.DispatchMessageMap(WM_SIZE, 0, 0, &result));
    EXPECT_EQ(target.Calls, (std::vector<std::string>{"base button", "base timer"}));
}

namespace {

// A live dialog whose handlers use the default processing.
class CDefaultDialog : public CDialog {
public:
    CDefaultDialog() : CDialog(IDD_PLAIN_TEST) {}
    int SysCommands = 0;
    int Paints = 0;
    bool PaintHadDc = false;

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            MapSysCommand<&CDefaultDialog::OnSysCommand>(),
            MapPaint<&CDefaultDialog::OnPaint>(),
            MapQueryDragIcon<&CDefaultDialog::OnQueryDragIcon>(),
            MapMessage<&CDefaultDialog::OnApp>(WM_APP),
            MapMessage<&CDefaultDialog::OnThrow>(WM_APP + 1),
        };
        static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
        return &map;
    }
    void OnSysCommand(unsigned, LPARAM) {
        ++SysCommands;
        Default();
    }
    void OnPaint() {
        ++Paints;
        CPaintDC dc(*this);
        PaintHadDc = dc.Handle() != nullptr;
    }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(0x5678); }
    LRESULT OnApp(WPARAM, LPARAM) { return 42; }
    LRESULT OnThrow(WPARAM, LPARAM) {
        throw std::runtime_error("must not leave the dialog procedure");
    }
};

}  // namespace

TEST(LiveDialog, ResultsReturnAndTheDefaultProcessingRunsOnce) {
    CDefaultDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("send", [&](HWND d) {
            EXPECT_EQ(SendMessageA(d, WM_APP, 0, 0), 42) << "through DWLP_MSGRESULT";
            EXPECT_EQ(SendMessageA(d, WM_QUERYDRAGICON, 0, 0), 0x5678) << "returned directly";
            EXPECT_EQ(SendMessageA(d, WM_APP + 1, 0, 0), 0) << "a throwing handler";
            EXPECT_TRUE(IsWindow(d));
            InvalidateRect(d, nullptr, TRUE);
            UpdateWindow(d);
            EXPECT_GE(dialog.Paints, 1);
            EXPECT_TRUE(dialog.PaintHadDc);
            // Close through the handler's Default(): DefDlgProc turns it into IDCANCEL.
            PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(driver.FailedStep, "");
    EXPECT_EQ(dialog.SysCommands, 1);
}

TEST(LiveDialog, CommandsNoWindowHandlesGoToTheApplication) {
    RecordedServices services;
    TestApp.Commands.clear();
    CDefaultDialog dialog;
    ModalDriver driver;
    driver.WaitFor("shown", [](HWND d) { return IsWindowVisible(d) != FALSE; })
        .Do("menu command, then leave", [](HWND d) {
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDM_TEST_APP, 0), 0);
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(driver.Run(dialog), IDCANCEL);
    EXPECT_EQ(TestApp.Commands, std::vector<std::string>{"app command"});
}
