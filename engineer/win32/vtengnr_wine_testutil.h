#pragma once
// The Engineer program as its Wine tests drive it: started on the test prefix, its frame and main
// dialog, its pages, list rows and status bar, and its pictures.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/uidriver.h"

namespace vt::test {

class EngineerProgram : public ::testing::Test {
  public:
    void SetUp() override;
    // Closes the Engineer, answering its discard question with Yes; it must end with 0.
    void TearDown() override;

    // A visible dialog or message box of the Engineer with the title; nullptr when there is none
    // (FindDialog) or none came in time (WaitForDialog, which adds a failure).
    HWND FindDialog(const std::string& title) const;
    HWND WaitForDialog(const std::string& title) const;
    int Page() const;
    int ItemHeightWord() const;
    bool Visible(int id) const;
    bool Enabled(int id) const;
    std::string StatusPart(int part) const;
    // Clicks the tab of a category as the user would (the tab control tells the dialog).
    void SelectTab(int category);
    int ListCount() const;
    // Selects the list entry showing table row `row`; false when it is not listed.
    bool SelectRow(int row);
    // A picture of the Engineer's windows in the build's "pictures" folder.
    bool Picture(const std::string& fileName);
    // Clicks a check box of the main dialog as the user would (the box changes, the dialog hears).
    void ClickBox(int id);
    // Presses a dialog button with a posted click, for buttons that open modal dialogs.
    void PostClick(HWND dialog, int id);

    Program program;
    HWND frame = nullptr;
    HWND dialog = nullptr;
};

}  // namespace vt::test
