#pragma once
// Point lists of the line, rectangle and ellipse tools, the Shift constraints, and the rubber
// band's difference between two lists.

#include <vector>

#include "draw/ink.h"

namespace vt {

struct ShapeBounds {
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    static ShapeBounds Of(Point a, Point e);
    int Width() const { return x1 - x0 + 1; }
    int Height() const { return y1 - y0 + 1; }
};

// The line generator's pixels from a to e, then e itself when it lies inside a
// width x height image.
void BuildLineList(Point a, Point e, int width, int height, std::vector<Point>& out);
// Top row, right column, bottom row, left column; a one-pixel-high rectangle lists its row twice.
void BuildRectangleList(Point a, Point e, std::vector<Point>& out);
// The outline in tenths of a pixel, each pixel once: column pass first, then the row pass.
void BuildEllipseList(Point a, Point e, std::vector<Point>& out);

// Shift held while dragging a line: vertical, horizontal, or 45 degrees.
Point ConstrainLine(Point a, Point e);
// Shift held while dragging a rectangle, ellipse or selection: always 45 degrees.
Point ConstrainSquare(Point a, Point e);

// Rubber band: the points of `before` missing from `after` (to be restored), and those of `after`
// missing from `before` (to be painted), each in list order, each once.
void ListDifference(const std::vector<Point>& from, const std::vector<Point>& without,
                    std::vector<Point>& out);

// Sorts by y, then x, keeping equal points in their order (the interior fill's row scan).
void SortRowMajor(std::vector<Point>& points);

}  // namespace vt
