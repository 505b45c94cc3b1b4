// The platform half of file_io for the native build.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/file_io.h"

namespace vt {

std::string TempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

std::string CreateTempFileIn(const std::string& dir, const std::string& prefix) {
    // Like the system's temporary names: prefix, four hex digits, ".tmp", created exclusively.
    static unsigned counter = static_cast<unsigned>(getpid());
    for (int attempt = 0; attempt < 0x10000; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "%.3s%04X.tmp", prefix.c_str(), ++counter & 0xFFFF);
        std::string path = dir + "/" + name;
        int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd >= 0) {
            close(fd);
            return path;
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

bool ReplaceFileWith(const std::string& temp, const std::string& target) {
    return std::rename(temp.c_str(), target.c_str()) == 0;
}

}  // namespace vt
