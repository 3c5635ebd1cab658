// The application object: the sockets check, then the search window, modally.
#pragma once

#include "framework/win_app.h"

class CSearchApp : public CWinApp {
public:
    CSearchApp();
    ~CSearchApp() override;

    // Always false: the search window's modal run is the whole run of the process.
    bool InitInstance() override;

protected:
    const MessageMap* GetMessageMap() const override;
};

extern CSearchApp SearchApp;
