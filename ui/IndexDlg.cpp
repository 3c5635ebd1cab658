#include "ui/IndexDlg.h"

#include "app/resource.h"
#include "framework/services.h"
#include "index/build_job.h"
#include "index/index_progress.h"

namespace {

// Texts are replaced by selecting characters 0 to 256 and replacing the selection.
constexpr int kReplaceEnd = 256;

}  // namespace

CIndexDlg::CIndexDlg(CWnd* parent) : CDialog(IDD_INDEX_DIALOG, parent) {}

CIndexDlg::~CIndexDlg() = default;

const MessageMap* CIndexDlg::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        MapTimer<&CIndexDlg::OnTimer>(),
        MapCommand<&CIndexDlg::OnReturn>(BN_CLICKED, IDC_RETURN),
    };
    static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
    return &map;
}

void CIndexDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_RETURN, ReturnButton);
    DDX_Control(dx, IDC_SCAN_STATE, ScanState);
    DDX_Control(dx, IDC_SCAN_PROGRESS, ScanProgress);
    DDX_Control(dx, IDC_SCAN_LINE, ScanLine);
}

BOOL CIndexDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // While an earlier build still runs, this window only watches it: the
    // record, the queue and the index file serve one build at a time.
    const bool claimed = ClaimIndexBuild();
    if (claimed) ResetIndexProgress();
    ScanProgress.SetRange(0, 100);
    ScanState.ReplaceText(kIndexingText, kReplaceEnd, false);
    SetTimer(PROGRESS_TIMER_ID, kProgressPeriodMs);
    if (claimed && !StartWorkerThread(&BuildIndex)) {
        ReleaseIndexBuild();
        ScanState.ReplaceText(kBuildNotStartedText, kReplaceEnd, false);
        ReturnButton.EnableWindow(true);
    }
    return TRUE;
}

void CIndexDlg::OnTimer(unsigned) {
    char status[kStatusLineSize];
    IndexProgress.StatusLine.CopyTo(status, sizeof status, kScanLineChars);
    ScanLine.ReplaceText(status, kReplaceEnd, true);
    ScanProgress.SetPos(IndexProgress.Percent.load());
    if (IndexProgress.Done.load() != 0) {
        const bool written = IndexProgress.Failure.load() == kBuildOk;
        ScanState.ReplaceText(written ? kIndexDoneText : kIndexFailedText, kReplaceEnd, false);
        ReturnButton.EnableWindow(true);
    }
    Default();
}

void CIndexDlg::OnReturn() {
    Post(WM_CLOSE);
}
