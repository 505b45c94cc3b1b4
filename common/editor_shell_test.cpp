#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/editor_launch.h"
#include "common/editor_state.h"

namespace vt {
namespace {

TEST(EditorStateTest, RecordLayoutAndRoundTrip) {
    EditorState s;
    s.frameLeft = -4;
    s.frameTop = 20;
    s.frameWidth = 500;
    s.frameHeight = 400;
    s.previewLeft = 700;
    s.textLeft = 32;
    s.textTop = 36;
    s.toolBarHidden = true;
    s.gridShown = true;
    s.textFont[0] = 0xF5;  // lfHeight low byte
    s.textFont[59] = 'x';
    s.openFileType = 3;
    s.saveAsFileType = 4;
    auto bytes = EncodeEditorState(s);
    ASSERT_EQ(bytes.size(), 912u);
    EXPECT_EQ(LoadLE32(&bytes[0]), 0xFFFFFFFCu);
    EXPECT_EQ(LoadLE32(&bytes[24]), 700u);
    EXPECT_EQ(LoadLE32(&bytes[32]), 32u);
    EXPECT_EQ(LoadLE32(&bytes[36]), 36u);
    EXPECT_EQ(LoadLE32(&bytes[40]), 1u);
    EXPECT_EQ(LoadLE32(&bytes[56]), 1u);
    for (size_t i = 60; i < 844; ++i) ASSERT_EQ(bytes[i], 0) << "reserved byte " << i;
    EXPECT_EQ(bytes[844], 0xF5);
    EXPECT_EQ(bytes[903], 'x');
    EXPECT_EQ(LoadLE32(&bytes[904]), 3u);
    EXPECT_EQ(LoadLE32(&bytes[908]), 4u);

    EditorState back = DecodeEditorState(bytes, 4);
    EXPECT_EQ(EncodeEditorState(back), bytes);
    EXPECT_TRUE(back.HasSavedPositions());
}

TEST(EditorStateTest, UntrustedRecordsFallBackToDefaults) {
    std::vector<uint8_t> shortRecord(911, 0xFF);
    EditorState s = DecodeEditorState(shortRecord, 4);
    EXPECT_FALSE(s.HasSavedPositions());
    EXPECT_FALSE(s.toolBarHidden);

    auto bytes = EncodeEditorState(EditorState{});
    StoreLE32(&bytes[904], 77);
    StoreLE32(&bytes[908], 0xFFFFFFFF);
    s = DecodeEditorState(bytes, 4);
    EXPECT_EQ(s.openFileType, 0);
    EXPECT_EQ(s.saveAsFileType, 0);
    // A preview saved at left 0 means no saved positions at all.
    EXPECT_FALSE(s.HasSavedPositions());
}

TEST(EditorStateTest, FramePlacement) {
    FrameMetrics m{1024, 768, 4, 18, 19};
    Rect32 r = DefaultFramePlacement(m, true, 466, 322);
    EXPECT_EQ(r.width, 474);
    EXPECT_EQ(r.height, 18 + 19 + 8 + 322 + 36);
    EXPECT_EQ(r.left, 1024 - 8 - 474 - 182);
    EXPECT_EQ(r.top, (768 - r.height) / 2);
    EXPECT_EQ(DefaultFramePlacement(m, false, 466, 322).height, r.height - 28);

    Rect32 off = ClampToScreen({2000, -50, 200, 100}, 1024, 768);
    EXPECT_EQ(off.left, 824);
    EXPECT_EQ(off.top, 0);
    Rect32 huge = ClampToScreen({10, 10, 2000, 2000}, 1024, 768);
    EXPECT_EQ(huge.left, 0);

    // At start-up: the default place until positions were saved, then the saved one on screen.
    EditorState s;
    s.frameLeft = 1500;
    s.frameTop = 30;
    s.frameWidth = 300;
    s.frameHeight = 200;
    EXPECT_EQ(StartingFramePlace(s, m, 466, 322).left, r.left);
    s.previewLeft = 5;
    const Rect32 saved = StartingFramePlace(s, m, 466, 322);
    EXPECT_EQ(saved.left, 1024 - 300);
    EXPECT_EQ(saved.top, 30);
    EXPECT_EQ(saved.width, 300);
}

TEST(EditorLaunchTest, CommandLines) {
    EXPECT_EQ(ParseEditorCommandLine("", true).launch, EditorLaunch::NewDocument);
    EXPECT_EQ(ParseEditorCommandLine("  ", true).launch, EditorLaunch::NewDocument);
    EXPECT_EQ(ParseEditorCommandLine("#", true).launch, EditorLaunch::NewCursor);

    EditorCommandLine s = ParseEditorCommandLine("!P4711 rest", true);
    EXPECT_EQ(s.launch, EditorLaunch::Session);
    EXPECT_EQ(s.modeLetter, 'P');
    EXPECT_EQ(s.topic, "4711");
    EXPECT_TRUE(s.FormatsLocked());
    EXPECT_TRUE(s.RequestsImage());
    s = ParseEditorCommandLine("!N12\x01zz", true);
    EXPECT_EQ(s.topic, "12");
    EXPECT_FALSE(s.RequestsImage());
    EXPECT_FALSE(s.FormatsLocked());
    EXPECT_TRUE(ParseEditorCommandLine("!X9", true).RequestsImage());

    s = ParseEditorCommandLine("C:\\My Icons\\a.ico", true);
    EXPECT_EQ(s.launch, EditorLaunch::OpenFile);
    EXPECT_EQ(s.path, "C:\\My Icons\\a.ico");
    EXPECT_EQ(ParseEditorCommandLine("\"C:\\My Icons\\a.ico\"", true).path, "C:\\My Icons\\a.ico");
    EXPECT_EQ(ParseEditorCommandLine(std::string(260, 'a'), true).launch, EditorLaunch::NewDocument);
    EXPECT_EQ(ParseEditorCommandLine(std::string(259, 'a'), true).launch, EditorLaunch::OpenFile);
}

// Without the new-cursor mark (the Animator) the session forms are the same, and "#" is a name.
TEST(EditorLaunchTest, SessionsWithoutTheNewCursorMark) {
    EditorCommandLine s = ParseEditorCommandLine("!N123", false);
    EXPECT_EQ(s.launch, EditorLaunch::Session);
    EXPECT_EQ(s.modeLetter, 'N');
    EXPECT_EQ(s.topic, "123");  // the mode letter is not part of the name
    EXPECT_FALSE(s.RequestsImage());
    s = ParseEditorCommandLine("!P7 x", false);
    EXPECT_EQ(s.topic, "7");
    EXPECT_TRUE(s.RequestsImage());
    s = ParseEditorCommandLine("!", false);
    EXPECT_EQ(s.launch, EditorLaunch::Session);
    EXPECT_EQ(s.modeLetter, 0);
    EXPECT_EQ(s.topic, "");
    EXPECT_TRUE(s.RequestsImage());
    s = ParseEditorCommandLine("#", false);
    EXPECT_EQ(s.launch, EditorLaunch::OpenFile);
    EXPECT_EQ(s.path, "#");
    EXPECT_EQ(ParseEditorCommandLine("\"\"", false).launch, EditorLaunch::NewDocument);
}

}  // namespace
}  // namespace vt
