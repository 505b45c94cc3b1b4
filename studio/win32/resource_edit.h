#pragma once
// Resource identifiers of the Studio's screen capture, GIF and properties dialogs
// (kept apart from resource.h; the numbers do not meet those of resource.h nor
// draw/win32/editor_ids.h, the resources shared with the Animator).

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

#define IDD_SCREEN_CAPTURE 113
#define IDC_CAPTURE_16 840
#define IDC_CAPTURE_32 841
#define IDC_CAPTURE_48 842
#define IDC_CAPTURE_CUSTOM 843
