// The platform half of file_io for Windows: the system's temporary names and an atomic replace.
#include <windows.h>

#include "common/file_io.h"

namespace vt {

std::string TempDirectory() {
    char buf[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof buf, buf);
    if (n == 0 || n > MAX_PATH) return ".";
    std::string dir(buf, n);
    while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    return dir;
}

std::string CreateTempFileIn(const std::string& dir, const std::string& prefix) {
    char buf[MAX_PATH + 1];
    if (GetTempFileNameA(dir.c_str(), prefix.c_str(), 0, buf) == 0) return {};
    return buf;
}

bool ReplaceFileWith(const std::string& temp, const std::string& target) {
    return MoveFileExA(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace vt
