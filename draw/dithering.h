#pragma once
// The four dithering modes of the pixel tools ("Paint all pixels", "Paint every other pixel",
// "Paint even pixels", "Paint odd pixels").

#include "draw/ink.h"

namespace vt {

enum DitherMode : int { kDitherAll = 0, kDitherEveryOther = 1, kDitherEven = 2, kDitherOdd = 3 };

// Whether a tool may write (x, y). Only whether (x + y) % 2 is zero counts, which keeps negative
// positions of shapes dragged off the grid on the same checkerboard.
bool PatternAllows(int mode, Point anchor, int x, int y);

}  // namespace vt
