#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {

namespace {
// Every Studio test program drives VTEDIT.EXE.
[[maybe_unused]] const bool g_studio = [] {
    SetEditorUnderTest({"VTEDIT.EXE", "Studio", "ICSFrame", "ICSPAlette", "Vantoro Studio"});
    return true;
}();
}  // namespace

void StudioOnFile::Open(const char* scratch, const char* name, int type, IconImage image) {
    std::vector<IconImage> images;
    images.push_back(std::move(image));
    Open(scratch, name, type, std::move(images));
}

void StudioOnFile::Open(const char* scratch, const char* name, int type, std::vector<IconImage> images) {
    ResetEditorSettings();
    path = ScratchDir(scratch) + "\\" + name;
    WriteIconFile(path, type, std::move(images));
    StartOn(path);
}

void StudioOnFile::StartOn(const std::string& args) {
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", args));
    frame = WaitForEditorFrame(studio);
    ASSERT_NE(frame, nullptr);
    palette = studio.WaitForWindow("ICSPAlette");
    ASSERT_NE(palette, nullptr);
}

void StudioOnFile::TearDown() {
    if (frame && IsWindow(frame)) {
        EXPECT_EQ(CloseDiscarding(studio, frame), 0);
    }
}

}  // namespace vt::test
