#include <algorithm>
#include <cstring>
#include <new>

#include "common/byte_reader.h"
#include "common/file_io.h"
#include "common/prompt.h"
#include "image/ico_file.h"

namespace vt {

namespace {

constexpr size_t kFileHeaderSize = 6;
constexpr size_t kEntrySize = 16;
// The header and one entry: anything shorter cannot describe an image.
constexpr size_t kMinFileSize = kFileHeaderSize + kEntrySize;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

// Where the parts of one file image lie, checked against the data.
struct FileImageLayout {
    BitmapInfoHeader header;
    int32_t height = 0;  // one image
    int bits = 0;
    uint32_t tableEntries = 0;  // entries present in the file
    uint32_t masks[3] = {};     // 16- and 32-bit channel masks: red, green, blue
    size_t tableOffset = 0;
    size_t xorOffset = 0;
    size_t xorStride = 0;
    size_t andOffset = 0;
    size_t needed = 0;  // everything up to the end of the AND bits
};

// Checks the header of one file image and works out its layout; false for anything this model
// cannot hold (compressed or PNG data, sizes beyond 256, odd bit counts).
bool LayoutOf(const uint8_t* headerBytes, FileImageLayout* out) {
    FileImageLayout l;
    l.header = BitmapInfoHeader::Load(headerBytes);
    const BitmapInfoHeader& h = l.header;
    // Up to a version-5 header; anything larger is not a bitmap header.
    if (h.size < kBitmapHeaderSize || h.size > 124) return false;
    l.height = h.height / 2;
    if (h.width < 1 || h.width > kMaxImageSide || l.height < 1 || l.height > kMaxImageSide)
        return false;
    // Planes other than 1 never occur in icons; 0 is taken as 1 rather than as a depth of 0.
    if (h.planes > 1) return false;
    l.bits = h.bitCount;
    if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 16 && l.bits != 24 && l.bits != 32)
        return false;
    const bool direct = l.bits >= 16;
    if (h.compression != kBiRgb &&
        !(h.compression == kBiBitfields && (l.bits == 16 || l.bits == 32)))
        return false;
    if (h.clrUsed > 256) return false;
    l.tableEntries = h.clrUsed != 0 ? h.clrUsed : (direct ? 0 : (1u << l.bits));

    size_t maskBytes = 0;
    if (l.bits == 16) {
        l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
    } else if (l.bits == 32) {
        l.masks[0] = 0xFF0000, l.masks[1] = 0x00FF00, l.masks[2] = 0x0000FF;
    }
    // With bit fields the three masks follow a 40-byte header, or sit inside a larger one.
    if (h.compression == kBiBitfields && h.size == kBitmapHeaderSize) maskBytes = 12;
    if (h.compression == kBiBitfields && h.size > kBitmapHeaderSize && h.size < 52) return false;
    l.tableOffset = h.size + maskBytes;
    l.xorOffset = l.tableOffset + 4 * static_cast<size_t>(l.tableEntries);
    l.xorStride = XorStride(h.width, l.bits);
    l.andOffset = l.xorOffset + static_cast<size_t>(l.height) * l.xorStride;
    l.needed = l.andOffset + AndSize(h.width, l.height);
    *out = l;
    return true;
}

uint8_t ScaleChannel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    uint32_t max = mask >> shift;
    return static_cast<uint8_t>((((pixel & mask) >> shift) * 255 + max / 2) / max);
}

// 16- and 32-bit rows into 24 bits. A 32-bit image whose alpha is used anywhere is transparent
// where alpha is below half, whatever its mask says; without alpha the mask alone decides.
void ConvertDirectPixels(const FileImageLayout& l, std::span<const uint8_t> data, IconImage& img) {
    const uint8_t* xorBase = data.data() + l.xorOffset;
    const int32_t w = img.width, hgt = img.height;
    bool alphaUsed = false;
    if (l.bits == 32 && l.header.compression == kBiRgb) {
        for (int32_t row = 0; row < hgt && !alphaUsed; ++row)
            for (int32_t x = 0; x < w && !alphaUsed; ++x)
                alphaUsed = xorBase[row * l.xorStride + 4 * static_cast<size_t>(x) + 3] != 0;
    }
    for (int32_t y = 0; y < hgt; ++y) {
        const uint8_t* row = xorBase + static_cast<size_t>(hgt - 1 - y) * l.xorStride;
        for (int32_t x = 0; x < w; ++x) {
            uint32_t px = l.bits == 16 ? LoadLE16(row + 2 * static_cast<size_t>(x))
                                       : LoadLE32(row + 4 * static_cast<size_t>(x));
            uint32_t r = ScaleChannel(px, l.masks[0]);
            uint32_t g = ScaleChannel(px, l.masks[1]);
            uint32_t b = ScaleChannel(px, l.masks[2]);
            uint32_t value = r | (g << 8) | (b << 16);
            if (alphaUsed) {
                bool clear = (px >> 24) < 128;
                img.SetAndBit(x, y, clear);
                if (clear) value = 0;
            }
            img.SetXorValue(x, y, value);
        }
    }
}

}  // namespace

size_t MemorySource::ReadAt(uint64_t offset, uint8_t* out, size_t n) {
    if (offset >= m_data.size()) return 0;
    size_t off = static_cast<size_t>(offset);
    size_t take = std::min(n, m_data.size() - off);
    std::memcpy(out, m_data.data() + off, take);
    return take;
}

std::vector<uint8_t> NormaliseFileImage(std::span<const uint8_t> data) {
    if (data.size() < kBitmapHeaderSize) return {};
    FileImageLayout l;
    if (!LayoutOf(data.data(), &l)) return {};
    // Nothing beyond the data is used: the table and XOR bits must be there in full; a missing
    // part of the AND bits is taken as opaque.
    if (!InRange(data.size(), 0, l.andOffset)) return {};
    // Either way the masks are the 12 bytes after the first 40, before the table.
    if (l.header.compression == kBiBitfields) {
        for (int i = 0; i < 3; ++i) l.masks[i] = LoadLE32(data.data() + kBitmapHeaderSize + 4 * i);
    }

    IconImage img;
    img.width = l.header.width;
    img.height = l.height;
    img.colorCode = l.bits >= 16 ? kTrueColor : CodeForBitCount(static_cast<uint32_t>(l.bits));
    if (!img.AllocateBlock()) return {};

    // Keep what the file says about resolution and important colours; the rest is ours.
    BitmapInfoHeader h = BitmapInfoHeader::Load(img.block.data());
    h.xPelsPerMeter = l.header.xPelsPerMeter;
    h.yPelsPerMeter = l.header.yPelsPerMeter;
    h.clrImportant = std::min<uint32_t>(l.header.clrImportant, img.TableEntries());
    h.Store(img.block.data());

    const uint32_t copyEntries = std::min(l.tableEntries, img.TableEntries());
    std::span<uint8_t> table = img.ColorTable();
    for (uint32_t i = 0; i < copyEntries; ++i) {
        // The reserved byte is always 0 in our tables.
        uint32_t entry = LoadLE32(data.data() + l.tableOffset + 4 * static_cast<size_t>(i));
        StoreLE32(table.data() + 4 * static_cast<size_t>(i), entry & 0xFFFFFF);
    }

    std::span<uint8_t> mask = img.AndBits();
    size_t andAvailable = data.size() - l.andOffset;
    std::memcpy(mask.data(), data.data() + l.andOffset, std::min(mask.size(), andAvailable));

    if (l.bits >= 16 && l.bits != 24) {
        ConvertDirectPixels(l, data, img);
    } else {
        std::span<uint8_t> bits = img.XorBits();
        std::memcpy(bits.data(), data.data() + l.xorOffset, bits.size());
    }
    return std::move(img.block);
}

IcoStatus DecodeIcoFile(ByteSource& source, IconResource& out, ImageHost& host) {
    uint8_t head[kFileHeaderSize + kEntrySize];
    if (source.ReadAt(0, head, sizeof head) < kMinFileSize) return IcoStatus::TooShort;
    const uint16_t reserved = LoadLE16(head);
    const uint16_t type = LoadLE16(head + 2);
    const uint16_t count = LoadLE16(head + 4);
    if (reserved != 0 || (type != kIconResource && type != kCursorResource))
        return IcoStatus::InvalidHeader;
    if (count == 0) return IcoStatus::NoEntries;

    // Only entries the file holds in full are used.
    const size_t wanted = std::min<size_t>(count, kMaxIcoEntries);
    std::vector<uint8_t> dir(wanted * kEntrySize);
    const size_t got = source.ReadAt(kFileHeaderSize, dir.data(), dir.size());
    const size_t entries = got / kEntrySize;

    out.resourceType = type;
    // Entries never take the active format from the document being replaced.
    out.activeIndex = -1;
    std::vector<uint8_t> data;
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = dir.data() + i * kEntrySize;
        const uint16_t hotX = LoadLE16(e + 4);
        const uint16_t hotY = LoadLE16(e + 6);
        const uint32_t bytes = LoadLE32(e + 8);
        const uint32_t offset = LoadLE32(e + 12);
        if (bytes < kBitmapHeaderSize) continue;

        uint8_t header[kBitmapHeaderSize];
        if (source.ReadAt(offset, header, sizeof header) != sizeof header)
            return IcoStatus::ReadFailed;
        FileImageLayout l;
        if (!LayoutOf(header, &l)) continue;
        const int32_t code =
            l.bits >= 16 ? kTrueColor : CodeForBitCount(static_cast<uint32_t>(l.bits));
        // The first image of a format wins, with its own hot spot.
        if (int pos = FindImage(out, l.header.width, l.height, code);
            pos != 0 && out.images[static_cast<size_t>(pos - 1)].HasBits())
            continue;

        // Never more than the image can use, whatever the entry claims.
        const size_t take = std::min<size_t>(bytes, l.needed);
        try {
            data.resize(take);
        } catch (const std::bad_alloc&) {
            return IcoStatus::OutOfMemory;
        }
        if (source.ReadAt(offset, data.data(), take) != take) return IcoStatus::ReadFailed;
        std::vector<uint8_t> block;
        try {
            block = NormaliseFileImage(data);
        } catch (const std::bad_alloc&) {
            return IcoStatus::OutOfMemory;
        }
        if (block.empty()) continue;
        if (!FindOrCreateImage(out, block.data(), block.size(), host))
            return IcoStatus::OutOfMemory;
        IconImage& img = *out.ActiveImage();
        if (type == kCursorResource) {
            // A hot spot outside the image would point the cursor at nothing; keep it on the image.
            img.hotSpotX = std::min<uint32_t>(hotX, static_cast<uint32_t>(img.width - 1));
            img.hotSpotY = std::min<uint32_t>(hotY, static_cast<uint32_t>(img.height - 1));
        }
    }
    return out.images.empty() ? IcoStatus::NoUsableImage : IcoStatus::Ok;
}

namespace {

class FileSource : public ByteSource {
  public:
    explicit FileSource(InputFile& file) : m_file(file) {}
    size_t ReadAt(uint64_t offset, uint8_t* out, size_t n) override {
        return m_file.ReadSomeAt(offset, out, n);
    }

  private:
    InputFile& m_file;
};

}  // namespace

bool ReadIconFile(IconResource& doc, const std::string& path, ImageHost& host) {
    InputFile file;
    if (!file.Open(path)) return false;
    FileSource source(file);
    IconResource loaded;
    // No colours are asked for while reading; a file image brings its own.
    ImageHost quiet = host;
    quiet.prompt = nullptr;
    const IcoStatus status = DecodeIcoFile(source, loaded, quiet);
    file.Close();
    switch (status) {
        case IcoStatus::Ok:
            break;
        case IcoStatus::TooShort:
        case IcoStatus::NoEntries:
            return false;
        case IcoStatus::OutOfMemory:
            host.Tell(kOutOfMemoryText, PromptIcon::Stop);
            return false;
        case IcoStatus::InvalidHeader:
        case IcoStatus::ReadFailed:
        case IcoStatus::NoUsableImage:
            host.Tell(Format(kInvalidIcoText, path.c_str()), PromptIcon::Stop);
            return false;
    }
    doc.images = std::move(loaded.images);
    doc.activeIndex = loaded.activeIndex;
    doc.resourceType = loaded.resourceType;
    doc.fileType = loaded.resourceType;
    doc.path = path;
    doc.modified = false;
    doc.untitled = false;
    doc.commands.newImageFormat = doc.resourceType == kIconResource;
    doc.commands.setHotSpot = doc.resourceType == kCursorResource;
    doc.commands.save = false;
    return true;
}

}  // namespace vt
