#include "common/win32/program_launch.h"

#include <shellapi.h>

namespace vt {

namespace {
constexpr char kExplorerClass[] = "VtAntoro";
}  // namespace

std::string ProgramFolder(HINSTANCE instance, bool multiByte) {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(instance, path, sizeof path);
    if (n == 0 || n >= sizeof path) return ".";
    const char* cut = nullptr;
    for (const char* p = path; *p; p = multiByte ? CharNextA(p) : p + 1)
        if (*p == '\\') cut = p;
    return cut ? std::string(path, static_cast<size_t>(cut - path)) : std::string(".");
}

bool WindowsTooOld() {
    // The version the program runs on as the system reports it to programs of its kind.
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v)) return false;
#pragma GCC diagnostic pop
    return v.dwMajorVersion < 4;
}

void ShowEditorWindowsTooOld(const char* programTitle) {
    MessageBeep(MB_ICONHAND);
    MessageBoxA(nullptr, "Vantoro was designed for use with Windows 95 or Windows NT 4.0.", programTitle,
                MB_OK | MB_ICONSTOP);
}

void LoadEditorArtwork(HINSTANCE instance, int iconId, HICON* icon, HICON* smallIcon, std::span<HCURSOR> cursors,
                       int firstCursor) {
    *icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 32, 32, 0));
    *smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0));
    for (size_t i = 0; i < cursors.size(); ++i)
        cursors[i] = LoadCursorA(instance, MAKEINTRESOURCEA(firstCursor + static_cast<int>(i)));
}

std::string CommandLinePath(std::string path) {
    OemToCharBuffA(path.data(), path.data(), static_cast<DWORD>(path.size()));
    return path;
}

HBITMAP LoadFaceMappedBitmap(HINSTANCE instance, int id, bool keepGreen) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                                  LR_CREATEDIBSECTION));
    if (!bmp || keepGreen) return bmp;
    DIBSECTION ds{};
    if (GetObjectA(bmp, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return bmp;
    // A 4-bit strip: the green entry of its colour table becomes the button face.
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    RGBQUAD table[256];
    const UINT n = GetDIBColorTable(mem, 0, 256, table);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (UINT i = 0; i < n; ++i)
        if (table[i].rgbRed == 0 && table[i].rgbGreen == 255 && table[i].rgbBlue == 0)
            table[i] = RGBQUAD{GetBValue(face), GetGValue(face), GetRValue(face), 0};
    SetDIBColorTable(mem, 0, n, table);
    SelectObject(mem, old);
    DeleteDC(mem);
    return bmp;
}

void StartProgram(HWND owner, const std::string& folder, const char* exe) {
    const std::string path = folder + "\\" + exe;
    ShellExecuteA(owner, "open", path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

bool StartProgramAt(const std::string& folder, const char* exe, const char* commandLine, const RECT& place) {
    const std::string path = folder + "\\" + exe;
    std::string line = commandLine;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USEPOSITION | STARTF_USESIZE;
    si.dwX = static_cast<DWORD>(place.left);
    si.dwY = static_cast<DWORD>(place.top);
    si.dwXSize = static_cast<DWORD>(place.right - place.left);
    si.dwYSize = static_cast<DWORD>(place.bottom - place.top);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void ShowSuiteExplorer(const std::string& folder) {
    if (HWND w = FindWindowA(kExplorerClass, nullptr)) {
        ShowWindow(w, SW_RESTORE);
        SetForegroundWindow(w);
        return;
    }
    StartProgram(nullptr, folder, "vtexplor.exe");
}

void RestoreSuiteExplorer() {
    if (HWND w = FindWindowA(kExplorerClass, nullptr)) {
        ShowWindow(w, SW_RESTORE);
        SetForegroundWindow(w);
    }
}

void OpenSuiteHelp(HWND owner, const std::string& folder) {
    const std::string help = folder + "\\VANTORO.HLP";
    WinHelpA(owner, help.c_str(), HELP_CONTENTS, 0);
}

}  // namespace vt
