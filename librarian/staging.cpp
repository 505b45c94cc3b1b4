#include "librarian/staging.h"

#include <filesystem>

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
    LibStatus st =
        ec ? LibStatus::WriteError
           : SaveIconAsIco(ws, iconIndex, (std::filesystem::path(*folder) / "stage.ico").string());
    if (st != LibStatus::Ok)
        prompt.Tell("Error detected attempting to write icon to staging file.");
    return st;
}

}  // namespace vt
