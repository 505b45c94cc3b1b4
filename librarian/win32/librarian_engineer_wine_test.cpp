// An icon dragged from the Librarian onto a row of the Engineer's list: the Librarian writes it as
// an icon file and hands the file's name over ("Shields down!"); the row takes it.
#include <windows.h>

#include <gtest/gtest.h>

#include "engineer/win32/resource.h"
#include "engineer/win32/vtengnr_wine_testutil.h"
#include "librarian/win32/librarian_wine_testutil.h"
#include "sysicons/system_object_table.h"

namespace vt::test {
namespace {

constexpr int kHardDrive = 12;

LRESULT SendTo(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, message, wParam, lParam, SMTO_NORMAL, kDefaultWaitMs, &result);
    return static_cast<LRESULT>(result);
}

class LibrarianToEngineer : public EngineerProgram {
  protected:
    void TearDown() override {
        if (librarianFrame) {
            EXPECT_EQ(CloseLibrarian(librarian, librarianFrame), 0);
        }
        EngineerProgram::TearDown();
    }
    Program librarian;
    HWND librarianFrame = nullptr;
};

TEST_F(LibrarianToEngineer, AnIconDraggedOntoARowBecomesItsIcon) {
    ResetLibrarianSettings();
    WriteTestLibrary(PictureFolder() + "\\suite-engineer.icl", {{"dropped", {{32, 4}}, 0x22}});
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string written = std::string(windows) + "\\Installed System Icons\\Dropped Icons\\dropped.ico";
    DeleteFileA(written.c_str());
    ASSERT_TRUE(librarian.Start("VTMGR.EXE", "\"" + PictureFolder() + "\\suite-engineer.icl\""));
    librarianFrame = WaitForLibrarian(librarian);
    ASSERT_NE(librarianFrame, nullptr);
    HWND child = ChildOfClass(librarianFrame, "VtLibChild");

    // The Librarian on the left, the Engineer on the right showing the Drive page.
    SetWindowPos(librarianFrame, HWND_TOP, 0, 0, 420, 360, 0);
    SetWindowPos(frame, HWND_TOP, 440, 0, 0, 0, SWP_NOSIZE);
    SelectTab(kCategoryDrive);
    HWND list = GetDlgItem(dialog, IDC_LIST);
    int entry = -1;
    for (int i = 0; i < ListCount(); ++i)
        if (SendTo(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == kHardDrive) entry = i;
    ASSERT_GE(entry, 0);
    const int top = static_cast<int>(SendTo(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendTo(list, LB_GETITEMHEIGHT, 0, 0));
    POINT drop{10, (entry - top) * height + height / 2};
    ClientToScreen(list, &drop);
    ASSERT_EQ(GetAncestor(WindowFromPoint(drop), GA_ROOT), frame) << "the row is in view";
    ScreenToClient(child, &drop);

    // Icon 0 of Windows View, dragged there with the left button.
    const POINT icon{21 + 8, 20 + 8};
    SendTo(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(icon.x, icon.y));
    SendTo(child, WM_LBUTTONUP, 0, MAKELPARAM(icon.x, icon.y));
    SendTo(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(icon.x, icon.y));
    SendTo(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(icon.x + 20, icon.y + 20));
    SendTo(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    // A quality warning about the icon may come first; it is answered OK.
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (HWND warning = FindDialog("Image Quality Warning")) PostMessageA(warning, WM_COMMAND, IDOK, 0);
            return Enabled(IDC_CLEAR_UPDATE);
        },
        20000, "the row to take the icon"));
    EXPECT_EQ(StatusPart(0), written + ",0");
    EXPECT_EQ(ReadBytes(written).size() > 6, true) << "the icon file the Engineer names";
    EXPECT_EQ(StatusText(librarianFrame), "1 object") << "the Librarian keeps its icon";
}

}  // namespace
}  // namespace vt::test
