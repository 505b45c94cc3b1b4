#include "librarian/save_flow.h"

#include "common/file_io.h"
#include "librarian/file_kind.h"
#include "librarian/library_writer.h"
#include "librarian/program_update.h"
#include "librarian/reader.h"

namespace vt {

const char* const kSaveIncomplete =
    "The file save operation could not be completed.\r\n\r\nThis could be caused by a lack of "
    "unused (free) disk "
    "space on the destination drive or the file or disk may be read-only.";
const char* const kSavedButNotReopened =
    "The file save operation was successful, however a new workspace could not be opened after the "
    "file save "
    "completed.  This might be caused by a lack of unused (free) disk space.";

int KindForSaveName(const std::string& path) {
    std::string ext = LowerExtension(path);
    return ext == "icl" ? kKindLibrary : ext == "ico" ? kKindIconFile : kKindProgram;
}

namespace {

// The library is written beside the target and put in its place only when complete, so a failed
// save leaves an older file as it was: there is never a partly written file to keep or delete.
LibStatus SaveLibrary(Workspace& ws, SaveState& state, const std::string& target, Prompt& prompt) {
    TempFileWriter out;
    if (!out.Open(target, "ICM")) {
        prompt.Tell(kCannotOpenForSave, PromptIcon::Stop);
        return LibStatus::CannotOpen;
    }
    long written = WriteLibrary(ws, out, prompt);
    if (written < 0) return LibStatus::TooManyResources;
    if (written == 0 || !out.Commit()) {
        prompt.Tell(kSaveIncomplete, PromptIcon::Exclamation);
        return LibStatus::WriteError;
    }
    // What is shown from now on is what was written: the library read back as the new workspace.
    ReadOptions o;
    o.kind = kKindLibrary;
    o.searching = true;  // our own library: no header question
    o.prompt = &prompt;
    state.savedPath = target;
    state.sourcePath.clear();
    if (ReadModuleIcons(ws, target, true, o) != LibStatus::Ok) {
        // The file was written, but what is shown is not it: the empty workspace must not claim
        // the saved file, or its next Save would offer to delete it and new icons overwrite it.
        prompt.Tell(kSavedButNotReopened, PromptIcon::Exclamation);
        ws.New();
        state.path.clear();
        return LibStatus::Ok;
    }
    ws.SetMode(kModeLibrary);
    ws.SetModified(false);
    state.path = target;
    return LibStatus::Ok;
}

LibStatus WriteKind(Workspace& ws, SaveState& state, const std::string& target, int kind,
                    Prompt& prompt) {
    switch (kind) {
        case kKindLibrary:
            return SaveLibrary(ws, state, target, prompt);
        case kKindProgram: {
            LibStatus st = SaveProgramFile(ws, target, state.sourcePath, prompt);
            if (st == LibStatus::Ok) state.path = state.savedPath = target;
            return st;
        }
        default:
            prompt.Tell(Format("Unknown file type (%d).", kind), PromptIcon::Exclamation);
            return LibStatus::Refused;
    }
}

}  // namespace

LibStatus SaveWorkspace(Workspace& ws, SaveState& state, Prompt& prompt, bool* needsName) {
    *needsName = false;
    if (ws.icons().empty()) {
        PromptAnswer a = prompt.Ask(
            "Cannot save an empty file.\r\n\r\nWould you like to delete this file on disk?",
            PromptButtons::YesNo);
        if (a != PromptAnswer::Yes) return LibStatus::Refused;
        if (!state.path.empty()) RemoveFile(state.path);
        state.path.clear();
        ws.SetModified(false);
        return ws.New();
    }
    if (state.path.empty() || ws.mode() == kModeSingleIconFile) {
        *needsName = true;
        return LibStatus::Refused;
    }
    return WriteKind(ws, state, state.path, ws.mode() == kModeProgram ? kKindProgram : kKindLibrary,
                     prompt);
}

LibStatus SaveWorkspaceAs(Workspace& ws, SaveState& state, const std::string& target,
                          Prompt& prompt) {
    if (ws.icons().empty()) {
        prompt.Tell("No icons to save.", PromptIcon::Exclamation);
        return LibStatus::Refused;
    }
    return WriteKind(ws, state, target, KindForSaveName(target), prompt);
}

}  // namespace vt
