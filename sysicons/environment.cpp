#include "sysicons/environment.h"

#include "sysicons/text.h"

#include <cstdlib>

namespace vt {

ShellVersion ParseShellVersion(const std::string& text) {
    ShellVersion v;
    if (!text.empty()) v.text = text;
    int fields[3] = {0, 0, 0};
    size_t i = 0;
    for (int f = 0; f < 3 && i < v.text.size(); ++f) {
        long value = 0;
        while (i < v.text.size() && v.text[i] != '.' &&
               static_cast<unsigned char>(v.text[i]) >= ' ') {
            if (v.text[i] >= '0' && v.text[i] <= '9' && value < 100000000)
                value = value * 10 + (v.text[i] - '0');
            ++i;
        }
        fields[f] = static_cast<int>(value);
        if (i < v.text.size() && v.text[i] != '.') break;  // a control character ends the text
        ++i;
    }
    v.major = fields[0];
    v.minor = fields[1];
    v.build = fields[2];
    return v;
}

EnvironmentFacts DeriveEnvironment(const RawEnvironment& raw) {
    EnvironmentFacts f;
    f.platform = raw.platform;
    f.shell = ParseShellVersion(raw.shellVersionText);
    f.newerShell = f.shell.major == 4 && f.shell.minor > 70;
    bool nt = raw.platform == kPlatformWindowsNt;
    f.perUserClasses = nt || f.newerShell;
    f.userNamePrefix = nt || (f.newerShell && ParseDecimal(raw.userProfiles.c_str()) == 1);
    if (raw.userNameRead && !raw.userName.empty())
        f.userName = raw.userName.substr(0, kMaxUserName);
    bool earlyBuild = f.shell.build >= 1;
    f.overlayBuild = !nt && f.newerShell && earlyBuild && f.shell.build <= 3109;
    f.faultyNtShell = nt && f.newerShell && earlyBuild && f.shell.build <= 3199;
    f.coolDllPresent = raw.coolDllPresent;
    f.systemDirectory = raw.systemDirectory;
    while (!f.systemDirectory.empty() && f.systemDirectory.back() == '\\')
        f.systemDirectory.pop_back();
    f.windowsDirectory = raw.windowsDirectory;
    if (f.windowsDirectory.empty() || f.windowsDirectory.back() != '\\') f.windowsDirectory += '\\';
    f.shell32Path = f.systemDirectory + "\\SHELL32.DLL";
    return f;
}

}  // namespace vt
