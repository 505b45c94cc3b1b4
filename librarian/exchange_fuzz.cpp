// Exchange blocks arrive from other processes: every parser must hold to the block's bounds.
#include <cstdint>
#include <span>

#include "librarian/exchange_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> block(data, size);
    if (auto b = vt::ParseEditIconBlock(block)) vt::BuildEditIconBlock(1, *b);
    if (auto b = vt::ParseIconUpdateBlock(block)) vt::BuildIconUpdateBlock(1, *b);
    if (auto b = vt::ParseDraggedIconsBlock(block)) vt::BuildDraggedIconsBlock(1, *b);
    if (auto b = vt::ParseFileNamesBlock(block)) vt::BuildFileNamesBlock(1, *b);
    return 0;
}
