#include <gtest/gtest.h>

#include "appservices/settings_layout.h"
#include "engineer/engineer_frame.h"
#include "engineer/engineer_settings.h"
#include "engineer/engineer_testutil.h"
#include "engineer/ini_profile.h"

namespace vt {
namespace {

constexpr int kHardDrive = 12;
const std::string kMruKey = SettingsKeyPath("Engineer", "MRU List");

TEST(RecentMotifs, StoredFormsCountAndSurplus) {
    MemoryRegistry reg;
    reg.Set(RegRoot::CurrentUser, kMruKey, "MRUCount", "9");
    reg.Set(RegRoot::CurrentUser, kMruKey, "MRU1", "C:\\a,b\\Blue.motif,1");
    reg.Set(RegRoot::CurrentUser, kMruKey, "MRU2", "C:\\Plain.motif");
    reg.Set(RegRoot::CurrentUser, kMruKey, "MRU3", "C:\\x\\Odd.theme,2");
    reg.Set(RegRoot::CurrentUser, kMruKey, "MRU4", "C:\\y\\Neg.motif,-1");
    reg.Set(RegRoot::CurrentUser, kMruKey, "MRU5", "C:\\never.motif,0");
    MruList list = LoadRecentMotifs(reg);
    ASSERT_EQ(list.size(), 4u) << "a count above 4 is read as 4";
    const auto& e = list.entries();
    EXPECT_EQ(e[0].path, "C:\\a,b\\Blue.motif");
    EXPECT_EQ(e[0].fileType, 1);
    EXPECT_EQ(e[1].path, "C:\\Plain.motif");
    EXPECT_EQ(e[1].fileType, 0);
    EXPECT_EQ(e[2].path, "C:\\x\\Odd.theme,2") << "a flag other than 0 or 1: the whole text";
    EXPECT_EQ(e[2].fileType, 0);
    EXPECT_EQ(e[3].path, "C:\\y\\Neg.motif,-1");

    list.Remove("C:\\Plain.motif");
    list.Remove("C:\\x\\Odd.theme,2");
    ASSERT_TRUE(SaveRecentMotifs(reg, list));
    EXPECT_EQ(reg.Get(RegRoot::CurrentUser, kMruKey, "MRUCount"), "2");
    EXPECT_EQ(reg.Get(RegRoot::CurrentUser, kMruKey, "MRU1"), "C:\\a,b\\Blue.motif,1");
    EXPECT_EQ(reg.Get(RegRoot::CurrentUser, kMruKey, "MRU2"), "C:\\y\\Neg.motif,-1,0");
    EXPECT_FALSE(reg.Has(RegRoot::CurrentUser, kMruKey, "MRU3"));
    EXPECT_FALSE(reg.Has(RegRoot::CurrentUser, kMruKey, "MRU4"));
    EXPECT_TRUE(reg.Has(RegRoot::CurrentUser, kMruKey, "MRU5")) << "only surplus up to 4 goes";
    EXPECT_EQ(LoadRecentMotifs(reg).entries()[1].path, "C:\\y\\Neg.motif,-1") << "round trip";
}

TEST(RecentMotifs, LabelsKeepTheExtension) {
    EXPECT_EQ(RecentMotifLabel(1, "C:\\motifs\\sub\\Blue.motif", "C:\\motifs"),
              "&1 sub\\Blue.motif");
    EXPECT_EQ(RecentMotifLabel(2, "C:\\other\\Red.theme", "c:\\motifs"), "&2 \\other\\Red.theme");
    EXPECT_EQ(RecentMotifLabel(3, "D:\\Green.motif", "C:\\motifs"), "&3 D:\\Green.motif");
}

TEST(EngineerSettingsStore, QualityAndFoldersRoundTripAndAreValidated) {
    MemoryRegistry reg;
    EngineerSettings none = LoadEngineerSettings(reg);
    EXPECT_TRUE(none.quality.checking);
    EXPECT_TRUE(none.folderOpen.empty());

    EngineerSettings s;
    s.quality.checking = false;
    s.quality.desired = {false, true, false, false, false, true};
    s.folderOpen = "C:\\open";
    s.folderSave = "C:\\save";
    s.folderBrowse = "C:\\browse";
    ASSERT_TRUE(SaveEngineerSettings(reg, s));
    const std::string key = SettingsKeyPath("Engineer", "Persistent");
    EXPECT_EQ(reg.StoredSize(RegRoot::CurrentUser, key, "Quality Checking"), 28u);
    EXPECT_EQ(reg.KeyClass(RegRoot::CurrentUser, key), "Vantoro Engineer");
    EngineerSettings back = LoadEngineerSettings(reg);
    EXPECT_FALSE(back.quality.checking);
    EXPECT_EQ(back.quality.desired, s.quality.desired);
    EXPECT_EQ(back.folderBrowse, "C:\\browse");

    reg.Set(RegRoot::CurrentUser, key, "Quality Checking", "short");
    reg.Set(RegRoot::CurrentUser, key, "Folder Open", std::string(300, 'x'));
    reg.Set(RegRoot::CurrentUser, key, "Folder Save", "C:\\a\nb");
    back = LoadEngineerSettings(reg);
    EXPECT_TRUE(back.quality.checking) << "a value of another size gives the defaults";
    EXPECT_TRUE(back.folderOpen.empty());
    EXPECT_TRUE(back.folderSave.empty());
}

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        w.files.Put("D:\\art\\disk.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
        w.shell.AddIcon("D:\\art\\disk.ico", 0);
        w.files.MakeDirectory("D:\\motifs");
        e = &w.MakeEngineer();
        motif = std::make_unique<MotifFile>(*e, profile, dialogs);
        frame = std::make_unique<EngineerFrame>(*e, *motif, w.prompt, recent);
    }
    // A saved Motif with the hard drive row whose companion the shell can load.
    void SaveBlue() {
        e->mode = EngineerMode::Motif;
        ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
        dialogs.savePath = "D:\\motifs\\Blue.motif";
        ASSERT_TRUE(motif->Save(true));
        w.shell.AddIcon("D:\\motifs\\Blue Hard Drive.ico", 0);
    }
    test::EngineerWorld w;
    Engineer* e = nullptr;
    IniProfile profile{w.files};
    test::ScriptedMotifDialogs dialogs;
    MruList recent;
    std::unique_ptr<MotifFile> motif;
    std::unique_ptr<EngineerFrame> frame;
};

TEST_F(Frame, TitleMenuAndDiscardRulePerMode) {
    EXPECT_EQ(frame->Title("untitled"), "Vantoro Engineer");
    FileMenuState m = frame->FileMenu();
    EXPECT_FALSE(m.newEnabled || m.saveEnabled || m.saveAsEnabled);
    EXPECT_TRUE(m.rebuildCacheEnabled);
    EXPECT_FALSE(NeedsDiscardQuestion(*e));
    e->next.largeIcons = !e->current.largeIcons;
    EXPECT_TRUE(NeedsDiscardQuestion(*e)) << "a changed System page";
    e->next = e->current;
    ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    EXPECT_TRUE(NeedsDiscardQuestion(*e)) << "a pending row";

    w.prompt.Answer(PromptAnswer::No);
    EXPECT_FALSE(frame->SwitchMode(EngineerMode::Motif));
    EXPECT_EQ(e->mode, EngineerMode::LocalUpdate);
    EXPECT_TRUE(w.icons->row(kHardDrive).pending) << "No keeps the mode and the rows";
    ASSERT_EQ(w.prompt.shown().size(), 1u);
    EXPECT_EQ(w.prompt.shown()[0].text, kDiscardQuestionText);
    EXPECT_EQ(w.prompt.shown()[0].buttons, PromptButtons::YesNo);

    ASSERT_TRUE(frame->SwitchMode(EngineerMode::Motif));
    EXPECT_EQ(e->pendingTotal, 0);
    EXPECT_EQ(w.icons->row(kHardDrive).chosenSlot, 0);
    EXPECT_EQ(frame->Title("untitled"), "Vantoro Engineer- untitled");
    m = frame->FileMenu();
    EXPECT_TRUE(m.newEnabled);
    EXPECT_FALSE(m.saveEnabled || m.saveAsEnabled) << "untitled and unmodified";
    EXPECT_FALSE(NeedsDiscardQuestion(*e));

    ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    m = frame->FileMenu();
    EXPECT_TRUE(m.saveEnabled && m.saveAsEnabled);
    EXPECT_TRUE(NeedsDiscardQuestion(*e));
    e->theme = true;
    EXPECT_FALSE(frame->FileMenu().saveEnabled) << "a theme is saved only with Save As";
    e->untitled = false;
    e->motifPath = "D:\\motifs\\Blue.MOTIF";
    EXPECT_EQ(frame->Title("untitled"), "Vantoro Engineer- Blue");
}

TEST_F(Frame, ModeLayoutAndTabs) {
    ModeLayout local = LayoutOf(EngineerMode::LocalUpdate);
    EXPECT_EQ(local.tabs.size(), 7u);
    EXPECT_TRUE(local.applyShown && local.clearUpdateShown && local.systemBoxShown);
    EXPECT_FALSE(local.motifButtonsShown);
    EXPECT_EQ(local.groupCaptionId, 1353);
    ModeLayout motifMode = LayoutOf(EngineerMode::Motif);
    ASSERT_EQ(motifMode.tabs.size(), 6u);
    EXPECT_EQ(motifMode.tabs[0], kCategoryDesktop);
    EXPECT_EQ(CategoryOfTab(EngineerMode::Motif, 5), kCategoryCursor);
    EXPECT_EQ(TabOfCategory(EngineerMode::Motif, kCategoryCursor), 5);
    EXPECT_TRUE(motifMode.motifButtonsShown);
    EXPECT_FALSE(motifMode.applyShown || motifMode.systemBoxShown);
    EXPECT_EQ(motifMode.groupCaptionId, 1354);
    EXPECT_EQ(motifMode.modeNameId, 1324);
}

TEST_F(Frame, StatusTextNamesAMissingGraphic) {
    SystemObject row = w.icons->row(kHardDrive);
    row.location = "C:\\x.ico,0";
    row.largeIcon = 0;
    EXPECT_EQ(RowStatusText(row), kMissingGraphicText);
    row.largeIcon = 7;
    EXPECT_EQ(RowStatusText(row), "C:\\x.ico,0");
}

TEST_F(Frame, OpenEmptiesTheWorkspaceOnlyForAChosenFile) {
    SaveBlue();
    ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    w.prompt.Answer(PromptAnswer::Yes);
    EXPECT_FALSE(frame->OpenWithDialog()) << "the open dialog was cancelled";
    EXPECT_EQ(dialogs.openAsks, 1);
    EXPECT_NE(w.icons->row(kHardDrive).chosenSlot, 0) << "Cancel leaves the workspace as it was";
    EXPECT_TRUE(e->modified);

    dialogs.openPath = "D:\\motifs\\Blue.motif";
    w.prompt.Answer(PromptAnswer::Yes);
    ASSERT_TRUE(frame->OpenWithDialog());
    EXPECT_FALSE(e->modified);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent.entries()[0].path, "D:\\motifs\\Blue.motif");
    EXPECT_EQ(w.icons->ChosenFile(kHardDrive), "D:\\motifs\\Blue Hard Drive.ico");
}

TEST_F(Frame, ClosingAsksAndARecentFileThatFailsLeavesTheList) {
    SaveBlue();
    recent.Add("D:\\motifs\\Gone.motif", 0);
    recent.Add("D:\\motifs\\Blue.motif", 0);
    EXPECT_FALSE(frame->OpenRecent(1));
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent.entries()[0].path, "D:\\motifs\\Blue.motif");

    ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
    w.prompt.Clear();
    w.prompt.Answer(PromptAnswer::No);
    EXPECT_FALSE(frame->MayClose());
    EXPECT_EQ(w.prompt.texts(), std::vector<std::string>{kDiscardQuestionText});
    w.prompt.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(frame->MayClose());
}

}  // namespace
}  // namespace vt
