#include "framework/wnd.h"

#include "framework/controls.h"

const MessageMap* CWnd::ThisMessageMap() {
    static const MessageMap map{CCmdTarget::ThisMessageMap(), nullptr, 0};
    return &map;
}

int CWnd::GetWindowText(CString& text) const {
    const int length = ::GetWindowTextLengthA(Hwnd);
    char* buffer = text.GetBuffer(length + 1);
    const int copied = ::GetWindowTextA(Hwnd, buffer, length + 1);
    text.ReleaseBuffer(copied > 0 ? copied : 0);
    return text.GetLength();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    return CWnd(::GetDlgItem(Hwnd, id)).GetWindowText(text);
}

int CListBox::GetText(int index, CString& text) const {
    const int length = GetTextLen(index);
    if (length == LB_ERR) {
        text.Empty();
        return 0;
    }
    char* buffer = text.GetBuffer(length + 1);
    const int copied = GetText(index, buffer);
    text.ReleaseBuffer(copied > 0 ? copied : 0);
    return text.GetLength();
}

LRESULT CWnd::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(Hwnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    if (!Current || !Hwnd) return 0;
    CurrentMessage* message = Current;
    message->DefaultResult = DefaultProcessing(message->Message, message->WParam, message->LParam);
    message->DefaultDone = true;
    return message->DefaultResult;
}
