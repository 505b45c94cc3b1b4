#include <gtest/gtest.h>

#include "draw/engine_testutil.h"

namespace vt {
namespace {

using test::EngineTest;
using test::ViewEvent;
using Points = std::vector<Point>;

class ShapeTools : public EngineTest {};

TEST_F(ShapeTools, LineWritesTheGeneratorsPixelsThenTheEndPixel) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolLine);
    Drag({{0, 0}, {3, 0}});
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(Undo().undoLabel, kOpLine);
    EXPECT_EQ(engine.state().lastPoint.x, kNoPoint);
    engine.Undo();
    EXPECT_TRUE(PixelsOf(kA).empty());
    EXPECT_FALSE(Undo().canUndo);
    engine.Redo();
    EXPECT_EQ(PixelsOf(kA).size(), 4u);
}

TEST_F(ShapeTools, NothingIsWrittenUntilTheRelease) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolRectangle);
    Press({1, 1});
    Move({4, 4});
    EXPECT_TRUE(PixelsOf(kA).empty());
    EXPECT_EQ(view.Count(ViewEvent::Paint), 12);  // the band shows the outline
    Release();
    EXPECT_EQ(PixelsOf(kA).size(), 12u);
}

TEST_F(ShapeTools, RubberBandRepaintsOnlyTheSymmetricDifference) {
    Use(16, 16, kColors16);
    engine.ChooseTool(kToolLine);
    Press({0, 0});
    Move({4, 0});
    view.Clear();
    Move({6, 0});
    // (0..4, 0) stay; (5,0) and (6,0) are new; nothing goes away.
    EXPECT_EQ(view.Painted(), (Points{{5, 0}, {6, 0}}));
    EXPECT_TRUE(view.Painted(ViewEvent::Restore).empty());
    view.Clear();
    Move({2, 0});
    EXPECT_EQ(view.Painted(ViewEvent::Restore), (Points{{3, 0}, {4, 0}, {5, 0}, {6, 0}}));
    EXPECT_TRUE(view.Painted().empty());
    Release();
}

TEST_F(ShapeTools, ThreeByThreeFilledRectangleHasOneInteriorPixelInColourB) {
    Use(8, 8, kColors16);
    engine.Command(1080);  // "Filled Rectangle"
    EXPECT_EQ(engine.state().tool, kToolRectangle);
    Drag({{2, 2}, {4, 4}});
    EXPECT_EQ(PixelsOf(kB), (Points{{3, 3}}));
    EXPECT_EQ(PixelsOf(kA).size(), 8u);
    EXPECT_EQ(Undo().undoLabel, kOpRectangle);
    // With the right button the outline is colour B and the interior colour A.
    Drag({{0, 5}, {2, 7}}, MouseButton::Right);
    EXPECT_EQ(At(1, 6), kA);
    EXPECT_EQ(At(0, 5), kB);
}

TEST_F(ShapeTools, TwoPixelWideFilledRectangleIsOutlineOnly) {
    Use(8, 8, kColors16);
    engine.Command(1080);
    Drag({{2, 2}, {3, 6}});
    EXPECT_TRUE(PixelsOf(kB).empty());
    EXPECT_EQ(PixelsOf(kA).size(), 10u);
}

TEST_F(ShapeTools, SolidRectangleFillsWithTheDrawingInk) {
    Use(8, 8, kColors16);
    engine.Command(1081);
    Drag({{0, 0}, {4, 3}});
    EXPECT_EQ(PixelsOf(kA).size(), 20u);
}

TEST_F(ShapeTools, RectangleDraggedOffTheGridWritesOnlyItsPixelsInside) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolRectangle);
    Drag({{5, 5}, {10, 9}, {11, 10}});
    EXPECT_EQ(PixelsOf(kA), (Points{{5, 5}, {6, 5}, {7, 5}, {5, 6}, {5, 7}}));
}

TEST_F(ShapeTools, EllipseOverOneAndTwoPixels) {
    Use(8, 8, kColors16);
    engine.Command(1082);
    Click({3, 3});
    EXPECT_EQ(PixelsOf(kA), (Points{{3, 3}}));
    EXPECT_EQ(image.undo->Position(), 1u);  // one pixel, written once
    Drag({{5, 5}, {5, 6}});
    EXPECT_EQ(PixelsOf(kA), (Points{{3, 3}, {5, 5}, {5, 6}}));
    EXPECT_EQ(Undo().undoLabel, kOpEllipse);
}

TEST_F(ShapeTools, SolidEllipseWithOddModeWritesOnlyEvenSums) {
    Use(16, 16, kColors16);
    engine.Command(1084);  // "Solid Ellipse"
    engine.Command(1099);
    Drag({{1, 1}, {9, 7}});
    const Points written = PixelsOf(kA);
    ASSERT_FALSE(written.empty());
    for (Point p : written) EXPECT_EQ((p.x + p.y) % 2, 0) << p.x << "," << p.y;
    EXPECT_EQ(At(4, 4), kA);  // the interior is filled
    EXPECT_EQ(At(5, 4).value, 0u);
    EXPECT_EQ(Undo().undoLabel, kOpEllipse);
}

TEST_F(ShapeTools, ShiftConstrainsTheLine) {
    Use(16, 16, kColors16);
    engine.ChooseTool(kToolLine);
    Drag({{0, 0}, {5, 2}}, MouseButton::Left, true);
    EXPECT_EQ(PixelsOf(kA).size(), 6u);
    for (Point p : PixelsOf(kA)) EXPECT_EQ(p.y, 0);
    Use(16, 16, kColors16);
    Drag({{0, 0}, {5, 4}}, MouseButton::Left, true);
    EXPECT_EQ(At(5, 5), kA);
    EXPECT_EQ(PixelsOf(kA).size(), 6u);
}

TEST_F(ShapeTools, StatusBarShowsTheSignedExtentWhileDragging) {
    Use(16, 16, kColors16);
    engine.ChooseTool(kToolRectangle);
    Press({10, 10});
    Move({7, 12});
    Move({7, 12});   // unchanged pixel: nothing rewritten
    Move({20, 12});  // clamped to the image
    Release();
    EXPECT_EQ(view.extents, (std::vector<std::string>{" -4 x 3", " 6 x 3", ""}));
}

TEST_F(ShapeTools, HiddenAnchorInEvenModeIsNotShown) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolRectangle);
    engine.Command(1098);
    Press({2, 2});  // x + y even: "Paint even pixels" does not paint it
    EXPECT_TRUE(view.Painted().empty());
    Release();
    EXPECT_TRUE(PixelsOf(kA).empty());
}

TEST_F(ShapeTools, CrossHairInvertsRowAndColumnButNotThePointer) {
    Use(4, 4, kColors16);
    engine.ChooseTool(kToolEllipse);
    Move({1, 2});
    EXPECT_EQ(view.Painted(ViewEvent::Inverse),
              (Points{{0, 2}, {2, 2}, {3, 2}, {1, 0}, {1, 1}, {1, 3}}));
    view.Clear();
    engine.PointerLeftGrid();
    EXPECT_EQ(view.Painted(ViewEvent::Restore).size(), 6u);
}

TEST_F(ShapeTools, LineHoverMarksThePointerCellInColourA) {
    Use(4, 4, kColors16);
    engine.ChooseTool(kToolLine);
    Move({1, 1});
    Move({2, 1});
    EXPECT_EQ(view.events, (std::vector<test::ViewEvent>{{ViewEvent::Paint, 1, 1, kA},
                                                         {ViewEvent::Restore, 1, 1, {}},
                                                         {ViewEvent::Paint, 2, 1, kA}}));
    EXPECT_TRUE(PixelsOf(kA).empty());
    view.Clear();
    engine.PointerLeftGrid();  // the cell and preview pixel under the last position come back
    EXPECT_EQ(view.events, (std::vector<test::ViewEvent>{{ViewEvent::Restore, 2, 1, {}}}));
}

// Another tool, chosen from the menu or lent by Shift, takes the old tool's marks away.
TEST_F(ShapeTools, HoverMarksGoWhenTheToolChanges) {
    Use(4, 4, kColors16);
    view.ShowImage(&image);
    const std::vector<test::ShownCell> clean = view.screen;
    engine.ChooseTool(kToolEllipse);
    Move({1, 2});
    EXPECT_NE(view.screen, clean);
    engine.ChooseTool(kToolPencil);
    EXPECT_EQ(view.screen, clean);

    engine.ChooseTool(kToolLine);
    Move({2, 2});
    EXPECT_NE(view.screen, clean);
    engine.ShiftChanged(true, true, Window({2, 2}));
    EXPECT_EQ(engine.state().tool, kToolColorSelector);
    EXPECT_EQ(view.screen, clean);

    engine.ShiftChanged(false, true, Window({2, 2}));
    engine.ChooseTool(kToolBrush);
    Move({1, 1});
    EXPECT_NE(view.screen, clean);
    engine.Command(kToolRectangle);
    EXPECT_EQ(view.screen, clean);
}

}  // namespace
}  // namespace vt
