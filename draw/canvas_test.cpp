#include "draw/canvas.h"

#include <gtest/gtest.h>

#include "common/prompt.h"
#include "draw/draw_testutil.h"

namespace vt {
namespace {

using test::MakeImage;
using test::RecordingView;

// The offset of row y's first byte: rows are stored bottom-up.
size_t RowOffset(const IconImage& img, int y) {
    return (img.height - 1 - y) * img.XorRowBytes();
}

TEST(PixelAccess, MonochromeUsesHighBitFirstAndBottomUpRows) {
    IconImage img = MakeImage(16, 4, kMonochrome);
    RecordingView view;
    Canvas c(img, view);
    c.WritePixel(1, 0, {1, false});
    c.WritePixel(9, 3, {1, true});
    EXPECT_EQ(img.XorBits()[RowOffset(img, 0)], 0x40);
    EXPECT_EQ(img.XorBits()[RowOffset(img, 3) + 1], 0x40);
    EXPECT_EQ(img.AndBits()[0 * img.AndRowBytes() + 1], 0x40);  // row 3 is the first AND row
    EXPECT_EQ(c.ReadPixel(9, 3), (Ink{1, true}));
    EXPECT_EQ(c.ReadPixel(8, 3), (Ink{0, false}));
}

TEST(PixelAccess, SixteenColoursPutEvenPixelsInTheHighNibble) {
    IconImage img = MakeImage(8, 2, kColors16);
    RecordingView view;
    Canvas c(img, view);
    c.WritePixel(2, 1, {0xA, false});
    c.WritePixel(3, 1, {0x5, false});
    EXPECT_EQ(img.XorBits()[RowOffset(img, 1) + 1], 0xA5);
    EXPECT_EQ(c.ReadPixel(2, 1).value, 0xAu);
    EXPECT_EQ(c.ReadPixel(3, 1).value, 0x5u);
}

TEST(PixelAccess, TrueColourStoresBlueGreenRed) {
    IconImage img = MakeImage(3, 2, kTrueColor);
    RecordingView view;
    Canvas c(img, view);
    c.WritePixel(1, 0, {0x00112233, false});  // 0x00BBGGRR: blue 11, green 22, red 33
    const uint8_t* p = img.XorBits().data() + RowOffset(img, 0) + 3;
    EXPECT_EQ(p[0], 0x11);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x33);
    EXPECT_EQ(c.ReadPixel(1, 0).value, 0x00112233u);
}

TEST(PixelAccess, PutInkSkipsPixelsThatAlreadyHoldTheInk) {
    IconImage img = MakeImage(4, 4, kColors256, 3);
    RecordingView view;
    Canvas c(img, view);
    c.BeginOperation(kOpPencil);
    EXPECT_FALSE(c.PutInk(0, 0, {3, false}));
    EXPECT_TRUE(c.PutInk(0, 0, {3, true}));  // same value, other AND bit: a different ink
    c.EndOperation();
    EXPECT_EQ(view.Painted(), (std::vector<Point>{{0, 0}}));
    EXPECT_EQ(img.undo->Position(), 1u);
}

TEST(CanvasUndo, SixteenByTrueColourThreeFloodsRunOffTheRing) {
    // 768 entries; three operations of 256 changes each leave the end marker on the first
    // entry of the first.
    IconImage img = MakeImage(16, 16, kTrueColor);
    RecordingView view;
    Canvas c(img, view);
    const uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000};
    for (uint32_t colour : colours) {
        c.BeginOperation(kOpFlood);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) c.WriteInk(x, y, {colour, false});
        c.EndOperation();
    }
    ScriptedPrompt prompt;
    EXPECT_EQ(c.Undo(prompt), Canvas::UndoOutcome::Done);
    EXPECT_EQ(c.ReadPixel(0, 0).value, 0x00FF00u);
    EXPECT_EQ(c.Undo(prompt), Canvas::UndoOutcome::Done);
    EXPECT_EQ(c.ReadPixel(5, 5).value, 0x0000FFu);
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(c.Undo(prompt), Canvas::UndoOutcome::RanOut);
    EXPECT_EQ(c.ReadPixel(0, 0).value, 0x0000FFu);  // the lost first entry stays drawn
    EXPECT_EQ(c.ReadPixel(1, 0).value, 0u);
    EXPECT_EQ(c.ReadPixel(15, 15).value, 0u);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "Reached end of undo buffer before entire operation could be undone.");
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(img.undo->state().canUndo);
    EXPECT_TRUE(img.undo->state().canRedo);
    // Redo puts the third undo's pixels back.
    EXPECT_TRUE(c.Redo());
    EXPECT_EQ(c.ReadPixel(15, 15).value, 0x0000FFu);
}

TEST(CanvasUndo, PaletteImagesReportRunningOutWithTheInformationIcon) {
    IconImage img = MakeImage(1, 1, kColors16);  // 3 entries
    RecordingView view;
    Canvas c(img, view);
    c.BeginOperation(kOpPencil);
    for (int i = 0; i < 4; ++i) c.WriteInk(0, 0, {static_cast<uint32_t>(i + 1), false});
    c.EndOperation();
    ScriptedPrompt prompt;
    EXPECT_EQ(c.Undo(prompt), Canvas::UndoOutcome::RanOut);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Information);
}

TEST(CanvasUndo, UndoRestoresAndBitsAndRepaintsOnlyChangedCells) {
    IconImage img = MakeImage(4, 4, kColors16, 0);
    for (int x = 0; x < 4; ++x) img.SetAndBit(x, 0, true);
    RecordingView view;
    Canvas c(img, view);
    c.BeginOperation(kOpFlood);
    for (int x = 0; x < 4; ++x) c.WriteInk(x, 0, {9, false});
    c.EndOperation();
    view.Clear();
    ScriptedPrompt prompt;
    c.Undo(prompt);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(c.ReadPixel(x, 0), (Ink{0, true}));
    EXPECT_EQ(view.Count(test::ViewEvent::Paint), 4);
    EXPECT_EQ(view.Count(test::ViewEvent::Commit), 1);
    EXPECT_EQ(img.undo->Position(), 0u);  // nothing was recorded by the undo itself
}

}  // namespace
}  // namespace vt
