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
    int dx = x2 - x1;
    int dy = y2 - y1;
    const int xStep = dx < 0 ? -1 : 1;
    const int yStep = dy < 0 ? -1 : 1;
    if (dx < 0) dx = -dx;
    if (dy < 0) dy = -dy;
    int x = x1;
    int y = y1;
    if (dx > dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            visit(x, y);
            if (err > 0) {
                y += yStep;
                err += 2 * dy - 2 * dx;
            } else {
                err += 2 * dy;
            }
            x += xStep;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            visit(x, y);
            if (err > 0) {
                x += xStep;
                err += 2 * dx - 2 * dy;
            } else {
                err += 2 * dx;
            }
            y += yStep;
        }
    }
}

// Appends the line's pixels to out.
void AppendLine(Point from, Point to, std::vector<Point>& out);

}  // namespace vt
