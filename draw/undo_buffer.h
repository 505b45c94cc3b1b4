#pragma once
// The per-image history: a fixed ring of change entries in the byte layout the editors have always
// used (6 bytes per entry for palette-based images, 12 for true colour), room for three entries
// per pixel. Nothing is allocated after construction, so drawing never fails for want of memory.
//
// Entry: position x + 256 * y (2 bytes), flags (2 bytes), then old and new value (1 byte each, or
// 4 bytes each for true colour). Flags: bits 0-3 the operation code (first and last entry of an
// operation), 0x10 first entry, 0x20 new AND bit, 0x40 old AND bit, 0x80 alone the end of history,
// 0x80 with 0x10 the first entry of the oldest operation still complete.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/ink.h"

namespace vt {

// Operation codes of the tools and edit commands; the labels are in undo_labels.h.
enum UndoCode : int {
    kOpEdit = 0,
    kOpPencil = 1,
    kOpLine = 2,
    kOpBrush = 3,
    kOpFlood = 4,
    kOpErase = 5,
    kOpRectangle = 6,
    kOpEllipse = 9,
    kOpNudge = 12,  // also the text tool's commit
    kOpFlip = 13,
};

// Undo and Redo availability and the codes their menu items name. Kept per image, so switching
// formats and back finds each image's history as it was left.
struct UndoState {
    int undoLabel = 0;
    int redoLabel = 0;
    bool canUndo = false;
    bool canRedo = false;

    friend bool operator==(const UndoState&, const UndoState&) = default;
};

// Where Undo and Redo put old or new pixels back (the image, with its grid cell repainted).
class UndoTarget {
  public:
    virtual ~UndoTarget() = default;
    virtual void Restore(int x, int y, Ink ink) = 0;
};

class UndoBuffer {
  public:
    static constexpr uint16_t kCodeMask = 0x0F;
    static constexpr uint16_t kFirst = 0x10;
    static constexpr uint16_t kNewAnd = 0x20;
    static constexpr uint16_t kOldAnd = 0x40;
    static constexpr uint16_t kEnd = 0x80;

    // CreateUndoBuffer: an empty history for an image of this size. Throws std::bad_alloc when the
    // block cannot be had; the caller then edits without history.
    UndoBuffer(int width, int height, bool trueColour);

    size_t EntrySize() const { return m_entrySize; }
    size_t EntryCount() const { return m_count; }
    size_t Position() const { return m_pos; }
    bool AtOldest() const { return m_atOldest; }
    const UndoState& state() const { return m_state; }
    void SetState(const UndoState& s) { m_state = s; }
    // The raw ring, for tests and for anyone who must see the exact entry layout.
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    uint16_t FlagsAt(size_t slot) const;

    void BeginOperation(int code);
    // One pixel change of the open operation (what WritePixel records).
    void Record(int x, int y, Ink oldInk, Ink newInk);
    // Closes the operation. An operation that changed nothing leaves no step behind: the previous
    // operation stays the one Undo names. Returns whether anything was recorded.
    bool EndOperation(int code);
    bool OperationOpen() const { return m_open; }
    // Offers Undo for an operation that is still open (the pencil's, which spans strokes) once it
    // has recorded something.
    void OfferOpenOperation(int code);

    enum class UndoResult { Nothing, Done, RanOut };
    // Walks back over the newest operation, restoring old pixels through target. RanOut when the
    // ring had already overwritten the start of that operation.
    UndoResult Undo(UndoTarget& target);
    // Re-applies the next operation; false when there is nothing to redo.
    bool Redo(UndoTarget& target);

  private:
    uint8_t* Slot(size_t i) { return m_bytes.data() + i * m_entrySize; }
    const uint8_t* Slot(size_t i) const { return m_bytes.data() + i * m_entrySize; }
    void SetFlags(size_t slot, uint16_t flags);
    size_t Prev(size_t i) const { return i == 0 ? m_count - 1 : i - 1; }
    size_t Next(size_t i) const { return i + 1 == m_count ? 0 : i + 1; }
    Ink OldInk(size_t slot) const;
    Ink NewInk(size_t slot) const;
    Point PositionAt(size_t slot) const;

    std::vector<uint8_t> m_bytes;
    size_t m_entrySize;
    size_t m_count;
    size_t m_pos = 0;
    bool m_atOldest = true;
    bool m_open = false;
    size_t m_recorded = 0;  // entries of the open operation
    UndoState m_stateAtBegin;
    UndoState m_state;
};

}  // namespace vt
