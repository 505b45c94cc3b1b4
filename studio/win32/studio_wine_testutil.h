#pragma once
// The Studio's own Wine test helpers; the editors' shared ones are in
// tests/win32/editor_wine_testutil.h, set here to drive VTEDIT.EXE.

#include "tests/win32/editor_wine_testutil.h"

namespace vt::test {

// The Studio started on a file written by the test; whatever the test left unsaved is discarded
// at the end and the Studio must end cleanly.
class StudioOnFile : public ::testing::Test {
protected:
    // type: 1 icon, 2 cursor.
    void Open(const char* scratch, const char* name, int type, IconImage image);
    void Open(const char* scratch, const char* name, int type, std::vector<IconImage> images);
    // Starts the Studio with a command line and waits for its frame and palette.
    void StartOn(const std::string& args);
    void TearDown() override;

    Program studio;
    HWND frame = nullptr;
    HWND palette = nullptr;
    std::string path;
};

}  // namespace vt::test
