#include "librarian/icon_file_writer.h"

#include "common/byte_writer.h"
#include "common/file_io.h"
#include "librarian/format_entry_io.h"

namespace vt {

LibStatus BuildIconFile(const Workspace& ws, size_t iconIndex, std::vector<uint8_t>* out) {
    if (iconIndex >= ws.icons().size()) return LibStatus::Refused;
    std::vector<size_t> own = ws.FormatsOf(iconIndex);
    ByteWriter w;
    w.U16(0);
    w.U16(1);
    w.U16(static_cast<uint16_t>(own.size()));
    uint32_t offset = static_cast<uint32_t>(6 + kIconDirEntrySize * own.size());
    for (size_t i : own) {
        const FormatEntry& f = ws.formats()[i];
        WriteFormatHead(w, f);
        w.U32(offset);
        offset += f.bytesInResource;
    }
    std::vector<uint8_t> buffer(kImageBufferSize);
    for (size_t i : own) {
        const FormatEntry& f = ws.formats()[i];
        if (f.imageNumber == 0 || f.imageNumber > ws.images().size() ||
            f.bytesInResource > buffer.size())
            return LibStatus::WorkspaceError;
        const ImageEntry& image = ws.images()[f.imageNumber - 1];
        if (!ws.ReadBlock(image.workspaceOffset, buffer.data(), f.bytesInResource))
            return LibStatus::WorkspaceError;
        w.Bytes(std::span<const uint8_t>(buffer.data(), f.bytesInResource));
    }
    *out = w.Take();
    return LibStatus::Ok;
}

LibStatus SaveIconAsIco(const Workspace& ws, size_t iconIndex, const std::string& path) {
    std::vector<uint8_t> bytes;
    LibStatus st = BuildIconFile(ws, iconIndex, &bytes);
    if (st != LibStatus::Ok) return st;
    return WriteFileReplacing(path, "ICM", bytes) ? LibStatus::Ok : LibStatus::WriteError;
}

}  // namespace vt
