#include "draw/selection_clipboard.h"

#include <gtest/gtest.h>

#include "draw/engine_testutil.h"

namespace vt {
namespace {

using test::EngineTest;

class SelectionClipboard : public EngineTest {
  protected:
    // A 16 x 16 image whose pixel (x, y) holds (x + y) % 5 + 3, with a transparent pixel at (3, 3).
    void UsePattern() {
        Use(16, 16, kColors16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                image.SetXorValue(x, y, Pattern(x, y));
                image.SetAndBit(x, y, false);
            }
        image.SetXorValue(3, 3, 0);
        image.SetAndBit(3, 3, true);
        engine.ChooseTool(kToolSelectionFrame);
    }
    static uint32_t Pattern(int x, int y) { return static_cast<uint32_t>((x + y) % 5 + 3); }
};

TEST_F(SelectionClipboard, CopyTakesRelativePixelsWithTheirMaskAndTheImageTable) {
    UsePattern();
    Drag({{2, 2}, {4, 5}});
    const ClipBlock b = SelectionClipBlock(engine);
    EXPECT_EQ(b.width, 3u);
    EXPECT_EQ(b.height, 4u);
    ASSERT_EQ(b.pixels.size(), 12u);
    EXPECT_EQ(b.table.size(), 16u);
    EXPECT_EQ(b.pixels[0], (ClipPixel{0, 0, Pattern(2, 2), false}));
    EXPECT_EQ(b.pixels[4], (ClipPixel{1, 1, 0, true}));  // the transparent pixel at (3, 3)
    EXPECT_EQ(b.pixels[11], (ClipPixel{2, 3, Pattern(4, 5), false}));
}

TEST_F(SelectionClipboard, NothingToCopyWithoutASelection) {
    UsePattern();
    EXPECT_TRUE(SelectionClipBlock(engine).pixels.empty());
}

TEST_F(SelectionClipboard, ClearFillsTheAreaWithColourBAsOneUndoableEdit) {
    UsePattern();
    Drag({{2, 2}, {4, 4}});
    ClearSelection(engine);
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(At(2, 2), kB);
    EXPECT_EQ(At(4, 4), kB);
    EXPECT_EQ(At(5, 4).value, Pattern(5, 4));
    ASSERT_TRUE(Undo().canUndo);
    engine.Undo();
    EXPECT_EQ(At(2, 2).value, Pattern(2, 2));
    EXPECT_EQ(At(3, 3), (Ink{0, true}));
}

TEST_F(SelectionClipboard, ClearOfAMovedSelectionDropsItsPixelsAndUndoBringsThemBack) {
    UsePattern();
    Drag({{2, 2}, {4, 4}});
    Drag({{3, 3}, {9, 9}});  // lifted and moved by 6
    ClearSelection(engine);
    EXPECT_FALSE(engine.selection().Exists());
    EXPECT_EQ(At(2, 2), kB);
    EXPECT_EQ(At(8, 8).value, Pattern(8, 8));  // the dropped pixels were never written
    engine.Undo();
    EXPECT_EQ(At(2, 2).value, Pattern(2, 2));
    EXPECT_FALSE(Undo().canUndo);
}

TEST_F(SelectionClipboard, PasteFloatsAtTheCornerAndWritesOnlyWhenPutDown) {
    UsePattern();
    PastePixels paste{2, 1, {{0, 0, 9, false}, {1, 0, 0, true}}};
    PlacePaste(engine, paste, false);
    ASSERT_TRUE(engine.selection().Exists());
    EXPECT_TRUE(engine.selection().pasted());
    EXPECT_EQ(engine.selection().rect(), (SelectionRect{0, 0, 2, 1}));
    EXPECT_EQ(At(0, 0).value, Pattern(0, 0));
    engine.CommitSelection();
    EXPECT_EQ(At(0, 0), (Ink{9, false}));
    EXPECT_TRUE(At(1, 0).special);
    engine.Undo();
    EXPECT_EQ(At(0, 0).value, Pattern(0, 0));
}

TEST_F(SelectionClipboard, CopyAndPasteBackKeepTransparentPixelsTransparent) {
    UsePattern();
    Drag({{3, 3}, {4, 4}});
    const ClipBlock b = SelectionClipBlock(engine);
    PastePixels paste;
    ScriptedPrompt quiet;
    ASSERT_TRUE(PrepareClipPaste(b, image, quiet, false, 0, 0, &paste));
    PlacePaste(engine, paste, false);
    engine.CommitSelection();
    EXPECT_EQ(At(0, 0), (Ink{0, true}));
    EXPECT_EQ(At(1, 1).value, Pattern(4, 4));
    EXPECT_TRUE(quiet.shown().empty());
}

// A paste into a selection that was already moved replaces what floats there: putting it down
// and Undo are still one operation, and the place the pixels were lifted from stays colour B.
TEST_F(SelectionClipboard, PasteIntoAMovedSelectionKeepsOneOperation) {
    UsePattern();
    std::vector<Ink> before;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) before.push_back(At(x, y));
    Drag({{2, 2}, {3, 3}});
    Drag({{2, 2}, {6, 6}});  // lifted and moved by 4: now at (6, 6)..(7, 7)
    ASSERT_TRUE(engine.selection().lifted());
    PastePixels paste{2, 2, {{0, 0, 9, false}, {1, 0, 9, false}, {0, 1, 9, false}, {1, 1, 0, true}}};
    PlacePaste(engine, paste, true);
    EXPECT_EQ(engine.selection().rect(), (SelectionRect{6, 6, 8, 8}));
    EXPECT_TRUE(engine.selection().pasted());
    engine.CommitSelection();
    EXPECT_EQ(At(6, 6), (Ink{9, false}));
    EXPECT_EQ(At(7, 7), (Ink{0, true}));
    EXPECT_EQ(At(2, 2), kB);
    engine.Undo();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(At(x, y), before[y * 16 + x]) << x << "," << y;
    EXPECT_FALSE(Undo().canUndo);
}

// A paste into a selection still in place floats over it; the image changes only when it is put
// down.
TEST_F(SelectionClipboard, PasteIntoASelectionInPlaceWritesOnPutDown) {
    UsePattern();
    Drag({{4, 4}, {5, 4}});
    PlacePaste(engine, PastePixels{2, 1, {{0, 0, 9, false}, {1, 0, 9, false}}}, true);
    EXPECT_EQ(At(4, 4).value, Pattern(4, 4));
    engine.ChooseTool(kToolPencil);
    EXPECT_EQ(At(4, 4), (Ink{9, false}));
    EXPECT_EQ(At(5, 4), (Ink{9, false}));
    EXPECT_EQ(Undo().undoLabel, kOpEdit);
}

TEST_F(SelectionClipboard, MalformedPasteIsIgnored) {
    UsePattern();
    PlacePaste(engine, PastePixels{3, 3, {{0, 0, 1, false}}}, false);
    EXPECT_FALSE(engine.selection().Exists());
}

}  // namespace
}  // namespace vt
