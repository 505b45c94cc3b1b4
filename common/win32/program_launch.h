#pragma once
// What the suite's programs share about themselves and each other: their own folder, the
// too-old-system check, the toolbar strips, starting a sibling program, the suite's explorer and
// help file.

#include <windows.h>

#include <span>
#include <string>

namespace vt {

// The folder of the program's own file: its full name cut at the last backslash, found character
// by character when the code page is a multi-byte one (a trail byte may be 0x5C).
std::string ProgramFolder(HINSTANCE instance, bool multiByte);
// True on systems older than the suite supports.
bool WindowsTooOld();
// The editors' refusal then (the Studio's and the Animator's words, error icon).
void ShowEditorWindowsTooOld(const char* programTitle);
// An editor's program icon (32 and 16 pixels) and its tool cursors, numbered from firstCursor.
void LoadEditorArtwork(HINSTANCE instance, int iconId, HICON* icon, HICON* smallIcon, std::span<HCURSOR> cursors,
                       int firstCursor);
// A file named on the command line: command lines arrive in the OEM character set.
std::string CommandLinePath(std::string oemPath);
// A bitmap resource with pure green replaced by the button-face colour (unless keepGreen).
HBITMAP LoadFaceMappedBitmap(HINSTANCE instance, int id, bool keepGreen = false);

// Starts `exe` of the program folder through the shell.
void StartProgram(HWND owner, const std::string& folder, const char* exe);
// Starts `exe` of the program folder with a command line, asking for its first window to take
// `place` (screen coordinates). False when it could not be started.
bool StartProgramAt(const std::string& folder, const char* exe, const char* commandLine, const RECT& place);
// Brings the suite's explorer (class "VtAntoro") to the front, or starts it.
void ShowSuiteExplorer(const std::string& folder);
// After a program's last window closed: a waiting explorer comes back to the front.
void RestoreSuiteExplorer();
// The suite's help file, "VANTORO.HLP" in the program folder, opened at its contents.
void OpenSuiteHelp(HWND owner, const std::string& folder);

}  // namespace vt
