#include "draw/undo_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/byte_reader.h"
#include "draw/undo_labels.h"

namespace vt {
namespace {

struct Restored {
    int x, y;
    Ink ink;
    friend bool operator==(const Restored&, const Restored&) = default;
};

class Recorder : public UndoTarget {
  public:
    void Restore(int x, int y, Ink ink) override { calls.push_back({x, y, ink}); }
    std::vector<Restored> calls;
};

TEST(UndoBufferLayout, PaletteEntryIsSixBytesWithFlagsAndBothIndexes) {
    UndoBuffer u(4, 4, false);
    EXPECT_EQ(u.EntrySize(), 6u);
    EXPECT_EQ(u.bytes().size(), 4u * 4 * 18);
    u.BeginOperation(kOpBrush);
    u.Record(3, 2, {7, true}, {9, false});
    const uint8_t* e = u.bytes().data();
    EXPECT_EQ(LoadLE16(e), 3 + 256 * 2);
    // First entry of the oldest operation (0x80 + 0x10), code 3, old AND bit 0x40.
    EXPECT_EQ(LoadLE16(e + 2), 0x80 | 0x10 | 3 | 0x40);
    EXPECT_EQ(e[4], 7);
    EXPECT_EQ(e[5], 9);
    EXPECT_EQ(u.FlagsAt(1), 0);  // the slot now current is cleared
    u.Record(0, 0, {1, false}, {2, true});
    EXPECT_EQ(LoadLE16(e + 8), 0x20);  // the new AND bit of the second entry
    ASSERT_TRUE(u.EndOperation(kOpBrush));
    EXPECT_EQ(LoadLE16(e + 8), 0x20 | 3);  // the last entry carries the code as well
    EXPECT_EQ(u.FlagsAt(2), UndoBuffer::kEnd);
    EXPECT_FALSE(u.AtOldest());
}

TEST(UndoBufferLayout, TrueColourEntryIsTwelveBytesWithColourValues) {
    UndoBuffer u(2, 3, true);
    EXPECT_EQ(u.EntrySize(), 12u);
    EXPECT_EQ(u.bytes().size(), 2u * 3 * 36);
    u.BeginOperation(kOpFlood);
    u.Record(1, 2, {0x123456, false}, {0xABCDEF, false});
    u.EndOperation(kOpFlood);
    const uint8_t* e = u.bytes().data();
    EXPECT_EQ(LoadLE16(e), 1 + 512);
    EXPECT_EQ(LoadLE32(e + 4), 0x123456u);
    EXPECT_EQ(LoadLE32(e + 8), 0xABCDEFu);
}

TEST(UndoBufferWalk, UndoRestoresOldInksNewestFirstAndRedoReappliesInOrder) {
    UndoBuffer u(4, 4, false);
    u.BeginOperation(kOpLine);
    u.Record(0, 0, {1, false}, {5, false});
    u.Record(1, 0, {2, true}, {5, false});
    u.EndOperation(kOpLine);
    EXPECT_EQ(u.state(), (UndoState{kOpLine, 0, true, false}));

    Recorder r;
    EXPECT_EQ(u.Undo(r), UndoBuffer::UndoResult::Done);
    EXPECT_EQ(r.calls, (std::vector<Restored>{{1, 0, {2, true}}, {0, 0, {1, false}}}));
    // It was the oldest operation: Undo is gone, Redo offers the line.
    EXPECT_EQ(u.state(), (UndoState{kOpLine, kOpLine, false, true}));

    r.calls.clear();
    EXPECT_TRUE(u.Redo(r));
    EXPECT_EQ(r.calls, (std::vector<Restored>{{0, 0, {5, false}}, {1, 0, {5, false}}}));
    EXPECT_TRUE(u.state().canUndo);
    EXPECT_FALSE(u.state().canRedo);
}

TEST(UndoBufferWalk, UndoLabelFollowsTheOperationBefore) {
    UndoBuffer u(4, 4, false);
    u.BeginOperation(kOpPencil);
    u.Record(0, 0, {0, false}, {1, false});
    u.EndOperation(kOpPencil);
    u.BeginOperation(kOpFlood);
    u.Record(1, 1, {0, false}, {1, false});
    u.EndOperation(kOpFlood);
    Recorder r;
    u.Undo(r);
    EXPECT_EQ(u.state(), (UndoState{kOpPencil, kOpFlood, true, true}));
}

TEST(UndoBufferWalk, NewOperationAfterUndoDropsTheRedoHistory) {
    UndoBuffer u(4, 4, false);
    for (int i = 0; i < 2; ++i) {
        u.BeginOperation(kOpPencil);
        u.Record(i, 0, {0, false}, {1, false});
        u.EndOperation(kOpPencil);
    }
    Recorder r;
    u.Undo(r);
    u.Undo(r);
    u.BeginOperation(kOpBrush);
    EXPECT_FALSE(u.state().canRedo);
    u.Record(3, 3, {0, false}, {2, false});
    u.EndOperation(kOpBrush);
    r.calls.clear();
    EXPECT_FALSE(u.Redo(r));
    EXPECT_EQ(u.Undo(r), UndoBuffer::UndoResult::Done);
    EXPECT_EQ(r.calls.size(), 1u);
    EXPECT_FALSE(u.state().canUndo);  // the two undone operations are gone
}

TEST(UndoBufferWalk, OperationThatChangedNothingLeavesNoStep) {
    UndoBuffer u(4, 4, false);
    u.BeginOperation(kOpPencil);
    u.Record(0, 0, {0, false}, {1, false});
    u.EndOperation(kOpPencil);
    Recorder r;
    u.Undo(r);
    u.Redo(r);
    u.Undo(r);
    ASSERT_TRUE(u.state().canRedo);
    u.Redo(r);
    const std::vector<uint8_t> before = u.bytes();

    u.BeginOperation(kOpErase);
    EXPECT_FALSE(u.EndOperation(kOpErase));
    EXPECT_EQ(u.bytes(), before);  // the pencil's last entry keeps its code
    EXPECT_EQ(u.state(), (UndoState{kOpPencil, 0, true, false}));
    r.calls.clear();
    EXPECT_EQ(u.Undo(r), UndoBuffer::UndoResult::Done);
    EXPECT_EQ(r.calls, (std::vector<Restored>{{0, 0, {0, false}}}));
}

TEST(UndoBufferWalk, EmptyOperationAfterUndoEndsTheRedoHistory) {
    UndoBuffer u(4, 4, false);
    u.BeginOperation(kOpPencil);
    u.Record(0, 0, {0, false}, {1, false});
    u.EndOperation(kOpPencil);
    Recorder r;
    u.Undo(r);
    u.BeginOperation(kOpErase);
    u.EndOperation(kOpErase);
    EXPECT_FALSE(u.Redo(r));
    EXPECT_FALSE(u.state().canRedo);
    EXPECT_FALSE(u.state().canUndo);
}

TEST(UndoBufferWalk, OperationLongerThanTheRingStopsAtTheEndMarker) {
    UndoBuffer u(1, 2, false);  // 6 entries
    u.BeginOperation(kOpFlood);
    for (int i = 0; i < 8; ++i) u.Record(i % 2, 0, {static_cast<uint32_t>(i), false}, {9, false});
    u.EndOperation(kOpFlood);
    Recorder r;
    EXPECT_EQ(u.Undo(r), UndoBuffer::UndoResult::RanOut);
    EXPECT_EQ(r.calls.size(), 5u);  // every slot but the end marker
    EXPECT_FALSE(u.state().canUndo);
    EXPECT_TRUE(u.state().canRedo);
}

TEST(UndoLabels, SlotsKeepThirteenCharacters) {
    const UndoLabels studio = UndoLabels::Studio();
    EXPECT_EQ(studio.Get(kOpPencil), "Pencil");
    EXPECT_EQ(studio.Get(7), "Filled Rectan");
    EXPECT_EQ(studio.Get(8), "Solid Rectang");
    EXPECT_EQ(studio.Get(kOpEllipse), "Ellipse");
    EXPECT_EQ(studio.UndoMenuText(7, true), "&Undo Filled Rectan\tCtrl+Z");
    EXPECT_EQ(studio.UndoMenuText(7, false), "&Undo \tCtrl+Z");
    EXPECT_EQ(studio.RedoMenuText(kOpFlood, false), "&Redo \tCtrl+Y");
    EXPECT_EQ(studio.RedoMenuText(kOpFlood, true), "&Redo Flood\tCtrl+Y");
    EXPECT_EQ(UndoLabels::Animator().Get(kOpNudge), "Nudge");
    EXPECT_EQ(studio.Get(21), "");
}

}  // namespace
}  // namespace vt
