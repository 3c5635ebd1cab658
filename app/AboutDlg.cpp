#include "app/AboutDlg.h"

#include "app/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

CAboutDlg::~CAboutDlg() = default;

const MessageMap* CAboutDlg::GetMessageMap() const {
    static const MessageMap map{CDialog::ThisMessageMap(), nullptr, 0};
    return &map;
}

void CAboutDlg::DoDataExchange(CDataExchange*) {}
