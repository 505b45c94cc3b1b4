// Icon files, libraries and program files of any content, read as stored: every group whole,
// written back as icon files, every block described.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "common/file_io.h"
#include "librarian/stored_icons.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = vt::TempDirectory();
    static const std::string pid = std::to_string(getpid());
    // The reader decides by the first bytes; the extension only tells a library from a program.
    static const std::string path = dir + "/vt-stored-fuzz-" + pid + ".dll";
    if (!vt::WriteFileReplacing(path, "ICM", std::span<const uint8_t>(data, size))) return 0;
    int kind = 0;
    std::vector<vt::StoredGroup> groups;
    if (vt::ReadStoredIcons(path, vt::ReadDepth::Whole, &kind, &groups) == vt::LibStatus::Ok) {
        for (const vt::StoredGroup& g : groups) {
            std::vector<uint8_t> ico = vt::BuildStoredIconFile(g);
            for (const vt::StoredImage& image : g.images) vt::BlockText(image.description);
            if (ico.size() < 6) __builtin_trap();
        }
    }
    vt::ReadStoredIcons(path, vt::ReadDepth::Headers, &kind, &groups);
    vt::RemoveFile(path);
    return 0;
}
