#include "librarian/save_flow.h"

#include <filesystem>

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

const char* const kProgramSaveRefused =
    "The icons of this workspace came from %s.\n\nThey can be written back only into that file.  "
    "To keep them in another file, save with a name ending in .ICL.";

int KindForSaveName(const std::string& path) {
    std::string ext = LowerExtension(path);
    return ext == "icl" ? kKindLibrary : ext == "ico" ? kKindIconFile : kKindProgram;
}

std::string ProgramSaveRefusal(const Workspace& ws, const SaveState& state,
                               const std::string& target) {
    // Image blocks go back at the offsets they had in their own program file; in any other file
    // those offsets are someone else's bytes.
    if (ws.mode() == kModeProgram && !state.sourcePath.empty()) {
        std::error_code ec;
        if (std::filesystem::equivalent(target, state.sourcePath, ec) && !ec) return {};
        return Format(kProgramSaveRefused, state.sourcePath.c_str());
    }
    return Format(kProgramSaveRefused, state.path.empty() ? "The workspace" : state.path.c_str());
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
            // A missing or locked target is told by the update itself.
            if (FileExists(target)) {
                std::string refusal = ProgramSaveRefusal(ws, state, target);
                if (!refusal.empty()) {
                    prompt.Tell(refusal, PromptIcon::Stop);
                    return LibStatus::Refused;
                }
            }
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
