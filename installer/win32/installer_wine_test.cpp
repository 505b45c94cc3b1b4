// VTINST.DLL under Wine, called as the Librarian calls it: vtinst_host.exe loads it by name and
// calls InstallIcon with a staging folder; the test drives the dialog with window messages and
// checks the real registry and files of the prefix, restoring what it changed.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <optional>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/win32/window_picture.h"
#include "installer/installer.h"
#include "installer/win32/resource.h"
#include "sysicons/install_icon_file.h"
#include "sysicons/win32/win32_environment.h"
#include "sysicons/win32/win32_file_system.h"
#include "sysicons/win32/win32_registry.h"
#include "tests/win32/uidriver.h"

namespace vt {
namespace {

using test::Program;

const char* const kHost = "..\\testbin\\vtinst_host.exe";
const char* const kShellIconsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
const char* const kMetricsKey = "Control Panel\\desktop\\WindowMetrics";

// A 32 x 32 16-colour icon with a pattern, so that its bytes are its own.
std::vector<uint8_t> StageIcon() {
    const uint32_t xorBytes = 16 * 32, andBytes = 4 * 32, image = 40 + 64 + xorBytes + andBytes;
    std::vector<uint8_t> b;
    auto u16 = [&](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16(0), u16(1), u16(1);
    b.insert(b.end(), {32, 32, 16, 0});
    u16(1), u16(4), u32(image), u32(22);
    u32(40), u32(32), u32(64), u16(1), u16(4), u32(0), u32(xorBytes + andBytes);
    u32(0), u32(0), u32(16), u32(0);
    for (uint32_t i = 0; i < 16; ++i) u32(i * 0x00110811u);
    for (uint32_t i = 0; i < xorBytes; ++i) b.push_back(uint8_t(0x12 + i % 7 * 0x11));
    for (uint32_t row = 0; row < 32; ++row)
        for (int i = 0; i < 4; ++i) b.push_back(row < 4 ? 0xFF : 0x00);
    return b;
}

std::string RunAndCapture(const std::string& command) {
    std::string out;
    FILE* p = _popen(command.c_str(), "r");
    if (!p) return out;
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    _pclose(p);
    return out;
}

std::string KeyClass(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char cls[64] = "";
    DWORD size = sizeof cls;
    RegQueryInfoKeyA(key, cls, &size, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    return cls;
}

class InstallerOnWine : public ::testing::Test {
  protected:
    void SetUp() override {
        RawEnvironment raw;
        DetectRawEnvironment(registry, &raw);
        facts = DeriveEnvironment(raw);
        installed = InstalledIconsFolder(facts);
        staging = test::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        stage = staging + "\\stage.ico";
        ASSERT_TRUE(files.WriteFile(stage, StageIcon()));
        savedSize = Read(RegRoot::CurrentUser, kMetricsKey, "Shell Icon Size");
        saved8 = Read(RegRoot::LocalMachine, kShellIconsKey, "8");
        files.MakeDirectory(installed);
        before = files.FindFiles(installed, "", ".ico");
    }
    void TearDown() override {
        // Whatever this test installed goes, and the values are put back as they were.
        for (const auto& name : files.FindFiles(installed, "", ".ico")) {
            if (std::find(before.begin(), before.end(), name) != before.end()) continue;
            files.SetAttributes(installed + "\\" + name, kAttrNormal);
            files.Delete(installed + "\\" + name);
        }
        Restore(RegRoot::CurrentUser, kMetricsKey, "Shell Icon Size", savedSize);
        Restore(RegRoot::LocalMachine, kShellIconsKey, "8", saved8);
        SetEnvironmentVariableA(kWindowPictureFolderVariable, nullptr);
    }
    std::optional<std::string> Read(RegRoot root, const std::string& key, const std::string& name) {
        std::string out;
        if (registry.ReadString(root, key, name, &out) != kRegOk) return std::nullopt;
        return out;
    }
    void Restore(RegRoot root, const std::string& key, const std::string& name,
                 const std::optional<std::string>& value) {
        if (value)
            registry.WriteString(root, key, name, *value, "");
        else
            registry.DeleteValue(root, key, name);
    }
    // Starts the host and waits for the dialog; the owner must be disabled meanwhile.
    HWND OpenDialog(Program& program) {
        if (!program.Start(kHost, staging)) return nullptr;
        HWND dialog = program.WaitForWindowTitled("Install Icon");
        if (!dialog) return nullptr;
        HWND owner = program.FindWindowOfClass("VtInstHostOwner");
        EXPECT_NE(owner, nullptr);
        EXPECT_FALSE(IsWindowEnabled(owner)) << "the caller's window is disabled while it runs";
        return dialog;
    }
    static LRESULT Send(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(w, message, wParam, lParam, SMTO_NORMAL, test::kDefaultWaitMs, &result);
        return static_cast<LRESULT>(result);
    }
    // Chooses `row` in the list as a click would: the selection and its notification.
    static bool ChooseRow(HWND dialog, int row) {
        HWND list = GetDlgItem(dialog, IDC_ROWS);
        int count = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (static_cast<int>(Send(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)) != row)
                continue;
            Send(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            Send(dialog, WM_COMMAND, MAKEWPARAM(IDC_ROWS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
            return true;
        }
        return false;
    }
    void ExpectInstalledFile(const std::string& value, const std::string& prefix) {
        ASSERT_GT(value.size(), 2u);
        ASSERT_EQ(value.substr(value.size() - 2), ",0");
        std::string path = value.substr(0, value.size() - 2);
        EXPECT_EQ(path.rfind(installed + "\\" + prefix, 0), 0u) << path;
        uint32_t attributes = 0;
        ASSERT_TRUE(files.GetAttributes(path, &attributes)) << path;
        EXPECT_EQ(attributes & (kAttrHidden | kAttrSystem | kAttrReadOnly),
                  kAttrHidden | kAttrSystem | kAttrReadOnly);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(files.ReadFile(path, 1 << 20, &bytes));
        EXPECT_EQ(bytes, StageIcon());
        EXPECT_FALSE(files.Exists(stage)) << "stage.ico became the installed file";
    }

    Win32Registry registry;
    Win32FileSystem files;
    EnvironmentFacts facts;
    std::string installed, staging, stage;
    std::optional<std::string> savedSize, saved8;
    std::vector<std::string> before;
    Program host;
};

TEST_F(InstallerOnWine, HardDriveOnTheDriveTab) {
    registry.WriteString(RegRoot::CurrentUser, kMetricsKey, "Shell Icon Size", "40", "");
    const std::string pictures =
        test::WindowsPath(std::getenv("VT_BUILD_DIR") ? std::getenv("VT_BUILD_DIR") : ".") +
        "\\pictures";
    CreateDirectoryA(pictures.c_str(), nullptr);
    SetEnvironmentVariableA(kWindowPictureFolderVariable, pictures.c_str());
    HWND dialog = OpenDialog(host);
    ASSERT_NE(dialog, nullptr);
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL, 0, 0), 0) << "the first tab is selected";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)));
    for (int i = 0; i < 3; ++i) Send(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL, 0, 0), 3);
    ASSERT_TRUE(ChooseRow(dialog, 12)) << "Hard Drive is listed on the Drive tab";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)));

    // The picture of the dialog, for people to look at (converted to PNG by the test command).
    const std::string shot = pictures + "\\installer-drive.bmp";
    DeleteFileA(shot.c_str());
    COPYDATASTRUCT data{kWindowPictureRequest, sizeof "installer-drive.bmp",
                        const_cast<char*>("installer-drive.bmp")};
    HWND owner = host.FindWindowOfClass("VtInstHostOwner");
    EXPECT_EQ(Send(owner, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
    std::vector<uint8_t> picture;
    EXPECT_TRUE(files.ReadFile(shot, 64 << 20, &picture));
    EXPECT_GT(picture.size(), 54u + 100u * 100u * 3u) << "a picture at least 100 x 100";

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    EXPECT_EQ(host.WaitForExit(), 1);
    auto value = Read(RegRoot::LocalMachine, kShellIconsKey, "8");
    ASSERT_TRUE(value.has_value());
    ExpectInstalledFile(*value, "Hard Drive");
    std::string query =
        RunAndCapture("reg query \"HKLM\\" + std::string(kShellIconsKey) + "\" /v 8");
    EXPECT_NE(query.find(value->substr(value->rfind('\\') + 1)), std::string::npos) << query;
    EXPECT_EQ(Read(RegRoot::CurrentUser, kMetricsKey, "Shell Icon Size").value_or(""), "40")
        << "the cache rebuild keeps a custom icon size";
}

TEST_F(InstallerOnWine, MyComputerUnderTheUsersClasses) {
    ASSERT_TRUE(facts.perUserClasses) << "Wine reports Windows NT";
    const std::string clsid = std::string("Software\\Classes\\") + kRegistryLocations[0].keyPath;
    HKEY existing = nullptr;
    bool keyWasThere =
        RegOpenKeyExA(HKEY_CURRENT_USER, clsid.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (existing) RegCloseKey(existing);
    HWND dialog = OpenDialog(host);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseRow(dialog, 0)) << "My Computer is listed on the Desktop tab";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    EXPECT_EQ(host.WaitForExit(), 1);
    auto value = Read(RegRoot::CurrentUser, clsid + "\\DefaultIcon", "");
    ASSERT_TRUE(value.has_value());
    ExpectInstalledFile(*value, "(" + facts.userName + ") My Computer");
    if (!keyWasThere) {
        EXPECT_EQ(KeyClass(HKEY_CURRENT_USER, clsid), "Vantoro 98");
        EXPECT_EQ(KeyClass(HKEY_CURRENT_USER, clsid + "\\DefaultIcon"), "Vantoro 98");
        RegDeleteTreeA(HKEY_CURRENT_USER, clsid.c_str());
    } else {
        registry.DeleteValue(RegRoot::CurrentUser, clsid + "\\DefaultIcon", "");
    }
}

TEST_F(InstallerOnWine, CancelEscapeAndTheCloseBoxChangeNothing) {
    for (const char* way : {"Cancel", "Escape", "close box"}) {
        SCOPED_TRACE(way);
        Program program;
        HWND dialog = OpenDialog(program);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(ChooseRow(dialog, 0));
        if (way[0] == 'C')
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        else if (way[0] == 'E')
            PostMessageA(GetDlgItem(dialog, IDC_TABS), WM_KEYDOWN, VK_ESCAPE, 0);
        else
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        // 0, not 0x100: the host found its window enabled again when the call returned.
        EXPECT_EQ(program.WaitForExit(), 0);
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(files.ReadFile(stage, 1 << 20, &bytes));
        EXPECT_EQ(bytes, StageIcon()) << "stage.ico stays in place";
        EXPECT_EQ(Read(RegRoot::LocalMachine, kShellIconsKey, "8"), saved8);
        EXPECT_EQ(files.FindFiles(installed, "", ".ico"), before);
    }
}

TEST_F(InstallerOnWine, MissingStageFileGivesZeroWithoutAWindow) {
    files.Delete(stage);
    ASSERT_TRUE(host.Start(kHost, staging));
    EXPECT_EQ(host.WaitForExit(), 0);
}

TEST_F(InstallerOnWine, ExportsResolveByNameAndOrdinal) {
    HMODULE library = LoadLibraryA("vtinst.dll");
    ASSERT_NE(library, nullptr) << "found through the search path, as the Librarian loads it";
    const char* names[] = {"VtInstEntry", "InstallIcon", "MainDialog"};
    for (int i = 0; i < 3; ++i) {
        FARPROC byName = GetProcAddress(library, names[i]);
        EXPECT_NE(byName, nullptr) << names[i];
        EXPECT_EQ(byName, GetProcAddress(library, MAKEINTRESOURCEA(i + 1))) << names[i];
    }
    using InstallIconFn = int(WINAPI*)(HWND, LPCSTR);
    auto install = reinterpret_cast<InstallIconFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "InstallIcon")));
    ASSERT_NE(install, nullptr);
    EXPECT_EQ(install(nullptr, nullptr), 0) << "no folder";
    std::string tooLong(300, 'x');
    EXPECT_EQ(install(nullptr, tooLong.c_str()), 0);
    FreeLibrary(library);
}

INT_PTR CALLBACK KeepOpen(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

TEST_F(InstallerOnWine, TemplatesAndStringsAsTheLibraryCarriesThem) {
    HMODULE data = LoadLibraryExA("vtinst.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr);
    auto text = [&](int id) {
        char buf[256] = "";
        LoadStringA(data, static_cast<UINT>(id), buf, sizeof buf);
        return std::string(buf);
    };
    EXPECT_EQ(text(IDS_EMPTY), "empty");
    EXPECT_EQ(text(IDS_FULL), "full");
    const char* tabs[] = {"Desktop", "Start", "Folder", "Drive", "Misc."};
    for (int t = 0; t < 5; ++t) EXPECT_EQ(text(IDS_TAB_FIRST + t), tabs[t]);
    for (int r = 0; r < kFirstCursorRow; ++r)
        EXPECT_EQ(text(IDS_ITEM_FIRST + r), InstallerItemName(r)) << "row " << r;
    EXPECT_EQ(text(IDS_ITEM_FIRST + 14), "Network Drive (Offline)");

    HWND notice =
        CreateDialogParamA(data, MAKEINTRESOURCEA(IDD_FAULTY_SHELL), nullptr, KeepOpen, 0);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(test::WindowTitle(notice), "Vantoro 98");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(test::ControlText(notice, IDC_NOTICE_FIRST + i), kFaultyShellTexts[i]);
    EXPECT_EQ(test::ControlText(notice, IDOK), "OK");
    DestroyWindow(notice);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    HWND main = CreateDialogParamA(data, MAKEINTRESOURCEA(IDD_INSTALL_ICON), nullptr, KeepOpen, 0);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(test::WindowTitle(main), "Install Icon");
    EXPECT_EQ(test::ControlText(main, IDC_INSTALLING), "Installing");
    EXPECT_EQ(test::ControlText(main, IDC_HINT),
              "Select the system icon to install to and confirm using Apply.");
    EXPECT_EQ(test::ControlText(main, IDC_APPLY), "A&pply");
    EXPECT_EQ(test::ControlText(main, IDCANCEL), "&Cancel");
    EXPECT_EQ(test::WindowClass(GetDlgItem(main, IDC_TABS)), "SysTabControl32");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(main, IDC_ROWS), GWL_STYLE) & LBS_OWNERDRAWFIXED);
    DestroyWindow(main);
    FreeLibrary(data);
}

}  // namespace
}  // namespace vt
