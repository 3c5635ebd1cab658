#include <cstdio>

#include "framework/dialog.h"
#include "framework/services.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    // A dialog object run a second time gets new child windows.
    HWND child = ::GetDlgItem(dx->Dialog->Handle(), id);
    if (control.Handle() != child) control.Attach(child);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    dx->LastControl = id;
    CWnd control(::GetDlgItem(dx->Dialog->Handle(), id));
    if (dx->SaveAndValidate)
        control.GetWindowText(value);
    else
        control.SetWindowText(value);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (!dx->SaveAndValidate) {
        if (dx->LastControl)
            dx->Dialog->GetDlgItem(dx->LastControl).Send(EM_LIMITTEXT, maxChars, 0);
        return;
    }
    if (value.GetLength() <= maxChars || dx->Failed) return;
    char text[80];
    std::snprintf(text, sizeof text, "Enter no more than %d characters.", maxChars);
    ShowMessageBox(text);
    if (dx->LastControl) dx->Dialog->GetDlgItem(dx->LastControl).SetFocus();
    dx->Failed = true;
}
