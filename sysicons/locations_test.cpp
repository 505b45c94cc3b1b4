#include <gtest/gtest.h>

#include "sysicons/test_world.h"

namespace vt {
namespace {

const std::string kRecycle = kRegistryLocations[kKeyRecycleBin].keyPath;
const std::string kBriefcase = kRegistryLocations[kKeyBriefcase].keyPath;
const std::string kShellIcons = kRegistryLocations[kKeyShellIcons].keyPath;
const std::string kUserClasses = "Software\\Classes\\";

std::vector<std::string> Log(const TestWorld& w) {
    return w.shell.log();
}

TEST(ProgramOfCommand, TakesTheProgramOutOfTheOpenCommand) {
    TestWorld w;
    auto& t = w.Make();
    const std::string inbox = kRegistryLocations[kKeyInbox].keyPath;
    w.registry.Set(RegRoot::ClassesRoot, inbox + "\\Shell\\Open\\Command", "",
                   "\"C:\\Program Files\\Mail\\exchng32.exe\" /s");
    EXPECT_EQ(t.ProgramOfCommand(inbox), "C:\\Program Files\\Mail\\exchng32.exe");
    w.registry.Set(RegRoot::ClassesRoot, inbox + "\\Shell\\Open\\Command", "",
                   "C:\\Program Files\\Mail\\exchng32.exe /s");
    EXPECT_EQ(t.ProgramOfCommand(inbox), "C:\\Program Files\\Mail\\exchng32.exe")
        << "spaces end it after the dot";
    w.registry.SetEnvironment("ProgramFiles", "C:\\Progs");
    w.registry.Set(RegRoot::ClassesRoot, inbox + "\\Shell\\Open\\Command", "",
                   "%ProgramFiles%\\m.exe");
    EXPECT_EQ(t.ProgramOfCommand(inbox), "C:\\Progs\\m.exe");
    w.registry.Set(RegRoot::ClassesRoot,
                   std::string(kInternetObjectClass) + "\\Shell\\OpenHomePage\\Command", "",
                   "C:\\IE\\iexplore.exe -home");
    EXPECT_EQ(t.ProgramOfCommand(kInternetObjectClass), "C:\\IE\\iexplore.exe");
    EXPECT_EQ(t.ProgramOfCommand(kBriefcase), "");
    w.registry.Set(RegRoot::ClassesRoot, inbox + "\\Shell\\Open\\Command", "",
                   std::string(400, 'a'));
    EXPECT_EQ(t.ProgramOfCommand(inbox).size(), 258u);
}

TEST(DefaultLocation, EachKindOfRow) {
    TestWorld w;
    auto& t = w.Make();
    auto cursor = t.DefaultLocation(45);
    EXPECT_TRUE(cursor.restoreCursor);
    EXPECT_EQ(cursor.index, 1);

    auto shellIcon = t.DefaultLocation(12);
    EXPECT_EQ(shellIcon.file, "") << "the override is deleted";
    auto pc = t.DefaultLocation(0);
    EXPECT_EQ(pc.file, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
    EXPECT_EQ(pc.index, 15);

    auto briefcase = t.DefaultLocation(kRowBriefcase);
    EXPECT_EQ(briefcase.file, "C:\\WINDOWS\\SYSTEM\\SYNCUI.DLL");
    EXPECT_EQ(briefcase.index, 0);

    const std::string inbox = kRegistryLocations[kKeyInbox].keyPath;
    w.registry.Set(RegRoot::ClassesRoot, inbox + "\\Shell\\Open\\Command", "",
                   "C:\\Mail\\exchng32.exe");
    EXPECT_EQ(t.DefaultLocation(6).file, "C:\\Mail\\exchng32.exe");

    // Internet Explorer: its own class's program, else the Internet object's home page program.
    w.registry.Set(RegRoot::ClassesRoot,
                   std::string(kInternetObjectClass) + "\\Shell\\OpenHomePage\\Command", "",
                   "C:\\IE\\iexplore.exe -home");
    auto ie = t.DefaultLocation(kRowInternetExplorer);
    EXPECT_EQ(ie.file, "C:\\IE\\iexplore.exe");
    EXPECT_EQ(ie.index, -32528);
    const std::string ieClass = kRegistryLocations[kKeyInternetExplorer].keyPath;
    w.registry.Set(RegRoot::ClassesRoot, ieClass + "\\Shell\\Open\\Command", "", "C:\\IE\\own.exe");
    ie = t.DefaultLocation(kRowInternetExplorer);
    EXPECT_EQ(ie.file, "C:\\IE\\own.exe");
    EXPECT_EQ(ie.index, 0);

    const std::string dun = kRegistryLocations[kKeyDialUp].keyPath;
    w.registry.Set(RegRoot::ClassesRoot, dun + "\\Shell\\Open\\Command", "",
                   "C:\\WINDOWS\\rundll.exe x");
    EXPECT_EQ(t.DefaultLocation(kRowDialUp).file, "C:\\WINDOWS\\rundll.exe");
}

TEST(DefaultLocation, CoolDllOnlyUnderTheOlderShell) {
    TestWorld w;
    w.raw.coolDllPresent = true;
    auto& t = w.Make();
    EXPECT_EQ(t.DefaultLocation(12).file, "") << "Hard Drive's alternate index 0 is not used";
    auto d = t.DefaultLocation(13);
    EXPECT_EQ(d.file, "C:\\WINDOWS\\SYSTEM\\cool.dll");
    EXPECT_EQ(d.index, 1);

    TestWorld n;
    n.raw.coolDllPresent = true;
    n.UseNewerShell();
    auto& u = n.Make();
    EXPECT_EQ(u.DefaultLocation(13).file, "");
    EXPECT_EQ(u.DefaultLocation(kRowDialUp).file, "C:\\WINDOWS\\SYSTEM\\RNAUI.DLL")
        << "module under the newer shell";
}

class WriteLocation : public ::testing::Test {
  protected:
    TestWorld w;
};

TEST_F(WriteLocation, ShellIconsRowWritesAndDeletesItsOverride) {
    auto& t = w.Make();
    t.row(12).largeIcon = 0;
    ASSERT_TRUE(t.WriteLocation(12, "C:\\WINDOWS\\Installed System Icons\\Hard Drive1.ico", 3));
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"),
              "C:\\WINDOWS\\Installed System Icons\\Hard Drive1.ico,3");
    EXPECT_EQ(Log(w), (std::vector<std::string>{"replace image 8 with ", "notify update image 8"}));

    ASSERT_TRUE(t.WriteLocation(12, ""));
    EXPECT_FALSE(w.registry.Has(RegRoot::LocalMachine, kShellIcons, "8"));
}

TEST_F(WriteLocation, TheRowsChosenIndexIsNotWhatIsWritten) {
    auto& t = w.Make(Program::Installer);
    t.row(12).chosenIndex = 3;
    t.WriteLocation(12, "C:\\i.ico");
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"), "C:\\i.ico,0");
}

TEST_F(WriteLocation, WindowsNtMarksTheCacheInsteadOfNotifying) {
    w.UseNt();
    auto& t = w.Make();
    ASSERT_TRUE(t.WriteLocation(12, "C:\\i.ico"));
    EXPECT_TRUE(Log(w).empty());
    EXPECT_TRUE(t.iconCacheNeedsRebuild);
    EXPECT_FALSE(t.briefcaseChanged);

    ASSERT_TRUE(t.WriteLocation(kRowBriefcase, "C:\\b.ico"));
    EXPECT_TRUE(t.briefcaseChanged);
    EXPECT_EQ(w.registry.Get(RegRoot::ClassesRoot, kBriefcase + "\\DefaultIcon", ""), "C:\\b.ico,0")
        << "the Briefcase is written machine-wide even with per-user classes";
    ASSERT_TRUE(t.WriteLocation(0, "C:\\pc.ico"));
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser,
                             kUserClasses + kRegistryLocations[0].keyPath + "\\DefaultIcon", ""),
              "C:\\pc.ico,0");
}

TEST_F(WriteLocation, OverlayUnderTheOverlayBuildRebuildsTheCacheAndRedraws) {
    w.UseNewerShell("4.71.1712");
    auto& t = w.Make();
    ASSERT_TRUE(t.WriteLocation(34, "C:\\arrow.ico"));  // Shortcut, Shell index 29
    // Only the update notification is left out; the image lists still get the new overlay.
    EXPECT_EQ(Log(w), (std::vector<std::string>{"replace image 29 with ", "redraw screen"}));
    EXPECT_TRUE(t.iconCacheNeedsRebuild);
    w.shell.ClearLog();
    ASSERT_TRUE(t.WriteLocation(35, "C:\\share.ico"));  // Share, Shell index 28
    EXPECT_EQ(Log(w), (std::vector<std::string>{"replace image 28 with "}));

    w.shell.ClearLog();
    ASSERT_TRUE(t.WriteLocation(36, "C:\\desk.ico"));  // Desktop, Shell index 34: notified
    EXPECT_EQ(Log(w),
              (std::vector<std::string>{"replace image 34 with ", "notify update image 34"}));
    w.shell.ClearLog();
    ASSERT_TRUE(
        t.WriteLocation(30, "C:\\group.ico"));  // Program Group, 36: redraw under newer shell
    EXPECT_EQ(Log(w).back(), "redraw screen");
}

TEST_F(WriteLocation, RecycleBinWritesTheDefaultOnlyForTheVisibleState) {
    w.shell.AddSpecialFolder(10, 31);
    auto& t = w.Make();
    auto set = [&](const char* shown, const char* empty) {
        w.registry.Set(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", "", shown);
        w.registry.Set(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", "empty", empty);
        w.shell.ClearLog();
    };
    auto shown = [&] {
        return w.registry.Get(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", "");
    };
    auto value = [&](const char* word) {
        return w.registry.Get(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", word);
    };

    set("C:\\full.ico,0", "C:\\empty.ico,0");  // the bin is full
    ASSERT_TRUE(t.WriteLocation(3, "C:\\new-empty.ico"));
    EXPECT_EQ(value("empty"), "C:\\new-empty.ico,0");
    EXPECT_EQ(shown(), "C:\\full.ico,0");
    EXPECT_TRUE(Log(w).empty()) << "nothing visible changed";

    set("C:\\EMPTY.ico,0", "C:\\empty.ico,0");  // empty (compared without case)
    ASSERT_TRUE(t.WriteLocation(3, "C:\\new-empty.ico"));
    EXPECT_EQ(shown(), "C:\\new-empty.ico,0");
    EXPECT_EQ(Log(w), (std::vector<std::string>{"notify update image 31"}));

    set("C:\\full.ico,0", "C:\\empty.ico,0");  // full: the full row also sets the default
    ASSERT_TRUE(t.WriteLocation(4, "C:\\new-full.ico"));
    EXPECT_EQ(value("full"), "C:\\new-full.ico,0");
    EXPECT_EQ(shown(), "C:\\new-full.ico,0");

    set("C:\\empty.ico,0", "C:\\empty.ico,0");  // empty: the full row writes only its word
    ASSERT_TRUE(t.WriteLocation(4, "C:\\other-full.ico"));
    EXPECT_EQ(value("full"), "C:\\other-full.ico,0");
    EXPECT_EQ(shown(), "C:\\empty.ico,0");
}

TEST_F(WriteLocation, InternetExplorerAndDialUpUnderTheNewerShell) {
    w.UseNewerShell();
    auto& t = w.Make();
    ASSERT_TRUE(t.WriteLocation(kRowInternetExplorer, "C:\\ie.ico"));
    const std::string internetIcon = kUserClasses + kInternetObjectClass + "\\DefaultIcon";
    EXPECT_EQ(w.registry.Get(RegRoot::CurrentUser, internetIcon, ""), "C:\\ie.ico,0");
    ASSERT_TRUE(t.WriteLocation(kRowInternetExplorer, ""));
    EXPECT_FALSE(w.registry.Has(RegRoot::CurrentUser, internetIcon, ""));

    ASSERT_TRUE(t.WriteLocation(kRowDialUp, "C:\\dun.ico"));
    EXPECT_EQ(t.rememberedDialUpDefault(), "C:\\dun.ico,0");
}

TEST_F(WriteLocation, FailureIsReportedAndNotAnnounced) {
    auto& t = w.Make();
    w.registry.FailWritesUnder(kShellIcons);
    EXPECT_FALSE(t.WriteLocation(12, "C:\\i.ico"));
    EXPECT_TRUE(Log(w).empty());
}

TEST_F(WriteLocation, DesktopRowsRefreshTheirShellIndex) {
    w.shell.AddSpecialFolder(17, 15);
    w.registry.Set(RegRoot::ClassesRoot, kRegistryLocations[kKeyInbox].keyPath, "", "Inbox");
    w.shell.AddDesktopObject("Inbox", "System Folder", 52);
    auto& t = w.Make();
    t.BuildDisplayNames();
    ASSERT_TRUE(t.WriteLocation(0, "C:\\pc.ico"));
    ASSERT_TRUE(t.WriteLocation(6, "C:\\in.ico"));
    EXPECT_EQ(Log(w),
              (std::vector<std::string>{"notify update image 15", "notify update image 52"}));
}

}  // namespace
}  // namespace vt
