#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/mru_list.h"
#include "studio/studio_launch.h"

namespace vt {
namespace {

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

}  // namespace
}  // namespace vt
