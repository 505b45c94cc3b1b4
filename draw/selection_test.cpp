#include "draw/selection.h"

#include <gtest/gtest.h>

#include "draw/engine_testutil.h"

namespace vt {
namespace {

using test::EngineTest;
using test::ViewEvent;
using Points = std::vector<Point>;

class SelectionTool : public EngineTest {
  protected:
    // A 16 x 16 image whose pixel (x, y) holds (x + y) % 5 + 3, never colour A or B.
    void UsePattern() {
        Use(16, 16, kColors16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.SetXorValue(x, y, static_cast<uint32_t>((x + y) % 5 + 3));
        engine.ChooseTool(kToolSelectionFrame);
    }
    uint32_t Pattern(int x, int y) { return static_cast<uint32_t>((x + y) % 5 + 3); }
};

TEST_F(SelectionTool, ClickWithoutMovingMakesNoSelection) {
    UsePattern();
    Click({4, 4});
    EXPECT_FALSE(engine.selection().Exists());
    Drag({{4, 4}, {6, 5}, {4, 4}});
    EXPECT_FALSE(engine.selection().Exists());
}

TEST_F(SelectionTool, DragMakesAnInclusiveRectangleAndCopiesItsPixels) {
    UsePattern();
    Drag({{6, 5}, {2, 3}});
    const Selection& s = engine.selection();
    ASSERT_TRUE(s.Exists());
    EXPECT_EQ(s.state(), Selection::kOutside);
    EXPECT_EQ(s.rect(), (SelectionRect{2, 3, 7, 6}));
    ASSERT_EQ(s.floating().size(), 15u);
    EXPECT_EQ(s.floating()[0].x, 2);
    EXPECT_EQ(s.floating()[0].y, 3);
    EXPECT_EQ(s.floating()[6].value, Pattern(3, 4));
    EXPECT_FALSE(s.lifted());
    EXPECT_EQ(image.undo->Position(), 0u);  // selecting writes nothing
    // The band was drawn inverted and is gone again.
    EXPECT_GT(view.Count(ViewEvent::Inverse), 0);
}

TEST_F(SelectionTool, MoveLiftsWithColourBAndUndoRestoresBothPlacesInOneStep) {
    UsePattern();
    Drag({{2, 2}, {4, 4}});
    Drag({{3, 3}, {8, 3}});  // press inside, move right by 5
    EXPECT_TRUE(engine.selection().lifted());
    EXPECT_EQ(engine.selection().rect(), (SelectionRect{7, 2, 10, 5}));
    EXPECT_EQ(engine.selection().state(), Selection::kInside);
    // Until the commit the image holds colour B where the pixels came from.
    EXPECT_EQ(At(2, 2), kB);
    EXPECT_EQ(At(7, 2).value, Pattern(7, 2));
    engine.ChooseTool(kToolPencil);  // commits
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(At(7, 2).value, Pattern(2, 2));
    EXPECT_EQ(At(9, 4).value, Pattern(4, 4));
    EXPECT_EQ(At(3, 3), kB);
    EXPECT_EQ(Undo().undoLabel, kOpEdit);
    engine.Undo();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(At(x, y).value, Pattern(x, y)) << x << "," << y;
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(SelectionTool, DraggedOffTheImageAndBackKeepsEveryPixel) {
    UsePattern();
    Drag({{10, 10}, {13, 12}});
    Drag({{11, 11}, {15, 15}, {11, 11}});  // far off to the bottom right, then back
    const Selection& s = engine.selection();
    for (const FloatingPixel& p : s.floating()) EXPECT_EQ(p.value, Pattern(p.x, p.y));
    engine.CommitSelection();
    for (int y = 10; y <= 12; ++y)
        for (int x = 10; x <= 13; ++x) EXPECT_EQ(At(x, y).value, Pattern(x, y));
}

TEST_F(SelectionTool, PixelsOffTheImageAreNotPaintedNorWritten) {
    UsePattern();
    Drag({{12, 0}, {15, 1}});
    view.Clear();
    Drag({{13, 0}, {15, 0}});
    for (Point p : view.Painted()) EXPECT_LT(p.x, 16);
    engine.CommitSelection();
    EXPECT_EQ(At(14, 0).value, Pattern(12, 0));
    EXPECT_EQ(At(12, 0), kB);
}

TEST_F(SelectionTool, TransparentColourBShowsAndKeepsTheImageUnderIt) {
    UsePattern();
    image.SetXorValue(1, 1, kB.value);
    engine.Command(kCmdColorBTransparent);
    Drag({{0, 0}, {2, 2}});
    view.Clear();
    Drag({{1, 1}, {6, 6}});
    // The floating colour-B pixel now over (6,6) shows the image instead of being painted.
    for (const ViewEvent& e : view.events) {
        if (e.kind == ViewEvent::Paint) {
            EXPECT_FALSE(e.x == 6 && e.y == 6);
        }
    }
    EXPECT_NE(
        std::find(view.events.begin(), view.events.end(), ViewEvent{ViewEvent::Restore, 6, 6, {}}),
        view.events.end());
    engine.CommitSelection();
    EXPECT_EQ(At(6, 6).value, Pattern(6, 6));
    EXPECT_EQ(At(5, 5).value, Pattern(0, 0));
}

TEST_F(SelectionTool, RightButtonInsideOpensTheMenuAndElsewhereIsIgnored) {
    UsePattern();
    Drag({{2, 2}, {4, 4}});
    Click({3, 3}, MouseButton::Right);
    EXPECT_EQ(view.selectionMenus, 1);
    Click({9, 9}, MouseButton::Right);
    EXPECT_TRUE(engine.selection().Exists());
    EXPECT_FALSE(engine.state().buttonDown);
}

TEST_F(SelectionTool, PointerTrackingSwitchesBetweenInsideAndOutside) {
    UsePattern();
    Drag({{2, 2}, {4, 4}});
    Move({3, 3});
    EXPECT_EQ(engine.selection().state(), Selection::kInside);
    Move({8, 3});
    EXPECT_EQ(engine.selection().state(), Selection::kOutside);
}

TEST_F(SelectionTool, SelectAllChoosesTheToolAndCoversTheImage) {
    UsePattern();
    engine.ChooseTool(kToolBrush);
    ASSERT_TRUE(engine.Command(kCmdSelectAll));
    EXPECT_EQ(engine.state().tool, kToolSelectionFrame);
    EXPECT_EQ(engine.selection().rect(), (SelectionRect{0, 0, 16, 16}));
    EXPECT_EQ(engine.selection().floating().size(), 256u);
}

// Nudge and flip -----------------------------------------------------------------------------

TEST_F(SelectionTool, NudgeLeftOnTheWholeImageFillsColumnFifteenWithColourB) {
    UsePattern();
    engine.ChooseTool(kToolPencil);
    Click({0, 0});  // an open pencil operation is closed first
    ASSERT_TRUE(engine.Command(1090));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 15; ++x) ASSERT_EQ(At(x, y).value, Pattern(x + 1, y));
        EXPECT_EQ(At(15, y), kB);
    }
    EXPECT_EQ(Undo().undoLabel, kOpNudge);
    engine.Undo();
    EXPECT_EQ(At(0, 0), kA);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (x + y > 0) {
                ASSERT_EQ(At(x, y).value, Pattern(x, y));
            }
        }
    EXPECT_EQ(Undo().undoLabel, kOpPencil);
}

TEST_F(SelectionTool, AnimatorNudgeUsesItsOwnIdentifiers) {
    UsePattern();
    DrawEngine animator(view, prompt, CommandSet::Animator());
    animator.SetImage(&image);
    animator.SetColorB(kB);
    ASSERT_TRUE(animator.Command(1091));  // the Animator's "Nudge Left"
    EXPECT_EQ(animator.canvas()->ReadPixel(15, 0), kB);
    EXPECT_EQ(animator.canvas()->ReadPixel(0, 0).value, Pattern(1, 0));
    ASSERT_TRUE(animator.Command(1096));  // the Animator's "Flip Vertical"
    EXPECT_EQ(animator.canvas()->ReadPixel(0, 15).value, Pattern(1, 0));
}

TEST_F(SelectionTool, NudgeInsideAnUnliftedSelectionChangesOnlyItsArea) {
    UsePattern();
    Drag({{2, 2}, {5, 3}});
    engine.Command(1093);  // "Nudge Down"
    EXPECT_EQ(At(2, 2), kB);
    EXPECT_EQ(At(2, 3).value, Pattern(2, 2));
    EXPECT_EQ(At(2, 4).value, Pattern(2, 4));
    EXPECT_EQ(At(1, 2).value, Pattern(1, 2));
    // The floating buffer follows the image.
    EXPECT_EQ(engine.selection().floating()[0].ink(), kB);
}

TEST_F(SelectionTool, NudgeAndFlipOfALiftedSelectionTouchOnlyTheBuffer) {
    UsePattern();
    Drag({{2, 2}, {4, 2}});
    Drag({{3, 2}, {3, 6}});
    const size_t position = image.undo->Position();
    engine.Command(1094);  // "Flip Horizontal"
    EXPECT_EQ(image.undo->Position(), position);
    const std::vector<FloatingPixel>& f = engine.selection().floating();
    EXPECT_EQ(f[0].value, Pattern(4, 2));
    EXPECT_EQ(f[2].value, Pattern(2, 2));
    engine.Command(1091);  // "Nudge Right"
    EXPECT_EQ(f[0].ink(), kB);
    EXPECT_EQ(f[1].value, Pattern(4, 2));
    engine.CommitSelection();
    EXPECT_EQ(At(2, 6), kB);
    EXPECT_EQ(At(3, 6).value, Pattern(4, 2));
    EXPECT_EQ(At(4, 6).value, Pattern(3, 2));
}

TEST_F(SelectionTool, PastedPictureCommitsWithItsPendingCodeAndLiftsNothing) {
    UsePattern();
    std::vector<FloatingPixel> pixels(2);
    pixels[0].x = 5, pixels[0].y = 5, pixels[0].value = 1;
    pixels[1].x = 6, pixels[1].y = 5, pixels[1].value = 1;
    engine.selection().Paste(*engine.canvas(), {5, 5, 7, 6}, pixels, kOpNudge, kB, false);
    EXPECT_EQ(view.Painted(), (Points{{5, 5}, {6, 5}}));
    Drag({{5, 5}, {5, 7}});
    EXPECT_EQ(At(5, 5).value, Pattern(5, 5));  // a paste never came out of the image
    engine.CommitSelection();
    EXPECT_EQ(At(5, 7), kA);
    EXPECT_EQ(At(6, 7), kA);
    EXPECT_EQ(Undo().undoLabel, kOpNudge);
}

TEST(AreaTransforms, FloatingPixelRecordIsTwelveBytes) {
    EXPECT_EQ(sizeof(FloatingPixel), 12u);
}

// What a full repaint of the grid shows: the image, the lifted or pasted pixels over it.
std::vector<test::ShownCell> FreshRepaint(const IconImage& image, const Selection& sel) {
    std::vector<test::ShownCell> cells;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            cells.push_back({{image.XorValue(x, y), image.AndBit(x, y)}, false});
    if (sel.Exists() && (sel.lifted() || sel.pasted()))
        for (const FloatingPixel& p : sel.floating())
            if (p.x >= 0 && p.y >= 0 && p.x < image.width && p.y < image.height)
                cells[static_cast<size_t>(p.y) * static_cast<size_t>(image.width) +
                      static_cast<size_t>(p.x)]
                    .ink = p.ink();
    return cells;
}

// The cross-hair drawn before a move is taken away with the floating pixels shown where they
// are now, and no cell stays inverted: the grid looks like a fresh repaint after the move and
// after the put-down.
TEST_F(SelectionTool, CrossHairAroundAMovedSelectionLeavesTheGridAsARepaintShowsIt) {
    UsePattern();
    view.ShowImage(&image);
    Drag({{2, 2}, {5, 4}});
    Move({3, 3});  // hovering: the cross-hair through the selection
    EXPECT_GT(view.Count(ViewEvent::Inverse), 0);
    Press({3, 3});
    Move({5, 6});
    Move({6, 6});
    Release();
    EXPECT_EQ(view.screen, FreshRepaint(image, engine.selection())) << "after the move";
    Move({7, 5});  // the new cross-hair crosses the moved selection
    Move({10, 12});
    engine.PointerLeftGrid();
    EXPECT_EQ(view.screen, FreshRepaint(image, engine.selection())) << "after hovering";
    Move({4, 6});
    engine.ChooseTool(kToolPencil);  // puts the selection down
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(view.screen, FreshRepaint(image, engine.selection())) << "after the put-down";
}

}  // namespace
}  // namespace vt
