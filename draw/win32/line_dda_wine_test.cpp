// Holds our line generator against the system's LineDDA, pixel for pixel.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "draw/line_dda.h"

namespace vt {
namespace {

using Pixels = std::vector<Point>;

void CALLBACK Collect(int x, int y, LPARAM data) {
    reinterpret_cast<Pixels*>(data)->push_back({x, y});
}

Pixels System(int x1, int y1, int x2, int y2) {
    Pixels out;
    ::LineDDA(x1, y1, x2, y2, &Collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

Pixels Ours(int x1, int y1, int x2, int y2) {
    Pixels out;
    vt::LineDDA(x1, y1, x2, y2, [&](int x, int y) { out.push_back({x, y}); });
    return out;
}

::testing::AssertionResult Same(int x1, int y1, int x2, int y2) {
    const Pixels sys = System(x1, y1, x2, y2);
    const Pixels ours = Ours(x1, y1, x2, y2);
    if (sys == ours) return ::testing::AssertionSuccess();
    std::ostringstream m;
    m << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << "): system " << sys.size()
      << " pixels, ours " << ours.size();
    for (size_t i = 0; i < sys.size() && i < ours.size(); ++i) {
        if (!(sys[i] == ours[i])) {
            m << "; first difference at " << i << ": system (" << sys[i].x << "," << sys[i].y
              << ") ours (" << ours[i].x << "," << ours[i].y << ")";
            break;
        }
    }
    return ::testing::AssertionFailure() << m.str();
}

TEST(LineDDAWine, EveryPairInANineByNineNeighbourhood) {
    int compared = 0;
    for (int y1 = 0; y1 < 9; ++y1)
        for (int x1 = 0; x1 < 9; ++x1)
            for (int y2 = 0; y2 < 9; ++y2)
                for (int x2 = 0; x2 < 9; ++x2) {
                    ASSERT_TRUE(Same(x1, y1, x2, y2));
                    ++compared;
                }
    EXPECT_EQ(compared, 6561);
}

TEST(LineDDAWine, LongLinesInAllOctantsBothWays) {
    const int ends[][2] = {{200, 37},   {37, 200},  {-37, 200}, {-200, 37}, {-200, -37},
                           {-37, -200}, {37, -200}, {200, -37}, {255, 255}, {-255, 255},
                           {250, 1},    {1, 250},   {250, 249}, {-3, -251}, {129, 64}};
    for (const auto& e : ends) {
        ASSERT_TRUE(Same(10, 20, 10 + e[0], 20 + e[1]));
        ASSERT_TRUE(Same(10 + e[0], 20 + e[1], 10, 20));
    }
    // A fan of end points around a centre, and lines that leave the grid into negative positions.
    for (int a = -300; a <= 300; a += 7) {
        ASSERT_TRUE(Same(0, 0, a, 300));
        ASSERT_TRUE(Same(0, 0, 300, a));
        ASSERT_TRUE(Same(-5, -9, a, -a / 3));
    }
}

TEST(LineDDAWine, DegenerateLines) {
    EXPECT_TRUE(Same(5, 5, 5, 5));
    EXPECT_TRUE(System(5, 5, 5, 5).empty());
    EXPECT_TRUE(Same(0, 0, 0, 64));
    EXPECT_TRUE(Same(0, 64, 0, 0));
    EXPECT_TRUE(Same(64, 0, 0, 0));
    EXPECT_TRUE(Same(-1, -1, 1, 1));
}

}  // namespace
}  // namespace vt
