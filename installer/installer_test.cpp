#include "installer/installer.h"

#include <gtest/gtest.h>

#include "sysicons/icon_cache.h"
#include "sysicons/test_world.h"

namespace vt {
namespace {

const std::string kStaging = "C:\\WINDOWS\\Installed System Icons";
const std::string kStage = kStaging + "\\stage.ico";
const std::string kFolder = kStaging;
const std::string kShellIcons = kRegistryLocations[kKeyShellIcons].keyPath;
const std::vector<uint8_t> kStageBytes = {0, 0, 1, 0, 1, 0, 42, 43, 44};
constexpr int kHardDrive = 12, kMyComputer = 0;

// Counts reads, to see that nothing of the table was touched.
class CountingRegistry : public MemoryRegistry {
  public:
    long ReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                    std::string* out) override {
        ++reads;
        return MemoryRegistry::ReadString(root, keyPath, name, out);
    }
    int reads = 0;
};

// The dialog as a script: what the user does once the dialog is open.
class ScriptedDialogs : public InstallerDialogs {
  public:
    void ShowFaultyShellNotice() override { ++notices; }
    bool RunInstallDialog(Installer& installer) override {
        ++runs;
        return user ? user(installer) : false;
    }
    std::function<bool(Installer&)> user;
    int notices = 0, runs = 0;
};

class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        w.files.MakeDirectory(kStaging);
        w.files.Put(kStage, kStageBytes);
        w.shell.AddIcon(kStage, 0);
        for (int n = 1; n <= 3; ++n) {
            w.shell.AddIcon(kFolder + Format("\\Hard Drive%d.ico", n), 0);
            w.shell.AddIcon(kFolder + Format("\\(alice) My Computer%d.ico", n), 0);
            w.shell.AddIcon(kFolder + Format("\\(bob) My Computer%d.ico", n), 0);
            w.shell.AddIcon(kFolder + Format("\\Briefcase%d.ico", n), 0);
        }
        w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 15);
        w.shell.AddIcon("shell32.dll", 8);
        w.shell.AddSpecialFolder(17, 15);
        w.shell.AddSpecialFolder(18, 17);
        w.shell.AddSpecialFolder(10, 31);
        w.shell.AddSpecialFolder(3, 21);
        w.shell.AddSpecialFolder(4, 22);
        w.shell.AddDesktopObject("My Case", "Briefcase", 40);
    }
    int Run(const char* folder = kStaging.c_str()) {
        InstallerSystem system{registry,
                               w.shell,
                               w.files,
                               prompt,
                               DeriveEnvironment(w.raw),
                               multiByte,
                               "empty",
                               "full",
                               [this](std::string* name) {
                                   *name = userName;
                                   return true;
                               }};
        return RunInstallIcon(folder, system, dialogs);
    }
    // The user picks `row` on its tab and presses Apply until it works or `tries` run out.
    void ChooseAndApply(int row, int tries = 1) {
        dialogs.user = [this, row, tries](Installer& in) {
            in.SelectTab(in.icons().row(row).category - 1);
            const auto& rows = in.listedRows();
            auto at = std::find(rows.begin(), rows.end(), row);
            EXPECT_NE(at, rows.end()) << "row " << row << " is listed";
            EXPECT_FALSE(in.applyEnabled());
            in.SelectListRow(static_cast<int>(at - rows.begin()));
            EXPECT_TRUE(in.applyEnabled());
            for (int i = 0; i < tries; ++i) {
                if (i > 0 && beforeRetry) beforeRetry();
                if (in.Apply() == ApplyResult::Installed) return true;
                afterFailure.push_back(w.files.Bytes(kStage));
                oldAfterFailure = w.files.Bytes(kFolder + "\\Hard Drive1.ico");
                valueAfterFailure = Value("8");
            }
            return false;
        };
    }
    std::string Value(const std::string& name) {
        return registry.Get(RegRoot::LocalMachine, kShellIcons, name);
    }

    TestWorld w;
    CountingRegistry registry;
    ScriptedPrompt prompt;
    ScriptedDialogs dialogs;
    bool multiByte = false;
    std::string userName = "alice";
    std::function<void()> beforeRetry;
    std::vector<std::vector<uint8_t>> afterFailure;
    std::vector<uint8_t> oldAfterFailure;
    std::string valueAfterFailure;
};

TEST_F(Install, TabsListTheirCategoriesRowsInTableOrder) {
    dialogs.user = [](Installer& in) {
        EXPECT_EQ(in.tab(), 0) << "the dialog opens on the first tab";
        EXPECT_EQ(in.listedRows(), (std::vector<int>{0, 2, 3, 4, 5})) << "Desktop";
        in.SelectTab(1);
        EXPECT_EQ(in.listedRows(), (std::vector<int>{17, 19, 20, 21, 22, 23, 25, 26, 27}));
        in.SelectTab(2);
        EXPECT_EQ(in.listedRows(), (std::vector<int>{28, 29, 30, 31, 32}))
            << "Dial-Up Networking without a remembered icon is hidden";
        in.SelectTab(3);
        EXPECT_EQ(in.listedRows(), (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16}));
        EXPECT_EQ(in.icons().row(14).displayName, "Network Drive (Offline)");
        in.SelectTab(4);
        EXPECT_EQ(in.listedRows(), (std::vector<int>{34, 35, 36, 37, 38, 39, 40, 41, 42}));
        in.SelectListRow(2);
        EXPECT_EQ(in.selectedRow(), 36);
        in.SelectTab(4);
        EXPECT_FALSE(in.applyEnabled()) << "every refill waits for a new selection";
        in.SelectListRow(9);
        EXPECT_FALSE(in.applyEnabled());
        return false;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(dialogs.runs, 1);

    w.UseNewerShell();
    dialogs.user = [](Installer& in) {
        EXPECT_EQ(in.icons().rowCount(), kFirstCursorRow) << "no cursor rows";
        in.SelectTab(1);
        EXPECT_EQ(in.listedRows(), (std::vector<int>{17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27}))
            << "Favorites and Log Off under the newer shell";
        return false;
    };
    EXPECT_EQ(Run(), 0);
}

TEST_F(Install, ShellIconsRowOnWindows95) {
    registry.Set(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", "40");
    ChooseAndApply(kHardDrive);
    EXPECT_EQ(Run(), 1);
    const std::string installed = kFolder + "\\Hard Drive1.ico";
    EXPECT_EQ(Value("8"), installed + ",0");
    EXPECT_EQ(w.files.Bytes(installed), kStageBytes);
    EXPECT_EQ(w.files.Attributes(installed), kAttrHidden | kAttrSystem | kAttrReadOnly);
    EXPECT_FALSE(w.files.Exists(kStage));
    EXPECT_EQ(w.shell.log(), (std::vector<std::string>{"replace image 8 with " + installed + ",0",
                                                       "notify update image 8"}))
        << "the image lists take the new icon at once; no cache rebuild";
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "40");
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(w.shell.liveIcons(), 0u) << "every icon loaded is released";
}

TEST_F(Install, PerUserClassRowOnNtTakesTheUserOfTheMoment) {
    w.UseNt();
    userName = "bob";
    ChooseAndApply(kMyComputer);
    EXPECT_EQ(Run(), 1);
    const std::string key =
        std::string("Software\\Classes\\") + kRegistryLocations[0].keyPath + "\\DefaultIcon";
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, key, ""), kFolder + "\\(bob) My Computer1.ico,0");
    EXPECT_EQ(registry.KeyClass(RegRoot::CurrentUser, key), "Vantoro 98");
    EXPECT_EQ(w.shell.log(), (std::vector<std::string>{"notify update image -1"}));
    EXPECT_EQ(w.shell.liveIcons(), 0u);
}

TEST_F(Install, BriefcaseIsMachineWideAndReinitialisesTheShellIcons) {
    w.UseNt();
    registry.Set(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size", "40");
    ChooseAndApply(kRowBriefcase);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(
        registry.Get(RegRoot::ClassesRoot,
                     kRegistryLocations[kKeyBriefcase].keyPath + std::string("\\DefaultIcon"), ""),
        kFolder + "\\Briefcase1.ico,0");
    EXPECT_EQ(w.shell.log(),
              (std::vector<std::string>{"notify update image -1", "broadcast 46 WindowMetrics",
                                        "broadcast 46 WindowMetrics", "reinitialize icons 0"}));
    EXPECT_EQ(registry.Get(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "40")
        << "the rebuild keeps the size read at opening";
    EXPECT_EQ(w.shell.liveIcons(), 0u);
}

TEST_F(Install, SecondInstallLeavesOneFileNumberedOneHigher) {
    ChooseAndApply(kHardDrive);
    ASSERT_EQ(Run(), 1);
    w.files.Put(kStage, {9, 9});
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive2.ico"}));
    EXPECT_EQ(Value("8"), kFolder + "\\Hard Drive2.ico,0");
}

// Each failure keeps the dialog open with everything as it was, and a second Apply works.
TEST_F(Install, FailuresKeepTheDialogOpenAndChangeNothing) {
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        std::string text;
    };
    const std::string tail = "\n\nInstallation aborted.";
    std::vector<Case> cases = {
        {"attributes",
         [&] {
             w.files.Put(kFolder + "\\Hard Drive0.ico", {5}, kAttrReadOnly);
             w.files.Fail("attributes", kFolder + "\\Hard Drive0.ico");
         },
         "Error encountered while preparing to delete " + kFolder + "\\Hard Drive0.ico." + tail},
        {"delete",
         [&] {
             w.files.Put(kFolder + "\\Hard Drive0.ico", {5});
             w.files.Fail("delete", kFolder + "\\Hard Drive0.ico");
         },
         "Error encountered attempting to delete " + kFolder + "\\Hard Drive0.ico." + tail},
        {"rename", [&] { w.files.Fail("move", kStage); },
         "Error encountered attempting to rename stage file to " + kFolder + "\\Hard Drive2.ico." +
             tail},
        {"registry", [&] { registry.FailWritesUnder(kShellIcons); }, kInstallerRegistryErrorText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w = TestWorld();
        registry = CountingRegistry();
        prompt.Clear();
        afterFailure.clear();
        SetUp();
        const std::string old = kFolder + "\\Hard Drive1.ico";
        w.files.Put(old, {7}, kAttrHidden | kAttrSystem | kAttrReadOnly);
        registry.Set(RegRoot::LocalMachine, kShellIcons, "8", old + ",0");
        c.breakIt();
        beforeRetry = [&] {
            // The user removes the cause and presses Apply again.
            w.files.StopFailing();
            registry.StopFailingWrites();
        };
        ChooseAndApply(kHardDrive, 2);
        EXPECT_EQ(Run(), 1);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, c.text);
        EXPECT_EQ(prompt.shown()[0].caption, "Vantoro 98");
        EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Exclamation);
        ASSERT_EQ(afterFailure.size(), 1u);
        EXPECT_EQ(afterFailure[0], kStageBytes) << "stage.ico restored byte for byte";
        EXPECT_EQ(oldAfterFailure, std::vector<uint8_t>{7}) << "the old installed file is kept";
        EXPECT_EQ(valueAfterFailure, old + ",0") << "and so is the registry value";
        EXPECT_EQ(Value("8"), kFolder + "\\Hard Drive2.ico,0") << "the retry installs";
        EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive2.ico"}));
        EXPECT_EQ(w.shell.liveIcons(), 0u);
    }
}

TEST_F(Install, FailedRegistryWriteLeavesTheOldIconInEffect) {
    const std::string old = kFolder + "\\Hard Drive1.ico";
    w.files.Put(old, {7}, kAttrHidden | kAttrSystem | kAttrReadOnly);
    w.shell.AddIcon(old, 0);
    registry.Set(RegRoot::LocalMachine, kShellIcons, "8", old + ",0");
    registry.FailWritesUnder(kShellIcons);
    dialogs.user = [&](Installer& in) {
        in.SelectTab(3);
        in.SelectListRow(3);
        EXPECT_EQ(in.Apply(), ApplyResult::StayOpen);
        EXPECT_EQ(w.shell.SourceOf(in.icons().row(kHardDrive).largeIcon), old + ",0")
            << "the list shows what is in effect";
        EXPECT_EQ(in.icons().row(kHardDrive).location, old + ",0");
        return false;  // then Cancel
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(w.files.Bytes(kStage), kStageBytes);
    EXPECT_EQ(w.files.Attributes(kStage), kAttrNormal);
    EXPECT_EQ(w.files.Bytes(old), std::vector<uint8_t>{7});
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive1.ico", "stage.ico"}));
    EXPECT_EQ(Value("8"), old + ",0");
    EXPECT_EQ(w.shell.liveIcons(), 0u) << "failure then Cancel releases everything";
    for (const auto& line : w.shell.log()) EXPECT_EQ(line.find("bad release"), std::string::npos);
}

TEST_F(Install, CancelChangesNothing) {
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(dialogs.runs, 1);
    EXPECT_EQ(w.files.Bytes(kStage), kStageBytes);
    EXPECT_EQ(registry.writeCount(), 0);
    EXPECT_EQ(w.shell.liveIcons(), 0u);
    EXPECT_TRUE(w.shell.log().empty());
}

TEST_F(Install, FaultyNtShellOnlyExplains) {
    w.UseNt();
    w.UseNewerShell("4.71.1712");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(dialogs.notices, 1);
    EXPECT_EQ(dialogs.runs, 0);
    EXPECT_EQ(registry.reads, 0) << "the table is not prepared";
    EXPECT_EQ(w.shell.liveIcons(), 0u);
    EXPECT_TRUE(w.files.Exists(kStage));
}

TEST_F(Install, BadInputGivesZeroBeforeAnything) {
    std::string longFolder = "C:\\" + std::string(kMaxStageFolder, 'x');
    EXPECT_EQ(Run(nullptr), 0);
    EXPECT_EQ(Run(""), 0);
    EXPECT_EQ(Run(longFolder.c_str()), 0);
    EXPECT_EQ(Run("C:\\nowhere"), 0) << "no stage.ico";
    w.files.PutText("C:\\junk\\stage.ico", "not an icon");  // the shell cannot load it
    EXPECT_EQ(Run("C:\\junk"), 0);
    EXPECT_EQ(dialogs.runs + dialogs.notices, 0);
    EXPECT_EQ(registry.reads, 0);
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(w.shell.liveIcons(), 0u);
}

TEST(StagePath, TrailingBackslashOnlyWithoutMultiByteCharacters) {
    EXPECT_EQ(InstallerStagePath("C:\\WINDOWS\\Icons", false), "C:\\WINDOWS\\Icons\\stage.ico");
    EXPECT_EQ(InstallerStagePath("C:\\Icons\\", false), "C:\\Icons\\stage.ico");
    // A final 0x5C byte may be the second byte of a character there: the folder stays whole.
    EXPECT_EQ(InstallerStagePath("C:\\\x83\\", true), "C:\\\x83\\\\stage.ico");
    EXPECT_EQ(TabCategory(0), kCategoryDesktop);
    EXPECT_EQ(TabCategory(4), kCategoryMisc);
}

TEST(TablePreparation, NtCheckUsesTheLibrarysCaption) {
    TestWorld w;
    w.UseNt();
    w.Make(Program::Installer);
    ScriptedPrompt prompt;
    Installer in(*w.icons, prompt, "C:\\s\\stage.ico", {}, nullptr);
    ASSERT_TRUE(in.PrepareTable("leer", "voll"));
    EXPECT_EQ(w.icons->recycleWord(3), "leer");
    EXPECT_EQ(w.icons->row(kRowControlPanel).defaultIndex, 46);
    EXPECT_TRUE(prompt.shown().empty());
}

}  // namespace
}  // namespace vt
