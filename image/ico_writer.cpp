#include <algorithm>

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

namespace {

// One directory entry and its data as they will be written.
struct Written {
    int fileIndex = -1;
    ImageFormat key;
    const IconImage* image = nullptr;
    const KeptImage* kept = nullptr;

    bool Unchanged() const {
        return kept || (!image->fileData.empty() && image->block == image->blockAsRead);
    }
    size_t Bytes() const {
        if (kept) return kept->data.size();
        return Unchanged() ? image->fileData.size() : image->BlockBytes();
    }
};

bool SortsAfter(const ImageFormat& a, const ImageFormat& b) {
    if (a.width != b.width) return a.width > b.width;
    if (a.height != b.height) return a.height > b.height;
    return a.colorCode > b.colorCode;
}

// Everything read from the file in its directory order; each image made here after the last one
// that does not sort after it.
std::vector<Written> WriteOrder(const IconResource& doc) {
    std::vector<Written> order;
    std::vector<const IconImage*> made;
    for (const IconImage& img : doc.images) {
        if (!IsWritten(img)) continue;
        if (img.fileIndex < 0) {
            made.push_back(&img);
            continue;
        }
        order.push_back({img.fileIndex, {img.width, img.height, img.colorCode}, &img, nullptr});
    }
    for (const KeptImage& k : doc.keptImages)
        order.push_back({k.fileIndex, {k.width, k.height, k.colorCode}, nullptr, &k});
    std::stable_sort(order.begin(), order.end(),
                     [](const Written& a, const Written& b) { return a.fileIndex < b.fileIndex; });
    for (const IconImage* img : made) {
        const Written w{-1, {img->width, img->height, img->colorCode}, img, nullptr};
        size_t at = order.size();
        while (at > 0 && SortsAfter(order[at - 1].key, w.key)) --at;
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), w);
    }
    return order;
}

}  // namespace

bool EncodeIcoFile(const IconResource& doc, std::vector<uint8_t>* out) {
    const std::vector<Written> written = WriteOrder(doc);
    uint64_t total = 0;
    for (const Written& w : written) total += 16 + w.Bytes();
    // The count is a 16-bit field and every offset a 32-bit one.
    if (written.size() > 0xFFFF || 6 + total > 0xFFFFFFFFu) return false;

    const bool cursor = doc.IsCursor();
    ByteWriter w;
    w.U16(0);
    w.U16(cursor ? kCursorResource : kIconResource);
    w.U16(static_cast<uint16_t>(written.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * written.size());
    for (const Written& item : written) {
        const IconImage* img = item.image;
        if (item.Unchanged()) {
            std::array<uint8_t, 8> entry = item.kept ? item.kept->fileEntry : img->fileEntry;
            if (cursor && img) {
                StoreLE16(entry.data() + 4, static_cast<uint16_t>(img->hotSpotX));
                StoreLE16(entry.data() + 6, static_cast<uint16_t>(img->hotSpotY));
            }
            w.Bytes(entry);
        } else {
            w.U8(static_cast<uint8_t>(img->width));
            w.U8(static_cast<uint8_t>(img->height));
            // 256 colours and true colour both come out as 0; the bitmap header tells them apart.
            w.U8(static_cast<uint8_t>(img->colorCode));
            w.U8(0);
            w.U16(cursor ? static_cast<uint16_t>(img->hotSpotX) : 0);
            w.U16(cursor ? static_cast<uint16_t>(img->hotSpotY) : 0);
        }
        w.U32(static_cast<uint32_t>(item.Bytes()));
        w.U32(offset);
        offset += static_cast<uint32_t>(item.Bytes());
    }
    for (const Written& item : written) {
        if (item.kept) {
            w.Bytes(item.kept->data);
            continue;
        }
        const IconImage* img = item.image;
        if (item.Unchanged()) {
            w.Bytes(img->fileData);
            continue;
        }
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
