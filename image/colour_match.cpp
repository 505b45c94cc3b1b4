#include "image/colour_match.h"

#include <cstdlib>

#include "image/icon_image.h"

namespace vt {

int NearestPaletteIndex(uint32_t colour, std::span<const uint32_t> palette) {
    const int red = colour & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = (colour >> 16) & 0xFF;
    int best = 0;
    int bestDistance = 768;
    const size_t count = palette.size() < 256 ? palette.size() : 256;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t e = palette[i];
        const int d = std::abs(red - static_cast<int>(e & 0xFF)) +
                      std::abs(green - static_cast<int>((e >> 8) & 0xFF)) +
                      std::abs(blue - static_cast<int>((e >> 16) & 0xFF));
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::vector<uint32_t> TableColours(const IconImage& image) {
    std::vector<uint32_t> colours;
    if (!IsPaletteBased(image.colorCode) || !image.HasBits()) return colours;
    const uint32_t entries = image.TableEntries() < 256 ? image.TableEntries() : 256;
    colours.reserve(entries);
    for (uint32_t i = 0; i < entries; ++i) colours.push_back(image.TableColor(i));
    return colours;
}

int NearestPaletteIndex(const IconImage& image, uint32_t colour) {
    return NearestPaletteIndex(colour, TableColours(image));
}

int ExactOrNearestIndex(const IconImage& image, uint32_t colour) {
    const std::vector<uint32_t> table = TableColours(image);
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == colour) return static_cast<int>(i);
    return NearestPaletteIndex(colour, table);
}

}  // namespace vt
