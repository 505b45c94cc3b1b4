#pragma once
// The "Text" tool's mouse part. The text itself comes from the text window; in the grid a press
// inside the floating text drags it like any floating selection, and a press elsewhere puts the
// text down where it floats and makes the pressed pixel the place of the next text.

#include "draw/tool.h"

namespace vt {

class TextTool : public Tool {
  public:
    int Id() const override;
    bool IgnoresRightButton() const override { return true; }
    bool ShowsExtent() const override { return false; }
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void MouseMove(DrawEngine& e, Point pixel, Point window, bool shift) override;
    void ButtonUp(DrawEngine& e, MouseButton button) override;

  private:
    bool m_moving = false;
};

}  // namespace vt
