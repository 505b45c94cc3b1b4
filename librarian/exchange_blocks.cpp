#include "librarian/exchange_blocks.h"

#include <algorithm>
#include <cstring>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "librarian/image_block.h"

namespace vt {
namespace {

constexpr size_t kEditBlockSlack = 282;  // block 1 is allocated 282 bytes beyond its images
constexpr size_t kDraggedNameBytes = 50;
constexpr size_t kMaxImagesPerIcon = 255;

void Header(ByteWriter& w, uint16_t flags, uint16_t format) {
    w.U16(flags);
    w.U16(format);
}

void WriteImages(ByteWriter& w, const ImageBlocks& images) {
    for (const auto& image : images) {
        w.U32(static_cast<uint32_t>(image.size()));
        w.Bytes(image);
    }
}

// Reads n (size, block) pairs; every block must be an image block that lies inside the data.
bool ReadImages(ByteReader& r, size_t n, ImageBlocks* out) {
    if (n > kMaxImagesPerIcon) return false;
    for (size_t i = 0; i < n; ++i) {
        uint32_t size = r.U32();
        if (!r.ok() || size < 40 || size > 0xFFFF || size > r.remaining()) return false;
        auto bytes = r.Bytes(size);
        if (LoadLE32(bytes.data()) != 40) return false;
        out->emplace_back(bytes.begin(), bytes.end());
    }
    return r.ok();
}

size_t ImagesSize(const ImageBlocks& images) {
    size_t total = 0;
    for (const auto& i : images) total += i.size() + 4;
    return total;
}

std::string ZeroTerminated(std::span<const uint8_t> bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), end);
}

}  // namespace

std::vector<uint8_t> BuildEditIconBlock(uint16_t format, const EditIconBlock& block) {
    ByteWriter w;
    Header(w, kAckRequested | kResponseToRequest, format);
    w.U32(block.width);
    w.U32(block.height);
    w.U32(block.colorCode);
    w.U32(static_cast<uint32_t>(block.images.size() & 0xFFFF) | (block.programFile ? 0x10000u : 0));
    WriteImages(w, block.images);
    size_t total = kEditBlockSlack + ImagesSize(block.images);
    // The name fills what the allocation leaves, always zero-terminated.
    size_t room = total - w.size() - 1;
    w.Text(std::string_view(block.name).substr(0, room));
    w.Zeros(total - w.size());
    return w.Take();
}

std::optional<EditIconBlock> ParseEditIconBlock(std::span<const uint8_t> data) {
    ByteReader r(data);
    r.Skip(4);
    EditIconBlock b;
    b.width = r.U32();
    b.height = r.U32();
    b.colorCode = r.U32();
    uint32_t countWord = r.U32();
    if (!r.ok()) return std::nullopt;
    b.programFile = (countWord & 0x10000) != 0;
    if (!ReadImages(r, countWord & 0xFFFF, &b.images)) return std::nullopt;
    b.name = ZeroTerminated(r.Bytes(r.remaining()));
    return b;
}

LibStatus MakeEditIconBlock(const Workspace& ws, size_t iconIndex, const std::string& lastName,
                            EditIconBlock* out) {
    if (iconIndex >= ws.icons().size()) return LibStatus::Refused;
    *out = {};
    out->width = ws.currentFormat().width;
    out->height = ws.currentFormat().height;
    out->colorCode = ws.currentFormat().colorCode;
    out->programFile = ws.mode() == kModeProgram;
    out->name = lastName;
    for (size_t f : ws.FormatsOf(iconIndex)) {
        std::vector<uint8_t> block;
        if (!ws.ReadImageOf(ws.formats()[f], &block)) return LibStatus::WorkspaceError;
        out->images.push_back(std::move(block));
    }
    return LibStatus::Ok;
}

std::vector<uint8_t> BuildIconUpdateBlock(uint16_t format, const ImageBlocks& images) {
    ByteWriter w;
    Header(w, kReleaseByReceiver, format);
    w.U32(static_cast<uint32_t>(images.size()));
    WriteImages(w, images);
    return w.Take();
}

std::optional<ImageBlocks> ParseIconUpdateBlock(std::span<const uint8_t> data) {
    ByteReader r(data);
    r.Skip(4);
    uint32_t n = r.U32();
    ImageBlocks images;
    if (!r.ok() || !ReadImages(r, n, &images)) return std::nullopt;
    return images;
}

std::vector<uint8_t> BuildDraggedIconsBlock(uint16_t format, const DraggedIconsBlock& block) {
    ByteWriter w;
    Header(w, kReleaseByReceiver, format);
    w.I32(block.x);
    w.I32(block.y);
    w.U32(static_cast<uint32_t>(block.icons.size()));
    size_t total = 18 + 54 * block.icons.size();
    for (const DraggedIcon& icon : block.icons) {
        w.U32(static_cast<uint32_t>(icon.images.size()));
        WriteImages(w, icon.images);
        total += ImagesSize(icon.images);
        std::string name = icon.name.substr(0, kDraggedNameBytes - 1);
        w.Text(name);
        w.Zeros(kDraggedNameBytes - name.size());
    }
    w.Zeros(total - w.size());
    return w.Take();
}

std::optional<DraggedIconsBlock> ParseDraggedIconsBlock(std::span<const uint8_t> data) {
    ByteReader r(data);
    r.Skip(4);
    DraggedIconsBlock b;
    b.x = r.I32();
    b.y = r.I32();
    uint32_t m = r.U32();
    // Every icon needs at least its count and name.
    if (!r.ok() || m > r.remaining() / (4 + kDraggedNameBytes)) return std::nullopt;
    for (uint32_t i = 0; i < m; ++i) {
        DraggedIcon icon;
        uint32_t k = r.U32();
        if (!r.ok() || !ReadImages(r, k, &icon.images)) return std::nullopt;
        auto name = r.Bytes(kDraggedNameBytes);
        if (!r.ok()) return std::nullopt;
        icon.name = ZeroTerminated(name);
        b.icons.push_back(std::move(icon));
    }
    return b;
}

std::vector<uint8_t> BuildFileNamesBlock(uint16_t format, const FileNamesBlock& block) {
    ByteWriter w;
    Header(w, kReleaseByReceiver, format);
    w.I32(block.x);
    w.I32(block.y);
    w.U32(block.askWhenNotEmpty ? 1 : 0);
    w.U32(block.foldersToSearch ? 1 : 0);
    w.U32(static_cast<uint32_t>(block.names.size()));
    for (const std::string& name : block.names) {
        w.Text(name);
        w.U8(0);
    }
    return w.Take();
}

std::optional<FileNamesBlock> ParseFileNamesBlock(std::span<const uint8_t> data) {
    ByteReader r(data);
    r.Skip(4);
    FileNamesBlock b;
    b.x = r.I32();
    b.y = r.I32();
    b.askWhenNotEmpty = r.U32() != 0;
    b.foldersToSearch = r.U32() != 0;
    uint32_t count = r.U32();
    if (!r.ok() || count > r.remaining()) return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
        auto rest = r.data().subspan(r.offset());
        auto end = std::find(rest.begin(), rest.end(), 0);
        // Each name must end with its zero inside the block.
        if (end == rest.end()) return std::nullopt;
        size_t n = static_cast<size_t>(end - rest.begin());
        b.names.emplace_back(rest.begin(), end);
        r.Skip(n + 1);
    }
    return b;
}

LibStatus ApplyIconUpdate(Workspace& ws, size_t iconIndex, const ImageBlocks& images) {
    return ws.ReplaceIconImages(iconIndex, images);
}

}  // namespace vt
