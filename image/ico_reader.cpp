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

bool IsPng(std::span<const uint8_t> data) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data.size() >= 8 && std::memcmp(data.data(), kSignature, 8) == 0;
}

uint32_t LoadBE32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// What the user is told about an image that is kept but cannot be edited.
KeptImage DescribeKept(int index, const uint8_t* entry, std::vector<uint8_t> data,
                       const char* reason) {
    KeptImage k;
    k.fileIndex = index;
    std::memcpy(k.fileEntry.data(), entry, k.fileEntry.size());
    // A 0 in the entry's one-byte sizes stands for 256.
    k.width = entry[0] ? entry[0] : 256;
    k.height = entry[1] ? entry[1] : 256;
    const bool png = IsPng(data);
    if (png && data.size() >= 24 && std::memcmp(data.data() + 12, "IHDR", 4) == 0) {
        k.width = static_cast<int32_t>(std::min<uint32_t>(LoadBE32(data.data() + 16), 1u << 16));
        k.height = static_cast<int32_t>(std::min<uint32_t>(LoadBE32(data.data() + 20), 1u << 16));
    } else if (!png && data.size() >= kBitmapHeaderSize) {
        const BitmapInfoHeader h = BitmapInfoHeader::Load(data.data());
        if (h.width > 0 && h.width <= (1 << 16) && h.height > 1 && h.height <= (1 << 17)) {
            k.width = h.width;
            k.height = h.height / 2;
            k.colorCode = CodeForBitCount(h.bitCount);
        }
    }
    k.description = Format("%dx%d, %s", k.width, k.height, png ? "PNG compressed" : reason);
    k.data = std::move(data);
    return k;
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
    size_t keptBytes = 0;
    // The entry's data exactly as the file holds them, when they can be had whole and within the
    // limits; empty otherwise.
    auto readWhole = [&](uint32_t offset, uint32_t bytes) {
        std::vector<uint8_t> whole;
        if (bytes == 0 || bytes > kMaxKeptImageBytes || keptBytes + bytes > kMaxKeptTotalBytes)
            return whole;
        try {
            whole.resize(bytes);
        } catch (const std::bad_alloc&) {
            return std::vector<uint8_t>{};
        }
        if (source.ReadAt(offset, whole.data(), bytes) != bytes) return std::vector<uint8_t>{};
        keptBytes += bytes;
        return whole;
    };
    // An entry that is not taken as an editable image is kept as it is, when it can be had whole.
    auto keep = [&](size_t i, const uint8_t* e, const char* reason) -> bool {
        std::vector<uint8_t> whole = readWhole(LoadLE32(e + 12), LoadLE32(e + 8));
        if (whole.empty()) return true;
        try {
            out.keptImages.push_back(
                DescribeKept(static_cast<int>(i), e, std::move(whole), reason));
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    };
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = dir.data() + i * kEntrySize;
        const uint16_t hotX = LoadLE16(e + 4);
        const uint16_t hotY = LoadLE16(e + 6);
        const uint32_t bytes = LoadLE32(e + 8);
        const uint32_t offset = LoadLE32(e + 12);
        uint8_t header[kBitmapHeaderSize];
        if (bytes < kBitmapHeaderSize ||
            source.ReadAt(offset, header, sizeof header) != sizeof header) {
            // Too small for a bitmap: a PNG or other data can still be kept.
            if (bytes < kBitmapHeaderSize) {
                if (!keep(i, e, "a format the Studio cannot read")) return IcoStatus::OutOfMemory;
                continue;
            }
            return IcoStatus::ReadFailed;
        }
        FileImageLayout l;
        if (!LayoutOf(header, &l)) {
            if (!keep(i, e, "a format the Studio cannot read")) return IcoStatus::OutOfMemory;
            continue;
        }
        if (l.header.width > kMaxEditSide || l.height > kMaxEditSide) {
            if (!keep(i, e, "larger than the Studio edits")) return IcoStatus::OutOfMemory;
            continue;
        }
        const int32_t code =
            l.bits >= 16 ? kTrueColor : CodeForBitCount(static_cast<uint32_t>(l.bits));
        // The first image of a format wins, with its own hot spot; a second one is kept.
        if (int pos = FindImage(out, l.header.width, l.height, code);
            pos != 0 && out.images[static_cast<size_t>(pos - 1)].HasBits()) {
            if (!keep(i, e, "a second image of a format already present"))
                return IcoStatus::OutOfMemory;
            continue;
        }

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
        if (block.empty()) {
            if (!keep(i, e, "a format the Studio cannot read")) return IcoStatus::OutOfMemory;
            continue;
        }
        if (!FindOrCreateImage(out, block.data(), block.size(), host))
            return IcoStatus::OutOfMemory;
        IconImage& img = *out.ActiveImage();
        img.fileIndex = static_cast<int>(i);
        std::memcpy(img.fileEntry.data(), e, img.fileEntry.size());
        try {
            img.fileData = readWhole(offset, bytes);
            if (!img.fileData.empty()) img.blockAsRead = img.block;
        } catch (const std::bad_alloc&) {
            img.fileData.clear();
        }
        if (type == kCursorResource) {
            // A hot spot outside the image would point the cursor at nothing; keep it on the image.
            img.hotSpotX = std::min<uint32_t>(hotX, static_cast<uint32_t>(img.width - 1));
            img.hotSpotY = std::min<uint32_t>(hotY, static_cast<uint32_t>(img.height - 1));
        }
    }
    // A file of nothing but images kept unedited still opens: the user can save it as it is.
    return out.images.empty() && out.keptImages.empty() ? IcoStatus::NoUsableImage : IcoStatus::Ok;
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
    doc.keptImages = std::move(loaded.keptImages);
    doc.activeIndex = loaded.activeIndex;
    doc.resourceType = loaded.resourceType;
    doc.fileType = loaded.resourceType;
    doc.path = path;
    doc.modified = false;
    doc.untitled = false;
    doc.commands.newImageFormat = doc.resourceType == kIconResource;
    doc.commands.setHotSpot = doc.resourceType == kCursorResource;
    doc.commands.save = false;
    if (!doc.keptImages.empty()) host.Tell(KeptImagesText(doc), PromptIcon::Information);
    return true;
}

std::string KeptImagesText(const IconResource& doc) {
    std::string text = kKeptImagesText;
    for (const KeptImage& k : doc.keptImages) text += "\n" + k.description;
    return text;
}

}  // namespace vt
