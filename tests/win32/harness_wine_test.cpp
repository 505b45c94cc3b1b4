// The harness under CTest: a test whose program leaves a child running still ends when the
// program does (the child holds none of CTest's descriptors), and the fixture's cleanup ends the
// child (checked afterwards by harness-child-ended.sh, through the marker written here).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win32/own_std_handles.h"
#include "tests/win32/uidriver.h"

namespace {

std::string ProbePath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "vt_harness_probe.exe";
}

std::string MarkerPath() {
    const char* build = std::getenv("VT_BUILD_DIR");
    return vt::test::WindowsPath(build ? build : ".") + "\\harness-linger-child.txt";
}

TEST(HarnessLeftRunning, TestEndsWhileTheChildItStartedRuns) {
    DeleteFileA(MarkerPath().c_str());
    std::string token =
        "vt-linger-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, token.c_str());
    ASSERT_NE(ready, nullptr);
    std::string probe = ProbePath();
    // The child gets this program's standard handles.
    HANDLE child = vt::test::StartOnOwnStdHandles(probe, "linger " + token);
    ASSERT_NE(child, nullptr) << "could not start " << probe << " (error " << GetLastError() << ")";
    ASSERT_EQ(WaitForSingleObject(ready, 60000), WAIT_OBJECT_0)
        << "the child never signalled it runs";
    CloseHandle(ready);
    ASSERT_EQ(WaitForSingleObject(child, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the child ended early";
    CloseHandle(child);

    // The check after the cleanup looks for this token on a running command line.
    FILE* marker = std::fopen(MarkerPath().c_str(), "w");
    ASSERT_NE(marker, nullptr) << MarkerPath();
    std::fprintf(marker, "%s\n", token.c_str());
    ASSERT_EQ(std::fclose(marker), 0);
    // The test returns without waiting for the child.
}

}  // namespace
