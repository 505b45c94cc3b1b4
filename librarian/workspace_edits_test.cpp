// The workspace's edits against what they must leave behind: the owner index after every kind of
// change, sorts against the plain insertion sort they replace, Raw View cells, and edits that fail
// half-way through a full workspace file.
#include <gtest/gtest.h>

#include <random>

#include "librarian/exchange_blocks.h"
#include "librarian/librarian_testutil.h"
#include "librarian/reader.h"
#include "librarian/workspace.h"

namespace vt {
namespace {

using test::MakeDib;

// The owner index must answer exactly what a scan of the tables answers.
void ExpectIndexMatchesTables(const Workspace& ws) {
    for (size_t i = 0; i < ws.icons().size(); ++i) {
        uint32_t serial = ws.icons()[i].serial;
        std::vector<size_t> scanned;
        for (size_t f = 0; f < ws.formats().size(); ++f)
            if (!(ws.formats()[f].owner & kUnlinkedOwner) && ws.formats()[f].owner == serial)
                scanned.push_back(f);
        EXPECT_EQ(ws.FormatsOf(i), scanned) << "icon " << i;
        EXPECT_EQ(ws.FindIconBySerial(serial), static_cast<long>(i));
        EXPECT_EQ(ws.icons()[i].imageCount, scanned.size());
    }
    EXPECT_EQ(ws.FindIconBySerial(ws.nextSerial()), -1);
}

class WorkspaceEditsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(ws.New(), LibStatus::Ok); }
    size_t Icon(const std::string& name, std::vector<std::vector<uint8_t>> blocks) {
        long at = -1;
        for (const auto& b : blocks) at = ws.AddImage(b, at);
        ws.Rename(static_cast<size_t>(at), name);
        return static_cast<size_t>(at);
    }

    test::TempFolder dir;
    Workspace ws;
    ScriptedPrompt prompt;
};

TEST_F(WorkspaceEditsTest, OwnerIndexFollowsEveryEdit) {
    auto a = MakeDib(16, 16, 4, 1), b = MakeDib(32, 32, 4, 2), c = MakeDib(48, 48, 8, 3);
    Icon("one", {a, b});
    Icon("two", {c});
    Icon("three", {a, b, c});
    ExpectIndexMatchesTables(ws);

    // Reading appends, linking in image order rather than entry order.
    std::string pe = dir.Write(
        "p.dll", test::MakePe({{14, 1, {}, test::MakeGroup({a, b}, {2, 1})},
                               {14, 2, {}, test::MakeGroup({c, a}, {3, 9})},  // 9 never comes
                               {3, 1, {}, b},
                               {3, 2, {}, a},
                               {3, 3, {}, c}}));
    ASSERT_EQ(ReadModuleIcons(ws, pe, false), LibStatus::Ok);
    ASSERT_EQ(ws.icons().size(), 5u);
    EXPECT_EQ(ws.icons()[4].imageCount, 1);
    ExpectIndexMatchesTables(ws);

    ASSERT_GE(ws.CreateCopy(2), 0);
    ExpectIndexMatchesTables(ws);
    ws.Sort(kSortByName);
    ExpectIndexMatchesTables(ws);
    ASSERT_EQ(ApplyIconUpdate(ws, 1, {MakeDib(48, 48, 8, 7), MakeDib(24, 24, 4)}), LibStatus::Ok);
    ExpectIndexMatchesTables(ws);
    ws.SelectList({0, 3});
    prompt.Answer(PromptAnswer::Yes);
    ASSERT_EQ(ws.DeleteSelection(prompt), LibStatus::Ok);
    ExpectIndexMatchesTables(ws);

    // A read that fails puts the index back with the tables.
    auto bad = a;
    bad[0] = 41;
    std::string broken = dir.Write(
        "b.dll",
        test::MakePe(
            {{14, 1, {}, test::MakeGroup({a, a}, {1, 2})}, {3, 1, {}, a}, {3, 2, {}, bad}}));
    const std::string before = test::DescribeWorkspace(ws);
    EXPECT_EQ(ReadModuleIcons(ws, broken, false), LibStatus::ReadError);
    EXPECT_EQ(test::DescribeWorkspace(ws), before);
    ExpectIndexMatchesTables(ws);
    ws.RemoveIcon(0);
    ExpectIndexMatchesTables(ws);
}

// The insertion sort over whole records that the sorts must agree with.
std::vector<uint32_t> ReferenceOrder(const Workspace& ws, int key) {
    std::vector<IconEntry> icons = ws.icons();
    auto owns = [&](const IconEntry& icon) {
        for (const FormatEntry& f : ws.formats()) {
            if (f.owner != icon.serial) continue;
            const ImageEntry& m = ws.images()[f.imageNumber - 1];
            if (FormatKey{m.width, m.height, m.colorCode} == ws.currentFormat()) return true;
        }
        return false;
    };
    auto before = [&](const IconEntry& a, const IconEntry& b) {
        switch (key) {
            case kSortByName:
                return CompareNamesWordSort(Workspace::ShownName(a).c_str(),
                                            Workspace::ShownName(b).c_str()) < 0;
            case kSortByImageCount:
                return a.imageCount > b.imageCount;
            case kSortBySpecificFormat:
                return owns(a) && !owns(b);
            default: {
                int gap = ws.metrics().verticalGap;
                bool sameRow = a.y >= b.y - gap && a.y <= b.y + b.cellHeight;
                if (!sameRow) return a.y < b.y;
                return a.x != b.x ? a.x < b.x : a.serial < b.serial;
            }
        }
    };
    for (size_t i = 1; i < icons.size(); ++i)
        for (size_t j = i; j > 0 && before(icons[j], icons[j - 1]); --j)
            std::swap(icons[j], icons[j - 1]);
    std::vector<uint32_t> serials;
    for (const IconEntry& icon : icons) serials.push_back(icon.serial);
    return serials;
}

TEST_F(WorkspaceEditsTest, SortsAgreeWithTheInsertionSortOnDraggedLayouts) {
    std::mt19937 rng(17);
    const char* names[] = {"apple", "Apple", "pear", "co-op", "coop", "", "9 lives", "Pear"};
    std::vector<std::vector<uint8_t>> blocks = {MakeDib(16, 16, 4), MakeDib(32, 32, 4),
                                                MakeDib(32, 32, 8), MakeDib(48, 48, 24)};
    for (int i = 0; i < 300; ++i) {
        std::vector<std::vector<uint8_t>> own;
        for (const auto& b : blocks)
            if (rng() % 2) own.push_back(b);
        if (own.empty()) own.push_back(blocks[0]);
        size_t at = Icon(names[rng() % 8], own);
        // A laid-out grid of rows 72 apart, then every other icon dragged somewhere, some onto
        // the row boundaries where the row test stops being transitive.
        IconEntry& icon = ws.icons()[at];
        icon.x = 38 + 75 * (i % 10);
        icon.y = 20 + 72 * (i / 10);
        icon.cellHeight = (i % 3 == 0) ? 48 : 32;
        if (i % 2) {
            icon.x = static_cast<int32_t>(rng() % 800);
            icon.y = static_cast<int32_t>(rng() % 2200) - 20;
        }
    }
    ws.SetCurrentFormat({32, 32, 256});
    for (int key : {kSortByName, kSortByPosition, kSortBySpecificFormat, kSortByImageCount}) {
        SCOPED_TRACE(key);
        std::vector<uint32_t> expected = ReferenceOrder(ws, key);
        ws.Sort(key);
        std::vector<uint32_t> got;
        for (size_t i : ws.DisplayOrder()) got.push_back(ws.icons()[i].serial);
        EXPECT_EQ(got, expected);
        ExpectIndexMatchesTables(ws);
        // Shuffle the table again so that the next key starts from another order.
        for (IconEntry& icon : ws.icons()) icon.x = static_cast<int32_t>(rng() % 800);
        ws.Sort(kSortByPosition);
    }
}

TEST_F(WorkspaceEditsTest, RawCellsHoldTheDisplayableImagesAtMostTen) {
    ViewMetrics m;
    m.view = kViewRaw;
    m.displayColorCode = 256;
    ws.SetMetrics(m);
    size_t mixed = Icon("mixed", {MakeDib(32, 32, 4), MakeDib(48, 48, 8), MakeDib(16, 16, 24)});
    // On 256 colours only the 16-colour image shows.
    EXPECT_EQ(ws.icons()[mixed].cellWidth, 32);
    EXPECT_EQ(ws.icons()[mixed].cellHeight, 32);
    size_t none = Icon("deep", {MakeDib(24, 24, 24)});
    EXPECT_EQ(ws.icons()[none].cellWidth, m.largeIconSize);

    // Twelve sizes: the ten smallest are drawn side by side, 16 pixels apart.
    std::vector<std::vector<uint8_t>> many;
    for (int i = 12; i >= 1; --i) many.push_back(MakeDib(8 * i, 8 * i, 4));
    size_t big = Icon("many", many);
    EXPECT_EQ(ws.RawImagesOf(big).size(), kMaxRawImages);
    EXPECT_EQ(ws.icons()[big].cellWidth, 8 * 55 + 16 * 9);
    EXPECT_EQ(ws.icons()[big].cellHeight, 80);

    m.displayColorCode = 1024;
    ws.SetMetrics(m);
    ws.UpdateAllCellSizes();
    EXPECT_EQ(ws.icons()[mixed].cellWidth, 16 + 32 + 48 + 2 * 16);
    EXPECT_EQ(ws.icons()[mixed].cellHeight, 48);

    // A reader sizes the cell the same way.
    m.displayColorCode = 256;
    Workspace read;
    read.SetMetrics(m);
    auto a = MakeDib(32, 32, 4), b = MakeDib(48, 48, 8);
    std::string pe = dir.Write(
        "r.dll",
        test::MakePe({{14, 1, {}, test::MakeGroup({a, b}, {1, 2})}, {3, 1, {}, a}, {3, 2, {}, b}}));
    ASSERT_EQ(ReadModuleIcons(read, pe, true), LibStatus::Ok);
    EXPECT_EQ(read.icons()[0].cellWidth, 32);
}

// Byte counts at which the workspace file stops taking writes: before each block, one byte into
// it, and just before the last byte.
std::vector<uint64_t> FailurePoints(const std::vector<size_t>& blockSizes) {
    std::vector<uint64_t> points;
    uint64_t at = 0;
    for (size_t size : blockSizes) {
        points.push_back(at);
        points.push_back(at + 1);
        at += size;
        points.push_back(at - 1);
    }
    return points;
}

TEST_F(WorkspaceEditsTest, AFailedEditorUpdateKeepsMarksTablesAndTallies) {
    auto a = MakeDib(32, 32, 4, 1), b = MakeDib(16, 16, 4, 2);
    Icon("x", {a, b});
    Icon("y", {b});
    // An earlier edit, not yet saved, marks both images changed.
    ASSERT_EQ(ApplyIconUpdate(ws, 0, {MakeDib(32, 32, 4, 5), b}), LibStatus::Ok);
    for (size_t i = 0; i < ws.images().size(); ++i) ws.images()[i].pending = 0;
    ws.images()[ws.formats()[ws.FormatsOf(0)[0]].imageNumber - 1].pending = 1;
    ws.SetModified(true);

    // The next update replaces the 32 × 32, adds a 48 × 48 and drops the 16 × 16.
    std::vector<std::vector<uint8_t>> update = {MakeDib(32, 32, 4, 6), MakeDib(48, 48, 4, 7)};
    const std::string before = test::DescribeWorkspace(ws);
    for (uint64_t n : FailurePoints({update[0].size(), update[1].size()})) {
        SCOPED_TRACE(n);
        ws.LimitWrites(n);
        EXPECT_EQ(ApplyIconUpdate(ws, 0, update), LibStatus::WorkspaceError);
        EXPECT_EQ(test::DescribeWorkspace(ws), before);
    }
    ws.LimitWrites(UINT64_MAX);
    ASSERT_EQ(ApplyIconUpdate(ws, 0, update), LibStatus::Ok);
    ASSERT_EQ(ws.FormatsOf(0).size(), 2u);
    std::vector<uint8_t> back;
    ASSERT_TRUE(ws.ReadImageOf(ws.formats()[ws.FormatsOf(0)[0]], &back));
    EXPECT_EQ(back, update[0]);
    ExpectIndexMatchesTables(ws);
}

TEST_F(WorkspaceEditsTest, AFailedCopyLeavesNoPartialIcon) {
    std::vector<std::vector<uint8_t>> blocks = {MakeDib(16, 16, 4), MakeDib(32, 32, 4),
                                                MakeDib(48, 48, 8)};
    size_t original = Icon("orig", blocks);
    ws.SetModified(false);
    const std::string before = test::DescribeWorkspace(ws);
    for (uint64_t n : FailurePoints({blocks[0].size(), blocks[1].size(), blocks[2].size()})) {
        SCOPED_TRACE(n);
        ws.LimitWrites(n);
        EXPECT_EQ(ws.CreateCopy(original), -1);
        EXPECT_EQ(test::DescribeWorkspace(ws), before);
    }
    ws.LimitWrites(UINT64_MAX);
    EXPECT_EQ(ws.CreateCopy(original), 1);
    ExpectIndexMatchesTables(ws);
}

TEST_F(WorkspaceEditsTest, AFailedAddKeepsTheWorkspaceAndItsModifiedFlag) {
    std::vector<std::vector<uint8_t>> blocks = {MakeDib(16, 16, 4), MakeDib(32, 32, 8)};
    std::string ico = dir.Write("drop.ico", test::MakeIco(blocks));
    std::string dll =
        dir.Write("drop.dll", test::MakePe({{14, 1, {}, test::MakeGroup(blocks, {1, 2})},
                                            {3, 1, {}, blocks[0]},
                                            {3, 2, {}, blocks[1]}}));
    Icon("there", {MakeDib(24, 24, 4)});
    ws.SetModified(false);
    const std::string before = test::DescribeWorkspace(ws);
    for (uint64_t n : FailurePoints({blocks[0].size(), blocks[1].size()})) {
        SCOPED_TRACE(n);
        ws.LimitWrites(n);
        EXPECT_EQ(AddIconFileToWorkspace(ws, ico, 10, 10), LibStatus::WorkspaceError);
        EXPECT_EQ(test::DescribeWorkspace(ws), before);
        EXPECT_EQ(AddModuleIcons(ws, dll, 10, 10), LibStatus::WorkspaceError);
        EXPECT_EQ(test::DescribeWorkspace(ws), before);
    }
    ws.LimitWrites(UINT64_MAX);
    ASSERT_EQ(AddIconFileToWorkspace(ws, ico, 10, 10), LibStatus::Ok);
    EXPECT_TRUE(ws.modified());
    ExpectIndexMatchesTables(ws);
}

TEST_F(WorkspaceEditsTest, RenameInAProgramFileLeavesTheWorkspaceUnmodified) {
    size_t icon = Icon("named", {MakeDib(32, 32, 4)});
    ws.SetMode(kModeProgram);
    ws.SetModified(false);
    ws.Rename(icon, std::string(60, 'n'));
    EXPECT_EQ(Workspace::ShownName(ws.icons()[icon]), std::string(50, 'n'));
    EXPECT_FALSE(ws.modified());
}

}  // namespace
}  // namespace vt
