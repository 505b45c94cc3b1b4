#pragma once
// Finding the palette entry for a colour. Colours are colour values (0x00BBGGRR).

#include <cstdint>
#include <span>
#include <vector>

namespace vt {

struct IconImage;

// Index of the entry closest to `colour` by the sum of absolute channel differences; the lowest
// index wins a tie. 0 for an empty palette.
int NearestPaletteIndex(uint32_t colour, std::span<const uint32_t> palette);
// The same over the image's colour table, entries 0 up to the smaller of its code and 256.
int NearestPaletteIndex(const IconImage& image, uint32_t colour);
// The entry that holds exactly `colour` (the lowest one), else the nearest.
int ExactOrNearestIndex(const IconImage& image, uint32_t colour);

// The image's colour table as colour values (as many entries as its code has; none for true
// colour).
std::vector<uint32_t> TableColours(const IconImage& image);

}  // namespace vt
