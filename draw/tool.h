#pragma once
// One drawing tool behind the engine's mouse entry points. The engine does the steps every tool
// shares (anchor, capture, inks, last point) and hands the rest to the tool.

#include <memory>

#include "draw/ink.h"

namespace vt {

class DrawEngine;

enum class MouseButton { Left, Right };

class Tool {
  public:
    virtual ~Tool() = default;
    virtual int Id() const = 0;
    // Tools that only look at one pixel (the colour selector and locator) neither capture the
    // mouse nor drag.
    virtual bool Drags() const { return true; }
    // The right button does nothing with this tool.
    virtual bool IgnoresRightButton() const { return false; }
    // Shows the drag extent in the status bar while a button is down.
    virtual bool ShowsExtent() const { return true; }

    virtual void ButtonDown(DrawEngine& e, MouseButton button) = 0;
    // Called only when the pixel differs from the last point.
    virtual void MouseMove(DrawEngine& /*e*/, Point /*pixel*/, Point /*window*/, bool /*shift*/) {}
    virtual void ButtonUp(DrawEngine& /*e*/, MouseButton /*button*/) {}
    // Pointer feedback while no button is down; pixel is none (x = kNoPoint) when the pointer left
    // the grid.
    virtual void Hover(DrawEngine& /*e*/, Point /*pixel*/) {}
};

// The tool of a command identifier 1073 to 1087 (the rectangle and ellipse variants map to their
// family); nullptr for identifiers that are not tools.
std::unique_ptr<Tool> CreateTool(int commandId);

// The cursor resource the grid shows for a tool: 60 "Pencil", 61 "Straight Line", 62 "Color
// Selector", 63 "Flood", 64 the frame, eraser and shape tools, 65 "Brush", 67 "Text" (a text
// beam: where the text will stand), 68 "Color Locator"; 0 for identifiers that are not tools.
int ToolCursorResource(int toolId);

}  // namespace vt
