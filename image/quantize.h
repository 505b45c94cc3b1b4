#pragma once
// Reducing true colour to 256 colours with an octree: 254 colours from the picture, then black
// at 254 and white at 255 so that screen and inverse pixels always have their entries.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vt {

constexpr int kQuantizedColours = 254;
constexpr uint8_t kQuantizedBlack = 254;
constexpr uint8_t kQuantizedWhite = 255;
constexpr uint32_t kQuantizedFiller = 0xC0C0C0;  // entries the picture leaves unused

struct QuantizedPicture {
    std::vector<uint8_t> indices;         // one per input pixel
    std::array<uint32_t, 256> palette{};  // colour values; unused entries are kQuantizedFiller
    int coloursFound = 0;  // entries 0 to coloursFound - 1 hold the picture's colours
};

// Quantizes colour values (0x00BBGGRR), one per pixel in any order. Returns false when its work
// memory cannot be had; the caller reports that in its own words.
bool QuantizeTo8Bit(std::span<const uint32_t> pixels, QuantizedPicture* out);

// The 15-bit octree leaf of a colour: the top five bits of each channel interleaved from the
// most significant down, blue, green, red in each three-bit group.
uint32_t OctreeLeafIndex(uint32_t colour);

}  // namespace vt
