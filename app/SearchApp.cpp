#include "app/SearchApp.h"

#include "app/resource.h"
#include "framework/services.h"
#include "ui/SearchDlg.h"

CSearchApp SearchApp;

CSearchApp::CSearchApp() : CWinApp(nullptr) {}

CSearchApp::~CSearchApp() = default;

const MessageMap* CSearchApp::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        MapMenuCommand<&CWinApp::OnHelp>(ID_HELP),
    };
    static const MessageMap map = ChainMap(CWinApp::ThisMessageMap(), entries);
    return &map;
}

bool CSearchApp::InitInstance() {
    if (!StartSockets()) {
        ShowResourceMessage(IDS_SOCKETS_INIT_FAILED);
        return false;
    }
    EnableControlContainer();
    Enable3dControlsStatic();

    CSearchDlg dialog;
    MainWindow = &dialog;
    dialog.DoModal();
    // Normally cleared as the window goes; not when it could not be created.
    MainWindow = nullptr;
    return false;
}
