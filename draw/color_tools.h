#pragma once
// "Color Selector" and "Color Locator": tools that read a pixel and write nothing.

#include "draw/tool.h"

namespace vt {

class ColorSelectorTool : public Tool {
  public:
    int Id() const override;
    bool Drags() const override { return false; }
    bool ShowsExtent() const override { return false; }
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void ButtonUp(DrawEngine& e, MouseButton button) override;
};

class ColorLocatorTool : public Tool {
  public:
    int Id() const override;
    bool Drags() const override { return false; }
    bool ShowsExtent() const override { return false; }
    void ButtonDown(DrawEngine& e, MouseButton button) override;
};

}  // namespace vt
