#pragma once
// Resource identifiers of what the Studio and the Animator share (draw/win32/editor_shared.rc):
// the "Paste Control Panel" dialog, the selection's context menu and the text window's strings.
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
