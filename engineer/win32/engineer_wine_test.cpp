// Apply, "Use Default" and the icon cache rebuild against the real registry, profile calls and
// shell of the Wine prefix.

#include <gtest/gtest.h>

#include <cstdio>

#include "engineer/win32/wine_fixture.h"
#include "sysicons/icon_cache.h"
#include "sysicons/install_icon_file.h"
#include "tests/win32/uidriver.h"

namespace vt {
namespace {

constexpr int kMyComputer = 0, kHardDrive = 12, kWait = 43;
const char* const kShellIconsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

class OnWine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(DetectRawEnvironment(registry, &raw)) << "SHELL32.DLL has a version block";
        icons = std::make_unique<SystemIcons>(registry, shell, files, DeriveEnvironment(raw),
                                              Program::Engineer);
        ASSERT_TRUE(icons->Prepare());
        engineer = std::make_unique<Engineer>(*icons, prompt, groups);
    }
    std::string Value(RegRoot root, const std::string& key, const std::string& name) {
        std::string out;
        return registry.ReadString(root, key, name, &out) == kRegOk ? out : "(absent)";
    }
    test::RecordingRegistry registry;
    Win32Shell shell;
    Win32FileSystem files;
    RawEnvironment raw;
    ScriptedPrompt prompt;
    LibrarianIconGroups groups;
    std::unique_ptr<SystemIcons> icons;
    std::unique_ptr<Engineer> engineer;
};

TEST_F(OnWine, RowsWineListsAreShownWithTheirIcons) {
    const auto& f = icons->facts();
    std::printf(
        "platform %d, shell version \"%s\", newer shell %d, per-user classes %d, user \"%s\"\n",
        f.platform, f.shell.text.c_str(), f.newerShell, f.perUserClasses, f.userName.c_str());
    int listed = 0;
    for (int r = 0; r < icons->rowCount(); ++r) {
        const SystemObject& o = icons->row(r);
        if (!icons->IsListed(r)) {
            std::printf("  hidden  %2d %s\n", r, o.itemName.c_str());
            continue;
        }
        ++listed;
        std::printf("  listed  %2d %-22s %s\n", r, o.itemName.c_str(), o.location.c_str());
        // A listed row is never shown broken: it has its icon (cursor rows: the standard cursor).
        EXPECT_NE(o.largeIcon, 0u) << o.itemName;
    }
    // Wine's shell32 holds the Shell Icons defaults and user32 the standard cursors.
    EXPECT_TRUE(icons->IsListed(kHardDrive));
    EXPECT_TRUE(icons->IsListed(kWait));
    // Objects without a configured icon show the shell's built-in one and can be changed.
    for (int r : {kMyComputer, 2, kRowControlPanel, kRowPrinters}) {
        EXPECT_TRUE(icons->IsListed(r)) << icons->row(r).itemName;
        EXPECT_NE(icons->row(r).largeIcon, 0u) << icons->row(r).itemName;
    }
    EXPECT_GE(listed, 40);
}

TEST_F(OnWine, ApplyWritesExactlyTheValuesAndUseDefaultTakesThemBack) {
    std::string dir = test::ScratchDir("engineer_apply");
    std::string ico = dir + "\\disk.ico", cur = dir + "\\pointer.cur";
    ASSERT_TRUE(test::WriteBytes(ico, test::SmallIconFile(1)));
    ASSERT_TRUE(test::WriteBytes(cur, test::SmallIconFile(2)));
    std::string folder = InstalledIconsFolder(icons->facts());
    for (const char* stale : {"Hard Drive", "(*) My Computer"}) {
        for (const auto& name : files.FindFiles(folder, stale, ".ico")) {
            files.SetAttributes(folder + "\\" + name, kAttrNormal);
            files.Delete(folder + "\\" + name);
        }
    }
    std::string classKey =
        icons->facts().perUserClasses
            ? std::string("Software\\Classes\\") + kRegistryLocations[0].keyPath + "\\DefaultIcon"
            : std::string(kRegistryLocations[0].keyPath) + "\\DefaultIcon";
    RegRoot classRoot = icons->facts().perUserClasses ? RegRoot::CurrentUser : RegRoot::ClassesRoot;

    ASSERT_TRUE(engineer->AssignChosen(kHardDrive, ico, 0));
    ASSERT_TRUE(engineer->AssignChosen(kMyComputer, ico, 0));
    ASSERT_TRUE(engineer->AssignChosen(kWait, cur, 0));
    ApplyOutcome out = engineer->ApplyChanges();
    EXPECT_FALSE(out.error) << (prompt.texts().empty() ? "" : prompt.texts()[0]);

    std::string hardDrive = folder + "\\Hard Drive1.ico";
    std::string myComputer = folder + "\\" + InstalledNamePrefix(*icons, kMyComputer) + "1.ico";
    EXPECT_EQ(Value(RegRoot::LocalMachine, kShellIconsKey, "8"), hardDrive + ",0");
    EXPECT_EQ(Value(classRoot, classKey, ""), myComputer + ",0");
    EXPECT_EQ(Value(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait"), cur);
    uint32_t attributes = 0;
    ASSERT_TRUE(files.GetAttributes(hardDrive, &attributes));
    EXPECT_EQ(attributes, kAttrHidden | kAttrSystem | kAttrReadOnly);

    // The same values as the system's own registry tool sees them.
    std::string query =
        test::RunAndCapture("reg query \"HKLM\\" + std::string(kShellIconsKey) + "\" /v 8");
    EXPECT_NE(query.find(hardDrive + ",0"), std::string::npos) << query;
    query = test::RunAndCapture("reg query \"HKCU\\Control Panel\\Cursors\" /v Wait");
    EXPECT_NE(query.find(cur), std::string::npos) << query;
    query = test::RunAndCapture(std::string("reg query \"") +
                                (classRoot == RegRoot::CurrentUser ? "HKCU\\" : "HKCR\\") +
                                classKey + "\" /ve");
    EXPECT_NE(query.find(myComputer + ",0"), std::string::npos) << query;

    ASSERT_TRUE(engineer->AssignDefault(kHardDrive));
    ASSERT_TRUE(engineer->AssignDefault(kMyComputer));
    ASSERT_TRUE(engineer->AssignDefault(kWait));
    out = engineer->ApplyChanges();
    EXPECT_FALSE(out.error);
    EXPECT_EQ(Value(RegRoot::LocalMachine, kShellIconsKey, "8"), "(absent)");
    EXPECT_EQ(Value(RegRoot::CurrentUser, "Control Panel\\Cursors", "Wait"), "(absent)");
    EXPECT_EQ(Value(classRoot, classKey, ""), icons->facts().shell32Path + ",15")
        << "the shell's own icon, in place";
    query = test::RunAndCapture("reg query \"HKCU\\Control Panel\\Cursors\" /v Wait");
    EXPECT_EQ(query.find(cur), std::string::npos) << query;
    EXPECT_EQ(icons->row(kWait).location, "Windows Default Cursor");

    // The prefix is shared by later runs: leave My Computer as Wine has it.
    registry.DeleteValue(classRoot, classKey, "");
}

TEST_F(OnWine, RebuildIconCacheShrinksAndRestoresTheIconSize) {
    engineer->current.largeIcons = false;
    registry.writes.clear();
    engineer->RebuildIconCache();
    EXPECT_EQ(registry.writes,
              (std::vector<std::string>{"Shell Icon Size=31", "Shell Icon Size=32"}));
    EXPECT_EQ(Value(RegRoot::CurrentUser, kWindowMetricsKey, "Shell Icon Size"), "32");
    std::string query = test::RunAndCapture(
        "reg query \"HKCU\\Control Panel\\desktop\\WindowMetrics\" /v \"Shell Icon Size\"");
    EXPECT_NE(query.find("32"), std::string::npos) << query;
    EXPECT_FALSE(engineer->ignoreSettingChanges);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

// The Motif save compares files by volume and file index: other spellings of one path are the
// same file, a copy is not.
TEST(FilesOnWine, SameFileMeansSameVolumeAndIndex) {
    std::string dir = test::ScratchDir("same_file");
    std::string a = dir + "\\Blue Wait.ani", copy = dir + "\\copy.ani";
    ASSERT_TRUE(test::WriteBytes(a, {1, 2, 3}));
    ASSERT_TRUE(test::WriteBytes(copy, {1, 2, 3}));
    Win32FileSystem files;
    std::string upper = a;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(files.Compare(a, upper), SameFile::Same);
    EXPECT_EQ(files.Compare(a, dir + "\\.\\Blue Wait.ani"), SameFile::Same);
    EXPECT_EQ(files.Compare(a, copy), SameFile::Different);
    EXPECT_EQ(files.Compare(a, dir + "\\missing.ani"), SameFile::Unknown);
    FileStamp stamp;
    ASSERT_TRUE(files.Stamp(a, &stamp));
    EXPECT_EQ(stamp.size, 3u);
    EXPECT_GT(stamp.time, 0u);
}

}  // namespace
}  // namespace vt
