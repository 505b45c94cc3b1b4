// The Librarian's start and end: the first start, a restart with the stored state, a stored state
// that is not ours, the exit code and the workspace file left behind; and the frame's picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "librarian/librarian_state.h"
#include "librarian/win32/librarian_wine_testutil.h"
#include "librarian/win32/resource.h"

namespace vt::test {
namespace {

bool Checked(HWND frame, UINT id) {
    const int state = MenuItemState(frame, id);
    return state >= 0 && (state & MF_CHECKED) != 0;
}

bool ToolbarVisible(HWND frame) {
    HWND bar = GetDlgItem(frame, IDC_TOOLBAR);
    return bar && IsWindowVisible(bar);
}

// Starts, checks, closes; the workspace file goes with the program.
class LibrarianStart : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetLibrarianSettings();
        before = WorkspaceFiles();
    }
    void Close(Program& p, HWND frame) {
        EXPECT_EQ(CloseLibrarian(p, frame), 0);
        std::vector<std::string> left = WorkspaceFiles();
        for (const std::string& name : left)
            EXPECT_NE(std::find(before.begin(), before.end(), name), before.end()) << name << " left behind";
    }
    std::vector<std::string> before;
};

TEST_F(LibrarianStart, FirstStartRestartAndForeignState) {
    {
        Program p;
        ASSERT_TRUE(p.Start("VTMGR.EXE"));
        HWND frame = WaitForLibrarian(p);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(WindowTitle(frame), "Vantoro Librarian- (untitled)");
        EXPECT_TRUE(Checked(frame, IDM_VIEW_WINDOWS));
        EXPECT_TRUE(Checked(frame, IDM_VIEW_TOOLBAR));
        EXPECT_TRUE(ToolbarVisible(frame));
        // Save only with changes, the Specific sort only in Specific View, the support item added.
        EXPECT_TRUE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
        EXPECT_TRUE(MenuItemState(frame, IDM_ARRANGE_FORMAT) & MF_GRAYED);
        EXPECT_GE(MenuItemState(frame, IDM_HELP_SUPPORT), 0);
        ASSERT_TRUE(SendCommand(frame, IDM_VIEW_RAW));
        ASSERT_TRUE(SendCommand(frame, IDM_VIEW_TOOLBAR));
        EXPECT_FALSE(ToolbarVisible(frame));
        Close(p, frame);
    }
    const std::vector<uint8_t> stored = ReadLibrarianSetting("Persistent", "State");
    ASSERT_EQ(stored.size(), kLibrarianStateSize);
    {
        Program p;
        ASSERT_TRUE(p.Start("VTMGR.EXE"));
        HWND frame = WaitForLibrarian(p);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(Checked(frame, IDM_VIEW_RAW));
        EXPECT_FALSE(Checked(frame, IDM_VIEW_TOOLBAR));
        EXPECT_FALSE(ToolbarVisible(frame));
        ASSERT_TRUE(SendCommand(frame, IDM_VIEW_SPECIFIC));
        EXPECT_FALSE(MenuItemState(frame, IDM_ARRANGE_FORMAT) & MF_GRAYED);
        Close(p, frame);
    }
    // A block of another size is not ours: every value takes its default.
    std::vector<uint8_t> foreign = stored;
    foreign.push_back(0);
    WriteLibrarianSetting("Persistent", "State", foreign);
    {
        Program p;
        ASSERT_TRUE(p.Start("VTMGR.EXE"));
        HWND frame = WaitForLibrarian(p);
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(Checked(frame, IDM_VIEW_WINDOWS));
        EXPECT_TRUE(ToolbarVisible(frame));
        Close(p, frame);
    }
}

// New Window starts a second Librarian in the right half of the work area and moves this one to
// the left half.
TEST_F(LibrarianStart, NewWindowSharesTheWorkArea) {
    Program p;
    ASSERT_TRUE(p.Start("VTMGR.EXE"));
    HWND frame = WaitForLibrarian(p);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_NEW_WINDOW));
    HWND second = nullptr;
    WaitUntil([&] {
        for (HWND w = FindWindowA("VtLibMain", nullptr); w; w = FindWindowExA(nullptr, w, "VtLibMain", nullptr))
            if (w != frame && IsWindowVisible(w)) second = w;
        return second != nullptr;
    }, kDefaultWaitMs, "the second Librarian");
    ASSERT_NE(second, nullptr);
    RECT work{}, left{}, right{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(frame, &left);
    GetWindowRect(second, &right);
    const int half = (work.right - work.left) / 2;
    EXPECT_EQ(left.left, work.left);
    EXPECT_EQ(left.right - left.left, half);
    EXPECT_EQ(right.left, work.left + half);
    EXPECT_EQ(right.bottom - right.top, work.bottom - work.top);
    PostMessageA(second, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !IsWindow(second); }, kDefaultWaitMs, "the second Librarian to close");
    Close(p, frame);
}

// The frame in Windows View with a library of a few icons, for people to look at.
TEST_F(LibrarianStart, PictureOfWindowsView) {
    const std::string path = PictureFolder() + "\\shelf.icl";
    WriteTestLibrary(path, {{"Red", {{16, 4}, {32, 4}}, 0x99},
                            {"Blue", {{16, 4}, {32, 4}}, 0xCC},
                            {"Green", {{32, 4}}, 0xAA},
                            {"Yellow", {{16, 4}, {32, 4}, {48, 8}}, 0xBB}});
    Program p;
    ASSERT_TRUE(p.Start("VTMGR.EXE", "\"" + path + "\""));
    HWND frame = WaitForLibrarian(p);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Librarian- shelf");
    EXPECT_EQ(StatusText(frame), "4 objects");
    const std::string shot = PictureFolder() + "\\librarian-windows-view.bmp";
    DeleteFileA(shot.c_str());
    ASSERT_TRUE(RequestPicture(frame, "librarian-windows-view.bmp"));
    const std::vector<uint8_t> bytes = ReadBytes(shot);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    Close(p, frame);
}

}  // namespace
}  // namespace vt::test
