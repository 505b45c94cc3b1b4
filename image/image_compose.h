#pragma once
// An image as the screen shows it: every pixel's AND bit applied to a background with AND and
// its XOR colour with XOR, the way the system draws icons. The preview, the format list's
// thumbnails and screenshots all paint from this.

#include <cstdint>
#include <vector>

#include "image/icon_image.h"

namespace vt {

// The colour a pixel value stands for: its table colour, or the value itself for true colour
// (both 0x00BBGGRR).
uint32_t InkColour(const IconImage& image, uint32_t value);

// Rows from the top, colour values 0x00BBGGRR. Screen pixels (AND 1, black) show `background`;
// inverse pixels (AND 1, white) show its complement.
std::vector<uint32_t> ComposeImage(const IconImage& image, uint32_t background);

}  // namespace vt
