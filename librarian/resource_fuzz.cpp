// NE and PE files of any content, through the workspace: read, write as a library, read back.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "common/file_io.h"
#include "librarian/icon_file_writer.h"
#include "librarian/library_writer.h"
#include "librarian/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = vt::TempDirectory();
    static const std::string pid = std::to_string(getpid());
    static const std::string path = dir + "/vt-resource-fuzz-" + pid + ".icl";
    static const std::string out = dir + "/vt-resource-fuzz-out-" + pid + ".icl";
    if (!vt::WriteFileReplacing(path, "ICM", std::span<const uint8_t>(data, size))) return 0;
    vt::ScriptedPrompt prompt;  // answers Yes: the header correction path runs too
    vt::ReadOptions options;
    options.prompt = &prompt;
    vt::Workspace ws;
    if (vt::ReadModuleIcons(ws, path, true, options) == vt::LibStatus::Ok) {
        std::vector<uint8_t> ico;
        vt::BuildIconFile(ws, 0, &ico);
        vt::TempFileWriter writer;
        if (writer.Open(out, "ICM") && vt::WriteLibrary(ws, writer, prompt) > 0 &&
            writer.Commit()) {
            vt::Workspace back;
            vt::ReadModuleIcons(back, out, true, options);
            vt::RemoveFile(out);
        }
    }
    vt::AddModuleIcons(ws, path, 0, 0);
    vt::RemoveFile(path);
    return 0;
}
