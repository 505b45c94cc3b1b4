#pragma once
// Helpers of the Librarian's Wine tests: its settings in the registry, its frame once shown, its
// message boxes, delivered drops, and fixture files built with the core.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/win32/uidriver.h"

namespace vt::test {

inline constexpr char kLibrarianTitle[] = "Vantoro Librarian";

// The Librarian's settings key, emptied so that a test starts like a first run.
void ResetLibrarianSettings();
std::vector<uint8_t> ReadLibrarianSetting(const char* key, const char* name);
void WriteLibrarianSetting(const char* key, const char* name, const std::vector<uint8_t>& bytes);

// The frame once start-up has shown it and named its workspace in the title.
HWND WaitForLibrarian(Program& librarian);
// Part 0 of the status bar ("%s objects" normally).
std::string StatusText(HWND frame);
// A message box of the Librarian (captioned with its title) and its text.
HWND WaitForMessage(Program& librarian, DWORD timeoutMs = kDefaultWaitMs);
std::string MessageText(HWND box);
// Waits for a message box, checks that its text contains `part`, and presses `button`.
void ExpectMessage(Program& librarian, const std::string& part, int button = IDOK);
// Closes the Librarian, answering No to the save question; returns its exit code.
int CloseLibrarian(Program& librarian, HWND frame);

// Hands names of files or folders in PictureFolder() to the icon window's drop handler, as a shell
// drop at `clientPoint` would.
bool SendTestDrop(HWND frame, const std::vector<std::string>& names, POINT clientPoint, bool askWhenNotEmpty,
                  bool foldersToSearch);

// The workspace files ("ICM*.tmp") in the temporary folder.
std::vector<std::string> WorkspaceFiles();

// A test icon: its name and its images (width, bits per pixel; square).
struct TestIcon {
    std::string name;
    std::vector<std::pair<int, int>> formats;
    uint8_t fill = 0x11;
};
// An icon library of the icons, written by the core's library writer.
void WriteTestLibrary(const std::string& path, const std::vector<TestIcon>& icons);
// An icon file with one image per format.
void WriteTestIconFile(const std::string& path, const TestIcon& icon);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace vt::test
