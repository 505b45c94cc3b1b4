#include <gtest/gtest.h>

#include "sysicons/icon_cache.h"
#include "sysicons/install_icon_file.h"
#include "sysicons/test_world.h"

namespace vt {
namespace {

const std::string kFolder = "C:\\WINDOWS\\Installed System Icons";
const std::string kStage = kFolder + "\\stage.ico";

class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        w.files.MakeDirectory(kFolder);
        w.files.PutText(kStage, "new icon");
    }
    // An install whose registry write succeeded.
    bool Run(int row, std::string* path) {
        InstalledFile f;
        bool ok = InstallIconFile(*w.icons, prompt, kFolder, row, kStage, &f);
        if (ok) RemovePreviousInstall(*w.icons, f);
        *path = f.path;
        return ok;
    }
    TestWorld w;
    ScriptedPrompt prompt;
};

TEST_F(Install, FirstInstallIsNumberOneWithInstalledAttributes) {
    w.Make();
    std::string path;
    ASSERT_TRUE(Run(13, &path));
    EXPECT_EQ(path, kFolder + "\\Network Drive1.ico");
    EXPECT_EQ(w.files.Text(path), "new icon");
    EXPECT_EQ(w.files.Attributes(path), kAttrHidden | kAttrSystem | kAttrReadOnly);
    EXPECT_FALSE(w.files.Exists(kStage));
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(InstalledIconsFolder(w.icons->facts()), kFolder);
    EXPECT_EQ(StagePath(kFolder), kStage);
}

TEST_F(Install, ReinstallKeepsOneFileNumberedOneHigherAndLeavesSimilarNamesAlone) {
    w.Make();
    w.files.Put(kFolder + "\\Network Drive7.ico", {1}, kAttrHidden | kAttrSystem | kAttrReadOnly);
    w.files.Put(kFolder + "\\Network Drive Offline3.ico", {2}, kAttrReadOnly);
    w.files.Put(kFolder + "\\Network Drive.ico", {3});
    std::string path;
    ASSERT_TRUE(Run(13, &path));
    EXPECT_EQ(path, kFolder + "\\Network Drive8.ico");
    EXPECT_EQ(w.files.List(kFolder),
              (std::vector<std::string>{"Network Drive Offline3.ico", "Network Drive.ico",
                                        "Network Drive8.ico"}));

    w.files.PutText(kStage, "again");
    ASSERT_TRUE(Run(13, &path));
    EXPECT_EQ(path, kFolder + "\\Network Drive9.ico");
    EXPECT_FALSE(w.files.Exists(kFolder + "\\Network Drive8.ico"));
}

TEST_F(Install, SurplusFilesGoAndTheHighestNumberGivesTheNext) {
    w.Make();
    w.files.Put(kFolder + "\\Hard Drive10.ico", {1});
    w.files.Put(kFolder + "\\Hard Drive9.ico", {1}, kAttrReadOnly);
    std::string path;
    ASSERT_TRUE(Run(12, &path));
    // Listed by name, "Hard Drive10" comes before "Hard Drive9"; the number decides, not the order.
    EXPECT_EQ(path, kFolder + "\\Hard Drive11.ico");
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive11.ico"}));
}

TEST_F(Install, TheReplacedFileStaysUntilTheRegistryNamesTheNewOne) {
    w.Make(Program::Installer);
    w.files.Put(kFolder + "\\Hard Drive1.ico", {7}, kAttrHidden | kAttrSystem | kAttrReadOnly);
    InstalledFile f;
    ASSERT_TRUE(InstallIconFile(*w.icons, prompt, kFolder, 12, kStage, &f));
    EXPECT_EQ(f.path, kFolder + "\\Hard Drive2.ico");
    EXPECT_EQ(f.previous, kFolder + "\\Hard Drive1.ico");
    EXPECT_TRUE(w.files.Exists(f.previous));
    // The write failed: the new file goes back to the stage path as it was.
    ASSERT_TRUE(TakeBackInstall(*w.icons, f, kStage));
    EXPECT_EQ(w.files.Text(kStage), "new icon");
    EXPECT_EQ(w.files.Attributes(kStage), kAttrNormal);
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive1.ico", "stage.ico"}));
    EXPECT_EQ(w.files.Bytes(kFolder + "\\Hard Drive1.ico"), std::vector<uint8_t>{7});

    // Taken back without a stage path (the Engineer extracts afresh): nothing is left behind.
    ASSERT_TRUE(InstallIconFile(*w.icons, prompt, kFolder, 12, kStage, &f));
    ASSERT_TRUE(TakeBackInstall(*w.icons, f, ""));
    EXPECT_EQ(w.files.List(kFolder), (std::vector<std::string>{"Hard Drive1.ico"}));
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(Install, UserPrefixExceptForShellIconsAndBriefcase) {
    w.UseNt();
    w.Make();
    std::string path;
    ASSERT_TRUE(Run(0, &path));
    EXPECT_EQ(path, kFolder + "\\(alice) My Computer1.ico");
    w.files.PutText(kStage, "x");
    ASSERT_TRUE(Run(12, &path));
    EXPECT_EQ(path, kFolder + "\\Hard Drive1.ico");
    w.files.PutText(kStage, "x");
    ASSERT_TRUE(Run(kRowBriefcase, &path));
    EXPECT_EQ(path, kFolder + "\\Briefcase1.ico");
}

TEST_F(Install, FailuresTellWhichStepFailed) {
    w.Make();
    w.files.Put(kFolder + "\\Hard Drive1.ico", {1}, kAttrReadOnly);
    w.files.Put(kFolder + "\\Hard Drive2.ico", {1});
    w.files.Fail("attributes", kFolder + "\\Hard Drive1.ico");
    std::string path = "stale";
    EXPECT_FALSE(Run(12, &path));
    EXPECT_EQ(path, "");
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "Error encountered while preparing to delete " + kFolder +
                  "\\Hard Drive1.ico.\n\nInstallation of this icon was not completed.");
    EXPECT_EQ(prompt.shown()[0].caption, "Vantoro Engineer");
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(w.files.Exists(kStage)) << "the stage file stays for another try";

    prompt.Clear();
    w.files.Fail("delete", kFolder + "\\Hard Drive1.ico");
    w.files.Put(kFolder + "\\Hard Drive1.ico", {1});
    w.files.Put(kFolder + "\\Hard Drive0.ico", {1});
    EXPECT_FALSE(Run(12, &path));
    // 0 goes first; 1 fails before the stage file is touched; the newest, 2, is never at risk.
    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{"Error encountered attempting to delete " + kFolder +
                                        "\\Hard Drive1.ico.\n\nInstallation of this icon was not "
                                        "completed."}));
    EXPECT_EQ(w.files.List(kFolder),
              (std::vector<std::string>{"Hard Drive1.ico", "Hard Drive2.ico", "stage.ico"}));
}

TEST_F(Install, RenameFailureInTheInstallerLibrary) {
    w.Make(Program::Installer);
    w.files.Fail("move", kStage);
    std::string path;
    EXPECT_FALSE(Run(12, &path));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Error encountered attempting to rename stage file to " +
                                          kFolder + "\\Hard Drive1.ico.\n\nInstallation aborted.");
    EXPECT_EQ(prompt.shown()[0].caption, "Vantoro 98");
}

TEST(InstalledNames, OnlyDigitsBetweenPrefixAndExtension) {
    long n = 0;
    EXPECT_TRUE(IsInstalledName("Hard Drive15.ico", "Hard Drive", &n));
    EXPECT_EQ(n, 15);
    EXPECT_TRUE(IsInstalledName("hard drive2.ICO", "Hard Drive", &n));
    EXPECT_FALSE(IsInstalledName("Hard Drive.ico", "Hard Drive", &n));
    EXPECT_FALSE(IsInstalledName("Hard Drive 2.ico", "Hard Drive", &n));
    EXPECT_FALSE(IsInstalledName("Hard Drive2.ico.bak", "Hard Drive", &n));
    EXPECT_TRUE(IsInstalledName("Hard Drive99999999999999999999.ico", "Hard Drive", &n));
    EXPECT_LT(n, 1000000000) << "a huge number must not overflow";
}

TEST(RebuildIconCache, ShrinksAndRestoresTheIconSizeAndDeletesTheCache) {
    TestWorld w;
    auto& t = w.Make();
    w.files.PutText("C:\\WINDOWS\\ShellIconCache", "cache");
    t.iconCacheNeedsRebuild = true;
    bool guard = false;
    std::vector<int> sizesSeen;
    int redraws = 0;
    RebuildIconCache(t, 32, &guard, [&] {
        EXPECT_TRUE(guard) << "the setting changes of the rebuild itself are ignored";
        ++redraws;
    });
    EXPECT_EQ(w.shell.log(), (std::vector<std::string>{"broadcast 46 WindowMetrics",
                                                       "broadcast 46 WindowMetrics"}));
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "32");
    EXPECT_EQ(w.registry.writeCount(), 2);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(guard);
    EXPECT_FALSE(t.iconCacheNeedsRebuild);
    EXPECT_FALSE(w.files.Exists("C:\\WINDOWS\\ShellIconCache"));
}

}  // namespace
}  // namespace vt
