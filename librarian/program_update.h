#pragma once
// Saving a program file: the changed image blocks go back over their originals, in place. Nothing
// else of the program file is ever written.

#include <string>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

extern const char* const kProgramUpdateWarning;
extern const char* const kCannotOpenForSave;

// Writes every changed image of the workspace into the program file at `path`, which must be the
// file the workspace was read from. A block is written only when it has a place in the file
// (source offset not 0), belongs to an icon, and is exactly as long as the original it replaces;
// anything else is refused before a single byte is written. Clears the changed marks and the
// modified flag on success.
LibStatus UpdateProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath);

// Save in program-file mode: the output must exist and open for writing, the user confirms the
// warning, then UpdateProgramFile; the messages of the rule go through the prompt.
LibStatus SaveProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath,
                          Prompt& prompt);

}  // namespace vt
