#pragma once
// The data blocks of the Librarian's exchanges (edit sessions, icons dragged between windows,
// file names handed over), byte for byte, each starting with the 4-byte exchange header. Builders
// produce exactly the allocated size; parsers check every length against the block.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

// Header flag bits.
constexpr uint16_t kAckRequested = 0x8000;
constexpr uint16_t kReleaseByReceiver = 0x2000;
constexpr uint16_t kResponseToRequest = 0x1000;

using ImageBlocks = std::vector<std::vector<uint8_t>>;

// Block 1: the icon for editing, the answer to "GetIcon".
struct EditIconBlock {
    uint32_t width = 0, height = 0, colorCode = 0;  // the Librarian's current format
    bool programFile = false;
    ImageBlocks images;
    std::string name;
};
std::vector<uint8_t> BuildEditIconBlock(uint16_t format, const EditIconBlock& block);
std::optional<EditIconBlock> ParseEditIconBlock(std::span<const uint8_t> data);
// Block 1 from an icon of the workspace: its images in format-table order.
// LibStatus::WorkspaceError when an image cannot be read back.
LibStatus MakeEditIconBlock(const Workspace& ws, size_t iconIndex, const std::string& lastName,
                            EditIconBlock* out);

// Block 2: the edited images, poked back as "IconUpdate".
std::vector<uint8_t> BuildIconUpdateBlock(uint16_t format, const ImageBlocks& images);
std::optional<ImageBlocks> ParseIconUpdateBlock(std::span<const uint8_t> data);

// Block 3: icons dragged to another Librarian window, poked as "Engage!".
struct DraggedIcon {
    ImageBlocks images;
    std::string name;  // at most 50 characters
};
struct DraggedIconsBlock {
    int32_t x = 0, y = 0;
    std::vector<DraggedIcon> icons;
};
std::vector<uint8_t> BuildDraggedIconsBlock(uint16_t format, const DraggedIconsBlock& block);
std::optional<DraggedIconsBlock> ParseDraggedIconsBlock(std::span<const uint8_t> data);

// Block 4: file names handed to the Librarian ("Shields down!").
struct FileNamesBlock {
    int32_t x = 0, y = 0;
    bool askWhenNotEmpty = false;
    bool foldersToSearch = false;
    std::vector<std::string> names;
};
std::vector<uint8_t> BuildFileNamesBlock(uint16_t format, const FileNamesBlock& block);
std::optional<FileNamesBlock> ParseFileNamesBlock(std::span<const uint8_t> data);

// Applies an "IconUpdate" to an icon: images of a format the icon has replace that image (and are
// marked changed), new formats are added, formats the editor no longer sent are removed. Blocks
// that are not image blocks are ignored. A failure changes nothing: marks, tables and tallies stay.
LibStatus ApplyIconUpdate(Workspace& ws, size_t iconIndex, const ImageBlocks& images);

}  // namespace vt
