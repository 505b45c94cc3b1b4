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
