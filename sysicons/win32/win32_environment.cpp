#include "sysicons/win32/win32_environment.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace vt {

namespace {

// The FileVersion text of SHELL32.DLL in the user's language; false without a version block.
bool ShellVersionText(const std::string& shell32, std::string* text) {
    text->clear();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(shell32.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(shell32.c_str(), 0, size, block.data())) return false;
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X04B0\\FileVersion",
                  GetUserDefaultLangID());
    char* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &length) && value &&
        length > 0)
        text->assign(value, strnlen(value, length));
    return true;
}

}  // namespace

bool DetectRawEnvironment(Registry& registry, RawEnvironment* out) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    out->platform = static_cast<int>(version.dwPlatformId);
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    out->systemDirectory = dir;
    GetWindowsDirectoryA(dir, sizeof dir);
    out->windowsDirectory = dir;
    char user[120] = "";
    DWORD userSize = sizeof user;
    out->userNameRead = GetUserNameA(user, &userSize) != 0;
    out->userName = out->userNameRead ? user : "";
    registry.ReadString(RegRoot::LocalMachine, "Network\\Logon", "UserProfiles",
                        &out->userProfiles);
    out->coolDllPresent = GetFileAttributesA((out->systemDirectory + "\\cool.dll").c_str()) !=
                          INVALID_FILE_ATTRIBUTES;
    return ShellVersionText(out->systemDirectory + "\\SHELL32.DLL", &out->shellVersionText);
}

}  // namespace vt
