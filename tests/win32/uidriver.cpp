#include "tests/win32/uidriver.h"

#include "common/win32/window_picture.h"

#include <gtest/gtest.h>

#include "common/win32/menu_state_query.h"

#include <cstdlib>
#include <vector>

namespace vt::test {

namespace {

std::string EnvOr(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

struct FindData {
    DWORD pid;
    std::string className;
    std::string title;
    bool byTitle;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != d->pid) return TRUE;
    if (d->byTitle ? WindowTitle(w) == d->title : WindowClass(w) == d->className) {
        d->found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND w, LPARAM lp) {
    auto* out = reinterpret_cast<std::string*>(lp);
    std::string t = WindowTitle(w);
    if (!t.empty()) {
        if (!out->empty()) *out += "\n";
        *out += t;
    }
    return TRUE;
}

}  // namespace

std::string WindowsPath(const std::string& unixPath) {
    if (unixPath.size() > 1 && unixPath[1] == ':') return unixPath;  // already Windows
    std::string out = "Z:";
    for (char c : unixPath) out += c == '/' ? '\\' : c;
    return out;
}

std::string BinDir() { return WindowsPath(EnvOr("VT_BIN_DIR", ".")); }

std::string ScratchDir(const std::string& name) {
    std::string dir = WindowsPath(EnvOr("VT_BUILD_DIR", ".")) + "\\scratch";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\" + name;
    // Empty it: the tests own this folder.
    std::string pattern = dir + "\\*";
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((dir + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) {
            ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what;
            return false;
        }
        // Keep our own queue alive while we wait, in case the program sends to us.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
}

Program::~Program() {
    if (m_process) {
        if (running()) {
            TerminateProcess(m_process, 99);
            WaitForSingleObject(m_process, 5000);
        }
        CloseHandle(m_process);
    }
}

bool Program::Start(const std::string& exe, const std::string& args, const std::string& workingFolder) {
    m_exe = exe;
    std::string path = BinDir() + "\\" + exe;
    std::string cmd = "\"" + path + "\"";
    if (!args.empty()) cmd += " " + args;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back(0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? BinDir().c_str() : workingFolder.c_str(), &si, &pi)) {
        ADD_FAILURE() << "could not start " << path << " (error " << GetLastError() << ")";
        return false;
    }
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    WaitForInputIdle(m_process, 5000);
    return true;
}

HWND Program::FindWindowOfClass(const std::string& className) const {
    FindData d{m_pid, className, {}, false, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

HWND Program::WaitForWindow(const std::string& className, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOfClass(className)) != nullptr || !running(); },
              timeoutMs, "a window of class \"" + className + "\" from " + m_exe);
    if (!found) ADD_FAILURE() << m_exe << " shows no window of class \"" << className << "\"";
    return found;
}

HWND Program::WaitForWindowTitled(const std::string& title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            FindData d{m_pid, {}, title, true, nullptr};
            EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&d));
            found = d.found;
            return found != nullptr || !running();
        },
        timeoutMs, "a window titled \"" + title + "\" from " + m_exe);
    if (!found) ADD_FAILURE() << m_exe << " shows no window titled \"" << title << "\"";
    return found;
}

bool Program::running() const {
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

int Program::WaitForExit(DWORD timeoutMs) {
    if (!m_process) return -1;
    if (WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << m_exe << " to end";
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    return static_cast<int>(code);
}

int Program::CloseAndWait(HWND window, DWORD timeoutMs) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

std::string WindowTitle(HWND window) {
    char buf[1024] = {};
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf),
                             SMTO_ABORTIFHUNG, 5000, &len))
        return {};
    return std::string(buf, strnlen(buf, sizeof buf));
}

std::string WindowClass(HWND window) {
    char buf[256] = {};
    int n = GetClassNameA(window, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

bool SendCommand(HWND window, int id, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, timeoutMs,
                               &result) != 0;
}

bool PostCommand(HWND window, int id) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0;
}

int MenuItemState(HWND window, UINT id) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) {
        HMENU menu = GetMenu(window);
        UINT state = menu ? GetMenuState(menu, id, MF_BYCOMMAND) : 0xFFFFFFFF;
        return state == 0xFFFFFFFF ? -1 : static_cast<int>(state);
    }
    // Another program's menu: it answers for itself (see common/win32/menu_state_query.h).
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, vt::MenuStateQueryMessage(), id, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        return -1;
    return answer == 0 ? -1 : static_cast<int>(answer - 1);
}

std::string ControlText(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    return control ? WindowTitle(control) : std::string();
}

std::string AllChildTexts(HWND parent) {
    std::string out;
    EnumChildWindows(parent, CollectText, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND ChildOfClass(HWND parent, const char* className) { return FindWindowExA(parent, nullptr, className, nullptr); }

void AnswerFileDialog(HWND dlg, const std::string& path, int type) {
    ASSERT_NE(dlg, nullptr);
    if (type > 0) {
        HWND types = GetDlgItem(dlg, 0x470);
        ASSERT_NE(types, nullptr);
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(types));
    }
    // The file name box: a plain edit, or the edit inside the name combo of newer dialogs.
    HWND edit = GetDlgItem(dlg, 0x480);
    for (HWND box = GetDlgItem(dlg, 0x47c); !edit && box;) {
        edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        box = FindWindowExA(box, nullptr, "ComboBox", nullptr);
    }
    ASSERT_NE(edit, nullptr);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                                    SMTO_NORMAL, 5000, &r));
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
}

std::string PictureFolder() {
    const std::string folder = WindowsPath(std::getenv("VT_BUILD_DIR") ? std::getenv("VT_BUILD_DIR") : ".") + "\\pictures";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void EnableWindowPictures(bool enabled) {
    SetEnvironmentVariableA(kWindowPictureFolderVariable, enabled ? PictureFolder().c_str() : nullptr);
}

bool RequestPicture(HWND frame, const std::string& fileName) {
    COPYDATASTRUCT data{kWindowPictureRequest, static_cast<DWORD>(fileName.size() + 1),
                        const_cast<char*>(fileName.c_str())};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &result))
        return false;
    return result != 0;
}

}  // namespace vt::test
