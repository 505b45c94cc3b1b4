#pragma once
// Save and Save As: which writer runs, and every message on the way. The shell asks for the file
// name; everything after that is here.

#include <string>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

// Where the workspace came from and where it is saved.
struct SaveState {
    std::string path;        // the current file ("" for a workspace without one)
    std::string sourcePath;  // the program file the images were read from (program-file mode)
    std::string savedPath;   // the file the last successful save wrote, for the recent files
};

// The kind a Save As name asks for: "icl" → library, "ico" → icon file, anything else → program.
int KindForSaveName(const std::string& path);

// Save. Sets *needsName (and writes nothing) when the workspace has no file yet or was made from a
// single icon file or a search: the shell then runs Save As.
LibStatus SaveWorkspace(Workspace& ws, SaveState& state, Prompt& prompt, bool* needsName);
// Save As to a chosen name.
LibStatus SaveWorkspaceAs(Workspace& ws, SaveState& state, const std::string& target,
                          Prompt& prompt);

// Saving into a program file is refused, before its warning, unless the workspace came from that
// very file: the text naming the workspace's source, or "" when the save may go on.
std::string ProgramSaveRefusal(const Workspace& ws, const SaveState& state,
                               const std::string& target);

extern const char* const kSaveIncomplete;
// %s: the program file the icons were read from, else the workspace's file or "The workspace".
extern const char* const kProgramSaveRefused;
extern const char* const kSavedButNotReopened;

}  // namespace vt
