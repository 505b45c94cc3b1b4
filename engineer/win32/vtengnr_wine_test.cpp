// The Engineer program under Wine: VTENGNR.EXE started by the UI driver on the test prefix, its
// resources, its pages and its pictures.

#include <windows.h>
#include <commctrl.h>
#include <dde.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engineer/win32/resource.h"
#include "engineer/win32/wine_fixture.h"
#include "engineer/win32/vtengnr_wine_testutil.h"
#include "appservices/settings_layout.h"
#include "engineer/engineer_settings.h"
#include "librarian/exchange_blocks.h"
#include "sysicons/icon_cache.h"
#include "sysicons/install_icon_file.h"
#include "sysicons/system_object_table.h"

namespace vt::test {
namespace {

constexpr int kMyComputer = 0, kHardDrive = 12, kWait = 43;

// The texts of a dialog template (DLGTEMPLATE, not the extended form): caption, then each item's.
std::vector<std::string> TemplateTexts(HMODULE module, int id) {
    std::vector<std::string> texts;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found) return texts;
    const auto* p = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    const uint8_t* end = p + SizeofResource(module, found);
    const uint8_t* at = p;
    auto word = [&] {
        uint16_t w = at + 2 <= end ? static_cast<uint16_t>(at[0] | at[1] << 8) : 0;
        at += 2;
        return w;
    };
    // A string or ordinal: 0xFFFF and a number, or UTF-16 text up to a zero.
    auto text = [&] {
        std::string s;
        if (at + 2 <= end && at[0] == 0xFF && at[1] == 0xFF) {
            at += 4;
            return s;
        }
        for (uint16_t c; (c = word()) != 0 && at <= end;) s += static_cast<char>(c < 128 ? c : '?');
        return s;
    };
    const uint32_t style = static_cast<uint32_t>(word() | word() << 16);
    at += 4;  // extended style
    const int items = word();
    at += 8;  // x, y, cx, cy
    text();   // menu
    text();   // class
    texts.push_back(text());
    if (style & DS_SETFONT) {
        word();
        text();
    }
    for (int i = 0; i < items && at < end; ++i) {
        at = p + ((at - p + 3) & ~3);
        at += 8 + 8 + 2;  // style, extended style, x, y, cx, cy, id
        text();           // class
        texts.push_back(text());
        const int extra = word();
        at += extra;
    }
    return texts;
}

TEST(EngineerResources, StringsAndTheFaultyShellTemplateAreInTheProgram) {
    const std::string exe = BinDir() + "\\VTENGNR.exe";
    HMODULE m = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(m, nullptr) << exe;
    auto str = [m](int id) {
        char buf[512] = {};
        LoadStringA(m, static_cast<UINT>(id), buf, sizeof buf);
        return std::string(buf);
    };
    EXPECT_EQ(str(1282), "empty");
    EXPECT_EQ(str(1283), "full");
    const char* categories[] = {"System", "Desktop", "Start", "Folder", "Drive", "Misc.", "Cursor"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(str(1316 + i), categories[i]);
    EXPECT_EQ(str(1323), "Local");
    EXPECT_EQ(str(1324), "Motif");
    EXPECT_EQ(str(1347), "untitled");
    EXPECT_EQ(str(1353), "Updates");
    EXPECT_EQ(str(1354), "Include");
    EXPECT_EQ(str(1361), "16");
    EXPECT_EQ(str(1362), "65 thousand");
    EXPECT_EQ(str(1363), "16 million");
    // The item names are the table's, one for one.
    for (int r = 0; r < kSystemObjectCount; ++r)
        EXPECT_EQ(str(kSystemObjectTable[size_t(r)].stringId), kSystemObjectTable[size_t(r)].itemName) << r;
    // Every menu command, popup and system command has its help string.
    for (int id : {900, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1035, 1036, 1037, 1038, 1040, 1041,
                   1042, 1043, 1101, 1102, 1103, 1104, 1105, 61440, 61456, 61472, 61488, 61536, 61728})
        EXPECT_FALSE(str(id).empty()) << id;

    const std::vector<std::string> faulty = TemplateTexts(m, IDD_FAULTY_SHELL);
    ASSERT_EQ(faulty.size(), 6u);
    EXPECT_EQ(faulty[0], "Vantoro Engineer");
    EXPECT_EQ(faulty[1].rfind("Engineer has detected that the original Windows shell for your NT 4.0 installation", 0), 0u);
    EXPECT_EQ(faulty[2],
              "The shell that was installed by IE 4.0 is unable to process changes to desktop icons without "
              "corrupting its own image list.  Unfortunately there is no way to workaround this problem.");
    EXPECT_EQ(faulty[3].rfind("Microsoft is aware of this situation", 0), 0u);
    EXPECT_EQ(faulty[4],
              "Engineer will run in a \"no-update\" mode under this shell for those users who would like to "
              "observe the program's design and features.");
    EXPECT_EQ(faulty[5], "OK");
    EXPECT_EQ(TemplateTexts(m, IDD_CONFIRM_REPLACE).at(0), "Confirm File Replace");
    EXPECT_EQ(TemplateTexts(m, IDD_CHANGE_ICON).at(0), "Change Icon");
    FreeLibrary(m);
}

TEST_F(EngineerProgram, PagesFollowTheTabsAndArePictured) {
    // The System page first: its settings shown, the list and row buttons hidden.
    EXPECT_EQ(WindowTitle(frame), "Vantoro Engineer");
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(Visible(IDC_LARGE_ICONS));
    EXPECT_FALSE(Visible(IDC_LIST));
    EXPECT_FALSE(Visible(IDC_USE_DEFAULT));
    EXPECT_TRUE(Visible(IDC_APPLY));
    EXPECT_FALSE(Visible(IDC_SAVE));
    EXPECT_EQ(StatusPart(1), "Local");
    EXPECT_TRUE(Picture("engineer-system.bmp"));

    SelectTab(kCategoryCursor);
    EXPECT_EQ(Page(), kCategoryCursor);
    EXPECT_TRUE(Visible(IDC_LIST));
    EXPECT_FALSE(Visible(IDC_LARGE_ICONS));
    EXPECT_EQ(ItemHeightWord(), GetSystemMetrics(SM_CXICON) * 3 / 2);
    EXPECT_EQ(ListCount(), 15);
    EXPECT_TRUE(Picture("engineer-cursor.bmp"));
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

const char* const kShellIconsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

std::string Value(RegRoot root, const std::string& key, const std::string& name) {
    Win32Registry registry;
    std::string out;
    return registry.ReadString(root, key, name, &out) == kRegOk ? out : "(absent)";
}

// The user's way through "C&hange..." on an icon page: the "Change Icon" dialog with a typed
// name, or its "&Browse..." dialog; the quality warning for the missing formats answered OK.
void ChangeIconTo(EngineerProgram& t, const std::string& path, bool browse, bool pictures = false) {
    t.PostClick(t.dialog, IDC_CHANGE);
    HWND change = t.WaitForDialog("Change Icon");
    ASSERT_NE(change, nullptr);
    if (browse) {
        t.PostClick(change, IDC_BROWSE);
        AnswerFileDialog(t.WaitForDialog("Browse for Icons"), path);
    } else {
        SetDlgItemTextA(change, IDC_FILE_NAME, path.c_str());
    }
    ASSERT_TRUE(WaitUntil([&] { return ControlText(change, IDC_FILE_NAME) == path && !t.FindDialog("Browse for Icons"); },
                          kDefaultWaitMs, "the chosen file in the dialog"));
    if (pictures) {
        EXPECT_TRUE(t.Picture("engineer-change-icon.bmp"));
    }
    t.PostClick(change, IDOK);
    HWND warning = t.WaitForDialog("Image Quality Warning");
    ASSERT_NE(warning, nullptr);
    if (pictures) {
        // The 32 x 32 16-colour format is there and desired; 256 colours are not desired.
        EXPECT_TRUE(IsDlgButtonChecked(warning, IDC_FORMAT_FIRST + 1));
        EXPECT_FALSE(IsDlgButtonChecked(warning, IDC_FORMAT_FIRST));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(warning, IDC_FORMAT_FIRST)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(warning, IDC_FORMAT_FIRST + 3)));
        EXPECT_TRUE(t.Picture("engineer-quality-warning.bmp"));
    }
    t.PostClick(warning, IDOK);
    // The row shows its new file once it took it.
    ASSERT_TRUE(WaitUntil([&] { return t.StatusPart(0) == path + ",0"; }, kDefaultWaitMs, "the row to take the file"));
}

TEST_F(EngineerProgram, ApplyWritesTheChosenIconsAndCursorAndUseDefaultTakesThemBack) {
    const std::string dir = ScratchDir("engineer_program_apply");
    const std::string ico = dir + "\\disk.ico", cur = dir + "\\pointer.cur";
    ASSERT_TRUE(WriteBytes(ico, SmallIconFile(1)));
    ASSERT_TRUE(WriteBytes(cur, SmallIconFile(2)));
    Win32Registry registry;
    Win32Shell shell;
    Win32FileSystem files;
    RawEnvironment raw;
    ASSERT_TRUE(DetectRawEnvironment(registry, &raw));
    SystemIcons icons(registry, shell, files, DeriveEnvironment(raw), vt::Program::Engineer);
    ASSERT_TRUE(icons.Prepare());
    const std::string folder = InstalledIconsFolder(icons.facts());
    for (int row : {kHardDrive, kMyComputer})
        for (const auto& name : files.FindFiles(folder, InstalledNamePrefix(icons, row), ".ico")) {
            files.SetAttributes(folder + "\\" + name, kAttrNormal);
            files.Delete(folder + "\\" + name);
        }
    const bool perUser = icons.facts().perUserClasses;
    const std::string classKey =
        (perUser ? std::string("Software\\Classes\\") : std::string()) + kRegistryLocations[0].keyPath + "\\DefaultIcon";
    const RegRoot classRoot = perUser ? RegRoot::CurrentUser : RegRoot::ClassesRoot;

    SelectTab(kCategoryDesktop);
    ASSERT_TRUE(SelectRow(kMyComputer));
    ChangeIconTo(*this, ico, false);
    EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_CATEGORY_FIRST + kCategoryDesktop));
    EXPECT_TRUE(Picture("engineer-desktop-included.bmp"));
    // Cleared, the Desktop box leaves My Computer out of the next Apply: the excluded mark.
    ClickBox(IDC_CATEGORY_FIRST + kCategoryDesktop);
    EXPECT_TRUE(Picture("engineer-desktop-excluded.bmp"));
    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    ChangeIconTo(*this, ico, true);
    EXPECT_EQ(StatusPart(0), ico + ",0");
    SelectTab(kCategoryCursor);
    ASSERT_TRUE(SelectRow(kWait));
    PostClick(dialog, IDC_CHANGE);
    AnswerFileDialog(WaitForDialog("Browse for Cursors"), cur);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_CLEAR_UPDATE); }, kDefaultWaitMs, "the cursor to be pending"));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(StatusPart(0), cur);
    EXPECT_TRUE(Picture("engineer-cursor-pending.bmp"));

    PostClick(dialog, IDC_APPLY);
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(IDC_APPLY); }, kDefaultWaitMs, "Apply to finish"));
    // My Computer's category was left out: nothing written, the row still pending.
    EXPECT_EQ(Value(classRoot, classKey, ""), "(absent)");
    SelectTab(kCategoryDesktop);
    ASSERT_TRUE(SelectRow(kMyComputer));
    EXPECT_TRUE(Enabled(IDC_CLEAR_UPDATE));
    ClickBox(IDC_CATEGORY_FIRST + kCategoryDesktop);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_APPLY); }, kDefaultWaitMs, "Apply for the Desktop row"));
    PostClick(dialog, IDC_APPLY);
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(IDC_APPLY); }, kDefaultWaitMs, "Apply to finish"));
    const std::string hardDrive = folder + "\\Hard Drive1.ico";
    const std::string myComputer = folder + "\\" + InstalledNamePrefix(icons, kMyComputer) + "1.ico";
    EXPECT_EQ(Value(RegRoot::LocalMachine, kShellIconsKey, "8"), hardDrive + ",0");
    EXPECT_EQ(Value(classRoot, classKey, ""), myComputer + ",0");
    EXPECT_EQ(Value(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait"), cur);
    uint32_t attributes = 0;
    ASSERT_TRUE(files.GetAttributes(hardDrive, &attributes));
    EXPECT_EQ(attributes, kAttrHidden | kAttrSystem | kAttrReadOnly);
    // The same values as the system's registry tool shows them (asked again should the tool's
    // start fail on a loaded machine).
    std::string query;
    EXPECT_TRUE(WaitUntil([&] {
        query = RunAndCapture("reg query \"HKLM\\" + std::string(kShellIconsKey) + "\" /v 8");
        return query.find(hardDrive + ",0") != std::string::npos;
    }, kDefaultWaitMs, "reg query of Shell Icons")) << query;
    EXPECT_TRUE(WaitUntil([&] {
        query = RunAndCapture("reg query \"HKCU\\Control Panel\\Cursors\" /v Wait");
        return query.find(cur) != std::string::npos;
    }, kDefaultWaitMs, "reg query of the Wait cursor")) << query;

    // "Use Default" and Apply take all three back.
    for (auto [page, row] : {std::pair{kCategoryCursor, kWait}, {kCategoryDrive, kHardDrive}, {kCategoryDesktop, kMyComputer}}) {
        SelectTab(page);
        ASSERT_TRUE(SelectRow(row));
        ASSERT_TRUE(Enabled(IDC_USE_DEFAULT)) << row;
        PostClick(dialog, IDC_USE_DEFAULT);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_CLEAR_UPDATE); }, kDefaultWaitMs, "the default to be pending"));
        EXPECT_FALSE(Enabled(IDC_USE_DEFAULT)) << "the default is already the row's choice";
    }
    PostClick(dialog, IDC_APPLY);
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(IDC_APPLY); }, kDefaultWaitMs, "Apply to finish"));
    EXPECT_EQ(Value(RegRoot::LocalMachine, kShellIconsKey, "8"), "(absent)");
    EXPECT_EQ(Value(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait"), "(absent)");
    EXPECT_EQ(Value(classRoot, classKey, ""), icons.facts().shell32Path + ",15");
    // The prefix is shared by later runs: My Computer as Wine has it.
    registry.DeleteValue(classRoot, classKey, "");
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// Closing with a pending row asks first; No keeps the Engineer, Yes ends it with 0 (TearDown).
TEST_F(EngineerProgram, ClosingWithAPendingRowAsksAndNoKeepsItRunning) {
    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    ASSERT_TRUE(Enabled(IDC_USE_DEFAULT));
    PostClick(dialog, IDC_USE_DEFAULT);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_CLEAR_UPDATE); }, kDefaultWaitMs, "the row to be pending"));
    for (int way = 0; way < 2; ++way) {
        // The close box, then "E&xit".
        if (way == 0)
            PostMessageA(frame, WM_CLOSE, 0, 0);
        else
            PostCommand(frame, IDM_EXIT);
        HWND question = WaitForDialog("Vantoro Engineer");
        ASSERT_NE(question, nullptr);
        EXPECT_NE(AllChildTexts(question).find("The workspace has been updated."), std::string::npos);
        PostMessageA(question, WM_COMMAND, IDNO, 0);
        ASSERT_TRUE(WaitUntil([&] { return !FindDialog("Vantoro Engineer"); }, kDefaultWaitMs, "the question to close"));
        EXPECT_TRUE(program.running());
        EXPECT_TRUE(IsWindow(frame));
    }
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// A sending program's window in this process: it offers drops to the Engineer and records what
// comes back.
class DropSender {
  public:
    DropSender() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VtTestDropSender";
        RegisterClassA(&wc);
        m_hwnd = CreateWindowA(wc.lpszClassName, "sender", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~DropSender() { DestroyWindow(m_hwnd); }

    // 992 with "Vantoro" and "Shields down!"; true when the Engineer acknowledged it.
    bool Initiate(HWND engineer) {
        m_acks.clear();
        m_initiateAcknowledged = false;
        const ATOM application = GlobalAddAtomA("Vantoro"), topic = GlobalAddAtomA("Shields down!");
        DWORD_PTR r = 0;
        SendMessageTimeoutA(engineer, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(m_hwnd), MAKELPARAM(application, topic),
                            SMTO_NORMAL, kDefaultWaitMs, &r);
        GlobalDeleteAtom(application);
        GlobalDeleteAtom(topic);
        return m_initiateAcknowledged;
    }
    // 999 with the block; then waits for the acknowledgement and the termination. Returns the
    // acknowledgement's status, -1 when none came. (Wine carries a poke to another process only
    // with a block it can read, so a block that cannot be locked is left to the core's tests.)
    int Poke(HWND engineer, const std::vector<uint8_t>& bytes) {
        m_acks.clear();
        m_terminated = false;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, bytes.size());
        memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        const ATOM item = GlobalAddAtomA("file");
        const UINT_PTR memory = reinterpret_cast<UINT_PTR>(block);
        PostMessageA(engineer, WM_DDE_POKE, reinterpret_cast<WPARAM>(m_hwnd), PackDDElParam(WM_DDE_POKE, memory, item));
        WaitUntil(
            [&] {
                MSG msg;
                // Not filtered by window: Wine hands over the DDE messages of other processes
                // only to an unfiltered peek.
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
                return !m_acks.empty() && m_terminated;
            },
            kDefaultWaitMs, "the acknowledgement and the termination");
        GlobalDeleteAtom(item);
        const int status = m_acks.empty() ? -1 : m_acks.back();
        if (status != 0x8000 && block) GlobalFree(block);
        return status;
    }
    HWND hwnd() const { return m_hwnd; }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<DropSender*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self && msg == WM_DDE_ACK) {
            if (InSendMessage()) {  // the answer to the initiate
                self->m_initiateAcknowledged = true;
                GlobalDeleteAtom(LOWORD(lp));
                GlobalDeleteAtom(HIWORD(lp));
                return 0;
            }
            UINT_PTR status = 0, item = 0;
            UnpackDDElParam(WM_DDE_ACK, lp, &status, &item);
            FreeDDElParam(WM_DDE_ACK, lp);
            self->m_acks.push_back(static_cast<int>(status & 0xFFFF));
            return 0;
        }
        if (self && msg == WM_DDE_TERMINATE) {
            self->m_terminated = true;
            return 0;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }

    HWND m_hwnd = nullptr;
    bool m_initiateAcknowledged = false;
    std::vector<int> m_acks;
    bool m_terminated = false;
};

TEST_F(EngineerProgram, AnIconDroppedOnARowIsTakenAndBadDropsAreRefused) {
    const std::string dir = ScratchDir("engineer_program_drop");
    const std::string ico = dir + "\\dropped.ico";
    ASSERT_TRUE(WriteBytes(ico, SmallIconFile(1)));
    SelectTab(kCategoryDrive);
    HWND list = GetDlgItem(dialog, IDC_LIST);
    // The point over Hard Drive's entry, as the list places it.
    int entry = -1;
    for (int i = 0; i < ListCount(); ++i)
        if (SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == kHardDrive) entry = i;
    ASSERT_GE(entry, 0);
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    POINT onRow{10, (entry - top) * height + height / 2};
    ClientToScreen(list, &onRow);
    FileNamesBlock good;
    good.x = onRow.x;
    good.y = onRow.y;
    good.names = {ico};
    const uint16_t format = static_cast<uint16_t>(RegisterClipboardFormatA("VtIcon"));
    DropSender sender;

    // Bad drops: each refused with a negative acknowledgement and the termination; the Engineer
    // runs on and nothing becomes pending.
    struct Bad {
        const char* what;
        std::vector<uint8_t> bytes;
        bool initiate = true;
    };
    FileNamesBlock outside = good;
    outside.x = onRow.x - 2000;
    FileNamesBlock longName = good;
    longName.names = {std::string(300, 'a') + ".ico"};
    std::vector<uint8_t> unterminated = BuildFileNamesBlock(format, good);
    unterminated.resize(24 + 5);
    std::vector<Bad> bad = {
        {"outside the list", BuildFileNamesBlock(format, outside)},
        {"a name of 300 characters", BuildFileNamesBlock(format, longName)},
        {"a block under 24 bytes", std::vector<uint8_t>(20, 0)},
        {"a name that does not end in the block", unterminated},
        {"a window that is not the peer", BuildFileNamesBlock(format, good), false},
    };
    for (const Bad& b : bad) {
        if (b.initiate) {
            ASSERT_TRUE(sender.Initiate(frame)) << b.what;
        }
        EXPECT_EQ(sender.Poke(frame, b.bytes), 0) << b.what;
        EXPECT_TRUE(program.running()) << b.what;
        EXPECT_FALSE(Enabled(IDC_RESET_ALL)) << b.what;
    }
    // On the System page, and while a modal dialog is open, no row takes a drop.
    SelectTab(kCategorySystem);
    ASSERT_TRUE(sender.Initiate(frame));
    EXPECT_EQ(sender.Poke(frame, BuildFileNamesBlock(format, good)), 0) << "System page";
    SelectTab(kCategoryDrive);
    PostCommand(frame, IDM_QUALITY_CHECK);
    HWND quality = WaitForDialog("Icon Quality Check");
    ASSERT_NE(quality, nullptr);
    ASSERT_TRUE(sender.Initiate(frame));
    EXPECT_EQ(sender.Poke(frame, BuildFileNamesBlock(format, good)), 0) << "modal dialog";
    PostClick(quality, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !FindDialog("Icon Quality Check"); }, kDefaultWaitMs, "the dialog to close"));
    EXPECT_FALSE(Enabled(IDC_RESET_ALL));

    // The good drop: acknowledged before the quality warning, which is answered OK.
    ASSERT_TRUE(sender.Initiate(frame));
    std::vector<uint8_t> bytes = BuildFileNamesBlock(format, good);
    int status = -1;
    std::thread answer([&] {
        if (HWND warning = WaitForDialog("Image Quality Warning")) PostClick(warning, IDOK);
    });
    status = sender.Poke(frame, bytes);
    answer.join();
    EXPECT_EQ(status, 0x8000);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_CLEAR_UPDATE); }, kDefaultWaitMs, "the row to take the file"));
    EXPECT_EQ(StatusPart(0), ico + ",0");
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// Apply, with any question the Engineer asks meanwhile (the restart question) answered No.
void ApplyAnsweringNo(EngineerProgram& t, bool* asked = nullptr) {
    t.PostClick(t.dialog, IDC_APPLY);
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (HWND question = t.FindDialog("Vantoro Engineer")) {
                if (asked) *asked = true;
                PostMessageA(question, WM_COMMAND, IDNO, 0);
            }
            return !t.Enabled(IDC_APPLY) && !t.FindDialog("Vantoro Engineer");
        },
        kDefaultWaitMs, "Apply to finish"));
}

TEST_F(EngineerProgram, SystemPageSettingsAreWrittenByApply) {
    ICONMETRICSA metrics{sizeof metrics};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONMETRICS, sizeof metrics, &metrics, 0));
    const std::string bpp = Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon BPP");
    const std::string size = Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size");
    const bool overlays = Value(RegRoot::ClassesRoot, "lnkfile", "IsShortcut") != "(absent)";
    ASSERT_EQ(Page(), kCategorySystem);

    // 200 typed as the horizontal spacing shows 150 and ticks the System box; Reset All undoes it.
    SetDlgItemTextA(dialog, IDC_HSPACING, "200");
    ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_HSPACING) == "150"; }, kDefaultWaitMs, "the clamped value"));
    EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_CATEGORY_FIRST));
    EXPECT_TRUE(Enabled(IDC_CATEGORY_FIRST));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    PostClick(dialog, IDC_RESET_ALL);
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(IDC_APPLY); }, kDefaultWaitMs, "Reset All"));
    EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_CATEGORY_FIRST));

    // 16 bits through the colour depth dialog: "Shell Icon BPP" and the restart question.
    PostClick(dialog, IDC_COLOURS_BUTTON);
    HWND depth = WaitForDialog("Icon Color Depth");
    ASSERT_NE(depth, nullptr);
    SendMessageA(GetDlgItem(depth, IDC_DEPTH_16), BM_CLICK, 0, 0);
    PostClick(depth, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_COLOURS_LABEL) == "Maximum Icon Colors: 65 thousand"; },
                          kDefaultWaitMs, "the new label"));
    bool asked = false;
    ApplyAnsweringNo(*this, &asked);
    EXPECT_TRUE(asked) << "the restart question";
    EXPECT_EQ(Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon BPP"), "16");

    // Large icons, then shortcut overlays off and on again.
    ClickBox(IDC_LARGE_ICONS);
    ApplyAnsweringNo(*this);
    EXPECT_EQ(Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "48");
    for (int round = 0; round < 2; ++round) {
        ClickBox(IDC_OVERLAYS);
        ApplyAnsweringNo(*this);
        const bool on = IsDlgButtonChecked(dialog, IDC_OVERLAYS) == BST_CHECKED;
        for (const char* cls : {"lnkfile", "piffile", "Dialer10CallingCard", "InternetShortcut"})
            EXPECT_EQ(Value(RegRoot::ClassesRoot, cls, "IsShortcut") != "(absent)", on) << cls << " round " << round;
    }

    // The prefix as it was.
    Win32Registry registry;
    for (auto [name, old] : {std::pair{"Shell Icon BPP", bpp}, {"Shell Icon Size", size}}) {
        if (old == "(absent)")
            registry.DeleteValue(RegRoot::CurrentUser, kWindowMetricsKey, name);
        else
            registry.WriteString(RegRoot::CurrentUser, kWindowMetricsKey, name, old, {});
    }
    if (!overlays)
        for (const char* cls : {"lnkfile", "piffile", "Dialer10CallingCard", "InternetShortcut"})
            registry.DeleteValue(RegRoot::ClassesRoot, cls, "IsShortcut");
    SystemParametersInfoA(SPI_SETICONMETRICS, sizeof metrics, &metrics, SPIF_UPDATEINIFILE);
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

std::string ProfileValue(const std::string& file, const char* section, const char* key) {
    char text[512] = {};
    GetPrivateProfileStringA(section, key, "(absent)", text, sizeof text, file.c_str());
    return text;
}

bool Grayed(HWND frame, int id) { return (MenuItemState(frame, static_cast<UINT>(id)) & MF_GRAYED) != 0; }

TEST_F(EngineerProgram, MotifsAreSavedReopenedAndGuarded) {
    const std::string dir = ScratchDir("engineer_program_motif");
    const std::string ico = dir + "\\disk.ico", cur = dir + "\\pointer.cur";
    ASSERT_TRUE(WriteBytes(ico, SmallIconFile(1)));
    ASSERT_TRUE(WriteBytes(cur, SmallIconFile(2)));
    const char* shellIcons = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

    PostCommand(frame, IDM_MOTIF_MODE);
    ASSERT_TRUE(WaitUntil([&] { return StatusPart(1) == "Motif"; }, kDefaultWaitMs, "Motif Mode"));
    EXPECT_EQ(WindowTitle(frame), "Vantoro Engineer- untitled");
    EXPECT_EQ(Page(), kCategoryDesktop);
    EXPECT_FALSE(Visible(IDC_APPLY));
    EXPECT_TRUE(Visible(IDC_SAVE_AS));
    EXPECT_FALSE(Grayed(frame, IDM_NEW));
    EXPECT_TRUE(Grayed(frame, IDM_SAVE));
    EXPECT_TRUE(Grayed(frame, IDM_SAVE_AS));
    EXPECT_TRUE(Picture("engineer-motif.bmp"));

    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    ChangeIconTo(*this, ico, false, true);
    SelectTab(kCategoryCursor);
    ASSERT_TRUE(SelectRow(kWait));
    PostClick(dialog, IDC_CHANGE);
    AnswerFileDialog(WaitForDialog("Browse for Cursors"), cur);
    ASSERT_TRUE(WaitUntil([&] { return !Grayed(frame, IDM_SAVE_AS); }, kDefaultWaitMs, "a modified Motif"));

    // Save As through the dialog: the entries and the companion files beside the Motif.
    const std::string first = dir + "\\first.motif";
    PostCommand(frame, IDM_SAVE_AS);
    AnswerFileDialog(WaitForDialog("Save Motif File"), first);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(frame) == "Vantoro Engineer- first"; }, kDefaultWaitMs, "the saved title"));
    EXPECT_EQ(ProfileValue(first, "Software Credits", "Software"), "Vantoro(tm)");
    EXPECT_EQ(ProfileValue(first, shellIcons, "8"), "%Folder%first Hard Drive.ico,0");
    EXPECT_EQ(ProfileValue(first, "Control Panel\\Cursors", "Wait"), "%Folder%first Wait.cur");
    EXPECT_EQ(GetFileAttributesA((dir + "\\first Hard Drive.ico").c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(ReadBytes(dir + "\\first Wait.cur"), SmallIconFile(2));
    EXPECT_TRUE(Grayed(frame, IDM_SAVE));

    // New, then the recent entry opens it again unmodified.
    PostCommand(frame, IDM_NEW);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(frame) == "Vantoro Engineer- untitled"; }, kDefaultWaitMs, "New"));
    PostCommand(frame, IDM_RECENT_FIRST);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(frame) == "Vantoro Engineer- first"; }, kDefaultWaitMs, "the reopened Motif"));
    EXPECT_TRUE(Grayed(frame, IDM_SAVE));

    // Saved elsewhere, the reopened Motif writes the same entries under its new name.
    const std::string second = dir + "\\second.motif";
    PostCommand(frame, IDM_SAVE_AS);
    AnswerFileDialog(WaitForDialog("Save Motif File"), second);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(frame) == "Vantoro Engineer- second"; }, kDefaultWaitMs, "the second save"));
    EXPECT_EQ(ProfileValue(second, shellIcons, "8"), "%Folder%second Hard Drive.ico,0");
    EXPECT_EQ(ProfileValue(second, "Control Panel\\Cursors", "Wait"), "%Folder%second Wait.cur");
    EXPECT_EQ(ReadBytes(dir + "\\second Wait.cur"), SmallIconFile(2));

    // "Use Default" takes the row out of the Motif: Save is enabled and the change is guarded.
    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    ASSERT_TRUE(Enabled(IDC_USE_DEFAULT));
    PostClick(dialog, IDC_USE_DEFAULT);
    ASSERT_TRUE(WaitUntil([&] { return !Grayed(frame, IDM_SAVE); }, kDefaultWaitMs, "Save after Use Default"));
    EXPECT_TRUE(Enabled(IDC_SAVE));
    PostCommand(frame, IDM_LOCAL_UPDATE);
    HWND question = WaitForDialog("Vantoro Engineer");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([&] { return !FindDialog("Vantoro Engineer"); }, kDefaultWaitMs, "the question to close"));
    EXPECT_EQ(StatusPart(1), "Motif");
    EXPECT_TRUE(MenuItemState(frame, IDM_MOTIF_MODE) & MF_CHECKED);

    // Another icon for the drive, saved over the Motif: the companions already there are asked
    // about first.
    std::vector<uint8_t> other = SmallIconFile(1);
    other[other.size() - 200] ^= 0x55;  // a different picture
    const std::string ico2 = dir + "\\disk2.ico";
    ASSERT_TRUE(WriteBytes(ico2, other));
    ASSERT_TRUE(SelectRow(kHardDrive));
    ChangeIconTo(*this, ico2, false);
    PostCommand(frame, IDM_SAVE);
    HWND replace = WaitForDialog("Confirm File Replace");
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(ControlText(replace, IDC_REPLACE_TEXT),
              "This folder already contains a file called 'second Hard Drive.ico'.");
    EXPECT_EQ(ControlText(replace, IDC_INCOMING_SIZE), std::to_string(other.size()) + " bytes, created or last modified on");
    EXPECT_FALSE(ControlText(replace, IDC_EXISTING_DATE).empty());
    EXPECT_TRUE(Picture("engineer-confirm-replace.bmp"));
    // "Yes to All" also answers for the cursor's companion, which comes from the first Motif.
    PostClick(replace, IDC_YES_TO_ALL);
    ASSERT_TRUE(WaitUntil([&] { return Grayed(frame, IDM_SAVE); }, kDefaultWaitMs, "the save to end"));
    EXPECT_FALSE(FindDialog("Confirm File Replace"));
    EXPECT_EQ(ReadBytes(dir + "\\second Hard Drive.ico"), other);
    EXPECT_EQ(ReadBytes(dir + "\\second Wait.cur"), SmallIconFile(2));
    EXPECT_EQ(ProfileValue(second, shellIcons, "8"), "%Folder%second Hard Drive.ico,0");
}

// A blank image brings the "Empty Image Warning!"; Cancel leaves the row as it was.
TEST_F(EngineerProgram, ABlankIconIsQuestionedAndCancelKeepsTheRow) {
    const std::string dir = ScratchDir("engineer_program_blank");
    const std::string blank = dir + "\\blank.ico";
    std::vector<uint8_t> bytes = SmallIconFile(1);
    std::fill(bytes.end() - 4 * 32, bytes.end(), uint8_t{0xFF});  // every mask bit transparent
    ASSERT_TRUE(WriteBytes(blank, bytes));
    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    const std::string before = StatusPart(0);
    PostClick(dialog, IDC_CHANGE);
    HWND change = WaitForDialog("Change Icon");
    ASSERT_NE(change, nullptr);
    SetDlgItemTextA(change, IDC_FILE_NAME, blank.c_str());
    PostClick(change, IDOK);
    HWND warning = WaitForDialog("Empty Image Warning!");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(ControlText(warning, IDC_BLANK_TEXT).rfind(
                  "At least one blank image has been detected in the file 'blank.ico'.  The image is in the 16 "
                  "color format and is 32x32 pixels in size.", 0),
              0u);
    EXPECT_TRUE(Picture("engineer-blank-warning.bmp"));
    PostClick(warning, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !FindDialog("Empty Image Warning!") && !FindDialog("Change Icon"); },
                          kDefaultWaitMs, "the dialogs to close"));
    EXPECT_FALSE(Enabled(IDC_CLEAR_UPDATE));
    EXPECT_EQ(StatusPart(0), before);
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// The Engineer's settings keys, saved before a test and put back after it.
class SavedEngineerSettings {
  public:
    SavedEngineerSettings() : m_settings(LoadEngineerSettings(m_registry)), m_recent(LoadRecentMotifs(m_registry)) {}
    ~SavedEngineerSettings() {
        SaveEngineerSettings(m_registry, m_settings);
        SaveRecentMotifs(m_registry, m_recent);
    }

  private:
    Win32Registry m_registry;
    EngineerSettings m_settings;
    MruList m_recent;
};

// The Engineer started after its settings were saved; they are put back once it ended.
class EngineerSettingsProgram : public EngineerProgram {
  public:
    void SetUp() override {
        m_saved = std::make_unique<SavedEngineerSettings>();
        EngineerProgram::SetUp();
    }
    void TearDown() override {
        EngineerProgram::TearDown();
        m_saved.reset();
    }

  private:
    std::unique_ptr<SavedEngineerSettings> m_saved;
};

// "Icon Quality Check": 701 enables the six boxes; OK sets the menu mark and, after exit, the
// 28-byte "Quality Checking" value.
TEST_F(EngineerSettingsProgram, QualityCheckChoicesAreKeptAfterExit) {
    EngineerProgram& t = *this;
    EXPECT_TRUE(MenuItemState(t.frame, IDM_QUALITY_CHECK) & MF_CHECKED);
    PostCommand(t.frame, IDM_QUALITY_CHECK);
    HWND dlg = t.WaitForDialog("Icon Quality Check");
    ASSERT_NE(dlg, nullptr);
    SendMessageA(GetDlgItem(dlg, IDC_CHECK_ICONS), BM_CLICK, 0, 0);
    for (int id = IDC_DESIRED_FIRST; id < IDC_DESIRED_FIRST + 6; ++id) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, id))) << id;
    SendMessageA(GetDlgItem(dlg, IDC_CHECK_ICONS), BM_CLICK, 0, 0);
    for (int id = IDC_DESIRED_FIRST; id < IDC_DESIRED_FIRST + 6; ++id) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, id))) << id;
    SendMessageA(GetDlgItem(dlg, IDC_DESIRED_FIRST + 4), BM_CLICK, 0, 0);  // 32x32 256 colours
    SendMessageA(GetDlgItem(dlg, IDC_CHECK_ICONS), BM_CLICK, 0, 0);         // checking off
    t.PostClick(dlg, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !(MenuItemState(t.frame, IDM_QUALITY_CHECK) & MF_CHECKED); }, kDefaultWaitMs,
                          "the menu mark to go"));
    t.EngineerProgram::TearDown();
    Win32Registry registry;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(registry.ReadBinary(RegRoot::CurrentUser, SettingsKeyPath("Engineer", "Persistent"), "Quality Checking", 64,
                                  &bytes),
              kRegOk);
    ASSERT_EQ(bytes.size(), 28u);
    // Seven little-endian integers: checking off, 16-colour formats, then 256 colours 32x32 only.
    const std::vector<uint8_t> expected = {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                           0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
}

// Five Motifs opened leave four in the recent list after exit; one deleted since is dropped when
// it is opened from the list.
TEST_F(EngineerSettingsProgram, RecentMotifsKeepFourAndDropOneThatNoLongerOpens) {
    EngineerProgram& t = *this;
    const std::string dir = ScratchDir("engineer_program_recent");
    ASSERT_TRUE(WriteBytes(dir + "\\pointer.cur", SmallIconFile(2)));
    std::vector<std::string> motifs;
    for (int i = 1; i <= 5; ++i) {
        motifs.push_back(dir + "\\set" + std::to_string(i) + ".motif");
        WritePrivateProfileStringA("Software Credits", "Software", "Vantoro(tm)", motifs.back().c_str());
        WritePrivateProfileStringA("Control Panel\\Cursors", "Wait", "%Folder%pointer.cur", motifs.back().c_str());
    }
    PostCommand(t.frame, IDM_MOTIF_MODE);
    ASSERT_TRUE(WaitUntil([&] { return t.StatusPart(1) == "Motif"; }, kDefaultWaitMs, "Motif Mode"));
    for (const std::string& m : motifs) {
        PostCommand(t.frame, IDM_OPEN);
        AnswerFileDialog(t.WaitForDialog("Open Motif File"), m);
        std::string name = m.substr(m.rfind('\\') + 1);
        name.resize(name.size() - 6);  // without ".motif"
        const std::string title = "Vantoro Engineer- " + name;
        ASSERT_TRUE(WaitUntil([&] { return WindowTitle(t.frame) == title; }, kDefaultWaitMs, title));
    }
    for (int id = IDM_RECENT_FIRST; id < IDM_RECENT_FIRST + 4; ++id) EXPECT_NE(MenuItemState(t.frame, id), -1) << id;
    EXPECT_NE(MenuItemState(t.frame, IDM_RECENT_SEPARATOR), -1);
    // The second entry (set4) is gone from its folder: opening it fails and drops it.
    DeleteFileA(motifs[3].c_str());
    PostCommand(t.frame, IDM_RECENT_FIRST + 1);
    ASSERT_TRUE(WaitUntil([&] { return MenuItemState(t.frame, IDM_RECENT_FIRST + 3) == -1; }, kDefaultWaitMs,
                          "the failed entry to leave the menu"));
    t.EngineerProgram::TearDown();
    Win32Registry registry;
    const std::string key = SettingsKeyPath("Engineer", "MRU List");
    std::string text;
    ASSERT_EQ(registry.ReadString(RegRoot::CurrentUser, key, "MRUCount", &text), kRegOk);
    EXPECT_EQ(text, "3");
    const char* expected[] = {"set5", "set3", "set2"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(registry.ReadString(RegRoot::CurrentUser, key, "MRU" + std::to_string(i + 1), &text), kRegOk);
        EXPECT_EQ(text, dir + "\\" + expected[i] + ".motif,0");
    }
    EXPECT_NE(registry.ReadString(RegRoot::CurrentUser, key, "MRU4", &text), kRegOk) << "the surplus value is deleted";
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// A change of the shell's icon size reaches the Engineer as a setting change: the list follows
// the size the system reports, the pending row keeps its choice; a cache rebuild keeps both the
// row and the size; Apply then writes the row.
TEST_F(EngineerProgram, SettingChangesAndCacheRebuildsKeepThePendingRow) {
    const std::string dir = ScratchDir("engineer_program_setting");
    const std::string ico = dir + "\\disk.ico";
    ASSERT_TRUE(WriteBytes(ico, SmallIconFile(1)));
    const std::string size = Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size");
    Win32Registry registry;
    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    ChangeIconTo(*this, ico, false);
    ASSERT_TRUE(Enabled(IDC_CLEAR_UPDATE));

    ASSERT_EQ(registry.WriteString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", "48", {}), kRegOk);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_WININICHANGE, 46, 0, SMTO_NORMAL, kDefaultWaitMs, &r));
    EXPECT_EQ(ItemHeightWord(), GetSystemMetrics(SM_CYICON) * 3 / 2);
    ASSERT_TRUE(SelectRow(kHardDrive));
    EXPECT_TRUE(Enabled(IDC_CLEAR_UPDATE));
    EXPECT_EQ(StatusPart(0), ico + ",0");

    PostCommand(frame, IDM_REBUILD_CACHE);
    ASSERT_TRUE(WaitUntil([&] { return Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size") == "48"; },
                          kDefaultWaitMs, "the rebuild to end on the custom size"));
    ASSERT_TRUE(SelectRow(kHardDrive));
    EXPECT_TRUE(Enabled(IDC_CLEAR_UPDATE));
    EXPECT_EQ(StatusPart(0), ico + ",0");

    ApplyAnsweringNo(*this);
    Win32Registry reader;
    std::string written;
    ASSERT_EQ(reader.ReadString(RegRoot::LocalMachine, kShellIconsKey, "8", &written), kRegOk);
    EXPECT_NE(written.find("Hard Drive"), std::string::npos) << written;

    // The prefix as it was: the drive's override and the icon size.
    registry.DeleteValue(RegRoot::LocalMachine, kShellIconsKey, "8");
    if (size == "(absent)")
        registry.DeleteValue(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size");
    else
        registry.WriteString(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", size, {});
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// "&Open" asks before the workspace goes, and a cancelled dialog leaves the pending row in place.
TEST_F(EngineerProgram, OpenCancelledKeepsThePendingRow) {
    SelectTab(kCategoryDrive);
    ASSERT_TRUE(SelectRow(kHardDrive));
    PostClick(dialog, IDC_USE_DEFAULT);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_CLEAR_UPDATE); }, kDefaultWaitMs, "the row to be pending"));
    PostCommand(frame, IDM_OPEN);
    HWND question = WaitForDialog("Vantoro Engineer");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    HWND open = WaitForDialog("Open Motif File");
    ASSERT_NE(open, nullptr);
    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !FindDialog("Open Motif File"); }, kDefaultWaitMs, "the dialog to close"));
    ASSERT_TRUE(SelectRow(kHardDrive));
    EXPECT_TRUE(Enabled(IDC_CLEAR_UPDATE));
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

// While a menu is browsed the status bar shows the item's help in one part; closed, the two
// parts come back.
TEST_F(EngineerProgram, MenuHelpShowsInTheStatusBar) {
    SelectTab(kCategoryDrive);
    DWORD_PTR r = 0;
    auto select = [&](UINT item, UINT flags, HMENU menu) {
        SendMessageTimeoutA(frame, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(menu),
                            SMTO_NORMAL, kDefaultWaitMs, &r);
    };
    // Menus belong to the Engineer's process; any non-null handle says "a menu is open".
    HMENU open = reinterpret_cast<HMENU>(1);
    select(IDM_OPEN, MF_STRING, open);
    EXPECT_EQ(StatusPart(0), "Opens a Motif or theme file");
    select(1, MF_POPUP, open);
    EXPECT_EQ(StatusPart(0), "Commands to choose the mode and the icon quality check");
    select(SC_CLOSE, MF_STRING | MF_SYSMENU, open);
    EXPECT_EQ(StatusPart(0), "Quits the Engineer");
    select(0, 0xFFFF, nullptr);
    EXPECT_EQ(StatusPart(1), "Local");
    EXPECT_FALSE(StatusPart(0).empty()) << "the selected row's location again";
}

// Without the harness's variable at start-up, the Engineer writes no picture for anyone.
TEST(EngineerPictures, RequestsAreIgnoredUnlessEnabledAtStartUp) {
    EnableWindowPictures(false);
    Program engineer;
    const bool started = engineer.Start("VTENGNR.exe");
    EnableWindowPictures(true);
    ASSERT_TRUE(started);
    HWND frame = engineer.WaitForWindow("EGRFrame");
    ASSERT_NE(frame, nullptr);
    const std::string name = "engineer-not-enabled.bmp";
    DeleteFileA((PictureFolder() + "\\" + name).c_str());
    EXPECT_FALSE(RequestPicture(frame, name));
    EXPECT_EQ(GetFileAttributesA((PictureFolder() + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(engineer.CloseAndWait(frame), 0);
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// In Local System Update an opened Motif becomes pending updates that Apply writes; a theme file
// opens in Motif Mode with Save kept grey, changed or not, until Save As.
TEST_F(EngineerSettingsProgram, MotifsOpenAsUpdatesAndThemesAreSavedOnlyUnderANewName) {
    const std::string dir = ScratchDir("engineer_program_open");
    ASSERT_TRUE(WriteBytes(dir + "\\pointer.cur", SmallIconFile(2)));
    const std::string motif = dir + "\\busy.motif", theme = dir + "\\desk.theme";
    WritePrivateProfileStringA("Software Credits", "Software", "Vantoro(tm)", motif.c_str());
    WritePrivateProfileStringA("Control Panel\\Cursors", "Wait", "%Folder%pointer.cur", motif.c_str());
    WritePrivateProfileStringA("Control Panel\\Cursors", "Wait", "%ThemeDir%pointer.cur", theme.c_str());

    PostCommand(frame, IDM_OPEN);
    AnswerFileDialog(WaitForDialog("Open Motif File"), motif);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(IDC_APPLY); }, kDefaultWaitMs, "the Motif's rows to be pending"));
    EXPECT_EQ(WindowTitle(frame), "Vantoro Engineer");
    ApplyAnsweringNo(*this);
    EXPECT_EQ(Value(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait"), dir + "\\pointer.cur");
    Win32Registry().DeleteValue(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait");

    PostCommand(frame, IDM_MOTIF_MODE);
    ASSERT_TRUE(WaitUntil([&] { return StatusPart(1) == "Motif"; }, kDefaultWaitMs, "Motif Mode"));
    PostCommand(frame, IDM_OPEN);
    AnswerFileDialog(WaitForDialog("Open Motif File"), theme);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(frame) == "Vantoro Engineer- desk.theme"; }, kDefaultWaitMs, "the theme"));
    SelectTab(kCategoryCursor);
    ASSERT_TRUE(SelectRow(kWait));
    PostClick(dialog, IDC_USE_DEFAULT);
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(IDC_USE_DEFAULT); }, kDefaultWaitMs, "the row to leave the theme"));
    EXPECT_TRUE(Grayed(frame, IDM_SAVE)) << "a theme is saved only under a new name";
    EXPECT_FALSE(Grayed(frame, IDM_SAVE_AS));
}

}  // namespace
}  // namespace vt::test
