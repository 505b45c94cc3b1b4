#pragma once
// The fixture of the Wine tests of the Librarian with the rest of the suite: one Librarian started
// on a library of the picture folder, clicks on its icon window, menu states.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "librarian/win32/librarian_wine_testutil.h"

namespace vt::test {

// Icon k of the first row of Windows View with the desktop's default metrics.
inline POINT WindowsViewIcon(int k) { return POINT{21 + k * (64 + 43) + 8, 20 + 8}; }

inline LRESULT Send(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, message, wParam, lParam, SMTO_NORMAL, kDefaultWaitMs, &result);
    return static_cast<LRESULT>(result);
}

inline bool Grayed(HWND frame, UINT id) {
    const int state = MenuItemState(frame, id);
    return state >= 0 && (state & MF_GRAYED) != 0;
}

class LibrarianSuite : public ::testing::Test {
  protected:
    void SetUp() override { ResetLibrarianSettings(); }
    void TearDown() override {
        if (frame) {
            EXPECT_EQ(CloseLibrarian(librarian, frame), 0);
        }
    }
    void Start(const std::string& name) {
        ASSERT_TRUE(librarian.Start("VTMGR.EXE", "\"" + PictureFolder() + "\\" + name + "\""));
        frame = WaitForLibrarian(librarian);
        ASSERT_NE(frame, nullptr);
        child = ChildOfClass(frame, "VtLibChild");
        ASSERT_NE(child, nullptr);
    }
    void Click(POINT p, WPARAM keys = 0) {
        Send(child, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
        Send(child, WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
    }

    Program librarian;
    HWND frame = nullptr;
    HWND child = nullptr;
};

}  // namespace vt::test
