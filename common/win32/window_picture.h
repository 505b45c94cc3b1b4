#pragma once
// Pictures of a program's windows for the suite's tests: the windows painted through WM_PRINT into
// one bitmap at their screen positions and written as a BMP file. Works without a visible desktop
// (the tests run on a display driver that shows nothing).
//
// A test asks a running program for a picture with WM_COPYDATA. Any process on the desktop can
// send that message, so a program answers it only when the test harness enabled pictures when it
// started the program, by naming in kWindowPictureFolderVariable the one folder pictures may be
// written to. The message then carries a plain file name ending in ".bmp", never a path; without
// the variable every request is ignored.

#include <windows.h>

#include <string>
#include <vector>

namespace vt {

// The WM_COPYDATA tag of a picture request; the data is the file name, ending in a zero.
inline constexpr ULONG_PTR kWindowPictureRequest = 0x56545353;
// The same for a picture of the windows as they show now: their pending paints done, but nothing
// repainted, so that what drags and timers painted cell by cell can be compared with a repaint.
inline constexpr ULONG_PTR kWindowShownRequest = 0x56545356;
// The environment variable naming the picture folder (a Windows path).
inline constexpr char kWindowPictureFolderVariable[] = "VT_WINDOW_PICTURES";

// Paints the visible windows of the list, in order, into one picture and writes it to `path`
// through a temporary file.
// `asShown`: copied from the windows' surfaces instead.
bool WriteWindowPicture(const std::vector<HWND>& windows, const std::string& path,
                        bool asShown = false);

class WindowPictureHook {
  public:
    // The hook as the harness configured this process: enabled when the variable names a folder.
    // Called once at start-up; later changes to the environment change nothing.
    static WindowPictureHook FromEnvironment();
    WindowPictureHook() = default;  // disabled
    explicit WindowPictureHook(std::string folder) : m_folder(std::move(folder)) {}

    bool enabled() const { return !m_folder.empty(); }

    // Answers a program's WM_COPYDATA: true when it was a picture request from an enabled hook
    // with an acceptable name and the picture was written. `windows` are the program's own windows,
    // the main one first; visible windows it owns (open dialogs) and a popup menu it is tracking
    // are pictured on top of them, the menu as it shows.
    bool Answer(const COPYDATASTRUCT& data, std::vector<HWND> windows) const;

  private:
    std::string m_folder;
};

}  // namespace vt
