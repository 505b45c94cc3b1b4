#include <gtest/gtest.h>

#include "engineer/engineer_testutil.h"
#include "engineer/ini_profile.h"
#include "engineer/motif_file.h"

namespace vt {
namespace {

constexpr int kHardDrive = 12, kWait = 43, kArrow = 45, kMyComputer = 0, kRecycleFull = 4;

class Motif : public ::testing::Test {
  protected:
    void SetUp() override {
        w.files.Put("D:\\art\\disk.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
        w.files.PutText("D:\\art\\busy.ani", "RIFF....ACON");
        w.files.Put("D:\\apps\\tool.exe", test::ProgramWithIcons({{test::IconBlock(16, 16, 4)},
                                                                  {test::IconBlock(32, 32, 8)}}));
        w.shell.AddIcon("D:\\art\\disk.ico", 0);
        w.shell.AddIcon("D:\\apps\\tool.exe", 1);
        w.shell.AddCursor("D:\\art\\busy.ani");
        w.files.MakeDirectory("D:\\motifs");
        // The system's arrow is not the default one, so a Motif can ask for the default.
        w.registry.Set(RegRoot::CurrentUser, "Control Panel\\Cursors", "Arrow", "D:\\old.cur");
        w.shell.AddCursor("D:\\old.cur");
        e = &w.MakeEngineer();
        w.icons->ReadCurrentLocation(kArrow);
        e->mode = EngineerMode::Motif;
        dialogs.savePath = "D:\\motifs\\Blue.MOT";
    }
    // Companion files of a saved Motif, as the shell would find them.
    void MakeCompanionsLoadable() {
        w.shell.AddIcon("D:\\motifs\\Blue Hard Drive.ico", 0);
        w.shell.AddIcon("D:\\motifs\\Blue My Computer.ico", 0);
        w.shell.AddCursor("D:\\motifs\\Blue Wait.ani");
    }
    void ChooseThree() {
        ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk.ico", 0));
        ASSERT_TRUE(e->AssignChosen(kMyComputer, "D:\\apps\\tool.exe", 1));
        ASSERT_TRUE(e->AssignChosen(kWait, "D:\\art\\busy.ani", 0));
        ASSERT_TRUE(e->AssignChosen(kArrow, "", 0));
    }
    test::EngineerWorld w;
    Engineer* e = nullptr;
    IniProfile profile{w.files};
    test::ScriptedMotifDialogs dialogs;
};

const char* const kSavedBlue =
    "[Software Credits]\r\nSoftware=Vantoro(tm)\r\nCompany=Kelvane "
    "Software\r\nWebsite=www.kelvane.com/vantoro\r\n"
    "[CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon]\r\nDefaultValue=%Folder%Blue My "
    "Computer.ico,0\r\n"
    "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons]\r\n8=%Folder%Blue Hard "
    "Drive.ico,0\r\n"
    "[Control Panel\\Cursors]\r\nWait=%Folder%Blue Wait.ani\r\nArrow=\r\n";

TEST_F(Motif, SaveWritesHeaderEntriesAndCompanionFiles) {
    ChooseThree();
    MotifFile m(*e, profile, dialogs);
    ASSERT_TRUE(m.Save(false));
    EXPECT_EQ(e->motifPath, "D:\\motifs\\Blue.motif")
        << "a typed \"mot\" extension is replaced by \"motif\"";
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue.motif"), kSavedBlue);
    EXPECT_EQ(w.files.Bytes("D:\\motifs\\Blue Hard Drive.ico"), w.files.Bytes("D:\\art\\disk.ico"));
    EXPECT_EQ(w.files.Bytes("D:\\motifs\\Blue My Computer.ico"),
              test::IconFile({test::IconBlock(32, 32, 8)}))
        << "icon 1 of the program, as an icon file";
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue Wait.ani"), "RIFF....ACON");
    EXPECT_FALSE(e->untitled);
    EXPECT_FALSE(e->modified);
    EXPECT_EQ(w.files.List("D:\\motifs").size(), 4u);
}

TEST_F(Motif, ReopenedInLocalModeEverySavedRowIsPending) {
    ChooseThree();
    MotifFile m(*e, profile, dialogs);
    ASSERT_TRUE(m.Save(false));
    m.New();
    EXPECT_TRUE(e->untitled);
    EXPECT_EQ(e->pendingTotal, 0);
    for (int c = kCategoryDesktop; c < kCategoryCount; ++c)
        EXPECT_FALSE(e->categoryTicked[static_cast<size_t>(c)]) << "box of category " << c;
    EXPECT_EQ(w.icons->row(kHardDrive).chosenSlot, 0);

    MakeCompanionsLoadable();
    e->mode = EngineerMode::LocalUpdate;
    ASSERT_TRUE(m.Open("D:\\motifs\\Blue.motif"));
    EXPECT_FALSE(e->theme);
    EXPECT_EQ(w.icons->ChosenFile(kHardDrive), "D:\\motifs\\Blue Hard Drive.ico");
    EXPECT_EQ(w.icons->row(kHardDrive).location, "D:\\motifs\\Blue Hard Drive.ico,0");
    EXPECT_TRUE(w.icons->row(kHardDrive).pending);
    EXPECT_EQ(w.icons->ChosenFile(kWait), "D:\\motifs\\Blue Wait.ani");
    EXPECT_EQ(w.icons->row(kArrow).location, "Windows Default Cursor");
    EXPECT_EQ(w.icons->row(kArrow).chosenIndex, 1);
    EXPECT_EQ(w.shell.SourceOf(w.icons->row(kArrow).largeIcon), "own:72");
    EXPECT_TRUE(w.icons->row(kArrow).pending);
    EXPECT_EQ(e->pendingTotal, 4);
    EXPECT_TRUE(e->categoryTicked[kCategoryCursor]);

    // Applying the opened Motif restores the default arrow by deleting its value.
    e->ApplyChanges();
    EXPECT_FALSE(w.registry.Has(RegRoot::CurrentUser, "Control Panel\\Cursors", "Arrow"));
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait"),
              "D:\\motifs\\Blue Wait.ani");
}

TEST_F(Motif, ResaveCopiesNothingAndRewritesTheSameEntries) {
    ChooseThree();
    MotifFile m(*e, profile, dialogs);
    ASSERT_TRUE(m.Save(false));
    m.New();
    MakeCompanionsLoadable();
    ASSERT_TRUE(m.Open("D:\\motifs\\Blue.motif"));
    // Motif Mode: every loaded row is counted and its box ticked, as "C&hange..." does, but
    // nothing becomes pending.
    EXPECT_EQ(e->pendingTotal, 4);
    EXPECT_EQ(e->pendingCount[kCategoryCursor], 2);
    EXPECT_TRUE(e->categoryTicked[kCategoryDrive]);
    EXPECT_TRUE(e->categoryTicked[kCategoryDesktop]);
    EXPECT_TRUE(e->categoryTicked[kCategoryCursor]);
    EXPECT_FALSE(w.icons->row(kHardDrive).pending);
    // A later change of a loaded row is not counted twice.
    ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\motifs\\Blue Hard Drive.ico", 0));
    EXPECT_EQ(e->pendingTotal, 4);
    int writes = w.files.writeCount();
    ASSERT_TRUE(m.Save(false));
    EXPECT_EQ(dialogs.saveAsks, 1) << "a titled Motif saves without a dialog";
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(w.files.writeCount(), writes + 1)
        << "same files, same entries: only the Motif's staged copy is written";
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue.motif"), kSavedBlue);
}

TEST_F(Motif, ExistingCompanionsAreReplacedOnlyWhenTheUserSaysSo) {
    w.files.PutText("D:\\motifs\\Blue Hard Drive.ico", "older");
    w.files.PutText("D:\\motifs\\Blue Wait.ani", "older cursor");
    ChooseThree();
    MotifFile m(*e, profile, dialogs);
    dialogs.answers = {ReplaceAnswer::No, ReplaceAnswer::Yes};
    ASSERT_TRUE(m.Save(false));
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[0].text,
              "This folder already contains a file called 'Blue Hard Drive.ico'.");
    EXPECT_EQ(dialogs.questions[0].existingSize, "5 bytes, created or last modified on");
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue Hard Drive.ico"), "older");
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue Wait.ani"), "RIFF....ACON");
    std::string text = w.files.Text("D:\\motifs\\Blue.motif");
    EXPECT_EQ(text.find("Shell Icons"), std::string::npos) << "No skips the row's entry too";

    // Yes to All answers every later question of the same save.
    w.files.PutText("D:\\motifs\\Blue Hard Drive.ico", "older");
    w.files.PutText("D:\\motifs\\Blue Wait.ani", "older cursor");
    dialogs.questions.clear();
    dialogs.answers = {ReplaceAnswer::YesToAll};
    ASSERT_TRUE(m.Save(true));
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue Wait.ani"), "RIFF....ACON");

    w.files.PutText("D:\\motifs\\Blue Wait.ani", "older cursor");
    dialogs.answers = {ReplaceAnswer::Cancel};
    EXPECT_FALSE(m.Save(false));
}

TEST_F(Motif, CancelledDialogAndUnreadableSourcesEndTheSave) {
    ChooseThree();
    MotifFile m(*e, profile, dialogs);
    dialogs.savePath.clear();
    EXPECT_FALSE(m.Save(false));
    EXPECT_TRUE(e->untitled);
    dialogs.savePath = "D:\\motifs\\Red.motif";
    w.files.Fail("read", "D:\\art\\disk.ico");
    EXPECT_FALSE(m.Save(false));
    EXPECT_TRUE(e->modified);
}

TEST_F(Motif, FailedSaveLeavesTheOldFilesAsTheyWereAndNamesTheFile) {
    ChooseThree();
    MotifFile m(*e, profile, dialogs);
    ASSERT_TRUE(m.Save(false));
    const auto oldMotif = w.files.Bytes("D:\\motifs\\Blue.motif");
    const auto oldDrive = w.files.Bytes("D:\\motifs\\Blue Hard Drive.ico");
    const size_t oldCount = w.files.List("D:\\motifs").size();
    w.files.Put("D:\\art\\disk2.ico", test::IconFile({test::IconBlock(16, 16, 8)}));
    w.shell.AddIcon("D:\\art\\disk2.ico", 0);
    ASSERT_TRUE(e->AssignChosen(kHardDrive, "D:\\art\\disk2.ico", 0));
    w.files.Fail("read", "D:\\art\\busy.ani");  // a row after the hard drive's
    w.prompt.Clear();
    for (bool saveAs : {false, true}) {
        SCOPED_TRACE(saveAs ? "save as over the Motif" : "save");
        EXPECT_FALSE(m.Save(saveAs));
        EXPECT_EQ(w.files.Bytes("D:\\motifs\\Blue.motif"), oldMotif);
        EXPECT_EQ(w.files.Bytes("D:\\motifs\\Blue Hard Drive.ico"), oldDrive)
            << "the companion written before the failure is not put in place";
        EXPECT_EQ(w.files.List("D:\\motifs").size(), oldCount) << "no staged file is left";
        EXPECT_TRUE(e->modified);
    }
    EXPECT_EQ(w.prompt.texts(),
              std::vector<std::string>(
                  2, "The Motif was not saved: the file 'D:\\art\\busy.ani' could not be read."));

    w.files.StopFailing();
    w.files.Fail("move", "D:\\motifs\\Blue.motif");
    w.prompt.Clear();
    EXPECT_FALSE(m.Save(false));
    EXPECT_EQ(w.files.Bytes("D:\\motifs\\Blue.motif"), oldMotif);
    EXPECT_EQ(w.prompt.texts(), std::vector<std::string>{"The Motif was not saved: the file "
                                                         "'D:\\motifs\\Blue.motif' could not "
                                                         "be written."});
    w.files.StopFailing();
    ASSERT_TRUE(m.Save(false));
    EXPECT_EQ(w.files.Bytes("D:\\motifs\\Blue Hard Drive.ico"), w.files.Bytes("D:\\art\\disk2.ico"));
}

TEST_F(Motif, ExcludedCategoriesLeaveTheirEntriesAlone) {
    ChooseThree();
    e->categoryTicked[kCategoryDrive] = false;
    MotifFile m(*e, profile, dialogs);
    ASSERT_TRUE(m.Save(false));
    EXPECT_FALSE(w.files.Exists("D:\\motifs\\Blue Hard Drive.ico"));
    EXPECT_EQ(w.files.Text("D:\\motifs\\Blue.motif").find("Hard Drive"), std::string::npos);
}

TEST_F(Motif, ThemeFilesOpenWithTheThemeFlagAndThemeDir) {
    w.files.PutText(
        "D:\\themes\\Space.theme",
        "[Control "
        "Panel\\Cursors]\r\nWait=%ThemeDir%busy.ani\r\nArrow=\r\nNo=%WinDir%missing.cur\r\n"
        "[CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon]\r\nfull=%ThemeDir%bin.ico,"
        "0\r\n"
        "empty=\r\n"
        "[CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\DefaultIcon]\r\nDefaultValue=%ThemeDir%"
        "docs.ico,0\r\n");
    w.shell.AddCursor("D:\\themes\\busy.ani");
    w.files.PutText("D:\\themes\\busy.ani", "RIFF");
    w.files.Put("D:\\themes\\bin.ico", test::IconFile({test::IconBlock(32, 32, 4)}));
    w.shell.AddIcon("D:\\themes\\bin.ico", 0);
    w.shell.AddIcon("D:\\themes\\docs.ico", 0);
    MotifFile m(*e, profile, dialogs);
    e->mode = EngineerMode::LocalUpdate;
    ASSERT_TRUE(m.Open("D:\\themes\\Space.theme"));
    EXPECT_TRUE(e->theme);
    EXPECT_EQ(w.icons->ChosenFile(kWait), "D:\\themes\\busy.ani");
    EXPECT_EQ(w.icons->ChosenFile(kRecycleFull), "D:\\themes\\bin.ico");
    EXPECT_EQ(w.icons->row(3).chosenSlot, 0) << "an empty entry leaves the row alone";
    EXPECT_EQ(w.icons->row(49).chosenSlot, 0) << "a cursor that cannot load is skipped";
    EXPECT_EQ(w.icons->row(kRowMyDocuments).chosenSlot, 0) << "My Documents is never read";

    // Saving it as a Motif clears the theme flag.
    dialogs.savePath = "D:\\motifs\\Space.motif";
    ASSERT_TRUE(m.Save(true));
    EXPECT_FALSE(e->theme);
    EXPECT_NE(w.files.Text("D:\\motifs\\Space.motif").find("full=%Folder%Space Recycle Full.ico,0"),
              std::string::npos);
}

TEST_F(Motif, FileWithNothingLoadableFailsToOpen) {
    w.files.PutText("D:\\motifs\\Empty.motif", "[Software Credits]\r\nSoftware=Vantoro(tm)\r\n");
    MotifFile m(*e, profile, dialogs);
    EXPECT_FALSE(m.Open("D:\\motifs\\Empty.motif"));
    EXPECT_TRUE(e->untitled);
    EXPECT_FALSE(m.Open("D:\\motifs\\none.motif"));
}

TEST(MotifNames, NameAndExtensionRules) {
    EXPECT_EQ(MotifName("C:\\a\\Blue.MOTIF"), "Blue");
    EXPECT_EQ(MotifName("C:\\a\\Blue.theme"), "Blue.theme");
    EXPECT_EQ(FixMotifExtension("C:\\a\\Blue.mot"), "C:\\a\\Blue.motif");
    EXPECT_EQ(FixMotifExtension("C:\\a\\Blue.MoT"), "C:\\a\\Blue.motif");
    EXPECT_EQ(FixMotifExtension("C:\\a\\Blue.motif"), "C:\\a\\Blue.motif");
    EXPECT_EQ(FixMotifExtension("C:\\a.mot\\Blue"), "C:\\a.mot\\Blue");
}

}  // namespace
}  // namespace vt
