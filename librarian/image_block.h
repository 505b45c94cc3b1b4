#pragma once
// One image block on its way from a source file into the workspace: size limits, the DIB check,
// and the facts the tables record about it.

#include <cstdint>
#include <span>
#include <vector>

#include "librarian/cached_file.h"

namespace vt {

enum class BlockRead {
    Ok,
    LeftOut,  // valid in its file but not something the workspace holds: too large, or PNG
    Bad,      // short read, or neither a DIB nor PNG: the file's read fails
};

// Whether a block of `size` bytes whose first bytes are `head` can go into the workspace.
BlockRead ClassifyBlock(uint64_t size, std::span<const uint8_t> head);

// Reads `size` bytes at `offset` into *block (at most the 17,408-byte image buffer).
BlockRead ReadImageBlock(CachedFile& file, uint64_t offset, uint64_t size,
                         std::vector<uint8_t>* block);

struct BlockFacts {
    uint16_t width = 0;
    uint16_t height = 0;  // half of biHeight
    uint16_t colorCode = 0;
};
// The facts of a block already known to begin with a 40-byte header.
BlockFacts FactsOf(std::span<const uint8_t> block);

}  // namespace vt
