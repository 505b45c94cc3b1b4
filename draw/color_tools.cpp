#include "draw/color_tools.h"

#include "draw/command_ids.h"
#include "draw/draw_engine.h"

namespace vt {

int ColorSelectorTool::Id() const {
    return kToolColorSelector;
}

void ColorSelectorTool::ButtonDown(DrawEngine& e, MouseButton button) {
    Canvas& c = *e.canvas();
    const Point a = e.state().anchor;
    if (!c.Contains(a.x, a.y)) return;
    const Ink ink = c.ReadPixel(a.x, a.y);
    if (button == MouseButton::Right) {
        e.SetColorB(ink);
    } else {
        e.SetColorA(ink);
        e.state().drawingInk = ink;
    }
}

void ColorSelectorTool::ButtonUp(DrawEngine& e, MouseButton) {
    // Entered with Shift, the selector stays until Shift is released.
    if (!e.SelectorHeldByShift()) e.ReturnFromSelector();
}

int ColorLocatorTool::Id() const {
    return kToolColorLocator;
}

void ColorLocatorTool::ButtonDown(DrawEngine& e, MouseButton) {
    e.locator().Start(*e.canvas(), e.state().anchor.x, e.state().anchor.y);
}

}  // namespace vt
