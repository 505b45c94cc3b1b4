#include "draw/area_transform.h"

namespace vt {

namespace {

size_t Index(int col, int row, int width) {
    return static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(col);
}

}  // namespace

std::vector<Ink> NudgeArea(const std::vector<Ink>& area, int width, int height, Nudge direction,
                           Ink fill) {
    const int sx = direction == Nudge::Left ? 1 : direction == Nudge::Right ? -1 : 0;
    const int sy = direction == Nudge::Up ? 1 : direction == Nudge::Down ? -1 : 0;
    std::vector<Ink> out(area.size(), fill);
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int fc = col + sx;
            const int fr = row + sy;
            if (fc >= 0 && fc < width && fr >= 0 && fr < height)
                out[Index(col, row, width)] = area[Index(fc, fr, width)];
        }
    }
    return out;
}

std::vector<Ink> FlipArea(const std::vector<Ink>& area, int width, int height, FlipAxis axis) {
    std::vector<Ink> out(area.size());
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int fc = axis == FlipAxis::Horizontal ? width - 1 - col : col;
            const int fr = axis == FlipAxis::Vertical ? height - 1 - row : row;
            out[Index(col, row, width)] = area[Index(fc, fr, width)];
        }
    }
    return out;
}

}  // namespace vt
