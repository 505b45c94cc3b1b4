#pragma once
// The eight brush shapes and the stamp they leave.

#include <vector>

#include "draw/ink.h"

namespace vt {

inline constexpr int kBrushShapeCount = 8;

// The shape's offsets from the brush point, in their fixed order.
const std::vector<Point>& BrushOffsets(int shape);

// Appends the stamp of `shape` at `at` to out. A corner stamp of a diagonal drag (direction d
// non-zero) of shapes 3, 4, 6 and 7 leaves out one end cell (the last for d > 0, the first for
// d < 0), so the corner does not thicken the stroke. Positions outside the image are kept; the
// writer skips them.
void StampBrush(int shape, Point at, int direction, std::vector<Point>& out);

}  // namespace vt
