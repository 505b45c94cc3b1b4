#pragma once
// Install to system, the Librarian's half: the selected icon is written as "stage.ico" into the
// folder "Installed System Icons" of the Windows directory, where the installer library takes it.

#include <string>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

// The staging folder for a Windows directory.
std::string StagingFolder(const std::string& windowsDirectory);

// Creates the staging folder when needed and writes the icon there (replacing an older staging
// file). On failure the user is told "Error detected attempting to write icon to staging file.".
// *folder receives the staging folder to hand to the installer.
LibStatus WriteStagingFile(const Workspace& ws, size_t iconIndex,
                           const std::string& windowsDirectory, Prompt& prompt,
                           std::string* folder);

}  // namespace vt
