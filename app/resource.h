// Resource and command identifiers of the whole program; the resource
// scripts and the code both include this file.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SEARCH_DIALOG 102
#define IDS_SOCKETS_INIT_FAILED 103
#define IDR_MAINFRAME 128
#define IDD_INDEX_DIALOG 132
#define IDB_ABOUT_PICTURE 134
#define IDR_SEARCH_MENU 136

#define IDC_FOUND_LIST 1000
#define IDC_SEARCH 1002
#define IDC_QUERY 1005
#define IDC_STATUS 1007
#define IDC_SCAN_LINE 1020
#define IDC_SCAN_PROGRESS 1021
#define IDC_SCAN_STATE 1022
#define IDC_RETURN 1023
#define IDC_OPEN_FOLDER 1025
#define IDC_TYPE_LIST 1043
#define IDC_SIZE_LIST 1044
#define IDC_WEB_PAGE 1045

#define ID_UPDATE_INDEX 32773
#define ID_HELP_ABOUT 32774

// The About item that the search window adds to its system menu.
#define IDM_ABOUTBOX 0x0010
