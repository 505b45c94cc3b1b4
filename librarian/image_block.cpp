#include "librarian/image_block.h"

#include <cstring>

#include "common/byte_reader.h"
#include "librarian/workspace_types.h"

namespace vt {

BlockRead ClassifyBlock(uint64_t size, std::span<const uint8_t> head) {
    // Blocks of 64 KB and more cannot be described by the tables' 16-bit sizes, and nothing larger
    // than the image buffer is ever read.
    if (size > kImageBufferSize || size > 0xFFFF) return BlockRead::LeftOut;
    if (size < 40 || head.size() < 8) return BlockRead::Bad;
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(head.data(), kPng, sizeof kPng) == 0) return BlockRead::LeftOut;
    return LoadLE32(head.data()) == 40 ? BlockRead::Ok : BlockRead::Bad;
}

BlockRead ReadImageBlock(CachedFile& file, uint64_t offset, uint64_t size,
                         std::vector<uint8_t>* block) {
    if (size > kImageBufferSize || size > 0xFFFF) return BlockRead::LeftOut;
    if (size < 40) return BlockRead::Bad;
    block->resize(static_cast<size_t>(size));
    if (!file.ReadAt(offset, block->data(), block->size())) return BlockRead::Bad;
    return ClassifyBlock(size, *block);
}

BlockFacts FactsOf(std::span<const uint8_t> block) {
    ByteReader r(block);
    r.Skip(4);
    int32_t width = r.I32();
    int32_t height2 = r.I32();
    uint16_t planes = r.U16();
    uint16_t bits = r.U16();
    BlockFacts f;
    f.width = static_cast<uint16_t>(width);
    f.height = static_cast<uint16_t>(height2 / 2);
    f.colorCode = ColorCodeFromBits(uint32_t{planes} * bits);
    return f;
}

}  // namespace vt
