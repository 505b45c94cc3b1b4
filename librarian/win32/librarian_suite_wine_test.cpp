// The Librarian with the installer library: Install to System through VTINST.DLL.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "installer/win32/resource.h"
#include "librarian/win32/librarian_suite_wine_fixture.h"
#include "librarian/win32/librarian_wine_testutil.h"
#include "librarian/win32/resource.h"
#include "sysicons/install_icon_file.h"
#include "sysicons/win32/win32_environment.h"
#include "sysicons/win32/win32_file_system.h"
#include "sysicons/win32/win32_registry.h"

namespace vt::test {
namespace {


// --- Install to System ---

TEST_F(LibrarianSuite, InstallToSystemHandsTheOneSelectedIconToTheInstaller) {
    WriteTestLibrary(PictureFolder() + "\\suite-install.icl",
                     {{"drive", {{32, 4}, {16, 4}}, 0x35}, {"other", {{32, 4}}, 0x22}});
    Start("suite-install.icl");
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    EXPECT_TRUE(Grayed(frame, IDM_EDIT_INSTALL)) << "two icons selected";
    Click(WindowsViewIcon(0));
    ASSERT_FALSE(Grayed(frame, IDM_EDIT_INSTALL)) << "one icon selected";

    // What the installer will change, put back afterwards.
    Win32Registry registry;
    Win32FileSystem files;
    RawEnvironment raw;
    DetectRawEnvironment(registry, &raw);
    const std::string installed = InstalledIconsFolder(DeriveEnvironment(raw));
    const char* const shellIcons = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
    std::string value;
    std::optional<std::string> saved;
    if (registry.ReadString(RegRoot::LocalMachine, shellIcons, "8", &value) == kRegOk) saved = value;
    files.MakeDirectory(installed);
    const std::vector<std::string> before = files.FindFiles(installed, "", ".ico");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string stage = std::string(windows) + "\\Installed System Icons\\stage.ico";
    DeleteFileA(stage.c_str());

    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_INSTALL));
    HWND dialog = librarian.WaitForWindowTitled("Install Icon");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(frame)) << "the installer's dialog is modal to the frame";
    const std::vector<uint8_t> staged = ReadBytes(stage);
    ASSERT_GE(staged.size(), 6u + 2 * 16u);
    EXPECT_EQ(staged[4], 2) << "both formats of the selected icon are staged";

    // The Drive tab's Hard Drive row, applied.
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    for (int i = 0; i < 3; ++i) Send(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    HWND list = GetDlgItem(dialog, IDC_ROWS);
    bool chosen = false;
    for (int i = 0, n = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0)); i < n && !chosen; ++i) {
        if (Send(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) != 12) continue;
        Send(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        Send(dialog, WM_COMMAND, MAKEWPARAM(IDC_ROWS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        chosen = true;
    }
    ASSERT_TRUE(chosen) << "Hard Drive is listed on the Drive tab";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(frame); }, kDefaultWaitMs,
                          "the dialog to close and the frame to be enabled again"));

    ASSERT_EQ(registry.ReadString(RegRoot::LocalMachine, shellIcons, "8", &value), kRegOk);
    ASSERT_GT(value.size(), 2u);
    const std::string path = value.substr(0, value.size() - 2);
    EXPECT_EQ(path.rfind(installed + "\\Hard Drive", 0), 0u) << path;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(files.ReadFile(path, 1 << 20, &bytes));
    EXPECT_EQ(bytes, staged) << "the staged icon became the installed file";
    EXPECT_FALSE(files.Exists(stage));

    for (const auto& name : files.FindFiles(installed, "", ".ico")) {
        if (std::find(before.begin(), before.end(), name) != before.end()) continue;
        files.SetAttributes(installed + "\\" + name, kAttrNormal);
        files.Delete(installed + "\\" + name);
    }
    if (saved)
        registry.WriteString(RegRoot::LocalMachine, shellIcons, "8", *saved, "");
    else
        registry.DeleteValue(RegRoot::LocalMachine, shellIcons, "8");
}

}  // namespace
}  // namespace vt::test
