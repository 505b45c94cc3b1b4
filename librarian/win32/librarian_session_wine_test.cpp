// Edit sessions between the Librarian and the Studio, each program in its own process: Edit Icon
// and New Icon started from the Librarian, and the Studio's start against a stand-in server in
// this test process (no answer, no icon, a malformed icon).
#include <windows.h>

#include <dde.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "librarian/exchange_blocks.h"
#include "common/win32/dde_blocks.h"
#include "common/win32/edit_session_client.h"
#include "librarian/reader.h"
#include "librarian/win32/librarian_suite_wine_fixture.h"
#include "librarian/win32/librarian_wine_testutil.h"
#include "librarian/win32/resource.h"
#include "image/win32/new_format_dialog_ids.h"
#include "librarian/workspace.h"
#include "tests/win32/editor_wine_testutil.h"
#include "tests/win32/session_test_server.h"

namespace vt::test {
namespace {


// --- edit sessions with the Studio ---

constexpr int kUpdateLibrarian = 1031;
constexpr int kUpdateAndExit = 1032;
constexpr int kStudioFormatList = 1124;
constexpr int kOpen = 1026;
constexpr int kNewFormat = 1120;
constexpr int kRemoveFormat = 1121;

[[maybe_unused]] const bool g_studio = [] {
    SetEditorUnderTest({"VTEDIT.EXE", "Studio", "ICSFrame", "ICSPAlette", "Vantoro Studio"});
    return true;
}();

// The images of each icon of a library file, in format-table order, read with the core.
std::vector<ImageBlocks> LibraryImages(const std::string& path) {
    Workspace ws;
    std::vector<ImageBlocks> out;
    if (ReadModuleIcons(ws, path, true) != LibStatus::Ok) return out;
    for (size_t i = 0; i < ws.iconCount(); ++i) {
        EditIconBlock block;
        EXPECT_EQ(MakeEditIconBlock(ws, i, "", &block), LibStatus::Ok);
        out.push_back(block.images);
    }
    return out;
}

// The Studio frame that shows `title`, started by the Librarian (another process).
HWND WaitForStudioTitled(const std::string& title) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowA("ICSFrame", title.c_str());
            return found && IsWindowVisible(found);
        },
        30000, "a Studio titled " + title);
    return found;
}

// Chooses entry `index` of the Librarian's "Image Format" box (its entries run by width).
bool ChooseLibrarianFormat(HWND frame, int index, int count) {
    HWND box = GetDlgItem(GetDlgItem(frame, IDC_TOOLBAR), IDC_FORMAT_BOX);
    if (Send(box, CB_GETCOUNT, 0, 0) != count) return false;
    Send(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(frame, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_BOX, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return true;
}

// The pixels of an image block: everything after its 40-byte header.
std::vector<uint8_t> Pixels(const std::vector<uint8_t>& block) {
    return block.size() > 40 ? std::vector<uint8_t>(block.begin() + 40, block.end()) : block;
}

// Waits for the process of `window` to end and returns its exit code (-1: it did not).
int WaitForProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return -1;
    DWORD code = STILL_ACTIVE;
    WaitUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 20000, "the Studio to end");
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return static_cast<int>(code);
}

TEST_F(LibrarianSuite, EditIconSessionSendsTheEditedFormatBackAndUpdateAndExitEndsIt) {
    const std::string library = PictureFolder() + "\\suite-session.icl";
    WriteTestLibrary(library, {{"first", {{32, 4}}, 0x22}, {"drive", {{16, 4}, {32, 4}, {48, 8}}, 0x35}});
    const std::vector<ImageBlocks> before = LibraryImages(library);
    ASSERT_EQ(before.size(), 2u);
    Start("suite-session.icl");
    ASSERT_TRUE(ChooseLibrarianFormat(frame, 1, 3)) << "the Librarian shows 32 x 32, 16 colours";
    Click(WindowsViewIcon(1));
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_EDIT_ICON));
    HWND studio = WaitForStudioTitled("Vantoro Studio- [drive]");
    ASSERT_NE(studio, nullptr);
    HWND list = GetDlgItem(studio, kStudioFormatList);
    EXPECT_EQ(Send(list, LB_GETCOUNT, 0, 0), 3) << "all three formats arrived";
    // Pictures of the two programs in the session, for people to look at.
    SetWindowPos(frame, HWND_TOP, 0, 0, 420, 360, SWP_NOACTIVATE);
    EXPECT_TRUE(RequestPicture(frame, "session-librarian.bmp"));
    EXPECT_TRUE(RequestPicture(studio, "session-studio.bmp"));
    // The list runs 16, 32, 48 pixels wide: the Librarian's current format is the second.
    EXPECT_EQ(Send(list, LB_GETITEMDATA, static_cast<WPARAM>(Send(list, LB_GETCURSEL, 0, 0)), 0), 2);

    // A stroke on the 32 x 32 image, then Update Librarian.
    EXPECT_TRUE(Grayed(studio, kUpdateLibrarian)) << "nothing changed yet";
    EditorGrid(studio, 32, 32).Stroke({{1, 1}, {2, 1}, {3, 1}});
    ASSERT_FALSE(Grayed(studio, kUpdateLibrarian));
    // A new 16 x 16 monochrome format, left blank: it stays out of the update.
    ASSERT_TRUE(PostCommand(studio, kNewFormat));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowA("#32770", "New Image Format")) != nullptr; },
                          kDefaultWaitMs, "the New Image Format dialog"));
    Send(GetDlgItem(dialog, IDC_NF_MONO), BM_CLICK, 0, 0);
    Send(GetDlgItem(dialog, IDC_NF_16PX), BM_CLICK, 0, 0);
    Send(GetDlgItem(dialog, IDC_NF_BEGIN_CURRENT), BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && Send(list, LB_GETCOUNT, 0, 0) == 4; }, kDefaultWaitMs,
                          "the fourth format"));
    ASSERT_TRUE(PostCommand(studio, kUpdateLibrarian));
    ASSERT_TRUE(WaitUntil([&] { return !Grayed(frame, IDM_FILE_SAVE); }, kDefaultWaitMs,
                          "the Librarian's workspace to change"));
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    const std::vector<ImageBlocks> after = LibraryImages(library);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], before[0]) << "the other icon is untouched";
    ASSERT_EQ(after[1].size(), 3u) << "the blank new format is not sent";
    EXPECT_EQ(Pixels(after[1][0]), Pixels(before[1][0])) << "16 x 16 keeps its pixels";
    EXPECT_NE(Pixels(after[1][1]), Pixels(before[1][1])) << "32 x 32 holds the stroke";
    EXPECT_EQ(Pixels(after[1][2]), Pixels(before[1][2])) << "48 x 48 keeps its pixels";

    // Drawn on, the new format goes with Update Librarian and Exit: sent, conversation ended,
    // Studio gone with exit code 0.
    EditorGrid(studio, 16, 16).Click(5, 5);
    ASSERT_TRUE(PostCommand(studio, kUpdateAndExit));
    EXPECT_EQ(WaitForProcessOf(studio), 0);
    ASSERT_TRUE(WaitUntil([&] { return !Grayed(frame, IDM_FILE_SAVE); }, kDefaultWaitMs, "the second update"));
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    EXPECT_EQ(LibraryImages(library).at(1).size(), 4u) << "the drawn new format arrived";
}

// Closing a changed Studio asks; Cancel keeps it, No ends it without sending, Yes sends first.
TEST_F(LibrarianSuite, TheStudiosCloseQuestion) {
    WriteTestLibrary(PictureFolder() + "\\suite-close.icl", {{"asked", {{32, 4}}, 0x22}});
    Start("suite-close.icl");
    Click(WindowsViewIcon(0));
    auto question = [&]() -> HWND {
        HWND box = nullptr;
        WaitUntil([&] { return (box = FindWindowA("#32770", "Vantoro Studio")) != nullptr; }, kDefaultWaitMs,
                  "the close question");
        if (box) {
            EXPECT_NE(AllChildTexts(box).find("Do you want to update the image in your folder?"), std::string::npos);
        }
        return box;
    };
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        ASSERT_TRUE(PostCommand(frame, IDM_EDIT_EDIT_ICON));
        HWND studio = WaitForStudioTitled("Vantoro Studio- [asked]");
        ASSERT_NE(studio, nullptr);
        EditorGrid(studio, 32, 32).Click(3, 3);
        if (answer == IDNO) {
            PostMessageA(studio, WM_CLOSE, 0, 0);
            HWND box = question();
            ASSERT_NE(box, nullptr);
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            WaitUntil([&] { return !IsWindow(box); }, kDefaultWaitMs, "the question to close");
            EXPECT_TRUE(IsWindow(studio)) << "Cancel keeps the Studio";
        }
        PostMessageA(studio, WM_CLOSE, 0, 0);
        HWND box = question();
        ASSERT_NE(box, nullptr);
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        EXPECT_EQ(WaitForProcessOf(studio), 0);
        if (answer == IDNO) {
            EXPECT_TRUE(Grayed(frame, IDM_FILE_SAVE)) << "No sends nothing";
        } else {
            EXPECT_TRUE(WaitUntil([&] { return !Grayed(frame, IDM_FILE_SAVE); }, kDefaultWaitMs, "Yes's update"));
        }
    }
}

// A Studio that dies mid-session: the slot is freed (closing asks no session question), the icon
// keeps what it had, and a new session on the same icon starts.
TEST_F(LibrarianSuite, AStudioKilledMidSessionFreesItsSlot) {
    WriteTestLibrary(PictureFolder() + "\\suite-killed.icl", {{"victim", {{32, 4}}, 0x22}});
    Start("suite-killed.icl");
    Click(WindowsViewIcon(0));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(PostCommand(frame, IDM_EDIT_EDIT_ICON));
        HWND studio = WaitForStudioTitled("Vantoro Studio- [victim]");
        ASSERT_NE(studio, nullptr);
        DWORD pid = 0;
        GetWindowThreadProcessId(studio, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        ASSERT_NE(process, nullptr);
        TerminateProcess(process, 9);
        WaitForSingleObject(process, kDefaultWaitMs);
        CloseHandle(process);
        WaitUntil([&] { return !IsWindow(studio); }, kDefaultWaitMs, "the Studio's window to go");
    }
    EXPECT_TRUE(Grayed(frame, IDM_FILE_SAVE)) << "nothing was applied";
    // Closing asks no session question: CloseLibrarian would time out on it.
}

TEST_F(LibrarianSuite, NewIconSessionPlacesAnUntitledIconOnItsFirstUpdate) {
    WriteTestLibrary(PictureFolder() + "\\suite-new.icl", {{"only", {{32, 4}}, 0x22}});
    Start("suite-new.icl");
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_NEW_ICON));
    HWND studio = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            studio = FindWindowA("ICSFrame", nullptr);
            return studio && IsWindowVisible(studio);
        },
        30000, "the Studio"));
    EditorGrid(studio, 32, 32).Stroke({{4, 4}, {5, 5}});
    ASSERT_TRUE(PostCommand(studio, kUpdateAndExit));
    EXPECT_EQ(WaitForProcessOf(studio), 0);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "2 objects"; }, kDefaultWaitMs, "the new icon"));
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    Workspace ws;
    ASSERT_EQ(ReadModuleIcons(ws, PictureFolder() + "\\suite-new.icl", true), LibStatus::Ok);
    ASSERT_EQ(ws.iconCount(), 2u);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[1]), "(untitled)");
}

// --- icons dragged between two Librarian processes ---

// The names of a saved library's icons, read with the core.
std::vector<std::string> LibraryNames(const std::string& path) {
    Workspace ws;
    std::vector<std::string> out;
    if (ReadModuleIcons(ws, path, true) != LibStatus::Ok) return out;
    for (size_t i = 0; i < ws.iconCount(); ++i) out.push_back(Workspace::ShownName(ws.icons()[i]));
    std::sort(out.begin(), out.end());
    return out;
}

TEST_F(LibrarianSuite, IconsDraggedToAnotherLibrarianMoveOrCopyWithTheirNames) {
    WriteTestLibrary(PictureFolder() + "\\suite-drag-from.icl",
                     {{"one", {{32, 4}, {16, 4}}, 0x11}, {"two", {{32, 4}}, 0x22}, {"three", {{48, 8}}, 0x33}});
    WriteTestLibrary(PictureFolder() + "\\suite-drag-to.icl", {{"resident", {{32, 4}}, 0x44}});
    Start("suite-drag-from.icl");
    Program other;
    ASSERT_TRUE(other.Start("VTMGR.EXE", "\"" + PictureFolder() + "\\suite-drag-to.icl\""));
    HWND target = WaitForLibrarian(other);
    ASSERT_NE(target, nullptr);
    HWND targetChild = ChildOfClass(target, "VtLibChild");
    // Side by side, the target on the right.
    SetWindowPos(frame, HWND_TOP, 0, 0, 420, 360, 0);
    SetWindowPos(target, HWND_TOP, 440, 0, 420, 360, 0);
    Send(frame, WM_NULL, 0, 0);
    Send(target, WM_NULL, 0, 0);
    // An empty place of the target's icon window, in the source icon window's coordinates.
    POINT drop{200, 200};
    ClientToScreen(targetChild, &drop);
    ASSERT_EQ(WindowFromPoint(drop), targetChild);
    ScreenToClient(child, &drop);
    auto drag = [&](POINT from, bool right) {
        const WPARAM button = right ? MK_RBUTTON : MK_LBUTTON;
        Send(child, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, button, MAKELPARAM(from.x, from.y));
        Send(child, WM_MOUSEMOVE, button, MAKELPARAM(from.x + 20, from.y + 20));
        Send(child, WM_MOUSEMOVE, button, MAKELPARAM(drop.x, drop.y));
        PostMessageA(child, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    };

    // One icon, dragged with the left button: moved.
    Click(WindowsViewIcon(0));
    drag(WindowsViewIcon(0), false);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(target) == "2 objects"; }, 20000, "the target to take one icon"));
    ASSERT_TRUE(WaitUntil([&] { return StatusText(frame) == "2 objects"; }, kDefaultWaitMs, "the source to lose it"));

    // The two left, with the right button and "Copy Here": copied.
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    drag(WindowsViewIcon(1), true);  // the moved icon's place stays empty
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); },
                          kDefaultWaitMs, "the drop menu"));
    EXPECT_TRUE(RequestPicture(frame, "drop-menu.bmp"));
    for (int i = 0; i < 2; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([&] { return StatusText(target) == "4 objects"; }, 20000, "the target to take two icons"));
    EXPECT_EQ(StatusText(frame), "2 objects") << "a copy leaves the source as it was";

    ASSERT_TRUE(SendCommand(target, IDM_FILE_SAVE));
    EXPECT_EQ(LibraryNames(PictureFolder() + "\\suite-drag-to.icl"),
              (std::vector<std::string>{"one", "resident", "three", "two"}));
    EXPECT_EQ(CloseLibrarian(other, target), 0);
}


// Another process's bytes are checked before use: a drop whose block names more icons than it
// holds is refused and the workspace stays as it was; a well-formed one from the same window is
// then taken.
// A drag source in this process: it opens the drop conversation with a Librarian window and pokes
// one block, made and freed as the programs do theirs.
class DropSender {
  public:
    DropSender() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VtTestDragSource";
        RegisterClassA(&wc);
        m_window = CreateWindowA(wc.lpszClassName, "source", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_status));
    }
    ~DropSender() { DestroyWindow(m_window); }
    // The acknowledgement of the poke (0x8000 taken, 0 refused, -1 none); a refused block stays
    // the sender's and is freed here.
    int Poke(HWND frame, const std::vector<uint8_t>& bytes) {
        m_status[0] = -1, m_status[1] = 0;
        const ATOM app = GlobalAddAtomA("Vantoro"), topic = GlobalAddAtomA("Make it so!");
        Send(frame, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(m_window), MAKELPARAM(app, topic));
        GlobalDeleteAtom(app);
        GlobalDeleteAtom(topic);
        EXPECT_EQ(m_status[1], 1) << "the Librarian takes the drop conversation";
        HGLOBAL memory = NewDdeBlock(bytes);
        PostMessageA(frame, WM_DDE_POKE, reinterpret_cast<WPARAM>(m_window),
                     PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(memory), GlobalAddAtomA("Engage!")));
        WaitUntil([&] { return m_status[0] >= 0; }, kDefaultWaitMs, "the Librarian's answer");
        if (m_status[0] == 0) FreeDdeBlock(memory);
        return m_status[0];
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* status = reinterpret_cast<int*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (msg == WM_DDE_ACK && status) {
            if (InSendMessage()) {  // the answer to the initiation
                GlobalDeleteAtom(LOWORD(lp));
                GlobalDeleteAtom(HIWORD(lp));
                status[1] = 1;
                return 0;
            }
            UINT_PTR st = 0, item = 0;
            UnpackDDElParam(WM_DDE_ACK, lp, &st, &item);
            FreeDDElParam(WM_DDE_ACK, lp);
            if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
            status[0] = static_cast<int>(st & 0xFFFF);
            return 0;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }

    HWND m_window = nullptr;
    int m_status[2] = {-1, 0};  // the poke's acknowledgement, the initiation's
};

// A drop block naming three icons where it holds one, placed in the middle of the icon window.
std::vector<uint8_t> DropBlock(HWND child, bool malformed) {
    DraggedIconsBlock icons;
    icons.icons.push_back(DraggedIcon{{RecordFromImage(MakeOpaqueImage(32, 32, kColors16, 9))}, "arrived"});
    POINT at{150, 150};
    ClientToScreen(child, &at);
    icons.x = at.x, icons.y = at.y;
    std::vector<uint8_t> bytes =
        BuildDraggedIconsBlock(static_cast<uint16_t>(RegisterClipboardFormatA("VtIcon")), icons);
    if (malformed) bytes[12] = 3;  // three icons named, one held
    return bytes;
}

TEST_F(LibrarianSuite, AMalformedDropIsRefusedAndChangesNothing) {
    WriteTestLibrary(PictureFolder() + "\\suite-malformed.icl", {{"kept", {{32, 4}}, 0x22}});
    Start("suite-malformed.icl");
    DropSender sender;
    EXPECT_EQ(sender.Poke(frame, DropBlock(child, true)), 0) << "refused";
    EXPECT_EQ(StatusText(frame), "1 object");
    EXPECT_EQ(sender.Poke(frame, DropBlock(child, false)), 0x8000) << "taken";
    EXPECT_TRUE(WaitUntil([&] { return StatusText(frame) == "2 objects"; }, kDefaultWaitMs, "the icon"));
}

// A drop target in this process that looks like another Librarian: it answers the initiation,
// takes the poke and never acknowledges it.
class SilentDropTarget {
  public:
    SilentDropTarget(POINT corner) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VtLibMain";
        RegisterClassA(&wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = "VtLibChild";
        RegisterClassA(&wc);
        m_frame = CreateWindowExA(WS_EX_TOPMOST, "VtLibMain", "silent", WS_POPUP | WS_VISIBLE, corner.x, corner.y,
                                  200, 200, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_seen));
        m_child = CreateWindowA("VtLibChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, m_frame, nullptr,
                                wc.hInstance, nullptr);
    }
    ~SilentDropTarget() { DestroyWindow(m_frame); }
    HWND child() const { return m_child; }
    bool Initiated() const { return m_seen[0] != 0; }
    bool Poked() const { return m_seen[1] != 0; }
    bool Terminated() const { return m_seen[2] != 0; }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* seen = reinterpret_cast<int*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (!seen) return DefWindowProcA(w, msg, wp, lp);
        if (msg == WM_DDE_INITIATE) {
            seen[0] = 1;
            SendMessageA(reinterpret_cast<HWND>(wp), WM_DDE_ACK, reinterpret_cast<WPARAM>(w),
                         MAKELPARAM(GlobalAddAtomA("Vantoro"), GlobalAddAtomA("Make it so!")));
            return 0;
        }
        if (msg == WM_DDE_POKE) {  // kept, never answered
            seen[1] = 1;
            UINT_PTR data = 0, item = 0;
            UnpackDDElParam(WM_DDE_POKE, lp, &data, &item);
            FreeDDElParam(WM_DDE_POKE, lp);
            if (data) GlobalFree(reinterpret_cast<HGLOBAL>(data));
            if (item) GlobalDeleteAtom(static_cast<ATOM>(item));
            return 0;
        }
        if (msg == WM_DDE_TERMINATE) seen[2] = 1;
        return DefWindowProcA(w, msg, wp, lp);
    }

    HWND m_frame = nullptr;
    HWND m_child = nullptr;
    int m_seen[3] = {};  // initiated, poked, terminated
};

TEST_F(LibrarianSuite, ADropTargetThatNeverAnswersEndsTheDragAndChangesNothing) {
    WriteTestLibrary(PictureFolder() + "\\suite-silent.icl", {{"stays", {{32, 4}}, 0x22}});
    Start("suite-silent.icl");
    SetWindowPos(frame, HWND_TOP, 0, 0, 420, 360, 0);
    SilentDropTarget target(POINT{460, 40});
    POINT drop{100, 100};
    ClientToScreen(target.child(), &drop);
    ASSERT_EQ(WindowFromPoint(drop), target.child());
    ScreenToClient(child, &drop);
    const POINT from = WindowsViewIcon(0);
    Click(from);
    Send(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    Send(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 20, from.y + 20));
    Send(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));

    // The wait is bounded: the drag ends with the message, and the conversation is ended.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = FindWindowA("#32770", "Vantoro Librarian");
            return box && AllChildTexts(box).find("Drop target is not responding.") != std::string::npos;
        },
        60000, "the drag to give up"));
    EXPECT_TRUE(target.Initiated());
    EXPECT_TRUE(target.Poked());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && target.Terminated(); }, kDefaultWaitMs,
                          "the box to close and the conversation to end"));
    EXPECT_EQ(StatusText(frame), "1 object") << "the moved icon stays";
    EXPECT_TRUE(Grayed(frame, IDM_FILE_SAVE)) << "the workspace is unchanged";
}

// The blocks counted by a program that wrote its counts as it ended.
DdeBlockCounts CountsOfProcess(DWORD pid) {
    DdeBlockCounts counts{-1, -1};
    const std::string path = PictureFolder() + "\\dde-blocks-" + std::to_string(pid) + ".txt";
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        if (std::fscanf(f, "%ld %ld", &counts.made, &counts.freed) != 2) counts = {-1, -1};
        std::fclose(f);
    }
    DeleteFileA(path.c_str());
    return counts;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// Every shared block is freed once, whoever made it and whatever the partner answered: a session
// with two updates, the second ending it; a refused and a taken drop; the Librarian closed.
TEST_F(LibrarianSuite, EveryExchangedBlockIsFreedOnce) {
    SetEnvironmentVariableA(kDdeBlockCountVariable, PictureFolder().c_str());
    StartDdeBlockCounting();  // this process plays a drag source
    WriteTestLibrary(PictureFolder() + "\\suite-blocks.icl", {{"counted", {{32, 4}}, 0x22}});
    Start("suite-blocks.icl");
    SetEnvironmentVariableA(kDdeBlockCountVariable, nullptr);
    Click(WindowsViewIcon(0));
    ASSERT_TRUE(PostCommand(frame, IDM_EDIT_EDIT_ICON));
    HWND studio = WaitForStudioTitled("Vantoro Studio- [counted]");
    ASSERT_NE(studio, nullptr);
    const DWORD studioProcess = ProcessOf(studio), librarianProcess = ProcessOf(frame);
    EditorGrid(studio, 32, 32).Click(3, 3);
    ASSERT_TRUE(PostCommand(studio, kUpdateLibrarian));
    ASSERT_TRUE(WaitUntil([&] { return !Grayed(frame, IDM_FILE_SAVE); }, kDefaultWaitMs, "the update"));
    DropSender sender;
    EXPECT_EQ(sender.Poke(frame, DropBlock(child, true)), 0);
    EXPECT_EQ(sender.Poke(frame, DropBlock(child, false)), 0x8000);
    EditorGrid(studio, 32, 32).Click(4, 4);
    ASSERT_TRUE(PostCommand(studio, kUpdateAndExit));
    EXPECT_EQ(WaitForProcessOf(studio), 0);
    EXPECT_EQ(CloseLibrarian(librarian, frame), 0);
    frame = nullptr;

    const DdeBlockCounts here = CurrentDdeBlockCounts(), editor = CountsOfProcess(studioProcess),
                         manager = CountsOfProcess(librarianProcess);
    ASSERT_GE(editor.made, 0) << "the Studio wrote its counts";
    ASSERT_GE(manager.made, 0) << "the Librarian wrote its counts";
    EXPECT_EQ(here.made, 2);
    EXPECT_EQ(here.freed, 1) << "the refused drop came back";
    EXPECT_EQ(editor.made, 2) << "two updates";
    EXPECT_GE(manager.made, 1) << "the icon sent";
    EXPECT_EQ(here.made + editor.made + manager.made, here.freed + editor.freed + manager.freed)
        << "this process " << here.made << "/" << here.freed << ", Studio " << editor.made << "/" << editor.freed
        << ", Librarian " << manager.made << "/" << manager.freed;
}

TEST(StudioSessionStart, NoServerSilentServerAndMalformedIcon) {
    {
        SCOPED_TRACE("no server");
        Program studio;
        ASSERT_TRUE(studio.Start("VTEDIT.EXE", "!I1999 "));
        HWND box = studio.WaitForWindowTitled("Vantoro Studio", 30000);
        ASSERT_NE(box, nullptr);
        EXPECT_NE(AllChildTexts(box).find("Initiating Librarian is not responding to open DDE link."),
                  std::string::npos);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(studio.WaitForExit(), 1);
    }
    {
        SCOPED_TRACE("a server that never sends the icon");
        TestServer server("2001", false);
        Program studio;
        ASSERT_TRUE(studio.Start("VTEDIT.EXE", "!I2001 "));
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] { return (box = FindWindowA("#32770", "Vantoro Studio")) != nullptr; }, 40000,
            "the Studio's message after its ten seconds"));
        EXPECT_EQ(server.requests, 1);
        EXPECT_NE(AllChildTexts(box).find("Error encountered completing DDE initialization.  Edit session failed."),
                  std::string::npos);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(studio.WaitForExit(), 1);
        WaitUntil([&] { return server.terminated; }, kDefaultWaitMs, "the conversation to end");
    }
    {
        SCOPED_TRACE("a malformed icon block");
        TestServer server("2003", true);
        Program studio;
        ASSERT_TRUE(studio.Start("VTEDIT.EXE", "!I2003 "));
        ASSERT_TRUE(WaitUntil([&] { return server.negativeAcks >= 0; }, 30000, "the Studio's answer"));
        EXPECT_EQ(server.negativeAcks, 1) << "refused, not taken";
        EXPECT_EQ(studio.WaitForExit(20000), 1) << "ended without a crash";
    }
}

// "P": a program file's icon, whose formats cannot be added or removed.
TEST(StudioSessionStart, ServerModeWithLockedFormatsDisablesFormatCommands) {
    TestServer server("2005", false);
    server.sendIcon = true;
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", "!P2005 "));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- [served]");
    EXPECT_TRUE(WaitUntil([&] { return server.negativeAcks >= 0; }, kDefaultWaitMs, "the acknowledgement"));
    EXPECT_EQ(server.negativeAcks, 0) << "the icon was taken";
    EXPECT_TRUE(MenuItemState(frame, kNewFormat) & MF_GRAYED);
    EXPECT_TRUE(MenuItemState(frame, kRemoveFormat) & MF_GRAYED);
    EXPECT_NE(MenuItemState(frame, kUpdateLibrarian), -1);
    EXPECT_EQ(MenuItemState(frame, kOpen), -1);
    // No New Image Format button on the tool bar.
    HWND bar = ChildOfClass(frame, "ToolbarWindow32");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Send(bar, TB_COMMANDTOINDEX, kNewFormat, 0), -1);
    // Unchanged: closing just ends the conversation.
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
    EXPECT_TRUE(WaitUntil([&] { return server.terminated; }, kDefaultWaitMs, "the conversation to end"));
}

}  // namespace
}  // namespace vt::test
