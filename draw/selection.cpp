#include "draw/selection.h"

#include <algorithm>
#include <utility>

#include "draw/canvas.h"
#include "draw/undo_buffer.h"

namespace vt {

namespace {

// Floating positions are 16-bit; a selection dragged this far is off any grid anyway.
constexpr int kMaxOffset = 30000;

bool HoldsColorB(const FloatingPixel& p, Ink colorB) {
    return p.ink() == colorB;
}

}  // namespace

void Selection::Make(const Canvas& canvas, Point a, Point e) {
    SelectionRect r{std::min(a.x, e.x), std::min(a.y, e.y), std::max(a.x, e.x) + 1,
                    std::max(a.y, e.y) + 1};
    r.left = std::clamp(r.left, 0, canvas.width());
    r.top = std::clamp(r.top, 0, canvas.height());
    r.right = std::clamp(r.right, r.left, canvas.width());
    r.bottom = std::clamp(r.bottom, r.top, canvas.height());
    m_rect = r;
    if (r.Width() == 0 || r.Height() == 0) {
        Clear();  // nothing of the image is inside
        return;
    }
    m_state = kOutside;
    m_lifted = m_pasted = m_opBegun = false;
    m_pendingOp = kOpEdit;
    m_floating.clear();
}

void Selection::CopyToFloating(const Canvas& canvas) {
    m_floating.clear();
    try {
        m_floating.reserve(static_cast<size_t>(m_rect.Width()) *
                           static_cast<size_t>(m_rect.Height()));
    } catch (const std::bad_alloc&) {
        return;  // the selection exists without contents and cannot be moved
    }
    for (int y = m_rect.top; y < m_rect.bottom; ++y) {
        for (int x = m_rect.left; x < m_rect.right; ++x) {
            FloatingPixel p;
            p.x = static_cast<int16_t>(x);
            p.y = static_cast<int16_t>(y);
            if (canvas.Contains(x, y)) {
                const Ink ink = canvas.ReadPixel(x, y);
                p.value = ink.value;
                p.special = ink.special ? 1 : 0;
            }
            m_floating.push_back(p);
        }
    }
}

void Selection::Paste(Canvas& canvas, SelectionRect rect, std::vector<FloatingPixel> pixels,
                      int pendingOp, Ink colorB, bool transparentB) {
    m_rect = rect;
    m_floating = std::move(pixels);
    m_state = kOutside;
    m_lifted = false;
    m_opBegun = false;
    m_pasted = true;
    m_pendingOp = pendingOp;
    PaintFloating(canvas, colorB, transparentB);
}

void Selection::PasteInto(Canvas& canvas, std::vector<FloatingPixel> pixels, Ink colorB,
                          bool transparentB) {
    if (m_state == kNone) return;
    for (const FloatingPixel& p : m_floating)
        if (canvas.Contains(p.x, p.y) && !m_rect.Contains(p.x, p.y))
            canvas.view().RestoreCell(p.x, p.y);
    m_floating = std::move(pixels);
    m_pasted = true;
    if (!m_opBegun) m_pendingOp = kOpEdit;
    PaintFloating(canvas, colorB, transparentB);
}

const FloatingPixel* Selection::FloatingAt(int x, int y) const {
    if (m_state == kNone || !m_rect.Contains(x, y)) return nullptr;
    // The buffer keeps the rectangle's row order wherever it is moved.
    const size_t i = static_cast<size_t>(y - m_rect.top) * static_cast<size_t>(m_rect.Width()) +
                     static_cast<size_t>(x - m_rect.left);
    if (i >= m_floating.size() || m_floating[i].x != x || m_floating[i].y != y) return nullptr;
    return &m_floating[i];
}

void Selection::RepaintCell(Canvas& canvas, int x, int y, Ink colorB, bool transparentB) const {
    const FloatingPixel* p = FloatingAt(x, y);
    if (p && !(transparentB && HoldsColorB(*p, colorB)))
        canvas.view().PaintCell(x, y, p->ink());
    else
        canvas.view().RestoreCell(x, y);
}

void Selection::TrackPointer(Point pixel) {
    if (m_state == kOutside || m_state == kInside)
        m_state = m_rect.Contains(pixel.x, pixel.y) ? kInside : kOutside;
}

void Selection::BeginMove(Point pointer) {
    m_state = kMoving;
    m_pointer = pointer;
}

void Selection::Lift(Canvas& canvas, Ink colorB) {
    canvas.BeginOperation(kOpEdit);
    m_opBegun = true;
    for (int y = m_rect.top; y < m_rect.bottom; ++y)
        for (int x = m_rect.left; x < m_rect.right; ++x)
            if (canvas.Contains(x, y)) canvas.PutInk(x, y, colorB);
    if (UndoBuffer* u = canvas.recording()) u->OfferOpenOperation(kOpEdit);
    m_lifted = true;
}

void Selection::PaintFloating(Canvas& canvas, Ink colorB, bool transparentB) {
    for (const FloatingPixel& p : m_floating) {
        if (!canvas.Contains(p.x, p.y)) continue;
        if (transparentB && HoldsColorB(p, colorB))
            canvas.view().RestoreCell(p.x, p.y);
        else
            canvas.view().PaintCell(p.x, p.y, p.ink());
    }
}

void Selection::MoveTo(Canvas& canvas, Point pointer, Ink colorB, bool transparentB) {
    if (m_state != kMoving || m_floating.empty() || pointer == m_pointer) return;
    if (!m_lifted && !m_pasted) Lift(canvas, colorB);
    const int dx =
        std::clamp(pointer.x - m_pointer.x, -kMaxOffset - m_rect.left, kMaxOffset - m_rect.left);
    const int dy =
        std::clamp(pointer.y - m_pointer.y, -kMaxOffset - m_rect.top, kMaxOffset - m_rect.top);
    m_pointer = pointer;
    const SelectionRect next{m_rect.left + dx, m_rect.top + dy, m_rect.right + dx,
                             m_rect.bottom + dy};
    for (const FloatingPixel& p : m_floating)
        if (canvas.Contains(p.x, p.y) && !next.Contains(p.x, p.y))
            canvas.view().RestoreCell(p.x, p.y);
    for (FloatingPixel& p : m_floating) {
        p.x = static_cast<int16_t>(p.x + dx);
        p.y = static_cast<int16_t>(p.y + dy);
    }
    m_rect = next;
    PaintFloating(canvas, colorB, transparentB);
}

void Selection::EndMove() {
    if (m_state == kMoving) m_state = kInside;
}

void Selection::Commit(Canvas& canvas, Ink colorB, bool transparentB) {
    if (m_state == kNone) return;
    if (m_lifted || m_pasted) {
        if (!m_opBegun) canvas.BeginOperation(m_pendingOp);
        for (const FloatingPixel& p : m_floating) {
            if (!canvas.Contains(p.x, p.y)) continue;
            if (transparentB && HoldsColorB(p, colorB)) continue;
            canvas.PutInk(p.x, p.y, p.ink());
        }
        canvas.EndOperation();
        canvas.CommitImageBits();
    }
    Clear();
}

void Selection::Discard(Canvas& canvas) {
    for (const FloatingPixel& p : m_floating)
        if (canvas.Contains(p.x, p.y)) canvas.view().RestoreCell(p.x, p.y);
    Clear();
}

void Selection::Clear() {
    m_state = kNone;
    m_rect = {};
    m_floating.clear();
    m_floating.shrink_to_fit();
    m_lifted = m_pasted = m_opBegun = false;
    m_pendingOp = kOpEdit;
}

bool Selection::TransformFloating(Canvas& canvas, Ink colorB, bool transparentB,
                                  const AreaChange& change) {
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    if (w <= 0 || h <= 0 || m_floating.size() != static_cast<size_t>(w) * static_cast<size_t>(h))
        return false;
    std::vector<Ink> area;
    area.reserve(m_floating.size());
    for (const FloatingPixel& p : m_floating) area.push_back(p.ink());
    const std::vector<Ink> after = change(area, w, h);
    for (size_t i = 0; i < m_floating.size(); ++i) {
        m_floating[i].value = after[i].value;
        m_floating[i].special = after[i].special ? 1 : 0;
    }
    PaintFloating(canvas, colorB, transparentB);
    return true;
}

}  // namespace vt
