#pragma once
// File Open and the opening of several files at once (a drop, a search hand-off): the readers, the
// window mode they lead to, and the messages of a failed open.

#include <string>
#include <vector>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

// Opens one file of the given kind (already corrected by its first bytes) as a new workspace.
// On success the mode follows the kind (an icon file gives mode 0) and *kind becomes the kind the
// window keeps (an icon file's becomes the library kind). On failure the user is told what the
// rule says and the workspace is a new, empty one.
LibStatus OpenWorkspaceFile(Workspace& ws, const std::string& path, int* kind, Prompt& prompt);

// Opens several files into one new workspace: each with its kind from the extension, corrected by
// its first bytes; the first that yields icons makes the workspace, the others append. Files that
// cannot be opened are skipped. "No icons found in file(s)." unless `silent`.
LibStatus OpenWorkspaceFiles(Workspace& ws, const std::vector<std::string>& paths, Prompt& prompt,
                             bool silent);

}  // namespace vt
