#pragma once
// Resource identifiers of the Studio's selection, clipboard, capture, text and properties dialogs
// (kept apart from resource.h; the numbers do not meet those of resource.h).

#define IDD_ICON_PROPERTIES 110
#define IDC_PROP_TAB 809
#define IDC_PROP_ICON 810
#define IDC_PROP_NAME 811
#define IDC_PROP_WIDTH 812
#define IDC_PROP_HEIGHT 813
#define IDC_PROP_FORMAT 814
#define IDC_PROP_COLORS 815
#define IDC_PROP_SIZE 816
#define IDC_PROP_TOTAL 817
#define IDC_PROP_OTHER_FIRST 818
#define IDC_PROP_OTHER_LAST 823

#define IDD_CANNOT_COMPLETE 111

#define IDD_PASTE_PANEL 112
#define IDC_PASTE_FROM_CLIPBOARD 830
#define IDC_PASTE_FROM_BITMAP 831
#define IDC_PASTE_INTO_SELECTION 832
#define IDC_PASTE_AS_NEW 833

#define IDD_SCREEN_CAPTURE 113
#define IDC_CAPTURE_16 840
#define IDC_CAPTURE_32 841
#define IDC_CAPTURE_48 842
#define IDC_CAPTURE_CUSTOM 843

// The text tool's window.
#define IDC_TEXT_FONT 1110
#define IDC_TEXT_EDIT 1112
#define IDS_TEXT_FONT 1323
#define IDS_TEXT_LABEL 1324

// The selection's context menu.
#define IDM_SELECTION_MENU 114
#define IDM_REMOVE_SELECTION 1104
