// The programs a harness self-test runs in place of a faulty program under test:
//
//   vt_harness_probe linger TOKEN   signals the event named TOKEN, then stays running (as a window
//                                   left open or a child a test started would), for ten minutes
//                                   at most so that even a broken cleanup leaves nothing for good.
//   vt_harness_probe hang TOKEN     starts a "linger" child on its own standard handles, waits
//                                   until it runs, says so and never ends by itself (a hung test).
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win32/own_std_handles.h"

namespace {

constexpr DWORD kLingerMs = 10 * 60 * 1000;
constexpr DWORD kChildStartMs = 60 * 1000;

int Linger(const char* token) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, token);
    if (!ready) {
        std::fprintf(stderr, "no event %s (error %lu)\n", token, GetLastError());
        return 2;
    }
    SetEvent(ready);
    CloseHandle(ready);
    Sleep(kLingerMs);
    return 0;
}

int Hang(const char* token) {
    std::string childToken = std::string(token) + "-child";
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, childToken.c_str());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    HANDLE child = ready ? vt::test::StartOnOwnStdHandles(self, "linger " + childToken) : nullptr;
    if (!child) {
        std::fprintf(stderr, "could not start the lingering child (error %lu)\n", GetLastError());
        return 2;
    }
    CloseHandle(child);
    if (WaitForSingleObject(ready, kChildStartMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the lingering child did not start\n");
        return 2;
    }
    std::printf("probe started; its child runs; now hanging\n");
    std::fflush(stdout);
    Sleep(kLingerMs);
    return 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "linger") return Linger(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "hang") return Hang(argv[2]);
    std::fprintf(stderr, "usage: vt_harness_probe linger|hang TOKEN\n");
    return 2;
}
