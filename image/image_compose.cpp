#include "image/image_compose.h"

namespace vt {

uint32_t InkColour(const IconImage& image, uint32_t value) {
    if (!IsPaletteBased(image.colorCode)) return value & 0xFFFFFF;
    return value < image.TableEntries() ? image.TableColor(value) : 0;
}

std::vector<uint32_t> ComposeImage(const IconImage& image, uint32_t background) {
    std::vector<uint32_t> out;
    if (!image.HasBits()) return out;
    out.reserve(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t base = image.AndBit(x, y) ? background & 0xFFFFFF : 0;
            out.push_back(base ^ InkColour(image, image.XorValue(x, y)));
        }
    return out;
}

}  // namespace vt
