#pragma once
// Resource and command identifiers of the Studio.

#define IDI_PROGRAM 50
#define IDM_FRAME_MENU 1
#define IDA_ACCELERATORS 80

#define IDM_FILE_NEW 1025
#define IDM_FILE_OPEN 1026
#define IDM_FILE_SAVE 1027
#define IDM_FILE_SAVE_AS 1028
#define IDM_FILE_NEW_WINDOW 1029
#define IDM_FILE_EXPLORER 1030
#define IDM_FILE_EXIT 1033
#define IDM_HELP_TOPICS 1101
#define IDM_HELP_SUPPORT 1102
#define IDM_HELP_ABOUT 1103
