#include "engineer/win32/vtengnr_wine_testutil.h"

#include <commctrl.h>

#include "engineer/win32/resource.h"

namespace vt::test {

namespace {
// Engineers inherit this process's environment when the driver starts them.
class WindowPicturesEnabled : public ::testing::Environment {
  public:
    void SetUp() override { EnableWindowPictures(true); }
};
[[maybe_unused]] ::testing::Environment* const g_windowPictures =
    ::testing::AddGlobalTestEnvironment(new WindowPicturesEnabled);

LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, kDefaultWaitMs, &result);
    return static_cast<LRESULT>(result);
}
}  // namespace

void EngineerProgram::SetUp() {
    ASSERT_TRUE(program.Start("VTENGNR.exe"));
    frame = program.WaitForWindow("EGRFrame");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowExA(frame, nullptr, "#32770", nullptr)) != nullptr &&
                                       IsWindowVisible(dialog); },
                          kDefaultWaitMs, "the main dialog"));
}

void EngineerProgram::TearDown() {
    if (!program.running()) return;
    PostMessageA(frame, WM_CLOSE, 0, 0);
    WaitUntil([&] {
        if (HWND box = FindDialog("Vantoro Engineer")) PostMessageA(box, WM_COMMAND, IDYES, 0);
        return !program.running();
    }, kDefaultWaitMs, "the Engineer to end");
    EXPECT_EQ(program.WaitForExit(), 0);
}

HWND EngineerProgram::FindDialog(const std::string& title) const {
    struct Find {
        DWORD pid;
        const std::string* title;
        HWND found;
    } f{program.pid(), &title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != f->pid || !IsWindowVisible(w) || WindowClass(w) != "#32770" || WindowTitle(w) != *f->title)
                return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

HWND EngineerProgram::WaitForDialog(const std::string& title) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialog(title)) != nullptr; }, kDefaultWaitMs, "the dialog \"" + title + "\"");
    return found;
}

int EngineerProgram::Page() const { return static_cast<int>(GetWindowWord(frame, 0)); }
int EngineerProgram::ItemHeightWord() const { return static_cast<int>(GetWindowWord(frame, 2)); }
bool EngineerProgram::Visible(int id) const { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
bool EngineerProgram::Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::string EngineerProgram::StatusPart(int part) const {
    // Status bars do not copy their texts across processes: the text is asked into memory of the
    // Engineer's process and read from there.
    HWND bar = GetDlgItem(frame, IDC_STATUS_BAR);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, program.pid());
    if (!process) return "(process not open)";
    void* remote = VirtualAllocEx(process, nullptr, 1024, MEM_COMMIT, PAGE_READWRITE);
    char text[1024] = {};
    if (remote) {
        Send(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(remote));
        SIZE_T read = 0;
        ReadProcessMemory(process, remote, text, sizeof text - 1, &read);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

void EngineerProgram::SelectTab(int category) {
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    const int motifMode = static_cast<int>(Send(tabs, TCM_GETITEMCOUNT)) == 6 ? 1 : 0;
    Send(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(category - motifMode));
    WaitUntil([&] { return Page() == category; }, kDefaultWaitMs, "the page to change");
}

int EngineerProgram::ListCount() const {
    return static_cast<int>(Send(GetDlgItem(dialog, IDC_LIST), LB_GETCOUNT));
}

bool EngineerProgram::SelectRow(int row) {
    HWND list = GetDlgItem(dialog, IDC_LIST);
    for (int i = 0; i < ListCount(); ++i)
        if (static_cast<int>(Send(list, LB_GETITEMDATA, static_cast<WPARAM>(i))) == row) {
            Send(list, LB_SETCURSEL, static_cast<WPARAM>(i));
            Send(dialog, WM_COMMAND, MAKEWPARAM(IDC_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            return true;
        }
    return false;
}

bool EngineerProgram::Picture(const std::string& fileName) {
    DeleteFileA((PictureFolder() + "\\" + fileName).c_str());
    return RequestPicture(frame, fileName);
}

void EngineerProgram::ClickBox(int id) {
    HWND box = GetDlgItem(dialog, id);
    const LRESULT before = Send(box, BM_GETCHECK);
    Send(box, BM_CLICK);
    WaitUntil([&] { return Send(box, BM_GETCHECK) != before; }, kDefaultWaitMs, "the box to change");
}

void EngineerProgram::PostClick(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

}  // namespace vt::test
