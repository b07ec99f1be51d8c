// Ids of the test resources of the window framework suites
// (WndCoreResources.rc, linked into every suite of this folder).
#pragma once

#define IDI_WNDTEST_ICON 3001
#define IDB_WNDTEST_STRIP 3002

#define IDD_WNDTEST_DIALOG 3100
#define IDC_WNDTEST_EDIT 3101
#define IDC_WNDTEST_BUTTON 3102

#define IDD_WNDTEST_PAGE1 3110
#define IDD_WNDTEST_PAGE2 3111
#define IDC_WNDTEST_PAGE_EDIT 3112
#define IDC_WNDTEST_PAGE_BUTTON 3113

#define IDM_WNDTEST_MENU 3200
#define IDM_WNDTEST_OPEN 3201
#define IDM_WNDTEST_MONITOR 3202
#define IDM_WNDTEST_COPY 3203
#define IDM_WNDTEST_RETURN 3204

#define IDS_WNDTEST_TIP_FIRST 3300
#define IDS_WNDTEST_TIP_SECOND 3301
#define IDS_WNDTEST_SHEET 3302
