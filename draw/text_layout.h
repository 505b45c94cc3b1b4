#pragma once
// The text tool's rules between rendering and the floating selection: when a text change is not
// shown, how the rendered box is clipped, the floating pixels made from the lit and unlit pixels,
// and the cells a previous box covered that the new one does not.

#include <cstdint>
#include <vector>

#include "draw/ink.h"
#include "draw/selection.h"

namespace vt {

// A text change keeps the previous rendering when the previous box already spanned the whole
// image width and the new box is wider still, or when the new box is taller than the font's
// absolute height plus the image height less one.
bool TextChangeRefused(int previousWidth, int newWidth, int newHeight, int fontHeight,
                       int imageWidth, int imageHeight);

struct TextBoxSize {
    int width = 0;
    int height = 0;
};

// The box cut to the image: width at most the image width and the image width plus the text
// position's x; height likewise.
TextBoxSize ClipTextBox(TextBoxSize box, Point position, int imageWidth, int imageHeight);

// The floating selection of a rendered box: `lit` holds one byte per pixel, rows from the top
// (stride = box width); lit pixels take colour A, the others colour B, placed at the text position.
std::vector<FloatingPixel> TextFloatingPixels(const std::vector<uint8_t>& lit, TextBoxSize box,
                                              Point position, Ink colorA, Ink colorB);

// The image pixels inside `previous` and outside `current` (both at the same text position),
// which must show the image again.
std::vector<Point> CellsLeftBehind(const SelectionRect& previous, const SelectionRect& current,
                                   int imageWidth, int imageHeight);

}  // namespace vt
