#pragma once
// Starting a child on this process's own standard handles, as a program under test started by a
// test would start one: under a plain `wine` they would be CTest's pipe. Header only, for the
// harness's plain probe program as well as its tests.

#include <windows.h>

#include <string>

namespace vt::test {

// Starts `program` with `arguments`, the standard handles inherited. The child's process handle,
// or null with GetLastError() telling why.
inline HANDLE StartOnOwnStdHandles(const std::string& program, const std::string& arguments) {
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

}  // namespace vt::test
