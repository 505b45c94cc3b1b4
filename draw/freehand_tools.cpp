#include "draw/freehand_tools.h"

#include <algorithm>
#include <cstdlib>

#include "draw/brush_shapes.h"
#include "draw/command_ids.h"
#include "draw/draw_engine.h"
#include "draw/line_dda.h"
#include "draw/undo_buffer.h"

namespace vt {

void FreehandTool::MouseMove(DrawEngine& e, Point pixel, Point window, bool shift) {
    DrawState& s = e.state();
    Canvas& c = *e.canvas();
    if (s.lastPoint.x == kNoPoint) {
        // Back into the grid: a one-pixel segment yields exactly the new pixel.
        s.lastPoint = {pixel.x, pixel.y == 0 ? pixel.y + 1 : pixel.y - 1};
    }
    AxisLock& lock = s.lock;
    if (UsesAxisLock() && shift) {
        if (lock.kind == AxisLock::kNone)
            lock.kind = std::abs(window.y - lock.window.y) < std::abs(window.x - lock.window.x)
                            ? AxisLock::kRow
                            : AxisLock::kColumn;
        if (lock.kind == AxisLock::kRow && pixel.y != lock.pixel.y) return;
        if (lock.kind == AxisLock::kColumn && pixel.x != lock.pixel.x) return;
    } else {
        lock = {AxisLock::kNone, pixel, window};
    }
    m_segment.clear();
    LineDDA(pixel.x, pixel.y, s.lastPoint.x, s.lastPoint.y, [&](int x, int y) {
        if (c.Contains(x, y)) m_segment.push_back({x, y});
    });
    DrawSegment(e, m_segment, s.lastPoint);
    s.lastPoint = pixel;
}

void FreehandTool::ButtonUp(DrawEngine& e, MouseButton) {
    e.EndOperation();
}

// Pencil -------------------------------------------------------------------------------------

int PencilTool::Id() const {
    return kToolPencil;
}

void PencilTool::ButtonDown(DrawEngine& e, MouseButton) {
    DrawState& s = e.state();
    Canvas& c = *e.canvas();
    if (!s.pencilOpen) e.BeginOperation(kOpPencil);
    const Point a = s.anchor;
    if (c.Contains(a.x, a.y) && e.PatternAllows(a.x, a.y)) c.WriteInk(a.x, a.y, s.drawingInk);
    e.CommitImageBits();
    s.pencilOpen = true;
    if (UndoBuffer* u = c.recording()) u->OfferOpenOperation(kOpPencil);
    c.view().UndoStateChanged();
}

void PencilTool::DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point) {
    e.PutInkDithered(pixels, e.state().drawingInk);
    e.CommitImageBits();
    if (UndoBuffer* u = e.canvas()->recording()) u->OfferOpenOperation(kOpPencil);
}

// Brush --------------------------------------------------------------------------------------

int BrushTool::Id() const {
    return kToolBrush;
}

void BrushTool::Stamp(DrawEngine& e, Point at, int direction) {
    m_stamp.clear();
    StampBrush(e.state().brushShape, at, direction, m_stamp);
    e.PutInkDithered(m_stamp, e.state().drawingInk);
}

void BrushTool::ButtonDown(DrawEngine& e, MouseButton) {
    Hover(e, {kNoPoint, 0});
    e.BeginOperation(kOpBrush);
    Stamp(e, e.state().anchor, 0);
    e.CommitImageBits();
}

void BrushTool::DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point from) {
    Point q = from;
    for (auto it = pixels.rbegin(); it != pixels.rend(); ++it) {
        const Point p = *it;
        const int dx = p.x - q.x;
        const int dy = p.y - q.y;
        if (std::abs(dx) == 1 && std::abs(dy) == 1) Stamp(e, {q.x, p.y}, dx == dy ? dx : -dx);
        Stamp(e, p, 0);
        q = p;
    }
    e.CommitImageBits();
}

void BrushTool::Hover(DrawEngine& e, Point pixel) {
    // The footprint in colour A, shown with the rubber band's difference so that moving the
    // pointer repaints only the cells that change.
    Canvas& c = *e.canvas();
    std::vector<Point> next;
    if (pixel.x != kNoPoint) StampBrush(e.state().brushShape, pixel, 0, next);
    for (Point p : m_hover)
        if (c.Contains(p.x, p.y) && std::find(next.begin(), next.end(), p) == next.end())
            c.view().RestoreCell(p.x, p.y);
    for (Point p : next)
        if (c.Contains(p.x, p.y) && std::find(m_hover.begin(), m_hover.end(), p) == m_hover.end())
            c.view().PaintCell(p.x, p.y, e.state().colorA);
    m_hover = std::move(next);
}

// Color Eraser -------------------------------------------------------------------------------

int EraserTool::Id() const {
    return kToolEraser;
}

void EraserTool::EraseAt(DrawEngine& e, Point at) {
    Canvas& c = *e.canvas();
    const DrawState& s = e.state();
    const int r = s.eraserSize;
    c.view().MoveEraserOutline(at.x, at.y, r);
    const int x0 = std::max(at.x - r, 0), x1 = std::min(at.x + r, c.width() - 1);
    const int y0 = std::max(at.y - r, 0), y1 = std::min(at.y + r, c.height() - 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (e.PatternAllows(x, y) && c.ReadPixel(x, y) == s.drawingInk)
                c.WriteInk(x, y, s.otherInk);
}

void EraserTool::ButtonDown(DrawEngine& e, MouseButton) {
    e.BeginOperation(kOpErase);
    EraseAt(e, e.state().anchor);
    e.CommitImageBits();
}

void EraserTool::DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point) {
    for (auto it = pixels.rbegin(); it != pixels.rend(); ++it) EraseAt(e, *it);
    e.CommitImageBits();
}

void EraserTool::Hover(DrawEngine& e, Point pixel) {
    // No pixel (the pointer left, or another tool takes over) takes the outline away.
    e.view().MoveEraserOutline(pixel.x, pixel.y, e.state().eraserSize);
}

}  // namespace vt
