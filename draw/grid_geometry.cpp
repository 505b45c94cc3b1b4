#include "draw/grid_geometry.h"

#include <algorithm>

#include "common/prompt.h"

namespace vt {

GridGeometry GridGeometry::Compute(int clientWidth, int clientHeight, int toolBarHeight,
                                   int statusBarHeight, int imageWidth, int imageHeight,
                                   bool gridLines) {
    GridGeometry g;
    g.imageWidth = std::max(1, imageWidth);
    g.imageHeight = std::max(1, imageHeight);
    g.top = toolBarHeight + kGridTopGap;
    g.gridLines = gridLines;
    const int s = std::min(clientWidth - 466, clientHeight - statusBarHeight - toolBarHeight - 322) + 288;
    // A window shrunk below its design size still gets cells of at least one pixel.
    g.cellWidth = std::max(1, s / g.imageWidth);
    g.cellHeight = std::max(1, s / g.imageHeight);
    return g;
}

GridRect GridGeometry::Frame() const {
    return {kGridLeft, top, kGridLeft + GridWidth() + 2, top + GridHeight() + 2};
}

GridRect GridGeometry::Cell(int x, int y) const {
    GridRect r;
    r.left = kGridLeft + x * cellWidth + 1;
    r.top = top + y * cellHeight + 1;
    const int g = gridLines ? 1 : 0;
    r.right = r.left + cellWidth - g;
    r.bottom = r.top + cellHeight - g;
    if (!gridLines) {
        // A cell touching the frame's right or bottom line gives up one pixel there, so the
        // frame stays visible against a filled last column or row.
        const GridRect f = Frame();
        r.right = std::min(r.right, f.right - 2);
        r.bottom = std::min(r.bottom, f.bottom - 2);
    }
    return r;
}

Point GridGeometry::PixelAtUnchecked(int px, int py) const {
    // Floor division, so positions left of or above the grid give negative pixels.
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return {floorDiv(px - kGridLeft, cellWidth), floorDiv(py - top, cellHeight)};
}

std::optional<Point> GridGeometry::PixelAt(int px, int py) const {
    if (px < kGridLeft || py < top) return std::nullopt;
    const Point p = PixelAtUnchecked(px, py);
    if (p.x >= imageWidth || p.y >= imageHeight) return std::nullopt;
    return p;
}

GridRect GridGeometry::FormatList() const {
    const GridRect f = Frame();
    const int left = kGridLeft + GridWidth() + kFormatListGap;
    return {left, f.top - 2, left + kFormatListWidth, f.bottom + 2};
}

GridRect ToolButtonRect(int slot, int toolBarHeight) {
    const int top = toolBarHeight + kToolBoxGap + slot * kToolButtonSize;
    return {kToolBoxLeft, top, kToolBoxLeft + kToolButtonSize, top + kToolButtonSize};
}

GridRect DitherButtonRect(int mode, int gridTop) {
    const int left = kDitherLeft + mode * kDitherStep;
    return {left, gridTop - 22, left + 18, gridTop - 4};
}

std::string PositionText(Point pixel) { return Format(" %d,%d", pixel.x, pixel.y); }

}  // namespace vt
