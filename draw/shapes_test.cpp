#include "draw/shapes.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "draw/brush_shapes.h"
#include "draw/dithering.h"
#include "draw/line_dda.h"

namespace vt {
namespace {

using Points = std::vector<Point>;

TEST(LineGenerator, IncludesTheFirstPointAndStopsOneShortOfTheLast) {
    Points out;
    AppendLine({0, 0}, {3, 0}, out);
    EXPECT_EQ(out, (Points{{0, 0}, {1, 0}, {2, 0}}));
    out.clear();
    AppendLine({4, 4}, {4, 4}, out);
    EXPECT_TRUE(out.empty());
}

TEST(LineGenerator, EveryOctantStepsOnePixelAtATimeTowardsTheEnd) {
    for (int ex = -7; ex <= 7; ++ex) {
        for (int ey = -7; ey <= 7; ++ey) {
            Points out;
            AppendLine({2, 3}, {2 + ex, 3 + ey}, out);
            ASSERT_EQ(out.size(), static_cast<size_t>(std::max(std::abs(ex), std::abs(ey))));
            if (out.empty()) continue;
            EXPECT_EQ(out.front(), (Point{2, 3}));
            Point prev = out.front();
            for (size_t i = 1; i < out.size(); ++i) {
                EXPECT_LE(std::abs(out[i].x - prev.x), 1);
                EXPECT_LE(std::abs(out[i].y - prev.y), 1);
                prev = out[i];
            }
            // The pixel after the last one generated is the end point.
            EXPECT_LE(std::abs(2 + ex - prev.x), 1);
            EXPECT_LE(std::abs(3 + ey - prev.y), 1);
        }
    }
}

TEST(LineList, EndsWithTheEndPixelOnlyInsideTheImage) {
    Points out;
    BuildLineList({0, 0}, {3, 0}, 8, 8, out);
    EXPECT_EQ(out, (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    BuildLineList({6, 0}, {9, 0}, 8, 8, out);
    EXPECT_EQ(out, (Points{{6, 0}, {7, 0}, {8, 0}}));  // (9, 0) is outside an 8-pixel image
}

TEST(RectangleList, TopRightBottomLeftInThatOrder) {
    Points out;
    BuildRectangleList({2, 3}, {0, 0}, out);
    EXPECT_EQ(
        out,
        (Points{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {0, 3}, {1, 3}, {2, 3}, {0, 1}, {0, 2}}));
    BuildRectangleList({0, 5}, {2, 5}, out);
    EXPECT_EQ(out, (Points{{0, 5}, {1, 5}, {2, 5}, {0, 5}, {1, 5}, {2, 5}}));
}

TEST(EllipseList, TinyAreasYieldEachPixelOnce) {
    Points out;
    BuildEllipseList({4, 4}, {4, 4}, out);
    EXPECT_EQ(out, (Points{{4, 4}}));
    BuildEllipseList({4, 4}, {4, 5}, out);
    EXPECT_EQ(out, (Points{{4, 5}, {4, 4}}));
    BuildEllipseList({4, 4}, {5, 4}, out);
    EXPECT_EQ(out.size(), 2u);
}

TEST(EllipseList, OutlineIsSymmetricAndDeduplicated) {
    Points out;
    BuildEllipseList({0, 0}, {9, 6}, out);
    for (size_t i = 0; i < out.size(); ++i)
        for (size_t j = i + 1; j < out.size(); ++j) ASSERT_FALSE(out[i] == out[j]);
    for (Point p : out) {
        const Point mirrored{9 - p.x, 6 - p.y};
        EXPECT_NE(std::find(out.begin(), out.end(), mirrored), out.end()) << p.x << "," << p.y;
        EXPECT_TRUE(p.x >= 0 && p.x <= 9 && p.y >= 0 && p.y <= 6);
    }
    // The column pass starts at the left column with its lower, then upper pixel.
    EXPECT_EQ(out[0].x, 0);
    EXPECT_GT(out[0].y, out[1].y);
}

TEST(EllipseList, ThreeByThreeRoundsOutToTheRingAroundTheCentre) {
    Points out;
    BuildEllipseList({0, 0}, {2, 2}, out);
    // a = b = 15 tenths: the outer columns reach m = 11, and q5(26) - 1 = 2, q6(4) = 0.
    EXPECT_EQ(out, (Points{{0, 2}, {0, 0}, {1, 2}, {1, 0}, {2, 2}, {2, 0}, {2, 1}, {0, 1}}));
}

TEST(ShiftConstraints, LinesSnapToAxesOrDiagonals) {
    EXPECT_EQ(ConstrainLine({0, 0}, {5, 2}), (Point{5, 0}));
    EXPECT_EQ(ConstrainLine({0, 0}, {2, 5}), (Point{0, 5}));
    EXPECT_EQ(ConstrainLine({0, 0}, {5, 4}), (Point{5, 5}));
    EXPECT_EQ(ConstrainLine({10, 10}, {5, 14}), (Point{5, 15}));
}

TEST(ShiftConstraints, ShapesAreSquareAndZeroCountsAsPositive) {
    EXPECT_EQ(ConstrainSquare({0, 0}, {5, 2}), (Point{5, 5}));
    EXPECT_EQ(ConstrainSquare({5, 5}, {1, 6}), (Point{1, 9}));
    EXPECT_EQ(ConstrainSquare({5, 5}, {9, 5}), (Point{9, 9}));
    EXPECT_EQ(ConstrainSquare({5, 5}, {5, 2}), (Point{8, 2}));
}

TEST(RubberBand, DifferenceKeepsOrderAndDropsShared) {
    Points out;
    ListDifference({{0, 0}, {1, 0}, {2, 0}, {1, 0}}, {{1, 0}, {5, 5}}, out);
    EXPECT_EQ(out, (Points{{0, 0}, {2, 0}}));
    ListDifference({{-3, 2}, {3, -2}}, {{3, 2}}, out);
    EXPECT_EQ(out, (Points{{-3, 2}, {3, -2}}));
}

TEST(DitherPattern, ModesFollowTheParityOfXPlusY) {
    const Point anchor{3, 4};
    EXPECT_TRUE(PatternAllows(kDitherAll, anchor, 0, 0));
    EXPECT_TRUE(PatternAllows(kDitherEven, anchor, 0, 1));
    EXPECT_TRUE(PatternAllows(kDitherEven, anchor, 1, 0));
    EXPECT_FALSE(PatternAllows(kDitherEven, anchor, 0, 0));
    EXPECT_TRUE(PatternAllows(kDitherOdd, anchor, 0, 0));
    EXPECT_FALSE(PatternAllows(kDitherOdd, anchor, 1, 0));
    // "Every other pixel" from (3, 4): odd sums only.
    EXPECT_TRUE(PatternAllows(kDitherEveryOther, anchor, 0, 1));
    EXPECT_FALSE(PatternAllows(kDitherEveryOther, anchor, 0, 0));
    // Off the grid the checkerboard continues.
    EXPECT_TRUE(PatternAllows(kDitherOdd, anchor, -1, -1));
    EXPECT_FALSE(PatternAllows(kDitherOdd, anchor, -1, 0));
    EXPECT_TRUE(PatternAllows(kDitherEveryOther, anchor, -2, 1));
}

TEST(BrushStamps, ShapesKeepTableOrderAndSizes) {
    const size_t sizes[] = {9, 5, 4, 4, 25, 21, 6, 6};
    for (int s = 0; s < kBrushShapeCount; ++s) EXPECT_EQ(BrushOffsets(s).size(), sizes[s]) << s;
    EXPECT_EQ(BrushOffsets(5)[0], (Point{-1, -2}));  // the corner (-2, -2) is cut
    Points out;
    StampBrush(1, {5, 5}, 0, out);
    EXPECT_EQ(out, (Points{{5, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}}));
}

TEST(BrushStamps, CornerStampsOfDiagonalShapesLeaveOutOneEnd) {
    Points out;
    StampBrush(3, {0, 0}, 1, out);
    EXPECT_EQ(out, (Points{{-1, -1}, {0, 0}, {1, 1}}));
    out.clear();
    StampBrush(3, {0, 0}, -1, out);
    EXPECT_EQ(out, (Points{{0, 0}, {1, 1}, {2, 2}}));
    out.clear();
    StampBrush(0, {0, 0}, 1, out);  // the square is never shortened
    EXPECT_EQ(out.size(), 9u);
    out.clear();
    StampBrush(2, {0, 0}, -1, out);
    EXPECT_EQ(out.size(), 4u);
}

}  // namespace
}  // namespace vt
