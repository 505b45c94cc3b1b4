#include <gtest/gtest.h>

#include "draw/engine_testutil.h"
#include "draw/flood_fill.h"

namespace vt {
namespace {

using test::EngineTest;
using test::ViewEvent;
using Points = std::vector<Point>;

// Dithering ----------------------------------------------------------------------------------

class Dithering : public EngineTest {};

TEST_F(Dithering, EvenModeWritesOnlyOddSumsAndOddModeIncludesTheOrigin) {
    Use(4, 4, kColors16);
    engine.Command(1098);  // "Paint even pixels"
    engine.ChooseTool(kToolFlood);
    Click({2, 2});
    EXPECT_EQ(At(0, 1), kA);
    EXPECT_EQ(At(1, 0), kA);
    EXPECT_EQ(At(0, 0).value, 0u);
    EXPECT_EQ(PixelsOf(kA).size(), 8u);

    Use(4, 4, kColors16);
    engine.Command(1099);  // "Paint odd pixels"
    Click({1, 2});
    EXPECT_EQ(At(0, 0), kA);
    EXPECT_EQ(At(1, 0).value, 0u);
}

TEST_F(Dithering, EveryOtherPixelFollowsTheParityOfThePress) {
    Use(8, 8, kColors16);
    engine.Command(1097);
    engine.ChooseTool(kToolFlood);
    Click({3, 4});
    EXPECT_EQ(At(0, 1), kA);
    EXPECT_EQ(At(0, 0).value, 0u);
}

TEST_F(Dithering, AnimatorNumbersTheModesOneHigher) {
    Use(4, 4, kColors16);
    DrawEngine animator(view, prompt, CommandSet::Animator());
    ASSERT_TRUE(animator.Command(1100));
    EXPECT_EQ(animator.state().ditherMode, 3);
    ASSERT_TRUE(animator.Command(1097));
    EXPECT_EQ(animator.state().ditherMode, 0);
    ASSERT_TRUE(engine.Command(1097));
    EXPECT_EQ(engine.state().ditherMode, 1);
}

// Pencil -------------------------------------------------------------------------------------

class Pencil : public EngineTest {};

TEST_F(Pencil, TwoStrokesAreUndoneByOneUndo) {
    Use(8, 8, kColors16);
    Drag({{0, 0}, {3, 0}});
    Drag({{0, 5}, {0, 7}});
    EXPECT_EQ(PixelsOf(kA).size(), 7u);
    EXPECT_TRUE(Undo().canUndo);
    EXPECT_EQ(engine.UndoMenuText(), "&Undo Pencil\tCtrl+Z");
    engine.Undo();
    EXPECT_TRUE(PixelsOf(kA).empty());
    EXPECT_FALSE(Undo().canUndo);
    engine.Redo();
    EXPECT_EQ(PixelsOf(kA).size(), 7u);
}

TEST_F(Pencil, ChoosingAnotherToolClosesTheOperation) {
    Use(8, 8, kColors16);
    Click({1, 1});
    engine.ChooseTool(kToolPencil);
    Click({2, 2});
    engine.Undo();
    EXPECT_EQ(At(1, 1), kA);
    EXPECT_EQ(At(2, 2).value, 0u);
}

TEST_F(Pencil, SegmentsPaintEachNewPixelOnceAndRightButtonUsesColourB) {
    Use(8, 8, kColors16);
    Drag({{0, 0}, {4, 0}}, MouseButton::Right);
    EXPECT_EQ(PixelsOf(kB), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
    // Press painted (0,0); the segment from (4,0) back to (0,0) excludes the last point.
    EXPECT_EQ(view.Painted(), (Points{{0, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}));
    EXPECT_EQ(engine.state().drawingInk, kA);  // back to colour A after the right button
    EXPECT_TRUE(view.extents.empty());         // the pencil shows no drag extent
}

TEST_F(Pencil, ComingBackIntoTheGridStartsAFreshSegment) {
    Use(8, 8, kColors16);
    Press({0, 0});
    engine.PointerLeftGrid();
    Move({5, 5});
    Release();
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {5, 5}}));
}

TEST_F(Pencil, ShiftLocksTheStrokeToTheRowOfTheFirstMovement) {
    Use(16, 16, kColors16);
    Press({2, 2});
    Move({3, 2}, true);  // horizontal movement: a row lock
    Move({4, 3}, true);  // off the row: ignored
    Move({6, 2}, true);
    Release();
    EXPECT_EQ(PixelsOf(kA), (Points{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}));
}

// Brush --------------------------------------------------------------------------------------

class Brush : public EngineTest {};

TEST_F(Brush, DiagonalDragOfShapeThreeAddsShorterCornerStamps) {
    Use(16, 16, kColors16);
    engine.ChooseTool(kToolBrush);
    engine.state().brushShape = 3;
    Drag({{5, 5}, {6, 6}});
    // Corner stamp at (5,6) with direction 1 leaves out its last cell (7,8).
    EXPECT_EQ(At(4, 5), kA);
    EXPECT_EQ(At(6, 7), kA);
    EXPECT_EQ(At(7, 8).value, 0u);
    EXPECT_EQ(PixelsOf(kA),
              (Points{{4, 4}, {4, 5}, {5, 5}, {5, 6}, {6, 6}, {6, 7}, {7, 7}, {8, 8}}));
}

TEST_F(Brush, OneStrokeIsOneOperationAndStampsAreClippedToTheImage) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolBrush);
    Drag({{0, 0}, {2, 0}});
    EXPECT_EQ(PixelsOf(kA),
              (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(Undo().undoLabel, kOpBrush);
    engine.Undo();
    EXPECT_TRUE(PixelsOf(kA).empty());
}

// Flood --------------------------------------------------------------------------------------

class Flood : public EngineTest {};

TEST_F(Flood, SpreadsUpRightDownLeftInQueueOrder) {
    Use(3, 3, kColors16);
    engine.ChooseTool(kToolFlood);
    Click({1, 1});
    EXPECT_EQ(view.Painted(),
              (Points{{1, 1}, {1, 0}, {2, 1}, {1, 2}, {0, 1}, {2, 0}, {0, 0}, {2, 2}, {0, 2}}));
    EXPECT_EQ(view.Count(ViewEvent::Commit), 1);
}

TEST_F(Flood, SeedHoldingTheInkChangesNothingAndAddsNoOperation) {
    Use(4, 4, kColors16, 1);
    engine.ChooseTool(kToolFlood);
    Click({0, 0});
    EXPECT_FALSE(Undo().canUndo);
    EXPECT_EQ(image.undo->Position(), 0u);
    EXPECT_TRUE(view.events.empty());
}

TEST_F(Flood, DoesNotCrossADiagonalOnlyConnection) {
    Use(4, 4, kColors16, 5);
    // A wall of colour 0 along the anti-diagonal leaves the corners touching only diagonally.
    for (int i = 0; i < 4; ++i) image.SetXorValue(i, 3 - i, 0);
    engine.ChooseTool(kToolFlood);
    Click({0, 0});
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}}));
}

TEST_F(Flood, ScreenPixelsAndBlackPixelsAreDifferentInks) {
    Use(4, 1, kColors16, 0);
    image.SetAndBit(0, 0, true);
    image.SetAndBit(1, 0, true);  // (0,0) (1,0) screen; (2,0) (3,0) black
    engine.ChooseTool(kToolFlood);
    Click({0, 0});
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {1, 0}}));
    EXPECT_EQ(At(2, 0), (Ink{0, false}));
    engine.Undo();
    EXPECT_EQ(At(0, 0), (Ink{0, true}));  // the AND bits come back too
    EXPECT_EQ(At(1, 0), (Ink{0, true}));
}

TEST_F(Flood, ThreeTrueColourFloodsWrapTheRingAndTheThirdUndoRunsOut) {
    Use(16, 16, kTrueColor, 0);
    engine.ChooseTool(kToolFlood);
    const Ink colours[] = {{0x0000FF, false}, {0x00FF00, false}, {0xFF0000, false}};
    for (Ink c : colours) {
        engine.SetColorA(c);
        Click({7, 7});
    }
    engine.Undo();
    engine.Undo();
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(PixelsOf(colours[0]).size(), 256u);
    engine.Undo();
    // The first flood started at the seed (7,7): its first entry was overwritten.
    EXPECT_EQ(PixelsOf(colours[0]), (Points{{7, 7}}));
    ASSERT_EQ(prompt.texts(), std::vector<std::string>{kUndoRanOutText});
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(Flood, DitheredFillStillSpreadsThroughSkippedPixels) {
    Use(5, 1, kColors16);
    engine.Command(1099);
    engine.ChooseTool(kToolFlood);
    Click({0, 0});
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {2, 0}, {4, 0}}));
}

// Color Eraser -------------------------------------------------------------------------------

class Eraser : public EngineTest {};

TEST_F(Eraser, SizeOneChangesOnlyTheDrawingInkInsideNinePixels) {
    Use(8, 8, kColors16, 1);
    image.SetXorValue(5, 5, 7);
    engine.ChooseTool(kToolEraser);
    Click({5, 5});
    EXPECT_EQ(PixelsOf(kB),
              (Points{{4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}, {4, 6}, {5, 6}, {6, 6}}));
    EXPECT_EQ(At(5, 5).value, 7u);
    EXPECT_EQ(Undo().undoLabel, kOpErase);
}

TEST_F(Eraser, RightButtonTurnsColourBIntoColourA) {
    Use(4, 4, kColors16, 2);
    engine.ChooseTool(kToolEraser);
    Click({0, 0}, MouseButton::Right);
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
}

TEST_F(Eraser, StrokeOverOtherColoursAddsNoUndoStep) {
    Use(8, 8, kColors16, 0);
    Click({7, 7});  // a pencil dot to undo later
    engine.ChooseTool(kToolEraser);
    Drag({{1, 1}, {3, 1}});
    EXPECT_EQ(Undo().undoLabel, kOpPencil);
    EXPECT_EQ(view.eraserAt.size(), 3u);  // the outline followed the pointer
    engine.Undo();
    EXPECT_EQ(At(7, 7).value, 0u);
}

// Color Selector and Color Locator ------------------------------------------------------------

class ColorTools : public EngineTest {};

TEST_F(ColorTools, SelectorTakesTheInkAndReturnsToThePreviousTool) {
    Use(4, 4, kColors16, 0);
    image.SetXorValue(1, 1, 9);
    image.SetAndBit(2, 2, true);
    engine.ChooseTool(kToolBrush);
    engine.ChooseTool(kToolColorSelector);
    const int changesBefore = view.colorChanges;
    Click({1, 1});
    EXPECT_EQ(engine.state().colorA, (Ink{9, false}));
    EXPECT_EQ(image.colorA, (ImageColor{9, false}));
    EXPECT_EQ(engine.state().tool, kToolBrush);
    EXPECT_EQ(image.undo->Position(), 0u);

    engine.ChooseTool(kToolColorSelector);
    Click({2, 2}, MouseButton::Right);
    EXPECT_EQ(engine.state().colorB, (Ink{0, true}));
    EXPECT_EQ(view.colorChanges, changesBefore + 2);
}

TEST_F(ColorTools, ShiftChoosesTheSelectorUntilItIsReleased) {
    Use(4, 4, kColors16, 3);
    engine.ChooseTool(kToolFlood);
    engine.ShiftChanged(true, true, {0, 0});
    EXPECT_EQ(engine.state().tool, kToolColorSelector);
    Click({0, 0});
    EXPECT_EQ(engine.state().tool, kToolColorSelector);
    EXPECT_EQ(engine.state().colorA, (Ink{3, false}));
    engine.ShiftChanged(false, true, {0, 0});
    EXPECT_EQ(engine.state().tool, kToolFlood);
}

TEST_F(ColorTools, LocatorFlashesEveryPixelOfTheInkForTenTicks) {
    Use(4, 4, kColors16, 0);
    image.SetXorValue(3, 0, 6);
    image.SetXorValue(0, 2, 6);
    engine.ChooseTool(kToolColorLocator);
    Click({3, 0});
    EXPECT_EQ(view.timerStarts, 1);
    for (int i = 0; i < 10; ++i) engine.LocatorTick();
    EXPECT_EQ(view.locatorCells, (Points{{3, 0}, {0, 2}}));
    EXPECT_EQ(view.locatorTicks,
              (std::vector<bool>{false, true, false, true, false, true, false, true, false}));
    EXPECT_TRUE(view.locatorFrame);
    EXPECT_EQ(view.locatorEnded, (Points{{3, 0}, {0, 2}}));
    EXPECT_EQ(view.timerStops, 1);
    EXPECT_FALSE(engine.locator().Running());
    EXPECT_EQ(engine.state().tool, kToolColorLocator);
}

TEST_F(ColorTools, LocatorOnTrueColourHasNoPaletteFrameAndARestartStopsTheOldRun) {
    Use(4, 4, kTrueColor, 0);
    engine.ChooseTool(kToolColorLocator);
    Click({0, 0});
    engine.LocatorTick();
    EXPECT_FALSE(view.locatorFrame);
    Click({1, 1});
    EXPECT_EQ(view.timerStops, 1);
    EXPECT_EQ(view.timerStarts, 2);
    EXPECT_EQ(engine.locator().count(), 10);
}

// Tools and commands -------------------------------------------------------------------------

TEST(ToolFactory, EveryToolCommandMakesItsTool) {
    for (int id = kToolSelectionFrame; id <= kToolColorLocator; ++id) {
        std::unique_ptr<Tool> t = CreateTool(id);
        ASSERT_NE(t, nullptr) << id;
        const int family = id >= 1079 && id <= 1081 ? 1079 : id >= 1082 && id <= 1084 ? 1082 : id;
        EXPECT_EQ(t->Id(), family);
    }
    EXPECT_EQ(CreateTool(1072), nullptr);
    EXPECT_EQ(CreateTool(1088), nullptr);
    EXPECT_EQ(ToolCursorResource(kToolPencil), 60);
    EXPECT_EQ(ToolCursorResource(kToolEllipse), 64);
    EXPECT_EQ(ToolCursorResource(kToolColorLocator), 68);
    EXPECT_EQ(ToolCursorResource(kToolText), 67);
    EXPECT_EQ(ToolCursorResource(1088), 0);
}

TEST(CommandSets, AnimatorShiftsNudgeFlipAndDitheringByOne) {
    const CommandSet studio = CommandSet::Studio();
    const CommandSet animator = CommandSet::Animator();
    EXPECT_EQ(studio.Decode(1090)->kind, EditCommand::Kind::Nudge);
    EXPECT_EQ(studio.Decode(1091)->value, static_cast<int>(Nudge::Right));
    EXPECT_EQ(animator.Decode(1091)->value, static_cast<int>(Nudge::Left));
    EXPECT_EQ(animator.Decode(1096)->kind, EditCommand::Kind::Flip);
    EXPECT_EQ(studio.Decode(1096)->kind, EditCommand::Kind::Dither);
    EXPECT_FALSE(animator.Decode(1090).has_value());
    EXPECT_EQ(animator.Decode(1081)->kind, EditCommand::Kind::ShapeVariant);
    EXPECT_EQ(animator.Decode(1081)->value, 2);
    EXPECT_EQ(studio.Decode(1087)->kind, EditCommand::Kind::Tool);
}

TEST_F(Eraser, OutlineGoesWhenAnotherToolIsChosen) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolEraser);
    Move({3, 3});
    ASSERT_EQ(view.eraserAt, (Points{{3, 3}}));
    engine.ChooseTool(kToolPencil);
    ASSERT_GE(view.eraserAt.size(), 2u);
    EXPECT_EQ(view.eraserAt.back().x, kNoPoint);
}

}  // namespace
}  // namespace vt
