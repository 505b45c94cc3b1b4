#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/mru_list.h"
#include "studio/studio_launch.h"
#include "studio/studio_state.h"

namespace vt {
namespace {

TEST(StudioStateTest, RecordLayoutAndRoundTrip) {
    StudioState s;
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
    auto bytes = EncodeStudioState(s);
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

    StudioState back = DecodeStudioState(bytes);
    EXPECT_EQ(EncodeStudioState(back), bytes);
    EXPECT_TRUE(back.HasSavedPositions());
}

TEST(StudioStateTest, UntrustedRecordsFallBackToDefaults) {
    std::vector<uint8_t> shortRecord(911, 0xFF);
    StudioState s = DecodeStudioState(shortRecord);
    EXPECT_FALSE(s.HasSavedPositions());
    EXPECT_FALSE(s.toolBarHidden);

    auto bytes = EncodeStudioState(StudioState{});
    StoreLE32(&bytes[904], 77);
    StoreLE32(&bytes[908], 0xFFFFFFFF);
    s = DecodeStudioState(bytes);
    EXPECT_EQ(s.openFileType, 0);
    EXPECT_EQ(s.saveAsFileType, 0);
    // A preview saved at left 0 means no saved positions at all.
    EXPECT_FALSE(s.HasSavedPositions());
}

TEST(MruListTest, FifthFilePushesOutTheOldestAndReopeningMovesToTop) {
    MruList mru;
    for (const char* p : {"C:\\a.ico", "C:\\b.ico", "C:\\c.cur", "C:\\d.ico"}) mru.Add(p, 1);
    mru.Add("C:\\e.gif", 3);
    ASSERT_EQ(mru.size(), 4u);
    EXPECT_EQ(mru.entries()[0].path, "C:\\e.gif");
    EXPECT_EQ(mru.entries()[0].fileType, 3);
    EXPECT_EQ(mru.entries()[3].path, "C:\\b.ico");  // a.ico dropped out

    mru.Add("c:\\C.CUR", 2);  // same file, other spelling: moves, no duplicate
    ASSERT_EQ(mru.size(), 4u);
    EXPECT_EQ(mru.entries()[0].path, "C:\\c.cur");
    EXPECT_EQ(mru.entries()[1].path, "C:\\e.gif");
    EXPECT_EQ(mru.entries()[2].path, "C:\\d.ico");
    EXPECT_EQ(mru.entries()[3].path, "C:\\b.ico");

    EXPECT_TRUE(mru.Remove("C:\\d.ico"));
    EXPECT_FALSE(mru.Remove("C:\\d.ico"));
    EXPECT_EQ(mru.size(), 3u);
}

TEST(MruListTest, StoredValues) {
    EXPECT_EQ(MruList::StoredValue({"C:\\x,y\\a.ico", 2}), "C:\\x,y\\a.ico,2");
    MruEntry e = MruList::ParseStoredValue("C:\\x,y\\a.ico,2");
    EXPECT_EQ(e.path, "C:\\x,y\\a.ico");  // the last comma separates the type
    EXPECT_EQ(e.fileType, 2);
    e = MruList::ParseStoredValue("C:\\plain.ico");
    EXPECT_EQ(e.path, "C:\\plain.ico");
    EXPECT_EQ(e.fileType, 1);
    EXPECT_EQ(MruList::ParseStoredValue("C:\\a.ico,9").fileType, 1);
    EXPECT_EQ(MruList::ParseStoredValue("C:\\a.ico,-3").fileType, 1);
    EXPECT_EQ(MruList::ParseStoredValue("C:\\a.ico,99999999999").fileType, 1);
}

TEST(MruListTest, LabelsRelativeToTheCurrentFolder) {
    EXPECT_EQ(MruList::Label(1, "C:\\icons\\sub\\tree.ico", "C:\\icons"), "&1 sub\\tree");
    EXPECT_EQ(MruList::Label(2, "C:\\icons\\tree.ICO", "c:\\ICONS\\"), "&2 tree");
    EXPECT_EQ(MruList::Label(3, "C:\\other\\arrow.cur", "C:\\icons"), "&3 \\other\\arrow.cur");
    EXPECT_EQ(MruList::Label(4, "D:\\art\\x.ico", "C:\\icons"), "&4 D:\\art\\x");
    // A folder whose name merely starts like the current one is not inside it.
    EXPECT_EQ(MruList::Label(1, "C:\\iconsets\\a.ico", "C:\\icons"), "&1 \\iconsets\\a");
}

TEST(StudioLaunchTest, CommandLines) {
    EXPECT_EQ(ParseStudioCommandLine("").launch, StudioLaunch::NewDocument);
    EXPECT_EQ(ParseStudioCommandLine("  ").launch, StudioLaunch::NewDocument);
    EXPECT_EQ(ParseStudioCommandLine("#").launch, StudioLaunch::NewCursor);

    StudioCommandLine s = ParseStudioCommandLine("!P4711 rest");
    EXPECT_EQ(s.launch, StudioLaunch::Server);
    EXPECT_EQ(s.modeLetter, 'P');
    EXPECT_EQ(s.topic, "4711");
    EXPECT_TRUE(s.FormatsLocked());
    EXPECT_TRUE(s.RequestsIcon());
    s = ParseStudioCommandLine("!N12\x01zz");
    EXPECT_EQ(s.topic, "12");
    EXPECT_FALSE(s.RequestsIcon());
    EXPECT_FALSE(s.FormatsLocked());
    EXPECT_TRUE(ParseStudioCommandLine("!X9").RequestsIcon());

    s = ParseStudioCommandLine("C:\\My Icons\\a.ico");
    EXPECT_EQ(s.launch, StudioLaunch::OpenFile);
    EXPECT_EQ(s.path, "C:\\My Icons\\a.ico");
    EXPECT_EQ(ParseStudioCommandLine("\"C:\\My Icons\\a.ico\"").path, "C:\\My Icons\\a.ico");
    EXPECT_EQ(ParseStudioCommandLine(std::string(260, 'a')).launch, StudioLaunch::NewDocument);
    EXPECT_EQ(ParseStudioCommandLine(std::string(259, 'a')).launch, StudioLaunch::OpenFile);
}

TEST(StudioLaunchTest, FileTypeFromTheExtension) {
    EXPECT_EQ(FileTypeForPath("C:\\icons\\arrow.CUR"), 2);
    EXPECT_EQ(FileTypeForPath("C:\\icons\\photo.Gif"), 3);
    EXPECT_EQ(FileTypeForPath("C:\\icons\\app.ico"), 1);
    EXPECT_EQ(FileTypeForPath("C:\\icons.gif\\noextension"), 1);  // the dot is in a folder name
    EXPECT_EQ(FileTypeForPath("arrow.cur.bak"), 1);
    EXPECT_EQ(FileTypeForPath(""), 1);
}

TEST(StudioLaunchTest, Titles) {
    EXPECT_EQ(StudioTitle(false, "", true), "Vantoro Studio- untitled");
    EXPECT_EQ(StudioTitle(false, "C:\\icons\\TREE.ICO", false), "Vantoro Studio- TREE");
    EXPECT_EQ(StudioTitle(false, "C:\\icons\\arrow.cur", false), "Vantoro Studio- arrow.cur");
    EXPECT_EQ(StudioTitle(true, "Shell 003", false), "Vantoro Studio- [Shell 003]");
    EXPECT_EQ(StudioTitle(true, "clock.ico", false), "Vantoro Studio- [clock]");
}

TEST(StudioLaunchTest, FramePlacement) {
    FrameMetrics m{1024, 768, 4, 18, 19};
    Rect32 r = DefaultFramePlacement(m, true);
    EXPECT_EQ(r.width, 474);
    EXPECT_EQ(r.height, 18 + 19 + 8 + 322 + 36);
    EXPECT_EQ(r.left, 1024 - 8 - 474 - 182);
    EXPECT_EQ(r.top, (768 - r.height) / 2);
    EXPECT_EQ(DefaultFramePlacement(m, false).height, r.height - 28);

    Rect32 off = ClampToScreen({2000, -50, 200, 100}, 1024, 768);
    EXPECT_EQ(off.left, 824);
    EXPECT_EQ(off.top, 0);
    Rect32 huge = ClampToScreen({10, 10, 2000, 2000}, 1024, 768);
    EXPECT_EQ(huge.left, 0);
}

}  // namespace
}  // namespace vt
