#pragma once
// "Straight Line", the rectangle and ellipse families, and the "Selection Frame" rubber band:
// tools dragged from an anchor to an end pixel, shown on the grid only until the release.

#include <vector>

#include "draw/tool.h"

namespace vt {

class ShapeTool : public Tool {
  public:
    explicit ShapeTool(int id) : m_id(id) {}
    int Id() const override { return m_id; }
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void MouseMove(DrawEngine& e, Point pixel, Point window, bool shift) override;
    void ButtonUp(DrawEngine& e, MouseButton button) override;
    void Hover(DrawEngine& e, Point pixel) override;

    // BuildShapeList: the list that is not current becomes current and holds the shape.
    void BuildShapeList(DrawEngine& e, Point anchor, Point end);
    // ShowRubberBand: repaints the difference between the previous and the current list.
    void ShowRubberBand(DrawEngine& e);
    // CommitShape: writes the current list (and a filled shape's interior) as one operation.
    void CommitShape(DrawEngine& e, MouseButton button);

  protected:
    virtual Point Constrain(Point anchor, Point end) const;
    // The selection frame is shown in inverted pixels, not in the drawing ink.
    virtual bool InvertedBand() const { return false; }
    // Repaints the cells of the current list from the image (the band goes away).
    void EraseBand(DrawEngine& e);
    Point m_end;

  private:
    void FillInterior(DrawEngine& e, Ink fill);
    void ShowCrossHair(DrawEngine& e, Point pixel);

    int m_id;
    std::vector<Point> m_removed;
    std::vector<Point> m_added;
    Point m_hover{kNoPoint, 0};
    // The cells the cross-hair shows inverted, exactly those to paint back when it moves on.
    std::vector<Point> m_inverted;
};

class SelectionTool : public ShapeTool {
  public:
    SelectionTool();
    bool IgnoresRightButton() const override { return true; }
    void ButtonDown(DrawEngine& e, MouseButton button) override;
    void MouseMove(DrawEngine& e, Point pixel, Point window, bool shift) override;
    void ButtonUp(DrawEngine& e, MouseButton button) override;

  protected:
    bool InvertedBand() const override { return true; }

  private:
    bool m_moving = false;
};

}  // namespace vt
