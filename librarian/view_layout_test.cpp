// The icon window's arrangement: rows and their re-arrangement on a resize, the scroll range,
// which image a size shows, and Raw View rows on a 256-colour display.
#include "librarian/view_layout.h"

#include <gtest/gtest.h>

#include "librarian/librarian_testutil.h"

namespace vt {
namespace {

using test::MakeDib;

class ViewLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(ws.New(), LibStatus::Ok); }
    size_t Icon(std::vector<std::vector<uint8_t>> blocks) {
        long at = -1;
        for (const auto& b : blocks) at = ws.AddImage(b, at);
        EXPECT_GE(at, 0);
        return static_cast<size_t>(at);
    }
    Workspace ws;
    DesktopMetrics desktop;  // 32/16 icons, gaps 43 and 40
};

TEST_F(ViewLayoutTest, RowsWrapAtTheClientWidthAndAWideIconHasItsOwnRow) {
    for (int i = 0; i < 5; ++i) Icon({MakeDib(32, 32, 4)});
    ViewLayout layout(desktop);
    layout.SetView(ws, kViewDesktop);
    // Cells of 32 advance by 75; a cell fits while x + 32 + 16 stays within the width.
    layout.Arrange(ws, 21 + 75 * 2 + 48);
    ASSERT_EQ(layout.rows().size(), 2u);
    EXPECT_EQ(layout.rows()[0].count, 3u);
    EXPECT_EQ(ws.icons()[3].x, 21);
    EXPECT_EQ(ws.icons()[3].y, 20 + 32 + 40);

    // Unchanged rows need nothing; one pixel less breaks the first row; room for the next row's
    // first icon frees a place.
    EXPECT_FALSE(layout.NeedsRearrange(21 + 75 * 2 + 48));
    EXPECT_TRUE(layout.NeedsRearrange(21 + 75 * 2 + 47));
    EXPECT_TRUE(layout.NeedsRearrange(21 + 75 * 3 + 48));

    // In Raw View a 256-pixel icon is wider than a 200-pixel window: alone in its row, and the
    // icons after it do not join that row.
    Icon({MakeDib(255, 255, 1), MakeDib(255, 255, 4)});
    layout.SetView(ws, kViewRaw);
    layout.Arrange(ws, 200);
    ASSERT_EQ(layout.rows().size(), 4u);
    EXPECT_EQ(layout.rows()[3].count, 1u);
    EXPECT_EQ(ws.icons()[5].cellWidth, 255 + 16 + 255);
    EXPECT_FALSE(layout.NeedsRearrange(200));
    // A narrower window re-arranges by position without reordering a row of a 16-pixel and a
    // 255-pixel tall icon, though Raw View sets them on the row's bottom line.
    layout.Arrange(ws, 2000);
    ASSERT_EQ(layout.rows().size(), 1u);
    layout.ArrangeByPosition(ws, 200);
    std::vector<std::string> names, expected;
    for (size_t i : ws.DisplayOrder()) names.push_back(std::to_string(ws.icons()[i].serial));
    for (size_t i = 1; i <= 6; ++i) expected.push_back(std::to_string(i));
    EXPECT_EQ(names, expected);
    // Its label spans more than a byte can hold.
    LayoutRect label = layout.LabelRect(ws, 5);
    EXPECT_EQ(label.right - label.left, 526 + 2 * desktop.labelOverhang());
}

TEST_F(ViewLayoutTest, ScrollRangeCountsTheRowsBelowTheWindowInFormatHeights) {
    for (int i = 0; i < 10; ++i) Icon({MakeDib(32, 32, 4)});
    ViewLayout layout(desktop);
    layout.SetView(ws, kViewDesktop);
    layout.Arrange(ws, 100);  // one icon per row: 10 rows of 72 pixels
    EXPECT_EQ(layout.ContentHeight(), 20 + 9 * 72 + 32 + 40);
    EXPECT_EQ(layout.ScrollRange(ws, 10000), 0);
    // 740 − 300 = 440 pixels below, in units of 32: 13.75 → 14.
    EXPECT_EQ(layout.ScrollRange(ws, 300), 14);
    ws.SetCurrentFormat({16, 16, 16});
    EXPECT_EQ(layout.ScrollRange(ws, 300), 28);

    // The last icon is brought into view from the top, and the first from the bottom.
    int32_t down = layout.ScrollToShow(ws, 9, 0, 300);
    LayoutRect last = layout.ItemRect(ws, 9);
    EXPECT_GE(down * 16 + 300, last.bottom);
    EXPECT_LT((down - 1) * 16 + 300, last.bottom);
    EXPECT_EQ(layout.ScrollToShow(ws, 0, down, 300), 20 / 16);  // its top at 20 in view

    // The arrow keys walk the column.
    EXPECT_EQ(ViewLayout::Nearest(ws, 0, LayoutDirection::Down), 1);
    EXPECT_EQ(ViewLayout::Nearest(ws, 0, LayoutDirection::Up), -1);
    EXPECT_EQ(ViewLayout::Nearest(ws, 5, LayoutDirection::Up), 4);
}

TEST_F(ViewLayoutTest, SizeChoicePrefersExactWidthThenShellColoursThenNearerWider) {
    ws.SetMetrics({kViewDesktop, 32, 16, 40, 1024});
    auto chosen = [&](size_t icon, int size, int shell) {
        long i = ChooseImageForSize(ws, icon, size, shell);
        if (i < 0) return std::string("none");
        const ImageEntry& e = ws.images()[static_cast<size_t>(i)];
        return std::to_string(e.width) + "/" + std::to_string(e.colorCode);
    };
    size_t a = Icon({MakeDib(48, 48, 4), MakeDib(32, 32, 1), MakeDib(32, 32, 24),
                     MakeDib(32, 32, 8), MakeDib(16, 16, 4)});
    EXPECT_EQ(chosen(a, 32, 256), "32/256");  // the shell's own depth
    EXPECT_EQ(chosen(a, 32, 16), "32/2");     // the most colours not above 16
    EXPECT_EQ(chosen(a, 32, 1024), "32/1024");
    EXPECT_EQ(chosen(a, 16, 16), "16/16");
    EXPECT_EQ(chosen(a, 40, 16), "48/16");  // 8 from 32 and 48: the wider
    EXPECT_EQ(chosen(a, 20, 16), "16/16");  // nearer
    EXPECT_EQ(chosen(a, 24, 16), "32/2");   // 8 from 16 and 32: the wider

    // The display decides what may be chosen at all.
    ws.SetMetrics({kViewDesktop, 32, 16, 40, 16});
    EXPECT_EQ(chosen(a, 32, 1024), "32/2");
    size_t deep = Icon({MakeDib(32, 32, 8)});
    EXPECT_EQ(chosen(deep, 32, 16), "none");
}

TEST_F(ViewLayoutTest, RawRowsOnA256ColourDisplayHoldOnlyWhatIsShown) {
    desktop.displayColorCode = 256;
    ViewLayout layout(desktop);
    size_t mixed = Icon({MakeDib(32, 32, 4), MakeDib(48, 48, 8), MakeDib(64, 64, 24)});
    size_t deep = Icon({MakeDib(48, 48, 24)});
    size_t small = Icon({MakeDib(16, 16, 4), MakeDib(24, 24, 1)});
    layout.SetView(ws, kViewRaw);
    EXPECT_EQ(ws.icons()[mixed].cellWidth, 32);
    EXPECT_EQ(ws.icons()[deep].cellWidth, desktop.largeIconSize);  // nothing shown: large size
    EXPECT_EQ(ws.icons()[small].cellWidth, 16 + 16 + 24);
    layout.Arrange(ws, 1000);
    ASSERT_EQ(layout.rows().size(), 1u);
    // Bottom-aligned in a row as tall as its tallest cell.
    EXPECT_EQ(layout.rows()[0].height, 32);
    EXPECT_EQ(ws.icons()[small].y + ws.icons()[small].cellHeight,
              ws.icons()[mixed].y + ws.icons()[mixed].cellHeight);

    // The rubber band takes cells wholly inside it; a hit takes the cell under the point.
    const std::vector<size_t> order = ws.DisplayOrder();
    const IconEntry& s = ws.icons()[small];
    EXPECT_EQ(ViewLayout::HitTest(ws, order, s.x + 1, s.y + 1), static_cast<long>(small));
    EXPECT_EQ(ViewLayout::HitTest(ws, order, s.x - 2, s.y + 1), -1);
    EXPECT_EQ(ViewLayout::IconsInside(ws, {s.x, s.y, s.x + s.cellWidth, s.y + s.cellHeight}),
              std::vector<size_t>{small});

    ws.SelectList({mixed, small});
    SelectionMarks marks;
    marks.Rebuild(ws);
    EXPECT_TRUE(marks.IsSelected(mixed) && marks.IsSelected(small) && !marks.IsSelected(deep));
    EXPECT_EQ(marks.count(), 2u);
}

}  // namespace
}  // namespace vt
