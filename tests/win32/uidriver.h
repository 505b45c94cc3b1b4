#pragma once
// Drives the suite's real programs from a GoogleTest executable under Wine: start a program from
// the bin folder, wait for its windows, send commands, read what it shows, close it and collect
// its exit code. Every wait has a deadline; when one runs out the driver adds a test failure that
// says what it waited for, and returns an empty result, so a test never hangs.

#include <windows.h>

#include <functional>
#include <string>

namespace vt::test {

constexpr DWORD kDefaultWaitMs = 10000;

// The folder of the deliverables, as a Windows path (from VT_BIN_DIR).
std::string BinDir();
// A scratch folder for one test's files inside the build folder, created empty.
std::string ScratchDir(const std::string& name);
// A Unix path from the test environment as the Windows path Wine maps it to (drive Z:).
std::string WindowsPath(const std::string& unixPath);

// Polls `done` every few milliseconds until it is true or `timeoutMs` passes; on time-out adds a
// failure naming `what` and returns false.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what);

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts BinDir()\exe with the command line `args`, in `workingFolder` (the bin folder when
    // empty). False (and a failure) when it cannot.
    bool Start(const std::string& exe, const std::string& args = {}, const std::string& workingFolder = {});
    // The first visible-or-not top-level window of this process with the class name.
    HWND WaitForWindow(const std::string& className, DWORD timeoutMs = kDefaultWaitMs);
    // A top-level window of this process with the given title (e.g. a message box or dialog).
    HWND WaitForWindowTitled(const std::string& title, DWORD timeoutMs = kDefaultWaitMs);
    HWND FindWindowOfClass(const std::string& className) const;
    // Waits for the process to end and returns its exit code (-1 on time-out, with a failure).
    int WaitForExit(DWORD timeoutMs = kDefaultWaitMs);
    // Posts WM_CLOSE to `window` and waits for the process to end.
    int CloseAndWait(HWND window, DWORD timeoutMs = kDefaultWaitMs);
    bool running() const;
    DWORD pid() const { return m_pid; }

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    std::string m_exe;
};

std::string WindowTitle(HWND window);
std::string WindowClass(HWND window);
// WM_COMMAND with the identifier, sent with a deadline; returns false when it timed out.
bool SendCommand(HWND window, int id, DWORD timeoutMs = kDefaultWaitMs);
bool PostCommand(HWND window, int id);
// The state of a menu item of the window's menu bar (MF_CHECKED, MF_GRAYED, ...), or -1 when
// there is no such item. Works across processes for the suite's programs, which answer
// MenuStateQueryMessage().
int MenuItemState(HWND window, UINT id);
// The text of control `id` of a dialog or window.
std::string ControlText(HWND parent, int id);
// The texts of all child windows, in Z order, for messages and dialogs.
std::string AllChildTexts(HWND parent);

// A window's child by class name.
HWND ChildOfClass(HWND parent, const char* className);
// Types a path into a common file dialog, picks a type (1-based, 0 keeps it) and presses OK.
void AnswerFileDialog(HWND dlg, const std::string& path, int type = 0);

// The one folder the programs these tests start may write window pictures into (the build's
// "pictures" folder), as a Windows path; EnableWindowPictures names it to the programs started
// from then on.
std::string PictureFolder();
void EnableWindowPictures(bool enabled);
// Asks a program for a picture of its windows, written as PictureFolder()\fileName.
bool RequestPicture(HWND frame, const std::string& fileName);

}  // namespace vt::test
