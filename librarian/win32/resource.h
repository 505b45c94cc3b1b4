#pragma once
// Resource, command, string and control identifiers of the Librarian (VTMGR).

// Artwork.
#define IDI_PROGRAM 50
#define IDI_STACK 51
#define IDB_TOOLBAR 70
// The "Image Format" box on the toolbar.
#define IDC_FORMAT_BOX 77
// The frame's children.
#define IDC_TOOLBAR 78
#define IDC_STATUSBAR 79
#define IDC_ICON_WINDOW 80

// Dialog templates.
#define IDD_RENAME 86
#define IDD_ICON_PROPERTIES 89
#define IDD_FILE_PROPERTIES 90
// The extra part of the search dialog that holds "Include Subfolders".
#define IDD_SEARCH_EXTRA 91
#define IDC_INCLUDE_SUBFOLDERS 92

// Rename Icon / Name New Copy: the image and the name field.
#define IDC_RENAME_IMAGE 750
#define IDC_RENAME_NAME 751
// Icon Properties: the image, the name, the internal ID, ten formats and the total size.
#define IDC_ICONPROP_IMAGE 810
#define IDC_ICONPROP_NAME 811
#define IDC_ICONPROP_ID 812
#define IDC_ICONPROP_FORMAT_FIRST 820
#define IDC_ICONPROP_FORMAT_LAST 829
#define IDC_ICONPROP_TOTAL 830
// File Properties: name, type, icons, images and ten formats.
#define IDC_FILEPROP_NAME 840
#define IDC_FILEPROP_TYPE 841
#define IDC_FILEPROP_ICONS 842
#define IDC_FILEPROP_IMAGES 843
#define IDC_FILEPROP_FORMAT_FIRST 844
#define IDC_FILEPROP_FORMAT_LAST 853

// Menu commands.
#define IDM_FILE_NEW 1025
#define IDM_FILE_OPEN 1026
#define IDM_FILE_SEARCH 1027
#define IDM_FILE_SAVE 1028
#define IDM_FILE_SAVE_AS 1029
#define IDM_FILE_NEW_WINDOW 1030
#define IDM_FILE_EXPLORER 1031
#define IDM_FILE_EXIT 1035
#define IDM_FILE_MRU1 1036
#define IDM_FILE_MRU4 1039
#define IDM_EDIT_RENAME 1041
#define IDM_EDIT_COPY 1042
#define IDM_EDIT_DELETE 1043
#define IDM_EDIT_SELECT_ALL 1044
#define IDM_EDIT_NEW_ICON 1045
#define IDM_EDIT_EDIT_ICON 1046
#define IDM_EDIT_INSTALL 1047
#define IDM_VIEW_TOOLBAR 1058
#define IDM_VIEW_STATUSBAR 1059
#define IDM_ARRANGE_FORMAT 1060
#define IDM_ARRANGE_NAME 1061
#define IDM_ARRANGE_COUNT 1062
#define IDM_RELAYOUT 1063
#define IDM_ARRANGE_POSITION 1064
#define IDM_VIEW_SPECIFIC 1065
#define IDM_VIEW_RAW 1066
#define IDM_VIEW_DESKTOP 1067
#define IDM_VIEW_WINDOWS 1068
#define IDM_HELP_TOPICS 1073
#define IDM_HELP_SUPPORT 1074
#define IDM_HELP_ABOUT 1075

// Context-menu commands.
#define IDM_CTX_SAVE_ICO 9001
#define IDM_CTX_COPY 9002
#define IDM_CTX_EDIT 9003
#define IDM_CTX_NEW_ICON 9004
#define IDM_CTX_DELETE 9005
#define IDM_CTX_RENAME 9006
#define IDM_PROPERTIES 9010
// Drop menus.
#define IDM_DROP_MOVE 9020
#define IDM_DROP_COPY 9021
#define IDM_DROP_OPEN_NEW 9030
#define IDM_DROP_ADD 9031

// Strings.
#define IDS_SAVE_CHANGES 16
#define IDS_OUT_OF_MEMORY 17
#define IDS_UNTITLED 19
#define IDS_THE_WORKSPACE 20
#define IDS_NOT_RECOGNISED 21
#define IDS_PROGRAM_FILE_FIXED 22
#define IDS_CASCADE 23
#define IDS_TOO_MANY_RESOURCES 25
// Tool tips: the command's id less 64.
#define IDS_TIP_NEW 961
#define IDS_TIP_OPEN 962
#define IDS_TIP_SAVE 964
#define IDS_TIP_FORMAT 965
#define IDS_TIP_SPECIFIC 1001
#define IDS_TIP_RAW 1002
#define IDS_TIP_DESKTOP 1003
#define IDS_TIP_WINDOWS 1004
// Status bar.
#define IDS_ONE_OBJECT 2048
#define IDS_N_OBJECTS 2049
#define IDS_ONE_SELECTED 2050
#define IDS_N_SELECTED 2051
#define IDS_READING 2052
#define IDS_SUPPORT_ITEM 2053
