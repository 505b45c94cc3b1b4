// Icon files of any content: the reader must fail cleanly or give an icon whose file can be built.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/file_io.h"
#include "librarian/icon_file_writer.h"
#include "librarian/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path =
        vt::TempDirectory() + "/vt-icofile-fuzz-" + std::to_string(getpid()) + ".ico";
    if (!vt::WriteFileReplacing(path, "ICM", std::span<const uint8_t>(data, size))) return 0;
    vt::Workspace ws;
    if (vt::ReadIconFileToWorkspace(ws, path, true) == vt::LibStatus::Ok) {
        std::vector<uint8_t> ico;
        for (size_t i = 0; i < ws.icons().size(); ++i) vt::BuildIconFile(ws, i, &ico);
    }
    vt::AddIconFileToWorkspace(ws, path, 10, 10);
    vt::RemoveFile(path);
    return 0;
}
