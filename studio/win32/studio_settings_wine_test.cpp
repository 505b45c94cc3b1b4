// What the Studio remembers between runs: the recently-used files, the "State" record and
// "Color B Mode", all written when the program ends and honoured at the next start.
#include <gtest/gtest.h>

#include "studio/studio_launch.h"
#include "studio/win32/resource.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

class StudioSettings : public ::testing::Test {
protected:
    void SetUp() override { ResetEditorSettings(); }

    // Starts the Studio, lets `act` drive it, and closes it.
    template <class Act>
    void Run(const std::string& args, Act act) {
        Program studio;
        ASSERT_TRUE(studio.Start("VTEDIT.EXE", args));
        HWND frame = WaitForEditorFrame(studio);
        ASSERT_NE(frame, nullptr);
        act(studio, frame);
        EXPECT_EQ(studio.CloseAndWait(frame), 0);
    }
    void Run(const std::string& args) {
        Run(args, [](Program&, HWND) {});
    }
};

TEST_F(StudioSettings, FiveFilesOpenedInTurnLeaveTheLastFourNewestFirst) {
    const std::string dir = ScratchDir("mru");
    std::vector<std::string> paths;
    for (int i = 1; i <= 5; ++i) {
        paths.push_back(dir + "\\file" + std::to_string(i) + ".ico");
        std::vector<IconImage> images;
        images.push_back(MakeOpaqueImage(32, 32, kColors16, static_cast<uint32_t>(i)));
        WriteIconFile(paths.back(), 1, std::move(images));
    }
    for (const std::string& p : paths) Run(p);
    EXPECT_EQ(ReadSettingText("MRU List", "MRUCount"), "4");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU1"), paths[4] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU2"), paths[3] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU3"), paths[2] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU4"), paths[1] + ",1");

    // Reopening a listed file moves it to the front without a duplicate.
    Run(paths[2]);
    EXPECT_EQ(ReadSettingText("MRU List", "MRU1"), paths[2] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU2"), paths[4] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU3"), paths[3] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU4"), paths[1] + ",1");

    // A listed file that has gone: opening it from the menu fails and drops it from the list.
    DeleteFileA(paths[3].c_str());
    Run("", [&](Program&, HWND frame) {
        EXPECT_NE(MenuItemState(frame, IDM_FILE_MRU4), -1);
        ASSERT_TRUE(SendCommand(frame, IDM_FILE_MRU1 + 2));
        EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- untitled");
        EXPECT_EQ(MenuItemState(frame, IDM_FILE_MRU4), -1);
        // An entry that exists opens with its file name in the title.
        ASSERT_TRUE(SendCommand(frame, IDM_FILE_MRU1 + 1));
        EXPECT_EQ(WindowTitle(frame), "Vantoro Studio- file5");
    });
    EXPECT_EQ(ReadSettingText("MRU List", "MRUCount"), "3");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU1"), paths[4] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU2"), paths[2] + ",1");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU3"), paths[1] + ",1");
    EXPECT_FALSE(SettingExists("MRU List", "MRU4"));
}

TEST_F(StudioSettings, StateAndColorBModeSurviveARestart) {
    Run("", [](Program&, HWND frame) {
        EXPECT_TRUE(MenuItemState(frame, IDM_VIEW_TOOLBAR) & MF_CHECKED);
        EXPECT_TRUE(MenuItemState(frame, IDM_COLORB_OPAQUE) & MF_CHECKED);
        ASSERT_TRUE(SendCommand(frame, IDM_VIEW_TOOLBAR));
        ASSERT_TRUE(SendCommand(frame, IDM_COLORB_TRANSPARENT));
        ASSERT_TRUE(SendCommand(frame, IDM_VIEW_PREVIEW));
    });
    EXPECT_EQ(ReadSettingText("Persistent", "Color B Mode"), "1");
    const std::vector<uint8_t> record = ReadSettingBinary("Persistent", "State");
    ASSERT_EQ(record.size(), kEditorStateSize);
    const EditorState state = DecodeEditorState(record, kStudioLastFileType);
    EXPECT_TRUE(state.toolBarHidden);
    EXPECT_TRUE(state.previewHidden);
    EXPECT_FALSE(state.statusBarHidden);
    EXPECT_NE(state.frameWidth, 0);

    Run("", [](Program& studio, HWND frame) {
        EXPECT_FALSE(MenuItemState(frame, IDM_VIEW_TOOLBAR) & MF_CHECKED);
        EXPECT_FALSE(MenuItemState(frame, IDM_VIEW_PREVIEW) & MF_CHECKED);
        EXPECT_TRUE(MenuItemState(frame, IDM_COLORB_TRANSPARENT) & MF_CHECKED);
        HWND bar = ChildOfClass(frame, "ToolbarWindow32");
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(IsWindowVisible(bar));
        HWND preview = studio.FindWindowOfClass("ICSPreview");
        ASSERT_NE(preview, nullptr);
        EXPECT_FALSE(IsWindowVisible(preview));
        ASSERT_TRUE(SendCommand(frame, IDM_COLORB_OPAQUE));
    });
    EXPECT_EQ(ReadSettingText("Persistent", "Color B Mode"), "0");
}

TEST_F(StudioSettings, SavedPositionsCountOnlyWithANonZeroPreviewLeft) {
    EditorState state;
    state.frameLeft = 40;
    state.frameTop = 30;
    state.frameWidth = 700;
    state.frameHeight = 560;
    state.previewLeft = 300;
    state.previewTop = 200;
    WriteStateRecord(state);
    RECT placed{};
    Run("", [&](Program&, HWND frame) { GetWindowRect(frame, &placed); });
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, 700);

    state.previewLeft = 0;
    WriteStateRecord(state);
    Run("", [&](Program&, HWND frame) { GetWindowRect(frame, &placed); });
    // The default place: the design size at the right of the screen.
    EXPECT_NE(placed.left, 40);
    EXPECT_EQ(placed.right - placed.left, 2 * GetSystemMetrics(SM_CXFRAME) + 466);
}

}  // namespace
}  // namespace vt::test
