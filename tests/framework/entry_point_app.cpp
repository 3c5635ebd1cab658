// A program on the library's own entry point: exit code 0 when WinMain ran
// InitInstance once, after the library's set-up, with the executable's name.
#include <windows.h>

#include <cstring>

#include "framework/win_app.h"

class CEntryApp : public CWinApp {
public:
    bool InitInstance() override {
        ++Calls;
        const UINT mode = SetErrorMode(0);
        SetErrorMode(mode);
        if (!(mode & SEM_FAILCRITICALERRORS)) Code |= 2;
        if (std::strcmp(AppName(), "framework_entry_app") != 0) Code |= 4;
        return false;
    }
    int ExitInstance() override { return Calls == 1 ? Code : Code | 8; }

private:
    int Calls = 0;
    int Code = 0;
};

CEntryApp EntryApp;
