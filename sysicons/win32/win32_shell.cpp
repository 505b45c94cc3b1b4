#include "sysicons/win32/win32_shell.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

namespace vt {

namespace {

// Broadcasts must not hang on a window that stopped answering.
constexpr UINT kBroadcastTimeoutMs = 5000;

HICON AsIcon(IconHandle h) {
    return reinterpret_cast<HICON>(h);
}
IconHandle AsHandle(HICON h) {
    return reinterpret_cast<IconHandle>(h);
}

int IconIndexOfPidl(LPCITEMIDLIST pidl, std::string* typeName) {
    SHFILEINFOA info = {};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | (typeName ? SHGFI_TYPENAME : 0);
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, flags)) return -1;
    if (typeName) *typeName = info.szTypeName;
    return info.iIcon;
}

// An entry of shell32 that is exported by ordinal only; null when this shell lacks it.
template <typename Fn>
Fn Shell32Ordinal(int ordinal) {
    HMODULE shell32 = GetModuleHandleA("shell32.dll");
    return shell32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(
                         GetProcAddress(shell32, MAKEINTRESOURCEA(ordinal))))
                   : nullptr;
}

}  // namespace

Win32Shell::Win32Shell() {
    m_comStarted = SUCCEEDED(CoInitialize(nullptr));
}

Win32Shell::~Win32Shell() {
    if (m_comStarted) CoUninitialize();
}

int Win32Shell::SpecialFolderIconIndex(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return -1;
    int index = IconIndexOfPidl(pidl, nullptr);
    CoTaskMemFree(pidl);
    return index;
}

std::vector<DesktopObject> Win32Shell::DesktopObjects() {
    std::vector<DesktopObject> out;
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return out;
    IEnumIDList* items = nullptr;
    if (desktop->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK &&
        items) {
        LPITEMIDLIST pidl = nullptr;
        ULONG fetched = 0;
        // Desktops are small; the cap only guards against a shell that never ends the list.
        for (int n = 0; n < 10000 && items->Next(1, &pidl, &fetched) == S_OK && fetched == 1; ++n) {
            DesktopObject obj;
            STRRET name = {};
            char buf[MAX_PATH] = "";
            if (SUCCEEDED(desktop->GetDisplayNameOf(pidl, SHGDN_NORMAL, &name)) &&
                SUCCEEDED(StrRetToBufA(&name, pidl, buf, sizeof buf)))
                obj.displayName = buf;
            obj.iconIndex = IconIndexOfPidl(pidl, &obj.typeName);
            out.push_back(obj);
            CoTaskMemFree(pidl);
        }
        items->Release();
    }
    desktop->Release();
    return out;
}

bool Win32Shell::LoadLocationIcons(const std::string& path, int index, IconPair* out) {
    *out = {};
    if (path.empty()) return false;
    HICON large = nullptr, small = nullptr;
    UINT got = ExtractIconExA(path.c_str(), index, &large, &small, 1);
    if (got == 0 || got == UINT_MAX || !large) {
        if (large) DestroyIcon(large);
        if (small) DestroyIcon(small);
        return false;
    }
    out->large = AsHandle(large);
    out->small = AsHandle(small);
    return true;
}

IconHandle Win32Shell::LoadCursorFile(const std::string& path) {
    return AsHandle(static_cast<HICON>(
        LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
}

IconHandle Win32Shell::LoadSystemCursor(int id) {
    return AsHandle(reinterpret_cast<HICON>(LoadCursorA(nullptr, MAKEINTRESOURCEA(id))));
}

IconHandle Win32Shell::LoadOwnIcon(int resourceId) {
    return AsHandle(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
}

void Win32Shell::ReleaseIcon(IconHandle icon) {
    if (icon) DestroyIcon(AsIcon(icon));
}

std::string Win32Shell::FindOnSearchPath(const std::string& file) {
    char buf[MAX_PATH] = "";
    char* namePart = nullptr;
    DWORD n = SearchPathA(nullptr, file.c_str(), nullptr, sizeof buf, buf, &namePart);
    return n > 0 && n < sizeof buf ? std::string(buf) : std::string();
}

void Win32Shell::ReplaceSystemImage(int shellIndex, const IconPair& icons) {
    if (shellIndex < 0) return;
    auto get = Shell32Ordinal<BOOL(WINAPI*)(HIMAGELIST*, HIMAGELIST*)>(71);  // Shell_GetImageLists
    HIMAGELIST large = nullptr, small = nullptr;
    if (!get || !get(&large, &small)) return;
    if (large && icons.large) ImageList_ReplaceIcon(large, shellIndex, AsIcon(icons.large));
    if (small && (icons.small || icons.large))
        ImageList_ReplaceIcon(small, shellIndex, AsIcon(icons.small ? icons.small : icons.large));
}

void Win32Shell::NotifyUpdateImage(int image) {
    SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD,
                   reinterpret_cast<LPCVOID>(static_cast<INT_PTR>(image)), nullptr);
}

bool Win32Shell::SetSystemParameter(int action, int value, bool updateIniFile) {
    return SystemParametersInfoA(static_cast<UINT>(action), static_cast<UINT>(value), nullptr,
                                 updateIniFile ? SPIF_UPDATEINIFILE : 0) != 0;
}

int Win32Shell::IconCount(const std::string& path) {
    // ExtractIcon answers the count for index -1 (as a handle-sized number).
    HICON n = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), static_cast<UINT>(-1));
    auto count = reinterpret_cast<uintptr_t>(n);
    return count > 0xFFFF ? 0 : static_cast<int>(count);
}

bool Win32Shell::GetIconMetrics(IconMetrics* out) {
    static_assert(sizeof(ICONMETRICSA) == kIconMetricsSize);
    ICONMETRICSA m = {};
    m.cbSize = sizeof m;
    if (!SystemParametersInfoA(SPI_GETICONMETRICS, sizeof m, &m, 0)) return false;
    uint8_t bytes[kIconMetricsSize];
    std::memcpy(bytes, &m, sizeof bytes);
    auto decoded = DecodeIconMetrics(bytes);
    if (decoded) *out = *decoded;
    return decoded.has_value();
}

bool Win32Shell::SetIconTitleFont(const TitleFont& font) {
    LOGFONTA lf = {};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = font.charSet;
    lf.lfOutPrecision = font.outPrecision;
    lf.lfClipPrecision = font.clipPrecision;
    lf.lfQuality = font.quality;
    lf.lfPitchAndFamily = font.pitchAndFamily;
    lstrcpynA(lf.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
    return SystemParametersInfoA(SPI_SETICONTITLELOGFONT, sizeof lf, &lf, SPIF_UPDATEINIFILE) != 0;
}

void Win32Shell::BroadcastSettingChange(int action, const std::string& section) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, static_cast<WPARAM>(action),
                        section.empty() ? 0 : reinterpret_cast<LPARAM>(section.c_str()),
                        SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &result);
}

bool Win32Shell::ReinitializeIcons(bool full) {
    auto init = Shell32Ordinal<BOOL(WINAPI*)(BOOL)>(660);  // the icon re-initialisation entry
    if (!init) return false;
    init(full ? TRUE : FALSE);
    return true;
}

void Win32Shell::RedrawScreen() {
    RedrawWindow(nullptr, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32Shell::RestartWindows() {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES tp = {};
        tp.PrivilegeCount = 1;
        tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid))
            AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
        CloseHandle(token);
    }
    ExitWindowsEx(EWX_REBOOT, 0);
}

}  // namespace vt
