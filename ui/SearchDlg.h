// The search window: query, filters, found list, summary and shell requests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "search/search_view.h"

inline constexpr UINT FOCUS_TIMER_ID = 911;
inline constexpr UINT kFocusPeriodMs = 50;
inline constexpr int kQueryMaxChars = 100;
// The summary is replaced by selecting characters 0 to this.
inline constexpr int kSummaryReplaceEnd = 1000;
// Open folder cuts the path in a buffer of this size.
inline constexpr size_t kFolderBufferSize = 4096;

// Maximises again once the modal loop runs: some dialog managers restore a
// dialog that was maximised while it initialised, when they first show it.
inline constexpr UINT kShowMaximisedMessage = WM_APP + 0x11;

extern const char kWebPageAddress[];

class CSearchDlg : public CDialog, public SearchView {
public:
    explicit CSearchDlg(CWnd* parent = nullptr);
    ~CSearchDlg() override;

    // The search run over the index, with the current query and filters.
    void RunSearch();
    // Runs the indexing progress window modally; returns once it has closed.
    void RunIndexUpdate();

    // What a search run does to the window.
    void EnableSearchButton(bool enable) override;
    void ClearFoundList() override;
    void AddFoundEntry(const char* shown, const char* recorded) override;
    void SetStatusText(const char* text) override;
    void ShowMessage(const char* text) override;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter: a search instead of the end of the dialog.
    void OnOK() override;

    void OnSysCommand(unsigned id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnQueryChange();
    void OnOpenFound();
    void OnTimer(unsigned timerId);
    void OnOpenFolder();
    void OnHelpAbout();
    void OnSize(unsigned type, int cx, int cy);
    void OnTypeSelect();
    void OnSizeSelect();
    void OnWebPage();
    LRESULT OnShowMaximised(WPARAM, LPARAM);

    // The path the index recorded for the selected entry; empty when none is selected.
    std::string SelectedRecordedPath() const;

    int ResultLimit = 0;
    int SizeFilter = 0;
    int TypeFilter = 0;
    int FocusCountdown = 0;
    CButton SearchButton;
    CListBox SizeList;
    CListBox TypeList;
    CButton OpenFolderButton;
    CEdit QueryEdit;
    CListBox FoundList;
    CEdit StatusEdit;
    CString QueryValue;
    HICON WindowIcon;

    // The recorded paths of the listed entries; each list item's data is its
    // place here, since the list sorts what it is given.
    std::vector<std::string> RecordedPaths;
    bool RedrawSuspended = false;
    // From the maximised showing until the first timer tick: a restore in
    // that time is the dialog manager's first showing, not the user's.
    bool KeepMaximised = false;
};
