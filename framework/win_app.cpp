#include "framework/win_app.h"

#include <commctrl.h>

#include <cstring>

#include "framework/dialog.h"
#include "framework/services.h"

bool RequestHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data);

namespace {

CWinApp* TheApp = nullptr;

// The executable's full path.
CString ModulePath() {
    CString path;
    for (DWORD size = MAX_PATH;; size *= 2) {
        char* buffer = path.GetBuffer(static_cast<int>(size));
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer, size);
        if (length < size || size >= 32768) {
            path.ReleaseBuffer(static_cast<int>(length < size ? length : size - 1));
            return path;
        }
    }
}

// Offset of the file name within path.
size_t FileNameStart(const char* path) {
    size_t start = 0;
    for (size_t i = 0; path[i]; ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
    return start;
}

// Offset of the extension's dot within path, or its length when there is none.
size_t ExtensionStart(const char* path) {
    const size_t name = FileNameStart(path);
    const char* dot = std::strrchr(path + name, '.');
    return dot ? static_cast<size_t>(dot - path) : std::strlen(path);
}

}  // namespace

void RegisterCommonControls() {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    registered = ::InitCommonControlsEx(&controls) != FALSE;
}

void InitFrameworkServices() {
    // A drive without a medium must not raise a system prompt while it is listed.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    RegisterCommonControls();
}

int RunApplication() {
    InitFrameworkServices();
    CWinApp* app = CWinApp::Current();
    if (!app) return -1;
    if (app->InitInstance()) return app->Run();
    return app->ExitInstance();
}

const char* AppName() {
    if (TheApp) return TheApp->AppName();
    static CString name;
    if (name.IsEmpty()) {
        const CString path = ModulePath();
        const size_t start = FileNameStart(path);
        name = CString(path.GetString() + start, ExtensionStart(path) - start);
    }
    return name;
}

CWinApp::CWinApp(const char* appName) : Name(appName) {
    if (!TheApp) TheApp = this;
}

CWinApp::~CWinApp() {
    if (TheApp == this) TheApp = nullptr;
}

CWinApp* CWinApp::Current() {
    return TheApp;
}

const MessageMap* CWinApp::ThisMessageMap() {
    static const MessageMap map{CCmdTarget::ThisMessageMap(), nullptr, 0};
    return &map;
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::Run() {
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}

const char* CWinApp::AppName() const {
    if (Name.IsEmpty()) {
        const CString path = ModulePath();
        const size_t start = FileNameStart(path);
        const_cast<CString&>(Name) =
            CString(path.GetString() + start, ExtensionStart(path) - start);
    }
    return Name;
}

const char* CWinApp::HelpFilePath() const {
    if (HelpPath.IsEmpty()) {
        const CString path = ModulePath();
        CString help(path.GetString(), ExtensionStart(path));
        HelpPath = (std::string(help.GetString()) + ".HLP").c_str();
    }
    return HelpPath;
}

HINSTANCE CWinApp::Instance() const {
    return ::GetModuleHandleA(nullptr);
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(Instance(), MAKEINTRESOURCEA(id));
}

CString CWinApp::LoadString(UINT id) const {
    char buffer[1024];
    const int length = ::LoadStringA(Instance(), id, buffer, sizeof buffer);
    return CString(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

bool CWinApp::LoadString(UINT id, CString& text) const {
    text = LoadString(id);
    return !text.IsEmpty();
}

HWND& DialogAskingForHelp() {
    static HWND dialog = nullptr;
    return dialog;
}

DWORD CWinApp::HelpTopicOfFocus() const {
    // GetParent climbs from a control to its dialog and from a popup to its owner.
    for (HWND window = ::GetFocus(); window; window = ::GetParent(window))
        if (CDialog* dialog = CDialog::FromHandle(window))
            return kHelpTopicBase + dialog->GetTemplateId();
    if (CDialog* asking = CDialog::FromHandle(DialogAskingForHelp()))
        return kHelpTopicBase + asking->GetTemplateId();
    if (auto* main = dynamic_cast<CDialog*>(MainWindow))
        return kHelpTopicBase + main->GetTemplateId();
    return 0;
}

void CWinApp::OnHelp() {
    const DWORD topic = HelpTopicOfFocus();
    DialogAskingForHelp() = nullptr;
    HWND owner = MainWindow ? MainWindow->Handle() : nullptr;
    if (!RequestHelp(owner, HelpFilePath(), HELP_CONTEXT, topic))
        ShowMessageBox("Failed to launch help.");
}
