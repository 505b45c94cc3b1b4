#include "draw/text_layout.h"

#include <algorithm>

namespace vt {

bool TextChangeRefused(int previousWidth, int newWidth, int newHeight, int fontHeight,
                       int imageWidth, int imageHeight) {
    if (previousWidth >= imageWidth && newWidth > previousWidth) return true;
    const int absoluteHeight = fontHeight < 0 ? -fontHeight : fontHeight;
    return newHeight > absoluteHeight + imageHeight - 1;
}

TextBoxSize ClipTextBox(TextBoxSize box, Point position, int imageWidth, int imageHeight) {
    box.width = std::max(0, std::min({box.width, imageWidth, imageWidth + position.x}));
    box.height = std::max(0, std::min({box.height, imageHeight, imageHeight + position.y}));
    return box;
}

std::vector<FloatingPixel> TextFloatingPixels(const std::vector<uint8_t>& lit, TextBoxSize box,
                                              Point position, Ink colorA, Ink colorB) {
    std::vector<FloatingPixel> out;
    if (box.width <= 0 || box.height <= 0 ||
        lit.size() < static_cast<size_t>(box.width) * static_cast<size_t>(box.height))
        return out;
    out.reserve(static_cast<size_t>(box.width) * static_cast<size_t>(box.height));
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x) {
            const Ink ink = lit[static_cast<size_t>(y) * box.width + x] ? colorA : colorB;
            FloatingPixel p;
            p.x = static_cast<int16_t>(position.x + x);
            p.y = static_cast<int16_t>(position.y + y);
            p.value = ink.value;
            p.special = ink.special ? 1 : 0;
            out.push_back(p);
        }
    return out;
}

std::vector<Point> CellsLeftBehind(const SelectionRect& previous, const SelectionRect& current,
                                   int imageWidth, int imageHeight) {
    std::vector<Point> out;
    for (int y = std::max(0, previous.top); y < std::min(previous.bottom, imageHeight); ++y)
        for (int x = std::max(0, previous.left); x < std::min(previous.right, imageWidth); ++x)
            if (!current.Contains(x, y)) out.push_back({x, y});
    return out;
}

}  // namespace vt
