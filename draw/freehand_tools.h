#pragma once
// "Pencil", "Brush" and "Color Eraser": tools that draw along the pointer's path.

#include <vector>

#include "draw/tool.h"

namespace vt {

class FreehandTool : public Tool {
  public:
    bool ShowsExtent() const override { return false; }
    void MouseMove(DrawEngine& e, Point pixel, Point window, bool shift) override;
    // The release ends the stroke's operation (the pencil's stays open across strokes).
    void ButtonUp(DrawEngine& e, MouseButton button) override;

  protected:
    // Shift holds the stroke to one row or column (not for the eraser).
    virtual bool UsesAxisLock() const { return true; }
    // Draws the segment's pixels inside the image, from the new pixel (first) to the one next to
    // the previous point (last); `from` is the previous point.
    virtual void DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point from) = 0;

    std::vector<Point> m_segment;
};

class PencilTool : public FreehandTool {
  public:
    int Id() const override;
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void ButtonUp(DrawEngine&, MouseButton) override {}

  protected:
    void DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point from) override;
};

class BrushTool : public FreehandTool {
  public:
    int Id() const override;
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void Hover(DrawEngine& e, Point pixel) override;

  protected:
    void DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point from) override;

  private:
    void Stamp(DrawEngine& e, Point at, int direction);
    std::vector<Point> m_stamp;
    std::vector<Point> m_hover;
};

class EraserTool : public FreehandTool {
  public:
    int Id() const override;
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void Hover(DrawEngine& e, Point pixel) override;

  protected:
    bool UsesAxisLock() const override { return false; }
    void DrawSegment(DrawEngine& e, const std::vector<Point>& pixels, Point from) override;

  private:
    void EraseAt(DrawEngine& e, Point at);
};

}  // namespace vt
