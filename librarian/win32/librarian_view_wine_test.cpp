// The Librarian's icon window and item dialogs driven as a user would: selection by click, keys
// and rubber band, Rename and Create Copy, Delete, the refusals of a program file, the Save state
// after sorts, a drag that reorders, shell drops through the test gate, the properties texts, and
// a workspace of 10,000 icons; with pictures of the views and dialogs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"
#include "librarian/win32/librarian_wine_testutil.h"
#include "librarian/win32/resource.h"
#include "librarian/workspace.h"

namespace vt::test {
namespace {

// Where the desktop's default metrics put icon k of the first row of Windows View: 32 and 16
// pixel icons, spacing 75 × 72, cells 64 wide.
POINT WindowsViewIcon(int k) {
    return POINT{21 + k * (64 + 43) + 8, 20 + 8};
}

bool Grayed(HWND frame, UINT id) {
    const int state = MenuItemState(frame, id);
    return state >= 0 && (state & MF_GRAYED) != 0;
}

// A part of the frame's status bar, read from the Librarian's memory.
std::string StatusPart(HWND frame, int part) {
    HWND bar = GetDlgItem(frame, IDC_STATUSBAR);
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return {};
    void* remote = VirtualAllocEx(process, nullptr, 512, MEM_COMMIT, PAGE_READWRITE);
    char text[512] = {};
    DWORD_PTR r = 0;
    if (remote && SendMessageTimeoutA(bar, SB_GETTEXTA, static_cast<WPARAM>(part),
                                      reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000, &r))
        ReadProcessMemory(process, remote, text, sizeof text - 1, nullptr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

class LibrarianView : public ::testing::Test {
  protected:
    void SetUp() override { ResetLibrarianSettings(); }
    void TearDown() override {
        if (frame) {
            EXPECT_EQ(CloseLibrarian(program, frame), 0);
        }
    }
    // Starts the Librarian on a file of the picture folder (or on nothing).
    void Start(const std::string& name = {}) {
        const std::string args =
            name.empty() ? std::string() : "\"" + PictureFolder() + "\\" + name + "\"";
        ASSERT_TRUE(program.Start("VTMGR.EXE", args));
        frame = WaitForLibrarian(program);
        ASSERT_NE(frame, nullptr);
        child = ChildOfClass(frame, "VtLibChild");
        ASSERT_NE(child, nullptr);
    }
    void Mouse(UINT msg, POINT p, WPARAM keys) {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(child, msg, keys, MAKELPARAM(p.x, p.y), SMTO_NORMAL, kDefaultWaitMs,
                            &r);
    }
    void Click(POINT p, WPARAM keys = 0) {
        Mouse(WM_LBUTTONDOWN, p, MK_LBUTTON | keys);
        Mouse(WM_LBUTTONUP, p, keys);
    }
    void Key(WPARAM key) {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(child, WM_KEYDOWN, key, 0, SMTO_NORMAL, kDefaultWaitMs, &r);
    }
    std::string Selected() { return StatusPart(frame, 1); }
    // Opens Rename (F2's command) and returns the dialog.
    HWND OpenRename(const char* title = "Rename Icon") {
        PostCommand(frame, IDM_EDIT_RENAME);
        return program.WaitForWindowTitled(title);
    }
    void Press(HWND dialog, int id) {
        PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
        WaitUntil([&] { return !IsWindow(dialog); }, kDefaultWaitMs, "the dialog to close");
    }
    // The item chosen from the popup menu the Librarian shows, by its place (1-based; negative
    // counts from the end).
    void ChooseFromMenu(int place) {
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); },
            kDefaultWaitMs, "the popup menu"));
        for (int i = 0; i < std::abs(place); ++i)
            PostMessageA(menu, WM_KEYDOWN, place > 0 ? VK_DOWN : VK_UP, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(
            WaitUntil([&] { return !IsWindowVisible(menu); }, kDefaultWaitMs, "the menu to close"));
    }

    Program program;
    HWND frame = nullptr;
    HWND child = nullptr;
};

const std::vector<TestIcon> kThree = {{"one", {{32, 4}, {16, 4}}, 0x11},
                                      {"two", {{32, 4}}, 0x22},
                                      {"three", {{32, 1}, {48, 8}}, 0x33}};

TEST_F(LibrarianView, SelectingRenamingCopyingDeletingAndDraggingInALibrary) {
    WriteTestLibrary(PictureFolder() + "\\view-three.icl", kThree);
    Start("view-three.icl");
    EXPECT_EQ(StatusPart(frame, 0), "3 objects");

    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    EXPECT_EQ(Selected(), "3 objects selected");
    // A click selects one; Ctrl+click adds another; the arrow key moves to the neighbour.
    Click(WindowsViewIcon(0));
    EXPECT_EQ(Selected(), "1 object selected");
    Click(WindowsViewIcon(2), MK_CONTROL);
    EXPECT_EQ(Selected(), "2 objects selected");
    Click(WindowsViewIcon(0));
    Key(VK_RIGHT);
    HWND dlg = OpenRename();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_RENAME_NAME), "two");
    EXPECT_TRUE(RequestPicture(frame, "librarian-rename.bmp"));
    // Sixty typed characters stop at fifty.
    HWND field = GetDlgItem(dlg, IDC_RENAME_NAME);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (int i = 0; i < 60; ++i) SendMessageA(field, WM_CHAR, 'a' + i % 26, 1);
    EXPECT_EQ(ControlText(dlg, IDC_RENAME_NAME).size(), 50u);
    Press(dlg, IDOK);
    EXPECT_FALSE(Grayed(frame, IDM_FILE_SAVE));
    // An empty name is "(untitled)".
    dlg = OpenRename();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_RENAME_NAME).size(), 50u);
    SendMessageA(GetDlgItem(dlg, IDC_RENAME_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Press(dlg, IDOK);
    dlg = OpenRename();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_RENAME_NAME), "(untitled)");
    SendMessageA(GetDlgItem(dlg, IDC_RENAME_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("two"));
    Press(dlg, IDOK);

    // Create Copy names the copy in "Name New Copy" and puts it after the original.
    PostCommand(frame, IDM_EDIT_COPY);
    dlg = program.WaitForWindowTitled("Name New Copy");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_RENAME_NAME), "two");
    SendMessageA(GetDlgItem(dlg, IDC_RENAME_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("copy"));
    Press(dlg, IDOK);
    EXPECT_TRUE(
        WaitUntil([&] { return StatusPart(frame, 0) == "4 objects"; }, kDefaultWaitMs, "the copy"));

    // Delete asks first: No keeps, Yes removes.
    Click(WindowsViewIcon(2));
    PostCommand(frame, IDM_EDIT_DELETE);
    ExpectMessage(program, "Delete the current icon selection?", IDNO);
    EXPECT_EQ(StatusPart(frame, 0), "4 objects");
    PostCommand(frame, IDM_EDIT_DELETE);
    ExpectMessage(program, "Delete the current icon selection?", IDYES);
    EXPECT_TRUE(WaitUntil([&] { return StatusPart(frame, 0) == "3 objects"; }, kDefaultWaitMs,
                          "the delete"));

    // The rubber band from empty space takes the first two cells whole.
    ASSERT_TRUE(SendCommand(frame, IDM_ARRANGE_NAME));  // one, three, two
    Mouse(WM_LBUTTONDOWN, POINT{4, 4}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{100, 40}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{200, 62}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{200, 62}, 0);
    EXPECT_EQ(Selected(), "2 objects selected");

    // Dragging the first icon below the row puts it last; Save As keeps that order.
    Click(WindowsViewIcon(0));
    const POINT from = WindowsViewIcon(0);
    Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{from.x + 5, from.y + 5}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{60, 160}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{60, 160}, 0);
    const std::string saved = PictureFolder() + "\\view-dragged.icl";
    DeleteFileA(saved.c_str());
    PostCommand(frame, IDM_FILE_SAVE_AS);
    HWND save = program.WaitForWindowTitled("Save File As");
    ASSERT_NE(save, nullptr);
    AnswerFileDialog(save, saved);
    ASSERT_TRUE(
        WaitUntil([&] { return GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; },
                  kDefaultWaitMs, "the saved library"));
    ASSERT_TRUE(
        WaitUntil([&] { return Grayed(frame, IDM_FILE_SAVE); }, kDefaultWaitMs, "the save"));
    Workspace back;
    ASSERT_EQ(ReadModuleIcons(back, saved, true), LibStatus::Ok);
    std::vector<std::string> names;
    for (size_t i : back.DisplayOrder()) names.push_back(Workspace::ShownName(back.icons()[i]));
    EXPECT_EQ(names, (std::vector<std::string>{"three", "two", "one"}));
}

TEST_F(LibrarianView, ViewsSortsAndAProgramFileThatKeepsItsIcons) {
    std::vector<std::vector<uint8_t>> blocks = {MakeDib(32, 32, 4, 0x44), MakeDib(16, 16, 4, 0x55)};
    WriteBytes(PictureFolder() + "\\view-program.dll",
               MakePe({{14, 1, {}, MakeGroup(blocks, {1, 2})},
                       {3, 1, {}, blocks[0]},
                       {3, 2, {}, blocks[1]},
                       {14, 2, {}, MakeGroup({blocks[1]}, {3})},
                       {3, 3, {}, blocks[1]}}));
    Start("view-program.dll");
    EXPECT_EQ(StatusPart(frame, 0), "2 objects");
    EXPECT_TRUE(Grayed(frame, IDM_ARRANGE_FORMAT));
    ASSERT_TRUE(SendCommand(frame, IDM_VIEW_SPECIFIC));
    EXPECT_FALSE(Grayed(frame, IDM_ARRANGE_FORMAT));
    ASSERT_TRUE(SendCommand(frame, IDM_VIEW_WINDOWS));

    // Sorting, renaming: nothing a program file can store, so Save stays off.
    ASSERT_TRUE(SendCommand(frame, IDM_ARRANGE_NAME));
    ASSERT_TRUE(SendCommand(frame, IDM_ARRANGE_COUNT));
    EXPECT_TRUE(Grayed(frame, IDM_FILE_SAVE));
    Click(WindowsViewIcon(0));
    HWND dlg = OpenRename();
    ASSERT_NE(dlg, nullptr);
    SendMessageA(GetDlgItem(dlg, IDC_RENAME_NAME), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("renamed"));
    Press(dlg, IDOK);
    EXPECT_TRUE(Grayed(frame, IDM_FILE_SAVE));
    // Icons are neither copied into nor deleted from it.
    PostCommand(frame, IDM_EDIT_COPY);
    ExpectMessage(program, "Icons cannot be added or removed from this file type.");
    PostCommand(frame, IDM_EDIT_DELETE);
    ExpectMessage(program, "Icons cannot be deleted from a Program file.");
    EXPECT_EQ(StatusPart(frame, 0), "2 objects");
    // A drop on a program file opens the file instead, after asking nothing when unchanged.
    WriteTestIconFile(PictureFolder() + "\\view-drop.ico", {"d", {{32, 4}}});
    ASSERT_TRUE(SendTestDrop(frame, {"view-drop.ico"}, POINT{50, 50}, false, false));
    EXPECT_TRUE(WaitUntil([&] { return StatusPart(frame, 0) == "1 object"; }, kDefaultWaitMs,
                          "the dropped file"));
}

TEST_F(LibrarianView, DropsOpenAddAndRefuse) {
    WriteTestIconFile(PictureFolder() + "\\view-a.ico", {"a", {{32, 4}, {16, 4}}});
    WriteTestLibrary(PictureFolder() + "\\view-b.icl", {{"b1", {{32, 4}}}, {"b2", {{32, 1}}}});
    WriteBytes(PictureFolder() + "\\view-text.txt", {'h', 'e', 'l', 'l', 'o'});
    Start();
    // Onto an empty workspace the file opens.
    ASSERT_TRUE(SendTestDrop(frame, {"view-a.ico"}, POINT{40, 40}, true, false));
    ASSERT_TRUE(
        WaitUntil([&] { return StatusPart(frame, 0) == "1 object"; }, kDefaultWaitMs, "the open"));
    // Onto icons: the menu; "Add Icons To Workspace" adds the library's two.
    ASSERT_TRUE(SendTestDrop(frame, {"view-b.icl"}, POINT{300, 40}, true, false));
    ChooseFromMenu(2);
    ASSERT_TRUE(
        WaitUntil([&] { return StatusPart(frame, 0) == "3 objects"; }, kDefaultWaitMs, "the add"));
    EXPECT_FALSE(Grayed(frame, IDM_FILE_SAVE));
    // A text file is no icon file.
    ASSERT_TRUE(SendTestDrop(frame, {"view-text.txt"}, POINT{300, 40}, true, false));
    ChooseFromMenu(2);
    ExpectMessage(program, "cannot be recognized as a file type that contains icons.");
    EXPECT_EQ(StatusPart(frame, 0), "3 objects");
    // Replacing the modified workspace asks first; Cancel keeps it.
    ASSERT_TRUE(SendTestDrop(frame, {"view-a.ico"}, POINT{300, 40}, true, false));
    ChooseFromMenu(1);
    ExpectMessage(program, "Save this file before proceeding?", IDCANCEL);
    EXPECT_EQ(StatusPart(frame, 0), "3 objects");
}

TEST_F(LibrarianView, FoldersDroppedTogetherAreSearchedIntoOneWorkspace) {
    for (const char* folder : {"\\view-find1", "\\view-find2"})
        CreateDirectoryA((PictureFolder() + folder).c_str(), nullptr);
    WriteTestIconFile(PictureFolder() + "\\view-find1\\one.ico", {"one", {{32, 4}}});
    WriteTestLibrary(PictureFolder() + "\\view-find2\\two.icl", {{"t1", {{32, 4}}}, {"t2", {{32, 1}}}});
    Start();
    ASSERT_TRUE(SendTestDrop(frame, {"view-find1", "view-find2"}, POINT{40, 40}, true, true));
    EXPECT_TRUE(WaitUntil([&] { return StatusPart(frame, 0) == "3 objects"; }, kDefaultWaitMs,
                          "both folders' icons"));
}

TEST_F(LibrarianView, PropertiesDialogsShowTheirTexts) {
    WriteTestLibrary(PictureFolder() + "\\view-props.icl", kThree);
    Start("view-props.icl");
    // A right-click on an icon outside the selection selects it; Properties ends its menu.
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    Click(WindowsViewIcon(0));
    Mouse(WM_RBUTTONDOWN, WindowsViewIcon(1), MK_RBUTTON);
    PostMessageA(child, WM_RBUTTONUP, 0, MAKELPARAM(WindowsViewIcon(1).x, WindowsViewIcon(1).y));
    ChooseFromMenu(-1);
    HWND dlg = program.WaitForWindowTitled("Icon Properties");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_ICONPROP_NAME), "two");
    Press(dlg, IDOK);

    Key(VK_RIGHT);  // "three"
    ASSERT_TRUE(SendCommand(frame, IDM_VIEW_RAW));
    EXPECT_TRUE(RequestPicture(frame, "librarian-raw-view.bmp"));
    PostCommand(frame, IDM_PROPERTIES);
    dlg = program.WaitForWindowTitled("Icon Properties");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_ICONPROP_NAME), "three");
    EXPECT_EQ(ControlText(dlg, IDC_ICONPROP_FORMAT_FIRST), "32x32, 2 colors");
    EXPECT_EQ(ControlText(dlg, IDC_ICONPROP_FORMAT_FIRST + 1), "48x48, 256 colors");
    EXPECT_EQ(ControlText(dlg, IDC_ICONPROP_FORMAT_FIRST + 2), "");
    // 32 × (1 + 1) × 4 + 8 + 40 and 48 × (2 + 12) × 4 + 1024 + 40.
    EXPECT_EQ(ControlText(dlg, IDC_ICONPROP_TOTAL), "4,056 bytes");
    EXPECT_TRUE(RequestPicture(frame, "librarian-icon-properties.bmp"));
    Press(dlg, IDOK);

    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL));
    PostCommand(frame, IDM_PROPERTIES);
    dlg = program.WaitForWindowTitled("File Properties");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(ControlText(dlg, IDC_FILEPROP_NAME), "view-props");
    EXPECT_EQ(ControlText(dlg, IDC_FILEPROP_TYPE), "Library");
    EXPECT_EQ(ControlText(dlg, IDC_FILEPROP_ICONS), "3");
    EXPECT_EQ(ControlText(dlg, IDC_FILEPROP_IMAGES), "5");
    std::string formats;
    for (int id = IDC_FILEPROP_FORMAT_FIRST; id <= IDC_FILEPROP_FORMAT_LAST; ++id)
        formats += ControlText(dlg, id) + ";";
    EXPECT_EQ(formats,
              "32x32, 16 colors;16x16, 16 colors;32x32, 2 colors;48x48, 256 colors;;;;;;;");
    EXPECT_TRUE(RequestPicture(frame, "librarian-file-properties.bmp"));
    Press(dlg, IDOK);
}

TEST_F(LibrarianView, TenThousandIconsFromFiveLibraries) {
    const std::string folder = PictureFolder() + "\\view-many";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int f = 0; f < 5; ++f) {
        std::vector<TestIcon> icons;
        for (int i = 0; i < 2000; ++i)
            icons.push_back(
                {"icon " + std::to_string(f * 2000 + i), {{16, 4}}, static_cast<uint8_t>(i)});
        WriteTestLibrary(folder + "\\part" + std::to_string(f) + ".icl", icons);
    }
    Start();
    ASSERT_TRUE(SendTestDrop(frame, {"view-many"}, POINT{0, 0}, false, true));
    ASSERT_TRUE(
        WaitUntil([&] { return StatusPart(frame, 0) == "10,000 objects"; }, 120000, "the search"));
    ASSERT_TRUE(SendCommand(frame, IDM_EDIT_SELECT_ALL, 60000));
    EXPECT_EQ(Selected(), "10,000 objects selected");
    for (int id : {IDM_VIEW_SPECIFIC, IDM_ARRANGE_FORMAT, IDM_ARRANGE_NAME, IDM_ARRANGE_COUNT,
                   IDM_VIEW_RAW, IDM_VIEW_DESKTOP, IDM_VIEW_WINDOWS, IDM_ARRANGE_NAME})
        ASSERT_TRUE(SendCommand(frame, id, 60000)) << id;
    // Paging down shows other icons, and the end others again; the top comes back.
    auto shown = [&](const char* name) {
        EXPECT_TRUE(RequestPicture(frame, name));
        return ReadBytes(PictureFolder() + "\\" + name);
    };
    const std::vector<uint8_t> top = shown("view-many-top.bmp");
    DWORD_PTR r = 0;
    for (int i = 0; i < 5; ++i)
        SendMessageTimeoutA(child, WM_VSCROLL, SB_PAGEDOWN, 0, SMTO_NORMAL, 60000, &r);
    const std::vector<uint8_t> paged = shown("view-many-paged.bmp");
    SendMessageTimeoutA(child, WM_VSCROLL, SB_BOTTOM, 0, SMTO_NORMAL, 60000, &r);
    const std::vector<uint8_t> end = shown("view-many-end.bmp");
    EXPECT_NE(top, paged);
    EXPECT_NE(paged, end);
    SendMessageTimeoutA(child, WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, 60000, &r);
    EXPECT_EQ(shown("librarian-10000-icons.bmp"), top);
    // Delete all.
    PostCommand(frame, IDM_EDIT_DELETE);
    ExpectMessage(program, "Delete the current icon selection?", IDYES);
    EXPECT_TRUE(
        WaitUntil([&] { return StatusPart(frame, 0) == "0 objects"; }, 120000, "the delete"));
}

}  // namespace
}  // namespace vt::test
