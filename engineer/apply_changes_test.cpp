#include <gtest/gtest.h>

#include "engineer/engineer_dialog.h"
#include "engineer/engineer_testutil.h"
#include "sysicons/icon_cache.h"

namespace vt {
namespace {

using test::EngineerWorld;

const std::string kFolder = "C:\\WINDOWS\\Installed System Icons";
const std::string kShellIcons = kRegistryLocations[kKeyShellIcons].keyPath;
const std::string kCursors = kRegistryLocations[kKeyCursors].keyPath;
constexpr int kHardDrive = 12, kNetworkDrive = 13, kWait = 43, kArrow = 45, kRowMyComputer = 0;

class Apply : public ::testing::Test {
  protected:
    void SetUp() override { Prepare(); }
    void Prepare() {
        w.files.Put("D:\\art\\disk.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
        w.shell.AddIcon("D:\\art\\disk.ico", 0);
        w.shell.AddCursor("D:\\art\\busy.ani");
        w.files.PutText("C:\\WINDOWS\\ShellIconCache", "cache");
    }
    Engineer& Make() {
        auto& e = w.MakeEngineer();
        w.shell.ClearLog();
        return e;
    }
    EngineerWorld w;
};

TEST_F(Apply, ShellIconsRowIsInstalledWrittenAndAnnounced) {
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    EXPECT_EQ(e.pendingCount[kCategoryDrive], 1);
    EXPECT_TRUE(e.categoryTicked[kCategoryDrive]);
    auto out = e.ApplyChanges();
    EXPECT_FALSE(out.error);
    EXPECT_TRUE(out.iconsWritten);
    const std::string installed = kFolder + "\\Hard Drive1.ico";
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"), installed + ",0");
    EXPECT_EQ(w.files.Bytes(installed), w.files.Bytes("D:\\art\\disk.ico"));
    EXPECT_FALSE(w.files.Exists(kFolder + "\\stage.ico"));
    EXPECT_FALSE(w.files.Exists("C:\\WINDOWS\\ShellIconCache"));
    const auto& row = w.icons->row(kHardDrive);
    EXPECT_FALSE(row.pending);
    EXPECT_EQ(row.chosenSlot, 0);
    EXPECT_EQ(row.location, installed + ",0");
    EXPECT_EQ(e.pendingTotal, 0);
    EXPECT_FALSE(e.categoryTicked[kCategoryDrive]);
    EXPECT_EQ(w.shell.log(), (std::vector<std::string>{"replace image 8 with D:\\art\\disk.ico,0",
                                                       "notify update image 8"}));
    EXPECT_TRUE(w.prompt.shown().empty());
}

TEST_F(Apply, RowOfAnUntickedCategoryStaysPending) {
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    ASSERT_TRUE(e.AssignChosen(kWait, "D:\\art\\busy.ani", 0));
    e.categoryTicked[kCategoryDrive] = false;
    auto out = e.ApplyChanges();
    EXPECT_TRUE(w.icons->row(kHardDrive).pending);
    EXPECT_EQ(w.icons->ChosenFile(kHardDrive), "D:\\art\\disk.ico");
    EXPECT_FALSE(w.registry.Has(RegRoot::LocalMachine, kShellIcons, "8"));
    EXPECT_FALSE(out.iconsWritten);
    EXPECT_TRUE(out.cursorsWritten);
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kCursors, "Wait"), "D:\\art\\busy.ani");
    EXPECT_EQ(w.shell.log().back(), "parameter 87 = 0");
    EXPECT_EQ(e.pendingTotal, 1);
    // The dialog's rules after Apply: the row can be cleared or reset, but not applied while its
    // box stays cleared.
    DialogControls c = EvaluateControls(e, kHardDrive);
    EXPECT_FALSE(c.apply);
    EXPECT_TRUE(c.resetAll && c.clearUpdate && c.boxEnabled[kCategoryDrive]);
    EXPECT_FALSE(c.boxTicked[kCategoryDrive] || c.boxEnabled[kCategoryCursor]);
    e.categoryTicked[kCategoryDrive] = true;
    EXPECT_TRUE(EvaluateControls(e, kHardDrive).apply);
}

TEST_F(Apply, EmptyChoicesShowTheBuiltInIcons) {
    w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 8);
    w.shell.AddIcon("C:\\IE\\iexplore.exe", -32528);
    w.registry.Set(RegRoot::ClassesRoot,
                   std::string(kInternetObjectClass) + "\\Shell\\OpenHomePage\\Command", "",
                   "\"C:\\IE\\iexplore.exe\" -home");
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "", 3));
    EXPECT_EQ(w.icons->row(kHardDrive).location, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,8");
    ASSERT_TRUE(e.AssignChosen(kRowInternetExplorer, "", 0));
    EXPECT_EQ(w.shell.SourceOf(w.icons->row(kRowInternetExplorer).largeIcon),
              "C:\\IE\\iexplore.exe,-32528");
    EXPECT_FALSE(e.AssignChosen(kHardDrive, "D:\\art\\missing.ico", 0));
    EXPECT_EQ(w.icons->row(kHardDrive).location, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,8")
        << "a failed load changes nothing";
    EXPECT_EQ(e.pendingTotal, 2);
}

TEST_F(Apply, InstallingTwiceKeepsOneFileAndNeighboursStay) {
    auto& e = Make();
    w.files.Put(kFolder + "\\Network Drive Offline1.ico", {1},
                kAttrReadOnly | kAttrHidden | kAttrSystem);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(e.AssignChosen(kNetworkDrive, "D:\\art\\disk.ico", 0));
        e.ApplyChanges();
    }
    EXPECT_EQ(w.files.List(kFolder),
              (std::vector<std::string>{"Network Drive Offline1.ico", "Network Drive2.ico"}));
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "9"),
              kFolder + "\\Network Drive2.ico,0");
}

TEST_F(Apply, UseDefaultDeletesOverrideAndCursorValues) {
    w.registry.Set(RegRoot::LocalMachine, kShellIcons, "8", "D:\\art\\disk.ico,0");
    w.registry.Set(RegRoot::CurrentUser, kCursors, "Arrow", "D:\\art\\busy.ani");
    w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 8);
    auto& e = Make();
    ASSERT_TRUE(e.AssignDefault(kHardDrive));
    EXPECT_EQ(w.icons->row(kHardDrive).location, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,8");
    ASSERT_TRUE(e.AssignDefault(kArrow));
    EXPECT_EQ(w.icons->row(kArrow).location, "Windows Default Cursor");
    EXPECT_EQ(w.icons->row(kArrow).chosenIndex, 1);
    // The live arrow is the custom one being replaced; the row shows the standard picture.
    EXPECT_EQ(w.shell.SourceOf(w.icons->row(kArrow).largeIcon), "own:72");
    auto out = e.ApplyChanges();
    EXPECT_FALSE(out.error);
    EXPECT_FALSE(w.registry.Has(RegRoot::LocalMachine, kShellIcons, "8"));
    EXPECT_FALSE(w.registry.Has(RegRoot::CurrentUser, kCursors, "Arrow"));
    EXPECT_TRUE(w.files.List(kFolder).empty()) << "a default is used in place, never copied";
    EXPECT_EQ(w.shell.SourceOf(w.icons->row(kArrow).largeIcon), "cursor:32512");
}

TEST_F(Apply, WindowsNtNotifiesOnceRebuildsTheCacheAndReinitialisesForTheBriefcase) {
    w.UseNt();
    w.files.Put("D:\\art\\case.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
    w.shell.AddIcon("D:\\art\\case.ico", 0);
    auto& e = Make();
    int redraws = 0;
    e.redrawList = [&] { ++redraws; };
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    ASSERT_TRUE(e.AssignChosen(kRowBriefcase, "D:\\art\\case.ico", 0));
    e.ApplyChanges();
    EXPECT_EQ(w.shell.log(),
              (std::vector<std::string>{"notify update image -1", "broadcast 46 WindowMetrics",
                                        "broadcast 46 WindowMetrics", "reinitialize icons 0"}));
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(w.registry.Get(
                  RegRoot::ClassesRoot,
                  kRegistryLocations[kKeyBriefcase].keyPath + std::string("\\DefaultIcon"), ""),
              kFolder + "\\Briefcase1.ico,0");
    EXPECT_FALSE(w.files.Exists(kFolder + "\\(alice) Hard Drive1.ico"))
        << "Shell Icons files are shared";
    EXPECT_TRUE(w.files.Exists(kFolder + "\\Hard Drive1.ico"));
    EXPECT_FALSE(w.icons->briefcaseChanged);
    EXPECT_FALSE(w.icons->iconCacheNeedsRebuild);
}

TEST_F(Apply, ColourDepthAloneWritesTheValueAndOffersARestart) {
    auto& e = Make();
    e.next.colourDepth = 16;
    e.categoryTicked[kCategorySystem] = true;
    w.prompt.Answer(PromptAnswer::No);
    auto out = e.ApplyChanges();
    EXPECT_TRUE(out.colourDepthChanged);
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon BPP"), "16");
    ASSERT_EQ(w.prompt.shown().size(), 1u);
    EXPECT_EQ(w.prompt.shown()[0].text, kRestartQuestionText);
    EXPECT_EQ(w.prompt.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_TRUE(w.shell.log().empty()) << "No: no restart";
    EXPECT_FALSE(e.SystemPageDiffers());

    e.next.colourDepth = 24;
    w.prompt.Answer(PromptAnswer::Yes);
    e.ApplyChanges();
    EXPECT_EQ(w.shell.log(), (std::vector<std::string>{"restart windows"}));
}

TEST_F(Apply, SystemValuesAreOnlyWrittenWithTheSystemBoxTicked) {
    auto& e = Make();
    e.next.colourDepth = 16;
    e.ApplyChanges();
    EXPECT_FALSE(w.registry.Has(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon BPP"));
    EXPECT_TRUE(e.SystemPageDiffers());
}

TEST_F(Apply, OverlaysOffRemovesIsShortcutEverywhereAndRebuildsTheCache) {
    for (const char* key : kShortcutClasses)
        w.registry.Set(RegRoot::ClassesRoot, key, "IsShortcut", "");
    auto& e = Make();
    e.ReadSystemSettings();
    ASSERT_TRUE(e.current.shortcutOverlays);
    e.next.shortcutOverlays = false;
    e.categoryTicked[kCategorySystem] = true;
    auto out = e.ApplyChanges();
    EXPECT_FALSE(out.error);
    for (const char* key : kShortcutClasses)
        EXPECT_FALSE(w.registry.Has(RegRoot::ClassesRoot, key, "IsShortcut")) << key;
    EXPECT_EQ(w.shell.log(), (std::vector<std::string>{"broadcast 46 WindowMetrics",
                                                       "broadcast 46 WindowMetrics"}));
    EXPECT_FALSE(w.files.Exists("C:\\WINDOWS\\ShellIconCache"));

    // On again: the empty one-byte string under each class, in keys marked as ours.
    e.next.shortcutOverlays = true;
    e.categoryTicked[kCategorySystem] = true;
    e.ApplyChanges();
    for (const char* key : kShortcutClasses)
        EXPECT_EQ(w.registry.StoredSize(RegRoot::ClassesRoot, key, "IsShortcut"), 1u);
}

TEST_F(Apply, OverlayWalkStopsAtTheFirstFailure) {
    auto& e = Make();
    w.registry.FailWritesUnder("piffile");
    EXPECT_EQ(e.SetShortcutOverlays(true), kRegAccessDenied);
    EXPECT_TRUE(w.registry.Has(RegRoot::ClassesRoot, "lnkfile", "IsShortcut"));
    EXPECT_FALSE(w.registry.Has(RegRoot::ClassesRoot, "InternetShortcut", "IsShortcut"));
    EXPECT_EQ(w.registry.KeyClass(RegRoot::ClassesRoot, "lnkfile"), "Vantoro Engineer");
}

TEST_F(Apply, LargeIconsAndMetrics) {
    auto& e = Make();
    e.current.metrics.horizontalSpacing = e.next.metrics.horizontalSpacing = 75;
    e.current.metrics.verticalSpacing = e.next.metrics.verticalSpacing = 75;
    e.next.largeIcons = true;
    e.next.metrics.font.faceName = "Tahoma";
    e.categoryTicked[kCategorySystem] = true;
    auto out = e.ApplyChanges();
    EXPECT_TRUE(out.iconSizeChanged);
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "48");
    EXPECT_EQ(w.shell.log(),
              (std::vector<std::string>{"parameter 13 = 91 update ini", "broadcast 13 ",
                                        "parameter 24 = 91 update ini", "broadcast 24 ",
                                        "title font Tahoma 0", "broadcast 34 ",
                                        "broadcast 46 WindowMetrics"}));
    EXPECT_EQ(e.current.metrics.horizontalSpacing, 91);
}

TEST_F(Apply, FailedExtractionWarnsKeepsTheRowAndLeavesTheRegistryAlone) {
    w.files.PutText("D:\\art\\notes.txt", "this is no icon at all, just text");
    w.shell.AddIcon("D:\\art\\notes.txt", 0);
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\art\\notes.txt", 0));
    ASSERT_TRUE(e.AssignChosen(kWait, "D:\\art\\busy.ani", 0));
    auto out = e.ApplyChanges();
    EXPECT_TRUE(out.error);
    EXPECT_EQ(w.prompt.texts(),
              (std::vector<std::string>{
                  "The file 'D:\\art\\notes.txt' is not a valid file type for icons!",
                  kRegistryErrorText}));
    EXPECT_FALSE(w.registry.Has(RegRoot::LocalMachine, kShellIcons, "8"));
    EXPECT_TRUE(w.icons->row(kHardDrive).pending) << "kept for another try";
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kCursors, "Wait"), "D:\\art\\busy.ani")
        << "other rows still applied";
}

TEST_F(Apply, RegistryFailureOfACursorRow) {
    auto& e = Make();
    w.registry.FailWritesUnder(kCursors);
    ASSERT_TRUE(e.AssignChosen(kWait, "D:\\art\\busy.ani", 0));
    auto out = e.ApplyChanges();
    EXPECT_TRUE(out.error);
    EXPECT_FALSE(out.cursorsWritten);
    EXPECT_EQ(w.prompt.texts(), (std::vector<std::string>{kRegistryErrorText}));
}

TEST_F(Apply, IconOfAProgramFileIsRebuiltAsAnIconFile) {
    auto first = test::IconBlock(32, 32, 4);
    auto second = test::IconBlock(16, 16, 8);
    w.files.Put("D:\\apps\\tool.exe", test::ProgramWithIcons({{first}, {second}}));
    w.shell.AddIcon("D:\\apps\\tool.exe", 1);
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\apps\\tool.exe", 1));
    e.ApplyChanges();
    auto bytes = w.files.Bytes(kFolder + "\\Hard Drive1.ico");
    EXPECT_EQ(bytes, test::IconFile({second}));
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"),
              kFolder + "\\Hard Drive1.ico,0");
}

TEST_F(Apply, CacheRebuildsKeepTheChoicesOfRowsNotYetApplied) {
    w.UseNt();
    w.files.Put("D:\\art\\pc.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
    w.shell.AddIcon("D:\\art\\pc.ico", 0);
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kWait, "D:\\art\\busy.ani", 0));
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    ASSERT_TRUE(e.AssignChosen(kRowMyComputer, "D:\\art\\pc.ico", 0));
    e.categoryTicked[kCategoryDesktop] = false;
    // Toggling the overlays rebuilds the cache before any row is applied.
    e.next.shortcutOverlays = !e.current.shortcutOverlays;
    e.categoryTicked[kCategorySystem] = true;
    auto out = e.ApplyChanges();
    EXPECT_FALSE(out.error);
    EXPECT_TRUE(w.prompt.shown().empty());
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kCursors, "Wait"), "D:\\art\\busy.ani");
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"),
              kFolder + "\\Hard Drive1.ico,0");
    // The row of the unticked category went through two rebuilds and is still as chosen.
    const auto& pc = w.icons->row(kRowMyComputer);
    EXPECT_TRUE(pc.pending);
    EXPECT_EQ(w.icons->ChosenFile(kRowMyComputer), "D:\\art\\pc.ico");
    EXPECT_EQ(pc.location, "D:\\art\\pc.ico,0");
    EXPECT_EQ(w.shell.SourceOf(pc.largeIcon), "D:\\art\\pc.ico,0");
}

TEST_F(Apply, FailedRegistryWriteKeepsTheInstalledFileAndTheRetryInstallsTheSameIcon) {
    auto first = test::IconBlock(32, 32, 4);
    auto second = test::IconBlock(16, 16, 8);
    w.files.Put("D:\\apps\\tool.exe", test::ProgramWithIcons({{first}, {second}}));
    w.shell.AddIcon("D:\\apps\\tool.exe", 1);
    const std::string old = kFolder + "\\Hard Drive1.ico";
    w.files.Put(old, {7}, kAttrReadOnly | kAttrHidden | kAttrSystem);
    w.registry.Set(RegRoot::LocalMachine, kShellIcons, "8", old + ",0");
    auto& e = Make();
    ASSERT_TRUE(e.AssignChosen(kHardDrive, "D:\\apps\\tool.exe", 1));
    w.registry.FailWritesUnder(kShellIcons);
    auto out = e.ApplyChanges();
    EXPECT_TRUE(out.error);
    EXPECT_EQ(w.prompt.texts(), (std::vector<std::string>{kRegistryErrorText}));
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"), old + ",0");
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive1.ico"}))
        << "the file the registry names stays, nothing is orphaned";
    EXPECT_TRUE(w.icons->row(kHardDrive).pending);
    EXPECT_EQ(w.icons->row(kHardDrive).chosenIndex, 1);

    w.registry.StopFailingWrites();
    out = e.ApplyChanges();
    EXPECT_FALSE(out.error);
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"),
              kFolder + "\\Hard Drive2.ico,0");
    EXPECT_EQ(w.files.Bytes(kFolder + "\\Hard Drive2.ico"), test::IconFile({second}))
        << "the retry installs the icon that was chosen";
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive2.ico"}));
    EXPECT_FALSE(w.icons->row(kHardDrive).pending);
}

TEST_F(Apply, RebuildingTheCacheKeepsACustomIconSize) {
    w.registry.Set(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", "40");
    auto& e = Make();
    e.RebuildIconCache();
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "40");
    for (const char* odd : {"", "huge", "4000", "40x", "-48"}) {
        w.registry.Set(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", odd);
        EXPECT_EQ(ReadShellIconSize(w.registry), 32) << '"' << odd << '"';
    }
    w.registry.Set(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", "48");
    EXPECT_EQ(ReadShellIconSize(w.registry), 48);
}

}  // namespace
}  // namespace vt
