#include "draw/color_locator.h"

#include "draw/canvas.h"

namespace vt {

void ColorLocator::Start(Canvas& canvas, int x, int y) {
    Stop(canvas.view());
    if (!canvas.Contains(x, y)) return;
    m_ink = canvas.ReadPixel(x, y);
    m_cells.clear();
    for (int py = 0; py < canvas.height(); ++py)
        for (int px = 0; px < canvas.width(); ++px)
            if (canvas.ReadPixel(px, py) == m_ink) m_cells.push_back({px, py});
    m_paletteFrame = !canvas.TrueColor();
    m_count = kTicks;
    canvas.view().StartLocatorTimer();
}

void ColorLocator::Stop(DrawView& view) {
    if (m_count <= 0) return;
    m_count = 0;
    view.StopLocatorTimer();
    view.EndLocator(m_cells, m_ink);
    m_cells.clear();
}

void ColorLocator::Tick(DrawView& view) {
    if (m_count <= 0) return;
    if (--m_count > 0) {
        m_highlightText = !m_highlightText;
        view.PaintLocatorCells(m_cells, m_ink, m_highlightText, m_paletteFrame);
        return;
    }
    view.StopLocatorTimer();
    view.EndLocator(m_cells, m_ink);
    m_cells.clear();
}

}  // namespace vt
