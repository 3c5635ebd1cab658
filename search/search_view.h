// What a search run needs of the window that shows it.
#pragma once

class SearchView {
public:
    virtual void EnableSearchButton(bool enable) = 0;
    virtual void ClearFoundList() = 0;
    // shown: the folded path the list displays; recorded: the path as the
    // index holds it (spaces restored, case and trailing '.' or '-' kept),
    // which is what the shell must be given.
    virtual void AddFoundEntry(const char* shown, const char* recorded) = 0;
    virtual void SetStatusText(const char* text) = 0;
    // A message box with one OK button; returns once it is closed.
    virtual void ShowMessage(const char* text) = 0;

protected:
    ~SearchView() = default;
};
