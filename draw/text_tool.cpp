#include "draw/text_tool.h"

#include "draw/canvas.h"
#include "draw/command_ids.h"
#include "draw/draw_engine.h"

namespace vt {

int TextTool::Id() const {
    return kToolText;
}

void TextTool::ButtonDown(DrawEngine& e, MouseButton) {
    DrawState& s = e.state();
    Selection& sel = e.selection();
    if (sel.Exists() && sel.rect().Contains(s.anchor.x, s.anchor.y)) {
        m_moving = true;
        sel.BeginMove(s.anchor);
        return;
    }
    m_moving = false;
    e.CommitSelection();
    s.textPosition = s.anchor;
    e.TextRestarted();
}

void TextTool::MouseMove(DrawEngine& e, Point pixel, Point, bool) {
    if (!m_moving) return;
    DrawState& s = e.state();
    e.selection().MoveTo(*e.canvas(), pixel, s.colorB, s.transparentColorB);
    s.lastPoint = pixel;
    e.view().SelectionChanged();
}

void TextTool::ButtonUp(DrawEngine& e, MouseButton) {
    DrawState& s = e.state();
    s.lastPoint = {kNoPoint, 0};
    if (!m_moving) return;
    m_moving = false;
    Selection& sel = e.selection();
    sel.EndMove();
    // Text typed from now on is placed where the floating text was dropped.
    s.textPosition = {sel.rect().left, sel.rect().top};
    e.view().SelectionChanged();
}

}  // namespace vt
