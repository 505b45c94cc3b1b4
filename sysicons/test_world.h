#pragma once
// A complete fake system for tests of the system-object code: in-memory registry and files, a
// scripted shell, and the facts of a Windows 95 machine with the original shell.

#include <memory>

#include "sysicons/fake_shell.h"
#include "sysicons/memory_file_system.h"
#include "sysicons/memory_registry.h"
#include "sysicons/system_icons.h"

namespace vt {

struct TestWorld {
    MemoryRegistry registry;
    FakeShell shell;
    MemoryFileSystem files;
    RawEnvironment raw;
    std::unique_ptr<SystemIcons> icons;

    TestWorld() {
        raw.platform = kPlatformWindows95;
        raw.shellVersionText = "4.00.950";
        raw.userNameRead = true;
        raw.userName = "alice";
        raw.systemDirectory = "C:\\WINDOWS\\SYSTEM";
        raw.windowsDirectory = "C:\\WINDOWS";
        files.MakeDirectory("C:\\WINDOWS");
    }
    void UseNt() {
        raw.platform = kPlatformWindowsNt;
        raw.shellVersionText = "4.00";
    }
    void UseNewerShell(const char* version = "4.72.3110.1") { raw.shellVersionText = version; }

    // Builds the table on the current facts (without the start-up reads).
    SystemIcons& Make(Program program = Program::Engineer) {
        icons =
            std::make_unique<SystemIcons>(registry, shell, files, DeriveEnvironment(raw), program);
        return *icons;
    }
};

}  // namespace vt
