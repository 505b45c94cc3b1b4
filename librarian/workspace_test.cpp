#include <gtest/gtest.h>

#include "common/file_io.h"
#include "librarian/librarian_testutil.h"
#include "librarian/name_compare.h"
#include "librarian/workspace.h"

namespace vt {
namespace {

using test::MakeDib;

class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(ws.New(), LibStatus::Ok); }
    // Adds an icon with `images` 16-colour formats of distinct sizes and a name.
    size_t Icon(const std::string& name, int images = 1) {
        long at = -1;
        for (int i = 0; i < images; ++i) at = ws.AddImage(MakeDib(16 + 8 * i, 16 + 8 * i, 4), at);
        ws.Rename(static_cast<size_t>(at), name);
        return static_cast<size_t>(at);
    }
    std::vector<std::string> NamesInDisplayOrder() const {
        std::vector<std::string> out;
        for (size_t i : ws.DisplayOrder()) out.push_back(Workspace::ShownName(ws.icons()[i]));
        return out;
    }

    Workspace ws;
    ScriptedPrompt prompt;
};

TEST_F(WorkspaceTest, NewWorkspaceIsEmptyWithAFileAndThe32By32SixteenColourFormat) {
    EXPECT_TRUE(ws.hasFile());
    EXPECT_TRUE(FileExists(ws.filePath()));
    EXPECT_EQ(FileNameOf(ws.filePath()).substr(0, 3), "ICM");
    EXPECT_EQ(ws.currentFormat(), (FormatKey{32, 32, 16}));
    EXPECT_EQ(ws.mode(), kModeLibrary);
    std::string old = ws.filePath();
    Icon("a");
    ASSERT_EQ(ws.New(), LibStatus::Ok);
    EXPECT_FALSE(FileExists(old));
    EXPECT_TRUE(ws.icons().empty());
    EXPECT_EQ(ws.nextSerial(), 1u);
}

TEST_F(WorkspaceTest, AddImageMakesIconFormatImageAndTally) {
    auto block = MakeDib(32, 32, 8);
    long icon = ws.AddImage(block, -1, 100, 50);
    ASSERT_EQ(icon, 0);
    const IconEntry& e = ws.icons()[0];
    EXPECT_EQ(e.serial, 1u);
    EXPECT_EQ(e.resourceId, 1u);
    EXPECT_EQ(e.imageCount, 1);
    const FormatEntry& f = ws.formats()[0];
    EXPECT_EQ(f.width, 32);
    EXPECT_EQ(f.height, 32);
    EXPECT_EQ(f.colorCount, 0);  // 256 does not fit the byte
    EXPECT_EQ(f.bitCount, 8);
    EXPECT_EQ(f.bytesInResource, block.size());
    EXPECT_EQ(f.owner, 1);
    const ImageEntry& image = ws.images()[0];
    EXPECT_EQ(image.sourceOffset, 0u);
    EXPECT_EQ(image.colorCode, 256);
    EXPECT_EQ(image.pending, 1);
    ASSERT_EQ(ws.tallies().size(), 1u);
    EXPECT_EQ(ws.tallies()[0].count, 1u);
    EXPECT_TRUE(ws.modified());
    // Centred on the drop point in the Windows view: 16 + 32 + 16 wide, 32 high.
    EXPECT_EQ(e.x, 100 - 32);
    EXPECT_EQ(e.y, 50 - 16);
    // Not an image block: refused, nothing added.
    auto bad = block;
    bad[0] = 12;
    EXPECT_EQ(ws.AddImage(bad, -1), -1);
    EXPECT_EQ(ws.icons().size(), 1u);
}

TEST_F(WorkspaceTest, SortByNameIsStableAndOrdersCaseAsTheLocaleDoes) {
    Icon("beta");
    Icon("Alpha");
    Icon("alpha");
    Icon("beta");
    ws.icons()[3].x = 7;  // tells the two "beta" apart
    ws.SetModified(false);
    ws.Sort(kSortByName);
    EXPECT_EQ(NamesInDisplayOrder(), (std::vector<std::string>{"alpha", "Alpha", "beta", "beta"}));
    EXPECT_EQ(ws.icons()[3].x, 7);  // the later "beta" stays later
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.head(), 1u);
    EXPECT_EQ(ws.tail(), 4u);
}

TEST_F(WorkspaceTest, SortByImageCountKeepsEqualCountsInOrder) {
    Icon("three-a", 3);
    Icon("one", 1);
    Icon("three-b", 3);
    ws.Sort(kSortByImageCount);
    EXPECT_EQ(NamesInDisplayOrder(), (std::vector<std::string>{"three-a", "three-b", "one"}));
}

TEST_F(WorkspaceTest, SortBySpecificFormatPutsOwnersOfTheCurrentFormatFirst) {
    Icon("small", 1);  // 16 × 16 only
    Icon("both", 3);   // 16, 24, 32
    ws.SetCurrentFormat({32, 32, 16});
    ws.Sort(kSortBySpecificFormat);
    EXPECT_EQ(NamesInDisplayOrder(), (std::vector<std::string>{"both", "small"}));
}

TEST_F(WorkspaceTest, SortByPositionGoesByRowsThenXAndKeepsTheSelection) {
    size_t a = Icon("a"), b = Icon("b"), c = Icon("c");
    ws.icons()[a].x = 200, ws.icons()[a].y = 0;
    ws.icons()[b].x = 10, ws.icons()[b].y = 100;
    ws.icons()[c].x = 50, ws.icons()[c].y = 5;  // same row as a (within the vertical gap)
    ws.SelectOne(b);
    ws.SetMode(kModeProgram);
    ws.SetModified(false);
    ws.Sort(kSortByPosition);
    EXPECT_EQ(NamesInDisplayOrder(), (std::vector<std::string>{"c", "a", "b"}));
    ASSERT_EQ(ws.Selection().size(), 1u);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[ws.Selection()[0]]), "b");
    EXPECT_FALSE(ws.modified());
    // Other keys do not mark a program file modified either.
    ws.Sort(kSortByName);
    EXPECT_FALSE(ws.modified());
}

TEST_F(WorkspaceTest, RenameCutsAt50AndEmptyBecomesUntitled) {
    size_t i = Icon("x");
    ws.Rename(i, std::string(60, 'r'));
    EXPECT_EQ(Workspace::ShownName(ws.icons()[i]), std::string(50, 'r'));
    ws.Rename(i, "");
    EXPECT_STREQ(ws.icons()[i].displayName, "(untitled)");
}

TEST_F(WorkspaceTest, SelectionIsOneIndexOrANegatedCountList) {
    ws.SelectAll();
    EXPECT_EQ(ws.selectionValue(), 0);  // nothing on an empty workspace
    Icon("a");
    Icon("b");
    Icon("c");
    ws.SelectOne(1);
    EXPECT_EQ(ws.selectionValue(), 2);
    ws.SelectAll();
    EXPECT_EQ(ws.selectionValue(), -3);
    EXPECT_EQ(ws.Selection(), (std::vector<size_t>{0, 1, 2}));
}

TEST_F(WorkspaceTest, CreateCopyDuplicatesImagesAndName) {
    size_t i = Icon("orig", 2);
    ws.icons()[i].x = 40;
    long copy = ws.CreateCopy(i);
    ASSERT_EQ(copy, 1);
    EXPECT_EQ(Workspace::ShownName(ws.icons()[1]), "orig");
    EXPECT_EQ(ws.icons()[1].x, 41);
    auto a = ws.FormatsOf(0), b = ws.FormatsOf(1);
    ASSERT_EQ(b.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        std::vector<uint8_t> x, y;
        ASSERT_TRUE(ws.ReadImageOf(ws.formats()[a[k]], &x));
        ASSERT_TRUE(ws.ReadImageOf(ws.formats()[b[k]], &y));
        EXPECT_EQ(x, y);
    }
    EXPECT_EQ(ws.tallies()[0].count, 2u);
}

TEST_F(WorkspaceTest, DeleteAsksThenRemovesAndMovesTheLastRecordIntoPlace) {
    Icon("a");
    Icon("b", 2);
    Icon("c");
    Icon("d");
    ws.SelectList({0, 2});
    prompt.Answer(PromptAnswer::No);
    EXPECT_EQ(ws.DeleteSelection(prompt), LibStatus::Refused);
    EXPECT_EQ(ws.icons().size(), 4u);
    EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"Delete the current icon selection?"}));

    prompt.Answer(PromptAnswer::Yes);
    ASSERT_EQ(ws.DeleteSelection(prompt), LibStatus::Ok);
    EXPECT_EQ(NamesInDisplayOrder(), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(Workspace::ShownName(ws.icons()[0]), "d");  // the last record took the first place
    EXPECT_EQ(ws.formats().size(), 3u);
    uint32_t tallied = 0;
    for (const FormatTally& t : ws.tallies()) tallied += t.count;
    EXPECT_EQ(tallied, 3u);
}

TEST_F(WorkspaceTest, DeleteRefusesInProgramModeAndEndsSessionsOnlyOnOk) {
    Icon("a");
    ws.SelectOne(0);
    ws.SetMode(kModeProgram);
    EXPECT_EQ(ws.DeleteSelection(prompt), LibStatus::Refused);
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{"Icons cannot be deleted from a Program file."}));

    ws.SetMode(kModeLibrary);
    prompt.Clear();
    std::vector<uint32_t> ended;
    auto has = [](uint32_t serial) { return serial == 1; };
    auto end = [&](uint32_t serial) { ended.push_back(serial); };
    prompt.Answer(PromptAnswer::Cancel);
    EXPECT_EQ(ws.DeleteSelection(prompt, has, end), LibStatus::Refused);
    EXPECT_TRUE(ended.empty());
    prompt.Answer(PromptAnswer::Ok);
    prompt.Answer(PromptAnswer::Yes);
    EXPECT_EQ(ws.DeleteSelection(prompt, has, end), LibStatus::Ok);
    EXPECT_EQ(ended, (std::vector<uint32_t>{1}));
    EXPECT_TRUE(ws.icons().empty());
    EXPECT_EQ(ws.head(), 0u);
}

TEST(NameCompare, WordSortOrder) {
    auto before = [](const char* a, const char* b) { return CompareNamesWordSort(a, b) < 0; };
    EXPECT_TRUE(before("apple", "Apple"));   // lowercase first at equal letters
    EXPECT_TRUE(before("Apple", "banana"));  // letters before case
    EXPECT_TRUE(before("coop", "cop"));      // the hyphen does not count as a letter
    EXPECT_TRUE(before("co-op", "cop"));
    EXPECT_TRUE(before("9 lives", "a"));  // digits before letters
    EXPECT_TRUE(before("_x", "1"));       // punctuation before digits
    EXPECT_TRUE(before("abc", "abcd"));
    EXPECT_EQ(CompareNamesWordSort("same", "same"), 0);
    EXPECT_NE(CompareNamesWordSort("coop", "co-op"), 0);
}

}  // namespace
}  // namespace vt
