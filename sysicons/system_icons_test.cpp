#include <gtest/gtest.h>

#include "sysicons/test_world.h"

namespace vt {
namespace {

const std::string kRecycle = kRegistryLocations[kKeyRecycleBin].keyPath;
const std::string kMyComputer = kRegistryLocations[0].keyPath;
const std::string kBriefcase = kRegistryLocations[kKeyBriefcase].keyPath;
const std::string kShellIcons = kRegistryLocations[kKeyShellIcons].keyPath;
const std::string kCursors = kRegistryLocations[kKeyCursors].keyPath;
const std::string kUserClasses = "Software\\Classes\\";

TEST(ClassValues, PerUserCopyIsPreferredWhenItSaysSomething) {
    TestWorld w;
    w.UseNewerShell();
    auto& t = w.Make();
    w.registry.Set(RegRoot::ClassesRoot, kMyComputer, "", "Machine Name");
    w.registry.Set(RegRoot::CurrentUser, kUserClasses + kMyComputer, "", "User Name");
    std::string out;
    EXPECT_EQ(t.ReadClassValue(RegRoot::ClassesRoot, kMyComputer, {}, {}, &out), kRegOk);
    EXPECT_EQ(out, "User Name");

    // An empty default value in the user's copy does not hide the machine's.
    w.registry.Set(RegRoot::CurrentUser, kUserClasses + kMyComputer, "", "");
    t.ReadClassValue(RegRoot::ClassesRoot, kMyComputer, {}, {}, &out);
    EXPECT_EQ(out, "Machine Name");

    // A named value is taken from the user's copy even when empty.
    w.registry.Set(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", "empty", "machine.dll,1");
    w.registry.Set(RegRoot::CurrentUser, kUserClasses + kRecycle + "\\DefaultIcon", "empty", "");
    EXPECT_EQ(t.ReadClassValue(RegRoot::ClassesRoot, kRecycle, "DefaultIcon", "empty", &out),
              kRegOk);
    EXPECT_EQ(out, "");
}

TEST(ClassValues, WithoutPerUserClassesOnlyTheMachineIsRead) {
    TestWorld w;
    auto& t = w.Make();
    w.registry.Set(RegRoot::CurrentUser, kUserClasses + kMyComputer, "", "User Name");
    std::string out = "stale";
    EXPECT_EQ(t.ReadClassValue(RegRoot::ClassesRoot, kMyComputer, {}, {}, &out), kRegNotFound);
    EXPECT_EQ(out, "");
}

TEST(ClassValues, ExpansionSkipsAttributes) {
    TestWorld w;
    auto& t = w.Make();
    w.registry.SetEnvironment("SystemRoot", "C:\\WINDOWS");
    w.registry.Set(RegRoot::ClassesRoot, kMyComputer, "Path", "%SystemRoot%\\x.dll,%Unknown%");
    w.registry.Set(RegRoot::ClassesRoot, kMyComputer, "Attributes", "%SystemRoot%");
    std::string out;
    t.ReadClassValue(RegRoot::ClassesRoot, kMyComputer, {}, "Path", &out);
    EXPECT_EQ(out, "C:\\WINDOWS\\x.dll,%Unknown%");
    t.ReadClassValue(RegRoot::ClassesRoot, kMyComputer, {}, "Attributes", &out);
    EXPECT_EQ(out, "%SystemRoot%");
}

TEST(ClassValues, PerUserWritesExceptTheBriefcase) {
    TestWorld w;
    w.UseNt();
    auto& t = w.Make();
    EXPECT_EQ(t.WriteClassValue(0, RegRoot::ClassesRoot, kMyComputer, "DefaultIcon", {}, "a.ico,0"),
              kRegOk);
    EXPECT_EQ(
        w.registry.Get(RegRoot::CurrentUser, kUserClasses + kMyComputer + "\\DefaultIcon", ""),
        "a.ico,0");
    EXPECT_FALSE(w.registry.Has(RegRoot::ClassesRoot, kMyComputer + "\\DefaultIcon", ""));
    EXPECT_EQ(
        w.registry.KeyClass(RegRoot::CurrentUser, kUserClasses + kMyComputer + "\\DefaultIcon"),
        "Vantoro Engineer");

    t.WriteClassValue(kKeyBriefcase, RegRoot::ClassesRoot, kBriefcase, "DefaultIcon", {},
                      "b.ico,0");
    EXPECT_EQ(w.registry.Get(RegRoot::ClassesRoot, kBriefcase + "\\DefaultIcon", ""), "b.ico,0");
    EXPECT_FALSE(
        w.registry.Has(RegRoot::CurrentUser, kUserClasses + kBriefcase + "\\DefaultIcon", ""));

    // Other roots are never redirected.
    t.WriteClassValue(kKeyShellIcons, RegRoot::LocalMachine, kShellIcons, {}, "8", "c.ico,0");
    EXPECT_EQ(w.registry.Get(RegRoot::LocalMachine, kShellIcons, "8"), "c.ico,0");
}

TEST(ClassValues, EmptyTextDeletesAndAnAbsentValueIsNoFailure) {
    TestWorld w;
    auto& t = w.Make();
    w.registry.Set(RegRoot::LocalMachine, kShellIcons, "8", "c.ico,0");
    EXPECT_EQ(t.WriteClassValue(kKeyShellIcons, RegRoot::LocalMachine, kShellIcons, {}, "8", ""),
              kRegOk);
    EXPECT_FALSE(w.registry.Has(RegRoot::LocalMachine, kShellIcons, "8"));
    EXPECT_EQ(t.WriteClassValue(kKeyShellIcons, RegRoot::LocalMachine, kShellIcons, {}, "8", ""),
              kRegOk);
    w.registry.FailWritesUnder(kShellIcons);
    EXPECT_EQ(t.WriteClassValue(kKeyShellIcons, RegRoot::LocalMachine, kShellIcons, {}, "8", "x,0"),
              kRegAccessDenied);
}

TEST(ResolveLocation, VariablesCommaAndIndex) {
    TestWorld w;
    auto& t = w.Make();
    t.SetVariableFolder("D:\\Motifs\\");
    std::string path;
    int index = 7;
    EXPECT_FALSE(t.ResolveLocation("", &path, &index));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(path, "");

    ASSERT_TRUE(t.ResolveLocation("%Folder%Blue Hard Drive.ico,0", &path, &index));
    EXPECT_EQ(path, "D:\\Motifs\\Blue Hard Drive.ico");
    EXPECT_EQ(index, 0);
    t.ResolveLocation("%ThemeDir%icons\\a.dll,-32528", &path, &index);
    EXPECT_EQ(path, "D:\\Motifs\\icons\\a.dll");
    EXPECT_EQ(index, -32528);
    t.ResolveLocation("%WinDir%moricons.dll,12", &path, &index);
    EXPECT_EQ(path, "C:\\WINDOWS\\moricons.dll");
    EXPECT_EQ(index, 12);
    t.ResolveLocation("C:\\a,b\\x.ico", &path, &index);
    EXPECT_EQ(path, "C:\\a") << "the index follows the last comma";
    t.ResolveLocation("C:\\x.ico,99999999999999", &path, &index);
    EXPECT_EQ(index, 2147483647) << "an index beyond range is clamped, not undefined";
    t.ResolveLocation("C:\\icons\\x.ico", &path, &index);
    EXPECT_EQ(path, "C:\\icons\\x.ico");
    EXPECT_EQ(index, 0) << "no comma means index 0";

    ASSERT_TRUE(t.ResolveCursorLocation("%Folder%My Wait.ani", &path));
    EXPECT_EQ(path, "D:\\Motifs\\My Wait.ani");
}

TEST(StartUp, WindowsNtAdjustsDialUpAndControlPanelDefaults) {
    TestWorld w;
    w.UseNt();
    auto& t = w.Make();
    ASSERT_TRUE(t.AdjustForPlatform());
    EXPECT_EQ(t.keyPath(kKeyDialUp), "CLSID\\{a4d92740-67cd-11cf-96f2-00aa00a11dd9}");
    EXPECT_EQ(t.row(kRowControlPanel).defaultIndex, 46);
    EXPECT_EQ(t.row(kRowPrinters).defaultIndex, 47);
    auto d = t.DefaultLocation(kRowPrinters);
    EXPECT_EQ(d.file, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
    EXPECT_EQ(d.index, 47);

    TestWorld w95;
    auto& t95 = w95.Make();
    t95.AdjustForPlatform();
    EXPECT_EQ(t95.keyPath(kKeyDialUp), kRegistryLocations[kKeyDialUp].keyPath);
    EXPECT_EQ(t95.row(kRowControlPanel).defaultIndex, 35);
}

TEST(StartUp, DisplayNamesAndDesktopDiscovery) {
    TestWorld w;
    w.UseNewerShell();
    w.registry.Set(RegRoot::ClassesRoot, kMyComputer, "", "My Computer");
    w.registry.Set(RegRoot::ClassesRoot, kRecycle, "", "Recycle Bin");
    w.registry.Set(RegRoot::ClassesRoot, kRegistryLocations[kKeyInbox].keyPath, "", "Inbox");
    w.registry.Set(RegRoot::CurrentUser, kUserClasses + kRegistryLocations[kKeyInbox].keyPath, "",
                   "Post");
    w.registry.Set(RegRoot::ClassesRoot, kInternetObjectClass, "", "The Internet");
    w.registry.Set(RegRoot::ClassesRoot, kRegistryLocations[kKeyInternetExplorer].keyPath, "",
                   "IE");
    w.registry.Set(RegRoot::ClassesRoot, kBriefcase, "", "");
    w.shell.AddDesktopObject("Post", "System Folder", 41);
    w.shell.AddDesktopObject("the internet", "System Folder", 42);  // case differs: no match
    w.shell.AddDesktopObject("Travel Files", "Briefcase", 45);
    w.shell.AddSpecialFolder(17, 15);
    auto& t = w.Make();
    t.BuildDisplayNames();
    t.DiscoverDesktop();
    EXPECT_EQ(t.row(0).displayName, "My Computer");
    EXPECT_EQ(t.row(3).displayName, "Recycle Bin  (empty)");
    EXPECT_EQ(t.row(4).displayName, "Recycle Bin  (full)");
    EXPECT_EQ(t.row(6).displayName, "Post") << "the user's class copy comes first";
    EXPECT_EQ(t.row(8).displayName, "The Internet");
    EXPECT_EQ(t.row(kRowBriefcase).displayName, "Briefcase") << "an empty name gives the item name";
    EXPECT_EQ(t.row(7).displayName, "") << "no class, no name";
    EXPECT_EQ(t.row(20).displayName, "Settings");
    EXPECT_EQ(t.row(45).displayName, "Arrow");

    w.registry.Set(RegRoot::ClassesRoot, kMyComputer, "", std::string(300, 'n'));
    t.BuildDisplayNames();
    EXPECT_EQ(t.row(0).displayName.size(), 79u);

    EXPECT_EQ(t.row(6).shellIndex, 41);
    EXPECT_EQ(t.row(8).shellIndex, -1);
    EXPECT_EQ(t.row(kRowBriefcase).shellIndex, 45) << "found by its type name";
    EXPECT_EQ(t.row(0).shellIndex, 15);
    EXPECT_FALSE(t.IsListed(8));
    EXPECT_FALSE(t.IsListed(7));
    EXPECT_TRUE(t.IsListed(6));
}

TEST(StartUp, NewerShellOnlyRowsAreListedOnlyUnderTheNewerShell) {
    TestWorld older;
    auto& a = older.Make();
    TestWorld newer;
    newer.UseNewerShell();
    auto& b = newer.Make();
    for (int row : {18, 24}) {
        EXPECT_FALSE(a.IsListed(row));
        EXPECT_TRUE(b.IsListed(row));
    }
    EXPECT_TRUE(a.IsListed(17));
}

TEST(StartUp, InstallerHasOnlyTheIconRows) {
    TestWorld w;
    auto& t = w.Make(Program::Installer);
    EXPECT_EQ(t.rowCount(), kFirstCursorRow);
    EXPECT_EQ(t.row(kRowNetworkDriveOffline).itemName, "Network Drive (Offline)");
    EXPECT_STREQ(t.classText(), "Vantoro 98");
}

class CurrentLocation : public ::testing::Test {
  protected:
    TestWorld w;
};

TEST_F(CurrentLocation, ShellIconOverrideAndFallbackToShell32) {
    w.registry.Set(RegRoot::LocalMachine, kShellIcons, "8", "C:\\icons\\disk.ico,2");
    w.shell.AddIcon("C:\\icons\\disk.ico", 2);
    w.registry.Set(RegRoot::LocalMachine, kShellIcons, "9", "C:\\gone\\net.ico,0");
    w.shell.AddIcon("shell32.dll", 9);
    w.shell.AddSearchable("shell32.dll", "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
    auto& t = w.Make();
    t.ReadCurrentLocation(12);
    EXPECT_EQ(t.row(12).location, "C:\\icons\\disk.ico,2");
    EXPECT_EQ(w.shell.SourceOf(t.row(12).largeIcon), "C:\\icons\\disk.ico,2");
    EXPECT_EQ(t.row(12).displayName, "Hard Drive");

    t.ReadCurrentLocation(13);
    EXPECT_EQ(t.row(13).location, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,9")
        << "missing file: shell32 fallback";
    EXPECT_EQ(w.shell.SourceOf(t.row(13).largeIcon), "shell32.dll,9");

    w.shell.AddSearchable("shell32.dll", "");
    t.ReadCurrentLocation(15);
    EXPECT_EQ(t.row(15).location, "shell32.dll,11") << "not found along the path: kept as it is";
}

TEST_F(CurrentLocation, ClassDefaultIconAndInternetObjectUnderTheNewerShell) {
    w.UseNewerShell();
    w.registry.Set(RegRoot::ClassesRoot, kMyComputer + "\\DefaultIcon", "", "C:\\x\\pc.ico");
    w.shell.AddIcon("C:\\x\\pc.ico", 0);
    w.shell.AddSpecialFolder(17, 15);
    w.registry.Set(RegRoot::ClassesRoot, std::string(kInternetObjectClass) + "\\DefaultIcon", "",
                   "C:\\ie.exe,-32528");
    w.shell.AddIcon("C:\\ie.exe", -32528);
    auto& t = w.Make();
    t.ReadCurrentLocation(0);
    EXPECT_EQ(t.row(0).location, "C:\\x\\pc.ico,0");
    EXPECT_EQ(t.row(0).shellIndex, 15);
    t.ReadCurrentLocation(8);
    EXPECT_EQ(t.row(8).location, "C:\\ie.exe,-32528");
}

TEST_F(CurrentLocation, ObjectsWithoutAConfiguredIconShowTheBuiltInOneAndBrokenFilesStayListed) {
    w.shell.AddSpecialFolder(17, 15);
    w.shell.AddSpecialFolder(18, 17);
    w.shell.AddSpecialFolder(3, 21);
    w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 15);
    w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 35);
    w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SYNCUI.DLL", 0);
    w.registry.Set(RegRoot::ClassesRoot,
                   std::string(kRegistryLocations[2].keyPath) + "\\DefaultIcon", "",
                   "C:\\gone.ico,0");
    auto& t = w.Make();
    t.ReadCurrentLocation(0);
    EXPECT_EQ(t.row(0).shellIndex, 15);
    EXPECT_TRUE(t.IsListed(0)) << "the shell shows My Computer, so it can be changed";
    EXPECT_EQ(t.row(0).location, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,15");
    EXPECT_EQ(w.shell.SourceOf(t.row(0).largeIcon), "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,15");
    t.ReadCurrentLocation(kRowControlPanel);
    EXPECT_TRUE(t.IsListed(kRowControlPanel));
    EXPECT_EQ(t.row(kRowControlPanel).location, "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,35");
    // Without a Default index the row shows what "Use Default" would give it.
    t.row(kRowBriefcase).shellIndex = 40;
    t.ReadCurrentLocation(kRowBriefcase);
    EXPECT_EQ(t.row(kRowBriefcase).location, "C:\\WINDOWS\\SYSTEM\\SYNCUI.DLL,0");
    EXPECT_TRUE(t.IsListed(kRowBriefcase));
    t.ReadCurrentLocation(kRowInternetExplorer);
    EXPECT_EQ(t.row(kRowInternetExplorer).largeIcon, 0u) << "no icon at all: a missing graphic";
    EXPECT_EQ(t.row(kRowInternetExplorer).location, "");
    // A configured file that fails to load stays listed too, so the user can repair it.
    t.ReadCurrentLocation(2);
    EXPECT_EQ(t.row(2).shellIndex, 17);
    EXPECT_EQ(t.row(2).largeIcon, 0u);
    EXPECT_EQ(t.row(2).location, "");
}

TEST_F(CurrentLocation, DialUpUsesTheRememberedDefaultOrIsHidden) {
    const std::string dun = kRegistryLocations[kKeyDialUp].keyPath;
    w.registry.Set(RegRoot::ClassesRoot, dun, "", "Dial-Up Networking");
    w.registry.Set(RegRoot::ClassesRoot, dun + "\\DefaultIcon", "", "C:\\rnaui.dll,0");
    w.shell.AddIcon("C:\\rnaui.dll", 0);
    auto& t = w.Make();
    t.BuildDisplayNames();
    t.ReadCurrentLocation(kRowDialUp);
    EXPECT_EQ(t.row(kRowDialUp).location, "C:\\rnaui.dll,0");
    EXPECT_EQ(t.row(kRowDialUp).shellIndex, 33);

    TestWorld bare;
    auto& b = bare.Make();
    b.BuildDisplayNames();
    b.ReadCurrentLocation(kRowDialUp);
    EXPECT_EQ(b.row(kRowDialUp).shellIndex, -1) << "no icon: hidden, not shown broken";
}

TEST_F(CurrentLocation, RecycleBinRowsReadTheirOwnWord) {
    w.registry.Set(RegRoot::ClassesRoot, kRecycle, "", "Bin");
    w.registry.Set(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", "empty", "C:\\e.ico,0");
    w.registry.Set(RegRoot::ClassesRoot, kRecycle + "\\DefaultIcon", "full", "C:\\f.ico,0");
    w.shell.AddIcon("C:\\e.ico", 0);
    w.shell.AddIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 0);
    auto& t = w.Make();
    t.ReadCurrentLocation(3);
    t.ReadCurrentLocation(4);
    EXPECT_EQ(t.row(3).displayName, "Bin  (empty)");
    EXPECT_EQ(t.row(3).location, "C:\\e.ico,0");
    EXPECT_EQ(w.shell.SourceOf(t.row(3).largeIcon), "C:\\e.ico,0");
    EXPECT_EQ(t.row(4).location, "C:\\f.ico,0");
    EXPECT_EQ(w.shell.SourceOf(t.row(4).largeIcon), "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,0")
        << "fallback icon";
}

TEST_F(CurrentLocation, CursorRows) {
    w.registry.Set(RegRoot::CurrentUser, kCursors, "Wait", "C:\\cur\\hourglass.ani");
    w.shell.AddCursor("C:\\cur\\hourglass.ani");
    w.registry.Set(RegRoot::CurrentUser, kCursors, "Arrow", "arrow.cur");
    w.shell.AddCursor("arrow.cur");
    w.shell.AddSearchable("arrow.cur", "C:\\WINDOWS\\Cursors\\arrow.cur");
    w.registry.Set(RegRoot::CurrentUser, kCursors, "Help", "C:\\broken.cur");
    auto& t = w.Make();
    t.ReadCurrentLocation(43);
    EXPECT_EQ(t.row(43).location, "C:\\cur\\hourglass.ani");
    EXPECT_EQ(t.row(43).chosenIndex, 0);
    EXPECT_EQ(w.shell.SourceOf(t.row(43).largeIcon), "C:\\cur\\hourglass.ani");
    t.ReadCurrentLocation(45);
    EXPECT_EQ(t.row(45).location, "C:\\WINDOWS\\Cursors\\arrow.cur");

    t.ReadCurrentLocation(46);  // Crosshair: no value
    EXPECT_EQ(t.row(46).location, "Windows Default Cursor");
    EXPECT_EQ(t.row(46).chosenIndex, 1);
    EXPECT_EQ(w.shell.SourceOf(t.row(46).largeIcon), "cursor:32515");
    EXPECT_EQ(t.row(46).displayName, "Crosshair");

    t.ReadCurrentLocation(47);  // Help: a file that does not load
    EXPECT_EQ(t.row(47).chosenIndex, 1);
    EXPECT_EQ(w.shell.SourceOf(t.row(47).largeIcon), "cursor:32651");
}

TEST_F(CurrentLocation, RereadingReleasesOldIconsAndClearsTheChoice) {
    w.registry.Set(RegRoot::LocalMachine, kShellIcons, "8", "C:\\disk.ico,0");
    w.shell.AddIcon("C:\\disk.ico", 0);
    auto& t = w.Make();
    t.ReadCurrentLocation(12);
    t.SetChosenFile(12, "C:\\new.ico");
    t.row(12).chosenIndex = 3;
    t.ReadCurrentLocation(12);
    EXPECT_EQ(w.shell.liveIcons(), 2u);
    EXPECT_EQ(t.row(12).chosenSlot, 0);
    EXPECT_EQ(t.row(12).chosenIndex, 0);
    w.icons.reset();
    EXPECT_EQ(w.shell.liveIcons(), 0u);
    for (const auto& line : w.shell.log())
        EXPECT_EQ(line.find("bad release"), std::string::npos) << line;
}

}  // namespace
}  // namespace vt
