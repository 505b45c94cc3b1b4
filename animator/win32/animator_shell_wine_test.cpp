// The Animator as a user drives it: files opened from the command line, the recent list and the
// Open dialog, frames edited, inserted, removed and re-timed, the preview and its slider, the
// dialogs and closing. Every result is read back with the core or with the system's own loader.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animator/ani_testutil.h"
#include "animator/win32/animator_wine_testutil.h"
#include "animator/win32/resource.h"
#include "common/file_io.h"
#include "tests/win32/session_test_server.h"

namespace vt::test {
namespace {

using vt::testing::Bytes;


std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

uint32_t Pixel(const IconImage& img, int x, int y) { return img.XorValue(x, y); }

class AnimatorTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEditorSettings(); }
    void TearDown() override {
        if (ani.program.running()) {
            EXPECT_EQ(ani.CloseDiscarding(), 0);
        }
    }
    Animator ani;
};

// ---- round trip ----

TEST_F(AnimatorTest, EditInsertRemoveRetimeAndSave) {
    const std::string dir = ScratchDir("ani_roundtrip");
    const std::string path = dir + "\\walk.ani";
    WriteAnimation(path, {{9, 10, 1, 1}, {10, 10, 7, 9}, {12, 10, 3, 3}, {14, 1000, 5, 5}});
    ASSERT_TRUE(ani.Start(Quoted(path)));
    EXPECT_EQ(WindowTitle(ani.frame), "Vantoro Animator- walk.ani");
    ASSERT_EQ(ani.FrameCount(), 4);
    EXPECT_TRUE(ani.program.FindWindowOfClass("ANIText"));
    // A time the field cannot hold is shown, and showing it is no edit.
    ani.SelectFrame(3);
    EXPECT_EQ(ani.TimeText(), "1000");
    EXPECT_FALSE(ani.ToolBarEnabled(IDM_FILE_SAVE));

    ani.SelectFrame(1);
    ASSERT_TRUE(SendCommand(ani.frame, IDM_TOOL_PENCIL));
    ani.Stroke({{2, 2}, {3, 2}, {4, 2}});
    ASSERT_TRUE(SendCommand(ani.frame, IDM_TOOL_FILLED_RECTANGLE));
    ani.Stroke({{10, 10}, {12, 12}, {14, 14}});

    ASSERT_TRUE(PostCommand(ani.frame, IDM_NEW_FRAMES));
    HWND dlg = ani.WaitForDialog("Insert New Frames");
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ControlText(dlg, IDC_INSERT_COUNT), "1");
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_INSERT_AFTER, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_INSERT_FILL, BM_GETCHECK, 0, 0), BST_CHECKED);
    // No frames to insert: the dialog stays.
    SetDlgItemTextA(dlg, IDC_INSERT_COUNT, "0");
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(dlg));
    SetDlgItemTextA(dlg, IDC_INSERT_COUNT, "3");
    SendDlgItemMessageA(dlg, IDC_INSERT_FILL, BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return ani.FrameCount() == 7; }, kDefaultWaitMs, "seven frames"));
    EXPECT_EQ(ani.Selected(), 2);

    // The first new frame is selected; removing it goes back to the edited frame.
    ASSERT_TRUE(PostCommand(ani.frame, IDM_REMOVE_FRAME));
    EXPECT_TRUE(Contains(ani.AnswerBox(IDYES), "Remove the current frame from the animation?"));
    ASSERT_TRUE(WaitUntil([&] { return ani.FrameCount() == 6; }, kDefaultWaitMs, "six frames"));
    EXPECT_EQ(ani.Selected(), 1);
    EXPECT_EQ(ani.TimeText(), "10");
    ani.TypeTime("25");

    ASSERT_TRUE(SendCommand(ani.frame, IDM_FILE_SAVE));
    EXPECT_FALSE(ani.ToolBarEnabled(IDM_FILE_SAVE));

    ReadBack back(path);
    ASSERT_TRUE(back.ok());
    Animation& a = back.animation();
    ASSERT_EQ(a.frameCount(), 6u);
    EXPECT_EQ(a.Times(), (std::vector<int32_t>{10, 25, 10, 10, 10, 1000}));
    const IconImage& edited = a.frame(1).image();
    EXPECT_EQ(Pixel(edited, 3, 2), 0u);    // the pencil's black
    EXPECT_EQ(Pixel(edited, 12, 12), 0u);  // inside the filled rectangle
    EXPECT_EQ(Pixel(edited, 20, 20), 10u);
    for (size_t f : {2u, 3u}) {
        const IconImage& blank = a.frame(f).image();
        EXPECT_TRUE(blank.AndBit(16, 16));
        EXPECT_EQ(blank.hotSpotX, 7u);
        EXPECT_EQ(blank.hotSpotY, 9u);
    }
    EXPECT_EQ(Pixel(a.frame(4).image(), 5, 5), 12u);
    // The two blank frames share one picture in the file.
    const Bytes bytes = ReadFileBytes(path);
    const std::vector<std::string> ids = vt::testing::ChunkIds(bytes);
    int icons = 0;
    for (const std::string& id : ids) icons += id == "icon";
    EXPECT_EQ(icons, 5);
    EXPECT_NE(std::find(ids.begin(), ids.end(), "seq "), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), "rate"), ids.end());
    EXPECT_EQ(a.header().flags, 3u);
}

// A frame chosen in the list while the pencil is down: the stroke stays on its own frame, the list
// keeps showing that frame, and the stroke is one step of that frame's history.
TEST_F(AnimatorTest, ChoosingAFrameDuringAPencilDragKeepsTheStrokeOnItsFrame) {
    const std::string path = ScratchDir("ani_dragswitch") + "\\drag.ani";
    WriteAnimation(path, {{9, 10}, {10, 10}, {12, 10}});
    ASSERT_TRUE(ani.Start(Quoted(path)));
    ASSERT_TRUE(SendCommand(ani.frame, IDM_TOOL_PENCIL));
    EditorGrid grid(ani.frame, 32, 32);
    grid.Press(4, 4);
    grid.MoveTo(5, 4);
    ani.SelectFrame(2);
    EXPECT_EQ(ani.Selected(), 0);
    grid.MoveTo(6, 4);
    grid.Release(6, 4);
    EXPECT_EQ(ani.Selected(), 0);
    // Each frame keeps its own history: the other frame has nothing to undo, this one the stroke.
    ani.SelectFrame(1);
    EXPECT_EQ(MenuItemState(ani.frame, IDM_EDIT_UNDO) & MF_GRAYED, MF_GRAYED);
    ani.SelectFrame(0);
    EXPECT_EQ(MenuItemState(ani.frame, IDM_EDIT_UNDO) & MF_GRAYED, 0);
    // One Undo takes the whole stroke back.
    ASSERT_TRUE(SendCommand(ani.frame, IDM_EDIT_UNDO));
    ASSERT_TRUE(SendCommand(ani.frame, IDM_FILE_SAVE));
    {
        ReadBack undone(path);
        ASSERT_TRUE(undone.ok());
        for (int x = 4; x <= 6; ++x) EXPECT_EQ(undone.animation().frame(0).image().XorValue(x, 4), 9u) << x;
    }
    ASSERT_TRUE(SendCommand(ani.frame, IDM_EDIT_REDO));
    ani.SelectFrame(2);
    EXPECT_EQ(ani.Selected(), 2);
    ASSERT_TRUE(SendCommand(ani.frame, IDM_FILE_SAVE));
    ReadBack back(path);
    ASSERT_TRUE(back.ok());
    for (int x = 4; x <= 6; ++x) EXPECT_EQ(back.animation().frame(0).image().XorValue(x, 4), 0u) << x;
    EXPECT_EQ(back.animation().frame(2).image().XorValue(5, 4), 12u);
    EXPECT_EQ(back.animation().frame(1).image().XorValue(5, 4), 10u);
}

// ---- hostile files ----

TEST_F(AnimatorTest, HostileFilesLeaveANewAnimationAndTheRecentEntryGoes) {
    using namespace vt::testing;
    const Bytes icon32 = Chunk("icon", SimpleCursor(4, 1));
    Bytes sixteen = SimpleCursor(4, 1);
    sixteen[6] = 16;
    sixteen[7] = 16;
    std::vector<CursorEntry> five(5);
    for (auto& e : five) e.data = FileImageOf(MakeBlock(4, 2));
    Bytes huge = SimpleCursor(4, 3);
    huge.resize(5000);
    Bytes truncated = AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {icon32})});
    truncated.resize(truncated.size() - 300);
    struct Case {
        const char* name;
        Bytes file;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"sixteen", AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", sixteen)})}),
         "Cannot locate 32x32 pixel image, only 16x16."},
        {"five", AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", CursorFile(five))})}),
         "Image count is out of range in icon chunk."},
        {"huge", AniFile({Chunk("anih", AnihData(1, 1)), List("fram", {Chunk("icon", huge)})}), nullptr},
        {"sequence", AniFile({Chunk("anih", AnihData(1, 2, 10, 3)), Chunk("seq ", Le32({0, 5})), List("fram", {icon32})}),
         nullptr},
        {"truncated", truncated, nullptr},
        {"counts", AniFile({Chunk("anih", AnihData(0xFFFFFFFF, 0xFFFFFFFF)), List("fram", {icon32})}), nullptr},
    };
    const std::string dir = ScratchDir("ani_hostile");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "\\" + c.name + ".ani";
        ASSERT_TRUE(WriteFileReplacing(path, "T", c.file));
        ResetEditorSettings();
        WriteSettingText("MRU List", "MRUCount", "1");
        WriteSettingText("MRU List", "MRU1", path);
        Animator run;
        ASSERT_TRUE(run.program.Start("VTANI.EXE"));
        run.frame = run.program.WaitForWindow("ANIFrame");
        ASSERT_TRUE(run.frame);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(run.frame) != FALSE; }, kDefaultWaitMs, "frame shown"));
        EXPECT_EQ(MenuItemState(run.frame, IDM_FILE_MRU1) >= 0, true);
        ASSERT_TRUE(PostCommand(run.frame, IDM_FILE_MRU1));
        std::string texts = run.AnswerBox(IDOK);
        if (c.message) {
            EXPECT_TRUE(Contains(texts, c.message)) << texts;
            texts = run.AnswerBox(IDOK);
        }
        EXPECT_TRUE(Contains(texts, "Could not open the requested file.")) << texts;
        ASSERT_TRUE(WaitUntil([&] { return WindowTitle(run.frame) == "Vantoro Animator- untitled"; }, kDefaultWaitMs,
                              "a new animation"));
        EXPECT_EQ(SendMessageA(GetDlgItem(run.frame, IDC_FRAME_LIST), LB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(MenuItemState(run.frame, IDM_FILE_MRU1), -1);
        EXPECT_EQ(run.program.CloseAndWait(run.frame), 0);
        EXPECT_EQ(ReadSettingText("MRU List", "MRUCount"), "0");
    }
}

// ---- preview ----

TEST_F(AnimatorTest, PreviewCyclesThroughTheFramesAndStopShowsTheEditedFrame) {
    const std::string path = ScratchDir("ani_preview") + "\\cycle.ani";
    WriteAnimation(path, {{9, 6}, {10, 12}, {12, 6}});
    ASSERT_TRUE(ani.Start(Quoted(path)));
    HWND play = GetDlgItem(ani.preview, IDC_PREVIEW_PLAY);
    HWND stop = GetDlgItem(ani.preview, IDC_PREVIEW_STOP);
    EXPECT_EQ(ani.PreviewFrame(), 0);
    EXPECT_TRUE(IsWindowEnabled(play));
    EXPECT_FALSE(IsWindowEnabled(stop));
    SendMessageA(ani.preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_PLAY, BN_CLICKED), reinterpret_cast<LPARAM>(play));
    EXPECT_FALSE(IsWindowEnabled(play));
    EXPECT_TRUE(IsWindowEnabled(stop));
    EXPECT_FALSE(ani.ToolBarEnabled(IDM_NEW_FRAMES));
    EXPECT_FALSE(ani.ToolBarEnabled(IDM_REMOVE_FRAME));
    EXPECT_EQ(MenuItemState(ani.frame, IDM_NEW_FRAMES) & MF_GRAYED, MF_GRAYED);

    // A Color Locator click on the palette while playing leaves the cycle running.
    ASSERT_TRUE(SendCommand(ani.frame, IDM_TOOL_LOCATOR));
    HWND palette = ani.program.WaitForWindow("ANIPAlette");
    ASSERT_TRUE(palette);
    SendMessageA(palette, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(palette, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));

    // The order of the frames on show, each change seen once: 1, 2, 3, 1, 2.
    std::vector<int> seen{ani.PreviewFrame()};
    ASSERT_EQ(seen.front(), 1);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const int f = ani.PreviewFrame();
            if (f != seen.back()) seen.push_back(f);
            return seen.size() >= 5;
        },
        20000, "five frames shown"));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 1, 2}));

    SendMessageA(ani.preview, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_STOP, BN_CLICKED), reinterpret_cast<LPARAM>(stop));
    EXPECT_EQ(ani.PreviewFrame(), 0);
    EXPECT_TRUE(IsWindowEnabled(play));
    EXPECT_TRUE(ani.ToolBarEnabled(IDM_NEW_FRAMES));
}

// ---- the speed slider ----

TEST_F(AnimatorTest, SliderReleaseRewritesTheTimes) {
    const std::string dir = ScratchDir("ani_slider");
    struct Case {
        int32_t time;
        bool rightEnd;  // else position 20
    };
    for (const Case c : {Case{10, false}, Case{30, true}}) {
        SCOPED_TRACE(c.time);
        const std::string path = dir + "\\speed" + std::to_string(c.time) + ".ani";
        WriteAnimation(path, {{9, c.time}, {10, c.time}, {12, c.time}});
        Animator run;
        ASSERT_TRUE(run.Start(Quoted(path)));
        HWND slider = GetDlgItem(run.preview, IDC_PREVIEW_SPEED);
        const int neutral = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
        // A release at the neutral position changes nothing.
        SendMessageA(run.preview, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, neutral), reinterpret_cast<LPARAM>(slider));
        SendMessageA(run.preview, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
        EXPECT_FALSE(run.ToolBarEnabled(IDM_FILE_SAVE));
        EXPECT_EQ(MenuItemState(run.frame, IDM_FILE_SAVE) & MF_GRAYED, MF_GRAYED);

        const int to = c.rightEnd ? static_cast<int>(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0)) : 20;
        SendMessageA(slider, TBM_SETPOS, TRUE, to);
        SendMessageA(run.preview, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, to), reinterpret_cast<LPARAM>(slider));
        SendMessageA(run.preview, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, to), reinterpret_cast<LPARAM>(slider));
        SendMessageA(run.preview, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
        EXPECT_TRUE(run.ToolBarEnabled(IDM_FILE_SAVE));
        EXPECT_EQ(run.TimeText(), "1");
        ASSERT_TRUE(SendCommand(run.frame, IDM_FILE_SAVE));
        ReadBack back(path);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.animation().Times(), (std::vector<int32_t>{1, 1, 1}));
        EXPECT_EQ(run.program.CloseAndWait(run.frame), 0);
    }
}

// ---- closing ----

TEST_F(AnimatorTest, ClosingAsksAndAFailedSaveKeepsTheAnimation) {
    ASSERT_TRUE(ani.Start());
    EXPECT_EQ(WindowTitle(ani.frame), "Vantoro Animator- untitled");
    ani.TypeTime("7");
    PostMessageA(ani.frame, WM_CLOSE, 0, 0);
    const std::string question = ani.AnswerBox(IDCANCEL);
    EXPECT_TRUE(Contains(question, "untitled has been changed.  Save file before closing?")) << question;
    EXPECT_TRUE(ani.program.running());
    // Yes on an untitled animation asks for a name; cancelling that keeps the program.
    PostMessageA(ani.frame, WM_CLOSE, 0, 0);
    ani.AnswerBox(IDYES);
    HWND saveAs = ani.WaitForDialog("Save As");
    ASSERT_TRUE(saveAs);
    PostMessageA(saveAs, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(saveAs); }, kDefaultWaitMs, "Save As closed"));
    Sleep(200);
    EXPECT_TRUE(ani.program.running());
    PostMessageA(ani.frame, WM_CLOSE, 0, 0);
    ani.AnswerBox(IDNO);
    EXPECT_EQ(ani.program.WaitForExit(), 0);

    // A save into a folder deleted after opening: the message, and the animation stays modified.
    const std::string dir = ScratchDir("ani_close");
    const std::string folder = dir + "\\gone";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\walk.ani";
    WriteAnimation(path, {{9, 10}});
    Animator run;
    ASSERT_TRUE(run.Start(Quoted(path)));
    run.TypeTime("12");
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
    ASSERT_TRUE(PostCommand(run.frame, IDM_FILE_SAVE));
    EXPECT_TRUE(Contains(run.AnswerBox(IDOK), "Could not save the requested file."));
    EXPECT_EQ(WindowTitle(run.frame), "Vantoro Animator- walk.ani");
    EXPECT_TRUE(run.ToolBarEnabled(IDM_FILE_SAVE));
    PostMessageA(run.frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Contains(run.AnswerBox(IDNO), "walk.ani has been changed.  Save file before closing?"));
    EXPECT_EQ(run.program.WaitForExit(), 0);
}

// ---- Cursor Properties ----

TEST_F(AnimatorTest, CursorPropertiesShowTheFiguresAndStoreTheTexts) {
    const std::string path = ScratchDir("ani_props") + "\\props.ani";
    WriteAnimation(path, {{9, 30}, {10, 30}, {9, 30}});
    ASSERT_TRUE(ani.Start(Quoted(path)));
    ASSERT_TRUE(PostCommand(ani.frame, IDM_VIEW_PROPERTIES));
    HWND dlg = ani.WaitForDialog("Cursor Properties");
    ASSERT_TRUE(dlg);
    EXPECT_EQ(ControlText(dlg, IDC_PROP_FRAMES), "3");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_IMAGES), "2");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_DURATION), "1.5 seconds");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_WIDTH), "32 pixels");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_HEIGHT), "32 pixels");
    EXPECT_EQ(ControlText(dlg, IDC_PROP_FORMAT), "4 bit, 16 colors");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dlg, IDC_PROP_TITLE), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(RequestPicture(ani.frame, "animator-properties.bmp"));
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_PROP_EDIT, BN_CLICKED), 0);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(dlg, IDC_PROP_TITLE), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_PROP_EDIT)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, IDC_PROP_CANCEL)));
    SetDlgItemTextA(dlg, IDC_PROP_TITLE, "Walker");
    SetDlgItemTextA(dlg, IDC_PROP_CREDITS, "Kit Maker");
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, kDefaultWaitMs, "properties closed"));
    ASSERT_TRUE(SendCommand(ani.frame, IDM_FILE_SAVE));
    const std::vector<std::string> ids = vt::testing::ChunkIds(ReadFileBytes(path));
    EXPECT_NE(std::find(ids.begin(), ids.end(), "INAM"), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), "IART"), ids.end());
    ReadBack back(path);
    EXPECT_EQ(back.animation().title(), "Walker");
    EXPECT_EQ(back.animation().author(), "Kit Maker");
}

// ---- colour depths ----

TEST_F(AnimatorTest, NewAndCreateNewColorDepth) {
    ASSERT_TRUE(ani.Start());
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_NEW));
    HWND dlg = ani.WaitForDialog("New Cursor Color Depth");
    ASSERT_TRUE(dlg);
    EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_DEPTH_16, BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, kDefaultWaitMs, "depth dialog closed"));
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_NEW));
    dlg = ani.WaitForDialog("New Cursor Color Depth");
    ASSERT_TRUE(dlg);
    SendDlgItemMessageA(dlg, IDC_DEPTH_16, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(dlg, IDC_DEPTH_TRUE, BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, kDefaultWaitMs, "depth dialog closed"));
    ASSERT_TRUE(PostCommand(ani.frame, IDM_VIEW_PROPERTIES));
    HWND props = ani.WaitForDialog("Cursor Properties");
    ASSERT_TRUE(props);
    EXPECT_EQ(ControlText(props, IDC_PROP_FORMAT), "24 bit, True Color");
    PostMessageA(props, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(props); }, kDefaultWaitMs, "properties closed"));
    EXPECT_EQ(ani.CloseDiscarding(), 0);

    // Create New Color Depth on a modified 16-colour file.
    const std::string path = ScratchDir("ani_depth") + "\\depth.ani";
    WriteAnimation(path, {{9, 10, 3, 4, true}, {10, 20, 5, 6, true}});
    Animator run;
    ASSERT_TRUE(run.Start(Quoted(path)));
    run.TypeTime("11");
    ASSERT_TRUE(PostCommand(run.frame, IDM_NEW_COLOR_DEPTH));
    EXPECT_TRUE(Contains(run.AnswerBox(IDCANCEL), "Do you want to continue without saving?"));
    ASSERT_TRUE(PostCommand(run.frame, IDM_NEW_COLOR_DEPTH));
    run.AnswerBox(IDOK);
    dlg = run.WaitForDialog("Create New Color Depth");
    ASSERT_TRUE(dlg);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_DEPTH_16)));
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Contains(run.AnswerBox(IDOK), "Please select the New Color Depth that you would like to convert to."));
    EXPECT_TRUE(IsWindow(dlg));
    SendDlgItemMessageA(dlg, IDC_DEPTH_256, BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(run.frame) == "Vantoro Animator- untitled"; }, kDefaultWaitMs,
                          "the converted animation untitled"));
    EXPECT_EQ(MenuItemState(run.frame, IDM_EDIT_UNDO) & MF_GRAYED, MF_GRAYED);
    EXPECT_TRUE(run.ToolBarEnabled(IDM_FILE_SAVE));
    const std::string converted = ScratchDir("ani_depth_out") + "\\converted.ani";
    ASSERT_TRUE(PostCommand(run.frame, IDM_FILE_SAVE));
    HWND saveAs = run.WaitForDialog("Save As");
    ASSERT_TRUE(saveAs);
    AnswerFileDialog(saveAs, converted);
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesA(converted.c_str()) != INVALID_FILE_ATTRIBUTES; },
                          kDefaultWaitMs, "the converted file saved"));
    ReadBack before(path), after(converted);
    ASSERT_TRUE(after.ok());
    ASSERT_EQ(after.animation().frameCount(), 2u);
    EXPECT_EQ(after.animation().colorCode(), kColors256);
    EXPECT_EQ(after.animation().Times(), (std::vector<int32_t>{11, 20}));
    for (size_t f = 0; f < 2; ++f) {
        const IconImage& o = before.animation().frame(f).image();
        const IconImage& n = after.animation().frame(f).image();
        EXPECT_EQ(n.hotSpotX, o.hotSpotX);
        EXPECT_EQ(n.hotSpotY, o.hotSpotY);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) ASSERT_EQ(n.AndBit(x, y), o.AndBit(x, y)) << x << "," << y;
    }
}

// ---- recent files ----

TEST_F(AnimatorTest, RecentFilesNewestFirstPlainPathsAndSessionsLeaveThem) {
    const std::string dir = ScratchDir("ani_recent");
    std::vector<std::string> paths;
    for (int i = 0; i < 5; ++i) {
        paths.push_back(dir + "\\r" + std::to_string(i) + (i == 4 ? ",comma.ani" : ".ani"));
        WriteAnimation(paths.back(), {{static_cast<uint32_t>(9 + i), 10}});
    }
    for (const std::string& p : paths) {
        Animator run;
        ASSERT_TRUE(run.Start(Quoted(p)));
        EXPECT_EQ(run.program.CloseAndWait(run.frame), 0);
    }
    EXPECT_EQ(ReadSettingText("MRU List", "MRUCount"), "4");
    // The window places and views went into the Animator's own section.
    EXPECT_EQ(ReadSettingBinary("Persistent", "State").size(), 912u);
    EXPECT_EQ(ReadSettingText("Persistent", "Color B Mode"), "0");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU1"), paths[4]);
    EXPECT_EQ(ReadSettingText("MRU List", "MRU4"), paths[1]);

    // The path with a comma survives a restart and opens from the list.
    ASSERT_TRUE(ani.Start());
    EXPECT_EQ(MenuItemState(ani.frame, IDM_FILE_MRU4) >= 0, true);
    ASSERT_TRUE(SendCommand(ani.frame, IDM_FILE_MRU1));
    EXPECT_EQ(WindowTitle(ani.frame), "Vantoro Animator- r4,comma.ani");
    // A deleted file shows the message and leaves the list.
    ASSERT_TRUE(DeleteFileA(paths[3].c_str()));
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_MRU1 + 1));
    EXPECT_TRUE(Contains(ani.AnswerBox(IDOK), "Could not open the requested file."));
    ASSERT_TRUE(WaitUntil([&] { return MenuItemState(ani.frame, IDM_FILE_MRU4) == -1; }, kDefaultWaitMs,
                          "three recent entries"));
    EXPECT_EQ(ani.CloseDiscarding(), 0);
    EXPECT_EQ(ReadSettingText("MRU List", "MRUCount"), "3");

    // An edit session neither reads nor writes the list.
    TestServer server("1234", false);
    Animator session;
    ASSERT_TRUE(session.Start("!N1234"));
    EXPECT_EQ(WindowTitle(session.frame), "Vantoro Animator- untitled");
    EXPECT_EQ(MenuItemState(session.frame, IDM_FILE_MRU1), -1);
    EXPECT_EQ(MenuItemState(session.frame, IDM_FILE_UPDATE) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(session.CloseDiscarding(), 0);
    EXPECT_EQ(ReadSettingText("MRU List", "MRUCount"), "3");
    EXPECT_EQ(ReadSettingText("MRU List", "MRU1"), paths[4]);
}

// ---- the system's loader as the judge ----

using GetCursorFrameInfoFn = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

TEST_F(AnimatorTest, TheSystemLoaderAnimatesWhatTheAnimatorSaved) {
    const std::string dir = ScratchDir("ani_oracle");
    const std::string source = dir + "\\source.ani";
    const std::string saved = dir + "\\saved.ani";
    WriteAnimation(source, {{9, 10}, {10, 20}, {12, 30}});
    ASSERT_TRUE(ani.Start(Quoted(source)));
    ani.SelectFrame(1);
    EXPECT_EQ(ani.TimeText(), "20");
    ASSERT_TRUE(SendCommand(ani.frame, IDM_TOOL_PENCIL));
    ani.Stroke({{0, 31}, {1, 31}, {2, 31}});
    ani.TypeTime("15");
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_SAVE_AS));
    HWND saveAs = ani.WaitForDialog("Save As");
    ASSERT_TRUE(saveAs);
    AnswerFileDialog(saveAs, saved);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(ani.frame) == "Vantoro Animator- saved.ani"; }, kDefaultWaitMs,
                          "saved under the new name"));

    // The source again, through the Open dialog.
    ASSERT_TRUE(PostCommand(ani.frame, IDM_FILE_OPEN));
    HWND open = ani.WaitForDialog("Open");
    ASSERT_TRUE(open);
    AnswerFileDialog(open, source);
    ASSERT_TRUE(WaitUntil([&] { return WindowTitle(ani.frame) == "Vantoro Animator- source.ani"; }, kDefaultWaitMs,
                          "the source opened"));
    EXPECT_EQ(ani.FrameCount(), 3);

    HCURSOR cursor = LoadCursorFromFileA(saved.c_str());
    ASSERT_TRUE(cursor);
    HANDLE image = LoadImageA(nullptr, saved.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    EXPECT_TRUE(image);
    if (image) DestroyCursor(static_cast<HCURSOR>(image));
    auto info = reinterpret_cast<GetCursorFrameInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
    ASSERT_TRUE(info);
    DWORD rate = 0, steps = 0;
    ASSERT_TRUE(info(cursor, 0, 0, &rate, &steps));
    EXPECT_EQ(steps, 3u);
    const DWORD expected[] = {10, 15, 30};
    for (DWORD s = 0; s < 3; ++s) {
        ASSERT_TRUE(info(cursor, 0, s, &rate, &steps));
        EXPECT_EQ(rate, expected[s]) << s;
    }
    // Step 2 drawn by the system shows the pencil's black at the bottom left over the frame's colour.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, 32, 32};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(DrawIconEx(dc, 0, 0, cursor, 32, 32, 1, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 1, 31) & 0xFFFFFF, 0u);
    EXPECT_EQ(GetPixel(dc, 10, 10) & 0xFFFFFF, RGB(0, 255, 0));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(DrawIconEx(dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 1, 31) & 0xFFFFFF, RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DestroyCursor(cursor);
}

// ---- accelerators ----

TEST_F(AnimatorTest, AcceleratorTableAndDeleteInTheTimeField) {
    // Table 80 as the executable holds it: exactly the sixteen keys.
    const std::string exe = BinDir() + "\\VTANI.EXE";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDA_ACCELERATORS));
    ASSERT_TRUE(table);
    ACCEL keys[32];
    const int n = CopyAcceleratorTableA(table, keys, 32);
    struct Key {
        BYTE flags;
        WORD key;
        WORD cmd;
    };
    const std::vector<Key> expected = {
        {FVIRTKEY | FCONTROL, 'X', IDM_EDIT_CUT},       {FVIRTKEY | FCONTROL, 'C', IDM_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', IDM_EDIT_PASTE},     {FVIRTKEY | FCONTROL, 'A', IDM_EDIT_SELECT_ALL},
        {FVIRTKEY | FCONTROL, 'Z', IDM_EDIT_UNDO},      {FVIRTKEY | FCONTROL, 'Y', IDM_EDIT_REDO},
        {FVIRTKEY, VK_DELETE, IDM_EDIT_CLEAR},          {FVIRTKEY | FSHIFT, VK_DELETE, IDM_EDIT_CUT},
        {FVIRTKEY | FCONTROL, VK_INSERT, IDM_EDIT_COPY}, {FVIRTKEY | FSHIFT, VK_INSERT, IDM_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, IDM_EDIT_UNDO},      {FVIRTKEY | FALT, VK_RETURN, IDM_VIEW_PROPERTIES},
        {FVIRTKEY | FALT, 'N', IDM_FILE_NEW_WINDOW},    {FVIRTKEY | FALT, 'X', IDM_FILE_EXPLORER},
        {FVIRTKEY | FCONTROL, 'O', IDM_FILE_OPEN},      {FVIRTKEY | FCONTROL, 'S', IDM_FILE_SAVE},
    };
    ASSERT_EQ(n, static_cast<int>(expected.size()));
    for (const Key& k : expected) {
        bool found = false;
        for (int i = 0; i < n; ++i)
            found |= (keys[i].fVirt & ~0x80) == k.flags && keys[i].key == k.key && keys[i].cmd == k.cmd;
        EXPECT_TRUE(found) << "key " << k.key << " command " << k.cmd;
    }
    FreeLibrary(module);

    // Delete typed into the time field removes a digit there and leaves the frame's pixels.
    const std::string path = ScratchDir("ani_keys") + "\\keys.ani";
    WriteAnimation(path, {{9, 25}});
    ASSERT_TRUE(ani.Start(Quoted(path)));
    ASSERT_TRUE(SendCommand(ani.frame, IDM_EDIT_SELECT_ALL));
    SendMessageA(ani.timeEdit, EM_SETSEL, 0, 1);
    // The key as the message loop gets it, with the focus in the field.
    DWORD thread = GetWindowThreadProcessId(ani.frame, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(ani.timeEdit);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    PostMessageA(ani.timeEdit, WM_KEYDOWN, VK_DELETE, 0x01530001);
    PostMessageA(ani.timeEdit, WM_KEYUP, VK_DELETE, 0xC1530001);
    ASSERT_TRUE(WaitUntil([&] { return ani.TimeText() == "5"; }, kDefaultWaitMs, "the digit deleted"));
    ASSERT_TRUE(SendCommand(ani.frame, IDM_FILE_SAVE));
    ReadBack back(path);
    EXPECT_EQ(back.animation().Times(), (std::vector<int32_t>{5}));
    EXPECT_EQ(back.animation().frame(0).image().XorValue(16, 16), 9u);
}

// ---- the main window's picture ----

TEST_F(AnimatorTest, MainWindowPicture) {
    const std::string path = ScratchDir("ani_picture") + "\\five.ani";
    WriteAnimation(path, {{9, 10, 0, 0, true}, {10, 10}, {12, 10, 0, 0, true}, {13, 10}, {14, 10}});
    ASSERT_TRUE(ani.Start(Quoted(path)));
    ani.SelectFrame(2);
    EXPECT_TRUE(RequestPicture(ani.frame, "animator-main.bmp"));
}

}  // namespace
}  // namespace vt::test
