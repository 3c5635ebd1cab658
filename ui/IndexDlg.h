// The modal window that watches an index build: state line, status text, bar.
#pragma once

#include <cstddef>

#include "framework/controls.h"
#include "framework/dialog.h"

inline constexpr UINT PROGRESS_TIMER_ID = 123;
inline constexpr UINT kProgressPeriodMs = 50;
// The scan line shows this many characters of the status text at most.
inline constexpr size_t kScanLineChars = 80;

inline constexpr char kIndexingText[] = "Now indexing ...";
inline constexpr char kIndexDoneText[] = "Index created. Job done.";
inline constexpr char kIndexFailedText[] = "Index not written: the old index was kept.";
inline constexpr char kBuildNotStartedText[] = "Index not built: the build could not be started.";

class CIndexDlg : public CDialog {
public:
    explicit CIndexDlg(CWnd* parent = nullptr);
    ~CIndexDlg() override;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    // Starts the build unless one already runs, then watches it on a timer.
    BOOL OnInitDialog() override;
    void OnTimer(unsigned timerId);
    void OnReturn();

    CButton ReturnButton;
    CEdit ScanState;
    CProgressCtrl ScanProgress;
    CEdit ScanLine;
};
