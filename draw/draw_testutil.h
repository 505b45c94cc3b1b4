#pragma once
// Test helpers: images built in code and a view that records what the engine painted.

#include <string>
#include <vector>

#include "draw/draw_view.h"
#include "draw/ink.h"
#include "image/icon_image.h"

namespace vt::test {

// An image of the given format with every pixel set to `fill` (AND bit 0) and a fresh history.
IconImage MakeImage(int width, int height, int32_t code, uint32_t fill = 0);

struct ViewEvent {
    enum Kind { Paint, Inverse, Preview, Restore, Commit } kind;
    int x = 0, y = 0;
    Ink ink;
    friend bool operator==(const ViewEvent&, const ViewEvent&) = default;
};

// One cell of the grid as the user sees it: an ink, or an ink shown inverted.
struct ShownCell {
    Ink ink;
    bool inverted = false;
    friend bool operator==(const ShownCell&, const ShownCell&) = default;
};

class RecordingView : public DrawView {
  public:
    void PaintCell(int x, int y, Ink ink) override {
        events.push_back({ViewEvent::Paint, x, y, ink});
        Show(x, y, {ink, false});
    }
    void PaintInverseCell(int x, int y, Ink p) override {
        events.push_back({ViewEvent::Inverse, x, y, p});
        Show(x, y, {p, true});
    }
    void SetPreviewPixel(int x, int y, Ink ink) override {
        events.push_back({ViewEvent::Preview, x, y, ink});
    }
    void RestoreCell(int x, int y) override {
        events.push_back({ViewEvent::Restore, x, y, {}});
        if (m_shown) Show(x, y, {{m_shown->XorValue(x, y), m_shown->AndBit(x, y)}, false});
    }
    void ImageCommitted() override { events.push_back({ViewEvent::Commit, 0, 0, {}}); }
    void SetExtentText(const std::string& text) override { extents.push_back(text); }
    void ColorsChanged() override { ++colorChanges; }
    void ShowSelectionMenu() override { ++selectionMenus; }
    void MoveEraserOutline(int x, int y, int) override { eraserAt.push_back({x, y}); }
    void StartLocatorTimer() override { ++timerStarts; }
    void StopLocatorTimer() override { ++timerStops; }
    void PaintLocatorCells(const std::vector<Point>& cells, Ink, bool highlightText,
                           bool frame) override {
        locatorTicks.push_back(highlightText);
        locatorCells = cells;
        locatorFrame = frame;
    }
    void EndLocator(const std::vector<Point>& cells, Ink) override { locatorEnded = cells; }

    // The cells painted (kind Paint) in order, for assertions on what the user saw.
    std::vector<Point> Painted(ViewEvent::Kind kind = ViewEvent::Paint) const;
    int Count(ViewEvent::Kind kind) const;
    void Clear() {
        events.clear();
        extents.clear();
        eraserAt.clear();
    }

    std::vector<ViewEvent> events;
    std::vector<std::string> extents;
    std::vector<Point> eraserAt;
    int colorChanges = 0;
    int selectionMenus = 0;
    int timerStarts = 0;
    int timerStops = 0;
    std::vector<bool> locatorTicks;
    std::vector<Point> locatorCells;
    std::vector<Point> locatorEnded;
    bool locatorFrame = false;

    // From here on the view also keeps the grid's picture of `image`, starting from a full paint,
    // and changes it cell by cell as the window would.
    void ShowImage(const IconImage* image);
    // The grid's picture, rows from the top.
    std::vector<ShownCell> screen;

  private:
    void Show(int x, int y, ShownCell c) {
        if (m_shown && x >= 0 && y >= 0 && x < m_shown->width && y < m_shown->height)
            screen[static_cast<size_t>(y) * static_cast<size_t>(m_shown->width) +
                   static_cast<size_t>(x)] = c;
    }
    const IconImage* m_shown = nullptr;
};

}  // namespace vt::test
