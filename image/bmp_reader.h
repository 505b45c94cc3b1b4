#pragma once
// Reading a Windows bitmap file into plain colours: 1, 4, 8 and 24 bits uncompressed, 16 and 32
// bits with or without bit fields, and RLE8/RLE4, bottom-up or top-down.

#include <cstdint>
#include <span>
#include <vector>

namespace vt {

struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> colours;  // colour values (0x00BBGGRR), rows from the top
    // The file's colour table (colour values) for 1-, 4- and 8-bit files; empty otherwise.
    std::vector<uint32_t> table;
    // Per pixel, its table index (only for files with a table).
    std::vector<uint8_t> indices;
};

enum class BmpError { None, Truncated, Unsupported, TooLarge };

// Pictures larger than this many pixels are refused before any pixel memory is taken.
constexpr size_t kBmpMaxPixels = size_t{1} << 24;

BmpError ReadBmp(std::span<const uint8_t> file, BmpPicture* out);

}  // namespace vt
