#pragma once
// The suite's shared services, imported from VTAPP.DLL by ordinal only (see VTAPP.def).

#include <windows.h>

extern "C" {

// Ordinal 1: reads a setting into `buffer` (text or binary as stored). An absent value, or one
// larger than the buffer, leaves the buffer empty (first byte zero). Returns the bytes copied.
DWORD WINAPI VtReadSetting(const char* section, const char* key, const char* name, void* buffer,
                           DWORD bufferSize);
// Ordinal 2: writes a setting; size 0 stores `data` as a zero-terminated text, any other size
// stores that many bytes as binary. Creates the keys as needed.
BOOL WINAPI VtWriteSetting(const char* section, const char* key, const char* name, const void* data,
                           DWORD size);
// Ordinal 3: deletes a setting value.
BOOL WINAPI VtDeleteSetting(const char* section, const char* key, const char* name);
// Ordinal 6: the modal About box for the named program.
void WINAPI VtAboutBox(HANDLE instanceOrOwner, HWND owner, const char* programName, HINSTANCE instance);
// Ordinal 7: non-zero when the system's code page is a multi-byte one.
BOOL WINAPI VtIsMultiByteCodePage(void);
// Ordinal 8: creates the suite's user-interface fonts: the dialog font into *first and, when
// `second` is given, the status font into *second. The caller owns the handles.
void WINAPI VtCreateFonts(HFONT* first, HFONT* second);
// Ordinal 12: the support dialog.
void WINAPI VtSupportDialog(HWND owner);
// Ordinal 13: the program's own folder, once at start-up before any setting is read.
void WINAPI VtSetProgramFolder(const char* folder);
}
