// The test executable's one application object, and recorders for the
// library's replaceable services.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/test_seams.h"
#include "framework/win_app.h"

class CTestApp : public CWinApp {
public:
    int InitCalls = 0;
    bool InitResult = false;
    int ExitCode = 7;
    std::vector<std::string> Commands;

    bool InitInstance() override;
    int ExitInstance() override { return ExitCode; }

protected:
    const MessageMap* GetMessageMap() const override;
    void OnAppCommand() { Commands.push_back("app command"); }
};

extern CTestApp TestApp;

struct ShownMessage {
    HWND Owner;
    std::string Text;
    std::string Caption;
    UINT Type;
};

struct HelpRequestSeen {
    HWND Owner;
    std::string File;
    UINT Command;
    ULONG_PTR Data;
};

// Puts recorders in place of the message box and the help engine for one test.
class RecordedServices {
public:
    RecordedServices();
    ~RecordedServices();

    static std::vector<ShownMessage> Messages;
    static std::vector<HelpRequestSeen> HelpRequests;
    static bool HelpStarts;
};
