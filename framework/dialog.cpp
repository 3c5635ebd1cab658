#include "framework/dialog.h"

#include "framework/win_app.h"

void RegisterCommonControls();
HWND& DialogAskingForHelp();

namespace {

// Messages whose result a dialog procedure returns itself instead of in DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

HWND MainWindowHandle() {
    CWinApp* app = CWinApp::Current();
    return app && app->MainWindow ? app->MainWindow->Handle() : nullptr;
}

}  // namespace

const MessageMap* CDialog::ThisMessageMap() {
    static constexpr MessageMapEntry entries[] = {
        MapMenuCommand<&CDialog::OnOK>(IDOK),
        MapMenuCommand<&CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map = ChainMap(CWnd::ThisMessageMap(), entries);
    return &map;
}

INT_PTR CDialog::DoModal() {
    RegisterCommonControls();
    HWND owner = Parent ? Parent->Handle() : nullptr;
    if (!owner) {
        CWinApp* app = CWinApp::Current();
        if (app && app->MainWindow && app->MainWindow != this) owner = app->MainWindow->Handle();
    }
    // The owner takes no input while this dialog runs.
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner) ::EnableWindow(owner, FALSE);
    Ending = false;
    Result = -1;
    HWND window = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(TemplateId),
                                       owner, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (window) RunModalLoop(owner);
    // Enabled before the dialog goes, so that the owner gets the activation back.
    if (enableOwner) ::EnableWindow(owner, TRUE);
    if (window && ::IsWindow(window)) {
        if (owner && ::GetActiveWindow() == window) ::SetActiveWindow(owner);
        ::DestroyWindow(window);
    }
    Hwnd = nullptr;
    return window ? Result : -1;
}

void CDialog::RunModalLoop(HWND owner) {
    HWND window = Hwnd;
    bool shown = false;
    MSG message;
    while (!Ending && ::IsWindow(window)) {
        if (!::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!shown) {
                shown = true;
                if (!::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNORMAL);
                continue;
            }
            if (owner && !(::GetWindowLongA(window, GWL_STYLE) & DS_NOIDLEMSG))
                ::SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX,
                               reinterpret_cast<LPARAM>(window));
            if (Ending) break;
        }
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends the dialog and stays for the loop outside.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            Result = -1;
            break;
        }
        if (got < 0) break;
        if (!::IsDialogMessageA(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

void CDialog::EndDialog(int result) const {
    Ending = true;
    Result = result;
    // Hides the dialog at once; the modal loop destroys it.
    ::EndDialog(Hwnd, result);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

CDialog* CDialog::FromHandle(HWND window) {
    if (!window || !::IsWindow(window)) return nullptr;
    if (::GetWindowLongPtrA(window, DWLP_DLGPROC) !=
        reinterpret_cast<LONG_PTR>(&CDialog::DialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
}

void CDialog::CentreOnOwner() const {
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT reference = work;
    HWND owner = ::GetWindow(Hwnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &reference);
    RECT own;
    ::GetWindowRect(Hwnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = reference.left + (reference.right - reference.left - width) / 2;
    int y = reference.top + (reference.bottom - reference.top - height) / 2;
    // Keep the whole window, or at least its top left corner, on the work area.
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    ::SetWindowPos(Hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CDialog::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    PassPending = true;
    PassMessage = message;
    const LRESULT result = ::DefDlgProcA(Hwnd, message, wParam, lParam);
    PassPending = false;
    return result;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMessage current{message, wParam, lParam, false, 0};
    CurrentMessage* outer = Current;
    Current = &current;
    struct Restore {
        CurrentMessage*& Slot;
        CurrentMessage* Value;
        ~Restore() { Slot = Value; }
    } restore{Current, outer};

    if (message == WM_INITDIALOG) {
        CentreOnOwner();
        return OnInitDialog();
    }

    LRESULT result = 0;
    bool handled = DispatchMessageMap(message, wParam, lParam, &result);
    if (!handled && message == WM_COMMAND && HIWORD(wParam) <= 1 && lParam == 0) {
        // Menu commands and accelerators no window handles go to the application.
        if (CWinApp* app = CWinApp::Current())
            handled = app->DispatchMessageMap(message, wParam, lParam, &result);
    }
    if (!handled && message == WM_HELP) {
        // The help topic is that of the dialog holding the focus; when this
        // thread holds none (another program is in front), this dialog's.
        DialogAskingForHelp() = Hwnd;
        HWND target = MainWindowHandle();
        ::SendMessageA(target ? target : Hwnd, WM_COMMAND, ID_HELP, 0);
        handled = true;
        result = TRUE;
    }
    if (message == WM_NCDESTROY) {
        CWinApp* app = CWinApp::Current();
        if (app && app->MainWindow == this) app->MainWindow = nullptr;
        return FALSE;
    }
    if (!handled) return FALSE;
    if (current.DefaultDone && result == 0) result = current.DefaultResult;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(Hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        if (self) self->Hwnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!self) return FALSE;
    if (self->PassPending && self->PassMessage == message) {
        self->PassPending = false;
        return FALSE;
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
