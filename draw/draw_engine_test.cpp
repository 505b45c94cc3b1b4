#include "draw/draw_engine.h"

#include <gtest/gtest.h>

#include "draw/engine_testutil.h"

namespace vt {
namespace {

using test::EngineTest;
using test::MakeImage;
using Points = std::vector<Point>;

class Engine : public EngineTest {};

TEST_F(Engine, SwitchingImagesKeepsEachImagesHistoryAndColours) {
    Use(8, 8, kColors16);
    IconImage other = MakeImage(16, 16, kTrueColor);
    engine.ChooseTool(kToolLine);
    Click({1, 1});
    Click({2, 2});
    engine.Undo();  // first image: Undo "Line", Redo "Line"
    engine.SetImage(&other);
    EXPECT_FALSE(Undo().canUndo);
    EXPECT_FALSE(Undo().canRedo);
    engine.SetColorA({0x123456, false});
    engine.Command(1082);
    Drag({{0, 0}, {4, 4}});
    EXPECT_EQ(Undo().undoLabel, kOpEllipse);

    engine.SetImage(&image);
    EXPECT_EQ(Undo(), (UndoState{kOpLine, kOpLine, true, true}));
    EXPECT_EQ(image.editorState, (SavedEditorState{true, true, kOpLine, kOpLine}));
    EXPECT_EQ(engine.state().colorA, kA);
    EXPECT_EQ(engine.RedoMenuText(), "&Redo Line\tCtrl+Y");
    engine.SetImage(&other);
    EXPECT_EQ(Undo(), (UndoState{kOpEllipse, 0, true, false}));
    EXPECT_EQ(engine.state().colorA, (Ink{0x123456, false}));
    engine.SetImage(&image);
}

TEST_F(Engine, UndoRightAfterAMoveTakesBackTheLiftAndTheDrop) {
    Use(8, 8, kColors16, 5);
    image.SetXorValue(1, 1, 7);
    engine.ChooseTool(kToolSelectionFrame);
    Drag({{1, 1}, {2, 2}});
    Drag({{1, 1}, {4, 4}});
    engine.Undo();
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(At(1, 1).value, 7u);
    EXPECT_EQ(At(4, 4).value, 5u);
    EXPECT_TRUE(PixelsOf(kB).empty());
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(Engine, HotSpotModeTakesThePressAndDrawsNothing) {
    Use(8, 8, kColors16);
    int modified = 0;
    engine.SetModifiedHook([&] { ++modified; });
    engine.SetHotSpotMode(true);
    Click({3, 5});
    EXPECT_EQ(image.hotSpotX, 3u);
    EXPECT_EQ(image.hotSpotY, 5u);
    EXPECT_EQ(modified, 1);
    EXPECT_FALSE(engine.state().hotSpotMode);
    EXPECT_TRUE(PixelsOf(kA).empty());
    Click({3, 5});  // the mode is off again: the pencil draws
    EXPECT_EQ(PixelsOf(kA), (Points{{3, 5}}));
    EXPECT_EQ(modified, 2);
}

TEST_F(Engine, ShiftDuringADragMeasuresTheLockFromThere) {
    Use(16, 16, kColors16);
    Press({2, 2});
    Move({2, 5});  // vertical movement without Shift
    engine.ShiftChanged(true, true, Window({2, 5}));
    Move({5, 5}, true);  // then horizontal: a row lock at y = 5
    Move({6, 9}, true);  // ignored
    Move({8, 5}, true);
    Release();
    EXPECT_EQ(At(8, 5), kA);
    EXPECT_EQ(At(6, 9).value, 0u);
    EXPECT_EQ(PixelsOf(kA).size(), 4u + 6u);
}

TEST_F(Engine, RebuiltHistoryWhilePencilIsOpenDropsTheOpenOperation) {
    Use(8, 8, kColors16);
    Click({0, 0});
    engine.ResetHistory();
    EXPECT_FALSE(Undo().canUndo);
    Click({1, 0});
    engine.ChooseTool(kToolFlood);
    engine.Undo();
    EXPECT_EQ(At(0, 0), kA);  // drawn before the history was made afresh
    EXPECT_EQ(At(1, 0).value, 0u);
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(Engine, PencilPressOffersUndoAtOnceButADitheredAwayPressDoesNot) {
    Use(8, 8, kColors16);
    engine.Command(1098);
    Click({0, 0});  // x + y even: nothing written
    EXPECT_FALSE(Undo().canUndo);
    Click({1, 0});
    EXPECT_TRUE(Undo().canUndo);
    EXPECT_EQ(engine.UndoMenuText(), "&Undo Pencil\tCtrl+Z");
}

TEST_F(Engine, NoImageMeansNoDrawing) {
    engine.SetImage(nullptr);
    engine.ToolButtonDown(MouseButton::Left, {0, 0}, {0, 0});
    engine.ToolMouseMove({1, 1}, {1, 1}, false);
    engine.ToolButtonUp(MouseButton::Left);
    engine.Undo();
    EXPECT_TRUE(engine.Command(1090));
    EXPECT_EQ(engine.canvas(), nullptr);
}

TEST_F(Engine, SameImageRebuiltGetsAFreshHistory) {
    Use(8, 8, kColors16);
    Click({0, 0});
    image.undo.reset();  // the bits were freed and made again
    engine.SetImage(&image);
    ASSERT_NE(image.undo, nullptr);
    EXPECT_FALSE(engine.state().pencilOpen);
    Click({1, 0});
    engine.Undo();
    EXPECT_EQ(At(0, 0), kA);
    EXPECT_EQ(At(1, 0).value, 0u);
}

TEST_F(Engine, ImageWithoutHistoryStillDraws) {
    Use(8, 8, kColors16);
    image.undo.reset();  // the history could not be allocated
    Drag({{0, 0}, {2, 0}});
    EXPECT_EQ(PixelsOf(kA).size(), 3u);
    engine.Undo();
    EXPECT_EQ(PixelsOf(kA).size(), 3u);
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(Engine, TextToolIgnoresTheRightButton) {
    Use(8, 8, kColors16);
    engine.ChooseTool(kToolText);
    Press({1, 1}, MouseButton::Right);
    EXPECT_FALSE(engine.state().buttonDown);
    Release(MouseButton::Right);
}

TEST_F(Engine, PastedTextCommitsAsOperationTwelve) {
    Use(8, 8, kColors16);
    std::vector<FloatingPixel> pixels(1);
    pixels[0].x = 2;
    pixels[0].y = 3;
    pixels[0].value = 9;
    engine.PasteFloating({2, 3, 3, 4}, pixels, kOpNudge);
    EXPECT_EQ(engine.state().tool, kToolSelectionFrame);
    EXPECT_TRUE(engine.selection().pasted());
    EXPECT_EQ(At(2, 3).value, 0u);
    engine.ChooseTool(kToolPencil);
    EXPECT_EQ(At(2, 3).value, 9u);
    EXPECT_EQ(Undo().undoLabel, kOpNudge);
    EXPECT_EQ(engine.UndoMenuText(), "&Undo Nudge/Text\tCtrl+Z");
}

// While pasted text floats, Undo is offered under its name; it puts the text down and takes it
// back in one step, leaving it for Redo.
TEST_F(Engine, FloatingTextCanBeUndoneBeforeItIsPutDown) {
    Use(8, 8, kColors16);
    Drag({{0, 0}, {1, 0}});  // a pencil stroke Redo would otherwise hold after one Undo
    engine.Undo();
    EXPECT_TRUE(Undo().canRedo);
    std::vector<FloatingPixel> pixels(1);
    pixels[0] = {4, 4, 9, 0, {}};
    engine.selection().Paste(*engine.canvas(), {4, 4, 5, 5}, pixels, kOpNudge,
                             engine.state().colorB, false);
    const UndoState floating = Undo();
    EXPECT_TRUE(floating.canUndo);
    EXPECT_FALSE(floating.canRedo);
    EXPECT_EQ(engine.UndoMenuText(), "&Undo Nudge/Text\tCtrl+Z");
    engine.Undo();
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(At(4, 4).value, 0u);
    EXPECT_TRUE(Undo().canRedo);
    engine.Redo();
    EXPECT_EQ(At(4, 4).value, 9u);
}

// The text tool in the grid: a press outside the floating text puts it down (one operation 12)
// and makes the pressed pixel the next text's place; dragging the text moves that place with it.
TEST_F(Engine, TextToolPlacesAndMovesTheText) {
    Use(8, 8, kColors16);
    int restarts = 0;
    engine.SetTextRestartHook([&] { ++restarts; });
    engine.ChooseTool(kToolText);
    Click({5, 6});
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(engine.state().textPosition, (Point{5, 6}));
    EXPECT_FALSE(Undo().canUndo);  // nothing floated, nothing written

    std::vector<FloatingPixel> pixels(2);
    pixels[0] = {5, 6, 9, 0, {}};
    pixels[1] = {6, 6, 9, 0, {}};
    engine.selection().Paste(*engine.canvas(), {5, 6, 7, 7}, pixels, kOpNudge,
                             engine.state().colorB, false);
    Drag({{5, 6}, {4, 5}, {2, 3}});
    EXPECT_EQ(restarts, 1);  // a drag inside the text only moves it
    EXPECT_EQ(engine.state().textPosition, (Point{2, 3}));
    EXPECT_EQ(At(2, 3).value, 0u);

    Click({0, 0});
    EXPECT_EQ(restarts, 2);
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(At(2, 3).value, 9u);
    EXPECT_EQ(At(3, 3).value, 9u);
    EXPECT_EQ(At(5, 6).value, 0u);
    EXPECT_EQ(Undo().undoLabel, kOpNudge);
    engine.Undo();
    EXPECT_EQ(At(2, 3).value, 0u);
    EXPECT_FALSE(Undo().canUndo);  // the move and the drop were one operation
}

// Random sessions over every tool: undoing everything gives back the first image and redoing
// everything the last, so no tool writes a pixel behind the history's back. A session whose
// history overflowed the ring cannot be undone completely and is not judged.
TEST_F(Engine, RandomSessionsUndoAndRedoExactly) {
    int judged = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Use(32, 32, kColors256, 0);
        prompt.Clear();
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                image.SetXorValue(x, y, static_cast<uint32_t>((x * 7 + y * 3) % 5));
        const std::vector<uint8_t> first = image.block;
        uint32_t rng = seed;
        auto next = [&](int n) {
            rng = rng * 1103515245u + 12345u;
            return static_cast<int>((rng >> 16) % static_cast<uint32_t>(n));
        };
        const int tools[] = {kToolPencil,      kToolLine,          kToolBrush,
                             kToolFlood,       kToolEraser,        kToolRectangle + 1,
                             kToolEllipse + 2, kToolSelectionFrame};
        for (int step = 0; step < 8; ++step) {
            engine.Command(tools[next(8)]);
            engine.Command(1096 + next(4));
            engine.state().brushShape = next(8);
            engine.SetColorA({static_cast<uint32_t>(next(5)), next(4) == 0});
            engine.SetColorB({static_cast<uint32_t>(next(5)), false});
            const MouseButton b = next(2) ? MouseButton::Left : MouseButton::Right;
            Press({next(32), next(32)}, b);
            for (int m = next(4); m >= 0; --m) Move({next(40) - 4, next(40) - 4}, next(3) == 0);
            Release(b);
            if (next(6) == 0) engine.Command(1090 + next(6));
        }
        engine.ChooseTool(kToolPencil);
        const std::vector<uint8_t> last = image.block;
        while (Undo().canUndo) engine.Undo();
        if (!prompt.shown().empty()) continue;
        ++judged;
        ASSERT_EQ(image.block, first) << "seed " << seed;
        while (Undo().canRedo) engine.Redo();
        ASSERT_EQ(image.block, last) << "seed " << seed;
    }
    EXPECT_GE(judged, 20);
}

// Edit commands reach the engine through Command(), as menu and accelerator send them. None may
// run in the middle of a stroke: the stroke goes on as one operation, and one Undo takes all of
// it back.
TEST_F(Engine, EditCommandsDuringADragAreIgnoredAndTheStrokeStaysOneOperation) {
    const CommandSet ids = CommandSet::Studio();
    const std::vector<int> commands = {kCmdUndo,
                                       kCmdRedo,
                                       kCmdSelectAll,
                                       ids.NudgeCommand(Nudge::Left),
                                       ids.NudgeCommand(Nudge::Right),
                                       ids.NudgeCommand(Nudge::Up),
                                       ids.NudgeCommand(Nudge::Down),
                                       ids.FlipCommand(FlipAxis::Horizontal),
                                       ids.FlipCommand(FlipAxis::Vertical),
                                       kToolLine};
    for (int id : commands) {
        SCOPED_TRACE(id);
        Use(8, 8, kColors16);
        engine.ChooseTool(kToolBrush);
        Click({6, 6});  // something to undo, redo, select or move
        engine.Undo();
        engine.ChooseTool(kToolPencil);
        Press({0, 0});
        Move({2, 0});
        EXPECT_FALSE(engine.TakesCommands());
        EXPECT_TRUE(engine.Command(id));
        Move({4, 0});
        Release();
        EXPECT_TRUE(engine.TakesCommands());
        EXPECT_EQ(engine.state().tool, kToolPencil);
        EXPECT_FALSE(engine.selection().Exists());
        EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
        EXPECT_TRUE(Undo().canUndo);
        EXPECT_EQ(Undo().undoLabel, kOpPencil);
        EXPECT_FALSE(Undo().canRedo);
        engine.Undo();
        EXPECT_TRUE(PixelsOf(kA).empty());
        EXPECT_FALSE(Undo().canUndo);
    }
}

// The Animator's frame list can change the image in the middle of a drag: the stroke and the
// rectangle end on their own image as one operation, and the late release draws nothing.
TEST_F(Engine, SwitchingImagesDuringADragEndsItOnItsOwnImage) {
    Use(8, 8, kColors16);
    IconImage other = MakeImage(8, 8, kColors16);
    engine.ChooseTool(kToolPencil);
    Press({0, 0});
    Move({3, 0});
    engine.SetImage(&other);
    EXPECT_FALSE(engine.state().buttonDown);
    Move({3, 5});
    Release();
    EXPECT_FALSE(Undo().canUndo);
    engine.SetColorA(kA);
    engine.Command(kToolRectangle);
    Press({1, 1});
    Move({4, 4});
    engine.SetImage(&image);
    Release();
    EXPECT_EQ(PixelsOf(kA), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(Undo(), (UndoState{kOpPencil, 0, true, false}));
    engine.Undo();
    EXPECT_TRUE(PixelsOf(kA).empty());
    EXPECT_FALSE(Undo().canUndo);

    engine.SetImage(&other);
    EXPECT_EQ(PixelsOf(kA).size(), 12u);  // the rectangle's outline from (1,1) to (4,4)
    EXPECT_EQ(Undo().undoLabel, kOpRectangle);
    engine.Undo();
    EXPECT_TRUE(PixelsOf(kA).empty());
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(Engine, PastesDuringADragAreIgnored) {
    Use(8, 8, kColors16);
    std::vector<FloatingPixel> pixels(1);
    pixels[0].x = 5;
    pixels[0].y = 5;
    pixels[0].value = 9;
    engine.ChooseTool(kToolSelectionFrame);
    Drag({{1, 1}, {2, 2}});
    Press({1, 1});
    Move({3, 3});  // the selection is lifted and moving
    engine.PasteFloating({5, 5, 6, 6}, pixels, 0);
    engine.PasteIntoSelection(pixels);
    Move({4, 4});
    Release();
    EXPECT_EQ(engine.selection().rect(), (SelectionRect{4, 4, 6, 6}));
    EXPECT_EQ(engine.selection().floating().size(), 4u);
    EXPECT_FALSE(engine.selection().pasted());
}

// The second button of a drag is neither pressed nor released as far as the tool knows.
TEST_F(Engine, ASecondButtonNeitherStartsNorEndsTheDrag) {
    Use(8, 8, kColors16);
    engine.Command(kToolRectangle + 1);  // filled rectangle: outline A, inside B after a left drag
    Press({1, 1});
    Move({3, 3});
    Press({3, 3}, MouseButton::Right);
    Release(MouseButton::Right);
    EXPECT_TRUE(engine.state().buttonDown);
    EXPECT_TRUE(PixelsOf(kA).empty());  // nothing committed yet
    Move({5, 5});
    Release();
    EXPECT_EQ(PixelsOf(kB),
              (Points{{2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_EQ(PixelsOf(kA).size(), 16u);
}

TEST_F(Engine, EmptiedTextIsDiscardedUnwritten) {
    Use(8, 8, kColors16);
    std::vector<FloatingPixel> pixels(1);
    pixels[0].x = 2;
    pixels[0].y = 3;
    pixels[0].value = 1;
    engine.ChooseTool(kToolText);
    // As the text window places its rendering.
    engine.selection().Paste(*engine.canvas(), {2, 3, 3, 4}, pixels, kOpNudge, kB, false);
    EXPECT_TRUE(Undo().canUndo);
    view.Clear();
    engine.DiscardPaste();
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(view.Painted(test::ViewEvent::Restore), (Points{{2, 3}}));
    engine.ChooseTool(kToolPencil);
    EXPECT_TRUE(PixelsOf(kA).empty());
    EXPECT_FALSE(Undo().canUndo);
}

}  // namespace
}  // namespace vt
