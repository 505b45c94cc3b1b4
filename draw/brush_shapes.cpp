#include "draw/brush_shapes.h"

#include <array>
#include <cstdlib>

namespace vt {

namespace {

std::vector<Point> Square(int r, bool cutCorners) {
    std::vector<Point> cells;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (!cutCorners || std::abs(dx) != r || std::abs(dy) != r) cells.push_back({dx, dy});
    return cells;
}

const std::array<std::vector<Point>, kBrushShapeCount>& Table() {
    static const std::array<std::vector<Point>, kBrushShapeCount> table = {
        Square(1, false),
        std::vector<Point>{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}},
        std::vector<Point>{{2, -2}, {1, -1}, {0, 0}, {-1, 1}},
        std::vector<Point>{{-1, -1}, {0, 0}, {1, 1}, {2, 2}},
        Square(2, false),
        Square(2, true),
        std::vector<Point>{{3, -3}, {2, -2}, {1, -1}, {0, 0}, {-1, 1}, {-2, 2}},
        std::vector<Point>{{-3, -3}, {-2, -2}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}},
    };
    return table;
}

}  // namespace

const std::vector<Point>& BrushOffsets(int shape) {
    return Table()[static_cast<size_t>(shape >= 0 && shape < kBrushShapeCount ? shape : 0)];
}

void StampBrush(int shape, Point at, int direction, std::vector<Point>& out) {
    const std::vector<Point>& offsets = BrushOffsets(shape);
    size_t first = 0;
    size_t last = offsets.size();
    if (direction != 0 && (shape == 3 || shape == 4 || shape == 6 || shape == 7)) {
        if (direction > 0)
            --last;
        else
            ++first;
    }
    for (size_t i = first; i < last; ++i) out.push_back({at.x + offsets[i].x, at.y + offsets[i].y});
}

}  // namespace vt
