#pragma once
// Bitmap files built in code for the reader's tests and seeds.

#include <cstdint>
#include <vector>

namespace vt::test {

struct BmpFixture {
    int width = 8;
    int height = 8;
    int bits = 24;  // 1, 4, 8, 16, 24, 32
    bool topDown = false;
    // 16 and 32 bits: written with BI_BITFIELDS and these masks when set.
    bool bitFields = false;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint32_t> table;  // colour values, for up to 8 bits (biClrUsed = its size)
    // Indices (up to 8 bits) or raw pixel values (16 and 32 bits) or colour values (24 bits),
    // rows from the top.
    std::vector<uint32_t> pixels;
};

std::vector<uint8_t> MakeBmp(const BmpFixture& fixture);
// An RLE8 or RLE4 file: the given compressed bytes after a full table.
std::vector<uint8_t> MakeRleBmp(int width, int height, bool four,
                                const std::vector<uint32_t>& table,
                                const std::vector<uint8_t>& data);

}  // namespace vt::test
