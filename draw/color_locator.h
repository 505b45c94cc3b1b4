#pragma once
// The "Color Locator" highlight: every pixel of the clicked colour flashes for ten ticks of a
// 500 ms timer, alternating between the two highlight colours, then is painted back.

#include <vector>

#include "draw/ink.h"

namespace vt {

class Canvas;
class DrawView;

class ColorLocator {
  public:
    static constexpr int kTicks = 10;

    // Stops a running highlight and starts one for the ink at (x, y).
    void Start(Canvas& canvas, int x, int y);
    void Stop(DrawView& view);
    void Tick(DrawView& view);

    bool Running() const { return m_count > 0; }
    const std::vector<Point>& cells() const { return m_cells; }
    int count() const { return m_count; }

  private:
    std::vector<Point> m_cells;
    Ink m_ink;
    int m_count = 0;
    bool m_paletteFrame = false;
    // Which of the two colours was painted last; kept across runs, as the first tick always
    // differs from the colour shown last.
    bool m_highlightText = true;
};

}  // namespace vt
