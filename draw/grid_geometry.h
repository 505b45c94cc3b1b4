#pragma once
// Where the edit grid, its cells, the tool box and the dithering buttons sit in the editor's
// client area, and which pixel a pointer position falls on. Pure arithmetic, so the window code
// and the tests agree on every coordinate.

#include <optional>
#include <string>

#include "draw/ink.h"

namespace vt {

struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

inline constexpr int kGridLeft = 47;
inline constexpr int kGridTopGap = 27;
inline constexpr int kToolBoxLeft = 2;
inline constexpr int kToolBoxGap = 5;
inline constexpr int kToolButtonSize = 32;
inline constexpr int kToolButtonCount = 10;
inline constexpr int kDitherLeft = 46;
inline constexpr int kDitherStep = 19;
inline constexpr int kFormatListGap = 12;
inline constexpr int kFormatListWidth = 112;

struct GridGeometry {
    int imageWidth = 32, imageHeight = 32;
    int top = kGridTopGap;     // grid frame's top edge in client coordinates
    int cellWidth = 16, cellHeight = 16;
    bool gridLines = true;

    // Lays the grid out for a client area: s = min(w - 466, h - bars - 322) + 288, one cell per
    // pixel in an s x s square. toolBarHeight counts only when the tool bar is shown.
    static GridGeometry Compute(int clientWidth, int clientHeight, int toolBarHeight,
                                int statusBarHeight, int imageWidth, int imageHeight, bool gridLines);

    int GridWidth() const { return cellWidth * imageWidth; }
    int GridHeight() const { return cellHeight * imageHeight; }
    // The grid with its one-pixel frame.
    GridRect Frame() const;
    // The painted part of a pixel's cell: one pixel short on the right and bottom with grid lines
    // on (the missing line is the grid), and kept off the frame without them.
    GridRect Cell(int x, int y) const;
    // The pixel under a pointer position; none outside the grid.
    std::optional<Point> PixelAt(int px, int py) const;
    // The pixel under a pointer position without the grid check (drags that leave the grid).
    Point PixelAtUnchecked(int px, int py) const;
    // The Image Format list beside the grid.
    GridRect FormatList() const;
    bool SameSizeAs(const GridGeometry& o) const {
        return top == o.top && cellWidth == o.cellWidth && cellHeight == o.cellHeight &&
               imageWidth == o.imageWidth && imageHeight == o.imageHeight && gridLines == o.gridLines;
    }
};

// The tool box's button for slot 0..9, below the tool bar.
GridRect ToolButtonRect(int slot, int toolBarHeight);
// The dithering buttons (mode 0..3) in the row above the grid.
GridRect DitherButtonRect(int mode, int gridTop);

// The status bar's read-outs: " %d,%d" for the pointer pixel and " %d x %d" for a drag extent.
std::string PositionText(Point pixel);

}  // namespace vt
