#pragma once
// Resource identifiers of VTINST.DLL.

#define IDD_INSTALL_ICON 50
#define IDD_FAULTY_SHELL 51

// "Install Icon"
#define IDC_TABS 201
#define IDC_ROWS 202
#define IDC_STAGE_ICON 203
#define IDC_INSTALLING 204
#define IDC_HINT 205
#define IDC_APPLY 210

// "Vantoro 98" (the faulty shell notice)
#define IDC_NOTICE_FIRST 101
#define IDC_NOTICE_SECOND 102
#define IDC_NOTICE_THIRD 103

#define IDS_EMPTY 1202
#define IDS_FULL 1203
#define IDS_TAB_FIRST 1300
#define IDS_ITEM_FIRST 2048
