// Resources of the class library's own tests.
#pragma once

#define IDD_PLAIN_TEST 200
#define IDD_MENU_TEST 201
#define IDD_SIZABLE_TEST 202
#define IDD_MISSING_TEST 299
#define IDR_TEST_MENU 210
#define IDS_TEST_TEXT 220
#define IDI_TEST 230

#define IDC_TEST_EDIT 300
#define IDC_TEST_BUTTON 301
#define IDC_TEST_LIST 302

#define IDM_TEST_DO 40001
#define IDM_TEST_APP 40002
