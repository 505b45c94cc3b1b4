#include "librarian/recent_files.h"

#include <gtest/gtest.h>

#include "librarian/workspace_types.h"

namespace vt {
namespace {

TEST(RecentFiles, KindsTravelLessFiveHundredSixAndBadValuesAreDropped) {
    EXPECT_EQ(StoredRecentFile({"C:\\a,b\\lib.icl", kKindLibrary}), "C:\\a,b\\lib.icl,1");
    const std::string tooLong = "C:\\" + std::string(258, 'x');  // 261 characters
    const std::string longest = "C:\\" + std::string(257, 'x');  // 260 characters
    std::vector<std::string> stored = {"C:\\a,b\\lib.icl,1", "C:\\prog.exe,2", "C:\\three.ico,3",
                                       "C:\\minus.ico,-1",   "C:\\nokind.ico", ",0",
                                       "C:\\x.ico,1x",       tooLong + ",0",   longest + ",0",
                                       "C:\\one.ico,0",      "C:\\late.ico,0"};
    MruList list = LoadRecentFiles(stored);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.entries()[0].path, "C:\\a,b\\lib.icl");
    EXPECT_EQ(list.entries()[0].fileType, kKindLibrary);
    EXPECT_EQ(list.entries()[1].fileType, kKindProgram);
    EXPECT_EQ(list.entries()[2].path, longest);
    EXPECT_EQ(list.entries()[2].fileType, kKindIconFile);
    EXPECT_EQ(list.entries()[3].path, "C:\\one.ico");
    // Stored again, the list reads back the same.
    std::vector<std::string> again;
    for (const MruEntry& e : list.entries()) again.push_back(StoredRecentFile(e));
    MruList back = LoadRecentFiles(again);
    ASSERT_EQ(back.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.entries()[i].path, list.entries()[i].path);
        EXPECT_EQ(back.entries()[i].fileType, list.entries()[i].fileType);
    }
}

}  // namespace
}  // namespace vt
