#pragma once
// The pixels of a line exactly as the system's LineDDA yields them: the first point included, the
// last excluded. Portable, so the Win32 test can hold it against the real call point by point.

#include <cstdint>
#include <vector>

#include "draw/ink.h"

namespace vt {

// Calls visit(x, y) for each pixel from (x1, y1) towards (x2, y2).
template <typename Visit>
void LineDDA(int x1, int y1, int x2, int y2, Visit&& visit) {
    const int dx = x2 > x1 ? x2 - x1 : x1 - x2;
    const int dy = y2 > y1 ? y2 - y1 : y1 - y2;
    const int xStep = x2 < x1 ? -1 : 1;
    const int yStep = y2 < y1 ? -1 : 1;
    // Bresenham along the major axis; a tie (dx == dy) counts as vertical, as the system does.
    const bool xMajor = dx > dy;
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    int x = x1;
    int y = y1;
    int err = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        visit(x, y);
        if (err > 0) {
            (xMajor ? y : x) += xMajor ? yStep : xStep;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? xStep : yStep;
    }
}

// Appends the line's pixels to out.
void AppendLine(Point from, Point to, std::vector<Point>& out);

}  // namespace vt
