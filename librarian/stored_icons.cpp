#include "librarian/stored_icons.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/file_io.h"
#include "common/prompt.h"
#include "librarian/cached_file.h"
#include "librarian/file_kind.h"
#include "librarian/module_resources.h"

namespace vt {
namespace {

constexpr size_t kGroupHeader = 6;
constexpr size_t kGroupEntry = 14;
constexpr size_t kFileEntry = 16;
// Enough of a block for its header: a DIB's 40 bytes, or a PNG's signature and IHDR chunk.
constexpr size_t kHeaderBytes = 64;
constexpr uint64_t kMaxStoredTotal = 256u << 20;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t LoadBE32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Reads one block (or its first bytes) into the image; a block that cannot be had gets a problem.
// `budget` is what whole blocks of this file may still take: many groups naming one large image
// must not make a small file cost unbounded memory.
void ReadBlock(CachedFile& file, uint64_t offset, uint64_t size, ReadDepth depth, uint64_t* budget,
               StoredImage* image) {
    image->size = size;
    if (size == 0) {
        image->problem = "the image is empty";
        return;
    }
    if (size > kMaxStoredBlock) {
        image->problem = "the image claims " + std::to_string(size) +
                         " bytes, more than the 16 MB an icon image may take";
        return;
    }
    if (offset > file.size() || size > file.size() - offset) {
        image->problem = "the image lies beyond the end of the file";
        return;
    }
    if (depth == ReadDepth::Whole) {
        if (size > *budget) {
            image->problem = "the file's images together exceed 256 MB";
            return;
        }
        *budget -= size;
    }
    size_t n = depth == ReadDepth::Whole
                   ? static_cast<size_t>(size)
                   : static_cast<size_t>(std::min<uint64_t>(size, kHeaderBytes));
    image->bytes.resize(n);
    if (!file.ReadAt(offset, image->bytes.data(), n)) {
        image->bytes.clear();
        image->problem = "the image could not be read";
        return;
    }
    image->description = DescribeBlock(image->bytes);
}

LibStatus ReadIconFileGroups(CachedFile& file, ReadDepth depth, std::vector<StoredGroup>* out) {
    uint8_t head[kGroupHeader];
    if (!file.ReadAt(0, head, sizeof head)) return LibStatus::ReadError;
    uint64_t budget = kMaxStoredTotal;
    StoredGroup group;
    group.type = LoadLE16(head + 2);
    if (LoadLE16(head) != 0 || (group.type != 1 && group.type != 2)) return LibStatus::ReadError;
    size_t count = LoadLE16(head + 4);
    if (count == 0) return LibStatus::NoIcons;
    std::vector<uint8_t> entries(kFileEntry * count);
    size_t got = file.ReadSomeAt(kGroupHeader, entries.data(), entries.size());
    if (got < entries.size()) {
        group.problem = "the directory promises " + std::to_string(count) +
                        " images but holds only " + std::to_string(got / kFileEntry);
        count = got / kFileEntry;
    }
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = entries.data() + kFileEntry * i;
        StoredImage image;
        std::memcpy(image.entry, e, sizeof image.entry);
        image.declaredSize = LoadLE32(e + 8);
        ReadBlock(file, LoadLE32(e + 12), image.declaredSize, depth, &budget, &image);
        group.images.push_back(std::move(image));
    }
    out->push_back(std::move(group));
    return LibStatus::Ok;
}

LibStatus ReadModuleGroups(CachedFile& file, ReadDepth depth, std::vector<StoredGroup>* out) {
    ModuleResources res;
    LibStatus st = WalkModuleResources(file, &res);
    if (st != LibStatus::Ok) return st;
    if (res.groups.empty()) return LibStatus::NoIcons;

    // A group names its images by resource ID; the first image of an ID answers.
    std::unordered_map<uint16_t, const ImageRef*> images;
    for (const ImageRef& image : res.images) images.emplace(image.resourceId, &image);
    uint64_t budget = kMaxStoredTotal;

    for (const GroupRef& g : res.groups) {
        StoredGroup group;
        group.named = g.named;
        group.id = g.named ? 0 : g.resourceId;
        group.name = g.fullName;
        uint8_t head[kGroupHeader];
        if (g.size < kGroupHeader || !file.ReadAt(g.offset, head, sizeof head)) {
            group.problem = "the group's directory cannot be read";
            out->push_back(std::move(group));
            continue;
        }
        size_t count = LoadLE16(head + 4);
        size_t fits =
            static_cast<size_t>(std::min<uint64_t>(count, (g.size - kGroupHeader) / kGroupEntry));
        std::vector<uint8_t> entries(kGroupEntry * fits);
        size_t got = file.ReadSomeAt(g.offset + kGroupHeader, entries.data(), entries.size());
        fits = std::min(fits, got / kGroupEntry);
        if (fits < count)
            group.problem = "the directory promises " + std::to_string(count) +
                            " images but holds only " + std::to_string(fits);
        for (size_t i = 0; i < fits; ++i) {
            const uint8_t* e = entries.data() + kGroupEntry * i;
            StoredImage image;
            std::memcpy(image.entry, e, sizeof image.entry);
            image.declaredSize = LoadLE32(e + 8);
            image.resourceId = LoadLE16(e + 12);
            auto found = images.find(image.resourceId);
            if (found == images.end()) {
                image.problem = Format("no icon resource with ID %u", image.resourceId);
                group.images.push_back(std::move(image));
                continue;
            }
            uint64_t size = found->second->size;
            // NE lengths are whole alignment units; the group's byte count is the block's size.
            if (res.isNE && image.declaredSize <= size && size - image.declaredSize < res.alignUnit)
                size = image.declaredSize;
            ReadBlock(file, found->second->offset, size, depth, &budget, &image);
            group.images.push_back(std::move(image));
        }
        out->push_back(std::move(group));
    }
    return LibStatus::Ok;
}

}  // namespace

BlockDescription DescribeBlock(std::span<const uint8_t> block) {
    BlockDescription d;
    if (block.size() >= sizeof kPngSignature &&
        std::memcmp(block.data(), kPngSignature, sizeof kPngSignature) == 0) {
        d.kind = BlockKind::Png;
        if (block.size() < 29 || std::memcmp(block.data() + 12, "IHDR", 4) != 0) return d;
        d.width = LoadBE32(block.data() + 16);
        d.height = LoadBE32(block.data() + 20);
        uint8_t depth = block[24], colourType = block[25];
        static const uint8_t kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
        uint8_t channels = colourType < 7 ? kChannels[colourType] : 0;
        d.bitCount = uint32_t{depth} * channels;
        bool depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        d.readable = d.width > 0 && d.height > 0 && d.width <= 0x7FFFFFFF &&
                     d.height <= 0x7FFFFFFF && depthOk && channels > 0;
        return d;
    }
    ByteReader r(block);
    uint32_t headerSize = r.U32();
    int32_t width = r.I32();
    int32_t height2 = r.I32();
    uint16_t planes = r.U16();
    uint16_t bits = r.U16();
    uint32_t compression = r.U32();
    if (!r.ok()) return d;
    d.kind = BlockKind::Dib;
    bool sizeOk = headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
                  headerSize == 124;
    if (!sizeOk) {
        d.kind = BlockKind::Unknown;
        return d;
    }
    d.width = width > 0 ? static_cast<uint32_t>(width) : 0;
    d.height = height2 > 0 ? static_cast<uint32_t>(height2 / 2) : 0;
    d.bitCount = bits;
    bool bitsOk = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    d.readable = d.width > 0 && d.width <= 4096 && d.height > 0 && d.height <= 4096 &&
                 planes <= 1 && bitsOk && (compression == 0 || compression == 3);
    return d;
}

std::string BlockText(const BlockDescription& d) {
    if (!d.readable) return "unreadable header";
    if (d.kind == BlockKind::Png) return Format("PNG %u×%u", d.width, d.height);
    std::string depth;
    if (d.bitCount <= 8)
        depth = Format("%u colors", 1u << d.bitCount);
    else if (d.bitCount == 16)
        depth = "High Color";
    else if (d.bitCount == 24)
        depth = "True Color";
    else
        depth = "True Color with alpha";
    return Format("%u×%u, %s", d.width, d.height, depth.c_str());
}

LibStatus ReadStoredIcons(const std::string& path, ReadDepth depth, int* kind,
                          std::vector<StoredGroup>* out) {
    out->clear();
    *kind = kKindUnknown;
    // One open for the kind and the read: over a folder of program files, opens are the cost.
    CachedFile file;
    if (!file.Open(path)) return LibStatus::CannotOpen;
    uint8_t head[256];
    size_t got = file.ReadSomeAt(0, head, sizeof head);
    *kind = DroppedFileKind(path, std::span<const uint8_t>(head, got));
    if (*kind == kKindUnknown) return LibStatus::NotRecognised;
    // Only the Librarian's own extensions make a library; any other module is a program file.
    std::string ext = LowerExtension(path);
    if (*kind == kKindLibrary && ext != "icl" && ext != "il" && ext != "nil") *kind = kKindProgram;
    LibStatus st = *kind == kKindIconFile ? ReadIconFileGroups(file, depth, out)
                                          : ReadModuleGroups(file, depth, out);
    if (st == LibStatus::Ok && out->empty()) return LibStatus::NoIcons;
    return st;
}

std::vector<uint8_t> BuildStoredIconFile(const StoredGroup& group) {
    std::vector<const StoredImage*> taken;
    for (const StoredImage& image : group.images)
        if (image.problem.empty() && image.bytes.size() == image.size) taken.push_back(&image);
    ByteWriter w;
    w.U16(0);
    w.U16(group.type);
    w.U16(static_cast<uint16_t>(taken.size()));
    uint64_t offset = kGroupHeader + kFileEntry * taken.size();
    for (const StoredImage* image : taken) {
        w.Bytes(std::span<const uint8_t>(image->entry, sizeof image->entry));
        w.U32(static_cast<uint32_t>(image->size));
        w.U32(static_cast<uint32_t>(offset));
        offset += image->size;
    }
    for (const StoredImage* image : taken) w.Bytes(image->bytes);
    return w.Take();
}

}  // namespace vt
