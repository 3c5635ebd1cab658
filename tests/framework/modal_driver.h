// Drives real modal dialogs from inside their own modal loop.
//
// A ModalDriver holds a script of steps. Run() sets a thread timer (every
// 10 ms) and then runs the dialog with DoModal; the dialog manager's modal
// loop dispatches that timer, so each tick runs the current step with the
// innermost open dialog of this thread (a nested modal dialog included).
// An action step runs once; a wait step runs until its test returns true or
// its own time runs out. Once the script is done, the dialog has to end
// itself (a step presses a button or a key); if it does not end by the
// deadline, every open dialog of the thread is ended with kDriverTimedOut.
//
//     ModalDriver driver;
//     driver.WaitFor("visible", [](HWND d) { return IsWindowVisible(d) != FALSE; })
//           .Do("escape", [](HWND d) { PressKey(d, VK_ESCAPE); });
//     CIndexDlg dialog;
//     EXPECT_EQ(driver.Run(dialog), IDCANCEL);
//
// An action that starts a nested modal dialog itself (SendMessage of a menu
// command) blocks inside the tick; the nested loop then goes on with the
// following steps, since the script advances before an action runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/dialog.h"

inline constexpr INT_PTR kDriverTimedOut = -2;

// The text of a window (a control or a dialog).
inline std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

inline std::string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A key pressed on the control that has the focus (or on the dialog), as
// the modal loop's dialog-message handling sees it.
inline void PressKey(HWND dialog, WPARAM key) {
    HWND target = GetFocus();
    if (!target || (target != dialog && !IsChild(dialog, target))) target = dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Makes the dialog the foreground window, so that it holds the keyboard
// focus even while suites of other programs share the display; true when it is.
inline bool BringToFront(HWND dialog) {
    SetForegroundWindow(dialog);
    return GetForegroundWindow() == dialog;
}

// A click on a push button, posted so that the step returns first.
inline void ClickButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    if (ClassOf(window) == "#32770") reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The dialogs (class #32770) of this thread, outermost first.
inline std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
    // Order by the length of the owner chain: a nested modal dialog comes last.
    auto depth = [](HWND window) {
        int n = 0;
        for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
            ++n;
        return n;
    };
    std::vector<std::pair<int, HWND>> ranked;
    for (HWND window : found) ranked.push_back({depth(window), window});
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    found.clear();
    for (const auto& entry : ranked) found.push_back(entry.second);
    return found;
}

// The dialog that takes input now: the innermost enabled one.
inline HWND InnermostDialog() {
    const std::vector<HWND> dialogs = ThreadDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
        if (IsWindowEnabled(*it)) return *it;
    return dialogs.empty() ? nullptr : dialogs.back();
}

class ModalDriver {
public:
    using Action = std::function<void(HWND dialog)>;
    using Test = std::function<bool(HWND dialog)>;

    // Runs action once, on the next tick.
    ModalDriver& Do(std::string name, Action action) {
        Steps.push_back({std::move(name), std::move(action), nullptr, 0});
        return *this;
    }
    // Waits until test returns true; gives up (and records it) after timeoutMs.
    ModalDriver& WaitFor(std::string name, Test test, DWORD timeoutMs = 10000) {
        Steps.push_back({std::move(name), nullptr, std::move(test), timeoutMs});
        return *this;
    }

    // Runs the dialog modally with the script; its DoModal result.
    INT_PTR Run(CDialog& dialog, DWORD deadlineMs = 30000) {
        return RunCode([&dialog] { return dialog.DoModal(); }, deadlineMs);
    }

    // The same around any code that runs modal dialogs (an InitInstance, a
    // menu handler); its result.
    INT_PTR RunCode(const std::function<INT_PTR()>& code, DWORD deadlineMs = 30000) {
        Deadline = GetTickCount() + deadlineMs;
        Next = 0;
        StepStart = GetTickCount();
        ModalDriver* outer = Active();
        Active() = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, &ModalDriver::OnTick);
        const INT_PTR result = code();
        KillTimer(nullptr, timer);
        Active() = outer;
        if (Next < Steps.size() && FailedStep.empty())
            FailedStep = "not reached: " + Steps[Next].Name;
        return result;
    }

    // Empty when every step ran; else the step that timed out or was never reached.
    std::string FailedStep;
    bool TimedOut = false;

private:
    struct Step {
        std::string Name;
        Action RunOnce;
        Test Until;
        DWORD TimeoutMs;
    };

    static ModalDriver*& Active() {
        static thread_local ModalDriver* active = nullptr;
        return active;
    }

    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
        if (ModalDriver* driver = Active()) driver->Tick();
    }

    void Tick() {
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(now - Deadline) >= 0) {
            Abandon(Next < Steps.size() ? "deadline in: " + Steps[Next].Name
                                        : "deadline after the last step");
            return;
        }
        if (Next >= Steps.size()) return;
        HWND dialog = InnermostDialog();
        if (!dialog) return;
        Step& step = Steps[Next];
        if (step.RunOnce) {
            ++Next;
            StepStart = now;
            step.RunOnce(dialog);
            return;
        }
        if (step.Until(dialog)) {
            ++Next;
            StepStart = now;
        } else if (now - StepStart > step.TimeoutMs) {
            Abandon("timed out: " + step.Name);
        }
    }

    void Abandon(std::string why) {
        if (FailedStep.empty()) FailedStep = std::move(why);
        TimedOut = true;
        Next = Steps.size();
        const std::vector<HWND> dialogs = ThreadDialogs();
        for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
            if (CDialog* ours = CDialog::FromHandle(*it))
                ours->EndDialog(kDriverTimedOut);
            else
                EndDialog(*it, kDriverTimedOut);
        }
    }

    std::vector<Step> Steps;
    size_t Next = 0;
    DWORD StepStart = 0;
    DWORD Deadline = 0;
};
