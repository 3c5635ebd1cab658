// The application object: exactly one, with static storage.
//
// The library's entry point (WinMain, target zade_framework_main) turns the
// system's critical-error boxes off, registers the common controls, and runs
// InitInstance of that object; when InitInstance returns true it runs a
// message loop until WM_QUIT, otherwise the process ends at once.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/message_map.h"
#include "framework/wnd.h"

inline constexpr UINT ID_HELP = 0xE146;
// Help topics of dialogs: this base plus the dialog's template number.
inline constexpr DWORD kHelpTopicBase = 0x20000;

class CWinApp : public CCmdTarget {
public:
    // The first object constructed becomes the application; appName nullptr
    // takes the executable's file name without its extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The application's set-up and run; false ends the process without a message loop.
    virtual bool InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // The main window; modal dialogs without a parent are owned by it.
    // Cleared when that window is destroyed.
    CWnd* MainWindow = nullptr;

    const char* AppName() const;
    // The executable's path with ".HLP" in place of its extension.
    const char* HelpFilePath() const;
    HINSTANCE Instance() const;
    HICON LoadIcon(UINT id) const;
    // The string resource id; empty when there is none.
    CString LoadString(UINT id) const;
    // The same into text; false when there is no such string or it is empty.
    bool LoadString(UINT id, CString& text) const;

    // ID_HELP: asks the help engine for HelpFilePath() at the topic of the
    // dialog that holds the focus; "Failed to launch help." when it cannot start.
    void OnHelp();
    // kHelpTopicBase plus the template number of the dialog holding the
    // focus; without focus in this thread, of the dialog that received
    // WM_HELP, else of the main window; 0 when none is a dialog of ours.
    DWORD HelpTopicOfFocus() const;

    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    static const MessageMap* ThisMessageMap();

    static CWinApp* Current();

private:
    CString Name;
    mutable CString HelpPath;
};

// The application's name; "" when there is no application object.
const char* AppName();

// The entry point's work, callable from a test: error mode, common
// controls, then InitInstance (and Run when it returns true).
int RunApplication();
// The library's set-up alone: critical-error boxes off, common controls registered.
void InitFrameworkServices();
