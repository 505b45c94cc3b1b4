// The icon-file reader: one icon file becomes one icon named after the file.
#include <cstring>

#include "common/byte_reader.h"
#include "librarian/file_kind.h"
#include "librarian/format_entry_io.h"
#include "librarian/image_block.h"
#include "librarian/reader.h"

namespace vt {

const char* const kAddToProgramFileRefused =
    "The current file was opened as a program file.  Icons cannot be added or removed from this "
    "file type.";

const char* const kOutOfGlobalMemory = "Out of global memory.  Cannot complete this request.";

namespace {

constexpr size_t kMaxDirectoryEntries = 20;
constexpr size_t kDirectoryRead = 6 + kIconDirEntrySize * kMaxDirectoryEntries;  // 326 bytes
constexpr size_t kMaxIconFileTitle = 49;
constexpr uint32_t kMaxSerial = 0x7FFF;  // serials share 16 bits with the unlinked mark

LibStatus ReadIconFile(Workspace& ws, const std::string& path, bool adding, int x, int y) {
    CachedFile file;
    if (!file.Open(path)) return LibStatus::CannotOpen;
    uint8_t head[kDirectoryRead];
    size_t got = file.ReadSomeAt(0, head, sizeof head);
    if (got < 6) return LibStatus::ReadError;
    // Only the first 20 entries fit the directory buffer; later ones are not read.
    size_t entries = std::min<size_t>(LoadLE16(head + 4), kMaxDirectoryEntries);
    if (6 + kIconDirEntrySize * entries > got) return LibStatus::ReadError;
    if (ws.nextSerial() > kMaxSerial) return LibStatus::OutOfMemory;

    Workspace::Checkpoint checkpoint = ws.Save();
    std::string title = FileTitle(path).substr(0, kMaxIconFileTitle);
    std::vector<uint8_t> block;
    long icon = -1;
    if (!adding) {
        IconEntry entry;
        Workspace::SetDisplayName(&entry, title);
        entry.serial = ws.TakeSerial();
        icon = static_cast<long>(ws.AppendIcon(entry));
    }
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = head + 6 + kIconDirEntrySize * i;
        BlockRead read = ReadImageBlock(file, LoadLE32(e + 12), LoadLE32(e + 8), &block);
        if (read == BlockRead::LeftOut) continue;
        if (read == BlockRead::Bad) {
            ws.Restore(checkpoint);
            return LibStatus::ReadError;
        }
        if (adding) {
            long at = ws.AddImage(block, icon, x, y);
            if (at < 0) {
                ws.Restore(checkpoint);
                return ws.imagesFull() ? LibStatus::OutOfMemory : LibStatus::WorkspaceError;
            }
            icon = at;
            continue;
        }
        uint16_t number = ws.AppendImage(block, LoadLE32(e + 12), 0, 0);
        if (number == 0) {
            ws.Restore(checkpoint);
            return ws.imagesFull() ? LibStatus::OutOfMemory : LibStatus::WorkspaceError;
        }
        FormatEntry f = ReadFormatHead(e);
        // The tables describe the block as stored, whatever the directory claimed.
        f.bytesInResource = static_cast<uint32_t>(block.size());
        f.imageNumber = number;
        f.owner = static_cast<uint16_t>(ws.icons()[icon].serial);
        ws.AppendFormat(f);
        ++ws.icons()[icon].imageCount;
    }
    if (icon < 0) return adding ? LibStatus::NoIcons : LibStatus::Ok;
    IconEntry& entry = ws.icons()[static_cast<size_t>(icon)];
    if (adding) Workspace::SetDisplayName(&entry, title);
    ws.UpdateCellSize(static_cast<size_t>(icon));
    if (!adding) ws.RelinkInTableOrder();
    return LibStatus::Ok;
}

}  // namespace

LibStatus ReadIconFileToWorkspace(Workspace& ws, const std::string& path, bool newWorkspace) {
    if (newWorkspace) {
        LibStatus st = ws.New();
        if (st != LibStatus::Ok) return st;
    }
    return ReadIconFile(ws, path, false, 0, 0);
}

LibStatus PrepareForAdding(Workspace& ws, Prompt* prompt) {
    if (ws.mode() == kModeProgram) {
        if (prompt) prompt->Tell(kAddToProgramFileRefused, PromptIcon::Stop);
        return LibStatus::Refused;
    }
    return ws.hasFile() ? LibStatus::Ok : ws.New();
}

LibStatus AddIconFileToWorkspace(Workspace& ws, const std::string& path, int x, int y,
                                 Prompt* prompt) {
    LibStatus st = PrepareForAdding(ws, prompt);
    return st == LibStatus::Ok ? ReadIconFile(ws, path, true, x, y) : st;
}

}  // namespace vt
