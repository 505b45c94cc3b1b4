#include "librarian/program_update.h"

#include <filesystem>
#include <optional>

#include "common/byte_reader.h"
#include "common/file_io.h"

namespace vt {

const char* const kProgramUpdateWarning =
    "ATTENTION!: A Program File Is About To Be Updated. Be Sure That You Have Made A Backup Of "
    "This File And "
    "Are Making Changes To The Backup Copy Only!";
const char* const kCannotOpenForSave =
    "Save file cannot be opened.  The file may be READ ONLY or locked.";
const char* const kUnplacedImagesHeading =
    "These changed images have no place in the program file and cannot be saved into it:";
const char* const kWriteOthersQuestion =
    "Write the other changed images?  Save As with a .icl name keeps every change.";

namespace {

constexpr size_t kUnplacedLinesShown = 10;

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// The changed images that belong to an icon, each with the format entry that owns it.
std::vector<std::pair<size_t, const FormatEntry*>> ChangedImages(const Workspace& ws) {
    std::vector<const FormatEntry*> owner(ws.images().size(), nullptr);
    for (const FormatEntry& f : ws.formats())
        if (!(f.owner & kUnlinkedOwner) && f.imageNumber && f.imageNumber <= owner.size())
            owner[f.imageNumber - 1] = &f;
    std::vector<std::pair<size_t, const FormatEntry*>> changed;
    for (size_t i = 0; i < ws.images().size(); ++i)
        if (ws.images()[i].pending && owner[i]) changed.push_back({i, owner[i]});
    return changed;
}

// Why an image cannot go back over its original, or nothing when it can. A block is written only
// where the file holds an image block of exactly its length: anything else would overwrite the
// file's other data or leave stale bytes.
std::optional<UnplacedReason> WhyUnplaced(const Workspace& ws, size_t i, InputFile& file) {
    const ImageEntry& image = ws.images()[i];
    if (image.sourceOffset == 0) return UnplacedReason::NewFormat;
    if (image.size != ws.sourceSize(i)) return UnplacedReason::SizeDiffers;
    uint8_t original[4];
    if (!InRange(file.size(), image.sourceOffset, image.size) ||
        !file.ReadAt(image.sourceOffset, original, 4) || LoadLE32(original) != 40)
        return UnplacedReason::NoImageAtPlace;
    return std::nullopt;
}

std::string FormatText(const ImageEntry& image) {
    if (image.colorCode == 1024) return Format("%dx%d, True Color", image.width, image.height);
    return Format("%dx%d, %d colors", image.width, image.height, image.colorCode);
}

const char* ReasonText(UnplacedReason reason) {
    switch (reason) {
        case UnplacedReason::NewFormat:
            return "no such format in the file";
        case UnplacedReason::SizeDiffers:
            return "size differs from the original";
        case UnplacedReason::NoImageAtPlace:
            break;
    }
    return "no image at its place";
}

}  // namespace

LibStatus FindUnplacedImages(const Workspace& ws, const std::string& path,
                             std::vector<UnplacedImage>* out, size_t* placeable) {
    out->clear();
    *placeable = 0;
    auto changed = ChangedImages(ws);
    if (changed.empty()) return LibStatus::Ok;
    InputFile file;
    if (!file.Open(path)) return LibStatus::CannotOpen;
    for (const auto& [i, format] : changed) {
        std::optional<UnplacedReason> why = WhyUnplaced(ws, i, file);
        if (!why) {
            ++*placeable;
            continue;
        }
        long icon = ws.FindIconBySerial(format->owner);
        UnplacedImage u;
        u.image = i;
        u.iconName = icon >= 0 ? Workspace::ShownName(ws.icons()[static_cast<size_t>(icon)]) : "";
        u.formatText = FormatText(ws.images()[i]);
        u.reason = *why;
        out->push_back(std::move(u));
    }
    return LibStatus::Ok;
}

std::string UnplacedImagesText(const std::vector<UnplacedImage>& list) {
    std::string text = kUnplacedImagesHeading;
    text += "\n";
    for (size_t k = 0; k < list.size() && k < kUnplacedLinesShown; ++k)
        text += "\n" + list[k].iconName + ": " + list[k].formatText + " - " +
                ReasonText(list[k].reason);
    if (list.size() > kUnplacedLinesShown)
        text += Format("\nand %d more", static_cast<int>(list.size() - kUnplacedLinesShown));
    return text;
}

LibStatus UpdateProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath) {
    // Blocks are written at offsets that only mean something in the file they were read from.
    if (!SameFile(path, sourcePath)) return LibStatus::Refused;

    auto changed = ChangedImages(ws);
    InputFile check;
    if (!changed.empty() && !check.Open(path)) return LibStatus::CannotOpen;
    // Every block to be written is read and checked before the first byte goes out.
    std::vector<size_t> writing;
    std::vector<std::vector<uint8_t>> blocks;
    for (const auto& [i, format] : changed) {
        if (WhyUnplaced(ws, i, check)) continue;  // stays marked, for Save As
        const ImageEntry& image = ws.images()[i];
        std::vector<uint8_t> block(image.size);
        if (!ws.ReadBlock(image.workspaceOffset, block.data(), block.size()) ||
            LoadLE32(block.data()) != 40)
            return LibStatus::WorkspaceError;
        writing.push_back(i);
        blocks.push_back(std::move(block));
    }
    check.Close();

    if (!writing.empty()) {
        UpdateFile out;
        if (!out.Open(path)) return LibStatus::CannotOpen;
        for (size_t k = 0; k < writing.size(); ++k)
            if (!out.WriteAt(ws.images()[writing[k]].sourceOffset, blocks[k]))
                return LibStatus::WriteError;
        if (!out.Close()) return LibStatus::WriteError;
    }
    for (size_t i : writing) ws.images()[i].pending = 0;
    // Changes that could not be written keep the workspace modified.
    ws.SetModified(writing.size() != changed.size());
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
    // Images without a place are named before the warning: the user decides whether the others
    // go in now, or uses Save As to a library, which keeps them all.
    std::vector<UnplacedImage> unplaced;
    size_t placeable = 0;
    if (SameFile(path, sourcePath) &&
        FindUnplacedImages(ws, path, &unplaced, &placeable) == LibStatus::Ok && !unplaced.empty()) {
        std::string list = UnplacedImagesText(unplaced);
        if (placeable == 0) {
            prompt.Tell(list, PromptIcon::Exclamation);
            return LibStatus::Refused;
        }
        if (prompt.Ask(list + "\n\n" + kWriteOthersQuestion, PromptButtons::YesNo) !=
            PromptAnswer::Yes)
            return LibStatus::Refused;
    }
    PromptMessage warning{kProgramUpdateWarning,   {},   PromptIcon::Information,
                          PromptButtons::OkCancel, true, 0};
    if (prompt.Show(warning) != PromptAnswer::Ok) return LibStatus::Refused;
    LibStatus st = UpdateProgramFile(ws, path, sourcePath);
    if (st != LibStatus::Ok) prompt.Tell("Error detected updating file.", PromptIcon::Exclamation);
    return st;
}

}  // namespace vt
