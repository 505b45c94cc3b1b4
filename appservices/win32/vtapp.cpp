// VTAPP.DLL: settings under the suite's registry key, the About and support boxes, the
// user-interface fonts and start-up facts, for every program of the suite.
#include "appservices/win32/vtapp.h"

#include <string>
#include <vector>

#include "appservices/settings_layout.h"
#include "appservices/win32/resource.h"

namespace {

HINSTANCE g_module = nullptr;
std::string g_programFolder;

std::string KeyPath(const char* section, const char* key) {
    return vt::SettingsKeyPath(section ? section : "", key ? key : "");
}

struct AboutArgs {
    std::string program;
};

INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            const auto* args = reinterpret_cast<const AboutArgs*>(lp);
            std::string title = "About Vantoro " + args->program;
            SetWindowTextA(dlg, title.c_str());
            std::string line = "Vantoro " + args->program + ", version 1.0";
            SetDlgItemTextA(dlg, IDC_ABOUT_PROGRAM, line.c_str());
            SetDlgItemTextA(dlg, IDC_ABOUT_FOLDER, g_programFolder.c_str());
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, LOWORD(wp));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK SupportProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dlg, LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}

HFONT MakeFont(int points, int weight) {
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

}  // namespace

extern "C" {

DWORD WINAPI VtReadSetting(const char* section, const char* key, const char* name, void* buffer,
                           DWORD bufferSize) {
    if (!buffer || bufferSize == 0) return 0;
    static_cast<char*>(buffer)[0] = 0;
    HKEY hkey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(section, key).c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0, size = 0;
    DWORD copied = 0;
    if (RegQueryValueExA(hkey, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<unsigned char> data(size);
        if (size == 0 ||
            RegQueryValueExA(hkey, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
            data.resize(size);
            bool text = type == REG_SZ || type == REG_EXPAND_SZ;
            size_t length = data.size();
            if (text) {
                length = 0;
                while (length < data.size() && data[length] != 0) ++length;
            }
            auto kind = text ? vt::SettingKind::Text : vt::SettingKind::Binary;
            if (vt::FitsReadBuffer(kind, length, bufferSize)) {
                memcpy(buffer, data.data(), length);
                if (text) static_cast<char*>(buffer)[length] = 0;
                copied = static_cast<DWORD>(length);
            }
        }
    }
    RegCloseKey(hkey);
    return copied;
}

BOOL WINAPI VtWriteSetting(const char* section, const char* key, const char* name, const void* data,
                           DWORD size) {
    if (!data) return FALSE;
    HKEY hkey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(section, key).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &hkey, nullptr) != ERROR_SUCCESS)
        return FALSE;
    LONG rc;
    if (vt::KindOfWrite(size) == vt::SettingKind::Text) {
        const char* text = static_cast<const char*>(data);
        rc = RegSetValueExA(hkey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(strlen(text) + 1));
    } else {
        rc = RegSetValueExA(hkey, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
    }
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS;
}

BOOL WINAPI VtDeleteSetting(const char* section, const char* key, const char* name) {
    HKEY hkey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(section, key).c_str(), 0, KEY_SET_VALUE, &hkey) != ERROR_SUCCESS)
        return FALSE;
    LONG rc = RegDeleteValueA(hkey, name);
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS;
}

void WINAPI VtAboutBox(HANDLE, HWND owner, const char* programName, HINSTANCE) {
    AboutArgs args{programName ? programName : ""};
    DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, reinterpret_cast<LPARAM>(&args));
}

BOOL WINAPI VtIsMultiByteCodePage(void) {
    CPINFO info;
    if (!GetCPInfo(CP_ACP, &info)) return FALSE;
    return info.MaxCharSize > 1;
}

void WINAPI VtCreateFonts(HFONT* first, HFONT* second) {
    if (first) *first = MakeFont(8, FW_NORMAL);
    if (second) *second = MakeFont(8, FW_NORMAL);
}

void WINAPI VtSupportDialog(HWND owner) {
    DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_SUPPORT), owner, SupportProc, 0);
}

void WINAPI VtSetProgramFolder(const char* folder) { g_programFolder = folder ? folder : ""; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
}
