// A search view that writes down every call, in order, as one string each.
#pragma once

#include <string>
#include <vector>

#include "search/search_view.h"

class RecordingView : public SearchView {
public:
    void EnableSearchButton(bool enable) override {
        Calls.push_back(enable ? "enable" : "disable");
        ButtonEnabled = enable;
    }
    void ClearFoundList() override {
        Calls.push_back("clear");
        Shown.clear();
        Recorded.clear();
    }
    void AddFoundEntry(const char* shown, const char* recorded) override {
        Shown.push_back(shown);
        Recorded.push_back(recorded);
        Calls.push_back("add");
    }
    void SetStatusText(const char* text) override {
        Status = text;
        Calls.push_back("status");
    }
    void ShowMessage(const char* text) override {
        Message = text;
        Calls.push_back("message");
    }

    std::vector<std::string> Calls;
    std::vector<std::string> Shown;
    std::vector<std::string> Recorded;
    std::string Status;
    std::string Message;
    bool ButtonEnabled = true;
};
