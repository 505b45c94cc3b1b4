#include <gtest/gtest.h>

#include "sysicons/environment.h"

namespace vt {
namespace {

TEST(ShellVersion, ParsesDottedFieldsAndStopsAtControlCharacters) {
    auto v = ParseShellVersion("4.72.3110.1");
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 72);
    EXPECT_EQ(v.build, 3110);
    EXPECT_EQ(v.text, "4.72.3110.1");

    v = ParseShellVersion(
        "4.71\x01"
        "9.9");
    EXPECT_EQ(v.minor, 71);
    EXPECT_EQ(v.build, 0);

    v = ParseShellVersion("");
    EXPECT_EQ(v.text, "4.00");
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 0);
}

RawEnvironment Raw(int platform, const char* version) {
    RawEnvironment r;
    r.platform = platform;
    r.shellVersionText = version;
    r.systemDirectory = "C:\\WINNT\\system32\\";
    r.windowsDirectory = "C:\\WINNT";
    return r;
}

TEST(EnvironmentFacts, NewerShellAndPerUserClasses) {
    auto f = DeriveEnvironment(Raw(kPlatformWindows95, "4.00.950"));
    EXPECT_FALSE(f.newerShell);
    EXPECT_FALSE(f.perUserClasses);
    EXPECT_FALSE(f.userNamePrefix);

    f = DeriveEnvironment(Raw(kPlatformWindows95, "4.70.1"));
    EXPECT_FALSE(f.newerShell) << "minor 70 is still the original shell";
    f = DeriveEnvironment(Raw(kPlatformWindows95, "4.71.1712"));
    EXPECT_TRUE(f.newerShell);
    EXPECT_TRUE(f.perUserClasses);
    EXPECT_FALSE(f.userNamePrefix) << "Windows 95 needs user profiles turned on";

    f = DeriveEnvironment(Raw(kPlatformWindowsNt, "4.00"));
    EXPECT_FALSE(f.newerShell);
    EXPECT_TRUE(f.perUserClasses);
    EXPECT_TRUE(f.userNamePrefix);
}

TEST(EnvironmentFacts, UserProfilesTurnOnThePrefixOnlyUnderTheNewerShell) {
    auto raw = Raw(kPlatformWindows95, "4.72.3110");
    raw.userProfiles = "1";
    EXPECT_TRUE(DeriveEnvironment(raw).userNamePrefix);
    raw.userProfiles = "0";
    EXPECT_FALSE(DeriveEnvironment(raw).userNamePrefix);
    raw.userProfiles = "1";
    raw.shellVersionText = "4.00.950";
    EXPECT_FALSE(DeriveEnvironment(raw).userNamePrefix);
}

TEST(EnvironmentFacts, OverlayBuildAndFaultyNtShellRanges) {
    EXPECT_TRUE(DeriveEnvironment(Raw(kPlatformWindows95, "4.71.1712")).overlayBuild);
    EXPECT_TRUE(DeriveEnvironment(Raw(kPlatformWindows95, "4.72.3109")).overlayBuild);
    EXPECT_FALSE(DeriveEnvironment(Raw(kPlatformWindows95, "4.72.3110")).overlayBuild);
    EXPECT_FALSE(DeriveEnvironment(Raw(kPlatformWindows95, "4.72")).overlayBuild) << "build 0";
    EXPECT_FALSE(DeriveEnvironment(Raw(kPlatformWindowsNt, "4.71.1712")).overlayBuild);

    EXPECT_TRUE(DeriveEnvironment(Raw(kPlatformWindowsNt, "4.72.3199")).faultyNtShell);
    EXPECT_FALSE(DeriveEnvironment(Raw(kPlatformWindowsNt, "4.72.3200")).faultyNtShell);
    EXPECT_FALSE(DeriveEnvironment(Raw(kPlatformWindowsNt, "4.00.1381")).faultyNtShell);
    EXPECT_FALSE(DeriveEnvironment(Raw(kPlatformWindows95, "4.72.3000")).faultyNtShell);
}

TEST(EnvironmentFacts, DirectoriesUserNameAndShellPath) {
    auto raw = Raw(kPlatformWindowsNt, "4.00");
    auto f = DeriveEnvironment(raw);
    EXPECT_EQ(f.windowsDirectory, "C:\\WINNT\\");
    EXPECT_EQ(f.systemDirectory, "C:\\WINNT\\system32");
    EXPECT_EQ(f.shell32Path, "C:\\WINNT\\system32\\SHELL32.DLL");
    EXPECT_EQ(f.userName, "User") << "an unreadable user name";
    raw.userNameRead = true;
    raw.userName = std::string(200, 'u');
    EXPECT_EQ(DeriveEnvironment(raw).userName.size(), kMaxUserName);
}

}  // namespace
}  // namespace vt
