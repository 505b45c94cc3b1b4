#include "librarian/open_file.h"

#include "librarian/file_kind.h"
#include "librarian/reader.h"

namespace vt {
namespace {

LibStatus ReadKind(Workspace& ws, const std::string& path, int kind, bool newWorkspace,
                   Prompt& prompt, bool searching) {
    if (kind == kKindIconFile) return ReadIconFileToWorkspace(ws, path, newWorkspace);
    ReadOptions o;
    o.kind = kind;
    o.searching = searching;
    o.prompt = &prompt;
    return ReadModuleIcons(ws, path, newWorkspace, o);
}

}  // namespace

LibStatus OpenWorkspaceFile(Workspace& ws, const std::string& path, int* kind, Prompt& prompt) {
    LibStatus st = *kind == kKindUnknown ? LibStatus::NotRecognised
                                         : ReadKind(ws, path, *kind, true, prompt, false);
    if (st == LibStatus::Ok && *kind != kKindIconFile && ws.images().empty())
        st = LibStatus::NoIcons;
    if (st == LibStatus::Ok) {
        ws.SetMode(*kind == kKindIconFile  ? kModeSingleIconFile
                   : *kind == kKindLibrary ? kModeLibrary
                                           : kModeProgram);
        ws.SetModified(false);
        if (*kind == kKindIconFile) *kind = kKindLibrary;  // the next Save writes a library
        return st;
    }
    // A file that cannot be opened or recognised fails silently; the cascade message was shown.
    if (st == LibStatus::OutOfMemory) {
        prompt.Tell(kOutOfGlobalMemory, PromptIcon::Stop);
    } else if (st == LibStatus::NoIcons || (*kind == kKindIconFile && st == LibStatus::ReadError)) {
        prompt.Tell("No icons found in file.", PromptIcon::Information);
    } else if (st != LibStatus::CannotOpen && st != LibStatus::NotRecognised &&
               st != LibStatus::Cascade) {
        prompt.Tell(Format("Error encountered opening file:\n\n%s", path.c_str()));
    }
    ws.New();
    return st;
}

LibStatus OpenWorkspaceFiles(Workspace& ws, const std::vector<std::string>& paths, Prompt& prompt,
                             bool silent) {
    ws.Discard();
    bool made = false;
    for (const std::string& path : paths) {
        int kind = DetectFileKind(path, SearchFileKind(OpenType::IconFiles, path));
        if (kind == kKindUnknown) continue;
        LibStatus st = ReadKind(ws, path, kind, !made, prompt, true);
        if (st == LibStatus::Ok) made = true;
        // Out of serials or image numbers: no later file can be added either, so the open ends
        // with what it has, and says why once.
        if (st == LibStatus::OutOfMemory) {
            prompt.Tell(kOutOfGlobalMemory, PromptIcon::Stop);
            break;
        }
    }
    if (ws.icons().empty()) {
        if (!silent) prompt.Tell("No icons found in file(s).", PromptIcon::Information);
        ws.New();
        return LibStatus::NoIcons;
    }
    ws.SetMode(kModeSingleIconFile);
    return LibStatus::Ok;
}

}  // namespace vt
