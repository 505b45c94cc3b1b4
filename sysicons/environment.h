#pragma once
// Facts about the running system that are fixed at start-up and change how rows are read and
// written. The Win32 layer gathers the raw facts; the rules that derive the rest live here.

#include <string>

namespace vt {

constexpr int kPlatformWindows95 = 1;
constexpr int kPlatformWindowsNt = 2;

struct ShellVersion {
    std::string text = "4.00";  // what "Shell Version: %s" shows
    int major = 0, minor = 0, build = 0;
};

// Parses a file-version text: decimal fields separated by dots, each ending at a dot or any
// character below a space. An empty text stands for "4.00".
ShellVersion ParseShellVersion(const std::string& text);

// What the Win32 layer reads from the system.
struct RawEnvironment {
    int platform = kPlatformWindows95;
    std::string shellVersionText;  // empty when the version block has no FileVersion text
    bool userNameRead = false;
    std::string userName;
    std::string userProfiles;      // local machine "Network\Logon" value "UserProfiles"
    std::string systemDirectory;   // without trailing backslash
    std::string windowsDirectory;  // with or without trailing backslash
    bool coolDllPresent = false;
};

struct EnvironmentFacts {
    int platform = kPlatformWindows95;
    ShellVersion shell;
    bool newerShell = false;
    bool perUserClasses = false;
    bool userNamePrefix = false;
    std::string userName = "User";
    bool overlayBuild = false;
    bool faultyNtShell = false;
    bool coolDllPresent = false;
    std::string systemDirectory;   // without trailing backslash
    std::string windowsDirectory;  // with trailing backslash
    std::string shell32Path;       // system directory, backslash, "SHELL32.DLL"

    bool isNt() const { return platform == kPlatformWindowsNt; }
};

// User names are cut to this many characters.
constexpr size_t kMaxUserName = 119;

EnvironmentFacts DeriveEnvironment(const RawEnvironment& raw);

}  // namespace vt
