#pragma once
// "Flood": fills the 4-connected area of the seed's ink.

#include "draw/ink.h"
#include "draw/tool.h"

namespace vt {

class DrawEngine;

// Fills from (x, y) with the drawing ink as one operation 4. Nothing happens (and no operation is
// recorded) when the seed already holds the ink, or when the queue cannot be allocated.
void FloodFill(DrawEngine& e, int x, int y);

class FloodTool : public Tool {
  public:
    int Id() const override;
    void ButtonDown(DrawEngine& e, MouseButton button) override;
};

}  // namespace vt
