#include "draw/text_layout.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(TextLayout, ChangesThatGrowPastTheImageAreRefused) {
    // A box that already spans the 32-pixel image and would grow is not shown again.
    EXPECT_TRUE(TextChangeRefused(32, 40, 12, -11, 32, 32));
    EXPECT_FALSE(TextChangeRefused(32, 32, 12, -11, 32, 32));
    EXPECT_FALSE(TextChangeRefused(20, 40, 12, -11, 32, 32));  // the first overflow is shown, cut
    // Taller than the font height plus the image height less one.
    EXPECT_FALSE(TextChangeRefused(10, 10, 42, -11, 32, 32));
    EXPECT_TRUE(TextChangeRefused(10, 10, 43, -11, 32, 32));
    EXPECT_TRUE(TextChangeRefused(10, 10, 43, 11, 32, 32));
}

TEST(TextLayout, BoxIsClippedToTheImage) {
    const TextBoxSize c = ClipTextBox({50, 40}, {3, 4}, 32, 32);
    EXPECT_EQ(c.width, 32);
    EXPECT_EQ(c.height, 32);
    const TextBoxSize small = ClipTextBox({10, 8}, {3, 4}, 32, 32);
    EXPECT_EQ(small.width, 10);
    EXPECT_EQ(small.height, 8);
    const TextBoxSize left = ClipTextBox({40, 40}, {-10, -20}, 32, 32);
    EXPECT_EQ(left.width, 22);
    EXPECT_EQ(left.height, 12);
}

TEST(TextLayout, LitPixelsTakeColourAAndTheRestColourBAtThePosition) {
    const Ink a{4, false}, b{0, true};
    const std::vector<uint8_t> lit{1, 0, 0, 1, 1, 0};
    const std::vector<FloatingPixel> p = TextFloatingPixels(lit, {3, 2}, {5, 7}, a, b);
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].x, 5);
    EXPECT_EQ(p[0].y, 7);
    EXPECT_EQ(p[0].ink(), a);
    EXPECT_EQ(p[1].ink(), b);
    EXPECT_EQ(p[3].x, 5);
    EXPECT_EQ(p[3].y, 8);
    EXPECT_EQ(p[4].ink(), a);
    EXPECT_EQ(p[5].ink(), b);
    EXPECT_TRUE(TextFloatingPixels(lit, {4, 2}, {0, 0}, a, b).empty());  // fewer bytes than the box
}

TEST(TextLayout, CellsOfTheLargerPreviousBoxAreRepainted) {
    const std::vector<Point> cells = CellsLeftBehind({2, 2, 6, 4}, {2, 2, 4, 4}, 32, 32);
    const std::vector<Point> expected{{4, 2}, {5, 2}, {4, 3}, {5, 3}};
    EXPECT_EQ(cells, expected);
    EXPECT_TRUE(CellsLeftBehind({2, 2, 4, 4}, {2, 2, 6, 4}, 32, 32).empty());
    EXPECT_EQ(CellsLeftBehind({30, 30, 40, 40}, {0, 0, 0, 0}, 32, 32).size(),
              4u);  // only inside the image
}

}  // namespace
}  // namespace vt
