#include <gtest/gtest.h>

#include "engineer/engineer_dialog.h"
#include "engineer/engineer_testutil.h"

namespace vt {
namespace {

constexpr int kMyComputer = 0, kInbox = 6, kHardDrive = 12, kAudioCd = 40, kArrow = 45;
const char* const kShell32 = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";
const char* const kCool = "C:\\WINDOWS\\SYSTEM\\cool.dll";

struct World {
    test::EngineerWorld w;
    Engineer* e = nullptr;
    World(bool newerShell, bool cool, int shell32Icons) {
        if (newerShell) w.UseNewerShell();
        w.raw.coolDllPresent = cool;
        for (int i = 0; i < 50; ++i) {
            w.shell.AddIcon(kShell32, i);
            w.shell.AddIcon(kCool, i);
        }
        w.shell.SetIconCount(kShell32, shell32Icons);
        w.registry.Set(
            RegRoot::ClassesRoot,
            std::string(kRegistryLocations[kKeyInbox].keyPath) + "\\Shell\\Open\\Command", "",
            "C:\\Mail\\exchng32.exe");
        w.shell.AddIcon("C:\\Mail\\exchng32.exe", 0);
        e = &w.MakeEngineer();
        e->ReadStartupFacts();
        w.icons->row(kArrow).chosenIndex = 1;  // the system shows the standard arrow
    }
};

// Every place that asks gets the same answer, and the button does what it says.
bool AskEverywhere(Engineer& e, int row) {
    bool rule = UseDefaultAllowed(e, row);
    EXPECT_EQ(EvaluateControls(e, row).useDefault, rule) << "row " << row;
    return rule;
}

TEST(UseDefaultRule, RowKindsShellsAndCoolDll) {
    struct Case {
        bool newer, cool;
        int count;
        int row;
        bool expected;
    } cases[] = {
        {false, false, 40, kHardDrive, true},   // Default index 8 is a SHELL32 icon
        {false, false, 0, kHardDrive, false},   // no SHELL32 icons known
        {false, false, 40, kAudioCd, false},    // index 40 past an older SHELL32
        {false, true, 40, kAudioCd, true},      // cool.dll applies (Alternate 26)
        {true, true, 40, kAudioCd, false},      // but not under the newer shell
        {true, false, 45, kAudioCd, true},      // a newer SHELL32 holds index 40
        {false, false, 0, kInbox, true},        // a default module
        {false, false, 40, kMyComputer, true},  // a special folder with index 15
        {false, false, 40, kArrow, false},      // the standard arrow is already shown
    };
    for (const Case& c : cases) {
        World world(c.newer, c.cool, c.count);
        SCOPED_TRACE(testing::Message() << "row " << c.row << " newer " << c.newer << " cool "
                                        << c.cool << " count " << c.count);
        EXPECT_EQ(AskEverywhere(*world.e, c.row), c.expected);
        EXPECT_EQ(UseDefault(*world.e, c.row), c.expected);
    }
}

TEST(UseDefaultRule, PendingDefaultAndCursorsInLocalMode) {
    World world(false, false, 40);
    Engineer& e = *world.e;
    ASSERT_TRUE(UseDefault(e, kHardDrive));
    EXPECT_TRUE(world.w.icons->row(kHardDrive).pending);
    EXPECT_FALSE(AskEverywhere(e, kHardDrive)) << "the default already is the pending choice";
    DialogControls c = EvaluateControls(e, kHardDrive);
    EXPECT_TRUE(c.clearUpdate && c.apply && c.resetAll);
    EXPECT_TRUE(c.boxEnabled[kCategoryDrive] && c.boxTicked[kCategoryDrive]);

    e.ClearUpdate(kHardDrive);
    EXPECT_TRUE(AskEverywhere(e, kHardDrive)) << "Clear Update gives the same answer back";
    c = EvaluateControls(e, kHardDrive);
    EXPECT_FALSE(c.clearUpdate || c.apply || c.resetAll || c.boxEnabled[kCategoryDrive]);

    world.w.shell.AddCursor("D:\\busy.cur");
    ASSERT_TRUE(e.AssignChosen(kArrow, "D:\\busy.cur", 0));
    EXPECT_TRUE(AskEverywhere(e, kArrow));
    ASSERT_TRUE(UseDefault(e, kArrow));
    EXPECT_FALSE(AskEverywhere(e, kArrow));
}

TEST(UseDefaultRule, MotifModeRowLeavesTheMotifAndMarksItModified) {
    World world(false, false, 40);
    Engineer& e = *world.e;
    e.mode = EngineerMode::Motif;
    world.w.files.Put("D:\\disk.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
    world.w.shell.AddIcon("D:\\disk.ico", 0);
    EXPECT_FALSE(AskEverywhere(e, kHardDrive)) << "no chosen file";
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\disk.ico", 0));
    e.modified = false;  // as after a save
    EXPECT_TRUE(AskEverywhere(e, kHardDrive));
    ASSERT_TRUE(UseDefault(e, kHardDrive));
    EXPECT_TRUE(e.modified);
    EXPECT_EQ(world.w.icons->row(kHardDrive).chosenSlot, 0);
    EXPECT_EQ(e.pendingCount[kCategoryDrive], 0);
    DialogControls c = EvaluateControls(e, kHardDrive);
    EXPECT_FALSE(c.useDefault || c.apply || c.clearUpdate);
    EXPECT_TRUE(c.saveMotif && c.saveMotifAs);
}

class AnsweringDialogs : public QualityDialogs {
  public:
    bool ConfirmBlankImage(const std::string&) override { return ++asked, answer; }
    bool ConfirmMissingFormats(const std::string&, const std::array<bool, kQualityFormatCount>&,
                               const std::array<bool, kQualityFormatCount>&) override {
        return ++asked, answer;
    }
    bool answer = false;
    int asked = 0;
};

TEST(ChangeRowTest, IconRowsPassTheQualityCheckCursorRowsHaveNone) {
    World world(false, false, 40);
    Engineer& e = *world.e;
    world.w.files.Put("D:\\blank.ico", test::IconFile({test::IconBlock(32, 32, 4, true)}));
    world.w.shell.AddIcon("D:\\blank.ico", 0);
    world.w.shell.AddCursor("D:\\busy.cur");
    AnsweringDialogs dialogs;
    QualitySettings settings;
    EXPECT_FALSE(ChangeRow(e, dialogs, settings, kHardDrive, "D:\\blank.ico", 0));
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_FALSE(world.w.icons->row(kHardDrive).pending) << "declined: the row is unchanged";
    dialogs.answer = true;
    EXPECT_TRUE(ChangeRow(e, dialogs, settings, kHardDrive, "D:\\blank.ico", 0));
    EXPECT_TRUE(world.w.icons->row(kHardDrive).pending);
    dialogs.asked = 0;
    EXPECT_TRUE(ChangeRow(e, dialogs, settings, kArrow, "D:\\busy.cur", 0));
    EXPECT_EQ(dialogs.asked, 0);
}

TEST(SystemPage, EvaluateAndResetAll) {
    World world(false, false, 40);
    Engineer& e = *world.e;
    EXPECT_FALSE(EvaluateSystemPage(e));
    EXPECT_FALSE(EvaluateControls(e, -1).boxEnabled[kCategorySystem]);
    SetTitleFontStyle(e, true, false);
    EXPECT_EQ(e.pendingCount[kCategorySystem], 1);
    DialogControls c = EvaluateControls(e, -1);
    EXPECT_TRUE(c.boxEnabled[kCategorySystem] && c.boxTicked[kCategorySystem]);
    EXPECT_TRUE(c.apply && c.resetAll);
    e.categoryTicked[kCategorySystem] = false;  // the user clears box 256
    EXPECT_FALSE(EvaluateControls(e, -1).apply);
    EXPECT_TRUE(EvaluateControls(e, -1).resetAll);

    ASSERT_TRUE(UseDefault(e, kHardDrive));
    ResetAll(e);
    EXPECT_FALSE(e.SystemPageDiffers());
    EXPECT_EQ(e.pendingTotal, 0);
    EXPECT_FALSE(world.w.icons->row(kHardDrive).pending);
    EXPECT_EQ(world.w.icons->row(kHardDrive).chosenSlot, 0);
    c = EvaluateControls(e, kHardDrive);
    EXPECT_FALSE(c.apply || c.resetAll || c.clearUpdate || c.boxEnabled[kCategorySystem]);
}

TEST(SystemPage, SpacingEdits) {
    SpacingEdit s = ReadSpacingEdit("200", 43);
    EXPECT_EQ(s.shown, 150);
    EXPECT_TRUE(s.beep && s.rewrite);
    s = ReadSpacingEdit("x", 43);
    EXPECT_EQ(s.shown, 43);
    EXPECT_TRUE(s.beep);
    s = ReadSpacingEdit("-5", 43);
    EXPECT_EQ(s.shown, 0);
    EXPECT_TRUE(s.beep);
    s = ReadSpacingEdit("99999999999999999999", 43);
    EXPECT_EQ(s.shown, 150);
    s = ReadSpacingEdit("150", 43);
    EXPECT_EQ(s.shown, 150);
    EXPECT_FALSE(s.beep || s.rewrite);
    EXPECT_EQ(SpacingFromShown(43, 32), 75);
    EXPECT_EQ(ShownSpacing(75, 32), 43);
    EXPECT_EQ(ShownSpacing(20, 32), 0);
}

TEST(SystemPage, FontSizesAndHeights) {
    EXPECT_EQ(PointsOfHeight(-11, 0, 96), 8);
    EXPECT_EQ(PointsOfHeight(-13, 0, 96), 10);
    EXPECT_EQ(PointsOfHeight(16, 3, 96), 10) << "a cell height loses its internal leading";
    EXPECT_EQ(HeightOfPoints(8, 96), -11);
    EXPECT_EQ(HeightOfPoints(9, 120), -15);
    EXPECT_EQ(PointsOfHeight(HeightOfPoints(12, 96), 0, 96), 12);
    std::vector<int> tt = FontSizes(true, {}, 96);
    EXPECT_EQ(tt.front(), 6);
    EXPECT_EQ(tt.back(), 24);
    EXPECT_EQ(tt.size(), 19u);
    EXPECT_EQ(FontSizes(false, {{16, 3}, {-13, 0}, {19, 3}, {0, 0}}, 96),
              (std::vector<int>{10, 12}))
        << "each size once, empty variants skipped";
    World world(false, false, 40);
    SetTitleFontSize(*world.e, 10, 96);
    EXPECT_EQ(world.e->next.metrics.font.height, -13);
}

TEST(IconMetricsRecord, RoundTripAndRefusals) {
    IconMetrics m;
    m.horizontalSpacing = 77;
    m.verticalSpacing = 80;
    m.font.height = -11;
    m.font.weight = 700;
    m.font.italic = 1;
    m.font.faceName = "MS Sans Serif";
    auto bytes = EncodeIconMetrics(m);
    auto back = DecodeIconMetrics(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->verticalSpacing, 80);
    EXPECT_TRUE(SameTitleFont(back->font, m.font));
    bytes[0] = 75;
    EXPECT_FALSE(DecodeIconMetrics(bytes)) << "size field";
    bytes[0] = 76;
    for (size_t i = 44; i < 76; ++i) bytes[i] = 'A';
    EXPECT_EQ(DecodeIconMetrics(bytes)->font.faceName.size(), 31u) << "unterminated face";
    EXPECT_FALSE(DecodeIconMetrics(std::span(bytes).first(60)));
}

TEST(DropPoint, EntryAtTheEdges) {
    EXPECT_EQ(DropEntry(2, 0, 48, 10, 240), 2);
    EXPECT_EQ(DropEntry(2, 239, 48, 10, 240), 6);
    EXPECT_EQ(DropEntry(8, 95, 48, 10, 240), 9);
    EXPECT_FALSE(DropEntry(8, 96, 48, 10, 240)) << "past the last entry";
    EXPECT_FALSE(DropEntry(0, -1, 48, 10, 240)) << "above the list";
    EXPECT_FALSE(DropEntry(0, 240, 48, 10, 240)) << "below the list";
    EXPECT_FALSE(DropEntry(0, 10, 0, 10, 240)) << "no item height";
    EXPECT_FALSE(DropEntry(0, 10, 48, 0, 240)) << "empty list";
}

TEST(DropPoint, RowHeightsAndFramePlace) {
    EXPECT_EQ(ListItemHeight(ItemIconSize(kCategoryDrive, 48, 32)), 72);
    EXPECT_EQ(ListItemHeight(ItemIconSize(kCategoryCursor, 48, 32)), 48);
    FrameMeasures m{400, 300, 3, 3, 18, 19, 20, 1024, 768};
    FramePlace p = PlaceFrame(m);
    EXPECT_EQ(p.width, 406);
    EXPECT_EQ(p.height, 300 + 6 + 18 + 19 + 20 + 2);
    EXPECT_EQ(p.x, 312) << "(309 + 4) rounded down to a multiple of 8";
    EXPECT_EQ(p.y, (768 - p.height) / 2);
}

}  // namespace
}  // namespace vt
