#include "librarian/program_update.h"

#include <filesystem>

#include "common/byte_reader.h"
#include "common/file_io.h"

namespace vt {

const char* const kProgramUpdateWarning =
    "ATTENTION!: A Program File Is About To Be Updated. Be Sure That You Have Made A Backup Of "
    "This File And "
    "Are Making Changes To The Backup Copy Only!";
const char* const kCannotOpenForSave =
    "Save file cannot be opened.  The file may be READ ONLY or locked.";

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

LibStatus UpdateProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath) {
    // Blocks are written at offsets that only mean something in the file they were read from.
    if (!SameFile(path, sourcePath)) return LibStatus::Refused;

    // Which images belong to an icon, and with what length the group directory describes them.
    std::vector<const FormatEntry*> owner(ws.images().size(), nullptr);
    for (const FormatEntry& f : ws.formats())
        if (!(f.owner & kUnlinkedOwner) && f.imageNumber && f.imageNumber <= owner.size())
            owner[f.imageNumber - 1] = &f;

    std::vector<size_t> changed;
    for (size_t i = 0; i < ws.images().size(); ++i)
        if (ws.images()[i].pending && owner[i]) changed.push_back(i);
    if (changed.empty()) {
        ws.SetModified(false);
        return LibStatus::Ok;
    }

    InputFile check;
    if (!check.Open(path)) return LibStatus::CannotOpen;
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t i : changed) {
        const ImageEntry& image = ws.images()[i];
        // A block without a place in the file (made in the workspace), or whose length differs
        // from the original's, would overwrite the file's other data or leave stale bytes.
        if (image.sourceOffset == 0 || image.size != ws.sourceSize(i)) return LibStatus::Refused;
        if (!InRange(check.size(), image.sourceOffset, image.size)) return LibStatus::Refused;
        uint8_t original[4];
        if (!check.ReadAt(image.sourceOffset, original, 4) || LoadLE32(original) != 40)
            return LibStatus::Refused;
        std::vector<uint8_t> block(image.size);
        if (!ws.ReadBlock(image.workspaceOffset, block.data(), block.size()) ||
            LoadLE32(block.data()) != 40)
            return LibStatus::WorkspaceError;
        blocks.push_back(std::move(block));
    }
    check.Close();

    UpdateFile out;
    if (!out.Open(path)) return LibStatus::CannotOpen;
    for (size_t k = 0; k < changed.size(); ++k)
        if (!out.WriteAt(ws.images()[changed[k]].sourceOffset, blocks[k]))
            return LibStatus::WriteError;
    if (!out.Close()) return LibStatus::WriteError;
    for (size_t i : changed) ws.images()[i].pending = 0;
    ws.SetModified(false);
    return LibStatus::Ok;
}

LibStatus SaveProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath,
                          Prompt& prompt) {
    UpdateFile probe;
    if (!FileExists(path) || !probe.Open(path)) {
        prompt.Tell(kCannotOpenForSave, PromptIcon::Stop);
        return LibStatus::CannotOpen;
    }
    probe.Close();
    PromptMessage warning{kProgramUpdateWarning,   {},   PromptIcon::Information,
                          PromptButtons::OkCancel, true, 0};
    if (prompt.Show(warning) != PromptAnswer::Ok) return LibStatus::Refused;
    LibStatus st = UpdateProgramFile(ws, path, sourcePath);
    if (st != LibStatus::Ok) prompt.Tell("Error detected updating file.", PromptIcon::Exclamation);
    return st;
}

}  // namespace vt
