#include "tests/framework/test_app.h"

#include "tests/framework/test_resource.h"

CTestApp TestApp;

std::vector<ShownMessage> RecordedServices::Messages;
std::vector<HelpRequestSeen> RecordedServices::HelpRequests;
bool RecordedServices::HelpStarts = true;

bool CTestApp::InitInstance() {
    ++InitCalls;
    return InitResult;
}

const MessageMap* CTestApp::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        MapMenuCommand<&CTestApp::OnAppCommand>(IDM_TEST_APP),
        MapMenuCommand<&CWinApp::OnHelp>(ID_HELP),
    };
    static const MessageMap map = ChainMap(CWinApp::ThisMessageMap(), entries);
    return &map;
}

RecordedServices::RecordedServices() {
    Messages.clear();
    HelpRequests.clear();
    HelpStarts = true;
    SetMessageBoxSeam([](HWND owner, const char* text, const char* caption, UINT type) {
        Messages.push_back({owner, text, caption, type});
        return IDOK;
    });
    SetHelpSeam([](HWND owner, const char* file, UINT command, ULONG_PTR data) {
        HelpRequests.push_back({owner, file, command, data});
        return HelpStarts;
    });
}

RecordedServices::~RecordedServices() {
    SetMessageBoxSeam(nullptr);
    SetHelpSeam(nullptr);
    TestApp.MainWindow = nullptr;
}
