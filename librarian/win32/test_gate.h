#pragma once
// Dropped files for the tests. A shell drop cannot cross into another process under the test
// harness, so a test delivers drops with WM_COPYDATA. Like window pictures, this is answered only
// when the harness named the test folder in VT_WINDOW_PICTURES at start-up, and the message never
// carries a path: its names are plain names of files or folders inside that folder.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vt::librarian {

// The WM_COPYDATA tag of a drop: a TestDropHeader, then the names, each ending in a zero.
inline constexpr ULONG_PTR kTestDropRequest = 0x5654444F;

struct TestDropHeader {
    int32_t x = 0, y = 0;          // client coordinates of the icon window
    int32_t askWhenNotEmpty = 0;   // non-zero: the Open As New File / Add menu when not empty
    int32_t foldersToSearch = 0;   // non-zero: the names are folders to search
};

// Reads the harness's folder once at start-up.
void StartTestGate();
// The names of a drop request as paths in the test folder; false for anything else, including
// every request when the gate is closed and any name that is not a plain name in the folder.
bool ReadTestDrop(const COPYDATASTRUCT& data, TestDropHeader* header, std::vector<std::string>* paths);
// Takes a valid request and posts `runMessage` to `frame`, so that the sender is not kept
// waiting while the drop asks its questions.
bool AcceptTestDrop(const COPYDATASTRUCT& data, HWND frame, UINT runMessage);
// Hands the request taken last to the icon window's drop handler.
void RunTestDrop();

}  // namespace vt::librarian
