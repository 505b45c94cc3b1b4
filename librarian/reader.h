#pragma once
// The readers that fill a workspace from icon files, icon libraries and program files. Each opens
// the file itself, reads only headers, tables and image blocks, and closes it before returning. A
// read that fails leaves the workspace's tables and counters as they were at entry.

#include <string>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

struct ReadOptions {
    int kind = kKindLibrary;   // kKindLibrary or kKindProgram: decides the header question
    bool searching = false;    // no questions while a search runs
    Prompt* prompt = nullptr;  // the cascade message and the header question; none: nothing asked
};

// With newWorkspace the workspace is made afresh first; otherwise the file's icons are appended.
LibStatus ReadIconFileToWorkspace(Workspace& ws, const std::string& path, bool newWorkspace);
LibStatus ReadModuleIcons(Workspace& ws, const std::string& path, bool newWorkspace,
                          const ReadOptions& options = {});

// The adding readers for files dropped with "Add Icons To Workspace": the new icons are centred on
// the drop point (x, y); no names from a library's name table, no header question. Refused (with
// the message shown through the prompt) in program-file mode.
LibStatus AddIconFileToWorkspace(Workspace& ws, const std::string& path, int x, int y,
                                 Prompt* prompt = nullptr);
LibStatus AddModuleIcons(Workspace& ws, const std::string& path, int x, int y,
                         Prompt* prompt = nullptr);

// Adding is refused in program-file mode (the message goes through the prompt); a workspace without
// a file gets one.
LibStatus PrepareForAdding(Workspace& ws, Prompt* prompt);

// The message for unexpected PE directory nesting, with the current folder and the file's path.
std::string CascadeMessage(const std::string& currentFolder, const std::string& path);
extern const char* const kAddToProgramFileRefused;
// String 17: also what a reader's OutOfMemory means, which includes a workspace that has given
// out every serial (32,767 icons) or every image number (65,535 images).
extern const char* const kOutOfGlobalMemory;
extern const char* const kHeaderCorrectionQuestion;

}  // namespace vt
