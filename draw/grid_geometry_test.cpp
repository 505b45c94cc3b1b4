#include "draw/grid_geometry.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// A client area whose s comes out as 518: 466 + 230 wide, bars + 322 + 230 high.
GridGeometry At518(int w, int h, bool lines = true) {
    return GridGeometry::Compute(466 + 230, 30 + 20 + 322 + 230, 30, 20, w, h, lines);
}

TEST(GridGeometry, CellsDivideTheSquareByTheImageSize) {
    EXPECT_EQ(At518(32, 32).cellWidth, 16);
    EXPECT_EQ(At518(16, 16).cellWidth, 32);
    const GridGeometry g48 = At518(48, 48);
    EXPECT_EQ(g48.cellWidth, 10);
    EXPECT_EQ(g48.GridWidth(), 480);
    EXPECT_EQ(g48.GridHeight(), 480);
    // The narrower of the two spare sizes decides.
    const GridGeometry tall = GridGeometry::Compute(466 + 100, 2000, 0, 0, 32, 32, true);
    EXPECT_EQ(tall.cellWidth, (100 + 288) / 32);
}

TEST(GridGeometry, TopFollowsTheToolBarAndFrameIncludesOnePixelBorder) {
    const GridGeometry g = GridGeometry::Compute(700, 600, 28, 20, 32, 32, true);
    EXPECT_EQ(g.top, 28 + 27);
    const GridGeometry noBar = GridGeometry::Compute(700, 600, 0, 20, 32, 32, true);
    EXPECT_EQ(noBar.top, 27);
    const GridRect f = g.Frame();
    EXPECT_EQ(f.left, 47);
    EXPECT_EQ(f.Width(), g.GridWidth() + 2);
    EXPECT_EQ(f.Height(), g.GridHeight() + 2);
}

TEST(GridGeometry, CellsLeaveTheGridLineOrReachTheFrame) {
    const GridGeometry lines = At518(32, 32, true);
    const GridRect c = lines.Cell(1, 2);
    EXPECT_EQ(c.left, 47 + 16 + 1);
    EXPECT_EQ(c.top, lines.top + 32 + 1);
    EXPECT_EQ(c.Width(), 15);
    EXPECT_EQ(c.Height(), 15);
    const GridGeometry plain = At518(32, 32, false);
    EXPECT_EQ(plain.Cell(0, 0).Width(), 16);
    // The last cell stops before the frame's right and bottom lines.
    const GridRect last = plain.Cell(31, 31);
    EXPECT_EQ(last.right, plain.Frame().right - 2);
    EXPECT_EQ(last.bottom, plain.Frame().bottom - 2);
    EXPECT_EQ(last.Width(), 15);
}

TEST(GridGeometry, PointerMapsToPixelsAndNothingOutsideTheGrid) {
    const GridGeometry g = At518(32, 32);
    EXPECT_EQ(g.PixelAt(47, g.top), (Point{0, 0}));
    EXPECT_EQ(g.PixelAt(47 + 16 * 5 + 8, g.top + 16 * 7 + 8), (Point{5, 7}));
    EXPECT_EQ(g.PixelAt(47 + 16 * 31 + 15, g.top + 16 * 31 + 15), (Point{31, 31}));
    EXPECT_FALSE(g.PixelAt(46, g.top + 5));
    EXPECT_FALSE(g.PixelAt(47 + 16 * 32, g.top + 5));
    EXPECT_FALSE(g.PixelAt(60, g.top - 1));
    // Drags outside the grid keep going, left and above as negative pixels.
    EXPECT_EQ(g.PixelAtUnchecked(46, g.top - 1), (Point{-1, -1}));
    EXPECT_EQ(g.PixelAtUnchecked(47 + 16 * 33, g.top), (Point{33, 0}));
}

TEST(GridGeometry, FormatListToolBoxAndDitherRowPositions) {
    const GridGeometry g = At518(32, 32);
    const GridRect list = g.FormatList();
    EXPECT_EQ(list.left, 47 + 512 + 12);
    EXPECT_EQ(list.Width(), 112);
    EXPECT_EQ(list.top, g.top - 2);
    EXPECT_EQ(list.bottom, g.Frame().bottom + 2);
    EXPECT_EQ(ToolButtonRect(0, 28), (GridRect{2, 33, 34, 65}));
    EXPECT_EQ(ToolButtonRect(9, 0).top, 5 + 9 * 32);
    EXPECT_EQ(DitherButtonRect(0, 55).left, 46);
    EXPECT_EQ(DitherButtonRect(3, 55).left, 46 + 3 * 19);
    EXPECT_LE(DitherButtonRect(0, 55).bottom, 55);
}

TEST(GridGeometry, TinyClientAreasStillGiveOnePixelCells) {
    const GridGeometry g = GridGeometry::Compute(10, 10, 0, 0, 64, 64, true);
    EXPECT_EQ(g.cellWidth, 1);
    EXPECT_EQ(g.cellHeight, 1);
}

}  // namespace
}  // namespace vt
