#pragma once
// Control identifiers of the "New Image Format" dialog, shared by the dialog code and the
// programs' resource scripts.

#define IDD_NEW_FORMAT 200
#define IDC_NF_DEPTH_GROUP 201
#define IDC_NF_TRUE 202
#define IDC_NF_256 203
#define IDC_NF_16 204
#define IDC_NF_MONO 205
#define IDC_NF_SIZE_GROUP 206
#define IDC_NF_48 207
#define IDC_NF_32 208
#define IDC_NF_16PX 209
#define IDC_NF_CUSTOM 210
#define IDC_NF_WIDTH_LABEL 211
#define IDC_NF_WIDTH 212
#define IDC_NF_WIDTH_SPIN 213
#define IDC_NF_HEIGHT_LABEL 214
#define IDC_NF_HEIGHT 215
#define IDC_NF_HEIGHT_SPIN 216
#define IDC_NF_BEGIN_CURRENT 217
