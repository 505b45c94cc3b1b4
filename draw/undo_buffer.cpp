#include "draw/undo_buffer.h"

#include <cassert>

#include "common/byte_reader.h"

namespace vt {

UndoBuffer::UndoBuffer(int width, int height, bool trueColour)
    : m_entrySize(trueColour ? 12 : 6),
      m_count(static_cast<size_t>(width > 0 ? width : 1) * (height > 0 ? height : 1) * 3) {
    m_bytes.assign(m_count * m_entrySize, 0);
}

uint16_t UndoBuffer::FlagsAt(size_t slot) const {
    return LoadLE16(Slot(slot) + 2);
}

void UndoBuffer::SetFlags(size_t slot, uint16_t flags) {
    StoreLE16(Slot(slot) + 2, flags);
}

Point UndoBuffer::PositionAt(size_t slot) const {
    const uint16_t p = LoadLE16(Slot(slot));
    return {p % 256, p / 256};
}

Ink UndoBuffer::OldInk(size_t slot) const {
    const uint8_t* e = Slot(slot);
    const bool special = (FlagsAt(slot) & kOldAnd) != 0;
    return {m_entrySize == 6 ? e[4] : LoadLE32(e + 4), special};
}

Ink UndoBuffer::NewInk(size_t slot) const {
    const uint8_t* e = Slot(slot);
    const bool special = (FlagsAt(slot) & kNewAnd) != 0;
    return {m_entrySize == 6 ? e[5] : LoadLE32(e + 8), special};
}

void UndoBuffer::BeginOperation(int code) {
    assert(code >= 0 && code <= 13);
    SetFlags(m_pos, static_cast<uint16_t>(kFirst + code + (m_atOldest ? kEnd : 0)));
    m_open = true;
    m_recorded = 0;
    m_state.canRedo = false;
    m_stateAtBegin = m_state;
}

void UndoBuffer::OfferOpenOperation(int code) {
    if (!m_open || m_recorded == 0) return;
    m_state.undoLabel = code;
    m_state.canUndo = true;
}

void UndoBuffer::Record(int x, int y, Ink oldInk, Ink newInk) {
    assert(m_open && x >= 0 && x < 256 && y >= 0 && y < 256);
    uint8_t* e = Slot(m_pos);
    uint16_t flags = FlagsAt(m_pos);
    if (oldInk.special) flags |= kOldAnd;
    if (newInk.special) flags |= kNewAnd;
    StoreLE16(e, static_cast<uint16_t>(x + 256 * y));
    SetFlags(m_pos, flags);
    if (m_entrySize == 6) {
        e[4] = static_cast<uint8_t>(oldInk.value);
        e[5] = static_cast<uint8_t>(newInk.value);
    } else {
        StoreLE32(e + 4, oldInk.value);
        StoreLE32(e + 8, newInk.value);
    }
    m_pos = Next(m_pos);
    SetFlags(m_pos, 0);
    ++m_recorded;
}

bool UndoBuffer::EndOperation(int code) {
    assert(m_open);
    m_open = false;
    if (m_recorded == 0) {
        // Nothing changed: put back the slot BeginOperation claimed, as an end of history, so that
        // the previous operation's last entry (and its code) stays untouched. The redo history is
        // gone all the same.
        SetFlags(m_pos, kEnd);
        m_state = m_stateAtBegin;
        return false;
    }
    const size_t newest = Prev(m_pos);
    SetFlags(newest, static_cast<uint16_t>(FlagsAt(newest) | (code & kCodeMask)));
    SetFlags(m_pos, kEnd);
    m_state.undoLabel = code;
    m_state.canUndo = true;
    m_atOldest = false;
    return true;
}

UndoBuffer::UndoResult UndoBuffer::Undo(UndoTarget& target) {
    if (!m_state.canUndo) return UndoResult::Nothing;
    assert(!m_open);
    UndoResult result = UndoResult::Done;
    // The ring always holds an end marker, so the walk ends within one lap; the bound only guards
    // against a ring that someone else scribbled on.
    for (size_t steps = 0; steps < m_count; ++steps) {
        m_pos = Prev(m_pos);
        const uint16_t flags = FlagsAt(m_pos);
        const bool plainEnd = (flags & kEnd) && !(flags & kFirst);
        if (!plainEnd) {
            const Point p = PositionAt(m_pos);
            target.Restore(p.x, p.y, OldInk(m_pos));
        }
        if (flags & kEnd) {
            m_state.canUndo = false;
            m_atOldest = true;
            if (!(flags & kFirst)) {
                m_pos = Next(m_pos);
                result = UndoResult::RanOut;
            }
            break;
        }
        if (flags & kFirst) break;
    }
    m_state.redoLabel = m_state.undoLabel;
    m_state.canRedo = true;
    if (m_state.canUndo) m_state.undoLabel = FlagsAt(Prev(m_pos)) & kCodeMask;
    return result;
}

bool UndoBuffer::Redo(UndoTarget& target) {
    if (!m_state.canRedo) return false;
    assert(!m_open);
    for (size_t steps = 0; steps < m_count; ++steps) {
        const Point p = PositionAt(m_pos);
        target.Restore(p.x, p.y, NewInk(m_pos));
        m_pos = Next(m_pos);
        const uint16_t flags = FlagsAt(m_pos);
        if (flags & kEnd) {
            m_state.canRedo = false;
            break;
        }
        if (flags & kFirst) break;
    }
    m_atOldest = false;
    m_state.undoLabel = m_state.redoLabel;
    m_state.canUndo = true;
    m_state.redoLabel = FlagsAt(m_pos) & kCodeMask;
    return true;
}

}  // namespace vt
