#include "librarian/staging.h"

#include <filesystem>
#include <new>

#include "librarian/icon_file_writer.h"

namespace vt {

std::string StagingFolder(const std::string& windowsDirectory) {
    return (std::filesystem::path(windowsDirectory) / "Installed System Icons").string();
}

LibStatus WriteStagingFile(const Workspace& ws, size_t iconIndex,
                           const std::string& windowsDirectory, Prompt& prompt,
                           std::string* folder) {
    *folder = StagingFolder(windowsDirectory);
    std::error_code ec;
    std::filesystem::create_directories(*folder, ec);
    LibStatus st = LibStatus::WriteError;
    try {
        if (!ec) st = SaveIconAsIco(ws, iconIndex, (std::filesystem::path(*folder) / "stage.ico").string());
    } catch (const std::bad_alloc&) {
        // No memory for the copy: string 17 first, then the staging warning.
        prompt.Tell("Out of global memory.  Cannot complete this request.", PromptIcon::Stop);
        st = LibStatus::OutOfMemory;
    }
    if (st != LibStatus::Ok)
        prompt.Tell("Error detected attempting to write icon to staging file.");
    return st;
}

}  // namespace vt
