#include "ui/SearchDlg.h"

#include <cstdio>

#include "app/AboutDlg.h"
#include "app/resource.h"
#include "framework/paint_dc.h"
#include "framework/services.h"
#include "framework/win_app.h"
#include "index/index_line.h"
#include "search/search_run.h"
#include "ui/IndexDlg.h"
#include "ui/shell_path.h"

const char kWebPageAddress[] = "http://www.ostrelzade.example/";

CSearchDlg::CSearchDlg(CWnd* parent) : CDialog(IDD_SEARCH_DIALOG, parent), QueryValue("") {
    WindowIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CSearchDlg::~CSearchDlg() = default;

const MessageMap* CSearchDlg::GetMessageMap() const {
    static constexpr MessageMapEntry entries[] = {
        MapSysCommand<&CSearchDlg::OnSysCommand>(),
        MapPaint<&CSearchDlg::OnPaint>(),
        MapQueryDragIcon<&CSearchDlg::OnQueryDragIcon>(),
        MapCommand<&CSearchDlg::RunSearch>(BN_CLICKED, IDC_SEARCH),
        MapCommand<&CSearchDlg::OnQueryChange>(EN_CHANGE, IDC_QUERY),
        MapCommand<&CSearchDlg::OnOpenFound>(LBN_DBLCLK, IDC_FOUND_LIST),
        MapTimer<&CSearchDlg::OnTimer>(),
        MapCommand<&CSearchDlg::OnOpenFolder>(BN_CLICKED, IDC_OPEN_FOLDER),
        MapMenuCommand<&CSearchDlg::RunIndexUpdate>(ID_UPDATE_INDEX),
        MapMenuCommand<&CSearchDlg::OnHelpAbout>(ID_HELP_ABOUT),
        MapSize<&CSearchDlg::OnSize>(),
        MapCommand<&CSearchDlg::OnTypeSelect>(LBN_SELCHANGE, IDC_TYPE_LIST),
        MapCommand<&CSearchDlg::OnSizeSelect>(LBN_SELCHANGE, IDC_SIZE_LIST),
        MapCommand<&CSearchDlg::OnWebPage>(BN_CLICKED, IDC_WEB_PAGE),
        MapMessage<&CSearchDlg::OnShowMaximised>(kShowMaximisedMessage),
    };
    static const MessageMap map = ChainMap(CDialog::ThisMessageMap(), entries);
    return &map;
}

void CSearchDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SEARCH, SearchButton);
    DDX_Control(dx, IDC_SIZE_LIST, SizeList);
    DDX_Control(dx, IDC_TYPE_LIST, TypeList);
    DDX_Control(dx, IDC_OPEN_FOLDER, OpenFolderButton);
    DDX_Control(dx, IDC_QUERY, QueryEdit);
    DDX_Control(dx, IDC_FOUND_LIST, FoundList);
    DDX_Control(dx, IDC_STATUS, StatusEdit);
    DDX_Text(dx, IDC_QUERY, QueryValue);
    DDV_MaxChars(dx, QueryValue, kQueryMaxChars);
}

BOOL CSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(false)) {
        char about[256];
        const int length =
            ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, about, sizeof about);
        if (length > 0) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(WindowIcon, true);
    SetIcon(WindowIcon, false);

    TypeList.ResetContent();
    for (const char* label : {"ALL", "AUDIO", "VIDEO", "PICTURE", "ARCHIVE"})
        TypeList.AddString(label);
    TypeList.SetCurSel(0);

    SizeList.ResetContent();
    for (const char* label : {"ANY", "1 MB", "10 MB", "100 MB", "600 MB"})
        SizeList.AddString(label);
    SizeList.SetCurSel(0);

    if (!IndexPresent()) RunIndexUpdate();

    FocusCountdown = 1;
    SetTimer(FOCUS_TIMER_ID, kFocusPeriodMs);

    TypeFilter = 0;
    SizeFilter = 0;
    ResultLimit = kDefaultResultLimit;

    ShowWindow(SW_SHOWMAXIMIZED);
    KeepMaximised = true;
    return TRUE;
}

LRESULT CSearchDlg::OnShowMaximised(WPARAM, LPARAM) {
    KeepMaximised = false;
    ShowWindow(SW_SHOWMAXIMIZED);
    return 0;
}

void CSearchDlg::OnOK() {
    RunSearch();
}

void CSearchDlg::RunSearch() {
    // Thousands of sorted insertions would each repaint the list otherwise.
    FoundList.SetRedraw(false);
    RedrawSuspended = true;
    ::RunSearch(*this, TypeFilter, SizeFilter, ResultLimit);
    if (RedrawSuspended) {
        RedrawSuspended = false;
        FoundList.SetRedraw(true);
        FoundList.Invalidate();
    }
}

void CSearchDlg::RunIndexUpdate() {
    CIndexDlg progress;
    progress.DoModal();
}

void CSearchDlg::EnableSearchButton(bool enable) {
    SearchButton.EnableWindow(enable);
}

void CSearchDlg::ClearFoundList() {
    FoundList.ResetContent();
    RecordedPaths.clear();
}

void CSearchDlg::AddFoundEntry(const char* shown, const char* recorded) {
    const int item = FoundList.AddString(shown);
    if (item < 0) return;
    RecordedPaths.emplace_back(recorded ? recorded : shown);
    FoundList.Send(LB_SETITEMDATA, item, static_cast<LPARAM>(RecordedPaths.size() - 1));
}

void CSearchDlg::SetStatusText(const char* text) {
    StatusEdit.ReplaceText(text, kSummaryReplaceEnd, false);
}

void CSearchDlg::ShowMessage(const char* text) {
    // The list has to paint behind the message box.
    if (RedrawSuspended) {
        RedrawSuspended = false;
        FoundList.SetRedraw(true);
        FoundList.Invalidate();
    }
    ShowMessageBox(text);
}

std::string CSearchDlg::SelectedRecordedPath() const {
    const int selected = FoundList.GetCurSel();
    if (selected == LB_ERR) return std::string();
    const LRESULT place = FoundList.Send(LB_GETITEMDATA, selected);
    if (place >= 0 && static_cast<size_t>(place) < RecordedPaths.size())
        return RecordedPaths[static_cast<size_t>(place)];
    CString shown;
    FoundList.GetText(selected, shown);
    return shown.GetString();
}

void CSearchDlg::OnOpenFound() {
    const std::string path = SelectedRecordedPath();
    if (path.empty() || IsLocalDrivePath(path.c_str())) ShellOpen(path.c_str());
}

void CSearchDlg::OnOpenFolder() {
    char folder[kFolderBufferSize];
    std::snprintf(folder, sizeof folder, "%s", SelectedRecordedPath().c_str());
    CutAtLastBackslash(folder);
    if (folder[0] == '\0' || IsLocalFolderPath(folder)) ShellOpen(folder);
}

void CSearchDlg::OnWebPage() {
    ShellOpen(kWebPageAddress);
}

void CSearchDlg::OnHelpAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CSearchDlg::OnSysCommand(unsigned id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

void CSearchDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(*this);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, WindowIcon);
}

HCURSOR CSearchDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(WindowIcon);
}

void CSearchDlg::OnQueryChange() {
    CString text;
    GetDlgItemText(IDC_QUERY, text);
    std::snprintf(QueryText, kQueryTextSize, "%s", text.GetString());
}

void CSearchDlg::OnTimer(unsigned) {
    // By the first tick the dialog manager has shown the window.
    KeepMaximised = false;
    if (FocusCountdown != 0) {
        --FocusCountdown;
        QueryEdit.SetFocus();
    }
    Default();
}

void CSearchDlg::OnSize(unsigned type, int cx, int cy) {
    Default();
    if (type == SIZE_RESTORED && KeepMaximised) Post(kShowMaximisedMessage);
    // Sizes that come while the window is being created find no controls yet.
    if (!FoundList.Handle()) return;
    FoundList.MoveWindow(24, 64, cx - 48, cy - 128, true);
    OpenFolderButton.MoveWindow(24, cy - 48, 112, 24, true);
    StatusEdit.MoveWindow(164, cy - 48, cx - 188, 24, true);
}

void CSearchDlg::OnTypeSelect() {
    TypeFilter = TypeList.GetCurSel();
}

void CSearchDlg::OnSizeSelect() {
    SizeFilter = SizeList.GetCurSel();
}
