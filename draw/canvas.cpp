#include "draw/canvas.h"

#include <cassert>
#include <new>

#include "common/prompt.h"

namespace vt {

const char* const kUndoRanOutText =
    "Reached end of undo buffer before entire operation could be undone.";

namespace {

void DestroyUndoBuffer(UndoBuffer* p) {
    delete p;
}

}  // namespace

bool CreateUndoBuffer(IconImage& image) {
    image.undo.reset();
    try {
        image.undo = UndoBufferPtr(
            new UndoBuffer(image.width, image.height, !IsPaletteBased(image.colorCode)),
            SlotDeleter<UndoBuffer>{&DestroyUndoBuffer});
    } catch (const std::bad_alloc&) {
        return false;
    }
    image.editorState = {};
    return true;
}

UndoBuffer* UndoOf(IconImage& image) {
    return image.undo.get();
}

// Undo and Redo write straight into the bits, so nothing they do is recorded again.
class Canvas::Restorer : public UndoTarget {
  public:
    explicit Restorer(Canvas& c) : m_c(c) {}
    void Restore(int x, int y, Ink ink) override {
        if (!m_c.Contains(x, y)) return;
        m_c.m_image.SetXorValue(x, y, ink.value);
        m_c.m_image.SetAndBit(x, y, ink.special);
        m_c.m_view.PaintCell(x, y, ink);
    }

  private:
    Canvas& m_c;
};

Canvas::Canvas(IconImage& image, DrawView& view) : m_image(image), m_view(view) {}

Ink Canvas::ReadPixel(int x, int y) const {
    assert(Contains(x, y));
    return {m_image.XorValue(x, y), m_image.AndBit(x, y)};
}

void Canvas::WritePixel(int x, int y, Ink ink) {
    assert(Contains(x, y));
    if (UndoBuffer* u = recording()) u->Record(x, y, ReadPixel(x, y), ink);
    m_image.SetXorValue(x, y, ink.value);
    m_image.SetAndBit(x, y, ink.special);
}

bool Canvas::PutInk(int x, int y, Ink ink) {
    if (ReadPixel(x, y) == ink) return false;
    WriteInk(x, y, ink);
    return true;
}

void Canvas::WriteInk(int x, int y, Ink ink) {
    m_view.PaintCell(x, y, ink);
    WritePixel(x, y, ink);
}

void Canvas::BeginOperation(int code) {
    // A press whose release never arrived (capture lost) must not leave two operations open.
    if (m_openCode >= 0) EndOperation();
    m_openCode = code;
    m_opBuffer = undo();
    if (m_opBuffer) {
        m_opBuffer->BeginOperation(code);
        m_view.UndoStateChanged();
    }
}

void Canvas::EndOperation() {
    if (m_openCode < 0) return;
    if (UndoBuffer* u = recording()) {
        u->EndOperation(m_openCode);
        m_view.UndoStateChanged();
    }
    m_openCode = -1;
    m_opBuffer = nullptr;
}

bool Canvas::OperationOpen() {
    return m_openCode >= 0;
}

void Canvas::CommitImageBits() {
    m_image.changed = true;
    m_image.untouched = false;
    if (m_commitHook) m_commitHook();
    m_view.ImageCommitted();
}

Canvas::UndoOutcome Canvas::Undo(Prompt& prompt) {
    assert(m_openCode < 0);
    if (!undo()) return UndoOutcome::Nothing;
    Restorer restorer(*this);
    const UndoBuffer::UndoResult r = undo()->Undo(restorer);
    if (r == UndoBuffer::UndoResult::Nothing) return UndoOutcome::Nothing;
    CommitImageBits();
    m_view.UndoStateChanged();
    if (r == UndoBuffer::UndoResult::RanOut) {
        prompt.Tell(kUndoRanOutText, TrueColor() ? PromptIcon::Stop : PromptIcon::Information);
        return UndoOutcome::RanOut;
    }
    return UndoOutcome::Done;
}

bool Canvas::Redo() {
    assert(m_openCode < 0);
    if (!undo()) return false;
    Restorer restorer(*this);
    if (!undo()->Redo(restorer)) return false;
    CommitImageBits();
    m_view.UndoStateChanged();
    return true;
}

}  // namespace vt
