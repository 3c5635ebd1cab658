// The child controls the windows use; each method is one message.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "framework/wnd.h"

class CListBox : public CWnd {
public:
    void ResetContent() const { Send(LB_RESETCONTENT); }
    int AddString(const char* text) const {
        return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(Send(LB_SETCURSEL, index)); }
    int GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int GetTextLen(int index) const { return static_cast<int>(Send(LB_GETTEXTLEN, index)); }
    // buffer must hold GetTextLen(index) + 1 bytes.
    int GetText(int index, char* buffer) const {
        return static_cast<int>(Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
    }
    // The entry's text; empty when index names no entry (LB_ERR).
    int GetText(int index, CString& text) const;
    int SetItemData(int index, DWORD_PTR data) const {
        return static_cast<int>(Send(LB_SETITEMDATA, index, static_cast<LPARAM>(data)));
    }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(Send(LB_GETITEMDATA, index));
    }
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }
    void ScrollCaret() const { Send(EM_SCROLLCARET); }
    void ReplaceSel(const char* text, bool canUndo = false) const {
        Send(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(int maxChars) const { Send(EM_LIMITTEXT, maxChars); }
    // The windows' way of changing a text: select 0..selectEnd, scroll the
    // caret into view, replace the selection (three messages).
    void ReplaceText(const char* text, int selectEnd, bool canUndo) const {
        SetSel(0, selectEnd);
        ScrollCaret();
        ReplaceSel(text, canUndo);
    }
};

class CButton : public CWnd {
public:
    void Click() const { Send(BM_CLICK); }
    UINT GetState() const { return static_cast<UINT>(Send(BM_GETSTATE)); }
};

// A progress bar we drive; owns nothing.
class CProgressCtrl : public CWnd {
public:
    void SetRange(int low, int high) const { Send(PBM_SETRANGE, 0, MAKELPARAM(low, high)); }
    int SetPos(int pos) const { return static_cast<int>(Send(PBM_SETPOS, pos)); }
    int GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
};
