// VTINST.DLL: installs the icon a caller staged as "stage.ico" as the icon of a system object the
// user chooses. Exports by name: VtInstEntry, InstallIcon, MainDialog.

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "common/win32/message_box_prompt.h"
#include "installer/installer.h"
#include "installer/win32/faulty_shell_notice.h"
#include "installer/win32/install_dialog.h"
#include "installer/win32/resource.h"
#include "sysicons/win32/win32_environment.h"
#include "sysicons/win32/win32_file_system.h"
#include "sysicons/win32/win32_registry.h"
#include "sysicons/win32/win32_shell.h"

namespace vt {
namespace {

HINSTANCE g_instance = nullptr;
// Detected at the first InstallIcon, never under the loader lock.
std::optional<EnvironmentFacts> g_facts;

std::string LoadText(int id, const char* fallback) {
    char buf[256] = "";
    return LoadStringA(g_instance, static_cast<UINT>(id), buf, sizeof buf) > 0 ? buf : fallback;
}

bool IsMultiByte(UINT codePage) {
    CPINFO info = {};
    return GetCPInfo(codePage, &info) && info.MaxCharSize > 1;
}

class Win32InstallerDialogs : public InstallerDialogs {
  public:
    explicit Win32InstallerDialogs(HWND owner) : m_owner(owner) {}
    void ShowFaultyShellNotice() override { vt::ShowFaultyShellNotice(g_instance, m_owner); }
    bool RunInstallDialog(Installer& installer) override {
        return InstallDialog::Run(g_instance, m_owner, installer);
    }

  private:
    HWND m_owner;
};

int InstallIconOn(HWND owner, const char* folder) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    Win32Registry registry;
    Win32FileSystem files;
    if (!g_facts) {
        RawEnvironment raw;
        // Without a version block the facts stay at their off state.
        if (!DetectRawEnvironment(registry, &raw)) raw.shellVersionText.clear();
        g_facts = DeriveEnvironment(raw);
    }
    Win32Shell shell;
    MessageBoxPrompt prompt(owner, kInstallerCaption);
    InstallerSystem system{registry, shell, files, prompt, *g_facts};
    // The code pages can change between calls.
    system.multiByteCodePage = IsMultiByte(CP_ACP) || IsMultiByte(CP_OEMCP);
    system.emptyWord = LoadText(IDS_EMPTY, "empty");
    system.fullWord = LoadText(IDS_FULL, "full");
    system.userName = [](std::string* name) {
        char buf[kMaxUserName + 1] = "";
        DWORD size = sizeof buf;
        if (!GetUserNameA(buf, &size)) return false;
        *name = buf;
        return true;
    };
    Win32InstallerDialogs dialogs(owner);
    return RunInstallIcon(folder, system, dialogs);
}

}  // namespace
}  // namespace vt

extern "C" {

// Loading only records the module: detecting the system or showing a window here could deadlock
// under the loader lock.
BOOL WINAPI VtInstEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) vt::g_instance = instance;
    return TRUE;
}

int WINAPI InstallIcon(HWND owner, LPCSTR folder) {
    try {
        return vt::InstallIconOn(owner, folder);
    } catch (...) {
        // Nothing may cross into the caller; a failure is simply "not installed".
        return 0;
    }
}

INT_PTR CALLBACK MainDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return vt::InstallDialog::Procedure(dialog, message, wParam, lParam);
}

// The C++ runtime's start-up is the real entry point; it reaches the library's through here.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return VtInstEntry(instance, reason, reserved);
}

}  // extern "C"
