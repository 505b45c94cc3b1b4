// The Studio as a user starts it: its frame, title, menus and format list from the command line.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

class StudioStartup : public ::testing::Test {
protected:
    void SetUp() override { ResetEditorSettings(); }
};

TEST_F(StudioStartup, FrameOpensTitledUntitledAndClosesWithExitCodeZero) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- untitled");
    // The tool windows exist from the start; the standalone File menu has its entries.
    EXPECT_NE(studio.WaitForWindow("ICSPAlette"), nullptr);
    EXPECT_NE(studio.WaitForWindow("ICSPreview"), nullptr);
    EXPECT_NE(MenuItemState(frame, IDM_FILE_NEW), -1);
    EXPECT_NE(MenuItemState(frame, IDM_FILE_EXPLORER), -1);
    EXPECT_EQ(MenuItemState(frame, IDM_FILE_UPDATE), -1);
    // Nothing drawn yet: Save and Undo are off.
    EXPECT_TRUE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);
    EXPECT_TRUE(MenuItemState(frame, IDM_EDIT_UNDO) & MF_GRAYED);
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

TEST_F(StudioStartup, ExitCommandEndsTheProgram) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PostCommand(frame, IDM_FILE_EXIT));
    EXPECT_EQ(studio.WaitForExit(), 0);
}

TEST_F(StudioStartup, AboutBoxComesFromVtappAndCloses) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PostCommand(frame, IDM_HELP_ABOUT));
    HWND about = studio.WaitForWindowTitled("About Vantoro Studio");
    ASSERT_NE(about, nullptr);
    EXPECT_NE(AllChildTexts(about).find("Vantoro Studio, version 1.0"), std::string::npos) << AllChildTexts(about);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5000, "the About box to close"));
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

TEST_F(StudioStartup, CloseDuringAModalDialogWaitsForTheDialog) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PostCommand(frame, IDM_HELP_ABOUT));
    HWND about = studio.WaitForWindowTitled("About Vantoro Studio");
    ASSERT_NE(about, nullptr);
    // Closing the frame under the dialog must not pull the frame away from the running command.
    PostMessageA(frame, WM_CLOSE, 0, 0);
    Sleep(300);
    ASSERT_TRUE(studio.running());
    EXPECT_TRUE(IsWindow(about));
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    // Then the close goes ahead.
    EXPECT_EQ(studio.WaitForExit(), 0);
}

TEST_F(StudioStartup, PathOnTheCommandLineOpensTheFileAndListsItsFormats) {
    const std::string dir = ScratchDir("startup_open");
    const std::string path = dir + "\\Sample Icon.ICO";
    std::vector<IconImage> images;
    images.push_back(MakeOpaqueImage(16, 16, kColors16, 9));
    images.push_back(MakeOpaqueImage(32, 32, kColors16, 12));
    images.push_back(MakeOpaqueImage(32, 32, kColors256, 7));
    WriteIconFile(path, 1, std::move(images));
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", "\"" + path + "\""));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- Sample Icon");
    HWND list = GetDlgItem(frame, IDC_FORMAT_LIST);
    ASSERT_NE(list, nullptr);
    // This display shows every depth, so all three formats are listed, sorted by size and depth,
    // and the richest one (256 colours) is the one being edited.
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    // Each entry carries its image's position in the sorted document.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), i + 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    // The palette-file entries exist for a 256-colour image.
    EXPECT_NE(MenuItemState(frame, IDM_EDIT_OPEN_PALETTE), -1);
    // Choosing the 16-colour 32 x 32 format removes them again.
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(MenuItemState(frame, IDM_EDIT_OPEN_PALETTE), -1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

TEST_F(StudioStartup, MissingCommandLineFileStartsANewDocument) {
    const std::string dir = ScratchDir("startup_missing");
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", dir + "\\nothing-here.ico"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- untitled");
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

TEST_F(StudioStartup, HashStartsACursorThroughTheNewResourceDialog) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", "#"));
    HWND dialog = studio.WaitForWindowTitled("New Resource");
    ASSERT_NE(dialog, nullptr);
    // Cursor chosen, Icon disabled, no Cancel.
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_NEWRES_CURSOR, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_NEWRES_ICON)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDCANCEL)));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000, "the New Resource dialog to close"));
    HWND frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    // A cursor document: the hot spot can be set, new formats are not offered.
    EXPECT_FALSE(MenuItemState(frame, IDM_SET_HOT_SPOT) & MF_GRAYED);
    EXPECT_TRUE(MenuItemState(frame, IDM_NEW_FORMAT) & MF_GRAYED);
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

}  // namespace
}  // namespace vt::test
