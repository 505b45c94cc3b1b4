#pragma once
// Resource identifiers of VTENGNR.EXE: menu commands, string-table entries, dialog templates and
// their controls, and the artwork.

// Artwork.
#define IDI_PROGRAM 50
#define IDI_MARK_INCLUDED 52
#define IDI_MARK_EXCLUDED 53
#define IDI_STANDARD_CURSOR_FIRST 70  // 70 .. 84 in the order of the cursor rows

// Menu commands; each also names its status-bar help string.
#define IDS_FILE_MENU 1024
#define IDM_NEW 1025
#define IDM_OPEN 1026
#define IDM_SAVE 1027
#define IDM_SAVE_AS 1028
#define IDM_REBUILD_CACHE 1029
#define IDM_EXPLORER 1030
#define IDM_EXIT 1031
#define IDM_RECENT_LEADING 1034  // the separator before the recent entries
#define IDM_RECENT_FIRST 1035  // 1035 .. 1038
#define IDM_RECENT_SEPARATOR 1039
#define IDS_CONFIG_MENU 1040
#define IDM_LOCAL_UPDATE 1041
#define IDM_MOTIF_MODE 1042
#define IDM_QUALITY_CHECK 1043
#define IDS_HELP_MENU 1101
#define IDM_HELP_TOPICS 1102
#define IDM_SUPPORT 1103
#define IDM_SHELL_VERSION 1104
#define IDM_ABOUT 1105
#define IDS_SYSTEM_MENU 900
#define IDA_ACCELERATORS 1

// Strings.
#define IDS_EMPTY 1282
#define IDS_FULL 1283
#define IDS_CATEGORY_FIRST 1316  // 1316 .. 1322: "System" .. "Cursor"
#define IDS_MODE_LOCAL 1323
#define IDS_MODE_MOTIF 1324
#define IDS_UNTITLED 1347
#define IDS_GROUP_UPDATES 1353
#define IDS_GROUP_INCLUDE 1354
#define IDS_COLOURS_FIRST 1361  // 1361 .. 1363: 4, 16, 24 bits
#define IDS_ITEM_NAME_FIRST 2048  // 2048 .. 2105: the item names of the system-object table

// Dialog templates.
#define IDD_MAIN 50
#define IDD_QUALITY_WARNING 71
#define IDD_BLANK_WARNING 72
#define IDD_CHANGE_ICON 73
#define IDD_QUALITY_CHECK 74
#define IDD_CONFIRM_REPLACE 75
#define IDD_COLOUR_DEPTH 76
#define IDD_FAULTY_SHELL 80

// Main dialog (template 50).
#define IDC_TABS 201
#define IDC_LIST 202
#define IDC_USE_DEFAULT 203
#define IDC_CHANGE 204
#define IDC_CLEAR_UPDATE 205
#define IDC_SYSTEM_FIRST 210  // 210 .. 232: the System page
#define IDC_COLOURS_LABEL 210
#define IDC_COLOURS_BUTTON 211
#define IDC_LARGE_ICONS 212
#define IDC_OVERLAYS 213
#define IDC_HSPACING 214
#define IDC_HSPACING_UPDOWN 215
#define IDC_HSPACING_LABEL 216
#define IDC_VSPACING 217
#define IDC_VSPACING_UPDOWN 218
#define IDC_VSPACING_LABEL 219
#define IDC_SPACING_GROUP 220
#define IDC_FACE_LABEL 221
#define IDC_FACE 222
#define IDC_FONT_SIZE_LABEL 223
#define IDC_FONT_SIZE 224
#define IDC_BOLD 225
#define IDC_ITALIC 226
#define IDC_FONT_GROUP 227
#define IDC_ICONS_GROUP 228
#define IDC_SYSTEM_LAST 232
#define IDC_APPLY 251
#define IDC_CATEGORY_FIRST 256  // 256 .. 262: "&System" .. "&Cursor"
#define IDC_CATEGORY_GROUP 263
#define IDC_NEW 264
#define IDC_SAVE 265
#define IDC_SAVE_AS 266
#define IDC_RESET_ALL 267
#define IDC_STATUS_BAR 800

// "Image Quality Warning" (71) and "Empty Image Warning!" (72).
#define IDC_WARNING_TEXT 401
#define IDC_FORMAT_FIRST 402  // 402 .. 407
#define IDC_BLANK_TEXT 501
// "Change Icon" (73).
#define IDC_FILE_NAME 601
#define IDC_ICONS 602
#define IDC_BROWSE 603
// "Icon Quality Check" (74).
#define IDC_CHECK_ICONS 701
#define IDC_DESIRED_FIRST 702  // 702 .. 707
// "Icon Color Depth" (76).
#define IDC_DEPTH_4 800
#define IDC_DEPTH_16 801
#define IDC_DEPTH_24 802
#define IDC_DEPTH_LIMIT 803
#define IDC_MORE_INFO 804
// "Confirm File Replace".
#define IDC_REPLACE_TEXT 901
#define IDC_EXISTING_ICON 902
#define IDC_EXISTING_SIZE 903
#define IDC_EXISTING_DATE 904
#define IDC_INCOMING_ICON 905
#define IDC_INCOMING_SIZE 906
#define IDC_INCOMING_DATE 907
#define IDC_YES_TO_ALL 908
// The faulty-shell explanation (80).
#define IDC_FAULTY_TEXT_FIRST 1001  // 1001 .. 1004
