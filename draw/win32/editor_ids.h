#pragma once
// Resource identifiers of what the Studio and the Animator share: the frame's identifiers both
// number alike (at the end), and in draw/win32/editor_shared.rc the "Paste Control Panel"
// dialog, the selection's context menu and the text window's strings.
// The "Blend Color" dialog's are in blend_dialog_ids.h. A program's own resources keep clear of
// these numbers: dialogs 112 and 300, menu 114, command 1104, strings 1323 and 1324.

#define IDD_PASTE_PANEL 112
#define IDC_PASTE_FROM_CLIPBOARD 830
#define IDC_PASTE_FROM_BITMAP 831
#define IDC_PASTE_INTO_SELECTION 832
#define IDC_PASTE_AS_NEW 833

// The selection's context menu: Copy (1044), Paste Special... (1046), Remove Selection.
#define IDM_SELECTION_MENU 114
#define IDM_REMOVE_SELECTION 1104

// The text tool's window.
#define IDS_TEXT_FONT 1323
#define IDS_TEXT_LABEL 1324

// What the Studio and the Animator number alike: the program's icon, tool cursors, tool bar and
// accelerators, the frame's commands and controls, the tool tips' offset and the system menu's
// help string. Each program's resource.h includes these and numbers the rest itself.
#define IDI_PROGRAM 50
#define IDC_CURSOR_FIRST 60
#define IDC_PALETTE_CURSOR 62
#define IDB_TOOLBAR 70
#define IDA_ACCELERATORS 80
#define IDM_FILE_NEW 1025
#define IDM_FILE_OPEN 1026
#define IDM_FILE_SAVE 1027
#define IDM_FILE_SAVE_AS 1028
#define IDM_FILE_NEW_WINDOW 1029
#define IDM_FILE_EXPLORER 1030
#define IDM_FILE_UPDATE 1031
#define IDM_FILE_UPDATE_EXIT 1032
#define IDM_FILE_EXIT 1033
#define IDM_FILE_MRU1 1035
#define IDM_FILE_MRU4 1038
#define IDM_EDIT_UNDO 1041
#define IDM_EDIT_REDO 1042
#define IDM_EDIT_CUT 1043
#define IDM_EDIT_COPY 1044
#define IDM_EDIT_PASTE 1045
#define IDM_EDIT_PASTE_SPECIAL 1046
#define IDM_EDIT_CLEAR 1047
#define IDM_EDIT_SELECT_ALL 1048
#define IDM_EDIT_OPEN_BITMAP 1049
#define IDM_EDIT_OPEN_PALETTE 1050
#define IDM_EDIT_SAVE_PALETTE 1051
#define IDM_VIEW_GRID 1061
#define IDM_VIEW_PALETTE 1062
#define IDM_VIEW_TOOLBAR 1063
#define IDM_VIEW_STATUSBAR 1064
#define IDM_VIEW_PREVIEW 1065
#define IDM_VIEW_PROPERTIES 1066
#define IDM_COLORB_TRANSPARENT 1071
#define IDM_COLORB_OPAQUE 1072
#define IDM_TOOL_SELECTION 1073
#define IDM_TOOL_PENCIL 1074
#define IDM_TOOL_LINE 1075
#define IDM_TOOL_BRUSH 1076
#define IDM_TOOL_FLOOD 1077
#define IDM_TOOL_ERASER 1078
#define IDM_TOOL_RECTANGLE 1079
#define IDM_TOOL_FILLED_RECTANGLE 1080
#define IDM_TOOL_SOLID_RECTANGLE 1081
#define IDM_TOOL_ELLIPSE 1082
#define IDM_TOOL_FILLED_ELLIPSE 1083
#define IDM_TOOL_SOLID_ELLIPSE 1084
#define IDM_TOOL_TEXT 1085
#define IDM_TOOL_SELECTOR 1086
#define IDM_TOOL_LOCATOR 1087
#define IDC_TOOLBAR 1063
#define IDC_STATUSBAR 1064
// Tool tips are the strings numbered command - 224; the system menu's help is numbered like the
// system commands, the system menu itself has its own string.
#define IDS_TIP_OFFSET 224  // kToolTipStringOffset
#define IDS_SYSTEM_MENU 1344
