// A window we talk to through its handle; the object owns nothing.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/message_map.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : Hwnd(window) {}

    HWND Handle() const { return Hwnd; }
    operator HWND() const { return Hwnd; }
    void Attach(HWND window) { Hwnd = window; }
    HWND Detach() {
        HWND window = Hwnd;
        Hwnd = nullptr;
        return window;
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(Hwnd, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(Hwnd, message, wParam, lParam) != FALSE;
    }

    bool EnableWindow(bool enable = true) const { return ::EnableWindow(Hwnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(Hwnd) != FALSE; }
    HWND SetFocus() const { return ::SetFocus(Hwnd); }
    bool MoveWindow(int x, int y, int width, int height, bool repaint = true) const {
        return ::MoveWindow(Hwnd, x, y, width, height, repaint) != FALSE;
    }
    bool ShowWindow(int command) const { return ::ShowWindow(Hwnd, command) != FALSE; }
    bool IsIconic() const { return ::IsIconic(Hwnd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(Hwnd) != FALSE; }
    void GetClientRect(RECT* rect) const { ::GetClientRect(Hwnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(Hwnd, rect); }
    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(Hwnd, revert); }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const {
        return ::SetTimer(Hwnd, id, milliseconds, nullptr);
    }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(Hwnd, id) != FALSE; }
    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(Hwnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(Hwnd); }
    // The whole text of child control id.
    int GetDlgItemText(int id, CString& text) const;
    void SetWindowText(const char* text) const { ::SetWindowTextA(Hwnd, text); }
    int GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(Hwnd); }
    HICON SetIcon(HICON icon, bool big) const {
        return reinterpret_cast<HICON>(
            Send(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    void SetRedraw(bool redraw = true) const { Send(WM_SETREDRAW, redraw, 0); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(Hwnd, nullptr, erase); }
    bool UpdateWindow() const { return ::UpdateWindow(Hwnd) != FALSE; }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(Hwnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(Hwnd, GWL_EXSTYLE)); }

    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    static const MessageMap* ThisMessageMap();

protected:
    // Inside a handler: runs the window's default processing of the message
    // being handled and returns its result. Outside a handler it does nothing.
    LRESULT Default();
    // The default processing of one message: DefWindowProc for a plain window.
    virtual LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

    // The message being handled, for Default().
    struct CurrentMessage {
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
        bool DefaultDone;
        LRESULT DefaultResult;
    };
    CurrentMessage* Current = nullptr;

    HWND Hwnd = nullptr;
};
