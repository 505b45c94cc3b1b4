// The Studio as a user starts it: its frame appears with its title and ends cleanly.
#include <gtest/gtest.h>

#include "studio/win32/resource.h"
#include "tests/win32/uidriver.h"

namespace {

using vt::test::Program;

TEST(StudioStartup, FrameOpensTitledUntitledAndClosesWithExitCodeZero) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = studio.WaitForWindow("ICSFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(vt::test::WindowTitle(frame), "Vantoro Studio- untitled");
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

TEST(StudioStartup, ExitCommandEndsTheProgram) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = studio.WaitForWindow("ICSFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(vt::test::MenuItemState(frame, IDM_FILE_EXIT), -1);
    ASSERT_TRUE(vt::test::PostCommand(frame, IDM_FILE_EXIT));
    EXPECT_EQ(studio.WaitForExit(), 0);
}

}  // namespace

namespace {

TEST(StudioStartup, AboutBoxComesFromVtappAndCloses) {
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE"));
    HWND frame = studio.WaitForWindow("ICSFrame");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(vt::test::PostCommand(frame, IDM_HELP_ABOUT));
    HWND about = studio.WaitForWindowTitled("About Vantoro Studio");
    ASSERT_NE(about, nullptr);
    EXPECT_NE(vt::test::AllChildTexts(about).find("Vantoro Studio, version 1.0"), std::string::npos)
        << vt::test::AllChildTexts(about);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(vt::test::WaitUntil([&] { return !IsWindow(about); }, 5000, "the About box to close"));
    EXPECT_EQ(studio.CloseAndWait(frame), 0);
}

}  // namespace
