#include "draw/shape_tools.h"

#include "draw/command_ids.h"
#include "draw/draw_engine.h"
#include "draw/shapes.h"

namespace vt {

Point ShapeTool::Constrain(Point anchor, Point end) const {
    return m_id == kToolLine ? ConstrainLine(anchor, end) : ConstrainSquare(anchor, end);
}

void ShapeTool::ButtonDown(DrawEngine& e, MouseButton) {
    Hover(e, {kNoPoint, 0});
    DrawState& s = e.state();
    s.OtherList().clear();
    s.CurrentList().clear();
    // In the even and odd modes an anchor that may not be painted goes into the other list, so
    // the band does not show it.
    const bool hidden =
        (s.ditherMode == 2 || s.ditherMode == 3) && !e.PatternAllows(s.anchor.x, s.anchor.y);
    (hidden ? s.OtherList() : s.CurrentList()).push_back(s.anchor);
    m_end = s.anchor;
    ShowRubberBand(e);
}

void ShapeTool::BuildShapeList(DrawEngine& e, Point anchor, Point end) {
    DrawState& s = e.state();
    s.current = 1 - s.current;
    std::vector<Point>& list = s.CurrentList();
    if (m_id == kToolLine)
        BuildLineList(anchor, end, e.canvas()->width(), e.canvas()->height(), list);
    else if (m_id == kToolEllipse)
        BuildEllipseList(anchor, end, list);
    else
        BuildRectangleList(anchor, end, list);
}

void ShapeTool::ShowRubberBand(DrawEngine& e) {
    DrawState& s = e.state();
    Canvas& c = *e.canvas();
    ListDifference(s.OtherList(), s.CurrentList(), m_removed);
    ListDifference(s.CurrentList(), s.OtherList(), m_added);
    for (Point p : m_removed)
        if (c.Contains(p.x, p.y)) c.view().RestoreCell(p.x, p.y);
    for (Point p : m_added) {
        if (!c.Contains(p.x, p.y)) continue;
        if (InvertedBand())
            c.view().PaintInverseCell(p.x, p.y, c.ReadPixel(p.x, p.y));
        else if (e.PatternAllows(p.x, p.y))
            c.view().PaintCell(p.x, p.y, s.drawingInk);
    }
}

void ShapeTool::EraseBand(DrawEngine& e) {
    Canvas& c = *e.canvas();
    for (Point p : e.state().CurrentList())
        if (c.Contains(p.x, p.y)) c.view().RestoreCell(p.x, p.y);
    e.state().CurrentList().clear();
    e.state().OtherList().clear();
}

void ShapeTool::MouseMove(DrawEngine& e, Point pixel, Point, bool shift) {
    DrawState& s = e.state();
    m_end = shift ? Constrain(s.anchor, pixel) : pixel;
    BuildShapeList(e, s.anchor, m_end);
    ShowRubberBand(e);
    s.lastPoint = pixel;
}

void ShapeTool::FillInterior(DrawEngine& e, Ink fill) {
    Canvas& c = *e.canvas();
    std::vector<Point>& list = e.state().CurrentList();
    SortRowMajor(list);
    for (size_t i = 0; i + 1 < list.size(); ++i) {
        const Point l = list[i];
        const Point r = list[i + 1];
        if (l.y != r.y || l.y < 0 || l.y >= c.height()) continue;
        for (int x = l.x + 1; x < r.x; ++x)
            if (c.Contains(x, l.y) && e.PatternAllows(x, l.y)) c.PutInk(x, l.y, fill);
    }
}

void ShapeTool::CommitShape(DrawEngine& e, MouseButton button) {
    DrawState& s = e.state();
    e.BeginOperation(m_id - kToolSelectionFrame);
    if (m_id != kToolLine && s.FillMode() != 0) {
        const ShapeBounds b = ShapeBounds::Of(s.anchor, m_end);
        if (b.Width() > 2 && b.Height() > 2) {
            const Ink fill = s.FillMode() == 2             ? s.drawingInk
                             : button == MouseButton::Left ? s.colorB
                                                           : s.colorA;
            FillInterior(e, fill);
        }
    }
    e.PutInkDithered(s.CurrentList(), s.drawingInk);
    e.CommitImageBits();
    e.EndOperation();
    s.CurrentList().clear();
    s.OtherList().clear();
    s.lastPoint = {kNoPoint, 0};
}

void ShapeTool::ButtonUp(DrawEngine& e, MouseButton button) {
    CommitShape(e, button);
}

void ShapeTool::ShowCrossHair(DrawEngine& e, Point pixel) {
    Canvas& c = *e.canvas();
    const Selection& sel = e.selection();
    const DrawState& s = e.state();
    // The cells inverted last time are painted back as the grid shows them now, the floating
    // pixels included; the selection may have moved or gone since they were inverted.
    for (Point p : m_inverted)
        if (c.Contains(p.x, p.y)) sel.RepaintCell(c, p.x, p.y, s.colorB, s.transparentColorB);
    m_inverted.clear();
    m_hover = pixel;
    if (pixel.x == kNoPoint) return;
    const SelectionRect& r = sel.rect();
    auto onFrame = [&](int x, int y) {
        if (!sel.Exists()) return false;
        const bool inX = x >= r.left - 1 && x <= r.right;
        const bool inY = y >= r.top - 1 && y <= r.bottom;
        return inX && inY && (x == r.left - 1 || x == r.right || y == r.top - 1 || y == r.bottom);
    };
    auto invert = [&](int x, int y) {
        if (onFrame(x, y) || !c.Contains(x, y)) return;
        const FloatingPixel* f = sel.FloatingAt(x, y);
        c.view().PaintInverseCell(x, y, f ? f->ink() : c.ReadPixel(x, y));
        m_inverted.push_back({x, y});
    };
    for (int x = 0; x < c.width(); ++x)
        if (x != pixel.x) invert(x, pixel.y);
    for (int y = 0; y < c.height(); ++y)
        if (y != pixel.y) invert(pixel.x, y);
}

void ShapeTool::Hover(DrawEngine& e, Point pixel) {
    Canvas& c = *e.canvas();
    if (pixel == m_hover) return;
    if (pixel.x != kNoPoint && !c.Contains(pixel.x, pixel.y)) pixel = {kNoPoint, 0};
    if (m_id != kToolLine) {
        ShowCrossHair(e, pixel);
        return;
    }
    // The line tool marks the pointer's cell and preview pixel in colour A.
    if (m_hover.x != kNoPoint) c.view().RestoreCell(m_hover.x, m_hover.y);
    m_hover = pixel;
    if (m_hover.x != kNoPoint) {
        c.view().PaintCell(m_hover.x, m_hover.y, e.state().colorA);
    }
}

// Selection Frame ----------------------------------------------------------------------------

SelectionTool::SelectionTool() : ShapeTool(kToolSelectionFrame) {}

void SelectionTool::ButtonDown(DrawEngine& e, MouseButton button) {
    // The cross-hair goes before the selection moves or is put down.
    Hover(e, {kNoPoint, 0});
    const Point a = e.state().anchor;
    Selection& sel = e.selection();
    if (sel.Exists() && sel.rect().Contains(a.x, a.y)) {
        m_moving = true;
        sel.BeginMove(a);
        return;
    }
    m_moving = false;
    e.CommitSelection();
    ShapeTool::ButtonDown(e, button);
}

void SelectionTool::MouseMove(DrawEngine& e, Point pixel, Point window, bool shift) {
    if (!m_moving) {
        ShapeTool::MouseMove(e, pixel, window, shift);
        return;
    }
    DrawState& s = e.state();
    e.selection().MoveTo(*e.canvas(), pixel, s.colorB, s.transparentColorB);
    s.lastPoint = pixel;
    e.view().SelectionChanged();
}

void SelectionTool::ButtonUp(DrawEngine& e, MouseButton) {
    DrawState& s = e.state();
    s.lastPoint = {kNoPoint, 0};
    if (m_moving) {
        m_moving = false;
        e.selection().EndMove();
        e.view().SelectionChanged();
        return;
    }
    EraseBand(e);
    if (m_end == s.anchor) return;
    e.selection().Make(*e.canvas(), s.anchor, m_end);
    e.selection().CopyToFloating(*e.canvas());
    e.view().SelectionChanged();
}

}  // namespace vt
