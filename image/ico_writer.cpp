#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/file_io.h"
#include "image/ico_file.h"

namespace vt {

namespace {

// Untouched blank formats and records without bits are not part of the file.
bool IsWritten(const IconImage& img) {
    return img.HasBits() && !img.untouched;
}

}  // namespace

bool EncodeIcoFile(const IconResource& doc, std::vector<uint8_t>* out) {
    std::vector<const IconImage*> written;
    uint64_t total = 0;
    for (const IconImage& img : doc.images) {
        if (!IsWritten(img)) continue;
        written.push_back(&img);
        total += 16 + img.BlockBytes();
    }
    // The count is a 16-bit field and every offset a 32-bit one.
    if (written.size() > 0xFFFF || 6 + total > 0xFFFFFFFFu) return false;

    const bool cursor = doc.IsCursor();
    ByteWriter w;
    w.U16(0);
    w.U16(cursor ? kCursorResource : kIconResource);
    w.U16(static_cast<uint16_t>(written.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * written.size());
    for (const IconImage* img : written) {
        w.U8(static_cast<uint8_t>(img->width));
        w.U8(static_cast<uint8_t>(img->height));
        // 256 colours and true colour both come out as 0; the bitmap header tells them apart.
        w.U8(static_cast<uint8_t>(img->colorCode));
        w.U8(0);
        w.U16(cursor ? static_cast<uint16_t>(img->hotSpotX) : 0);
        w.U16(cursor ? static_cast<uint16_t>(img->hotSpotY) : 0);
        w.U32(static_cast<uint32_t>(img->BlockBytes()));
        w.U32(offset);
        offset += static_cast<uint32_t>(img->BlockBytes());
    }
    for (const IconImage* img : written) {
        const size_t at = w.size();
        w.Bytes(std::span<const uint8_t>(img->block).first(img->BlockBytes()));
        // The file form holds the XOR and AND bitmaps as one image of double height.
        w.PatchU32(at + 8, static_cast<uint32_t>(2 * img->height));
        w.PatchU32(at + 20, static_cast<uint32_t>(img->XorBytes() + img->AndBytes()));
    }
    *out = w.Take();
    return true;
}

bool WriteIconFile(IconResource& doc, const std::string& target) {
    std::vector<uint8_t> bytes;
    // The Studio's prefix for its temporary files; the old file stays until this one is whole.
    if (!EncodeIcoFile(doc, &bytes) || !WriteFileReplacing(target, "ICS", bytes)) return false;
    doc.path = target;
    doc.untitled = false;
    doc.modified = false;
    doc.fileType = doc.IsCursor() ? kCursorFile : kIconFile;
    for (IconImage& img : doc.images) img.changed = false;
    doc.commands.save = false;
    doc.commands.newImageFormat = doc.resourceType == kIconResource;
    return true;
}

}  // namespace vt
